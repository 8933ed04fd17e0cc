// Readable test failure output for Qt value types.
#pragma once

#include "core/CoreMessage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << '"' << bytes.toStdString() << "\" (" << bytes.toHex(' ').toStdString() << ')';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *os << (i ? ", " : "") << '"' << list[i].toStdString() << '"';
    }
    *os << '}';
}

inline void PrintTo(const CoreMessage& message, std::ostream* os)
{
    *os << ToString(message).toStdString();
}
