// A run of steps with waits between them, on a Scheduler: what would be "do this, wait 500 ms,
// do that" in a blocking program. The steps run one after the other on the UI thread; a wait
// hands control back to the event loop. A step that returns false ends the run early and jumps
// to the closing step, which always runs. UI thread only.
#pragma once

#include "core/Scheduler.h"

#include <functional>
#include <memory>
#include <vector>

class StepSequence {
public:
    StepSequence(Scheduler& scheduler, QString tag);

    // Cancels a pending run and forgets its steps, for building a new run.
    StepSequence& reset();

    StepSequence& then(std::function<void()> step);
    // A step that may stop the run: false skips every later step except the closing one.
    StepSequence& check(std::function<bool()> step);
    StepSequence& wait(qint64 ms);
    StepSequence& finally(std::function<void()> step);

    // Starts the run; its first step runs from the event loop, never inline.
    void start();
    void cancel();
    bool running() const;

private:
    struct Item {
        qint64 waitMs = 0;
        std::function<bool()> step;
    };
    struct Run {
        std::vector<Item> items;
        std::function<void()> closing;
    };
    static void runFrom(Scheduler& scheduler, const QString& tag, std::shared_ptr<Run> run, std::size_t index);

    Scheduler& scheduler_;
    QString tag_;
    std::shared_ptr<Run> run_ = std::make_shared<Run>();
};
