#include "settings/ParameterFile.h"

#include "core/FileSave.h"
#include "core/LineFile.h"
#include "core/TextFields.h"
#include "core/Windows1252.h"
#include "settings/ProjectSettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
const QString kFileName = QStringLiteral("Trassolin20Parameter.dat");
const QString kConnectedLabel = QStringLiteral("LetzteMalVerbundenMitZentrale "); // 30 characters
const QString kDefaultProject = QStringLiteral("Default");
} // namespace

QString ParameterFilePath(const QString& programFolder)
{
    return FindFileNoCase(programFolder + QStringLiteral("data"), kFileName);
}

bool IsValidProjectName(const QString& name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..")) {
        return false;
    }
    if (name.front().isSpace() || name.back().isSpace()) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0)
            || (c != u'?' && Windows1252FromUnicode(c.unicode()) == '?');
    });
}

QStringList InitialParameterLines(const QString& programVersion, const QString& dateText)
{
    return {QStringLiteral("Version ") + programVersion, kDefaultProject, kConnectedLabel + dateText,
            QString(20, u'0')};
}

QStringList ParameterLines(const InstallationParameters& p, const QString& projectName)
{
    return {p.ProgramVersion, projectName, kConnectedLabel + p.LastConnectedDate,
            QStringLiteral("**") + FixedField(p.MeasureStartContact, 5) + FixedField(p.MeasureContact, 5)
                + FixedField(p.MeasureTargetContact, 5) + FixedField(p.MeasureLengthCm, 5)};
}

ParameterFileResult ReadParameterFile(const QString& programFolder, const Clock& clock, InstallationParameters& parameters)
{
    ParameterFileResult result;
    const QString path = ParameterFilePath(programFolder);
    if (!QFileInfo(path).isFile()) {
        QDir().mkpath(programFolder + QStringLiteral("data"));
        if (!SaveFileAtomically(path, LineWriter::JoinLines(InitialParameterLines(parameters.ProgramVersion,
                                                                                  clock.dateText())),
                                &result.error)) {
            return result;
        }
        result.created = true;
    }

    auto reader = LineReader::open(path, &result.error);
    if (reader) {
        InstallationParameters p = parameters;
        reader->next(); // version
        p.LastProject = reader->next();
        if (!reader->atEnd()) {
            p.LastConnectedDate = ColumnsFrom(reader->next(), 31);
        }
        if (!reader->atEnd()) {
            const QString measure = reader->next();
            if (measure.startsWith(QStringLiteral("**"))) {
                p.MeasureStartContact = reader->number(Columns(measure, 3, 7), QStringLiteral("Startkontakt"));
                p.MeasureContact = reader->number(Columns(measure, 8, 12), QStringLiteral("Messkontakt"));
                p.MeasureTargetContact = reader->number(Columns(measure, 13, 17), QStringLiteral("Zielkontakt"));
                p.MeasureLengthCm = reader->number(Columns(measure, 18, 22), QStringLiteral("Messstrecke"));
            }
        }
        if (reader->ok()) {
            result.ok = true;
            // The name becomes a folder: a name that could reach outside `Projekte/` is refused.
            if (!IsValidProjectName(p.LastProject)) {
                result.error = QStringLiteral("Ungültiger Projektname »%1« in %2, es wird »%3« geöffnet.")
                                   .arg(p.LastProject, path, kDefaultProject);
                p.LastProject = kDefaultProject;
            }
            parameters = p;
        } else {
            result.error = QStringLiteral("Fehler in %1, %2").arg(path, reader->errorText());
        }
    }

    // A project folder copied from Windows may differ in letter case: open that one.
    const QString projectsFolder = programFolder + QStringLiteral("Projekte");
    const QFileInfo existing(FindFileNoCase(projectsFolder, parameters.LastProject));
    if (existing.isDir()) {
        parameters.LastProject = existing.fileName();
    }
    if (!QDir(projectsFolder).mkpath(parameters.LastProject)) {
        const QString message = QStringLiteral("Der Ordner %1 kann nicht angelegt werden.")
                                    .arg(ProjectFolder(programFolder, parameters.LastProject));
        result.error = result.error.isEmpty() ? message : result.error + u'\n' + message;
        result.ok = false;
    }
    return result;
}

bool WriteParameterFile(const QString& programFolder, const InstallationParameters& parameters,
                        const QString& projectName, QString* error)
{
    LineWriter writer;
    for (const QString& line : ParameterLines(parameters, projectName)) {
        writer << line;
    }
    return writer.save(ParameterFilePath(programFolder), error);
}
