#include "operation/ThreatZugsteuerung.h"

#include "core/Programm.h"
#include "diagram/GleisBild.h"

#include <algorithm>

TGleisBildElement* MagnetArtElementImPlan(const Programm& programm, int adresse)
{
    const int anzahl = std::min(programm.settings.MagnetArtikelAnzahl, MagnetArtTabelleMax);
    if (programm.gleisbild == nullptr || adresse < 1 || adresse > anzahl) {
        return nullptr;
    }
    return programm.gleisbild->MagnetArtElement(adresse);
}

void TThreatZugsteuerung::Starten(Programm& programm, const Auftrag& auftrag, const QString& tag)
{
    programm.scheduler.after(auftrag.Delay, tag, [&programm, auftrag] {
        if (auftrag.Adresse == 0) {
            return;
        }
        if (TGleisBildElement* e = MagnetArtElementImPlan(programm, auftrag.Adresse)) {
            e->Schalten(auftrag.Stellung);
        }
    });
}
