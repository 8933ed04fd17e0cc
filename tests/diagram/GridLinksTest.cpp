#include "diagram/DiagramFixture.h"

#include <gtest/gtest.h>

namespace {

struct Platz {
    int kind, x, y;
};
// Link of element `von` in direction `r` is element `zu` (index into the layout; -1 = none).
struct Link {
    int von;
    Richtung r;
    int zu;
};
struct Layout {
    const char* name;
    std::vector<Platz> elemente;
    std::vector<Link> links;
};

} // namespace

TEST(GridLinks, RebuildGridLinksNeighboursOfEachLayout)
{
    using R = Richtung;
    const std::vector<Layout> layouts = {
        {"3x3 block, all eight directions",
         {{21, 5, 5}, {21, 4, 5}, {21, 6, 5}, {21, 5, 4}, {21, 5, 6}, {21, 4, 4}, {21, 4, 6}, {21, 6, 4}, {21, 6, 6}},
         {{0, R::Links, 1}, {0, R::Rechts, 2}, {0, R::Oben, 3}, {0, R::Unten, 4}, {0, R::LinksOben, 5},
          {0, R::LinksUnten, 6}, {0, R::RechtsOben, 7}, {0, R::RechtsUnten, 8}, {1, R::Rechts, 0}, {8, R::LinksOben, 0}}},
        {"corner 70/1: nothing right, nothing above",
         {{21, 70, 1}, {21, 69, 1}, {21, 70, 2}},
         {{0, R::Links, 1}, {0, R::Unten, 2}, {0, R::Rechts, -1}, {0, R::Oben, -1}, {0, R::RechtsUnten, -1},
          {1, R::RechtsUnten, 2}}},
        {"plain display spans four cells and links only left and right",
         {{99, 2, 5}, {21, 1, 5}, {21, 6, 5}, {21, 3, 4}, {21, 5, 5 + 1}},
         {{0, R::Links, 1}, {0, R::Rechts, 2}, {0, R::Oben, -1}, {0, R::Unten, -1}, {1, R::Rechts, 0},
          {2, R::Links, 0}, {3, R::Unten, 0}, {4, R::Oben, 0}}},
        {"display with signals spans six cells",
         {{100, 2, 5}, {21, 8, 5}, {21, 7, 5 + 1}},
         {{0, R::Rechts, 1}, {1, R::Links, 0}, {2, R::Oben, 0}}},
        {"display ending at column 70 has no right link",
         {{100, 65, 5}, {21, 64, 5}, {21, 1, 6}},
         {{0, R::Links, 1}, {0, R::Rechts, -1}, {1, R::Rechts, 0}}},
    };
    for (const Layout& layout : layouts) {
        DiagramFixture f;
        std::vector<TGleisBildElement*> e;
        for (const Platz& p : layout.elemente) {
            e.push_back(f.add(p.kind, p.x, p.y));
            ASSERT_NE(e.back(), nullptr) << layout.name;
        }
        f.bild().RebuildGrid();
        for (const Link& link : layout.links) {
            EXPECT_EQ(e[link.von]->nachbar(link.r), link.zu < 0 ? nullptr : e[link.zu])
                << layout.name << ": element " << link.von << " direction " << static_cast<int>(link.r);
        }
        for (const Platz& p : layout.elemente) {
            EXPECT_NE(f.bild().Zelle(p.x, p.y), nullptr) << layout.name;
        }
    }
}

TEST(GridLinks, MovingAnElementLeavesNoStaleLink)
{
    DiagramFixture f;
    TGleisBildElement* a = f.add(21, 5, 5);
    TGleisBildElement* b = f.add(21, 6, 5);
    f.bild().RebuildGrid();
    ASSERT_EQ(a->NachbarRechts(), b);

    EXPECT_FALSE(f.bild().MoveElement(b, 5, 5)); // taken
    EXPECT_FALSE(f.bild().MoveElement(b, 71, 5));
    ASSERT_TRUE(f.bild().MoveElement(b, 10, 10));
    EXPECT_EQ(a->NachbarRechts(), nullptr);
    EXPECT_EQ(b->NachbarLinks(), nullptr);
    EXPECT_EQ(f.bild().Zelle(6, 5), nullptr);
    EXPECT_EQ(f.bild().Zelle(10, 10), b);
    EXPECT_EQ(b->rect.topLeft(), ZellenPixel(10, 10));
}

// Inserts, unlinks and moves in turn; after every step no table or link may point at an
// element that is gone.
TEST(GridLinks, NoReferenceSurvivesItsElement)
{
    DiagramFixture f;
    TGleisBild& bild = f.bild();
    const auto allesNeu = [&] {
        bild.RebuildGrid();
        bild.RebuildContactLists();
        bild.MagnetArtikelListeFullen();
    };
    TGleisBildElement* weiche = f.add(62, 10, 10, 5, 7);
    f.add(21, 9, 10, 0, 7);
    f.add(21, 11, 10, 0, 8);
    TGleisBildElement* oben = f.add(49, 12, 9, 6, 8);
    TGleisBildElement* unten = f.add(50, 12, 10, 0, 8);
    f.add(51, 13, 9, 9);
    TGleisBildElement* loneHalf = f.add(52, 20, 20, 9); // a half without its partner
    TGleisBildElement* markA = f.addJumpMark(11, 11, 3, 1);
    TGleisBildElement* markB = f.addJumpMark(30, 30, 3, 2);
    TGleisBildElement* anzeige = f.add(100, 2, 11, 0, 9);
    anzeige->MagnetArtNr0 = 20;
    anzeige->MagnetArtNr1 = 21;
    allesNeu();
    ASSERT_EQ(DanglingReferences(bild), QStringList{});
    ASSERT_EQ(bild.MagnetArtElement(20), anzeige);
    ASSERT_EQ(bild.SprungmarkeGegenstueck(markA), markB);

    const std::size_t vorher = bild.Elemente().size();
    bild.UnlinkElement(weiche);
    EXPECT_EQ(DanglingReferences(bild), QStringList{});
    bild.UnlinkElement(oben); // takes its partner below
    EXPECT_EQ(bild.Elemente().size(), vorher - 3);
    EXPECT_FALSE(bild.Enthaelt(unten));
    EXPECT_EQ(DanglingReferences(bild), QStringList{});
    bild.UnlinkElement(loneHalf); // 51 at 13/9 is not its partner and stays
    EXPECT_EQ(bild.Elemente().size(), vorher - 4);

    // A second mark registered for the same number and end: removing the first keeps the second.
    TGleisBildElement* markA2 = f.addJumpMark(40, 1, 3, 1);
    bild.UnlinkElement(markA);
    EXPECT_EQ(bild.Sprungmarke(3, 1), markA2);
    bild.UnlinkElement(markB);
    EXPECT_EQ(bild.Sprungmarke(3, 2), nullptr);
    EXPECT_EQ(DanglingReferences(bild), QStringList{});

    f.add(62, 10, 10, 5, 7);
    allesNeu();
    ASSERT_TRUE(bild.MoveElement(bild.Zelle(9, 10), 9, 12));
    bild.UnlinkElement(anzeige);
    EXPECT_EQ(DanglingReferences(bild), QStringList{});
    EXPECT_EQ(bild.MagnetArtElement(20), nullptr);
    for (int x = 2; x <= 7; ++x) {
        EXPECT_EQ(bild.Zelle(x, 11), nullptr);
    }
    bild.ClearPlan();
    EXPECT_EQ(DanglingReferences(bild), QStringList{});
}
