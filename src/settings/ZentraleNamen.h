// Names of the command-station types (`ZentraleTyp` 0..9) as other parts show them in texts,
// and the per-type texts the project settings file stores.
#pragma once

#include <QString>
#include <initializer_list>

// Number of name slots; slots 10..20 are empty.
inline constexpr int ZentraleNamenAnzahl = 21;
// Highest command-station type.
inline constexpr int ZentraleTypMax = 9;

// The name in slot `typ` ("KEINE ZENTRALE AUSGEWÄHLT", "Fleischmann Twin-Center", ...); empty
// for the unused slots and for any index outside the table.
QString ZentraleName(int typ);

// Value line of pair 3 of the project settings file ("02 IB1", "06 LAN CS2 ", ...). A type
// outside 0..9 is first clamped into it, so the line always starts with two digits.
QString ProtokolText(int typ);

// The text for command-station type `typ` from a list for the types 1, 2, 3 ...; empty for
// type 0 and for types the list does not reach.
QString TextFuerTyp(int typ, std::initializer_list<const char*> texte);
// Value line of pair 27 ("02 Centrale : Uhlenbrock Intellybox 1", ...), clamped likewise.
QString CentraleText(int typ);
