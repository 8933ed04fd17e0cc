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
