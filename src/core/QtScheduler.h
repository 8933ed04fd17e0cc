// The production scheduler: one precise QTimer per pending step, on the UI thread's event loop.
#pragma once

#include "core/Scheduler.h"

#include <QElapsedTimer>
#include <QObject>
#include <map>

class QTimer;

class QtScheduler final : public QObject, public Scheduler {
    Q_OBJECT
public:
    explicit QtScheduler(QObject* parent = nullptr);
    ~QtScheduler() override;

    qint64 now() const override;
    void after(qint64 delayMs, const QString& tag, Step step) override;
    void every(qint64 periodMs, const QString& tag, Step step) override;
    void cancel(const QString& tag) override;
    bool isPending(const QString& tag) const override;

private:
    struct Entry {
        QTimer* timer;
        QString tag;
        Step step;
    };
    void start(qint64 ms, bool repeat, const QString& tag, Step step);
    void fire(quint64 id);
    void release(std::map<quint64, Entry>::iterator it);

    std::map<quint64, Entry> entries_;
    quint64 nextId_ = 0;
    QElapsedTimer clock_;
};
