// Waits for a condition while the event loop runs (sockets, timers), up to a bound. Never sleeps:
// each round blocks until some event arrives; a short timer guarantees a round at least every
// 10 ms so that the condition is re-checked.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    QTimer wake;
    wake.start(10);
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}
