// The program's logic and its windows over a temporary program folder, with scripted dialogs,
// a manual scheduler and a fixed clock. Widgets are destroyed before the logic they show.
#pragma once

#include "common/RecordingReceiver.h"
#include "common/RecordingSoundBackend.h"
#include "common/ScriptedDialogs.h"
#include "core/Clock.h"
#include "core/ManualScheduler.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "core/StartProgram.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class UiFixture : public ::testing::Test {
protected:
    UiFixture()
        : clock(QDateTime(QDate(2026, 3, 14), QTime(10, 20, 30))),
          programm(bus, scheduler, clock, dialogs, dir.path() + u'/'),
          fenster(programm, {}, std::make_unique<RecordingSoundBackend>())
    {
        programm.userName = QStringLiteral("tester");
        bus.attach(&recorder);
    }
    ~UiFixture() override { bus.detach(&recorder); }

    QString programFolder() const { return dir.path() + u'/'; }

    QTemporaryDir dir;
    MessageBus bus;
    ManualScheduler scheduler;
    FixedClock clock;
    ScriptedDialogs dialogs;
    Programm programm;
    ProgrammFenster fenster;
    RecordingReceiver recorder;
};
