#include "core/QtScheduler.h"

#include <QTimer>
#include <algorithm>
#include <limits>

QtScheduler::QtScheduler(QObject* parent) : QObject(parent)
{
    clock_.start();
}

QtScheduler::~QtScheduler()
{
    for (auto& [id, entry] : entries_) {
        delete entry.timer;
    }
}

qint64 QtScheduler::now() const
{
    return clock_.elapsed();
}

void QtScheduler::after(qint64 delayMs, const QString& tag, Step step)
{
    start(std::max<qint64>(delayMs, 0), false, tag, std::move(step));
}

void QtScheduler::every(qint64 periodMs, const QString& tag, Step step)
{
    start(std::max<qint64>(periodMs, 1), true, tag, std::move(step));
}

void QtScheduler::start(qint64 ms, bool repeat, const QString& tag, Step step)
{
    const quint64 id = nextId_++;
    auto* timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(!repeat);
    connect(timer, &QTimer::timeout, this, [this, id] { fire(id); });
    entries_.emplace(id, Entry{timer, tag, std::move(step)});
    timer->start(static_cast<int>(std::min<qint64>(ms, std::numeric_limits<int>::max())));
}

void QtScheduler::fire(quint64 id)
{
    auto it = entries_.find(id);
    if (it == entries_.end()) {
        return;
    }
    if (it->second.timer->isSingleShot()) {
        Step step = std::move(it->second.step);
        release(it);
        step();
    } else {
        Step step = it->second.step; // a copy: the step may cancel its own tag
        step();
    }
}

void QtScheduler::cancel(const QString& tag)
{
    for (auto it = entries_.begin(); it != entries_.end();) {
        auto current = it++;
        if (current->second.tag == tag) {
            release(current);
        }
    }
}

bool QtScheduler::isPending(const QString& tag) const
{
    return std::any_of(entries_.begin(), entries_.end(),
        [&tag](const auto& pair) { return pair.second.tag == tag; });
}

void QtScheduler::release(std::map<quint64, Entry>::iterator it)
{
    it->second.timer->stop();
    it->second.timer->deleteLater(); // may be the timer whose signal is being delivered
    entries_.erase(it);
}
