// Writing and finding files.
#pragma once

#include <QByteArray>
#include <QString>

// Writes the whole file or nothing: the bytes go to a temporary file that replaces the old one
// only when everything was written. On failure the old file stays as it was and `error` gets a
// German text.
bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// The path of `name` in `folder`, matched without regard to letter case (projects copied from
// Windows). When no file matches, the path with `name` as given.
QString FindFileNoCase(const QString& folder, const QString& name);

// `path` with its file name matched in its folder without regard to letter case.
QString FindPathNoCase(const QString& path);

// A stored path such as "C:\Bilder\Lok 1.jpg" or "Loks/x.jpg" reduced to its file name.
QString FileNameOfStoredPath(const QString& stored);
