// The project settings file `<project>.pro`: 42 pairs of a header line, which the reader skips,
// and a value line, each value read by its own fixed-column rule. Windows-1252, CR LF.
//
// All functions run on the user-interface thread. The caller keeps `ProjektDateiGeladen`: a file
// whose reading failed must not be saved over (SaveProjectSettingsFile does not know that flag).
#pragma once

#include "settings/ProjectSettings.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What the rules of the file need besides the settings themselves.
struct ProjectFileContext {
    QString programFolder; // absolute, with a trailing '/'
    QString projectName;
    QString dateText; // "dd.MM.yyyy", written into pair 1
    // Bounds for the stored window positions (pairs 12 and 14).
    int mainWindowWidth = 0;
    int mainWindowHeight = 0;
    int screenHeight = 0;
    // Whether `<project>.pro` existed before this save (pairs 29, 30 and 36).
    bool fileExisted = true;
};

// `<program folder>Projekte/<project>/`
QString ProjectFolder(const QString& programFolder, const QString& projectName);
// `<program folder>Projekte/<project>/<project>.pro`
QString ProjectSettingsPath(const QString& programFolder, const QString& projectName);
// `<program folder>Projekte/<project>/<project>.war`
QString DefaultMaintenanceFile(const QString& programFolder, const QString& projectName);

// A window position kept as text: left, top, height and width, four digits each, then a
// suffix such as "_InfoFenster" (pairs 34 and 35).
QString WindowGeometryText(const QRect& rect, const QString& suffix);
// The position in such a text; nullopt when one of the four fields is not a number.
std::optional<QRect> WindowGeometryRect(const QString& text);

// The feedback modules for `gleiskontaktAnzahl` contacts: one per complete 16, named "S88 1"..,
// module n holding contacts (n-1)*16+1 .. n*16.
std::vector<S88Modul> BuildS88Module(int gleiskontaktAnzahl);

// The 84 lines of the file for `settings`. Numbers are clamped to their fields, so the reader
// always reads the lines back.
QStringList ProjectSettingsLines(const ProjectSettings& settings, const ProjectFileContext& context);
// The lines of the file a new project starts with.
QStringList NewProjectSettingsLines(const QString& projectName, const QString& dateText);

struct ProjectSettingsReadResult {
    bool ok = false;
    QString error;       // German, naming the line; empty on success
    QString projectName; // the name stored in pair 2
    int pairsRead = 0;   // fewer than 42 for older files
};

// Reads `lines` pair by pair into a copy of `settings` and applies the copy only when every
// value could be read. Pairs missing at the end of an older file leave their values as they
// were. A value that is not a number where one is read stops reading. After the pairs the
// function-key count and the feedback-module table are set.
ProjectSettingsReadResult ReadProjectSettings(const QStringList& lines, const ProjectFileContext& context,
                                              ProjectSettings& settings);

struct ProjectSettingsLoadResult {
    bool ok = false;
    bool created = false; // the new-project file was written first
    QString error;
    QString projectName;
};

// Loads `path` (found without regard to letter case). When no file exists, the new-project file
// is written first and then read. A file that cannot be read is reported and left untouched.
ProjectSettingsLoadResult LoadProjectSettingsFile(const QString& path, const ProjectFileContext& context,
                                                  ProjectSettings& settings);

// Rewrites the whole file atomically. Whether the file existed before is taken from the disk,
// not from `context`. On failure the old file stays and `error` gets a German text.
bool SaveProjectSettingsFile(const QString& path, const ProjectSettings& settings, const ProjectFileContext& context,
                             QString* error);
