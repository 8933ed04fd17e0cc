#include "operation/ZugPanel.h"
#include "operation/ZugPanelBilder.h"
#include "settings/ProjectSettings.h"

#include <gtest/gtest.h>

TEST(ZugPanel, FunctionKeyPlaces)
{
    const std::vector<std::pair<int, QPoint>> cases = {
        {1, {25, 77}}, {6, {130, 77}}, {7, {25, 99}}, {12, {130, 99}}, {13, {25, 123}}, {16, {88, 123}},
    };
    for (const auto& [k, platz] : cases) {
        EXPECT_EQ(ZugPanelTastenPlatz(k), platz) << k;
    }
}

// A key shows icon `FunktionBild` (+ 1 when on); numbers outside the list show the neutral icon.
TEST(ZugPanel, FunctionIconsAndHints)
{
    ProjectSettings settings;
    TZug zug;
    zug.FunktionVorhanden[2] = zug.FunktionVorhanden[3] = zug.FunktionVorhanden[4] = true;
    zug.FunktionBild = {0, 0, 9, 98, -3};
    zug.FunktionName[2] = QStringLiteral("Horn <laut>");
    zug.Funktion[2] = true;
    zug.Funktion[3] = true;
    const ZugPanelAnsicht a = ZugPanelAnsehen(zug, settings);
    EXPECT_EQ(a.tasten[2].bild, 10);
    EXPECT_EQ(a.tasten[3].bild, 0); // 98 + 1 is past the list
    EXPECT_EQ(a.tasten[4].bild, 0);
    EXPECT_EQ(a.tasten[2].hinweis, QStringLiteral("F2 Horn <laut>"));
    EXPECT_FALSE(a.tasten[1].sichtbar);
    EXPECT_EQ(a.tastenGezeigt, 3);
    EXPECT_EQ(a.hoehe, 180);
}

TEST(ZugPanel, IconListsHoldNinetyNineIconsPerSetAndTheSetsDiffer)
{
    for (int set = 0; set <= 2; ++set) {
        const std::vector<QImage>& icons = FunktionBilderListe(set);
        ASSERT_EQ(icons.size(), 99U) << set;
        for (const QImage& icon : icons) {
            EXPECT_EQ(icon.size(), QSize(20, 20));
        }
        EXPECT_NE(icons[1], icons[2]) << "off and on of symbol 1, set " << set;
        EXPECT_NE(icons[1], icons[3]) << "symbols 1 and 2, set " << set;
    }
    EXPECT_NE(FunktionBilderListe(0)[1], FunktionBilderListe(1)[1]);
    EXPECT_NE(FunktionBilderListe(1)[1], FunktionBilderListe(2)[1]);
    EXPECT_EQ(&FunktionBilderListe(7), &FunktionBilderListe(2));
    for (int bild : {0, 1, 2, 3, 4, 5, 7, 8, 9}) {
        EXPECT_EQ(ZugPanelBild(bild).size(), QSize(20, 20)) << bild;
    }
    EXPECT_TRUE(ZugPanelBild(6).isNull());
    EXPECT_NE(ZugPanelBild(2), ZugPanelBild(3));
    EXPECT_NE(ZugPanelBild(4), ZugPanelBild(5));
}
