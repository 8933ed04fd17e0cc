#include "settings/ProjectSettingsFile.h"

#include "core/ColorText.h"
#include "core/FileSave.h"
#include "core/LineFile.h"
#include "core/TextFields.h"
#include "settings/ZentraleNamen.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
constexpr int kPairCount = 42;
constexpr int kMaxGleiskontakte = 512;
constexpr int kMaxMagnetArtikel = 250;

const QString kDefaultPanelColorAutomatic = QStringLiteral("$009B94FC");
const QString kNoAlternativeDatabase = QStringLiteral("....Alternative Lokdatenbank");
const QString kLoks = QStringLiteral("Loks");
const QString kWagen = QStringLiteral("Wagen");

// Header lines as the program writes them; the reader never looks at them.
const char16_t* const kHeaders[kPairCount] = {
    u"1.Projekt",
    u"2.ProjektName",
    u"3.Protokol",
    u"4.GleiskontaktAnzahl",
    u"5.MagnetArtikelAnzahl",
    u"6.LokBildImGleisplanAnzeigen",
    u"7.RasterAnzeigen",
    u"8.AnzahlLokAdressen",
    u"9.Color",
    u"10.SignalSchalten",
    u"11.MaxZugeInAutomaticAktiv",
    u"12.Pos Uhr - UhrForm-Left-Top-UhrDigiAnalog-GrosseDigital",
    u"13.AnzZeilenImProgramm",
    u"14.ZugdatenFormLeft",
    u"15.AlleLokfunktionenausschalten",
    u"16.FunktionenOnOffDelay",
    u"17.Automaticdelay",
    u"18.ZugVerfolgungForm PosX- PosY - Width - Height",
    u"19.PanelColorAutomatic",
    u"20.FunktionBilderAuswahl",
    u"21.COM-BAUD",
    u"22.PORT-IP",
    u"23.NichtAlleLoksanzeigen",
    u"24.LoksEinteilen",
    u"25.WartungDatei",
    u"26.GleisplanInFarbe",
    u"27.Protokol IB1-TWIN-CS1-CS2-IB2-IC_COM-ECOS1-ECOS 2-z21",
    u"28.CS1_Fahren_mit_Fahrstufen",
    u"29.Verzeichnis LokBilder",
    u"30.Verzeichnis WagenBilder",
    u"31.Weitergehende Fahrstrassen",
    u"32.PowerOnByStart",
    u"33.Reserve",
    u"34.Infofenster",
    u"35.LogBuchFenster",
    u"36.Alternative Lokdatenbank",
    u"37.Reserve",
    u"38.WartezeitzwischenMagnetArt",
    u"39.InfoAnzeigenDauer",
    u"40.Uhr Farben ClockfarbeStr",
    u"41.Uhr Farben FullenStr",
    u"42.Uhr Farben ClockFarbeOffStr",
};

// The labels of pairs 4, 5, 7 and 8 are 26 characters long, those of 16, 17 and 40..42 21.
const QString kGleiskontaktLabel = QStringLiteral("Anzahl Gleisbesetztmelder:");
const QString kMagnetArtikelLabel = QStringLiteral("Anzahl Magnetartikel     :");
const QString kRasterLabel = QStringLiteral("RasterAnzeigen           :");
const QString kLokAdressenLabel = QStringLiteral("Anzahl LokAdressen       :");
const QString kOnOffDelayLabel = QStringLiteral("FunktionenOnOffDelay ");
const QString kAutomaticdelayLabel = QStringLiteral("Automaticdelay       ");
const QString kClockfarbeLabel = QStringLiteral("Uhr ClockfarbeStr    ");
const QString kFullenLabel = QStringLiteral("Uhr FullenStr        ");
const QString kClockFarbeOffLabel = QStringLiteral("Uhr ClockFarbeOffStr ");

QString Flag(bool on, const QString& yes, const QString& no)
{
    return on ? yes : no;
}

QString CleanPath(const QString& path)
{
    return QDir::cleanPath(path);
}

// Pairs 29 and 30: the standard folder is stored by its short name.
QString PictureFolderText(const QString& folder, const QString& shortName, const ProjectFileContext& context)
{
    const QString standard = context.programFolder + shortName;
    if (!context.fileExisted || folder.isEmpty() || CleanPath(folder) == CleanPath(standard)) {
        return shortName;
    }
    return folder;
}

QString PictureFolderFromText(const QString& text, const QString& shortName, const ProjectFileContext& context)
{
    // An empty line would leave the pictures without folder; it means the standard one.
    return text == shortName || text.isEmpty() ? context.programFolder + shortName : text;
}

QString TrainTrackingText(const ProjectSettings& s)
{
    const QRect& r = s.TrainTrackingWindow;
    return Flag(s.TrainTrackingVisible, QStringLiteral("1"), QStringLiteral("0")) + FixedField(r.left(), 5)
        + FixedField(r.top(), 5) + FixedField(r.width(), 5) + FixedField(r.height(), 5)
        + Flag(s.TrainTrackingVisible, QStringLiteral(" ZugVerfolgungForm Sichtbar"),
               QStringLiteral(" ZugVerfolgungForm Unsichtbar"));
}

// A geometry text the reader could not take back is replaced by the start-up value.
QString GeometryTextToWrite(const QString& text, const QString& startUp)
{
    return WindowGeometryRect(text) ? text : startUp;
}
} // namespace

QString ProjectFolder(const QString& programFolder, const QString& projectName)
{
    return programFolder + QStringLiteral("Projekte/") + projectName + u'/';
}

QString ProjectSettingsPath(const QString& programFolder, const QString& projectName)
{
    return ProjectFolder(programFolder, projectName) + projectName + QStringLiteral(".pro");
}

QString DefaultMaintenanceFile(const QString& programFolder, const QString& projectName)
{
    return ProjectFolder(programFolder, projectName) + projectName + QStringLiteral(".war");
}

QString WindowGeometryText(const QRect& rect, const QString& suffix)
{
    return FixedField(rect.left(), 4) + FixedField(rect.top(), 4) + FixedField(rect.height(), 4)
        + FixedField(rect.width(), 4) + suffix;
}

std::optional<QRect> WindowGeometryRect(const QString& text)
{
    const auto left = ParseInt(Columns(text, 1, 4));
    const auto top = ParseInt(Columns(text, 5, 8));
    const auto height = ParseInt(Columns(text, 9, 12));
    const auto width = ParseInt(Columns(text, 13, 16));
    if (!left || !top || !height || !width) {
        return std::nullopt;
    }
    return QRect(*left, *top, *width, *height);
}

std::vector<S88Modul> BuildS88Module(int gleiskontaktAnzahl)
{
    std::vector<S88Modul> module;
    const int count = std::max(gleiskontaktAnzahl, 0) / 16;
    for (int n = 1; n <= count; ++n) {
        S88Modul modul;
        modul.Name = QStringLiteral("S88 %1").arg(n);
        for (int i = 0; i < 16; ++i) {
            modul.Kontakte[static_cast<size_t>(i)] = (n - 1) * 16 + 1 + i;
        }
        module.push_back(modul);
    }
    return module;
}

QStringList ProjectSettingsLines(const ProjectSettings& s, const ProjectFileContext& context)
{
    const QString defaultMaintenance = DefaultMaintenanceFile(context.programFolder, context.projectName);
    const int typ = std::clamp(s.ZentraleTyp, 0, ZentraleTypMax);
    const QString values[kPairCount] = {
        QStringLiteral("Projekt ") + context.projectName + QStringLiteral(" geändert ") + context.dateText,
        context.projectName,
        ProtokolText(typ),
        kGleiskontaktLabel + FixedField(s.GleiskontaktAnzahl, 3),
        kMagnetArtikelLabel + FixedField(s.MagnetArtikelAnzahl, 3),
        Flag(s.ShowUnnumberedSignals, QStringLiteral("1"), QStringLiteral("0")) + s.LocoDisplayMode,
        kRasterLabel + Flag(s.RasterAnzeigen, QStringLiteral("1"), QStringLiteral("0")),
        kLokAdressenLabel + QStringLiteral("200"),
        QStringLiteral("Color ") + s.PanelColor,
        Flag(s.SignalSchalten, QStringLiteral("SignalSchalten"), QStringLiteral("NOT SignalSchalten")),
        QString::number(std::max(s.MaxZugeInAutomaticAktiv, 0)),
        FixedField(s.ClockLeft, 5) + FixedField(s.ClockTop, 5) + FixedField(s.ClockKind, 1) + FixedField(s.ClockSize, 3)
            + QStringLiteral(" Pos Uhr"),
        QString::number(std::max(s.AnzZeilenImProgramm, 0)),
        FixedField(s.TrainDataWindowLeft, 5) + FixedField(s.TrainDataWindowTop, 5),
        Flag(s.AlleLokfunktionenausschalten, QStringLiteral("AlleLokfunktionenausschalten"),
             QStringLiteral("NOT AlleLokfunktionenausschalten")),
        kOnOffDelayLabel + FixedField(s.FunktionenOnOffDelay, 5),
        kAutomaticdelayLabel + FixedField(s.Automaticdelay, 5),
        TrainTrackingText(s),
        QStringLiteral("PanelColorAutomatic ") + s.PanelColorAutomatic,
        QString::number(std::clamp(s.FunktionBilderAuswahl, 0, 2)),
        // The port has one digit: ports above 9 cannot be stored.
        QString::number(std::clamp(s.ComPort, 1, 9)) + QString::number(std::max(s.BaudRate, 0)),
        FixedField(s.IpPort, 5) + u'-' + s.IpAddress,
        Flag(s.NichtAlleLoksanzeigen, QStringLiteral("NichtAlleLoksanzeigen"), QStringLiteral("AlleLoksanzeigen")),
        Flag(s.LoksEinteilen, QStringLiteral("LoksEinteilen"), QStringLiteral("NichtLoksEinteilen")),
        s.MaintenanceFile.isEmpty() || s.MaintenanceFile == defaultMaintenance ? defaultMaintenance
                                                                                : u'X' + s.MaintenanceFile,
        Flag(s.GleisplanInFarbe, QStringLiteral("GleisplanInFarbe"), QStringLiteral("NOT GleisplanInFarbe")),
        CentraleText(typ),
        Flag(s.CS1_Fahren_mit_Fahrstufen, QStringLiteral("CS1_Fahren_mit_Fahrstufen"),
             QStringLiteral("Nicht CS1_Fahren_mit_Fahrstufen")),
        PictureFolderText(s.LocoPictureFolder, kLoks, context),
        PictureFolderText(s.WagonPictureFolder, kWagen, context),
        Flag(s.ContinuingRoutesA, QStringLiteral("1/"), QStringLiteral("0/"))
            + Flag(s.ContinuingRoutesB, QStringLiteral("1"), QStringLiteral("0")),
        Flag(s.PowerOnByStart, QStringLiteral("x"), QStringLiteral("-")) + QStringLiteral(" PowerOnByStart"),
        QStringLiteral("Reserve"),
        GeometryTextToWrite(s.InfoWindowGeometry, ProjectSettings{}.InfoWindowGeometry),
        GeometryTextToWrite(s.LogbookWindowGeometry, ProjectSettings{}.LogbookWindowGeometry),
        !s.AlternativeVehicleDatabase.isEmpty() && context.fileExisted ? u'X' + s.AlternativeVehicleDatabase
                                                                        : kNoAlternativeDatabase,
        QStringLiteral("Reserve"),
        FixedField(s.WartezeitzwischenMagnetArt, 3),
        FixedField(s.InfoAnzeigenDauer, 4),
        kClockfarbeLabel + s.ClockfarbeStr,
        kFullenLabel + s.FullenStr,
        kClockFarbeOffLabel + s.ClockFarbeOffStr,
    };
    QStringList lines;
    for (int i = 0; i < kPairCount; ++i) {
        lines << QString::fromUtf16(kHeaders[i]) << values[i];
    }
    return lines;
}

QStringList NewProjectSettingsLines(const QString& projectName, const QString& dateText)
{
    return {
        QStringLiteral("1.Projekt"),
        QStringLiteral("Projekt ") + projectName + QStringLiteral(" erstellt ") + dateText,
        QStringLiteral("2.ProjektName"),
        projectName,
        QStringLiteral("3."),
        QStringLiteral("02 Centrale : IB1"),
        QStringLiteral("4.GleiskontaktAnzahl"),
        QStringLiteral("Anzahl Gleisbesetztmelder:096"),
        QStringLiteral("5.Anzahl Magnetartikel"),
        QStringLiteral("Anzahl Magnetartikel     :096"),
        QStringLiteral("6.LokbilderAnzeigen"),
        QStringLiteral("1LokbilderAnzeigen"),
        QStringLiteral("7.RasterAnzeigen"),
        QStringLiteral("RasterAnzeigen           :0"),
        QStringLiteral("8.Anzahl LokAdressen"),
        QStringLiteral("Anzahl LokAdressen       :200"),
        QStringLiteral("9.Color"),
        QStringLiteral("Color $00DBF8AB"),
        QStringLiteral("10.SignalSchalten"),
        QStringLiteral("SignalSchalten"),
        QStringLiteral("11.MaxZugeInAutomaticAktiv"),
        QStringLiteral("0"),
        QStringLiteral("12.Pos Uhr"),
        QStringLiteral("0114500080 Pos Uhr"),
        QStringLiteral("13.AnzZeilenImProgramm"),
        QStringLiteral("0"),
        QStringLiteral("14.ZugdatenFormLeft"),
        QStringLiteral("0017000163"),
        QStringLiteral("15.AlleLokfunktionenausschalten"),
        QStringLiteral("NOT AlleLokfunktionenausschalten"),
        QStringLiteral("16.FunktionenOnOffDelay"),
        QStringLiteral("FunktionenOnOffDelay 00500"),
        QStringLiteral("17.Automaticdelay"),
        QStringLiteral("Automaticdelay       02000"),
        QStringLiteral("18.ZugverfolgungForm"),
        QStringLiteral("Reserve"),
        QStringLiteral("19.PanelColorAutomatic"),
        QStringLiteral("PanelColorAutomatic $009B94FC"),
        QStringLiteral("20.FunktionBilderAuswahl"),
        QStringLiteral("0"),
        QStringLiteral("21.COM-BAUD"),
        QStringLiteral("119200"),
        QStringLiteral("22.PORT-IP"),
        QStringLiteral("15471-192.168.1.100"),
        QStringLiteral("23.NichtAlleLoksanzeigen"),
        QStringLiteral("NichtAlleLoksanzeigen"),
        QStringLiteral("24.LoksEinteilen"),
        QStringLiteral("NichtLoksEinteilen"),
        QStringLiteral("25.WartungVerzeichnis"),
        QStringLiteral("WartungVerzeichnis"),
        QStringLiteral("26.GleisplanInFarbe"),
        QStringLiteral("GleisplanInFarbe"),
        QStringLiteral("27.Reserve"),
        QStringLiteral("Reserve"),
        QStringLiteral("28.CS1_Fahren_mit_Fahrstufen"),
        QStringLiteral("Nicht CS1_Fahren_mit_Fahrstufen"),
        QStringLiteral("29.Verzeichnis LokBilder"),
        kLoks,
        QStringLiteral("30.Verzeichnis WagenBilder"),
        kWagen,
        QStringLiteral("31.Weitergehende Fahrstrassen"),
        QStringLiteral("0/0"),
        QStringLiteral("32.PowerByStartCheckBox"),
        QStringLiteral("x PowerByStartCheckBox"),
        QStringLiteral("33.Reserve"),
        QStringLiteral("Reserve"),
        QStringLiteral("34.Infofenster"),
        QStringLiteral("0151017305551031_InfoFenster"),
        QStringLiteral("35.LogBuchFenster"),
        QStringLiteral("0327027002700400_LogBuchFenster"),
        QStringLiteral("36.Alternative Lokdatenbank"),
        kNoAlternativeDatabase,
        QStringLiteral("37.Reserve"),
        QStringLiteral("Reserve"),
        QStringLiteral("38.WartezeitzwischenMagnetArt"),
        QStringLiteral("300"),
        QStringLiteral("39.InfoAnzeigenDauer"),
        QStringLiteral("1000"),
        QStringLiteral("40.Uhr Farben ClockfarbeStr"),
        QStringLiteral("Uhr ClockfarbeStr    clYellow"),
        QStringLiteral("41.Uhr Farben FullenStr"),
        QStringLiteral("Uhr FullenStr        clGreen"),
        QStringLiteral("42.Uhr Farben ClockFarbeOffStr"),
        QStringLiteral("Uhr ClockFarbeOffStr clMaroon"),
    };
}

ProjectSettingsReadResult ReadProjectSettings(const QStringList& lines, const ProjectFileContext& context,
                                              ProjectSettings& settings)
{
    ProjectSettingsReadResult result;
    if (lines.isEmpty()) {
        result.error = QStringLiteral("Die Projektdatei ist leer.");
        return result;
    }
    ProjectSettings s = settings;
    LineReader reader(lines);
    const QString defaultMaintenance = DefaultMaintenanceFile(context.programFolder, context.projectName);

    // A number that is not one is recorded with its line and ends the reading after this pair.
    const auto number = [&reader](const QString& text, const QString& what, int fallback) {
        return reader.number(text, what, fallback);
    };
    const auto clockColor = [](const QString& line, QString& field) {
        if (Columns(line, 1, 3) == QStringLiteral("Uhr")) {
            field = ColumnsFrom(line, 22);
        }
    };

    int pair = 1;
    for (; pair <= kPairCount && reader.ok(); ++pair) {
        // An older file ends after fewer pairs: the rest keep their values.
        if (reader.atEnd()) {
            break;
        }
        reader.next(); // header
        if (reader.atEnd()) {
            break;
        }
        const QString v = reader.next();
        switch (pair) {
        case 1:
        case 27:
        case 33:
        case 37:
            break;
        case 2:
            result.projectName = v;
            break;
        case 3:
            s.ZentraleTyp = std::clamp(number(Columns(v, 1, 2), QStringLiteral("ZentraleTyp"), 0), 0, ZentraleTypMax);
            break;
        case 4:
            s.GleiskontaktAnzahl = std::clamp(number(Columns(v, 27, 29), QStringLiteral("GleiskontaktAnzahl"), 0), 0,
                                              kMaxGleiskontakte);
            break;
        case 5:
            s.MagnetArtikelAnzahl = std::clamp(number(Columns(v, 27, 29), QStringLiteral("MagnetArtikelAnzahl"), 0),
                                               0, kMaxMagnetArtikel);
            break;
        case 6:
            if (v.startsWith(u'1') || v.startsWith(u'0')) {
                s.ShowUnnumberedSignals = v.startsWith(u'1');
                s.LocoDisplayMode = v.mid(1);
            } else {
                s.ShowUnnumberedSignals = true;
                s.LocoDisplayMode = v;
            }
            break;
        case 7:
            s.RasterAnzeigen = Columns(v, 27, 27) != QStringLiteral("0");
            break;
        case 8:
            s.LocoAddressCount = number(Columns(v, 27, 29), QStringLiteral("Anzahl LokAdressen"), 200);
            break;
        case 9:
            s.PanelColor = ColumnsFrom(v, 7);
            break;
        case 10:
            s.SignalSchalten = v == QStringLiteral("SignalSchalten");
            break;
        case 11:
            s.MaxZugeInAutomaticAktiv = number(v, QStringLiteral("MaxZugeInAutomaticAktiv"), 0);
            break;
        case 12: {
            const int left = number(Columns(v, 1, 5), QStringLiteral("Uhr links"), 0);
            const int top = number(Columns(v, 6, 10), QStringLiteral("Uhr oben"), 0);
            s.ClockLeft = std::max(0, std::min(left, context.mainWindowWidth - 100));
            s.ClockTop = std::max(0, std::min(top, context.mainWindowHeight - 120));
            // "0114500080 Pos Uhr" from a new project holds no kind and size.
            if (Columns(v, 11, 14) != QStringLiteral(" Pos")) {
                s.ClockKind = number(Columns(v, 11, 11), QStringLiteral("Uhr Art"), s.ClockKind);
                s.ClockSize = number(Columns(v, 12, 14), QStringLiteral("Uhr Grösse"), s.ClockSize);
            }
            break;
        }
        case 13:
            s.AnzZeilenImProgramm = number(v, QStringLiteral("AnzZeilenImProgramm"), 0);
            break;
        case 14: {
            s.TrainDataWindowLeft = number(Columns(v, 1, 5), QStringLiteral("Zugdatenfenster links"), 0);
            const int top = number(Columns(v, 6, 10), QStringLiteral("Zugdatenfenster oben"), 0);
            s.TrainDataWindowTop = context.screenHeight < top ? context.screenHeight - 50 : top;
            break;
        }
        case 15:
            if (v == QStringLiteral("AlleLokfunktionenausschalten")) {
                s.AlleLokfunktionenausschalten = true;
            }
            break;
        case 16:
            s.FunktionenOnOffDelay = number(ColumnsFrom(v, 22), QStringLiteral("FunktionenOnOffDelay"), 0);
            break;
        case 17:
            s.Automaticdelay = std::max(1, number(ColumnsFrom(v, 22), QStringLiteral("Automaticdelay"), 1));
            break;
        case 18:
            // "Reserve" from a new project, or a short line of an older version: nothing stored.
            if (v.startsWith(u'R') || v.startsWith(u'r') || v.size() == 10) {
                break;
            }
            s.TrainTrackingVisible = v.startsWith(u'1');
            s.TrainTrackingWindow = QRect(number(Columns(v, 2, 6), QStringLiteral("Zugverfolgung links"), 0),
                                          number(Columns(v, 7, 11), QStringLiteral("Zugverfolgung oben"), 0),
                                          number(Columns(v, 12, 16), QStringLiteral("Zugverfolgung Breite"), 0),
                                          number(Columns(v, 17, 21), QStringLiteral("Zugverfolgung Höhe"), 0));
            break;
        case 19: {
            // The colour follows "PanelColorAutomatic "; a blank too many (files of older versions)
            // is dropped, and a colour name is kept like a "$" value.
            const QString color = ColumnsFrom(v, 20).trimmed();
            s.PanelColorAutomatic = StringToColor(color) ? color : kDefaultPanelColorAutomatic;
            break;
        }
        case 20:
            s.FunktionBilderAuswahl = std::clamp(number(v, QStringLiteral("FunktionBilderAuswahl"), 0), 0, 2);
            break;
        case 21:
            s.ComPort = number(Columns(v, 1, 1), QStringLiteral("ComPort"), s.ComPort);
            s.BaudRate = number(ColumnsFrom(v, 2), QStringLiteral("BaudRate"), s.BaudRate);
            break;
        case 22:
            s.IpPort = number(Columns(v, 1, 5), QStringLiteral("IpPort"), s.IpPort);
            s.IpAddress = ColumnsFrom(v, 7);
            break;
        case 23:
            s.NichtAlleLoksanzeigen = v == QStringLiteral("NichtAlleLoksanzeigen");
            break;
        case 24:
            s.LoksEinteilen = v != QStringLiteral("NichtLoksEinteilen");
            break;
        case 25:
            s.MaintenanceFile = v.startsWith(u'X') ? v.mid(1) : defaultMaintenance;
            break;
        case 26:
            s.GleisplanInFarbe = v == QStringLiteral("GleisplanInFarbe");
            break;
        case 28:
            s.CS1_Fahren_mit_Fahrstufen = v == QStringLiteral("CS1_Fahren_mit_Fahrstufen");
            break;
        case 29:
            s.LocoPictureFolder = PictureFolderFromText(v, kLoks, context);
            break;
        case 30:
            s.WagonPictureFolder = PictureFolderFromText(v, kWagen, context);
            break;
        case 31:
            s.ContinuingRoutesA = Columns(v, 1, 1) != QStringLiteral("0");
            s.ContinuingRoutesB = Columns(v, 3, 3) != QStringLiteral("0");
            break;
        case 32:
            s.PowerOnByStart = v.startsWith(u'x');
            break;
        case 34:
        case 35:
            if (!WindowGeometryRect(v)) {
                reader.fail(QStringLiteral("Fensterposition ist keine Zahl: »%1«").arg(v));
            } else if (pair == 34) {
                s.InfoWindowGeometry = v;
            } else {
                s.LogbookWindowGeometry = v;
            }
            break;
        case 36:
            // The maintenance file of an alternative database lies in that database's folder.
            s.AlternativeVehicleDatabase = v.startsWith(u'X') ? v.mid(1) : QString();
            s.AlternativeMaintenanceFile = s.AlternativeVehicleDatabase.isEmpty()
                ? defaultMaintenance
                : QFileInfo(s.AlternativeVehicleDatabase).path() + u'/' + context.projectName + QStringLiteral(".war");
            break;
        case 38:
            s.WartezeitzwischenMagnetArt = number(v, QStringLiteral("WartezeitzwischenMagnetArt"), 0);
            break;
        case 39:
            s.InfoAnzeigenDauer = number(Columns(v, 1, 4), QStringLiteral("InfoAnzeigenDauer"), 0);
            break;
        case 40:
            clockColor(v, s.ClockfarbeStr);
            break;
        case 41:
            clockColor(v, s.FullenStr);
            break;
        case 42:
            clockColor(v, s.ClockFarbeOffStr);
            break;
        default:
            break;
        }
        if (reader.ok()) {
            result.pairsRead = pair;
        }
    }
    if (!reader.ok()) {
        result.error = QStringLiteral("Fehler in der Projektdatei, ") + reader.errorText();
        return result;
    }
    s.FunctionKeyCount = s.ZentraleTyp == 3 ? 8 : 16;
    s.S88Module = s.GleiskontaktAnzahl >= 16 ? BuildS88Module(s.GleiskontaktAnzahl) : std::vector<S88Modul>{};
    settings = std::move(s);
    result.ok = true;
    return result;
}

ProjectSettingsLoadResult LoadProjectSettingsFile(const QString& path, const ProjectFileContext& context,
                                                  ProjectSettings& settings)
{
    ProjectSettingsLoadResult result;
    const QFileInfo info(path);
    QString found = FindFileNoCase(info.path(), info.fileName());
    if (!QFileInfo(found).isFile()) {
        found = path;
        QString error;
        if (!SaveFileAtomically(found, LineWriter::JoinLines(NewProjectSettingsLines(context.projectName, context.dateText)),
                                &error)) {
            result.error = error;
            return result;
        }
        result.created = true;
    }
    QString error;
    const auto lines = LineReader::ReadLines(found, &error);
    if (!lines) {
        result.error = error;
        return result;
    }
    const ProjectSettingsReadResult read = ReadProjectSettings(*lines, context, settings);
    result.ok = read.ok;
    result.projectName = read.projectName;
    if (!read.ok) {
        result.error = QStringLiteral("%1: %2").arg(found, read.error);
    }
    return result;
}

bool SaveProjectSettingsFile(const QString& path, const ProjectSettings& settings, const ProjectFileContext& context,
                             QString* error)
{
    const QFileInfo info(path);
    const QString target = FindFileNoCase(info.path(), info.fileName());
    ProjectFileContext c = context;
    c.fileExisted = QFileInfo(target).isFile();
    LineWriter writer;
    for (const QString& line : ProjectSettingsLines(settings, c)) {
        writer << line;
    }
    return writer.save(target, error);
}
