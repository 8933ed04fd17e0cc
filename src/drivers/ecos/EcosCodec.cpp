#include "drivers/ecos/EcosCodec.h"

#include "core/Windows1252.h"

namespace Ecos {

QStringList LineFramer::push(QByteArrayView bytes)
{
    QStringList lines;
    tail_.append(bytes.data(), bytes.size());
    qsizetype start = 0;
    for (;;) {
        const qsizetype lf = tail_.indexOf('\n', start);
        if (lf < 0) {
            break;
        }
        qsizetype end = lf;
        while (end > start && tail_.at(end - 1) == '\r') {
            --end;
        }
        lines.append(FromWindows1252(QByteArrayView(tail_).sliced(start, end - start)));
        start = lf + 1;
    }
    tail_.remove(0, start);
    return lines;
}

bool isReplyHead(QStringView line)
{
    return line.startsWith(u"<REPLY ");
}

bool isEventHead(QStringView line)
{
    return line.startsWith(u"<EVENT ");
}

bool isEnd(QStringView line)
{
    return line.startsWith(u"<END");
}

QString bracketContent(QStringView line)
{
    const qsizetype open = line.indexOf(u'[');
    if (open < 0) {
        return {};
    }
    const qsizetype close = line.indexOf(u']', open + 1);
    if (close < 0) {
        return {};
    }
    return line.mid(open + 1, close - open - 1).toString();
}

quint32 hexValue(QStringView text)
{
    quint64 value = 0;
    const QString upper = text.toString().toUpper();
    int position = 0;
    for (qsizetype i = upper.size() - 1; i >= 0 && position < 8; --i, ++position) {
        const QChar c = upper.at(i);
        int digit = 0;
        if (c >= u'1' && c <= u'9') {
            digit = c.unicode() - u'0';
        } else if (c >= u'A' && c <= u'F') {
            digit = c.unicode() - u'A' + 10;
        }
        value += quint64(digit) << (4 * position);
    }
    return static_cast<quint32>(value);
}

std::optional<int> number(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || text.isEmpty() || text.front().isSpace() || text.back().isSpace()) {
        return std::nullopt;
    }
    return value;
}

std::optional<QString> ObjectLine::value(QStringView name) const
{
    for (const auto& [n, v] : attributes) {
        if (n == name) {
            return v;
        }
    }
    return std::nullopt;
}

std::optional<ObjectLine> parseObjectLine(QStringView line)
{
    qsizetype i = 0;
    while (i < line.size() && line.at(i).isDigit()) {
        ++i;
    }
    if (i == 0 || i > 9 || (i < line.size() && line.at(i) != u' ')) {
        return std::nullopt;
    }
    ObjectLine result;
    result.id = line.first(i).toString();
    result.idNumber = result.id.toInt();
    while (i < line.size()) {
        while (i < line.size() && (line.at(i) == u' ' || line.at(i) == u',')) {
            ++i;
        }
        if (i >= line.size()) {
            break;
        }
        const qsizetype nameStart = i;
        while (i < line.size() && line.at(i) != u'[' && line.at(i) != u' ') {
            ++i;
        }
        QString name = line.mid(nameStart, i - nameStart).toString();
        QString value;
        if (i < line.size() && line.at(i) == u'[') {
            ++i;
            const qsizetype valueStart = i;
            bool quoted = false;
            while (i < line.size() && (quoted || line.at(i) != u']')) {
                if (line.at(i) == u'"') {
                    quoted = !quoted;
                }
                ++i;
            }
            value = line.mid(valueStart, i - valueStart).toString();
            if (i < line.size()) {
                ++i; // ']'
            }
        }
        result.attributes.emplace_back(std::move(name), std::move(value));
    }
    return result;
}

QString unquote(QStringView value)
{
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"') {
        return value.mid(1, value.size() - 2).toString();
    }
    return value.toString();
}

std::optional<EndLine> parseEnd(QStringView line)
{
    if (!line.startsWith(u"<END ") || !line.endsWith(u'>')) {
        return std::nullopt;
    }
    const QStringView inner = line.mid(5, line.size() - 6);
    const qsizetype blank = inner.indexOf(u' ');
    const std::optional<int> status = number(blank < 0 ? inner : inner.first(blank));
    if (!status) {
        return std::nullopt;
    }
    EndLine end;
    end.status = *status;
    if (blank >= 0) {
        QStringView text = inner.mid(blank + 1);
        if (text.startsWith(u'(') && text.endsWith(u')')) {
            text = text.mid(1, text.size() - 2);
        }
        end.text = text.toString();
    }
    return end;
}

QByteArray Block::encode() const
{
    QString text = (kind == Kind::Reply ? QStringLiteral("<REPLY ") : QStringLiteral("<EVENT ")) + head
                   + QStringLiteral(">\r\n");
    for (const QString& line : lines) {
        text += line + QStringLiteral("\r\n");
    }
    text += QStringLiteral("<END %1 (%2)>\r\n").arg(status).arg(statusText);
    return ToWindows1252(text);
}

std::optional<Block> parseBlock(const QStringList& lines)
{
    if (lines.size() < 2) {
        return std::nullopt;
    }
    const QString& first = lines.front();
    if ((!isReplyHead(first) && !isEventHead(first)) || !first.endsWith(u'>')) {
        return std::nullopt;
    }
    const std::optional<EndLine> end = parseEnd(lines.back());
    if (!end) {
        return std::nullopt;
    }
    Block block;
    block.kind = isReplyHead(first) ? Block::Kind::Reply : Block::Kind::Event;
    block.head = first.mid(7, first.size() - 8);
    block.lines = lines.mid(1, lines.size() - 2);
    block.status = end->status;
    block.statusText = end->text;
    return block;
}

std::optional<Command> parseCommand(QStringView text)
{
    text = text.trimmed();
    const qsizetype open = text.indexOf(u'(');
    if (open <= 0 || !text.endsWith(u')')) {
        return std::nullopt;
    }
    Command command;
    command.verb = text.first(open).trimmed().toString();
    const QStringView inner = text.mid(open + 1, text.size() - open - 2);
    QStringList parts;
    int depth = 0;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= inner.size(); ++i) {
        const QChar c = i < inner.size() ? inner.at(i) : QChar(u',');
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && c == u'[') {
            ++depth;
        } else if (!quoted && c == u']') {
            --depth;
        } else if (!quoted && depth == 0 && c == u',') {
            parts.append(inner.mid(start, i - start).trimmed().toString());
            start = i + 1;
        }
    }
    const std::optional<int> id = parts.isEmpty() ? std::nullopt : number(parts.front());
    if (!id) {
        return std::nullopt;
    }
    command.id = *id;
    command.arguments = parts.mid(1);
    return command;
}

QByteArray encodeCommand(const QString& command)
{
    return ToWindows1252(command) + '\n';
}

QString requestView(int id) { return QStringLiteral("request(%1, view)").arg(id); }
QString requestControl(int id) { return requestControl(QString::number(id)); }
QString requestControl(const QString& id) { return QStringLiteral("request(%1, control, force)").arg(id); }
QString releaseView(int id) { return QStringLiteral("release(%1, view)").arg(id); }
QString releaseControl(const QString& id) { return QStringLiteral("release(%1, control)").arg(id); }
QString getInfo() { return QStringLiteral("get(1, info)"); }
QString setGo() { return QStringLiteral("set(1, go)"); }
QString setStop() { return QStringLiteral("set(1, stop)"); }
QString queryLocos() { return QStringLiteral("queryObjects(10, addr, name)"); }
QString queryLocoProtocols() { return QStringLiteral("queryObjects(10, protocol)"); }
QString queryAccessoryAddresses() { return QStringLiteral("queryObjects(11, addr)"); }
QString queryAccessoryNames() { return QStringLiteral("queryObjects(11, name1)"); }
QString queryFeedbackModules() { return QStringLiteral("queryObjects(26,ports)"); }
QString setModulePorts(int id) { return QStringLiteral("set(%1, ports[16])").arg(id); }
QString setSpeed(const QString& id, int speed) { return QStringLiteral("set(%1, speed[%2])").arg(id).arg(speed); }
QString setDirection(const QString& id, int d) { return QStringLiteral("set(%1 , dir[%2])").arg(id).arg(d); }
QString setFunction(const QString& id, int f, int v)
{
    return QStringLiteral("set(%1, func[%2, %3])").arg(id).arg(f).arg(v);
}
QString setState(const QString& id, int p) { return QStringLiteral("set(%1, state[%2])").arg(id).arg(p); }
QString getAttribute(const QString& id, const QString& attribute)
{
    return QStringLiteral("get(%1, %2)").arg(id, attribute);
}
QString getFuncSymbol(const QString& id, int n) { return QStringLiteral("get(%1, funcsymbol[%2])").arg(id).arg(n); }

QString toString(const QString& line, bool sent)
{
    return (sent ? QStringLiteral(">> ") : QStringLiteral("<< ")) + line;
}

QString toString(const Block& block)
{
    QString text = block.kind == Block::Kind::Reply ? QStringLiteral("REPLY ") : QStringLiteral("EVENT ");
    text += block.head;
    if (!block.lines.isEmpty()) {
        text += QStringLiteral(": ") + block.lines.join(QStringLiteral(" | "));
    }
    text += QStringLiteral(" [%1 %2]").arg(block.status).arg(block.statusText);
    return text;
}

} // namespace Ecos
