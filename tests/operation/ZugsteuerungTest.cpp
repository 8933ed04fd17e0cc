#include "operation/FahrbetriebFixture.h"
#include "operation/ThreatHaltestelle.h"

#include <gtest/gtest.h>

namespace {

using Befehl = TFahrstrassenBefehl;

// A plan-less accessory command: class 10, position, contact, delay, address.
Befehl magnetArt(int adresse, int stellung, int kontakt = 0, int warte = 0, int station = 1, int route = 1)
{
    return {station, route, 10, stellung, 0, warte, kontakt, adresse, ""};
}

// A speed at a contact for train 0.
Befehl speed(const QString& text, int kontakt, int wert, int warte = 0)
{
    return {1, 1, 1, 1, wert, warte, kontakt, 0, text};
}

TEST(Zugsteuerung, QueuesSortAndHoldCopies)
{
    Strecke s;
    TZugsteuerung& z = s.steuerung();
    std::vector<Befehl> liste = {speed("Bremskontakt1", 3, 40), {1, 1, 1, 4, 2, 0, 0, 0, "F 2-Horn"}, magnetArt(30, 1)};
    for (const Befehl& b : liste) {
        z.AddFahrstrassenBefehl(b);
    }
    liste[0].Speed = 99; // the route's list changes; the queue keeps what it was given
    EXPECT_EQ(z.ZugsteuerungHiPriorityListe(), std::vector<Befehl>({speed("Bremskontakt1", 3, 40)}));
    EXPECT_EQ(z.ZugsteuerungLoPriorityListe().size(), 2u);
    z.AddFahrstrassenBefehl(magnetArt(31, 1, 0, 0, 2, 1));
    z.DeleteFahrstrassenBefehl(TZugsteuerung::LoPriority, 7); // out of range: nothing
    z.DeleteFahrstrassenBefehl(3, 0);                          // no such queue: nothing
    EXPECT_EQ(z.ZugsteuerungLoPriorityListe().size(), 3u);
    z.DeleteFahrstrassenBefehl(TZugsteuerung::LoPriority, 0);
    EXPECT_EQ(z.ZugsteuerungLoPriorityListe().front(), magnetArt(30, 1));
    z.DeleteFahrstrasse(1, 1);
    EXPECT_TRUE(z.ZugsteuerungHiPriorityListe().empty());
    EXPECT_EQ(z.ZugsteuerungLoPriorityListe(), std::vector<Befehl>({magnetArt(31, 1, 0, 0, 2, 1)}));
}

TEST(Zugsteuerung, OneCommandPerTickInQueueOrder)
{
    Strecke s;
    TZugsteuerung& z = s.steuerung();
    z.AddFahrstrassenBefehl(magnetArt(40, 1, 9)); // waits for contact 9 and lets the others pass
    for (int a : {41, 42, 43}) {
        z.AddFahrstrassenBefehl(magnetArt(a, 1));
    }
    for (int k : {3, 4, 5}) {
        z.AddFahrstrassenBefehl(speed("Bremskontakt2", k, 10 * k));
        s.bild().SetContactState(k, 1);
    }
    s.scheduler.advance(1500);
    s.bild().SetContactState(9, 1);
    s.scheduler.advance(500);
    EXPECT_EQ(s.zeiten.liste(Msg::WM_MAG), QStringList({"t=500 41 1", "t=1000 42 1", "t=1500 43 1", "t=2000 40 1"}));
    EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), QStringList({"t=400 1002 30", "t=800 1002 40", "t=1200 1002 50"}));
    EXPECT_TRUE(z.ZugsteuerungHiPriorityListe().empty());
    EXPECT_TRUE(z.ZugsteuerungLoPriorityListe().empty());
}

TEST(Zugsteuerung, ContactsAreSampledAtTheTick)
{
    Strecke s;
    s.steuerung().AddFahrstrassenBefehl(speed("Bremskontakt1", 3, 40));
    s.scheduler.advance(100);
    s.bild().SetContactState(3, 1);
    s.scheduler.advance(200);
    s.bild().SetContactState(3, 0); // occupied only between two ticks
    s.scheduler.advance(600);
    EXPECT_TRUE(s.zeiten.liste(Msg::WM_LOKSPEED).isEmpty());
    s.bild().SetContactState(3, 1);
    s.scheduler.advance(400);
    EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), QStringList({"t=1200 1002 40"}));
}

TEST(Zugsteuerung, HighPriorityCommands)
{
    Strecke s;
    TZugsteuerung& z = s.steuerung();
    s.zug->Set_Speed(60);
    z.AddFahrstrassenBefehl(speed("Unbekannt", 3, 10)); // another text stays
    z.AddFahrstrassenBefehl(speed("Bremskontakt3", 3, 20, 1500));
    z.AddFahrstrassenBefehl(speed("Zu Kontakt", 3, 0, 0));
    s.bild().SetContactState(3, 1);
    s.zeiten.eintraege.clear();
    s.scheduler.advance(400);
    EXPECT_TRUE(s.zeiten.liste(Msg::WM_LOKSPEED).isEmpty());
    s.scheduler.advance(1500);
    // "Zu Kontakt" stops the train at the next tick; braking contact 3 sets its speed 1.5 s late.
    EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), QStringList({"t=800 1002 0", "t=1900 1002 20"}));
    EXPECT_EQ(z.ZugsteuerungHiPriorityListe(), std::vector<Befehl>({speed("Unbekannt", 3, 10)}));
    EXPECT_EQ(s.zug->ZugKontakt, 3);

    // A speed without contact holds its train at 0 on every tick until the route goes.
    z.AddFahrstrassenBefehl(speed("Bremskontakt1", 0, 50));
    s.zug->Set_Speed(30);
    s.scheduler.advance(400);
    EXPECT_EQ(s.zug->ZugSpeed, 0);
    EXPECT_EQ(z.ZugsteuerungHiPriorityListe().size(), 2u);
}

struct AnkunftFall {
    const char* text;
    bool nachste;
};

// Route A to B run by hand: the target contact ends the run, the arrival is booked and the train
// waits in B.
TEST(Zugsteuerung, ArrivalBooksFreesAndWaits)
{
    for (const AnkunftFall fall : {AnkunftFall{"Ziel", false}, AnkunftFall{"Nachste", true}}) {
        SCOPED_TRACE(fall.text);
        Strecke s;
        QDir().mkpath(s.programm->projectFolder());
        s.d().HaltestellenGelesen = true;
        s.bild().Gleisplan_Geladen = true;
        s.daten().NachsteFahrstrasse = fall.nachste;
        s.daten().ZugDatenBremskontakt[0] = 3;
        s.daten().ZugDatenBremstempo[0] = 40;
        s.daten().ZugDatenWendenBeiAnkunft = 1;
        s.b->HaltestelleWarteZeit = 2000;
        ASSERT_TRUE(s.starten());
        s.zug->AutomaticAktivSetzen(true);
        s.scheduler.advance(1000);
        s.bild().SetContactState(6, 1); // the target contact: braking contact 3 was never seen
        s.scheduler.advance(200);       // hi tick at 1200
        s.scheduler.advance(1999);
        EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), QStringList({"t=0 1002 80"}));
        s.scheduler.advance(1); // 2000 ms later the train stops and the arrival is booked
        EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED), QStringList({"t=0 1002 80", "t=3200 1002 0"}));
        EXPECT_FALSE(s.zug->ZugAktiv);
        EXPECT_TRUE(s.steuerung().ZugsteuerungHiPriorityListe().empty()) << "the brake command went with the arrival";
        EXPECT_EQ(s.b->HaltestelleStatus, 3);
        EXPECT_FALSE(s.b->WartezeitVorbei);
        EXPECT_EQ(s.a->HaltestelleStatus, 0);

        s.scheduler.advance(300); // lo tick at 3500: the arrival command
        EXPECT_EQ(s.a->HaltestelleElement->Zug, nullptr);
        EXPECT_EQ(s.b->HaltestelleElement->Zug, s.zug);
        EXPECT_EQ(s.zug->ZugHaltestelleID, s.b->HaltestelleID);
        EXPECT_EQ(s.zug->ZugStatus, 3);
        EXPECT_EQ(s.b->HaltestelleRichtung, 1);
        EXPECT_EQ(s.b->HaltestelleElement->ImageRechts.Bild, 23);
        EXPECT_EQ(s.b->HaltestelleElement->ImageLinks.Hint, "Signal");
        EXPECT_TRUE(s.b->HaltestelleElement->ErwarteterZug.isEmpty());
        EXPECT_EQ(s.ab->FahrstrasseStatus, 0);
        EXPECT_FALSE(s.weiche1->InFahrstrasse);
        EXPECT_TRUE(s.read("Projekte/Default/Default.hs2").contains("00003-000-001"));

        // A braking contact reached afterwards (another train) does nothing to the standing one.
        s.bild().SetContactState(3, 1);
        s.scheduler.advance(1999); // the wait: 2000 ms from 3500
        EXPECT_EQ(s.zeiten.liste(Msg::WM_LOKSPEED).size(), 2);
        EXPECT_FALSE(s.b->WartezeitVorbei);
        EXPECT_EQ(s.zug->ZugStatus, 3);
        s.scheduler.advance(1);
        EXPECT_TRUE(s.b->WartezeitVorbei);
        EXPECT_EQ(s.b->HaltestelleStatus, 0);
        EXPECT_EQ(s.zug->ZugStatus, 0);
        EXPECT_EQ(s.zug->ZugRichtung, 1) << "turned";
        EXPECT_EQ(s.b->HaltestelleRichtung, 0);
        EXPECT_EQ(s.b->HaltestelleElement->AnkunftRichtung, 7);
        EXPECT_EQ(s.b->HaltestelleElement->ImageLinks.Bild, TGleisBildElement::BildLinksRot);
        EXPECT_EQ(s.a->AktiveFahrstrasse, nullptr);
        EXPECT_FALSE(s.weiche1->FahrstrasseBelegt.gesetzt());
        EXPECT_TRUE(s.steuerung().ZugsteuerungHiPriorityListe().empty());
        EXPECT_TRUE(s.steuerung().ZugsteuerungLoPriorityListe().empty());
        EXPECT_EQ(s.steuerung().LoeschenHaltestelleID, KeineId);
    }
}

TEST(Zugsteuerung, CleanUpRemovesOneLeftoverPerTick)
{
    Strecke s;
    // Two switchings at the target for address 0: they can never be carried out.
    s.daten().ZugDatenFolgeKontakt = {6, 6, 0, 0, 0};
    s.daten().ZugDatenFolgeschaltungBild = {2, 2, 0, 0, 0};
    ASSERT_TRUE(s.starten());
    s.scheduler.advance(1000);
    s.bild().SetContactState(6, 1);
    s.scheduler.advance(2200); // hi tick 1200, stop and arrival booked at 3200
    const auto& lo = s.steuerung().ZugsteuerungLoPriorityListe();
    ASSERT_EQ(lo.size(), 4u) << "two switchings, arrival, clean-up";
    const int sid = s.a->HaltestelleID;
    s.scheduler.advance(300); // 3500: the arrival
    EXPECT_EQ(lo.size(), 3u);
    s.scheduler.advance(500); // 4000: the clean-up starts
    EXPECT_EQ(lo.size(), 2u);
    EXPECT_TRUE(s.steuerung().LoeschenAktiv);
    EXPECT_EQ(s.steuerung().LoeschenHaltestelleID, sid);
    s.steuerung().AddFahrstrassenBefehl(magnetArt(0, 1, 0, 0, 7, 7)); // another route's command stays
    s.scheduler.advance(500);
    EXPECT_EQ(lo.size(), 2u);
    s.scheduler.advance(500);
    EXPECT_EQ(lo.size(), 1u);
    EXPECT_TRUE(s.steuerung().LoeschenAktiv);
    s.scheduler.advance(500); // nothing left: the clean-up ends
    EXPECT_FALSE(s.steuerung().LoeschenAktiv);
    EXPECT_EQ(s.steuerung().LoeschenHaltestelleID, KeineId);
    EXPECT_EQ(lo, std::vector<Befehl>({magnetArt(0, 1, 0, 0, 7, 7)}));
}

TEST(Zugsteuerung, AccessoryCommandsOfTheLowPriorityQueue)
{
    Strecke s;
    TZugsteuerung& z = s.steuerung();
    z.AddFahrstrassenBefehl(magnetArt(120, 1, 120, 2000)); // plan-less, contact and delay
    z.AddFahrstrassenBefehl(magnetArt(121, 0, 0, 1000));   // plan-less, delay only
    z.AddFahrstrassenBefehl(magnetArt(122, 3));            // plan-less, no such position: stays
    z.AddFahrstrassenBefehl(magnetArt(5, 0, 0, 700));      // turnout 5, delayed
    z.AddFahrstrassenBefehl(magnetArt(12, 1));             // A's exit signal: a display, consumed
    z.AddFahrstrassenBefehl(magnetArt(6, 1, 4));           // turnout 6 at contact 4
    z.AddFahrstrassenBefehl(magnetArt(123, 1));            // plan-less, at once
    s.scheduler.advance(2000);
    s.bild().SetContactState(4, 1);
    s.bild().SetContactState(120, 1);
    s.scheduler.advance(6000);
    // Ticks: 500 address 121 (1 s later), 1000 turnout 5 (0.7 s later), 1500 the display's
    // signal (nothing), 2000 address 123, 2500 address 120 (2 s later), 3000 turnout 6.
    EXPECT_EQ(s.zeiten.liste(Msg::WM_MAG),
              QStringList({"t=1500 121 0", "t=1700 5 0", "t=2000 123 1", "t=3000 6 1", "t=4500 120 1"}));
    EXPECT_EQ(z.ZugsteuerungLoPriorityListe(), std::vector<Befehl>({magnetArt(122, 3)}));
    QStringList logbuch;
    for (const TLogBuch::Zeile& l : s.logbuch().Zeilen()) {
        logbuch << l.text;
    }
    EXPECT_TRUE(logbuch.contains("MagnetArtNr 6 Stellung 1"));
    EXPECT_TRUE(logbuch.contains("MagnetArtNr 123 Stellung 1"));
    EXPECT_EQ(s.haupt().statusPanel(2), "MagnetArtNr 123 Stellung 1");
}

TEST(Zugsteuerung, ExeFahrstrassenBefehl)
{
    Strecke s;
    GridElementDaten h;
    h.GleisBildNr = 49;
    h.PosX = 30;
    h.PosY = 10;
    h.MagnetArtNr = 60;
    GridElementDaten u = h;
    u.GleisBildNr = 50;
    u.PosY = 11;
    u.MagnetArtNr = 61;
    s.bild().CreateGridElement(h);
    s.bild().CreateGridElement(u);
    s.planFertig();
    struct Fall {
        Befehl befehl;
        bool ergebnis;
        QString nachricht; // the message sent, or empty
    };
    const Fall faelle[] = {
        {{1, 1, 1, 1, 45, 0, 0, 0, "Start"}, true, "WM_LOKSPEED(\"1002\", 45)"},
        {{1, 1, 1, 4, 3, 0, 0, 0, ""}, true, "WM_LOKFUNK(\"1002\", 196609)"},
        {{1, 1, 1, 3, 3, 0, 0, 0, ""}, true, "WM_LOKFUNK(\"1002\", 196608)"},
        {{1, 1, 1, 2, 0, 0, 0, 0, ""}, true, "WM_LOKDIR(\"1002\", 1)"},
        {{1, 1, 1, 7, 0, 0, 0, 0, ""}, false, ""},
        {{1, 1, 1, 1, 45, 0, 0, 9, ""}, false, ""}, // no such train
        {{1, 1, 10, 1, 0, 0, 0, 5, ""}, true, "WM_MAG(5, 1)"},
        {{1, 1, 10, 3, 0, 0, 0, 5, ""}, false, ""},
        {{1, 1, 10, 0, 0, 0, 0, 130, ""}, true, "WM_MAG(130, 0)"},
        {{1, 1, 10, 3, 0, 0, 0, 130, ""}, false, ""},
        {{1, 1, 10, 1, 0, 0, 0, 0, ""}, false, ""},
        {{1, 1, 10, 1, 0, 0, 0, 60, ""}, true, "WM_MAG(60, 1)"}, // a level crossing closes on request
        {{1, 1, 20, 0, 1, 0, 0, 0, "x.wav"}, false, ""},
        {{1, 1, 30, 0, 0, 0, 6, 0, " Besetzt"}, false, ""},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(ToString({Msg::WM_DEBUG, fall.befehl.ZugOderMag, fall.befehl.BefehlAuswahl}).toStdString());
        s.recorder.messages.clear();
        EXPECT_EQ(s.steuerung().ExeFahrstrassenBefehl(fall.befehl), fall.ergebnis);
        EXPECT_EQ(s.recorder.messages.empty() ? QString() : ToString(s.recorder.messages.back()), fall.nachricht);
    }
    // Sub-command 5: on, then off after `FunktionenOnOffDelay`.
    s.programm->settings.FunktionenOnOffDelay = 500;
    s.recorder.messages.clear();
    EXPECT_TRUE(s.steuerung().ExeFahrstrassenBefehl({1, 1, 1, 5, 2, 0, 0, 0, ""}));
    s.scheduler.advance(499);
    EXPECT_EQ(s.recorder.count(Msg::WM_LOKFUNK), 1);
    s.scheduler.advance(1);
    EXPECT_FALSE(s.zug->Funktion[2]);
    EXPECT_EQ(s.recorder.count(Msg::WM_LOKFUNK), 2);
}

TEST(Zugsteuerung, BefehlBeschreibung)
{
    Strecke s;
    const std::pair<Befehl, QString> faelle[] = {
        {{1, 1, 0, 0, 0, 0, 0, 0, ""}, "Info"},
        {{1, 1, 1, 1, 7, 12345, 17, 0, ""}, "12345 - Kontakt(017)  Lokspeed     - Lok(003) Speed(007) "},
        {{1, 1, 1, 5, 12, 0, 0, 0, ""}, "00000 - Kontakt(000)  LokFunktion - Lok(003) Funktion F12 ON/OFF"},
        {{1, 1, 1, 6, 0, 0, 0, 0, ""}, " Lok alle Funktionen OFF - Lok(003) "},
        {{1, 1, 1, 2, 0, 0, 0, 0, ""}, ""},
        {{1, 1, 10, 0, 0, 0, 4, 120, "Beim Fahren"}, "Beim Fahren an Kontakt(004) Mag Art(120) Schalten"},
        {{1, 1, 10, 3, 0, 0, 4, 120, ""}, ""},
        {{1, 1, 20, 0, 3, 0, 0, 0, "x.wav"}, "00000 - Sound Ausgabe an "},
        {{1, 1, 30, 1, 0, 3000, 6, 0, " Frei"}, "XXXXX - Kontakt(006)- Fahrstrasse Freigeben wenn  Frei"},
        {{1, 1, 40, 0, 0, 0, 2, 0, ""}, "StartHaltestelle - Signale Auf ROT"},
        {{1, 1, 41, 2, 0, 0, 2, 0, ""}, ""},
        {{1, 1, 50, 0, 0, 0, 0, 0, "Alle Restlichen Befehle loesschen"}, ""},
    };
    for (const auto& [befehl, text] : faelle) {
        EXPECT_EQ(s.steuerung().BefehlBeschreibung(befehl), text);
    }
}

TEST(Zugsteuerung, DebugListings)
{
    Strecke s;
    TZugsteuerung& z = s.steuerung();
    z.AddFahrstrassenBefehl(speed("Bremskontakt1", 3, 40));
    z.AddFahrstrassenBefehl(magnetArt(30, 1, 4, 0, s.a->HaltestelleID, s.ab->FahrstrasseID));
    z.AddFahrstrassenBefehl(magnetArt(31, 1, 4, 0, 9, 9)); // no such route: not listed
    z.HiPriorityButtonClick();
    z.LoPriorityButtonClick();
    EXPECT_EQ(z.Memo, QStringList({"++++++++++ZugsteuerungHiPriorityListe++++++++++++", "ZugOderMag 1", "BefehlAuswahl 1", "Speed 40",
                          "WarteZeit 0", "KontaktNr 3", "Addresse 0", "*****************************************",
                          "++++++++++ZugsteuerungLoPriorityListe++++++++++++", "A (A_B )  an Kontakt(004) Mag Art(30) Schalten"}));
}

TEST(TThreatHaltestelle, TheWaitInWholeSeconds)
{
    const std::pair<int, int> faelle[] = {{2000, 2000}, {2500, 2000}, {700, 1000}};
    for (const auto& [warte, dauer] : faelle) {
        SCOPED_TRACE(warte);
        Strecke s;
        s.b->WartezeitVorbei = false;
        s.a->HaltestelleElement->Zug = nullptr;
        s.b->HaltestelleElement->ZugZuweisen(s.zug);
        TThreatHaltestelle::Starten(*s.programm, s.steuerung(), {s.b->HaltestelleID, s.a->HaltestelleID, warte, 0, 0}, "W");
        s.scheduler.advance(dauer - 1);
        EXPECT_FALSE(s.b->WartezeitVorbei);
        EXPECT_EQ(s.zug->ZugStatus, 3);
        s.scheduler.advance(1);
        EXPECT_TRUE(s.b->WartezeitVorbei);
        EXPECT_EQ(s.zug->ZugStatus, 0);
    }
    // Without a train on the display the wait is exact.
    Strecke s;
    s.b->WartezeitVorbei = false;
    TThreatHaltestelle::Starten(*s.programm, s.steuerung(), {s.b->HaltestelleID, s.a->HaltestelleID, 2500, 0, 0}, "W");
    s.scheduler.advance(2499);
    EXPECT_FALSE(s.b->WartezeitVorbei);
    s.scheduler.advance(1);
    EXPECT_TRUE(s.b->WartezeitVorbei);
}

// B offers its route back to A on its signal once the wait is over, for a train driven by hand.
TEST(UpdateHaltestelle, OffersTheNextRouteOnTheSignal)
{
    Strecke s;
    s.programm->settings.SignalSchalten = true;
    TGleisBildElement* anzeigeA = s.a->HaltestelleElement;
    TGleisBildElement* anzeigeB = s.b->HaltestelleElement;
    TFahrstrasse& ba = s.route(*s.b, *s.a, {{anzeigeB, 0}, {s.weiche2, 0}, {s.weiche1, 1}, {anzeigeA, 0}}, 0, 0);
    s.a->HaltestelleZuge.push_back(s.zug);
    anzeigeA->Zug = nullptr;
    s.bild().SetContactState(1, 0);
    s.b->HaltestelleRichtung = 0;
    s.abstellen(*s.b, *s.zug);
    s.steuerung().UpdateHaltestelle(s.b->HaltestelleID, s.a->HaltestelleID, s.zug->ZugNr, 0);
    EXPECT_EQ(anzeigeB->FahrstrasseLinks.FahrstrasseID, ba.FahrstrasseID);
    EXPECT_FALSE(anzeigeB->FahrstrasseRechts.gesetzt());
    EXPECT_EQ(anzeigeB->ImageLinks.Hint, "B_A möglich");
    EXPECT_EQ(anzeigeB->ImageLinks.Bild, TGleisBildElement::BildLinksRotZugWartet);
    EXPECT_EQ(s.zug->ZugZielHaltestelleID, s.a->HaltestelleID);

    // The offer is started from the signal.
    s.haupt().GleisbildModus = 1;
    s.haupt().betrieb().SignalTasteKlick(*anzeigeB, true);
    EXPECT_EQ(ba.FahrstrasseStatus, 2);

    // A train in automatic operation gets no offer.
    Strecke t;
    t.programm->settings.SignalSchalten = true;
    t.zug->ZugInAutomatic = true;
    t.steuerung().UpdateHaltestelle(t.a->HaltestelleID, t.b->HaltestelleID, t.zug->ZugNr, 0);
    EXPECT_FALSE(t.a->HaltestelleElement->FahrstrasseRechts.gesetzt());
}

// A - M - B where M is a station with signals at both ends that the route passes through.
TEST(Zugsteuerung, ContinuingRouteThroughAStation)
{
    Fahrbetrieb f;
    THaltestelle* a = f.stationNeu("A");
    THaltestelle* m = f.stationNeu("M");
    THaltestelle* b = f.stationNeu("B");
    TZug* zug = f.zugNeu("Lok1", 3, "1002");
    TGleisBildElement* anzeigeA = f.anzeige(2, 5, a->HaltestelleID, 1);
    TGleisBildElement* g = f.add(63, 8, 5, 5, 2);
    TGleisBildElement* anzeigeM = f.anzeige(9, 5, m->HaltestelleID, 3, 21, 22);
    TGleisBildElement* h = f.add(21, 15, 5, 0, 4);
    TGleisBildElement* anzeigeB = f.anzeige(16, 5, b->HaltestelleID, 5);
    f.planFertig();
    TFahrstrasse& r = f.route(*a, *b, {{anzeigeA, 0}, {g, 1}, {anzeigeM, 0}, {h, 0}, {anzeigeB, 0}}, 1, 1);
    a->HaltestelleRichtung = 1;
    b->HaltestelleZuge.push_back(zug);
    f.abstellen(*a, *zug);
    ASSERT_TRUE(f.stellwerk().FahrstrasseCheck(r).isEmpty());
    ASSERT_TRUE(f.stellwerk().FahrstrasseStarten(r, *r.ZugDatenListe.front()));
    f.scheduler.advance(300);
    EXPECT_EQ(f.zeiten.liste(Msg::WM_MAG), QStringList({"t=0 5 1", "t=300 22 1"}));
    EXPECT_EQ(m->HaltestelleRichtung, 1);
    EXPECT_EQ(anzeigeM->AnkunftRichtung, 3);
    EXPECT_TRUE(anzeigeM->DurchfahrenderZug.isEmpty());
    f.scheduler.advance(300);
    EXPECT_EQ(anzeigeM->DurchfahrenderZug, "Lok1");
    // Its signals go back to red at the contact after it.
    EXPECT_TRUE(std::any_of(f.steuerung().ZugsteuerungLoPriorityListe().begin(), f.steuerung().ZugsteuerungLoPriorityListe().end(),
                            [&](const Befehl& c) { return c.ZugOderMag == 41 && c.BefehlAuswahl == m->HaltestelleID && c.KontaktNr == 4; }));
    f.bild().SetContactState(4, 1);
    f.scheduler.advance(1000);
    EXPECT_EQ(anzeigeM->SignalRechts, 0);
    EXPECT_TRUE(anzeigeM->DurchfahrenderZug.isEmpty());
}

TEST(Zugsteuerung, ShadowStationSwitchesAllFunctionsOffOnArrival)
{
    Strecke s;
    s.programm->settings.AlleLokfunktionenausschalten = true;
    s.b->HaltestelleArt = "Schattenbahnhof";
    ASSERT_TRUE(s.starten());
    s.zug->Set_Funk(3, true);
    s.bild().SetContactState(6, 1);
    s.scheduler.advance(2400); // the target seen at 400, the stop and the arrival 2000 ms later
    EXPECT_TRUE(s.zug->Funktion[3]);
    s.scheduler.advance(1000); // the arrival command, then all functions off
    EXPECT_FALSE(s.zug->Funktion[3]);
    EXPECT_EQ(s.b->HaltestelleElement->Zug, s.zug);
}

} // namespace
