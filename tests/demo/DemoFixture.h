// The shipped demo project opened by a running program without widgets: the project folder is
// copied from data/Demo and the parameter file names it, as `scripts/run` leaves them.
#pragma once

#include "DemoProjekt.h"
#include "common/ProgramFixture.h"
#include "core/ProgramFolder.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "settings/ParameterFile.h"

#include <QDir>
#include <gtest/gtest.h>

inline QString ShippedDemoFolder() { return QStringLiteral(TRASSOLIN_SOURCE_DIR "/data/") + DemoProjektName; }

struct DemoProgramm : ProgramFixture {
    DemoProgramm()
    {
        CopyFolderTree(ShippedDemoFolder(), path(QStringLiteral("Projekte/") + DemoProjektName));
        QDir().mkpath(path(QStringLiteral("data")));
        QString error;
        EXPECT_TRUE(WriteParameterFile(root.path() + u'/', InstallationParameters{}, DemoProjektName, &error))
            << error.toStdString();
        start();
        info().ShowStartWindow();
    }
    BetriebsDaten& d() { return fenster->betriebsdaten(); }
    TGleisBild& bild() { return fenster->gleisbild(); }
    // The trains that stand in a station, each once.
    std::vector<TZug*> zuge()
    {
        std::vector<TZug*> l;
        for (const auto& z : d().ZugListe) {
            if (!z->ZugGeloescht) {
                l.push_back(z.get());
            }
        }
        return l;
    }
    std::vector<TFahrstrasse*> routen()
    {
        std::vector<TFahrstrasse*> l;
        for (const auto& s : d().HaltestellenListe) {
            for (const auto& r : s->HaltestelleFahrstrassen) {
                l.push_back(r.get());
            }
        }
        return l;
    }
};
