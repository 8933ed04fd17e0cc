#include "core/MessageBus.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Records "name:message" for every delivery and runs an optional reaction.
class Recorder : public MessageReceiver {
public:
    Recorder(QString name, QStringList& log) : name_(std::move(name)), log_(log) {}
    void receive(const CoreMessage& message) override
    {
        log_ << name_ + u':' + MsgShortName(message.id);
        if (react) {
            react(message);
        }
    }
    std::function<void(const CoreMessage&)> react;

private:
    QString name_;
    QStringList& log_;
};

struct MessageBusTest : testing::Test {
    MessageBus bus;
    QStringList log;
    Recorder a{"a", log}, b{"b", log}, c{"c", log};
};

} // namespace

TEST_F(MessageBusTest, DeliversInAttachOrderAndNestedBroadcastCompletesFirst)
{
    bus.attach(&a);
    bus.attach(&b);
    bus.attach(&c);
    bus.attach(&b); // twice has no effect
    a.react = [this](const CoreMessage& m) {
        if (m.id == Msg::WM_VERBINDEN) {
            bus.broadcast(Msg::WM_VERBUNDEN, WM_EC2_PROTOKOL);
        }
    };
    bus.broadcast(Msg::WM_VERBINDEN, WM_EC2_PROTOKOL);
    EXPECT_EQ(log, QStringList({"a:VERBINDEN", "a:VERBUNDEN", "b:VERBUNDEN", "c:VERBUNDEN", "b:VERBINDEN",
                                "c:VERBINDEN"}));
}

TEST_F(MessageBusTest, AttachAndDetachDuringDeliveryTakeEffectAfterIt)
{
    bus.attach(&a);
    bus.attach(&b);
    a.react = [this](const CoreMessage& m) {
        if (m.id == Msg::WM_POWERON) {
            bus.attach(&c);
            bus.detach(&b);
        }
    };
    bus.broadcast(Msg::WM_POWERON);
    // c joins only for the next message; b, detached during delivery, is not called again.
    EXPECT_EQ(log, QStringList({"a:POWERON"}));
    log.clear();
    bus.broadcast(Msg::WM_POWEROFF);
    EXPECT_EQ(log, QStringList({"a:POWEROFF", "c:POWEROFF"}));
    EXPECT_EQ(bus.receiverCount(), 2);
}

TEST_F(MessageBusTest, ReceiverMayDetachItselfAndSendReachesOnlyOne)
{
    bus.attach(&a);
    bus.attach(&b);
    a.react = [this](const CoreMessage&) { bus.detach(&a); };
    bus.broadcast(Msg::WM_GETRENNT);
    bus.broadcast(Msg::WM_GETRENNT);
    EXPECT_EQ(log, QStringList({"a:GETRENNT", "b:GETRENNT", "b:GETRENNT"}));
    log.clear();
    bus.send(&c, CoreMessage{Msg::WM_DEBUG, 1, "x"});
    EXPECT_EQ(log, QStringList({"c:DEBUG"}));
}

TEST(CoreMessage, ParamsHoldNumbersOrTexts)
{
    const CoreMessage m{Msg::WM_LOKSPEED, QStringLiteral("1005"), 42};
    EXPECT_TRUE(m.w.isText());
    EXPECT_EQ(m.w.toText(), QStringLiteral("1005"));
    EXPECT_EQ(m.l.toNumber(), 42);
    EXPECT_EQ(m.l.toText(), QStringLiteral("42"));
    EXPECT_EQ(ToString(m), QStringLiteral("WM_LOKSPEED(\"1005\", 42)"));
}
