// The diagram's artwork, generated with QPainter from the connection table (Verbindungen.h):
// the track tile sheet, the key pictures and the button pictures. Each picture set is drawn
// once, on first use, and kept for the rest of the run. UI thread (QImage painting is not
// shared across threads here).
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

// Tile sheet layout: the tile of kind k in row r is the 20 x 20 rectangle at (21k - 20, 1 + 21r).
inline constexpr int KachelBildBreite = 2464;
inline constexpr int KachelBildHoehe = 1710;
inline constexpr int KachelZeilen = 81;       // rows 0..80 fit the sheet
inline constexpr int FarbBandZeilen = 9;      // rows per colour band
inline constexpr int FarbBaender = 7;         // bands 0, 9, 18, ..., 54
// Rows within a band.
inline constexpr int ZeileStellung1 = 1;
inline constexpr int ZeileFahrstrasse = 2;
inline constexpr int ZeileBesetzt = 4;
inline constexpr int SprungmarkenZeilen = 8;    // jump marks: row = number - 1, no bands

inline constexpr int TastenBilderAnzahl = 17;
inline constexpr int SchalterBilderAnzahl = 51;
inline constexpr int SchalterBildSignalOhneNr = 46;
inline constexpr int KleinBildGroesse = 16;

// The colour behind every tile and of the diagram's background.
QColor DiagrammHintergrundFarbe();

constexpr QRect KachelRect(int kind, int zeile) { return {21 * kind - 20, 1 + 21 * zeile, 20, 20}; }

// The whole sheet (2464 x 1710, RGB without alpha).
const QImage& GleisKachelBild();
// Paints the tile of `kind` in sheet row `zeile` into the 20 x 20 square at the painter's origin.
void KachelMalen(QPainter& p, int kind, int zeile);

// Key pictures 0..16 and button pictures 0..50, 16 x 16 each; a null image outside the range.
const QImage& TastenBild(int nr);
const QImage& SchalterBild(int nr);
