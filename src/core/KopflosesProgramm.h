// The program without windows over one project folder, for the companion tool: the readers of
// the plan, the stations, the trains and the routes need the diagram, the registries and the
// trains of the vehicle database, as they do when the project is opened. Messages the readers
// would show are collected instead.
#pragma once

#include "core/Clock.h"
#include "core/CollectingDialogs.h"
#include "core/FileSave.h"
#include "core/ManualScheduler.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "operation/HaltestellenDatei.h"
#include "vehicles/FahrzeugDatenbank.h"

#include <QFileInfo>
#include <QStringList>
#include <optional>

struct KopflosesProgramm {
    explicit KopflosesProgramm(const QString& programFolder)
        : programm(bus, scheduler, clock, dialogs, programFolder), bild(programm), daten(programm)
    {
        programm.gleisbild = &bild;
        programm.betriebsdaten = &daten;
        bild.setTrainServices(&daten);
    }
    // The trains from the project's vehicle database and the stations, for trains and routes.
    bool zugeUndStationen(const QString& folder, const QString& project)
    {
        FahrzeugDatenbank db;
        const QString lda = FindFileNoCase(folder, QStringLiteral("Fahrzeuge20.lda"));
        if (QFileInfo::exists(lda)) {
            const FahrzeugDatenbank::Gelesen gelesen = db.lesenDatei(lda);
            if (!gelesen.ok()) {
                dialogs.texts << gelesen.error;
                return false;
            }
            daten.ZugeAusDatenbank(db);
        }
        return stationen.OpenHaltestellen(FindFileNoCase(folder, project + QStringLiteral(".hs2")));
    }

    MessageBus bus;
    ManualScheduler scheduler;
    SystemClock clock;
    CollectingDialogs dialogs;
    Programm programm;
    TGleisBild bild;
    BetriebsDaten daten;
    HaltestellenDatei stationen{programm};
};

