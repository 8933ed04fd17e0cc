// A free-standing switch panel: a picture and an "on" and an "off" key that drive accessory
// `MagnetArtNummer`; as a push button (201) one key toggles. Owned by TGleisBild.
#pragma once

#include "core/ColorText.h"

#include <QRect>
#include <QString>

class TSchalterElement {
public:
    static constexpr int Taster = 201;  // one key that toggles
    static constexpr int AnAus = 202;   // separate "on" and "off" keys

    struct Taste {
        QRect rect;
        TColor Farbe = clBtnFace;
        bool Visible = true;
        bool Gedrueckt = false;
    };

    explicit TSchalterElement(QString name);

    // Sets the kind; a push button shows its "on" key raised and hides the "off" key.
    void SetTasterSchalter(int kind);

    QString Name;
    int Left = 0;
    int Top = 0;
    int Width = 62;
    int Height = 20;
    int TasterSchalter = AnAus;
    int BildNr = 0;          // picture number in the key-picture list
    int MagnetArtNummer = 0; // accessory address
    int Zustand = 0;         // 0 off, 1 on
    QString Caption;
    TColor BackgroundColor = clBtnFace;
    QString FontName = QStringLiteral("Arial");
    int FontSize = 8;
    TColor FontColor = clBlack;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikeOut = false;
    bool Visible = true;

    QRect TastenBild{3, 2, 20, 20}; // "TastenBild"
    Taste ANTaste;                  // "ANTaste"
    Taste AUSTaste;                 // "AUSTaste"
};
