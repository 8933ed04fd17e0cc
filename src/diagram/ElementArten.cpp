#include "diagram/ElementArten.h"

namespace {

using K = ElementKategorie;
using M = MagnetArtNutzung;

constexpr ElementArt kArten[] = {
    {1, 12, u"Signal", K::Signal, u"Element_Signal_", M::Adresse, 2},
    {13, 14, u"Bahnübergang", K::Geschaltet, u"Bahnubergang_", M::Adresse, 2},
    {15, 15, u"Tunneleingang", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {16, 17, u"Ablaufsteuerung Taste", K::ProgrammTaste, u"AblaufsteuerungTaste_", M::AusDatei, 3},
    {20, 20, u"Tunneleingang", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {21, 22, u"Gleis", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {23, 26, u"Prellbock", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {27, 34, u"Tunneleingang", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {35, 46, u"Bogengleis", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {47, 48, u"Gleis", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {49, 49, u"2-Gleisiger Bahnübergang", K::BahnuebergangOben, u"Bahnubergang_", M::Adresse, 2},
    {50, 50, u"2-Gleisiger Bahnübergang", K::BahnuebergangUnten, u"Bahnubergang_", M::Adresse, 2},
    {51, 51, u"2-Gleisiger Bahnübergang", K::BahnuebergangOben, u"Bahnubergang_", M::Adresse, 2},
    {52, 52, u"2-Gleisiger Bahnübergang", K::BahnuebergangUnten, u"Bahnubergang_", M::Adresse, 2},
    {53, 53, u"Uberfuhrung Hor", K::Kreuzung, u"Element_Uberfu_", M::Keine, 0},
    {54, 54, u"Uberfuhrung Ver", K::Kreuzung, u"Element_Uberfu_", M::Keine, 0},
    {55, 56, u"Doppelkreuzweiche", K::Doppelkreuzweiche, u"Element_KreuzW_", M::Adresse, 2},
    {57, 57, u"Sprungmarke", K::Sprungmarke, u"Element_Sprung_", M::Keine, 0},
    {58, 61, u"Kreuzung", K::Kreuzung, u"Element_Kreuzu_", M::Keine, 0},
    {62, 77, u"Weiche", K::Geschaltet, u"Element_Weiche_", M::Adresse, 2},
    {78, 79, u"Tunneleingang", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {82, 83, u"Doppelkreuzweiche", K::Doppelkreuzweiche, u"Element_KreuzW_", M::Adresse, 2},
    {84, 84, u"Fahrtrichtung Links", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {85, 85, u"Fahrtrichtung Oben", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {86, 86, u"Fahrtrichtung Rechts", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {87, 87, u"Fahrtrichtung Unten", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {88, 88, u"Fahrtrichtung Links-Rechts", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {89, 89, u"Fahrtrichtung Oben-Unten", K::Gleis, u"Element_Gleis_", M::Keine, 0},
    {99, 99, u"Haltestelle ohne Signale", K::LokAnzeige, u"Element_LokAnz_", M::AusfahrSignale, 0},
    {100, 100, u"Haltestelle mit Signale", K::LokAnzeige, u"Element_LokAnz_", M::AusfahrSignale, 0},
    {101, 101, u"Abstellgleis Links", K::LokAnzeige, u"Element_LokAnz_", M::AusfahrSignale, 0},
    {102, 102, u"Abstellgleis Rechts", K::LokAnzeige, u"Element_LokAnz_", M::AusfahrSignale, 0},
};

} // namespace

const ElementArt* ElementArtVon(int kind)
{
    for (const ElementArt& art : kArten) {
        if (kind >= art.von && kind <= art.bis) {
            return &art;
        }
    }
    return nullptr;
}

bool NieInFahrstrasse(int kind) { return (kind >= 55 && kind <= 61) || kind == 82 || kind == 83; }
bool IstSignal(int kind) { return kind >= 1 && kind <= 12; }
bool IstWeiche(int kind) { return kind >= 62 && kind <= 77; }
bool IstDoppelkreuzweiche(int kind) { return kind == 55 || kind == 56 || kind == 82 || kind == 83; }
bool IstBahnuebergangHaelfte(int kind) { return kind >= 49 && kind <= 52; }
