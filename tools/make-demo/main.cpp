// Rebuilds the demo project, or writes the simulator scenario for an installed copy of it:
//   make-demo DATAFOLDER                 writes DATAFOLDER/Demo
//   make-demo --szenario PROJECTFOLDER   prints the scenario with the trains where the project's
//                                        station file puts them
#include "DemoProjekt.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--szenario")) {
        QString error;
        const std::optional<QStringList> szenario = DemoSzenarioFuerProjekt(args[2], &error);
        if (!szenario) {
            err << error << '\n';
            return 1;
        }
        out << szenario->join(u'\n') << '\n';
        return 0;
    }
    if (args.size() != 2) {
        err << "Aufruf: make-demo DATENORDNER | make-demo --szenario PROJEKTORDNER\n";
        return 2;
    }
    const QString error = DemoProjektSchreiben(QDir(args[1]).filePath(DemoProjektName));
    if (!error.isEmpty()) {
        err << error << '\n';
        return 1;
    }
    return 0;
}
