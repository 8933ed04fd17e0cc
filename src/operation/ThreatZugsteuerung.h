// A delayed accessory command of automatic control for an address that a plan element shows:
// after the delay the element is switched (position, command, logbook line, redraw). One step
// on the scheduler under its owner's tag.
#pragma once

#include <QString>

struct Programm;
class TGleisBildElement;

// The plan element of accessory `adresse`: only addresses 1 .. `MagnetArtikelAnzahl` (at most
// 250) have one; nullptr otherwise.
TGleisBildElement* MagnetArtElementImPlan(const Programm& programm, int adresse);

class TThreatZugsteuerung {
public:
    struct Auftrag {
        int Adresse = 0;
        int Delay = 0;
        int Stellung = 0;
    };

    static void Starten(Programm& programm, const Auftrag& auftrag, const QString& tag);
};
