#include "core/FontStyleText.h"

QString FontStyleToString(const FontStyle& style)
{
    QString text;
    for (bool flag : {style.bold, style.italic, style.underline, style.strikeOut}) {
        text += flag ? u'T' : u'F';
    }
    return text;
}

FontStyle StringToFontStyle(QStringView text)
{
    const auto at = [&text](qsizetype i) { return i < text.size() && text[i].toUpper() == u'T'; };
    return {at(0), at(1), at(2), at(3)};
}

FontStyle FontStyleOf(const QFont& font)
{
    return {font.bold(), font.italic(), font.underline(), font.strikeOut()};
}

void ApplyFontStyle(QFont& font, const FontStyle& style)
{
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strikeOut);
}
