// What the main window and the track diagram ask of route setting and automatic control: the
// route operations, the automatic timer and the diagnosis lines. Route setting implements it;
// until it is attached the main window uses KeineFahrstrassenDienste, which finds every route
// blocked and does nothing.
#pragma once

#include <QString>
#include <QStringList>

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
    virtual void FahrstrasseLoeschen(TFahrstrasse& route) = 0;
    virtual void FahrstrasseAnzeigen(TFahrstrasse& route, bool an) = 0;
    // Removes every queued command of the route from both command queues.
    virtual void DeleteFahrstrasse(TFahrstrasse& route) = 0;
    // The train's route state or station changed: train tracking shows it again.
    virtual void ZugverfolgungAktualisieren(TZug& zug) = 0;

    // Automatic operation: the main window's switch starts and stops the timer.
    virtual void AutomaticTimerStarten() = 0;
    virtual void AutomaticTimerStoppen() = 0;
    // One line for the diagnosis window.
    virtual void DiagnoseZeile(const QString& zeile) = 0;
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
    void DeleteFahrstrasse(TFahrstrasse&) override {}
    void ZugverfolgungAktualisieren(TZug&) override {}
    void AutomaticTimerStarten() override {}
    void AutomaticTimerStoppen() override {}
    void DiagnoseZeile(const QString&) override {}
};
