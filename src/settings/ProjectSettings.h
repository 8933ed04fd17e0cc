// The settings of the open project (`<project>.pro`) and of the installation
// (`data/Trassolin20Parameter.dat`). One set exists for the running program; every part reads
// it directly. The values here are the start-up values, before any file is read.
#pragma once

#include "core/ColorText.h"

#include <QRect>
#include <QString>
#include <array>
#include <vector>

// One feedback module of the layout: 16 contacts.
struct S88Modul {
    QString Name;  // "S88 " + number; from an ECoS: "S88 " or "ECOS DETECTOR "
    int ModulId = 0; // the command station's object id of the module, 0 when unknown
    QString Status;
    std::array<int, 16> Kontakte{};
};

struct ProjectSettings {
    int ZentraleTyp = 0;
    int ComPort = 1;
    int BaudRate = 19200;
    int IpPort = 15731;
    QString IpAddress = QStringLiteral("192.168.1.100");
    int GleiskontaktAnzahl = 0;
    int MagnetArtikelAnzahl = 0;
    int LocoAddressCount = 200;
    bool ShowUnnumberedSignals = false;
    QString LocoDisplayMode;
    bool RasterAnzeigen = false;
    QString PanelColor = QStringLiteral("$00DBF8AB");
    bool SignalSchalten = false;
    int MaxZugeInAutomaticAktiv = 0;
    int ClockLeft = 1145;
    int ClockTop = 80;
    int ClockKind = 0;
    int ClockSize = 3;
    int AnzZeilenImProgramm = 0;
    int TrainDataWindowLeft = 170;
    int TrainDataWindowTop = 163;
    bool AlleLokfunktionenausschalten = false;
    int FunktionenOnOffDelay = 200;
    int Automaticdelay = 1000;
    bool TrainTrackingVisible = false;
    QRect TrainTrackingWindow;
    QString PanelColorAutomatic = QStringLiteral("$009B94FC");
    int FunktionBilderAuswahl = 2;
    bool NichtAlleLoksanzeigen = true;
    bool LoksEinteilen = false;
    QString MaintenanceFile;  // default: <program folder>Projekte/<project>/<project>.war
    bool GleisplanInFarbe = true;
    bool CS1_Fahren_mit_Fahrstufen = false;
    QString LocoPictureFolder;  // default: <program folder>Loks
    QString WagonPictureFolder; // default: <program folder>Wagen
    bool ContinuingRoutesA = false;
    bool ContinuingRoutesB = false;
    bool PowerOnByStart = false;
    QString InfoWindowGeometry = QStringLiteral("0151017306241031_InfoFenster");
    QString LogbookWindowGeometry = QStringLiteral("0327027002700400_LogBuchFenster");
    QString AlternativeVehicleDatabase;
    QString AlternativeMaintenanceFile;
    int WartezeitzwischenMagnetArt = 300;
    int InfoAnzeigenDauer = 1000;
    QString ClockfarbeStr = QStringLiteral("clYellow");
    QString FullenStr = QStringLiteral("clGreen");
    QString ClockFarbeOffStr = QStringLiteral("clMaroon");
    int FunctionKeyCount = 16;

    bool SettingsChanged = false;
    bool SoundSettingsChanged = false;

    // Built when the file is read: GleiskontaktAnzahl / 16 modules.
    std::vector<S88Modul> S88Module;
};

// Installation parameters from the parameter file.
struct InstallationParameters {
    QString ProgramVersion = QStringLiteral("41");
    QString LastProject = QStringLiteral("Default");
    QString LastConnectedDate;
    int MeasureStartContact = 0;
    int MeasureContact = 0;
    int MeasureTargetContact = 0;
    int MeasureLengthCm = 0;
};
