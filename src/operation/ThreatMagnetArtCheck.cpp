#include "operation/ThreatMagnetArtCheck.h"

#include "core/Programm.h"
#include "diagram/ElementArten.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "operation/FahrstrassenStellwerk.h"
#include "vehicles/LogBuch.h"

#include <memory>

namespace {
struct Lauf {
    Programm& programm;
    TThreatMagnetArtCheck::Auftrag auftrag;
    QString tag;
    std::size_t index = 1;
    // The station display whose signal was set before the wait: it shows the passing train
    // once the wait is over.
    int durchfahrtSpalte = 0;
    int durchfahrtZeile = 0;

    const TFahrstrasse* route() const
    {
        const THaltestelle* s = programm.betriebsdaten->HaltestelleVonId(auftrag.StartHaltestelleID);
        return s != nullptr ? s->FahrstrasseVonId(auftrag.FahrstrasseID) : nullptr;
    }
    void logbuch(const QString& text) const
    {
        if (programm.logbuch != nullptr) {
            programm.logbuch->LogBuchAdd(text, TLogBuch::ArtGruen);
        }
    }
};

void schritt(const std::shared_ptr<Lauf>& lauf);

void durchfahrtZeigen(Lauf& lauf)
{
    if (lauf.durchfahrtSpalte == 0) {
        return;
    }
    TGleisBild& bild = *lauf.programm.gleisbild;
    TGleisBildElement* g = bild.Zelle(lauf.durchfahrtSpalte, lauf.durchfahrtZeile);
    const TZug* zug = lauf.programm.betriebsdaten->ZugVonNr(lauf.auftrag.ZugNr);
    lauf.durchfahrtSpalte = 0;
    if (g == nullptr) {
        return;
    }
    g->ErwarteterZug.clear();
    g->DurchfahrenderZug = zug != nullptr ? zug->ZugName : QString();
    Q_EMIT bild.neuZeichnen(g);
}

// A station passed through: its direction follows the travel, the signal on the exit side
// turns green.
void zwischenhalt(Lauf& lauf, TGleisBildElement& g, int richtung)
{
    if (THaltestelle* h = lauf.programm.betriebsdaten->HaltestelleVonId(g.HaltestelleNr)) {
        if (richtung == 3 || richtung == 7) {
            h->HaltestelleRichtung = richtung == 3 ? 1 : 0;
        }
    }
    g.AnkunftRichtung = richtung;
    if (richtung == 3) {
        g.SetSignalRechts(1);
        lauf.logbuch(QStringLiteral("Setze Signal auf Grun"));
    } else if (richtung == 7) {
        g.SetSignalLinks(1);
        lauf.logbuch(QStringLiteral("Setze Signal auf Grun"));
    }
    lauf.durchfahrtSpalte = g.PosX;
    lauf.durchfahrtZeile = g.PosY;
}

// Switches one element; true when a wait follows.
bool schalten(Lauf& lauf, const FahrstrasseElement& e, int richtung)
{
    TGleisBildElement* g = lauf.programm.gleisbild->Zelle(e.Spalte, e.Zeile);
    if (g == nullptr) {
        return false;
    }
    g->AnkunftRichtung = richtung;
    if (IstDoppelkreuzweiche(g->GleisBildNr)) {
        g->Schalten(e.StellungSetzen);
        lauf.logbuch(QStringLiteral("Doppelkreuzweiche setzen"));
        return true;
    }
    if (IstWeiche(g->GleisBildNr)) {
        g->FahrstrasseBelegt = {lauf.auftrag.StartHaltestelleID, lauf.auftrag.FahrstrasseID};
        g->Schalten(e.StellungSetzen);
        lauf.logbuch(QStringLiteral("Weichen setzen"));
        return true;
    }
    if (g->istLokAnzeige() && e.ElementModus == 1 && e.HaltestelleNr != KeineId) {
        zwischenhalt(lauf, *g, richtung);
        return true;
    }
    return false;
}

void schritt(const std::shared_ptr<Lauf>& lauf)
{
    const TFahrstrasse* route = lauf->route();
    if (route == nullptr || route->FahrstrasseStatus == 0) {
        return; // cancelled or already freed
    }
    durchfahrtZeigen(*lauf);
    const auto& elemente = route->FahrstrasseElemente;
    while (lauf->index + 1 < elemente.size()) {
        const std::size_t i = lauf->index++;
        const int richtung = FahrstrassenStellwerk::Richtungscode(elemente[i - 1], elemente[i]);
        if (schalten(*lauf, elemente[i], richtung)) {
            lauf->programm.scheduler.after(lauf->programm.settings.WartezeitzwischenMagnetArt, lauf->tag,
                                           [lauf] { schritt(lauf); });
            return;
        }
    }
}
} // namespace

void TThreatMagnetArtCheck::Starten(Programm& programm, const Auftrag& auftrag, const QString& tag)
{
    auto lauf = std::make_shared<Lauf>(Lauf{programm, auftrag, tag});
    programm.scheduler.after(0, tag, [lauf] { schritt(lauf); });
}
