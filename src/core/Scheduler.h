// Time for the logic: every timer and every waiting worker is a chain of steps on a Scheduler.
// Steps run on the UI thread, one after the other, never inline: even a step scheduled with
// delay 0 runs after the caller has returned to the event loop (or to ManualScheduler::advance).
//
// A tag names the steps of one owner (a route, a train, a driver's reader); the owner cancels
// its tag when it goes away, so no step of it ever runs later.
#pragma once

#include <QString>
#include <functional>

class Scheduler {
public:
    using Step = std::function<void()>;

    virtual ~Scheduler() = default;

    // Milliseconds since the scheduler was created.
    virtual qint64 now() const = 0;
    // Runs `step` once, `delayMs` from now.
    virtual void after(qint64 delayMs, const QString& tag, Step step) = 0;
    // Runs `step` every `periodMs` until its tag is cancelled.
    virtual void every(qint64 periodMs, const QString& tag, Step step) = 0;
    // Removes every pending step with this tag. A step that is running finishes.
    virtual void cancel(const QString& tag) = 0;
    virtual bool isPending(const QString& tag) const = 0;
};
