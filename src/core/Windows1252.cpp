#include "core/Windows1252.h"

#include <array>

namespace {
// Code points of the bytes 0x80..0x9F.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};
} // namespace

char16_t Windows1252ToUnicode(quint8 byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kHighTable[byte - 0x80] : char16_t{byte};
}

char Windows1252FromUnicode(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        return static_cast<char>(ch);
    }
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == ch) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

QString FromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        text[i] = QChar(Windows1252ToUnicode(static_cast<quint8>(bytes[i])));
    }
    return text;
}

QByteArray ToWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        bytes[i] = Windows1252FromUnicode(text[i].unicode());
    }
    return bytes;
}
