// Headless companion program: inspects and checks project files from the command line.
#include "core/TreeContainer.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {
int usage(QTextStream& err)
{
    err << "Aufruf: trassolin-tool <Befehl> ...\n"
           "Befehle:\n"
           "  tree DATEI   zeigt den Aufbau einer Baumdatei\n";
    return 2;
}

QString checkMark(quint8 checkState)
{
    switch (checkState) {
    case TreeUnchecked:
        return QStringLiteral("[ ]");
    case TreeChecked:
        return QStringLiteral("[x]");
    default:
        return QStringLiteral("[%1]").arg(checkState);
    }
}

// One line per node, two spaces of indent per level: check state, record size, caption.
void printNodes(QTextStream& out, const TreeNode& parent, int level)
{
    for (const TreeNode& node : parent.children) {
        out << QString(2 * level, u' ') << checkMark(node.checkState) << ' ' << node.record.size() << " Byte";
        if (!node.caption.isEmpty()) {
            out << ' ' << node.caption;
        }
        out << '\n';
        printNodes(out, node, level + 1);
    }
}

int tree(const QString& path, QTextStream& out, QTextStream& err)
{
    const TreeReadResult read = ReadTreeFile(path);
    if (!read.ok()) {
        err << read.error << '\n';
        return 1;
    }
    printNodes(out, read.tree, 0);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        return usage(err);
    }
    if (args[1] == QLatin1String("tree") && args.size() == 3) {
        return tree(args[2], out, err);
    }
    return usage(err);
}
