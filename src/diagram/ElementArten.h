// The kinds of grid elements (`GleisBildNr`): palette name, category, name prefix, whether the
// kind switches an accessory, and how many positions it has. One table serves the factory, the
// editor's palette and the drawing.
#pragma once

#include <QString>

// Categories of grid elements.
enum class ElementKategorie : int {
    Gleis = 1,             // track, buffer stops, tunnels, direction arrows
    Geschaltet = 2,        // turnouts, single-track level crossings
    Signal = 3,
    Doppelkreuzweiche = 4,
    Kreuzung = 5,          // crossings and flyovers
    ProgrammTaste = 6,     // sequence-control buttons
    BahnuebergangOben = 7, // upper/left half of a two-track level crossing (49, 51)
    BahnuebergangUnten = 8,// lower/right half (50, 52)
    Sprungmarke = 9,
    LokAnzeige = 10,
};

// What `MagnetArtNr` means for a kind.
enum class MagnetArtNutzung {
    Keine,       // the factory clears it
    Adresse,     // the accessory the element switches
    AusDatei,    // kept as read (sequence-control buttons)
    AusfahrSignale, // loco displays: `MagnetArtNr0` / `MagnetArtNr1` are the exit signals
};

struct ElementArt {
    int von;          // first kind number of the row
    int bis;          // last kind number of the row
    const char16_t* paletteName;
    ElementKategorie kategorie;
    const char16_t* namePrefix;
    MagnetArtNutzung magnetArt;
    int stellungen;   // number of positions `Stellung` takes; 0 = none
};

inline constexpr int LokAnzeigeArt = 99;   // loco displays; 100..102 in files are 99 + variant
inline constexpr int SprungmarkeArt = 57;

// The row of `kind`; nullptr for numbers that do not occur in a plan (18, 19, 80, 81, 90..98,
// anything outside 1..102). Kinds 100..102 give the loco-display rows of variants 1..3.
const ElementArt* ElementArtVon(int kind);

// True for kinds that may stand in a plan.
inline bool IstElementArt(int kind) { return ElementArtVon(kind) != nullptr; }

// Kinds that a set route never marks (crossings and double slips).
bool NieInFahrstrasse(int kind);
bool IstSignal(int kind);            // 1..12
bool IstWeiche(int kind);            // 62..77
bool IstDoppelkreuzweiche(int kind); // 55, 56, 82, 83
bool IstBahnuebergangHaelfte(int kind); // 49..52
