#include "core/TreeRecord.h"

#include "core/Windows1252.h"

#include <QtEndian>
#include <limits>

void RecordWriter::putInt32(qint32 value)
{
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    m_bytes.append(bytes, 4);
}

void RecordWriter::writeInt32(qint32 value)
{
    if (m_ok) {
        putInt32(value);
    }
}

void RecordWriter::writeByte(quint8 value)
{
    if (m_ok) {
        m_bytes.append(static_cast<char>(value));
    }
}

void RecordWriter::writeText(QStringView text)
{
    if (!m_ok) {
        return;
    }
    if (text.size() > std::numeric_limits<qint32>::max()) {
        m_ok = false;
        return;
    }
    putInt32(static_cast<qint32>(text.size()));
    m_bytes.append(ToWindows1252(text));
}

void RecordWriter::writeWideText(QStringView text)
{
    if (!m_ok) {
        return;
    }
    if (text.size() > std::numeric_limits<qint32>::max() / 2) {
        m_ok = false;
        return;
    }
    putInt32(static_cast<qint32>(text.size()));
    for (const QChar ch : text) {
        char unit[2];
        qToLittleEndian<quint16>(ch.unicode(), unit);
        m_bytes.append(unit, 2);
    }
}

bool RecordReader::take(qsizetype count)
{
    if (!m_ok || count < 0 || count > remaining()) {
        m_ok = false;
        return false;
    }
    return true;
}

qint32 RecordReader::readInt32()
{
    if (!take(4)) {
        return 0;
    }
    const qint32 value = qFromLittleEndian<qint32>(m_bytes.data() + m_pos);
    m_pos += 4;
    return value;
}

quint8 RecordReader::readByte()
{
    if (!take(1)) {
        return 0;
    }
    return static_cast<quint8>(m_bytes[m_pos++]);
}

QString RecordReader::readText()
{
    const qint32 length = readInt32();
    if (!take(length)) {
        return {};
    }
    const QString text = FromWindows1252(m_bytes.sliced(m_pos, length));
    m_pos += length;
    return text;
}

QString RecordReader::readWideText()
{
    const qint32 count = readInt32();
    if (count < 0 || !take(qsizetype(count) * 2)) {
        m_ok = false;
        return {};
    }
    QString text(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i) {
        text[i] = QChar(qFromLittleEndian<quint16>(m_bytes.data() + m_pos + 2 * i));
    }
    m_pos += qsizetype(count) * 2;
    return text;
}
