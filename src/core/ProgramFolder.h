// The program folder: the folder that holds `data/` (installation data, parameter file) and
// `Projekte/`. Resolved once at start; the logic receives it as a parameter.
//
// Order of resolution:
//  1. the folder named by `--program-folder DIR` (created when missing);
//  2. the executable's folder when a `data/` folder stands beside it (build tree, portable copy);
//  3. `~/.local/share/Trassolin/` otherwise.
// For 1 and 3 a missing `data/` is seeded from the installation data: the `data/` beside the
// executable, else `../share/trassolin/data` relative to it.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct ProgramFolderResult {
    QString folder; // absolute, with a trailing '/'
    QString error;  // German text for the user; empty on success
    bool ok() const { return error.isEmpty(); }
};

class ProgramFolder {
public:
    // The value of `--program-folder DIR` or `--program-folder=DIR`; nullopt when absent.
    // An option without a value yields an empty string.
    static std::optional<QString> argumentValue(const QStringList& arguments);

    // `homeFolder` is the user's home folder (tests pass a temporary one).
    static ProgramFolderResult resolve(const QString& executableFolder, const std::optional<QString>& explicitFolder,
                                       const QString& homeFolder);

    // The installation data shipped with the executable, or empty when there is none.
    static QString installationData(const QString& executableFolder);

private:
    static ProgramFolderResult prepare(const QString& folder, const QString& executableFolder);
};

// Copies a folder tree; files that exist at the target are left alone.
bool CopyFolderTree(const QString& source, const QString& target);
