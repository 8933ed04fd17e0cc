#include "drivers/transport/TcpTransport.h"

#include <QHostAddress>
#include <QTcpSocket>

TcpTransport::TcpTransport(QObject* parent) : QObject(parent), socket_(new QTcpSocket(this))
{
    connect(socket_, &QTcpSocket::connected, this, [this] { reportConnected(); });
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        if (!quiet_) {
            reportDisconnected();
        }
    });
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        // The peer closing the link is reported as disconnected, not as an error.
        if (!quiet_ && error != QAbstractSocket::RemoteHostClosedError) {
            reportError(socket_->errorString());
        }
    });
    connect(socket_, &QTcpSocket::readyRead, this, [this] {
        const QByteArray bytes = socket_->readAll();
        if (!bytes.isEmpty()) {
            reportReceived(bytes);
        }
    });
}

TcpTransport::~TcpTransport()
{
    quiet_ = true;
    socket_->abort();
}

void TcpTransport::open(const QString& host, int port)
{
    quiet_ = true;
    socket_->abort();
    quiet_ = false;
    socket_->connectToHost(host, static_cast<quint16>(port));
}

void TcpTransport::send(QByteArrayView bytes)
{
    if (socket_->state() == QAbstractSocket::ConnectedState) {
        socket_->write(bytes.data(), bytes.size());
    }
}

void TcpTransport::close()
{
    if (socket_->state() == QAbstractSocket::ConnectedState) {
        socket_->flush();
        socket_->disconnectFromHost();
        if (socket_->state() != QAbstractSocket::UnconnectedState) {
            socket_->abort();
        }
    } else {
        quiet_ = true;
        socket_->abort();
        quiet_ = false;
    }
}

bool TcpTransport::isOpen() const
{
    return socket_->state() == QAbstractSocket::ConnectedState;
}

QString TcpTransport::peerAddress() const
{
    return isOpen() ? socket_->peerAddress().toString() : QString();
}
