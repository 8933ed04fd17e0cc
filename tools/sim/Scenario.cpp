#include "Scenario.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace Sim {

namespace {
// Splits a scenario line into words; "double quoted" words may hold blanks.
QStringList words(const QString& line)
{
    QStringList list;
    static const QRegularExpression re(QStringLiteral(R"re("([^"]*)"|(\S+))re"));
    for (auto it = re.globalMatch(line); it.hasNext();) {
        const auto m = it.next();
        list << (m.capturedStart(1) >= 0 ? m.captured(1) : m.captured(2));
    }
    return list;
}

constexpr std::array<const char16_t*, 9> kHeadings = {u"", u"N", u"NE", u"E", u"SE", u"S", u"SW", u"W", u"NW"};

// "12/5" -> column 12, row 5.
std::optional<QPoint> cellFromText(const QString& text)
{
    const QStringList parts = text.split(u'/');
    bool okX = false;
    bool okY = false;
    if (parts.size() != 2) {
        return std::nullopt;
    }
    const int x = parts[0].toInt(&okX);
    const int y = parts[1].toInt(&okY);
    return okX && okY ? std::optional<QPoint>(QPoint(x, y)) : std::nullopt;
}

// Checks the items that refer to each other, after the last line.
QString crossCheck(const Scenario& s)
{
    std::vector<int> placed;
    for (const Placement& p : s.placements) {
        const bool known = std::any_of(s.locos.begin(), s.locos.end(), [&](const Lok& l) { return l.id == p.locoId; });
        if (!known) {
            return QStringLiteral("place: no loco %1").arg(p.locoId);
        }
        if (std::find(placed.begin(), placed.end(), p.locoId) != placed.end()) {
            return QStringLiteral("place: loco %1 placed twice").arg(p.locoId);
        }
        placed.push_back(p.locoId);
    }
    if (!s.placements.empty() && s.plan.isEmpty()) {
        return QStringLiteral("place needs a plan");
    }
    return {};
}
} // namespace

Seite HeadingFromText(const QString& text)
{
    for (int code = 1; code <= 8; ++code) {
        if (text.compare(QString::fromUtf16(kHeadings[static_cast<size_t>(code)]), Qt::CaseInsensitive) == 0) {
            return SeiteVonCode(code);
        }
    }
    return KeineSeite;
}

QString HeadingText(Seite heading)
{
    return QString::fromUtf16(kHeadings[static_cast<size_t>(heading)]);
}

std::optional<Placement> ParsePlacement(const QStringList& w, QString* error)
{
    const auto fail = [error](const QString& why) -> std::optional<Placement> {
        if (error) {
            *error = why;
        }
        return std::nullopt;
    };
    if (w.size() != 5) {
        return fail(QStringLiteral("place <loco> <element or x/y> <heading> <length> <scale> expected"));
    }
    Placement p;
    bool okId = false;
    bool okLength = false;
    bool okScale = false;
    p.locoId = w[0].toInt(&okId);
    p.cell = cellFromText(w[1]);
    if (!p.cell) {
        p.element = w[1];
    }
    p.heading = HeadingFromText(w[2]);
    p.length = w[3].toDouble(&okLength);
    p.scale = w[4].toDouble(&okScale);
    if (!okId) {
        return fail(QStringLiteral("place: loco id expected"));
    }
    if (p.heading == KeineSeite) {
        return fail(QStringLiteral("place: heading N NE E SE S SW W NW expected"));
    }
    if (!okLength || p.length <= 0 || !okScale || p.scale < 0) {
        return fail(QStringLiteral("place: length above 0 and scale from 0 expected"));
    }
    return p;
}

std::optional<Scenario> Scenario::parse(const QString& text, QString* error, const QString& folder)
{
    Scenario s;
    int lineNo = 0;
    const auto fail = [&](const QString& why) -> std::optional<Scenario> {
        if (error) {
            *error = lineNo > 0 ? QStringLiteral("line %1: %2").arg(lineNo).arg(why) : why;
        }
        return std::nullopt;
    };
    for (QString line : text.split(u'\n')) {
        ++lineNo;
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const QStringList w = words(line);
        bool ok1 = true, ok2 = true;
        if (w[0] == u"info" && w.size() == 5) {
            s.product = w[1];
            s.protocolVersion = w[2];
            s.applicationVersion = w[3];
            s.hardwareVersion = w[4];
        } else if (w[0] == u"loco" && w.size() == 5) {
            Lok l;
            l.id = w[1].toInt(&ok1);
            l.addr = w[2].toInt(&ok2);
            l.protocol = w[3];
            l.name = w[4];
            if (!ok1 || !ok2 || l.id < 1000 || l.id > 9999) {
                return fail(QStringLiteral("loco id 1000..9999 and address expected"));
            }
            s.locos.push_back(l);
        } else if (w[0] == u"accessory" && w.size() == 4) {
            Accessory a;
            a.id = w[1].toInt(&ok1);
            a.addr = w[2].toInt(&ok2);
            a.name = w[3];
            if (!ok1 || !ok2 || a.id < 20000) {
                return fail(QStringLiteral("accessory id from 20000 and address expected"));
            }
            s.accessories.push_back(a);
        } else if (w[0] == u"module" && w.size() == 2) {
            Module m;
            m.id = w[1].toInt(&ok1);
            if (!ok1 || m.id < 100 || m.id > 299) {
                return fail(QStringLiteral("module id 100..299 expected"));
            }
            s.modules.push_back(m);
        } else if (w[0] == u"plan" && w.size() == 2) {
            s.plan = folder.isEmpty() || QDir::isAbsolutePath(w[1]) ? w[1] : QDir(folder).filePath(w[1]);
        } else if (w[0] == u"place") {
            QString why;
            const std::optional<Placement> p = ParsePlacement(w.mid(1), &why);
            if (!p) {
                return fail(why);
            }
            s.placements.push_back(*p);
        } else {
            return fail(QStringLiteral("unknown item: ") + line);
        }
    }
    lineNo = 0;
    if (const QString why = crossCheck(s); !why.isEmpty()) {
        return fail(why);
    }
    return s;
}

std::optional<Scenario> Scenario::read(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = QStringLiteral("cannot read ") + path;
        }
        return std::nullopt;
    }
    return parse(QString::fromUtf8(file.readAll()), error, QFileInfo(path).absolutePath());
}

} // namespace Sim
