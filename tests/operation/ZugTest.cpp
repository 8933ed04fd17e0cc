#include "common/ProgramFixture.h"
#include "operation/Zug.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
struct Case {
    const char* name;
    int typ;
    std::function<void(TZug&)> op;
    std::vector<CoreMessage> expected;
};

TZug zug(Programm& p)
{
    TZug z(&p);
    z.ZugNr = 3;
    z.Addr = 78;
    z.ECOSID = QStringLiteral("1005");
    return z;
}
} // namespace

TEST(Zug, EachOperationSendsItsMessageWithTheKeyOfTheType)
{
    const auto fahrt = [](TZug& z) { z.Set_Speed(40); };
    const std::vector<Case> cases = {
        {"speed IB1", 2, fahrt, {{Msg::WM_LOKSPEED, 3, 40}}},
        {"speed LocoNet +1", 3, fahrt, {{Msg::WM_LOKSPEED, 3, 41}}},
        {"speed ECoS", 8, fahrt, {{Msg::WM_LOKSPEED, "1005", 40}}},
        {"speed CS2", 6, fahrt, {{Msg::WM_LOKSPEED, 78, 40}}},
        {"speed Z21", 9, fahrt, {{Msg::WM_LOKSPEED, 3, 40}}},
        {"speed twice", 8, [](TZug& z) { z.Set_Speed(40); z.Set_Speed(40); }, {{Msg::WM_LOKSPEED, "1005", 40}}},
        {"stop LocoNet", 4, [](TZug& z) { z.Set_Speed(40); z.Set_Speed(0); }, {{Msg::WM_LOKSPEED, 3, 41}, {Msg::WM_LOKSPEED, 3, 0}}},
        {"turn ECoS stops first", 7, [](TZug& z) { z.Set_Speed(60); z.Wenden(); },
         {{Msg::WM_LOKSPEED, "1005", 60}, {Msg::WM_LOKSPEED, "1005", 0}, {Msg::WM_LOKDIR, "1005", 1}}},
        {"turn IB1 standing sends nothing", 1, [](TZug& z) { z.Wenden(); }, {}},
        {"turn LocoNet", 3, [](TZug& z) { z.Set_Speed(10); z.Set_Richtung(1); },
         {{Msg::WM_LOKSPEED, 3, 11}, {Msg::WM_LOKSPEED, 3, 0}, {Msg::WM_LOKDIRF, 3, 32}}},
        {"DIRF bits", 4, [](TZug& z) { z.ZugRichtung = 1; z.Funktion[1] = true; z.Set_Licht(true); z.Set_Funk(3, true); },
         {{Msg::WM_LOKDIRF, 3, 49}, {Msg::WM_LOKDIRF, 3, 53}}},
        {"SND bits", 3, [](TZug& z) { z.Set_Funk(5, true); z.Set_Funk(8, true); z.Set_Funk(9, true); },
         {{Msg::WM_LOKSND, 3, 1}, {Msg::WM_LOKSND, 3, 9}}},
        {"function ECoS", 8, [](TZug& z) { z.Set_Funk(3, true); }, {{Msg::WM_LOKFUNK, "1005", 0x00030001}}},
        {"function IB1", 2, [](TZug& z) { z.Set_Funk(3, true); }, {{Msg::WM_LOKFUNK, 3, 999}}},
        {"light CS2", 6, [](TZug& z) { z.Set_Licht(true); }, {{Msg::WM_LOKFUNK, 78, 1}}},
        {"function 17 ignored", 8, [](TZug& z) { z.Set_Funk(17, true); }, {}},
    };
    for (const Case& c : cases) {
        ProgramFixture f;
        f.programm->settings.ZentraleTyp = c.typ;
        TZug z = zug(*f.programm);
        c.op(z);
        EXPECT_EQ(f.recorder.messages, c.expected) << c.name;
    }
}

// The panel redraws through the watchers: every change it shows tells them, copies of a train
// start without them, and a watcher that unregisters is not called again.
TEST(Zug, WatchersHearEveryChangeTheirTrainMakes)
{
    ProgramFixture f;
    f.programm->settings.ZentraleTyp = 8;
    TZug z = zug(*f.programm);
    int gehoert = 0;
    const int id = z.Beobachten([&gehoert] { ++gehoert; });
    const std::vector<std::pair<const char*, std::function<void(TZug&)>>> changes = {
        {"speed", [](TZug& t) { t.Set_Speed(40); }},
        {"direction", [](TZug& t) { t.Set_Richtung(1); }},
        {"light", [](TZug& t) { t.Set_Licht(true); }},
        {"function", [](TZug& t) { t.Set_Funk(4, true); }},
        {"route running", [](TZug& t) { t.AutomaticAktivSetzen(true); }},
        {"automatic key", [](TZug& t) { t.AutomaticUmschalten(true); }},
        {"close", [](TZug& t) { t.PanelSchliessen(); }},
    };
    for (const auto& [name, change] : changes) {
        const int vorher = gehoert;
        change(z);
        EXPECT_GT(gehoert, vorher) << name;
    }

    TZug kopie = z;
    const int vorher = gehoert;
    kopie.Set_Funk(5, true);
    EXPECT_EQ(gehoert, vorher);

    z.NichtMehrBeobachten(id);
    z.Set_Funk(6, true);
    EXPECT_EQ(gehoert, vorher);
}

TEST(Zug, PanelKeysForAutomaticAndClose)
{
    ProgramFixture f;
    TZug z = zug(*f.programm);
    z.ZugSichtbar = true;
    z.AutomaticUmschalten(false); // automatic operation off: the train does not join
    EXPECT_FALSE(z.ZugInAutomatic);
    z.AutomaticUmschalten(true);
    EXPECT_TRUE(z.ZugInAutomatic);
    z.AutomaticUmschalten(true);
    EXPECT_FALSE(z.ZugInAutomatic);
    z.AutomaticUmschalten(true);
    z.PanelSchliessen();
    EXPECT_FALSE(z.ZugSichtbar);
    EXPECT_FALSE(z.ZugInAutomatic);
    EXPECT_TRUE(f.recorder.messages.empty());
}
