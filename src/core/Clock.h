// Wall-clock time for log lines and dates written into files. Injected, so tests fix it.
#pragma once

#include <QDateTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    // "hh:mm:ss", as in every log line.
    QString timeText() const { return now().time().toString(QStringLiteral("hh:mm:ss")); }
    // "dd.MM.yyyy" whatever the locale, as in every file.
    QString dateText() const { return now().date().toString(QStringLiteral("dd.MM.yyyy")); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime time) : time_(std::move(time)) {}
    QDateTime now() const override { return time_; }
    void set(const QDateTime& time) { time_ = time; }

private:
    QDateTime time_;
};
