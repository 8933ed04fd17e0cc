#include "drivers/DriverContract.h"
#include "drivers/SymbolTables.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Driver {
    const char* name;
    DriverTypes types;
};

const Driver kDrivers[] = {
    {"IB1", {{1, 2}, PowerOffTest::ZentraleTyp}}, {"LocoNet", {{3, 4}, PowerOffTest::ZentraleTyp}},
    {"CS1", {{5}, PowerOffTest::ZentraleTyp}},    {"CS2", {{6}, PowerOffTest::WParam}},
    {"ECoS1", {{7}, PowerOffTest::WParam}},       {"ECoS2", {{8}, PowerOffTest::WParam}},
    {"Z21", {{9}, PowerOffTest::WParam}},
};

bool serves(const Driver& d, int type)
{
    return std::find(d.types.types.begin(), d.types.types.end(), type) != d.types.types.end();
}
} // namespace

TEST(DriverContract, EachMessageReachesExactlyTheDriverOfTheActiveType)
{
    for (int active = 0; active <= 9; ++active) {
        // Messages as their senders build them with the active type.
        const CoreMessage messages[] = {
            {Msg::WM_VERBINDEN, active, 0},
            {Msg::WM_TRENNEN, active, 0},
            {Msg::WM_POWERON_SENDEN, active, 0},
            {Msg::WM_POWEROFF_SENDEN, active, 0},
            {Msg::WM_SHOWPROTOKOL, active, 0},
            {Msg::WM_OPEN_LOKLISTE, active, "Anlage"},
            {Msg::WM_OPEN_MAGNETARTLISTE, "Anlage", active},
            {Msg::WM_OPEN_MAGNETARTLISTE, 1, active},
            {Msg::WM_OPEN_S88_MAX, 96, active},
            {Msg::WM_S88_ANZ_ABFRAGE, 0, active},
            {Msg::WM_LOK_DATEN_VERGLEICHEN, 0, active},
            {Msg::WM_MAGVERGLEICHEN, active, 0},
            {Msg::WM_MAG, 12, 1},
            {Msg::WM_LOKSPEED, "1002", 50},
            {Msg::WM_LOKFUNK, 3, 0x00030001},
            {Msg::WM_SYSTEM_IP_PORT, "192.168.1.100", 15471},
        };
        for (const CoreMessage& m : messages) {
            for (const Driver& d : kDrivers) {
                EXPECT_EQ(IsForDriver(m, d.types, active), active != 0 && serves(d, active))
                    << d.name << " " << ToString(m).toStdString() << " active " << active;
            }
        }
    }
}

TEST(DriverContract, EditorPowerOffReachesOnlyDriversThatTestTheActiveType)
{
    const CoreMessage fromEditor{Msg::WM_POWEROFF_SENDEN, 0, 0};
    for (int active = 1; active <= 9; ++active) {
        for (const Driver& d : kDrivers) {
            const bool expected = serves(d, active) && d.types.powerOff == PowerOffTest::ZentraleTyp;
            EXPECT_EQ(IsForDriver(fromEditor, d.types, active), expected) << d.name << " active " << active;
        }
    }
}

TEST(DriverContract, DebugAndLinkLossReachEveryDriverAndAnotherTypeNobody)
{
    for (const Driver& d : kDrivers) {
        EXPECT_TRUE(IsForDriver({Msg::WM_DEBUG, 1, 0}, d.types, 8)) << d.name;
        EXPECT_TRUE(IsForDriver({Msg::WM_GETRENNT, 0, 0}, d.types, 0)) << d.name;
        // A message with another type than the active one still goes by its parameter.
        EXPECT_EQ(IsForDriver({Msg::WM_VERBINDEN, 7, 0}, d.types, 8), serves(d, 7)) << d.name;
    }
}

TEST(DriverContract, FeedbackModuleCoversItsSixteenContacts)
{
    const S88Record second = S88ModulFuerNummer(2, "S88 ");
    EXPECT_EQ(second.Kontakte.front(), 17);
    EXPECT_EQ(second.Kontakte.back(), 32);
}

TEST(SymbolTables, ShippedTablesHaveTheirLayoutAndMissingFilesLeaveThemEmpty)
{
    const SymbolTables shipped = SymbolTables::load(TRASSOLIN_SOURCE_DIR "/");
    ASSERT_EQ(shipped.LokModelle.size(), 81u);
    EXPECT_EQ(shipped.LokModelle.front().Name, QStringLiteral("Symbol"));
    ASSERT_EQ(shipped.LokFunktionen.size(), 35u);
    for (const LOKFUNKTIONRecord& f : shipped.LokFunktionen) {
        EXPECT_EQ(f.Code.size(), 4);
        EXPECT_FALSE(f.Text.isEmpty());
    }
    EXPECT_EQ(shipped.LokFunktionen.front().Text, QStringLiteral("Licht"));

    QTemporaryDir empty;
    const SymbolTables none = SymbolTables::load(empty.path() + "/");
    EXPECT_TRUE(none.LokModelle.empty());
    EXPECT_TRUE(none.LokFunktionen.empty());
}
