#include "core/FileSave.h"
#include "core/LineFile.h"

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
} // namespace

TEST(LineFile, EveryWrittenLineEndsWithCrLfInWindows1252)
{
    QTemporaryDir dir;
    LineWriter writer;
    writer << QStringLiteral("041****") << QString() << QStringLiteral("Größe €");
    const QString path = dir.filePath("x.hs2");
    QString error;
    ASSERT_TRUE(writer.save(path, &error)) << error.toStdString();
    EXPECT_EQ(readAll(path), QByteArray("041****\r\n\r\nGr\xF6\xDF" "e \x80\r\n"));
    EXPECT_EQ(LineWriter::JoinLines({}), QByteArray());
}

TEST(LineFile, ReaderAcceptsCrLfAndLfAndKeepsEmptyLines)
{
    struct Row {
        QByteArray bytes;
        QStringList lines;
    };
    const Row rows[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\rb\n", {"a\rb"}},
        {"", {}},
        {"\r\n", {""}},
        {"\xC4\x80\r\n", {QStringLiteral("Ä€")}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LineReader::SplitLines(row.bytes), row.lines) << row.bytes.toStdString();
    }
}

TEST(LineFile, ReaderCollectsErrorsWithLineNumbers)
{
    LineReader reader({"Anzahl : 012", "x7"});
    EXPECT_EQ(reader.number(reader.next().mid(9), "Anzahl"), 12);
    EXPECT_TRUE(reader.ok());
    EXPECT_EQ(reader.number(reader.next(), "Adresse", -1), -1);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.next(), QString());
    EXPECT_FALSE(reader.ok());
    EXPECT_EQ(reader.errors(), QStringList({QStringLiteral("Zeile 2: Adresse ist keine Zahl: »x7«"),
                                            QStringLiteral("Unerwartetes Dateiende nach Zeile 2")}));

    QString error;
    EXPECT_FALSE(LineReader::open("/nonexistent/file.pro", &error).has_value());
    EXPECT_TRUE(error.contains("/nonexistent/file.pro"));
}

TEST(FileSave, FailedSaveReportsAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath("plain");
    ASSERT_TRUE(SaveFileAtomically(blocker, "old", nullptr));
    ASSERT_TRUE(SaveFileAtomically(blocker, "new", nullptr));
    EXPECT_EQ(readAll(blocker), "new");
    QString error;
    // The folder of the target is a file: the save must fail and say so.
    EXPECT_FALSE(SaveFileAtomically(blocker + "/x.pro", "data", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"plain"}));
}

TEST(FileSave, FileNamesMatchWithoutLetterCaseAndStoredPathsReduceToNames)
{
    QTemporaryDir dir;
    ASSERT_TRUE(SaveFileAtomically(dir.filePath("Demo.PRO"), "x", nullptr));
    EXPECT_EQ(FindFileNoCase(dir.path(), "demo.pro"), dir.filePath("Demo.PRO"));
    EXPECT_EQ(FindFileNoCase(dir.path(), "Demo.PRO"), dir.filePath("Demo.PRO"));
    EXPECT_EQ(FindFileNoCase(dir.path(), "other.pro"), dir.filePath("other.pro"));

    EXPECT_EQ(FileNameOfStoredPath("C:\\Programme\\Bilder\\Lok 1.jpg"), "Lok 1.jpg");
    EXPECT_EQ(FileNameOfStoredPath("Loks/BR 01.jpg"), "BR 01.jpg");
    EXPECT_EQ(FileNameOfStoredPath("C:x.wav"), "x.wav");
    EXPECT_EQ(FileNameOfStoredPath("x.wav"), "x.wav");
    EXPECT_EQ(FileNameOfStoredPath("C:\\Bilder\\"), "");
}
