// What the diagram widget hands on when the user clicks: the widget hit-tests by arithmetic and
// calls these; the run-mode controller (and later the editor) decide what happens. UI thread.
#pragma once

#include <Qt>

class TGleisBildElement;
class TSchalterElement;
class TSoundSchalterElement;

class GleisbildEingabe {
public:
    virtual ~GleisbildEingabe() = default;

    // A click on a grid element (any category, loco displays outside their signal buttons).
    virtual void ElementKlick(TGleisBildElement& element, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) = 0;
    // A click on the exit-signal button at the left or right end of a loco display.
    virtual void SignalTasteKlick(TGleisBildElement& display, bool links) = 0;
    // A click on the "on" (`anTaste`) or "off" key of a switch panel.
    virtual void SchalterKlick(TSchalterElement& schalter, bool anTaste) = 0;
    virtual void SoundSchalterKlick(TSoundSchalterElement& sound, Qt::MouseButton button) = 0;
};
