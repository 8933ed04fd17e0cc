#include "drivers/EcosFixture.h"
#include "drivers/ecos/EcosListen.h"

#include <gtest/gtest.h>

#include <QFile>
#include <random>

namespace {
// Feeds `bytes` in chunks of random length (1..maxChunk), one reader tick after each chunk.
void feedSplit(EcosFixture& f, const QByteArray& bytes, std::mt19937& random, int maxChunk)
{
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const qsizetype n = std::min<qsizetype>(1 + random() % maxChunk, bytes.size() - pos);
        f.feed(bytes.mid(pos, n));
        f.tick();
        pos += n;
    }
    f.tick();
}
} // namespace

// ---- connecting ---------------------------------------------------------------------------------

TEST(EcosDriver, UnreachableStationTwoAttemptsThenExactlyOneError)
{
    EcosFixture f;
    f.bus.broadcast(Msg::WM_VERBINDEN, 8, 0);
    EXPECT_EQ(f.driver->zustand(), TProtokolEcos::Zustand::Verbinden);
    f.scheduler.advance(2999);
    EXPECT_EQ(f.link.opens, 0);
    f.scheduler.advance(1);
    EXPECT_EQ(f.link.opens, 1);
    EXPECT_EQ(f.link.lastHost, "127.0.0.1");
    EXPECT_EQ(f.link.lastPort, 15471);
    f.link.refuse();
    EXPECT_TRUE(f.driver->infoLog.last().startsWith("ClientSocketError!! 1"));
    EXPECT_EQ(f.driver->Meldung, "Die Centrale (IP : 127.0.0.1) wurde nicht gefunden \rBitte Netzwerkverbinden Prüfen");
    f.scheduler.advance(3000);
    EXPECT_EQ(f.link.opens, 2);
    f.link.refuse();
    f.scheduler.advance(2999);
    EXPECT_FALSE(f.recorder.saw(Msg::WM_VERBINDENERROR));
    f.scheduler.advance(1);
    EXPECT_EQ(f.recorder.count(Msg::WM_VERBINDENERROR), 1);
    EXPECT_EQ(f.link.opens, 2) << "the third tick reports instead of trying";
    f.scheduler.advance(60000);
    EXPECT_EQ(f.recorder.count(Msg::WM_VERBINDENERROR), 1);
    EXPECT_EQ(f.link.opens, 2);
    EXPECT_EQ(f.driver->zustand(), TProtokolEcos::Zustand::Getrennt);
    EXPECT_TRUE(f.driver->infoLog.contains("Verbindung nicht möglich"));
    EXPECT_FALSE(f.programm.ZentraleVerbunden);
}

TEST(EcosDriver, SecondAttemptConnectsAndStopsTheAttemptTimer)
{
    EcosFixture f;
    f.bus.broadcast(Msg::WM_VERBINDEN, 8, 0);
    f.scheduler.advance(3000);
    f.link.refuse();
    f.scheduler.advance(3000);
    f.link.accept();
    ASSERT_EQ(f.recorder.count(Msg::WM_VERBUNDEN), 1);
    EXPECT_EQ(*f.recorder.last(Msg::WM_VERBUNDEN), (CoreMessage{Msg::WM_VERBUNDEN, 8, 0}));
    EXPECT_TRUE(f.programm.ZentraleVerbunden);
    EXPECT_TRUE(f.driver->readerLaeuft());
    EXPECT_EQ(f.driver->zustand(), TProtokolEcos::Zustand::Anmelden);
    f.scheduler.advance(10000);
    EXPECT_FALSE(f.recorder.saw(Msg::WM_VERBINDENERROR));
    EXPECT_EQ(f.link.opens, 2);
}

TEST(EcosDriver, OtherTypesAndTypeZeroLeaveTheDriverIdle)
{
    for (int typ : {0, 5, 6, 7, 9}) {
        EcosFixture f;
        f.bus.broadcast(Msg::WM_VERBINDEN, typ, 0);
        f.bus.broadcast(Msg::WM_OPEN_LOKLISTE, typ, QStringLiteral("Default"));
        f.scheduler.advance(20000);
        EXPECT_EQ(f.link.opens, 0) << typ;
        EXPECT_EQ(f.driver->zustand(), TProtokolEcos::Zustand::Getrennt) << typ;
        EXPECT_TRUE(f.driver->loks().empty()) << typ;
    }
}

// ---- registration -------------------------------------------------------------------------------

TEST(EcosDriver, RegistrationReadsEverythingStepByStep)
{
    EcosFixture f;
    f.addTrain(QStringLiteral("1005"), 5);
    f.driver->LoksImmerVonZentraleLaden = true;
    f.connect();
    f.clear();
    const auto step = [&f] {
        f.link.sent.clear();
        f.scheduler.advance(1000);
        return f.sent();
    };
    EXPECT_EQ(step(), QStringList({"request(1, view)"}));
    EXPECT_EQ(step(), QStringList({"get(1, info)", "set(1, stop)"}));
    f.feed("<REPLY request(1, view)>\r\n<END 0 (OK)>\r\n<REPLY get(1, info)>\r\n1 ECoS2\r\n1 ProtocolVersion[0.5]\r\n"
           "1 ApplicationVersion[4.2.6]\r\n1 HardwareVersion[2.0]\r\n<END 0 (OK)>\r\n<REPLY set(1, stop)>\r\n<END 0 (OK)>\r\n");
    f.tick();
    EXPECT_EQ(f.driver->ZentraleLabel, "ECoS2");
    EXPECT_EQ(f.driver->ApplikationLabel, "ApplicationVersion : 4.2.6");
    EXPECT_EQ(f.driver->StatusText, "ECoS2 ProtocolVersion : 0.5 / App : 4.2.6 / HardwareVersion : 2.0");
    EXPECT_EQ(f.broadcasts({Msg::WM_POWEROFF}), QStringList({"WM_POWEROFF(8, 0)"}));
    EXPECT_EQ(step(), QStringList({"request(10, view)", "queryObjects(10, addr, name)"}));
    EXPECT_EQ(step(), QStringList()) << "waits for the locomotives";
    // The reply as an ECoS 2 sends it: name first, one line broken in two.
    f.feed("<REPLY queryObjects(10, addr, name)>\r\n1005 name[\"BR 01\"] addr[5]\r\n1006 name[\"V 200\"] addr[\r\n200]\r\n"
           "1007 addr[7] name[\"K\xf6" "f\"]\r\nxyz1 addr[9]\r\n1008 name[\"ohne\"] addr[x]\r\n<END 0 (OK)>\r\n");
    f.tick();
    ASSERT_EQ(f.driver->loks().size(), 3u);
    EXPECT_EQ(f.driver->loks()[1].Key, "1006");
    EXPECT_EQ(f.driver->loks()[1].Name, "V 200");
    EXPECT_EQ(f.driver->loks()[1].Addr, 200);
    EXPECT_EQ(f.driver->loks()[2].Name, "Köf");
    EXPECT_EQ(f.driver->StatusText, "Loks eingelesen : 3");
    EXPECT_EQ(step(), QStringList({"queryObjects(10, protocol)"}));
    EXPECT_EQ(step(), QStringList({"request(11, view)"})) << "repeats until the protocols are in";
    // Out of list order: each line names its own locomotive.
    f.feed("<REPLY queryObjects(10, protocol)>\r\n1007 protocol[MM14]\r\n1005 protocol[DCC128]\r\n1006 protocol[MMFKT]\r\n<END 0 (OK)>\r\n");
    f.tick();
    EXPECT_EQ(f.broadcasts({Msg::WM_LOK_DATEN_ID_PROTOCOL}), QStringList({"WM_LOK_DATEN_ID_PROTOCOL(0, 0)"}));
    EXPECT_EQ(f.driver->loks()[0].Protokoll, "DCC");
    EXPECT_EQ(f.driver->loks()[0].Fahrstufen, 128);
    EXPECT_EQ(f.driver->loks()[1].Protokoll, "MFX");
    EXPECT_EQ(f.driver->loks()[2].Protokoll, "MOTOROLA");
    EXPECT_EQ(f.driver->loks()[2].Fahrstufen, 14);
    EXPECT_EQ(step(), QStringList({"request(11, view)", "queryObjects(11, addr)"}));
    f.feed("<REPLY queryObjects(11, addr)>\r\n20000 addr[5]\r\n20001 addrext[7g,7r]\r\n20002 addr[250]\r\n20003 addr[0]\r\n<END 0 (OK)>\r\n");
    f.link.sent.clear();
    f.tick();
    EXPECT_EQ(f.sent(), QStringList({"request(20000, control, force)", "request(20001, control, force)", "request(20003, control, force)"}));
    EXPECT_EQ(f.driver->magTabelle()[5], "20000");
    EXPECT_EQ(f.driver->magTabelle()[7], "20001");
    EXPECT_EQ(f.driver->magTabelle()[0], "20003");
    EXPECT_EQ(f.driver->magnetArtikel().size(), 3u) << "address 250 lies outside the table";
    EXPECT_EQ(step(), QStringList({"queryObjects(11, name1)"}));
    f.feed("<REPLY queryObjects(11, name1)>\r\n20000 name1[\"Weiche A\"]\r\n20001 name1[\"Signal B\"]\r\n<END 0 (OK)>\r\n");
    f.tick();
    EXPECT_EQ(f.broadcasts({Msg::WM_MAG_DATEN_OK}), QStringList({"WM_MAG_DATEN_OK(0, 0)"}));
    EXPECT_EQ(f.driver->magnetArtikel()[1].Name, "Signal B");
    EXPECT_EQ(step(), QStringList({"request(26, view)", "queryObjects(26,ports)"}));
    EXPECT_EQ(step(), QStringList()) << "waits for the modules";
    f.link.sent.clear();
    f.feed("<REPLY queryObjects(26,ports)>\r\n100 ports[16]\r\n200 ports[16]\r\n<END 0 (OK)>\r\n");
    f.tick();
    EXPECT_EQ(f.sent(), QStringList({"request(100, view)", "set(100, ports[16])", "request(200, view)", "set(200, ports[16])"}));
    EXPECT_EQ(f.broadcasts({Msg::WM_S88_EINGELESEN, Msg::WM_VERBINDENFERTIG}),
              QStringList({"WM_S88_EINGELESEN(2, 32)", "WM_VERBINDENFERTIG(0, 0)"}));
    EXPECT_EQ(f.programm.settings.GleiskontaktAnzahl, 32);
    ASSERT_EQ(f.programm.settings.S88Module.size(), 2u);
    EXPECT_EQ(f.programm.settings.S88Module[1].Name, "ECOS DETECTOR ");
    EXPECT_EQ(f.programm.settings.S88Module[1].ModulId, 200);
    EXPECT_EQ(f.programm.settings.S88Module[0].Name, "S88 ");
    EXPECT_EQ(f.programm.settings.S88Module[0].Kontakte[15], 16);
    EXPECT_EQ(f.driver->module()[1].Label, "ECOS DETECTOR ");
    // The main window compares on WM_VERBINDENFERTIG; here the test does.
    f.bus.broadcast(Msg::WM_LOK_DATEN_VERGLEICHEN, 0, 8);
    EXPECT_EQ(step(), QStringList()) << "step 8: power stays off";
    EXPECT_EQ(step(), QStringList());
    EXPECT_EQ(step(), QStringList({"request(1005, view)"})) << "only the locomotive linked to a train";
    step();
    EXPECT_EQ(f.driver->zustand(), TProtokolEcos::Zustand::Betrieb);
    EXPECT_EQ(step(), QStringList()) << "the registration timer stopped";
    EXPECT_TRUE(f.driver->readerLaeuft());

    // The lists are in the project folder and read back.
    const LokListeGelesen loks = LokListeLesen(f.programm.projectFolder() + "EC2Loks.lda");
    ASSERT_TRUE(loks.error.isEmpty()) << loks.error.toStdString();
    ASSERT_EQ(loks.loks.size(), 3u);
    EXPECT_EQ(loks.loks[2].Name, "Köf");
    EXPECT_EQ(loks.loks[2].Protokoll, "MOTOROLA");
    const MagListeGelesen mags = MagListeLesen(f.programm.projectFolder() + "EC2MagnetArt.ma2");
    ASSERT_TRUE(mags.error.isEmpty()) << mags.error.toStdString();
    ASSERT_EQ(mags.mags.size(), 3u);
    EXPECT_EQ(mags.mags[0].Name, "Weiche A");
}

TEST(EcosDriver, WithoutReadingOptionsTheStoredListsStay)
{
    EcosFixture f;
    f.driver->MagnetartikelImmerVonZentraleLaden = false;
    f.bus.broadcast(Msg::WM_OPEN_LOKLISTE, 8, QStringLiteral("Default"));
    const QByteArray before = QFile(f.programm.projectFolder() + "EC2Loks.lda").exists() ? QByteArray("x") : QByteArray();
    ASSERT_FALSE(before.isEmpty());
    f.connect();
    f.clear();
    QStringList all;
    for (int i = 0; i < 7; ++i) {
        f.scheduler.advance(1000);
    }
    EXPECT_EQ(f.sent(), QStringList({"request(1, view)", "get(1, info)", "set(1, stop)", "request(10, view)", "request(11, view)",
                                     "request(26, view)", "queryObjects(26,ports)"}));
    EXPECT_EQ(f.driver->loks().size(), 4u) << "the placeholders stay";
}

// ---- the receive rules ---------------------------------------------------------------------------

struct ParserRow {
    const char* name;
    QByteArray bytes;
    QStringList broadcasts; // of the driver, "NAME(w, l)"
    QStringList sent;
};


TEST(EcosDriver, ReceiveRulesGiveTheSameResultForAnySplit)
{
    const std::vector<ParserRow> rows = {
        {"power event go", "<EVENT 1>\r\n1 status[GO]\r\n<END 0 (OK)>\r\n", {"WM_POWERON(0, 0)"}, {}},
        {"power event stop", "<EVENT 1>\r\n1 status[STOP]\r\n<END 0 (OK)>\r\n", {"WM_POWEROFF(0, 0)"}, {}},
        {"power event shutdown", "<EVENT 1>\r\n1 status[SHUTDOWN]\r\n<END 0 (OK)>\r\n", {"WM_POWEROFF(0, 0)"}, {}},
        {"reply go", "<REPLY set(1, go)>\r\n<END 0 (OK)>\r\n", {"WM_POWERON(8, 0)"}, {}},
        {"reply stop", "<REPLY set(1, stop)>\r\n<END 0 (OK)>\r\n", {"WM_POWEROFF(8, 0)"}, {}},
        {"speed, not speedstep", "<EVENT 1002>\r\n1002 speed[12]\r\n1002 speedstep[2]\r\n<END 0 (OK)>\r\n",
         {"WM_LOKSPEED_CHANGE(16, 12)"}, {}},
        {"function", "<EVENT 1002>\r\n1002 func[3, 1]\r\n<END 0 (OK)>\r\n", {"WM_LOKFUNK_ECOSID_CHANGE(1002, 196609)"}, {}},
        {"function above 16 ignored", "<EVENT 1002>\r\n1002 func[17, 1]\r\n<END 0 (OK)>\r\n", {}, {}},
        {"direction", "<EVENT 1078>\r\n1078 dir[1]\r\n<END 0 (OK)>\r\n", {"WM_LOKDIR_ECOSID_CHANGE(1078, 1)"}, {}},
        {"unknown locomotive", "<EVENT 1999>\r\n1999 speed[5]\r\n<END 0 (OK)>\r\n", {}, {}},
        {"first module", "<EVENT 100>\r\n100 state[0x8001]\r\n<END 0 (OK)>\r\n", {"WM_S88_CHANGE2(1, 32769)"}, {}},
        {"second module", "<EVENT 101>\r\n101 state[0x4]\r\n<END 0 (OK)>\r\n", {"WM_S88_CHANGE2(2, 4)"}, {}},
        {"detector module", "<EVENT 200>\r\n200 state[0xC001]\r\n<END 0 (OK)>\r\n", {"WM_S88_CHANGE2(3, 49153)"}, {}},
        {"module not read", "<EVENT 150>\r\n150 state[0x1]\r\n<END 0 (OK)>\r\n", {}, {}},
        {"control lost", "<EVENT 1002>\r\n1002 msg[CONTROL_LOST]\r\n<END 0 (OK)>\r\n", {}, {"request(1002, view)"}},
        {"attribute line", "<REPLY get(1002, name)>\r\n1002 name[\"Neu\"]\r\n<END 0 (OK)>\r\n",
         {"WM_LOCONAME(8, \"1002 name[\"Neu\"]\")"}, {}},
        {"single protocol reply", "<REPLY get(1002, protocol)>\r\n1002 protocol[DCC28]\r\n<END 0 (OK)>\r\n", {}, {}},
        {"dir reply", "<REPLY get(1004, dir)>\r\n1004 dir[0]\r\n<END 0 (OK)>\r\n", {"WM_LOKDIR_ECOSID_CHANGE(1004, 0)"}, {}},
        {"other replies dropped", "<REPLY set(1002, speed[12])>\r\n<END 0 (OK)>\r\n<EVENT 20001>\r\n20001 state[1]\r\n<END 0 (OK)>\r\n", {}, {}},
        {"several blocks in order",
         "<EVENT 100>\r\n100 state[0x1]\r\n<END 0 (OK)>\r\n<EVENT 1>\r\n1 status[GO]\r\n<END 0 (OK)>\r\n<EVENT 100>\r\n100 state[0x0]\r\n<END 0 (OK)>\r\n",
         {"WM_S88_CHANGE2(1, 1)", "WM_POWERON(0, 0)", "WM_S88_CHANGE2(1, 0)"}, {}},
    };
    const std::initializer_list<Msg> watched = {Msg::WM_POWERON, Msg::WM_POWEROFF, Msg::WM_LOKSPEED_CHANGE,
                                                Msg::WM_LOKFUNK_ECOSID_CHANGE, Msg::WM_LOKDIR_ECOSID_CHANGE,
                                                Msg::WM_S88_CHANGE2, Msg::WM_LOCONAME};
    std::mt19937 random(11);
    for (const ParserRow& row : rows) {
        for (int round = 0; round < 12; ++round) {
            EcosFixture f;
            f.connectReady();
            if (round == 0) {
                f.feed(row.bytes);
                f.tick();
            } else {
                feedSplit(f, row.bytes, random, round < 6 ? 3 : 17);
            }
            EXPECT_EQ(f.broadcasts(watched), row.broadcasts) << row.name << " round " << round;
            EXPECT_EQ(f.sent(), row.sent) << row.name << " round " << round;
            EXPECT_TRUE(f.driver->empfangsQueue().empty()) << row.name;
            if (QByteArray(row.name) == "attribute line") {
                EXPECT_EQ(f.driver->loks()[0].Name, "Neu");
            }
            if (QByteArray(row.name) == "single protocol reply") {
                EXPECT_EQ(f.driver->loks()[0].Fahrstufen, 28);
            }
        }
    }
}

TEST(EcosDriver, BlockWaitsForItsEndLineWithFallback)
{
    EcosFixture f;
    f.connectReady();
    f.feed("<EVENT 100>\r\n100 state[0x1]\r\n");
    f.scheduler.advance(300);
    EXPECT_FALSE(f.recorder.saw(Msg::WM_S88_CHANGE2)) << "no end line yet";
    f.feed("<END 0 (OK)>\r\n");
    f.tick();
    EXPECT_EQ(f.broadcasts({Msg::WM_S88_CHANGE2}), QStringList({"WM_S88_CHANGE2(1, 1)"}));
    f.clear();
    f.feed("<EVENT 101>\r\n101 state[0x2]\r\n");
    f.scheduler.advance(TProtokolEcos::BlockWarteMs - 60);
    EXPECT_FALSE(f.recorder.saw(Msg::WM_S88_CHANGE2));
    f.scheduler.advance(120);
    EXPECT_EQ(f.broadcasts({Msg::WM_S88_CHANGE2}), QStringList({"WM_S88_CHANGE2(2, 2)"})) << "handled as far as it came";
}

TEST(EcosDriver, BurstOfFeedbackIsHandledInOneTick)
{
    EcosFixture f;
    f.connectReady();
    QByteArray burst;
    for (int i = 0; i < 200; ++i) {
        burst += "<EVENT 100>\r\n100 state[" + QByteArray::number(i & 0xFFFF, 16).prepend("0x") + "]\r\n<END 0 (OK)>\r\n";
    }
    f.feed(burst);
    f.tick();
    EXPECT_EQ(f.recorder.count(Msg::WM_S88_CHANGE2), 200);
    EXPECT_EQ(f.recorder.last(Msg::WM_S88_CHANGE2)->l, Param(199));
}

TEST(EcosDriver, VariantsPlaceFeedbackModulesDifferently)
{
    const struct {
        EcosVariante variante;
        QStringList expected;
    } rows[] = {
        // Table place: 100 -> 1, 101 -> 2, 200 -> 3; 102 was not read.
        {EcosVariante::EC2(), {"WM_S88_CHANGE2(1, 1)", "WM_S88_CHANGE2(3, 2)"}},
        // id - 99 and id - 199.
        {EcosVariante::EC1(), {"WM_S88_CHANGE2(1, 1)", "WM_S88_CHANGE2(3, 3)", "WM_S88_CHANGE2(1, 2)"}},
        // no detector events
        {EcosVariante::CS1(), {"WM_S88_CHANGE2(1, 1)", "WM_S88_CHANGE2(3, 3)"}},
    };
    for (const auto& row : rows) {
        EcosFixture f(row.variante);
        f.connectReady();
        f.feed("<EVENT 100>\r\n100 state[0x1]\r\n<END 0 (OK)>\r\n<EVENT 200>\r\n200 state[0x2]\r\n<END 0 (OK)>\r\n"
               "<EVENT 102>\r\n102 state[0x3]\r\n<END 0 (OK)>\r\n");
        f.tick();
        QStringList got = f.broadcasts({Msg::WM_S88_CHANGE2});
        EXPECT_EQ(got.size(), row.expected.size()) << row.variante.dateiPrefix.toStdString();
        for (const QString& e : row.expected) {
            EXPECT_TRUE(got.contains(e)) << row.variante.dateiPrefix.toStdString() << " " << e.toStdString();
        }
    }
}

// ---- commands ------------------------------------------------------------------------------------

TEST(EcosDriver, CommandsFromCoreMessages)
{
    const struct {
        CoreMessage message;
        QStringList sent;
    } rows[] = {
        {{Msg::WM_POWERON_SENDEN, 8, 0}, {"set(1, go)"}},
        {{Msg::WM_POWEROFF_SENDEN, 8, 0}, {"set(1, stop)"}},
        {{Msg::WM_POWEROFF_SENDEN, 0, 0}, {}}, // the editor's message is not the ECoS's
        {{Msg::WM_LOKSPEED, QStringLiteral("1002"), 12}, {"request(1002, control, force)", "set(1002, speed[12])"}},
        {{Msg::WM_LOKDIR, QStringLiteral("1002"), 1}, {"request(1002, control, force)", "set(1002 , dir[1])"}},
        {{Msg::WM_LOKFUNK, QStringLiteral("1002"), 0x30001}, {"request(1002, control, force)", "set(1002, func[3, 1])"}},
        {{Msg::WM_LOKSPEED, QStringLiteral("1999"), 12}, {}}, // not in the list
        {{Msg::WM_MAG, 2, 1}, {"request(11, view)", "request(20002, control, force)", "set(20002, state[1])"}},
        {{Msg::WM_MAG, 3, 0}, {"request(11, view)", "request(20003, control, force)", "set(20003, state[0])"}},
        {{Msg::WM_MAG, 9, 1}, {}},   // "00000"
        {{Msg::WM_MAG, 251, 1}, {}}, // outside the table
        {{Msg::WM_MAG, -1, 1}, {}},
        {{Msg::WM_LOKSPEED, QStringLiteral("1002"), 5}, {"request(1002, control, force)", "set(1002, speed[5])"}},
    };
    EcosFixture f;
    f.connectReady();
    for (const auto& row : rows) {
        f.clear();
        f.bus.broadcast(row.message);
        EXPECT_EQ(f.sent(), row.sent) << ToString(row.message).toStdString();
    }
    // Not connected: nothing is sent.
    EcosFixture idle;
    idle.bus.broadcast(Msg::WM_OPEN_LOKLISTE, 8, QStringLiteral("Default"));
    idle.bus.broadcast(Msg::WM_OPEN_MAGNETARTLISTE, QStringLiteral("Default"), 8);
    for (const auto& row : rows) {
        idle.bus.broadcast(row.message);
    }
    EXPECT_EQ(idle.link.sent.size(), 0);
    EXPECT_EQ(idle.link.droppedSends, 0) << "the driver did not even try";
}

TEST(EcosDriver, CentralStation1SwitchesOffForTheEditor)
{
    EcosFixture f(EcosVariante::CS1());
    f.connectReady();
    f.bus.broadcast(Msg::WM_POWEROFF_SENDEN, 0, 0);
    EXPECT_EQ(f.sent(), QStringList({"set(1, stop)"}));
}

TEST(EcosDriver, DisconnectReleasesInOrderAndReportsOnce)
{
    EcosFixture f;
    f.connectReady();
    f.bus.broadcast(Msg::WM_TRENNEN, 8, 0);
    EXPECT_EQ(f.sent(), QStringList({"release(1002, control)", "release(1078, control)", "release(1004, control)",
                                     "release(1007, control)", "release(10, view)", "release(20001, control)",
                                     "release(20002, control)", "release(20003, control)", "release(20004, control)",
                                     "release(11, view)", "release(20, view)", "release(100, view)", "release(101, view)",
                                     "release(200, view)", "release(26, view)", "set(1, stop)", "release(1, view)"}));
    EXPECT_EQ(f.broadcasts({Msg::WM_POWEROFF, Msg::WM_GETRENNT}), QStringList({"WM_POWEROFF(8, 0)", "WM_GETRENNT(0, 0)"}));
    EXPECT_FALSE(f.programm.ZentraleVerbunden);
    EXPECT_FALSE(f.driver->readerLaeuft());
    EXPECT_EQ(f.link.closes, 1);
    EXPECT_FALSE(f.link.isOpen());
}

TEST(EcosDriver, DisconnectWithEmptyListsStillReleasesViewsAndSwitchesOff)
{
    EcosFixture f;
    f.connect();
    f.clear();
    f.bus.broadcast(Msg::WM_TRENNEN, 8, 0);
    EXPECT_EQ(f.sent(), QStringList({"release(10, view)", "release(11, view)", "release(20, view)", "release(26, view)",
                                     "set(1, stop)", "release(1, view)"}));
    EXPECT_EQ(f.link.closes, 1);
    EXPECT_FALSE(f.programm.ZentraleVerbunden);
}

TEST(EcosDriver, LostLinkReportsGetrenntAndReconnectRestartsTheReader)
{
    EcosFixture f;
    f.connectReady();
    f.link.drop();
    EXPECT_EQ(f.broadcasts({Msg::WM_GETRENNT}), QStringList({"WM_GETRENNT(0, 0)"}));
    EXPECT_FALSE(f.programm.ZentraleVerbunden);
    EXPECT_FALSE(f.driver->readerLaeuft());
    EXPECT_FALSE(f.driver->LeseKnoepfeAktiv);
    f.clear();
    f.connect();
    EXPECT_TRUE(f.driver->readerLaeuft());
    EXPECT_EQ(f.driver->schritt(), 1);
    f.feed("<EVENT 1>\r\n1 status[GO]\r\n<END 0 (OK)>\r\n");
    f.tick();
    EXPECT_EQ(f.broadcasts({Msg::WM_POWERON}), QStringList({"WM_POWERON(0, 0)"}));
}

// ---- lists ---------------------------------------------------------------------------------------

TEST(EcosDriver, ListsStartAsPlaceholdersAndLoadFromTheirFiles)
{
    for (const EcosVariante& variante : {EcosVariante::EC2(), EcosVariante::EC1(), EcosVariante::CS1()}) {
        const int typ = variante.typ;
        const QString prefix = variante.dateiPrefix;
        EcosFixture f(variante);
        f.bus.broadcast(Msg::WM_OPEN_LOKLISTE, typ, QStringLiteral("Default"));
        f.bus.broadcast(Msg::WM_OPEN_MAGNETARTLISTE, QStringLiteral("Default"), typ);
        EXPECT_EQ(f.broadcasts({Msg::WM_OPEN_LOKLISTE_OK, Msg::WM_OPEN_MAGNETARTLISTE_OK}),
                  QStringList({QStringLiteral("WM_OPEN_LOKLISTE_OK(%1, 0)").arg(typ), QStringLiteral("WM_OPEN_MAGNETARTLISTE_OK(0, %1)").arg(typ)}));
        ASSERT_EQ(f.driver->loks().size(), 4u);
        EXPECT_EQ(f.driver->loks()[1].Key, "1078");
        EXPECT_EQ(f.driver->loks()[1].Name, "DB 103 137-6");
        EXPECT_EQ(f.driver->loks()[1].Protokoll, "MM14");
        EXPECT_EQ(f.driver->loks()[1].BildName, "USER");
        EXPECT_EQ(f.driver->magTabelle()[4], "20004");
        EXPECT_TRUE(QFile::exists(f.programm.projectFolder() + prefix + "Loks.lda"));
        EXPECT_TRUE(QFile::exists(f.programm.projectFolder() + prefix + "MagnetArt.ma2"));

        // A second start reads the files.
        EcosFixture g(variante);
        QFile::copy(f.programm.projectFolder() + prefix + "Loks.lda", g.programm.projectFolder() + prefix + "Loks.lda");
        QFile::copy(f.programm.projectFolder() + prefix + "MagnetArt.ma2", g.programm.projectFolder() + prefix + "MagnetArt.ma2");
        g.bus.broadcast(Msg::WM_OPEN_LOKLISTE, typ, QStringLiteral("Default"));
        g.bus.broadcast(Msg::WM_OPEN_MAGNETARTLISTE, 1, typ);
        EXPECT_EQ(g.broadcasts({Msg::WM_OPEN_LOKLISTE_OK, Msg::WM_OPEN_MAGNETARTLISTE_OK}),
                  QStringList({QStringLiteral("WM_OPEN_LOKLISTE_OK(%1, 1)").arg(typ), QStringLiteral("WM_OPEN_MAGNETARTLISTE_OK(1, %1)").arg(typ)}));
        ASSERT_EQ(g.driver->loks().size(), 4u);
        EXPECT_EQ(g.driver->loks()[3].Name, "Br 55");
        EXPECT_EQ(g.driver->magnetArtikel()[0].Name, "Weiche1");
    }
}

TEST(EcosDriver, DamagedListFileIsReportedAndNeverOverwritten)
{
    EcosFixture f;
    const QString path = f.programm.projectFolder() + "EC2Loks.lda";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a tree");
    }
    f.bus.broadcast(Msg::WM_OPEN_LOKLISTE, 8, QStringLiteral("Default"));
    EXPECT_FALSE(f.recorder.saw(Msg::WM_OPEN_LOKLISTE_OK));
    EXPECT_FALSE(f.driver->LokListeSpeichern());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("not a tree"));
}

TEST(EcosDriver, ComparisonLinksLocomotivesToTrains)
{
    EcosFixture f;
    f.addTrain(QStringLiteral("0000"), 3);
    f.addTrain(QStringLiteral("1078"), 80);
    f.addTrain(QStringLiteral("1004"), 29, true);
    f.bus.broadcast(Msg::WM_OPEN_LOKLISTE, 8, QStringLiteral("Default"));
    f.clear();
    f.bus.broadcast(Msg::WM_LOK_DATEN_VERGLEICHEN, 0, 8);
    EXPECT_EQ(f.broadcasts({Msg::WM_LOK_DATEN_VERGLEICHEN_OK}), QStringList({"WM_LOK_DATEN_VERGLEICHEN_OK(0, 8)"}));
    const auto& loks = f.driver->loks();
    EXPECT_TRUE(loks[1].InDatenbank);
    EXPECT_EQ(loks[1].Mark, "V");
    EXPECT_EQ(loks[1].ZugNr, 1);
    EXPECT_FALSE(loks[2].InDatenbank) << "a removed train links nothing";
    EXPECT_FALSE(loks[0].InDatenbank);
    ASSERT_EQ(f.driver->zugAnsicht().size(), 2u);
    EXPECT_EQ(f.driver->zugAnsicht()[1].Mark, "V");
    EXPECT_EQ(f.driver->zugAnsicht()[0].Mark, "");

    f.bus.broadcast(Msg::WM_OPEN_MAGNETARTLISTE, QStringLiteral("Default"), 8);
    f.clear();
    f.bus.broadcast(Msg::WM_MAGVERGLEICHEN, 8, 0);
    EXPECT_EQ(f.broadcasts({Msg::WM_MAGIDSENDEN}).size(), 4);
    EXPECT_EQ(f.broadcasts({Msg::WM_MAGIDSENDEN}).front(), "WM_MAGIDSENDEN(1, \"Weiche1\")");
}

TEST(EcosDriver, AttributeMessagesFillTheRow)
{
    EcosFixture f;
    f.connectReady();
    f.driver->lokEinlesen(0);
    EXPECT_EQ(f.sent(), QStringList({"get(1002, addr)", "get(1002, name)", "get(1002, protocol)", "get(1002, locodesc)"}));
    f.feed("<REPLY get(1002, addr)>\r\n1002 addr[17]\r\n<END 0 (OK)>\r\n"
           "<REPLY get(1002, locodesc)>\r\n1002 locodesc[LOCO_TYPE_E,IMAGE_TYPE_INT,3]\r\n<END 0 (OK)>\r\n"
           "<REPLY get(1002, funcsymbol[2])>\r\n1002 funcsymbol[2,7]\r\n<END 0 (OK)>\r\n"
           "<REPLY get(1002, funcsymbol[3])>\r\n1002 funcsymbol[3,0]\r\n<END 0 (OK)>\r\n");
    f.tick();
    const LokRecord& row = f.driver->loks()[0];
    EXPECT_EQ(row.Addr, 17);
    EXPECT_EQ(row.SymbolText, "E-Lok");
    EXPECT_EQ(row.BildName, "IMAGE_TYPE_INT");
    EXPECT_EQ(row.SymbolNr, 3);
    EXPECT_TRUE(row.Funktionen[1]);
    EXPECT_EQ(row.FunktionBeschreibung[1], "7");
    EXPECT_FALSE(row.Funktionen[2]);
    EXPECT_TRUE(f.driver->infoLog.contains("MessageRecieve_LOCODESC LOKSLetztelocodesc 1002"));

    // The ECoS 1 broadcasts the description but leaves the row alone.
    EcosFixture e(EcosVariante::EC1());
    e.connectReady();
    e.feed("<REPLY get(1002, locodesc)>\r\n1002 locodesc[LOCO_TYPE_E,IMAGE_TYPE_INT,3]\r\n<END 0 (OK)>\r\n");
    e.tick();
    EXPECT_EQ(e.recorder.count(Msg::WM_LOCODESC), 1);
    EXPECT_EQ(e.driver->loks()[0].SymbolText, "Diesel-Lok");

    f.driver->lokFunktionenEinlesen(0, 17, 28);
    EXPECT_EQ(f.dialogs.asked.last(), "Funktionen 17-28 aus Zentrale ESU 50210 ECoS 2 laden \rIn Trassolin derzeit nur 16 Funktionen möglich");
}
