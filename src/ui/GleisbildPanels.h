// The small panels that clicks on the diagram open in run mode: the direction swap of a turnout
// ("TUmkehrPanel"), the frame around the other end of a jump mark, and the sound-button box.
// They show the run-mode controller's state; `BetriebsEingabe` hands every click to the
// controller and then refreshes them.
#pragma once

#include "diagram/GleisbildEingabe.h"

#include <QObject>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;
class TGleisbildBetrieb;

class GleisbildPanels : public QObject {
    Q_OBJECT
public:
    GleisbildPanels(TGleisbildBetrieb& betrieb, QWidget* diagramm);
    void aktualisieren();

private:
    TGleisbildBetrieb& betrieb_;
    QFrame* umkehr_ = nullptr;
    QCheckBox* richtungTauschen_ = nullptr;
    QFrame* sprungmarke_ = nullptr;
    QFrame* sound_ = nullptr;
    QLabel* soundDatei_ = nullptr;
    QPushButton* soundOk_ = nullptr;
    QPushButton* soundLoeschen_ = nullptr;
};

class BetriebsEingabe final : public GleisbildEingabe {
public:
    BetriebsEingabe(TGleisbildBetrieb& betrieb, GleisbildPanels& panels) : betrieb_(betrieb), panels_(panels) {}
    void ElementKlick(TGleisBildElement& element, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
    void SignalTasteKlick(TGleisBildElement& display, bool links) override;
    void SchalterKlick(TSchalterElement& schalter, bool anTaste) override;
    void SoundSchalterKlick(TSoundSchalterElement& sound, Qt::MouseButton button) override;

private:
    TGleisbildBetrieb& betrieb_;
    GleisbildPanels& panels_;
};
