// What the track diagram needs from trains and stations: loco displays hold a train, ask for
// station names and tell train tracking. Trains and stations implement this; until they exist
// the diagram uses NoTrainServices, which knows no train and no station.
#pragma once

#include <QImage>
#include <QString>

class TGleisBildElement;
class TZug;

class TrainServices {
public:
    virtual ~TrainServices() = default;

    // Trains (never null when called).
    virtual int ZugNr(const TZug& zug) const = 0;
    virtual QString ZugName(const TZug& zug) const = 0;
    // True while the train's slot marker still holds 999 (no slot assigned yet).
    virtual bool OhneSlot(const TZug& zug) const = 0;
    virtual void SetZugHaltestelle(TZug& zug, int haltestelleNr) = 0;
    virtual void SetZugKontakt(TZug& zug, int gleisKontaktNr) = 0;
    // Train tracking shows the train's new state; the train's panel is redrawn.
    virtual void ZugGeaendert(TZug& zug) = 0;

    // Stations.
    virtual bool HaltestelleVorhanden(int haltestelleNr) const = 0;
    virtual QString HaltestelleName(int haltestelleNr) const = 0;
    // The station's element becomes `element` (RebuildGrid).
    virtual void SetHaltestelleElement(int haltestelleNr, TGleisBildElement* element) = 0;
    // `element` is destroyed: every station and mark that refers to it forgets it.
    virtual void ElementEntfernt(const TGleisBildElement& element) = 0;

    // What loco displays show; the defaults know nothing.
    // The station's travel direction (0 towards W, 1 towards E).
    virtual int HaltestelleRichtung(int /*haltestelleNr*/) const { return 0; }
    // True when the station lets its train depart, false while it waits.
    virtual bool HaltestelleAbfahrtFrei(int /*haltestelleNr*/) const { return false; }
    // True when no route may bring a train into the station.
    virtual bool HaltestelleHierNichtFahren(int /*haltestelleNr*/) const { return false; }
    // The train's 80 x 20 vehicle picture; a null image when there is none.
    virtual QImage ZugBild(const TZug& /*zug*/) const { return {}; }
};

class NoTrainServices final : public TrainServices {
public:
    int ZugNr(const TZug&) const override { return 0; }
    QString ZugName(const TZug&) const override { return {}; }
    bool OhneSlot(const TZug&) const override { return false; }
    void SetZugHaltestelle(TZug&, int) override {}
    void SetZugKontakt(TZug&, int) override {}
    void ZugGeaendert(TZug&) override {}
    bool HaltestelleVorhanden(int) const override { return false; }
    QString HaltestelleName(int) const override { return {}; }
    void SetHaltestelleElement(int, TGleisBildElement*) override {}
    void ElementEntfernt(const TGleisBildElement&) override {}
};
