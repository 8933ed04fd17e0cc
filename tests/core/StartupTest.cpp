#include "common/ProgramFixture.h"
#include "core/LineFile.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
QByteArray crlf(const QStringList& lines)
{
    return LineWriter::JoinLines(lines);
}

// A driver of one type that answers the start requests as a text-protocol driver does.
class FakeDriver : public MessageReceiver {
public:
    FakeDriver(MessageBus& bus, int typ) : bus_(bus), typ_(typ) {}
    int lokListeAnswer = 1;
    int magListeAnswer = 1;
    void receive(const CoreMessage& m) override
    {
        if (m.id == Msg::WM_OPEN_LOKLISTE && m.w.toInt() == typ_) {
            bus_.broadcast(Msg::WM_OPEN_LOKLISTE_OK, typ_, lokListeAnswer);
        } else if (m.id == Msg::WM_OPEN_MAGNETARTLISTE && m.l.toInt() == typ_) {
            bus_.broadcast(Msg::WM_OPEN_MAGNETARTLISTE_OK, magListeAnswer, typ_);
        } else if (m.id == Msg::WM_OPEN_S88_MAX && m.l.toInt() == typ_) {
            bus_.broadcast(Msg::WM_OPEN_S88_MAX_OK, 0, typ_);
        } else if (m.id == Msg::WM_LOK_DATEN_VERGLEICHEN && m.l.toInt() == typ_) {
            bus_.broadcast(Msg::WM_LOK_DATEN_VERGLEICHEN_OK, 0, typ_);
        }
    }

private:
    MessageBus& bus_;
    int typ_;
};

const QStringList kStartLog = {
    "*******************************************************",
    "*** Trassolin gestartet um 10:20:30 ************",
    "*******************************************************",
    "* 10:20:30 SystemDatei geöffnet",
    "*******************************************************",
    "*** Trassolin Sound ******************************",
    "* 10:20:30 ProjektDatei geöffnet",
    "* 10:20:30 Lade Lokdatenbank ***************",
    "* 10:20:30 Lokdatenbank geladen in FahrzeugForm",
};
} // namespace

TEST(Startup, FirstStartCreatesParameterFileAndDefaultProject)
{
    ProgramFixture f;
    f.info().ShowStartWindow();

    EXPECT_EQ(f.read("data/Trassolin20Parameter.dat"),
              crlf({"Version 41", "Default", "LetzteMalVerbundenMitZentrale 11.12.2026", "00000000000000000000"}));
    // The new-project file was written, read, and saved back by the panel colour step.
    EXPECT_EQ(f.read("Projekte/Default/Default.pro"), crlf({
        "1.Projekt", "Projekt Default geändert 11.12.2026",
        "2.ProjektName", "Default",
        "3.Protokol", "02 IB1",
        "4.GleiskontaktAnzahl", "Anzahl Gleisbesetztmelder:096",
        "5.MagnetArtikelAnzahl", "Anzahl Magnetartikel     :096",
        "6.LokBildImGleisplanAnzeigen", "1LokbilderAnzeigen",
        "7.RasterAnzeigen", "RasterAnzeigen           :0",
        "8.AnzahlLokAdressen", "Anzahl LokAdressen       :200",
        "9.Color", "Color $00DBF8AB",
        "10.SignalSchalten", "SignalSchalten",
        "11.MaxZugeInAutomaticAktiv", "0",
        "12.Pos Uhr - UhrForm-Left-Top-UhrDigiAnalog-GrosseDigital", "01145000800003 Pos Uhr",
        "13.AnzZeilenImProgramm", "0",
        "14.ZugdatenFormLeft", "0017000163",
        "15.AlleLokfunktionenausschalten", "NOT AlleLokfunktionenausschalten",
        "16.FunktionenOnOffDelay", "FunktionenOnOffDelay 00500",
        "17.Automaticdelay", "Automaticdelay       02000",
        "18.ZugVerfolgungForm PosX- PosY - Width - Height", "000000000000000000000 ZugVerfolgungForm Unsichtbar",
        "19.PanelColorAutomatic", "PanelColorAutomatic $009B94FC",
        "20.FunktionBilderAuswahl", "0",
        "21.COM-BAUD", "119200",
        "22.PORT-IP", "15471-192.168.1.100",
        "23.NichtAlleLoksanzeigen", "NichtAlleLoksanzeigen",
        "24.LoksEinteilen", "NichtLoksEinteilen",
        "25.WartungDatei", f.path("Projekte/Default/Default.war"),
        "26.GleisplanInFarbe", "GleisplanInFarbe",
        "27.Protokol IB1-TWIN-CS1-CS2-IB2-IC_COM-ECOS1-ECOS 2-z21", "02 Centrale : Uhlenbrock Intellybox 1",
        "28.CS1_Fahren_mit_Fahrstufen", "Nicht CS1_Fahren_mit_Fahrstufen",
        "29.Verzeichnis LokBilder", "Loks",
        "30.Verzeichnis WagenBilder", "Wagen",
        "31.Weitergehende Fahrstrassen", "0/0",
        "32.PowerOnByStart", "x PowerOnByStart",
        "33.Reserve", "Reserve",
        "34.Infofenster", "0151017305551031_InfoFenster",
        "35.LogBuchFenster", "0327027002700400_LogBuchFenster",
        "36.Alternative Lokdatenbank", "....Alternative Lokdatenbank",
        "37.Reserve", "Reserve",
        "38.WartezeitzwischenMagnetArt", "300",
        "39.InfoAnzeigenDauer", "1000",
        "40.Uhr Farben ClockfarbeStr", "Uhr ClockfarbeStr    clYellow",
        "41.Uhr Farben FullenStr", "Uhr FullenStr        clGreen",
        "42.Uhr Farben ClockFarbeOffStr", "Uhr ClockFarbeOffStr clMaroon",
    }));

    EXPECT_EQ(f.info().logTexts(), kStartLog + QStringList({"* 10:20:30 Open Lokliste *******************",
                                                             "* 10:20:30 Open Magnetartikel *************"}));
    EXPECT_EQ(f.recorder.names(), QStringList({"SYSTEM_COM_BAUD", "SYSTEM_IP_PORT", "LOKDATENBANK_OK", "LADE_LOKDATENBANK", "OPEN_LOKLISTE",
                                               "OPEN_MAGNETARTLISTE", "OPEN_S88_MAX", "DEBUG"}));
    const CoreMessage& lokliste = f.recorder.messages[4];
    EXPECT_EQ(lokliste.w.toInt(), 2);
    EXPECT_EQ(lokliste.l.toText(), "Default");
    EXPECT_EQ(f.info().caption, "Trassolin fur anna");
    EXPECT_EQ(f.haupt().steuerzustand(), TTrassolin::Steuerzustand::Gesperrt);
    EXPECT_EQ(f.haupt().statusPanel(0), "Uhlenbrock Intellybox 1");
    EXPECT_TRUE(f.programm->ProjektDateiGeladen);
    EXPECT_TRUE(f.dialogs.asked.isEmpty());
}

TEST(Startup, DamagedSettingsFileIsReportedAndNeverWrittenBack)
{
    ProgramFixture f;
    f.info().ShowStartWindow();
    QByteArray damaged = f.read("Projekte/Default/Default.pro");
    damaged.replace("Anzahl Gleisbesetztmelder:096", "Anzahl Gleisbesetztmelder:0x6");
    f.write("Projekte/Default/Default.pro", damaged);

    f.start();
    f.info().ShowStartWindow();
    EXPECT_FALSE(f.programm->ProjektDateiGeladen);
    ASSERT_EQ(f.dialogs.asked.size(), 1);
    EXPECT_TRUE(f.dialogs.asked[0].contains("Zeile 8")) << f.dialogs.asked[0].toStdString();
    f.info().OpenProject(false);
    f.scheduler.advance(10000);
    f.info().EndProgram(false);
    f.scheduler.advance(2000);
    EXPECT_EQ(f.read("Projekte/Default/Default.pro"), damaged);
}

// The answers of each command-station type during start: its log lines, and a comparison
// request only for a list loaded from file.
TEST(Startup, DriverAnswersAreLoggedByType)
{
    struct Row {
        int typ;
        int lokListe;
        int magListe;
        QStringList log;
        int comparisons;
    };
    const Row rows[] = {
        {8, 1, 1, {"* 10:20:30 Open Lokliste *******************", "* 10:20:30 <pf>Projekte\\Default\\EC2Loks.lda geladen",
                   "* 10:20:30 Lok vergleichen - Loks datenbank <> Loks ECOS 2 -> Zuge_Zuweisen",
                   "* 10:20:30 ECOS 2 - Lokdaten vergleichen OK", "* 10:20:30 Open Magnetartikel *************",
                   "* 10:20:30 <pf>Projekte\\Default\\EC2MagnetArt.ma2 geladen", "* 10:20:30 ECOS 2 S88 Panels erstellt"}, 1},
        {7, 0, 0, {"* 10:20:30 Open Lokliste *******************", "* 10:20:30 4 Dummy Loks erstellt",
                   "* 10:20:30 Open Magnetartikel *************", "* 10:20:30 4 Dummy Weichen erstellt",
                   "* 10:20:30 ECOS 1 S88 Panels erstellt"}, 0},
        {6, 0, 1, {"* 10:20:30 Open Lokliste *******************", "* 10:20:30 lokomotive.cs2 nicht gefunden",
                   "* 10:20:30 Open Magnetartikel *************", "* 10:20:30 magnetArtikel.cs2  geladen",
                   "* 10:20:30 CS2 S88 Panels erstellt"}, 0},
        {1, 1, 1, {"* 10:20:30 Open Lokliste *******************", "* 10:20:30 Zuge_Zuweisen",
                   "* 10:20:30 Open Magnetartikel *************"}, 1},
        {9, 1, 1, {"* 10:20:30 Open Lokliste *******************", "* 10:20:30 LokListe geladen aus Fahrzeugdatenbank",
                   "* 10:20:30 Zuge_Zuweisen", "* 10:20:30 Open Magnetartikel *************", "* 10:20:30 Z21 S88 Panels erstellt"}, 1},
    };
    for (const Row& row : rows) {
        ProgramFixture f;
        f.info().ShowStartWindow(); // writes the default project
        QByteArray pro = f.read("Projekte/Default/Default.pro");
        pro.replace("\r\n02 IB1\r\n", "\r\n0" + QByteArray::number(row.typ) + " X\r\n");
        f.write("Projekte/Default/Default.pro", pro);
        f.start();
        f.withoutDriver(row.typ);
        FakeDriver driver(f.bus, row.typ);
        driver.lokListeAnswer = row.lokListe;
        driver.magListeAnswer = row.magListe;
        f.bus.attach(&driver);
        f.info().ShowStartWindow();
        QStringList expected = kStartLog;
        for (QString line : row.log) {
            expected << line.replace("<pf>", f.root.path() + "/");
        }
        EXPECT_EQ(f.info().logTexts(), expected) << "type " << row.typ;
        EXPECT_EQ(f.recorder.count(Msg::WM_LOK_DATEN_VERGLEICHEN), row.comparisons) << "type " << row.typ;
        EXPECT_EQ(f.recorder.count(Msg::WM_S88_ANZ_ABFRAGE), 0) << "not connected yet";
        f.bus.detach(&driver);
    }
}

TEST(Startup, EndingAsksSavesAndDisconnectsOnce)
{
    ProgramFixture f;
    f.info().ShowStartWindow();
    QSignalSpy ended(&f.info(), &TInfo::programEndRequested);
    f.dialogs.yesNoAnswers = {false};
    f.info().EndProgram(true);
    EXPECT_TRUE(f.info().visible) << "No from the start window shows it again";
    f.scheduler.advance(5000);
    EXPECT_EQ(ended.count(), 0);

    f.recorder.messages.clear();
    f.info().EndProgram(false);
    f.info().EndProgram(false); // a second request while the first one runs
    f.scheduler.advance(499);
    EXPECT_EQ(f.recorder.names(), QStringList({"POWEROFF_SENDEN"}));
    f.scheduler.advance(501);
    EXPECT_EQ(f.recorder.names(), QStringList({"POWEROFF_SENDEN", "TRENNEN"}));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(f.dialogs.questions, QStringList({"Trassolin Beenden ?", "Trassolin Beenden ?"}));
}
