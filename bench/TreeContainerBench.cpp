#include "core/TreeContainer.h"
#include "core/TreeRecord.h"

#include <benchmark/benchmark.h>

namespace {
// 20 programs × 9 folders × 10 leaves = 2000 nodes, each with a record and a caption, about the
// size of a large vehicle database.
TreeNode BenchTree()
{
    TreeNode root;
    for (int p = 0; p < 20; ++p) {
        TreeNode& program = root.children.emplace_back();
        program.caption = QStringLiteral("Programm %1").arg(p);
        for (int f = 0; f < 9; ++f) {
            TreeNode& folder = program.children.emplace_back();
            folder.caption = QStringLiteral("Verzeichnis %1").arg(f);
            for (int l = 0; l < 10; ++l) {
                TreeNode& leaf = folder.children.emplace_back();
                leaf.caption = QStringLiteral("Lok %1-%2-%3").arg(p).arg(f).arg(l);
                leaf.setChecked(l % 2 == 0);
                RecordWriter record;
                record.writeInt32(l);
                record.writeText(QStringLiteral("Größe und Info zur Lok"));
                record.writeWideText(leaf.caption);
                record.writeByte(1);
                leaf.record = record.bytes();
            }
            RecordWriter record;
            record.writeWideText(folder.caption);
            folder.record = record.bytes();
        }
    }
    return root;
}
} // namespace

static void BM_WriteTree2000Nodes(benchmark::State& state)
{
    const TreeNode tree = BenchTree();
    for (auto _ : state) {
        TreeWriteResult written = WriteTree(tree);
        benchmark::DoNotOptimize(written.bytes.data());
    }
}
BENCHMARK(BM_WriteTree2000Nodes);

static void BM_ReadTree2000Nodes(benchmark::State& state)
{
    const QByteArray bytes = WriteTree(BenchTree()).bytes;
    for (auto _ : state) {
        TreeReadResult read = ReadTree(bytes);
        benchmark::DoNotOptimize(read.tree.children.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadTree2000Nodes);
