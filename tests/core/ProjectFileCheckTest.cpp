#include "common/ProgramFixture.h"
#include "core/ProjectFileCheck.h"
#include "vehicles/FahrzeugDatenbank.h"

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

TEST(ProjectFileCheck, StationsTrainsAndRoutesRoundTripWithTheProjectsVehicles)
{
    QTemporaryDir root;
    const QString folder = root.path() + "/Projekte/Anlage";
    QDir().mkpath(folder);
    FahrzeugDatenbank db;
    FahrzeugDaten ordner;
    ordner.ArticleType = QStringLiteral("Verzeichnis");
    FahrzeugKnoten* top = db.einfuegen(nullptr, ordner);
    FahrzeugKnoten* sub = db.einfuegen(top, ordner);
    for (const auto& [id, name] : {std::pair{12, QStringLiteral("BR 218 Ölzug")}, std::pair{15, QStringLiteral("E 94")}}) {
        FahrzeugDaten lok;
        lok.ArticleType = QStringLiteral("Lok");
        lok.VehicleId = id;
        lok.Name = name;
        lok.MaxSpeed = 100;
        db.einfuegen(sub, lok);
    }
    ASSERT_EQ(db.schreibenDatei(folder + "/Fahrzeuge20.lda"), QString());
    QStringList files;
    for (const char* name : {"stations/Anlage.hs2", "stations/Anlage.Fs4", "trains/Anlage.Zug"}) {
        const QString source = QStringLiteral(TRASSOLIN_TEST_DATA "/") + QString::fromLatin1(name);
        ASSERT_TRUE(QFile::copy(source, folder + "/" + QFileInfo(source).fileName()));
        files << QFileInfo(source).fileName();
    }
    int checked = 0;
    for (const ProjectFileResult& r : ReadProjectFiles(folder)) {
        if (!files.contains(r.fileName)) {
            continue;
        }
        ++checked;
        EXPECT_EQ(r.error, QString()) << r.fileName.toStdString();
        QFile original(folder + "/" + r.fileName);
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        EXPECT_EQ(r.rewritten, original.readAll()) << r.fileName.toStdString();
    }
    EXPECT_EQ(checked, 3);
}
