#include "ui/TInfoForm.h"
#include "ui/TWebHilfeForm.h"

#include "UiFixture.h"
#include "core/LineFile.h"
#include "core/TInfo.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>

namespace {
class TInfoFormTest : public UiFixture {
protected:
    TInfoFormTest() : form(std::make_unique<TInfoForm>(programm, fenster.info())) {}

    template <typename T>
    T* child(const QString& name) const
    {
        T* widget = form->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    std::unique_ptr<TInfoForm> form;
};

TEST_F(TInfoFormTest, ShowsTheStartLogAndStartsWithTheConnectButton)
{
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Info"));
    fenster.info().ShowStartWindow();

    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Trassolin fur tester"));
    EXPECT_EQ(form->geometry().size(), QSize(1031, 630));
    const QStringList shown = child<QPlainTextEdit>(QStringLiteral("LogMemo"))->toPlainText().split(u'\n');
    EXPECT_EQ(shown, fenster.info().logTexts());
    EXPECT_TRUE(shown.contains(QStringLiteral("* 10:20:30 ProjektDatei geöffnet")));
    EXPECT_EQ(child<QLabel>(QStringLiteral("ZentraleLabel"))->text(), QStringLiteral("Uhlenbrock Intellybox 1"));
    EXPECT_EQ(child<QLabel>(QStringLiteral("ProjektLabel"))->text(), QStringLiteral("Projekt : Default"));

    QPushButton* connectKey = child<QPushButton>(QStringLiteral("ProjektVerbindenSpeedBtn"));
    ASSERT_TRUE(connectKey->isEnabled());
    QTest::mouseClick(connectKey, Qt::LeftButton);
    EXPECT_FALSE(connectKey->isEnabled());
    EXPECT_FALSE(recorder.saw(Msg::WM_VERBINDEN));

    scheduler.advance(10000);
    const CoreMessage* verbinden = recorder.last(Msg::WM_VERBINDEN);
    ASSERT_NE(verbinden, nullptr);
    EXPECT_EQ(verbinden->w.toNumber(), 2);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(child<QProgressBar>(QStringLiteral("ProgressBar"))->value(), 15);
    EXPECT_EQ(child<QPushButton>(QStringLiteral("SchliessenBtn"))->toolTip(), QStringLiteral("InfoForm Schliessen"));
}

TEST_F(TInfoFormTest, InformationOnlyModeLeavesOnlyTheCloseButton)
{
    fenster.info().ShowStartWindow();
    fenster.info().OpenProject(false);
    scheduler.advance(10000);
    ASSERT_FALSE(form->isVisible());

    fenster.info().ShowInfoWindow();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(child<QProgressBar>(QStringLiteral("ProgressBar"))->isVisible());
    for (const char* name : {"ProjektVerbindenSpeedBtn", "ProjektNichtVerbindenSpeedBtn", "ProjektVerwaltenSpeedBtn",
                             "SicherungSpeedBtn"}) {
        EXPECT_FALSE(child<QPushButton>(QString::fromLatin1(name))->isEnabled()) << name;
    }
    QTest::mouseClick(child<QPushButton>(QStringLiteral("SchliessenBtn")), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(dialogs.questions.isEmpty()); // closing an information window never ends the program
}

// A second project whose name is markup: the list, the delete label and the log show it as text.
TEST_F(TInfoFormTest, ProjectListDeletesAProjectAndLogsItInRed)
{
    fenster.info().ShowStartWindow();
    const QString projects = programFolder() + QStringLiteral("Projekte/");
    ASSERT_TRUE(QDir().mkpath(projects + QStringLiteral("Alt")));
    auto pro = LineReader::open(projects + QStringLiteral("Default/Default.pro"), nullptr);
    ASSERT_TRUE(pro.has_value());
    LineWriter writer;
    for (int i = 0; !pro->atEnd(); ++i) {
        const QString line = pro->next();
        writer << (i == 3 ? QStringLiteral("<b>Alt</b>") : line);
    }
    ASSERT_TRUE(writer.save(projects + QStringLiteral("Alt/Alt.pro"), nullptr));

    QTest::mouseClick(child<QPushButton>(QStringLiteral("ProjektVerwaltenSpeedBtn")), Qt::LeftButton);
    auto* table = child<QTableWidget>(QStringLiteral("ProjektListe"));
    ASSERT_TRUE(table->isVisible());
    const QStringList headings = {QStringLiteral("Projektname"), QStringLiteral("Zentrale"), QStringLiteral("Erstelldatum"),
                                  QStringLiteral("Aktiv"), QStringLiteral("Lösschen")};
    const int widths[] = {180, 140, 80, 55, 55};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(table->horizontalHeaderItem(c)->text(), headings[c]);
        EXPECT_EQ(table->columnWidth(c), widths[c]);
    }
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("<b>Alt</b>"));
    EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("Aktiv"));
    EXPECT_EQ(table->item(1, 4)->text(), QStringLiteral("********"));
    EXPECT_EQ(table->currentRow(), 1);

    auto* deleteKey = child<QPushButton>(QStringLiteral("deleteLabel"));
    EXPECT_FALSE(deleteKey->isVisible());
    const QRect cell = table->visualItemRect(table->item(0, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(deleteKey->isVisible());
    EXPECT_EQ(deleteKey->text(), QStringLiteral("<b>Alt</b> lösschen"));
    EXPECT_EQ(child<QPushButton>(QStringLiteral("switchLabel"))->text(), QStringLiteral("<b>Alt</b> öffnen"));
    EXPECT_TRUE(child<QPushButton>(QStringLiteral("switchLabel"))->isEnabled());

    dialogs.yesNoAnswers = {true, true};
    QTest::mouseClick(deleteKey, Qt::LeftButton);
    EXPECT_FALSE(QDir(projects + QStringLiteral("Alt")).exists());
    EXPECT_FALSE(table->isVisible());

    auto* log = child<QPlainTextEdit>(QStringLiteral("LogMemo"));
    const QTextBlock last = log->document()->lastBlock();
    EXPECT_EQ(last.text(), QStringLiteral("!!10:20:30 Projekt : <b>Alt</b> wurde Gelösscht !!"));
    ASSERT_NE(last.begin(), last.end());
    EXPECT_EQ(last.begin().fragment().charFormat().foreground().color(), QColor(Qt::red));
    EXPECT_NE(last.previous().begin().fragment().charFormat().foreground().color(), QColor(Qt::red));
}

TEST_F(TInfoFormTest, BackupBoxOffersAFreeNameAndCreatesTheBackup)
{
    fenster.info().ShowStartWindow();
    QTest::mouseClick(child<QPushButton>(QStringLiteral("SicherungSpeedBtn")), Qt::LeftButton);
    EXPECT_EQ(child<QLabel>(QStringLiteral("SicherungCaption"))->text(), QStringLiteral("Sicherung erstellen von (Default)"));
    auto* name = child<QLineEdit>(QStringLiteral("SicherungEdit"));
    auto* save = child<QPushButton>(QStringLiteral("SicherungSpeichernBtn"));
    EXPECT_EQ(name->text(), QStringLiteral("Default 14.03.2026"));
    EXPECT_TRUE(save->isEnabled());

    name->clear();
    QTest::keyClicks(name, QStringLiteral("default"));
    EXPECT_FALSE(save->isEnabled()); // the folder exists (letter case ignored)
    QTest::keyClicks(name, QStringLiteral(" Kopie"));
    ASSERT_TRUE(save->isEnabled());
    QTest::mouseClick(save, Qt::LeftButton);

    EXPECT_TRUE(QFile::exists(programFolder() + QStringLiteral("Projekte/default Kopie/default Kopie.pro")));
    EXPECT_FALSE(child<QWidget>(QStringLiteral("SicherungBox"))->isVisible());
    EXPECT_TRUE(child<QPushButton>(QStringLiteral("ProjektVerbindenSpeedBtn"))->isEnabled());
}
} // namespace

TEST_F(TInfoFormTest, HelpTopicFollowsTheControlUnderTheMouse)
{
    TInfoForm form(programm, fenster.info());
    fenster.info().ShowStartWindow();
    form.show();
    auto* connect = form.findChild<QPushButton*>("ProjektVerbindenSpeedBtn");
    ASSERT_NE(connect, nullptr);
    EXPECT_EQ(form.helpTopicAt(connect->mapTo(&form, connect->rect().center())), 5005) << "Intellibox 1";
    auto* log = form.findChild<QWidget*>("LogMemo");
    EXPECT_EQ(form.helpTopicAt(log->mapTo(&form, log->rect().center())), 1007);

    TWebHilfeForm help(TRASSOLIN_SOURCE_DIR "/");
    help.showTopic(5005);
    EXPECT_TRUE(help.currentPage().endsWith("data/hilfe/5005.html"));
    help.showTopic(4711);
    EXPECT_TRUE(help.currentPage().endsWith("data/hilfe/index.html"));
}

TEST_F(TInfoFormTest, CtrlDSwitchesTheDebugViewOfEveryWindow)
{
    TInfoForm form(programm, fenster.info());
    fenster.info().ShowStartWindow();
    recorder.messages.clear();
    QTest::keyClick(&form, Qt::Key_D, Qt::ControlModifier);
    ASSERT_NE(recorder.last(Msg::WM_DEBUG), nullptr);
    EXPECT_EQ(recorder.last(Msg::WM_DEBUG)->w.toInt(), 1);
    QTest::keyClick(&form, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(recorder.last(Msg::WM_DEBUG)->w.toInt(), 0);
}
