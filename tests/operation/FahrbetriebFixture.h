// A running program with stations, trains and routes built by hand on a small plan, plus a
// recorder that keeps the time of every core message. For the route-setting and automatic-
// control tests.
#pragma once

#include "diagram/DiagramFixture.h"
#include "operation/BetriebsDaten.h"
#include "operation/Diagnose.h"
#include "operation/FahrstrassenStellwerk.h"
#include "operation/Zugsteuerung.h"

#include <utility>
#include <vector>

// Every core message with the scheduler time it was sent at.
class ZeitRecorder final : public MessageReceiver {
public:
    explicit ZeitRecorder(const Scheduler& scheduler) : scheduler_(scheduler) {}
    struct Eintrag {
        qint64 zeit;
        CoreMessage message;
    };
    std::vector<Eintrag> eintraege;
    void receive(const CoreMessage& m) override { eintraege.push_back({scheduler_.now(), m}); }
    // "t=<ms> MAG 5 1" for every message of `id`, in order.
    QStringList liste(Msg id) const
    {
        QStringList l;
        for (const Eintrag& e : eintraege) {
            if (e.message.id == id) {
                l << QStringLiteral("t=%1 %2 %3").arg(e.zeit).arg(e.message.w.toText()).arg(e.message.l.toText());
            }
        }
        return l;
    }

private:
    const Scheduler& scheduler_;
};

struct Fahrbetrieb : DiagramFixture {
    ZeitRecorder zeiten{scheduler};

    Fahrbetrieb()
    {
        programm->settings.ZentraleTyp = 8; // trains are addressed by their ECoS id
        programm->settings.MagnetArtikelAnzahl = 250;
        bus.attach(&zeiten);
    }
    ~Fahrbetrieb() { bus.detach(&zeiten); }

    BetriebsDaten& d() { return fenster->betriebsdaten(); }
    TZugsteuerung& steuerung() { return fenster->zugsteuerung(); }
    FahrstrassenStellwerk& stellwerk() { return steuerung().stellwerk(); }
    TDiagnose& diagnose() { return fenster->diagnose(); }

    TZug* zugNeu(const QString& name, int datenbankNr, const QString& ecosId)
    {
        d().ZugListe.push_back(std::make_unique<TZug>(programm.get()));
        TZug* zug = d().ZugListe.back().get();
        zug->ZugNr = static_cast<int>(d().ZugListe.size()) - 1;
        zug->ZugName = name;
        zug->ZugDatanbankNr = datenbankNr;
        zug->Addr = datenbankNr;
        zug->ECOSID = ecosId;
        zug->MaxSpeed = 80;
        return zug;
    }
    THaltestelle* stationNeu(const QString& name) { return d().HaltestelleNeu(name); }
    // A loco display with exit signals at both ends (variant 1), six cells from (x, y).
    TGleisBildElement* anzeige(int x, int y, int station, int kontakt, int signalLinks = 0, int signalRechts = 0)
    {
        GridElementDaten g;
        g.GleisBildNr = 100;
        g.PosX = x;
        g.PosY = y;
        g.HaltestelleNr = station;
        g.GleisKontaktNr = kontakt;
        g.MagnetArtNr0 = signalLinks;
        g.MagnetArtNr1 = signalRechts;
        return bild().CreateGridElement(g);
    }
    // The grid, the contact lists and the accessory table after the elements were created.
    void planFertig()
    {
        bild().RebuildGrid();
        bild().RebuildContactLists();
        bild().MagnetArtikelListeFullen();
    }
    // A route through `elemente` (each with the position the route sets), with the contacts
    // in element order and a driving-data block for every train.
    TFahrstrasse& route(THaltestelle& start, THaltestelle& ziel, const std::vector<std::pair<TGleisBildElement*, int>>& elemente,
                        int richtung, int richtungZiel)
    {
        TFahrstrasse* r = d().FahrstrasseAnlegen(start, start.HaltestelleName + u'_' + ziel.HaltestelleName);
        r->ZielHaltestelleID = ziel.HaltestelleID;
        r->FahrstrasseRichtung = richtung;
        r->FahrstrasseRichtungZiel = richtungZiel;
        for (const auto& [g, stellung] : elemente) {
            FahrstrasseElement e;
            e.ElementName = g->Name;
            e.Spalte = g->PosX;
            e.Zeile = g->PosY;
            e.ElementArt = g->GleisBildNr;
            e.ElementTyp = g->Kategorie;
            e.ElementModus = g->LokAnzeigeVariante;
            e.GleisKontaktNr = g->GleisKontaktNr;
            e.HaltestelleNr = g->HaltestelleNr;
            e.StellungSetzen = stellung;
            r->FahrstrasseElemente.push_back(e);
            r->KontaktAnhaengen(g->GleisKontaktNr);
        }
        r->WeichenListeErstellen();
        for (const auto& zug : d().ZugListe) {
            d().ZugDatenErstellen(*r, *zug);
        }
        return *r;
    }
    // Puts the train into the station's display and marks the display's contact occupied.
    void abstellen(THaltestelle& station, TZug& zug)
    {
        station.HaltestelleElement->ZugZuweisen(&zug);
        bild().SetContactState(station.HaltestelleElement->GleisKontaktNr, 1);
    }
    // The commands of the route in both queues.
    int befehleInQueues(const TFahrstrasse& r)
    {
        int n = 0;
        for (const auto* queue : {&steuerung().ZugsteuerungHiPriorityListe(), &steuerung().ZugsteuerungLoPriorityListe()}) {
            for (const TFahrstrassenBefehl& b : *queue) {
                n += b.BefehlHaltestelleID == r.StartHaltestelleID && b.BefehlFahrstrasseID == r.FahrstrasseID ? 1 : 0;
            }
        }
        return n;
    }
};

// A - turnout 5 - signal 7 - turnout 6 - B along row 5, contacts 1 (A) .. 6 (B); the route from
// A to B throws turnout 5 (position 1) and keeps turnout 6 straight. One train "Lok1" (database
// number 3, ECoS id 1002) stands in A; it may go to B.
struct Strecke : Fahrbetrieb {
    THaltestelle* a = nullptr;
    THaltestelle* b = nullptr;
    TZug* zug = nullptr;
    TGleisBildElement* weiche1 = nullptr;
    TGleisBildElement* signal = nullptr;
    TGleisBildElement* weiche2 = nullptr;
    TFahrstrasse* ab = nullptr;

    Strecke()
    {
        a = stationNeu(QStringLiteral("A"));
        b = stationNeu(QStringLiteral("B"));
        zug = zugNeu(QStringLiteral("Lok1"), 3, QStringLiteral("1002"));
        TGleisBildElement* anzeigeA = anzeige(2, 5, a->HaltestelleID, 1, 11, 12);
        TGleisBildElement* g8 = add(21, 8, 5, 0, 2);
        weiche1 = add(63, 9, 5, 5, 0);
        TGleisBildElement* g10 = add(21, 10, 5, 0, 3);
        signal = add(1, 11, 5, 7, 0);
        TGleisBildElement* g12 = add(21, 12, 5, 0, 4);
        weiche2 = add(62, 13, 5, 6, 0);
        TGleisBildElement* g14 = add(21, 14, 5, 0, 5);
        TGleisBildElement* anzeigeB = anzeige(15, 5, b->HaltestelleID, 6, 13, 14);
        planFertig();
        ab = &route(*a, *b, {{anzeigeA, 0}, {g8, 0}, {weiche1, 1}, {g10, 0}, {signal, 0}, {g12, 0}, {weiche2, 0}, {g14, 0}, {anzeigeB, 0}}, 1, 1);
        a->HaltestelleRichtung = 1;
        b->HaltestelleZuge.push_back(zug);
        abstellen(*a, *zug);
    }
    TZugDaten& daten() { return *ab->ZugDatenListe.front(); }
    // Check, then the order every caller follows.
    bool starten()
    {
        return stellwerk().FahrstrasseCheck(*ab).isEmpty() && stellwerk().FahrstrasseStarten(*ab, daten());
    }
};
