// One delayed locomotive command, as a chain of steps on the scheduler: wait (a delay, or poll
// a contact every 500 ms until it is occupied, plus the stepped wait of "Zu Kontakt" and
// "Zug vorfahren"), then carry out the command on the train. Every step looks the train up by
// its number again; the chain's tag lets its owner (a route, a train, a sequence run) cancel it.
#pragma once

#include <QString>

struct Programm;
class TZug;

// What a finished command tells other parts. Until those parts exist nothing listens.
class ZugBefehlDienste {
public:
    virtual ~ZugBefehlDienste() = default;
    // "Ziel": the train reached the target of the route (start station, route id).
    virtual void ZugIstAngekommen(int startHaltestelleID, int fahrstrasseID, TZug& zug) = 0;
    // A sequence program that started the command goes on.
    virtual void AblaufFortsetzen(TZug& zug) = 0;
    // Train tracking shows the train's new state.
    virtual void ZugverfolgungMelden(TZug& zug) = 0;
};

class KeineZugBefehlDienste final : public ZugBefehlDienste {
public:
    void ZugIstAngekommen(int, int, TZug&) override {}
    void AblaufFortsetzen(TZug&) override {}
    void ZugverfolgungMelden(TZug&) override {}
};

class TThreatZug {
public:
    struct Auftrag {
        int StartHaltestelleID = 999;
        int FahrstrasseID = 999;
        int BefehlAuswahl = 1;
        int Wert = 0;
        int Delay = 0;
        int ZugNr = 0;
        QString Text;
        int ZielKontakt = 0;
        bool VonAblauf = false;        // started by a sequence step
        bool AblaufFortsetzen = false; // the sequence continues after the command
    };

    // Starts the chain under `tag`; its first step runs from the event loop, never inline.
    static void Starten(Programm& programm, ZugBefehlDienste& dienste, const Auftrag& auftrag, const QString& tag);

    // The stepped wait of "Zu Kontakt" and "Zug vorfahren": while more than 500 ms remain,
    // wait 1000 ms and take 500 ms off (2000 ms wait 4 s; 600 ms 1 s; 500 ms or less nothing).
    static int GestufteWartezeit(int delay);
};
