// The real ECoS-protocol drivers over TCP against the simulator on loopback, in the full program
// (main window, contact table, start window), for all three command-station types.
#include "common/RecordingReceiver.h"
#include "core/ScaledScheduler.h"
#include "common/ScriptedDialogs.h"
#include "common/WaitFor.h"
#include "core/Clock.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "core/StartProgram.h"
#include "diagram/GleisBild.h"
#include "diagram/TTrassolin.h"
#include "drivers/ecos/EcosListen.h"
#include "drivers/ecos/TProtokolEcos.h"
#include "operation/BetriebsDaten.h"
#include "operation/Zug.h"
#include "EcosProbe.h"
#include "EcosSimulator.h"
#include "settings/ProjectSettingsFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTcpServer>
#include <QTemporaryDir>

namespace {
constexpr qint64 Faster = 20; // 3 s attempts take 150 ms, the registration about half a second

const char* kScenario = R"(
info "ECoS2" 0.5 4.2.6 2.0
loco 1002 16 MMFKT "V 160"
loco 1003 80 MM14 "DB 103"
accessory 20000 5 "Weiche 5"
accessory 20001 6 "Signal 6"
module 100
module 101
)";

struct Loopback {
    QTemporaryDir root;
    MessageBus bus;
    ScaledScheduler scheduler{Faster};
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(10, 20, 30))};
    ScriptedDialogs dialogs;
    std::unique_ptr<Programm> programm;
    std::unique_ptr<ProgrammFenster> fenster;
    std::unique_ptr<Sim::EcosServer> sim;
    RecordingReceiver recorder;
    TProtokolEcos* driver = nullptr;

    explicit Loopback(int typ)
    {
        programm = std::make_unique<Programm>(bus, scheduler, clock, dialogs, root.path() + QStringLiteral("/"));
        QDir().mkpath(programm->projectFolder());
        sim = std::make_unique<Sim::EcosServer>(*Sim::Scenario::parse(QString::fromLatin1(kScenario)));
        EXPECT_TRUE(sim->listen(0));
        programm->settings.ZentraleTyp = typ;
        programm->settings.IpAddress = QStringLiteral("127.0.0.1");
        programm->settings.IpPort = sim->port();
        fenster = std::make_unique<ProgrammFenster>(*programm); // TCP transports
        bus.attach(&recorder);
        driver = fenster->ecosProtokol(typ);
        driver->LoksImmerVonZentraleLaden = true;
        driver->MagnetartikelImmerVonZentraleLaden = true;
        // A train linked to locomotive 1002, so the driver registers for its events.
        auto zug = std::make_unique<TZug>(programm.get());
        zug->ECOSID = QStringLiteral("1002");
        zug->Addr = 16;
        fenster->betriebsdaten().ZugListe.push_back(std::move(zug));
    }
    ~Loopback()
    {
        bus.detach(&recorder);
        fenster.reset();
        sim.reset();
    }
    bool betrieb() const { return driver->zustand() == TProtokolEcos::Zustand::Betrieb; }
    bool simSaw(const QString& command) const { return sim->station().commands().contains(command); }
};

class EcosLoopback : public ::testing::TestWithParam<int> {};
} // namespace

TEST_P(EcosLoopback, ConnectRegisterSwitchFeedbackDriveAndReconnect)
{
    const int typ = GetParam();
    Loopback f(typ);
    f.bus.broadcast(Msg::WM_VERBINDEN, typ, 0);
    ASSERT_TRUE(WaitFor([&] { return f.betrieb(); })) << "registration did not finish";
    EXPECT_EQ(f.recorder.count(Msg::WM_VERBUNDEN), 1);
    EXPECT_TRUE(f.programm->ZentraleVerbunden);
    EXPECT_EQ(f.recorder.count(Msg::WM_LOK_DATEN_ID_PROTOCOL), 1);
    EXPECT_EQ(f.recorder.count(Msg::WM_MAG_DATEN_OK), 1);
    ASSERT_TRUE(f.recorder.saw(Msg::WM_S88_EINGELESEN));
    EXPECT_EQ(*f.recorder.last(Msg::WM_S88_EINGELESEN), (CoreMessage{Msg::WM_S88_EINGELESEN, 2, 32}));
    EXPECT_EQ(f.recorder.count(Msg::WM_VERBINDENFERTIG), 1);
    EXPECT_EQ(f.recorder.count(Msg::WM_LOK_DATEN_VERGLEICHEN_OK), 1) << "the main window asked for the comparison";
    EXPECT_EQ(f.driver->ZentraleLabel, "ECoS2");
    EXPECT_FALSE(f.recorder.saw(Msg::WM_VERBINDENERROR));

    // Lists read and written.
    ASSERT_EQ(f.driver->loks().size(), 2u);
    EXPECT_EQ(f.driver->loks()[0].Name, "V 160");
    EXPECT_EQ(f.driver->loks()[0].Protokoll, "MFX");
    EXPECT_EQ(f.driver->loks()[1].Protokoll, "MOTOROLA");
    EXPECT_TRUE(f.driver->loks()[0].InDatenbank);
    EXPECT_EQ(f.driver->magTabelle()[6], "20001");
    EXPECT_EQ(f.driver->magnetArtikel()[1].Name, "Signal 6");
    EXPECT_EQ(f.driver->modulAnzahl(), 2);
    const QString prefix = f.driver->variante().dateiPrefix;
    EXPECT_EQ(LokListeLesen(f.programm->projectFolder() + prefix + "Loks.lda").loks.size(), 2u);
    EXPECT_EQ(MagListeLesen(f.programm->projectFolder() + prefix + "MagnetArt.ma2").mags.size(), 2u);
    EXPECT_TRUE(f.simSaw("request(1002, view)")) << "the linked locomotive is registered";

    // A turnout.
    f.bus.broadcast(Msg::WM_MAG, 6, 1);
    ASSERT_TRUE(WaitFor([&] { return f.sim->station().accessory(20001)->state == 1; }));

    // Feedback: port 3 of the second module is contact 19.
    f.sim->station().setPort(101, 3, true);
    ASSERT_TRUE(WaitFor([&] { return f.fenster->gleisbild().Kontakte().Besetzt(19); }));
    EXPECT_EQ(*f.recorder.last(Msg::WM_S88_CHANGE2), (CoreMessage{Msg::WM_S88_CHANGE2, 2, 4}));
    f.sim->station().setPort(101, 3, false);
    ASSERT_TRUE(WaitFor([&] { return !f.fenster->gleisbild().Kontakte().Besetzt(19); }));

    // A hand controller drives the linked locomotive.
    f.sim->station().handSpeed(1002, 40);
    ASSERT_TRUE(WaitFor([&] { return f.recorder.saw(Msg::WM_LOKSPEED_CHANGE); }));
    EXPECT_EQ(*f.recorder.last(Msg::WM_LOKSPEED_CHANGE), (CoreMessage{Msg::WM_LOKSPEED_CHANGE, 16, 40}));

    // The program drives it too.
    f.bus.broadcast(Msg::WM_LOKSPEED, QStringLiteral("1002"), 12);
    ASSERT_TRUE(WaitFor([&] { return f.sim->station().loco(1002)->speed == 12; }));

    // Power both ways.
    f.bus.broadcast(Msg::WM_POWERON_SENDEN, typ, 0);
    ASSERT_TRUE(WaitFor([&] { return f.fenster->hauptfenster().PowerAn; }));
    EXPECT_TRUE(f.sim->station().power());
    f.sim->station().setPower(false); // the stop key on the command station
    ASSERT_TRUE(WaitFor([&] { return !f.fenster->hauptfenster().PowerAn; }));

    // The link breaks; connecting again restarts the reader.
    f.recorder.messages.clear();
    f.sim->dropAll();
    ASSERT_TRUE(WaitFor([&] { return f.recorder.saw(Msg::WM_GETRENNT); }));
    EXPECT_FALSE(f.programm->ZentraleVerbunden);
    EXPECT_FALSE(f.driver->readerLaeuft());
    f.bus.broadcast(Msg::WM_VERBINDEN, typ, 0);
    ASSERT_TRUE(WaitFor([&] { return f.betrieb(); }));
    f.sim->station().setPort(100, 1, true);
    ASSERT_TRUE(WaitFor([&] { return f.fenster->gleisbild().Kontakte().Besetzt(1); }));

    // Orderly disconnect.
    f.recorder.messages.clear();
    f.bus.broadcast(Msg::WM_TRENNEN, typ, 0);
    ASSERT_TRUE(WaitFor([&] { return f.recorder.saw(Msg::WM_GETRENNT) && f.sim->clientCount() == 0; }));
    EXPECT_TRUE(f.simSaw("release(1, view)"));
    EXPECT_TRUE(f.simSaw("release(20001, control)"));
    EXPECT_FALSE(f.sim->station().power());
    EXPECT_FALSE(f.programm->ZentraleVerbunden);
}

TEST_P(EcosLoopback, RefusedConnectionGivesExactlyOneErrorAfterTheLastAttempt)
{
    const int typ = GetParam();
    Loopback f(typ);
    // A port nobody listens on.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    f.programm->settings.IpPort = probe.serverPort();
    probe.close();
    f.bus.broadcast(Msg::WM_VERBINDEN, typ, 0);
    ASSERT_TRUE(WaitFor([&] { return f.recorder.saw(Msg::WM_VERBINDENERROR); }));
    EXPECT_EQ(f.driver->versuche(), 3);
    EXPECT_TRUE(f.driver->infoLog.filter("ClientSocketError!!").size() == 2) << f.driver->infoLog.join('\n').toStdString();
    EXPECT_EQ(f.dialogs.asked, QStringList({"Zentrale konnte nicht verbunden werden!!"}));
    // Nothing more comes (bounded look: ten more attempt periods).
    const qint64 until = f.scheduler.now() + 30000;
    WaitFor([&] { return f.scheduler.now() > until; });
    EXPECT_EQ(f.recorder.count(Msg::WM_VERBINDENERROR), 1);
    EXPECT_FALSE(f.programm->ZentraleVerbunden);
}

INSTANTIATE_TEST_SUITE_P(Types, EcosLoopback, ::testing::Values(8, 7, 5));

TEST(EcosSimulator, ScenarioAndControlCommands)
{
    QString error;
    EXPECT_FALSE(Sim::Scenario::parse(QStringLiteral("loco 12 3 DCC28 \"x\""), &error).has_value());
    EXPECT_EQ(error, "line 1: loco id 1000..9999 and address expected");
    EXPECT_FALSE(Sim::Scenario::parse(QStringLiteral("# ok\nmodule 100\nturntable 1"), &error).has_value());
    EXPECT_EQ(error, "line 3: unknown item: turntable 1");
    const std::optional<Sim::Scenario> s = Sim::Scenario::parse(QString::fromLatin1(kScenario));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->locos[0].name, "V 160");
    EXPECT_EQ(s->accessories[1].addr, 6);

    Sim::EcosServer server(*s);
    Sim::EcosControl control(server);
    const struct {
        const char* line;
        const char* answer;
    } rows[] = {
        {"occupy 100 3", "OK"}, {"occupy 100 17", "ERROR unknown object"}, {"free 102 1", "ERROR unknown object"},
        {"state 101 8001", "OK"}, {"speed 1002 30", "OK"}, {"speed 1999 30", "ERROR unknown object"},
        {"power go", "OK"}, {"delay 10", "OK"}, {"quit", "BYE"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(control.execute(QString::fromLatin1(row.line)), QString::fromLatin1(row.answer)) << row.line;
    }
    EXPECT_TRUE(control.execute(QStringLiteral("jump")).startsWith("ERROR occupy"));
    EXPECT_EQ(server.station().layout().modules[0].state, 4u);
    EXPECT_EQ(server.station().layout().modules[1].state, 0x8001u);
    EXPECT_EQ(server.station().loco(1002)->speed, 30);
    EXPECT_TRUE(server.station().power());

    // Protocol answers of the station itself, without sockets.
    Sim::EcosStation& st = server.station();
    EXPECT_EQ(st.handle(1, QStringLiteral("queryObjects(10, addr, name)")),
              QByteArray("<REPLY queryObjects(10, addr, name)>\r\n1002 addr[16] name[\"V 160\"]\r\n1003 addr[80] name[\"DB 103\"]\r\n<END 0 (OK)>\r\n"));
    EXPECT_EQ(st.handle(1, QStringLiteral("set(1002, speed[3])")),
              QByteArray("<REPLY set(1002, speed[3])>\r\n<END 25 (NERROR_NOCONTROL)>\r\n"));
    EXPECT_EQ(st.handle(1, QStringLiteral("get(9999, addr)")), QByteArray("<REPLY get(9999, addr)>\r\n<END 15 (NERROR_UNKNOWNID)>\r\n"));
    EXPECT_EQ(st.handle(1, QStringLiteral("queryObjects(26,ports)")),
              QByteArray("<REPLY queryObjects(26,ports)>\r\n100 ports[16]\r\n101 ports[16]\r\n<END 0 (OK)>\r\n"));
}

namespace {
// A project folder whose settings name an ECoS-protocol station at 127.0.0.1:`port`.
QString probeProject(const QTemporaryDir& root, int typ, int port)
{
    const QString folder = root.path() + QStringLiteral("/Projekte/Probe");
    QDir().mkpath(folder);
    ProjectSettings settings;
    settings.ZentraleTyp = typ;
    settings.IpAddress = QStringLiteral("127.0.0.1");
    settings.IpPort = port;
    ProjectFileContext context;
    context.programFolder = root.path() + u'/';
    context.projectName = QStringLiteral("Probe");
    context.dateText = QStringLiteral("11.12.2026");
    QString error;
    EXPECT_TRUE(SaveProjectSettingsFile(folder + QStringLiteral("/Probe.pro"), settings, context, &error)) << error.toStdString();
    return folder;
}
} // namespace

TEST(EcosProbeTool, ReportsWhatTheStationHoldsAndLeavesTheProjectAlone)
{
    Sim::EcosServer sim(*Sim::Scenario::parse(QString::fromLatin1(kScenario)));
    ASSERT_TRUE(sim.listen(0));
    QTemporaryDir root;
    const QString folder = probeProject(root, 8, sim.port());
    const EcosProbeResult result = EcosProbe(folder, Faster, 60000);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(result.report.contains("Loks: 2")) << result.report.join('\n').toStdString();
    EXPECT_TRUE(result.report.contains("  1002 Adresse 16 MFX 128 Fahrstufen \"V 160\""));
    EXPECT_TRUE(result.report.contains("  20001 Adresse 6 \"Signal 6\""));
    EXPECT_TRUE(result.report.contains("Rückmeldemodule: 2 (32 Gleiskontakte)"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"Probe.pro"}));
    EXPECT_TRUE(WaitFor([&] { return sim.clientCount() == 0; })) << "the probe disconnects";

    const struct {
        int typ;
        int port;
        const char* error;
    } failures[] = {
        {6, sim.port(), "Die Zentrale des Projekts (Typ 6, Märklin Central Station 2) spricht nicht das ECoS-Protokoll"},
        {8, 1, "Zentrale konnte nicht verbunden werden (keine Verbindung nach den Verbindungsversuchen)"},
    };
    for (const auto& row : failures) {
        QTemporaryDir other;
        const EcosProbeResult failed = EcosProbe(probeProject(other, row.typ, row.port), Faster, 60000);
        EXPECT_FALSE(failed.ok);
        EXPECT_EQ(failed.error, QString::fromUtf8(row.error));
    }
}
