// Drawing the diagram: tile rows by state, loco-display layout, the painter against the tile
// sheet, hit testing and the exit-signal buttons.
#include "diagram/GleisbildZeichner.h"
#include "diagram/Kacheln.h"

#include "DiagramFixture.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// One element painted alone into an image of its size.
QImage gemalt(const TGleisBildElement& e, const ZeichenOptionen& o, const TrainServices& zuege)
{
    QImage bild(e.rect.size(), QImage::Format_RGB32);
    bild.fill(Qt::black);
    QPainter p(&bild);
    ElementZeichnen(p, e, o, zuege);
    p.end();
    return bild;
}

QImage kachel(int kind, int zeile) { return GleisKachelBild().copy(KachelRect(kind, zeile)); }

struct ZeilenFall {
    const char* name;
    int kind;
    int farbe;
    bool inFarbe;
    int stellung;
    bool inFahrstrasse;
    int fahrstrasseStellung;
    bool besetzt;
    int erwartet;
};

TEST(KachelZeile, ByKindColourAndState)
{
    const ZeilenFall faelle[] = {
        {"colour off: band 0", 21, 27, false, 0, false, 0, false, 0},
        {"colour on: band 27", 21, 27, true, 0, false, 0, false, 27},
        {"turnout thrown", 62, 0, true, 1, false, 0, false, 1},
        {"turnout in route, route position 1", 62, 0, true, 0, true, 1, false, 3},
        {"turnout in route, route position 0", 62, 0, true, 1, true, 0, false, 2},
        {"occupied green signal in route", 1, 0, true, 1, true, 0, true, 7},
        {"occupied green signal in route, band 9", 1, 9, true, 1, true, 0, true, 16},
        {"signal in route ignores route position", 1, 0, true, 0, true, 1, false, 2},
        {"double slip in route", 55, 0, true, 1, true, 0, false, 3},
        {"level-crossing half closed, occupied", 50, 0, true, 1, false, 0, true, 5},
        {"crossing: no positions", 58, 0, true, 1, false, 0, false, 0},
        {"crossing occupied", 60, 18, true, 1, true, 0, true, 24},
        {"arrow in route", 86, 0, true, 1, true, 1, false, 2},
        {"overpass occupied", 53, 0, true, 0, false, 0, true, 4},
        {"buffer stop in route with position 1", 23, 0, true, 0, true, 1, false, 3},
        {"tunnel occupied", 78, 45, true, 0, false, 0, true, 49},
        {"unknown colour index drawn standard", 21, 5, true, 0, false, 0, false, 0},
    };
    DiagramFixture f;
    for (const ZeilenFall& c : faelle) {
        SCOPED_TRACE(c.name);
        TGleisBildElement* e = f.add(c.kind, 1 + static_cast<int>(&c - faelle), 1);
        ASSERT_NE(e, nullptr);
        e->GleisFarbeAktuel = c.farbe;
        e->Stellung = c.stellung;
        e->InFahrstrasse = c.inFahrstrasse;
        e->FahrstrasseStellung = c.fahrstrasseStellung;
        e->GleiskontaktBesetzt = c.besetzt;
        EXPECT_EQ(KachelZeile(*e, c.inFarbe), c.erwartet);
    }
}

TEST(KachelZeile, JumpMarksAndProgramButtonsUseAbsoluteRows)
{
    DiagramFixture f;
    TGleisBildElement* sprung = f.addJumpMark(1, 1, 3, 1);
    ASSERT_NE(sprung, nullptr);
    sprung->GleisFarbeAktuel = 27;
    sprung->GleiskontaktBesetzt = true;
    EXPECT_EQ(KachelZeile(*sprung, true), 2);

    TGleisBildElement* taste = f.add(16, 2, 1);
    ASSERT_NE(taste, nullptr);
    taste->GleisFarbeAktuel = 9;
    const struct {
        QString programm;
        int stellung;
        int zeile;
        QString hinweis;
    } faelle[] = {
        {QString(), 1, 0, QStringLiteral("Noch kein Ablaufsteuerungs-Programm zugewiesen")},
        {QStringLiteral("Pendel"), 0, 2, QStringLiteral("Pendel")},
        {QStringLiteral("Pendel"), 1, 4, QStringLiteral("Pendel Gestartet")},
        {QStringLiteral("Pendel"), 2, 6, QStringLiteral("Es sind nur 2 Programme zugleich möglich")},
    };
    for (const auto& c : faelle) {
        taste->AblaufsteuerungName = c.programm;
        taste->Stellung = c.stellung;
        EXPECT_EQ(KachelZeile(*taste, true), c.zeile) << c.stellung;
        EXPECT_EQ(ElementHinweis(*taste, f.bild().trains()), c.hinweis);
    }
}

// Each grid element is its tile; number overlays, the error cross and the marks go on top.
TEST(ElementZeichnen, GridElementIsItsTileWithOverlaysOnTop)
{
    DiagramFixture f;
    TGleisBildElement* weiche = f.add(64, 5, 5, 17, 200);
    ASSERT_NE(weiche, nullptr);
    weiche->Stellung = 1;
    weiche->GleiskontaktBesetzt = true;
    ZeichenOptionen o;
    EXPECT_EQ(gemalt(*weiche, o, f.bild().trains()), kachel(64, 5));
    EXPECT_NE(kachel(64, 5), kachel(64, 4)); // the rows differ at all

    weiche->StellungFehler = true;
    const QImage kreuz = gemalt(*weiche, o, f.bild().trains());
    EXPECT_EQ(kreuz.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(kreuz.pixelColor(14, 5), QColor(255, 0, 0));
    weiche->StellungFehler = false;

    o.kontaktNr = true;
    const QImage nummer = gemalt(*weiche, o, f.bild().trains());
    EXPECT_EQ(nummer.pixelColor(5, 4), QColor(Qt::white)); // the number's white ground
    int rot = 0;
    for (int x = 5; x < 20; ++x) {
        for (int y = 4; y < 16; ++y) {
            rot += nummer.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(rot, 10);

    // Accessory numbers only for categories that switch something.
    o.kontaktNr = false;
    o.magnetArtNr = true;
    TGleisBildElement* gleis = f.add(21, 6, 5);
    ASSERT_NE(gleis, nullptr);
    EXPECT_EQ(gemalt(*gleis, o, f.bild().trains()), kachel(21, 0));
    EXPECT_NE(gemalt(*weiche, o, f.bild().trains()), kachel(64, 5));

    o.magnetArtNr = false;
    gleis->DiagnoseMarkiert = true;
    const QImage diagnose = gemalt(*gleis, o, f.bild().trains());
    EXPECT_EQ(diagnose.pixelColor(1, 10), QColor(255, 0, 0));
    EXPECT_EQ(diagnose.pixelColor(10, 1), QColor(255, 0, 0));
    EXPECT_EQ(diagnose.pixelColor(10, 19), QColor(255, 0, 0));
    EXPECT_NE(diagnose.pixelColor(19, 10), QColor(255, 0, 0)); // the right edge stays open
    gleis->DiagnoseMarkiert = false;
    gleis->FahrstrasseManuelGewaehlt = true;
    const QImage manuell = gemalt(*gleis, o, f.bild().trains());
    EXPECT_EQ(manuell.pixelColor(0, 10), QColor(0, 128, 0));
    EXPECT_EQ(manuell.pixelColor(2, 10), QColor(0, 128, 0));
    EXPECT_EQ(manuell.pixelColor(10, 0), QColor(0, 128, 0));
}

// Trains and stations as the loco displays ask for them.
class Zuege final : public TrainServices {
public:
    int ZugNr(const TZug&) const override { return 1; }
    QString ZugName(const TZug&) const override { return QStringLiteral("IC"); }
    bool OhneSlot(const TZug&) const override { return false; }
    void SetZugHaltestelle(TZug&, int) override {}
    void SetZugKontakt(TZug&, int) override {}
    void ZugGeaendert(TZug&) override {}
    bool HaltestelleVorhanden(int nr) const override { return nr == 4; }
    QString HaltestelleName(int) const override { return QStringLiteral("Gleis 4"); }
    void SetHaltestelleElement(int, TGleisBildElement*) override {}
    void ElementEntfernt(const TGleisBildElement&) override {}
    int HaltestelleRichtung(int) const override { return richtung; }
    bool HaltestelleAbfahrtFrei(int) const override { return frei; }
    bool HaltestelleHierNichtFahren(int) const override { return gesperrt; }
    int richtung = 0;
    bool frei = true;
    bool gesperrt = false;
};

TGleisBildElement* lokAnzeige(DiagramFixture& f, int variante, int x, int y, int links, int rechts)
{
    GridElementDaten d;
    d.GleisBildNr = LokAnzeigeArt + variante;
    d.PosX = x;
    d.PosY = y;
    d.MagnetArtNr0 = links;
    d.MagnetArtNr1 = rechts;
    d.HaltestelleNr = 4;
    return f.bild().CreateGridElement(d);
}

TEST(LokAnzeige, FrameLeavesRoomForShownSignalsAndBlockedEnds)
{
    const struct {
        int variante;
        int links, rechts;
        bool option;
        int rahmenLinks, rahmenBreite;
    } faelle[] = {
        {0, 5, 6, false, 0, 83},
        {1, 0, 12, false, 0, 104}, // the left signal has no accessory and is not shown
        {1, 0, 12, true, 21, 83},
        {1, 3, 12, false, 21, 83},
        {1, 0, 0, false, 0, 125},
        {2, 0, 0, false, 21, 104}, // the blocked left end always keeps its room
        {2, 0, 7, false, 21, 83},
        {3, 0, 0, false, 0, 104},
        {3, 0, 0, true, 21, 83},
    };
    DiagramFixture f;
    int y = 1;
    for (const auto& c : faelle) {
        TGleisBildElement* e = lokAnzeige(f, c.variante, 1, y++, c.links, c.rechts);
        ASSERT_NE(e, nullptr);
        const LokAnzeigeAufteilung lay = LokAnzeigeLayout(*e, c.option);
        EXPECT_EQ(lay.rahmen, QRect(c.rahmenLinks, 0, c.rahmenBreite, 20)) << c.variante << " " << c.links << " " << c.option;
        EXPECT_EQ(lay.text, lay.rahmen.adjusted(3, 3, -3, -3));
    }
}

TEST(LokAnzeige, SignalButtonsFollowTheOption)
{
    DiagramFixture f;
    TGleisBildElement* e = lokAnzeige(f, 1, 1, 1, 0, 12);
    TGleisBildElement* gesperrt = lokAnzeige(f, 2, 1, 2, 0, 0);
    ASSERT_NE(e, nullptr);
    ASSERT_NE(gesperrt, nullptr);
    f.bild().RebuildGrid();

    f.programm->settings.ShowUnnumberedSignals = false;
    SignalTastenAktualisieren(f.bild());
    EXPECT_FALSE(e->ImageLinks.sichtbar);
    EXPECT_FALSE(e->ImageLinks.enabled);
    EXPECT_EQ(e->ImageLinks.Bild, SchalterBildSignalOhneNr);
    EXPECT_TRUE(e->ImageRechts.sichtbar);
    EXPECT_TRUE(gesperrt->ImageLinks.sichtbar); // a blocked end is no signal
    EXPECT_EQ(gesperrt->ImageLinks.Bild, TGleisBildElement::BildLinksGesperrt);
    EXPECT_FALSE(gesperrt->ImageRechts.sichtbar);

    // Drawn: the frame starts at x = 0 and the right 21 pixels stay free for the button.
    Zuege zuege;
    ZeichenOptionen o;
    const QImage bild = gemalt(*e, o, zuege);
    EXPECT_EQ(bild.pixelColor(0, 10), QColor(Qt::black));  // frame line at x = 0
    EXPECT_EQ(bild.pixelColor(103, 10), QColor(Qt::black)); // its right edge
    EXPECT_EQ(bild.pixelColor(104, 10), DiagrammHintergrundFarbe()); // gap before the button
    EXPECT_EQ(bild.pixelColor(0, 0), QColor(Qt::black));

    // With the option every signal end shows, enabled, switched red (address 0 sends nothing).
    f.recorder.messages.clear();
    f.programm->settings.ShowUnnumberedSignals = true;
    SignalTastenAktualisieren(f.bild());
    EXPECT_TRUE(e->ImageLinks.sichtbar);
    EXPECT_TRUE(e->ImageLinks.enabled);
    EXPECT_EQ(e->ImageLinks.Bild, TGleisBildElement::BildLinksRot);
    EXPECT_EQ(e->ImageRechts.Bild, TGleisBildElement::BildRechtsRot);
    ASSERT_EQ(f.sent(Msg::WM_MAG).size(), 1u);
    EXPECT_EQ(f.sent(Msg::WM_MAG)[0].w.toInt(), 12);
    EXPECT_TRUE(gesperrt->ImageRechts.sichtbar);
}

// Every drawing branch of a loco display, told apart by a few pixels and the hint.
TEST(LokAnzeige, TrainsAnnouncementsAndBlockedStations)
{
    DiagramFixture f;
    Zuege zuege;
    f.bild().setTrainServices(&zuege);
    TGleisBildElement* e = lokAnzeige(f, 0, 1, 1, 0, 0);
    ASSERT_NE(e, nullptr);
    ZeichenOptionen o;
    const auto farbigeSpalte = [](const QImage& b, int x, const QColor& c) {
        for (int y = 1; y < 19; ++y) { // between the frame lines
            if (b.pixelColor(x, y) != c) {
                return false;
            }
        }
        return true;
    };
    const auto hatFarbe = [](const QImage& b, const QColor& c) {
        for (int y = 0; y < b.height(); ++y) {
            for (int x = 0; x < b.width(); ++x) {
                if (b.pixelColor(x, y) == c) {
                    return true;
                }
            }
        }
        return false;
    };

    // No train: the station's name; the hint is the element's own.
    const QImage leer = gemalt(*e, o, zuege);
    EXPECT_EQ(leer.pixelColor(40, 1), QColor(Qt::white));
    EXPECT_FALSE(hatFarbe(leer, QColor(255, 0, 0)));
    zuege.gesperrt = true;
    const QImage gesperrt = gemalt(*e, o, zuege);
    EXPECT_TRUE(hatFarbe(gesperrt, QColor(255, 0, 0))); // the red cross
    EXPECT_EQ(gesperrt.pixelColor(41, 10), QColor(255, 0, 0)); // where the lines cross
    zuege.gesperrt = false;

    // Announced trains.
    e->DurchfahrenderZug = QStringLiteral("RE 7");
    e->AnkunftRichtung = 7;
    EXPECT_EQ(ElementHinweis(*e, zuege), QStringLiteral("Zug RE 7 fährt durch"));
    EXPECT_NE(gemalt(*e, o, zuege), leer);
    e->DurchfahrenderZug.clear();
    e->ErwarteterZug = QStringLiteral("RE 7");
    EXPECT_EQ(ElementHinweis(*e, zuege), QStringLiteral("Zug RE 7 hält"));
    e->ErwarteterZug.clear();

    // A train standing: direction bar at the text area's left edge (x 3), green when it may leave.
    TZug* zug = reinterpret_cast<TZug*>(&zuege); // only ever handed back to the services
    e->Zug = zug;
    EXPECT_EQ(ElementHinweis(*e, zuege), QStringLiteral("Gleis 4 IC\n** CTRL+RechtsClick = Info **"));
    EXPECT_TRUE(farbigeSpalte(gemalt(*e, o, zuege), 3, QColor(0, 128, 0)));
    zuege.frei = false;
    zuege.richtung = 1;
    EXPECT_TRUE(farbigeSpalte(gemalt(*e, o, zuege), 79, QColor(255, 0, 255)));
    // Occupied and in a route: red frame on yellow.
    e->GleiskontaktBesetzt = true;
    e->InFahrstrasse = true;
    const QImage belegt = gemalt(*e, o, zuege);
    EXPECT_EQ(belegt.pixelColor(40, 0), QColor(255, 0, 0));
    EXPECT_EQ(belegt.pixelColor(40, 2), QColor(255, 255, 0));
    // Chosen in the manual route editor: green.
    e->FahrstrasseManuelWeiche = true;
    EXPECT_EQ(gemalt(*e, o, zuege).pixelColor(1, 1), QColor(0, 128, 0));
    e->Zug = nullptr;
    f.bild().setTrainServices(nullptr);
}

TEST(Treffer, ByArithmetic)
{
    DiagramFixture f;
    ASSERT_NE(f.add(21, 1, 1), nullptr);
    ASSERT_NE(f.add(62, 70, 40), nullptr);
    TGleisBildElement* anzeige = lokAnzeige(f, 1, 10, 5, 3, 0);
    ASSERT_NE(anzeige, nullptr);
    f.bild().RebuildGrid();
    SignalTastenAktualisieren(f.bild()); // the right signal has no accessory: hidden
    TSchalterElement* schalter = f.bild().CreateSchalterElement();
    schalter->Left = 300;
    schalter->Top = 600;
    TSoundSchalterElement* sound = f.bild().CreateSoundSchalterElement();
    sound->Left = 400;
    sound->Top = 600;
    const QPoint anzeigeLinks = ZellenPixel(10, 5);
    using A = Treffer::Art;
    const struct {
        const char* name;
        QPoint pixel;
        A art;
        QPoint zelle; // of the element hit
        bool links;
    } faelle[] = {
        {"cell 1/1 top-left", {9, 31}, A::Element, {1, 1}, false},
        {"cell 1/1 bottom-right", {28, 50}, A::Element, {1, 1}, false},
        {"grid line right of cell 1/1", {29, 40}, A::Nichts, {}, false},
        {"origin itself", {8, 30}, A::Nichts, {}, false},
        {"empty cell", {40, 40}, A::Nichts, {}, false},
        {"last cell", {8 + 21 * 70 - 1, 30 + 21 * 40 - 1}, A::Element, {70, 40}, false},
        {"outside the grid", {8 + 21 * 70 + 3, 40}, A::Nichts, {}, false},
        {"left signal button", anzeigeLinks + QPoint(5, 5), A::SignalTaste, {10, 5}, true},
        {"display body", anzeigeLinks + QPoint(60, 5), A::Element, {10, 5}, false},
        {"grid line inside the display", anzeigeLinks + QPoint(41, 5), A::Element, {10, 5}, false},
        {"hidden right button: the display", anzeigeLinks + QPoint(115, 5), A::Element, {10, 5}, false},
        {"right of the display", anzeigeLinks + QPoint(126, 5), A::Nichts, {}, false},
        {"switch on key", {300 + 25, 605}, A::Schalter, {}, true},
        {"switch off key", {300 + 45, 605}, A::Schalter, {}, false},
        {"sound button", {405, 605}, A::SoundSchalter, {}, false},
    };
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.name);
        const Treffer t = GleisbildTreffer(f.bild(), c.pixel);
        EXPECT_EQ(t.art, c.art);
        if (c.art == A::Element || c.art == A::SignalTaste) {
            ASSERT_NE(t.element, nullptr);
            EXPECT_EQ(QPoint(t.element->PosX, t.element->PosY), c.zelle);
        }
        if (c.art == A::SignalTaste) {
            EXPECT_EQ(t.links, c.links);
        }
        if (c.art == A::Schalter) {
            EXPECT_EQ(t.schalter, schalter);
            EXPECT_TRUE(t.aufTaste);
            EXPECT_EQ(t.anTaste, c.links);
        }
        if (c.art == A::SoundSchalter) {
            EXPECT_EQ(t.sound, sound);
        }
    }
    EXPECT_EQ(GleisbildHinweis(f.bild(), anzeigeLinks + QPoint(5, 5)), QStringLiteral("Signal"));
    EXPECT_EQ(GleisbildHinweis(f.bild(), {405, 605}), QStringLiteral("Bitte Sound Datei auswählen"));
}

} // namespace
