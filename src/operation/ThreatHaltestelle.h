// The wait of an arrived train in its target station, as a chain of steps on the scheduler:
// while a train stands on the station's display, once per second its state is set to "waiting"
// (3) and train tracking is told, until less than a second is left (2000 ms last 2 s, 2500 ms
// 2 s, 700 ms 1 s); without a train the whole wait passes at once. Then automatic control's
// `UpdateHaltestelle` releases the station. Every step looks the station and train up again.
#pragma once

#include <QString>

struct Programm;
class TZugsteuerung;

class TThreatHaltestelle {
public:
    struct Auftrag {
        int ZielHaltestelleID = 0;
        int StartHaltestelleID = 0;
        int WarteZeit = 0;
        int ZugNr = 0;
        int Wenden = 0;
    };

    // Starts the chain under `tag`; its first step runs from the event loop, never inline.
    static void Starten(Programm& programm, TZugsteuerung& steuerung, const Auftrag& auftrag, const QString& tag);
};
