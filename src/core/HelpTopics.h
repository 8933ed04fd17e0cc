// Help: topics (numbers such as 1007, or aliases such as "IDH_carsystem") map to HTML pages in
// `data/hilfe/` of the program folder. An unknown topic, or a topic whose page is missing,
// shows the index page.
#pragma once

#include <QString>

// The page file of a topic: `data/hilfe/<topic>.html`, else `data/hilfe/index.html`.
QString HelpPage(const QString& programFolder, const QString& topic);
QString HelpPage(const QString& programFolder, int topic);

// The start window's topic for the connect button of a command-station type.
int ConnectButtonHelpTopic(int zentraleTyp);
