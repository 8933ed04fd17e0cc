// The connection table against the route search's walk tables, and the generated artwork
// against the connection table.
#include "diagram/ElementArten.h"
#include "diagram/Kacheln.h"
#include "diagram/Verbindungen.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <set>

namespace {

using enum Seite;
using Art = Schritt::Art;

Schritt weiter(Seite s, int stellungSetzen = 0, bool verzweigung = false, bool gueltig = true)
{
    return {Art::Weiter, s, stellungSetzen, gueltig, verzweigung};
}

std::string text(const Schritt& s)
{
    return "art " + std::to_string(static_cast<int>(s.art)) + " nach " + std::to_string(static_cast<int>(s.richtung))
        + " setzen " + std::to_string(s.stellungSetzen) + (s.gueltig ? "" : " ungueltig")
        + (s.verzweigung ? " verzweigung" : "");
}

// Plain elements: each kind passes two travel directions straight through to a leave direction.
struct Durchgang {
    std::vector<int> arten;
    Seite rein1, raus1, rein2, raus2;
};

TEST(Verbindungen, PlainElementsFollowTheirLine)
{
    const std::vector<Durchgang> tabelle = {
        {{1, 3, 5, 7, 13, 16, 21, 27, 28, 29, 30, 49, 50, 78, 79, 84, 86, 88}, W, W, O, O},
        {{2, 4, 6, 8, 14, 15, 17, 20, 22, 31, 32, 33, 34, 51, 52, 85, 87, 89}, S, S, N, N},
        {{9, 10, 47}, SW, SW, NO, NO},
        {{11, 12, 48}, SO, SO, NW, NW},
        {{35}, NO, O, W, SW},
        {{36}, O, SO, NW, W},
        {{37}, SO, O, W, NW},
        {{38}, O, NO, SW, W},
        {{39}, S, SO, NW, N},
        {{40}, S, SW, NO, N},
        {{41}, N, NO, SW, S},
        {{42}, N, NW, SO, S},
        {{43}, S, O, W, N},
        {{44}, N, O, W, S},
        {{45}, O, N, S, W},
        {{46}, O, S, N, W},
    };
    for (const Durchgang& d : tabelle) {
        for (const int kind : d.arten) {
            SCOPED_TRACE(kind);
            for (const int stellung : {0, 1}) {
                EXPECT_EQ(Durchfahren(kind, d.rein1, stellung), weiter(d.raus1)) << text(Durchfahren(kind, d.rein1, stellung));
                EXPECT_EQ(Durchfahren(kind, d.rein2, stellung), weiter(d.raus2));
            }
            // Every other travel direction stops the walk.
            for (int code = 1; code <= 8; ++code) {
                const Seite r = SeiteVonCode(code);
                if (r != d.rein1 && r != d.rein2) {
                    EXPECT_EQ(Durchfahren(kind, r, 0).art, Art::Halt) << code;
                }
            }
        }
    }
}

TEST(Verbindungen, BufferStopsFailAndUnknownKindsStop)
{
    for (const int kind : {23, 24, 25, 26}) {
        for (int code = 1; code <= 8; ++code) {
            EXPECT_EQ(Durchfahren(kind, SeiteVonCode(code), 0).art, Art::Fehlschlag) << kind << " " << code;
        }
    }
    for (const int kind : {0, 18, 19, 80, 81, 90, 95, 98, 103, -1}) {
        EXPECT_EQ(Durchfahren(kind, O, 0).art, Art::Halt) << kind;
        EXPECT_FALSE(Verbindet(kind, O)) << kind;
    }
    EXPECT_EQ(Durchfahren(SprungmarkeArt, W, 0), (Schritt{Art::Sprung, W}));
    for (const int kind : {99, 100, 101, 102}) {
        EXPECT_EQ(Durchfahren(kind, O, 0), (Schritt{Art::LokAnzeige, O})) << kind;
    }
}

TEST(Verbindungen, OverpassesMarkTheLowerLineInvalid)
{
    // 53: W-E on top; 54: N-S on top. The N-S way always carries 1.
    EXPECT_EQ(Durchfahren(53, W, 0), weiter(W, 0));
    EXPECT_EQ(Durchfahren(53, O, 0), weiter(O, 0));
    EXPECT_EQ(Durchfahren(53, S, 0), weiter(S, 1, false, false));
    EXPECT_EQ(Durchfahren(53, N, 0), weiter(N, 1, false, false));
    EXPECT_EQ(Durchfahren(54, W, 0), weiter(W, 0, false, false));
    EXPECT_EQ(Durchfahren(54, O, 0), weiter(O, 0, false, false));
    EXPECT_EQ(Durchfahren(54, S, 0), weiter(S, 1));
    EXPECT_EQ(Durchfahren(54, N, 0), weiter(N, 1));
    EXPECT_EQ(Durchfahren(53, NO, 0).art, Art::Halt);
}

TEST(Verbindungen, CrossingsAreBranchPointsOnEveryEntry)
{
    const struct {
        int kind;
        std::vector<Seite> wege;
    } tabelle[] = {{58, {S, N, SW, NO}}, {59, {S, N, SO, NW}}, {60, {W, O, SW, NO}}, {61, {W, O, SO, NW}}};
    for (const auto& row : tabelle) {
        for (int code = 1; code <= 8; ++code) {
            const Seite r = SeiteVonCode(code);
            const bool geht = std::find(row.wege.begin(), row.wege.end(), r) != row.wege.end();
            for (const int stellung : {0, 1}) {
                const Schritt s = Durchfahren(row.kind, r, stellung);
                EXPECT_TRUE(s.verzweigung) << row.kind << " " << code;
                EXPECT_EQ(s.art, geht ? Art::Weiter : Art::Halt) << row.kind << " " << code;
                if (geht) {
                    EXPECT_EQ(s, weiter(r, 0, true)) << row.kind << " " << code;
                }
            }
        }
    }
}

TEST(Verbindungen, TurnoutsByTipStraightAndDivergingSide)
{
    const struct {
        int kind;
        Seite spitze, gerade, abzweig;
    } tabelle[] = {
        {62, O, W, NW},  {63, W, O, NO},  {64, W, O, SO},  {65, O, W, SW},  {66, S, N, NO},   {67, S, N, NW},
        {68, N, S, SW},  {69, N, S, SO},  {70, NW, SO, O}, {71, NO, SW, W}, {72, SO, NW, W},  {73, SW, NO, O},
        {74, SW, NO, N}, {75, SO, NW, N}, {76, NO, SW, S}, {77, NW, SO, S},
    };
    for (const auto& w : tabelle) {
        SCOPED_TRACE(w.kind);
        // Entering at a side means travelling away from it.
        EXPECT_EQ(Durchfahren(w.kind, GegenSeite(w.spitze), 0), weiter(w.gerade, 0, true));
        EXPECT_EQ(Durchfahren(w.kind, GegenSeite(w.spitze), 1), weiter(w.abzweig, 1));
        for (const int stellung : {0, 1}) {
            EXPECT_EQ(Durchfahren(w.kind, GegenSeite(w.gerade), stellung), weiter(w.spitze, 0));
            EXPECT_EQ(Durchfahren(w.kind, GegenSeite(w.abzweig), stellung), weiter(w.spitze, 1));
        }
        EXPECT_EQ(VerbindungVon(w.kind).spitze, w.spitze);
        EXPECT_EQ(VerbindungVon(w.kind).gerade, w.gerade);
        EXPECT_EQ(VerbindungVon(w.kind).abzweig, w.abzweig);
    }
    // Kind 62 entered at its tip travels W.
    EXPECT_EQ(Durchfahren(62, W, 0).richtung, W);
}

TEST(Verbindungen, DoubleSlipsKeepOrChangeTheirLine)
{
    const struct {
        int kind;
        Seite rein, gerade, gewechselt;
    } tabelle[] = {
        {55, W, W, SW},   {55, O, O, NO},   {55, SW, SW, W},  {55, NO, NO, O},
        {56, W, W, NW},   {56, O, O, SO},   {56, SO, SO, O},  {56, NW, NW, W},
        {82, N, N, NW},   {82, S, S, SO},   {82, NW, NW, N},  {82, SO, SO, S},
        {83, N, N, NO},   {83, S, S, SW},   {83, NO, NO, N},  {83, SW, SW, S},
    };
    for (const auto& row : tabelle) {
        SCOPED_TRACE(row.kind);
        EXPECT_EQ(Durchfahren(row.kind, row.rein, 0), weiter(row.gerade, 0, true));
        EXPECT_EQ(Durchfahren(row.kind, row.rein, 1), weiter(row.gewechselt, 1));
    }
}

// The sides a kind joins, as seen by the walk: every side through which some travel leaves.
std::set<Seite> gegangeneSeiten(int kind)
{
    std::set<Seite> seiten;
    for (int code = 1; code <= 8; ++code) {
        for (const int stellung : {0, 1}) {
            const Schritt s = Durchfahren(kind, SeiteVonCode(code), stellung);
            if (s.art == Art::Weiter) {
                seiten.insert(s.richtung);
                seiten.insert(GegenSeite(SeiteVonCode(code)));
            }
        }
    }
    return seiten;
}

// What is drawn is what is walked: at each of the eight sides of a base tile there is track
// exactly where the kind joins that side.
TEST(Verbindungen, TilesShowTrackExactlyAtTheJoinedSides)
{
    const QPoint innen[9] = {{}, {9, 1}, {18, 1}, {18, 9}, {18, 18}, {9, 18}, {1, 18}, {1, 9}, {1, 1}};
    const QImage& bild = GleisKachelBild();
    int geprueft = 0;
    for (int kind = 1; kind < LokAnzeigeArt; ++kind) {
        const Verbindung& v = VerbindungVon(kind);
        if (v.form == Form::Keine || v.form == Form::Sprungmarke || v.schmuck == Schmuck::TunnelStrecke) {
            continue;
        }
        const std::set<Seite> gegangen = gegangeneSeiten(kind);
        for (int code = 1; code <= 8; ++code) {
            const Seite s = SeiteVonCode(code);
            if (v.form != Form::Prellbock) {
                EXPECT_EQ(gegangen.count(s) == 1, Verbindet(kind, s)) << kind << " side " << code;
            }
            const QColor farbe = bild.pixelColor(KachelRect(kind, 0).topLeft() + innen[code]);
            const bool gleis = farbe == QColor(60, 60, 60) || farbe == QColor(196, 196, 196);
            EXPECT_EQ(gleis, Verbindet(kind, s)) << "kind " << kind << " side " << code << " " << farbe.name().toStdString();
            ++geprueft;
        }
    }
    EXPECT_EQ(geprueft, 8 * 80);
}

} // namespace
