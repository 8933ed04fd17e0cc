// What a train's panel shows, worked out from the train and the project settings: texts,
// hints, colours, picture numbers and the places of the function keys. A value; the panel
// widget (TZugPanel) only puts it on the screen. UI thread.
#pragma once

#include "operation/Zug.h"

#include <QPoint>
#include <QString>
#include <array>

struct ProjectSettings;

struct ZugPanelAnsicht {
    static constexpr int Breite = 180;
    static constexpr int Hoehe = 180;
    static constexpr int HoeheGross = 194; // more than 12 function keys shown

    // Numbers in the panel's picture list (ZugPanelBild).
    enum Bild {
        BildSchliessen = 0,
        BildStop = 1,
        BildRichtung0 = 2,
        BildRichtung1 = 3,
        BildLichtAn = 4,
        BildLichtAus = 5,
        BildAutomaticAn = 7,
        BildAutomaticAus = 8,
        BildInfo = 9,
    };

    struct Taste {
        bool sichtbar = false;
        QPoint pos;
        int bild = 0; // index in the function icon list
        bool an = false;
        QString hinweis;
    };

    bool sichtbar = false;
    QPoint pos;
    int hoehe = Hoehe;
    QString farbe; // colour text of the panel

    QString name;
    bool nameMagenta = false;
    QString nameHinweis;
    QString ecosId;

    int richtungBild = BildRichtung0;
    int lichtBild = BildLichtAus;
    int automaticBild = BildAutomaticAus;

    int speedMax = 0;
    int speedWert = 0; // the position of the speed bar: the step last requested
    QString speedText;

    int untenTop = 133;    // direction key, speed label, automatic and info keys
    int speedBarTop = 155;

    std::array<Taste, 17> tasten{}; // 1..16; [0] unused
    int tastenGezeigt = 0;
};

// The name label: the name cut to 17 characters + " (" + address + ")", or + " (Auto)" while
// the train runs a route in automatic operation.
QString ZugPanelName(const TZug& zug);
// The hint of the name label: the protocol and the addresses.
QString ZugPanelAdressHinweis(const TZug& zug);
// Place k (1, 2, ...) of a function key on the panel.
QPoint ZugPanelTastenPlatz(int k);

ZugPanelAnsicht ZugPanelAnsehen(const TZug& zug, const ProjectSettings& settings);
