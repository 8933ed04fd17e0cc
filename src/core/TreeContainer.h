// The tree container: the nested-chunk binary file format of the sequence programs, the vehicle
// database, the maintenance records and the drivers' locomotive and accessory lists.
//
// Layout (all integers little-endian, every chunk = int32 type + int32 size of what follows):
//   signature (12 bytes, six UTF-16LE units, the fourth is the stream version 2)
//   uint32 number of top-level nodes
//   one node chunk (type 1) per top-level node, holding
//     base chunk (type 2): 17-byte body (child count, height, states, alignment, check state,
//                          check type, reserved), then the child node chunks
//     user chunk (type 4): the owning file's record; left out when the record is empty
//     caption chunk (type 3): the caption as UTF-16LE; left out when the caption is empty
//
// The container knows nothing about records: a node keeps its user chunk as bytes, and the
// owning file encodes and decodes them with RecordWriter / RecordReader (TreeRecord.h). After
// reading, the owning file sets the caption from its record; the caption read from the file is
// only a fallback for tools that do not know the record.
//
// Reading never trusts the file: every count and size is checked against the bytes left in its
// chunk, nesting is bounded by TreeMaxDepth, and any damage fails the whole read with a German
// error text. Plain functions on values; callable from any thread.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Deepest nesting a file may have; top-level nodes are level 1. Deeper files are refused as
// damaged by the reader, and the writer refuses trees it could not read back.
inline constexpr int TreeMaxDepth = 1000;

// Check state values of the base chunk.
inline constexpr quint8 TreeUnchecked = 0;
inline constexpr quint8 TreeChecked = 2;

struct TreeNode {
    // Check state as stored (TreeUnchecked, TreeChecked); other values are kept as read.
    quint8 checkState = TreeUnchecked;
    // View state of the node, kept as read so that a file read and written back keeps it.
    quint32 height = 0;
    quint16 states = 0;
    quint8 alignment = 0;
    quint8 checkType = 0;

    QString caption;
    QByteArray record; // body of the user chunk; empty = no user chunk
    std::vector<TreeNode> children;

    bool checked() const { return checkState == TreeChecked; }
    void setChecked(bool on) { checkState = on ? TreeChecked : TreeUnchecked; }

    friend bool operator==(const TreeNode&, const TreeNode&) = default;
};

struct TreeReadResult {
    TreeNode tree;  // invisible root: its children are the top-level nodes
    QString error;  // German text for the user; empty on success
    bool ok() const { return error.isEmpty(); }
};

struct TreeWriteResult {
    QByteArray bytes; // the whole file; empty on failure
    QString error;    // German text for the user; empty on success
    bool ok() const { return error.isEmpty(); }
};

// Writes the children of `tree` (its own fields are not written) as a container file.
// Fails only for a tree the reader would refuse: deeper than TreeMaxDepth, or a chunk larger
// than its int32 size field can hold.
TreeWriteResult WriteTree(const TreeNode& tree);

// Reads a container file. On failure the returned tree is empty.
TreeReadResult ReadTree(QByteArrayView stream);

// Reads the file at `path`; the file is opened read-only.
TreeReadResult ReadTreeFile(const QString& path);

// Writes `tree` to `path` atomically (QSaveFile): on any failure the file keeps its old
// contents. Returns the German error text, empty on success.
[[nodiscard]] QString WriteTreeFile(const QString& path, const TreeNode& tree);
