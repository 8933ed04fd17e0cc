#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}
} // namespace

TEST(ProgramFolder, ArgumentValue)
{
    EXPECT_EQ(ProgramFolder::argumentValue({"trassolin"}), std::nullopt);
    EXPECT_EQ(ProgramFolder::argumentValue({"trassolin", "--program-folder", "/x"}), QString("/x"));
    EXPECT_EQ(ProgramFolder::argumentValue({"trassolin", "--program-folder=/y"}), QString("/y"));
    EXPECT_EQ(ProgramFolder::argumentValue({"trassolin", "--program-folder"}), QString());
}

TEST(ProgramFolder, ExecutableFolderWithDataIsUsedAsIs)
{
    QTemporaryDir root;
    writeFile(root.filePath("bin/data/a.txt"), "a");
    const auto result = ProgramFolder::resolve(root.filePath("bin"), std::nullopt, root.filePath("home"));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.folder, QDir(root.filePath("bin")).absolutePath() + "/");
    EXPECT_FALSE(QDir(root.filePath("home")).exists());
}

TEST(ProgramFolder, InstalledProgramSeedsHomeFolderWithoutOverwriting)
{
    QTemporaryDir root;
    writeFile(root.filePath("usr/share/trassolin/data/hilfe/index.html"), "new");
    writeFile(root.filePath("usr/share/trassolin/data/param.txt"), "shipped");
    writeFile(root.filePath("home/.local/share/Trassolin/data/param.txt"), "user's own");
    const auto result = ProgramFolder::resolve(root.filePath("usr/bin"), std::nullopt, root.filePath("home"));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.folder, root.filePath("home/.local/share/Trassolin/"));
    QFile seeded(result.folder + "data/hilfe/index.html");
    ASSERT_TRUE(seeded.open(QIODevice::ReadOnly));
    EXPECT_EQ(seeded.readAll(), "new");
    QFile kept(result.folder + "data/param.txt");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "user's own");
}

TEST(ProgramFolder, ExplicitFolderWinsAndIsCreated)
{
    QTemporaryDir root;
    writeFile(root.filePath("bin/data/a.txt"), "a");
    const auto result = ProgramFolder::resolve(root.filePath("bin"), root.filePath("demo"), root.filePath("home"));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.folder, root.filePath("demo/"));
    EXPECT_TRUE(QFile::exists(root.filePath("demo/data/a.txt")));

    const auto empty = ProgramFolder::resolve(root.filePath("bin"), QString(), root.filePath("home"));
    EXPECT_FALSE(empty.ok());
    EXPECT_FALSE(empty.error.isEmpty());
}
