#include "operation/ThreatZug.h"

#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"

#include <memory>

namespace {
const QString kZuKontakt = QStringLiteral("Zu Kontakt");
const QString kVorfahren = QStringLiteral("Zug vorfahren");

struct Lauf {
    Programm& programm;
    ZugBefehlDienste& dienste;
    TThreatZug::Auftrag auftrag;
    QString tag;

    TZug* zug() const
    {
        return programm.betriebsdaten ? programm.betriebsdaten->ZugVonNr(auftrag.ZugNr) : nullptr;
    }
    bool besetzt(int kontakt) const
    {
        return programm.gleisbild != nullptr && programm.gleisbild->Kontakte().Besetzt(kontakt);
    }
};

void ausfuehren(const std::shared_ptr<Lauf>& lauf);

void gestuftWarten(const std::shared_ptr<Lauf>& lauf)
{
    lauf->programm.scheduler.after(TThreatZug::GestufteWartezeit(lauf->auftrag.Delay), lauf->tag, [lauf] { ausfuehren(lauf); });
}

void kontaktAbwarten(const std::shared_ptr<Lauf>& lauf)
{
    if (lauf->besetzt(lauf->auftrag.ZielKontakt)) {
        gestuftWarten(lauf);
        return;
    }
    lauf->programm.scheduler.after(500, lauf->tag, [lauf] { kontaktAbwarten(lauf); });
}

void schalten(TZug& zug, int funktion, bool an)
{
    if (funktion == 0) {
        zug.Set_Licht(an);
    } else {
        zug.Set_Funk(funktion, an);
    }
}

void ausfuehren(const std::shared_ptr<Lauf>& lauf)
{
    TZug* zug = lauf->zug();
    if (zug == nullptr) {
        return; // the train is gone: nothing to do
    }
    const TThreatZug::Auftrag& a = lauf->auftrag;
    bool fortsetzen = a.AblaufFortsetzen;
    switch (a.BefehlAuswahl) {
    case 1:
        fortsetzen = false;
        if (a.Text == kZuKontakt || a.Text == kVorfahren) {
            zug->Set_Speed(0);
            zug->ZugStatus = 0;
            if (a.Text == kZuKontakt) {
                zug->ZugKontakt = a.ZielKontakt;
                zug->ZugZielKontakt = 0;
            }
            fortsetzen = a.VonAblauf;
        } else {
            zug->Set_Speed(a.Wert);
            // "Nachste" ends the run like "Ziel": the train stops and the arrival is booked.
            if (a.Text == QStringLiteral("Ziel") || a.Text == QStringLiteral("Nachste")) {
                const THaltestelle* h = lauf->programm.betriebsdaten->HaltestelleVonId(a.StartHaltestelleID);
                if (h != nullptr && h->FahrstrasseVonId(a.FahrstrasseID) != nullptr) {
                    lauf->dienste.ZugIstAngekommen(a.StartHaltestelleID, a.FahrstrasseID, *zug);
                    zug->ZugAktiv = false;
                }
            }
        }
        break;
    case 2:
        zug->Wenden();
        break;
    case 3:
        schalten(*zug, a.Wert, false);
        break;
    case 4:
        schalten(*zug, a.Wert, true);
        break;
    case 5: {
        schalten(*zug, a.Wert, true);
        // Off again after the settings' on/off delay, as a step of the same chain.
        lauf->programm.scheduler.after(lauf->programm.settings.FunktionenOnOffDelay, lauf->tag, [lauf] {
            if (TZug* z = lauf->zug()) {
                schalten(*z, lauf->auftrag.Wert, false);
                if (lauf->auftrag.AblaufFortsetzen) {
                    lauf->dienste.AblaufFortsetzen(*z);
                }
                lauf->dienste.ZugverfolgungMelden(*z);
            }
        });
        return;
    }
    default:
        break;
    }
    if (fortsetzen) {
        lauf->dienste.AblaufFortsetzen(*zug);
    }
    lauf->dienste.ZugverfolgungMelden(*zug);
}
} // namespace

int TThreatZug::GestufteWartezeit(int delay)
{
    int wartezeit = 0;
    for (int rest = delay; rest > 500; rest -= 500) {
        wartezeit += 1000;
    }
    return wartezeit;
}

void TThreatZug::Starten(Programm& programm, ZugBefehlDienste& dienste, const Auftrag& auftrag, const QString& tag)
{
    auto lauf = std::make_shared<Lauf>(Lauf{programm, dienste, auftrag, tag});
    if (auftrag.Text == kZuKontakt && auftrag.ZielKontakt != 0) {
        programm.scheduler.after(0, tag, [lauf] { kontaktAbwarten(lauf); });
    } else if (auftrag.Text == kVorfahren) {
        programm.scheduler.after(auftrag.Delay, tag, [lauf] { gestuftWarten(lauf); });
    } else if (auftrag.Text == kZuKontakt) {
        programm.scheduler.after(0, tag, [lauf] { gestuftWarten(lauf); });
    } else {
        programm.scheduler.after(auftrag.Delay, tag, [lauf] { ausfuehren(lauf); });
    }
}
