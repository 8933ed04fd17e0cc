#include "core/MessageBus.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {
class Counter : public MessageReceiver {
public:
    void receive(const CoreMessage& message) override { sum += message.w.toNumber(); }
    qint64 sum = 0;
};
} // namespace

// One broadcast to the 40 receivers a full program attaches.
static void BM_BroadcastTo40Receivers(benchmark::State& state)
{
    MessageBus bus;
    std::vector<Counter> receivers(40);
    for (Counter& r : receivers) {
        bus.attach(&r);
    }
    const CoreMessage message{Msg::WM_S88_CHANGE, 17, 1};
    for (auto _ : state) {
        bus.broadcast(message);
    }
    benchmark::DoNotOptimize(receivers.front().sum);
}
BENCHMARK(BM_BroadcastTo40Receivers);
