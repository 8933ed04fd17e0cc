#include "common/ProgramFixture.h"

#include <gtest/gtest.h>
#include <map>

namespace {
// A project on an ECoS 2, started and shown.
struct EcosProject : ProgramFixture {
    EcosProject()
    {
        info().ShowStartWindow();
        QByteArray pro = read("Projekte/Default/Default.pro");
        pro.replace("\r\n02 IB1\r\n", "\r\n08 LAN ECOS 2\r\n");
        write("Projekte/Default/Default.pro", pro);
        start();
        withoutDriver(8); // the test plays the driver's answers
        info().ShowStartWindow();
        recorder.messages.clear();
    }
    QStringList newLog(qsizetype from) const { return fenster->info().logTexts().mid(from); }
};
} // namespace

TEST(ConnectionSequence, ConnectVariantLoadsThenConnectsAndFollowsTheDriver)
{
    EcosProject f;
    const qsizetype before = f.info().logTexts().size();
    f.info().OpenProject(true);
    EXPECT_EQ(f.haupt().steuerzustand(), TTrassolin::Steuerzustand::Gesperrt);
    EXPECT_FALSE(f.info().buttonsEnabled);
    f.scheduler.advance(0);
    EXPECT_EQ(f.info().progressPosition, 2);
    EXPECT_EQ(f.recorder.count(Msg::WM_VERBINDEN), 0);
    f.scheduler.advance(3499);
    EXPECT_EQ(f.recorder.count(Msg::WM_VERBINDEN), 0) << "files load first, with their waits";
    f.scheduler.advance(1);
    ASSERT_EQ(f.recorder.count(Msg::WM_VERBINDEN), 1);
    EXPECT_EQ(f.recorder.messages.back(), (CoreMessage{Msg::WM_VERBINDEN, 8, 0}));
    EXPECT_EQ(f.newLog(before), QStringList({"* 10:20:30 Haltestellen geöffnet - V41", "* 10:20:30 Gleisbild Elemente erstellen",
                                              "* 10:20:30 MagnetArt Liste erstellen", "* 10:20:30 Gleisplan geöffnet - V 34", "* 10:20:30 Züge erstellt - V 41",
                                              "* 10:20:30 Fahrstrassen erstellt - V41", "* 10:20:30 AblaufSteuerung erstellt",
                                              "* 10:20:30 Mit Ecos 2 verbinden"}));
    EXPECT_EQ(f.info().progressPosition, 15);
    EXPECT_FALSE(f.info().visible);
    EXPECT_EQ(f.haupt().steuerzustand(), TTrassolin::Steuerzustand::Betrieb);
    EXPECT_EQ(f.haupt().GleisbildModus, 1);
    EXPECT_EQ(f.info().closeHint, "InfoForm Schliessen");

    // The driver reports the link and its reading.
    const qsizetype connected = f.info().logTexts().size();
    f.bus.broadcast(Msg::WM_VERBUNDEN, 8, 0);
    EXPECT_TRUE(f.programm->ZentraleVerbunden);
    EXPECT_EQ(f.info().progressPosition, 11);
    EXPECT_EQ(f.haupt().statusPanel(1), "Modus : Daten werden von ECOS 2 gelesen");
    EXPECT_EQ(f.haupt().verbindenMenuText(), "Zentrale Trennen");
    EXPECT_EQ(f.read("data/Trassolin20Parameter.dat").split('\n')[2], "LetzteMalVerbundenMitZentrale 11.12.2026\r");
    EXPECT_EQ(f.system().letztesMalVerbunden, "Letztes Mal Verbunden mit Ecos 2  am 11.12.2026");
    f.bus.broadcast(Msg::WM_LOK_DATEN_ID_PROTOCOL, 0, 0);
    EXPECT_EQ(f.info().progressPosition, 12);
    f.bus.broadcast(Msg::WM_MAG_DATEN_OK, 0, 0);
    EXPECT_EQ(f.info().progressPosition, 13);
    f.bus.broadcast(Msg::WM_S88_EINGELESEN, 6, 96);
    EXPECT_EQ(f.info().progressPosition, 14);
    EXPECT_EQ(f.haupt().statusPanel(1), " Rückmelde-Dekoder eingelesen");
    f.recorder.messages.clear();
    f.bus.broadcast(Msg::WM_VERBINDENFERTIG, 0, 0);
    EXPECT_EQ(f.info().progressPosition, 15);
    EXPECT_EQ(f.haupt().statusPanel(1), "Modus : Betrieb");
    EXPECT_EQ(f.recorder.names(), QStringList({"LOK_DATEN_VERGLEICHEN", "MAGVERGLEICHEN", "VERBINDENFERTIG"}));
    EXPECT_EQ(f.recorder.messages[0], (CoreMessage{Msg::WM_LOK_DATEN_VERGLEICHEN, 0, 8}));
    EXPECT_EQ(f.recorder.messages[1], (CoreMessage{Msg::WM_MAGVERGLEICHEN, 8, 0}));
    f.bus.broadcast(Msg::WM_POWERON, 8, 0);
    EXPECT_TRUE(f.haupt().PowerAn);
    EXPECT_EQ(f.haupt().statusPanel(0), "ESU 50210 ECoS 2 (Power ON)");
    EXPECT_EQ(f.haupt().statusPanel(1), "Verbunden mit ESU 50210 ECoS 2 (Power ON)");
    EXPECT_EQ(f.newLog(connected), QStringList({"*10:20:30** Verbunden mit Ecos 2", "*10:20:30** RecieveLOK_DATEN_ID_PROTOCOL",
                                                "*10:20:30** Magnet Artikel eingelesen",
                                                "*10:20:30** S88 eingelesen : S88 Module : 6 Gleiskontakte : 96",
                                                "*10:20:30** Verbindung mit ESU 50210 ECoS 2aufgebaut **",
                                                "*10:20:30***** PowerOn *****"}));

    f.bus.broadcast(Msg::WM_GETRENNT, 0, 0);
    EXPECT_FALSE(f.programm->ZentraleVerbunden);
    EXPECT_FALSE(f.haupt().PowerAn);
    EXPECT_EQ(f.haupt().statusPanel(1), "");
    EXPECT_EQ(f.haupt().GleisbildModus, 0);
    EXPECT_EQ(f.haupt().verbindenMenuText(), "Verbinden mit Zentrale");
}

TEST(ConnectionSequence, WithoutCommandStationNeverConnects)
{
    EcosProject f;
    f.info().OpenProject(false);
    f.scheduler.advance(3500);
    EXPECT_EQ(f.haupt().statusPanel(1), "");
    f.scheduler.advance(1999);
    EXPECT_EQ(f.recorder.count(Msg::WM_MAGVERGLEICHEN), 0);
    f.scheduler.advance(1);
    EXPECT_EQ(f.recorder.count(Msg::WM_MAGVERGLEICHEN), 1);
    EXPECT_EQ(f.haupt().statusPanel(1), "Modus : Betrieb Ohne Zentrale");
    f.scheduler.advance(60000);
    EXPECT_EQ(f.recorder.count(Msg::WM_VERBINDEN), 0);
    EXPECT_FALSE(f.info().visible);
    EXPECT_EQ(f.haupt().GleisbildModus, 1);
    EXPECT_EQ(f.haupt().steuerzustand(), TTrassolin::Steuerzustand::Betrieb);
}

TEST(ConnectionSequence, UnreachableStationIsReportedOnce)
{
    EcosProject f;
    f.info().OpenProject(true);
    f.scheduler.advance(5000);
    f.bus.broadcast(Msg::WM_VERBINDENERROR, 0, 0);
    EXPECT_EQ(f.dialogs.asked, QStringList({"Zentrale konnte nicht verbunden werden!!"}));
    EXPECT_EQ(f.haupt().statusPanel(1), " ");
    EXPECT_EQ(f.haupt().GleisbildModus, 0);
    EXPECT_EQ(f.haupt().steuerzustand(), TTrassolin::Steuerzustand::Betrieb);
}

TEST(MainWindow, StatusTextsNeverLeaveEditorOrPickModes)
{
    EcosProject f;
    f.programm->ZentraleVerbunden = true;
    struct Row {
        int mode;
        int type;
        int kind;
        int expected;
    };
    const Row rows[] = {
        {1, 0, 0, 0}, {0, 0, 1, 1}, {1, 1, 0, 0}, {0, 1, 1, 1}, {1, 1, 4, 4}, {1, 1, 7, 8},
        {2, 0, 1, 2}, {2, 1, 0, 2}, {9, 0, 0, 9}, {10, 1, 1, 10}, {2, 1, 3, 3}, {5, 2, 0, 5},
    };
    for (const Row& row : rows) {
        f.haupt().GleisbildModus = row.mode;
        f.haupt().UpdateStatusbar(row.type, row.kind, "x");
        EXPECT_EQ(f.haupt().GleisbildModus, row.expected) << row.mode << " " << row.type << " " << row.kind;
    }
    f.programm->ZentraleVerbunden = false;
    f.haupt().GleisbildModus = 0;
    f.haupt().UpdateStatusbar(1, 1, "x");
    EXPECT_EQ(f.haupt().GleisbildModus, 0) << "run mode only while connected";
}

TEST(MainWindow, DatabaseLoadedAndDebugViewAreShownInBothWindows)
{
    EcosProject f;
    f.bus.broadcast(Msg::WM_LOKDATENBANK_OK, 0, 8);
    EXPECT_EQ(f.info().logTexts().back(), "* 10:20:30 Lokdatenbank geladen in FahrzeugForm");
    EXPECT_EQ(f.info().lokdatenbankText, "Lokdatenbank : Fahrzeuge20.lda");
    EXPECT_EQ(f.haupt().statusPanel(2), "Lokdatenbank Fahrzeuge20.lda  geladen");
    EXPECT_TRUE(f.haupt().DatenbankKeySichtbar);

    f.bus.broadcast(Msg::WM_DEBUG, 1, 0);
    EXPECT_TRUE(f.haupt().DebugSichtbar);
    EXPECT_EQ(f.system().aktiveSeite, "Verbindung");
    f.bus.broadcast(Msg::WM_DEBUG, 7, 0);
    EXPECT_TRUE(f.haupt().DebugSichtbar) << "other values change nothing";
    f.bus.broadcast(Msg::WM_DEBUG, 0, 0);
    EXPECT_FALSE(f.haupt().DebugSichtbar);
    EXPECT_EQ(f.system().aktiveSeite, "Anzeige");
}

// One row per control: its state in locked, project open, run and editor. E enabled, d shown
// but disabled, - hidden.
TEST(MainWindow, ControlStatesTable)
{
    ProgramFixture f;
    const std::map<QString, QString> rows = {
        {"&Bearbeiten", "dEEE"},       {"Anzeige", "dEEE"},          {"Automatic", "dEE-"},
        {"Ablaufsteuerung", "dEE-"},   {"Drehscheibe", "dd--"},      {"Zentrale", "dEE-"},
        {"&Carsystem", "dEE-"},        {"Bearbeiten:Lokdatenbank", "EEE-"}, {"Bearbeiten:Gleisplan", "EEE-"},
        {"Bearbeiten:Haltestellen", "EEE-"}, {"Bearbeiten:System", "EEE-"}, {"Bearbeiten:&Beenden", "EEEE"},
        {"Anzeige:Editor", "---E"},    {"AutomaticPanel", "dEEd"},   {"LimitKeys", "dddd"},
        {"Keys", "dEEd"},              {"ExitKey", "EEEE"},          {"PowerGroup", "-EE-"},
        {"NormalBar", "EEE-"},         {"EditorBar", "---E"},
    };
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(TTrassolin::SteuerElemente().size()));
    const TTrassolin::Steuerzustand states[] = {TTrassolin::Steuerzustand::Gesperrt, TTrassolin::Steuerzustand::ProjektOffen,
                                                TTrassolin::Steuerzustand::Betrieb, TTrassolin::Steuerzustand::Editor};
    for (const QString& element : TTrassolin::SteuerElemente()) {
        ASSERT_TRUE(rows.count(element)) << element.toStdString();
        for (int i = 0; i < 4; ++i) {
            const TTrassolin::Steuerung s = f.haupt().SteuerungIn(states[i], element);
            const QChar code = !s.visible ? u'-' : s.enabled ? u'E' : u'd';
            EXPECT_EQ(code, rows.at(element)[i]) << element.toStdString() << " state " << i;
        }
    }
    f.haupt().AutomaticAn = true;
    EXPECT_TRUE(f.haupt().SteuerungIn(TTrassolin::Steuerzustand::Betrieb, "LimitKeys").enabled) << "with automatic on";
}
