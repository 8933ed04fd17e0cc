#include "operation/FahrbetriebFixture.h"

#include <gtest/gtest.h>

namespace {

struct Automatik : Strecke {
    QList<int> angezeigt;

    Automatik()
    {
        zug->ZugInAutomatic = true;
        haupt().AutomaticAn = true;
        programm->settings.MaxZugeInAutomaticAktiv = 1;
        programm->settings.Automaticdelay = 1000;
        diagnose().Zeigen();
        programm->fahrstrassen->setAktivAnzeige([this](int n) { angezeigt << n; });
    }
    // A second route A to B over the same elements, first in A's list.
    TFahrstrasse& zweiteRouteVorne()
    {
        TFahrstrasse& r = route(*a, *b, {}, 1, 1);
        r.FahrstrasseElemente = ab->FahrstrasseElemente;
        r.FahrstrasseKontakte = ab->FahrstrasseKontakte;
        std::rotate(a->HaltestelleFahrstrassen.begin(), a->HaltestelleFahrstrassen.end() - 1, a->HaltestelleFahrstrassen.end());
        return r;
    }
    QStringList zeilen() const
    {
        QStringList l;
        for (const TDiagnose::Zeile& z : fenster->diagnose().Zeilen()) {
            l << QString::number(z.art) + u' ' + z.text;
        }
        return l;
    }
    void tick() { scheduler.advance(programm->settings.Automaticdelay); }
};

TEST(AutomaticTimer, TakesTheFirstRouteThatPassesAndWritesTheDiagnosis)
{
    Automatik s;
    TFahrstrasse& versteckt = s.zweiteRouteVorne();
    versteckt.FahrstrasseAusblenden = true;
    s.programm->fahrstrassen->AutomaticTimerStarten();
    s.tick();
    EXPECT_EQ(s.zeilen(), QStringList({
                              "2 ZugeInAutomaticAktiv 0: MaxZugeInAutomaticAktiv 1",
                              "1 ZugInAutomatic : Lok1 in A",
                              "1 " + QString(64, u'*'),
                              "1 ZugInAutomatic : Lok1 -->  Teste Fahrstrasse A_B1",
                              "0 ZugInAutomatic : Lok1 --> Fahrstrasse A_B1 Fehler",
                              "0 Fahrstraße ist ausgeblendet : A_B1",
                              "1 ZugInAutomatic : Lok1 -->  Teste Fahrstrasse A_B",
                              "1 ZugInAutomatic : Lok1 --> Fahrstrasse A_B OK",
                              "1 " + QString(75, u'-'),
                          }));
    EXPECT_EQ(s.ab->FahrstrasseStatus, 2);
    EXPECT_EQ(versteckt.FahrstrasseStatus, 0);
    EXPECT_TRUE(s.zug->ZugAktiv);
    EXPECT_EQ(s.zug->ZugStatus, 2);
    EXPECT_EQ(s.angezeigt, QList<int>({0, 1}));
    EXPECT_EQ(s.programm->fahrstrassen->ZugeInAutomaticAktiv(), 1);
    EXPECT_EQ(s.diagnose().AutomaticIntervall(), 1000);

    s.diagnose().LogLoeschen();
    s.tick();
    EXPECT_EQ(s.zeilen(), QStringList({"2 ZugeInAutomaticAktiv 1: MaxZugeInAutomaticAktiv 1"}));
}

TEST(AutomaticTimer, ARouteNotActiveForTheTrainIsNeverTaken)
{
    Automatik s;
    TFahrstrasse& zweite = s.zweiteRouteVorne();
    zweite.ZugDatenListe.front()->ZugDatenAktiv = false;
    s.programm->fahrstrassen->AutomaticTimerStarten();
    s.tick();
    EXPECT_EQ(zweite.FahrstrasseStatus, 0);
    EXPECT_EQ(s.ab->FahrstrasseStatus, 2);
    EXPECT_EQ(s.a->AktiveFahrstrasse, s.ab);
}

TEST(AutomaticTimer, NothingStartsWithoutLimitOrBeforeTheWaitIsOver)
{
    Automatik s;
    s.programm->settings.MaxZugeInAutomaticAktiv = 0;
    s.steuerung().AutomaticTimerStarten();
    s.tick();
    EXPECT_EQ(s.ab->FahrstrasseStatus, 0);
    EXPECT_EQ(s.zeilen(), QStringList({"2 ZugeInAutomaticAktiv 0: MaxZugeInAutomaticAktiv 0"}));

    s.programm->settings.MaxZugeInAutomaticAktiv = 1;
    s.a->WartezeitVorbei = false;
    s.tick();
    EXPECT_EQ(s.ab->FahrstrasseStatus, 0);
    EXPECT_EQ(s.zeilen().last(), "0 ZugInAutomatic : Lok1 Haltestelle WarteZeit nicht Vorbei");

    // A train that is not in automatic operation stays.
    s.a->WartezeitVorbei = true;
    s.zug->ZugInAutomatic = false;
    s.tick();
    EXPECT_EQ(s.ab->FahrstrasseStatus, 0);
}

TEST(AutomaticTimer, StopsItselfWhenSwitchedOffAndNoTrainRuns)
{
    Automatik s;
    s.steuerung().AutomaticTimerStarten();
    s.tick();
    ASSERT_TRUE(s.zug->ZugAktiv);
    s.haupt().AutomaticAn = false;
    s.tick();
    EXPECT_TRUE(s.steuerung().AutomaticTimerLaeuft()) << "a train still runs";
    s.zug->ZugAktiv = false;
    s.tick();
    EXPECT_FALSE(s.steuerung().AutomaticTimerLaeuft());
    s.diagnose().LogLoeschen();
    s.tick();
    EXPECT_TRUE(s.zeilen().isEmpty());
}

// Three trains in three stations, each with a free route of its own: the limit of two holds
// within one tick.
TEST(AutomaticTimer, TheLimitIsCountedPerStart)
{
    Fahrbetrieb f;
    f.haupt().AutomaticAn = true;
    f.programm->settings.MaxZugeInAutomaticAktiv = 2;
    std::vector<TFahrstrasse*> routen;
    for (int i = 0; i < 3; ++i) {
        const int y = 5 + 2 * i;
        THaltestelle* s = f.stationNeu(QStringLiteral("S%1").arg(i));
        THaltestelle* z = f.stationNeu(QStringLiteral("Z%1").arg(i));
        TZug* zug = f.zugNeu(QStringLiteral("Lok%1").arg(i), 10 + i, QStringLiteral("100%1").arg(i));
        zug->ZugInAutomatic = true;
        TGleisBildElement* von = f.anzeige(2, y, s->HaltestelleID, 10 * i + 1);
        TGleisBildElement* gleis = f.add(21, 8, y, 0, 10 * i + 2);
        TGleisBildElement* nach = f.anzeige(9, y, z->HaltestelleID, 10 * i + 3);
        f.planFertig();
        z->HaltestelleZuge.push_back(zug);
        s->HaltestelleRichtung = 1;
        routen.push_back(&f.route(*s, *z, {{von, 0}, {gleis, 0}, {nach, 0}}, 1, 1));
        f.abstellen(*s, *zug);
    }
    f.steuerung().AutomaticTimerStarten();
    f.scheduler.advance(1000);
    EXPECT_EQ(routen[0]->FahrstrasseStatus, 2);
    EXPECT_EQ(routen[1]->FahrstrasseStatus, 2);
    EXPECT_EQ(routen[2]->FahrstrasseStatus, 0);
    EXPECT_EQ(f.steuerung().ZugeInAutomaticAktiv, 2);
}

} // namespace
