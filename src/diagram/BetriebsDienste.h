// What the run-mode controller needs from stations, routes, trains and other windows when the
// user clicks a loco display or a program button. Those parts implement it; until they exist
// the controller uses KeineBetriebsDienste, which finds no route and opens nothing.
#pragma once

#include <QPoint>
#include <QString>

class TGleisBildElement;
class TZug;

class BetriebsDienste {
public:
    virtual ~BetriebsDienste() = default;

    // Mode 10: the click belongs to the manual route editor.
    virtual void ManuelleFahrstrasseKlick(TGleisBildElement& element, bool rechts) = 0;
    // Drive-to selection: a route from the display `start` (holding `zug`) to the station of
    // `ziel` is searched, reserved and started; false when none is free.
    virtual bool FahrzielAnfahren(TGleisBildElement& start, TZug* zug, TGleisBildElement& ziel) = 0;
    // The display's menu (trains and routes) at `pos` in diagram pixels.
    virtual void AnzeigeMenueOeffnen(TGleisBildElement& display, QPoint pos) = 0;
    // The station information window for a station.
    virtual void HaltestellenInfoOeffnen(int haltestelleNr) = 0;
    // The program-button menu at `pos` with the entries shown as given.
    virtual void ProgrammMenueOeffnen(TGleisBildElement& taste, QPoint pos, bool zuweisen, bool starten,
                                      bool zuweisungLoeschen) = 0;
    // The state of a station (0 free, 1 train standing, 2 and above: a route runs).
    virtual int HaltestellenZustand(int haltestelleNr) const = 0;
    // An exit-signal button of a station's display with "SignalSchalten": the preselected or
    // reserved route of that end is checked and set. Called after the signal was toggled.
    virtual void SignalMitFahrstrasse(TGleisBildElement& display, bool links) = 0;
};

class KeineBetriebsDienste final : public BetriebsDienste {
public:
    void ManuelleFahrstrasseKlick(TGleisBildElement&, bool) override {}
    bool FahrzielAnfahren(TGleisBildElement&, TZug*, TGleisBildElement&) override { return false; }
    void AnzeigeMenueOeffnen(TGleisBildElement&, QPoint) override {}
    void HaltestellenInfoOeffnen(int) override {}
    void ProgrammMenueOeffnen(TGleisBildElement&, QPoint, bool, bool, bool) override {}
    int HaltestellenZustand(int) const override { return 0; }
    void SignalMitFahrstrasse(TGleisBildElement&, bool) override {}
};
