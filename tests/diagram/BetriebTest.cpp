#include "diagram/DiagramFixture.h"
#include "diagram/TTrassolin.h"

#include <gtest/gtest.h>

namespace {
struct Betrieb : DiagramFixture {
    Betrieb() { haupt().GleisbildModus = 1; }
    TGleisbildBetrieb& betrieb() { return haupt().betrieb(); }
    void click(TGleisBildElement* e, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        betrieb().ElementKlick(*e, button, mods);
    }
    std::vector<CoreMessage> mags() const { return sent(Msg::WM_MAG); }
};
} // namespace

TEST(Betrieb, ClickOnATurnoutSwitchesItInvertedWhenAsked)
{
    struct Row {
        int kind;
        bool drehen;
        int stellung;
        int neu;
        int gesendet;
    };
    const Row rows[] = {{62, false, 0, 1, 1}, {62, false, 1, 0, 0}, {62, true, 0, 1, 0}, {62, true, 1, 0, 1},
                        {3, false, 0, 1, 1},  {55, true, 1, 0, 1},  {13, false, 1, 0, 0}};
    for (const Row& row : rows) {
        Betrieb f;
        TGleisBildElement* e = f.add(row.kind, 5, 5, 17);
        e->StellungDrehen = row.drehen;
        e->Stellung = row.stellung;
        f.click(e);
        EXPECT_EQ(e->Stellung, row.neu) << row.kind;
        EXPECT_EQ(f.mags(), (std::vector<CoreMessage>{{Msg::WM_MAG, 17, row.gesendet}})) << row.kind << row.drehen;
    }
}

TEST(Betrieb, RightClickOffersToSwapTheDirection)
{
    Betrieb f;
    TGleisBildElement* w = f.add(62, 5, 5, 17);
    f.click(w, Qt::RightButton);
    ASSERT_TRUE(f.betrieb().Umkehr.sichtbar);
    EXPECT_EQ(f.betrieb().Umkehr.rect, QRect(w->rect.right() + 1 + 20, w->rect.top(), 220, 40));
    f.dialogs.yesNoAnswers = {false};
    f.betrieb().RichtungTauschenKlick(true);
    EXPECT_FALSE(w->StellungDrehen);
    EXPECT_FALSE(f.betrieb().Umkehr.sichtbar);
    f.click(w, Qt::RightButton);
    f.betrieb().RichtungTauschenKlick(true);
    EXPECT_TRUE(w->StellungDrehen);
    EXPECT_EQ(f.dialogs.questions, QStringList({"Stell-Richtung der Weiche ändern?", "Stell-Richtung der Weiche ändern?"}));
    EXPECT_TRUE(f.mags().empty());
}

TEST(Betrieb, ContactReportsReachTheirContactsWithinBounds)
{
    Betrieb f;
    TGleisBildElement* a = f.add(21, 1, 1, 0, 17);
    TGleisBildElement* b = f.add(21, 2, 1, 0, 32);
    TGleisBildElement* c = f.add(21, 3, 1, 0, 18);
    f.bild().RebuildContactLists();
    f.bus.broadcast(Msg::WM_S88_CHANGE2, 2, 0x8001);
    EXPECT_TRUE(f.bild().Kontakte().Besetzt(17));
    EXPECT_TRUE(f.bild().Kontakte().Besetzt(32));
    EXPECT_FALSE(f.bild().Kontakte().Besetzt(18));
    EXPECT_TRUE(a->GleiskontaktBesetzt && b->GleiskontaktBesetzt && !c->GleiskontaktBesetzt);
    for (const CoreMessage& ignored : {CoreMessage{Msg::WM_S88_CHANGE, 513, 1}, CoreMessage{Msg::WM_S88_CHANGE, 0, 1},
                                       CoreMessage{Msg::WM_S88_CHANGE2, 0, 0xFFFF}, CoreMessage{Msg::WM_S88_CHANGE2, 33, 0xFFFF},
                                       CoreMessage{Msg::WM_S88_CHANGE2, -1, 0xFFFF}}) {
        f.bus.broadcast(ignored);
    }
    EXPECT_FALSE(f.bild().Kontakte().Besetzt(1));
    EXPECT_TRUE(f.bild().Kontakte().Besetzt(17));
    f.bus.broadcast(Msg::WM_S88_CHANGE, 17, 0);
    EXPECT_FALSE(a->GleiskontaktBesetzt);
}

TEST(Betrieb, AccessoryReportsFollowTheTableAndItsCount)
{
    Betrieb f;
    f.programm->settings.MagnetArtikelAnzahl = 20;
    TGleisBildElement* first = f.add(62, 1, 1, 20);
    TGleisBildElement* last = f.add(62, 2, 1, 20);
    TGleisBildElement* beyond = f.add(62, 3, 1, 21);
    f.bus.broadcast(Msg::WM_MAG_CHANGE, 20, 1);
    EXPECT_EQ(last->Stellung, 0) << "the table was never built";
    f.bild().MagnetArtikelListeFullen();
    f.bus.broadcast(Msg::WM_MAG_CHANGE, 20, 1);
    f.bus.broadcast(Msg::WM_MAG_CHANGE, 21, 1);
    f.bus.broadcast(Msg::WM_MAG_CHANGE, 0, 1);
    EXPECT_EQ(first->Stellung, 0) << "only the element created last follows the address";
    EXPECT_EQ(last->Stellung, 1);
    EXPECT_EQ(beyond->Stellung, 0);
    f.bus.broadcast(Msg::WM_MAGIDSENDEN, 20, "Einfahrt Nord");
    EXPECT_EQ(last->Hint, "ECOS Einfahrt Nord");
}

TEST(Betrieb, ContactSimulationOnlyWhileNotConnected)
{
    Betrieb f;
    TGleisBildElement* t = f.add(21, 4, 4, 0, 5);
    TGleisBildElement* none = f.add(21, 5, 4, 0, 0);
    f.bild().RebuildContactLists();
    f.click(t, Qt::RightButton);
    EXPECT_TRUE(f.bild().Kontakte().Besetzt(5));
    f.click(t, Qt::RightButton);
    EXPECT_FALSE(f.bild().Kontakte().Besetzt(5));
    f.click(none, Qt::RightButton);
    f.programm->ZentraleVerbunden = true;
    f.click(t, Qt::RightButton);
    EXPECT_FALSE(f.bild().Kontakte().Besetzt(5));
    f.programm->ZentraleVerbunden = false;
    f.haupt().GleisbildModus = 2;
    f.click(t, Qt::RightButton);
    EXPECT_FALSE(f.bild().Kontakte().Besetzt(5)) << "not in the editor";
}

TEST(Betrieb, TwoTrackCrossingClosesOnFirstRequestAndOpensWhenBothReleased)
{
    Betrieb f;
    TGleisBildElement* oben = f.add(49, 8, 8, 30);
    TGleisBildElement* unten = f.add(50, 8, 9, 30);
    f.bild().RebuildGrid();
    ASSERT_EQ(f.bild().BahnuebergangPartner(oben), unten);
    TGleisbildBetrieb& b = f.betrieb();
    b.BahnuebergangAnfordern(*oben, 1);
    b.BahnuebergangAnfordern(*unten, 1);
    EXPECT_EQ(f.mags(), (std::vector<CoreMessage>{{Msg::WM_MAG, 30, 1}})) << "closed once";
    EXPECT_EQ(unten->Stellung, 1);
    b.BahnuebergangAnfordern(*oben, 0);
    EXPECT_EQ(oben->Stellung, 1) << "the other track still holds it";
    b.BahnuebergangAnfordern(*oben, 0);
    EXPECT_EQ(f.mags().size(), 1u) << "a release without request changes nothing";
    b.BahnuebergangAnfordern(*unten, 0);
    EXPECT_EQ(oben->Stellung, 0);
    EXPECT_EQ(f.mags().back(), (CoreMessage{Msg::WM_MAG, 30, 0}));

    // A click toggles both halves and sends the pair's accessory, inverted by the clicked half.
    unten->StellungDrehen = true;
    f.click(unten);
    EXPECT_EQ(oben->Stellung, 1);
    EXPECT_EQ(unten->Stellung, 1);
    EXPECT_EQ(f.mags().back(), (CoreMessage{Msg::WM_MAG, 30, 0}));
}

TEST(Betrieb, SwitchPanelsSendTheirStateButNeverForAddressZero)
{
    Betrieb f;
    TSchalterElement& anAus = *f.bild().CreateSchalterElement();
    anAus.SetTasterSchalter(TSchalterElement::AnAus);
    anAus.MagnetArtNummer = 40;
    TSchalterElement& taster = *f.bild().CreateSchalterElement();
    taster.SetTasterSchalter(TSchalterElement::Taster);
    taster.MagnetArtNummer = 0;
    f.betrieb().SchalterKlick(anAus, true);
    f.betrieb().SchalterKlick(anAus, false);
    EXPECT_EQ(f.mags(), (std::vector<CoreMessage>{{Msg::WM_MAG, 40, 1}, {Msg::WM_MAG, 40, 0}}));
    EXPECT_TRUE(anAus.AUSTaste.Gedrueckt);
    f.betrieb().SchalterKlick(taster, true);
    EXPECT_EQ(taster.Zustand, 1);
    EXPECT_EQ(taster.ANTaste.Farbe, clGreen);
    f.betrieb().SchalterKlick(taster, true);
    EXPECT_EQ(taster.Zustand, 0);
    EXPECT_EQ(taster.ANTaste.Farbe, clRed);
    EXPECT_EQ(f.mags().size(), 2u);
}

TEST(Betrieb, PickRequestTakesTheNextClick)
{
    Betrieb f;
    TGleisBildElement* w = f.add(62, 5, 5, 7, 12);
    QString feld;
    f.betrieb().setDiagrammAuswahl(TGleisbildBetrieb::AuswahlArt::GleisKontaktNr,
                                   [&feld](const QString& text, int) { feld = text; });
    f.click(w);
    EXPECT_EQ(feld, "012");
    EXPECT_EQ(w->Stellung, 0) << "the pick click switches nothing";
    EXPECT_FALSE(f.betrieb().DiagrammAuswahlAktiv());
    f.click(w);
    EXPECT_EQ(w->Stellung, 1);
}

TEST(Betrieb, JumpMarkShowsItsOtherEnd)
{
    Betrieb f;
    TGleisBildElement* a = f.addJumpMark(3, 3, 2, 1);
    TGleisBildElement* b = f.addJumpMark(40, 20, 2, 2);
    f.bild().RebuildGrid();
    f.click(a);
    ASSERT_TRUE(f.betrieb().Sprungmarke.sichtbar);
    EXPECT_EQ(f.betrieb().Sprungmarke.rect, QRect(b->rect.left() - 2, b->rect.top() - 2, 25, 25));
    f.click(b);
    EXPECT_EQ(f.betrieb().Sprungmarke.rect.topLeft(), a->rect.topLeft() - QPoint(2, 2));
}

namespace {
struct Zugdaten {};

// Station 1 ("Nord") and station 2 ("Süd") exist; trains are named by their address in memory.
class Stationen final : public TrainServices {
public:
    int ZugNr(const TZug&) const override { return 1; }
    QString ZugName(const TZug& zug) const override { return &zug == a ? QStringLiteral("A") : QStringLiteral("B"); }
    bool OhneSlot(const TZug&) const override { return false; }
    void SetZugHaltestelle(TZug&, int) override {}
    void SetZugKontakt(TZug&, int) override {}
    void ZugGeaendert(TZug&) override {}
    bool HaltestelleVorhanden(int nr) const override { return nr == 1 || nr == 2; }
    QString HaltestelleName(int nr) const override { return nr == 1 ? QStringLiteral("Nord") : QStringLiteral("Süd"); }
    void SetHaltestelleElement(int, TGleisBildElement*) override {}
    void ElementEntfernt(const TGleisBildElement&) override {}
    const TZug* a = nullptr;
};

class Dienste final : public BetriebsDienste {
public:
    QStringList calls;
    bool routeFound = false;
    void ManuelleFahrstrasseKlick(TGleisBildElement& e, bool rechts) override { calls << "manuell " + e.Name + (rechts ? " rechts" : ""); }
    bool FahrzielAnfahren(TGleisBildElement& start, TZug*, TGleisBildElement& ziel) override
    {
        calls << "fahrziel " + QString::number(start.HaltestelleNr) + ">" + QString::number(ziel.HaltestelleNr);
        return routeFound;
    }
    void AnzeigeMenueOeffnen(TGleisBildElement& d, QPoint pos) override
    {
        calls << QStringLiteral("menu %1 %2,%3").arg(d.HaltestelleNr).arg(pos.x()).arg(pos.y());
    }
    void HaltestellenInfoOeffnen(int nr) override { calls << "info " + QString::number(nr); }
    void ProgrammMenueOeffnen(TGleisBildElement&, QPoint, bool z, bool s, bool l) override
    {
        calls << QStringLiteral("programm %1%2%3").arg(z).arg(s).arg(l);
    }
    int HaltestellenZustand(int) const override { return 0; }
    void SignalMitFahrstrasse(TGleisBildElement&, bool links) override { calls << (links ? "signal links" : "signal rechts"); }
};

} // namespace

TEST(Betrieb, LocoDisplaysOpenMenusDriveToAndPlaceTrains)
{
    Betrieb f;
    Stationen stationen;
    Dienste dienste;
    f.bild().setTrainServices(&stationen);
    f.betrieb().setDienste(&dienste);
    Zugdaten da, db;
    TZug* a = reinterpret_cast<TZug*>(&da); // opaque to the diagram, never dereferenced
    TZug* b = reinterpret_cast<TZug*>(&db);
    stationen.a = a;
    TGleisBildElement* nord = f.addDisplay(2, 2, 1, 5);
    TGleisBildElement* sued = f.addDisplay(2, 6, 2, 6);
    f.bild().RebuildGrid();
    f.bild().RebuildContactLists();

    f.click(nord);
    EXPECT_EQ(dienste.calls.takeLast(), QStringLiteral("menu 1 %1,%2").arg(nord->rect.right() + 6).arg(nord->rect.top() + 65));

    // Drive-to starts only from an occupied display holding a train.
    f.click(nord, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_FALSE(f.betrieb().Fahrziel.aktiv);
    nord->ZugZuweisen(a);
    f.bild().SetContactState(5, 1);
    f.click(nord, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(f.betrieb().Fahrziel.aktiv);
    f.click(sued);
    EXPECT_EQ(dienste.calls.takeLast(), "fahrziel 1>2");
    EXPECT_EQ(f.dialogs.informations, QStringList({"Keine Fahrstrasse hierher gefunden"}));
    EXPECT_FALSE(f.betrieb().Fahrziel.aktiv);
    EXPECT_EQ(nord->Zug, a) << "the train stays where it was";

    // Placing a train on an occupied display asks first; the train moves from its old display.
    f.betrieb().ZugPlatzierenStarten(a);
    f.click(sued, Qt::RightButton);
    EXPECT_EQ(sued->Zug, a);
    EXPECT_EQ(nord->Zug, nullptr);
    f.betrieb().ZugPlatzierenStarten(b);
    f.dialogs.yesNoAnswers = {false};
    f.click(sued, Qt::RightButton);
    EXPECT_EQ(f.dialogs.questions.back(), "Zug : A in Haltestelle Süd ersetzen");
    EXPECT_EQ(sued->Zug, a);
    EXPECT_FALSE(f.betrieb().ZugPlatzierenAktiv());

    f.click(sued, Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(dienste.calls.takeLast(), "info 2");

    // Exit signals: toggled, then the route part with "SignalSchalten".
    f.programm->settings.SignalSchalten = true;
    f.recorder.messages.clear();
    f.betrieb().SignalTasteKlick(*sued, true);
    EXPECT_EQ(sued->SignalLinks, 1);
    EXPECT_EQ(dienste.calls.takeLast(), "signal links");
    EXPECT_EQ(f.mags(), (std::vector<CoreMessage>{{Msg::WM_MAG, 11, 1}}));

    f.haupt().GleisbildModus = 10;
    f.click(sued, Qt::RightButton);
    EXPECT_EQ(dienste.calls.takeLast(), "manuell " + sued->Name + " rechts");
    f.bild().setTrainServices(nullptr);
}
