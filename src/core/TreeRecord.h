// The field encodings of the records kept in the user chunks of a tree container
// (TreeContainer.h): int32 little-endian, a single byte, 8-bit text (int32 byte count + that many
// Windows-1252 bytes, no terminator) and wide text (int32 count of UTF-16 code units + that many
// UTF-16LE units).
//
// Both classes have a sticky failure state: after the first failure every further call does
// nothing (the reader returns 0 / empty text) and ok() stays false, so an owning file can read
// or write a whole record and check once at the end. Plain values; any thread.
#pragma once

#include <QByteArray>
#include <QString>

class RecordWriter {
public:
    void writeInt32(qint32 value);
    void writeByte(quint8 value);
    // Characters the code page cannot hold are written as '?'.
    void writeText(QStringView text);
    void writeWideText(QStringView text);

    // False after a text too long for its int32 count; nothing of that text was written.
    bool ok() const { return m_ok; }
    const QByteArray& bytes() const { return m_bytes; }

private:
    void putInt32(qint32 value);

    QByteArray m_bytes;
    bool m_ok = true;
};

class RecordReader {
public:
    // `bytes` must outlive the reader.
    explicit RecordReader(QByteArrayView bytes) : m_bytes(bytes) {}

    qint32 readInt32();
    quint8 readByte();
    QString readText();
    QString readWideText();

    // False once a field ran past the end of the record or had a negative count.
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos == m_bytes.size(); }
    qsizetype remaining() const { return m_bytes.size() - m_pos; }

private:
    // Checks that `count` more bytes are left; fails the reader otherwise.
    bool take(qsizetype count);

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    bool m_ok = true;
};
