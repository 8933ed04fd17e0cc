// The demo project that ships in data/Demo: three stations of two tracks each on a single-track
// line (two terminals and a passing station in the middle), three trains of the default vehicle
// database, the routes the program's own route search finds, driving data with braking
// contacts, and the simulator scenario that plays the layout. Everything is built with the
// program's element factory, route search and file writers, so that it can be rebuilt at any
// time: `make-demo DATAFOLDER` writes DATAFOLDER/Demo, and a test checks that the shipped files
// are what this code builds.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

inline const QString DemoProjektName = QStringLiteral("Demo");
// The simulated ECoS listens here; the project's settings name this port on 127.0.0.1.
inline constexpr int DemoEcosPort = 15471;
inline const QString DemoSzenarioDatei = QStringLiteral("demo.scenario");

// The file names of the project folder, in the order they are written.
QStringList DemoDateiNamen();

// Writes every file of the demo project into `ordner` (created when missing). Returns a German
// error text, empty on success.
QString DemoProjektSchreiben(const QString& ordner);

// The simulator scenario for the demo project in `projektOrdner` as it stands now: every train
// placed in the station its station file names, in the direction it stands, the plan named by
// its absolute path. The project is read with the program's readers; nullopt with a German
// error when it cannot be read.
std::optional<QStringList> DemoSzenarioFuerProjekt(const QString& projektOrdner, QString* error);
