// The program-wide state and services every window's logic shares. One instance lives for the
// whole run; it is created before the windows and destroyed after them. UI thread only.
#pragma once

#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/MessageBus.h"
#include "core/Scheduler.h"
#include "settings/ProjectSettings.h"

#include <QString>

class BetriebsDaten;
class FahrstrassenDienste;
class ProjektDaten;
class TGleisBild;
class TLogBuch;
class TInfo;
class TSystem;
class TTrassolin;
class TFahrzeug;
class TDiagnose;
class TZugsteuerung;

struct Programm {
    Programm(MessageBus& bus_, Scheduler& scheduler_, const Clock& clock_, Dialogs& dialogs_, QString programFolder_)
        : bus(bus_), scheduler(scheduler_), clock(clock_), dialogs(dialogs_), programFolder(std::move(programFolder_))
    {
    }

    MessageBus& bus;
    Scheduler& scheduler;
    const Clock& clock;
    Dialogs& dialogs;
    QString programFolder; // absolute, with a trailing '/'
    QString userName;      // the logged-in user, for the start window's caption

    QString ProjektName = QStringLiteral("Default");
    ProjectSettings settings;
    InstallationParameters parameters;
    bool ZentraleVerbunden = false;
    bool ProjektDateiGeladen = false;
    // Set when the vehicle database fell back to the default one: the opening sequence then
    // loads no routes (they would name locomotives the project does not have).
    bool FahrstrassenNichtLaden = false;

    // The windows' logic objects that others call directly; set by StartProgram, which owns them.
    TTrassolin* hauptfenster = nullptr;
    TInfo* info = nullptr;
    TSystem* system = nullptr;
    ProjektDaten* daten = nullptr;
    BetriebsDaten* betriebsdaten = nullptr;
    TGleisBild* gleisbild = nullptr; // the track diagram's elements and tables; before the windows
    TLogBuch* logbuch = nullptr;     // LogBuchAdd for every part
    TFahrzeug* fahrzeuge = nullptr;  // the vehicle database
    FahrstrassenDienste* fahrstrassen = nullptr; // route setting and automatic control
    TZugsteuerung* zugsteuerung = nullptr;       // the command queues of automatic control
    TDiagnose* diagnose = nullptr;               // diagnosis lines and the contact simulation

    // `Projekte/<project>/` and the path of one of its files.
    QString projectFolder() const { return programFolder + QStringLiteral("Projekte/") + ProjektName + u'/'; }
    QString projectFile(const QString& suffix) const { return projectFolder() + ProjektName + suffix; }
    int ZentraleTyp() const { return settings.ZentraleTyp; }
};
