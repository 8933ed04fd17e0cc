#include "core/Clock.h"
#include "settings/ParameterFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return QDir().mkpath(QFileInfo(path).path()) && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

const FixedClock kClock(QDateTime(QDate(2024, 3, 5), QTime(14, 30, 0)));
} // namespace

TEST(ParameterFile, MissingFileIsCreatedWithTodayAndTheDefaultProject)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    InstallationParameters p;
    const ParameterFileResult result = ReadParameterFile(folder, kClock, p);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(result.created);
    EXPECT_EQ(readAll(folder + "data/Trassolin20Parameter.dat"),
              QByteArray("Version 41\r\nDefault\r\nLetzteMalVerbundenMitZentrale 05.03.2024\r\n"
                         "00000000000000000000\r\n"));
    EXPECT_EQ(p.LastProject, QStringLiteral("Default"));
    EXPECT_EQ(p.LastConnectedDate, QStringLiteral("05.03.2024"));
    EXPECT_EQ(p.MeasureStartContact, 0);
    EXPECT_EQ(p.MeasureLengthCm, 0);
    EXPECT_TRUE(QFileInfo(folder + "Projekte/Default").isDir());
}

TEST(ParameterFile, WrittenFileReadsBackAndCreatesTheProjectFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    InstallationParameters written;
    written.LastConnectedDate = QStringLiteral("01.02.2023");
    written.MeasureStartContact = 3;
    written.MeasureContact = 7;
    written.MeasureTargetContact = 12;
    written.MeasureLengthCm = 850;
    ASSERT_TRUE(QDir().mkpath(folder + "data"));
    QString error;
    ASSERT_TRUE(WriteParameterFile(folder, written, QStringLiteral("Bahnhof Süd"), &error)) << error.toStdString();
    EXPECT_EQ(readAll(folder + "data/Trassolin20Parameter.dat"),
              QByteArray("41\r\nBahnhof S\xFC" "d\r\nLetzteMalVerbundenMitZentrale 01.02.2023\r\n"
                         "**00003000070001200850\r\n"));

    InstallationParameters read;
    const ParameterFileResult result = ReadParameterFile(folder, kClock, read);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_FALSE(result.created);
    EXPECT_EQ(read.LastProject, QStringLiteral("Bahnhof Süd"));
    EXPECT_EQ(read.LastConnectedDate, QStringLiteral("01.02.2023"));
    EXPECT_EQ(read.MeasureStartContact, 3);
    EXPECT_EQ(read.MeasureContact, 7);
    EXPECT_EQ(read.MeasureTargetContact, 12);
    EXPECT_EQ(read.MeasureLengthCm, 850);
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("Projekte/Bahnhof Süd")).isDir());
}

TEST(ParameterFile, MeasuringNumbersAreClampedToFiveDigits)
{
    InstallationParameters p;
    p.ProgramVersion = QStringLiteral("42");
    p.MeasureStartContact = -4;
    p.MeasureContact = 512;
    p.MeasureTargetContact = 100000;
    p.MeasureLengthCm = 99999;
    EXPECT_EQ(ParameterLines(p, QStringLiteral("Default")),
              QStringList({"42", "Default", "LetzteMalVerbundenMitZentrale ", "**00000005129999999999"}));
}

TEST(ParameterFile, MeasuringSectionIsReadOnlyAfterTheMarker)
{
    struct Row {
        const char* line4;
        bool ok;
        int start;
        int length;
    };
    const Row rows[] = {
        {"**00003000070001200850", true, 3, 850},
        {"00003000070001200850", true, 9, 99}, // no marker: values stay
        {"00000000000000000000", true, 9, 99},
        {"**000030000x0001200850", false, 9, 99},
        {"**0000300007", false, 9, 99},
    };
    for (const Row& row : rows) {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        const QByteArray bytes = QByteArray("41\r\nAnlage\r\nLetzteMalVerbundenMitZentrale 01.02.2023\r\n") + row.line4
            + "\r\n";
        ASSERT_TRUE(writeBytes(folder + "data/Trassolin20Parameter.dat", bytes));
        InstallationParameters p;
        p.MeasureStartContact = 9;
        p.MeasureLengthCm = 99;
        const ParameterFileResult result = ReadParameterFile(folder, kClock, p);
        EXPECT_EQ(result.ok, row.ok) << row.line4;
        EXPECT_EQ(p.MeasureStartContact, row.start) << row.line4;
        EXPECT_EQ(p.MeasureLengthCm, row.length) << row.line4;
        if (!row.ok) {
            EXPECT_TRUE(result.error.contains(QStringLiteral("Zeile 4:"))) << result.error.toStdString();
            EXPECT_EQ(p.LastProject, QStringLiteral("Default"));
        }
        EXPECT_EQ(readAll(folder + "data/Trassolin20Parameter.dat"), bytes);
    }
}

TEST(ParameterFile, StoredProjectNameMustBeAFolderInsideProjekte)
{
    struct Row {
        const char* name;
        bool valid;
    };
    const Row rows[] = {
        {"Default", true},    {"Bahnhof Süd", true}, {"Anlage-2 (alt)", true}, {"", false},
        {"..", false},        {".", false},          {"../../etc", false},     {"a/b", false},
        {"a\\b", false},      {" Anlage", false},    {"Anlage ", false},       {"An\tlage", false},
        {"Anlage\x7f", false}, {"Bahn \xe2\x82\xac", true}, {"\xe2\x86\x92 Nord", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsValidProjectName(QString::fromUtf8(row.name)), row.valid) << row.name;
    }

    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/prog/");
    ASSERT_TRUE(writeBytes(folder + "data/Trassolin20Parameter.dat",
                           "41\r\n../../ausserhalb\r\nLetzteMalVerbundenMitZentrale 01.02.2023\r\n"));
    InstallationParameters p;
    const ParameterFileResult result = ReadParameterFile(folder, kClock, p);
    EXPECT_TRUE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(p.LastProject, QStringLiteral("Default"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("ausserhalb")));
    EXPECT_TRUE(QFileInfo(folder + "Projekte/Default").isDir());
}

TEST(ParameterFile, ProjectFolderIsFoundWithoutRegardToCase)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    ASSERT_TRUE(QDir().mkpath(folder + "Projekte/anlage"));
    ASSERT_TRUE(writeBytes(folder + "data/trassolin20parameter.DAT", "41\r\nAnlage\r\n"));
    InstallationParameters p;
    const ParameterFileResult result = ReadParameterFile(folder, kClock, p);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_FALSE(result.created);
    EXPECT_EQ(p.LastProject, QStringLiteral("anlage"));
    EXPECT_EQ(QDir(folder + "Projekte").entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"anlage"});
}
