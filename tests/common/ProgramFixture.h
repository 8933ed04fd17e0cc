// A running program without widgets: bus, manual time, fixed clock, scripted dialogs and the
// windows' logic objects over a temporary program folder.
#pragma once

#include "common/RecordingReceiver.h"
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
#include "drivers/transport/FakeTransport.h"
#include "settings/TSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

struct ProgramFixture {
    QTemporaryDir root;
    MessageBus bus;
    ManualScheduler scheduler;
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(10, 20, 30))};
    ScriptedDialogs dialogs;
    std::unique_ptr<Programm> programm;
    std::unique_ptr<ProgrammFenster> fenster;
    RecordingReceiver recorder;

    ProgramFixture()
    {
        dialogs.defaultAnswer = true;
        start();
    }

    // Builds the program afresh over the same folder, as a new start of the program does.
    void start()
    {
        fenster.reset();
        programm = std::make_unique<Programm>(bus, scheduler, clock, dialogs, root.path() + QStringLiteral("/"));
        programm->userName = QStringLiteral("anna");
        bus.detach(&recorder);
        // The drivers' links are fakes the tests play the command station's side of; sounds are
        // recorded, not played.
        fenster = std::make_unique<ProgrammFenster>(
            *programm, [](const QString&) -> std::unique_ptr<Transport> { return std::make_unique<FakeTransport>(); },
            std::make_unique<RecordingSoundBackend>());
        bus.attach(&recorder);
    }

    TInfo& info() { return fenster->info(); }
    TSystem& system() { return fenster->system(); }
    TTrassolin& haupt() { return fenster->hauptfenster(); }
    // Takes the real driver of `typ` off the bus, for tests that play the driver's answers themselves.
    void withoutDriver(int typ)
    {
        if (TProtokolEcos* driver = fenster->ecosProtokol(typ)) {
            bus.detach(driver);
        }
    }
    RecordingSoundBackend& sound() { return static_cast<RecordingSoundBackend&>(fenster->soundBackend()); }
    FakeTransport& link(const QString& window) { return static_cast<FakeTransport&>(*fenster->transport(window)); }
    QString path(const QString& relative) const { return root.path() + u'/' + relative; }

    QByteArray read(const QString& relative) const
    {
        QFile f(path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile f(path(relative));
        if (f.open(QIODevice::WriteOnly)) {
            f.write(bytes);
        }
    }
};
