// Transport for tests: records what the driver sent and lets the test play the other side
// (connection events and received bytes), synchronously.
#pragma once

#include "drivers/transport/Transport.h"

#include <QStringList>

class FakeTransport final : public Transport {
public:
    void open(const QString& host, int port) override
    {
        ++opens;
        lastHost = host;
        lastPort = port;
        open_ = false;
    }
    void send(QByteArrayView bytes) override
    {
        if (open_) {
            sent.append(QByteArray(bytes.data(), bytes.size()));
        } else {
            ++droppedSends;
        }
    }
    void close() override
    {
        ++closes;
        if (open_) {
            open_ = false;
            reportDisconnected();
        }
    }
    bool isOpen() const override { return open_; }
    QString peerAddress() const override { return open_ ? lastHost : QString(); }

    // The other side's actions.
    void accept()
    {
        open_ = true;
        reportConnected();
    }
    void refuse(const QString& error = QStringLiteral("Connection refused")) { reportError(error); }
    void drop()
    {
        open_ = false;
        reportDisconnected();
    }
    void feed(QByteArrayView bytes) { reportReceived(bytes); }

    // Everything sent, each send() as one entry; sentText() joins them.
    QList<QByteArray> sent;
    QString sentText() const
    {
        QByteArray all;
        for (const QByteArray& s : sent) {
            all += s;
        }
        return QString::fromLatin1(all);
    }
    // The commands sent, one per line, without terminators.
    QStringList sentCommands() const { return sentText().split(u'\n', Qt::SkipEmptyParts); }

    int opens = 0;
    int closes = 0;
    int droppedSends = 0;
    QString lastHost;
    int lastPort = 0;

private:
    bool open_ = false;
};
