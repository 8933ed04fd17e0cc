// The ECoS drivers inside the whole program: taking a locomotive of the driver's list into the
// vehicle database, the main window's log box while connecting, and the feedback-module choice.
#include "DefaultData.h"
#include "common/ProgramFixture.h"
#include "diagram/TTrassolin.h"
#include "drivers/ecos/EcosListen.h"
#include "vehicles/TFahrzeug.h"

#include <gtest/gtest.h>

namespace {
const QString kDatenbank = QStringLiteral("Projekte/Default/Fahrzeuge20.lda");

LokRecord zeile(const char* id, const char* name, int addr, const char* protokoll, int fahrstufen)
{
    LokRecord row;
    row.Key = QString::fromLatin1(id);
    row.Name = QString::fromUtf8(name);
    row.Addr = addr;
    row.Protokoll = QString::fromLatin1(protokoll);
    row.Fahrstufen = fahrstufen;
    return row;
}

struct Fixture : ProgramFixture {
    // The example database and the given locomotive list of the ECoS 2, both loaded.
    explicit Fixture(std::vector<LokRecord> loks, int typ = 8)
    {
        programm->settings.ZentraleTyp = typ;
        programm->settings.IpAddress = QStringLiteral("127.0.0.1");
        FahrzeugDatenbank db;
        BeispielDatenbankFuellen(db);
        write(kDatenbank, db.schreiben());
        bus.broadcast(Msg::WM_LADE_LOKDATENBANK, 0, typ);
        EXPECT_TRUE(LokListeSchreiben(path("Projekte/Default/EC2Loks.lda"), loks).isEmpty());
        bus.broadcast(Msg::WM_OPEN_LOKLISTE, typ, QStringLiteral("Default"));
        dialogs.informations.clear();
        recorder.messages.clear();
    }
    TProtokolEcos& ec2() { return *fenster->ecosProtokol(8); }
    TFahrzeug& fz() { return *programm->fahrzeuge; }
    FahrzeugKnoten* knoten(const QString& name)
    {
        FahrzeugKnoten* found = nullptr;
        fz().datenbank().fuerAlle([&](FahrzeugKnoten& k) {
            if (k.daten.Name == name) {
                found = &k;
            }
        });
        return found;
    }
    int artikelAnzahl() const { return static_cast<int>(programm->fahrzeuge->datenbank().artikel().size()); }
};

LokRecord v200()
{
    LokRecord row = zeile("1005", "V 200", 33, "MFX", 128);
    row.Funktionen[0] = true;
    row.FunktionBeschreibung[0] = QStringLiteral("Licht");
    row.FunktionBeschreibung[2] = QStringLiteral("Horn"); // described, but off
    row.Funktionen[9] = true;
    row.FunktionBeschreibung[9] = QStringLiteral("Glocke");
    return row;
}
} // namespace

TEST(EcosUebernahme, TakesTheSelectedRowIntoTheChosenFolder)
{
    Fixture f({zeile("1002", "V 160", 16, "DCC", 28), v200()});
    const int idVorher = f.fz().datenbank().naechsteId();
    const int artikelVorher = f.artikelAnzahl();
    FahrzeugKnoten* diesel = f.knoten("Diesellok");
    FahrzeugKnoten* v100 = f.knoten("V 100 Streckenlok");
    ASSERT_TRUE(diesel && v100);

    EXPECT_FALSE(f.ec2().UebernahmeStarten(2)) << "no such row";
    ASSERT_TRUE(f.ec2().UebernahmeStarten(1));
    EXPECT_FALSE(f.ec2().UebernahmeStarten(0)) << "one take-over at a time";
    EXPECT_TRUE(f.fz().UebernahmeAktiv());
    EXPECT_EQ(f.ec2().UebernahmeCaption, "Suche Verzeichnis für V 200");
    EXPECT_EQ(f.ec2().UebernahmeHinweis, "Bite eine Verzeichnis für V 200 auswählen.  ");
    EXPECT_FALSE(f.ec2().UebernehmenOk);

    // An article cannot take a locomotive: the caption follows, OK stays off and does nothing.
    f.ec2().UebernahmeAuswahl(v100);
    const CoreMessage* antwort = f.recorder.last(Msg::WM_LOK_UBERNEHMEN);
    ASSERT_NE(antwort, nullptr);
    EXPECT_EQ(*antwort, (CoreMessage{Msg::WM_LOK_UBERNEHMEN, 8, 1}));
    EXPECT_FALSE(f.ec2().UebernehmenOk);
    EXPECT_EQ(f.ec2().UebernehmenText, "V 200 in FahrzeugDatenbank V 100 Streckenlok einfügen");
    EXPECT_EQ(f.ec2().UebernahmeOk(), nullptr);
    EXPECT_EQ(f.artikelAnzahl(), artikelVorher);

    f.ec2().UebernahmeAuswahl(diesel);
    EXPECT_TRUE(f.ec2().UebernehmenOk);
    EXPECT_EQ(f.ec2().UebernehmenText, "V 200 in FahrzeugDatenbank Diesellok einfügen");
    FahrzeugKnoten* neu = f.ec2().UebernahmeOk();
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(neu->parent, diesel);
    const FahrzeugDaten& d = neu->daten;
    EXPECT_EQ(d.Name, "V 200");
    EXPECT_EQ(d.VehicleId, idVorher);
    EXPECT_EQ(d.Address, 33);
    EXPECT_EQ(d.CommandStationId, "1005");
    EXPECT_EQ(d.ArticleType, "Lok");
    EXPECT_EQ(d.DataFormat, 2);
    EXPECT_EQ(d.SpeedSteps, 128);
    EXPECT_EQ(d.MaxSpeed, 100);
    EXPECT_EQ(d.FunctionFlags1to8, "10000000");
    EXPECT_EQ(d.FunctionNames1to8, "Licht/Func2/Horn/Func4/Func5/Func6/Func7/Func8");
    EXPECT_EQ(d.FunctionFlags9to16, "01000000");
    EXPECT_EQ(d.FunctionNames9to16, "Func9/Glocke/Func11/Func12/Func13/Func14/Func15/Func16");
    EXPECT_EQ(d.Functions9to16Active, 1);
    EXPECT_EQ(f.dialogs.informations, QStringList({"1. In der Fahrzeugdatenbank muss noch ein Lokbild ausgewählt werden. \r"
                                                   "2. Die Lok : V 200 ist erst nach einem Neustart von Trassolin Aktiv"}));

    // The row is marked, everything is given back, and the database on disk has the new vehicle.
    EXPECT_TRUE(f.ec2().loks()[1].InDatenbank);
    EXPECT_EQ(f.ec2().loks()[1].Mark, "V");
    EXPECT_FALSE(f.ec2().loks()[0].InDatenbank);
    EXPECT_FALSE(f.ec2().uebernahmeAktiv());
    EXPECT_FALSE(f.fz().UebernahmeAktiv());
    const int broadcastsVorher = f.recorder.count(Msg::WM_LOK_UBERNEHMEN);
    f.fz().Auswaehlen(diesel);
    EXPECT_EQ(f.recorder.count(Msg::WM_LOK_UBERNEHMEN), broadcastsVorher) << "the take-over state is over";
    FahrzeugDatenbank gespeichert;
    ASSERT_TRUE(gespeichert.lesenDatei(f.path(kDatenbank)).ok());
    ASSERT_NE(gespeichert.findeName("V 200"), nullptr);
    EXPECT_EQ(gespeichert.findeName("V 200")->daten.CommandStationId, "1005");
}

TEST(EcosUebernahme, ProtocolCodesAndTheFunctionsFlagFollowTheRow)
{
    const struct {
        const char* protokoll;
        int code;
        bool f12; // F12 on
    } rows[] = {{"DCC", 0, false}, {"MOTOROLA", 1, true}, {"MFX", 2, false}, {"SX32", 3, true}};
    std::vector<LokRecord> loks;
    for (const auto& row : rows) {
        LokRecord lok = zeile("1010", row.protokoll, 0, row.protokoll, 28);
        lok.Key = QStringLiteral("%1").arg(1010 + loks.size());
        lok.Funktionen[11] = row.f12;
        loks.push_back(lok);
    }
    Fixture f(loks);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(f.ec2().UebernahmeStarten(i)) << i;
        f.ec2().UebernahmeAuswahl(f.knoten("E-Lok"));
        FahrzeugKnoten* neu = f.ec2().UebernahmeOk();
        ASSERT_NE(neu, nullptr) << i;
        EXPECT_EQ(neu->daten.DataFormat, rows[i].code) << rows[i].protokoll;
        EXPECT_EQ(neu->daten.Functions9to16Active, rows[i].f12 ? 1 : 0) << rows[i].protokoll;
        EXPECT_EQ(neu->daten.FunctionFlags9to16, rows[i].f12 ? "00010000" : "00000000") << rows[i].protokoll;
        EXPECT_EQ(neu->daten.CommandStationId, loks[static_cast<size_t>(i)].Key);
    }
}

TEST(EcosUebernahme, CancelAndVanishedRowsCreateNothing)
{
    Fixture f({v200()});
    const QByteArray datei = f.read(kDatenbank);
    const int artikel = f.artikelAnzahl();

    // "Abbrechen" after a valid choice.
    ASSERT_TRUE(f.ec2().UebernahmeStarten(0));
    f.ec2().UebernahmeAuswahl(f.knoten("Diesellok"));
    ASSERT_TRUE(f.ec2().UebernehmenOk);
    f.ec2().UebernahmeAbbrechen();
    EXPECT_FALSE(f.ec2().uebernahmeAktiv());
    EXPECT_FALSE(f.fz().UebernahmeAktiv());
    EXPECT_FALSE(f.ec2().UebernehmenOk);
    EXPECT_EQ(f.ec2().UebernahmeOk(), nullptr);
    // Another driver's answer does not reach this one's panel.
    ASSERT_TRUE(f.ec2().UebernahmeStarten(0));
    f.bus.broadcast(Msg::WM_LOK_UBERNEHMEN, 7, 0);
    EXPECT_FALSE(f.ec2().UebernehmenOk);

    // The list is read anew while the panel is open and the row is gone: reported, nothing made.
    f.ec2().UebernahmeAuswahl(f.knoten("Diesellok"));
    ASSERT_TRUE(LokListeSchreiben(f.path("Projekte/Default/EC2Loks.lda"), {zeile("1099", "Andere", 99, "DCC", 28)}).isEmpty());
    f.bus.broadcast(Msg::WM_OPEN_LOKLISTE, 8, QStringLiteral("Default"));
    EXPECT_EQ(f.ec2().UebernahmeOk(), nullptr);
    EXPECT_EQ(f.dialogs.informations, QStringList({"Lok 1005 ist nicht mehr in der Lokliste"}));
    EXPECT_FALSE(f.ec2().uebernahmeAktiv());
    EXPECT_FALSE(f.fz().UebernahmeAktiv());

    EXPECT_EQ(f.artikelAnzahl(), artikel);
    EXPECT_EQ(f.read(kDatenbank), datei);
    EXPECT_FALSE(f.ec2().loks()[0].InDatenbank);
}

// ---- the main window's log box ----------------------------------------------------------------

TEST(EcosZentraleLog, ShowsTheConnectionAndTheEcos2StepsUntilRegistrationEnds)
{
    for (int typ : {8, 7}) {
        Fixture f({}, typ);
        TProtokolEcos& driver = *f.fenster->ecosProtokol(typ);
        FakeTransport& link = f.link(typ == 8 ? "TProtokolEC2" : "TProtokolEC1");
        driver.MagnetartikelImmerVonZentraleLaden = false;
        TTrassolin& haupt = f.haupt();
        f.bus.broadcast(Msg::WM_VERBINDEN, typ, 0);
        EXPECT_TRUE(haupt.ZentraleLogSichtbar) << typ;
        f.scheduler.advance(3000);
        link.accept();
        f.scheduler.advance(7000); // steps 1..7
        QStringList erwartet = {"MessageRecieve VERBINDEN", "IP 127.0.0.1 verbunden"};
        if (typ == 8) {
            erwartet << "Beim Basisobjekt ESU 50210 ECoS 2 als View registrieren" << "Informationen über die ESU 50210 ECoS 2 abfragen"
                     << "Loks Adressen einlesen" << "Magnetartikel Adressen einlesen" << "S88 einlesen";
        }
        EXPECT_EQ(haupt.ZentraleLog, erwartet) << typ;
        EXPECT_FALSE(driver.infoLog.contains("S88 einlesen")) << "the box only";
        link.feed("<REPLY queryObjects(26,ports)>\r\n100 ports[16]\r\n<END 0 (OK)>\r\n");
        f.scheduler.advance(5000);
        EXPECT_EQ(driver.zustand(), TProtokolEcos::Zustand::Betrieb) << typ;
        EXPECT_FALSE(haupt.ZentraleLogSichtbar) << typ;
        EXPECT_TRUE(haupt.ZentraleLog.isEmpty()) << typ;
    }
}

TEST(EcosZentraleLog, FailedConnectionHidesTheBox)
{
    Fixture f({});
    FakeTransport& link = f.link("TProtokolEC2");
    f.bus.broadcast(Msg::WM_VERBINDEN, 8, 0);
    f.scheduler.advance(3000);
    link.refuse();
    EXPECT_FALSE(f.haupt().ZentraleLogSichtbar) << "a socket error hides it";
    f.haupt().ZentraleLogZeigen();
    f.scheduler.advance(6000);
    EXPECT_FALSE(f.haupt().ZentraleLogSichtbar) << "so does the final error";
    EXPECT_EQ(f.haupt().ZentraleLog.last(), "Verbindung nicht möglich");
}

// ---- feedback modules -------------------------------------------------------------------------------

TEST(EcosModule, ChooserSetsTheContactCountUntilTheModulesAreRead)
{
    Fixture f({});
    TProtokolEcos& d = f.ec2();
    f.programm->settings.GleiskontaktAnzahl = 48;
    f.programm->settings.SettingsChanged = false;
    f.bus.broadcast(Msg::WM_OPEN_S88_MAX, 48, 8);
    EXPECT_EQ(d.ModulAuswahlAnzahl, 32);
    EXPECT_EQ(d.ModulAuswahl, 3);
    EXPECT_TRUE(d.ModulAuswahlAktiv);
    for (int falsch : {0, 33, -1}) {
        d.ModulAnzahlWaehlen(falsch);
        EXPECT_EQ(f.programm->settings.GleiskontaktAnzahl, 48) << falsch;
    }
    EXPECT_FALSE(f.programm->settings.SettingsChanged);
    d.ModulAnzahlWaehlen(5);
    EXPECT_EQ(f.programm->settings.GleiskontaktAnzahl, 80);
    EXPECT_TRUE(f.programm->settings.SettingsChanged);
    EXPECT_EQ(d.ModulAuswahl, 5);
    EXPECT_EQ(d.module()[4].Label, "S88 5");

    // Read from the command station: the debug key asks again and slows the reader; the
    // chooser then lists what was read and is locked.
    FakeTransport& link = f.link("TProtokolEC2");
    f.bus.broadcast(Msg::WM_VERBINDEN, 8, 0);
    f.scheduler.advance(3000);
    link.accept();
    link.sent.clear();
    d.S88Einlesen();
    EXPECT_EQ(link.sentCommands(), QStringList({"request(26, view)", "queryObjects(26,ports)"}));
    link.feed("<REPLY queryObjects(26,ports)>\r\n100 ports[16]\r\n201 ports[16]\r\n<END 0 (OK)>\r\n");
    f.scheduler.advance(1999);
    EXPECT_FALSE(d.moduleGelesen) << "the reader now runs every 2000 ms";
    f.scheduler.advance(1);
    EXPECT_TRUE(d.moduleGelesen);
    EXPECT_EQ(d.ModulAuswahlAnzahl, 2);
    EXPECT_EQ(d.ModulAuswahl, 2);
    EXPECT_FALSE(d.ModulAuswahlAktiv);
    EXPECT_EQ(d.KontaktLabel, "Anz Rückmeldekontakte : 32");
    d.ModulAnzahlWaehlen(4);
    EXPECT_EQ(f.programm->settings.GleiskontaktAnzahl, 32);
}
