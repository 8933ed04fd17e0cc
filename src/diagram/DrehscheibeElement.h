// The turntable on the track diagram: exactly one, "Drehscheibe1", created hidden at (100, 100)
// when the program starts and shown when placed on the plan. Its turning state belongs to the
// turntable's own logic. Owned by TGleisBild.
#pragma once

#include <QString>
#include <array>

class TDrehscheibeElement {
public:
    QString Name = QStringLiteral("Drehscheibe1");
    int Left = 100;
    int Top = 100;
    bool Visible = false;
    bool Platziert = false; // the turntable-placed flag of the plan
    int Position = 0;       // the bridge's track position 0..47
    std::array<int, 48> AnschlussGleis{}; // track number at each position, 0 = none
};
