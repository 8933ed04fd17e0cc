#include "core/TreeContainer.h"
#include "core/TreeRecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <limits>

namespace {

QByteArray Bytes(std::initializer_list<quint8> values)
{
    QByteArray bytes;
    for (const quint8 v : values) {
        bytes.append(static_cast<char>(v));
    }
    return bytes;
}

QByteArray Int32(qint32 value)
{
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray Patched(QByteArray bytes, qsizetype offset, qint32 value)
{
    qToLittleEndian<qint32>(value, bytes.data() + offset);
    return bytes;
}

const QByteArray EmptyTreeBytes = Bytes({
    0x45, 0x20, 0x56, 0x00, 0x54, 0x00, 0x02, 0x00, 0x20, 0x00, 0x46, 0x20, // signature
    0x00, 0x00, 0x00, 0x00,                                                 // no top-level nodes
});

// A checked parent with the record 07 00 00 00 and the caption "A", and one empty child.
const QByteArray ParentChildBytes = Bytes({
    0x45, 0x20, 0x56, 0x00, 0x54, 0x00, 0x02, 0x00, 0x20, 0x00, 0x46, 0x20, // 0: signature
    0x01, 0x00, 0x00, 0x00,                                                 // 12: one top-level node
    0x01, 0x00, 0x00, 0x00, 0x50, 0x00, 0x00, 0x00,                         // 16: node, 80 bytes
    0x02, 0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00,                         // 24: base, 17 + 33 bytes
    0x01, 0x00, 0x00, 0x00,                                                 // 32: one child
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                               // height, states, alignment
    0x02, 0x00,                                                             // 43: checked, check type
    0x00, 0x00, 0x00, 0x00,                                                 // reserved
    0x01, 0x00, 0x00, 0x00, 0x19, 0x00, 0x00, 0x00,                         // 49: child node, 25 bytes
    0x02, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00,                         // 57: base, 17 bytes
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                   // 65: no children ...
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                         //     ... unchecked
    0x04, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,                         // 82: user chunk, 4 bytes
    0x07, 0x00, 0x00, 0x00,                                                 // 90: the record
    0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,                         // 94: caption, 2 bytes
    0x41, 0x00,                                                             // 102: "A"
});

TreeNode ParentChildTree()
{
    TreeNode root;
    TreeNode& parent = root.children.emplace_back();
    parent.setChecked(true);
    parent.caption = QStringLiteral("A");
    parent.record = Bytes({0x07, 0x00, 0x00, 0x00});
    parent.children.emplace_back();
    return root;
}

// A file with one chain of nested nodes, `depth` levels deep, built without the writer.
QByteArray ChainFile(int depth)
{
    QByteArray chain;
    for (int level = depth; level >= 1; --level) {
        const qint32 childCount = chain.isEmpty() ? 0 : 1;
        const QByteArray base = Int32(childCount) + QByteArray(13, '\0') + chain;
        chain = Int32(1) + Int32(qint32(8 + base.size())) + Int32(2) + Int32(qint32(base.size())) + base;
    }
    return EmptyTreeBytes.left(12) + Int32(1) + chain;
}

TreeNode Chain(int depth)
{
    TreeNode root;
    TreeNode* node = &root;
    for (int level = 0; level < depth; ++level) {
        node = &node->children.emplace_back();
    }
    return root;
}

} // namespace

TEST(TreeContainer, WritesTheHandComputedBytesAndReadsThemBack)
{
    struct Row {
        const char* name;
        TreeNode tree;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"empty tree", TreeNode{}, EmptyTreeBytes},
        {"parent with child", ParentChildTree(), ParentChildBytes},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TreeWriteResult written = WriteTree(row.tree);
        ASSERT_TRUE(written.ok()) << written.error.toStdString();
        EXPECT_EQ(written.bytes.toHex(' '), row.bytes.toHex(' '));

        const TreeReadResult read = ReadTree(row.bytes);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.tree, row.tree);
    }

    // The child has neither user chunk nor caption chunk and reads as a node without record.
    const TreeReadResult read = ReadTree(ParentChildBytes);
    ASSERT_EQ(read.tree.children.size(), 1u);
    const TreeNode& parent = read.tree.children[0];
    EXPECT_TRUE(parent.checked());
    EXPECT_EQ(parent.caption, QStringLiteral("A"));
    EXPECT_EQ(parent.record, Bytes({0x07, 0x00, 0x00, 0x00}));
    ASSERT_EQ(parent.children.size(), 1u);
    EXPECT_FALSE(parent.children[0].checked());
    EXPECT_TRUE(parent.children[0].record.isEmpty());
    EXPECT_TRUE(parent.children[0].caption.isEmpty());

    // The golden file the tool is checked with holds the same bytes.
    QFile golden(QStringLiteral(TRASSOLIN_TEST_DATA "/tree/ParentChild.tree"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(golden.readAll(), ParentChildBytes);
}

TEST(TreeContainer, ThreeLevelTreeRoundTripsWithCheckStatesRecordsCaptionsAndViewState)
{
    TreeNode root;
    for (int p = 0; p < 3; ++p) {
        TreeNode& program = root.children.emplace_back();
        program.caption = QStringLiteral("Programm %1").arg(p + 1);
        program.setChecked(p == 1);
        program.record = Int32(p);
        for (int t = 0; t < p + 1; ++t) {
            TreeNode& task = program.children.emplace_back();
            task.caption = t == 0 ? QStringLiteral("Größe Ω 電車 \U0001F682") : QString();
            task.setChecked(t % 2 == 0);
            task.height = 18 + t;
            task.states = 0x8001;
            task.alignment = 3;
            task.checkType = 1;
            for (int l = 0; l < t; ++l) {
                TreeNode& leaf = task.children.emplace_back();
                leaf.record = QByteArray(l + 1, static_cast<char>(0xA0 + l));
                leaf.checkState = 1; // a value besides 0 and 2 survives unchanged
            }
        }
    }

    const TreeWriteResult written = WriteTree(root);
    ASSERT_TRUE(written.ok()) << written.error.toStdString();
    const TreeReadResult read = ReadTree(written.bytes);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.tree, root);

    ASSERT_EQ(read.tree.children.size(), 3u);
    const TreeNode& third = read.tree.children[2];
    ASSERT_EQ(third.children.size(), 3u);
    EXPECT_EQ(third.children[0].caption, QStringLiteral("Größe Ω 電車 \U0001F682"));
    ASSERT_EQ(third.children[2].children.size(), 2u);
    EXPECT_EQ(third.children[2].children[1].record, QByteArray("\xA1\xA1"));
    EXPECT_TRUE(read.tree.children[1].checked());
    EXPECT_FALSE(read.tree.children[2].checked());
}

TEST(TreeContainer, DamagedFilesFailTheWholeRead)
{
    struct Row {
        const char* name;
        QByteArray bytes;
        const char* errorPart;
    };
    QByteArray badVersion = ParentChildBytes;
    badVersion[6] = 3;
    QByteArray badSignature = ParentChildBytes;
    badSignature[0] = 0x46;
    // The caption chunk cut to one byte, node size adjusted: a caption must be whole UTF-16 units.
    const QByteArray oddCaption = Patched(Patched(ParentChildBytes.left(103), 20, 79), 98, 1);

    const Row rows[] = {
        {"bad signature", badSignature, "keine Baumdatei"},
        {"unknown stream version", badVersion, "Version 3"},
        {"shorter than the signature", ParentChildBytes.left(11), "keine Baumdatei"},
        {"top-level count missing", ParentChildBytes.left(12), "beschädigt"},
        {"top-level count too large", Patched(ParentChildBytes, 12, 2), "beschädigt"},
        {"top-level count huge", Patched(ParentChildBytes, 12, -1), "4294967295 Knoten"},
        {"top-level count too small", Patched(ParentChildBytes, 12, 0), "hinter"},
        {"node size past the end", Patched(ParentChildBytes, 20, 81), "beschädigt"},
        {"node size huge", Patched(ParentChildBytes, 20, 0x7FFFFFFF), "beschädigt"},
        {"node size negative", Patched(ParentChildBytes, 20, -8), "beschädigt"},
        {"first chunk not a node", Patched(ParentChildBytes, 16, 4), "Knotenblock erwartet"},
        {"node without base chunk", Patched(ParentChildBytes, 24, 4), "Basisblock erwartet"},
        {"base chunk too small for its child", Patched(ParentChildBytes, 28, 49), "beschädigt"},
        {"base chunk larger than its child", Patched(ParentChildBytes, 28, 51), "Basisblocks"},
        {"base chunk shorter than its body", Patched(ParentChildBytes, 61, 16), "Basisblock zu kurz"},
        {"child count too large", Patched(ParentChildBytes, 32, 2), "beschädigt"},
        {"child count huge", Patched(ParentChildBytes, 32, -1), "4294967295 Kindknoten"},
        {"child count too small", Patched(ParentChildBytes, 32, 0), "Basisblocks"},
        {"user chunk size past the node", Patched(ParentChildBytes, 86, 15), "beschädigt"},
        {"user chunk size negative", Patched(ParentChildBytes, 86, -1), "beschädigt"},
        {"caption of odd length", oddCaption, "ungerade"},
        {"node chunk inside a node's tail", Patched(ParentChildBytes, 94, 1), "falscher Stelle"},
        {"trailing byte", ParentChildBytes + QByteArray(1, '\0'), "hinter"},
        {"nested deeper than the bound", ChainFile(TreeMaxDepth + 1), "Ebenen"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TreeReadResult read = ReadTree(row.bytes);
        EXPECT_FALSE(read.ok());
        EXPECT_TRUE(read.tree.children.empty());
        EXPECT_TRUE(read.error.contains(QString::fromUtf8(row.errorPart))) << read.error.toStdString();
    }

    for (qsizetype length = 0; length < ParentChildBytes.size(); ++length) {
        SCOPED_TRACE(length);
        const TreeReadResult read = ReadTree(ParentChildBytes.left(length));
        EXPECT_FALSE(read.ok());
        EXPECT_TRUE(read.tree.children.empty());
    }
}

TEST(TreeContainer, UnknownChunksAreSkippedAndTheDepthBoundIsExact)
{
    // A chunk of type 9 with three bytes between the user chunk and the caption chunk.
    const QByteArray unknown = Int32(9) + Int32(3) + Bytes({0xEE, 0xEE, 0xEE});
    const QByteArray withUnknown = Patched(ParentChildBytes.left(94), 20, 80 + 11) + unknown + ParentChildBytes.mid(94);
    const TreeReadResult read = ReadTree(withUnknown);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.tree, ParentChildTree());

    const TreeReadResult deepest = ReadTree(ChainFile(TreeMaxDepth));
    ASSERT_TRUE(deepest.ok()) << deepest.error.toStdString();
    EXPECT_EQ(deepest.tree, Chain(TreeMaxDepth));
    EXPECT_EQ(WriteTree(deepest.tree).bytes, ChainFile(TreeMaxDepth));

    // The writer refuses what its reader would refuse.
    const TreeWriteResult tooDeep = WriteTree(Chain(TreeMaxDepth + 1));
    EXPECT_FALSE(tooDeep.ok());
    EXPECT_TRUE(tooDeep.bytes.isEmpty());
}

TEST(TreeContainer, FilesAreWrittenWholeAndAFailedReadLeavesThemAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Test.Ab4"));

    ASSERT_EQ(WriteTreeFile(path, ParentChildTree()), QString());
    const TreeReadResult read = ReadTreeFile(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.tree, ParentChildTree());

    // A tree that cannot be written leaves the old file as it was.
    EXPECT_NE(WriteTreeFile(path, Chain(TreeMaxDepth + 1)), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ParentChildBytes);
    file.close();

    const QString damagedPath = dir.filePath(QStringLiteral("Damaged.Ab4"));
    const QByteArray damaged = ParentChildBytes.left(60);
    QFile damagedFile(damagedPath);
    ASSERT_TRUE(damagedFile.open(QIODevice::WriteOnly));
    ASSERT_EQ(damagedFile.write(damaged), damaged.size());
    damagedFile.close();
    const TreeReadResult failed = ReadTreeFile(damagedPath);
    EXPECT_FALSE(failed.ok());
    EXPECT_TRUE(failed.error.contains(damagedPath)) << failed.error.toStdString();
    ASSERT_TRUE(damagedFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(damagedFile.readAll(), damaged);

    const TreeReadResult missing = ReadTreeFile(dir.filePath(QStringLiteral("Fehlt.Ab4")));
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error.contains(QStringLiteral("Fehlt.Ab4"))) << missing.error.toStdString();
}

TEST(TreeRecord, FieldsRoundTripWithTheirByteLayout)
{
    const QString wide = QStringLiteral("Лок 電車 \U0001F682");
    RecordWriter writer;
    writer.writeInt32(std::numeric_limits<qint32>::min());
    writer.writeInt32(-1);
    writer.writeByte(0xFF);
    writer.writeText(QStringLiteral("Größe"));
    writer.writeText(QString());
    writer.writeWideText(wide);
    writer.writeWideText(QStringLiteral("Ω"));
    writer.writeText(QStringLiteral("€ Ω")); // Ω has no byte in the code page
    ASSERT_TRUE(writer.ok());

    const QByteArray expectedStart = Bytes({
        0x00, 0x00, 0x00, 0x80,                               // int32 minimum
        0xFF, 0xFF, 0xFF, 0xFF,                               // -1
        0xFF,                                                 // byte
        0x05, 0x00, 0x00, 0x00, 0x47, 0x72, 0xF6, 0xDF, 0x65, // "Größe" in Windows-1252
        0x00, 0x00, 0x00, 0x00,                               // empty text
        0x09, 0x00, 0x00, 0x00,                               // nine UTF-16 units follow
    });
    const QByteArray expectedEnd = Bytes({
        0x01, 0x00, 0x00, 0x00, 0xA9, 0x03,       // "Ω" as one UTF-16 unit
        0x03, 0x00, 0x00, 0x00, 0x80, 0x20, 0x3F, // "€ ?"
    });
    EXPECT_EQ(writer.bytes().left(expectedStart.size()).toHex(' '), expectedStart.toHex(' '));
    EXPECT_EQ(writer.bytes().size(), expectedStart.size() + 18 + expectedEnd.size());
    EXPECT_EQ(writer.bytes().right(expectedEnd.size()).toHex(' '), expectedEnd.toHex(' '));

    RecordReader reader(writer.bytes());
    EXPECT_EQ(reader.readInt32(), std::numeric_limits<qint32>::min());
    EXPECT_EQ(reader.readInt32(), -1);
    EXPECT_EQ(reader.readByte(), 0xFF);
    EXPECT_EQ(reader.readText(), QStringLiteral("Größe"));
    EXPECT_EQ(reader.readText(), QString());
    EXPECT_EQ(reader.readWideText(), wide);
    EXPECT_EQ(reader.readWideText(), QStringLiteral("Ω"));
    EXPECT_EQ(reader.readText(), QStringLiteral("€ ?"));
    EXPECT_TRUE(reader.ok());
    EXPECT_TRUE(reader.atEnd());
}

TEST(TreeRecord, ReaderFailsCleanlyOnShortOrBadFields)
{
    using Read = std::function<void(RecordReader&)>;
    struct Row {
        const char* name;
        QByteArray bytes;
        Read read;
    };
    const Read int32 = [](RecordReader& r) { EXPECT_EQ(r.readInt32(), 0); };
    const Read byte = [](RecordReader& r) { EXPECT_EQ(r.readByte(), 0); };
    const Read text = [](RecordReader& r) { EXPECT_EQ(r.readText(), QString()); };
    const Read wideText = [](RecordReader& r) { EXPECT_EQ(r.readWideText(), QString()); };
    const Row rows[] = {
        {"int32 over three bytes", Bytes({1, 2, 3}), int32},
        {"byte over nothing", QByteArray(), byte},
        {"text longer than the rest", Int32(5) + "Gr\xF6\xDF", text},
        {"text with negative length", Int32(-1) + "abc", text},
        {"text without its length", Bytes({5, 0}), text},
        {"wide text with half a unit", Int32(2) + Bytes({0x41, 0x00, 0x42}), wideText},
        {"wide text with a huge count", Int32(0x7FFFFFFF) + Bytes({0x41, 0x00}), wideText},
        {"wide text with negative count", Int32(-2) + Bytes({0x41, 0x00}), wideText},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordReader reader(row.bytes);
        row.read(reader);
        EXPECT_FALSE(reader.ok());
        // The failure sticks: later fields read as empty even where bytes would be left.
        EXPECT_EQ(reader.readByte(), 0);
        EXPECT_FALSE(reader.ok());
    }
}
