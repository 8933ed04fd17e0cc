#include "core/LineFile.h"
#include "settings/SoundFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
QByteArray golden()
{
    QFile f(QStringLiteral(TRASSOLIN_TEST_DATA "/sound/Anlage.sou"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The lines of a default file with the value line `line` (1-based) replaced.
QStringList withLine(int line, const QString& text, SoundMode mode = SoundMode::Library)
{
    QStringList lines = SoundFileLines(DefaultSoundBoxes(), mode, QStringLiteral("Anlage"), QStringLiteral("01.02.2026"));
    lines[line - 1] = text;
    return lines;
}
} // namespace

TEST(SoundFile, ReadsTheGoldenFileAndWritesItBackByteForByte)
{
    const QByteArray bytes = golden();
    ASSERT_FALSE(bytes.isEmpty());
    SoundMode mode = SoundMode::Fallback;
    SoundBoxes boxes = DefaultSoundBoxes();
    const SoundFileReadResult result = ReadSoundFile(LineReader::SplitLines(bytes), mode, boxes);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.firstLine, QStringLiteral("Sounddatei Anlage erstellt 11.12.2026"));
    EXPECT_EQ(mode, SoundMode::Library);
    EXPECT_EQ(boxes[0].Name, QStringLiteral("Bahnsteig Süd"));
    EXPECT_EQ(boxes[0].Volume, 55);
    EXPECT_EQ(boxes[0].Balance, -30);
    EXPECT_TRUE(boxes[0].Active);
    EXPECT_FALSE(boxes[1].Active);
    EXPECT_EQ(boxes[2].Balance, -100);
    EXPECT_EQ(boxes[13].Name, QStringLiteral("Güterbahnhof"));
    EXPECT_EQ(boxes[13].Volume, 7);
    EXPECT_EQ(boxes[13].Flag, SpeakerFlag::Rear2Right) << "the speakers are not part of the file";

    const QStringList written = SoundFileLines(boxes, mode, QStringLiteral("Anlage"), QStringLiteral("11.12.2026"));
    EXPECT_EQ(LineWriter::JoinLines(written), bytes);
}

TEST(SoundFile, ModeLineChoosesTheRangesValuesAreClampedTo)
{
    struct Case {
        const char* modeLine;
        const char* volume;
        const char* balance;
        SoundMode mode;
        int expectedVolume;
        int expectedBalance;
    };
    const Case cases[] = {
        {"Ausgabe mit BASS", "Volume  300", "Balance -500", SoundMode::Library, 100, -100},
        {"Ausgabe mit BASS", "Volume  -4", "Balance 0", SoundMode::Library, 0, 0},
        {"Ausgabe mit MMSystem", "Volume  70000", "Balance 0", SoundMode::Fallback, 65500, 1},
        {"Ausgabe mit MMSystem", "Volume  12000", "Balance 50", SoundMode::Fallback, 12000, 10},
        {"Ausgabe mit bass", "Volume  20", "Balance 1", SoundMode::Fallback, 20, 1},
    };
    for (const Case& c : cases) {
        QStringList lines = withLine(2, QString::fromUtf8(c.modeLine));
        lines[4] = QString::fromUtf8(c.volume); // box 0
        lines[5] = QString::fromUtf8(c.balance);
        SoundMode mode = SoundMode::Library;
        SoundBoxes boxes = DefaultSoundBoxes();
        const SoundFileReadResult result = ReadSoundFile(lines, mode, boxes);
        ASSERT_TRUE(result.ok) << c.modeLine << ' ' << result.error.toStdString();
        EXPECT_EQ(mode, c.mode) << c.modeLine;
        EXPECT_EQ(boxes[0].Volume, c.expectedVolume) << c.volume;
        EXPECT_EQ(boxes[0].Balance, c.expectedBalance) << c.balance;
    }
}

TEST(SoundFile, DamagedFileChangesNothingAndNamesTheLine)
{
    struct Case {
        QStringList lines;
        const char* error;
    };
    QStringList truncated = withLine(1, QStringLiteral("Sounddatei Anlage erstellt 01.02.2026"));
    truncated = truncated.mid(0, 40);
    const Case cases[] = {
        {withLine(10, QStringLiteral("Volume  laut")), "Zeile 10: Volume ist keine Zahl: »laut«"},
        {withLine(16, QStringLiteral("Balance")), "Zeile 16: Balance ist keine Zahl: »«"},
        {truncated, "Unerwartetes Dateiende nach Zeile 40"},
        {{}, "Unerwartetes Dateiende nach Zeile 0"},
    };
    for (const Case& c : cases) {
        SoundMode mode = SoundMode::Fallback;
        SoundBoxes boxes = DefaultSoundBoxes();
        boxes[0].Name = QStringLiteral("unverändert");
        const SoundFileReadResult result = ReadSoundFile(c.lines, mode, boxes);
        EXPECT_FALSE(result.ok) << c.error;
        EXPECT_EQ(result.error, QString::fromUtf8(c.error));
        EXPECT_EQ(mode, SoundMode::Fallback);
        EXPECT_EQ(boxes[0].Name, QStringLiteral("unverändert"));
    }
}

TEST(SoundFile, WriterKeepsEveryBoxOnItsFiveLines)
{
    SoundBoxes boxes = DefaultSoundBoxes();
    boxes[3].Name = QStringLiteral("Zwei\r\nZeilen");
    boxes[3].Volume = 250;
    boxes[3].Balance = -7;
    const QStringList lines = SoundFileLines(boxes, SoundMode::Fallback, QStringLiteral("P"), QStringLiteral("01.02.2026"));
    ASSERT_EQ(lines.size(), 72);
    EXPECT_EQ(lines[1], QStringLiteral("Ausgabe mit MMSystem"));
    EXPECT_EQ(lines[17], QStringLiteral("*** BOX 3*********************"));
    EXPECT_EQ(lines[18], QStringLiteral("ID      Zwei  Zeilen"));
    EXPECT_EQ(lines[19], QStringLiteral("Volume  250"));
    EXPECT_EQ(lines[20], QStringLiteral("Balance 1")) << "clamped to the fallback's 1..10";
    EXPECT_EQ(lines[67], QStringLiteral("*** BOX 13*********************"));

    SoundMode mode = SoundMode::Library;
    SoundBoxes read = DefaultSoundBoxes();
    ASSERT_TRUE(ReadSoundFile(LineReader::SplitLines(LineWriter::JoinLines(lines)), mode, read).ok);
    EXPECT_EQ(read[3].Name, QStringLiteral("Zwei  Zeilen"));
}
