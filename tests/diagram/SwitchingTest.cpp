#include "diagram/DiagramFixture.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

// Kind x inversion x position: what goes to the accessory and what the logbook says.
TEST(Switching, SchaltenSendsThePositionAndWritesTheLogbook)
{
    struct Row {
        int kind;
        int adresse;
        bool drehen;
        int stellung;
        int gesendet; // -1: no WM_MAG
        const char* log; // nullptr: no line
    };
    const Row rows[] = {
        {62, 5, false, 1, 1, "Weiche 5 Abbiegen"},
        {62, 5, false, 0, 0, "Weiche 5 Gerade"},
        {77, 5, true, 1, 0, "Weiche 5 Abbiegen"},
        {77, 5, true, 0, 1, "Weiche 5 Gerade"},
        {1, 7, false, 1, 1, "Signal 7 Grun"},
        {12, 7, true, 0, 1, "Signal 7 Rot"},
        {55, 9, false, 1, 1, "Doppelkreuzweiche 9 Abbiegen"},
        {83, 9, true, 0, 1, "Doppelkreuzweiche 9 Gerade"},
        {13, 4, true, 1, 0, nullptr},
        {62, 0, false, 1, -1, "Weiche 0 Abbiegen"}, // address 0: switched and logged, never sent
        {1, 0, true, 0, -1, "Signal 0 Rot"},
    };
    for (const Row& row : rows) {
        DiagramFixture f;
        TGleisBildElement* e = f.add(row.kind, 3, 3, row.adresse);
        ASSERT_NE(e, nullptr);
        e->StellungDrehen = row.drehen;
        QSignalSpy redraw(&f.bild(), &TGleisBild::neuZeichnen);
        const auto zeilenVorher = f.logbuch().Zeilen().size();

        e->Schalten(row.stellung);

        EXPECT_EQ(e->Stellung, row.stellung);
        const auto mag = f.sent(Msg::WM_MAG);
        if (row.gesendet < 0) {
            EXPECT_TRUE(mag.empty()) << row.kind;
        } else {
            ASSERT_EQ(mag.size(), 1u) << row.kind;
            EXPECT_EQ(mag[0].w.toInt(), row.adresse);
            EXPECT_EQ(mag[0].l.toInt(), row.gesendet) << row.kind << " drehen " << row.drehen;
        }
        if (row.log == nullptr) {
            EXPECT_EQ(f.logbuch().Zeilen().size(), zeilenVorher);
        } else {
            ASSERT_EQ(f.logbuch().Zeilen().size(), zeilenVorher + 1);
            EXPECT_EQ(f.logbuch().Zeilen().back().text, QString::fromLatin1(row.log));
            EXPECT_EQ(f.logbuch().Zeilen().back().kind, 0);
        }
        EXPECT_EQ(redraw.count(), 1);
    }
}

// A reported position is shown as what was switched: inverted for inverted elements.
TEST(Switching, MagnetChangedShowsTheSwitchedPosition)
{
    DiagramFixture f;
    TGleisBildElement* weiche = f.add(62, 3, 3, 5);
    TGleisBildElement* anzeige = f.add(100, 5, 5);
    anzeige->MagnetArtNr0 = 20;
    anzeige->MagnetArtNr1 = 21;
    anzeige->StellungDrehen1 = true;
    for (const bool drehen : {false, true}) {
        for (const int gemeldet : {0, 1}) {
            weiche->StellungDrehen = drehen;
            weiche->MagnetChanged(5, gemeldet);
            EXPECT_EQ(weiche->Stellung, drehen ? 1 - gemeldet : gemeldet);
            EXPECT_EQ(f.haupt().statusPanel(2), weiche->Name + QStringLiteral(" MagnetArtNr 5 Stellung ")
                                                     + QString::number(weiche->Stellung));
        }
    }
    anzeige->MagnetChanged(20, 1);
    anzeige->MagnetChanged(21, 1);
    EXPECT_EQ(anzeige->SignalLinks, 1);
    EXPECT_EQ(anzeige->SignalRechts, 0);
    EXPECT_EQ(f.recorder.count(Msg::WM_MAG), 0); // reports are shown, never sent back
}

TEST(Switching, ExitSignalsOfLocoDisplays)
{
    DiagramFixture f;
    TGleisBildElement* beide = f.add(100, 1, 1);
    beide->MagnetArtNr0 = 20;
    beide->MagnetArtNr1 = 21;
    beide->StellungDrehen1 = true;
    TGleisBildElement* linksGesperrt = f.add(101, 1, 2);
    linksGesperrt->MagnetArtNr0 = 30;

    beide->SetSignalLinks(1);
    EXPECT_EQ(beide->SignalLinks, 1);
    EXPECT_EQ(beide->ImageLinks.Bild, TGleisBildElement::BildLinksGruen);
    EXPECT_EQ(f.haupt().statusPanel(2), QStringLiteral("Signal 20 Grun "));
    beide->SetSignalRechts(1);
    EXPECT_EQ(beide->ImageRechts.Bild, TGleisBildElement::BildRechtsGruen);
    EXPECT_EQ(f.haupt().statusPanel(2), QStringLiteral("Signal 21 Grun "));
    linksGesperrt->SetSignalLinks(1);
    EXPECT_EQ(linksGesperrt->SignalLinks, 0);
    EXPECT_EQ(linksGesperrt->ImageLinks.Bild, TGleisBildElement::BildLinksGesperrt);
    linksGesperrt->SetSignalRechts(1); // right signal without accessory: shown, not sent
    EXPECT_EQ(linksGesperrt->SignalRechts, 1);

    const auto mag = f.sent(Msg::WM_MAG);
    ASSERT_EQ(mag.size(), 2u);
    EXPECT_EQ(mag[0], (CoreMessage{Msg::WM_MAG, 20, 1}));
    EXPECT_EQ(mag[1], (CoreMessage{Msg::WM_MAG, 21, 0}));

    // Red with a train waiting and a route offered at that end.
    beide->FahrstrasseLinks = {3, 4};
    beide->Zug = reinterpret_cast<TZug*>(beide); // any non-null train; never dereferenced here
    beide->SetSignalLinks(0, false);
    EXPECT_EQ(beide->ImageLinks.Bild, TGleisBildElement::BildLinksRotZugWartet);
    beide->Zug = nullptr;
    beide->SetSignalLinks(0, false);
    EXPECT_EQ(beide->ImageLinks.Bild, TGleisBildElement::BildLinksRot);
}

TEST(Switching, CrossingsAndDoubleSlipsNeverJoinARoute)
{
    DiagramFixture f;
    struct Row {
        int kind;
        bool markiert;
    };
    const Row rows[] = {{21, true}, {62, true}, {1, true}, {55, false}, {56, false}, {57, false},
                        {58, false}, {61, false}, {82, false}, {83, false}};
    int x = 1;
    for (const Row& row : rows) {
        TGleisBildElement* e = f.add(row.kind, x++, 1);
        e->SetInFahrstrasse(true);
        EXPECT_EQ(e->InFahrstrasse, row.markiert) << row.kind;
    }
}

TEST(Switching, SettersSetTheSharedFlagsByMode)
{
    DiagramFixture f;
    TGleisBildElement* e = f.add(62, 1, 1);
    e->SetGleisKontaktNr(7);
    EXPECT_TRUE(f.bild().KontaktListenNeuAufbauen);
    EXPECT_FALSE(f.bild().GleisplanGeaendert);
    e->SetGleisKontaktNr(513);
    EXPECT_EQ(e->GleisKontaktNr, 7);
    f.haupt().GleisbildModus = 5;
    e->SetGleisKontaktNr(8);
    EXPECT_TRUE(f.bild().GleisplanGeaendert);
    f.bild().GleisplanGeaendert = false;
    e->SetMagnetArtNr(4);
    EXPECT_FALSE(f.bild().GleisplanGeaendert);
    f.haupt().GleisbildModus = 6;
    e->SetMagnetArtNr(4);
    EXPECT_TRUE(f.bild().GleisplanGeaendert);
    f.bild().GleisplanGeaendert = false;
    f.haupt().GleisbildModus = 2;
    e->SetStellungDrehen(true);
    e->SetGleisBildNr(63);
    EXPECT_TRUE(f.bild().GleisplanGeaendert);
    EXPECT_EQ(e->BildX, 21 * 63 - 20);
}

namespace {

struct FakeZug {};

class FakeTrains final : public TrainServices {
public:
    bool ohneSlot = true;
    int haltestelle = -1;
    int kontakt = -1;
    int geaendert = 0;
    int ZugNr(const TZug&) const override { return 4; }
    QString ZugName(const TZug&) const override { return QStringLiteral("V 100"); }
    bool OhneSlot(const TZug&) const override { return ohneSlot; }
    void SetZugHaltestelle(TZug&, int nr) override { haltestelle = nr; }
    void SetZugKontakt(TZug&, int nr) override { kontakt = nr; }
    void ZugGeaendert(TZug&) override { ++geaendert; }
    bool HaltestelleVorhanden(int nr) const override { return nr == 2; }
    QString HaltestelleName(int) const override { return QStringLiteral("Nord"); }
    void SetHaltestelleElement(int, TGleisBildElement*) override {}
    void ElementEntfernt(const TGleisBildElement&) override {}
};

} // namespace

TEST(Switching, TrainsEnterAndLeaveLocoDisplays)
{
    DiagramFixture f;
    FakeTrains zuege;
    f.bild().setTrainServices(&zuege);
    FakeZug daten;
    TZug* zug = reinterpret_cast<TZug*>(&daten); // opaque to the diagram
    GridElementDaten d;
    d.GleisBildNr = 100;
    d.PosX = 1;
    d.PosY = 1;
    d.HaltestelleNr = 2;
    d.GleisKontaktNr = 17;
    d.MagnetArtNr0 = 20;
    TGleisBildElement* e = f.bild().CreateGridElement(d);

    e->ZugZuweisen(zug);
    EXPECT_EQ(e->Zug, zug);
    EXPECT_EQ(f.sent(Msg::WM_LOK_IN_SLOT), (std::vector<CoreMessage>{{Msg::WM_LOK_IN_SLOT, 4, 0}}));
    EXPECT_EQ(zuege.haltestelle, 2);
    EXPECT_EQ(zuege.kontakt, 17);

    e->SetSignalLinks(1);
    e->FahrstrasseRechts = {2, 5};
    f.dialogs.yesNoAnswers = {false};
    e->ZugEntfernen(true);
    EXPECT_EQ(f.dialogs.asked, QStringList{QStringLiteral("Zug : V 100 wird aus Haltestelle Nord entfernt")});
    EXPECT_EQ(e->Zug, zug);

    f.recorder.messages.clear();
    e->ZugEntfernen(true); // Yes
    EXPECT_EQ(e->Zug, nullptr);
    EXPECT_EQ(zuege.haltestelle, KeineHaltestelle);
    EXPECT_FALSE(e->FahrstrasseRechts.gesetzt());
    EXPECT_EQ(e->SignalLinks, 0);
    EXPECT_EQ(f.sent(Msg::WM_MAG), (std::vector<CoreMessage>{{Msg::WM_MAG, 20, 0}}));
    f.bild().setTrainServices(nullptr);
}
