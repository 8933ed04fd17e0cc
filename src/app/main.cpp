// Starts the program: resolves the program folder, builds the program-wide state, the windows'
// logic in their fixed order and their widgets, shows the start window and runs the event loop.
#include "core/Clock.h"
#include "core/MessageBus.h"
#include "core/ProgramFolder.h"
#include "core/Programm.h"
#include "core/QtScheduler.h"
#include "core/StartProgram.h"
#include "core/TInfo.h"
#include "settings/TSystem.h"
#include "ui/QtDialogs.h"
#include "ui/TFahrzeugForm.h"
#include "ui/TInfoForm.h"
#include "ui/TLogBuchForm.h"
#include "ui/TProtokolEcosForm.h"
#include "drivers/ecos/TProtokolEcos.h"
#include "vehicles/LogBuch.h"
#include "vehicles/TFahrzeug.h"
#include "ui/TSystemForm.h"
#include "ui/TTrassolinForm.h"
#include "ui/TWebHilfeForm.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trassolin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Trassolin "));
    // The program ends through the orderly end only, never because a window was hidden.
    QApplication::setQuitOnLastWindowClosed(false);

    const ProgramFolderResult folder = ProgramFolder::resolve(
        QApplication::applicationDirPath(), ProgramFolder::argumentValue(QApplication::arguments()), QDir::homePath());
    if (!folder.ok()) {
        QMessageBox::critical(nullptr, QStringLiteral("Trassolin"), folder.error);
        return 1;
    }

    MessageBus bus;
    QtScheduler scheduler;
    SystemClock clock;
    QtDialogs dialogs;
    Programm programm(bus, scheduler, clock, dialogs, folder.folder);
    programm.userName = qEnvironmentVariable("USER");

    ProgrammFenster fenster(programm);
    TTrassolinForm mainForm(programm, fenster.hauptfenster(), fenster.info());
    TSystemForm systemForm(programm, fenster.system(), &mainForm);
    TInfoForm infoForm(programm, fenster.info(), &mainForm);
    dialogs.setParent(&mainForm);

    TSystem& system = fenster.system();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        system.screenHeight = screen->availableGeometry().height();
        system.mainWindowWidth = screen->availableGeometry().width();
        system.mainWindowHeight = screen->availableGeometry().height();
    }

    TLogBuchForm logbookForm(fenster.logbuch(), &mainForm);
    QObject::connect(&mainForm, &TTrassolinForm::logbookRequested, &logbookForm, [&fenster] { fenster.logbuch().Zeigen(); });
    TFahrzeugForm vehicleForm(programm, fenster.fahrzeuge(), &mainForm);
    QObject::connect(&mainForm, &TTrassolinForm::vehicleDatabaseRequested, &vehicleForm, [&vehicleForm] {
        vehicleForm.show();
        vehicleForm.raise();
        vehicleForm.activateWindow();
    });
    QObject::connect(&vehicleForm, &TFahrzeugForm::seiteAnsehen, &vehicleForm,
                     [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
    QObject::connect(&fenster.fahrzeuge(), &TFahrzeug::restartRequested, &fenster.info(),
                     [&fenster] { fenster.info().NeustartBeenden(); });
    // The protocol windows of the ECoS-protocol drivers; each shows itself on WM_SHOWPROTOKOL.
    std::vector<std::unique_ptr<TProtokolEcosForm>> protokolForms;
    for (int typ : {5, 7, 8}) {
        if (TProtokolEcos* driver = fenster.ecosProtokol(typ)) {
            protokolForms.push_back(std::make_unique<TProtokolEcosForm>(*driver, &mainForm));
            protokolForms.back()->setFahrzeugBaum(vehicleForm.model());
        }
    }
    TWebHilfeForm helpForm(programm.programFolder, &mainForm);
    QObject::connect(&infoForm, &TInfoForm::helpRequested, &helpForm, [&helpForm](int topic) { helpForm.showTopic(topic); });
    QObject::connect(&mainForm, &TTrassolinForm::helpRequested, &helpForm, [&helpForm](int topic) { helpForm.showTopic(topic); });
    QObject::connect(&mainForm, &TTrassolinForm::backupRequested, &infoForm, [&fenster, &infoForm] {
        fenster.info().ShowInfoWindow();
        infoForm.openBackupBox();
    });

    const auto end = [&mainForm] {
        mainForm.endProgram();
        QApplication::quit();
    };
    QObject::connect(&fenster.info(), &TInfo::programEndRequested, &app, end);
    QObject::connect(&system, &TSystem::restartRequested, &fenster.info(), [&fenster] { fenster.info().NeustartBeenden(); });
    QObject::connect(&mainForm, &TTrassolinForm::settingsRequested, &systemForm, [&systemForm] {
        systemForm.show();
        systemForm.raise();
        systemForm.activateWindow();
    });

    mainForm.showMaximized();
    QTimer::singleShot(0, &infoForm, [&fenster] { fenster.info().ShowStartWindow(); });
    const int result = QApplication::exec();
    if (fenster.info().neustart) {
        QProcess::startDetached(QApplication::applicationFilePath(), QApplication::arguments().mid(1));
    }
    return result;
}
