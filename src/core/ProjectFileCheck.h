// Reading a project folder's files with the program's own readers, for the companion tool:
// `check` reports each reader's error, `resave` writes every file back as the program would,
// which shows whether a file survives a read and write unchanged.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct ProjectFileResult {
    QString fileName; // as found in the folder
    QString error;    // German; empty when the file was read
    QByteArray rewritten; // the bytes the program writes back; empty on error
};

// Every file of the project folder that a reader exists for, in a fixed order. Files that do
// not exist are left out.
std::vector<ProjectFileResult> ReadProjectFiles(const QString& projectFolder);
