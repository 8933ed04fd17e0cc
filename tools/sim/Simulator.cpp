#include "Simulator.h"

#include "core/Scheduler.h"

namespace Sim {

namespace {
const QString kTickTag = QStringLiteral("sim-layout");
}

Simulator::Simulator(const Scenario& scenario) : server_(scenario), model_(server_.station()), control_(server_, &model_)
{
    station().setChangeHook([this](int id) { model_.objectChanged(id); });
    model_.addEventListener([this](const LayoutEvent& event) { Q_EMIT reported(event); });
    // Emitted before the station handles the line.
    connect(&server_, &EcosServer::commandReceived, this, &Simulator::catchUp);
}

std::unique_ptr<Simulator> Simulator::create(const Scenario& scenario, QString* error)
{
    std::unique_ptr<Simulator> sim(new Simulator(scenario));
    if (!sim->model_.load(scenario, error)) {
        return nullptr;
    }
    return sim;
}

Simulator::~Simulator()
{
    if (scheduler_ != nullptr) {
        scheduler_->cancel(kTickTag);
    }
    station().setChangeHook({});
}

void Simulator::run(Scheduler& scheduler, qint64 tickMs)
{
    if (scheduler_ != nullptr) {
        scheduler_->cancel(kTickTag);
    }
    scheduler_ = &scheduler;
    lastTick_ = scheduler.now();
    scheduler.every(tickMs, kTickTag, [this] { catchUp(); });
}

void Simulator::catchUp()
{
    if (scheduler_ == nullptr) {
        return;
    }
    const qint64 now = scheduler_->now();
    if (now > lastTick_) {
        model_.advance(static_cast<double>(now - lastTick_));
        lastTick_ = now;
    }
}

QString Simulator::execute(const QString& line)
{
    catchUp();
    return control_.execute(line);
}

} // namespace Sim
