#include "core/LineFile.h"
#include "settings/ProjectSettingsFile.h"
#include "settings/ZentraleNamen.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

ProjectFileContext testContext(const QString& programFolder = QStringLiteral("/opt/Trassolin/"))
{
    ProjectFileContext c;
    c.programFolder = programFolder;
    c.projectName = QStringLiteral("Anlage");
    c.dateText = QStringLiteral("05.03.2024");
    c.mainWindowWidth = 1600;
    c.mainWindowHeight = 1000;
    c.screenHeight = 1200;
    c.fileExisted = true;
    return c;
}

// A value other than the start-up value in every field, so that a pair read into the wrong
// field or not at all shows.
ProjectSettings goldenSettings()
{
    ProjectSettings s;
    s.ZentraleTyp = 6;
    s.GleiskontaktAnzahl = 48;
    s.MagnetArtikelAnzahl = 120;
    s.ShowUnnumberedSignals = true;
    s.LocoDisplayMode = QStringLiteral("LoknameAnzeigen");
    s.RasterAnzeigen = true;
    s.PanelColor = QStringLiteral("clBtnFace");
    s.SignalSchalten = true;
    s.MaxZugeInAutomaticAktiv = 4;
    s.ClockLeft = 900;
    s.ClockTop = 50;
    s.ClockKind = 1;
    s.ClockSize = 2;
    s.AnzZeilenImProgramm = 17;
    s.TrainDataWindowLeft = -20; // off the left screen edge
    s.TrainDataWindowTop = 300;
    s.AlleLokfunktionenausschalten = true;
    s.FunktionenOnOffDelay = 700;
    s.Automaticdelay = 1400;
    s.TrainTrackingVisible = true;
    s.TrainTrackingWindow = QRect(10, 20, 640, 480);
    s.PanelColorAutomatic = QStringLiteral("clRed");
    s.FunktionBilderAuswahl = 1;
    s.ComPort = 3;
    s.BaudRate = 57600;
    s.IpPort = 8080;
    s.IpAddress = QStringLiteral("10.0.0.5");
    s.NichtAlleLoksanzeigen = false;
    s.LoksEinteilen = true;
    s.MaintenanceFile = QStringLiteral("/data/wartung/Anlage.war");
    s.GleisplanInFarbe = false;
    s.CS1_Fahren_mit_Fahrstufen = true;
    s.LocoPictureFolder = QStringLiteral("/opt/Trassolin/Loks");
    s.WagonPictureFolder = QStringLiteral("/home/u/Wagenbilder");
    s.ContinuingRoutesA = false;
    s.ContinuingRoutesB = true;
    s.PowerOnByStart = true;
    s.InfoWindowGeometry = QStringLiteral("0100020003000400_InfoFenster");
    s.LogbookWindowGeometry = QStringLiteral("0300025002500500_LogBuchFenster");
    s.AlternativeVehicleDatabase = QStringLiteral("/data/alt/Fahrzeuge20.lda");
    s.WartezeitzwischenMagnetArt = 450;
    s.InfoAnzeigenDauer = 2500;
    s.ClockfarbeStr = QStringLiteral("clWhite");
    s.FullenStr = QStringLiteral("$00112233");
    s.ClockFarbeOffStr = QStringLiteral("clNavy");
    return s;
}

const QByteArray kGoldenBytes =
    "1.Projekt\r\nProjekt Anlage ge\xE4ndert 05.03.2024\r\n"
    "2.ProjektName\r\nAnlage\r\n"
    "3.Protokol\r\n06 LAN CS2 \r\n"
    "4.GleiskontaktAnzahl\r\nAnzahl Gleisbesetztmelder:048\r\n"
    "5.MagnetArtikelAnzahl\r\nAnzahl Magnetartikel     :120\r\n"
    "6.LokBildImGleisplanAnzeigen\r\n1LoknameAnzeigen\r\n"
    "7.RasterAnzeigen\r\nRasterAnzeigen           :1\r\n"
    "8.AnzahlLokAdressen\r\nAnzahl LokAdressen       :200\r\n"
    "9.Color\r\nColor clBtnFace\r\n"
    "10.SignalSchalten\r\nSignalSchalten\r\n"
    "11.MaxZugeInAutomaticAktiv\r\n4\r\n"
    "12.Pos Uhr - UhrForm-Left-Top-UhrDigiAnalog-GrosseDigital\r\n00900000501002 Pos Uhr\r\n"
    "13.AnzZeilenImProgramm\r\n17\r\n"
    "14.ZugdatenFormLeft\r\n0000000300\r\n"
    "15.AlleLokfunktionenausschalten\r\nAlleLokfunktionenausschalten\r\n"
    "16.FunktionenOnOffDelay\r\nFunktionenOnOffDelay 00700\r\n"
    "17.Automaticdelay\r\nAutomaticdelay       01400\r\n"
    "18.ZugVerfolgungForm PosX- PosY - Width - Height\r\n100010000200064000480 ZugVerfolgungForm Sichtbar\r\n"
    "19.PanelColorAutomatic\r\nPanelColorAutomatic clRed\r\n"
    "20.FunktionBilderAuswahl\r\n1\r\n"
    "21.COM-BAUD\r\n357600\r\n"
    "22.PORT-IP\r\n08080-10.0.0.5\r\n"
    "23.NichtAlleLoksanzeigen\r\nAlleLoksanzeigen\r\n"
    "24.LoksEinteilen\r\nLoksEinteilen\r\n"
    "25.WartungDatei\r\nX/data/wartung/Anlage.war\r\n"
    "26.GleisplanInFarbe\r\nNOT GleisplanInFarbe\r\n"
    "27.Protokol IB1-TWIN-CS1-CS2-IB2-IC_COM-ECOS1-ECOS 2-z21\r\n06 Centrale : M\xE4rklin Central Station 2\r\n"
    "28.CS1_Fahren_mit_Fahrstufen\r\nCS1_Fahren_mit_Fahrstufen\r\n"
    "29.Verzeichnis LokBilder\r\nLoks\r\n"
    "30.Verzeichnis WagenBilder\r\n/home/u/Wagenbilder\r\n"
    "31.Weitergehende Fahrstrassen\r\n0/1\r\n"
    "32.PowerOnByStart\r\nx PowerOnByStart\r\n"
    "33.Reserve\r\nReserve\r\n"
    "34.Infofenster\r\n0100020003000400_InfoFenster\r\n"
    "35.LogBuchFenster\r\n0300025002500500_LogBuchFenster\r\n"
    "36.Alternative Lokdatenbank\r\nX/data/alt/Fahrzeuge20.lda\r\n"
    "37.Reserve\r\nReserve\r\n"
    "38.WartezeitzwischenMagnetArt\r\n450\r\n"
    "39.InfoAnzeigenDauer\r\n2500\r\n"
    "40.Uhr Farben ClockfarbeStr\r\nUhr ClockfarbeStr    clWhite\r\n"
    "41.Uhr Farben FullenStr\r\nUhr FullenStr        $00112233\r\n"
    "42.Uhr Farben ClockFarbeOffStr\r\nUhr ClockFarbeOffStr clNavy\r\n";

const QByteArray kNewProjectBytes =
    "1.Projekt\r\nProjekt Anlage erstellt 05.03.2024\r\n"
    "2.ProjektName\r\nAnlage\r\n"
    "3.\r\n02 Centrale : IB1\r\n"
    "4.GleiskontaktAnzahl\r\nAnzahl Gleisbesetztmelder:096\r\n"
    "5.Anzahl Magnetartikel\r\nAnzahl Magnetartikel     :096\r\n"
    "6.LokbilderAnzeigen\r\n1LokbilderAnzeigen\r\n"
    "7.RasterAnzeigen\r\nRasterAnzeigen           :0\r\n"
    "8.Anzahl LokAdressen\r\nAnzahl LokAdressen       :200\r\n"
    "9.Color\r\nColor $00DBF8AB\r\n"
    "10.SignalSchalten\r\nSignalSchalten\r\n"
    "11.MaxZugeInAutomaticAktiv\r\n0\r\n"
    "12.Pos Uhr\r\n0114500080 Pos Uhr\r\n"
    "13.AnzZeilenImProgramm\r\n0\r\n"
    "14.ZugdatenFormLeft\r\n0017000163\r\n"
    "15.AlleLokfunktionenausschalten\r\nNOT AlleLokfunktionenausschalten\r\n"
    "16.FunktionenOnOffDelay\r\nFunktionenOnOffDelay 00500\r\n"
    "17.Automaticdelay\r\nAutomaticdelay       02000\r\n"
    "18.ZugverfolgungForm\r\nReserve\r\n"
    "19.PanelColorAutomatic\r\nPanelColorAutomatic $009B94FC\r\n"
    "20.FunktionBilderAuswahl\r\n0\r\n"
    "21.COM-BAUD\r\n119200\r\n"
    "22.PORT-IP\r\n15471-192.168.1.100\r\n"
    "23.NichtAlleLoksanzeigen\r\nNichtAlleLoksanzeigen\r\n"
    "24.LoksEinteilen\r\nNichtLoksEinteilen\r\n"
    "25.WartungVerzeichnis\r\nWartungVerzeichnis\r\n"
    "26.GleisplanInFarbe\r\nGleisplanInFarbe\r\n"
    "27.Reserve\r\nReserve\r\n"
    "28.CS1_Fahren_mit_Fahrstufen\r\nNicht CS1_Fahren_mit_Fahrstufen\r\n"
    "29.Verzeichnis LokBilder\r\nLoks\r\n"
    "30.Verzeichnis WagenBilder\r\nWagen\r\n"
    "31.Weitergehende Fahrstrassen\r\n0/0\r\n"
    "32.PowerByStartCheckBox\r\nx PowerByStartCheckBox\r\n"
    "33.Reserve\r\nReserve\r\n"
    "34.Infofenster\r\n0151017305551031_InfoFenster\r\n"
    "35.LogBuchFenster\r\n0327027002700400_LogBuchFenster\r\n"
    "36.Alternative Lokdatenbank\r\n....Alternative Lokdatenbank\r\n"
    "37.Reserve\r\nReserve\r\n"
    "38.WartezeitzwischenMagnetArt\r\n300\r\n"
    "39.InfoAnzeigenDauer\r\n1000\r\n"
    "40.Uhr Farben ClockfarbeStr\r\nUhr ClockfarbeStr    clYellow\r\n"
    "41.Uhr Farben FullenStr\r\nUhr FullenStr        clGreen\r\n"
    "42.Uhr Farben ClockFarbeOffStr\r\nUhr ClockFarbeOffStr clMaroon\r\n";

// The new-project lines with the value of one pair replaced.
QStringList withValue(int pair, const QString& value)
{
    QStringList lines = NewProjectSettingsLines(QStringLiteral("Anlage"), QStringLiteral("05.03.2024"));
    lines[2 * pair - 1] = value;
    return lines;
}
} // namespace

TEST(ProjectSettingsFile, WritesEveryPairByteForByteAndReadsItBack)
{
    const ProjectFileContext context = testContext();
    const ProjectSettings written = goldenSettings();
    const QStringList lines = ProjectSettingsLines(written, context);
    ASSERT_EQ(LineWriter::JoinLines(lines), kGoldenBytes);

    ProjectSettings read;
    const ProjectSettingsReadResult result = ReadProjectSettings(LineReader::SplitLines(kGoldenBytes), context, read);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.pairsRead, 42);
    EXPECT_EQ(result.projectName, QStringLiteral("Anlage"));
    // Writing what was read gives the same file: every pair came back into its own field.
    EXPECT_EQ(ProjectSettingsLines(read, context), lines);
    EXPECT_EQ(read.IpPort, 8080);
    EXPECT_EQ(read.PanelColorAutomatic, QStringLiteral("clRed"));
    EXPECT_EQ(read.TrainDataWindowLeft, 0);
    EXPECT_EQ(read.LocoPictureFolder, QStringLiteral("/opt/Trassolin/Loks"));
    EXPECT_EQ(read.AlternativeMaintenanceFile, QStringLiteral("/data/alt/Anlage.war"));
    EXPECT_EQ(read.FunctionKeyCount, 16);
    ASSERT_EQ(read.S88Module.size(), 3u);
    EXPECT_EQ(read.S88Module[2].Name, QStringLiteral("S88 3"));
}

TEST(ProjectSettingsFile, FirstSaveStoresStandardFoldersAndNoAlternativeDatabase)
{
    ProjectFileContext context = testContext();
    context.fileExisted = false;
    const QStringList lines = ProjectSettingsLines(goldenSettings(), context);
    EXPECT_EQ(lines[57], QStringLiteral("Loks"));
    EXPECT_EQ(lines[59], QStringLiteral("Wagen"));
    EXPECT_EQ(lines[71], QStringLiteral("....Alternative Lokdatenbank"));
}

TEST(ProjectSettingsFile, NumbersOutsideTheirFieldsAreClampedSoTheFileReadsBack)
{
    ProjectSettings s = goldenSettings();
    s.GleiskontaktAnzahl = 4000;
    s.ClockLeft = -300;
    s.ClockTop = 123456;
    s.ClockKind = 12;
    s.ClockSize = -1;
    s.TrainTrackingWindow = QRect(-5, -5, 100, 100);
    s.FunktionenOnOffDelay = 100000;
    s.IpPort = 123456;
    s.ComPort = 12;
    s.ZentraleTyp = 42;
    s.InfoWindowGeometry = QStringLiteral("kaputt");
    s.WartezeitzwischenMagnetArt = -50;
    const QStringList lines = ProjectSettingsLines(s, testContext());
    EXPECT_EQ(lines[5], QStringLiteral("09 LAN Z21"));
    EXPECT_EQ(lines[7], QStringLiteral("Anzahl Gleisbesetztmelder:999"));
    EXPECT_EQ(lines[23], QStringLiteral("00000999999000 Pos Uhr"));
    EXPECT_EQ(lines[31], QStringLiteral("FunktionenOnOffDelay 99999"));
    EXPECT_EQ(lines[35], QStringLiteral("100000000000010000100 ZugVerfolgungForm Sichtbar"));
    EXPECT_EQ(lines[41], QStringLiteral("957600"));
    EXPECT_EQ(lines[43], QStringLiteral("99999-10.0.0.5"));
    EXPECT_EQ(lines[53], QStringLiteral("09 Centrale : Roco-Fleischmann Z21"));
    EXPECT_EQ(lines[67], QStringLiteral("0151017306241031_InfoFenster"));
    EXPECT_EQ(lines[75], QStringLiteral("000"));

    ProjectSettings read;
    const ProjectSettingsReadResult result = ReadProjectSettings(lines, testContext(), read);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
}

TEST(ProjectSettingsFile, EveryCommandStationTypeReadsBackFromPairThree)
{
    for (int typ = 0; typ <= ZentraleTypMax; ++typ) {
        ProjectSettings s;
        s.ZentraleTyp = typ;
        ProjectSettings read;
        ASSERT_TRUE(ReadProjectSettings(ProjectSettingsLines(s, testContext()), testContext(), read).ok);
        EXPECT_EQ(read.ZentraleTyp, typ);
        EXPECT_EQ(read.FunctionKeyCount, typ == 3 ? 8 : 16) << typ;
        EXPECT_TRUE(CentraleText(typ).startsWith(ProtokolText(typ).left(2))) << typ;
    }
}

TEST(ProjectSettingsFile, CommandStationNamesAreSafeForAnyIndex)
{
    EXPECT_EQ(ZentraleName(0), QStringLiteral("KEINE ZENTRALE AUSGEWÄHLT"));
    EXPECT_EQ(ZentraleName(5), QStringLiteral("Märklin Central Station 1"));
    EXPECT_EQ(ZentraleName(9), QStringLiteral("Roco-Fleischmann Z21"));
    for (int typ : {-1, 10, 20, 21, 1000}) {
        EXPECT_EQ(ZentraleName(typ), QString()) << typ;
    }
    EXPECT_EQ(ProtokolText(-3), QStringLiteral("00 KEIN PROTOKOL"));
    EXPECT_EQ(CentraleText(0), QStringLiteral("00 KEINE ZENTRALE"));
}

TEST(ProjectSettingsFile, EachValueIsReadByItsOwnRule)
{
    using Field = QString (*)(const ProjectSettings&);
    const Field clock = [](const ProjectSettings& s) {
        return QStringLiteral("%1 %2 %3 %4").arg(s.ClockLeft).arg(s.ClockTop).arg(s.ClockKind).arg(s.ClockSize);
    };
    const Field signalsAndMode = [](const ProjectSettings& s) {
        return QStringLiteral("%1 %2").arg(int(s.ShowUnnumberedSignals)).arg(s.LocoDisplayMode);
    };
    const Field tracking = [](const ProjectSettings& s) {
        const QRect& r = s.TrainTrackingWindow;
        return QStringLiteral("%1 %2,%3 %4x%5")
            .arg(int(s.TrainTrackingVisible)).arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
    };
    const Field trainData = [](const ProjectSettings& s) {
        return QStringLiteral("%1 %2").arg(s.TrainDataWindowLeft).arg(s.TrainDataWindowTop);
    };
    const Field panelAutomatic = [](const ProjectSettings& s) { return s.PanelColorAutomatic; };
    const Field com = [](const ProjectSettings& s) { return QStringLiteral("COM%1 %2").arg(s.ComPort).arg(s.BaudRate); };
    const Field ip = [](const ProjectSettings& s) { return QStringLiteral("%1 %2").arg(s.IpPort).arg(s.IpAddress); };
    const Field typ = [](const ProjectSettings& s) { return QString::number(s.ZentraleTyp); };
    const Field contacts = [](const ProjectSettings& s) { return QString::number(s.GleiskontaktAnzahl); };
    const Field accessories = [](const ProjectSettings& s) { return QString::number(s.MagnetArtikelAnzahl); };
    const Field icons = [](const ProjectSettings& s) { return QString::number(s.FunktionBilderAuswahl); };
    const Field automatic = [](const ProjectSettings& s) { return QString::number(s.Automaticdelay); };
    const Field raster = [](const ProjectSettings& s) { return QString::number(int(s.RasterAnzeigen)); };
    const Field flags = [](const ProjectSettings& s) {
        return QStringLiteral("%1%2%3%4%5")
            .arg(int(s.SignalSchalten)).arg(int(s.NichtAlleLoksanzeigen)).arg(int(s.LoksEinteilen))
            .arg(int(s.GleisplanInFarbe)).arg(int(s.CS1_Fahren_mit_Fahrstufen));
    };
    const Field alleLok = [](const ProjectSettings& s) { return QString::number(int(s.AlleLokfunktionenausschalten)); };
    const Field maintenance = [](const ProjectSettings& s) { return s.MaintenanceFile; };
    const Field pictures = [](const ProjectSettings& s) { return s.LocoPictureFolder + u'|' + s.WagonPictureFolder; };
    const Field routes = [](const ProjectSettings& s) {
        return QStringLiteral("%1 %2").arg(int(s.ContinuingRoutesA)).arg(int(s.ContinuingRoutesB));
    };
    const Field power = [](const ProjectSettings& s) { return QString::number(int(s.PowerOnByStart)); };
    const Field alternative = [](const ProjectSettings& s) {
        return s.AlternativeVehicleDatabase + u'|' + s.AlternativeMaintenanceFile;
    };
    const Field clockColor = [](const ProjectSettings& s) { return s.ClockfarbeStr; };

    struct Row {
        int pair;
        const char* value;
        Field field;
        const char* expected;
    };
    const Row rows[] = {
        {3, "07 LAN ECOS 1", typ, "7"},
        {3, "12 X", typ, "9"},
        {4, "Anzahl Gleisbesetztmelder:999", contacts, "512"},
        {4, "Anzahl Gleisbesetztmelder:-05", contacts, "0"},
        {5, "Anzahl Magnetartikel     :300", accessories, "250"},
        {6, "0LokbilderAnzeigen", signalsAndMode, "0 LokbilderAnzeigen"},
        {6, "1LoknameAnzeigen", signalsAndMode, "1 LoknameAnzeigen"},
        {6, "LoknameAnzeigen", signalsAndMode, "1 LoknameAnzeigen"},
        {7, "RasterAnzeigen           :1", raster, "1"},
        {7, "RasterAnzeigen           :0", raster, "0"},
        {10, "NOT SignalSchalten", flags, "01010"},
        // Kind and size stay when the line holds only the position.
        {12, "0114500080 Pos Uhr", clock, "1145 80 1 5"},
        {12, "0114500080003 Pos Uhr", clock, "1145 80 0 3"},
        {12, "01145000800003 Pos Uhr", clock, "1145 80 0 3"},
        {12, "03000040001002 Pos Uhr", clock, "1500 880 1 2"},
        {14, "0017000163", trainData, "170 163"},
        {14, "0017001500", trainData, "170 1150"},
        {15, "AlleLokfunktionenausschalten", alleLok, "1"},
        {17, "Automaticdelay       01800", automatic, "1800"},
        {17, "Automaticdelay       00000", automatic, "1"},
        {18, "Reserve", tracking, "1 1,2 3x4"},
        {18, "reserviert", tracking, "1 1,2 3x4"},
        {18, "0001000020", tracking, "1 1,2 3x4"},
        {18, "000010000200030000400 ZugVerfolgungForm Unsichtbar", tracking, "0 10,20 300x400"},
        {18, "100010000200030000400 ZugVerfolgungForm Sichtbar", tracking, "1 10,20 300x400"},
        {19, "PanelColorAutomatic $00123456", panelAutomatic, "$00123456"},
        {19, "PanelColorAutomatic clRed", panelAutomatic, "clRed"},
        {19, "PanelColorAutomatic  $00123456", panelAutomatic, "$00123456"},
        {19, "PanelColorAutomatic Blau", panelAutomatic, "$009B94FC"},
        {19, "PanelColorAutomatic", panelAutomatic, "$009B94FC"},
        {20, "7", icons, "2"},
        {20, "-1", icons, "0"},
        {21, "38600", com, "COM3 8600"},
        {21, "119200", com, "COM1 19200"},
        {22, "21105-192.168.0.111", ip, "21105 192.168.0.111"},
        {23, "AlleLoksanzeigen", flags, "10010"},
        {24, "LoksEinteilen", flags, "11110"},
        {26, "GleisplanInfarbe", flags, "11000"},
        {28, "CS1_Fahren_mit_Fahrstufen", flags, "11011"},
        {25, "WartungVerzeichnis", maintenance, "/opt/Trassolin/Projekte/Anlage/Anlage.war"},
        {25, "X/srv/w/Anlage.war", maintenance, "/srv/w/Anlage.war"},
        {29, "/srv/bilder", pictures, "/srv/bilder|/opt/Trassolin/Wagen"},
        {29, "", pictures, "/opt/Trassolin/Loks|/opt/Trassolin/Wagen"},
        {30, "/srv/wagen", pictures, "/opt/Trassolin/Loks|/srv/wagen"},
        {31, "1/0", routes, "1 0"},
        {31, "0/1", routes, "0 1"},
        {32, "- PowerOnByStart", power, "0"},
        {32, "x PowerOnByStart", power, "1"},
        {36, "X/srv/alt/Fahrzeuge20.lda", alternative, "/srv/alt/Fahrzeuge20.lda|/srv/alt/Anlage.war"},
        {36, "....Alternative Lokdatenbank", alternative, "|/opt/Trassolin/Projekte/Anlage/Anlage.war"},
        {40, "Uhr ClockfarbeStr    clRed", clockColor, "clRed"},
        {40, "Reserve", clockColor, "clYellow"},
    };
    for (const Row& row : rows) {
        ProjectSettings s;
        s.ClockKind = 1;
        s.ClockSize = 5;
        s.TrainTrackingVisible = true;
        s.TrainTrackingWindow = QRect(1, 2, 3, 4);
        const QString value = QString::fromUtf8(row.value);
        const ProjectSettingsReadResult result = ReadProjectSettings(withValue(row.pair, value), testContext(), s);
        ASSERT_TRUE(result.ok) << row.pair << " " << row.value << ": " << result.error.toStdString();
        EXPECT_EQ(row.field(s), QString::fromUtf8(row.expected)) << "pair " << row.pair << " »" << row.value << "«";
    }
}

TEST(ProjectSettingsFile, FeedbackModulesCoverWholeSixteensOfContacts)
{
    struct Row {
        int contacts;
        size_t modules;
    };
    const Row rows[] = {{0, 0}, {15, 0}, {16, 1}, {17, 1}, {96, 6}, {512, 32}, {999, 32}};
    for (const Row& row : rows) {
        ProjectSettings s;
        s.GleiskontaktAnzahl = row.contacts;
        ProjectSettings read;
        ASSERT_TRUE(ReadProjectSettings(ProjectSettingsLines(s, testContext()), testContext(), read).ok);
        ASSERT_EQ(read.S88Module.size(), row.modules) << row.contacts;
        if (row.modules > 0) {
            const S88Modul& last = read.S88Module.back();
            EXPECT_EQ(last.Name, QStringLiteral("S88 %1").arg(row.modules));
            EXPECT_EQ(last.Kontakte.front(), int(row.modules - 1) * 16 + 1);
            EXPECT_EQ(last.Kontakte.back(), int(row.modules) * 16);
            EXPECT_TRUE(last.Status.isEmpty());
        }
    }
}

TEST(ProjectSettingsFile, OlderFileWithFewerPairsKeepsStartUpValues)
{
    const QStringList all = NewProjectSettingsLines(QStringLiteral("Anlage"), QStringLiteral("05.03.2024"));
    // Ten pairs, and ten pairs plus the header of the eleventh.
    for (const qsizetype count : {qsizetype(20), qsizetype(21)}) {
        ProjectSettings s;
        const ProjectSettingsReadResult result = ReadProjectSettings(all.mid(0, count), testContext(), s);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.pairsRead, 10);
        EXPECT_EQ(s.ZentraleTyp, 2);
        EXPECT_EQ(s.GleiskontaktAnzahl, 96);
        EXPECT_TRUE(s.SignalSchalten);
        // Pairs 11 on keep their start-up values; pair 27 names the type read from pair 3.
        ProjectSettings startUp;
        startUp.ZentraleTyp = 2;
        EXPECT_EQ(ProjectSettingsLines(s, testContext()).mid(20), ProjectSettingsLines(startUp, testContext()).mid(20));
    }
    ProjectSettings untouched;
    EXPECT_FALSE(ReadProjectSettings({}, testContext(), untouched).ok);
}

TEST(ProjectSettingsFile, NewProjectFileIsWrittenThenRead)
{
    QTemporaryDir dir;
    const ProjectFileContext context = testContext(dir.path() + u'/');
    ASSERT_TRUE(QDir().mkpath(ProjectFolder(context.programFolder, QStringLiteral("Anlage"))));
    const QString path = ProjectSettingsPath(context.programFolder, QStringLiteral("Anlage"));

    ProjectSettings s;
    const ProjectSettingsLoadResult result = LoadProjectSettingsFile(path, context, s);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(result.created);
    EXPECT_EQ(readAll(path), kNewProjectBytes);
    EXPECT_EQ(result.projectName, QStringLiteral("Anlage"));
    EXPECT_EQ(s.ZentraleTyp, 2);
    EXPECT_EQ(s.ComPort, 1);
    EXPECT_EQ(s.BaudRate, 19200);
    EXPECT_EQ(s.IpPort, 15471);
    EXPECT_EQ(s.GleiskontaktAnzahl, 96);
    EXPECT_EQ(s.MagnetArtikelAnzahl, 96);
    EXPECT_TRUE(s.PowerOnByStart);
    EXPECT_EQ(s.FunktionenOnOffDelay, 500);
    EXPECT_EQ(s.Automaticdelay, 2000);
    EXPECT_EQ(s.MaintenanceFile, DefaultMaintenanceFile(context.programFolder, QStringLiteral("Anlage")));
    EXPECT_EQ(s.LocoPictureFolder, context.programFolder + QStringLiteral("Loks"));
    ASSERT_EQ(s.S88Module.size(), 6u);
    for (size_t n = 0; n < s.S88Module.size(); ++n) {
        EXPECT_EQ(s.S88Module[n].Name, QStringLiteral("S88 %1").arg(n + 1));
        EXPECT_EQ(s.S88Module[n].Kontakte.front(), int(n) * 16 + 1);
        EXPECT_EQ(s.S88Module[n].Kontakte.back(), int(n + 1) * 16);
    }

    // The next start reads the same file without writing it again.
    ProjectSettings again;
    const ProjectSettingsLoadResult second = LoadProjectSettingsFile(path, context, again);
    EXPECT_TRUE(second.ok);
    EXPECT_FALSE(second.created);
}

TEST(ProjectSettingsFile, DamagedFileIsReportedWithItsLineAndLeftUntouched)
{
    struct Row {
        int pair;
        const char* value;
        const char* line;
    };
    const Row rows[] = {
        {3, "KEIN PROTOKOL", "Zeile 6:"},
        {4, "Anzahl Gleisbesetztmelder:0x6", "Zeile 8:"},
        {12, "0114500O80 Pos Uhr", "Zeile 24:"},
        {18, "1abc", "Zeile 36:"},
        {21, "COM1", "Zeile 42:"},
        {34, "Infofenster", "Zeile 68:"},
        {39, "", "Zeile 78:"},
    };
    QTemporaryDir dir;
    const ProjectFileContext context = testContext(dir.path() + u'/');
    const QString path = dir.filePath("Anlage.pro");
    for (const Row& row : rows) {
        const QByteArray bytes = LineWriter::JoinLines(withValue(row.pair, QString::fromUtf8(row.value)));
        ASSERT_TRUE(writeBytes(path, bytes));
        ProjectSettings s = goldenSettings();
        const ProjectSettingsLoadResult result = LoadProjectSettingsFile(path, context, s);
        EXPECT_FALSE(result.ok) << row.pair;
        EXPECT_FALSE(result.created);
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(row.line))) << result.error.toStdString();
        EXPECT_EQ(ProjectSettingsLines(s, context), ProjectSettingsLines(goldenSettings(), context)) << row.pair;
        EXPECT_EQ(readAll(path), bytes) << row.pair;
    }
}

TEST(ProjectSettingsFile, SaveFindsTheFileWithoutRegardToCaseAndReportsFailure)
{
    QTemporaryDir dir;
    const ProjectFileContext context = testContext(dir.path() + u'/');
    const QString stored = dir.filePath("anlage.PRO");
    ASSERT_TRUE(writeBytes(stored, kNewProjectBytes));

    QString error;
    ProjectSettings s = goldenSettings();
    s.LocoPictureFolder = QStringLiteral("/srv/loks");
    s.WagonPictureFolder.clear();
    ASSERT_TRUE(SaveProjectSettingsFile(dir.filePath("Anlage.pro"), s, context, &error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("Anlage.pro")));
    const QStringList lines = LineReader::SplitLines(readAll(stored));
    ASSERT_EQ(lines.size(), 84);
    // The file existed: the own folder and the alternative database are stored as they are.
    EXPECT_EQ(lines[57], QStringLiteral("/srv/loks"));
    EXPECT_EQ(lines[59], QStringLiteral("Wagen"));
    EXPECT_EQ(lines[71], QStringLiteral("X/data/alt/Fahrzeuge20.lda"));

    EXPECT_FALSE(SaveProjectSettingsFile(dir.filePath("fehlt/Anlage.pro"), s, context, &error));
    EXPECT_FALSE(error.isEmpty());
}
