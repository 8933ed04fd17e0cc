#include "drivers/ecos/EcosListen.h"

#include "core/TreeContainer.h"
#include "core/TreeRecord.h"

QByteArray EncodeLokRecord(const LokRecord& lok)
{
    RecordWriter w;
    w.writeText(lok.Key);
    w.writeInt32(lok.Addr);
    w.writeText(lok.Name);
    w.writeText(lok.Protokoll);
    w.writeInt32(lok.Fahrstufen);
    w.writeByte(lok.Registriert ? 1 : 0);
    w.writeByte(lok.View ? 1 : 0);
    w.writeByte(lok.Control ? 1 : 0);
    w.writeByte(lok.Registriert ? 1 : 0);
    w.writeText(lok.SymbolText);
    w.writeText(lok.BildName);
    w.writeInt32(lok.SymbolNr);
    QString flags;
    for (size_t i = 0; i < 16; ++i) {
        w.writeText(lok.FunktionBeschreibung[i]);
        flags += lok.Funktionen[i] ? u'1' : u'0';
    }
    w.writeText(flags);
    return w.bytes();
}

std::optional<LokRecord> DecodeLokRecord(QByteArrayView bytes)
{
    RecordReader r(bytes);
    LokRecord lok;
    lok.Key = r.readText();
    lok.Addr = r.readInt32();
    lok.Name = r.readText();
    lok.Protokoll = r.readText();
    lok.Fahrstufen = r.readInt32();
    r.readByte();
    r.readByte();
    r.readByte();
    r.readByte();
    lok.SymbolText = r.readText();
    lok.BildName = r.readText();
    lok.SymbolNr = r.readInt32();
    for (size_t i = 0; i < 16; ++i) {
        lok.FunktionBeschreibung[i] = r.readText();
    }
    const QString flags = r.readText();
    if (!r.ok()) {
        return std::nullopt;
    }
    for (qsizetype i = 0; i < 16 && i < flags.size(); ++i) {
        lok.Funktionen[static_cast<size_t>(i)] = flags.at(i) == u'1';
    }
    return lok;
}

QByteArray EncodeMagRecord(const MagRecord& mag)
{
    RecordWriter w;
    w.writeText(mag.Id);
    w.writeInt32(mag.Addr);
    w.writeText(mag.Name);
    w.writeInt32(mag.Wert1);
    w.writeInt32(mag.Wert2);
    w.writeText(mag.Protokoll);
    return w.bytes();
}

std::optional<MagRecord> DecodeMagRecord(QByteArrayView bytes)
{
    RecordReader r(bytes);
    MagRecord mag;
    mag.Id = r.readText();
    mag.Addr = r.readInt32();
    mag.Name = r.readText();
    mag.Wert1 = r.readInt32();
    mag.Wert2 = r.readInt32();
    mag.Protokoll = r.readText();
    if (!r.ok()) {
        return std::nullopt;
    }
    return mag;
}

namespace {
template <typename Record, typename Decode>
QString readNodes(const QString& path, std::vector<Record>& out, Decode decode)
{
    const TreeReadResult tree = ReadTreeFile(path);
    if (!tree.ok()) {
        return tree.error;
    }
    for (const TreeNode& node : tree.tree.children) {
        std::optional<Record> record = decode(node.record);
        if (!record) {
            out.clear();
            return QStringLiteral("Datei beschädigt : ") + path;
        }
        out.push_back(std::move(*record));
    }
    return {};
}
} // namespace

LokListeGelesen LokListeLesen(const QString& path)
{
    LokListeGelesen result;
    result.error = readNodes(path, result.loks, DecodeLokRecord);
    return result;
}

MagListeGelesen MagListeLesen(const QString& path)
{
    MagListeGelesen result;
    result.error = readNodes(path, result.mags, DecodeMagRecord);
    return result;
}

QString LokListeSchreiben(const QString& path, const std::vector<LokRecord>& loks)
{
    TreeNode root;
    for (const LokRecord& lok : loks) {
        TreeNode node;
        node.caption = lok.Name;
        node.record = EncodeLokRecord(lok);
        root.children.push_back(std::move(node));
    }
    return WriteTreeFile(path, root);
}

QString MagListeSchreiben(const QString& path, const std::vector<MagRecord>& mags)
{
    TreeNode root;
    for (const MagRecord& mag : mags) {
        TreeNode node;
        node.caption = mag.Name;
        node.record = EncodeMagRecord(mag);
        root.children.push_back(std::move(node));
    }
    return WriteTreeFile(path, root);
}
