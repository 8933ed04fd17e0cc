#include "core/ManualScheduler.h"
#include "core/StepSequence.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(StepSequence, RunsStepsWithWaitsAndAlwaysTheClosingStep)
{
    ManualScheduler s;
    QStringList log;
    StepSequence seq(s, "open");
    seq.then([&] { log << QStringLiteral("a@%1").arg(s.now()); })
        .wait(500)
        .then([&] { log << QStringLiteral("b@%1").arg(s.now()); })
        .wait(2000)
        .then([&] { log << QStringLiteral("c@%1").arg(s.now()); })
        .finally([&] { log << QStringLiteral("end@%1").arg(s.now()); });
    seq.start();
    EXPECT_TRUE(log.isEmpty());
    s.advance(499);
    EXPECT_EQ(log, QStringList({"a@0"}));
    s.advance(10000);
    EXPECT_EQ(log, QStringList({"a@0", "b@500", "c@2500", "end@2500"}));
    EXPECT_FALSE(seq.running());
}

TEST(StepSequence, FailedCheckSkipsToClosingStepAndCancelStopsEverything)
{
    ManualScheduler s;
    QStringList log;
    StepSequence seq(s, "open");
    seq.check([&] { log << "load"; return false; })
        .wait(500)
        .then([&] { log << "skipped"; })
        .finally([&] { log << "end"; });
    seq.start();
    s.advance(1000);
    EXPECT_EQ(log, QStringList({"load", "end"}));

    log.clear();
    StepSequence waiting(s, "w");
    waiting.wait(100).then([&] { log << "late"; }).finally([&] { log << "end"; });
    waiting.start();
    s.advance(50);
    waiting.cancel();
    s.advance(1000);
    EXPECT_TRUE(log.isEmpty());
}
