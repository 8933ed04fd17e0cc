#include "core/CoreMessage.h"

qint64 Param::toNumber() const
{
    if (const auto* number = std::get_if<qint64>(&value_)) {
        return *number;
    }
    return 0;
}

QString Param::toText() const
{
    if (const auto* text = std::get_if<QString>(&value_)) {
        return *text;
    }
    return QString::number(std::get<qint64>(value_));
}

QString ToString(const CoreMessage& message)
{
    const auto show = [](const Param& p) {
        return p.isText() ? QLatin1Char('"') + p.toText() + QLatin1Char('"') : p.toText();
    };
    return MsgName(message.id) + QLatin1Char('(') + show(message.w) + QStringLiteral(", ")
        + show(message.l) + QLatin1Char(')');
}
