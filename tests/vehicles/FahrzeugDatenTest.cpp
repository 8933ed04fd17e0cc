// The vehicle record: byte layout against a record built item by item, round trips, the
// previous format and the reading rules.
#include "vehicles/FahrzeugDaten.h"
#include "vehicles/FahrzeugDatenbank.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {
// Builds record bytes by hand, following the item list of the file, without the codec.
struct Bytes {
    QByteArray b;
    Bytes& i32(qint32 v)
    {
        char c[4];
        qToLittleEndian<qint32>(v, c);
        b.append(c, 4);
        return *this;
    }
    Bytes& u8(quint8 v)
    {
        b.append(static_cast<char>(v));
        return *this;
    }
    // 8-bit text; `raw` already holds the Windows-1252 bytes.
    Bytes& text(const QByteArray& raw)
    {
        i32(static_cast<qint32>(raw.size()));
        b.append(raw);
        return *this;
    }
    Bytes& wide(const QString& s)
    {
        i32(static_cast<qint32>(s.size()));
        for (const QChar ch : s) {
            char c[2];
            qToLittleEndian<quint16>(ch.unicode(), c);
            b.append(c, 2);
        }
        return *this;
    }
};

// Items 1..23 of a record with distinct values, the train kind as given.
Bytes recordBis23(const QByteArray& trainKind)
{
    Bytes r;
    r.text("Info \x80 zeile");                                      // 1 Info, with the euro byte
    r.i32(17).i32(1).i32(201).i32(202).i32(203);                    // 2
    r.text("Zubeh\xf6r");                                           // 3 ArticleType
    r.wide(QStringLiteral("Lok \u03a9 \u65e5"));                   // 4 Name, outside Latin-1
    r.i32(42).i32(7);                                               // 5
    r.text("BR01.jpg").text("BR01gross.jpg");                       // 6
    r.i32(-5).i32(127);                                             // 7 reserved int, MaxSpeed
    r.u8(1).u8(0);                                                  // 8
    for (const char* t : {"Dek", "DekInfo", "F1", "F2", "Start", "Ziel", "R2", "10100000", "a/b/c/d/e/f/g/h",
                          "001002003004005006007008"}) {
        r.text(t);                                                  // 9
    }
    r.i32(11).i32(12).i32(13);                                      // 10
    for (int i = 1; i <= 6; ++i) {
        r.text("Fn" + QByteArray::number(i)).i32(i).text(".ON..");  // 11
    }
    r.text("Dampf-Loks").text("https://mobadaten.info/x").text("").text("https://1zu160.net/y"); // 12
    r.u8(3);                                                        // 13
    r.text("Werk");                                                 // 14
    r.i32(150).i32(45);                                             // 15
    r.text("Sch\xf6ne Lok");                                        // 16
    r.i32(199);                                                     // 17
    r.text(trainKind);                                              // 18
    r.i32(3);                                                       // 19
    r.u8(1);                                                        // 20
    for (const char* t : {"doc.pdf", "R1R1R1", "R3R3", "11110000", "i/j/k/l/m/n/o/p", "009010011012013014015016"}) {
        r.text(t);                                                  // 21
    }
    r.u8(1).u8(1).u8(1);                                            // 22 (linked flag set in the file)
    r.i32(120).i32(-1).i32(-2).i32(28).i32(91).i32(92).i32(93).i32(94).i32(95); // 23
    return r;
}

QByteArray aktuellerRecord()
{
    Bytes r = recordBis23("#GuterZug");
    for (const char* t : {"Anzeige", "1003", "Bilder", "E-Lok", "001000120000500", "Rest"}) {
        r.text(t); // 24
    }
    return r.b;
}
} // namespace

TEST(FahrzeugDaten, ReadsEveryItemInItsOrder)
{
    const FahrzeugDatenGelesen g = DecodeFahrzeugDaten(aktuellerRecord());
    ASSERT_TRUE(g.ok);
    EXPECT_FALSE(g.vorherigesFormat);
    const FahrzeugDaten& d = g.daten;
    EXPECT_EQ(d.Info, QStringLiteral("Info € zeile"));
    EXPECT_EQ(d.Address, 17);
    EXPECT_EQ(d.FollowAddress3, 203);
    EXPECT_EQ(d.ArticleType, QStringLiteral("Zubehör"));
    EXPECT_EQ(d.Name, QStringLiteral("Lok \u03a9 \u65e5"));
    EXPECT_EQ(d.VehicleId, 42);
    EXPECT_EQ(d.ReservedInt, -5);
    EXPECT_EQ(d.MaxSpeed, 127);
    EXPECT_EQ(d.ReservedText2, "R2");
    EXPECT_EQ(d.ReservedInts3, (std::array<qint32, 3>{11, 12, 13}));
    EXPECT_EQ(d.Ziel[2].Name, "Fn6");
    EXPECT_EQ(d.Ziel[2].Nummer, 6);
    EXPECT_EQ(d.HtmlPriority, 3);
    EXPECT_EQ(d.HtmlInfo, QStringLiteral("Schöne Lok"));
    EXPECT_EQ(d.TrainKind, "GuterZug");
    EXPECT_EQ(d.ReservedText1, "R1R1R1");
    EXPECT_EQ(d.ReservedText3, "R3R3");
    EXPECT_EQ(d.LinkedToCommandStation, 0) << "cleared when read";
    EXPECT_EQ(d.ReservedInts2, (std::array<qint32, 2>{-1, -2}));
    EXPECT_EQ(d.SpeedSteps, 28);
    EXPECT_EQ(d.ReservedInts5, (std::array<qint32, 5>{91, 92, 93, 94, 95}));
    EXPECT_EQ(d.DisplayName, "Anzeige");
    EXPECT_EQ(d.CommandStationId, "1003");
    EXPECT_EQ(d.MeasurementList, "001000120000500");
    EXPECT_EQ(d.ReservedText4, "Rest");
}

TEST(FahrzeugDaten, WritesTheRecordItWasReadFrom)
{
    QByteArray expected = aktuellerRecord();
    // The only byte that changes: the link flag is cleared when read.
    const FahrzeugDatenGelesen g = DecodeFahrzeugDaten(expected);
    ASSERT_TRUE(g.ok);
    const QByteArray written = EncodeFahrzeugDaten(g.daten);
    ASSERT_EQ(written.size(), expected.size());
    int differences = 0;
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (written[i] != expected[i]) {
            ++differences;
            EXPECT_EQ(written[i], 0) << "at " << i;
            EXPECT_EQ(expected[i], 1) << "at " << i;
        }
    }
    EXPECT_EQ(differences, 1);
    EXPECT_EQ(DecodeFahrzeugDaten(written).daten, g.daten);
}

TEST(FahrzeugDaten, NewNodeRoundTrips)
{
    FahrzeugDaten neu;
    EXPECT_EQ(neu.Abfahrt[1].Name, "Abfahrt FunctionName 2");
    EXPECT_EQ(neu.Ziel[0].Zustand, ".OFF..");
    neu.MaxSpeed = 100;
    EXPECT_EQ(DecodeFahrzeugDaten(EncodeFahrzeugDaten(neu)).daten, neu);
}

TEST(FahrzeugDaten, PreviousFormatEndsAfterItem23)
{
    const QByteArray alt = recordBis23("PersonenZug").b;
    const FahrzeugDatenGelesen g = DecodeFahrzeugDaten(alt);
    ASSERT_TRUE(g.ok);
    EXPECT_TRUE(g.vorherigesFormat);
    EXPECT_EQ(g.daten.TrainKind, "PersonenZug");
    EXPECT_EQ(g.daten.DisplayName, QStringLiteral("Lok \u03a9 \u65e5")) << "taken from the name";
    EXPECT_EQ(g.daten.CommandStationId, "0000");
    EXPECT_EQ(g.daten.TrainSort, "Dampflok");
    // Written back in the current format: "#" before the train kind and the six texts of item 24.
    const QByteArray neu = EncodeFahrzeugDaten(g.daten);
    EXPECT_TRUE(neu.contains("#PersonenZug"));
    const FahrzeugDatenGelesen wieder = DecodeFahrzeugDaten(neu);
    ASSERT_TRUE(wieder.ok);
    EXPECT_FALSE(wieder.vorherigesFormat);
    // The display name is 8-bit text: what the code page cannot hold becomes '?'.
    EXPECT_EQ(wieder.daten.DisplayName, "Lok ? ?");
    FahrzeugDaten erwartet = g.daten;
    erwartet.DisplayName = "Lok ? ?";
    EXPECT_EQ(wieder.daten, erwartet);
}

TEST(FahrzeugDaten, ValueRules)
{
    const struct {
        qint32 inMemory;
        qint32 stored;
        qint32 readBack;
    } rows[] = {{128, 127, 127}, {125, 125, 125}, {0, 0, 100}, {5, 5, 5}, {-3, 0, 100}};
    for (const auto& row : rows) {
        FahrzeugDaten d;
        d.MaxSpeed = row.inMemory;
        const QByteArray bytes = EncodeFahrzeugDaten(d);
        // MaxSpeed follows Info, five ints, type, name, two ints, two texts and the reserved int.
        const qsizetype at = 4 + d.Info.size() + 20 + 4 + d.ArticleType.size() + 4 + 2 * d.Name.size() + 8 + 4
            + d.PictureFile.size() + 4 + d.LargePictureFile.size() + 4;
        EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + at), row.stored) << row.inMemory;
        EXPECT_EQ(DecodeFahrzeugDaten(bytes).daten.MaxSpeed, row.readBack) << row.inMemory;
    }
    FahrzeugDaten pfad;
    pfad.PictureFile = QStringLiteral("C:\\Trassolin\\Loks\\BR 01.jpg");
    EXPECT_EQ(DecodeFahrzeugDaten(EncodeFahrzeugDaten(pfad)).daten.PictureFile, "BR 01.jpg");
}

TEST(FahrzeugDaten, TruncatedRecordFails)
{
    const QByteArray voll = aktuellerRecord();
    for (const qsizetype size : {qsizetype(0), qsizetype(3), voll.size() / 2, voll.size() - 1}) {
        EXPECT_FALSE(DecodeFahrzeugDaten(voll.left(size)).ok) << size;
    }
}

TEST(FahrzeugDatenbank, TreeRoundTripKeepsLevelsChecksAndRecords)
{
    FahrzeugDatenbank db;
    FahrzeugDaten top;
    top.Name = "Sammlung";
    top.MaxSpeed = 100; // 0 would be read as 100
    FahrzeugKnoten* t = db.einfuegen(nullptr, top);
    FahrzeugDaten ordner;
    ordner.Name = "Zubehör";
    ordner.MaxSpeed = 100;
    FahrzeugKnoten* o = db.einfuegen(t, ordner);
    FahrzeugDaten a = DecodeFahrzeugDaten(aktuellerRecord()).daten;
    FahrzeugKnoten* art = db.einfuegen(o, a);
    art->ansicht.setChecked(true);
    const QByteArray bytes = db.schreiben();
    ASSERT_FALSE(bytes.isEmpty());
    FahrzeugDatenbank wieder;
    ASSERT_TRUE(wieder.lesen(bytes).ok());
    ASSERT_EQ(wieder.artikel().size(), 1u);
    EXPECT_EQ(wieder.artikel()[0]->daten, a);
    EXPECT_TRUE(wieder.artikel()[0]->checked());
    EXPECT_EQ(wieder.artikel()[0]->parent->daten.Name, QStringLiteral("Zubehör"));
    EXPECT_EQ(wieder.schreiben(), bytes);
}

TEST(FahrzeugDatenbank, AddressesIdsAndMoves)
{
    FahrzeugDatenbank db;
    FahrzeugKnoten* t = db.einfuegen(nullptr, {});
    FahrzeugKnoten* o1 = db.einfuegen(t, {});
    FahrzeugKnoten* o2 = db.einfuegen(t, {});
    FahrzeugDaten lok;
    lok.ArticleType = "Lok";
    lok.Address = 3;
    lok.VehicleId = 9;
    FahrzeugKnoten* l = db.einfuegen(o1, lok);
    FahrzeugDaten wagen;
    wagen.ArticleType = "Wagen";
    wagen.Address = 4;
    db.einfuegen(o1, wagen);
    EXPECT_EQ(db.belegteAdressen(), (std::set<int>{3}));
    EXPECT_TRUE(db.belegteAdressen(l).empty());
    EXPECT_EQ(db.naechsteId(), 10);
    EXPECT_FALSE(db.verschieben(l, t, 0)) << "an article stays an article";
    EXPECT_FALSE(db.verschieben(o1, o1, 0)) << "not into itself";
    EXPECT_TRUE(db.verschieben(l, o2, 0));
    EXPECT_EQ(l->parent, o2);
    EXPECT_EQ(o1->kinder.size(), 1u);
}
