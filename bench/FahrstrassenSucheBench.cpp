#include "core/KopflosesProgramm.h"
#include "operation/FahrstrassenSuche.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

// A program without windows holding one generated layout.
struct Anlage {
    QTemporaryDir dir;
    std::unique_ptr<KopflosesProgramm> k = std::make_unique<KopflosesProgramm>(dir.path() + u'/');
    std::vector<THaltestelle*> stationen;

    void teil(int kind, int x, int y, int nr = 0)
    {
        GridElementDaten g;
        g.GleisBildNr = kind;
        g.PosX = x;
        g.PosY = y;
        if (kind >= LokAnzeigeArt) {
            g.HaltestelleNr = nr;
        }
        if (kind == SprungmarkeArt) {
            g.MagnetArtNr0 = nr / 10;
            g.MagnetArtNr1 = nr % 10;
        }
        k->bild.CreateGridElement(g);
    }
    void gleis(int kind, int von, int bis, int y)
    {
        for (int x = von; x <= bis; ++x) {
            teil(kind, x, y);
        }
    }
    void senkrecht(int x, int von, int bis)
    {
        for (int y = von; y <= bis; ++y) {
            teil(2, x, y);
        }
    }
    // A station with a 4-cell display whose first cell is (x, y).
    void station(int x, int y)
    {
        THaltestelle* h = k->daten.HaltestelleNeu(QStringLiteral("S%1").arg(stationen.size() + 1));
        stationen.push_back(h);
        teil(LokAnzeigeArt, x, y, h->HaltestelleID);
    }
    void fertig() { k->bild.RebuildGrid(); }
};

// The whole grid as one line, row by row, from a station in the top left corner to one in the
// bottom left corner; searched travelling E.
void serpentine(Anlage& a)
{
    a.station(1, 1);
    for (int y = 1; y <= 40; ++y) {
        const bool ost = y % 2 == 1;
        const int von = y == 1 || y == 40 ? 5 : 2;
        a.gleis(1, von, 69, y);
        if (ost) {
            if (y > 1) {
                a.teil(43, 1, y); // from above, on E
            }
            a.teil(46, 70, y); // E, turning down
        } else {
            a.teil(45, 70, y); // from above, on W
            if (y < 40) {
                a.teil(44, 1, y); // W, turning down
            }
        }
    }
    a.station(1, 40);
    a.fertig();
}

// A main line on row 10 from a station at the right edge towards one at the left, with
// `schleifen` passing loops of four cells each.
void leiter(Anlage& a, int schleifen)
{
    a.station(67, 10);
    int x = 66;
    for (int i = 0; i < schleifen; ++i, x -= 4) {
        a.teil(62, x, 10);     // facing: tip E, diverging NW
        a.teil(36, x - 1, 9);  // NW -> W
        a.teil(35, x - 2, 9);  // W -> SW
        a.gleis(1, x - 2, x - 1, 10);
        a.teil(63, x - 3, 10); // trailing: diverging NE, tip W
    }
    a.gleis(1, 7, x, 10);
    a.station(3, 10);
    a.fertig();
}

// Two fans of twenty station tracks joined by one line along the bottom row: the left fan
// trails into a spine on column 10, the right fan faces a spine on column 60.
void bahnhof(Anlage& a)
{
    for (int y = 1; y <= 20; ++y) {
        a.station(1, y);
        a.gleis(1, 5, 8, y);
        a.teil(36, 9, y);      // E -> SE
        a.teil(67, 10, y + 1); // tip S, diverging NW
    }
    a.senkrecht(10, 22, 39);
    a.teil(43, 10, 40);
    a.gleis(1, 11, 59, 40);
    a.teil(45, 60, 40);
    for (int r = 19; r <= 38; ++r) {
        a.teil(66, 60, r + 1); // tip S, diverging NE
        a.teil(35, 61, r);     // NE -> E
        a.gleis(1, 62, 65, r);
        a.station(66, r);
    }
    a.fertig();
}

// A station whose E exit merges into a ring round the whole grid that holds no station.
void ring(Anlage& a)
{
    a.station(30, 20);
    a.teil(62, 34, 20); // entered at the straight leg, on E
    a.gleis(1, 35, 69, 20);
    a.teil(46, 70, 20);
    for (int y = 21; y <= 39; ++y) {
        a.teil(2, 70, y);
    }
    a.teil(45, 70, 40);
    a.gleis(1, 2, 69, 40);
    a.teil(43, 1, 40);
    a.senkrecht(1, 2, 39);
    a.teil(44, 1, 1);
    a.gleis(1, 2, 32, 1);
    a.teil(46, 33, 1);
    a.senkrecht(33, 2, 18);
    a.teil(39, 33, 19); // S -> SE, back into the turnout's diverging leg
    a.fertig();
}

// Eight jump-mark pairs in a chain, each leading to the next row block.
void sprungkette(Anlage& a)
{
    a.station(66, 1);
    a.teil(SprungmarkeArt, 65, 1, 11);
    for (int n = 1; n <= 8; ++n) {
        const int y = 4 * n + 1;
        a.teil(SprungmarkeArt, 70, y, n * 10 + 2);
        a.gleis(1, 10, 69, y);
        if (n < 8) {
            a.teil(SprungmarkeArt, 9, y, (n + 1) * 10 + 1);
        } else {
            a.station(6, y);
        }
    }
    a.fertig();
}

void zaehlen(benchmark::State& state, const SuchStatistik& s)
{
    state.counters["walks"] = benchmark::Counter(s.walks);
    state.counters["steps"] = benchmark::Counter(s.steps);
    state.counters["routes"] = benchmark::Counter(s.routes);
}

void eineSuche(benchmark::State& state, Anlage& a)
{
    SuchStatistik s;
    for (auto _ : state) {
        s = NeueFahrstrassenSuchen(a.k->bild, a.k->daten, *a.stationen.front());
        benchmark::DoNotOptimize(s);
    }
    zaehlen(state, s);
}

} // namespace

// One search on a plan that fills every cell of the grid.
static void BM_SucheSerpentine(benchmark::State& state)
{
    Anlage a;
    serpentine(a);
    eineSuche(state, a);
}
BENCHMARK(BM_SucheSerpentine)->Unit(benchmark::kMicrosecond);

static void BM_SucheLeiter(benchmark::State& state)
{
    Anlage a;
    leiter(a, static_cast<int>(state.range(0)));
    eineSuche(state, a);
}
BENCHMARK(BM_SucheLeiter)->DenseRange(5, 15, 5)->Unit(benchmark::kMicrosecond);

// Every station of a forty-station yard, one after the other.
static void BM_SucheBahnhofAlleStationen(benchmark::State& state)
{
    Anlage a;
    bahnhof(a);
    SuchStatistik gesamt;
    for (auto _ : state) {
        gesamt = {};
        for (THaltestelle* h : a.stationen) {
            const SuchStatistik s = NeueFahrstrassenSuchen(a.k->bild, a.k->daten, *h);
            gesamt.walks += s.walks;
            gesamt.steps += s.steps;
            gesamt.routes += s.routes;
        }
        benchmark::DoNotOptimize(gesamt);
    }
    zaehlen(state, gesamt);
}
BENCHMARK(BM_SucheBahnhofAlleStationen)->Unit(benchmark::kMicrosecond);

static void BM_SucheRingOhneStation(benchmark::State& state)
{
    Anlage a;
    ring(a);
    eineSuche(state, a);
}
BENCHMARK(BM_SucheRingOhneStation)->Unit(benchmark::kMicrosecond);

static void BM_SucheSprungkette(benchmark::State& state)
{
    Anlage a;
    sprungkette(a);
    eineSuche(state, a);
}
BENCHMARK(BM_SucheSprungkette)->Unit(benchmark::kMicrosecond);
