#include "common/ProgramFixture.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "operation/ThreatZug.h"

#include <gtest/gtest.h>

namespace {
struct Hooks final : ZugBefehlDienste {
    QStringList calls;
    void ZugIstAngekommen(int s, int f, TZug&) override { calls << QStringLiteral("angekommen %1/%2").arg(s).arg(f); }
    void AblaufFortsetzen(TZug&) override { calls << "weiter"; }
    void ZugverfolgungMelden(TZug&) override { calls << "verfolgung"; }
};

struct Worker : ProgramFixture {
    Hooks hooks;
    TZug* zug = nullptr;
    Worker()
    {
        programm->settings.ZentraleTyp = 8;
        programm->betriebsdaten->ZugListe.push_back(std::make_unique<TZug>(programm.get()));
        zug = programm->betriebsdaten->ZugListe.back().get();
        zug->ECOSID = "1002";
    }
    void start(TThreatZug::Auftrag a, const QString& tag = "Zug0")
    {
        TThreatZug::Starten(*programm, hooks, a, tag);
    }
    int speeds() const { return recorder.count(Msg::WM_LOKSPEED); }
};
} // namespace

TEST(ThreatZug, SteppedWaitTable)
{
    const std::pair<int, int> rows[] = {{0, 0}, {500, 0}, {501, 1000}, {600, 1000}, {1000, 1000}, {2000, 3000}, {2001, 4000}};
    for (const auto& [delay, expected] : rows) {
        EXPECT_EQ(TThreatZug::GestufteWartezeit(delay), expected) << delay;
    }
}

TEST(ThreatZug, DelayedSpeedRunsAfterItsDelayAndCancelStopsIt)
{
    Worker f;
    f.start({.BefehlAuswahl = 1, .Wert = 40, .Delay = 1500, .Text = "Bremskontakt3"});
    f.scheduler.advance(1499);
    EXPECT_EQ(f.speeds(), 0);
    f.scheduler.advance(1);
    EXPECT_EQ(f.recorder.messages, (std::vector<CoreMessage>{{Msg::WM_LOKSPEED, "1002", 40}}));
    EXPECT_EQ(f.hooks.calls, QStringList({"verfolgung"}));

    f.start({.BefehlAuswahl = 1, .Wert = 80, .Delay = 1000, .Text = "Start"}, "Fahrstrasse.1.2");
    f.scheduler.advance(500);
    f.scheduler.cancel("Fahrstrasse.1.2");
    f.scheduler.advance(5000);
    EXPECT_EQ(f.speeds(), 1);
}

TEST(ThreatZug, ZuKontaktPollsTheContactThenWaitsSteppedAndStops)
{
    Worker f;
    f.programm->gleisbild->RebuildContactLists();
    f.zug->Set_Speed(60);
    f.recorder.messages.clear();
    f.start({.BefehlAuswahl = 1, .Delay = 2000, .Text = "Zu Kontakt", .ZielKontakt = 21, .VonAblauf = true});
    f.scheduler.advance(10000);
    EXPECT_EQ(f.speeds(), 0) << "still driving towards the contact";
    f.programm->gleisbild->SetContactState(21, 1);
    f.scheduler.advance(500); // the next poll sees it
    f.scheduler.advance(2999);
    EXPECT_EQ(f.speeds(), 0);
    f.scheduler.advance(1);
    EXPECT_EQ(f.recorder.messages, (std::vector<CoreMessage>{{Msg::WM_LOKSPEED, "1002", 0}}));
    EXPECT_EQ(f.zug->ZugKontakt, 21);
    EXPECT_EQ(f.hooks.calls, QStringList({"weiter", "verfolgung"}));
}

TEST(ThreatZug, ZugVorfahrenWaitsItsDelayAndTheSteppedWait)
{
    Worker f;
    f.zug->Set_Speed(30);
    f.start({.BefehlAuswahl = 1, .Delay = 600, .Text = "Zug vorfahren"});
    f.scheduler.advance(1599);
    EXPECT_EQ(f.speeds(), 1);
    f.scheduler.advance(1);
    EXPECT_EQ(f.speeds(), 2);
    EXPECT_EQ(f.zug->ZugSpeedLetzte, 0);
}

TEST(ThreatZug, FunctionOnThenOffAfterTheSettingsDelay)
{
    Worker f;
    f.programm->settings.FunktionenOnOffDelay = 700;
    f.start({.BefehlAuswahl = 5, .Wert = 3, .Delay = 100, .AblaufFortsetzen = true});
    f.scheduler.advance(100);
    EXPECT_EQ(f.recorder.messages, (std::vector<CoreMessage>{{Msg::WM_LOKFUNK, "1002", 0x00030001}}));
    f.scheduler.advance(699);
    EXPECT_EQ(f.recorder.messages.size(), 1u);
    f.scheduler.advance(1);
    EXPECT_EQ(f.recorder.messages.back(), (CoreMessage{Msg::WM_LOKFUNK, "1002", 0x00030000}));
    EXPECT_EQ(f.hooks.calls, QStringList({"weiter", "verfolgung"}));
}

TEST(ThreatZug, ZielBooksTheArrivalOnlyForAnExistingRoute)
{
    Worker f;
    BetriebsDaten& d = *f.programm->betriebsdaten;
    THaltestelle* h = d.HaltestelleNeu("Nord");
    d.FahrstrasseNeu(*h, 4, "Nach_Sued");
    f.zug->ZugAktiv = true;
    f.start({.StartHaltestelleID = h->HaltestelleID, .FahrstrasseID = 7, .BefehlAuswahl = 1, .Text = "Ziel"});
    f.scheduler.advance(0);
    EXPECT_TRUE(f.zug->ZugAktiv);
    f.start({.StartHaltestelleID = h->HaltestelleID, .FahrstrasseID = 4, .BefehlAuswahl = 1, .Text = "Ziel"});
    f.scheduler.advance(0);
    EXPECT_FALSE(f.zug->ZugAktiv);
    EXPECT_TRUE(f.hooks.calls.contains(QStringLiteral("angekommen %1/4").arg(h->HaltestelleID)));
}
