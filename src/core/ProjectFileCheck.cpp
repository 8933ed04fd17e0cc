#include "core/ProjectFileCheck.h"

#include "core/CollectingDialogs.h"
#include "core/FileSave.h"
#include "core/KopflosesProgramm.h"
#include "core/GleisplanDatei.h"
#include "core/ManualScheduler.h"
#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "operation/HaltestellenDatei.h"
#include "operation/ZugDatei.h"
#include "core/LineFile.h"
#include "core/TreeContainer.h"
#include "settings/ProjectSettingsFile.h"
#include "vehicles/FahrzeugDatenbank.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

namespace {
using Reader = std::function<ProjectFileResult(const QString& path, const QString& project, const QString& programFolder)>;

ProjectFileResult readSettings(const QString& path, const QString& project, const QString& programFolder)
{
    ProjectFileResult result;
    QString error;
    const auto read = LineReader::ReadLines(path, &error);
    if (!read) {
        result.error = error;
        return result;
    }
    const QStringList& lines = *read;
    ProjectFileContext context;
    context.programFolder = programFolder;
    context.projectName = project;
    // Pair 1 carries the date of the last save; keep it, so that a resave changes nothing.
    context.dateText = lines.size() > 1 ? lines[1].right(10) : QString();
    // No window to clamp stored positions to.
    context.mainWindowWidth = context.mainWindowHeight = context.screenHeight = 99999;
    ProjectSettings settings;
    const ProjectSettingsReadResult settingsRead = ReadProjectSettings(lines, context, settings);
    if (!settingsRead.ok) {
        result.error = settingsRead.error;
        return result;
    }
    result.rewritten = LineWriter::JoinLines(ProjectSettingsLines(settings, context));
    return result;
}

// The headless program, with the two ways a reader's outcome becomes a result.
struct Kopf : KopflosesProgramm {
    using KopflosesProgramm::KopflosesProgramm;
    ProjectFileResult fehler()
    {
        ProjectFileResult result;
        result.error = dialogs.texts.join(u'\n').replace(u'\r', u' ');
        return result;
    }
    static ProjectFileResult ergebnis(const QStringList& lines)
    {
        ProjectFileResult result;
        result.rewritten = LineWriter::JoinLines(lines);
        return result;
    }
};

ProjectFileResult readPlan(const QString& path, const QString&, const QString& programFolder)
{
    Kopf k(programFolder);
    GleisplanDatei datei(k.programm);
    if (!datei.LoadTrackPlan(path) || !k.bild.Gleisplan_Geladen) {
        return k.fehler();
    }
    return Kopf::ergebnis(datei.PlanLines());
}

ProjectFileResult readStations(const QString& path, const QString&, const QString& programFolder)
{
    Kopf k(programFolder);
    if (!k.stationen.OpenHaltestellen(path)) {
        return k.fehler();
    }
    return Kopf::ergebnis(k.stationen.HaltestellenLines());
}

ProjectFileResult readTrains(const QString& path, const QString& project, const QString& programFolder)
{
    Kopf k(programFolder);
    ZugDatei datei(k.programm);
    if (!k.zugeUndStationen(QFileInfo(path).absolutePath(), project) || !datei.OpenZuge(path)) {
        return k.fehler();
    }
    return Kopf::ergebnis(datei.ZugLines());
}

ProjectFileResult readRoutes(const QString& path, const QString& project, const QString& programFolder)
{
    Kopf k(programFolder);
    const QString folder = QFileInfo(path).absolutePath();
    ZugDatei zuege(k.programm);
    const QString zug = FindFileNoCase(folder, project + QStringLiteral(".Zug"));
    if (!k.zugeUndStationen(folder, project) || (QFileInfo::exists(zug) && !zuege.OpenZuge(zug))
        || !k.stationen.OpenFahrstrassen(path)) {
        return k.fehler();
    }
    return Kopf::ergebnis(k.stationen.FahrstrassenLines());
}

ProjectFileResult readTree(const QString& path, const QString&, const QString&)
{
    ProjectFileResult result;
    const TreeReadResult read = ReadTreeFile(path);
    if (!read.ok()) {
        result.error = read.error;
        return result;
    }
    const TreeWriteResult written = WriteTree(read.tree);
    if (!written.ok()) {
        result.error = written.error;
        return result;
    }
    result.rewritten = written.bytes;
    return result;
}

// The vehicle database through its own reader: every record decoded and encoded again, so a
// database of the previous format is written back in the current one.
ProjectFileResult readVehicles(const QString& path, const QString&, const QString&)
{
    ProjectFileResult result;
    FahrzeugDatenbank db;
    const FahrzeugDatenbank::Gelesen read = db.lesenDatei(path);
    if (!read.ok()) {
        result.error = read.error;
        return result;
    }
    result.rewritten = db.schreiben(&result.error);
    return result;
}

struct Entry {
    QString name; // "%1" stands for the project name
    Reader reader;
};

const std::vector<Entry>& entries()
{
    static const std::vector<Entry> list = {
        {QStringLiteral("%1.pro"), readSettings},
        {QStringLiteral("%1.da2"), readPlan},
        {QStringLiteral("%1.hs2"), readStations},
        {QStringLiteral("%1.Zug"), readTrains},
        {QStringLiteral("%1.Fs4"), readRoutes},
        {QStringLiteral("Fahrzeuge20.lda"), readVehicles},
        {QStringLiteral("%1.war"), readTree},
        {QStringLiteral("%1.Ab4"), readTree},
        {QStringLiteral("CS1Loks.lda"), readTree},
        {QStringLiteral("CS2Loks.lda"), readTree},
        {QStringLiteral("EC1Loks.lda"), readTree},
        {QStringLiteral("EC2Loks.lda"), readTree},
        {QStringLiteral("CS1MagnetArt.ma2"), readTree},
        {QStringLiteral("CS2MagnetArt.ma2"), readTree},
        {QStringLiteral("EC1MagnetArt.ma2"), readTree},
        {QStringLiteral("EC2MagnetArt.ma2"), readTree},
    };
    return list;
}
} // namespace

std::vector<ProjectFileResult> ReadProjectFiles(const QString& projectFolder)
{
    const QDir folder(projectFolder);
    const QString project = folder.dirName();
    // The project folder is <program folder>Projekte/<project>/.
    const QString programFolder = QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../.."))) + u'/';
    std::vector<ProjectFileResult> results;
    for (const Entry& entry : entries()) {
        QString name = entry.name;
        name.replace(QStringLiteral("%1"), project);
        const QString path = FindFileNoCase(folder.absolutePath(), name);
        if (!QFileInfo(path).isFile()) {
            continue;
        }
        ProjectFileResult result = entry.reader(path, project, programFolder);
        result.fileName = QFileInfo(path).fileName();
        results.push_back(std::move(result));
    }
    return results;
}
