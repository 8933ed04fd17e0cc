// The project files that the opening sequence loads and save-all writes, other than the
// settings: track plan, stations, routes, trains, car system and sequence programs. Each is
// owned by its own part of the program; the start window reaches them only through this
// interface. UI thread only.
#pragma once

#include <QString>

class ProjektDaten {
public:
    struct Geladen {
        bool ok = true;
        QString version; // the file version read, for the start window's log
    };

    virtual ~ProjektDaten() = default;

    virtual Geladen LoadStations(const QString& path) = 0;  // .hs2
    virtual Geladen LoadTrackPlan(const QString& path) = 0; // .da2; not ok = plan load error
    // Clears the occupied flag of every feedback contact and rebuilds the elements per contact.
    virtual void ResetContacts() = 0;
    virtual Geladen LoadTrains(const QString& path) = 0;    // .Zug
    virtual Geladen LoadRoutes(const QString& path) = 0;    // .Fs4
    virtual void CompleteRoutes() = 0;
    virtual void FillStationTree() = 0;
    virtual void LoadCarSystem(const QString& path) = 0;    // .Car
    virtual void OpenSequencePrograms(const QString& path) = 0; // .Ab4
    virtual void AssignTrains() = 0;
    virtual void RedrawTrains() = 0;

    // Each returns false with a German error when the file could not be written.
    virtual bool SaveTrackPlan(const QString& path, QString* error) = 0;
    virtual bool SaveStations(const QString& path, QString* error) = 0;
    virtual bool SaveRoutes(const QString& path, QString* error) = 0;
    virtual bool SaveTrains(const QString& path, QString* error) = 0;
};
