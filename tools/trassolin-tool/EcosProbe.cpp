#include "EcosProbe.h"

#include "core/Clock.h"
#include "core/CollectingDialogs.h"
#include "core/Dialogs.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "core/QtScheduler.h"
#include "core/ScaledScheduler.h"
#include "drivers/ecos/TProtokolEcos.h"
#include "drivers/transport/TcpTransport.h"
#include "settings/ProjectSettingsFile.h"
#include "settings/ZentraleNamen.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

namespace {
// Ends the probe's event loop on the messages that decide it.
class Watcher final : public MessageReceiver {
public:
    explicit Watcher(QEventLoop& loop) : loop_(loop) {}
    void receive(const CoreMessage& m) override
    {
        if (m.id == Msg::WM_VERBINDENERROR) {
            error = QStringLiteral("Zentrale konnte nicht verbunden werden (keine Verbindung nach den Verbindungsversuchen)");
            loop_.quit();
        } else if (m.id == Msg::WM_GETRENNT && !done) {
            error = QStringLiteral("Die Zentrale hat die Verbindung während der Anmeldung getrennt");
            loop_.quit();
        }
    }
    QString error;
    bool done = false;

private:
    QEventLoop& loop_;
};
} // namespace

EcosProbeResult EcosProbe(const QString& projectFolder, int timeScale, int timeoutMs)
{
    EcosProbeResult result;
    const QFileInfo folder(projectFolder);
    const QString name = folder.fileName();
    const QString pro = folder.absoluteFilePath() + u'/' + name + QStringLiteral(".pro");
    if (!folder.isDir() || !QFileInfo::exists(pro)) {
        result.error = QStringLiteral("Keine Projektdatei ") + pro;
        return result;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        result.error = QStringLiteral("Kein temporärer Ordner");
        return result;
    }
    MessageBus bus;
    ScaledScheduler scheduler(timeScale);
    SystemClock clock;
    CollectingDialogs dialogs;
    Programm programm(bus, scheduler, clock, dialogs, scratch.path() + u'/');
    programm.ProjektName = name;
    QDir().mkpath(programm.projectFolder());
    ProjectFileContext context;
    context.programFolder = QDir(folder.absoluteFilePath() + QStringLiteral("/../..")).canonicalPath() + u'/';
    context.projectName = name;
    const ProjectSettingsLoadResult loaded = LoadProjectSettingsFile(pro, context, programm.settings);
    if (!loaded.ok) {
        result.error = QStringLiteral("Projektdatei nicht lesbar: ") + loaded.error;
        return result;
    }
    EcosVariante variante;
    switch (programm.settings.ZentraleTyp) {
    case 8: variante = EcosVariante::EC2(); break;
    case 7: variante = EcosVariante::EC1(); break;
    case 5: variante = EcosVariante::CS1(); break;
    default:
        result.error = QStringLiteral("Die Zentrale des Projekts (Typ %1, %2) spricht nicht das ECoS-Protokoll")
                           .arg(programm.settings.ZentraleTyp)
                           .arg(ZentraleName(programm.settings.ZentraleTyp));
        return result;
    }
    TcpTransport transport;
    TProtokolEcos driver(programm, transport, variante);
    driver.LoksImmerVonZentraleLaden = true;
    driver.MagnetartikelImmerVonZentraleLaden = true;
    QEventLoop loop;
    Watcher watcher(loop);
    bus.attach(&driver);
    bus.attach(&watcher);
    const int typ = variante.typ;
    result.report << QStringLiteral("Zentrale: %1 an %2:%3")
                         .arg(ZentraleName(typ), programm.settings.IpAddress)
                         .arg(programm.settings.IpPort);

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (driver.zustand() == TProtokolEcos::Zustand::Betrieb) {
            watcher.done = true;
            loop.quit();
        }
    });
    poll.start(5);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        watcher.error = QStringLiteral("Die Anmeldung wurde nicht rechtzeitig fertig (Schritt %1)").arg(driver.schritt());
        loop.quit();
    });
    QObject::connect(&driver, &TProtokolEcos::changed, &loop, [&] {
        if (programm.ZentraleVerbunden && !deadline.isActive()) {
            deadline.start(std::max(1, timeoutMs / std::max(1, timeScale)));
        }
    });
    bus.broadcast(Msg::WM_VERBINDEN, typ, 0);
    loop.exec();
    poll.stop();
    deadline.stop();

    if (!watcher.done) {
        result.error = watcher.error;
        bus.broadcast(Msg::WM_TRENNEN, typ, 0);
        bus.detach(&watcher);
        bus.detach(&driver);
        return result;
    }
    result.ok = true;
    result.report << driver.ZentraleLabel + u' ' + driver.ProtokolLabel + QStringLiteral(", ") + driver.ApplikationLabel
                         + QStringLiteral(", ") + driver.HardwareLabel;
    result.report << QStringLiteral("Loks: %1").arg(driver.loks().size());
    for (const LokRecord& lok : driver.loks()) {
        result.report << QStringLiteral("  %1 Adresse %2 %3 %4 Fahrstufen \"%5\"")
                             .arg(lok.Key)
                             .arg(lok.Addr)
                             .arg(lok.Protokoll)
                             .arg(lok.Fahrstufen)
                             .arg(lok.Name);
    }
    result.report << QStringLiteral("Magnetartikel: %1").arg(driver.magnetArtikel().size());
    for (const MagRecord& mag : driver.magnetArtikel()) {
        result.report << QStringLiteral("  %1 Adresse %2 \"%3\"").arg(mag.Id).arg(mag.Addr).arg(mag.Name);
    }
    result.report << QStringLiteral("Rückmeldemodule: %1 (%2 Gleiskontakte)").arg(driver.modulAnzahl()).arg(driver.kontaktAnzahl());
    for (int i = 0; i < driver.modulAnzahl(); ++i) {
        const S88Record& m = driver.module()[static_cast<size_t>(i)];
        result.report << QStringLiteral("  %1: %2(%3)").arg(i + 1).arg(m.Label, m.Id);
    }
    result.report << QStringLiteral("Gleisspannung: %1 (die Anmeldung schaltet sie aus)").arg(driver.Power ? QStringLiteral("an") : QStringLiteral("aus"));
    watcher.done = true;
    bus.broadcast(Msg::WM_TRENNEN, typ, 0);
    bus.detach(&watcher);
    bus.detach(&driver);
    return result;
}
