#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kOption = QStringLiteral("--program-folder");

QString withSlash(const QString& path)
{
    QString clean = QDir::cleanPath(QDir(path).absolutePath());
    return clean.endsWith(u'/') ? clean : clean + u'/';
}
} // namespace

std::optional<QString> ProgramFolder::argumentValue(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == kOption) {
            return i + 1 < arguments.size() ? arguments[i + 1] : QString();
        }
        if (arg.startsWith(kOption + u'=')) {
            return arg.mid(kOption.size() + 1);
        }
    }
    return std::nullopt;
}

QString ProgramFolder::installationData(const QString& executableFolder)
{
    const QDir exe(executableFolder);
    for (const QString& candidate : {exe.filePath(QStringLiteral("data")),
                                     exe.filePath(QStringLiteral("../share/trassolin/data"))}) {
        const QString clean = QDir::cleanPath(candidate);
        if (QFileInfo(clean).isDir()) {
            return clean;
        }
    }
    return {};
}

ProgramFolderResult ProgramFolder::resolve(const QString& executableFolder, const std::optional<QString>& explicitFolder,
                                           const QString& homeFolder)
{
    if (explicitFolder) {
        if (explicitFolder->trimmed().isEmpty()) {
            return {{}, QStringLiteral("Nach --program-folder fehlt der Ordner.")};
        }
        return prepare(*explicitFolder, executableFolder);
    }
    if (QFileInfo(QDir(executableFolder).filePath(QStringLiteral("data"))).isDir()) {
        return {withSlash(executableFolder), {}};
    }
    return prepare(QDir(homeFolder).filePath(QStringLiteral(".local/share/Trassolin")), executableFolder);
}

ProgramFolderResult ProgramFolder::prepare(const QString& folder, const QString& executableFolder)
{
    const QString target = withSlash(folder);
    if (!QDir().mkpath(target + QStringLiteral("data"))) {
        return {{}, QStringLiteral("Der Programmordner %1 kann nicht angelegt werden.").arg(target)};
    }
    const QString source = installationData(executableFolder);
    if (!source.isEmpty() && QDir::cleanPath(source) != QDir::cleanPath(target + QStringLiteral("data"))
        && !CopyFolderTree(source, target + QStringLiteral("data"))) {
        return {{}, QStringLiteral("Die Programmdaten können nicht nach %1 kopiert werden.").arg(target)};
    }
    return {target, {}};
}

bool CopyFolderTree(const QString& source, const QString& target)
{
    const QDir from(source);
    if (!QDir().mkpath(target)) {
        return false;
    }
    const QDir to(target);
    const auto entries = from.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const QString dest = to.filePath(entry.fileName());
        if (entry.isDir()) {
            if (!CopyFolderTree(entry.absoluteFilePath(), dest)) {
                return false;
            }
        } else if (!QFileInfo::exists(dest) && !QFile::copy(entry.absoluteFilePath(), dest)) {
            return false;
        }
    }
    return true;
}
