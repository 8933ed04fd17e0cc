// The main window's logic: connection and power display, status bar, `GleisbildModus` and the
// control states. Receives core messages on the UI thread; the widget (TTrassolinForm) shows
// its state and forwards the user's clicks.
#pragma once

#include "core/MessageBus.h"
#include "diagram/TGleisbildBetrieb.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

struct Programm;

class TTrassolin : public QObject, public MessageReceiver {
    Q_OBJECT
public:
    // The control states: which menus and keys are usable.
    enum class Steuerzustand {
        Gesperrt,     // start-up before a project is open, vehicle database open
        ProjektOffen, // after opening a project
        Betrieb,      // run mode
        Editor,       // the track-plan editor is open
    };

    // One menu, menu entry, key or panel of the window under the control states.
    struct Steuerung {
        bool enabled = true;
        bool visible = true;
    };
    // The controls the states switch: the six menus and "&Carsystem", the entries of
    // "&Bearbeiten", the editor entries of "Anzeige" ("Anzeige:Editor"), and "AutomaticPanel",
    // "LimitKeys", "Keys" (the run keys), "ExitKey", "PowerGroup", "NormalBar", "EditorBar".
    static QStringList SteuerElemente();
    // How `element` is in `state`; the limit keys also follow `AutomaticAn`.
    Steuerung SteuerungIn(Steuerzustand state, const QString& element) const;
    Steuerung SteuerungVon(const QString& element) const { return SteuerungIn(state_, element); }

    explicit TTrassolin(Programm& programm);

    void receive(const CoreMessage& message) override;

    // type 0: connection text, type 1: mode text (both to panel 1), type 2: panel 2.
    void UpdateStatusbar(int type, int kind, const QString& text);
    void ZeigePower(int state);
    void setSteuerzustand(Steuerzustand state);

    // The user's commands.
    void GoKlick();
    void StopKlick();
    void VerbindenKlick(); // "Verbinden mit Zentrale" / "Zentrale Trennen"
    void InterfaceKlick();
    void DebugTaste(); // Ctrl+D

    // Shown state.
    QString statusPanel(int index) const { return index >= 0 && index < 4 ? panels_[index] : QString(); }
    void setStatusPanel(int index, const QString& text);
    int GleisbildModus = 0;
    bool PowerAn = false;
    bool AutomaticAn = false;
    bool ExitKeyEnabled = true;
    bool InfoPictureEnabled = false;
    bool HintergrundSichtbar = false;     // the diagram background
    bool StartbildSichtbar = true;        // the start picture over the diagram
    bool NeuesProjektBoxSichtbar = false; // offers to start a track plan after a new project
    bool DatenbankKeySichtbar = false;    // the vehicle-database key, once the database is loaded
    bool DebugSichtbar = false;
    // The locomotive bar: shown by the user, kept in the train file.
    bool LokLeisteSichtbar = true;
    int LokLeisteLeft = 8;
    int LokLeisteTop = 880;           // the "Debug" key, the diagnosis key, "&CheckFahrstrasse"
    // The command-station log box over the diagram: the connection and registration steps of
    // the network drivers while they connect.
    QStringList ZentraleLog;
    bool ZentraleLogSichtbar = false;
    void ZentraleLogZeigen();
    void ZentraleLogAdd(const QString& text);
    void ZentraleLogVerbergen(bool leeren);
    Steuerzustand steuerzustand() const { return state_; }
    QString verbindenMenuText() const;

    // What clicks on the diagram do in run mode, and the accessory and contact reports.
    TGleisbildBetrieb& betrieb() { return betrieb_; }

    // Name shown in panel 0 with " (Power ON)" / " (Power OFF)".
    static QString PowerName(int zentraleTyp);

Q_SIGNALS:
    void changed();
    // Trains were created or brought up to date from the vehicle database.
    void zugListeGeaendert();

private:
    void MessageRecieveVERBUNDEN();
    void MessageRecieveGETRENNT();
    void MessageRecievePOWERON();
    void MessageRecievePOWEROFF();
    void MessageRecieveVERBINDENFERTIG();
    void MessageRecieveVERBINDENERROR();
    void MessageRecieveLOK_DATEN_VERGLEICHEN_OK();
    void setMode(int mode, bool fromStatusText);
    QString zentraleName() const;

    Programm& programm_;
    TGleisbildBetrieb betrieb_;
    std::array<QString, 4> panels_;
    Steuerzustand state_ = Steuerzustand::ProjektOffen;
};
