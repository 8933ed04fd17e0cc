// Rebuilds the demo project: make-demo DATAFOLDER writes DATAFOLDER/Demo.
#include "DemoProjekt.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "Aufruf: make-demo DATENORDNER\n";
        return 2;
    }
    const QString error = DemoProjektSchreiben(QDir(QString::fromLocal8Bit(argv[1])).filePath(DemoProjektName));
    if (!error.isEmpty()) {
        err << error << '\n';
        return 1;
    }
    return 0;
}
