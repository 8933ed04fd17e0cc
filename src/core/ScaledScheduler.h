// A real-time scheduler that runs every delay `factor` times faster, for loopback tests of timer
// chains (a driver's 3 s attempts and 1 s registration steps) that must finish quickly. Steps
// still run from the event loop, never inline; their order and proportions are kept.
#pragma once

#include "core/QtScheduler.h"

#include <algorithm>

class ScaledScheduler final : public Scheduler {
public:
    explicit ScaledScheduler(qint64 factor) : factor_(factor) {}
    qint64 now() const override { return inner_.now() * factor_; }
    void after(qint64 delayMs, const QString& tag, Step step) override { inner_.after(delayMs / factor_, tag, std::move(step)); }
    void every(qint64 periodMs, const QString& tag, Step step) override
    {
        inner_.every(std::max<qint64>(1, periodMs / factor_), tag, std::move(step));
    }
    void cancel(const QString& tag) override { inner_.cancel(tag); }
    bool isPending(const QString& tag) const override { return inner_.isPending(tag); }

private:
    QtScheduler inner_;
    qint64 factor_;
};
