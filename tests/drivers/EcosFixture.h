// One ECoS-protocol driver over a fake link and manual time, with the program state it needs
// (a project folder, the trains) and a recorder of the bus.
#pragma once

#include "common/RecordingReceiver.h"
#include "common/ScriptedDialogs.h"
#include "core/Clock.h"
#include "core/ManualScheduler.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "drivers/ecos/TProtokolEcos.h"
#include "drivers/transport/FakeTransport.h"
#include "operation/BetriebsDaten.h"
#include "operation/Zug.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

struct EcosFixture {
    QTemporaryDir root;
    MessageBus bus;
    ManualScheduler scheduler;
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(10, 20, 30))};
    ScriptedDialogs dialogs;
    Programm programm{bus, scheduler, clock, dialogs, root.path() + QStringLiteral("/")};
    BetriebsDaten betrieb{programm};
    FakeTransport link;
    std::unique_ptr<TProtokolEcos> driver;
    RecordingReceiver recorder;

    explicit EcosFixture(EcosVariante variante = EcosVariante::EC2())
    {
        QDir().mkpath(programm.projectFolder());
        programm.settings.ZentraleTyp = variante.typ;
        programm.settings.IpAddress = QStringLiteral("127.0.0.1");
        programm.settings.IpPort = 15471;
        programm.betriebsdaten = &betrieb;
        driver = std::make_unique<TProtokolEcos>(programm, link, std::move(variante));
        bus.attach(driver.get());
        bus.attach(&recorder);
    }
    ~EcosFixture() { driver.reset(); }

    int typ() const { return driver->typ(); }

    // WM_VERBINDEN, the first attempt accepted.
    void connect()
    {
        bus.broadcast(Msg::WM_VERBINDEN, typ(), 0);
        scheduler.advance(3000);
        link.accept();
    }
    // The placeholder lists (no files yet), then connected, with the modules 100, 101 and 200
    // read and the registration finished; recorder and link cleared.
    void connectReady()
    {
        bus.broadcast(Msg::WM_OPEN_LOKLISTE, typ(), QStringLiteral("Default"));
        bus.broadcast(Msg::WM_OPEN_MAGNETARTLISTE, QStringLiteral("Default"), typ());
        driver->MagnetartikelImmerVonZentraleLaden = false;
        connect();
        feed("<REPLY queryObjects(26,ports)>\r\n100 ports[16]\r\n101 ports[16]\r\n200 ports[16]\r\n<END 0 (OK)>\r\n");
        scheduler.advance(11000);
        clear();
    }
    void feed(const QByteArray& bytes) { link.feed(bytes); }
    void tick() { scheduler.advance(TProtokolEcos::ReaderMs); }
    void clear()
    {
        recorder.messages.clear();
        link.sent.clear();
    }
    QStringList sent() const { return link.sentCommands(); }
    // The messages the driver broadcast, as "NAME(w, l)".
    QStringList broadcasts(std::initializer_list<Msg> only = {}) const
    {
        QStringList list;
        for (const CoreMessage& m : recorder.messages) {
            if (only.size() == 0 || std::find(only.begin(), only.end(), m.id) != only.end()) {
                list << ToString(m);
            }
        }
        return list;
    }
    TZug& addTrain(const QString& ecosId, int addr, bool deleted = false)
    {
        auto zug = std::make_unique<TZug>(&programm);
        zug->ZugNr = static_cast<int>(betrieb.ZugListe.size());
        zug->ECOSID = ecosId;
        zug->Addr = addr;
        zug->ZugName = QStringLiteral("Zug %1").arg(addr);
        zug->ZugGeloescht = deleted;
        betrieb.ZugListe.push_back(std::move(zug));
        return *betrieb.ZugListe.back();
    }
};
