#include "core/ManualScheduler.h"
#include "core/QtScheduler.h"

#include <QCoreApplication>
#include <QStringList>
#include <gtest/gtest.h>

TEST(ManualScheduler, RunsDueStepsInTimeOrderFirstInFirstOutAtEqualTimes)
{
    ManualScheduler s;
    QStringList log;
    s.after(20, "x", [&] { log << QStringLiteral("late@%1").arg(s.now()); });
    s.after(10, "x", [&] { log << QStringLiteral("first@%1").arg(s.now()); });
    s.after(10, "y", [&] { log << QStringLiteral("second@%1").arg(s.now()); });
    s.advance(9);
    EXPECT_TRUE(log.isEmpty());
    s.advance(11);
    EXPECT_EQ(log, QStringList({"first@10", "second@10", "late@20"}));
    EXPECT_EQ(s.now(), 20);
}

TEST(ManualScheduler, ZeroDelayNeverRunsInlineAndChainsRunWithinTheWindow)
{
    ManualScheduler s;
    QStringList log;
    // A worker: each step schedules the next 5 ms after it ended.
    std::function<void(int)> step = [&](int n) {
        log << QStringLiteral("step%1@%2").arg(n).arg(s.now());
        if (n < 3) {
            s.after(5, "worker", [&, n] { step(n + 1); });
        }
    };
    s.after(0, "worker", [&] { step(1); });
    EXPECT_TRUE(log.isEmpty());
    s.advance(0);
    EXPECT_EQ(log, QStringList({"step1@0"}));
    s.advance(100);
    EXPECT_EQ(log, QStringList({"step1@0", "step2@5", "step3@10"}));
    EXPECT_FALSE(s.isPending("worker"));
}

TEST(ManualScheduler, CancelRemovesOnlyThatTagAndPeriodicStepsCanCancelThemselves)
{
    ManualScheduler s;
    int ticks = 0;
    int other = 0;
    s.every(10, "tick", [&] {
        if (++ticks == 3) {
            s.cancel("tick");
        }
    });
    s.after(15, "other", [&] { ++other; });
    s.after(25, "gone", [&] { ADD_FAILURE() << "cancelled step ran"; });
    s.cancel("gone");
    s.advance(100);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(other, 1);
    EXPECT_EQ(s.pendingCount(), 0);
}

TEST(QtScheduler, RunsStepsFromTheEventLoopNeverInline)
{
    QtScheduler s;
    QStringList log;
    s.after(0, "a", [&] { log << "a"; });
    s.after(0, "b", [&] { log << "b"; });
    s.after(0, "c", [&] { log << "c"; });
    s.cancel("b");
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(s.isPending("a"));
    for (int i = 0; i < 100 && log.size() < 2; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(log, QStringList({"a", "c"}));
    EXPECT_FALSE(s.isPending("a"));
}
