// A command station that speaks the ECoS text protocol, for tests and the demo.
//
// `EcosStation` is the station's state and protocol logic without any socket: a client's command
// line goes in, the reply block comes out, and events for the clients that view an object are
// handed to a callback. `EcosServer` serves it over loopback TCP (one QTcpServer, any number of
// clients) and adds the test controls: dropping all links, delaying replies, refusing new links.
// `EcosControlServer` offers the controls as text commands on a second port (see kControlHelp).
// All of it runs on the thread that created it (the UI thread in tests).
#pragma once

#include "Scenario.h"
#include "drivers/ecos/EcosCodec.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace Sim {

class EcosStation {
public:
    using ClientId = int;
    // Called with a client and the bytes of one event block for it.
    using EventSink = std::function<void(ClientId, const QByteArray&)>;

    explicit EcosStation(Scenario scenario);

    void setEventSink(EventSink sink) { sink_ = std::move(sink); }
    // Called after a client's command changed a locomotive or an accessory, with its id.
    void setChangeHook(std::function<void(int objectId)> hook) { changeHook_ = std::move(hook); }
    // Handles one command line of a client; returns the reply block's bytes.
    QByteArray handle(ClientId client, const QString& line);
    // The client went away: its views and controls end.
    void forget(ClientId client);

    // ---- the layout's side (hand controllers, trains on the track) ----
    void setPower(bool on);
    // Occupies or frees port 1..16 of a module; false when there is no such module or port.
    bool setPort(int moduleId, int port, bool occupied);
    bool setModuleState(int moduleId, quint32 state);
    // A hand controller changes a locomotive's speed; false for an unknown id.
    bool handSpeed(int locoId, int speed);

    bool power() const { return power_; }
    const Scenario& layout() const { return s_; }
    const Accessory* accessory(int id) const;
    const Lok* loco(int id) const;
    // Every command line received, in order.
    const QStringList& commands() const { return commands_; }

private:
    QByteArray reply(const QString& head, const QStringList& lines, int status = 0, const QString& text = QStringLiteral("OK"));
    void event(int objectId, const QStringList& lines);
    bool exists(int id) const;
    Lok* lokById(int id);
    Accessory* accById(int id);
    Module* moduleById(int id);
    QStringList attributes(int id, const QStringList& names);

    Scenario s_;
    bool power_ = false;
    std::map<int, std::set<ClientId>> views_;
    std::map<int, ClientId> control_;
    QStringList commands_;
    EventSink sink_;
    std::function<void(int)> changeHook_;
};

class EcosServer : public QObject {
    Q_OBJECT
public:
    explicit EcosServer(Scenario scenario, QObject* parent = nullptr);
    ~EcosServer() override;

    // Listens on 127.0.0.1; port 0 takes any free port. False when the port is taken.
    bool listen(quint16 port = 0);
    quint16 port() const;
    EcosStation& station() { return station_; }
    // One command line of client `client`, as read from its socket: announced through
    // commandReceived, then handled; returns the reply block's bytes.
    QByteArray receive(EcosStation::ClientId client, const QString& line);
    int clientCount() const { return static_cast<int>(clients_.size()); }

    // Test controls.
    void dropAll();                      // closes every client link
    void setReplyDelay(int ms) { delayMs_ = ms; } // replies and events leave this much later
    void setRefuse(bool refuse);         // stops / resumes accepting links

Q_SIGNALS:
    // A client's command line, before the station handles it.
    void commandReceived(const QString& line);
    void clientsChanged(int count);

private:
    struct Client {
        QTcpSocket* socket;
        Ecos::LineFramer framer;
    };
    void accept();
    void write(EcosStation::ClientId id, const QByteArray& bytes);

    EcosStation station_;
    QTcpServer* server_;
    std::map<EcosStation::ClientId, Client> clients_;
    EcosStation::ClientId nextId_ = 1;
    int delayMs_ = 0;
    quint16 port_ = 0;
};

class LayoutModel;

// Text controls on a second port, one command per line, answered "OK" or "ERROR <reason>";
// "status" answers one line per train of the layout, then "OK":
inline constexpr const char* kControlHelp =
    "occupy <module> <port> | free <module> <port> | state <module> <hex> | speed <loco> <n> | "
    "power go|stop | drop | delay <ms> | refuse on|off | status | "
    "place <loco> <element or x/y> <heading> <length> <scale> | advance <ms> | quit";

class EcosControl {
public:
    // `layout` serves "status", "place" and "advance"; without one they are refused.
    explicit EcosControl(EcosServer& server, LayoutModel* layout = nullptr) : server_(server), layout_(layout) {}
    // Executes one control line; returns the answer. "quit" answers "BYE".
    QString execute(const QString& line);

private:
    std::optional<QString> executeLayout(const QStringList& words);

    EcosServer& server_;
    LayoutModel* layout_;
};

class EcosControlServer : public QObject {
    Q_OBJECT
public:
    using Executor = std::function<QString(const QString&)>;
    EcosControlServer(Executor execute, QObject* parent = nullptr);
    bool listen(quint16 port = 0);
    quint16 port() const;

Q_SIGNALS:
    void quitRequested();

private:
    Executor execute_;
    QTcpServer* server_;
};

} // namespace Sim
