// The scenario's layout lines, placing trains, the layout's control commands and the warnings
// about plan parts the scenario does not serve.
#include "SimFixture.h"

#include <QDir>

TEST_F(SimFixture, ScenarioReadsPlanAndPlacements)
{
    QString error;
    const auto s = Sim::Scenario::parse(scenario({"place 1002 Element_Gleis_021_0003_0005 e 2.5 0.1",
                                                  "place 1003 7/4 NW 1 0"}),
                                        &error, dir.path());
    ASSERT_TRUE(s.has_value()) << error.toStdString();
    EXPECT_EQ(s->plan, QDir(dir.path()).filePath("Plan.da2"));
    ASSERT_EQ(s->placements.size(), 2u);
    EXPECT_EQ(s->placements[0].element, "Element_Gleis_021_0003_0005");
    EXPECT_FALSE(s->placements[0].cell.has_value());
    EXPECT_EQ(s->placements[0].heading, Seite::O);
    EXPECT_EQ(s->placements[0].length, 2.5);
    EXPECT_EQ(s->placements[1].cell, QPoint(7, 4));
    EXPECT_EQ(s->placements[1].heading, Seite::NW);
    EXPECT_EQ(Sim::Scenario::parse(QStringLiteral("plan /abs/P.da2"), &error, dir.path())->plan, "/abs/P.da2");

    const struct {
        const char* text;
        const char* error;
    } rows[] = {
        {"loco 1002 1 DCC28 \"a\"\nplace 1002 3/5 X 1 0.1", "line 2: place: heading N NE E SE S SW W NW expected"},
        {"loco 1002 1 DCC28 \"a\"\nplace 1002 3/5 E 0 0.1", "line 2: place: length above 0 and scale from 0 expected"},
        {"place 1002 3/5 E 1", "line 1: place <loco> <element or x/y> <heading> <length> <scale> expected"},
        {"plan P.da2\nplace 1002 3/5 E 1 0.1", "place: no loco 1002"},
        {"plan P.da2\nloco 1002 1 DCC28 \"a\"\nplace 1002 3/5 E 1 0.1\nplace 1002 4/5 E 1 0.1",
         "place: loco 1002 placed twice"},
        {"loco 1002 1 DCC28 \"a\"\nplace 1002 3/5 E 1 0.1", "place needs a plan"},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(Sim::Scenario::parse(QString::fromLatin1(row.text), &error).has_value()) << row.text;
        EXPECT_EQ(error, QString::fromLatin1(row.error));
    }
}

TEST_F(SimFixture, PlacingRefusesWhatDoesNotFit)
{
    ASSERT_TRUE(start({"place 1003 11/5 E 1 0.1"}));
    const struct {
        const char* line;
        const char* answer;
    } rows[] = {
        {"place 1002 9/9 E 1 0.1", "ERROR place 1002: no element 9/9"},
        {"place 1002 3/5 N 1 0.1", "ERROR place 1002: Element_Gleis_021_0003_0005 does not run towards N"},
        {"place 1002 4/5 E 4 0.1",
         "ERROR place 1002: the track behind Element_Gleis_021_0004_0005 ends at Element_Gleis_024_0002_0005 "
         "(buffer stop) after 3 cells"},
        {"place 1002 11/5 W 1 0.1", "ERROR place 1002: Element_Gleis_021_0011_0005 is taken by 1003"},
        {"place 1004 3/5 E 1 0.1", "ERROR place 1004: no such loco"},
        {"place 1002 4/5 E 3 0.1", "OK"},     // the rear on the buffer stop
        {"place 1002 2/5 W 1 0.1", "OK"},     // on the buffer stop, facing it
        {"place 1002 5/5 NE 1 0.1", "ERROR place 1002: Element_Weiche_063_0005_0005 does not run towards NE"},
        {"place 1003 12/5 E 1 0.1", "OK"},    // moved onto the jump mark
    };
    for (const auto& row : rows) {
        EXPECT_EQ(sim->execute(QString::fromLatin1(row.line)), QString::fromLatin1(row.answer)) << row.line;
    }
    EXPECT_EQ(sim->execute(QStringLiteral("status")),
              "1003 front Element_Sprung_057_0012_0005 heading E dir 0 speed 0 covers Element_Sprung_057_0012_0005\n"
              "1002 front Element_Gleis_024_0002_0005 heading W dir 0 speed 0 covers Element_Gleis_024_0002_0005\nOK");
    // Facing the buffer stop, the train cannot go on; backwards it can.
    drive(1002, 100);
    sim->advance(100);
    EXPECT_EQ(sim->model().train(1002)->reason, "buffer stop");
    EXPECT_TRUE(sim->execute(QStringLiteral("status")).contains(
        "1002 front Element_Gleis_024_0002_0005 heading W dir 0 speed 0 covers Element_Gleis_024_0002_0005 derailed "
        "at Element_Gleis_024_0002_0005 (buffer stop)"));
    send(QStringLiteral("set(1002, dir[1])"));
    drive(1002, 100);
    EXPECT_EQ(sim->execute(QStringLiteral("advance 150")), "OK");
    EXPECT_EQ(sim->model().train(1002)->elements, QStringList({"Element_Gleis_021_0003_0005", "Element_Gleis_021_0004_0005"}));
    EXPECT_FALSE(sim->model().train(1002)->derailed);
}

TEST_F(SimFixture, LayoutLoadingReportsWhatItCannotServe)
{
    QString error;
    const auto create = [&](const QString& text) {
        return Sim::Simulator::create(*Sim::Scenario::parse(text, &error, dir.path()), &error);
    };
    EXPECT_EQ(create(QStringLiteral("plan Fehlt.da2")), nullptr);
    EXPECT_EQ(error, "no plan " + QDir(dir.path()).filePath("Fehlt.da2"));
    EXPECT_EQ(create(QString::fromLatin1(kSimStation) + "place 1002 3/5 S 1 0.1"), nullptr);
    EXPECT_EQ(error, "place 1002: Element_Gleis_021_0003_0005 does not run towards S");

    auto sim = create(QStringLiteral("loco 1002 1 DCC28 \"a\"\naccessory 20000 5 \"W\"\nplan Plan.da2"));
    ASSERT_NE(sim, nullptr) << error.toStdString();
    // Each of the 16 contacts without a module, and the two addresses without accessory, once.
    const QStringList warnings = sim->model().warnings();
    EXPECT_EQ(warnings.size(), 18) << warnings.join(u'\n').toStdString();
    for (const char* line : {"contact 15 of Element_LokAnz_101_0004_0011 has no feedback module",
                             "accessory address 7 of Element_LokAnz_099_0007_0005 has no accessory",
                             "accessory address 6 of Element_KreuzW_055_0021_0008 has no accessory"}) {
        EXPECT_TRUE(warnings.contains(QString::fromLatin1(line))) << line;
    }
    EXPECT_EQ(sim->execute(QStringLiteral("status")), "OK");

    EXPECT_TRUE(create(QString::fromLatin1(kSimStation))->model().warnings().isEmpty());
    sim = create(QString::fromLatin1(kSimStation).replace("module 100", "module 101"));
    ASSERT_NE(sim, nullptr) << error.toStdString();
    EXPECT_EQ(sim->model().warnings().size(), 1);
    EXPECT_TRUE(sim->model().warnings().value(0).startsWith("feedback modules are not 100, 101, ... in order"));
}
