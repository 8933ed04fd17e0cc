// The station file `<project>.hs2` and the route file `<project>.Fs4`: one value per line,
// Windows-1252 with CR LF. A file is written only when it was read without error in this run,
// so a damaged file stays on disk as it was. UI thread only.
#pragma once

#include <QString>
#include <QStringList>

struct Programm;
class BetriebsDaten;

class HaltestellenDatei {
public:
    explicit HaltestellenDatei(Programm& programm);

    // Reads the stations (creating the empty file when it is missing). False on an error,
    // which is reported and blocks writing.
    bool OpenHaltestellen(const QString& path);
    bool SaveHaltestellen(const QString& path, QString* error);
    QStringList HaltestellenLines() const;

    // Reads the routes and their driving data; needs the stations and trains read before.
    bool OpenFahrstrassen(const QString& path);
    bool SaveFahrstrassen(const QString& path, QString* error);
    QStringList FahrstrassenLines() const;

    int HaltestellenVersion = 0;
    int FahrstrassenVersion = 0;

private:
    void readStations(const QStringList& lines);
    void readRoutes(const QStringList& lines);
    QString version() const;
    BetriebsDaten& daten() const;

    Programm& programm_;
};
