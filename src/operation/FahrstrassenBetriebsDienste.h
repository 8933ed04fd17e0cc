// The run-mode controller's services that route setting answers: the exit-signal buttons with
// "SignalSchalten", the drive-to selection and the station state. The services of other parts
// (menus, windows, the manual route editor) do nothing here. UI thread only.
#pragma once

#include "diagram/BetriebsDienste.h"
#include "operation/FahrstrassenStellwerk.h"

class FahrstrassenBetriebsDienste final : public BetriebsDienste {
public:
    explicit FahrstrassenBetriebsDienste(FahrstrassenStellwerk& stellwerk) : stellwerk_(stellwerk) {}

    void ManuelleFahrstrasseKlick(TGleisBildElement&, bool) override {}
    bool FahrzielAnfahren(TGleisBildElement& start, TZug* zug, TGleisBildElement& ziel) override
    {
        return stellwerk_.FahrzielAnfahren(start, zug, ziel);
    }
    void AnzeigeMenueOeffnen(TGleisBildElement&, QPoint) override {}
    void HaltestellenInfoOeffnen(int) override {}
    void ProgrammMenueOeffnen(TGleisBildElement&, QPoint, bool, bool, bool) override {}
    int HaltestellenZustand(int haltestelleNr) const override { return stellwerk_.HaltestellenZustand(haltestelleNr); }
    void SignalMitFahrstrasse(TGleisBildElement& display, bool links) override { stellwerk_.SignalMitFahrstrasse(display, links); }

private:
    FahrstrassenStellwerk& stellwerk_;
};
