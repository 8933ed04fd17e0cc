// The layout simulator: trains run along the plan by speed step and direction, follow the
// turnouts the station's accessory commands set, occupy and free feedback contacts in order and
// on time, report them as the station's feedback events, and stop at obstacles.
#include "SimFixture.h"

#include <QDir>

namespace {

struct Drive {
    const char* name;
    QStringList places;
    std::vector<std::pair<int, int>> accessories; // id, state, set before driving
    QStringList trace;                             // loco 1002 at speed 100 for 2 s
};

void PrintTo(const Drive& d, std::ostream* os) { *os << d.name; }

class Driving : public SimFixture, public ::testing::WithParamInterface<Drive> {};

QStringList steps(const char* text) { return QString::fromLatin1(text).split(u'|'); }

} // namespace

TEST_P(Driving, RunsAlongThePlanAndStopsAtObstacles)
{
    const Drive& d = GetParam();
    ASSERT_TRUE(start(d.places));
    for (const auto& [id, state] : d.accessories) {
        send(QStringLiteral("set(%1, state[%2])").arg(id).arg(state));
    }
    drive(1002, 100);
    sim->advance(2000);
    EXPECT_EQ(trace(), d.trace);
}

INSTANTIATE_TEST_SUITE_P(
    Plan, Driving,
    ::testing::Values(
        Drive{"StraightTurnoutDisplayJumpAndSlipToTheBuffer", {"place 1002 3/5 E 1 0.1"}, {},
              steps("0 +2|100 -1|100 +3|200 -2|200 +4|300 -3|300 +5|400 -4|700 +6|800 -5|900 -6|1100 +10|1200 +11|"
                    "1300 -10|1300 derailed 23/8 (buffer stop)")},
        Drive{"ThrownTurnoutLeadsOntoTheBranch", {"place 1002 3/5 E 1 0.1"}, {{20000, 1}},
              steps("0 +2|100 -1|100 +3|200 -2|200 +7|300 -3|300 +8|400 -7|400 +9|500 -8|500 derailed 8/4 (buffer stop)")},
        Drive{"TrailingIntoAThrownTurnoutFromTheStraightLeg", {"place 1002 6/5 W 1 0.1"}, {{20000, 1}},
              steps("0 derailed 5/5 (turnout set against)")},
        Drive{"TrailingIntoAStraightTurnoutFromTheBranch", {"place 1002 7/4 W 1 0.1"}, {},
              steps("0 +7|100 -8|100 derailed 5/5 (turnout set against)")},
        Drive{"TrailingThroughAThrownTurnoutFromTheBranch", {"place 1002 7/4 W 1 0.1"}, {{20000, 1}},
              steps("0 +7|100 -8|100 +3|200 -7|200 +2|300 -3|300 +1|400 -2|500 -1|500 derailed 2/5 (buffer stop)")},
        Drive{"JumpThenThrownSlip", {"place 1002 11/5 E 1 0.1"}, {{20001, 1}},
              steps("100 -6|300 +12|400 +13|500 -12|500 derailed 23/7 (buffer stop)")},
        Drive{"BackThroughSlipJumpDisplayAndTurnout", {"place 1002 22/8 W 1 0.1"}, {},
              steps("100 -10|300 +6|400 +5|500 -6|800 +4|900 -5|900 +3|1000 -4|1000 +2|1100 -3|1100 +1|1200 -2|"
                    "1300 -1|1300 derailed 2/5 (buffer stop)")},
        Drive{"ToTheBlockedEndOfASiding", {"place 1002 10/11 W 1 0.1"}, {},
              steps("0 +15|100 -16|600 derailed 4/11 (end of track)")},
        Drive{"IntoASidingThroughItsBlockedEnd", {"place 1002 3/11 E 1 0.1"}, {}, steps("0 derailed 4/11 (end of track)")},
        Drive{"OffTheEndOfTheTrack", {"place 1002 10/11 E 1 0.1"}, {}, steps("0 derailed 10/11 (end of track)")},
        Drive{"IntoAnotherTrain", {"place 1002 3/5 E 1 0.1", "place 1003 6/5 E 1 0.1"}, {},
              steps("0 +2|100 -1|100 +3|200 -2|200 derailed 6/5 (collision with 1003)")},
        Drive{"HalfSpeedLongTrain", {"place 1002 4/5 E 2 0.05"}, {},
              steps("0 +3|200 -1|200 +4|400 -2|400 +5|600 -3|800 -4|1200 +6|1600 -5|1800 -6")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimFixture, ChangingDirectionTurnsTheTrainWhereItStands)
{
    ASSERT_TRUE(start({"place 1002 6/5 E 3 0.1"})); // covers 4/5, 5/5, 6/5
    drive(1002, 100);
    sim->advance(150); // the front 1.5 cells into the display, the rear half-way through 5/5
    send(QStringLiteral("set(1002, dir[1])"));
    sim->advance(300);
    EXPECT_EQ(trace(), steps("0 +5|100 -2|200 +2|300 -5|300 +1|400 -4"));
    const auto train = sim->model().train(1002);
    ASSERT_TRUE(train.has_value());
    EXPECT_EQ(train->heading, Seite::W);
    EXPECT_EQ(train->dir, 1);
    EXPECT_EQ(train->elements, QStringList({"Element_Weiche_063_0005_0005", "Element_Gleis_021_0004_0005",
                                            "Element_Gleis_021_0003_0005", "Element_Gleis_024_0002_0005"}));
}

TEST_F(SimFixture, ReportsTurnoutsSwitchedUnderATrain)
{
    ASSERT_TRUE(start({"place 1002 6/5 E 2 0.1"})); // covers the turnout 5/5 and 6/5
    const struct {
        const char* command;
        const char* event; // nullptr: none
    } rows[] = {
        {"set(20000, state[1])", "0 switched 5/5 under 1002"},
        {"set(20000, state[1])", nullptr}, // no change
        {"set(20002, state[1])", nullptr}, // the exit signal of the display ahead
        {"set(20001, state[1])", nullptr}, // a slip no train covers
        {"set(20000, state[0])", "0 switched 5/5 under 1002"},
    };
    QStringList expected;
    for (const auto& row : rows) {
        send(QString::fromLatin1(row.command));
        if (row.event) {
            expected << QString::fromLatin1(row.event);
        }
        EXPECT_EQ(trace(), expected) << row.command;
    }
    EXPECT_EQ(sim->model().element(QStringLiteral("7/5"))->SignalLinks, 1) << "the exit signal is kept";
    EXPECT_EQ(sim->model().element(QStringLiteral("21/8"))->Stellung, 1);
}

TEST_F(SimFixture, FeedbackAndStopsReachClientsAsStationEvents)
{
    ASSERT_TRUE(start({"place 1002 3/5 E 1 0.1"}));
    EXPECT_EQ(station().layout().modules[0].state, 0x1u) << "the standing train occupies contact 1";
    send(QStringLiteral("set(20000, state[1])"));
    send(QStringLiteral("set(1, stop)"));
    drive(1002, 100);
    sim->advance(500);
    EXPECT_TRUE(trace().isEmpty()) << "without power nothing moves";
    received.clear();
    send(QStringLiteral("set(1, go)"));
    sim->advance(1000);
    // Onto the branch and into its buffer stop; there the loco is stopped as a hand controller
    // stops it.
    QByteArray expected;
    for (const char* state : {"0x3", "0x2", "0x6", "0x4", "0x44", "0x40", "0xc0", "0x80", "0x180", "0x100"}) {
        expected += QByteArray("<EVENT 100>\r\n100 state[") + state + "]\r\n<END 0 (OK)>\r\n";
    }
    expected += "<EVENT 1002>\r\n1002 speed[0]\r\n<END 0 (OK)>\r\n";
    EXPECT_EQ(received, expected);
    EXPECT_EQ(station().loco(1002)->speed, 0);
    const auto train = sim->model().train(1002);
    ASSERT_TRUE(train.has_value());
    EXPECT_TRUE(train->derailed);
    EXPECT_EQ(train->derailedAt, "Element_Gleis_023_0008_0004");
    EXPECT_EQ(train->reason, "buffer stop");
    EXPECT_EQ(train->elements, QStringList({"Element_Gleis_023_0008_0004"}));
}

TEST_F(SimFixture, FollowsTheSchedulerAndCatchesUpBeforeEachCommand)
{
    ASSERT_TRUE(start({"place 1002 3/5 E 1 0.1"}));
    sim->run(clock, 50);
    clock.advance(30);
    EXPECT_EQ(sim->model().now(), 0) << "no tick yet";
    EXPECT_EQ(sim->execute(QStringLiteral("speed 1002 100")), "OK"); // a hand controller at 30 ms
    EXPECT_EQ(sim->model().now(), 30);
    clock.advance(110); // ticks at 50 and 100
    EXPECT_EQ(sim->model().now(), 100);
    send(QStringLiteral("set(20000, state[1])")); // a client at 140 ms, the train on the turnout
    EXPECT_EQ(sim->model().now(), 140);
    EXPECT_EQ(trace(), steps("30 +2|130 -1|130 +3|140 switched 5/5 under 1002"));
}
