#include "common/ProgramFixture.h"
#include "core/ProjectFileCheck.h"

#include <gtest/gtest.h>

TEST(ProjectFileCheck, ReadersReportErrorsAndRewriteReadFilesUnchanged)
{
    ProgramFixture f;
    f.info().ShowStartWindow();
    QFile golden(TRASSOLIN_TEST_DATA "/tree/ParentChild.tree");
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QByteArray tree = golden.readAll();
    f.write("Projekte/Default/ec2loks.lda", tree);
    f.write("Projekte/Default/CS1MagnetArt.ma2", tree.left(tree.size() - 3));

    const auto results = ReadProjectFiles(f.path("Projekte/Default"));
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].fileName, "Default.pro");
    EXPECT_EQ(results[0].error, "");
    EXPECT_EQ(results[0].rewritten, f.read("Projekte/Default/Default.pro"));
    EXPECT_EQ(results[1].fileName, "ec2loks.lda");
    EXPECT_EQ(results[1].rewritten, tree);
    EXPECT_EQ(results[2].fileName, "CS1MagnetArt.ma2");
    EXPECT_FALSE(results[2].error.isEmpty());
    EXPECT_TRUE(results[2].rewritten.isEmpty());

    QByteArray pro = f.read("Projekte/Default/Default.pro");
    pro.replace("RasterAnzeigen           :0\r\n8.AnzahlLokAdressen\r\nAnzahl LokAdressen       :200",
                "RasterAnzeigen           :0\r\n8.AnzahlLokAdressen\r\nAnzahl LokAdressen       :2x0");
    f.write("Projekte/Default/Default.pro", pro);
    const auto damaged = ReadProjectFiles(f.path("Projekte/Default"));
    EXPECT_TRUE(damaged[0].error.contains("Zeile 16")) << damaged[0].error.toStdString();
}
