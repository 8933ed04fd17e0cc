#include "core/FileSave.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written && error) {
        *error = QStringLiteral("Die Datei %1 kann nicht gespeichert werden: %2").arg(path, file.errorString());
    }
    if (!written) {
        file.cancelWriting();
    }
    return written;
}

QString FindFileNoCase(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (dir.exists(name)) {
        return dir.filePath(name);
    }
    const QStringList entries = dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return dir.filePath(entry);
        }
    }
    return dir.filePath(name);
}

QString FindPathNoCase(const QString& path)
{
    const QFileInfo info(path);
    return FindFileNoCase(info.absolutePath(), info.fileName());
}

QString FileNameOfStoredPath(const QString& stored)
{
    qsizetype cut = std::max(stored.lastIndexOf(u'\\'), stored.lastIndexOf(u'/'));
    if (cut < 0 && stored.size() >= 2 && stored[1] == u':') {
        cut = 1; // "C:x.jpg": relative to a drive's current folder
    }
    return stored.mid(cut + 1);
}
