// A station: a named stopping place bound to one loco display of the plan; it owns the routes
// that start there.
#pragma once

#include "operation/Fahrstrasse.h"

#include <QString>
#include <memory>
#include <vector>

class TGleisBildElement;
class TZug;

inline const QString KeinZugInHaltestelle = QStringLiteral("00000-000-000");

class THaltestelle {
public:
    int HaltestelleID = 0;
    QString HaltestelleName = QStringLiteral("Keine Haltestelle");
    std::vector<TZug*> HaltestelleZuge;
    TGleisBildElement* HaltestelleElement = nullptr;
    int HaltestelleStatus = 0;
    std::vector<std::unique_ptr<TFahrstrasse>> HaltestelleFahrstrassen;
    TFahrstrasse* AktiveFahrstrasse = nullptr;
    int HaltestelleRichtung = 0;
    bool WartezeitVorbei = true;
    bool HaltestelleHierNichtFahren = false;
    QString HaltestelleArt = QStringLiteral("Bahnhof");
    int HaltestelleWarteZeit = 2000;
    bool HaltestelleBelegt = false;
    int HaltestelleSoundOrt = 999;
    QString HaltestelleSoundDatei;
    int HaltestelleSoundDateiLange = 0;
    QString ZugInHaltestelle = KeinZugInHaltestelle;
    bool HaltestelleGeloescht = false;

    TFahrstrasse* FahrstrasseVonId(int id) const;
    TFahrstrasse* FahrstrasseVonName(const QString& name) const;
    int HoechsteFahrstrasseID() const;
};
