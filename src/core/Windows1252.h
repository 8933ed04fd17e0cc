// The 8-bit code page of every project file. Own table: Qt 6.4 has no Windows-1252 codec.
//
// Bytes 0x00..0x7F and 0xA0..0xFF map to the same code points. 0x80..0x9F map to the typographic
// characters of the code page; its five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the C1 control of the same number, so every byte survives a read and write unchanged.
// A character the code page cannot hold is written as '?'.
#pragma once

#include <QByteArray>
#include <QString>

char16_t Windows1252ToUnicode(quint8 byte);
// The byte for a character; '?' when the code page has none.
char Windows1252FromUnicode(char16_t ch);

QString FromWindows1252(QByteArrayView bytes);
QByteArray ToWindows1252(QStringView text);
