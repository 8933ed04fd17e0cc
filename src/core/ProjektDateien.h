// The project's data files as the opening sequence and save-all reach them. The track plan is
// read and written here; stations, routes, trains, car system and sequence programs are read
// and written by their own parts once those exist in the program: until then their steps load
// nothing and write nothing, so no file of theirs is ever touched.
#pragma once

#include "core/GleisplanDatei.h"
#include "core/ProjektDaten.h"

struct Programm;

class ProjektDateien final : public ProjektDaten {
public:
    explicit ProjektDateien(Programm& programm);

    Geladen LoadStations(const QString&) override { return {}; }
    Geladen LoadTrackPlan(const QString& path) override;
    void ResetContacts() override;
    Geladen LoadTrains(const QString&) override { return {false, {}}; }
    Geladen LoadRoutes(const QString&) override { return {false, {}}; }
    void CompleteRoutes() override {}
    void FillStationTree() override {}
    void LoadCarSystem(const QString&) override {}
    void OpenSequencePrograms(const QString&) override {}
    void AssignTrains() override {}
    void RedrawTrains() override {}

    bool SaveTrackPlan(const QString& path, QString* error) override;
    bool SaveStations(const QString&, QString*) override { return true; }
    bool SaveRoutes(const QString&, QString*) override { return true; }
    bool SaveTrains(const QString&, QString*) override { return true; }

    GleisplanDatei& gleisplan() { return gleisplan_; }

private:
    Programm& programm_;
    GleisplanDatei gleisplan_;
};
