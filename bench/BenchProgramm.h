// A headless program for benchmarks: bus, manual time, fixed clock, collected dialogs and every
// window's logic over a temporary program folder, the drivers' links fakes.
#pragma once

#include "core/Clock.h"
#include "core/CollectingDialogs.h"
#include "core/ManualScheduler.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "core/StartProgram.h"
#include "drivers/transport/FakeTransport.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

struct BenchProgramm {
    QTemporaryDir root;
    MessageBus bus;
    ManualScheduler scheduler;
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(10, 0))};
    CollectingDialogs dialogs;
    Programm programm{bus, scheduler, clock, dialogs, root.path() + QStringLiteral("/")};
    std::unique_ptr<ProgrammFenster> fenster;

    explicit BenchProgramm(int zentraleTyp)
    {
        QDir().mkpath(programm.projectFolder());
        programm.settings.ZentraleTyp = zentraleTyp;
        fenster = std::make_unique<ProgrammFenster>(programm, [](const QString&) -> std::unique_ptr<Transport> {
            return std::make_unique<FakeTransport>();
        });
    }
    ~BenchProgramm() { fenster.reset(); }
};
