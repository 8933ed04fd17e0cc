// One simulated hour of automatic operation without command station: two trains shuttle
// between two terminal stations A and B through a passing loop (P1, P2), on routes found by the
// route search, with the contact simulation moving them.
#include "core/TextFields.h"
#include "operation/FahrbetriebFixture.h"
#include "operation/FahrstrassenSuche.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct Ringbahn : Fahrbetrieb {
    std::vector<THaltestelle*> stationen;
    std::vector<TZug*> zuge;

    Ringbahn()
    {
        for (const char* name : {"A", "P1", "P2", "B"}) {
            stationen.push_back(stationNeu(QString::fromLatin1(name)));
        }
        const auto id = [this](int i) { return stationen[i]->HaltestelleID; };
        // Row 5: A - turnout 1 - P1 - turnout 2 - B; row 4: the loop track P2.
        anzeige(2, 5, id(0), 1);
        add(21, 8, 5, 0, 2);
        add(63, 9, 5, 1, 0);
        add(21, 10, 5, 0, 3);
        anzeige(11, 5, id(1), 4);
        add(21, 17, 5, 0, 5);
        add(62, 18, 5, 2, 0);
        add(21, 19, 5, 0, 8);
        anzeige(20, 5, id(3), 9);
        add(35, 10, 4, 0, 10);
        anzeige(11, 4, id(2), 6);
        add(36, 17, 4, 0, 11);
        planFertig();
        zuge.push_back(zugNeu("Lok1", 3, "1002"));
        zuge.push_back(zugNeu("Lok2", 4, "1003"));
        for (THaltestelle* s : stationen) {
            routenSuchen(*s);
            s->HaltestelleZuge = zuge;
        }
        d().GleisKontakteAnpassen();
        for (THaltestelle* s : stationen) {
            for (const auto& r : s->HaltestelleFahrstrassen) {
                fahrdaten(*r);
            }
        }
        stationen[0]->HaltestelleRichtung = 1;
        stationen[3]->HaltestelleRichtung = 0;
        abstellen(*stationen[0], *zuge[0]);
        abstellen(*stationen[3], *zuge[1]);
        for (TZug* z : zuge) {
            z->ZugInAutomatic = true;
        }
        // The station file is written at every arrival.
        QDir().mkpath(programm->projectFolder());
        d().HaltestellenGelesen = true;
        bild().Gleisplan_Geladen = true;
    }
    void routenSuchen(THaltestelle& s)
    {
        NeueFahrstrassenSuchen(bild(), d(), s);
        for (auto& r : d().DummyNeueFahrstrasseHaltestelle.HaltestelleFahrstrassen) {
            s.HaltestelleFahrstrassen.push_back(std::move(r));
        }
        d().DummyNeueFahrstrasseHaltestelle.HaltestelleFahrstrassen.clear();
    }
    // Every train brakes at the contact before the target; trains turn in the terminal stations.
    void fahrdaten(TFahrstrasse& r)
    {
        const bool endstation = r.ZielHaltestelleID == stationen[0]->HaltestelleID || r.ZielHaltestelleID == stationen[3]->HaltestelleID;
        for (TZug* z : zuge) {
            TZugDaten* daten = d().ZugDatenErstellen(r, *z);
            daten->ZugDatenBremskontakt[0] = r.FahrstrasseKontakte[r.KontaktAnzahl() - 1];
            daten->ZugDatenBremstempo[0] = 30;
            daten->ZugDatenWendenBeiAnkunft = endstation ? 1 : 0;
        }
    }
    std::vector<TFahrstrasse*> routen() const
    {
        std::vector<TFahrstrasse*> l;
        for (THaltestelle* s : stationen) {
            for (const auto& r : s->HaltestelleFahrstrassen) {
                l.push_back(r.get());
            }
        }
        return l;
    }
    int aktiv() const
    {
        return static_cast<int>(std::count_if(zuge.begin(), zuge.end(), [](const TZug* z) { return z->ZugAktiv; }));
    }
};

// A run seen from outside: set with a train, then free again with that train in the target.
struct Beobachtung {
    int status = 0;
    TZug* zug = nullptr;
    int gestartet = 0;
    int angekommen = 0;
};

TEST(AutomatikBetrieb, OneSimulatedHourWithTwoTrains)
{
    for (const int limit : {1, 2}) {
        SCOPED_TRACE(limit);
        Ringbahn r;
        const std::vector<TFahrstrasse*> routen = r.routen();
        ASSERT_EQ(routen.size(), 8u) << "A to P1 and P2, P1 and P2 to A and B, B to P1 and P2";
        r.programm->settings.MaxZugeInAutomaticAktiv = limit;
        r.diagnose().SimulationEinschalten();
        r.haupt().AutomaticAn = true;
        r.programm->fahrstrassen->AutomaticTimerStarten();

        std::map<const TFahrstrasse*, Beobachtung> laeufe;
        int hoechstensAktiv = 0;
        const auto beobachten = [&] {
            hoechstensAktiv = std::max(hoechstensAktiv, r.aktiv());
            for (TFahrstrasse* route : routen) {
                Beobachtung& b = laeufe[route];
                if (b.status == 0 && route->FahrstrasseStatus != 0) {
                    b.zug = route->AktuelleZugDaten->ZugDatenZug;
                    ++b.gestartet;
                } else if (b.status != 0 && route->FahrstrasseStatus == 0) {
                    const THaltestelle* ziel = r.d().HaltestelleVonId(route->ZielHaltestelleID);
                    EXPECT_EQ(b.zug->ZugHaltestelleID, route->ZielHaltestelleID) << route->FahrstrasseName.toStdString();
                    EXPECT_EQ(ziel->HaltestelleElement->Zug, b.zug);
                    ++b.angekommen;
                }
                b.status = route->FahrstrasseStatus;
            }
        };
        for (int t = 0; t < 3600 * 1000; t += 100) {
            r.scheduler.advance(100);
            beobachten();
            ASSERT_LE(r.aktiv(), limit) << "at " << t;
        }
        // Automatic off: the runs under way go to their end.
        r.haupt().AutomaticAn = false;
        r.programm->fahrstrassen->AutomaticTimerStoppen();
        for (int t = 0; t < 60 * 1000; t += 100) {
            r.scheduler.advance(100);
            beobachten();
        }

        EXPECT_EQ(hoechstensAktiv, limit);
        int laeufeGesamt = 0;
        for (const TFahrstrasse* route : routen) {
            const Beobachtung& b = laeufe[route];
            EXPECT_GE(b.gestartet, 1) << route->FahrstrasseName.toStdString() << " never ran";
            EXPECT_EQ(b.gestartet, b.angekommen) << route->FahrstrasseName.toStdString();
            EXPECT_EQ(route->FahrstrasseStatus, 0);
            laeufeGesamt += b.gestartet;
        }
        EXPECT_GT(laeufeGesamt, 200) << "a run takes about 16 s";
        for (const TZug* z : r.zuge) {
            EXPECT_FALSE(z->ZugAktiv);
            EXPECT_EQ(z->ZugStatus, 0);
        }
        for (const TGleisBildElement* e : {r.bild().Zelle(9, 5), r.bild().Zelle(18, 5)}) {
            EXPECT_FALSE(e->InFahrstrasse);
            EXPECT_FALSE(e->FahrstrasseBelegt.gesetzt());
        }
        EXPECT_TRUE(r.steuerung().ZugsteuerungHiPriorityListe().empty());
        EXPECT_TRUE(r.steuerung().ZugsteuerungLoPriorityListe().empty());
        EXPECT_FALSE(r.steuerung().LoeschenAktiv);

        // The station file names the train standing in each station.
        const QStringList datei = QString::fromLatin1(r.read("Projekte/Default/Default.hs2")).split(QStringLiteral("\r\n"));
        ASSERT_GE(datei.size(), 7 + 15 * 4);
        for (int i = 0; i < 4; ++i) {
            const THaltestelle* s = r.stationen[i];
            const TZug* z = s->HaltestelleElement->Zug;
            EXPECT_EQ(datei[7 + 15 * i + 1], s->HaltestelleName);
            EXPECT_EQ(Columns(datei[7 + 15 * i + 8], 1, 5), z != nullptr ? ZeroPad5(z->ZugDatanbankNr) : QStringLiteral("00000"))
                << s->HaltestelleName.toStdString();
        }
    }
}

} // namespace
