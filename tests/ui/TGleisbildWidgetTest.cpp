#include "ui/TGleisbildWidget.h"

#include "UiFixture.h"
#include "diagram/GleisBild.h"
#include "diagram/GleisbildEingabe.h"
#include "diagram/Kacheln.h"
#include "diagram/TTrassolin.h"
#include "ui/TTrassolinForm.h"

#include <QScrollArea>
#include <QTest>

namespace {

class Eingabe final : public GleisbildEingabe {
public:
    void ElementKlick(TGleisBildElement& e, Qt::MouseButton b, Qt::KeyboardModifiers) override
    {
        log << QStringLiteral("element %1/%2 %3").arg(e.PosX).arg(e.PosY).arg(b == Qt::RightButton ? "rechts" : "links");
    }
    void SignalTasteKlick(TGleisBildElement& e, bool links) override
    {
        log << QStringLiteral("signal %1/%2 %3").arg(e.PosX).arg(e.PosY).arg(links ? "links" : "rechts");
    }
    void SchalterKlick(TSchalterElement& s, bool an) override { log << s.Name + (an ? " an" : " aus"); }
    void SoundSchalterKlick(TSoundSchalterElement& s, Qt::MouseButton) override { log << s.Name; }
    QStringList log;
};

class TGleisbildWidgetTest : public UiFixture {
protected:
    TGleisBild& bild() { return fenster.gleisbild(); }
    TGleisBildElement* add(int kind, int x, int y, int kontakt = 0)
    {
        GridElementDaten d;
        d.GleisBildNr = kind;
        d.PosX = x;
        d.PosY = y;
        d.GleisKontaktNr = kontakt;
        d.MagnetArtNr0 = kind >= 100 ? 5 : 0;
        d.MagnetArtNr1 = kind >= 100 ? 6 : 0;
        return bild().CreateGridElement(d);
    }
    QImage grab(TGleisbildWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

// Every element of a small plan shows exactly its tile; an occupied contact its occupied row.
TEST_F(TGleisbildWidgetTest, ShowsEachElementAsItsTile)
{
    const struct {
        int kind, x, y, kontakt, farbe, stellung;
    } plan[] = {
        {23, 2, 2, 0, 0, 0},  {21, 3, 2, 7, 9, 0},   {62, 4, 2, 7, 0, 1},  {1, 5, 2, 8, 27, 1}, {35, 6, 2, 0, 54, 0},
        {58, 7, 2, 0, 0, 0},  {55, 8, 2, 8, 18, 1},  {13, 9, 2, 0, 36, 1}, {86, 10, 2, 0, 45, 0}, {53, 11, 2, 8, 0, 0},
        {70, 12, 3, 0, 0, 0}, {49, 13, 3, 0, 0, 1},
    };
    std::vector<TGleisBildElement*> elemente;
    for (const auto& e : plan) {
        TGleisBildElement* el = add(e.kind, e.x, e.y, e.kontakt);
        ASSERT_NE(el, nullptr);
        el->GleisFarbeAktuel = e.farbe;
        el->Stellung = e.stellung;
        elemente.push_back(el);
    }
    bild().RebuildGrid();
    bild().RebuildContactLists();
    programm.settings.GleisplanInFarbe = true;
    TGleisbildWidget w(bild());
    bild().SetContactState(8, 1);

    const QImage bildschirm = grab(w);
    for (size_t i = 0; i < elemente.size(); ++i) {
        const TGleisBildElement& e = *elemente[i];
        const int zeile = e.GleisFarbeAktuel + (e.Stellung == 1 ? 1 : 0) + (e.GleisKontaktNr == 8 ? 4 : 0);
        EXPECT_EQ(bildschirm.copy(e.rect), GleisKachelBild().copy(KachelRect(e.GleisBildNr, zeile))) << e.Name.toStdString();
    }
    // Without colour every element comes from band 0.
    programm.settings.GleisplanInFarbe = false;
    const QImage ohneFarbe = grab(w);
    const TGleisBildElement& signal = *elemente[3];
    EXPECT_EQ(ohneFarbe.copy(signal.rect), GleisKachelBild().copy(KachelRect(1, 5)));
}

// A contact change repaints only its elements' cells.
TEST_F(TGleisbildWidgetTest, ContactChangeRepaintsItsCells)
{
    TGleisBildElement* a = add(21, 5, 5, 3);
    TGleisBildElement* b = add(21, 6, 5, 4);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    bild().RebuildGrid();
    bild().RebuildContactLists();
    TGleisbildWidget w(bild());
    w.show();
    QCoreApplication::processEvents();
    struct Spion : QObject {
        QRegion region;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint) {
                region += static_cast<QPaintEvent*>(e)->region();
            }
            return false;
        }
    } spion;
    w.installEventFilter(&spion);
    bild().SetContactState(3, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(spion.region, QRegion(a->rect));
    EXPECT_EQ(grab(w).copy(a->rect), GleisKachelBild().copy(KachelRect(21, 4)));
    EXPECT_EQ(grab(w).copy(b->rect), GleisKachelBild().copy(KachelRect(21, 0)));
    w.removeEventFilter(&spion);
}

TEST_F(TGleisbildWidgetTest, ClicksGoToTheInput)
{
    ASSERT_NE(add(21, 1, 1), nullptr);
    TGleisBildElement* anzeige = add(100, 3, 1);
    ASSERT_NE(anzeige, nullptr);
    bild().RebuildGrid();
    TSchalterElement* schalter = bild().CreateSchalterElement();
    schalter->Left = 300;
    schalter->Top = 300;
    TGleisbildWidget w(bild());
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(15, 40)); // no input yet: nothing happens
    Eingabe eingabe;
    w.setEingabe(&eingabe);
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(15, 40));
    QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(15, 40));
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(29, 40)); // grid line
    QTest::mouseClick(&w, Qt::LeftButton, {}, anzeige->rect.topLeft() + QPoint(3, 3));
    QTest::mouseClick(&w, Qt::LeftButton, {}, anzeige->rect.topLeft() + QPoint(60, 3));
    QTest::mouseClick(&w, Qt::LeftButton, {}, anzeige->rect.topLeft() + QPoint(120, 3));
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(300 + 42, 305));
    EXPECT_EQ(eingabe.log, QStringList({"element 1/1 links", "element 1/1 rechts", "signal 3/1 links", "element 3/1 links",
                                        "signal 3/1 rechts", schalter->Name + " aus"}));
}

TEST_F(TGleisbildWidgetTest, MainWindowShowsTheDiagramInAScrollArea)
{
    TTrassolinForm form(programm, fenster.hauptfenster(), fenster.info());
    auto* scroll = form.findChild<QScrollArea*>(QStringLiteral("GleisbildScrollArea"));
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->widget(), form.gleisbildWidget());
    EXPECT_EQ(form.gleisbildWidget()->size(), QSize(8 + 1471 + 8, 30 + 841 + 8));
    fenster.hauptfenster().HintergrundSichtbar = true;
    form.refresh();
    EXPECT_FALSE(scroll->isHidden());
    fenster.hauptfenster().HintergrundSichtbar = false;
    form.refresh();
    EXPECT_TRUE(scroll->isHidden());
    Eingabe eingabe;
    form.setGleisbildEingabe(&eingabe);
    EXPECT_EQ(form.gleisbildWidget()->eingabe(), &eingabe);
}

} // namespace
