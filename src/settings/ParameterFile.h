// The installation parameter file `<program folder>data/Trassolin20Parameter.dat`: the project
// to open at start, the date of the last connection to a command station and the measuring
// section of the speed measurement. Four lines, Windows-1252, CR LF.
//
// Runs on the user-interface thread. The caller clears `SettingsChanged` and sets the automatic
// timer's interval after reading or writing, as those belong to the running program.
#pragma once

#include "core/Clock.h"
#include "settings/ProjectSettings.h"

#include <QString>
#include <QStringList>

// Path of the file, found without regard to letter case.
QString ParameterFilePath(const QString& programFolder);

// Whether `name` can serve as a project folder name: not empty, no path separators, not "." or
// "..", no leading or trailing blanks, no control characters, only Windows-1252 characters.
bool IsValidProjectName(const QString& name);

// The lines of a new installation's file.
QStringList InitialParameterLines(const QString& programVersion, const QString& dateText);
// The lines WriteParameterFile stores; the numbers are clamped to their five digits.
QStringList ParameterLines(const InstallationParameters& parameters, const QString& projectName);

struct ParameterFileResult {
    bool ok = false;
    bool created = false; // the file was missing and has been written
    QString error;        // German; also set when a stored project name was refused
};

// Reads the file (writing the initial one first when it is missing) into `parameters`, which is
// changed only when the file was read without error; `ProgramVersion` is the caller's. Then
// creates `Projekte/` and `Projekte/<LastProject>/` when missing. A project name that is not a
// valid folder name is refused and "Default" opened instead.
ParameterFileResult ReadParameterFile(const QString& programFolder, const Clock& clock,
                                      InstallationParameters& parameters);

// Rewrites the file atomically with `projectName` as the project to open next.
bool WriteParameterFile(const QString& programFolder, const InstallationParameters& parameters,
                        const QString& projectName, QString* error);
