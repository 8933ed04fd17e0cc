#include "common/ProgramFixture.h"
#include "core/LineFile.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "operation/HaltestellenDatei.h"

#include <gtest/gtest.h>

namespace {
QByteArray fixture(const char* name)
{
    QFile f(QStringLiteral(TRASSOLIN_TEST_DATA "/stations/") + QString::fromLatin1(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Stations : ProgramFixture {
    HaltestellenDatei datei{*programm};
    BetriebsDaten& d() { return *programm->betriebsdaten; }
    TZug& zug(int datenbankNr)
    {
        auto z = std::make_unique<TZug>();
        z->ZugNr = static_cast<int>(d().ZugListe.size());
        z->ZugDatanbankNr = datenbankNr;
        z->MaxSpeed = 100;
        d().ZugListe.push_back(std::move(z));
        return *d().ZugListe.back();
    }
    bool open(const QByteArray& hs2, const QByteArray& fs4)
    {
        write("p/A.hs2", hs2);
        write("p/A.Fs4", fs4);
        const bool stations = datei.OpenHaltestellen(path("p/A.hs2"));
        return datei.OpenFahrstrassen(path("p/A.Fs4")) && stations;
    }
};
} // namespace

TEST(Stationsdateien, FixturesReadAndWriteBackUnchanged)
{
    Stations f;
    f.zug(12);
    f.zug(15);
    const QByteArray hs2 = fixture("Anlage.hs2");
    const QByteArray fs4 = fixture("Anlage.Fs4");
    ASSERT_TRUE(f.open(hs2, fs4)) << f.dialogs.asked.join("|").toStdString();
    ASSERT_EQ(f.d().HaltestellenListe.size(), 3u);
    EXPECT_EQ(f.d().HaltestellenListe[1]->HaltestelleName, QStringLiteral("Süd_Gleis_1"));
    EXPECT_EQ(f.d().NaechsteHaltestelleID, 7) << "a deleted highest id is remembered";
    const THaltestelle* nord = f.d().HaltestelleVonId(1);
    ASSERT_EQ(nord->HaltestelleFahrstrassen.size(), 2u);
    const TFahrstrasse& route = *nord->HaltestelleFahrstrassen[0];
    EXPECT_EQ(route.ZielHaltestelleID, 2);
    EXPECT_EQ(route.FahrstrasseWeichenListe.size(), 1u);
    EXPECT_EQ(route.LetzterKontakt(), 13);
    ASSERT_EQ(route.ZugDatenListe.size(), 2u);
    const TZugDaten& z = *route.ZugDatenListe[0];
    EXPECT_EQ(z.ZugDatenStartdelay, 1500);
    EXPECT_EQ(z.ZugDatenBremskontakt[0], 12);
    EXPECT_EQ(z.ZugDatenFolgeschaltungBild[1], 5);
    EXPECT_EQ(z.ZugDatenSound, QStringLiteral("Pfiff Lok.wav"));
    EXPECT_EQ(z.ZugDatenFunktionen.size(), 2);
    EXPECT_TRUE(nord->HaltestelleFahrstrassen[1]->FahrstrasseAusblenden);
    EXPECT_FALSE(nord->HaltestelleFahrstrassen[1]->ZugDatenListe[0]->ZugDatenAktiv);

    QString error;
    ASSERT_TRUE(f.datei.SaveHaltestellen(f.path("out.hs2"), &error)) << error.toStdString();
    ASSERT_TRUE(f.datei.SaveFahrstrassen(f.path("out.Fs4"), &error)) << error.toStdString();
    EXPECT_EQ(f.read("out.hs2"), hs2);
    EXPECT_EQ(f.read("out.Fs4"), fs4);
}

TEST(Stationsdateien, OlderVersionsAreRead)
{
    struct Row {
        const char* header;
        int version;
        bool named; // routes and stations found by name
        bool magnetArtikel;
        bool folgen;
    };
    const Row rows[] = {{"***", 21, true, false, false}, {"024", 24, true, true, false}, {"034", 34, true, true, true},
                        {"035", 35, false, true, true}};
    for (const Row& row : rows) {
        Stations f;
        f.zug(3);
        const QString h = QString::fromLatin1(row.header);
        QStringList hs2 = {"Reserve", "Reserve 1", "Reserve 2", "Reserve 3", "Reserve 4",
                           h + "****************** Haltestellen Datei********************", "Anzahl Haltestellen : 002"};
        for (const char* name : {"West", "Ost"}) {
            hs2 << QStringLiteral("0*%1******Haltestelle- ").arg(QString(name) == "West" ? "0009" : "0010") + name << name << "999HaltestelleSoundOrt" << "Bahnhof" << "02000"
                << "" << "0" << "0 HaltestelleHierNichtFahren" << "012-000-000" << "Reserve";
            for (int i = 0; i < 5; ++i) {
                hs2 << "Reserve";
            }
        }
        const QString west = row.named ? "  West" : "009 West";
        const QString ost = row.named ? "  Ost" : "010 Ost";
        QStringList fs4 = {h + "************** Fahrstrassen Datei *********************", "002 Haltestellen", west,
                           "001 Anz Fahrstrassen", row.named ? "Nach_Ost" : "004 Nach_Ost", "Nach Ost", "000",
                           row.named ? "  West" : "009 West", "001001"};
        fs4 << "000 MyFahrstrasse.FahrstrasseWeichenListe.Count" << "021";
        if (row.magnetArtikel) {
            fs4 << "005-1/000-0/000-0/000-0/000-0";
        }
        if (row.folgen) {
            fs4 << "001 FahrstrassenFurAlleZugeStringlist.count" << "021-00000-005--1";
        }
        fs4 << ost << "000 Anz Fahrstrassen";
        fs4 << "******** Fahrstrassen Zugdaten fur Jeden Zug****************" << "000 Anz Haltestellen";
        ASSERT_TRUE(f.open(LineWriter::JoinLines(hs2), LineWriter::JoinLines(fs4))) << row.header << f.dialogs.asked.join("|").toStdString();
        EXPECT_EQ(f.datei.HaltestellenVersion, row.version);
        const THaltestelle* w = f.d().HaltestelleVonName("West");
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->HaltestelleID, row.version < 35 ? 0 : 9) << row.header;
        EXPECT_EQ(w->ZugInHaltestelle, "00012-000-000") << "the 11-character form gets two zeros";
        ASSERT_EQ(w->HaltestelleFahrstrassen.size(), 1u) << row.header;
        const TFahrstrasse& r = *w->HaltestelleFahrstrassen[0];
        EXPECT_EQ(r.FahrstrasseID, row.named ? 0 : 4);
        EXPECT_EQ(r.StartHaltestelleID, w->HaltestelleID);
        EXPECT_EQ(r.ZielHaltestelleID, 0) << "no target line: the direction line follows the start line";
        EXPECT_EQ(r.FahrstrasseRichtung, 1);
        EXPECT_EQ(r.FahrstrasseKontakte[1], 21);
        EXPECT_EQ(r.FahrstrasseMagnetArtikel, row.magnetArtikel ? "005-1/000-0/000-0/000-0/000-0" : KeineMagnetArtikel);
        EXPECT_EQ(r.FahrstrassenFurAlleZugeStringlist.size(), row.folgen ? 1 : 0);
        EXPECT_EQ(r.ZugDatenListe.size(), 1u);
        // Written back in the current form: the missing target becomes the deleted-station line.
        EXPECT_TRUE(f.datei.FahrstrassenLines().contains("999 Haltestelle gelöscht"));
    }
}

TEST(Stationsdateien, ReadErrorsAreReportedAndTheFilesNeverOverwritten)
{
    struct Row {
        const char* file; // "hs2" or "Fs4"
        QByteArray from;
        QByteArray to;
        const char* message;
    };
    const Row rows[] = {
        {"hs2", "Anzahl Haltestellen : 003", "Anzahl Haltestellen : 0x3",
         "Haltestellen können nicht geladen werden. ! \r*2* Anzahl Anzahl Haltestellen : 0x3\r Fehler im Haltestellen Datei.  "},
        {"Fs4", "002 ZugDaten 0", "0x2 ZugDaten 0",
         "Fahrsrassen können nicht geladen werden. ! \r*6* ZugDatenListeCount 0x2 ZugDaten 0\r Fehler im Fahrstrasse.  "},
        {"Fs4", "002 Anzahl ZugDatenFunktionen", "0?2 Anzahl ZugDatenFunktionen",
         "Fahrsrassen können nicht geladen werden. ! \r*12* AnzFunc 0?2 Anzahl ZugDatenFunktionen\r Fehler im Fahrstrasse.  "},
        {"Fs4", "-01500-080", "-0x500-080", nullptr},
    };
    for (const Row& row : rows) {
        Stations f;
        f.zug(12);
        f.zug(15);
        QByteArray hs2 = fixture("Anlage.hs2");
        QByteArray fs4 = fixture("Anlage.Fs4");
        (QByteArray(row.file) == "hs2" ? hs2 : fs4).replace(row.from, row.to);
        EXPECT_FALSE(f.open(hs2, fs4)) << row.to.toStdString();
        if (row.message) {
            EXPECT_TRUE(f.dialogs.asked.contains(QString::fromUtf8(row.message))) << f.dialogs.asked.join("|").toStdString();
        } else {
            EXPECT_TRUE(f.dialogs.asked.isEmpty()) << "a bad field is a note, not a box";
        }
        QString error;
        const bool stationsSaved = f.datei.SaveHaltestellen(f.path("p/A.hs2"), &error);
        const bool routesSaved = f.datei.SaveFahrstrassen(f.path("p/A.Fs4"), &error);
        EXPECT_FALSE(routesSaved) << "a failed station file makes dropped route blocks an error too";
        EXPECT_EQ(stationsSaved, QByteArray(row.file) == "Fs4");
        EXPECT_EQ(f.read("p/A.hs2"), hs2);
        EXPECT_EQ(f.read("p/A.Fs4"), fs4);
    }
}

TEST(Stationsdateien, TrainsStandingInStationsAreWrittenAndPutBack)
{
    Stations f;
    TZug& zwoelf = f.zug(12);
    TZug& fuenfzehn = f.zug(15);
    ASSERT_TRUE(f.open(fixture("Anlage.hs2"), fixture("Anlage.Fs4")));
    for (const auto& [station, x] : {std::pair{1, 2}, std::pair{2, 20}, std::pair{4, 40}}) {
        GridElementDaten d;
        d.GleisBildNr = 99;
        d.PosX = x;
        d.PosY = 10;
        d.HaltestelleNr = station;
        f.programm->gleisbild->CreateGridElement(d);
    }
    f.programm->gleisbild->RebuildGrid();
    f.d().ZugeInHaltestellenSetzen();
    EXPECT_EQ(f.d().HaltestelleVonId(1)->HaltestelleElement->Zug, &zwoelf);
    EXPECT_EQ(zwoelf.ZugRichtung, 1);
    EXPECT_EQ(f.d().HaltestelleVonId(4)->HaltestelleElement->Zug, &fuenfzehn);
    const QStringList lines = f.datei.HaltestellenLines();
    EXPECT_EQ(lines[7 + 8], "00012-001-001");
    EXPECT_EQ(lines[7 + 15 + 8], "00000-000-000");
    EXPECT_EQ(lines[7 + 30 + 8], "00015-000-000");
}

TEST(Stationsdateien, IdsAndNamesOfNewStationsAndRoutes)
{
    Stations f;
    BetriebsDaten& d = f.d();
    THaltestelle* nord = d.HaltestelleNeu("Nord");
    ASSERT_NE(nord, nullptr);
    EXPECT_EQ(nord->HaltestelleID, 1);
    EXPECT_EQ(d.HaltestelleNeu("Nord"), nullptr) << "names are unique";
    EXPECT_EQ(d.HaltestelleNeu("Bahnhof Nord"), nullptr);
    EXPECT_EQ(f.dialogs.asked, QStringList({"Haltestelle darf keine Leerzeichen enthalten"}));
    d.HaltestelleNeu("Sued")->HaltestelleGeloescht = true;
    EXPECT_EQ(d.HaltestelleNeu("West")->HaltestelleID, 3) << "a deleted station's id is not given again";

    TFahrstrasse* a = d.FahrstrasseAnlegen(*nord, "Ausfahrt");
    TFahrstrasse* b = d.FahrstrasseAnlegen(*nord, "Ausfahrt");
    EXPECT_EQ(a->FahrstrasseID, 1);
    EXPECT_EQ(b->FahrstrasseID, 2);
    EXPECT_EQ(b->FahrstrasseName, "Ausfahrt1");
    nord->HaltestelleFahrstrassen.erase(nord->HaltestelleFahrstrassen.begin());
    EXPECT_EQ(d.FahrstrasseAnlegen(*nord, "X")->FahrstrasseID, 3);
    d.FahrstrasseAnlegen(*nord, BetriebsDaten::SuchFahrstrassenName(*nord, "West"));
    EXPECT_EQ(BetriebsDaten::SuchFahrstrassenName(*nord, "West"), "Fahrstrasse_Nach_West_2");
    EXPECT_EQ(d.DummyNeueFahrstrasseHaltestelle.HaltestelleName, "DummyNeueFahrstrasseHaltestelle");
    EXPECT_EQ(d.HaltestelleVonName("DummyNeueFahrstrasseHaltestelle"), nullptr);
}
