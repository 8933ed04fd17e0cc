// One core message: number and two parameters. A parameter holds a number or a text; a
// receiver that keeps a text keeps its own copy (QString is a value).
#pragma once

#include "core/Msg.h"

#include <QString>
#include <variant>

class Param {
public:
    Param() = default;
    Param(qint64 number) : value_(number) {}
    Param(int number) : value_(qint64{number}) {}
    Param(const QString& text) : value_(text) {}
    Param(const char* text) : value_(QString::fromUtf8(text)) {}

    bool isText() const { return std::holds_alternative<QString>(value_); }
    // The number; a text parameter reads as 0.
    qint64 toNumber() const;
    int toInt() const { return static_cast<int>(toNumber()); }
    // The text; a number parameter reads as its decimal text.
    QString toText() const;

    bool operator==(const Param& other) const = default;

private:
    std::variant<qint64, QString> value_{qint64{0}};
};

struct CoreMessage {
    Msg id;
    Param w;
    Param l;

    bool operator==(const CoreMessage& other) const = default;
};

// Short description for logs: "WM_MAG(12, 1)".
QString ToString(const CoreMessage& message);
