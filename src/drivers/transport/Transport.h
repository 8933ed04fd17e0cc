// A byte link to a command station, shared by all drivers. The driver logic owns no socket: it is
// given a Transport, sends through it and gets the link's events through the callbacks below.
//
// Every callback runs on the UI thread. A callback may run inside a call of the driver (close()
// of a connected link reports disconnected at once), so handlers must be re-entrant.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

class Transport {
public:
    virtual ~Transport() = default;

    // Starts opening the link; the result comes later as connected or error. Any earlier link
    // is dropped first without reporting.
    virtual void open(const QString& host, int port) = 0;
    // Queues the bytes for sending; dropped when the link is not open.
    virtual void send(QByteArrayView bytes) = 0;
    // Closes the link; an open link reports disconnected.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The other side's address as text; empty while not open.
    virtual QString peerAddress() const = 0;

    std::function<void()> onConnected;
    std::function<void()> onDisconnected;
    std::function<void(const QString& error)> onError;
    std::function<void(QByteArrayView bytes)> onReceived;

protected:
    void reportConnected() { if (onConnected) { onConnected(); } }
    void reportDisconnected() { if (onDisconnected) { onDisconnected(); } }
    void reportError(const QString& error) { if (onError) { onError(error); } }
    void reportReceived(QByteArrayView bytes) { if (onReceived) { onReceived(bytes); } }
};
