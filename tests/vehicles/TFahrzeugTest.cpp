// The vehicle database window's logic over a temporary program folder: loading, saving,
// editing rules and questions, the card import, the take-over and the default database.
#include "DefaultData.h"
#include "common/ProgramFixture.h"
#include "vehicles/LogBuch.h"
#include "vehicles/TFahrzeug.h"

#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
QByteArray sourceFile(const QString& relative)
{
    QFile f(QStringLiteral(TRASSOLIN_SOURCE_DIR "/") + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray beispielBytes()
{
    FahrzeugDatenbank db;
    BeispielDatenbankFuellen(db);
    return db.schreiben();
}

const QString kDatei = QStringLiteral("Projekte/Default/Fahrzeuge20.lda");

struct Fixture : ProgramFixture {
    TFahrzeug& fz() { return *programm->fahrzeuge; }
    void laden() { bus.broadcast(Msg::WM_LADE_LOKDATENBANK, 0, 0); }
    FahrzeugKnoten* ordner(const QString& name)
    {
        FahrzeugKnoten* found = nullptr;
        fz().datenbank().fuerAlle([&](FahrzeugKnoten& k) {
            if (k.ebene() == 1 && k.daten.Name == name) {
                found = &k;
            }
        });
        return found;
    }
};
} // namespace

TEST(TFahrzeug, ShippedDefaultDatabaseIsWhatTheGeneratorBuilds)
{
    EXPECT_EQ(sourceFile("data/Default.lda"), beispielBytes()) << "rebuild with make-default-data data";
    for (const char* bild : {"data/Loks/BR01.jpg", "data/Wagen/Kessel.jpg", "data/Dampflok.jpg"}) {
        QImage image;
        ASSERT_TRUE(image.loadFromData(sourceFile(QString::fromLatin1(bild)))) << bild;
        EXPECT_EQ(image.size(), QSize(160, 40)) << bild;
    }
}

TEST(TFahrzeug, LoadTable)
{
    const QByteArray kaputt = beispielBytes().left(300);
    const struct {
        const char* fall;
        bool datenbank;
        bool kaputt;
        bool vorlage;
        int artikel;
        bool geladen;
        const char* meldung; // part of the one message shown, or "" for none
        bool fahrstrassenNichtLaden;
        bool dateiDanach; // the project's file exists afterwards
    } rows[] = {
        {"present", true, false, false, 6, true, "", false, true},
        {"missing, default", false, false, true, 6, true, "nicht gefunden\res werden keine Fahrstrassen geladen", true, true},
        {"missing, no default", false, false, false, 0, true, "", false, false},
        {"damaged", true, true, true, 0, false, "Fahrzeuge20.lda !!\r", false, true},
    };
    for (const auto& row : rows) {
        Fixture f;
        if (row.datenbank) {
            f.write(kDatei, row.kaputt ? kaputt : beispielBytes());
        }
        if (row.vorlage) {
            f.write("data/Default.lda", beispielBytes());
        }
        const QByteArray vorher = f.read(kDatei);
        f.laden();
        EXPECT_EQ(f.fz().datenbank().artikel().size(), static_cast<size_t>(row.artikel)) << row.fall;
        EXPECT_EQ(f.fz().Geladen, row.geladen) << row.fall;
        EXPECT_EQ(f.recorder.count(Msg::WM_LOKDATENBANK_OK), 1) << row.fall;
        EXPECT_EQ(f.programm->FahrstrassenNichtLaden, row.fahrstrassenNichtLaden) << row.fall;
        if (QByteArray(row.meldung).isEmpty()) {
            EXPECT_TRUE(f.dialogs.asked.isEmpty()) << row.fall;
        } else {
            ASSERT_EQ(f.dialogs.informations.size(), 1) << row.fall;
            EXPECT_TRUE(f.dialogs.informations[0].contains(QString::fromUtf8(row.meldung))) << row.fall << qPrintable(f.dialogs.informations[0]);
        }
        EXPECT_EQ(QFileInfo::exists(f.path(kDatei)), row.dateiDanach) << row.fall;
        EXPECT_TRUE(f.fz().caption.startsWith("Fahrzeugdatenbank " + f.path(kDatei))) << row.fall;
        if (row.kaputt) {
            EXPECT_EQ(f.read(kDatei), vorher) << "a damaged database is never written over";
            EXPECT_FALSE(f.fz().SaveVehicleDatabase());
            EXPECT_EQ(f.read(kDatei), vorher);
        } else if (row.dateiDanach) {
            EXPECT_EQ(f.read(kDatei), beispielBytes()) << row.fall;
        }
    }
}

TEST(TFahrzeug, AlternativeDatabaseIsLoadedAndBothFilesAreSaved)
{
    Fixture f;
    f.write("anders/Meine.lda", beispielBytes());
    f.programm->settings.AlternativeVehicleDatabase = f.path("anders/Meine.lda");
    f.laden();
    EXPECT_EQ(f.fz().DatenbankPfad(), f.path("anders/Meine.lda"));
    EXPECT_EQ(f.fz().datenbank().artikel().size(), 6u);
    f.fz().datenbank().artikel()[0]->daten.Price = 1;
    ASSERT_TRUE(f.fz().SaveVehicleDatabase());
    EXPECT_EQ(f.read("anders/Meine.lda"), f.read(kDatei));
    EXPECT_NE(f.read(kDatei), beispielBytes());
}

TEST(TFahrzeug, PicturesWithPlaceholdersAndSizeWarnings)
{
    Fixture f;
    f.write(kDatei, beispielBytes());
    QDir().mkpath(f.path("Loks"));
    QImage gross(200, 50, QImage::Format_RGB32);
    gross.fill(Qt::red);
    ASSERT_TRUE(gross.save(f.path("Loks/BR01.jpg"), "JPG"));
    QDir().mkpath(f.path("Wagen"));
    ASSERT_TRUE(gross.save(f.path("Wagen/kessel.JPG"), "JPG")); // found without regard to case
    f.laden();
    const auto artikel = f.fz().datenbank().artikel();
    ASSERT_EQ(f.fz().bilder.gross.size(), artikel.size());
    for (size_t i = 0; i < artikel.size(); ++i) {
        EXPECT_EQ(f.fz().bilder.gross[i].size(), QSize(160, 40));
        EXPECT_EQ(f.fz().bilder.klein[i].size(), QSize(80, 20));
        EXPECT_EQ(artikel[i]->bildIndex, static_cast<int>(i));
    }
    QStringList log;
    for (const auto& z : f.programm->logbuch->Zeilen()) {
        log << z.text;
    }
    EXPECT_TRUE(log.contains("Bild : " + f.path("Loks") + "\\BR01.jpg Muss (160x40 Px) / ist (200x50 px)")) << qPrintable(log.join(QStringLiteral("\n")));
    EXPECT_TRUE(log.contains("Bild : " + f.path("Wagen") + "\\Kessel.jpg Musst (160x40 Px) / ist (200x50 px)")) << qPrintable(log.join(QStringLiteral("\n")));
    EXPECT_EQ(f.fz().BildHinweis(*artikel[1]), f.path("Loks") + "\\BR89.jpg Existiert nicht");
    EXPECT_EQ(f.fz().bilder.gross[1], FahrzeugBilder::Platzhalter(true, QSize(160, 40)));
}

TEST(TFahrzeug, AddressListLeavesOutOtherLocomotives)
{
    Fixture f;
    f.write(kDatei, beispielBytes());
    f.laden();
    const auto artikel = f.fz().datenbank().artikel();
    FahrzeugKnoten* br01 = artikel[0]; // address 3; others 5, 10, 44
    const QList<int> lok = f.fz().AdressListe(br01, "Lok");
    EXPECT_EQ(lok.first(), 0);
    EXPECT_TRUE(lok.contains(3)) << "its own address stays";
    EXPECT_FALSE(lok.contains(5));
    EXPECT_FALSE(lok.contains(44));
    EXPECT_EQ(lok.last(), 200);
    EXPECT_TRUE(f.fz().AdressListe(artikel[4], "Wagen").contains(5));
    // Storing a taken address is refused as well.
    FahrzeugDaten d = br01->daten;
    d.Address = 5;
    EXPECT_FALSE(f.fz().ArtikelSpeichern(br01, d));
    EXPECT_EQ(br01->daten.Address, 3);
    EXPECT_EQ(f.dialogs.informations.value(0), "Adresse 5 ist schon vergeben !!");
}

TEST(TFahrzeug, EditRulesAndTrainHooks)
{
    Fixture f;
    f.write(kDatei, beispielBytes());
    f.laden();
    QSignalSpy erstellt(&f.fz(), &TFahrzeug::lokErstellt);
    QSignalSpy geaendert(&f.fz(), &TFahrzeug::lokGeaendert);
    QSignalSpy geloescht(&f.fz(), &TFahrzeug::lokGeloescht);
    FahrzeugKnoten* dampf = f.ordner("Dampflok");
    ASSERT_NE(dampf, nullptr);

    EXPECT_EQ(f.fz().NeuerArtikel(dampf->parent, "Lok"), nullptr);
    EXPECT_EQ(f.fz().NeuerArtikel(dampf, ""), nullptr);
    EXPECT_EQ(f.dialogs.informations, QStringList({"Bitte ein Verzeichnis auswählen. zb. Dampflok, Diesellok,... ",
                                                   "Bitte Lok oder Wagen auswählen !!!"}));
    FahrzeugKnoten* neu = f.fz().NeuerArtikel(dampf, "Lok");
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(neu->daten.Name, "NeuLok");
    EXPECT_EQ(neu->daten.VehicleId, 7);
    EXPECT_EQ(erstellt.size(), 1);
    EXPECT_TRUE(f.fz().Geaendert);

    // Type change: No keeps everything, Yes stores and the train goes.
    FahrzeugDaten d = neu->daten;
    d.ArticleType = "Wagen";
    d.Name = "Umbau";
    f.dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(f.fz().ArtikelSpeichern(neu, d));
    EXPECT_EQ(neu->daten.Name, "NeuLok");
    EXPECT_TRUE(f.fz().ArtikelSpeichern(neu, d));
    EXPECT_EQ(f.dialogs.questions.value(0), "Bei Aenderung muss Trassolin neu gestartet werden !!\rAendern ?");
    EXPECT_EQ(geloescht.size(), 1);

    FahrzeugKnoten* br01 = f.fz().datenbank().artikel()[0];
    d = br01->daten;
    d.MaxSpeed = 80;
    f.dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(f.fz().ArtikelVerlassen(br01, d, false));
    EXPECT_EQ(f.dialogs.questions.last(), "Daten wurden geändert. Speichern ?");
    EXPECT_EQ(br01->daten.MaxSpeed, 80);
    EXPECT_EQ(geaendert.size(), 1);
    EXPECT_EQ(geaendert[0][0].toInt(), br01->daten.VehicleId);

    // Deleting: not with children; an article after its question.
    f.dialogs.informations.clear();
    EXPECT_FALSE(f.fz().Loeschen(dampf));
    EXPECT_FALSE(f.fz().Loeschen(dampf->parent));
    EXPECT_EQ(f.dialogs.informations, QStringList({"Verzeichnis nicht leer !!!",
                                                   "Dieser Eintrag kann nicht gelösscht werden. ! \r es sind noch Untereinträge da.  "}));
    const int id = br01->daten.VehicleId;
    f.dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(f.fz().Loeschen(br01));
    EXPECT_EQ(f.dialogs.questions.last(), "Lok : BR 01 Schnellzuglok loesschen ? ");
    EXPECT_EQ(geloescht.last()[0].toInt(), id);
    EXPECT_EQ(f.fz().datenbank().findeId(id), nullptr);

    EXPECT_EQ(f.fz().NeuesVerzeichnis(dampf, "  "), nullptr);
    EXPECT_EQ(f.dialogs.informations.last(), "Bitte einen Namen für das Neue Verzeichnis angeben !!!");
    FahrzeugKnoten* leer = f.fz().NeuesVerzeichnis(dampf, "Kräne");
    ASSERT_NE(leer, nullptr);
    EXPECT_EQ(leer->ebene(), 1);
    f.dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(f.fz().Loeschen(leer));
    EXPECT_EQ(f.dialogs.questions.last(), "Verzeichnis Kräne lösschen ?");
}

TEST(TFahrzeug, FiltersAndPriceTotals)
{
    Fixture f;
    f.write(kDatei, beispielBytes());
    f.laden();
    // Locos 189 + 79 + 129 + 150 (sold), wagons 25 + 30; for sale: BR 89 (79), Kesselwagen (25).
    EXPECT_EQ(f.fz().PreisText(), "Loks  : 547\nWagen : 55");
    f.fz().setVerkaufteNichtAnzeigen(true);
    EXPECT_EQ(f.fz().PreisSummen().loks, 397);
    f.fz().setNurZuVerkaufen(true);
    EXPECT_EQ(f.fz().PreisSummen().loks, 79);
    EXPECT_EQ(f.fz().PreisSummen().wagen, 25);
}

TEST(TFahrzeug, CardExportImportAndSalesListFiles)
{
    Fixture f;
    f.write(kDatei, beispielBytes());
    f.laden();
    FahrzeugKnoten* e44 = f.fz().datenbank().findeName(QStringLiteral("E 44 Güterzuglok"));
    ASSERT_NE(e44, nullptr);
    const QString karte = f.fz().LokkarteExportieren(*e44, f.path("karten"));
    EXPECT_EQ(karte, f.path("karten/E44Guterzuglok.TLK"));

    // Same name: refused.
    EXPECT_EQ(f.fz().LokkarteImportieren(karte, f.ordner("E-Lok")), nullptr);
    EXPECT_EQ(f.dialogs.informations.last(), QStringLiteral("Eintrag in Datenbank : Name (E 44 Güterzuglok)\r Existiert schon "));

    // A card with a bad number adds nothing, and says why.
    QByteArray bytes = f.read("karten/E44Guterzuglok.TLK");
    bytes.replace("E 44 G\xfcterzuglok\r\n44\r\n", "E 45\r\nvierundvierzig\r\n");
    f.write("karten/kaputt.TLK", bytes);
    const size_t vorher = f.fz().datenbank().artikel().size();
    EXPECT_EQ(f.fz().LokkarteImportieren(f.path("karten/kaputt.TLK"), f.ordner("E-Lok")), nullptr);
    EXPECT_EQ(f.fz().datenbank().artikel().size(), vorher);
    EXPECT_TRUE(f.dialogs.informations.last().contains("vierundvierzig"));

    // Renamed card: asked, added with the next id, saved.
    bytes = f.read("karten/E44Guterzuglok.TLK");
    bytes.replace("E 44 G\xfcterzuglok\r\n", "E 44 Zweite\r\n");
    f.write("karten/zweite.TLK", bytes);
    QSignalSpy erstellt(&f.fz(), &TFahrzeug::lokErstellt);
    f.dialogs.yesNoAnswers = {true};
    FahrzeugKnoten* zweite = f.fz().LokkarteImportieren(f.path("karten/zweite.TLK"), f.ordner("E-Lok"));
    ASSERT_NE(zweite, nullptr);
    EXPECT_EQ(f.dialogs.questions.last(), "E 44 Zweite in Datenbank einfügen ? ");
    EXPECT_EQ(zweite->daten.VehicleId, 7);
    EXPECT_EQ(zweite->daten.Address, 0) << "address 44 belongs to the first E 44";
    EXPECT_EQ(zweite->daten.Price, e44->daten.Price);
    EXPECT_EQ(erstellt.size(), 1);
    FahrzeugDatenbank gespeichert;
    ASSERT_TRUE(gespeichert.lesenDatei(f.path(kDatei)).ok());
    EXPECT_NE(gespeichert.findeName("E 44 Zweite"), nullptr);

    // A file that is not a card: ignored without a message.
    f.write("karten/fremd.TLK", "Irgendwas\r\n");
    const int meldungen = static_cast<int>(f.dialogs.asked.size());
    EXPECT_EQ(f.fz().LokkarteImportieren(f.path("karten/fremd.TLK"), f.ordner("E-Lok")), nullptr);
    EXPECT_EQ(f.dialogs.asked.size(), meldungen);

    ASSERT_TRUE(f.fz().VerkaufslistenSchreiben());
    EXPECT_TRUE(f.read("Artikel/Liste ZuVerkaufen.Txt").startsWith("Artikel Liste - Zu verkaufen - ge\xe4ndert 11.12.2026\r\n"));
    EXPECT_TRUE(f.read("Artikel/Verkauft.csv").contains(";E 44 G\xfcterzuglok;120\x80\r\n"));
    EXPECT_TRUE(f.read("Artikel/Liste Verkauft.Txt").endsWith("Total Verkauft 120\x80\r\n"));

    EXPECT_TRUE(f.fz().HtmlSeiteErstellen(QString(), f.path("seiten")).isEmpty());
    EXPECT_EQ(f.dialogs.confirmations.last(), "Keine Hompage Seite ausgewählt !!");
    const QString seite = f.fz().HtmlSeiteErstellen("E-Loks", f.path("seiten"));
    EXPECT_EQ(seite, f.path("seiten/modellbahnmodelleeloks.html"));
    EXPECT_FALSE(f.read("seiten/modellbahnmodelleeloks.html").contains("E 44")) << "sold articles are not listed";
}

TEST(TFahrzeug, TakeOverAndLinking)
{
    Fixture f;
    f.write(kDatei, beispielBytes());
    f.programm->settings.ZentraleTyp = 8;
    f.laden();
    FahrzeugKnoten* diesel = f.ordner("Diesellok");
    f.fz().UebernahmeStarten(8);
    f.fz().Auswaehlen(diesel);
    f.fz().Auswaehlen(diesel->kinder[0].get());
    std::vector<int> antworten;
    for (const CoreMessage& m : f.recorder.messages) {
        if (m.id == Msg::WM_LOK_UBERNEHMEN) {
            EXPECT_EQ(m.w.toInt(), 8);
            antworten.push_back(static_cast<int>(m.l.toInt()));
        }
    }
    EXPECT_EQ(antworten, (std::vector<int>{0, 1}));

    ZentralenLok lok;
    lok.Id = "1005";
    lok.Name = "V 200";
    lok.Adresse = 10; // taken by the V 100
    lok.Protokoll = "MFX";
    lok.Fahrstufen = 128;
    lok.Funktionen = {{1, 5, ""}, {3, 0, "Horn"}, {10, 50, ""}, {0, 1, "Licht"}, {40, 1, "zu hoch"}};
    FahrzeugKnoten* neu = f.fz().LokUebernehmen(diesel, lok);
    ASSERT_NE(neu, nullptr);
    const FahrzeugDaten& d = neu->daten;
    EXPECT_EQ(d.ArticleType, "Lok");
    EXPECT_EQ(d.Address, 0);
    EXPECT_EQ(d.DataFormat, 2);
    EXPECT_EQ(d.SpeedSteps, 128);
    EXPECT_EQ(d.MaxSpeed, 100);
    EXPECT_EQ(d.CommandStationId, "1005");
    EXPECT_EQ(d.FunctionFlags1to8, "10100000");
    EXPECT_EQ(d.FunctionNames1to8, "Stirnbeleuchtung/Func2/Horn/Func4/Func5/Func6/Func7/Func8");
    EXPECT_EQ(d.FunctionIcons1to8, "005000000000000000000000");
    EXPECT_EQ(d.FunctionFlags9to16, "01000000");
    EXPECT_EQ(d.FunctionNames9to16, "Func9/Glocke/Func11/Func12/Func13/Func14/Func15/Func16");
    EXPECT_EQ(d.Functions9to16Active, 1);
    EXPECT_EQ(f.dialogs.informations.last(),
              "1. In der Fahrzeugdatenbank muss noch ein Lokbild ausgewählt werden. \r2. Die Lok : V 200 ist erst nach einem Neustart von Trassolin Aktiv");
    f.fz().UebernahmeBeenden();

    // Linking: No changes nothing; Yes takes name, free address and id, then compares.
    FahrzeugKnoten* v100 = diesel->kinder[0].get();
    ZentralenLok cs;
    cs.Id = "1010";
    cs.Name = "V 100 Zentrale";
    cs.Adresse = 12;
    f.dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(f.fz().LokVerbinden(v100, cs, true, false));
    EXPECT_EQ(v100->daten.CommandStationId, "0000");
    EXPECT_TRUE(f.fz().LokVerbinden(v100, cs, true, false));
    EXPECT_EQ(f.dialogs.questions.value(0), "Lokdaten ändern ? ");
    EXPECT_EQ(v100->daten.Name, "V 100 Zentrale");
    EXPECT_EQ(v100->daten.Address, 12);
    EXPECT_EQ(v100->daten.CommandStationId, "1010");
    EXPECT_EQ(v100->daten.LinkedToCommandStation, 1);
    const CoreMessage* vergleich = f.recorder.last(Msg::WM_LOK_DATEN_VERGLEICHEN);
    ASSERT_NE(vergleich, nullptr);
    EXPECT_EQ(vergleich->l.toInt(), 8);
}

TEST(TFahrzeug, FunctionDescription)
{
    FahrzeugDaten d;
    d.Address = 12;
    EXPECT_EQ(TFahrzeug::FunktionsBeschreibung(d), "DCC 12");
    d.DataFormat = 1;
    EXPECT_EQ(TFahrzeug::FunktionsBeschreibung(d), "MOTOROLA \rFolgeadresse1 F5-F8 255");
    d.Functions9to16Active = 1;
    EXPECT_EQ(TFahrzeug::FunktionsBeschreibung(d),
              "MOTOROLA \rFolgeadresse1 F5-F8 255\rFolgeadresse2 F9-F12 254\rFolgeadresse3 F13-F16 253");
}

TEST(TFahrzeug, FunctionsAreReadFromAndWrittenToTheRecordTexts)
{
    FahrzeugDaten d;
    d.FunctionFlags1to8 = "10000001";
    d.FunctionNames1to8 = "Licht/Dampf//Pfeife";             // fewer names, one empty
    d.FunctionIcons1to8 = "005001abc049000000000000";     // "abc" is not a number
    d.FunctionFlags9to16 = "01";                           // short
    d.FunctionNames9to16 = "Horn";
    d.FunctionIcons9to16 = "012";
    const TFahrzeug::FunktionsListe f = TFahrzeug::Funktionen(d);
    const struct {
        int index;
        bool aktiv;
        const char* name;
        int symbol;
    } erwartet[] = {
        {0, true, "Licht", 5},   {1, false, "Dampf", 1},  {2, false, "Func3", 0},  {3, false, "Pfeife", 49},
        {7, true, "Func8", 0},   {8, false, "Horn", 12},  {9, true, "Func10", 0},  {15, false, "Func16", 0},
    };
    for (const auto& e : erwartet) {
        SCOPED_TRACE(e.index);
        EXPECT_EQ(f[e.index].aktiv, e.aktiv);
        EXPECT_EQ(f[e.index].name, QString::fromUtf8(e.name));
        EXPECT_EQ(f[e.index].symbol, e.symbol);
    }

    // Written back in the stored form; a "/" in a name cannot split it, an empty name gets its default.
    TFahrzeug::FunktionsListe neu = f;
    neu[1].name = "Dampf/Rauch";
    neu[2].name = "  ";
    neu[10].aktiv = true;
    neu[10].symbol = 50;
    neu[15].symbol = 1234;
    TFahrzeug::setFunktionen(d, neu);
    EXPECT_EQ(d.FunctionFlags1to8, "10000001");
    EXPECT_EQ(d.FunctionNames1to8, "Licht/DampfRauch/Func3/Pfeife/Func5/Func6/Func7/Func8");
    EXPECT_EQ(d.FunctionIcons1to8, "005001000049000000000000");
    EXPECT_EQ(d.FunctionFlags9to16, "01100000");
    EXPECT_EQ(d.FunctionNames9to16, "Horn/Func10/Func11/Func12/Func13/Func14/Func15/Func16");
    EXPECT_EQ(d.FunctionIcons9to16, "012000050000000000000999");
    EXPECT_EQ(TFahrzeug::Funktionen(d)[1].name, "DampfRauch");

    // A new record reads as sixteen unset functions with their default names and gives itself back.
    const FahrzeugDaten leer;
    FahrzeugDaten zurueck;
    zurueck.FunctionNames1to8.clear();
    TFahrzeug::setFunktionen(zurueck, TFahrzeug::Funktionen(leer));
    EXPECT_EQ(zurueck, leer);

    EXPECT_EQ(TFahrzeug::SymbolText(0), "0 -");
    EXPECT_EQ(TFahrzeug::SymbolText(1), "1 Dampf");
    EXPECT_EQ(TFahrzeug::SymbolText(50), "50 Glocke");
    EXPECT_EQ(TFahrzeug::SymbolText(77), "77");
}

TEST(TFahrzeug, CaptionsFollowTheArticleType)
{
    EXPECT_EQ(TFahrzeug::AdressenText("Lok"), "Adresse");
    EXPECT_EQ(TFahrzeug::AdressenText("Wagen"), "WagenAdresse");
    EXPECT_EQ(TFahrzeug::SchrankText("Lok"), "Lok ist im Schrank");
    EXPECT_EQ(TFahrzeug::SchrankText("Zubehör"), "Wagen ist im Schrank");
    EXPECT_FALSE(TFahrzeug::FolgeadressenSichtbar(0));
    EXPECT_TRUE(TFahrzeug::FolgeadressenSichtbar(1));
}

TEST(TFahrzeug, ChosenPictureIsCopiedIntoItsPictureFolder)
{
    Fixture f;
    QImage bild(160, 40, QImage::Format_RGB32);
    bild.fill(Qt::blue);
    QDir().mkpath(f.path("auswahl"));
    ASSERT_TRUE(bild.save(f.path("auswahl/Neu Lok.jpg"), "JPG"));
    ASSERT_TRUE(bild.save(f.path("auswahl/bild.png"), "PNG"));
    const QByteArray jpeg = f.read("auswahl/Neu Lok.jpg");

    // A locomotive picture lands in the locomotive folder, a wagon picture in the wagon folder.
    EXPECT_EQ(f.fz().BildUebernehmen(f.path("auswahl/Neu Lok.jpg"), "Lok"), "Neu Lok.jpg");
    EXPECT_EQ(f.read("Loks/Neu Lok.jpg"), jpeg);
    EXPECT_EQ(f.fz().BildUebernehmen(f.path("auswahl/Neu Lok.jpg"), "Wagen"), "Neu Lok.jpg");
    EXPECT_EQ(f.read("Wagen/Neu Lok.jpg"), jpeg);
    // Chosen again, or from the folder itself: no question.
    f.dialogs.asked.clear();
    EXPECT_EQ(f.fz().BildUebernehmen(f.path("auswahl/Neu Lok.jpg"), "Lok"), "Neu Lok.jpg");
    EXPECT_EQ(f.fz().BildUebernehmen(f.path("Loks/Neu Lok.jpg"), "Lok"), "Neu Lok.jpg");
    EXPECT_TRUE(f.dialogs.asked.isEmpty()) << qPrintable(f.dialogs.asked.join('|'));

    // Not a JPEG: refused, nothing copied.
    EXPECT_EQ(f.fz().BildUebernehmen(f.path("auswahl/bild.png"), "Lok"), "");
    EXPECT_TRUE(f.dialogs.informations.last().endsWith(" ist kein JPEG Bild"));
    EXPECT_FALSE(QFileInfo::exists(f.path("Loks/bild.png")));

    // Another picture of the same name replaces the old one only after Yes.
    bild.fill(Qt::green);
    QDir().mkpath(f.path("andere"));
    ASSERT_TRUE(bild.save(f.path("andere/neu lok.JPG"), "JPG"));
    f.dialogs.yesNoAnswers = {false};
    EXPECT_EQ(f.fz().BildUebernehmen(f.path("andere/neu lok.JPG"), "Lok"), "");
    EXPECT_EQ(f.dialogs.questions.last(), "Bild Neu Lok.jpg gibt es schon in " + f.path("Loks") + "\rErsetzen ?");
    EXPECT_EQ(f.read("Loks/Neu Lok.jpg"), jpeg);
    f.dialogs.yesNoAnswers = {true};
    EXPECT_EQ(f.fz().BildUebernehmen(f.path("andere/neu lok.JPG"), "Lok"), "Neu Lok.jpg");
    EXPECT_EQ(f.read("Loks/Neu Lok.jpg"), f.read("andere/neu lok.JPG"));

    // The preview shows the named picture, or the placeholder.
    FahrzeugDaten d;
    d.ArticleType = "Lok";
    d.PictureFile = "Neu Lok.jpg";
    const QImage vorschau = f.fz().BildVorschau(d);
    EXPECT_EQ(vorschau.size(), QSize(160, 40));
    EXPECT_NE(vorschau, FahrzeugBilder::Platzhalter(true, QSize(160, 40)));
    EXPECT_GT(qGreen(vorschau.pixel(80, 20)), 200);
    d.PictureFile = "fehlt.jpg";
    EXPECT_EQ(f.fz().BildVorschau(d), FahrzeugBilder::Platzhalter(true, QSize(160, 40)));
}

TEST(TFahrzeug, FolderPictureAndCount)
{
    Fixture f;
    f.write(kDatei, beispielBytes());
    f.write("data/dampflok.JPG", "jpeg");
    f.laden();
    FahrzeugKnoten* dampf = f.ordner("Dampflok");
    FahrzeugKnoten* wagen = f.ordner("Wagen");
    ASSERT_TRUE(dampf && wagen);
    EXPECT_EQ(TFahrzeug::OrdnerAnzahlText(*dampf), "Anzahl Dampflok : 2");
    EXPECT_EQ(QFileInfo(f.fz().OrdnerBildPfad(*dampf)).fileName(), "dampflok.JPG") << "found without regard to case";
    EXPECT_FALSE(QFileInfo::exists(f.fz().OrdnerBildPfad(*wagen)));
    // The count follows the folder's articles.
    ASSERT_TRUE(f.fz().NeuerArtikel(dampf, "Lok"));
    EXPECT_EQ(TFahrzeug::OrdnerAnzahlText(*dampf), "Anzahl Dampflok : 3");
    FahrzeugKnoten* leer = f.fz().NeuesVerzeichnis(dampf, "Leer");
    ASSERT_TRUE(leer);
    EXPECT_EQ(TFahrzeug::OrdnerAnzahlText(*leer), "Anzahl Leer : 0");
}
