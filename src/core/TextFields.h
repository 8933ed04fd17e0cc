// Numbers and fixed columns in the lines of project files.
#pragma once

#include <QString>
#include <optional>

// Decimal text with at least 2, 3, 4 or 5 digits, leading zeros; a wider number is written in
// full. A negative number is written as 0: a file never holds "00-5", which no reader takes.
QString ZeroPad2(qint64 n);
QString ZeroPad3(qint64 n);
QString ZeroPad4(qint64 n);
QString ZeroPad5(qint64 n);
QString ZeroPad(qint64 n, int digits);

// Clamps a number into what a fixed field of `digits` characters can hold (0 .. 10^digits - 1),
// so that a writer never produces a line its own reader cannot read back.
qint64 ClampToField(qint64 n, int digits);
// ZeroPad of the clamped number: always exactly `digits` characters.
QString FixedField(qint64 n, int digits);

// Characters `first` .. `last` of a line, 1-based and inclusive. Positions outside the line are
// clamped; an empty or inverted range gives "".
QString Columns(const QString& line, int first, int last);
// Characters from `first` (1-based) to the end of the line.
QString ColumnsFrom(const QString& line, int first);

// Strict decimal integer: optional blanks around an optional sign and at least one digit, and
// nothing else; nullopt for anything else or a value outside int.
std::optional<int> ParseInt(QStringView text);
