#include "common/ProgramFixture.h"
#include "core/LineFile.h"
#include "operation/BetriebsDaten.h"
#include "operation/HaltestellenDatei.h"
#include "operation/ZugDatei.h"
#include "diagram/GleisBild.h"
#include "vehicles/FahrzeugDatenbank.h"

#include <gtest/gtest.h>

namespace {
QByteArray fixture(const char* path)
{
    QFile f(QStringLiteral(TRASSOLIN_TEST_DATA "/") + QString::fromLatin1(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

FahrzeugDaten lok(int id, const QString& name, int address)
{
    FahrzeugDaten d;
    d.ArticleType = QStringLiteral("Lok");
    d.VehicleId = id;
    d.Name = name;
    d.Address = address;
    d.MaxSpeed = 120;
    d.FunctionFlags1to8 = QStringLiteral("10100000");
    d.FunctionIcons1to8 = QStringLiteral("001000005") + QString(15, u'0');
    return d;
}

struct Trains : ProgramFixture {
    FahrzeugDatenbank db;
    BetriebsDaten& d() { return *programm->betriebsdaten; }
    Trains()
    {
        FahrzeugDaten top;
        top.ArticleType = QStringLiteral("Verzeichnis");
        FahrzeugKnoten* root = db.einfuegen(nullptr, top);
        FahrzeugKnoten* folder = db.einfuegen(root, top);
        db.einfuegen(folder, lok(12, QStringLiteral("BR 218 Ölzug"), 218));
        FahrzeugDaten wagen = lok(13, QStringLiteral("Kesselwagen"), 0);
        wagen.ArticleType = QStringLiteral("Wagen");
        db.einfuegen(folder, wagen);
        FahrzeugDaten verkauft = lok(14, QStringLiteral("V 60"), 60);
        verkauft.Sold = 1;
        db.einfuegen(folder, verkauft);
        db.einfuegen(folder, lok(15, QStringLiteral("E 94"), 94));
        d().ZugeAusDatenbank(db);
    }
};
} // namespace

TEST(Zuge, TrainsComeFromTheDatabaseAndKeepTheirNumbers)
{
    Trains f;
    ASSERT_EQ(f.d().ZugListe.size(), 2u);
    const TZug& br218 = *f.d().ZugListe[0];
    EXPECT_EQ(br218.ZugDatanbankNr, 12);
    EXPECT_EQ(br218.Addr, 218);
    EXPECT_TRUE(br218.FunktionVorhanden[1]);
    EXPECT_FALSE(br218.FunktionVorhanden[2]);
    EXPECT_EQ(br218.KupplungFunktion, 3) << "the function whose icon is 5";
    EXPECT_EQ(br218.ZugAbfahrtDatenstart, 120);

    // The database changes: a locomotive goes, one comes; numbers never move.
    f.db.entfernen(f.db.findeId(12));
    f.db.einfuegen(f.db.wurzeln()[0]->kinder[0].get(), lok(16, QStringLiteral("Köf"), 3));
    f.d().ZugeAusDatenbank(f.db);
    ASSERT_EQ(f.d().ZugListe.size(), 3u);
    EXPECT_TRUE(f.d().ZugListe[0]->ZugGeloescht);
    EXPECT_EQ(f.d().ZugListe[1]->ZugDatanbankNr, 15);
    EXPECT_EQ(f.d().ZugListe[2]->ZugNr, 2);
}

TEST(Zuge, TrainFileReadsAndWritesBackUnchanged)
{
    Trains f;
    f.write("p/A.hs2", fixture("stations/Anlage.hs2"));
    HaltestellenDatei stationen(*f.programm);
    ASSERT_TRUE(stationen.OpenHaltestellen(f.path("p/A.hs2")));
    const QByteArray zug = fixture("trains/Anlage.Zug");
    f.write("p/A.Zug", zug);
    ZugDatei datei(*f.programm);
    ASSERT_TRUE(datei.OpenZuge(f.path("p/A.Zug"))) << f.dialogs.asked.join("|").toStdString();
    const TZug& br218 = *f.d().ZugVonDatenbankNr(12);
    EXPECT_EQ(br218.PanelLeft, 250);
    EXPECT_TRUE(br218.ZugSichtbar);
    EXPECT_EQ(br218.ZugRichtung, 1);
    ASSERT_EQ(br218.ZugAbfahrtDatenBefehlListe.size(), 2u);
    EXPECT_EQ(br218.ZugAbfahrtDatenBefehlListe[1].BefehlText, "F 3-Pfiff");
    EXPECT_EQ(br218.ZugAbfahrtDatenBefehlListe[1].KontaktNr, 12);
    EXPECT_EQ(f.d().HaltestelleVonId(4)->HaltestelleZuge.size(), 1u);
    EXPECT_FALSE(f.haupt().LokLeisteSichtbar);
    QString error;
    ASSERT_TRUE(datei.SaveZuge(f.path("out.Zug"), &error)) << error.toStdString();
    EXPECT_EQ(f.read("out.Zug"), zug);
}

TEST(Zuge, DamagedTrainFileIsReportedAndKept)
{
    Trains f;
    QByteArray zug = fixture("trains/Anlage.Zug");
    zug.replace("001 ZugAnkunftDatenBefehlListe.Count", "0x1 ZugAnkunftDatenBefehlListe.Count");
    f.write("p/A.Zug", zug);
    ZugDatei datei(*f.programm);
    EXPECT_FALSE(datei.OpenZuge(f.path("p/A.Zug")));
    ASSERT_EQ(f.dialogs.asked.size(), 1);
    EXPECT_TRUE(f.dialogs.asked[0].startsWith("Zuge können nicht geladen werden."));
    QString error;
    EXPECT_FALSE(datei.SaveZuge(f.path("p/A.Zug"), &error));
    EXPECT_EQ(f.read("p/A.Zug"), zug);
}

TEST(Zuge, OlderTrainFilesFindStationsByNameAndShortNumbers)
{
    struct Row {
        const char* header;
        const char* station;
        const char* train;
    };
    const Row rows[] = {{"***", "Nord", "012 BR 218 Ölzug"}, {"033", "Nord", "012 BR 218 Ölzug"},
                        {"034", "Nord", "00012 BR 218 Ölzug"}, {"035", "001 Nord", "00012 BR 218 Ölzug"}};
    for (const Row& row : rows) {
        Trains f;
        f.write("p/A.hs2", fixture("stations/Anlage.hs2"));
        HaltestellenDatei stationen(*f.programm);
        ASSERT_TRUE(stationen.OpenHaltestellen(f.path("p/A.hs2")));
        const QStringList lines = {QString::fromLatin1(row.header) + "****************** Zugdaten  ********************",
                                   "Anzahl Zuge : 000", "***************** ZugBtnPanel *********************",
                                   "LokBtnPanel Left : 008", "LokBtnPanel Top  : 880", "LokLeisteSichtbar",
                                   "***************** Haltestellen *********************", "001 Haltestellen",
                                   QString::fromUtf8(row.station), "001 Zuge", QString::fromUtf8(row.train)};
        f.write("p/A.Zug", LineWriter::JoinLines(lines));
        ZugDatei datei(*f.programm);
        ASSERT_TRUE(datei.OpenZuge(f.path("p/A.Zug"))) << row.header;
        const THaltestelle* nord = f.d().HaltestelleVonId(1);
        ASSERT_EQ(nord->HaltestelleZuge.size(), 1u) << row.header;
        EXPECT_EQ(nord->HaltestelleZuge[0]->ZugDatanbankNr, 12) << row.header;
    }
}

TEST(Zuge, ContactsOfRoutesFollowThePlan)
{
    Trains f;
    BetriebsDaten& d = f.d();
    THaltestelle* h = d.HaltestelleNeu("Nord");
    TFahrstrasse* route = d.FahrstrasseAnlegen(*h, "Ausfahrt");
    for (const auto& [x, kontakt] : {std::pair{3, 7}, std::pair{4, 0}, std::pair{5, 9}, std::pair{6, 7}}) {
        GridElementDaten e;
        e.GleisBildNr = 21;
        e.PosX = x;
        e.PosY = 2;
        e.GleisKontaktNr = kontakt;
        f.programm->gleisbild->CreateGridElement(e);
        route->FahrstrasseElemente.push_back({.Spalte = x, .Zeile = 2});
    }
    f.programm->gleisbild->RebuildGrid();
    d.ZugDatenErstellen(*route, *d.ZugListe[0]);
    d.GleisKontakteAnpassen();
    EXPECT_EQ(route->FahrstrasseKontakte[1], 7);
    EXPECT_EQ(route->FahrstrasseKontakte[2], 9);
    EXPECT_EQ(route->FahrstrasseKontakte[3], 0) << "each contact once";
    EXPECT_EQ(route->ZugDatenListe[0]->ZugDatenStartkontakt, 7);
    EXPECT_EQ(route->ZugDatenListe[0]->ZugDatenZielkontakt, 9);
}
