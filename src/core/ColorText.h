// Colours as stored in project files: the 32-bit colour value 00BBGGRR (red in the low byte),
// system colours as 0xFF000000 + index, and the two special values clNone and clDefault.
#pragma once

#include <QColor>
#include <QString>
#include <optional>

using TColor = quint32;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// The colour's name when it has one ("clRed", "clBtnFace"), otherwise "$" + eight upper-case
// hexadecimal digits ("$00336699").
QString ColorToString(TColor color);
// Accepts a name (any letter case), "$" + hexadecimal digits, or a decimal number.
std::optional<TColor> StringToColor(QStringView text);

// The colour to paint with. System colours take the classic desktop scheme's values; clNone
// and clDefault give an invalid QColor.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
