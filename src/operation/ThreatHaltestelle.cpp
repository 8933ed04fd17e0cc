#include "operation/ThreatHaltestelle.h"

#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "operation/Zugsteuerung.h"

#include <memory>

namespace {
struct Lauf {
    Programm& programm;
    TZugsteuerung& steuerung;
    TThreatHaltestelle::Auftrag auftrag;
    QString tag;
    int rest = 0;

    TZug* zugInHaltestelle() const
    {
        const THaltestelle* z = programm.betriebsdaten->HaltestelleVonId(auftrag.ZielHaltestelleID);
        return z != nullptr && z->HaltestelleElement != nullptr ? z->HaltestelleElement->Zug : nullptr;
    }
    void ende() const
    {
        steuerung.UpdateHaltestelle(auftrag.ZielHaltestelleID, auftrag.StartHaltestelleID, auftrag.ZugNr, auftrag.Wenden);
    }
};

void sekunde(const std::shared_ptr<Lauf>& lauf)
{
    if (TZug* zug = lauf->zugInHaltestelle()) {
        zug->ZugStatus = 3;
        lauf->steuerung.ZugverfolgungMelden(*zug);
    }
    lauf->rest -= 1000;
    lauf->programm.scheduler.after(1000, lauf->tag, [lauf] {
        if (lauf->rest >= 1000) {
            sekunde(lauf);
        } else {
            lauf->ende();
        }
    });
}
} // namespace

void TThreatHaltestelle::Starten(Programm& programm, TZugsteuerung& steuerung, const Auftrag& auftrag, const QString& tag)
{
    auto lauf = std::make_shared<Lauf>(Lauf{programm, steuerung, auftrag, tag, auftrag.WarteZeit});
    programm.scheduler.after(0, tag, [lauf] {
        if (lauf->zugInHaltestelle() != nullptr) {
            sekunde(lauf);
        } else {
            lauf->programm.scheduler.after(lauf->auftrag.WarteZeit, lauf->tag, [lauf] { lauf->ende(); });
        }
    });
}
