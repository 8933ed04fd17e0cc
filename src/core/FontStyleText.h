// Font styles as stored in project files: four characters "T"/"F" for bold, italic, underline
// and strike-out, in that order ("TFFF" = bold).
#pragma once

#include <QFont>
#include <QString>

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontStyle&) const = default;
};

QString FontStyleToString(const FontStyle& style);
// Character i set means "T" (either case); missing characters count as "F".
FontStyle StringToFontStyle(QStringView text);

FontStyle FontStyleOf(const QFont& font);
void ApplyFontStyle(QFont& font, const FontStyle& style);
