// The switching of a route that has been set, as a chain of steps on the scheduler: the elements
// between the two stations in route order, turnouts and double slips to the route's position,
// stations passed through with their signal, `WartezeitzwischenMagnetArt` ms after every switched
// accessory. Every step looks the route up again by its ids and ends when the route is gone or
// free; the route's tag lets cancelling the route stop the chain.
#pragma once

#include <QString>

struct Programm;

class TThreatMagnetArtCheck {
public:
    struct Auftrag {
        int StartHaltestelleID = 0;
        int FahrstrasseID = 0;
        int ZugNr = 0;
    };

    // Starts the chain under `tag`; its first step runs from the event loop, never inline.
    static void Starten(Programm& programm, const Auftrag& auftrag, const QString& tag);
};
