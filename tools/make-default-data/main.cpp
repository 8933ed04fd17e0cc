// Rebuilds the default vehicle database and its sample pictures: make-default-data DATAFOLDER.
#include "DefaultData.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    // Drawing text needs fonts: a GUI application (run with QT_QPA_PLATFORM=offscreen headless).
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "Aufruf: make-default-data DATENORDNER\n";
        return 2;
    }
    const QString error = BeispielDatenSchreiben(QString::fromLocal8Bit(argv[1]));
    if (!error.isEmpty()) {
        err << error << '\n';
        return 1;
    }
    return 0;
}
