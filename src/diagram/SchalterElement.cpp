#include "diagram/SchalterElement.h"

namespace {
constexpr TColor kAnFarbe = 32768; // green
constexpr TColor kAusFarbe = 255;  // red
} // namespace

TSchalterElement::TSchalterElement(QString name) : Name(std::move(name))
{
    ANTaste.rect = QRect(23, 1, 16, 18);
    ANTaste.Farbe = kAnFarbe;
    AUSTaste.rect = QRect(40, 1, 16, 18);
    AUSTaste.Farbe = kAusFarbe;
}

void TSchalterElement::SetTasterSchalter(int kind)
{
    TasterSchalter = kind;
    if (kind == Taster) {
        ANTaste.Gedrueckt = false;
        AUSTaste.Visible = false;
    } else {
        AUSTaste.Visible = true;
    }
}
