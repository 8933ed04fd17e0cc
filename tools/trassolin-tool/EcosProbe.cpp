#include "EcosProbe.h"

#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "core/QtScheduler.h"
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
// Nobody answers dialogs in a probe: information is collected, questions are declined.
class SilentDialogs final : public Dialogs {
public:
    void information(const QString& text) override { texts << text; }
    bool confirmation(const QString& text) override { texts << text; return false; }
    bool yesNo(const QString& text) override { texts << text; return false; }
    std::optional<QString> textInput(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<TColor> chooseColor(TColor) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }
    QStringList texts;
};

class ScaledQtScheduler final : public Scheduler {
public:
    explicit ScaledQtScheduler(int factor) : factor_(std::max(1, factor)) {}
    qint64 now() const override { return inner_.now() * factor_; }
    void after(qint64 ms, const QString& tag, Step step) override { inner_.after(ms / factor_, tag, std::move(step)); }
    void every(qint64 ms, const QString& tag, Step step) override
    {
        inner_.every(std::max<qint64>(1, ms / factor_), tag, std::move(step));
    }
    void cancel(const QString& tag) override { inner_.cancel(tag); }
    bool isPending(const QString& tag) const override { return inner_.isPending(tag); }

private:
    QtScheduler inner_;
    qint64 factor_;
};

// Ends the probe's event loop on the messages that decide it.
class Watcher final : public MessageReceiver {
public:
    explicit Watcher(QEventLoop& loop) : loop_(loop) {}
    void receive(const CoreMessage& m) override
    {
        if (m.id == Msg::WM_VERBINDENERROR) {
            error = QStringLiteral("no connection after the attempts (WM_VERBINDENERROR)");
            loop_.quit();
        } else if (m.id == Msg::WM_GETRENNT && !done) {
            error = QStringLiteral("the command station closed the link during the registration");
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
        result.error = QStringLiteral("no project settings file ") + pro;
        return result;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        result.error = QStringLiteral("no temporary folder");
        return result;
    }
    MessageBus bus;
    ScaledQtScheduler scheduler(timeScale);
    SystemClock clock;
    SilentDialogs dialogs;
    Programm programm(bus, scheduler, clock, dialogs, scratch.path() + u'/');
    programm.ProjektName = name;
    QDir().mkpath(programm.projectFolder());
    ProjectFileContext context;
    context.programFolder = QDir(folder.absoluteFilePath() + QStringLiteral("/../..")).canonicalPath() + u'/';
    context.projectName = name;
    const ProjectSettingsLoadResult loaded = LoadProjectSettingsFile(pro, context, programm.settings);
    if (!loaded.ok) {
        result.error = QStringLiteral("project settings not readable: ") + loaded.error;
        return result;
    }
    EcosVariante variante;
    switch (programm.settings.ZentraleTyp) {
    case 8: variante = EcosVariante::EC2(); break;
    case 7: variante = EcosVariante::EC1(); break;
    case 5: variante = EcosVariante::CS1(); break;
    default:
        result.error = QStringLiteral("the project's command station (type %1, %2) does not speak the ECoS protocol")
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
    result.report << QStringLiteral("Command station: %1 at %2:%3")
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
        watcher.error = QStringLiteral("the registration did not finish in time (step %1)").arg(driver.schritt());
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
    result.report << QStringLiteral("Locomotives: %1").arg(driver.loks().size());
    for (const LokRecord& lok : driver.loks()) {
        result.report << QStringLiteral("  %1 address %2 %3 %4 steps \"%5\"")
                             .arg(lok.Key)
                             .arg(lok.Addr)
                             .arg(lok.Protokoll)
                             .arg(lok.Fahrstufen)
                             .arg(lok.Name);
    }
    result.report << QStringLiteral("Accessories: %1").arg(driver.magnetArtikel().size());
    for (const MagRecord& mag : driver.magnetArtikel()) {
        result.report << QStringLiteral("  %1 address %2 \"%3\"").arg(mag.Id).arg(mag.Addr).arg(mag.Name);
    }
    result.report << QStringLiteral("Feedback modules: %1 (%2 contacts)").arg(driver.modulAnzahl()).arg(driver.kontaktAnzahl());
    for (int i = 0; i < driver.modulAnzahl(); ++i) {
        const S88Record& m = driver.module()[static_cast<size_t>(i)];
        result.report << QStringLiteral("  %1: %2(%3)").arg(i + 1).arg(m.Label, m.Id);
    }
    result.report << QStringLiteral("Track power: %1 (the registration switches it off)").arg(driver.Power ? QStringLiteral("on") : QStringLiteral("off"));
    watcher.done = true;
    bus.broadcast(Msg::WM_TRENNEN, typ, 0);
    bus.detach(&watcher);
    bus.detach(&driver);
    return result;
}
