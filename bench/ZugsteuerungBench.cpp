// Automatic control's reaction to a feedback contact: from the contact report on the bus
// (WM_S88_CHANGE, as the drivers send it) through the contact table to the braking speed on the
// bus (WM_LOKSPEED). The high-priority queue samples the contacts every 400 ms, so the command
// must go out at the first tick after the change: the program adds nothing beyond that tick.
// Time is manual; the change falls at a different point of the tick period in every iteration.
// Counters: the scheduler time from change to command (mean and maximum) and the number of
// high-priority ticks it took (always 1). The real time is that of the report and the tick.
#include "BenchProgramm.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "operation/Zugsteuerung.h"

#include <benchmark/benchmark.h>

namespace {
// Keeps the scheduler time of the last speed command.
class SpeedEmpfaenger final : public MessageReceiver {
public:
    explicit SpeedEmpfaenger(const Scheduler& scheduler) : scheduler_(scheduler) {}
    qint64 zeit = -1;
    int speed = -1;
    void receive(const CoreMessage& m) override
    {
        if (m.id == Msg::WM_LOKSPEED) {
            zeit = scheduler_.now();
            speed = m.l.toInt();
        }
    }

private:
    const Scheduler& scheduler_;
};

struct Program : BenchProgramm {
    SpeedEmpfaenger empfaenger{scheduler};
    TZug* zug = nullptr;

    Program() : BenchProgramm(8)
    {
        BetriebsDaten& daten = fenster->betriebsdaten();
        daten.ZugListe.push_back(std::make_unique<TZug>(&programm));
        zug = daten.ZugListe.back().get();
        zug->ECOSID = QStringLiteral("1002");
        bus.attach(&empfaenger);
    }
    ~Program() { bus.detach(&empfaenger); }
};
} // namespace

// state.range(0): commands waiting for other contacts ahead of the braking command.
static void BM_KontaktZuBremsbefehl(benchmark::State& state)
{
    Program p;
    TZugsteuerung& steuerung = p.fenster->zugsteuerung();
    for (int i = 0; i < state.range(0); ++i) {
        steuerung.AddFahrstrassenBefehl({1, 2, 1, 1, 20, 0, 100 + i % 400, 0, QStringLiteral("Bremskontakt1")});
    }
    const TFahrstrassenBefehl bremsen{1, 1, 1, 1, 40, 0, 3, 0, QStringLiteral("Bremskontakt1")};
    const qint64 periode = TZugsteuerung::HiPriorityIntervall;
    qint64 summe = 0;
    qint64 hoechstens = 0;
    qint64 ticks = 0;
    qint64 n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        p.bus.broadcast(Msg::WM_S88_CHANGE, 3, 0);
        p.zug->Set_Speed(80);
        steuerung.AddFahrstrassenBefehl(bremsen);
        p.scheduler.advance(97); // the next change falls elsewhere in the tick period
        p.empfaenger.zeit = -1;
        const qint64 start = p.scheduler.now();
        state.ResumeTiming();
        p.bus.broadcast(Msg::WM_S88_CHANGE, 3, 1);
        p.scheduler.advance(periode);
        state.PauseTiming();
        if (p.empfaenger.zeit < 0 || p.empfaenger.speed != 40) {
            state.SkipWithError("no braking command within one tick");
            break;
        }
        const qint64 latenz = p.empfaenger.zeit - start;
        summe += latenz;
        hoechstens = std::max(hoechstens, latenz);
        ticks = std::max(ticks, p.empfaenger.zeit / periode - start / periode);
        ++n;
        state.ResumeTiming();
    }
    if (n > 0) {
        state.counters["sched_ms_mean"] = static_cast<double>(summe) / static_cast<double>(n);
        state.counters["sched_ms_max"] = static_cast<double>(hoechstens);
        state.counters["hi_ticks_max"] = static_cast<double>(ticks);
    }
}
BENCHMARK(BM_KontaktZuBremsbefehl)->Arg(0)->Arg(100);
