#include "core/StepSequence.h"

StepSequence::StepSequence(Scheduler& scheduler, QString tag) : scheduler_(scheduler), tag_(std::move(tag)) {}

StepSequence& StepSequence::reset()
{
    cancel();
    run_ = std::make_shared<Run>();
    return *this;
}

StepSequence& StepSequence::then(std::function<void()> step)
{
    return check([step = std::move(step)] {
        step();
        return true;
    });
}

StepSequence& StepSequence::check(std::function<bool()> step)
{
    run_->items.push_back({0, std::move(step)});
    return *this;
}

StepSequence& StepSequence::wait(qint64 ms)
{
    run_->items.push_back({ms, {}});
    return *this;
}

StepSequence& StepSequence::finally(std::function<void()> step)
{
    run_->closing = std::move(step);
    return *this;
}

void StepSequence::start()
{
    cancel();
    auto run = run_;
    Scheduler& scheduler = scheduler_;
    const QString tag = tag_;
    scheduler_.after(0, tag_, [&scheduler, tag, run] { runFrom(scheduler, tag, run, 0); });
}

void StepSequence::cancel()
{
    scheduler_.cancel(tag_);
}

bool StepSequence::running() const
{
    return scheduler_.isPending(tag_);
}

// Runs steps until a wait, which schedules the rest. The run is shared with the scheduled
// continuation, so the sequence object may go away while a wait is pending (its owner cancels
// the tag when it does).
void StepSequence::runFrom(Scheduler& scheduler, const QString& tag, std::shared_ptr<Run> run, std::size_t index)
{
    for (std::size_t i = index; i < run->items.size(); ++i) {
        const Item& item = run->items[i];
        if (item.waitMs > 0) {
            scheduler.after(item.waitMs, tag, [&scheduler, tag, run, i] { runFrom(scheduler, tag, run, i + 1); });
            return;
        }
        if (item.step && !item.step()) {
            break;
        }
    }
    if (run->closing) {
        run->closing();
    }
}
