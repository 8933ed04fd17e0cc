#include "diagram/DiagramFixture.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(ContactList, SetContactStateMarksEveryElementOfTheContactAndIgnoresOthers)
{
    DiagramFixture f;
    TGleisBildElement* a = f.add(21, 1, 1, 0, 7);
    TGleisBildElement* b = f.add(62, 2, 1, 3, 7);
    TGleisBildElement* rand = f.add(21, 3, 1, 0, 512);
    f.bild().RebuildContactLists();
    ASSERT_EQ(f.bild().Kontakte().kontakt(7)->Elemente, (std::vector<TGleisBildElement*>{a, b}));
    QSignalSpy redraw(&f.bild(), &TGleisBild::neuZeichnen);

    struct Row {
        int nr, state;
        bool besetzt7, besetzt512;
    };
    const Row rows[] = {
        {7, 1, true, false},   {512, 1, true, true}, {0, 0, true, true},    {513, 0, true, true},
        {-3, 0, true, true},   {100000, 0, true, true}, {7, 2, false, true}, // only 1 means occupied
        {512, 0, false, false},
    };
    for (const Row& row : rows) {
        f.bild().SetContactState(row.nr, row.state);
        EXPECT_EQ(f.bild().Kontakte().Besetzt(7), row.besetzt7) << row.nr;
        EXPECT_EQ(a->GleiskontaktBesetzt, row.besetzt7) << row.nr;
        EXPECT_EQ(b->GleiskontaktBesetzt, row.besetzt7) << row.nr;
        EXPECT_EQ(rand->GleiskontaktBesetzt, row.besetzt512) << row.nr;
    }
    EXPECT_EQ(redraw.count(), 2 + 1 + 2 + 1); // one per element per valid write
    EXPECT_FALSE(f.bild().Kontakte().Besetzt(0));
    EXPECT_FALSE(f.bild().Kontakte().Besetzt(513));
}

TEST(ContactList, ModuleStatesSetSixteenContacts)
{
    DiagramFixture f;
    TGleisKontaktListe& k = f.bild().Kontakte();
    k.SetContactState(18, 1);
    k.SetModuleState(2, 0x0001);
    EXPECT_TRUE(k.Besetzt(17));
    for (int nr = 18; nr <= 32; ++nr) {
        EXPECT_FALSE(k.Besetzt(nr)) << nr;
    }
    k.SetModuleState(32, 0x8000);
    EXPECT_TRUE(k.Besetzt(512));
    k.SetModuleState(0, 0xFFFF);  // ignored
    k.SetModuleState(33, 0xFFFF); // ignored
    EXPECT_FALSE(k.Besetzt(1));
    f.bild().ClearAllContacts();
    EXPECT_FALSE(k.Besetzt(17));
    EXPECT_FALSE(k.Besetzt(512));
}

TEST(ContactList, AccessoryTableTakesTheLastElementWithinTheCount)
{
    DiagramFixture f;
    f.programm->settings.MagnetArtikelAnzahl = 10;
    f.add(62, 1, 1, 5);
    TGleisBildElement* zweite = f.add(62, 2, 1, 5);
    TGleisBildElement* letzte = f.add(1, 3, 1, 10);
    f.add(62, 4, 1, 11); // above the count
    f.add(21, 5, 1);
    TGleisBildElement* anzeige = f.add(100, 1, 2);
    anzeige->MagnetArtNr0 = 8;
    anzeige->MagnetArtNr1 = 9;
    EXPECT_EQ(f.bild().MagnetArtElement(5), nullptr); // never built
    f.bild().MagnetArtikelListeFullen();
    EXPECT_TRUE(f.bild().MagnetArtTabelleGefuellt);
    EXPECT_EQ(f.bild().MagnetArtElement(5), zweite);
    EXPECT_EQ(f.bild().MagnetArtElement(10), letzte);
    EXPECT_EQ(f.bild().MagnetArtElement(11), nullptr);
    EXPECT_EQ(f.bild().MagnetArtElement(0), nullptr);
    EXPECT_EQ(f.bild().MagnetArtElement(8), anzeige);
    EXPECT_EQ(f.bild().MagnetArtElement(9), anzeige);
}
