#include "core/ColorText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

namespace {
struct NamedColor {
    TColor value;
    const char* name;
};

constexpr TColor kSystem = 0xFF000000;

constexpr std::array<NamedColor, 52> kNames = {{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {kSystem + 0, "clScrollBar"}, {kSystem + 1, "clBackground"}, {kSystem + 2, "clActiveCaption"},
    {kSystem + 3, "clInactiveCaption"}, {kSystem + 4, "clMenu"}, {kSystem + 5, "clWindow"},
    {kSystem + 6, "clWindowFrame"}, {kSystem + 7, "clMenuText"}, {kSystem + 8, "clWindowText"},
    {kSystem + 9, "clCaptionText"}, {kSystem + 10, "clActiveBorder"}, {kSystem + 11, "clInactiveBorder"},
    {kSystem + 12, "clAppWorkSpace"}, {kSystem + 13, "clHighlight"}, {kSystem + 14, "clHighlightText"},
    {kSystem + 15, "clBtnFace"}, {kSystem + 16, "clBtnShadow"}, {kSystem + 17, "clGrayText"},
    {kSystem + 18, "clBtnText"}, {kSystem + 19, "clInactiveCaptionText"}, {kSystem + 20, "clBtnHighlight"},
    {kSystem + 21, "cl3DDkShadow"}, {kSystem + 22, "cl3DLight"}, {kSystem + 23, "clInfoText"},
    {kSystem + 24, "clInfoBk"}, {kSystem + 26, "clHotLight"}, {kSystem + 27, "clGradientActiveCaption"},
    {kSystem + 28, "clGradientInactiveCaption"}, {kSystem + 29, "clMenuHighlight"}, {kSystem + 30, "clMenuBar"},
    {clNone, "clNone"}, {clDefault, "clDefault"},
}};

// The classic desktop scheme, indexed like the system colours (00BBGGRR); index 25 is unused.
constexpr std::array<TColor, 31> kSystemValues = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0,
};

QColor fromBgr(TColor bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
} // namespace

QString ColorToString(TColor color)
{
    for (const NamedColor& named : kNames) {
        if (named.value == color) {
            return QString::fromLatin1(named.name);
        }
    }
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<TColor> StringToColor(QStringView text)
{
    const QStringView t = text.trimmed();
    for (const NamedColor& named : kNames) {
        if (t.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) {
            return named.value;
        }
    }
    if (t.startsWith(u'$')) {
        const QStringView digits = t.mid(1);
        const bool hex = !digits.isEmpty() && digits.size() <= 8
            && std::all_of(digits.begin(), digits.end(), [](QChar c) { return isxdigit(c.unicode()) && c.unicode() < 128; });
        return hex ? std::optional<TColor>(static_cast<TColor>(digits.toULong(nullptr, 16))) : std::nullopt;
    }
    // A decimal value, signed (as a 32-bit integer) or unsigned.
    bool ok = false;
    const qint64 value = t.toLongLong(&ok, 10);
    if (ok && value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<quint32>::max()) {
        return static_cast<TColor>(static_cast<quint32>(value));
    }
    return std::nullopt;
}

QColor ToQColor(TColor color)
{
    if (color == clNone || color == clDefault) {
        return {};
    }
    if ((color & 0xFF000000) == kSystem) {
        const TColor index = color & 0xFF;
        return index < kSystemValues.size() ? fromBgr(kSystemValues[index]) : QColor();
    }
    return fromBgr(color & 0xFFFFFF);
}

TColor FromQColor(const QColor& color)
{
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}
