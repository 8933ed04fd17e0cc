#include "core/ManualScheduler.h"

#include <algorithm>

void ManualScheduler::after(qint64 delayMs, const QString& tag, Step step)
{
    add(now_ + std::max<qint64>(delayMs, 0), 0, tag, std::move(step));
}

void ManualScheduler::every(qint64 periodMs, const QString& tag, Step step)
{
    const qint64 period = std::max<qint64>(periodMs, 1);
    add(now_ + period, period, tag, std::move(step));
}

void ManualScheduler::cancel(const QString& tag)
{
    std::erase_if(steps_, [&tag](const Entry& e) { return e.tag == tag; });
}

bool ManualScheduler::isPending(const QString& tag) const
{
    return std::any_of(steps_.begin(), steps_.end(), [&tag](const Entry& e) { return e.tag == tag; });
}

void ManualScheduler::add(qint64 due, qint64 period, const QString& tag, Step step)
{
    steps_.push_back({due, nextSequence_++, tag, period, std::move(step)});
}

void ManualScheduler::advance(qint64 ms)
{
    const qint64 end = now_ + std::max<qint64>(ms, 0);
    for (;;) {
        auto next = std::min_element(steps_.begin(), steps_.end(), [](const Entry& a, const Entry& b) {
            return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
        });
        if (next == steps_.end() || next->due > end) {
            break;
        }
        Entry entry = std::move(*next);
        steps_.erase(next);
        now_ = entry.due;
        if (entry.period > 0) {
            // Re-queued before it runs, so the step can cancel its own tag.
            add(entry.due + entry.period, entry.period, entry.tag, entry.step);
        }
        entry.step();
    }
    now_ = end;
}
