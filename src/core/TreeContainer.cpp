#include "core/TreeContainer.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <limits>

namespace {

enum ChunkType : qint32 {
    NodeChunk = 1,
    BaseChunk = 2,
    CaptionChunk = 3,
    UserChunk = 4,
};

constexpr qsizetype SignatureSize = 12;
constexpr qsizetype HeaderSize = 8;
constexpr qsizetype BaseBodySize = 17;
// The smallest node chunk: node header, base header and base body.
constexpr qsizetype MinNodeChunkSize = HeaderSize + HeaderSize + BaseBodySize;

constexpr quint16 StreamVersion = 2;
constexpr char16_t SignatureUnits[6] = {0x2045, u'V', u'T', StreamVersion, u' ', 0x2046};

class Writer {
public:
    QByteArray out;
    QString error;

    void putU8(quint8 value) { out.append(static_cast<char>(value)); }
    void putU16(quint16 value) { putLittleEndian(value); }
    void putU32(quint32 value) { putLittleEndian(value); }
    void putI32(qint32 value) { putLittleEndian(value); }

    // Writes a header with size 0; endChunk fills the size in.
    qsizetype beginChunk(qint32 type)
    {
        const qsizetype start = out.size();
        putI32(type);
        putI32(0);
        return start;
    }

    bool endChunk(qsizetype start)
    {
        const qsizetype size = out.size() - start - HeaderSize;
        if (size > std::numeric_limits<qint32>::max()) {
            error = QStringLiteral("Ein Knoten ist zu groß für die Baumdatei.");
            return false;
        }
        qToLittleEndian<qint32>(static_cast<qint32>(size), out.data() + start + 4);
        return true;
    }

    bool writeNode(const TreeNode& node, int depth)
    {
        if (depth > TreeMaxDepth) {
            error = QStringLiteral("Der Baum ist tiefer als %1 Ebenen und kann nicht gespeichert werden.")
                        .arg(TreeMaxDepth);
            return false;
        }
        const qsizetype nodeStart = beginChunk(NodeChunk);
        const qsizetype baseStart = beginChunk(BaseChunk);
        putU32(static_cast<quint32>(node.children.size()));
        putU32(node.height);
        putU16(node.states);
        putU8(node.alignment);
        putU8(node.checkState);
        putU8(node.checkType);
        putU32(0); // reserved
        for (const TreeNode& child : node.children) {
            if (!writeNode(child, depth + 1)) {
                return false;
            }
        }
        if (!endChunk(baseStart)) {
            return false;
        }
        if (!node.record.isEmpty()) {
            const qsizetype userStart = beginChunk(UserChunk);
            out.append(node.record);
            if (!endChunk(userStart)) {
                return false;
            }
        }
        if (!node.caption.isEmpty()) {
            const qsizetype captionStart = beginChunk(CaptionChunk);
            for (const QChar ch : node.caption) {
                putU16(ch.unicode());
            }
            if (!endChunk(captionStart)) {
                return false;
            }
        }
        return endChunk(nodeStart);
    }

private:
    template <typename T>
    void putLittleEndian(T value)
    {
        char bytes[sizeof(T)];
        qToLittleEndian<T>(value, bytes);
        out.append(bytes, sizeof(T));
    }
};

// Every read checks the bytes left up to the end of the enclosing chunk first; the first error
// stops the whole read.
class Reader {
public:
    explicit Reader(QByteArrayView data) : m_data(data) {}

    QString error;

    bool readFile(TreeNode& root)
    {
        if (m_data.size() < SignatureSize) {
            error = QStringLiteral("Die Datei ist keine Baumdatei (zu kurz).");
            return false;
        }
        for (int i = 0; i < 6; ++i) {
            const quint16 unit = getU16();
            if (i == 3 && unit != StreamVersion && matchesSignatureApartFromVersion()) {
                error = QStringLiteral("Die Baumdatei hat die unbekannte Version %1.").arg(unit);
                return false;
            }
            if (unit != SignatureUnits[i]) {
                error = QStringLiteral("Die Datei ist keine Baumdatei.");
                return false;
            }
        }
        const qsizetype end = m_data.size();
        if (end - m_pos < 4) {
            return fail(QStringLiteral("Anzahl der Knoten fehlt"));
        }
        const quint32 count = getU32();
        if (count > static_cast<quint64>((end - m_pos) / MinNodeChunkSize)) {
            return fail(QStringLiteral("%1 Knoten passen nicht in die Datei").arg(count));
        }
        root.children.reserve(count);
        for (quint32 i = 0; i < count; ++i) {
            if (!readNode(root, end, 1)) {
                return false;
            }
        }
        if (m_pos != end) {
            return fail(QStringLiteral("Daten hinter dem letzten Knoten"));
        }
        return true;
    }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;

    bool fail(const QString& reason)
    {
        error = QStringLiteral("Die Baumdatei ist beschädigt: %1 (bei Byte %2).").arg(reason).arg(m_pos);
        return false;
    }

    bool matchesSignatureApartFromVersion() const
    {
        for (int i = 0; i < 6; ++i) {
            if (i != 3 && qFromLittleEndian<quint16>(m_data.data() + 2 * i) != SignatureUnits[i]) {
                return false;
            }
        }
        return true;
    }

    // The getters assume the caller has checked the bytes left.
    template <typename T>
    T get()
    {
        const T value = qFromLittleEndian<T>(m_data.data() + m_pos);
        m_pos += static_cast<qsizetype>(sizeof(T));
        return value;
    }
    quint8 getU8() { return get<quint8>(); }
    quint16 getU16() { return get<quint16>(); }
    quint32 getU32() { return get<quint32>(); }
    qint32 getI32() { return get<qint32>(); }

    // Reads a chunk header that must lie before `end`; `chunkEnd` becomes the end of its content.
    bool readHeader(qsizetype end, qint32& type, qsizetype& chunkEnd)
    {
        if (end - m_pos < HeaderSize) {
            return fail(QStringLiteral("Blockkopf abgeschnitten"));
        }
        type = getI32();
        const qint32 size = getI32();
        if (size < 0 || size > end - m_pos) {
            return fail(QStringLiteral("Blockgröße %1 passt nicht in den umgebenden Block").arg(size));
        }
        chunkEnd = m_pos + size;
        return true;
    }

    bool readNode(TreeNode& parent, qsizetype end, int depth)
    {
        if (depth > TreeMaxDepth) {
            return fail(QStringLiteral("mehr als %1 Ebenen verschachtelt").arg(TreeMaxDepth));
        }
        qint32 type = 0;
        qsizetype nodeEnd = 0;
        if (!readHeader(end, type, nodeEnd)) {
            return false;
        }
        if (type != NodeChunk) {
            return fail(QStringLiteral("Knotenblock erwartet, Blocktyp %1 gefunden").arg(type));
        }
        qsizetype baseEnd = 0;
        if (!readHeader(nodeEnd, type, baseEnd)) {
            return false;
        }
        if (type != BaseChunk) {
            return fail(QStringLiteral("Basisblock erwartet, Blocktyp %1 gefunden").arg(type));
        }
        if (baseEnd - m_pos < BaseBodySize) {
            return fail(QStringLiteral("Basisblock zu kurz"));
        }

        TreeNode& node = parent.children.emplace_back();
        const quint32 childCount = getU32();
        node.height = getU32();
        node.states = getU16();
        node.alignment = getU8();
        node.checkState = getU8();
        node.checkType = getU8();
        getU32(); // reserved

        if (childCount > static_cast<quint64>((baseEnd - m_pos) / MinNodeChunkSize)) {
            return fail(QStringLiteral("%1 Kindknoten passen nicht in den Basisblock").arg(childCount));
        }
        node.children.reserve(childCount);
        for (quint32 i = 0; i < childCount; ++i) {
            if (!readNode(node, baseEnd, depth + 1)) {
                return false;
            }
        }
        if (m_pos != baseEnd) {
            return fail(QStringLiteral("Größe des Basisblocks passt nicht zu seinen Kindknoten"));
        }

        bool haveRecord = false;
        bool haveCaption = false;
        while (m_pos < nodeEnd) {
            qsizetype chunkEnd = 0;
            if (!readHeader(nodeEnd, type, chunkEnd)) {
                return false;
            }
            const qsizetype size = chunkEnd - m_pos;
            switch (type) {
            case UserChunk:
                if (haveRecord) {
                    return fail(QStringLiteral("zweiter Datenblock im Knoten"));
                }
                haveRecord = true;
                node.record = m_data.sliced(m_pos, size).toByteArray();
                break;
            case CaptionChunk: {
                if (haveCaption) {
                    return fail(QStringLiteral("zweiter Beschriftungsblock im Knoten"));
                }
                if (size % 2 != 0) {
                    return fail(QStringLiteral("Beschriftung mit ungerader Länge %1").arg(size));
                }
                haveCaption = true;
                QString caption(size / 2, Qt::Uninitialized);
                for (qsizetype i = 0; i < caption.size(); ++i) {
                    caption[i] = QChar(qFromLittleEndian<quint16>(m_data.data() + m_pos + 2 * i));
                }
                node.caption = caption;
                break;
            }
            case NodeChunk:
            case BaseChunk:
                return fail(QStringLiteral("Blocktyp %1 an falscher Stelle").arg(type));
            default:
                break; // unknown chunk of a later version: skipped by its size
            }
            m_pos = chunkEnd;
        }
        return true;
    }
};

} // namespace

TreeWriteResult WriteTree(const TreeNode& tree)
{
    Writer writer;
    for (const char16_t unit : SignatureUnits) {
        writer.putU16(unit);
    }
    writer.putU32(static_cast<quint32>(tree.children.size()));
    for (const TreeNode& node : tree.children) {
        if (!writer.writeNode(node, 1)) {
            return {{}, writer.error};
        }
    }
    return {std::move(writer.out), {}};
}

TreeReadResult ReadTree(QByteArrayView stream)
{
    Reader reader(stream);
    TreeReadResult result;
    if (!reader.readFile(result.tree)) {
        return {{}, reader.error};
    }
    return result;
}

TreeReadResult ReadTreeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {{}, QStringLiteral("Die Datei %1 kann nicht geöffnet werden.").arg(path)};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {{}, QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(path)};
    }
    TreeReadResult result = ReadTree(bytes);
    if (!result.ok()) {
        result.error = QStringLiteral("%1\n%2").arg(path, result.error);
    }
    return result;
}

QString WriteTreeFile(const QString& path, const TreeNode& tree)
{
    const TreeWriteResult written = WriteTree(tree);
    if (!written.ok()) {
        return written.error;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(written.bytes) != written.bytes.size() || !file.commit()) {
        return QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(path);
    }
    return {};
}
