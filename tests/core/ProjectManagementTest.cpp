#include "common/ProgramFixture.h"
#include "core/LineFile.h"

#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
// Two projects besides "Default": "Anlage" (open) and a folder "Keller" whose file names the
// project "Kellerbahn".
struct Projects : ProgramFixture {
    Projects()
    {
        info().ShowStartWindow();
        const QByteArray pro = read("Projekte/Default/Default.pro");
        auto renamed = [&pro](const QByteArray& name) {
            QByteArray copy = pro;
            copy.replace("Projekt Default ", "Projekt " + name + " ");
            copy.replace("2.ProjektName\r\nDefault\r\n", "2.ProjektName\r\n" + name + "\r\n");
            return copy;
        };
        write("Projekte/Anlage/Anlage.pro", renamed("Anlage"));
        write("Projekte/Anlage/Fahrzeuge20.lda", "database");
        write("Projekte/Anlage/Anlage.war", "maintenance");
        write("Projekte/Anlage/Anlage.da2", "plan");
        write("Projekte/Anlage/EC2Loks.lda", "locos");
        write("Projekte/Keller/Keller.pro", renamed("Kellerbahn"));
        write("data/Trassolin20Parameter.dat", "41\r\nAnlage\r\nLetzteMalVerbundenMitZentrale 01.12.2026\r\n**00001000020000300150\r\n");
        start();
        info().ShowStartWindow();
        info().ListProjects();
    }
    int row(const QString& name)
    {
        const auto& rows = info().Projekte();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].Name == name) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
};
} // namespace

TEST(ProjectManagement, ListShowsEveryProjectWithItsFolderAndMarks)
{
    Projects f;
    const auto& rows = f.info().Projekte();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Name, "Anlage");
    EXPECT_EQ(rows[0].Aktiv, "Aktiv");
    EXPECT_EQ(rows[0].Loeschen, "********");
    EXPECT_EQ(rows[0].Erstelldatum, "11.12.2026");
    EXPECT_EQ(rows[0].Zentrale, "Uhlenbrock Intellybox 1");
    EXPECT_EQ(rows[1].Name, "Default");
    EXPECT_EQ(rows[1].Loeschen, "********");
    EXPECT_EQ(rows[2].Name, "Kellerbahn");
    EXPECT_EQ(rows[2].Ordner, "Keller");
    EXPECT_EQ(rows[2].Loeschen, "Lösschen");
    EXPECT_EQ(f.info().selectedRow, 0);
    EXPECT_FALSE(f.info().switchEnabled);

    f.info().SelectProjectRow(f.row("Kellerbahn"));
    EXPECT_EQ(f.info().deleteLabel, "Kellerbahn lösschen");
    EXPECT_EQ(f.info().switchLabel, "Kellerbahn öffnen");
    EXPECT_TRUE(f.info().switchEnabled);
    f.info().SelectProjectRow(f.row("Default"));
    EXPECT_EQ(f.info().deleteLabel, "");
}

TEST(ProjectManagement, CreateRefusesTakenAndUnsafeNamesAndEndsAfterCreating)
{
    Projects f;
    struct Refused {
        const char* name;
        const char* message;
    };
    const Refused refused[] = {
        {"kellerbahn", "Das Projekt existiert bereits !!, Bitte anderen Namen wählen"},
        {"KELLER", "Das Projekt existiert bereits !!, Bitte anderen Namen wählen"},
        {"../x", nullptr},
        {" Anlage2", nullptr},
        {"a/b", nullptr},
        {"Gleis Ω", nullptr},
    };
    for (const Refused& r : refused) {
        f.dialogs.asked.clear();
        f.info().CreateProject(QString::fromUtf8(r.name));
        ASSERT_EQ(f.dialogs.asked.size(), 1) << r.name;
        if (r.message) {
            EXPECT_EQ(f.dialogs.asked[0], QString::fromUtf8(r.message));
        }
    }
    f.dialogs.asked.clear();
    f.info().CreateProject("Neues Projekt");
    f.info().CreateProject("");
    EXPECT_TRUE(f.dialogs.asked.isEmpty());
    QDir().mkpath(f.path("Projekte/Leer"));
    f.info().CreateProject("Leer");
    EXPECT_EQ(f.dialogs.asked, QStringList({"Verzeichnis Projekte\\Leer existiert bereits!"}));
    EXPECT_EQ(QDir(f.path("Projekte")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({"Anlage", "Default", "Keller", "Leer"}));

    f.dialogs.asked.clear();
    QSignalSpy ended(&f.info(), &TInfo::programEndRequested);
    f.info().CreateProject("Garten");
    EXPECT_EQ(f.read("Projekte/Garten/Fahrzeuge20.lda"), "database");
    EXPECT_EQ(f.read("Projekte/Garten/Garten.war"), "maintenance");
    EXPECT_EQ(f.read("data/Trassolin20Parameter.dat").split('\n')[1], "Garten\r");
    EXPECT_TRUE(f.info().NeuesProjektAngelegt);
    EXPECT_TRUE(f.info().logTexts().contains("*** Projekt Garten erstellt 10:20:30 ************"));
    f.scheduler.advance(1999);
    EXPECT_TRUE(f.dialogs.asked.isEmpty());
    f.scheduler.advance(1);
    EXPECT_EQ(f.dialogs.asked, QStringList({"Relevante Daten würden geändert \rTrassolin wird beendet !!\r Bitte neu starten"}));
    f.scheduler.advance(1000);
    EXPECT_EQ(f.recorder.count(Msg::WM_POWEROFF_SENDEN), 1);
    EXPECT_EQ(f.recorder.count(Msg::WM_TRENNEN), 1);
    EXPECT_EQ(ended.count(), 1);
}

TEST(ProjectManagement, DeleteAsksTwiceAndSwitchActsOnTheRowsFolder)
{
    Projects f;
    f.info().SelectProjectRow(f.row("Kellerbahn"));
    f.dialogs.yesNoAnswers = {true, false};
    f.info().DeleteProject();
    EXPECT_TRUE(QDir(f.path("Projekte/Keller")).exists()) << "second question answered No";

    QSignalSpy ended(&f.info(), &TInfo::programEndRequested);
    f.info().SelectProjectRow(f.row("Kellerbahn"));
    f.info().SwitchProject();
    EXPECT_EQ(f.dialogs.asked.back(), "Anderes Projekt würde ausgewählt \rTrassolin wird beendet !!");
    EXPECT_EQ(f.programm->ProjektName, "Keller");
    EXPECT_EQ(f.read("data/Trassolin20Parameter.dat").split('\n')[1], "Keller\r");
    f.scheduler.advance(1999);
    EXPECT_EQ(ended.count(), 0);
    f.scheduler.advance(1);
    EXPECT_EQ(ended.count(), 1);

    f.info().ListProjects();
    f.info().SelectProjectRow(f.row("Anlage"));
    f.dialogs.yesNoAnswers = {true, true};
    f.info().DeleteProject();
    EXPECT_FALSE(QDir(f.path("Projekte/Anlage")).exists());
    EXPECT_EQ(f.info().LogMemo().back().text, "!!10:20:30 Projekt : Anlage wurde Gelösscht !!");
    EXPECT_TRUE(f.info().LogMemo().back().rot);
}

TEST(ProjectManagement, BackupIsACompleteProjectUnderTheNewName)
{
    Projects f;
    EXPECT_EQ(f.info().BackupProposal(), "Anlage 11.12.2026");
    EXPECT_FALSE(f.info().BackupNameFree("keller"));
    f.info().BackupProject("Anlage 11.12.2026");
    const QString b = "Projekte/Anlage 11.12.2026/";
    const QStringList lines = LineReader::SplitLines(f.read(b + "Anlage 11.12.2026.pro"));
    const QStringList original = LineReader::SplitLines(f.read("Projekte/Anlage/Anlage.pro"));
    ASSERT_EQ(lines.size(), original.size());
    EXPECT_EQ(lines.mid(0, 4), QStringList({"1.Projekt ", "Projekt Anlage 11.12.2026 erstellt 11.12.2026", "2.ProjektName",
                                            "Anlage 11.12.2026"}));
    EXPECT_EQ(lines.mid(4), original.mid(4));
    EXPECT_EQ(f.read(b + "Anlage 11.12.2026.da2"), "plan");
    EXPECT_EQ(f.read(b + "Anlage 11.12.2026.war"), "maintenance");
    EXPECT_EQ(f.read(b + "Fahrzeuge20.lda"), "database");
    EXPECT_EQ(f.read(b + "EC2Loks.lda"), "locos");
    EXPECT_FALSE(QFile::exists(f.path(b + "Anlage 11.12.2026.Zug")));
    EXPECT_TRUE(f.info().buttonsEnabled);

    f.info().ListProjects();
    EXPECT_NE(f.row("Anlage 11.12.2026"), -1);
    f.dialogs.asked.clear();
    f.info().BackupProject("anlage 11.12.2026");
    EXPECT_EQ(f.dialogs.asked, QStringList({"Das Projekt existiert bereits !!, Bitte anderen Namen wählen"}));
}
