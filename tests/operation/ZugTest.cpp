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
