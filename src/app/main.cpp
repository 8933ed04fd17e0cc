// Starts the program: resolves the program folder, builds the windows and runs the event loop.
#include "core/ProgramFolder.h"
#include "ui/TTrassolinForm.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trassolin"));

    const ProgramFolderResult folder = ProgramFolder::resolve(
        QApplication::applicationDirPath(), ProgramFolder::argumentValue(QApplication::arguments()), QDir::homePath());
    if (!folder.ok()) {
        QMessageBox::critical(nullptr, QStringLiteral("Trassolin"), folder.error);
        return 1;
    }

    TTrassolinForm mainForm(folder.folder);
    mainForm.show();
    return QApplication::exec();
}
