// The train chooser "LoksHierhinPanel": a resizable panel over the diagram with a page per kind
// of train (or one page "Zuge"); each row shows the train's picture, a check box and its name.
// Shows TLoksHierhin and hands it the clicks. UI thread.
#pragma once

#include <QFrame>

struct Programm;
class QLabel;
class QTabWidget;
class TLoksHierhin;

class LoksHierhinPanel : public QFrame {
    Q_OBJECT
public:
    LoksHierhinPanel(Programm& programm, TLoksHierhin& logic, QWidget* parent);

    // Builds the pages anew from the logic and shows or hides the panel.
    void aktualisieren();

Q_SIGNALS:
    // A click changed what the diagram or the main window shows.
    void geaendert();

private:
    QWidget* seite(int index);

    Programm& programm_;
    TLoksHierhin& logic_;
    QLabel* titel_ = nullptr;
    QTabWidget* seiten_ = nullptr;
    bool baut_ = false;
};
