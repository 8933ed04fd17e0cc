#include "core/CollectingDialogs.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/GleisplanDatei.h"
#include "core/LineFile.h"
#include "core/ManualScheduler.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "diagram/GleisBild.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
// Every cell of the 70 x 40 grid holds a straight track or a turnout.
QStringList fullPlan()
{
    QStringList lines = {QStringLiteral("025****************** Gleisplan ********************"),
                         QStringLiteral("Anzahl elemente : 2800")};
    for (int y = 1; y <= 40; ++y) {
        for (int x = 1; x <= 70; ++x) {
            const int kind = (x + y) % 5 == 0 ? 62 : 21;
            lines << QStringLiteral("Element_%1_%2").arg(x).arg(y) << QStringLiteral("GleisBildInfo")
                  << QStringLiteral("AblaufsteuerungName") << QString::number(kind) << QString::number((x * y) % 512)
                  << QString::number(kind == 62 ? x : 0) << QStringLiteral("0")
                  << QStringLiteral("000_000StellungDrehen/NichtRelevant/GleisFarbeAktuel") << QStringLiteral("999")
                  << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("0")
                  << QString::number(x) << QString::number(y);
        }
    }
    lines << QStringLiteral("Keine Drehscheibe") << QStringLiteral("100") << QStringLiteral("100")
          << QStringLiteral("000 Anzahl texte") << QStringLiteral("000 Anzahl Schalter")
          << QStringLiteral("000 Anzahl SoundSchalter");
    return lines;
}
} // namespace

// Loading the largest possible plan, as the project start does.
static void BM_LoadTrackPlan2800(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Voll.da2"));
    LineWriter writer;
    for (const QString& line : fullPlan()) {
        writer << line;
    }
    QString error;
    if (!writer.save(path, &error)) {
        state.SkipWithError("cannot write the plan");
        return;
    }
    MessageBus bus;
    ManualScheduler scheduler;
    SystemClock clock;
    CollectingDialogs dialogs;
    Programm programm(bus, scheduler, clock, dialogs, dir.path() + u'/');
    TGleisBild bild(programm);
    programm.gleisbild = &bild;
    GleisplanDatei datei(programm);
    for (auto _ : state) {
        datei.LoadTrackPlan(path);
    }
    if (bild.Elemente().size() != 2800) {
        state.SkipWithError("plan not read completely");
    }
}
BENCHMARK(BM_LoadTrackPlan2800)->Unit(benchmark::kMillisecond);
