#include "common/ProgramFixture.h"
#include "core/GleisplanDatei.h"
#include "core/LineFile.h"
#include "core/ProjektDateien.h"
#include "diagram/GleisBild.h"

#include <gtest/gtest.h>

namespace {
QByteArray fixturePlan()
{
    QFile f(TRASSOLIN_TEST_DATA "/plan/Alles.da2");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A plan with one straight track at (5, 7), in the layout of a given file version.
QStringList onePlan(const QString& version, const QString& flags, bool soundSection)
{
    QStringList lines = {version + "****************** Gleisplan ********************", "Anzahl elemente : 001",
                         "Element_Gleis_021_0005_0007", "GleisBildInfo", "AblaufsteuerungName", "21", "12", "0", "0",
                         flags, "999", "0", "0", "0", "0", "5", "7", "Keine Drehscheibe", "000", "000", "000 Anzahl texte",
                         "000 Anzahl Schalter"};
    if (soundSection) {
        lines << "001 Anzahl SoundSchalter" << "0001000020" << "leer";
        for (int i = 0; i < 5; ++i) {
            lines << "Sound reserve";
        }
    }
    return lines;
}

struct PlanFixture : ProgramFixture {
    GleisplanDatei datei{*programm};
    TGleisBild& bild() { return *programm->gleisbild; }
    QString plan() const { return path("Projekte/Default/Default.da2"); }
    bool load(const QByteArray& bytes)
    {
        write("Projekte/Default/Default.da2", bytes);
        return datei.LoadTrackPlan(plan());
    }
};
} // namespace

TEST(Gleisplan, FixtureWithEveryKindReadsAndWritesBackUnchanged)
{
    PlanFixture f;
    const QByteArray bytes = fixturePlan();
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(f.load(bytes)) << f.dialogs.asked.join("|").toStdString();
    EXPECT_TRUE(f.dialogs.asked.isEmpty());
    EXPECT_TRUE(f.bild().Gleisplan_Geladen);
    EXPECT_EQ(f.datei.GleisplanVersion, 25);
    EXPECT_EQ(f.bild().Elemente().size(), 92u);
    EXPECT_EQ(f.bild().TextElemente().size(), 2u);
    EXPECT_EQ(f.bild().TextElemente()[0]->Text, QStringLiteral("Bahnhof Süd – Gleis 1"));
    EXPECT_EQ(f.bild().SchalterElemente()[0]->TasterSchalter, TSchalterElement::Taster);
    EXPECT_EQ(f.bild().SoundSchalterElemente()[1]->SoundDatei, QStringLiteral("Projekte\\sound\\Pfiff.wav"));
    ASSERT_NE(f.bild().Sprungmarke(2, 2), nullptr);
    EXPECT_EQ(f.bild().Sprungmarke(2, 2)->PosX, 42);
    const TGleisBildElement* display = f.bild().Zelle(32, 36);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->DateiGleisBildNr(), 102);
    EXPECT_EQ(f.bild().Zelle(36, 36), display) << "a display covers six cells";
    EXPECT_EQ(f.recorder.messages.back(), (CoreMessage{Msg::WM_OPEN_MAGNETARTLISTE, 1, 0}));

    QString error;
    ASSERT_TRUE(f.datei.SaveTrackPlan(f.path("copy.da2"), &error)) << error.toStdString();
    EXPECT_EQ(f.read("copy.da2"), bytes);
}

TEST(Gleisplan, MissingFileIsCreatedEmpty)
{
    PlanFixture f;
    EXPECT_TRUE(f.datei.LoadTrackPlan(f.plan()));
    EXPECT_EQ(f.read("Projekte/Default/Default.da2"),
              "034****************** Gleisplan ********************\r\nAnzahl elemente : 000\r\nKeine Drehscheibe\r\n"
              "000\r\n000\r\n000 Anzahl Texte\r\n000 Anzahl Schalter\r\n000 Anzahl SoundSchalter\r\n");
    EXPECT_TRUE(f.bild().Gleisplan_Geladen);
    EXPECT_TRUE(f.bild().Elemente().empty());
    EXPECT_FALSE(f.bild().Drehscheibe().Platziert);
}

TEST(Gleisplan, VersionsDecideFlagsColourAndSoundSection)
{
    struct Row {
        const char* version;
        bool soundSection;
        bool nichtRelevant1;
        int farbe;
        std::size_t sounds;
    };
    const Row rows[] = {{"022", false, false, 0, 0}, {"023", false, true, 0, 0}, {"024", true, true, 0, 1},
                        {"025", true, true, 4, 1}, {"034", true, true, 4, 1}};
    for (const Row& row : rows) {
        PlanFixture f;
        ASSERT_TRUE(f.load(LineWriter::JoinLines(onePlan(row.version, "111_004StellungDrehen/NichtRelevant/GleisFarbeAktuel",
                                                         row.soundSection))))
            << row.version << f.dialogs.asked.join("|").toStdString();
        ASSERT_EQ(f.bild().Elemente().size(), 1u);
        const TGleisBildElement& e = *f.bild().Elemente()[0];
        EXPECT_TRUE(e.StellungDrehen) << row.version;
        EXPECT_EQ(e.NichtRelevant1, row.nichtRelevant1) << row.version;
        EXPECT_EQ(e.GleisFarbeAktuel, row.farbe) << row.version;
        EXPECT_EQ(e.GleisKontaktNr, 12);
        EXPECT_EQ(f.bild().SoundSchalterElemente().size(), row.sounds) << row.version;
    }
}

TEST(Gleisplan, DamagedPlansGiveTheirMessagesAndAreNeverOverwritten)
{
    const QString name = "Element_Gleis_021_0005_0007";
    const QString tail = "\r Fehler im Gleisplan.  ";
    struct Row {
        int line; // 0-based line to replace, -1 = cut the file after `cut` lines
        const char* value;
        int cut;
        QString message;
        std::size_t elements;
        bool geladen;
    };
    const Row rows[] = {
        {15, "x", 0, "Element kann nicht geladen werden. ! " + name + "\r*16* PosX x" + tail, 0, true},
        {15, "71", 0, "Element kann nicht geladen werden. ! " + name + "\r*16* PosX 71" + tail, 0, true},
        {16, "0", 0, "Element kann nicht geladen werden. ! " + name + "\r*17* PosY 0" + tail, 0, true},
        {5, "18", 0, "Element kann nicht geladen werden. ! " + name + "\r*6* GleisBildNr 18" + tail, 0, true},
        {5, "a", 0, "Element kann nicht geladen werden. ! " + name + "\r*6* GleisBildNr a" + tail, 0, true},
        {6, "z", 0, "Element kann nicht geladen werden. ! " + name + "\r*7* GleisKontaktNr z" + tail, 0, true},
        {1, "Anzahl elemente : 0x1", 0, "Gleisplan kann nicht geladen werden. ! \r*2* AnzahlElement Anzahl elemente : 0x1" + tail, 0, false},
        {20, "0x0 Anzahl texte", 0, "TextElemente können nicht geladen werden. ! \r*21* AnzahlElement 0x0 Anzahl texte" + tail, 1, true},
        {21, "abc Anzahl Schalter", 0, "SchalterElemente können nicht geladen werden. ! " + tail, 1, true},
        {-1, "", 10, "Gleisplan kann nicht vollständig geladen werden. ! " + name + "\rDie Datei endet nach Zeile 10." + tail, 0, false},
        {9, "1x1_0x4", 0, "Gleisplan kann nicht vollständig geladen werden. ! " + name
                               + "\rZeile 10: keine Farbnummer: 1x1_0x4" + tail, 0, false},
    };
    for (const Row& row : rows) {
        PlanFixture f;
        QStringList lines = onePlan("025", "000_000StellungDrehen/NichtRelevant/GleisFarbeAktuel", true);
        if (row.line >= 0) {
            lines[row.line] = QString::fromUtf8(row.value);
        } else {
            lines = lines.mid(0, row.cut);
        }
        const QByteArray bytes = LineWriter::JoinLines(lines);
        EXPECT_FALSE(f.load(bytes)) << row.line;
        EXPECT_EQ(f.dialogs.asked, QStringList({row.message})) << row.line;
        EXPECT_EQ(f.bild().Elemente().size(), row.elements) << row.line;
        EXPECT_EQ(f.bild().Gleisplan_Geladen, row.geladen) << row.line;
        EXPECT_EQ(f.read("Projekte/Default/Default.da2"), bytes) << "reading never writes";
    }
}

TEST(Gleisplan, FaultyTextElementsAreEachReportedAndDropped)
{
    PlanFixture f;
    QStringList lines = onePlan("025", "000_000StellungDrehen/NichtRelevant/GleisFarbeAktuel", true);
    lines[20] = "003 Anzahl texte";
    const QStringList good = {"00010000100005000020", "gut", "Arial", "010", "clBlack", "FFFF", "clWhite"};
    QStringList bad1 = good;
    bad1[0] = "000x0000100005000020";
    QStringList bad2 = good;
    bad2[3] = "1a0";
    for (const QStringList& t : {bad1, good, bad2}) {
        lines = lines.mid(0, lines.indexOf("000 Anzahl Schalter")) + t + lines.mid(lines.indexOf("000 Anzahl Schalter"));
    }
    EXPECT_FALSE(f.load(LineWriter::JoinLines(lines)));
    EXPECT_EQ(f.dialogs.asked.size(), 2);
    EXPECT_EQ(f.bild().TextElemente().size(), 1u);
    EXPECT_EQ(f.bild().SoundSchalterElemente().size(), 1u);
}

TEST(Gleisplan, NothingIsSavedBeforeAPlanWasRead)
{
    PlanFixture f;
    f.write("Projekte/Default/Default.da2", "keep");
    QString error;
    EXPECT_FALSE(f.datei.SaveTrackPlan(f.plan(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(f.read("Projekte/Default/Default.da2"), "keep");
}
