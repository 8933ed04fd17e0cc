#include "core/HelpTopics.h"

#include "core/FileSave.h"

#include <QFileInfo>

QString HelpPage(const QString& programFolder, const QString& topic)
{
    const QString folder = FindFileNoCase(FindFileNoCase(programFolder, QStringLiteral("data")), QStringLiteral("hilfe"));
    const bool safe = !topic.isEmpty() && !topic.contains(u'/') && !topic.contains(u'\\') && !topic.contains(QStringLiteral(".."));
    if (safe) {
        const QString page = FindFileNoCase(folder, topic + QStringLiteral(".html"));
        if (QFileInfo(page).isFile()) {
            return page;
        }
    }
    return FindFileNoCase(folder, QStringLiteral("index.html"));
}

QString HelpPage(const QString& programFolder, int topic)
{
    return HelpPage(programFolder, QString::number(topic));
}

int ConnectButtonHelpTopic(int zentraleTyp)
{
    static const int topics[] = {1007, 5005, 5005, 5006, 5006, 5001, 5002, 5003, 5004, 5007};
    return zentraleTyp >= 0 && zentraleTyp <= 9 ? topics[zentraleTyp] : 1007;
}
