// Scheduler for tests: time stands still until advance() moves it.
#pragma once

#include "core/Scheduler.h"

#include <vector>

class ManualScheduler final : public Scheduler {
public:
    qint64 now() const override { return now_; }
    void after(qint64 delayMs, const QString& tag, Step step) override;
    void every(qint64 periodMs, const QString& tag, Step step) override;
    void cancel(const QString& tag) override;
    bool isPending(const QString& tag) const override;

    // Moves time forward by `ms` and runs every step that falls due up to then, in time order;
    // steps due at the same time run in the order they were scheduled. Steps scheduled while
    // advancing run too when they fall due within the window. advance(0) runs what is due now.
    void advance(qint64 ms);
    int pendingCount() const { return static_cast<int>(steps_.size()); }

private:
    struct Entry {
        qint64 due;
        quint64 sequence; // scheduling order, for first-in first-out at equal times
        QString tag;
        qint64 period;    // 0 for a single step
        Step step;
    };
    void add(qint64 due, qint64 period, const QString& tag, Step step);

    std::vector<Entry> steps_;
    qint64 now_ = 0;
    quint64 nextSequence_ = 0;
};
