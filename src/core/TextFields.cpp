#include "core/TextFields.h"

#include <algorithm>
#include <limits>

QString ZeroPad(qint64 n, int digits)
{
    return QStringLiteral("%1").arg(std::max<qint64>(n, 0), digits, 10, QLatin1Char('0'));
}

QString ZeroPad2(qint64 n) { return ZeroPad(n, 2); }
QString ZeroPad3(qint64 n) { return ZeroPad(n, 3); }
QString ZeroPad4(qint64 n) { return ZeroPad(n, 4); }
QString ZeroPad5(qint64 n) { return ZeroPad(n, 5); }

qint64 ClampToField(qint64 n, int digits)
{
    qint64 limit = 1;
    for (int i = 0; i < std::clamp(digits, 1, 18); ++i) {
        limit *= 10;
    }
    return std::clamp<qint64>(n, 0, limit - 1);
}

QString FixedField(qint64 n, int digits)
{
    return ZeroPad(ClampToField(n, digits), digits);
}

QString Columns(const QString& line, int first, int last)
{
    const int from = std::max(first, 1);
    const int to = std::min<qsizetype>(last, line.size());
    return to < from ? QString() : line.mid(from - 1, to - from + 1);
}

QString ColumnsFrom(const QString& line, int first)
{
    return Columns(line, first, std::numeric_limits<int>::max());
}

std::optional<int> ParseInt(QStringView text)
{
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i == t.size()) {
        return std::nullopt;
    }
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (t[i].unicode() - u'0');
        if (value > qint64{std::numeric_limits<int>::max()} + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}
