// The demo project in the whole program without widgets, connected through the real ECoS driver
// over loopback TCP to the simulator playing the demo layout. Time is the program's manual
// scheduler, which moves the simulated trains too; after every step the event loop runs until
// every byte either side wrote has arrived, before time goes on, so nothing depends on the
// machine's speed.
//
// While time runs, everything that must never happen is collected as a finding: a derailment
// (buffer stop, end of track, a turnout set against the train, a collision), a turnout switched
// under a train, two trains on one element, a route freed while its train does not stand inside
// the target station.
#pragma once

#include "DemoFixture.h"
#include "EcosSimulator.h"
#include "Simulator.h"
#include "common/RecordingSoundBackend.h"
#include "common/ScriptedDialogs.h"
#include "core/Clock.h"
#include "core/ManualScheduler.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "core/StartProgram.h"
#include "core/TInfo.h"
#include "diagram/TTrassolin.h"
#include "drivers/ecos/TProtokolEcos.h"
#include "drivers/transport/TcpTransport.h"
#include "operation/BetriebsDaten.h"
#include "operation/Zugsteuerung.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <map>
#include <memory>
#include <set>

// A driver's TCP link that counts the bytes of the current link each way.
class ZaehlendeVerbindung final : public Transport {
public:
    ZaehlendeVerbindung()
    {
        tcp_.onConnected = [this] { reportConnected(); };
        tcp_.onDisconnected = [this] { reportDisconnected(); };
        tcp_.onError = [this](const QString& error) { reportError(error); };
        tcp_.onReceived = [this](QByteArrayView bytes) {
            empfangen += bytes.size();
            reportReceived(bytes);
        };
    }
    void open(const QString& host, int port) override
    {
        gesendet = 0;
        empfangen = 0;
        tcp_.open(host, port);
    }
    void send(QByteArrayView bytes) override
    {
        if (tcp_.isOpen()) {
            gesendet += bytes.size();
        }
        tcp_.send(bytes);
    }
    void close() override { tcp_.close(); }
    bool isOpen() const override { return tcp_.isOpen(); }
    QString peerAddress() const override { return tcp_.peerAddress(); }

    qint64 gesendet = 0;
    qint64 empfangen = 0;

private:
    TcpTransport tcp_;
};

class DemoBetrieb {
public:
    static constexpr qint64 SchrittMs = 50;

    // One route as seen from outside: how often a train took it and how often it was freed with
    // its train inside the target station.
    struct Lauf {
        int status = 0;
        const TZug* zug = nullptr;
        int gestartet = 0;
        int freigegeben = 0;
    };

    // `szenario` may change the simulated layout before it starts (train speeds).
    explicit DemoBetrieb(const std::function<void(Sim::Scenario&)>& szenario = {})
    {
        const QString projekt = root.path() + QStringLiteral("/Projekte/") + DemoProjektName;
        CopyFolderTree(ShippedDemoFolder(), projekt);
        QDir().mkpath(root.path() + QStringLiteral("/data"));
        WriteParameterFile(root.path() + u'/', InstallationParameters{}, DemoProjektName, nullptr);

        QString error;
        std::optional<Sim::Scenario> s = Sim::Scenario::read(projekt + u'/' + DemoSzenarioDatei, &error);
        if (s && szenario) {
            szenario(*s);
        }
        sim = s ? Sim::Simulator::create(*s, &error) : nullptr;
        if (!sim || !sim->listen(0)) {
            befunde << QStringLiteral("simulator: ") + error;
            return;
        }
        sim->run(scheduler, SchrittMs);
        QObject::connect(sim.get(), &Sim::Simulator::reported, [this](const Sim::LayoutEvent& e) {
            if (e.kind == Sim::LayoutEvent::Kind::Derailed || e.kind == Sim::LayoutEvent::Kind::SwitchedUnderTrain) {
                befund(e.text());
            }
        });

        dialogs.defaultAnswer = true;
        programm = std::make_unique<Programm>(bus, scheduler, clock, dialogs, root.path() + u'/');
        fenster = std::make_unique<ProgrammFenster>(
            *programm, [](const QString&) -> std::unique_ptr<Transport> { return std::make_unique<ZaehlendeVerbindung>(); },
            std::make_unique<RecordingSoundBackend>());
        verbindung = static_cast<ZaehlendeVerbindung*>(fenster->transport(QStringLiteral("TProtokolEC2")));
        fenster->info().ShowStartWindow();
        programm->settings.IpPort = sim->port();
    }
    ~DemoBetrieb()
    {
        fenster.reset(); // the driver closes its link before the simulator goes
        programm.reset();
        sim.reset();
    }

    TTrassolin& haupt() { return fenster->hauptfenster(); }
    BetriebsDaten& d() { return fenster->betriebsdaten(); }
    TZugsteuerung& steuerung() { return fenster->zugsteuerung(); }
    TProtokolEcos& treiber() { return *fenster->ecosProtokol(8); }
    bool inBetrieb() { return treiber().zustand() == TProtokolEcos::Zustand::Betrieb; }

    // "Projekt öffnen und verbinden", then "Go" once the driver has read the command station.
    bool oeffnenUndEinschalten()
    {
        fenster->info().OpenProject(true);
        if (!laufenBis([this] { return inBetrieb(); }, 60000)) {
            return false;
        }
        for (const auto& station : d().HaltestellenListe) {
            for (const auto& route : station->HaltestelleFahrstrassen) {
                routen.push_back(route.get());
            }
        }
        haupt().GoKlick();
        return laufenBis([this] { return haupt().PowerAn; }, 5000);
    }
    // "Automatik Einschalten" and every train's automatic key.
    void automatikEin()
    {
        haupt().AutomaticSchalten();
        for (const auto& zug : d().ZugListe) {
            if (!zug->ZugGeloescht && !zug->ZugInAutomatic) {
                zug->AutomaticUmschalten(true);
            }
        }
    }
    // "Automatik Ausschalten", then time until every train has arrived, its route is free and
    // both command queues have done their work.
    bool automatikAusUndAnkommen(qint64 hoechstensMs)
    {
        haupt().AutomaticSchalten();
        return laufenBis(
            [this] {
                return ruhig() && steuerung().ZugsteuerungHiPriorityListe().empty()
                    && steuerung().ZugsteuerungLoPriorityListe().empty();
            },
            hoechstensMs);
    }
    // No train runs a route, no route is set, every simulated train stands.
    bool ruhig()
    {
        for (const TFahrstrasse* r : routen) {
            if (r->FahrstrasseStatus != 0) {
                return false;
            }
        }
        for (const Sim::TrainState& t : sim->model().trains()) {
            if (t.speed != 0) {
                return false;
            }
        }
        return std::none_of(d().ZugListe.begin(), d().ZugListe.end(), [](const auto& z) { return z->ZugAktiv; });
    }

    void laufen(qint64 ms)
    {
        for (qint64 t = 0; t < ms; t += SchrittMs) {
            schritt();
        }
    }
    template <typename Bedingung>
    bool laufenBis(Bedingung bedingung, qint64 hoechstensMs)
    {
        for (qint64 t = 0; t <= hoechstensMs; t += SchrittMs) {
            if (bedingung()) {
                return true;
            }
            schritt();
        }
        return bedingung();
    }

    // The simulated train of a program's train, when it is on the plan.
    std::optional<Sim::TrainState> simZug(const TZug& zug) const { return sim->model().train(zug.ECOSID.toInt()); }

    // The station whose display holds the whole simulated train, or nullptr.
    const THaltestelle* stationUm(const Sim::TrainState& t)
    {
        for (const auto& s : d().HaltestellenListe) {
            const TGleisBildElement* e = s->HaltestelleElement;
            if (e != nullptr && t.elements == QStringList{e->Name}) {
                return s.get();
            }
        }
        return nullptr;
    }

    QTemporaryDir root;
    MessageBus bus;
    ManualScheduler scheduler;
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(10, 20, 30))};
    ScriptedDialogs dialogs;
    std::unique_ptr<Sim::Simulator> sim;
    std::unique_ptr<Programm> programm;
    std::unique_ptr<ProgrammFenster> fenster;
    ZaehlendeVerbindung* verbindung = nullptr;

    std::vector<TFahrstrasse*> routen;
    std::map<const TFahrstrasse*, Lauf> laeufe;
    std::map<const TZug*, std::set<QString>> besucht; // the stations (without track number) each train reached
    QStringList befunde;

private:
    void befund(const QString& text)
    {
        if (befunde.size() < 20) {
            befunde << QStringLiteral("%1 s: ").arg(scheduler.now() / 1000.0, 0, 'f', 2) + text;
        }
    }

    // Time moves on one step; then the event loop runs until the link is quiet.
    void schritt()
    {
        scheduler.advance(SchrittMs);
        zustellen();
        beobachten();
    }

    // Every byte written on the link has arrived at the other side. Without a link the simulator
    // has no client left (a connection being made counts once it is made).
    bool ruhigeVerbindung() const
    {
        const Sim::EcosServer& server = sim->server();
        if (!verbindung->isOpen()) {
            return server.clientCount() == 0;
        }
        return verbindung->gesendet == server.bytesReceived() && server.bytesSent() == verbindung->empfangen;
    }

    // Runs the event loop until the link is quiet. Only the sockets take real time here, and
    // only while bytes are on their way; a wake-up every millisecond re-checks.
    void zustellen()
    {
        QElapsedTimer uhr;
        uhr.start();
        QTimer wecker;
        wecker.start(1);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        while (!ruhigeVerbindung()) {
            if (uhr.elapsed() > 5000) {
                befund(QStringLiteral("the link did not deliver within 5 s"));
                return;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }

    void beobachten()
    {
        std::map<QString, int> belegt;
        for (const Sim::TrainState& t : sim->model().trains()) {
            for (const QString& e : t.elements) {
                if (const auto [it, neu] = belegt.emplace(e, t.loco); !neu) {
                    befund(QStringLiteral("%1 and %2 both on %3").arg(it->second).arg(t.loco).arg(e));
                }
            }
        }
        for (TFahrstrasse* route : routen) {
            Lauf& l = laeufe[route];
            if (l.status == 0 && route->FahrstrasseStatus != 0) {
                l.zug = route->AktuelleZugDaten ? route->AktuelleZugDaten->ZugDatenZug : nullptr;
                ++l.gestartet;
            } else if (l.status != 0 && route->FahrstrasseStatus == 0) {
                freigegeben(*route, l);
            }
            l.status = route->FahrstrasseStatus;
        }
    }

    // The route was freed: its train must stand inside the target station and be booked there.
    void freigegeben(const TFahrstrasse& route, Lauf& l)
    {
        ++l.freigegeben;
        const THaltestelle* ziel = d().HaltestelleVonId(route.ZielHaltestelleID);
        const std::optional<Sim::TrainState> t = l.zug ? simZug(*l.zug) : std::nullopt;
        if (ziel == nullptr || !t) {
            befund(route.FahrstrasseName + QStringLiteral(" freed without train or target"));
            return;
        }
        if (stationUm(*t) != ziel || t->speed != 0) {
            befund(QStringLiteral("%1 freed, %2 stands at %3 with speed %4")
                       .arg(route.FahrstrasseName, l.zug->ZugName, t->elements.join(u','))
                       .arg(t->speed));
        }
        if (l.zug->ZugHaltestelleID != ziel->HaltestelleID) {
            befund(route.FahrstrasseName + QStringLiteral(" freed, the train is not booked in the target"));
        }
        besucht[l.zug].insert(ziel->HaltestelleName.chopped(1));
    }
};
