// The demo end to end: the program opens the demo project, connects through its ECoS driver over
// loopback TCP to the simulated layout and runs the three trains in automatic operation, with
// the layout's own account of where every train is as the judge.
#include "DemoBetrieb.h"
#include "core/LineFile.h"
#include "core/TextFields.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// What must hold once automatic operation has been switched off and every train has arrived.
void AmEndePruefen(DemoBetrieb& b)
{
    EXPECT_TRUE(b.befunde.isEmpty()) << b.befunde.join(u'\n').toStdString();
    for (const TFahrstrasse* route : b.routen) {
        const DemoBetrieb::Lauf& l = b.laeufe[route];
        EXPECT_EQ(l.gestartet, l.freigegeben) << route->FahrstrasseName.toStdString();
        EXPECT_EQ(route->FahrstrasseStatus, 0) << route->FahrstrasseName.toStdString();
    }
    EXPECT_TRUE(b.steuerung().ZugsteuerungHiPriorityListe().empty());
    EXPECT_TRUE(b.steuerung().ZugsteuerungLoPriorityListe().empty());

    const std::set<QString> alle = {"Altenbach", "Mittelberg", "Zollhafen"};
    std::map<const THaltestelle*, const TZug*> imBahnhof;
    for (const auto& zug : b.d().ZugListe) {
        if (zug->ZugGeloescht) {
            continue;
        }
        EXPECT_EQ(b.besucht[zug.get()], alle) << zug->ZugName.toStdString();
        const std::optional<Sim::TrainState> t = b.simZug(*zug);
        ASSERT_TRUE(t.has_value()) << zug->ZugName.toStdString();
        const THaltestelle* station = b.stationUm(*t);
        ASSERT_NE(station, nullptr) << zug->ZugName.toStdString() << " stands at " << t->elements.join(u',').toStdString();
        EXPECT_EQ(zug->ZugHaltestelleID, station->HaltestelleID) << zug->ZugName.toStdString();
        imBahnhof[station] = zug.get();
    }

    // The station file, written at every arrival, names the train the layout has in each station.
    const QStringList datei = LineReader::SplitLines(
        [&] {
            QFile f(b.programm->projectFile(QStringLiteral(".hs2")));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }());
    const auto& stationen = b.d().HaltestellenListe;
    ASSERT_GE(datei.size(), 7 + 15 * static_cast<qsizetype>(stationen.size()));
    for (size_t i = 0; i < stationen.size(); ++i) {
        const THaltestelle* s = stationen[i].get();
        const TZug* zug = imBahnhof.count(s) ? imBahnhof[s] : nullptr;
        EXPECT_EQ(datei[7 + 15 * static_cast<qsizetype>(i) + 1], s->HaltestelleName);
        EXPECT_EQ(Columns(datei[7 + 15 * static_cast<qsizetype>(i) + 8], 1, 5),
                  zug != nullptr ? ZeroPad5(zug->ZugDatanbankNr) : QStringLiteral("00000"))
            << s->HaltestelleName.toStdString();
    }
}

} // namespace

TEST(DemoBetrieb, HalfAnHourOfAutomaticOperationOnTheSimulatedLayout)
{
    DemoBetrieb b;
    ASSERT_TRUE(b.befunde.isEmpty()) << b.befunde.join(u'\n').toStdString();
    ASSERT_TRUE(b.oeffnenUndEinschalten());
    ASSERT_EQ(b.routen.size(), 16u);
    b.automatikEin();
    b.laufen(30 * 60 * 1000);
    ASSERT_TRUE(b.automatikAusUndAnkommen(3 * 60 * 1000))
        << b.sim->execute(QStringLiteral("status")).toStdString() << b.befunde.join(u'\n').toStdString();
    AmEndePruefen(b);
    int laeufe = 0;
    for (const auto& [route, l] : b.laeufe) {
        laeufe += l.freigegeben;
    }
    EXPECT_GT(laeufe, 150) << "each train goes from station to station about every half minute";
}

// Two hours with start delays and start speeds drawn anew for every train and route, trains
// running faster or slower than in the shipped scenario, and the link to the command station
// lost half-way. The program does not take back commands sent while the link is down, so the
// link is cut while every train stands in a station: the user switches automatic operation off,
// connects again, switches power and automatic operation on, and the trains go on.
TEST(DemoBetrieb, TwoHoursWithRandomDelaysAndSpeedsAndALostLink)
{
    std::mt19937 zufall(20261211);
    const auto zwischen = [&](int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall); };
    DemoBetrieb b([&](Sim::Scenario& s) {
        for (Sim::Placement& p : s.placements) {
            p.scale *= zwischen(90, 110) / 100.0;
        }
    });
    ASSERT_TRUE(b.befunde.isEmpty()) << b.befunde.join(u'\n').toStdString();
    ASSERT_TRUE(b.oeffnenUndEinschalten());
    for (TFahrstrasse* route : b.routen) {
        for (const auto& daten : route->ZugDatenListe) {
            daten->ZugDatenStartdelay = zwischen(1000, 5000);
            daten->ZugDatenStarttempo = zwischen(60, 110);
        }
    }
    b.automatikEin();
    b.laufen(60 * 60 * 1000);

    const auto zugStehtInBahnhof = [&] {
        return std::none_of(b.d().ZugListe.begin(), b.d().ZugListe.end(), [](const auto& z) { return z->ZugAktiv; })
            && std::all_of(b.sim->model().trains().begin(), b.sim->model().trains().end(),
                           [](const Sim::TrainState& t) { return t.speed == 0; });
    };
    ASSERT_TRUE(b.laufenBis(zugStehtInBahnhof, 20 * 60 * 1000)) << "no moment without a train on its way";
    int vorher = 0;
    for (const auto& [route, l] : b.laeufe) {
        vorher += l.gestartet;
    }
    EXPECT_EQ(b.sim->execute(QStringLiteral("drop")), "OK");
    b.haupt().AutomaticSchalten();
    ASSERT_TRUE(b.laufenBis([&] { return !b.programm->ZentraleVerbunden; }, 5000));
    EXPECT_EQ(b.haupt().PowerAn, false);
    b.haupt().VerbindenKlick();
    ASSERT_TRUE(b.laufenBis([&] { return b.inBetrieb(); }, 60000));
    EXPECT_EQ(b.sim->server().clientCount(), 1);
    b.haupt().GoKlick();
    ASSERT_TRUE(b.laufenBis([&] { return b.haupt().PowerAn; }, 5000));
    b.automatikEin();
    b.laufen(60 * 60 * 1000);

    ASSERT_TRUE(b.automatikAusUndAnkommen(3 * 60 * 1000))
        << b.sim->execute(QStringLiteral("status")).toStdString() << b.befunde.join(u'\n').toStdString();
    AmEndePruefen(b);
    int laeufe = 0;
    for (const auto& [route, l] : b.laeufe) {
        laeufe += l.freigegeben;
    }
    EXPECT_GT(vorher, 150);
    EXPECT_GT(laeufe - vorher, 150) << "the trains went on after the link came back";
}
