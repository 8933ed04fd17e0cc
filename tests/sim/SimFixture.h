// A small layout for the simulator: the plan is built with the program's element factory and
// written with its plan writer, the simulator reads it back as a scenario names it. Driving goes
// through the station's protocol as the program's driver sends it (client 1, no sockets).
//
//   row 4:                 (6)35 c7 - (7)21 c8 - (8)23 c9 buffer
//                          /
//   row 5: (2)24 buffer - (3)21 c1 - (4)21 c2 - (5)63 turnout addr 5 c3 - (6)21 c4
//          - (7..10) loco display c5, left exit signal addr 7 - (11)21 c6 - (12) jump mark 1/1
//   row 7:                                               (22)35 c12 - (23)23 c13 buffer
//                                                       /
//   row 8: (20) jump mark 1/2 - (21)55 double slip addr 6 - (22)21 c10 - (23)23 c11 buffer
//   row 11: (3)21 c14 - (4..9) siding display, left end blocked, c15 - (10)21 c16 - nothing
//
// Trains run 0.1 cells per second per speed step: at speed 100 one cell takes 100 ms.
#pragma once

#include "Simulator.h"
#include "core/GleisplanDatei.h"
#include "core/ManualScheduler.h"
#include "core/KopflosesProgramm.h"
#include "diagram/GleisBild.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>

struct PlanElement {
    int kind;
    int x;
    int y;
    int addr = 0;
    int contact = 0;
    int nr0 = 0; // jump mark number / left exit signal
    int nr1 = 0; // jump mark end
};

inline const std::vector<PlanElement> kSimPlan = {
    {24, 2, 5}, {21, 3, 5, 0, 1}, {21, 4, 5, 0, 2}, {63, 5, 5, 5, 3}, {21, 6, 5, 0, 4}, {99, 7, 5, 0, 5, 7},
    {21, 11, 5, 0, 6}, {57, 12, 5, 0, 0, 1, 1},
    {35, 6, 4, 0, 7}, {21, 7, 4, 0, 8}, {23, 8, 4, 0, 9},
    {57, 20, 8, 0, 0, 1, 2}, {55, 21, 8, 6}, {21, 22, 8, 0, 10}, {23, 23, 8, 0, 11},
    {35, 22, 7, 0, 12}, {23, 23, 7, 0, 13},
    {21, 3, 11, 0, 14}, {101, 4, 11, 0, 15}, {21, 10, 11, 0, 16},
};

inline const char* kSimStation = R"(
loco 1002 16 DCC28 "V 160"
loco 1003 17 DCC28 "V 200"
accessory 20000 5 "Weiche 5"
accessory 20001 6 "DKW 6"
accessory 20002 7 "Ausfahrt 7"
module 100
plan Plan.da2
)";

class SimFixture : public ::testing::Test {
protected:
    void SetUp() override { writePlan(kSimPlan); }

    void writePlan(const std::vector<PlanElement>& elements)
    {
        KopflosesProgramm k(dir.path() + u'/');
        for (const PlanElement& p : elements) {
            GridElementDaten d;
            d.GleisBildNr = p.kind;
            d.PosX = p.x;
            d.PosY = p.y;
            d.MagnetArtNr = p.addr;
            d.GleisKontaktNr = p.contact;
            d.MagnetArtNr0 = p.nr0;
            d.MagnetArtNr1 = p.nr1;
            ASSERT_NE(k.bild.CreateGridElement(d), nullptr) << p.kind << " at " << p.x << "/" << p.y;
        }
        k.bild.Gleisplan_Geladen = true;
        QString error;
        ASSERT_TRUE(GleisplanDatei(k.programm).SaveTrackPlan(dir.filePath(QStringLiteral("Plan.da2")), &error))
            << error.toStdString();
    }

    // The scenario text with `places` ("place ..." lines) after the station.
    QString scenario(const QStringList& places) const
    {
        return QString::fromLatin1(kSimStation) + places.join(u'\n');
    }

    // The simulator with the trains placed, power on, client 1 in control of both locos and
    // viewing the feedback module; later events are the ones `trace` shows.
    ::testing::AssertionResult start(const QStringList& places)
    {
        QString error;
        const auto parsed = Sim::Scenario::parse(scenario(places), &error, dir.path());
        if (!parsed) {
            return ::testing::AssertionFailure() << error.toStdString();
        }
        sim = Sim::Simulator::create(*parsed, &error);
        if (!sim) {
            return ::testing::AssertionFailure() << error.toStdString();
        }
        station().setEventSink([this](int, const QByteArray& bytes) { received += bytes; });
        for (const char* line : {"request(1002, control)", "request(1003, control)", "request(100, view)",
                                 "request(1002, view)", "set(1, go)"}) {
            send(QString::fromLatin1(line));
        }
        mark = sim->model().events().size();
        received.clear();
        return ::testing::AssertionSuccess();
    }

    Sim::EcosStation& station() { return sim->station(); }
    QByteArray send(const QString& line) { return sim->server().receive(1, line); }
    void drive(int loco, int speed) { send(QStringLiteral("set(%1, speed[%2])").arg(loco).arg(speed)); }

    // "x/y" of an element name.
    QString cell(const QString& name) const
    {
        const TGleisBildElement* e = sim->model().element(name);
        return e ? QStringLiteral("%1/%2").arg(e->PosX).arg(e->PosY) : name;
    }

    // The events since `start`, one short text each: "100 +3" contact 3 occupied at 100 ms,
    // "200 -2" freed, "300 derailed 5/5 (turnout set against)", "0 switched 5/5 under 1002".
    QStringList trace() const
    {
        QStringList list;
        const auto& events = sim->model().events();
        for (size_t i = mark; i < events.size(); ++i) {
            const Sim::LayoutEvent& e = events[i];
            const QString t = QString::number(std::lround(e.timeMs)) + u' ';
            switch (e.kind) {
            case Sim::LayoutEvent::Kind::Occupied: list << t + u'+' + QString::number(e.contact); break;
            case Sim::LayoutEvent::Kind::Freed: list << t + u'-' + QString::number(e.contact); break;
            case Sim::LayoutEvent::Kind::Derailed:
                list << t + QStringLiteral("derailed %1 (%2)").arg(cell(e.element), e.reason);
                break;
            case Sim::LayoutEvent::Kind::SwitchedUnderTrain:
                list << t + QStringLiteral("switched %1 under %2").arg(cell(e.element)).arg(e.loco);
                break;
            }
        }
        return list;
    }

    QTemporaryDir dir;
    ManualScheduler clock; // for `Simulator::run`; outlives the simulator
    std::unique_ptr<Sim::Simulator> sim;
    size_t mark = 0;
    QByteArray received; // event blocks sent to client 1 since `start`
};
