// What the simulated layout starts with: the command station's objects (locomotives,
// accessories, feedback modules), and optionally the track plan the trains run on and where each
// locomotive stands on it. Plain values, read from a scenario text; any thread.
#pragma once

#include "diagram/Verbindungen.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace Sim {

struct Lok {
    int id = 1000;
    QString name;
    int addr = 0;
    QString protocol = QStringLiteral("DCC28");
    int speed = 0;
    int dir = 0; // 0 forward, 1 backward
    std::array<int, 29> func{};
    QString locodesc = QStringLiteral("LOCO_TYPE_DIESEL,IMAGE_TYPE_INT,2");
};

struct Accessory {
    int id = 20000;
    int addr = 1;
    QString name;
    int state = 0;
};

struct Module {
    int id = 100;
    int ports = 16;
    quint32 state = 0;
};

// Where a locomotive stands on the plan: its front at the far end of `element` (a name) or of the
// element in `cell`, driving forward (dir 0) means travelling towards `heading`; the train is
// `length` cells long and runs `scale` cells per second per speed step.
struct Placement {
    int locoId = 0;
    QString element;
    std::optional<QPoint> cell;
    Seite heading = KeineSeite;
    double length = 1.0;
    double scale = 0.05;
};

// Text format, one item per line ('#' starts a comment, "double quotes" hold blanks):
//   info "ECoS2" 0.5 4.2.6 2.0          product, protocol, application, hardware version
//   loco 1002 16 DCC28 "V 160"          id, address, protocol word, name
//   accessory 20000 5 "Weiche 5"        id, address, name
//   module 100                          feedback module id (16 ports); contact n of the plan is
//                                       port (n-1)%16 of the ((n-1)/16+1)-th module listed
//   plan Demo/Demo.da2                  the track plan, relative to the scenario file
//   place 1002 Element_Gleis_021_0006_0005 E 3 0.05
//   place 1003 12/5 W 2.5 0.1           loco id, element name or column/row, the heading when
//                                       driving forward (N NE E SE S SW W NW), length in cells,
//                                       cells per second per speed step (0..127)
struct Scenario {
    QString product = QStringLiteral("ECoS2");
    QString protocolVersion = QStringLiteral("0.5");
    QString applicationVersion = QStringLiteral("4.2.6");
    QString hardwareVersion = QStringLiteral("2.0");
    std::vector<Lok> locos;
    std::vector<Accessory> accessories;
    std::vector<Module> modules;
    QString plan; // absolute, or relative to the working folder; empty = no layout
    std::vector<Placement> placements;

    // Reads the format above; a relative plan path is taken relative to `folder` (when given).
    // The error names the line.
    static std::optional<Scenario> parse(const QString& text, QString* error = nullptr, const QString& folder = {});
    // Reads a scenario file; its plan path is relative to the file's folder.
    static std::optional<Scenario> read(const QString& path, QString* error = nullptr);
};

// "N", "NE", "E", "SE", "S", "SW", "W", "NW" (any case); none for anything else.
Seite HeadingFromText(const QString& text);
QString HeadingText(Seite heading);

// A placement from its words (loco id, element or column/row, heading, length, scale); the
// error says what is wrong.
std::optional<Placement> ParsePlacement(const QStringList& words, QString* error);

} // namespace Sim
