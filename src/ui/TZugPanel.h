// A train's panel on the main window: name, picture, speed bar, direction, light, function,
// automatic, info, stop and close keys. Shows what ZugPanelAnsehen works out and hands every
// click to the train's operations; redraws whenever the train tells it. The train must outlive
// the panel. UI thread.
#pragma once

#include "operation/ZugPanel.h"

#include <QFrame>
#include <array>

struct Programm;
class QLabel;
class QSlider;
class QAbstractButton;
class TZug;

class TZugPanel : public QFrame {
    Q_OBJECT
public:
    TZugPanel(Programm& programm, TZug& zug, QWidget* parent = nullptr);
    ~TZugPanel() override;

    TZug& zug() const { return zug_; }

    // Redraws the whole panel from the train and the settings (`Neuzeichnen`).
    void Neuzeichnen();
    // Loads the train's 160 x 40 picture (`BildZuweisen`).
    void BildZuweisen();
    // The right button on the picture: the train is taken up for placing on a station.
    void ZugAufnehmen();

Q_SIGNALS:
    // "Zug Info": the train editor is to be opened for this train at left position 640.
    void infoRequested(TZug* zug);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QAbstractButton* bildTaste(const QString& name, const QString& hint, QRect geometry);
    QImage grossesBild() const;

    Programm& programm_;
    TZug& zug_;
    int beobachter_ = 0;
    bool zeichnet_ = false; // the speed bar is being set from the train: it does not send

    QAbstractButton* schliessen_ = nullptr;
    QAbstractButton* stop_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* ecosId_ = nullptr;
    QLabel* bild_ = nullptr;
    QAbstractButton* licht_ = nullptr;
    QAbstractButton* richtung_ = nullptr;
    QLabel* speed_ = nullptr;
    QAbstractButton* info_ = nullptr;
    QAbstractButton* automatic_ = nullptr;
    QSlider* speedBar_ = nullptr;
    std::array<QAbstractButton*, 17> funktion_{};

    // Pictures shown now (to set icons only when they change): -1 = none yet.
    int lichtBild_ = -1;
    int richtungBild_ = -1;
    int automaticBild_ = -1;
    int iconSet_ = -1;
    std::array<int, 17> funktionBild_{};

    bool ziehen_ = false;
    QPoint greifpunkt_;
};
