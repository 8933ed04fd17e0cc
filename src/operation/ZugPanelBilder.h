// The pictures of the train panels, drawn here: the function icon list (99 icons of 20 x 20 in
// three sets) and the panel's own key pictures. Values built on the UI thread; the lists are
// built once and kept for the run.
#pragma once

#include <QImage>
#include <vector>

// Image 0 is the neutral icon; function symbol a = 1..49 has its "off" icon at 2a - 1 and its
// "on" icon at 2a.
inline constexpr int FunktionBilderAnzahl = 99;
inline constexpr int FunktionBildGroesse = 20;

// The icon list of set 0, 1 or 2 (`FunktionBilderAuswahl`; other values take set 2).
const std::vector<QImage>& FunktionBilderListe(int set);

// A picture of the panel's picture list (ZugPanelAnsicht::Bild), 20 x 20; a null image for
// numbers that have none.
QImage ZugPanelBild(int index);
