// The main window: the button bars (normal and editor bar, display, automatic and info panels),
// the menus, the track diagram with its floating panels (locomotive bar, train chooser, the
// boxes "Ablaufsteuerung" and "Icon für Funktionstasten"), and the status bar. Shows
// TTrassolin's state and forwards every click to it. Created first and lives for the whole run;
// UI thread.
#pragma once

#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "diagram/MenueEintrag.h"

struct Programm;
class GleisbildEingabe;
class BetriebsEingabe;
class GleisbildPanels;
class LokLeisteWidget;
class LoksHierhinPanel;
class TGleisbildWidget;
class TInfo;
class TTrassolin;
class TZugPanel;
class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QWidget;

class TTrassolinForm : public QMainWindow {
    Q_OBJECT
public:
    TTrassolinForm(Programm& programm, TTrassolin& logic, TInfo& info, QWidget* parent = nullptr);
    ~TTrassolinForm() override;

    // The status-bar panels, left to right.
    QLabel* statusPanel(int index) const;

    // Shows the logic's state; runs on every TTrassolin::changed().
    void refresh();
    void applyPanelColor();

    // The track diagram (nullptr while the program has no diagram) and where its clicks go
    // (not owned; nullptr ignores clicks).
    TGleisbildWidget* gleisbildWidget() const { return gleisbild_; }
    void setGleisbildEingabe(GleisbildEingabe* eingabe);

    // The panels of the trains, by `ZugNr`; one is made for every train of `ZugListe`.
    const std::vector<TZugPanel*>& zugPanels() const { return zugPanels_; }
    void zugPanelsAnlegen();
    LokLeisteWidget* lokLeiste() const { return lokLeiste_; }
    // The menu last opened on the diagram, while it is open.
    QMenu* offenesMenue() const;

    // Windows of other parts that keys and menu entries open, by name: "Haltestellen",
    // "Ablaufsteuerung", "CarSystem", "Ruckmeldekontakte", "Zugverfolgung", "Wartung",
    // "Diagnose", "Debug", "Gleisplan", "Drehscheibe", "CheckFahrstrasse", "Uhr". A key whose
    // window is not given stays greyed.
    void setFensterOeffner(const QString& name, std::function<void()> oeffnen);

    // The program ends for real: the window closes without asking again.
    void endProgram();

Q_SIGNALS:
    // "System Einstellungen": the settings window is to be shown.
    void settingsRequested();
    // A click on status panel 2 (the last event): the logbook is to be shown.
    void logbookRequested();
    // The vehicle-database key "Lokdatenbank", after the main window allowed it.
    void vehicleDatabaseRequested();
    // "Sicherung von &Aktueles Projekt erstellen": the start window with its backup box.
    void backupRequested();
    void helpRequested(int topic);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildKeys();
    void buildDiagram(QWidget* central);
    void buildBoxes(QWidget* host);
    void buildStatusBar();
    QPushButton* key(QWidget* parent, const QString& name, const QString& caption, const QString& hint,
                     std::function<void()> klick);
    QAction* entry(QMenu* menu, const QString& name, const QString& caption, std::function<void()> klick);
    // Keys and entries that open a window of another part: greyed until the window exists.
    QPushButton* fensterKey(QWidget* parent, const QString& fenster, const QString& caption, const QString& hint);
    QAction* fensterEntry(QMenu* menu, const QString& fenster, const QString& caption);
    void oeffnen(const QString& fenster);
    void refreshMenus();
    void refreshKeys();
    void refreshBoxes();
    void placeFloating();
    void showMenue(const Menue& menue, QPoint pos);

    Programm& programm_;
    TTrassolin& logic_;
    TInfo& info_;

    QMenu* menus_[7] = {};
    QMenu* drehscheibe_ = nullptr;
    std::map<QString, QAction*> entries_;
    std::map<QString, QPushButton*> keys_;
    std::map<QString, std::function<void()>> oeffner_;
    std::vector<std::pair<QObject*, QString>> fensterControls_;
    QWidget* buttonPanel_ = nullptr;
    QWidget* normalBar_ = nullptr;
    QWidget* editorBar_ = nullptr;
    QWidget* anzeigePanel_ = nullptr;
    QWidget* automaticPanel_ = nullptr;
    QWidget* infoPanel_ = nullptr;
    QWidget* powerGroup_ = nullptr;
    QLabel* limitLabel_ = nullptr;
    QLabel* aktivLabel_ = nullptr;
    QWidget* host_ = nullptr; // the diagram area with its floating panels
    QLabel* startPicture_ = nullptr;
    QPlainTextEdit* zentraleLog_ = nullptr; // the command-station log box over the diagram
    QScrollArea* gleisbildScroll_ = nullptr;
    TGleisbildWidget* gleisbild_ = nullptr;
    GleisbildPanels* gleisbildPanels_ = nullptr;
    std::unique_ptr<BetriebsEingabe> betriebsEingabe_;
    LokLeisteWidget* lokLeiste_ = nullptr;
    LoksHierhinPanel* loksHierhin_ = nullptr;
    bool loksHierhinOffen_ = false;
    QFrame* ablaufBox_ = nullptr;
    QListWidget* ablaufListe_ = nullptr;
    bool ablaufBoxOffen_ = false;
    QFrame* iconBox_ = nullptr;
    QFrame* fifoPanel_ = nullptr;
    QPointer<QMenu> offenesMenue_;
    QLabel* panels_[4] = {};
    std::vector<TZugPanel*> zugPanels_;
    bool ending_ = false;
};
