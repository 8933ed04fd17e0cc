// The vehicle card, the sales lists and the homepage pages, against small golden files.
#include "DefaultData.h"
#include "core/LineFile.h"
#include "vehicles/FahrzeugExport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
QByteArray golden(const QString& name)
{
    QFile f(QStringLiteral(TRASSOLIN_TEST_DATA "/vehicles/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing " + name.toUtf8() + ">");
}

// Compares with a golden file; TRASSOLIN_UPDATE_GOLDEN=1 writes it instead (then read it!).
void expectGolden(const QByteArray& actual, const QString& name)
{
    if (qEnvironmentVariableIsSet("TRASSOLIN_UPDATE_GOLDEN")) {
        QFile f(QStringLiteral(TRASSOLIN_TEST_DATA "/vehicles/") + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(actual);
        return;
    }
    EXPECT_EQ(actual, golden(name)) << qPrintable(name);
}

// Folders with a few articles for the lists and pages.
struct Sammlung {
    FahrzeugDatenbank db;
    FahrzeugKnoten* ordner = nullptr;

    Sammlung()
    {
        FahrzeugKnoten* top = db.einfuegen(nullptr, {});
        ordner = db.einfuegen(top, {});
        add("Schöne Lok", "Lok", 3, 150, 0, true, false, "Dampf-Loks", 2, "Beispielwerk", "Grün & schön");
        add("Tenderlok", "Lok", 4, 80, 60, false, true, "Dampf-Loks", 1, "Beispielwerk", "");
        add("Zubehör Kiste", "Zubehör", 0, 12, 0, true, false, "", 0, "", "");
        add("Kleine Lok", "Lok", 5, 99, 0, false, false, "Dampf-Loks", 1, "Modellbau Nord", "Für Anfänger");
        add("Ohne Rang", "Lok", 6, 10, 0, false, false, "Dampf-Loks", 11, "Beispielwerk", "nicht gelistet");
    }
    void add(const char* name, const char* typ, int adresse, int preis, int verkaufpreis, bool zuVerkaufen,
             bool verkauft, const char* seite, int prio, const char* hersteller, const char* info)
    {
        FahrzeugDaten d;
        d.Name = QString::fromUtf8(name);
        d.ArticleType = QString::fromUtf8(typ);
        d.Address = adresse;
        d.Price = preis;
        d.SalePrice = verkaufpreis;
        d.ForSale = zuVerkaufen;
        d.Sold = verkauft;
        d.HomepagePage = QString::fromUtf8(seite);
        d.HtmlPriority = static_cast<quint8>(prio);
        d.Manufacturer = QString::fromUtf8(hersteller);
        d.HtmlInfo = QString::fromUtf8(info);
        d.PictureFile = d.Name.left(4) + ".jpg";
        if (d.Name == QStringLiteral("Schöne Lok")) {
            d.LinkMobadaten = "https://www.mobadaten.info/lok/1";
            d.LinkSpurN = "http://spur-n-datenbank.de/2";
            d.Link1zu160 = "https://example.org/3";
        }
        db.einfuegen(ordner, d);
    }
};
} // namespace

TEST(Lokkarte, FileNames)
{
    const struct {
        const char* name;
        const char* datei;
    } rows[] = {
        {"Schöne Lok", "SchoneLok.TLK"},
        {"Äußere Übergabe", "AussereUbergabe.TLK"},
        {"BR 01 / 2. Serie: \"neu\"?", "BR012Serieneu.TLK"},
        {"Öl*Kessel<>|\\,", "OlKessel.TLK"},
        {"   ", "Lokkarte.TLK"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LokkartenDateiname(QString::fromUtf8(row.name)), QString::fromUtf8(row.datei)) << row.name;
    }
}

TEST(Lokkarte, ExportThenImportGivesTheSameArticle)
{
    FahrzeugDatenbank db;
    BeispielDatenbankFuellen(db);
    for (FahrzeugKnoten* artikel : db.artikel()) {
        artikel->daten.Info = QStringLiteral("Zeile 1\r\nZeile 2 mit €\r\n\r\nEnde");
        artikel->daten.Functions9to16Active = 1;
        artikel->daten.ReservedText3 = "R3";
        const QStringList lines = LokkarteZeilen(*artikel, "Anlage", "41", QDate(2026, 3, 14));
        EXPECT_EQ(lines[0], "Lokkarte aus Anlage gespeichert : 14.03.2026");
        EXPECT_EQ(lines[1], "041");
        EXPECT_EQ(lines[2], "Fahrzeuge");
        // Through the file's bytes, as the import reads it.
        const LokkarteGelesen karte = LokkarteLesen(LineReader::SplitLines(LineWriter::JoinLines(lines)));
        ASSERT_TRUE(karte.ok()) << qPrintable(karte.error);
        FahrzeugDaten erwartet = artikel->daten;
        // Not on the card: id, sequence number, prices of the sale, the functions switched at
        // departure and arrival, reserved numbers and the measurements.
        erwartet.VehicleId = 0;
        erwartet.SequenceNumber = 0;
        erwartet.SalePrice = 0;
        FahrzeugDaten gelesen = karte.daten;
        EXPECT_EQ(gelesen, erwartet) << qPrintable(artikel->daten.Name);
    }
}

TEST(Lokkarte, DamagedCardsAreRefusedWhole)
{
    FahrzeugDatenbank db;
    BeispielDatenbankFuellen(db);
    const QStringList gut = LokkarteZeilen(*db.artikel()[0], "Anlage", "41", QDate(2026, 3, 14));
    ASSERT_TRUE(LokkarteLesen(gut).ok());
    const struct {
        int zeile;
        const char* text;
    } rows[] = {{5, "drei"}, {7, "9"}, {13, "200"}, {52, "x"}, {57, "1000"}};
    for (const auto& row : rows) {
        QStringList kaputt = gut;
        kaputt[row.zeile] = QString::fromLatin1(row.text);
        const LokkarteGelesen karte = LokkarteLesen(kaputt);
        EXPECT_TRUE(karte.istLokkarte);
        EXPECT_FALSE(karte.ok()) << row.zeile;
    }
    EXPECT_FALSE(LokkarteLesen(gut.mid(0, 30)).ok()) << "cut short";
    QStringList fremd = gut;
    fremd[0] = "Fahrplan";
    EXPECT_FALSE(LokkarteLesen(fremd).istLokkarte);
}

TEST(Verkaufslisten, MatchGoldenFiles)
{
    Sammlung s;
    const auto zuVerkaufen = ZuVerkaufen(s.db);
    const auto verkauft = Verkauft(s.db);
    ASSERT_EQ(zuVerkaufen.size(), 2u);
    ASSERT_EQ(verkauft.size(), 1u);
    const QString datum = "14.03.2026";
    expectGolden(LineWriter::JoinLines(VerkaufslisteText(zuVerkaufen, false, datum)), "Liste ZuVerkaufen.Txt");
    expectGolden(LineWriter::JoinLines(VerkaufslisteText(verkauft, true, datum)), "Liste Verkauft.Txt");
    expectGolden(LineWriter::JoinLines(VerkaufslisteCsv(zuVerkaufen, false, datum)), "Liste ZuVerkaufen.csv");
    expectGolden(LineWriter::JoinLines(VerkaufslisteCsv(verkauft, true, datum)), "Verkauft.csv");
    EXPECT_TRUE(golden("Liste ZuVerkaufen.Txt").contains("162\x80\r\n")) << "euro sign as byte 0x80";
}

TEST(Homepage, PageMatchesGoldenFile)
{
    Sammlung s;
    const auto seite = HomepageSeiteNamens(QStringLiteral("Dampf-Loks"));
    ASSERT_TRUE(seite.has_value());
    EXPECT_EQ(seite->datei, "modellbahnmodelledampfloks.html");
    expectGolden(HomepageDatei(s.db, *seite), "modellbahnmodelledampfloks.html");
}

TEST(Homepage, TableAndEntities)
{
    EXPECT_EQ(HomepageSeitenTabelle().size(), 13u);
    EXPECT_EQ(HomepageSeiteNamens(QStringLiteral("Sammlungsstücke"))->bildOrdner, "modellesammlung/");
    EXPECT_FALSE(HomepageSeiteNamens(QString()).has_value());
    EXPECT_EQ(HtmlUmlaute(QStringLiteral("ÄÖÜäöüß")), "&Auml&Ouml&Uuml&auml&ouml&uuml&szlig");
}
