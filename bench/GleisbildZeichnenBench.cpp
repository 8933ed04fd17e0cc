// Painting the diagram into an image with the painter the widget uses: a full 70 x 40 plan,
// and one contact change up to its repainted cells.
#include "core/CollectingDialogs.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/ManualScheduler.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "diagram/GleisbildZeichner.h"
#include "diagram/Kacheln.h"

#include <QGuiApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {
struct VollerPlan {
    MessageBus bus;
    ManualScheduler scheduler;
    SystemClock clock;
    CollectingDialogs dialoge;
    Programm programm{bus, scheduler, clock, dialoge, QStringLiteral("/tmp/")};
    TGleisBild bild{programm};
    VollerPlan()
    {
        programm.gleisbild = &bild;
        programm.settings.RasterAnzeigen = true;
        const int arten[] = {21, 62, 1, 35, 58, 13, 55, 86};
        for (int y = 1; y <= RasterZeilen; ++y) {
            for (int x = 1; x <= RasterSpalten; ++x) {
                GridElementDaten d;
                d.GleisBildNr = arten[(x + y) % 8];
                d.PosX = x;
                d.PosY = y;
                d.GleisKontaktNr = (x + 70 * y) % 512 + 1;
                d.GleisFarbeAktuel = 9 * (y % 7);
                bild.CreateGridElement(d);
            }
        }
        bild.RebuildGrid();
        bild.RebuildContactLists();
        GleisKachelBild(); // generated once at start, not per frame
    }
    // What the widget's paint event does for `dirty`.
    void malen(QImage& ziel, const QRegion& dirty)
    {
        QPainter p(&ziel);
        p.setClipRegion(dirty);
        const ZeichenOptionen o = ZeichenOptionenVon(bild);
        HintergrundZeichnen(p, o);
        for (const auto& e : bild.Elemente()) {
            if (dirty.intersects(e->rect)) {
                p.save();
                p.translate(e->rect.topLeft());
                ElementZeichnen(p, *e, o, bild.trains());
                p.restore();
            }
        }
    }
};

QGuiApplication& app()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QGuiApplication a(argc, argv);
    return a;
}
} // namespace

static void BM_FullRepaint70x40(benchmark::State& state)
{
    app();
    VollerPlan plan;
    QImage ziel(1487, 879, QImage::Format_RGB32);
    const QRegion alles(ziel.rect());
    for (auto _ : state) {
        plan.malen(ziel, alles);
        benchmark::DoNotOptimize(ziel.constBits());
    }
}
BENCHMARK(BM_FullRepaint70x40)->Unit(benchmark::kMillisecond);

// SetContactState -> neuZeichnen for each element of the contact -> the repaint of their cells.
static void BM_ContactChangeToRepaint(benchmark::State& state)
{
    app();
    VollerPlan plan;
    QImage ziel(1487, 879, QImage::Format_RGB32);
    QRegion dirty;
    QObject::connect(&plan.bild, &TGleisBild::neuZeichnen, [&](TGleisBildElement* e) { dirty += e->rect; });
    int besetzt = 0;
    for (auto _ : state) {
        dirty = QRegion();
        plan.bild.SetContactState(100, besetzt);
        besetzt = 1 - besetzt;
        plan.malen(ziel, dirty);
        benchmark::DoNotOptimize(ziel.constBits());
    }
}
BENCHMARK(BM_ContactChangeToRepaint)->Unit(benchmark::kMicrosecond);
