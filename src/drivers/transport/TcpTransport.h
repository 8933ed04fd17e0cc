// Transport over a TCP client socket (QTcpSocket, non-blocking, event driven). UI thread only.
#pragma once

#include "drivers/transport/Transport.h"

#include <QObject>

class QTcpSocket;

class TcpTransport final : public QObject, public Transport {
    Q_OBJECT
public:
    explicit TcpTransport(QObject* parent = nullptr);
    ~TcpTransport() override;

    // Aborts any earlier attempt or link (without reporting it), then connects.
    void open(const QString& host, int port) override;
    void send(QByteArrayView bytes) override;
    void close() override;
    bool isOpen() const override;
    QString peerAddress() const override;

private:
    QTcpSocket* socket_;
    bool quiet_ = false; // set while aborting in open(): the old link's end is not reported
};
