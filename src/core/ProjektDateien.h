// The project's data files as the opening sequence and save-all reach them: track plan,
// stations, trains and routes. Car system and sequence programs are read and written by their
// own parts once those exist in the program: until then their steps load nothing and write
// nothing, so no file of theirs is ever touched.
#pragma once

#include "core/GleisplanDatei.h"
#include "core/ProjektDaten.h"
#include "operation/HaltestellenDatei.h"
#include "operation/ZugDatei.h"

struct Programm;

class ProjektDateien final : public ProjektDaten {
public:
    explicit ProjektDateien(Programm& programm);

    Geladen LoadStations(const QString& path) override;
    Geladen LoadTrackPlan(const QString& path) override;
    void ResetContacts() override;
    Geladen LoadTrains(const QString& path) override;
    Geladen LoadRoutes(const QString& path) override;
    void CompleteRoutes() override;
    void FillStationTree() override {}
    void LoadCarSystem(const QString&) override {}
    void OpenSequencePrograms(const QString&) override {}
    void AssignTrains() override {}
    void RedrawTrains() override {}

    bool SaveTrackPlan(const QString& path, QString* error) override;
    bool SaveStations(const QString& path, QString* error) override;
    bool SaveRoutes(const QString& path, QString* error) override;
    bool SaveTrains(const QString& path, QString* error) override;

    GleisplanDatei& gleisplan() { return gleisplan_; }
    HaltestellenDatei& haltestellen() { return haltestellen_; }

private:
    Programm& programm_;
    GleisplanDatei gleisplan_;
    HaltestellenDatei haltestellen_;
    ZugDatei zuege_;
};
