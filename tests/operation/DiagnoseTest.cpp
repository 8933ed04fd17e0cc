#include "operation/FahrbetriebFixture.h"

#include <gtest/gtest.h>

namespace {

QList<int> besetzt(Fahrbetrieb& f, int bis)
{
    QList<int> l;
    for (int k = 1; k <= bis; ++k) {
        if (f.bild().Kontakte().Besetzt(k)) {
            l << k;
        }
    }
    return l;
}

TEST(TDiagnose, LinesAreKeptOnlyWhileShown)
{
    Fahrbetrieb f;
    TDiagnose& d = f.diagnose();
    d.DiagnoseZeile("verloren", TDiagnose::ArtRot);
    d.Zeigen();
    f.programm->fahrstrassen->DiagnoseZeile("TrassolinAutomatic AN ");
    d.DiagnoseZeile("gruen", TDiagnose::ArtGruen);
    d.DiagnoseZeile("falsche Art", 7);
    EXPECT_EQ(d.Zeilen(), (std::deque<TDiagnose::Zeile>{{"TrassolinAutomatic AN ", 2}, {"gruen", 1}, {"falsche Art", 0}}));
    for (int i = 0; i < TDiagnose::MaxZeilen; ++i) {
        d.DiagnoseZeile(QString::number(i), 1);
    }
    EXPECT_EQ(d.Zeilen().size(), static_cast<std::size_t>(TDiagnose::MaxZeilen));
    EXPECT_EQ(d.Zeilen().front().text, "0") << "the oldest lines go first";
    d.Verbergen();
    d.DiagnoseZeile("verloren", 0);
    EXPECT_EQ(d.Zeilen().back().text, QString::number(TDiagnose::MaxZeilen - 1));
}

TEST(TDiagnose, SimulationSetsHandedContactsOneAfterTheOther)
{
    Strecke s;
    TDiagnose& d = s.diagnose();
    s.bild().SetContactState(1, 0);
    EXPECT_EQ(d.SimulationMenuText(), "Si&mulation einschalten");
    d.SimulationEinschalten();
    EXPECT_EQ(d.SimulationMenuText(), "&Simulation ausschalten");
    EXPECT_EQ(besetzt(s, 10), QList<int>({1})) << "the display holding a train";
    d.SimulationKontakt(3);
    s.scheduler.advance(1000);
    d.SimulationKontakt(5); // the timer starts again: 2500 ms from here
    s.scheduler.advance(2499);
    EXPECT_EQ(besetzt(s, 10), QList<int>({1}));
    s.scheduler.advance(1);
    EXPECT_EQ(besetzt(s, 10), QList<int>({1, 3}));
    d.SimulationAusschalten();
    s.scheduler.advance(10000);
    EXPECT_EQ(d.SimulationQueue(), std::deque<int>({5})) << "kept while off";
    d.SimulationEinschalten();
    s.scheduler.advance(2500);
    EXPECT_EQ(besetzt(s, 10), QList<int>({1, 3, 5}));
    EXPECT_TRUE(d.SimulationQueue().empty());
}

// Without a command station a route runs to its end on the simulated contacts.
TEST(TDiagnose, ARouteRunsOnTheSimulation)
{
    Strecke s;
    s.diagnose().SimulationEinschalten();
    ASSERT_TRUE(s.starten());
    EXPECT_EQ(s.diagnose().SimulationQueue(), std::deque<int>({2, 3, 4, 5, 6}));
    s.scheduler.advance(12500);
    EXPECT_EQ(besetzt(s, 10), QList<int>({1, 2, 3, 4, 5, 6}));
    s.scheduler.advance(300); // the target seen at 12800: the train has left every other contact
    EXPECT_EQ(besetzt(s, 10), QList<int>({6}));
    s.scheduler.advance(2500);
    EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), QStringList({"t=0 1002 80", "t=14800 1002 0"}));
    EXPECT_EQ(s.b->HaltestelleElement->Zug, s.zug);
    EXPECT_EQ(s.ab->FahrstrasseStatus, 0);
}

} // namespace
