// The route diagnosis window's logic, as far as automatic operation needs it: the log of
// automatic operation (diagnosis lines) and the simulation of feedback contacts that lets routes
// run without a command station. Receives core messages on the UI thread (it handles none).
//
// Diagnosis lines are kept only while the window is shown, as the window shows them; the log
// keeps the newest `MaxZeilen` lines.
#pragma once

#include "core/MessageBus.h"

#include <QString>
#include <deque>
#include <vector>

struct Programm;

class TDiagnose final : public MessageReceiver {
public:
    static constexpr int ArtRot = 0;
    static constexpr int ArtGruen = 1;
    static constexpr int ArtBlau = 2;
    static constexpr int MaxZeilen = 10000;
    static constexpr int SimulationIntervall = 2500;

    struct Zeile {
        QString text;
        int art = ArtRot;
        bool operator==(const Zeile&) const = default;
    };

    explicit TDiagnose(Programm& programm);
    ~TDiagnose() override;

    void receive(const CoreMessage&) override {}

    // The window is shown / hidden; lines sent while it is hidden are lost.
    void Zeigen() { sichtbar_ = true; }
    void Verbergen() { sichtbar_ = false; }
    bool Sichtbar() const { return sichtbar_; }

    // Appends a line of kind 0 red, 1 green, 2 blue while the window is shown.
    void DiagnoseZeile(const QString& text, int art);
    const std::deque<Zeile>& Zeilen() const { return zeilen_; }
    // "Lösschen"
    void LogLoeschen() { zeilen_.clear(); }

    // The interval of the automatic timer the window shows.
    void AutomaticIntervallAnzeigen(int ms) { automaticIntervall_ = ms; }
    int AutomaticIntervall() const { return automaticIntervall_; }

    // --- contact simulation
    // Switches the simulation on (the timer runs; the contact of every station display that
    // holds a train is set occupied) or off (the timer stops; the queue keeps its contacts).
    void SimulationEinschalten();
    void SimulationAusschalten();
    bool SimulationAn() const { return simulationAn_; }
    // The menu item's caption.
    QString SimulationMenuText() const;
    // Route setting hands over a contact: it is set occupied one timer tick after the previous
    // one, the next tick coming `SimulationIntervall` ms after the last contact handed over.
    void SimulationKontakt(int kontakt);
    const std::deque<int>& SimulationQueue() const { return queue_; }
    // One tick: the first contact of the queue becomes occupied.
    void SimulationTimerTimer();

private:
    void timerStarten();

    Programm& programm_;
    bool sichtbar_ = false;
    std::deque<Zeile> zeilen_;
    int automaticIntervall_ = 0;
    bool simulationAn_ = false;
    std::deque<int> queue_;
};
