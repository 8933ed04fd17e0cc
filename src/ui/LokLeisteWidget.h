// The locomotive bar on the main window: the single bar "LokBtnPanel" (draggable with the left
// button) or the sorted bar with the pages "Dampflok", "Diesellok", "E-Lok", each with its keys
// and the paging keys. Shows TLokLeiste's windows; UI thread.
#pragma once

#include <QFrame>
#include <vector>

struct Programm;
class QTabWidget;
class QToolButton;
class TLokTaste;
class TTrassolin;

class LokLeisteWidget : public QFrame {
    Q_OBJECT
public:
    LokLeisteWidget(Programm& programm, TTrassolin& logic, QWidget* parent);

    // Shows the bar in use with the trains of its window.
    void aktualisieren();
    // The key `nr` (1-based) of a page: page 0 of the single bar, 0..2 of the sorted bar.
    TLokTaste* taste(bool sortiert, int seite, int nr) const;
    QToolButton* plusTaste() const { return plus_; }
    QToolButton* minusTaste() const { return minus_; }
    // Places the bar 5 pixels above `unten`, `breite` wide.
    void platzieren(int unten, int breite);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::vector<TLokTaste*> tastenReihe(QWidget* parent, const QString& name);

    Programm& programm_;
    TTrassolin& logic_;
    QWidget* einzeln_ = nullptr;
    QTabWidget* sortiert_ = nullptr;
    std::vector<TLokTaste*> einzelTasten_;
    std::vector<std::vector<TLokTaste*>> seitenTasten_;
    QToolButton* plus_ = nullptr;
    QToolButton* minus_ = nullptr;
    QPoint ziehen_;
    bool verschoben_ = false; // the user dragged the single bar: it keeps its place
};
