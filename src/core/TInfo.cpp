#include "core/TInfo.h"

#include "core/FileSave.h"
#include "core/LineFile.h"
#include "core/Programm.h"
#include "core/ProjektDaten.h"
#include "core/Windows1252.h"
#include "diagram/GleisbildZeichner.h"
#include "diagram/TTrassolin.h"
#include "settings/ParameterFile.h"
#include "settings/ProjectSettingsFile.h"
#include "settings/TSystem.h"
#include "settings/ZentraleNamen.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace {
const QString kAsterisks(55, u'*');

// The files a backup copies under their own names, and the project files it renames.
const char* const kSameNameFiles[] = {"Fahrzeuge20.lda", "CS1Loks.lda", "CS2Loks.lda", "EC1Loks.lda",
                                      "EC2Loks.lda", "CS1MagnetArt.ma2", "CS2MagnetArt.ma2", "EC1MagnetArt.ma2",
                                      "EC2MagnetArt.ma2", "lokomotive.cs2", "magnetartikel.cs2"};
const char* const kProjectSuffixes[] = {".Ab4", ".Car", ".da2", ".Fs4", ".hs2", ".sou", ".war", ".Zug", ".Dre"};

bool copyIfExists(const QString& fromFolder, const QString& fromName, const QString& to)
{
    const QString from = FindFileNoCase(fromFolder, fromName);
    return !QFile::exists(from) || QFile::copy(from, to);
}
} // namespace

TInfo::TInfo(Programm& programm)
    : programm_(programm), opening_(programm.scheduler, QStringLiteral("TInfo.OpenProject")),
      ending_(programm.scheduler, QStringLiteral("TInfo.Ende"))
{
}

TInfo::~TInfo()
{
    opening_.cancel();
    ending_.cancel();
}

// ---- log and display ----------------------------------------------------------------------

void TInfo::log(const QString& text, bool red)
{
    log_.push_back({text, red});
    Q_EMIT changed();
}

void TInfo::logStar(const QString& text)
{
    log(QStringLiteral("* ") + programm_.clock.timeText() + text);
}

void TInfo::logPlain(const QString& text)
{
    log(QStringLiteral("*") + programm_.clock.timeText() + text);
}

QStringList TInfo::logTexts() const
{
    QStringList texts;
    for (const LogZeile& line : log_) {
        texts << line.text;
    }
    return texts;
}

void TInfo::setProgress(int position)
{
    progressPosition = position;
    Q_EMIT changed();
}

void TInfo::status(const QString& text)
{
    programm_.hauptfenster->UpdateStatusbar(2, 0, text);
}

// ---- start ----------------------------------------------------------------------------------

void TInfo::ShowStartWindow()
{
    visible = true;
    if (InfoNurAnzeige) {
        progressVisible = false;
        buttonsEnabled = false;
        programm_.system->ApplyPanelColor();
        Q_EMIT changed();
        return;
    }
    TTrassolin& haupt = *programm_.hauptfenster;
    haupt.setSteuerzustand(TTrassolin::Steuerzustand::Gesperrt);
    caption = QStringLiteral("Trassolin fur ") + programm_.userName;
    programm_.system->ReadParameterFile();

    log_.clear();
    log(kAsterisks);
    log(QStringLiteral("*** Trassolin gestartet um ") + programm_.clock.timeText() + QStringLiteral(" ************"));
    log(kAsterisks);
    logStar(QStringLiteral(" SystemDatei geöffnet"));
    log(kAsterisks);
    log(QStringLiteral("*** Trassolin Sound ******************************"));
    projectListVisible = false;

    if (programm_.system->LoadProjectSettings(programm_.projectFile(QStringLiteral(".pro")))) {
        versionText = QStringLiteral("v") + programm_.parameters.ProgramVersion;
        zentraleText = ZentraleName(programm_.ZentraleTyp());
    }
    InfoFensterGeometrie = programm_.settings.InfoWindowGeometry;

    haupt.ZeigePower(0);
    haupt.setStatusPanel(0, ZentraleName(programm_.ZentraleTyp()));
    programm_.ZentraleVerbunden = false;

    const int typ = programm_.ZentraleTyp();
    logStar(QStringLiteral(" Lade Lokdatenbank ***************"));
    programm_.bus.broadcast(Msg::WM_LADE_LOKDATENBANK, 0, typ);
    logStar(QStringLiteral(" Open Lokliste *******************"));
    programm_.bus.broadcast(Msg::WM_OPEN_LOKLISTE, typ, programm_.ProjektName);
    logStar(QStringLiteral(" Open Magnetartikel *************"));
    programm_.bus.broadcast(Msg::WM_OPEN_MAGNETARTLISTE, programm_.ProjektName, typ);
    programm_.bus.broadcast(Msg::WM_OPEN_S88_MAX, programm_.settings.GleiskontaktAnzahl, typ);
    programm_.bus.broadcast(Msg::WM_DEBUG, 0, 0);
    programm_.system->ApplyPanelColor();
    Q_EMIT changed();
}

// ---- messages -------------------------------------------------------------------------------

void TInfo::receive(const CoreMessage& message)
{
    const int typ = programm_.ZentraleTyp();
    switch (message.id) {
    case Msg::WM_LOKDATENBANK_OK: {
        logStar(QStringLiteral(" Lokdatenbank geladen in FahrzeugForm"));
        const QString alternative = programm_.settings.AlternativeVehicleDatabase;
        lokdatenbankText = QStringLiteral("Lokdatenbank : ")
            + (alternative.isEmpty() ? QStringLiteral("Fahrzeuge20.lda") : FileNameOfStoredPath(alternative));
        Q_EMIT changed();
        break;
    }
    case Msg::WM_OPEN_LOKLISTE_OK:
        MessageRecieveOPEN_LOKLISTE_OK(message);
        break;
    case Msg::WM_LOK_DATEN_VERGLEICHEN_OK: {
        const QString text = TextFuerTyp(typ, {"", "", " IB2 - Lokdaten vergleichen OK", " IB-COM - Lokdaten vergleichen OK",
                                          " CS1 - Lokdaten vergleichen OK", " CS2 - Lokdaten vergleichen OK",
                                          " ECOS 1 - Lokdaten vergleichen OK", " ECOS 2 - Lokdaten vergleichen OK", ""});
        if (!text.isEmpty()) {
            logStar(text);
        }
        break;
    }
    case Msg::WM_OPEN_MAGNETARTLISTE_OK:
        MessageRecieveOPEN_MAGNETARTLISTE_OK(message);
        break;
    case Msg::WM_OPEN_S88_MAX_OK:
        MessageRecieveOPEN_S88_MAX_OK(message);
        break;
    case Msg::WM_VERBUNDEN:
        MessageRecieveVERBUNDEN();
        break;
    case Msg::WM_LOK_DATEN_ID_PROTOCOL:
        logPlain(QStringLiteral("** RecieveLOK_DATEN_ID_PROTOCOL"));
        setProgress(12);
        break;
    case Msg::WM_MAG_DATEN_OK:
        logPlain(QStringLiteral("** Magnet Artikel eingelesen"));
        setProgress(13);
        break;
    case Msg::WM_S88_EINGELESEN:
        logPlain(QStringLiteral("** S88 eingelesen : S88 Module : ") + message.w.toText()
                 + QStringLiteral(" Gleiskontakte : ") + message.l.toText());
        setProgress(14);
        break;
    case Msg::WM_VERBINDENFERTIG:
        logPlain(QStringLiteral("** Verbindung mit ") + ZentraleName(typ) + QStringLiteral("aufgebaut **"));
        setProgress(15);
        break;
    case Msg::WM_POWERON:
        logPlain(QStringLiteral("***** PowerOn *****"));
        break;
    case Msg::WM_POWEROFF:
        logPlain(QStringLiteral("***** PowerOff ****"));
        break;
    case Msg::WM_DEBUG:
        if (message.w.toNumber() == 0 || message.w.toNumber() == 1) {
            debugFilter = false;
            Q_EMIT changed();
        }
        break;
    default:
        break;
    }
}

// The project folder as the list lines name it.
QString TInfo::listenOrdner() const
{
    return programm_.programFolder + QStringLiteral("Projekte\\") + programm_.ProjektName;
}

void TInfo::MessageRecieveOPEN_LOKLISTE_OK(const CoreMessage& message)
{
    const int typ = programm_.ZentraleTyp();
    const QString folder = listenOrdner();
    if (message.l.toNumber() != 0) {
        const QString text = TextFuerTyp(typ, {"", " LokListe geladen aus Fahrzeugdatenbank", " LokListe geladen aus Fahrzeugdatenbank",
                                          " LokListe geladen aus Fahrzeugdatenbank", "\\CS1Loks.lda geladen",
                                          " lokomotive.cs2 geladen", "\\EC1Loks.lda geladen", "\\EC2Loks.lda geladen",
                                          " LokListe geladen aus Fahrzeugdatenbank"});
        if (!text.isEmpty()) {
            logStar(text.startsWith(u'\\') ? QStringLiteral(" ") + folder + text : text);
        }
        programm_.bus.broadcast(Msg::WM_LOK_DATEN_VERGLEICHEN, 0, typ);
        return;
    }
    const QString text = TextFuerTyp(typ, {"", "", "", "", " 4 Dummy Loks erstellt", " lokomotive.cs2 nicht gefunden",
                                      " 4 Dummy Loks erstellt", " 4 Dummy Loks erstellt", ""});
    if (!text.isEmpty()) {
        logStar(text);
    }
}

void TInfo::MessageRecieveOPEN_MAGNETARTLISTE_OK(const CoreMessage& message)
{
    const QString folder = listenOrdner();
    if (message.w.toNumber() != 0) {
        const QString text = TextFuerTyp(message.l.toInt(), {"", "", "", "", "\\CS1MagnetArt.ma2 geladen",
                                                        " magnetArtikel.cs2  geladen", "\\EC1MagnetArt.ma2 geladen",
                                                        "\\EC2MagnetArt.ma2 geladen", ""});
        if (!text.isEmpty()) {
            logStar(text.startsWith(u'\\') ? QStringLiteral(" ") + folder + text : text);
        }
        return;
    }
    const QString text = TextFuerTyp(programm_.ZentraleTyp(), {"", "", "", "", " 4 Dummy Weichen erstellt",
                                                          " magnetArtikel.cs2 nicht gefunden", " 4 Dummy Weichen erstellt",
                                                          " 4 Dummy Weichen erstellt", ""});
    if (!text.isEmpty()) {
        logStar(text);
    }
}

void TInfo::MessageRecieveOPEN_S88_MAX_OK(const CoreMessage& message)
{
    const QString text = TextFuerTyp(message.l.toInt(), {"", " IB1 S88 Panels erstellt", " LOCONET S88 Panels erstellt",
                                                    " LOCONET S88 Panels erstellt", " CS1 S88 Panels erstellt",
                                                    " CS2 S88 Panels erstellt", " ECOS 1 S88 Panels erstellt",
                                                    " ECOS 2 S88 Panels erstellt", " Z21 S88 Panels erstellt"});
    if (!text.isEmpty()) {
        logStar(text);
    }
    if (programm_.ZentraleVerbunden) {
        programm_.bus.broadcast(Msg::WM_S88_ANZ_ABFRAGE, 0, message.l);
    }
}

void TInfo::MessageRecieveVERBUNDEN()
{
    const int typ = programm_.ZentraleTyp();
    logPlain(TextFuerTyp(typ, {"** Verbunden mit Twin-Center", "** Verbunden mit Intellybox 1", "** Verbunden mit Intellybox 2",
                          "** Verbunden mit IB-COM", "** Verbunden mit Marklin Central Station 1",
                          "** Verbunden mit Marklin Central Station 2", "** Verbunden mit Ecos 1",
                          "** Verbunden mit Ecos 2", "** Verbunden mit Z21"}));
    setProgress(11);
    const QString date = programm_.clock.dateText();
    programm_.parameters.LastConnectedDate = date;
    programm_.system->setLetztesMalVerbunden(
        QStringLiteral("Letztes Mal Verbunden mit ")
        + TextFuerTyp(typ, {"Twin-Center ", "Intellybox 1 ", "Intellybox 2 ", "IB-COM ", "Marklin Central Station 1 ",
                       "Marklin Central Station 2 ", "Ecos 1 ", "Ecos 2 ", "Z21 "})
        + QStringLiteral(" am ") + date);
    programm_.system->WriteParameterFile(programm_.ProjektName);
}

// ---- opening the project --------------------------------------------------------------------

void TInfo::OpenProject(bool connect)
{
    TTrassolin& haupt = *programm_.hauptfenster;
    ProjektDaten& daten = *programm_.daten;
    haupt.setSteuerzustand(TTrassolin::Steuerzustand::Gesperrt);
    projectListVisible = false;
    buttonsEnabled = false;
    progressMaximum = 18;
    Q_EMIT changed();

    const qint64 wait = 500;
    StepSequence& s = opening_.reset();
    const bool loadFiles = programm_.ProjektDateiGeladen;
    if (loadFiles) {
        s.then([this, &haupt, connect] {
            haupt.HintergrundSichtbar = false;
            setProgress(2);
            if (!connect) {
                status(QStringLiteral("Lokdatenbank geöffnet"));
            }
        });
        s.wait(wait);
        s.check([this, &daten] {
            const ProjektDaten::Geladen stations = daten.LoadStations(programm_.projectFile(QStringLiteral(".hs2")));
            stationsLoaded = stations.ok;
            if (stations.ok) {
                logStar(QStringLiteral(" Haltestellen geöffnet - V") + stations.version);
                status(QStringLiteral("Haltestellen geöffnet"));
            }
            return stations.ok;
        });
        s.wait(wait);
        s.then([this] {
            setProgress(3);
            logStar(QStringLiteral(" Gleisbild Elemente erstellen"));
            status(QStringLiteral("Gleisbild Elemente erstellen"));
        });
        s.wait(wait);
        s.check([this, &daten, &haupt] {
            const ProjektDaten::Geladen plan = daten.LoadTrackPlan(programm_.projectFile(QStringLiteral(".da2")));
            planLoaded = plan.ok;
            if (!plan.ok) {
                return false;
            }
            haupt.StartbildSichtbar = false;
            setProgress(4);
            daten.ResetContacts();
            logStar(QStringLiteral(" Gleisplan geöffnet - V ") + plan.version);
            status(QStringLiteral("Gleisplan geöffnet"));
            return true;
        });
        s.wait(wait);
        s.then([this, &daten] {
            const ProjektDaten::Geladen trains = daten.LoadTrains(programm_.projectFile(QStringLiteral(".Zug")));
            trainsLoaded = trains.ok;
            logStar(QStringLiteral(" Züge erstellt - V ") + trains.version);
            status(QStringLiteral("Züge erstellt"));
            setProgress(5);
        });
        s.wait(wait);
        s.then([this, &daten] {
            // After the vehicle database fell back to the default one no routes are loaded (and
            // so none are written back over the project's file).
            const ProjektDaten::Geladen routes = programm_.FahrstrassenNichtLaden
                ? ProjektDaten::Geladen{false, {}}
                : daten.LoadRoutes(programm_.projectFile(QStringLiteral(".Fs4")));
            routesLoaded = routes.ok;
            logStar(QStringLiteral(" Fahrstrassen erstellt - V") + routes.version);
            status(QStringLiteral("Fahrstrassen erstellt"));
        });
        s.wait(wait);
        s.then([this, &daten] {
            daten.CompleteRoutes();
            setProgress(6);
            if (programm_.settings.ContinuingRoutesB) {
                daten.FillStationTree();
            }
            daten.LoadCarSystem(programm_.projectFile(QStringLiteral(".Car")));
            daten.OpenSequencePrograms(programm_.projectFile(QStringLiteral(".Ab4")));
            setProgress(8);
            logStar(QStringLiteral(" AblaufSteuerung erstellt"));
            status(QStringLiteral("AblaufSteuerung erstellt"));
        });
        s.wait(wait);
        s.then([this, &haupt] {
            haupt.HintergrundSichtbar = true;
            setProgress(10);
            status(QString());
        });
        if (connect) {
            s.then([this, &haupt, &daten] {
                const QString text = TextFuerTyp(programm_.ZentraleTyp(),
                    {" Mit Twin-Center verbinden", " Mit IntellyBox 1 verbinden", " Mit IntellyBox 2 verbinden",
                     " Mit IB-COM verbinden", " Mit Marklin Central Station 1 verbinden",
                     " Mit Marklin Central Station 2 verbinden", " Mit Ecos 1 verbinden", " Mit Ecos 2 verbinden",
                     " Mit z21 verbinden"});
                if (!text.isEmpty()) {
                    logStar(text);
                }
                programm_.bus.broadcast(Msg::WM_VERBINDEN, programm_.ZentraleTyp(), 0);
                closeHint = QStringLiteral("InfoForm Schliessen");
                haupt.GleisbildModus = 1;
                daten.RedrawTrains();
            });
        } else {
            s.then([this, &haupt, &daten] {
                haupt.GleisbildModus = 1;
                closeHint = QStringLiteral("InfoForm Schliessen");
                daten.RedrawTrains();
            });
            s.wait(2000);
            s.then([this, &haupt] {
                haupt.setStatusPanel(1, QStringLiteral("Modus : Betrieb Ohne Zentrale"));
                programm_.bus.broadcast(Msg::WM_MAGVERGLEICHEN, programm_.ZentraleTyp(), 0);
                visible = false;
            });
        }
    }
    s.finally([this, &haupt, &daten, connect] {
        haupt.ExitKeyEnabled = true;
        SignalTastenAktualisieren(*programm_.gleisbild);
        haupt.setSteuerzustand(TTrassolin::Steuerzustand::Betrieb);
        if (connect) {
            daten.AssignTrains();
            setProgress(15);
            status(QStringLiteral(" "));
            haupt.InfoPictureEnabled = true;
            visible = false;
        } else {
            haupt.HintergrundSichtbar = true;
            haupt.NeuesProjektBoxSichtbar = NeuesProjektAngelegt;
            status(QStringLiteral(" "));
            visible = false;
        }
        Q_EMIT changed();
    });
    s.start();
}

// ---- save-all and end -------------------------------------------------------------------------

// A file is written only when it was loaded in this run; true when there was nothing to write.
bool TInfo::speichern(Datei datei, QString* error)
{
    ProjektDaten& daten = *programm_.daten;
    const auto save = [&](bool loaded, bool (ProjektDaten::*saver)(const QString&, QString*), const char* suffix) {
        return !loaded || (daten.*saver)(programm_.projectFile(QString::fromLatin1(suffix)), error);
    };
    switch (datei) {
    case Datei::Gleisplan:
        return save(planLoaded, &ProjektDaten::SaveTrackPlan, ".da2");
    case Datei::Haltestellen:
        return save(stationsLoaded && planLoaded, &ProjektDaten::SaveStations, ".hs2");
    case Datei::Fahrstrassen:
        // The routes carry one driving-data block per train: without the trains read, writing
        // them would lose every block.
        return save(routesLoaded && trainsLoaded, &ProjektDaten::SaveRoutes, ".Fs4");
    case Datei::Zuge:
        return save(trainsLoaded, &ProjektDaten::SaveTrains, ".Zug");
    }
    return true;
}

bool TInfo::Speichern(Datei datei)
{
    if (!programm_.ProjektDateiGeladen) {
        return false;
    }
    QString error;
    if (!speichern(datei, &error)) {
        programm_.dialogs.information(error);
        return false;
    }
    return true;
}


bool TInfo::SaveAll()
{
    if (!programm_.ProjektDateiGeladen) {
        return true;
    }
    QStringList errors;
    for (Datei datei : {Datei::Gleisplan, Datei::Haltestellen, Datei::Fahrstrassen, Datei::Zuge}) {
        QString error;
        if (!speichern(datei, &error)) {
            errors << error;
        }
    }
    if (!programm_.system->SaveProjectSettings(programm_.projectFile(QStringLiteral(".pro")))) {
        errors << QStringLiteral("Die Projekteinstellungen konnten nicht gespeichert werden.");
    }
    if (!errors.isEmpty()) {
        programm_.dialogs.information(errors.join(u'\r'));
    }
    return errors.isEmpty();
}

void TInfo::EndProgram(bool fromStartWindow)
{
    if (ending_.running()) {
        return; // the end is already on its way
    }
    if (!programm_.dialogs.yesNo(QStringLiteral("Trassolin Beenden ?"))) {
        if (fromStartWindow) {
            visible = true;
            Q_EMIT changed();
        }
        return;
    }
    SaveAll();
    disconnectAndEnd(500);
}

void TInfo::NeustartBeenden()
{
    if (ending_.running()) {
        return;
    }
    disconnectAndEnd(500, [this] {
        programm_.system->WriteParameterFile(programm_.ProjektName);
        neustart = true;
    });
}

void TInfo::setFensterGeometrie(const QRect& rect)
{
    InfoFensterGeometrie = WindowGeometryText(rect, QStringLiteral("_InfoFenster"));
    programm_.settings.InfoWindowGeometry = InfoFensterGeometrie;
}

void TInfo::DebugTaste()
{
    programm_.bus.broadcast(Msg::WM_DEBUG, programm_.hauptfenster->DebugSichtbar ? 0 : 1, 0);
}

// Power off, wait, disconnect, wait, then the program ends.
void TInfo::disconnectAndEnd(qint64 waitMs, const std::function<void()>& beforeEnd)
{
    StepSequence& s = ending_.reset();
    s.then([this] { programm_.bus.broadcast(Msg::WM_POWEROFF_SENDEN, programm_.ZentraleTyp(), 0); })
        .wait(waitMs)
        .then([this] { programm_.bus.broadcast(Msg::WM_TRENNEN, programm_.ZentraleTyp(), 0); })
        .wait(waitMs)
        .then([this, beforeEnd] {
            if (beforeEnd) {
                beforeEnd();
            }
            Q_EMIT programEndRequested();
        });
    s.start();
}

// ---- project management -----------------------------------------------------------------------

QString TInfo::projectsFolder() const
{
    return programm_.programFolder + QStringLiteral("Projekte/");
}

bool TInfo::projectListed(const QString& name) const
{
    return std::any_of(projekte_.begin(), projekte_.end(), [&name](const ProjektZeile& row) {
        return row.Name.compare(name, Qt::CaseInsensitive) == 0 || row.Ordner.compare(name, Qt::CaseInsensitive) == 0;
    });
}

void TInfo::ListProjects()
{
    projectListVisible = true;
    buttonsEnabled = false;
    newProjectEnabled = false;
    projekte_.clear();
    selectedRow = -1;
    const QDir folder(projectsFolder());
    const QStringList folders = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : folders) {
        const auto lines = LineReader::ReadLines(FindFileNoCase(folder.filePath(name), name + QStringLiteral(".pro")), nullptr);
        if (!lines || lines->size() < 54) {
            continue; // a file that cannot be read is skipped
        }
        ProjektZeile row;
        row.Erstelldatum = (*lines)[1].right(10);
        row.Name = (*lines)[3];
        row.Zentrale = (*lines)[53].mid(14);
        row.Ordner = name;
        const bool open = name.compare(programm_.ProjektName, Qt::CaseInsensitive) == 0;
        const bool isDefault = name.compare(QStringLiteral("Default"), Qt::CaseInsensitive) == 0;
        row.Aktiv = open ? QStringLiteral("Aktiv") : QStringLiteral("********");
        row.Loeschen = open || isDefault ? QStringLiteral("********") : QStringLiteral("Lösschen");
        if (open) {
            selectedRow = static_cast<int>(projekte_.size());
        }
        projekte_.push_back(row);
    }
    newProjectEnabled = true;
    deleteLabel.clear();
    switchLabel = programm_.ProjektName + QStringLiteral(" öffnen");
    switchEnabled = false;
    Q_EMIT changed();
}

void TInfo::LeaveProjectList()
{
    projectListVisible = false;
    buttonsEnabled = true;
    Q_EMIT changed();
}

void TInfo::SelectProjectRow(int row)
{
    if (row < 0 || row >= static_cast<int>(projekte_.size())) {
        return;
    }
    selectedRow = row;
    const ProjektZeile& p = projekte_[row];
    deleteLabel = p.Loeschen == QStringLiteral("Lösschen") ? p.Name + QStringLiteral(" lösschen") : QString();
    switchLabel = p.Name + QStringLiteral(" öffnen");
    switchEnabled = p.Ordner.compare(programm_.ProjektName, Qt::CaseInsensitive) != 0;
    Q_EMIT changed();
}

// The folder of a new project (create or backup), made after the name passed every check; empty
// after a refusal, which has been told to the user.
QString TInfo::neuerProjektOrdner(const QString& name)
{
    if (!IsValidProjectName(name)) {
        programm_.dialogs.information(QStringLiteral("Der Name \"") + name
                                      + QStringLiteral("\" ist als Projektname nicht möglich.\rBitte anderen Namen wählen"));
        return {};
    }
    if (projectListed(name)) {
        programm_.dialogs.information(QStringLiteral("Das Projekt existiert bereits !!, Bitte anderen Namen wählen"));
        return {};
    }
    const QString target = FindFileNoCase(projectsFolder(), name);
    if (QFileInfo::exists(target)) {
        programm_.dialogs.information(QStringLiteral("Verzeichnis Projekte\\") + name + QStringLiteral(" existiert bereits!"));
        return {};
    }
    if (!QDir().mkpath(target)) {
        programm_.dialogs.information(QStringLiteral("Verzeichnis Projekte\\") + name
                                      + QStringLiteral(" kann nicht angelegt werden!"));
        return {};
    }
    return target;
}

void TInfo::CreateProject(const QString& name)
{
    if (name.isEmpty() || name == QStringLiteral("Neues Projekt")) {
        return;
    }
    const QString target = neuerProjektOrdner(name);
    if (target.isEmpty()) {
        return;
    }
    const QString open = programm_.projectFolder();
    if (!copyIfExists(open, QStringLiteral("Fahrzeuge20.lda"), target + QStringLiteral("/Fahrzeuge20.lda"))
        || !copyIfExists(open, programm_.ProjektName + QStringLiteral(".war"), target + u'/' + name + QStringLiteral(".war"))) {
        programm_.dialogs.information(QStringLiteral("Die Fahrzeugdatenbank konnte nicht in das neue Projekt kopiert werden."));
    }
    programm_.system->WriteParameterFile(name);
    log(kAsterisks);
    log(QStringLiteral("*** Projekt ") + name + QStringLiteral(" erstellt ") + programm_.clock.timeText()
        + QStringLiteral(" ************"));
    log(kAsterisks);
    NeuesProjektAngelegt = true;
    StepSequence& s = ending_.reset();
    s.wait(2000).then([this] {
        if (programm_.dialogs.confirmation(
                QStringLiteral("Relevante Daten würden geändert \rTrassolin wird beendet !!\r Bitte neu starten"))) {
            disconnectAndEnd(500);
        }
    });
    s.start();
}

void TInfo::DeleteProject()
{
    if (selectedRow < 0 || deleteLabel.isEmpty()) {
        return;
    }
    const ProjektZeile row = projekte_[selectedRow];
    if (row.Ordner.compare(programm_.ProjektName, Qt::CaseInsensitive) == 0
        || row.Ordner.compare(QStringLiteral("Default"), Qt::CaseInsensitive) == 0) {
        return;
    }
    if (!programm_.dialogs.yesNo(QStringLiteral("Projekt : ") + row.Name + QStringLiteral(" wirklich lösschen !!"))
        || !programm_.dialogs.yesNo(QStringLiteral("Projekt : ") + row.Name + QStringLiteral(" wird gelösscht. Bestätigen !!"))) {
        return;
    }
    if (!QDir(projectsFolder() + row.Ordner).removeRecursively()) {
        programm_.dialogs.information(QStringLiteral("Projekt : ") + row.Name
                                      + QStringLiteral(" konnte nicht vollständig gelöscht werden!"));
    } else {
        log(QStringLiteral("!!") + programm_.clock.timeText() + QStringLiteral(" Projekt : ") + row.Name
                + QStringLiteral(" wurde Gelösscht !!"),
            true);
    }
    LeaveProjectList();
}

void TInfo::SwitchProject()
{
    if (selectedRow < 0 || !switchEnabled) {
        return;
    }
    const QString folder = projekte_[selectedRow].Ordner;
    if (!programm_.dialogs.yesNo(QStringLiteral("Anderes Projekt würde ausgewählt \rTrassolin wird beendet !!"))) {
        return;
    }
    SaveAll();
    programm_.ProjektName = folder;
    programm_.system->WriteParameterFile(folder);
    disconnectAndEnd(1000);
}

QString TInfo::BackupProposal() const
{
    return programm_.ProjektName + u' ' + programm_.clock.dateText();
}

bool TInfo::BackupNameFree(const QString& name) const
{
    return IsValidProjectName(name) && !QFileInfo::exists(FindFileNoCase(projectsFolder(), name));
}

void TInfo::BackupProject(const QString& name)
{
    buttonsEnabled = false;
    const auto done = [this] {
        buttonsEnabled = true;
        Q_EMIT changed();
    };
    if (name.isEmpty()) {
        return done();
    }
    const QString target = neuerProjektOrdner(name);
    if (target.isEmpty()) {
        return done();
    }
    const QString source = programm_.projectFolder();
    const QString project = programm_.ProjektName;
    bool ok = true;
    QString error;
    if (const auto pro = LineReader::ReadLines(FindFileNoCase(source, project + QStringLiteral(".pro")), &error)) {
        LineWriter writer;
        writer << QStringLiteral("1.Projekt ") << QStringLiteral("Projekt ") + name + QStringLiteral(" erstellt ") + programm_.clock.dateText()
               << QStringLiteral("2.ProjektName") << name;
        for (const QString& line : pro->mid(4)) {
            writer << line;
        }
        ok = writer.save(target + u'/' + name + QStringLiteral(".pro"), &error);
    }
    for (const char* suffix : kProjectSuffixes) {
        const QString ext = QString::fromLatin1(suffix);
        ok = copyIfExists(source, project + ext, target + u'/' + name + ext) && ok;
    }
    for (const char* file : kSameNameFiles) {
        ok = copyIfExists(source, QString::fromLatin1(file), target + u'/' + QString::fromLatin1(file)) && ok;
    }
    if (!ok) {
        programm_.dialogs.information(QStringLiteral("Die Sicherung ") + name + QStringLiteral(" ist unvollständig: ")
                                      + (error.isEmpty() ? QStringLiteral("Dateien konnten nicht kopiert werden.") : error));
    }
    done();
}

// ---- information-only mode and closing ----------------------------------------------------------

void TInfo::ShowInfoWindow()
{
    InfoNurAnzeige = true;
    programm_.hauptfenster->InfoPictureEnabled = false;
    ShowStartWindow();
}

void TInfo::CloseWindow()
{
    visible = false;
    if (InfoNurAnzeige) {
        InfoNurAnzeige = false;
        programm_.hauptfenster->InfoPictureEnabled = true;
        Q_EMIT programm_.hauptfenster->changed();
        Q_EMIT changed();
        return;
    }
    Q_EMIT changed();
    if (closeHint.isEmpty()) {
        BeendenAusInfofenster = true;
        EndProgram(true);
    }
}
