#include "core/Msg.h"

#include <gtest/gtest.h>

TEST(Msg, TableIsInNumberOrderWithShortNames)
{
    const auto all = AllMessages();
    ASSERT_GT(all.size(), 60u);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(static_cast<quint32>(all[i - 1].id), static_cast<quint32>(all[i].id)) << all[i].name;
        }
        EXPECT_EQ(QStringLiteral("WM_") + QString::fromLatin1(all[i].shortName), QString::fromLatin1(all[i].name));
        EXPECT_EQ(FindMsg(static_cast<quint32>(all[i].id)), &all[i]);
    }
    EXPECT_EQ(FindMsg(0x400), nullptr);
    EXPECT_EQ(FindMsg(0x40D), nullptr);
}

TEST(Msg, NumbersAndSelection)
{
    struct Row {
        Msg id;
        quint32 number;
        const char* name;
        SelectOn select;
    };
    const Row rows[] = {
        {Msg::WM_SHOWPROTOKOL, 0x401, "WM_SHOWPROTOKOL", SelectOn::WParam},
        {Msg::WM_VERBUNDEN, 0x403, "WM_VERBUNDEN", SelectOn::WParam},
        {Msg::WM_LADE_LOKDATENBANK, 0x40B, "WM_LADE_LOKDATENBANK", SelectOn::LParam},
        {Msg::WM_LOKDATENBANK_OK, 0x40E, "WM_LOKDATENBANK_OK", SelectOn::None},
        {Msg::WM_S88_CHANGE2, 0x460, "WM_S88_CHANGE2", SelectOn::None},
        {Msg::WM_POWERSHORT, 0x46F, "WM_POWERSHORT", SelectOn::WParam},
        {Msg::WM_LOKDIR_ECOSID_CHANGE, 0x485, "WM_LOKDIR_ECOSID_CHANGE", SelectOn::None},
        {Msg::WM_LOKFUNK_ECOSID_CHANGE, 0x489, "WM_LOKFUNK_ECOSID_CHANGE", SelectOn::None},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(static_cast<quint32>(row.id), row.number) << row.name;
        EXPECT_EQ(MsgName(row.id), QString::fromLatin1(row.name));
        EXPECT_EQ(InfoOf(row.id).select, row.select) << row.name;
    }
    EXPECT_EQ(WM_TWIN_PROTOKOL, 1);
    EXPECT_EQ(WM_Z21_PROTOKOL, 9);
}
