// Headless companion program: inspects and checks project files from the command line.
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
    return usage(err);
}
