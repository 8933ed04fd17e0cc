// A free-standing text field of the track diagram, placed by pixel position. Owned by TGleisBild.
#pragma once

#include "core/ColorText.h"

#include <QString>

class TTextElement {
public:
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 20;
    QString Text;
    QString FontName = QStringLiteral("Arial");
    int FontSize = 8;
    TColor FontColor = clBlack;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikeOut = false;
    TColor BackgroundColor = clBtnFace;
    TColor RahmenFarbe = clGray; // one-pixel border
    bool Visible = true;
};
