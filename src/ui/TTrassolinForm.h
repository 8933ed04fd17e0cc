// The main window: shows TTrassolin's state (status bar, power display, control state) and
// forwards menu and key clicks to it. Created first and lives for the whole run; UI thread.
#pragma once

#include <QMainWindow>
#include <memory>
#include <vector>

struct Programm;
class GleisbildEingabe;
class BetriebsEingabe;
class GleisbildPanels;
class TGleisbildWidget;
class TInfo;
class TTrassolin;
class TZugPanel;
class QAction;
class QLabel;
class QMenu;
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

    // The program ends for real: the window closes without asking again.
    void endProgram();

Q_SIGNALS:
    // "System Einstellungen": the settings window is to be shown.
    void settingsRequested();
    // A click on status panel 2 (the last event): the logbook is to be shown.
    void logbookRequested();
    // The vehicle-database key "Lokdatenbank".
    void vehicleDatabaseRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildKeys();
    void buildStatusBar();

    Programm& programm_;
    TTrassolin& logic_;
    TInfo& info_;

    QMenu* menus_[6] = {};
    QMenu* drehscheibe_ = nullptr;
    QAction* verbinden_ = nullptr;
    QAction* infoAction_ = nullptr;
    QWidget* buttonPanel_ = nullptr;
    QWidget* powerGroup_ = nullptr;
    QPushButton* datenbank_ = nullptr;
    QPushButton* go_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* exitKey_ = nullptr;
    QLabel* startPicture_ = nullptr;
    QPlainTextEdit* zentraleLog_ = nullptr; // the command-station log box over the diagram
    QScrollArea* gleisbildScroll_ = nullptr;
    TGleisbildWidget* gleisbild_ = nullptr;
    GleisbildPanels* gleisbildPanels_ = nullptr;
    std::unique_ptr<BetriebsEingabe> betriebsEingabe_;
    QLabel* panels_[4] = {};
    std::vector<TZugPanel*> zugPanels_;
    bool ending_ = false;
};
