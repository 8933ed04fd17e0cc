#include "common/ProgramFixture.h"
#include "ui/TLogBuchForm.h"
#include "vehicles/LogBuch.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <gtest/gtest.h>

TEST(TLogBuchForm, ShowsPlainTextInTheColourOfItsKind)
{
    ProgramFixture f;
    TLogBuch& log = f.fenster->logbuch();
    TLogBuchForm form(log);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Trassolin LogBuch"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(form.geometry(), QRect(327, 270, 400, 270));

    log.LogBuchAdd(QStringLiteral("<b>Weiche</b> 5"), 1);
    QTextDocument* doc = form.LogMemo()->document();
    ASSERT_EQ(doc->blockCount(), 2);
    const QTextBlock zeile = doc->lastBlock();
    EXPECT_EQ(zeile.text(), QStringLiteral("<b>Weiche</b> 5"));
    EXPECT_EQ(zeile.begin().fragment().charFormat().foreground().color(), QColor(Qt::red));

    log.LogBuchAdd(QStringLiteral("Fahrstrasse"), 2);
    EXPECT_EQ(doc->lastBlock().begin().fragment().charFormat().fontWeight(), QFont::Bold);

    auto* loeschen = form.findChild<QPushButton*>(QStringLiteral("LoeschenButton"));
    ASSERT_NE(loeschen, nullptr);
    EXPECT_EQ(loeschen->text(), QStringLiteral("Lösschen"));
    loeschen->click();
    EXPECT_EQ(doc->blockCount(), 1);
    EXPECT_EQ(doc->firstBlock().text(), QStringLiteral("10:20:30"));

    log.Zeigen();
    EXPECT_TRUE(form.isVisible());
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(log.Sichtbar());

    form.setGeometry(QRect(40, 50, 300, 200)); // a hidden window reports it when shown
    log.Zeigen();
    EXPECT_EQ(f.programm->settings.LogbookWindowGeometry, QStringLiteral("0040005002000300_LogBuchFenster"));
}
