#include "EcosSimulator.h"

#include "LayoutModel.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace Sim {

// ---- station ---------------------------------------------------------------------------------------------

EcosStation::EcosStation(Scenario scenario) : s_(std::move(scenario)) {}

QByteArray EcosStation::reply(const QString& head, const QStringList& lines, int status, const QString& text)
{
    Ecos::Block block;
    block.head = head;
    block.lines = lines;
    block.status = status;
    block.statusText = text;
    return block.encode();
}

void EcosStation::event(int objectId, const QStringList& lines)
{
    if (!sink_) {
        return;
    }
    Ecos::Block block;
    block.kind = Ecos::Block::Kind::Event;
    block.head = QString::number(objectId);
    block.lines = lines;
    const QByteArray bytes = block.encode();
    const auto it = views_.find(objectId);
    if (it == views_.end()) {
        return;
    }
    const std::set<ClientId> viewers = it->second;
    for (ClientId client : viewers) {
        sink_(client, bytes);
    }
}

Lok* EcosStation::lokById(int id)
{
    for (Lok& l : s_.locos) {
        if (l.id == id) {
            return &l;
        }
    }
    return nullptr;
}

Accessory* EcosStation::accById(int id)
{
    for (Accessory& a : s_.accessories) {
        if (a.id == id) {
            return &a;
        }
    }
    return nullptr;
}

Module* EcosStation::moduleById(int id)
{
    for (Module& m : s_.modules) {
        if (m.id == id) {
            return &m;
        }
    }
    return nullptr;
}

const Accessory* EcosStation::accessory(int id) const { return const_cast<EcosStation*>(this)->accById(id); }
const Lok* EcosStation::loco(int id) const { return const_cast<EcosStation*>(this)->lokById(id); }

bool EcosStation::exists(int id) const
{
    auto* self = const_cast<EcosStation*>(this);
    return id == 1 || id == 10 || id == 11 || id == 26 || self->lokById(id) || self->accById(id) || self->moduleById(id);
}

QStringList EcosStation::attributes(int id, const QStringList& names)
{
    QStringList parts;
    const QString sid = QString::number(id);
    for (const QString& name : names) {
        QString value;
        if (Lok* l = lokById(id)) {
            if (name == u"addr") value = QString::number(l->addr);
            else if (name == u"name") value = u'"' + l->name + u'"';
            else if (name == u"protocol") value = l->protocol;
            else if (name == u"speed") value = QString::number(l->speed);
            else if (name == u"dir") value = QString::number(l->dir);
            else if (name == u"locodesc") value = l->locodesc;
            else if (name.startsWith(u"funcsymbol[")) {
                const int f = Ecos::bracketContent(name).toInt();
                parts << sid + QStringLiteral(" funcsymbol[%1,%2]").arg(f).arg(f >= 1 && f <= 16 ? 2 + f : 0);
                continue;
            }
        } else if (Accessory* a = accById(id)) {
            if (name == u"addr") value = QString::number(a->addr);
            else if (name == u"name1") value = u'"' + a->name + u'"';
            else if (name == u"state") value = QString::number(a->state);
        } else if (Module* m = moduleById(id)) {
            if (name == u"ports") value = QString::number(m->ports);
            else if (name == u"state") value = QStringLiteral("0x%1").arg(m->state, 0, 16);
        }
        if (!value.isNull()) {
            parts << sid + u' ' + name + u'[' + value + u']';
        }
    }
    return parts;
}

QByteArray EcosStation::handle(ClientId client, const QString& line)
{
    commands_ << line;
    const std::optional<Ecos::Command> cmd = Ecos::parseCommand(line);
    if (!cmd) {
        return reply(line, {}, 2, QStringLiteral("NERROR_UNKNOWNCOMMAND"));
    }
    const QString head = line.trimmed();
    const int id = cmd->id;
    const QStringList& args = cmd->arguments;
    if (!exists(id)) {
        return reply(head, {}, 15, QStringLiteral("NERROR_UNKNOWNID"));
    }
    if (cmd->verb == u"request") {
        if (args.contains(QStringLiteral("view"))) {
            views_[id].insert(client);
        }
        if (args.contains(QStringLiteral("control"))) {
            const auto it = control_.find(id);
            if (it != control_.end() && it->second != client) {
                if (!args.contains(QStringLiteral("force"))) {
                    return reply(head, {}, 25, QStringLiteral("NERROR_NOCONTROL"));
                }
                const ClientId old = it->second;
                if (sink_) {
                    Ecos::Block lost;
                    lost.kind = Ecos::Block::Kind::Event;
                    lost.head = QString::number(id);
                    lost.lines = QStringList{QString::number(id) + QStringLiteral(" msg[CONTROL_LOST]")};
                    sink_(old, lost.encode());
                }
            }
            control_[id] = client;
        }
        return reply(head, {});
    }
    if (cmd->verb == u"release") {
        if (args.contains(QStringLiteral("view"))) {
            views_[id].erase(client);
        }
        if (args.contains(QStringLiteral("control")) && control_.count(id) && control_[id] == client) {
            control_.erase(id);
        }
        return reply(head, {});
    }
    if (cmd->verb == u"get") {
        if (id == 1 && args == QStringList{QStringLiteral("info")}) {
            return reply(head, {QStringLiteral("1 ") + s_.product, QStringLiteral("1 ProtocolVersion[%1]").arg(s_.protocolVersion),
                                QStringLiteral("1 ApplicationVersion[%1]").arg(s_.applicationVersion),
                                QStringLiteral("1 HardwareVersion[%1]").arg(s_.hardwareVersion)});
        }
        if (id == 1 && args == QStringList{QStringLiteral("status")}) {
            return reply(head, {power_ ? QStringLiteral("1 status[GO]") : QStringLiteral("1 status[STOP]")});
        }
        return reply(head, attributes(id, args));
    }
    if (cmd->verb == u"queryObjects") {
        QStringList lines;
        if (id == 10) {
            for (const Lok& l : s_.locos) {
                const QStringList a = attributes(l.id, args);
                QString joined = QString::number(l.id);
                for (const QString& part : a) {
                    joined += part.mid(part.indexOf(u' '));
                }
                lines << joined;
            }
        } else if (id == 11) {
            for (const Accessory& acc : s_.accessories) {
                QString joined = QString::number(acc.id);
                for (const QString& part : attributes(acc.id, args)) {
                    joined += part.mid(part.indexOf(u' '));
                }
                lines << joined;
            }
        } else if (id == 26) {
            for (const Module& m : s_.modules) {
                QString joined = QString::number(m.id);
                for (const QString& part : attributes(m.id, args)) {
                    joined += part.mid(part.indexOf(u' '));
                }
                lines << joined;
            }
        } else {
            return reply(head, {}, 15, QStringLiteral("NERROR_UNKNOWNID"));
        }
        return reply(head, lines);
    }
    if (cmd->verb == u"set") {
        QByteArray out = reply(head, {});
        if (id == 1) {
            if (args.contains(QStringLiteral("go"))) {
                setPower(true);
            } else if (args.contains(QStringLiteral("stop"))) {
                setPower(false);
            }
            return out;
        }
        const QString sid = QString::number(id);
        QStringList changes;
        for (const QString& arg : args) {
            const QString value = Ecos::bracketContent(arg);
            const QString name = arg.left(arg.indexOf(u'['));
            if (Lok* l = lokById(id)) {
                if (control_.count(id) == 0 || control_[id] != client) {
                    return reply(head, {}, 25, QStringLiteral("NERROR_NOCONTROL"));
                }
                if (name == u"speed") {
                    l->speed = value.toInt();
                    changes << sid + QStringLiteral(" speed[%1]").arg(l->speed);
                } else if (name == u"dir") {
                    l->dir = value.toInt();
                    changes << sid + QStringLiteral(" dir[%1]").arg(l->dir);
                } else if (name == u"func") {
                    const QStringList fv = value.split(u',');
                    const int f = fv.value(0).trimmed().toInt();
                    if (f >= 0 && f < 29) {
                        l->func[static_cast<size_t>(f)] = fv.value(1).trimmed().toInt();
                        changes << sid + QStringLiteral(" func[%1, %2]").arg(f).arg(l->func[static_cast<size_t>(f)]);
                    }
                }
            } else if (Accessory* a = accById(id)) {
                if (name == u"state") {
                    a->state = value.toInt();
                    changes << sid + QStringLiteral(" state[%1]").arg(a->state);
                }
            } else if (Module* m = moduleById(id)) {
                if (name == u"ports") {
                    m->ports = value.toInt();
                }
            }
        }
        if (!changes.isEmpty()) {
            event(id, changes);
            if (changeHook_) {
                changeHook_(id);
            }
        }
        return out;
    }
    return reply(head, {}, 2, QStringLiteral("NERROR_UNKNOWNCOMMAND"));
}

void EcosStation::forget(ClientId client)
{
    for (auto& [id, viewers] : views_) {
        viewers.erase(client);
    }
    for (auto it = control_.begin(); it != control_.end();) {
        it = it->second == client ? control_.erase(it) : std::next(it);
    }
}

void EcosStation::setPower(bool on)
{
    power_ = on;
    event(1, {on ? QStringLiteral("1 status[GO]") : QStringLiteral("1 status[STOP]")});
}

bool EcosStation::setPort(int moduleId, int port, bool occupied)
{
    Module* m = moduleById(moduleId);
    if (!m || port < 1 || port > 16) {
        return false;
    }
    const quint32 bit = 1u << (port - 1);
    return setModuleState(moduleId, occupied ? (m->state | bit) : (m->state & ~bit));
}

bool EcosStation::setModuleState(int moduleId, quint32 state)
{
    Module* m = moduleById(moduleId);
    if (!m) {
        return false;
    }
    m->state = state & 0xFFFF;
    event(moduleId, {QStringLiteral("%1 state[0x%2]").arg(moduleId).arg(m->state, 0, 16)});
    return true;
}

bool EcosStation::handSpeed(int locoId, int speed)
{
    Lok* l = lokById(locoId);
    if (!l) {
        return false;
    }
    l->speed = std::clamp(speed, 0, 127);
    event(locoId, {QStringLiteral("%1 speed[%2]").arg(locoId).arg(l->speed)});
    return true;
}

// ---- server ----------------------------------------------------------------------------------------------

EcosServer::EcosServer(Scenario scenario, QObject* parent)
    : QObject(parent), station_(std::move(scenario)), server_(new QTcpServer(this))
{
    station_.setEventSink([this](EcosStation::ClientId client, const QByteArray& bytes) { write(client, bytes); });
    connect(server_, &QTcpServer::newConnection, this, &EcosServer::accept);
}

EcosServer::~EcosServer()
{
    station_.setEventSink({});
    for (auto& [id, client] : clients_) {
        client.socket->disconnect(this);
        client.socket->abort();
    }
}

bool EcosServer::listen(quint16 port)
{
    if (!server_->listen(QHostAddress::LocalHost, port)) {
        return false;
    }
    port_ = server_->serverPort();
    return true;
}

quint16 EcosServer::port() const
{
    return port_;
}

void EcosServer::setRefuse(bool refuse)
{
    if (refuse) {
        server_->close();
    } else if (!server_->isListening()) {
        server_->listen(QHostAddress::LocalHost, port_);
    }
}

void EcosServer::accept()
{
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        const EcosStation::ClientId id = nextId_++;
        clients_.emplace(id, Client{socket, {}});
        connect(socket, &QTcpSocket::readyRead, this, [this, id] {
            auto it = clients_.find(id);
            if (it == clients_.end()) {
                return;
            }
            const QStringList lines = it->second.framer.push(it->second.socket->readAll());
            for (const QString& line : lines) {
                if (line.trimmed().isEmpty()) {
                    continue;
                }
                write(id, receive(id, line));
            }
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, id] {
            auto it = clients_.find(id);
            if (it == clients_.end()) {
                return;
            }
            station_.forget(id);
            it->second.socket->deleteLater();
            clients_.erase(it);
            Q_EMIT clientsChanged(clientCount());
        });
        Q_EMIT clientsChanged(clientCount());
    }
}

QByteArray EcosServer::receive(EcosStation::ClientId client, const QString& line)
{
    Q_EMIT commandReceived(line);
    return station_.handle(client, line);
}

void EcosServer::write(EcosStation::ClientId id, const QByteArray& bytes)
{
    const auto send = [this, id, bytes] {
        auto it = clients_.find(id);
        if (it != clients_.end() && it->second.socket->state() == QAbstractSocket::ConnectedState) {
            it->second.socket->write(bytes);
        }
    };
    if (delayMs_ > 0) {
        QTimer::singleShot(delayMs_, this, send);
    } else {
        send();
    }
}

void EcosServer::dropAll()
{
    std::vector<QTcpSocket*> sockets;
    for (auto& [id, client] : clients_) {
        sockets.push_back(client.socket);
    }
    for (QTcpSocket* socket : sockets) {
        socket->abort(); // reported through disconnected(), which removes the client
    }
}

// ---- controls --------------------------------------------------------------------------------------------

QString EcosControl::execute(const QString& line)
{
    const QStringList w = line.simplified().split(u' ', Qt::SkipEmptyParts);
    if (w.isEmpty()) {
        return QStringLiteral("ERROR empty");
    }
    const auto num = [&](int i, int base = 10) {
        bool ok = false;
        const int v = w.value(i).toInt(&ok, base);
        return ok ? std::optional<int>(v) : std::nullopt;
    };
    const auto ok = [](bool done) { return done ? QStringLiteral("OK") : QStringLiteral("ERROR unknown object"); };
    EcosStation& st = server_.station();
    const QString& c = w[0];
    if ((c == u"occupy" || c == u"free") && num(1) && num(2)) {
        return ok(st.setPort(*num(1), *num(2), c == u"occupy"));
    }
    if (c == u"state" && num(1)) {
        bool good = false;
        const uint value = w.value(2).toUInt(&good, 16);
        return good ? ok(st.setModuleState(*num(1), value)) : QStringLiteral("ERROR hex value expected");
    }
    if (c == u"speed" && num(1) && num(2)) {
        return ok(st.handSpeed(*num(1), *num(2)));
    }
    if (c == u"power" && (w.value(1) == u"go" || w.value(1) == u"stop")) {
        st.setPower(w.value(1) == u"go");
        return QStringLiteral("OK");
    }
    if (c == u"drop") {
        server_.dropAll();
        return QStringLiteral("OK");
    }
    if (c == u"delay" && num(1)) {
        server_.setReplyDelay(std::max(0, *num(1)));
        return QStringLiteral("OK");
    }
    if (c == u"refuse" && (w.value(1) == u"on" || w.value(1) == u"off")) {
        server_.setRefuse(w.value(1) == u"on");
        return QStringLiteral("OK");
    }
    if (c == u"quit") {
        return QStringLiteral("BYE");
    }
    if (const std::optional<QString> answer = executeLayout(w)) {
        return *answer;
    }
    return QStringLiteral("ERROR ") + QString::fromLatin1(kControlHelp);
}

std::optional<QString> EcosControl::executeLayout(const QStringList& w)
{
    const QString& c = w[0];
    if (c != u"status" && c != u"place" && c != u"advance") {
        return std::nullopt;
    }
    if (layout_ == nullptr) {
        return QStringLiteral("ERROR no layout");
    }
    if (c == u"status" && w.size() == 1) {
        QStringList lines = layout_->status();
        lines << QStringLiteral("OK");
        return lines.join(u'\n');
    }
    if (c == u"place") {
        QString error;
        const std::optional<Placement> p = ParsePlacement(w.mid(1), &error);
        if (p) {
            error = layout_->place(*p);
        }
        return error.isEmpty() ? QStringLiteral("OK") : QStringLiteral("ERROR ") + error;
    }
    bool ok = false;
    const double ms = w.value(1).toDouble(&ok);
    if (c == u"advance" && w.size() == 2 && ok && ms >= 0) {
        layout_->advance(ms);
        return QStringLiteral("OK");
    }
    return std::nullopt;
}

EcosControlServer::EcosControlServer(Executor execute, QObject* parent)
    : QObject(parent), execute_(std::move(execute)), server_(new QTcpServer(this))
{
    connect(server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                while (socket->canReadLine()) {
                    const QString line = QString::fromUtf8(socket->readLine()).trimmed();
                    const QString answer = execute_(line);
                    socket->write(answer.toUtf8() + "\n");
                    if (answer == u"BYE") {
                        Q_EMIT quitRequested();
                    }
                }
            });
        }
    });
}

bool EcosControlServer::listen(quint16 port)
{
    return server_->listen(QHostAddress::LocalHost, port);
}

quint16 EcosControlServer::port() const
{
    return server_->serverPort();
}

} // namespace Sim
