// A delayed accessory command of automatic control for an address no plan element shows: after
// the delay `WM_MAG` goes out for it (never for address 0). One step on the scheduler under its
// owner's tag.
#pragma once

#include <QString>

struct Programm;

class TThreatOhneGleisbild {
public:
    struct Auftrag {
        int Adresse = 0;
        int Delay = 0;
        int Stellung = 0;
    };

    static void Starten(Programm& programm, const Auftrag& auftrag, const QString& tag);
};
