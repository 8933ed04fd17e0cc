#include "ui/TZugPanel.h"

#include "UiFixture.h"
#include "core/TextFields.h"
#include "diagram/TTrassolin.h"
#include "operation/BetriebsDaten.h"
#include "operation/ZugPanelBilder.h"
#include "ui/TTrassolinForm.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSlider>
#include <QAbstractButton>
#include <initializer_list>

namespace {

class TZugPanelTest : public UiFixture {
protected:
    TZugPanelTest()
    {
        programm.settings.ZentraleTyp = 2; // locomotive key: ZugNr
        zug.ZugNr = 4;
        zug.Addr = 218;
        zug.ZugName = QStringLiteral("Baureihe 218 Dieselhydraulik");
        zug.MaxSpeed = 120;
        zug.ZugSichtbar = true;
        zug.PanelLeft = 100;
        zug.PanelTop = 100;
        host.resize(800, 600);
    }

    void funktionen(std::initializer_list<int> vorhanden)
    {
        for (int n : vorhanden) {
            zug.FunktionVorhanden[n] = true;
            zug.FunktionName[n] = QStringLiteral("Name%1").arg(n);
            zug.FunktionBild[n] = 2 * n - 1;
        }
    }
    TZugPanel* panelAnlegen()
    {
        panel = new TZugPanel(programm, zug, &host);
        return panel;
    }
    template <typename T>
    T* child(const QString& name) const
    {
        T* widget = panel->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QAbstractButton* taste(int n) const { return child<QAbstractButton>(QStringLiteral("SpeedButtonFunc") + ZeroPad2(n)); }
    static void maus(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
    std::vector<CoreMessage> gesendet(Msg id) const
    {
        std::vector<CoreMessage> result;
        for (const CoreMessage& m : recorder.messages) {
            if (m.id == id) {
                result.push_back(m);
            }
        }
        return result;
    }

    TZug zug{&programm};
    QWidget host; // the main window's place; owns the panel
    TZugPanel* panel = nullptr;
};

// The function keys take the places in turn; more than 12 shown keys make the panel taller and
// move the bottom row and the speed bar down.
TEST_F(TZugPanelTest, FunctionKeysArePlacedInTurnAndTheLastRowsFollow)
{
    struct Case {
        const char* name;
        std::vector<int> vorhanden;
        int gezeigt; // FunctionKeyCount
        int hoehe;
        int untenTop;
        std::vector<std::pair<int, QPoint>> plaetze;
        std::vector<int> versteckt;
    };
    const std::vector<Case> cases = {
        {"thirteen functions", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 16, 194, 147,
         {{1, {25, 77}}, {6, {130, 77}}, {7, {25, 99}}, {12, {130, 99}}, {13, {25, 123}}}, {14, 15, 16}},
        {"gaps close up", {2, 5, 9}, 16, 180, 133, {{2, {25, 77}}, {5, {46, 77}}, {9, {67, 77}}}, {1, 3, 4, 6, 7, 8}},
        {"keys above the shown count are hidden", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 8, 180, 133,
         {{7, {25, 99}}, {8, {46, 99}}}, {9, 13, 14}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        zug.FunktionVorhanden.fill(false);
        for (int n : c.vorhanden) {
            zug.FunktionVorhanden[n] = true;
        }
        zug.FunktionName[13] = QStringLiteral("Pfeife");
        programm.settings.FunctionKeyCount = c.gezeigt;
        TZugPanel p(programm, zug, &host);
        panel = &p;
        EXPECT_EQ(p.size(), QSize(180, c.hoehe));
        for (const auto& [n, platz] : c.plaetze) {
            EXPECT_FALSE(taste(n)->isHidden()) << n;
            EXPECT_EQ(taste(n)->geometry(), QRect(platz, QSize(20, 20))) << n;
        }
        for (int n : c.versteckt) {
            EXPECT_TRUE(taste(n)->isHidden()) << n;
        }
        for (const char* name : {"ZugInfoButton", "AutomaticButton", "RichtungButton", "ZugStopButton", "SpeedLabel"}) {
            EXPECT_EQ(child<QWidget>(QString::fromLatin1(name))->y(), c.untenTop) << name;
        }
        EXPECT_EQ(child<QSlider>(QStringLiteral("SpeedBar"))->y(), c.untenTop + 22);
        EXPECT_EQ(taste(13)->toolTip(), QStringLiteral("F13 Pfeife"));
        EXPECT_EQ(taste(13)->property("tag").toInt(), 13);
        panel = nullptr;
    }
}

TEST_F(TZugPanelTest, NameLabelShowsAddressOrAutomaticAndTheProtocolAsHint)
{
    struct Case {
        const char* name;
        bool aktiv;
        int protokoll;
        std::array<int, 3> folge;
        QString text;
        bool magenta;
        QString hinweis;
    };
    const std::vector<Case> cases = {
        {"DCC", false, 0, {0, 0, 0}, QStringLiteral("Baureihe 218 Dies (218)"), false, QStringLiteral("DCC 218")},
        {"running a route", true, 0, {0, 0, 0}, QStringLiteral("Baureihe 218 Dies (Auto)"), true, QStringLiteral("DCC 218")},
        {"Motorola", false, 1, {219, 0, 0}, QStringLiteral("Baureihe 218 Dies (218)"), false,
         QStringLiteral("MOTOROLA \nFolgeadresse1 F5-F8 219")},
        {"Motorola, three addresses", false, 1, {219, 220, 221}, QStringLiteral("Baureihe 218 Dies (218)"), false,
         QStringLiteral("MOTOROLA \nFolgeadresse1 F5-F8 219\nFolgeadresse2 F9-F12 220\nFolgeadresse3 F13-F16 221")},
    };
    panelAnlegen();
    auto* label = child<QLabel>(QStringLiteral("ZugNameLabel"));
    const QColor normal = label->palette().color(QPalette::WindowText);
    ASSERT_NE(normal, QColor(Qt::magenta));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        zug.Protokoll = c.protokoll;
        zug.Folgeadresse = c.folge;
        zug.AutomaticAktivSetzen(c.aktiv);
        EXPECT_EQ(label->text(), c.text);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), c.magenta ? QColor(Qt::magenta) : normal);
        EXPECT_EQ(label->toolTip(), c.hinweis);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << "the name is cut off";
    }
    EXPECT_TRUE(child<QLabel>(QStringLiteral("ECOSIDLabel"))->isHidden());
    EXPECT_EQ(child<QWidget>(QStringLiteral("ZugCloseButton"))->toolTip(), QStringLiteral("Close"));
    EXPECT_EQ(child<QWidget>(QStringLiteral("ZugStopButton"))->toolTip(), QStringLiteral("Stop"));
    EXPECT_EQ(child<QWidget>(QStringLiteral("ZugInfoButton"))->toolTip(), QStringLiteral("Zug Info"));
    EXPECT_EQ(child<QWidget>(QStringLiteral("AutomaticButton"))->toolTip(), QStringLiteral("Automatic"));
    EXPECT_EQ(child<QWidget>(QStringLiteral("LichtButton"))->toolTip(), QStringLiteral("Licht An - Aus"));
}

// The bar sends when the user moves it, never when the train's own speed change moves it.
TEST_F(TZugPanelTest, SpeedBarSendsOnlyTheUsersMoves)
{
    panelAnlegen();
    auto* bar = child<QSlider>(QStringLiteral("SpeedBar"));
    auto* label = child<QLabel>(QStringLiteral("SpeedLabel"));
    EXPECT_EQ(bar->maximum(), 120);
    EXPECT_EQ(bar->singleStep(), 10);

    zug.Set_Speed(50);
    EXPECT_EQ(bar->value(), 50);
    EXPECT_EQ(label->text(), QStringLiteral("50 ---- 120"));
    EXPECT_EQ(gesendet(Msg::WM_LOKSPEED), (std::vector<CoreMessage>{{Msg::WM_LOKSPEED, 4, 50}}));

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(zug.ZugSpeed, 60);
    EXPECT_EQ(label->text(), QStringLiteral("60 ---- 120"));
    EXPECT_EQ(gesendet(Msg::WM_LOKSPEED), (std::vector<CoreMessage>{{Msg::WM_LOKSPEED, 4, 50}, {Msg::WM_LOKSPEED, 4, 60}}));

    child<QAbstractButton>(QStringLiteral("ZugStopButton"))->click();
    EXPECT_EQ(bar->value(), 0);
    ASSERT_EQ(gesendet(Msg::WM_LOKSPEED).size(), 3U);
    EXPECT_EQ(gesendet(Msg::WM_LOKSPEED).back(), (CoreMessage{Msg::WM_LOKSPEED, 4, 0}));
}

TEST_F(TZugPanelTest, KeysReachTheTrainsOperations)
{
    funktionen({3});
    panelAnlegen();
    const std::vector<QImage>& icons = FunktionBilderListe(programm.settings.FunktionBilderAuswahl);
    const auto bild = [](QAbstractButton* t) { return t->icon().pixmap(20, 20).toImage().convertToFormat(QImage::Format_ARGB32); };
    EXPECT_EQ(bild(taste(3)), icons[5].convertToFormat(QImage::Format_ARGB32));

    taste(3)->click();
    EXPECT_TRUE(zug.Funktion[3]);
    EXPECT_EQ(gesendet(Msg::WM_LOKFUNK), (std::vector<CoreMessage>{{Msg::WM_LOKFUNK, 4, 999}}));
    EXPECT_EQ(bild(taste(3)), icons[6].convertToFormat(QImage::Format_ARGB32));
    taste(3)->click();
    EXPECT_FALSE(zug.Funktion[3]);

    child<QAbstractButton>(QStringLiteral("LichtButton"))->click();
    EXPECT_TRUE(zug.Funktion[0]);
    EXPECT_EQ(gesendet(Msg::WM_LOKFUNK).size(), 3U);

    zug.Set_Speed(30);
    child<QAbstractButton>(QStringLiteral("RichtungButton"))->click();
    EXPECT_EQ(zug.ZugRichtung, 1);
    EXPECT_EQ(zug.ZugSpeed, 0);

    // Automatic joins only while automatic operation is on; the panel takes the automatic colour.
    auto* automatic = child<QAbstractButton>(QStringLiteral("AutomaticButton"));
    automatic->click();
    EXPECT_FALSE(zug.ZugInAutomatic);
    fenster.hauptfenster().AutomaticAn = true;
    automatic->click();
    EXPECT_TRUE(zug.ZugInAutomatic);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0xFC, 0x94, 0x9B));

    QSignalSpy info(panel, &TZugPanel::infoRequested);
    child<QAbstractButton>(QStringLiteral("ZugInfoButton"))->click();
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(info[0][0].value<TZug*>(), &zug);

    EXPECT_FALSE(panel->isHidden());
    child<QAbstractButton>(QStringLiteral("ZugCloseButton"))->click();
    EXPECT_TRUE(panel->isHidden());
    EXPECT_FALSE(zug.ZugSichtbar);
    EXPECT_FALSE(zug.ZugInAutomatic);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0xAB, 0xF8, 0xDB));
}

// Held left button: the panel follows the mouse, also when the drag starts on the picture.
TEST_F(TZugPanelTest, DraggingMovesThePanelAndTheTrainsPosition)
{
    panelAnlegen();
    ASSERT_EQ(panel->pos(), QPoint(100, 100));
    maus(panel, QEvent::MouseButtonPress, {160, 100}, Qt::LeftButton, Qt::LeftButton);
    maus(panel, QEvent::MouseMove, {170, 60}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(panel->pos(), QPoint(110, 60));
    EXPECT_EQ(QPoint(zug.PanelLeft, zug.PanelTop), QPoint(110, 60));
    maus(panel, QEvent::MouseButtonRelease, {170, 60}, Qt::LeftButton, Qt::NoButton);
    maus(panel, QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(panel->pos(), QPoint(110, 60));

    QWidget* bild = child<QWidget>(QStringLiteral("ZugImage"));
    maus(bild, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    maus(panel, QEvent::MouseMove, {15 + 10, 29 - 80}, Qt::NoButton, Qt::LeftButton);
    maus(panel, QEvent::MouseButtonRelease, {15 + 10, 29 - 80}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(QPoint(zug.PanelLeft, zug.PanelTop), QPoint(120, -20));
    EXPECT_EQ(panel->pos(), QPoint(120, -20));
}

TEST_F(TZugPanelTest, RightButtonOnThePictureTakesTheTrainUpForPlacing)
{
    panelAnlegen();
    ASSERT_FALSE(fenster.hauptfenster().betrieb().ZugPlatzierenAktiv());
    maus(child<QWidget>(QStringLiteral("ZugImage")), QEvent::MouseButtonPress, {20, 20}, Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(fenster.hauptfenster().betrieb().ZugPlatzierenAktiv());
    EXPECT_EQ(host.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(host.cursor().hotSpot(), QPoint(15, 15));
    EXPECT_EQ(host.cursor().pixmap().size(), QSize(80, 20));
    EXPECT_EQ(panel->pos(), QPoint(100, 100)); // the right button does not drag
}

// The main window makes a panel for every train and shows those the train file marks visible.
TEST_F(TZugPanelTest, MainWindowHasAPanelPerTrainAndShowsTheVisibleOnes)
{
    auto& zuege = programm.betriebsdaten->ZugListe;
    for (int i = 0; i < 2; ++i) {
        zuege.push_back(std::make_unique<TZug>(&programm));
        zuege.back()->ZugNr = i;
        zuege.back()->ZugName = QStringLiteral("Lok %1").arg(i);
    }
    zuege[1]->ZugSichtbar = true;
    zuege[1]->PanelLeft = 300;
    zuege[1]->PanelTop = 200;
    TTrassolinForm form(programm, fenster.hauptfenster(), fenster.info());
    ASSERT_EQ(form.zugPanels().size(), 2U);
    EXPECT_EQ(&form.zugPanels()[0]->zug(), zuege[0].get());
    EXPECT_TRUE(form.zugPanels()[0]->isHidden());
    EXPECT_EQ(form.zugPanels()[0]->pos(), QPoint(100, 100));
    EXPECT_FALSE(form.zugPanels()[1]->isHidden());
    EXPECT_EQ(form.zugPanels()[1]->pos(), QPoint(300, 200));

    zuege.push_back(std::make_unique<TZug>(&programm));
    zuege.back()->ZugNr = 2;
    Q_EMIT fenster.hauptfenster().zugListeGeaendert();
    ASSERT_EQ(form.zugPanels().size(), 3U);
    EXPECT_EQ(&form.zugPanels()[2]->zug(), zuege[2].get());

    // Set_Richtung as the train file applies it shows a panel marked visible.
    zuege[0]->ZugSichtbar = true;
    zuege[0]->Set_Richtung(1);
    EXPECT_FALSE(form.zugPanels()[0]->isHidden());
}

} // namespace
