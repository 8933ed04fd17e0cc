// Automatic train control, the logic of the window `TZugsteuerungForm` (never shown; it carries
// the timers and a listing for debugging):
//
// - two command queues, polled for as long as the program runs: the high-priority queue (speeds
//   at contacts) every 400 ms, the low-priority queue (everything else) every 500 ms; each tick
//   samples the contacts and carries out at most one command. The queues hold copies.
// - the arrival, the wait in the target station (`TThreatHaltestelle`) and its end
//   (`UpdateHaltestelle`), which may offer the next route on the station's signal;
// - `AutomaticTimer`: while automatic mode is on, it starts routes for the trains in automatic
//   operation that wait in a station, up to `MaxZugeInAutomaticAktiv` trains at a time.
//
// It owns route setting (FahrstrassenStellwerk), whose commands it carries out. Every timer and
// worker is a chain of steps on the scheduler; the object cancels them when it goes away.
// Receives core messages on the UI thread (it handles none).
#pragma once

#include "core/MessageBus.h"
#include "operation/Fahrstrasse.h"
#include "operation/FahrstrassenStellwerk.h"
#include "operation/ThreatZug.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <set>
#include <vector>

struct Programm;
class TDiagnose;
class TGleisBildElement;
class THaltestelle;
class TZug;

class TZugsteuerung final : public MessageReceiver, public ZugBefehlDienste {
public:
    static constexpr int HiPriorityIntervall = 400;
    static constexpr int LoPriorityIntervall = 500;
    static constexpr int HiPriority = 1; // `DeleteFahrstrassenBefehl` list numbers
    static constexpr int LoPriority = 2;

    TZugsteuerung(Programm& programm, TDiagnose& diagnose);
    ~TZugsteuerung() override;
    TZugsteuerung(const TZugsteuerung&) = delete;
    TZugsteuerung& operator=(const TZugsteuerung&) = delete;

    void receive(const CoreMessage&) override {}

    FahrstrassenStellwerk& stellwerk() { return stellwerk_; }

    // --- the queues
    // Class 1 with sub-command 1 (a speed at a contact) goes to the high-priority queue, every
    // other command to the low-priority queue; the queue keeps a copy.
    void AddFahrstrassenBefehl(const TFahrstrassenBefehl& befehl);
    // Removes entry `index` of queue 1 (high) or 2 (low); other numbers change nothing.
    void DeleteFahrstrassenBefehl(int liste, int index);
    // Removes every command of the route (start station id, route id) from both queues.
    void DeleteFahrstrasse(int haltestelleID, int fahrstrasseID);
    const std::vector<TFahrstrassenBefehl>& ZugsteuerungHiPriorityListe() const { return hi_; }
    const std::vector<TFahrstrassenBefehl>& ZugsteuerungLoPriorityListe() const { return lo_; }
    // The clean-up mode of a class-50 command.
    int LoeschenHaltestelleID = KeineId;
    bool LoeschenAktiv = false;

    // Carries a command out at once; true when done.
    bool ExeFahrstrassenBefehl(const TFahrstrassenBefehl& befehl);
    // `WM_MAG` for an address without plan element (not for 0), the logbook line and the status
    // bar text "MagnetArtNr " + address + " Stellung " + position.
    void Set_StellungfurMagArtOhneGeisbildElement(int adresse, int stellung);
    // The text of a command in logs and listings.
    QString BefehlBeschreibung(const TFahrstrassenBefehl& befehl) const;
    // A delayed locomotive command of a route (`TThreatZug`) on the route's tag.
    void ThreatZugStarten(const TFahrstrassenBefehl& befehl, const QString& text, int zielKontakt = 0);
    // The tag of the scheduled steps of a route; cancelled when the route is cancelled.
    QString FahrstrassenTag(int haltestelleID, int fahrstrasseID);

    // --- timer ticks (run by the scheduler; public for tests and the debug window)
    void ZugSteuerungHiPriorityTimerTimer();
    void ZugSteuerungLoPriorityTimerTimer();

    // --- automatic operation
    void AutomaticTimerStarten();
    void AutomaticTimerStoppen();
    bool AutomaticTimerLaeuft() const { return automaticLaeuft_; }
    void AutomaticTimerTimer();
    int ZugeInAutomaticAktiv = 0;
    // The main window's label "Aktiv : " + n; called whenever the count is shown.
    std::function<void(int)> AktivAnzeige;

    // The wait in the target station is over: the start station's turnouts are unlocked, the
    // target station is free again (the train turns with `wenden` 1), and a train not in
    // automatic operation gets the next route offered on the station's signal.
    void UpdateHaltestelle(int zielHaltestelleID, int startHaltestelleID, int zugNr, int wenden);

    // --- debug listing ("HiPriorityButton", "LoPriorityButton" into the window's memo)
    QStringList Memo;
    void HiPriorityButtonClick();
    void LoPriorityButtonClick();

    // --- ZugBefehlDienste: what a finished locomotive command of a route tells
    void ZugIstAngekommen(int startHaltestelleID, int fahrstrasseID, TZug& zug) override;
    // Commands of the queues never continue a sequence program.
    void AblaufFortsetzen(TZug&) override {}
    void ZugverfolgungMelden(TZug& zug) override;

private:
    TZug* zug(int zugNr) const;
    bool besetzt(int kontakt) const;
    void diagnose(const QString& text, int art) const;
    void logbuch(const QString& text, int art) const;
    void aktivAnzeigen() const;

    bool lokBefehl(const TFahrstrassenBefehl& befehl);
    bool magnetArtBefehl(const TFahrstrassenBefehl& befehl);
    bool hiAusfuehrbar(const TFahrstrassenBefehl& befehl) const;
    void hiAusfuehren(const TFahrstrassenBefehl& befehl, TZug& zug);
    bool aufraeumen();
    bool loAusfuehrbar(const TFahrstrassenBefehl& befehl);
    void loAusfuehren(const TFahrstrassenBefehl& befehl);
    bool magnetArtAusfuehrbar(const TFahrstrassenBefehl& befehl) const;
    void magnetArtAusfuehren(const TFahrstrassenBefehl& befehl);
    bool ankunftAusfuehrbar(const TFahrstrassenBefehl& befehl) const;
    void ankunft(const TFahrstrassenBefehl& befehl);
    void ankunftZeigen(THaltestelle& ziel);
    void haltestelleSignaleRot(int haltestelleID, bool durchfahrtLoeschen);
    void haltestellenDateiSchreiben();

    void startHaltestelleEntsperren(THaltestelle& start);
    void zielHaltestelleFreigeben(THaltestelle& ziel, TZug* zug, int wenden);
    bool zugStarten(TZug& zug, THaltestelle& station, int& aktiv);
    void naechsteFahrstrasseAnbieten(THaltestelle& station, TZug& zug);

    Programm& programm_;
    TDiagnose& diagnose_;
    FahrstrassenStellwerk stellwerk_;
    std::vector<TFahrstrassenBefehl> hi_;
    std::vector<TFahrstrassenBefehl> lo_;
    int loeschenFahrstrasseID_ = KeineId;
    bool automaticLaeuft_ = false;
    bool imTick_ = false;
    std::set<QString> tags_;
};
