// What the main window and the track diagram ask of route setting and automatic control: the
// route operations, the automatic timer, the count of active trains and the diagnosis lines.
// Route setting (FahrstrassenStellwerk) implements it; until it is attached the main window uses
// KeineFahrstrassenDienste, which finds every route blocked and does nothing.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class TFahrstrasse;
class TZug;

class FahrstrassenDienste {
public:
    virtual ~FahrstrassenDienste() = default;

    // The reasons why the route cannot be run now, in their order; empty: it may run.
    virtual QStringList FahrstrasseCheck(TFahrstrasse& route) = 0;
    // `ZugDatenAktiv` of the driving-data block of the train called `zugName` (false if none).
    virtual bool FahrstrasseAktivFurZug(const TFahrstrasse& route, const QString& zugName) const = 0;
    virtual void FahrstrasseReservieren(TFahrstrasse& route) = 0;
    virtual void FahrstrasseSetzen(TFahrstrasse& route, bool ohneSound) = 0;
    virtual void FahrstrasseFreigeben(TFahrstrasse& route) = 0;
    // Cancels a reserved or running route: its queued commands and scheduled steps go, a running
    // train stops.
    virtual void FahrstrasseLoeschen(TFahrstrasse& route) = 0;
    virtual void FahrstrasseAnzeigen(TFahrstrasse& route, bool an) = 0;
    // The train's route state or station changed: train tracking shows it again.
    virtual void ZugverfolgungAktualisieren(TZug& zug) = 0;
    // Removes every queued command of the route (start station id, route id) from both command
    // queues and cancels the route's scheduled steps ("Alle fahrstrassen Lösschen").
    virtual void DeleteFahrstrasse(int haltestelleID, int fahrstrasseID) = 0;

    // Automatic operation: the main window's switch starts and stops the timer.
    virtual void AutomaticTimerStarten() = 0;
    virtual void AutomaticTimerStoppen() = 0;
    // `ZugeInAutomaticAktiv`: the trains running a route in automatic operation, as counted at
    // the last automatic tick or start. The setter is for "Alle fahrstrassen Lösschen" (0).
    virtual int ZugeInAutomaticAktiv() const = 0;
    virtual void ZugeInAutomaticAktivSetzen(int n) = 0;
    // Called with the count whenever automatic control shows it ("Aktiv : " + n).
    virtual void setAktivAnzeige(std::function<void(int)> anzeige) = 0;
    // One line for the diagnosis window: kind 0 red, 1 green, 2 blue.
    virtual void DiagnoseZeile(const QString& zeile, int art = 2) = 0;
};

class KeineFahrstrassenDienste final : public FahrstrassenDienste {
public:
    QStringList FahrstrasseCheck(TFahrstrasse&) override { return {QStringLiteral("Fahrstrassen nicht verfügbar")}; }
    bool FahrstrasseAktivFurZug(const TFahrstrasse&, const QString&) const override { return false; }
    void FahrstrasseReservieren(TFahrstrasse&) override {}
    void FahrstrasseSetzen(TFahrstrasse&, bool) override {}
    void FahrstrasseFreigeben(TFahrstrasse&) override {}
    void FahrstrasseLoeschen(TFahrstrasse&) override {}
    void FahrstrasseAnzeigen(TFahrstrasse&, bool) override {}
    void ZugverfolgungAktualisieren(TZug&) override {}
    void DeleteFahrstrasse(int, int) override {}
    void AutomaticTimerStarten() override {}
    void AutomaticTimerStoppen() override {}
    int ZugeInAutomaticAktiv() const override { return 0; }
    void ZugeInAutomaticAktivSetzen(int) override {}
    void setAktivAnzeige(std::function<void(int)>) override {}
    void DiagnoseZeile(const QString&, int) override {}
};

// The services in `dienste`, or the do-nothing ones while none are attached.
inline FahrstrassenDienste& FahrstrassenOderKeine(FahrstrassenDienste* dienste)
{
    static KeineFahrstrassenDienste keine;
    return dienste != nullptr ? *dienste : keine;
}
