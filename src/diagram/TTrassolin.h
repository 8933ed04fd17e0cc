// The main window's logic: connection and power display, status bar, `GleisbildModus` and the
// control states. Receives core messages on the UI thread; the widget (TTrassolinForm) shows
// its state and forwards the user's clicks.
#pragma once

#include "core/MessageBus.h"
#include "diagram/AnzeigeMenue.h"
#include "diagram/LoksHierhin.h"
#include "diagram/TGleisbildBetrieb.h"
#include "operation/LokLeiste.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QPoint>
#include <array>
#include <functional>

struct Programm;
class FahrstrassenDienste;

class TTrassolin : public QObject, public MessageReceiver, private BetriebsDienste {
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
    bool DebugSichtbar = false;           // the "Debug" key, the diagnosis key, "&CheckFahrstrasse"
    // The locomotive bar: shown by the user; its place is kept in the train file.
    bool LokLeisteSichtbar = true;
    int LokLeisteLeft = 8;
    int LokLeisteTop = 880;
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

    // Window title: the version and, while the editor runs, the editing note.
    QString Titel() const;

    // --- automatic operation
    void AutomaticSchalten(); // key "Automatik Einschalten" and menu "Automatic" -> "Einschalten"
    void LimitHoch();
    void LimitRunter();
    // The trains active in automatic operation, as automatic control counts them.
    int ZugeInAutomaticAktiv() const;
    int AutomaticBild() const { return AutomaticAn ? 24 : 25; }
    QString AutomaticText() const;
    QString AutomaticMenueText() const;
    QString AktivText() const;
    QString LimitText() const;

    // --- the vehicle database key: refused while trains run; otherwise everything is saved, the
    // window locks and `datenbankOeffnen` asks for the database window.
    void DatenbankKlick();
    // The database window closed: the window goes back to the state it had.
    void DatenbankGeschlossen();

    // --- display options
    void GleisKontaktNrAnzeigenKlick();
    void MagnetArtNrAnzeigenKlick();
    QString GleisKontaktHint() const;
    QString MagnetArtHint() const;
    bool IconBoxSichtbar = false; // "Icon für Funktionstasten"
    void IconBoxZeigen();
    void IconSetWaehlen(int set);

    // "Alle fahrstrassen Lösschen": asks, then stops every train and frees every route.
    void AlleFahrstrassenLoeschen();

    // --- the locomotive bar
    // The key count, fixed once from the window width when the window is made.
    void setLokTastenAnzahl(int anzahl);
    TLokLeiste& lokLeiste() { return lokLeiste_; }
    void ZugeZuweisen();
    void LokLeistePlus();
    void LokLeisteMinus();
    void LokLeisteSeite(int seite);
    void LokLeisteUmschalten(); // key "Lok Leiste Anzeigen" and menu "&Lokleiste "
    QString LokLeisteText() const;
    // A key's picture, its "Stop Lok" and its light key.
    void LokBildKlick(TZug& zug);
    void LokStopKlick(TZug& zug);
    void LokLichtKlick(TZug& zug);

    // --- loco-display menu and train chooser
    TAnzeigeMenue& anzeigeMenue() { return anzeigeMenue_; }
    TLoksHierhin& loksHierhin() { return loksHierhin_; }

    // --- program-button menu and its box "Ablaufsteuerung"
    struct AblaufBoxZustand {
        bool sichtbar = false;
        QString element; // the program button's name
        QStringList namen;
        QString auswahl;
        QPoint pos;
    } AblaufBox;
    // The names of every sequence program (empty while there are none).
    std::function<QStringList()> AblaufsteuerungNamen;
    void AblaufBoxOk(const QString& name);
    void AblaufBoxEintragLoeschen();
    void AblaufBoxSchliessen();

    // Name shown in panel 0 with " (Power ON)" / " (Power OFF)".
    static QString PowerName(int zentraleTyp);

Q_SIGNALS:
    void changed();
    // A loco display's menu or a program button's menu is to be shown at `pos` (diagram pixels).
    void menueOeffnen(const Menue& menue, QPoint pos);
    void datenbankOeffnen();
    void hilfeAngefordert(int topic);
    // Trains were created or brought up to date from the vehicle database.
    void zugListeGeaendert();

private:
    // BetriebsDienste: what run-mode clicks ask of the main window.
    void ManuelleFahrstrasseKlick(TGleisBildElement&, bool) override {}
    bool FahrzielAnfahren(TGleisBildElement& start, TZug* zug, TGleisBildElement& ziel) override;
    void AnzeigeMenueOeffnen(TGleisBildElement& display, QPoint pos) override;
    void HaltestellenInfoOeffnen(int) override {}
    void ProgrammMenueOeffnen(TGleisBildElement& taste, QPoint pos, bool zuweisen, bool starten, bool zuweisungLoeschen) override;
    int HaltestellenZustand(int haltestelleNr) const override;
    void SignalMitFahrstrasse(TGleisBildElement& display, bool links) override;

    void ablaufZuweisen(const QString& element, const QString& name);
    void limitAendern(int schritt);
    FahrstrassenDienste& fahrstrassen() const;
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
    TLokLeiste lokLeiste_{1};
    TAnzeigeMenue anzeigeMenue_;
    TLoksHierhin loksHierhin_;
    std::array<QString, 4> panels_;
    Steuerzustand state_ = Steuerzustand::ProjektOffen;
    bool datenbankOffen_ = false;
    Steuerzustand vorDatenbank_ = Steuerzustand::Betrieb;
};
