#include "ui/TTrassolinForm.h"
#include "settings/TSystem.h"

#include "UiFixture.h"
#include "core/TInfo.h"
#include "diagram/GleisBild.h"
#include "diagram/TTrassolin.h"
#include "ui/QtDialogs.h"
#include "ui/TGleisbildWidget.h"
#include "ui/TZugPanel.h"
#include "ui/LokLeisteWidget.h"
#include "operation/BetriebsDaten.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

namespace {
class TTrassolinFormTest : public UiFixture {
protected:
    TTrassolinFormTest() : form(std::make_unique<TTrassolinForm>(programm, fenster.hauptfenster(), fenster.info())) {}

    template <typename T>
    T* child(const QString& name) const
    {
        T* widget = form->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    bool menuEnabled(const char* name) const { return child<QMenu>(QString::fromLatin1(name))->menuAction()->isEnabled(); }

    std::unique_ptr<TTrassolinForm> form;
};

TEST_F(TTrassolinFormTest, StatusBarHasFourPanels)
{
    form->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->statusPanel(0)->width(), 300);
    EXPECT_EQ(form->statusPanel(1)->width(), 250);
    EXPECT_EQ(form->statusPanel(3)->width(), 50);
    EXPECT_EQ(form->statusPanel(3)->text(), QStringLiteral("Uhr"));
    // Panel 2 takes the rest: the window width - 630, less the status bar's own spacing.
    EXPECT_LE(form->statusPanel(2)->width(), form->width() - 630);
    EXPECT_GE(form->statusPanel(2)->width(), form->width() - 630 - 40);
    EXPECT_EQ(form->statusPanel(4), nullptr);
}

// From start-up through opening and connecting: menus, power keys and panels follow the logic.
TEST_F(TTrassolinFormTest, FollowsTheMainWindowLogic)
{
    fenster.info().ShowStartWindow();
    for (const char* menu : {"BearbeitenMenu", "AnzeigeMenu", "AutomaticMenu", "AblaufsteuerungMenu", "ZentraleMenu"}) {
        EXPECT_FALSE(menuEnabled(menu)) << menu;
    }
    EXPECT_TRUE(child<QPushButton>(QStringLiteral("BeendenBtn"))->isEnabled());
    EXPECT_EQ(child<QPushButton>(QStringLiteral("BeendenBtn"))->toolTip(), QStringLiteral("Trassolin Beenden"));
    EXPECT_TRUE(child<QWidget>(QStringLiteral("PowerGroup"))->isHidden());
    EXPECT_EQ(form->statusPanel(0)->text(), QStringLiteral("Uhlenbrock Intellybox 1"));

    fenster.info().OpenProject(true);
    scheduler.advance(10000);
    for (const char* menu : {"BearbeitenMenu", "AnzeigeMenu", "AutomaticMenu", "AblaufsteuerungMenu", "ZentraleMenu"}) {
        EXPECT_TRUE(menuEnabled(menu)) << menu;
    }
    EXPECT_FALSE(child<QWidget>(QStringLiteral("PowerGroup"))->isHidden());
    auto* verbinden = child<QAction>(QStringLiteral("VerbindenAction"));
    EXPECT_EQ(verbinden->text(), QStringLiteral("Verbinden mit Zentrale"));

    bus.broadcast(Msg::WM_VERBUNDEN, 2, 0);
    EXPECT_EQ(form->statusPanel(1)->text(), QStringLiteral("Modus : Betrieb"));
    EXPECT_EQ(verbinden->text(), QStringLiteral("Zentrale Trennen"));
    auto* go = child<QPushButton>(QStringLiteral("GoBtn"));
    auto* stop = child<QPushButton>(QStringLiteral("StopBtn"));
    EXPECT_EQ(stop->palette().color(QPalette::Button), QColor(255, 0, 0));
    EXPECT_NE(go->palette().color(QPalette::Button), QColor(0, 128, 0));

    bus.broadcast(Msg::WM_POWERON, 0, 0);
    EXPECT_EQ(form->statusPanel(0)->text(), QStringLiteral("Uhlenbrock Intellybox 1 (Power ON)"));
    EXPECT_EQ(go->palette().color(QPalette::Button), QColor(0, 128, 0));
    EXPECT_NE(stop->palette().color(QPalette::Button), QColor(255, 0, 0));

    QTest::mouseClick(stop, Qt::LeftButton);
    const CoreMessage* off = recorder.last(Msg::WM_POWEROFF_SENDEN);
    ASSERT_NE(off, nullptr);
    EXPECT_EQ(off->w.toNumber(), 2);
    verbinden->trigger();
    EXPECT_TRUE(recorder.saw(Msg::WM_TRENNEN));
}

TEST_F(TTrassolinFormTest, ClosingAsksOnceThroughTheOrderlyEnd)
{
    fenster.info().ShowStartWindow();
    form->show();
    QSignalSpy ended(&fenster.info(), &TInfo::programEndRequested);

    dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(dialogs.questions, QStringList{QStringLiteral("Trassolin Beenden ?")});
    EXPECT_TRUE(form->isVisible());

    dialogs.yesNoAnswers = {true};
    QTest::mouseClick(child<QPushButton>(QStringLiteral("BeendenBtn")), Qt::LeftButton);
    scheduler.advance(1000);
    ASSERT_EQ(ended.count(), 1);
    form->endProgram();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(dialogs.questions.size(), 2);
}

TEST(QtDialogs, ConvertsTextsAndFilters)
{
    const struct {
        const char* stored;
        const char* shown;
    } texts[] = {
        {"Relevante Daten würden geändert \rTrassolin wird beendet !!", "Relevante Daten würden geändert \nTrassolin wird beendet !!"},
        {"a\r\nb\rc", "a\nb\nc"},
        {"<b>kein</b> Markup", "<b>kein</b> Markup"},
    };
    for (const auto& row : texts) {
        EXPECT_EQ(QtDialogs::displayText(QString::fromUtf8(row.stored)), QString::fromUtf8(row.shown));
    }
    const struct {
        const char* stored;
        const char* qt;
    } filters[] = {
        {"Trassolin LokDatenbank (*.lda)|*.lda", "Trassolin LokDatenbank (*.lda)"},
        {"Bilder|*.jpg;*.bmp|Alle (*.*)|*.*", "Bilder (*.jpg *.bmp);;Alle (*.*)"},
    };
    for (const auto& row : filters) {
        EXPECT_EQ(QtDialogs::qtFilter(QString::fromUtf8(row.stored)), QString::fromUtf8(row.qt));
    }
}
} // namespace

TEST_F(TTrassolinFormTest, ButtonPanelTakesThePanelColour)
{
    TTrassolinForm form(programm, fenster.hauptfenster(), fenster.info());
    fenster.info().ShowStartWindow();
    auto* panel = form.findChild<QWidget*>("ButtonPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0xAB, 0xF8, 0xDB)) << "$00DBF8AB";
    programm.settings.PanelColor = QStringLiteral("clRed");
    fenster.system().ApplyPanelColor();
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::red));
}

TEST_F(TTrassolinFormTest, ClickOnTheEventPanelAsksForTheLogbook)
{
    TTrassolinForm form(programm, fenster.hauptfenster(), fenster.info());
    QSignalSpy requested(&form, &TTrassolinForm::logbookRequested);
    QTest::mouseClick(form.statusPanel(1), Qt::LeftButton);
    EXPECT_EQ(requested.count(), 0);
    QTest::mouseClick(form.statusPanel(2), Qt::LeftButton);
    EXPECT_EQ(requested.count(), 1);
}

TEST_F(TTrassolinFormTest, OpenedWithoutCommandStationThePlanIsShownAndClicksOperateIt)
{
    fenster.info().ShowStartWindow();
    QFile plan(TRASSOLIN_TEST_DATA "/plan/Alles.da2");
    ASSERT_TRUE(plan.copy(programFolder() + "Projekte/Default/Default.da2"));
    fenster.info().OpenProject(false);
    scheduler.advance(10000);
    auto* scroll = child<QWidget>("GleisbildScrollArea");
    EXPECT_TRUE(scroll->isVisibleTo(form.get()));
    EXPECT_EQ(fenster.hauptfenster().GleisbildModus, 1);

    // The turnout 62 of the fixture: a left click switches it, a right click offers the swap.
    const TGleisBildElement* weiche = nullptr;
    for (const auto& e : fenster.gleisbild().Elemente()) {
        if (e->GleisBildNr == 62) {
            weiche = e.get();
        }
    }
    ASSERT_NE(weiche, nullptr);
    recorder.messages.clear();
    QWidget* diagramm = form->gleisbildWidget();
    QTest::mouseClick(diagramm, Qt::LeftButton, {}, weiche->rect.center());
    ASSERT_NE(recorder.last(Msg::WM_MAG), nullptr);
    EXPECT_EQ(recorder.last(Msg::WM_MAG)->w.toInt(), weiche->MagnetArtNr);
    EXPECT_EQ(weiche->Stellung, 1);
    QTest::mouseClick(diagramm, Qt::RightButton, {}, weiche->rect.center());
    auto* swap = child<QWidget>("TUmkehrPanel");
    EXPECT_TRUE(swap->isVisibleTo(diagramm));
    EXPECT_EQ(swap->geometry().left(), weiche->rect.right() + 21);
}

// The locomotive bar shows the trains of its window on named keys and pages with its keys; a
// click on a key's picture shows the train's panel.
TEST_F(TTrassolinFormTest, LocomotiveBarShowsItsWindowAndPages)
{
    auto& zuege = fenster.betriebsdaten().ZugListe;
    const int tasten = fenster.hauptfenster().lokLeiste().tastenAnzahl();
    ASSERT_GE(tasten, 2);
    for (int i = 0; i < tasten + 2; ++i) {
        auto zug = std::make_unique<TZug>(&programm);
        zug->ZugNr = i;
        zug->ZugName = QStringLiteral("Lok %1").arg(i + 1);
        zug->Addr = i + 1;
        zuege.push_back(std::move(zug));
    }
    form->show();
    fenster.hauptfenster().setSteuerzustand(TTrassolin::Steuerzustand::Gesperrt);
    fenster.hauptfenster().ZugeZuweisen();
    EXPECT_FALSE(form->lokLeiste()->isVisible()) << "no project open yet";
    fenster.hauptfenster().setSteuerzustand(TTrassolin::Steuerzustand::Betrieb);
    auto* erste = child<QFrame>(QStringLiteral("LokTaste1"));
    EXPECT_TRUE(erste->isVisibleTo(form.get()));
    EXPECT_EQ(child<QLabel>(QStringLiteral("LokLabel"))->text(), QStringLiteral("Lok 1"));
    auto* plus = child<QWidget>(QStringLiteral("LokLeistePlus"));
    auto* minus = child<QWidget>(QStringLiteral("LokLeisteMinus"));
    EXPECT_TRUE(plus->isEnabled());
    EXPECT_FALSE(minus->isEnabled());
    QTest::mouseClick(static_cast<QAbstractButton*>(plus), Qt::LeftButton);
    EXPECT_EQ(erste->findChild<QLabel*>(QStringLiteral("LokLabel"))->text(), QStringLiteral("Lok %1").arg(tasten + 1));
    EXPECT_FALSE(child<QFrame>(QStringLiteral("LokTaste3"))->isVisibleTo(form.get())) << "only two trains are left";
    EXPECT_TRUE(minus->isEnabled());

    // A click on the picture shows the train's panel.
    TZug& zug = *zuege[static_cast<std::size_t>(tasten)];
    QTest::mouseClick(erste->findChild<QLabel*>(QStringLiteral("LokBild")), Qt::LeftButton);
    EXPECT_TRUE(zug.ZugSichtbar);
    EXPECT_TRUE(form->zugPanels()[static_cast<std::size_t>(tasten)]->isVisibleTo(form.get()));

    // Sorted by kind: three pages with their own keys.
    programm.settings.LoksEinteilen = true;
    zuege[0]->ZugArt = QStringLiteral("E-Lok");
    fenster.hauptfenster().ZugeZuweisen();
    EXPECT_TRUE(child<QWidget>(QStringLiteral("LokLeisteSortiert"))->isVisibleTo(form.get()));
    EXPECT_EQ(child<QFrame>(QStringLiteral("LokTasteElok1"))->findChild<QLabel*>(QStringLiteral("LokLabel"))->text(),
              QStringLiteral("Lok 1"));
}

// A loco display's menu opens as a real menu with the logic's entries and pictures.
TEST_F(TTrassolinFormTest, DisplayMenuOpensWithTheEntriesOfTheLogic)
{
    form->show();
    Menue menue;
    bool geklickt = false;
    menue.push_back({QStringLiteral("Zug"), 33, true, false, {}, {{QStringLiteral("Zug wenden"), 34, true, false, [&geklickt] { geklickt = true; }, {}}}});
    menue.push_back({QStringLiteral("Zug Info"), 35, false, false, {}, {}});
    Q_EMIT fenster.hauptfenster().menueOeffnen(menue, QPoint(40, 40));
    QMenu* offen = form->offenesMenue();
    ASSERT_NE(offen, nullptr);
    ASSERT_EQ(offen->actions().size(), 2);
    EXPECT_EQ(offen->actions()[0]->text(), QStringLiteral("Zug"));
    ASSERT_NE(offen->actions()[0]->menu(), nullptr);
    EXPECT_FALSE(offen->actions()[0]->icon().isNull());
    EXPECT_FALSE(offen->actions()[1]->isEnabled());
    offen->actions()[0]->menu()->actions()[0]->trigger();
    EXPECT_TRUE(geklickt);
    offen->close();
}
