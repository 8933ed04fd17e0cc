// The route search: from the loco display of a station, walk the plan element by element
// (first travelling W, then E) until another station's display is reached, and repeat the walk
// with the branch points set differently until every recorded branch has been tried. Each walk
// that arrives at another station becomes a found route of one of the two auxiliary stations.
//
// The walk reads the per-kind connection table (Verbindungen.h) and keeps the positions it
// tries in a table of its own: the diagram, its shown positions and its windows are never
// touched. UI thread only (it reads the plan and writes the auxiliary stations).
#pragma once

class BetriebsDaten;
class TFahrstrasse;
class TGleisBild;
class THaltestelle;

inline constexpr int VerzweigungenMax = 20;

// What one search did; for tests and measurements.
struct SuchStatistik {
    int walks = 0;  // walks made, both directions
    int steps = 0;  // elements entered, all walks
    int routes = 0; // routes found
    bool operator==(const SuchStatistik&) const = default;
};

// Finds the routes that start at `station`'s loco display, in both directions, into
// `daten.DummyNeueFahrstrasseHaltestelle` (emptied first; it takes the station's display).
// Routes are named "Fahrstrasse_Nach_" + target + "_" + n. Nothing is found for a station
// without display.
SuchStatistik NeueFahrstrassenSuchen(const TGleisBild& bild, BetriebsDaten& daten, const THaltestelle& station);

// Extends `route`: the same search from every station whose id is the route's target, into
// `daten.DummyFahrstrasseWeiterHaltestelle` (emptied first). The found routes also get their
// contacts and the driving data of every train.
SuchStatistik FahrstrasseErweiternSuchen(const TGleisBild& bild, BetriebsDaten& daten, const TFahrstrasse& route);
