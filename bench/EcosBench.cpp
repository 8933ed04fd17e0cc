// The ECoS driver's receive path in the full program: from the bytes of a feedback event arriving
// on the link to the contact table updated by the main window (WM_S88_CHANGE2). Time is manual:
// the reader's 30 ms wait is not measured, only the work of one reader tick.
#include "BenchProgramm.h"
#include "diagram/GleisBild.h"
#include "drivers/ecos/TProtokolEcos.h"

#include <benchmark/benchmark.h>

namespace {
struct Program : BenchProgramm {
    FakeTransport* link = nullptr;

    Program() : BenchProgramm(8)
    {
        link = static_cast<FakeTransport*>(fenster->transport(QStringLiteral("TProtokolEC2")));
        bus.broadcast(Msg::WM_VERBINDEN, 8, 0);
        scheduler.advance(3000);
        link->accept();
        QByteArray modules = "<REPLY queryObjects(26,ports)>\r\n";
        for (int id = 100; id < 132; ++id) {
            modules += QByteArray::number(id) + " ports[16]\r\n";
        }
        link->feed(modules + "<END 0 (OK)>\r\n");
        scheduler.advance(12000);
    }
};
} // namespace

// One event block, one reader tick, the contact table updated.
static void BM_EcosFeedbackEventToContactTable(benchmark::State& state)
{
    Program p;
    const TGleisKontaktListe& kontakte = p.fenster->gleisbild().Kontakte();
    const QByteArray on = "<EVENT 131>\r\n131 state[0x8001]\r\n<END 0 (OK)>\r\n";
    const QByteArray off = "<EVENT 131>\r\n131 state[0x0]\r\n<END 0 (OK)>\r\n";
    bool occupied = false;
    for (auto _ : state) {
        occupied = !occupied;
        p.link->feed(occupied ? on : off);
        p.scheduler.advance(TProtokolEcos::ReaderMs);
        if (kontakte.Besetzt(32 * 16) != occupied) {
            state.SkipWithError("contact not updated");
            break;
        }
    }
}
BENCHMARK(BM_EcosFeedbackEventToContactTable);

// 200 event blocks arriving in one read, all handled in one reader tick.
static void BM_EcosBurstOf200Events(benchmark::State& state)
{
    Program p;
    const TGleisKontaktListe& kontakte = p.fenster->gleisbild().Kontakte();
    QByteArray burst;
    for (int i = 0; i < 200; ++i) {
        const int id = 100 + i % 32;
        burst += "<EVENT " + QByteArray::number(id) + ">\r\n" + QByteArray::number(id) + " state[0x"
                 + QByteArray::number(i + 1, 16) + "]\r\n<END 0 (OK)>\r\n";
    }
    for (auto _ : state) {
        p.link->feed(burst);
        p.scheduler.advance(TProtokolEcos::ReaderMs);
        if (!p.fenster->ecosProtokol(8)->empfangsQueue().empty() || !kontakte.Besetzt(1)) {
            state.SkipWithError("burst not handled in one tick");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_EcosBurstOf200Events);
