#include "operation/FahrbetriebFixture.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct CheckFall {
    const char* name;
    std::function<void(Strecke&)> vorbereiten;
    QStringList erwartet;
};

std::vector<CheckFall> checkFaelle()
{
    return {
        {"a free route may run", [](Strecke&) {}, {}},
        {"a deleted start station is the only reason",
            [](Strecke& s) {
                s.a->HaltestelleGeloescht = true;
                s.bild().SetContactState(1, 0);
                s.ab->FahrstrasseAusblenden = true;
            },
            {"Start Haltestelle (A) wurde gelösscht"}},
        {"every reason about the start, in order",
            [](Strecke& s) {
                s.bild().SetContactState(1, 0);
                s.bild().SetContactState(5, 1);
                s.bild().SetContactState(3, 1);
                s.weiche2->InFahrstrasse = true; // held by another route
                s.signal->InFahrstrasse = true;  // only turnouts count
                s.a->WartezeitVorbei = false;
                s.ab->FahrstrasseAusblenden = true;
                s.a->HaltestelleElement->Zug = nullptr;
            },
            {"Start Kontakt (1) nicht Besetzt", "Kontakt (3) Besetzt", "Kontakt (5) Besetzt",
                "Min 1 Element in andere Fahrstrasse Element_Weiche_062_0013_0005", "Haltstelle A wartezeit noch nicht abgelaufen ",
                "Fahrstraße ist ausgeblendet : A_B", "Zug nicht in A"}},
        {"a deleted target", [](Strecke& s) { s.b->HaltestelleGeloescht = true; }, {"Ziel Haltestelle (B) wurde gelösscht"}},
        {"a closed target holding another train; the permission is not asked then",
            [](Strecke& s) {
                s.b->HaltestelleHierNichtFahren = true;
                s.b->HaltestelleElement->Zug = s.zugNeu("Lok2", 4, "1003");
                s.b->HaltestelleZuge.clear();
            },
            {"In (B) darf nicht befahren werden", "Ein anderer Zug (Lok2) in Zielhaltestelle"}},
        {"the train may not go to the target", [](Strecke& s) { s.b->HaltestelleZuge.clear(); }, {"Lok1 darf nicht nach (B) Fahren"}},
        {"the permission is asked only when nothing else was found",
            [](Strecke& s) {
                s.a->WartezeitVorbei = false;
                s.b->HaltestelleZuge.clear();
            },
            {"Haltstelle A wartezeit noch nicht abgelaufen "}},
        {"another route already heads for the target", [](Strecke& s) { s.b->HaltestelleStatus = 3; },
            {"Ziel Haltestelle (B) ist schon Ziel einer Fahrstrasse"}},
        {"a closed station on the way counts, a closed start station does not",
            [](Strecke& s) {
                THaltestelle* m = s.stationNeu("M");
                m->HaltestelleHierNichtFahren = true;
                s.a->HaltestelleHierNichtFahren = true;
                FahrstrasseElement zwischen;
                zwischen.ElementTyp = 10;
                zwischen.HaltestelleNr = m->HaltestelleID;
                s.ab->FahrstrasseElemente.insert(s.ab->FahrstrasseElemente.begin() + 4, zwischen);
            },
            {"In (M) darf nicht befahren werden"}},
        {"a route without contacts never runs", [](Strecke& s) { s.ab->FahrstrasseKontakte.fill(0); }, {"Start Kontakt (0) nicht Besetzt"}},
    };
}

TEST(FahrstrasseCheck, ReasonsInTheirOrder)
{
    for (const CheckFall& fall : checkFaelle()) {
        SCOPED_TRACE(fall.name);
        Strecke s;
        fall.vorbereiten(s);
        EXPECT_EQ(s.stellwerk().FahrstrasseCheck(*s.ab), fall.erwartet);
    }
}

TEST(FahrstrasseReservieren, MarksTheRouteAndBothStations)
{
    Strecke s;
    s.ab->AktuelleZugDaten = &s.daten();
    s.stellwerk().FahrstrasseReservieren(*s.ab);
    EXPECT_EQ(s.ab->FahrstrasseStatus, 1);
    EXPECT_TRUE(s.ab->BefehlListeErstellt);
    EXPECT_TRUE(s.weiche1->InFahrstrasse);
    EXPECT_EQ(s.weiche1->FahrstrasseStellung, 1);
    TGleisBildElement& a = *s.a->HaltestelleElement;
    TGleisBildElement& b = *s.b->HaltestelleElement;
    EXPECT_FALSE(a.ImageLinks.enabled);
    EXPECT_EQ(a.ImageRechts.Hint, "Fahrstraße (A_B) Setzen");
    EXPECT_EQ(s.a->HaltestelleStatus, 1);
    EXPECT_EQ(b.ImageLinks.Hint, "Fahrstraße hierher gesetzt");
    EXPECT_EQ(b.ImageRechts.Hint, "Fahrstraße hierher gesetzt");
    EXPECT_EQ(s.b->HaltestelleStatus, 3);
    EXPECT_EQ(s.zeiten.liste(Msg::WM_MAG), QStringList({"t=0 11 0", "t=0 12 0"}));
    // A second route over the same turnouts is refused while this one holds them.
    EXPECT_TRUE(s.stellwerk().FahrstrasseCheck(*s.ab).contains("Min 1 Element in andere Fahrstrasse Element_Weiche_063_0009_0005"));
}

// Each command of the three lists as "<list> <class>/<sub> <description> | <text>".
QStringList listing(Strecke& s)
{
    QStringList l;
    const auto liste = [&](const char* name, const std::vector<TFahrstrassenBefehl>& befehle) {
        for (const TFahrstrassenBefehl& b : befehle) {
            EXPECT_EQ(b.BefehlHaltestelleID, s.a->HaltestelleID);
            EXPECT_EQ(b.BefehlFahrstrasseID, s.ab->FahrstrasseID);
            l << QStringLiteral("%1 %2/%3 ").arg(QString::fromLatin1(name)).arg(b.ZugOderMag).arg(b.BefehlAuswahl)
                    + s.steuerung().BefehlBeschreibung(b) + QStringLiteral(" | ") + b.BefehlText;
        }
    };
    liste("Abfahrt", s.ab->AbfahrtBefehle);
    liste("Fahren ", s.ab->FahrBefehle);
    liste("Ankunft", s.ab->AnkunftBefehle);
    return l;
}

TEST(BefehlListe_Erstellen, GoldenListing)
{
    Strecke s;
    s.zug->ZugSorte = "PersonenZug";
    s.a->HaltestelleSoundDatei = "Abfahrt.wav";
    s.a->HaltestelleSoundOrt = 4;
    s.a->HaltestelleWarteZeit = 3000;
    TZugDaten& d = s.daten();
    d.ZugDatenStartdelay = 500;
    d.ZugDatenStarttempo = 70;
    d.ZugDatenBremskontakt = {3, 0, 5};
    d.ZugDatenBremstempo = {40, 0, 20};
    d.ZugDatenBremsdelay3 = 1500;
    d.ZugDatenZieldelay = 2000;
    d.ZugDatenWendenBeiAnkunft = 1;
    d.ZugDatenFunktionen = {"001-00000-1-F 0-Licht", "004-00800-1-F 2-Horn", "006-01000-0-F 5-Rauch", "000-00000-1-F 3-Nie",
        "004-00000-1-F17-Zu hoch", "003-00000-0-"};
    d.ZugDatenFolgeKontakt = {1, 3, 6, 4, 0};
    d.ZugDatenFolgeMagnetArt = {20, 21, 22, 23, 24};
    d.ZugDatenFolgeschaltungBild = {2, 9, 4, 0, 6};
    s.ab->AktuelleZugDaten = &d;
    s.stellwerk().BefehlListe_Erstellen(*s.ab);
    EXPECT_EQ(listing(s), QStringList({
        "Abfahrt 1/1 00500 - Kontakt(001)  Lokspeed     - Lok(003) Speed(070)  | Start",
        "Abfahrt 1/4 00000 - Kontakt(001)  LokFunktion - Lok(003) Funktion F0 ON | Licht",
        "Abfahrt 10/1 Bei Abfahrt an Kontakt(001) Mag Art(20) Schalten | Bei Abfahrt",
        "Abfahrt 20/0 00000 - Sound Ausgabe an  | Abfahrt.wav",
        "Fahren  1/1 00000 - Kontakt(003)  Lokspeed     - Lok(003) Speed(040)  | Bremskontakt1",
        "Fahren  1/1 01500 - Kontakt(005)  Lokspeed     - Lok(003) Speed(020)  | Bremskontakt3",
        "Fahren  1/1 02000 - Kontakt(006)  Lokspeed     - Lok(003) Speed(000)  | Ziel",
        "Fahren  1/4 00800 - Kontakt(004)  LokFunktion - Lok(003) Funktion F2 ON | Horn",
        "Fahren  1/3 00000 - Kontakt(003)  LokFunktion - Lok(003) Funktion F0 OFF | Licht",
        "Fahren  10/0 Beim Fahren an Kontakt(003) Mag Art(21) Schalten | Beim Fahren",
        "Ankunft 1/3 01000 - Kontakt(006)  LokFunktion - Lok(003) Funktion F5 OFF | Rauch",
        "Ankunft 10/1 Beim Ziel an Kontakt(006) Mag Art(22) Schalten | Beim Ziel",
        "Ankunft 30/1 XXXXX - Kontakt(006)- Fahrstrasse Freigeben wenn  Besetzt |  Besetzt",
    }));
    EXPECT_EQ(s.ab->AnkunftBefehle.back().WarteZeit, 4000);
    EXPECT_EQ(s.ab->AbfahrtBefehle[3].Speed, 4);
    EXPECT_TRUE(s.ab->BefehlListeErstellt);
}

TEST(BefehlListe_Erstellen, TrainsOwnListsNextRouteAndOwnSound)
{
    Strecke s;
    s.zugNeu("Lok2", 4, "1003"); // the train of interest is number 0, not the last one
    s.zug->ZugSorte = "PersonenZug";
    s.zug->ZugAbfahrtDatenstart = 55;
    s.zug->ZugAbfahrtDatenBefehlListe = {{0, 0, 1, 4, 1, 300, 0, 77, "F 1-Licht"}};
    s.zug->ZugAnkunftDatenBefehlListe = {{0, 0, 1, 3, 1, 0, 0, 77, "F 1-Licht"}};
    TZugDaten& d = s.daten();
    d.ZugDatenGebrauchen = true;
    d.NachsteFahrstrasse = true;
    d.ZugDatenFreigabeBesetzt = false;
    d.ZugDatenSound = "Pfiff.wav";
    d.ZugDatenSoundOrt = 2;
    s.a->HaltestelleSoundDatei = "Abfahrt.wav";
    s.ab->AktuelleZugDaten = &d;
    s.stellwerk().BefehlListe_Erstellen(*s.ab);
    EXPECT_EQ(listing(s), QStringList({
        "Abfahrt 1/4 00300 - Kontakt(000)  LokFunktion - Lok(003) Funktion F1 ON | F 1-Licht",
        "Abfahrt 1/1 00000 - Kontakt(001)  Lokspeed     - Lok(003) Speed(055)  | Start",
        "Abfahrt 20/0 00000 - Sound Ausgabe an  | Pfiff.wav",
        "Fahren  1/1 02000 - Kontakt(006)  Lokspeed     - Lok(003) Speed(000)  | Nachste",
        "Ankunft 30/0 XXXXX - Kontakt(006)- Fahrstrasse Freigeben wenn  Frei |  Frei",
        "Ankunft 1/3 00000 - Kontakt(000)  LokFunktion - Lok(003) Funktion F1 OFF | F 1-Licht",
    }));
    for (const TFahrstrassenBefehl& b : s.ab->AbfahrtBefehle) {
        EXPECT_EQ(b.Addresse, 0) << "the train's number, also for its own commands";
    }
    EXPECT_EQ(s.ab->AnkunftBefehle.back().Addresse, 0);
    EXPECT_EQ(s.ab->AbfahrtBefehle[2].Speed, 2);

    // Without driving data only the mark is set.
    s.ab->AktuelleZugDaten = nullptr;
    s.stellwerk().BefehlListe_Erstellen(*s.ab);
    EXPECT_TRUE(s.ab->AbfahrtBefehle.empty() && s.ab->FahrBefehle.empty() && s.ab->AnkunftBefehle.empty());
    EXPECT_TRUE(s.ab->BefehlListeErstellt);
}

TEST(FahrstrasseSetzen, StartsTheTrainThenSwitchesTheTurnoutsApart)
{
    Strecke s;
    s.programm->settings.WartezeitzwischenMagnetArt = 300;
    ASSERT_TRUE(s.starten());
    s.scheduler.advance(5000);
    EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), QStringList({"t=0 1002 80"}));
    // A's signals red (reserve), A's right signal green (set), then the two turnouts 300 ms
    // apart; nothing for the two station displays at the ends.
    EXPECT_EQ(s.zeiten.liste(Msg::WM_MAG), QStringList({"t=0 11 0", "t=0 12 0", "t=0 12 1", "t=0 5 1", "t=300 6 0"}));
    const auto erste = [&s](Msg id) {
        return std::find_if(s.zeiten.eintraege.begin(), s.zeiten.eintraege.end(), [id](const auto& e) { return e.message.id == id; });
    };
    EXPECT_LT(erste(Msg::WM_LOKSPEED) - s.zeiten.eintraege.begin(),
              std::find_if(s.zeiten.eintraege.begin(), s.zeiten.eintraege.end(),
                           [](const auto& e) { return e.message.id == Msg::WM_MAG && e.message.w.toInt() == 5; })
                  - s.zeiten.eintraege.begin());
    EXPECT_EQ(s.weiche1->Stellung, 1);
    EXPECT_EQ(s.weiche1->AnkunftRichtung, 3);
    EXPECT_TRUE(s.weiche1->FahrstrasseBelegt.gesetzt());
    EXPECT_TRUE(s.weiche2->FahrstrasseBelegt.gesetzt());
    EXPECT_EQ(s.a->HaltestelleElement->AnkunftRichtung, 0);
    EXPECT_EQ(s.b->HaltestelleElement->ErwarteterZug, "Lok1");
    EXPECT_EQ(s.b->HaltestelleElement->AnkunftRichtung, 3);
    EXPECT_EQ(s.b->HaltestelleElement->SignalLinks + s.b->HaltestelleElement->SignalRechts, 0);
    EXPECT_EQ(s.ab->FahrstrasseStatus, 2);
    EXPECT_EQ(s.a->HaltestelleStatus, 2);
    EXPECT_EQ(s.zug->ZugStatus, 2);
    EXPECT_EQ(s.zug->ZugStartHaltestelleID, s.a->HaltestelleID);
    EXPECT_EQ(s.zug->ZugFahrstrasseID, s.ab->FahrstrasseID);
    EXPECT_EQ(s.zug->ZugZielHaltestelleID, s.b->HaltestelleID);
    EXPECT_EQ(s.a->AktiveFahrstrasse, s.ab);
    QStringList logbuch;
    for (const TLogBuch::Zeile& z : s.logbuch().Zeilen()) {
        logbuch << z.text;
    }
    EXPECT_TRUE(logbuch.contains("Fahrstrasse von A nach B Zug : Lok11002"));
    EXPECT_EQ(logbuch.count("Weichen setzen"), 2);
}

TEST(FahrstrasseSetzen, WithoutTrainOrTargetNothingHappens)
{
    Strecke s;
    s.ab->AktuelleZugDaten = &s.daten();
    s.stellwerk().FahrstrasseReservieren(*s.ab);
    s.a->HaltestelleElement->Zug = nullptr;
    s.zeiten.eintraege.clear();
    s.stellwerk().FahrstrasseSetzen(*s.ab, false);
    s.scheduler.advance(2000);
    EXPECT_TRUE(s.zeiten.eintraege.empty());
    EXPECT_EQ(s.ab->FahrstrasseStatus, 1) << "stays reserved";
    EXPECT_EQ(s.befehleInQueues(*s.ab), 0);
}

TEST(FahrstrasseSetzen, ATwoElementRouteSwitchesNothingAndStartsAtOnce)
{
    Strecke s;
    s.ab->FahrstrasseElemente.erase(s.ab->FahrstrasseElemente.begin() + 1, s.ab->FahrstrasseElemente.end() - 1);
    ASSERT_TRUE(s.starten());
    s.scheduler.advance(2000);
    EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), QStringList({"t=0 1002 80"}));
    EXPECT_EQ(s.zeiten.liste(Msg::WM_MAG), QStringList({"t=0 11 0", "t=0 12 0", "t=0 12 1"}));
}

TEST(FahrstrasseSetzen, RouteSwitchingsAndIntermediateSignalsAreQueued)
{
    Strecke s;
    s.ab->FahrstrassenFurAlleZugeStringlist = {"004-02000-030--1", "xx4-02000-030--1"};
    s.ab->FahrstrasseMagnetArtikel = "031-1/000-0/032-0/abc-1/000-0";
    s.signal->GleisKontaktNr = 3; // the signal's contact is followed by 4
    ASSERT_TRUE(s.starten());
    std::vector<TFahrstrassenBefehl> lo = s.steuerung().ZugsteuerungLoPriorityListe();
    const int sid = s.a->HaltestelleID;
    const int fid = s.ab->FahrstrasseID;
    EXPECT_EQ(lo, (std::vector<TFahrstrassenBefehl>{
                      {sid, fid, 10, 1, 0, 2000, 4, 30, ""},
                      {sid, fid, 10, 1, 0, 0, 0, 31, ""},
                      {sid, fid, 10, 0, 0, 0, 0, 32, ""},
                      {sid, fid, 40, 0, 0, 0, 2, 0, ""},
                      {sid, fid, 10, 3, 0, 0, 4, 7, ""},
                  }));
    EXPECT_EQ(s.steuerung().ZugsteuerungHiPriorityListe().size(), 1u) << "the target command";
}

struct AbbruchFall {
    const char* name;
    int startdelay;
    QStringList speedBeimAbbruch;
};

TEST(FahrstrasseLoeschen, CancelDuringSwitchingSendsNothingMoreAndLeavesTheQueuesClean)
{
    const AbbruchFall faelle[] = {
        {"before the delayed start", 1000, {}},
        {"after the start: the train stops", 0, {"t=0 1002 0"}},
    };
    for (const AbbruchFall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Strecke s;
        s.daten().ZugDatenStartdelay = fall.startdelay;
        ASSERT_TRUE(s.starten());
        s.scheduler.advance(0); // the first turnout
        EXPECT_EQ(s.zeiten.liste(Msg::WM_MAG).last(), "t=0 5 1");
        ASSERT_GT(s.befehleInQueues(*s.ab), 0);
        s.zeiten.eintraege.clear();
        s.stellwerk().FahrstrasseLoeschen(*s.ab);
        EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), fall.speedBeimAbbruch);
        s.zeiten.eintraege.clear();
        s.scheduler.advance(10000);
        EXPECT_TRUE(s.zeiten.eintraege.empty()) << ToString(s.zeiten.eintraege.front().message).toStdString();
        EXPECT_EQ(s.befehleInQueues(*s.ab), 0);
        EXPECT_EQ(s.ab->FahrstrasseStatus, 0);
        EXPECT_EQ(s.a->HaltestelleStatus, 0);
        EXPECT_EQ(s.b->HaltestelleStatus, 0);
        EXPECT_FALSE(s.a->HaltestelleBelegt);
        EXPECT_FALSE(s.b->HaltestelleBelegt);
        EXPECT_EQ(s.a->AktiveFahrstrasse, nullptr);
        EXPECT_EQ(s.zug->ZugStatus, 0);
        EXPECT_FALSE(s.zug->ZugAktiv);
        EXPECT_FALSE(s.weiche1->InFahrstrasse);
        EXPECT_FALSE(s.weiche1->FahrstrasseBelegt.gesetzt());
        EXPECT_TRUE(s.b->HaltestelleElement->ErwarteterZug.isEmpty());
        EXPECT_EQ(s.a->HaltestelleElement->ImageRechts.Hint, "Signal");
        EXPECT_TRUE(s.a->HaltestelleElement->ImageLinks.enabled);
        EXPECT_EQ(s.a->HaltestelleElement->SignalRechts, 0);
        // The route can be set again.
        EXPECT_TRUE(s.stellwerk().FahrstrasseCheck(*s.ab).isEmpty());
    }
}

TEST(FahrstrasseIstGesetzt, PositionsMarksAndOccupiedContacts)
{
    Strecke s;
    EXPECT_FALSE(s.stellwerk().FahrstrasseIstGesetzt(*s.ab, 1)) << "turnout 5 is not thrown";
    s.weiche1->Stellung = 1;
    EXPECT_TRUE(s.stellwerk().FahrstrasseIstGesetzt(*s.ab, 1));
    EXPECT_FALSE(s.stellwerk().FahrstrasseIstGesetzt(*s.ab, 0)) << "contact 1 is occupied";
    s.weiche2->Stellung = 1;
    EXPECT_FALSE(s.stellwerk().FahrstrasseIstGesetzt(*s.ab, 1));
    s.weiche2->Stellung = 0;
    s.signal->InFahrstrasse = true;
    EXPECT_FALSE(s.stellwerk().FahrstrasseIstGesetzt(*s.ab, 1));
}

struct Signaltasten : Strecke {
    Signaltasten()
    {
        programm->settings.SignalSchalten = true;
        haupt().GleisbildModus = 1;
    }
    TGleisBildElement& anzeigeA() { return *a->HaltestelleElement; }
    TGleisBildElement& anzeigeB() { return *b->HaltestelleElement; }
};

TEST(SignalMitFahrstrasse, TheOfferedRouteStartsFromTheExitSignal)
{
    Signaltasten s;
    s.anzeigeA().FahrstrasseRechts = {s.a->HaltestelleID, s.ab->FahrstrasseID};
    s.haupt().betrieb().SignalTasteKlick(s.anzeigeA(), false);
    EXPECT_EQ(s.ab->FahrstrasseStatus, 2);
    EXPECT_EQ(s.anzeigeA().ImageRechts.Hint, "Fahrstraße gesetzt");
    EXPECT_FALSE(s.anzeigeA().FahrstrasseRechts.gesetzt());
    EXPECT_EQ(s.anzeigeA().SignalRechts, 1);
    EXPECT_EQ(s.zug->ZugStatus, 2);
    EXPECT_EQ(s.zug->ZugFahrstrasseID, s.ab->FahrstrasseID);
    EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), QStringList({"t=0 1002 80"}));
    EXPECT_TRUE(s.dialogs.informations.isEmpty());
}

TEST(SignalMitFahrstrasse, ARefusedOfferTurnsTheSignalBack)
{
    Signaltasten s;
    s.anzeigeA().FahrstrasseRechts = {s.a->HaltestelleID, s.ab->FahrstrasseID};
    s.bild().SetContactState(4, 1);
    s.haupt().betrieb().SignalTasteKlick(s.anzeigeA(), false);
    EXPECT_EQ(s.dialogs.informations, QStringList({"A_B ist nicht mehr frei !!"}));
    EXPECT_EQ(s.anzeigeA().SignalRechts, 0);
    EXPECT_EQ(s.anzeigeA().ImageRechts.Hint, "Signal");
    EXPECT_FALSE(s.anzeigeA().FahrstrasseRechts.gesetzt());
    EXPECT_EQ(s.ab->FahrstrasseStatus, 0);
    EXPECT_TRUE(s.zeiten.liste(Msg::WM_LOKSPEED).isEmpty());

    // A route that is not active for the standing train is refused with its own message.
    s.bild().SetContactState(4, 0);
    s.daten().ZugDatenAktiv = false;
    s.anzeigeA().FahrstrasseRechts = {s.a->HaltestelleID, s.ab->FahrstrasseID};
    s.haupt().betrieb().SignalTasteKlick(s.anzeigeA(), false);
    EXPECT_EQ(s.dialogs.informations.last(), "A_B ist für diesen Zug nicht aktiv !!");
    EXPECT_EQ(s.ab->FahrstrasseStatus, 0);
}

TEST(SignalMitFahrstrasse, DriveToReservesAndTheExitSignalSets)
{
    Signaltasten s;
    s.haupt().betrieb().ElementKlick(s.anzeigeA(), Qt::LeftButton, Qt::ControlModifier);
    s.haupt().betrieb().ElementKlick(s.anzeigeB(), Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(s.ab->FahrstrasseStatus, 1);
    EXPECT_EQ(s.a->AktiveFahrstrasse, s.ab);
    EXPECT_EQ(s.zug->ZugStatus, 1);
    EXPECT_TRUE(s.zeiten.liste(Msg::WM_LOKSPEED).isEmpty());
    s.haupt().betrieb().SignalTasteKlick(s.anzeigeA(), false);
    EXPECT_EQ(s.ab->FahrstrasseStatus, 2);
    EXPECT_EQ(s.anzeigeA().ImageRechts.Hint, "Fahrstraße gesetzt");
    EXPECT_EQ(s.zug->ZugStatus, 2);
    EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), QStringList({"t=0 1002 80"}));

    // No free route to the chosen station: the message of the diagram.
    Signaltasten t;
    t.b->HaltestelleZuge.clear();
    t.haupt().betrieb().ElementKlick(t.anzeigeA(), Qt::LeftButton, Qt::ControlModifier);
    t.haupt().betrieb().ElementKlick(t.anzeigeB(), Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(t.dialogs.informations, QStringList({"Keine Fahrstrasse hierher gefunden"}));
    EXPECT_EQ(t.ab->FahrstrasseStatus, 0);
}

} // namespace

namespace {

struct SoundAufnahme final : SoundAbspielen {
    QStringList gespielt;
    void PlaySound(const QString& pfad, int box) override { gespielt << QFileInfo(pfad).fileName() + QStringLiteral("@%1").arg(box); }
};

TEST(FahrstrasseSetzen, DepartureSoundsOfExistingFilesUnlessSilent)
{
    for (const bool ohneSound : {false, true}) {
        SCOPED_TRACE(ohneSound);
        Strecke s;
        SoundAufnahme sound;
        s.stellwerk().setSound(&sound);
        s.write("Projekte/sound/abfahrt.WAV", "RIFF");
        s.zug->ZugSorte = "PersonenZug";
        s.a->HaltestelleSoundDatei = "C:\\Trassolin\\Projekte\\sound\\Abfahrt.wav";
        s.a->HaltestelleSoundOrt = 3;
        s.ab->AktuelleZugDaten = &s.daten();
        s.stellwerk().FahrstrasseReservieren(*s.ab);
        s.ab->AbfahrtBefehle.push_back({1, 1, 20, 0, 5, 0, 0, 0, "fehlt.wav"});
        s.stellwerk().FahrstrasseSetzen(*s.ab, ohneSound);
        EXPECT_EQ(sound.gespielt, ohneSound ? QStringList() : QStringList({"abfahrt.WAV@3"}));
        s.stellwerk().setSound(nullptr);
    }
}

TEST(FahrstrassenDienste, DeleteFahrstrasseEmptiesTheQueuesAndCancelsTheSteps)
{
    Strecke s;
    s.daten().ZugDatenStartdelay = 1000;
    ASSERT_TRUE(s.starten());
    s.programm->fahrstrassen->DeleteFahrstrasse(s.a->HaltestelleID, s.ab->FahrstrasseID);
    EXPECT_EQ(s.befehleInQueues(*s.ab), 0);
    s.zeiten.eintraege.clear();
    s.scheduler.advance(5000);
    EXPECT_TRUE(s.zeiten.eintraege.empty());
}

} // namespace
