// The registries of stations and trains: `HaltestellenListe` and `ZugListe` in their order,
// the next station id, the read and error marks of their files, and the operations that tie
// stations, routes, driving data and trains together. One instance for the running program
// (Programm::betriebsdaten). UI thread only.
#pragma once

#include "diagram/TrainServices.h"
#include "operation/Haltestelle.h"
#include "operation/Zug.h"

#include <QString>
#include <memory>
#include <vector>

struct FahrzeugDaten;
class FahrzeugDatenbank;
struct Programm;

class BetriebsDaten final : public TrainServices {
public:
    explicit BetriebsDaten(Programm& programm);

    // What the track diagram asks of trains and stations.
    int ZugNr(const TZug& zug) const override { return zug.ZugNr; }
    QString ZugName(const TZug& zug) const override { return zug.ZugName; }
    bool OhneSlot(const TZug&) const override { return false; }
    void SetZugHaltestelle(TZug& zug, int haltestelleNr) override { zug.ZugHaltestelleID = haltestelleNr; }
    void SetZugKontakt(TZug& zug, int gleisKontaktNr) override { zug.ZugKontakt = gleisKontaktNr; }
    void ZugGeaendert(TZug& zug) override { zug.Neuzeichnen(); }
    bool HaltestelleVorhanden(int haltestelleNr) const override;
    QString HaltestelleName(int haltestelleNr) const override;
    void SetHaltestelleElement(int haltestelleNr, TGleisBildElement* element) override;
    void ElementEntfernt(const TGleisBildElement& element) override;
    int HaltestelleRichtung(int haltestelleNr) const override;
    bool HaltestelleAbfahrtFrei(int haltestelleNr) const override;
    bool HaltestelleHierNichtFahren(int haltestelleNr) const override;
    QImage ZugBild(const TZug& zug) const override;

    std::vector<std::unique_ptr<THaltestelle>> HaltestellenListe;
    // Append-only: a train's index is its `ZugNr`; deleted trains are only marked.
    std::vector<std::unique_ptr<TZug>> ZugListe;
    int NaechsteHaltestelleID = 0;
    // The two auxiliary stations of the station editor; never in the list, never written.
    THaltestelle DummyNeueFahrstrasseHaltestelle;
    THaltestelle DummyFahrstrasseWeiterHaltestelle;

    // File marks: a file is written only when it was read without error in this run.
    bool HaltestellenGelesen = false;
    bool HaltestellenFehler = false;
    bool FahrstrassenGelesen = false;
    bool Fahrstrasse_Err = false;
    bool ZugeGelesen = false;
    bool ZugeFehler = false;

    // The station with this id (when several carry it, the last one); nullptr when none.
    THaltestelle* HaltestelleVonId(int id) const;
    THaltestelle* HaltestelleVonName(const QString& name) const;
    TZug* ZugVonNr(int zugNr) const;
    TZug* ZugVonDatenbankNr(int datenbankNr) const;

    // A new station with the next id; nullptr (with the message for a blank) when the name is
    // taken or contains a blank.
    THaltestelle* HaltestelleNeu(const QString& name);
    // A new route appended to the station; id 999 takes the station's route count.
    TFahrstrasse* FahrstrasseNeu(THaltestelle& station, int id, const QString& name);
    // A new route with the next id (highest + 1, never reused); a taken name gets the digits
    // 1, 2, 3 ... appended until it is free.
    TFahrstrasse* FahrstrasseAnlegen(THaltestelle& station, const QString& name);
    // The name of a route the search found: "Fahrstrasse_Nach_" + target + "_" + the smallest
    // free n from 1.
    static QString SuchFahrstrassenName(const THaltestelle& station, const QString& zielName);
    // Takes a route the search found into `station` (the station editor's "Übernehmen"): a new
    // route with the next id and the found name (digits appended when taken), the found
    // elements, stations and directions, its turnouts (kinds 49..82), its contacts (the distinct
    // non-zero contacts of its elements in order) and the driving data of every train.
    TFahrstrasse* FahrstrasseUebernehmen(THaltestelle& station, const TFahrstrasse& gefunden);
    // The driving-data block of `zug` on `route`, with the route's contacts.
    TZugDaten* ZugDatenErstellen(TFahrstrasse& route, TZug& zug);
    // Contact numbers changed on the plan: every route takes them again.
    void GleisKontakteAnpassen();
    // Puts the trains recorded in `ZugInHaltestelle` back into their stations' displays.
    void ZugeInHaltestellenSetzen();
    // The trains of the vehicle database: every "Lok" not sold, in database order. A train
    // that exists keeps its number and is brought up to date; a vehicle that is gone or sold
    // marks its train deleted. Trains are never removed: stations, routes and the plan hold them.
    void ZugeAusDatenbank(const FahrzeugDatenbank& db);
    // One vehicle was created or changed in the database window.
    void ZugAktualisieren(const FahrzeugDaten& fahrzeug);
    void ZugGeloeschtMelden(int vehicleId);
    static void ZugAusFahrzeug(TZug& zug, const FahrzeugDaten& fahrzeug);

    // Free stations and trains (a new project file is read).
    void HaltestellenLeeren();

private:
    Programm& programm_;
};
