// The context menu of a loco display in run mode: what is offered for the display's train,
// its station and the station's routes, and what each entry does. Opening it takes back the
// display's route offers and sets both exit signals red. UI thread only.
#pragma once

#include "diagram/MenueEintrag.h"

#include <functional>

struct Programm;
class FahrstrassenDienste;
class TFahrstrasse;
class TGleisBildElement;
class THaltestelle;
class TZug;
struct TZugDaten;

class TAnzeigeMenue {
public:
    explicit TAnzeigeMenue(Programm& programm);

    // The entries for `display` (after the opening's effects on it).
    Menue Oeffnen(TGleisBildElement& display);

    // Windows of other parts the entries open; an entry whose window is not set is greyed.
    std::function<void(TZug&)> ZugEditorOeffnen;
    std::function<void(TZug&, TZugDaten&)> ZugDatenEditorOeffnen;
    // The train chooser for the station: allowed trains (false) or a train to insert (true).
    std::function<void(THaltestelle&, TGleisBildElement&, bool einfuegen)> ZugAuswahlOeffnen;

    // The driving-data block of `zug` on `route`; nullptr when it has none.
    static TZugDaten* ZugDatenVon(const TFahrstrasse& route, const TZug& zug);

private:
    void zugEintraege(Menue& menue, TGleisBildElement& display, THaltestelle* station, TZug& zug);
    void routenEintraege(Menue& menue, THaltestelle& station, TFahrstrasse& route, TZug& zug);
    MenueEintrag fahrenEintrag(TGleisBildElement& display, THaltestelle& station, TZug& zug);
    MenueEintrag routenAuswahl(THaltestelle& station, TZug& zug);
    void haltestellenEintraege(Menue& menue, TGleisBildElement& display, THaltestelle& station);
    MenueEintrag loeschenEintrag(TGleisBildElement& display, TZug& zug);
    MenueEintrag editorEintrag(const QString& text, int bild, TZug& zug);
    MenueEintrag datenEditorEintrag(const QString& text, int bild, TZug& zug, TFahrstrasse* route);
    void zugverfolgung(TZug& zug);
    void neuZeichnen(TGleisBildElement& display);
    FahrstrassenDienste& fahrstrassen() const;
    THaltestelle* station(int id) const;

    Programm& programm_;
};
