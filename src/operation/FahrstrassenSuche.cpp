#include "operation/FahrstrassenSuche.h"

#include "diagram/GleisBild.h"
#include "diagram/Verbindungen.h"
#include "operation/BetriebsDaten.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

bool istWeiche(int kind) { return kind >= 62 && kind <= 77; }
bool istDoppelkreuzweiche(int kind) { return kind == 55 || kind == 56 || kind == 82 || kind == 83; }

struct Zelle {
    int x = 0;
    int y = 0;
};

// One search over one plan. The positions it tries live in `stellung_`, indexed by cell; the
// plan's elements keep showing what they show.
class Suche {
public:
    Suche(const TGleisBild& bild, BetriebsDaten& daten, THaltestelle& ziel)
        : bild_(bild), daten_(daten), ziel_(ziel)
    {
    }

    // Both directions from `anzeige`; found routes are appended to the auxiliary station.
    void suchen(TGleisBildElement& anzeige)
    {
        for (int richtung = 0; richtung <= 1; ++richtung) {
            verzweigungen_.clear();
            int zaehler = 1;
            while (zaehler > 0) {
                auto route = laufen(anzeige, richtung);
                naechsteVerzweigung(zaehler);
                if (route) {
                    uebernehmen(std::move(route));
                }
                --zaehler;
            }
        }
    }

    SuchStatistik statistik;

private:
    enum class Ende { Weiter, Fehlschlag, Halt, Angekommen };

    // One walk; the temporary route when it arrived, else nullptr.
    std::unique_ptr<TFahrstrasse> laufen(TGleisBildElement& start, int richtung)
    {
        ++statistik.walks;
        sprungBesucht_.fill(false);
        std::memset(besucht_, 0, sizeof besucht_);
        auto route = std::make_unique<TFahrstrasse>();
        route->FahrstrasseName = QStringLiteral("Test") + QString::number(statistik.walks);
        route->FahrstrasseAnzeigeName = QStringLiteral("Leer");
        route->FahrstrasseRichtung = richtung;
        schritte_ = 0;

        TGleisBildElement* e = &start;
        Seite t = richtung == 0 ? Seite::W : Seite::O;
        for (;;) {
            const Ende ende = durchlaufen(*route, e, t);
            if (ende == Ende::Angekommen) {
                return route;
            }
            if (ende != Ende::Weiter) {
                return nullptr;
            }
        }
    }

    // Leaves towards `s`: the neighbour there, or a failed walk when there is none.
    Ende verlassen(TGleisBildElement*& e, Seite& t, Seite s)
    {
        TGleisBildElement* n = e->nachbarIn(s);
        if (n == nullptr) {
            return Ende::Fehlschlag;
        }
        e = n;
        t = s;
        return Ende::Weiter;
    }

    // One step: enters `e` travelling `t`; on Weiter, `e` and `t` name the next step.
    Ende durchlaufen(TFahrstrasse& route, TGleisBildElement*& e, Seite& t)
    {
        ++schritte_;
        ++statistik.steps;
        // A walk that enters an element in a direction it has entered it before runs in a
        // circle that holds no station: it can never arrive.
        uint8_t& spur = besucht_[e->PosX][e->PosY];
        const uint8_t bit = static_cast<uint8_t>(1u << (static_cast<int>(t) - 1));
        if ((spur & bit) != 0) {
            return Ende::Fehlschlag;
        }
        spur |= bit;

        FahrstrasseElement fe;
        fe.ElementName = e->Name;
        fe.Spalte = e->PosX;
        fe.Zeile = e->PosY;
        fe.Stellung = 99;
        fe.Gueltig = true;
        fe.ElementArt = e->GleisBildNr;
        fe.ElementTyp = e->Kategorie;
        fe.ElementModus = e->LokAnzeigeVariante;
        fe.GleisKontaktNr = e->GleisKontaktNr;
        fe.HaltestelleNr = e->HaltestelleNr;
        route.FahrstrasseElemente.push_back(fe);
        FahrstrasseElement& eingetragen = route.FahrstrasseElemente.back();

        const int kind = e->GleisBildNr;
        int& stellung = stellungVon(*e);
        const Schritt schritt = Durchfahren(kind, t, stellung);
        switch (schritt.art) {
        case Schritt::Art::Fehlschlag:
            return Ende::Fehlschlag;
        case Schritt::Art::Halt:
            if (schritt.verzweigung) {
                verzweigungMerken(*e);
            }
            return Ende::Halt;
        case Schritt::Art::Sprung:
            return sprung(e, t);
        case Schritt::Art::LokAnzeige:
            return lokAnzeige(route, e, t);
        case Schritt::Art::Weiter:
            break;
        }
        if (schritt.verzweigung) {
            verzweigungMerken(*e);
        }
        eingetragen.StellungSetzen = schritt.stellungSetzen;
        eingetragen.Gueltig = schritt.gueltig;
        if (kind >= 73 && kind <= 77 && GegenSeite(t) == VerbindungVon(kind).spitze) {
            eingetragen.Stellung = stellung;
        }
        if (istWeiche(kind) || istDoppelkreuzweiche(kind)) {
            route.FahrstrasseWeichenListe.push_back(eingetragen);
        }
        return verlassen(e, t, schritt.richtung);
    }

    Ende sprung(TGleisBildElement*& e, Seite& t)
    {
        const int nr = e->SprungmarkeNr;
        const int ende = e->SprungmarkeEnde;
        if (nr < 1 || nr > SprungmarkenAnzahl || ende < 1 || ende > 2) {
            return Ende::Halt; // not in the table: it has no other end
        }
        bool& selbst = sprungBesucht_[(nr - 1) * 2 + ende - 1];
        if (selbst) {
            return Ende::Fehlschlag;
        }
        selbst = true;
        TGleisBildElement* anderes = bild_.Sprungmarke(nr, 3 - ende);
        if (anderes == nullptr) {
            return Ende::Halt;
        }
        if (!sprungBesucht_[(nr - 1) * 2 + (3 - ende) - 1]) {
            e = anderes; // on at the other end, travelling on as before
            return Ende::Weiter;
        }
        // We came through the other end: leave on the track side of this one.
        const Seite weiter = e->sprungAusgang(t);
        if (weiter == KeineSeite) {
            return Ende::Halt;
        }
        return verlassen(e, t, weiter);
    }

    Ende lokAnzeige(TFahrstrasse& route, TGleisBildElement*& e, Seite& t)
    {
        if (e->HaltestelleNr == KeineHaltestelle) {
            return Ende::Fehlschlag;
        }
        if (schritte_ == 1) {
            route.StartHaltestelleID = e->HaltestelleNr;
            if (t == Seite::W) {
                return e->LokAnzeigeVariante == 2 ? Ende::Fehlschlag : verlassen(e, t, Seite::W);
            }
            if (t == Seite::O) {
                return e->LokAnzeigeVariante == 3 ? Ende::Fehlschlag : verlassen(e, t, Seite::O);
            }
            return Ende::Halt;
        }
        route.ZielHaltestelleID = e->HaltestelleNr;
        if (t == Seite::O) {
            route.FahrstrasseRichtungZiel = 1;
        } else if (t == Seite::W) {
            route.FahrstrasseRichtungZiel = 0;
        }
        return Ende::Angekommen;
    }

    void verzweigungMerken(const TGleisBildElement& e)
    {
        if (verzweigungen_.size() >= static_cast<size_t>(VerzweigungenMax)) {
            return;
        }
        const bool schonDa = std::any_of(verzweigungen_.begin(), verzweigungen_.end(),
            [&](const Zelle& z) { return z.x == e.PosX && z.y == e.PosY; });
        if (!schonDa) {
            verzweigungen_.push_back({e.PosX, e.PosY});
        }
    }

    // From the last branch point back to the first: the first one still straight is thrown,
    // and one more walk is due.
    void naechsteVerzweigung(int& zaehler)
    {
        for (auto it = verzweigungen_.rbegin(); it != verzweigungen_.rend(); ++it) {
            int& s = stellung_[it->x][it->y];
            if (s == 0) {
                s = 1;
                ++zaehler;
                return;
            }
        }
    }

    int& stellungVon(const TGleisBildElement& e) { return stellung_[e.PosX][e.PosY]; }

    // A walk that arrived somewhere else than its start becomes a found route.
    void uebernehmen(std::unique_ptr<TFahrstrasse> route)
    {
        if (route->ZielHaltestelleID == route->StartHaltestelleID) {
            return;
        }
        const THaltestelle* zielStation = daten_.HaltestelleVonId(route->ZielHaltestelleID);
        if (zielStation == nullptr) {
            return; // a display bound to a station that is gone: this walk only
        }
        const QString name = BetriebsDaten::SuchFahrstrassenName(ziel_, zielStation->HaltestelleName);
        route->FahrstrasseName = name;
        route->FahrstrasseAnzeigeName = name;
        route->FahrstrasseID = static_cast<int>(ziel_.HaltestelleFahrstrassen.size());
        route->FahrstrasseKontakte.fill(0);
        ziel_.HaltestelleFahrstrassen.push_back(std::move(route));
        ++statistik.routes;
    }

    const TGleisBild& bild_;
    BetriebsDaten& daten_;
    THaltestelle& ziel_;
    // The positions the search tries, by cell; all straight at the start of a search.
    int stellung_[RasterSpalten + 1][RasterZeilen + 1]{};
    // Per cell, the travel directions the current walk entered it in (bit d-1).
    uint8_t besucht_[RasterSpalten + 1][RasterZeilen + 1]{};
    std::array<bool, SprungmarkenAnzahl * 2> sprungBesucht_{};
    std::vector<Zelle> verzweigungen_;
    int schritte_ = 0;
};

void leeren(THaltestelle& hilfe, const THaltestelle& von)
{
    hilfe.HaltestelleFahrstrassen.clear();
    hilfe.AktiveFahrstrasse = nullptr;
    hilfe.HaltestelleElement = von.HaltestelleElement;
}

} // namespace

SuchStatistik NeueFahrstrassenSuchen(const TGleisBild& bild, BetriebsDaten& daten, const THaltestelle& station)
{
    THaltestelle& hilfe = daten.DummyNeueFahrstrasseHaltestelle;
    leeren(hilfe, station);
    if (station.HaltestelleElement == nullptr) {
        return {};
    }
    auto suche = std::make_unique<Suche>(bild, daten, hilfe);
    suche->suchen(*station.HaltestelleElement);
    return suche->statistik;
}

SuchStatistik FahrstrasseErweiternSuchen(const TGleisBild& bild, BetriebsDaten& daten, const TFahrstrasse& route)
{
    THaltestelle& hilfe = daten.DummyFahrstrasseWeiterHaltestelle;
    hilfe.HaltestelleFahrstrassen.clear();
    hilfe.AktiveFahrstrasse = nullptr;
    SuchStatistik gesamt;
    for (const auto& station : daten.HaltestellenListe) {
        if (station->HaltestelleID != route.ZielHaltestelleID || station->HaltestelleElement == nullptr) {
            continue;
        }
        const size_t vorher = hilfe.HaltestelleFahrstrassen.size();
        hilfe.HaltestelleElement = station->HaltestelleElement;
        auto suche = std::make_unique<Suche>(bild, daten, hilfe);
        suche->suchen(*station->HaltestelleElement);
        gesamt.walks += suche->statistik.walks;
        gesamt.steps += suche->statistik.steps;
        gesamt.routes += suche->statistik.routes;
        for (size_t i = vorher; i < hilfe.HaltestelleFahrstrassen.size(); ++i) {
            TFahrstrasse& neu = *hilfe.HaltestelleFahrstrassen[i];
            for (const FahrstrasseElement& fe : neu.FahrstrasseElemente) {
                if (fe.Gueltig) {
                    neu.KontaktAnhaengen(fe.GleisKontaktNr);
                }
            }
            for (const auto& zug : daten.ZugListe) {
                daten.ZugDatenErstellen(neu, *zug);
            }
        }
    }
    return gesamt;
}
