// The whole simulator in one object, as the program `trassolin-sim` and in-process tests use
// it: the ECoS station served on loopback TCP, the layout model that moves the trains, and the
// text controls.
//
// Time: `run(scheduler)` lets the layout follow a scheduler's clock, a tick every `tickMs`; the
// program passes a QtScheduler (real time), a test the program's ManualScheduler, so that
// advancing that scheduler moves the trains too. Before every client command and control line
// the layout catches up with the clock, so a speed or turnout change takes effect at the moment
// it arrives, not at the next tick. Without `run`, only `advance` moves time.
// UI thread only.
#pragma once

#include "EcosSimulator.h"
#include "LayoutModel.h"

#include <QObject>
#include <memory>

class Scheduler;

namespace Sim {

class Simulator : public QObject {
    Q_OBJECT
public:
    // The station and its layout from `scenario`; nullptr with `error` when the plan cannot be
    // read or a train does not fit where it is placed.
    static std::unique_ptr<Simulator> create(const Scenario& scenario, QString* error = nullptr);
    ~Simulator() override;

    // Serves the ECoS protocol on 127.0.0.1 (port 0: any free port).
    bool listen(quint16 port = 0) { return server_.listen(port); }
    quint16 port() const { return server_.port(); }

    // `scheduler` must outlive the simulator.
    void run(Scheduler& scheduler, qint64 tickMs = 50);
    // Moves the layout's time on by hand.
    void advance(double ms) { model_.advance(ms); }
    // One control line (see kControlHelp); the answer, several lines for "status".
    QString execute(const QString& line);

    EcosServer& server() { return server_; }
    EcosStation& station() { return server_.station(); }
    LayoutModel& model() { return model_; }
    const LayoutModel& model() const { return model_; }

Q_SIGNALS:
    // Every layout event as it happens (see LayoutEvent::text for the transcript line).
    void reported(const Sim::LayoutEvent& event);

private:
    explicit Simulator(const Scenario& scenario);
    void catchUp();

    EcosServer server_;
    LayoutModel model_;
    EcosControl control_;
    Scheduler* scheduler_ = nullptr;
    qint64 lastTick_ = 0;
};

} // namespace Sim
