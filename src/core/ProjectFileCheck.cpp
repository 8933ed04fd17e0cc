#include "core/ProjectFileCheck.h"

#include "core/FileSave.h"
#include "core/GleisplanDatei.h"
#include "core/ManualScheduler.h"
#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "operation/HaltestellenDatei.h"
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

// Collects the reader's messages instead of showing them.
class CollectingDialogs final : public Dialogs {
public:
    QStringList texts;
    void information(const QString& text) override { texts << text; }
    bool confirmation(const QString& text) override
    {
        texts << text;
        return false;
    }
    bool yesNo(const QString& text) override
    {
        texts << text;
        return false;
    }
    std::optional<QString> textInput(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<TColor> chooseColor(TColor) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }
};

ProjectFileResult readPlan(const QString& path, const QString&, const QString& programFolder)
{
    MessageBus bus;
    ManualScheduler scheduler;
    SystemClock clock;
    CollectingDialogs dialogs;
    Programm programm(bus, scheduler, clock, dialogs, programFolder);
    TGleisBild bild(programm);
    programm.gleisbild = &bild;
    GleisplanDatei datei(programm);
    ProjectFileResult result;
    if (!datei.LoadTrackPlan(path) || !bild.Gleisplan_Geladen) {
        result.error = dialogs.texts.join(u'\n').replace(u'\r', u' ');
        return result;
    }
    result.rewritten = LineWriter::JoinLines(datei.PlanLines());
    return result;
}

ProjectFileResult readStations(const QString& path, const QString&, const QString& programFolder)
{
    MessageBus bus;
    ManualScheduler scheduler;
    SystemClock clock;
    CollectingDialogs dialogs;
    Programm programm(bus, scheduler, clock, dialogs, programFolder);
    TGleisBild bild(programm);
    programm.gleisbild = &bild;
    BetriebsDaten daten(programm);
    programm.betriebsdaten = &daten;
    HaltestellenDatei datei(programm);
    ProjectFileResult result;
    if (!datei.OpenHaltestellen(path)) {
        result.error = dialogs.texts.join(u'\n').replace(u'\r', u' ');
        return result;
    }
    result.rewritten = LineWriter::JoinLines(datei.HaltestellenLines());
    return result;
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
