#include "diagram/DiagramFixture.h"

#include <gtest/gtest.h>

// Names follow prefix + kind + column + row; a taken name grows by the counter's digits.
TEST(ElementFactory, NamesFollowKindAndCellAndStayUnique)
{
    DiagramFixture f;
    struct Row {
        int kind, x, y;
        const char* name;
    };
    const Row rows[] = {
        {62, 5, 10, "Element_Weiche_062_0005_0010"},
        // Two more for the same cell, as a damaged file holds them (the grid is not built yet).
        {62, 5, 10, "Element_Weiche_062_0005_00101"},
        {62, 5, 10, "Element_Weiche_062_0005_001012"},
        {1, 1, 1, "Element_Signal_001_0001_0001"},
        {13, 2, 1, "Bahnubergang_013_0002_0001"},
        {50, 3, 1, "Bahnubergang_050_0003_0001"},
        {16, 4, 1, "AblaufsteuerungTaste_016_0004_0001"},
        {21, 70, 40, "Element_Gleis_021_0070_0040"},
        {84, 6, 1, "Element_Gleis_084_0006_0001"},
        {53, 7, 1, "Element_Uberfu_053_0007_0001"},
        {56, 8, 1, "Element_KreuzW_056_0008_0001"},
        {57, 9, 1, "Element_Sprung_057_0009_0001"},
        {60, 10, 1, "Element_Kreuzu_060_0010_0001"},
        {101, 11, 2, "Element_LokAnz_101_0011_0002"},
    };
    for (const Row& row : rows) {
        TGleisBildElement* e = f.add(row.kind, row.x, row.y);
        ASSERT_NE(e, nullptr) << row.name;
        EXPECT_EQ(e->Name, QString::fromLatin1(row.name));
        EXPECT_EQ(e->rect.topLeft(), ZellenPixel(row.x, row.y)) << row.name;
    }
    EXPECT_EQ(ZellenPixel(1, 1), QPoint(9, 31));
    EXPECT_EQ(ZellenPixel(70, 40), QPoint(8 + 21 * 70 - 20, 30 + 21 * 40 - 20));
}

// Range and cell checks: only loco displays report a refusal.
TEST(ElementFactory, RefusesCellsOutsideTheGridTakenCellsAndUnknownKinds)
{
    struct Row {
        int kind, x, y;
        bool created;
        bool dialog;
    };
    const Row rows[] = {
        {100, 66, 5, false, true}, // x + 5 = 71
        {100, 65, 5, true, false},
        {99, 67, 5, true, false},  // 67..70
        {99, 68, 5, false, true},
        {99, 8, 3, false, true},   // would cover the turnout at (10, 3)
        {99, 10, 3, false, true},  // its own cell is taken
        {62, 10, 3, false, false}, // taken cell: refused silently
        {21, 71, 1, false, false},
        {21, 0, 1, false, false},
        {21, 1, 41, false, false},
        {18, 1, 1, false, false},  // kinds that do not occur in a plan
        {80, 1, 1, false, false},
        {103, 1, 1, false, false},
        {21, 1, 1, true, false},
    };
    for (const Row& row : rows) {
        DiagramFixture f;
        f.add(62, 10, 3);
        f.bild().RebuildGrid();
        const auto before = f.bild().Elemente().size();
        TGleisBildElement* e = f.add(row.kind, row.x, row.y);
        EXPECT_EQ(e != nullptr, row.created) << row.kind << " at " << row.x << "/" << row.y;
        EXPECT_EQ(f.bild().Elemente().size(), before + (row.created ? 1 : 0));
        EXPECT_EQ(f.dialogs.asked, row.dialog ? QStringList{QStringLiteral("Einfugen nicht möglich!!")} : QStringList{});
    }
}

TEST(ElementFactory, SetsKindSpecificData)
{
    DiagramFixture f;
    GridElementDaten d;
    d.MagnetArtNr = 12;
    d.GleisKontaktNr = 600; // above 512: never reaches the contact table
    struct Row {
        int kind;
        int magnetArtNr;
        int kategorie;
    };
    const Row rows[] = {{1, 12, 3}, {13, 12, 2}, {16, 12, 6}, {21, 0, 1}, {49, 12, 7}, {52, 12, 8},
                        {55, 12, 4}, {58, 0, 5}, {62, 12, 2}, {84, 0, 1}, {89, 0, 1}};
    int x = 1;
    for (const Row& row : rows) {
        d.GleisBildNr = row.kind;
        d.PosX = x++;
        d.PosY = 1;
        TGleisBildElement* e = f.bild().CreateGridElement(d);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->MagnetArtNr, row.magnetArtNr) << row.kind;
        EXPECT_EQ(e->Kategorie, row.kategorie) << row.kind;
        EXPECT_EQ(e->GleisKontaktNr, 0) << row.kind;
        EXPECT_EQ(e->BildX, 21 * row.kind - 20);
    }
    EXPECT_EQ(f.bild().Elemente()[2]->Hint, QStringLiteral("Noch kein Ablaufsteuerungs-Programm zugewiesen"));

    d.GleisBildNr = 17;
    d.PosY = 2;
    d.AblaufsteuerungName = QStringLiteral("Pendel");
    EXPECT_EQ(f.bild().CreateGridElement(d)->Hint, QStringLiteral("Pendel"));

    TGleisBildElement* mark = f.addJumpMark(1, 3, 4, 2);
    EXPECT_EQ(mark->Hint, QStringLiteral("Sprungmarke 4/2"));
    EXPECT_EQ(f.bild().Sprungmarke(4, 2), mark);
    EXPECT_EQ(f.addJumpMark(2, 3, 9, 1)->Hint, QStringLiteral("Sprungmarke 9/1")); // not registered
    EXPECT_EQ(f.bild().SprungmarkenPaare(), 1);
}

TEST(ElementFactory, LocoDisplaysGetWidthButtonsAndRedSignals)
{
    DiagramFixture f;
    struct Row {
        int kind;
        int width;
        bool buttons;
        int bildLinks, bildRechts;
        const char* hintLinks;
        const char* hintRechts;
    };
    const Row rows[] = {
        {99, 83, false, 0, 0, "", ""},
        {100, 125, true, 17, 19, "Signal", "Signal"},
        {101, 125, true, 14, 19, "", "Signal"},
        {102, 125, true, 17, 15, "Signal", ""},
    };
    int y = 1;
    for (const Row& row : rows) {
        TGleisBildElement* e = f.add(row.kind, 1, y++);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->GleisBildNr, 99);
        EXPECT_EQ(e->LokAnzeigeVariante, row.kind - 99);
        EXPECT_EQ(e->DateiGleisBildNr(), row.kind);
        EXPECT_EQ(e->Kategorie, 10);
        EXPECT_EQ(e->rect.size(), QSize(row.width, 20));
        EXPECT_EQ(e->ImageLinks.vorhanden, row.buttons);
        EXPECT_EQ(e->ImageLinks.Bild, row.bildLinks) << row.kind;
        EXPECT_EQ(e->ImageRechts.Bild, row.bildRechts) << row.kind;
        EXPECT_EQ(e->ImageLinks.Hint, QString::fromLatin1(row.hintLinks));
        EXPECT_EQ(e->ImageRechts.Hint, QString::fromLatin1(row.hintRechts));
        EXPECT_EQ(e->SignalLinks, 0);
        EXPECT_EQ(e->SignalRechts, 0);
        if (row.buttons) {
            EXPECT_EQ(e->ImageRechts.rect, QRect(105, 0, 20, 20));
        }
    }
}

TEST(ElementFactory, FreeStandingElementsGetRunningNamesAndTheirParts)
{
    DiagramFixture f;
    EXPECT_EQ(f.bild().CreateSchalterElement()->Name, QStringLiteral("SchalterElement1"));
    TSchalterElement* s = f.bild().CreateSchalterElement();
    EXPECT_EQ(s->Name, QStringLiteral("SchalterElement2"));
    EXPECT_EQ(QSize(s->Width, s->Height), QSize(62, 20));
    EXPECT_EQ(s->ANTaste.rect, QRect(23, 1, 16, 18));
    EXPECT_EQ(s->ANTaste.Farbe, 32768u);
    EXPECT_EQ(s->AUSTaste.rect, QRect(40, 1, 16, 18));
    EXPECT_EQ(s->AUSTaste.Farbe, 255u);
    s->SetTasterSchalter(TSchalterElement::Taster);
    EXPECT_FALSE(s->AUSTaste.Visible);
    EXPECT_EQ(f.bild().CreateSoundSchalterElement()->Name, QStringLiteral("SoundSchalterElement1"));
    EXPECT_FALSE(f.bild().SoundSchalterElemente()[0]->HatSound());
    EXPECT_EQ(f.bild().CreateTextElement()->Height, 20);
    EXPECT_EQ(f.bild().Drehscheibe().Name, QStringLiteral("Drehscheibe1"));
    EXPECT_FALSE(f.bild().Drehscheibe().Visible);

    f.bild().CreateTextElement();
    f.add(21, 1, 1);
    f.bild().ClearPlan();
    EXPECT_TRUE(f.bild().Elemente().empty());
    EXPECT_TRUE(f.bild().TextElemente().empty());
    EXPECT_TRUE(f.bild().SchalterElemente().empty());
    EXPECT_EQ(f.bild().SoundSchalterElemente().size(), 1u); // sound buttons stay
}
