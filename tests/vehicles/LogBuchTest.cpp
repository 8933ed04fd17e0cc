#include "common/ProgramFixture.h"
#include "vehicles/LogBuch.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(LogBuch, StartsWithTheTimeAndClearsBeyondOneHundredLines)
{
    ProgramFixture f;
    TLogBuch& log = f.fenster->logbuch();
    EXPECT_EQ(f.programm->logbuch, &log);
    ASSERT_EQ(log.Zeilen().size(), 1u);
    EXPECT_EQ(log.Zeilen()[0].text, QStringLiteral("10:20:30"));

    for (int i = 2; i <= 101; ++i) {
        log.LogBuchAdd(QStringLiteral("Zeile %1").arg(i), 0);
    }
    ASSERT_EQ(log.Zeilen().size(), 101u);
    QSignalSpy geleert(&log, &TLogBuch::geleert);
    log.LogBuchAdd(QStringLiteral("Weiche 5 Gerade"), 1);
    ASSERT_EQ(log.Zeilen().size(), 1u);
    EXPECT_EQ(log.Zeilen()[0].text, QStringLiteral("Weiche 5 Gerade"));
    EXPECT_EQ(geleert.count(), 1);

    f.clock.set(QDateTime(QDate(2026, 12, 11), QTime(11, 0, 5)));
    log.Loesschen();
    ASSERT_EQ(log.Zeilen().size(), 1u);
    EXPECT_EQ(log.Zeilen()[0].text, QStringLiteral("11:00:05"));
    EXPECT_EQ(log.Zeilen()[0].kind, 0);
}

TEST(LogBuch, KindsGiveColourAndWeight)
{
    struct Row {
        int kind;
        int stored;
        TColor farbe;
        bool fett;
    };
    const Row rows[] = {{0, 0, clBlack, false},  {1, 1, clRed, false},        {2, 2, clGreen, true},
                        {3, 3, clMaroon, true},  {4, 4, clTeal, true},        {5, 5, 0xFF00000D, true},
                        {6, 0, clBlack, false},  {-1, 0, clBlack, false}};
    ProgramFixture f;
    TLogBuch& log = f.fenster->logbuch();
    for (const Row& row : rows) {
        log.LogBuchAdd(QStringLiteral("<b>x</b>"), row.kind);
        EXPECT_EQ(log.Zeilen().back().kind, row.stored) << row.kind;
        EXPECT_EQ(log.Zeilen().back().text, QStringLiteral("<b>x</b>"));
        EXPECT_EQ(TLogBuch::Farbe(row.stored), row.farbe) << row.kind;
        EXPECT_EQ(TLogBuch::Fett(row.stored), row.fett) << row.kind;
    }
}

TEST(LogBuch, WindowGeometryIsKeptAsText)
{
    ProgramFixture f;
    TLogBuch& log = f.fenster->logbuch();
    EXPECT_EQ(log.FensterGeometrie(), QRect(327, 270, 400, 270));
    log.FensterGeaendert(QRect(12, 34, 500, 300));
    EXPECT_EQ(f.programm->settings.LogbookWindowGeometry, QStringLiteral("0012003403000500_LogBuchFenster"));
    EXPECT_EQ(log.FensterGeometrie(), QRect(12, 34, 500, 300));
    log.FensterGeaendert(QRect(327, 270, 400, 270));
    EXPECT_EQ(f.programm->settings.LogbookWindowGeometry, QStringLiteral("0327027002700400_LogBuchFenster"));
    f.programm->settings.LogbookWindowGeometry = QStringLiteral("kaputt");
    EXPECT_EQ(log.FensterGeometrie(), QRect(327, 270, 400, 270));
}
