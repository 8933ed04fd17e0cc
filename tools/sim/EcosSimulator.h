// A command station that speaks the ECoS text protocol, for tests and the demo.
//
// `EcosStation` is the station's state and protocol logic without any socket: a client's command
// line goes in, the reply block comes out, and events for the clients that view an object are
// handed to a callback. `EcosServer` serves it over loopback TCP (one QTcpServer, any number of
// clients) and adds the test controls: dropping all links, delaying replies, refusing new links.
// `EcosControlServer` offers the controls as text commands on a second port (see kControlHelp).
// All of it runs on the thread that created it (the UI thread in tests).
#pragma once

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

struct Lok {
    int id = 1000;
    QString name;
    int addr = 0;
    QString protocol = QStringLiteral("DCC28");
    int speed = 0;
    int dir = 0;
    std::array<int, 29> func{};
    QString locodesc = QStringLiteral("LOCO_TYPE_DIESEL,IMAGE_TYPE_INT,2");
};

struct Accessory {
    int id = 20000;
    int addr = 1;
    QString name;
    int state = 0;
};

struct Module {
    int id = 100;
    int ports = 16;
    quint32 state = 0;
};

// The layout the station starts with. Text format, one item per line ('#' starts a comment):
//   info "ECoS2" 0.5 4.2.6 2.0                 product, protocol, application, hardware version
//   loco 1002 16 DCC28 "V 160"                 id, address, protocol word, name
//   accessory 20000 5 "Weiche 5"               id, address, name
//   module 100                                 feedback module id (16 ports)
struct Scenario {
    QString product = QStringLiteral("ECoS2");
    QString protocolVersion = QStringLiteral("0.5");
    QString applicationVersion = QStringLiteral("4.2.6");
    QString hardwareVersion = QStringLiteral("2.0");
    std::vector<Lok> locos;
    std::vector<Accessory> accessories;
    std::vector<Module> modules;

    // Reads the format above; the error names the line (empty on success).
    static std::optional<Scenario> parse(const QString& text, QString* error = nullptr);
};

class EcosStation {
public:
    using ClientId = int;
    // Called with a client and the bytes of one event block for it.
    using EventSink = std::function<void(ClientId, const QByteArray&)>;

    explicit EcosStation(Scenario scenario);

    void setEventSink(EventSink sink) { sink_ = std::move(sink); }
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
    int clientCount() const { return static_cast<int>(clients_.size()); }

    // Test controls.
    void dropAll();                      // closes every client link
    void setReplyDelay(int ms) { delayMs_ = ms; } // replies and events leave this much later
    void setRefuse(bool refuse);         // stops / resumes accepting links

Q_SIGNALS:
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

// Text controls on a second port, one command per line, answered "OK" or "ERROR <reason>":
inline constexpr const char* kControlHelp =
    "occupy <module> <port> | free <module> <port> | state <module> <hex> | speed <loco> <n> | "
    "power go|stop | drop | delay <ms> | refuse on|off | quit";

class EcosControl {
public:
    explicit EcosControl(EcosServer& server) : server_(server) {}
    // Executes one control line; returns the answer. "quit" answers "BYE".
    QString execute(const QString& line);

private:
    EcosServer& server_;
};

class EcosControlServer : public QObject {
    Q_OBJECT
public:
    EcosControlServer(EcosServer& server, QObject* parent = nullptr);
    bool listen(quint16 port = 0);
    quint16 port() const;

Q_SIGNALS:
    void quitRequested();

private:
    EcosControl control_;
    QTcpServer* server_;
};

} // namespace Sim
