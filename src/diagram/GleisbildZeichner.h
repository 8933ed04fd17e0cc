// Painting the track diagram: the background with its grid, one grid element (tile by kind,
// colour band and state, number overlays, marks), loco displays with their trains and exit
// signals, and the free-standing switch, sound, text and turntable elements. Also the
// arithmetic hit test and the tooltip texts. The diagram widget, the editor palette, the tests
// and the benchmarks all use these functions. UI thread.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;
class TDrehscheibeElement;
class TGleisBild;
class TGleisBildElement;
class TSchalterElement;
class TSoundSchalterElement;
class TTextElement;
class TrainServices;

// The display options that change what is drawn.
struct ZeichenOptionen {
    bool inFarbe = true;        // GleisplanInFarbe: colour bands; otherwise band 0 for all
    bool raster = false;        // RasterAnzeigen
    bool kontaktNr = false;     // GleisKontaktNrAnzeigen
    bool magnetArtNr = false;   // MagnetArtNrAnzeigen
    bool signaleOhneNr = false; // ShowUnnumberedSignals
    bool lokbilder = false;     // LocoDisplayMode "LokbilderAnzeigen"
    int modus = 0;              // GleisbildModus
};
// The options in effect for `bild` (its flags, the project settings, the main window's mode).
ZeichenOptionen ZeichenOptionenVon(const TGleisBild& bild);

// The track colour band (0, 9, ..., 54) an element is drawn from.
int FarbBand(const TGleisBildElement& e, bool inFarbe);
// The sheet row of a grid element (categories 1..9) by kind, colour band and state.
int KachelZeile(const TGleisBildElement& e, bool inFarbe);

// Where a loco display draws, in its own coordinates.
struct LokAnzeigeAufteilung {
    QRect rahmen;          // the frame rectangle
    QRect text;            // the frame's inside less two pixels on each side
    bool linksFrei = false;  // the left 21 pixels are kept for a signal or a blocked end
    bool rechtsFrei = false; // the same at the right end
};
LokAnzeigeAufteilung LokAnzeigeLayout(const TGleisBildElement& e, bool signaleOhneNr);

// Paints grid element `e` (any category) with its top-left corner at the painter's origin.
void ElementZeichnen(QPainter& p, const TGleisBildElement& e, const ZeichenOptionen& o, const TrainServices& zuege);

// The tooltip of a grid element: program buttons and loco displays say their state; others
// show `Hint`. CR becomes a line break.
QString ElementHinweis(const TGleisBildElement& e, const TrainServices& zuege);

// The background area (1471 x 841 at the diagram's origin) in main-window pixels.
QRect HintergrundRect();
// Clears the background area and draws its border and grid lines as the options ask.
void HintergrundZeichnen(QPainter& p, const ZeichenOptionen& o);
// The editor's preview frame for a two-track level crossing (palette kind 80: this cell and the
// one below; 81: this one and the one to the right) at cell (x, y), red when taken.
void BahnuebergangVorschauZeichnen(QPainter& p, int paletteArt, int x, int y, bool belegt);

// Free-standing elements, each with its top-left corner at the painter's origin. The frame of
// switches and sound buttons is drawn only in the editor's palette.
// A switch panel's width (push buttons grow with their caption) and the rectangle of its "on"
// or "off" key in its own coordinates (empty when the key is hidden).
int SchalterBreite(const TSchalterElement& s);
QRect SchalterTastenRect(const TSchalterElement& s, bool an);
void SchalterZeichnen(QPainter& p, const TSchalterElement& s, bool imPalette = false, bool ausgewaehlt = false);
void SoundSchalterZeichnen(QPainter& p, const TSoundSchalterElement& s, bool imPalette = false, bool ausgewaehlt = false);
void TextElementZeichnen(QPainter& p, const TTextElement& t);
inline constexpr int DrehscheibeGroesse = 125;
inline constexpr int DrehscheibePositionen = 48;
// The centre of connection key `i` (0..47) in the turntable's coordinates.
QPoint DrehscheibeAnschluss(int i);
void DrehscheibeZeichnen(QPainter& p, const TDrehscheibeElement& d, bool editor);

// What lies under a pixel of the diagram (main-window coordinates).
struct Treffer {
    enum class Art { Nichts, Element, SignalTaste, Schalter, SoundSchalter, Text, Drehscheibe };
    Art art = Art::Nichts;
    TGleisBildElement* element = nullptr; // Element, SignalTaste
    bool links = false;                   // SignalTaste: the left end
    TSchalterElement* schalter = nullptr;
    bool aufTaste = false;                // Schalter: a key is under the pixel
    bool anTaste = false;                 // Schalter: that key is the "on" key
    TSoundSchalterElement* sound = nullptr;
    TTextElement* text = nullptr;
};
// Free-standing elements lie over the grid; a loco display's visible, enabled signal buttons
// take their 20 x 20 ends; grid lines between cells belong to no cell except inside a display.
Treffer GleisbildTreffer(const TGleisBild& bild, QPoint pixel);
// The tooltip at a pixel; empty when there is none.
QString GleisbildHinweis(const TGleisBild& bild, QPoint pixel);

// The exit-signal buttons after a project is opened, the option "Signale ohne
// Magnetartikelnr anzeigen" changed or the editor is left: with the option every signal end of
// variants 1..3 is shown, enabled and switched red; without it a signal end without accessory
// is hidden, disabled and shows picture 46. Redraws everything.
void SignalTastenAktualisieren(TGleisBild& bild);
