// A train: one locomotive of the vehicle database in service in the project. This holds the
// train's state as the stations, routes and files see it; its driving operations and panel
// build on it.
#pragma once

#include "operation/Fahrstrasse.h"

#include <QString>
#include <array>
#include <vector>

class TZug {
public:
    int ZugNr = 0;
    int ZugDatanbankNr = 0;
    int Addr = 0;
    QString ECOSID = QStringLiteral("0000");
    QString ZugName;
    QString ZugArt;
    QString ZugSorte;
    QString ZugBildDatei;
    int ZugBild20x80 = 0;
    int ZugBild40x160 = 0;
    int Protokoll = 0;
    std::array<int, 3> Folgeadresse{};
    int ZugRichtung = 0;
    int ZugSpeed = 0;
    int ZugSpeedLetzte = 0;
    int MaxSpeed = 100;
    std::array<bool, 17> Funktion{};
    std::array<bool, 17> FunktionVorhanden{};
    std::array<QString, 17> FunktionName;
    std::array<int, 17> FunktionBild{};
    int KupplungFunktion = 0;
    bool ZugInAutomatic = false;
    bool ZugAktiv = false;
    bool ZugSichtbar = false;
    int ZugHaltestelleID = KeineId;
    int ZugStatus = 0;
    int ZugStartHaltestelleID = KeineId;
    int ZugFahrstrasseID = KeineId;
    int ZugZielHaltestelleID = KeineId;
    int ZugKontakt = 0;
    int ZugZielKontakt = 0;
    int ZugAbfahrtDatenstart = 100;
    std::vector<TFahrstrassenBefehl> ZugAbfahrtDatenBefehlListe;
    std::vector<TFahrstrassenBefehl> ZugAnkunftDatenBefehlListe;
    bool ZugGeloescht = false;
};
