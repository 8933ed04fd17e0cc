// Which sides of its cell each element kind joins, and how: the one table that both the tile
// artwork and the route search read, so that what is drawn and what is searched agree.
//
// Sides and travel directions share the direction codes 1..8 (N, NE, E, SE, S, SW, W, NW).
// A walk that travels in direction d enters a cell through the side opposite d. Pure data;
// any thread.
#pragma once

#include <array>

enum class Seite : int { Keine = 0, N = 1, NO = 2, O = 3, SO = 4, S = 5, SW = 6, W = 7, NW = 8 };
inline constexpr Seite KeineSeite = Seite::Keine;

// The side across the cell from `s` (N <-> S, NE <-> SW, ...); no side stays none.
constexpr Seite GegenSeite(Seite s)
{
    return s == KeineSeite ? KeineSeite : static_cast<Seite>((static_cast<int>(s) + 3) % 8 + 1);
}
// The side with direction code `code` (1..8); none for other numbers.
constexpr Seite SeiteVonCode(int code) { return code >= 1 && code <= 8 ? static_cast<Seite>(code) : KeineSeite; }

// A line of track through the cell from side `a` to side `b`.
struct Linie {
    Seite a = KeineSeite;
    Seite b = KeineSeite;
    bool gueltig() const { return a != KeineSeite; }
    bool verbindet(Seite s) const { return gueltig() && (a == s || b == s); }
    Seite andereSeite(Seite s) const { return s == a ? b : a; }
};

// How a kind joins its sides.
enum class Form {
    Keine,             // joins nothing: the walk stops here (unknown kinds, 18, 19, 80, 81, 90..98)
    Gleis,             // one line: track, curves, tunnels, signals, level crossings, arrows, buttons
    Prellbock,         // a dead end open towards `linie.a`: every walk fails
    Weiche,            // tip, straight and diverging side
    Doppelkreuzweiche, // two lines; thrown, each end changes to the other line (`bogen`)
    Kreuzung,          // two independent lines; the walk records a branch point
    Ueberfuehrung,     // two lines on two levels; `unten` is the lower one
    Sprungmarke,       // ends here and goes on at the other end of the pair
    LokAnzeige,        // a station track, open to W and E
};

// What the tile artwork puts on top of the track; no effect on the walk.
enum class Schmuck {
    Keiner,
    Hauptsignal,      // lamp on the right-hand side of travel towards `blick`
    Rangiersignal,
    Tunnel,           // portal at side `blick`, the tunnel behind it
    TunnelStrecke,    // the track runs inside a tunnel
    Bahnuebergang,    // road across the track
    BahnuebergangHalb, // one half of a two-track crossing; the road leaves at side `blick`
    Pfeil,            // direction arrow towards `blick`
    Doppelpfeil,      // both ways along the line
    ProgrammTaste,
};

struct Verbindung {
    Form form = Form::Keine;
    Linie linie;              // Gleis, Prellbock, LokAnzeige: the line; Weiche: tip -> straight
    Linie zweite;             // Doppelkreuzweiche, Kreuzung, Ueberfuehrung: the second line
    Seite spitze = KeineSeite; // Weiche
    Seite gerade = KeineSeite; // Weiche
    Seite abzweig = KeineSeite; // Weiche
    std::array<Linie, 2> bogen{}; // Doppelkreuzweiche: the two ways a thrown slip joins
    bool zweiteUnten = false;    // Ueberfuehrung: the second line passes underneath
    bool ersteUnten = false;     // Ueberfuehrung: the first line passes underneath
    Schmuck schmuck = Schmuck::Keiner;
    Seite blick = KeineSeite;    // see Schmuck
};

// The row of `kind` (1..102; 100..102 are loco displays); Form::Keine for kinds that join nothing.
const Verbindung& VerbindungVon(int kind);

// True when `kind` joins the side `s` in any position.
bool Verbindet(int kind, Seite s);

// The lines a kind shows as laid in `stellung` (a turnout its tip to the straight or diverging
// leg; a thrown slip its two curves), at most two.
std::array<Linie, 2> GelegteLinien(int kind, int stellung);
// The lines the kind has but does not use in `stellung` (the other leg of a turnout, the
// unused pair of a slip).
std::array<Linie, 2> FreieLinien(int kind, int stellung);

// One step of a walk through an element that is entered travelling in `richtung` (1..8).
struct Schritt {
    enum class Art {
        Weiter,      // leave towards `richtung`
        Fehlschlag,  // the walk fails (buffer stop)
        Halt,        // the walk stops: the kind has no way for this travel
        Sprung,      // a jump mark: the search goes on at the other end
        LokAnzeige,  // a loco display: the search decides start or end
    };
    Art art = Art::Halt;
    Seite richtung = KeineSeite;
    int stellungSetzen = 0;   // 1 where the walk took a diverging way
    bool gueltig = true;      // false on the lower line of an overpass
    bool verzweigung = false; // the cell is a branch point to record
    bool operator==(const Schritt&) const = default;
};

// Turnouts are walked by `stellung`: 0 straight (a branch point), otherwise diverging; double
// slips the same with their lines; crossings are always branch points.
Schritt Durchfahren(int kind, Seite richtung, int stellung);
