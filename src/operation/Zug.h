// A train: one locomotive of the vehicle database in service in the project. This holds the
// train's state as the stations, routes and files see it; its driving operations and panel
// build on it.
#pragma once

#include "core/CoreMessage.h"
#include "operation/Fahrstrasse.h"

#include <QString>
#include <array>
#include <functional>
#include <map>
#include <vector>

struct Programm;

class TZug {
public:
    explicit TZug(Programm* programm = nullptr) : programm_(programm) {}

    // Driving: each change goes to the command station of the active type with the train's
    // locomotive key. A speed equal to the last one requested sends nothing.
    void Set_Speed(int v);
    void Set_Richtung(int d);
    void Wenden();
    void Set_Licht(bool on);
    void Set_Funk(int n, bool on);

    // The panel's operations: close (hide, leave automatic), the automatic key (joins only
    // while automatic operation is on), and moving the panel.
    void PanelSchliessen();
    void AutomaticUmschalten(bool automaticAn);
    void PanelVerschieben(int left, int top);
    // `ZugAktiv` := b; the panel is redrawn.
    void AutomaticAktivSetzen(bool b);
    // Tells every watcher that what the panel shows has changed.
    void Neuzeichnen();

    // Watchers (the panel): called on the UI thread after every change a panel shows. A watcher
    // must unregister before it goes away; copies of a train start without watchers.
    int Beobachten(std::function<void()> beobachter);
    void NichtMehrBeobachten(int id);

    // The key that names this train in locomotive messages for a command-station type.
    Param LokKey(int zentraleTyp) const;
    // WM_LOKDIRF: 32 for direction 1, F1..F4 as 1, 2, 4, 8, the light as 16.
    int DirfBits() const;
    // WM_LOKSND: F5..F8 as bits 0..3.
    int SndBits() const;

    int ZugNr = 0;
    int ZugDatanbankNr = 0;
    int Addr = 0;
    QString ECOSID = QStringLiteral("0000");
    QString ZugName;
    QString ZugArt;
    QString ZugSorte;
    QString ZugBildDatei;
    int ZugBild20x80 = 0;
    int ZugBild40x160 = 0;
    int Protokoll = 0;
    std::array<int, 3> Folgeadresse{};
    int ZugRichtung = 0;
    int ZugSpeed = 0;
    int ZugSpeedLetzte = 0;
    int MaxSpeed = 100;
    std::array<bool, 17> Funktion{};
    std::array<bool, 17> FunktionVorhanden{};
    std::array<QString, 17> FunktionName;
    std::array<int, 17> FunktionBild{};
    int KupplungFunktion = 0;
    bool ZugInAutomatic = false;
    bool ZugAktiv = false;
    bool ZugSichtbar = false;
    int ZugHaltestelleID = KeineId;
    int ZugStatus = 0;
    int ZugStartHaltestelleID = KeineId;
    int ZugFahrstrasseID = KeineId;
    int ZugZielHaltestelleID = KeineId;
    int ZugKontakt = 0;
    int ZugZielKontakt = 0;
    int ZugAbfahrtDatenstart = 100;
    std::vector<TFahrstrassenBefehl> ZugAbfahrtDatenBefehlListe;
    std::vector<TFahrstrassenBefehl> ZugAnkunftDatenBefehlListe;
    bool ZugGeloescht = false;
    bool ImSchrank = false; // the vehicle is in the cabinet: not offered in the locomotive bar
    int LokTasteNr = 0;     // the locomotive-bar key showing the train, 0 = none
    int PanelLeft = 100;
    int PanelTop = 100;

private:
    // Not copied with the train: a watcher belongs to one train object.
    struct Beobachter {
        Beobachter() = default;
        Beobachter(const Beobachter&) {}
        Beobachter& operator=(const Beobachter&) { return *this; }
        std::map<int, std::function<void()>> liste;
        int naechste = 1;
    };

    void senden(Msg id, const Param& wert) const;
    void funktionSenden(int n, bool on) const;
    int typ() const;

    Programm* programm_;
    Beobachter beobachter_;
};
