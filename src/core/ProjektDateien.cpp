#include "core/ProjektDateien.h"

#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"

ProjektDateien::ProjektDateien(Programm& programm) : programm_(programm), gleisplan_(programm), haltestellen_(programm) {}

ProjektDaten::Geladen ProjektDateien::LoadStations(const QString& path)
{
    const bool ok = haltestellen_.OpenHaltestellen(path);
    return {ok, QString::number(haltestellen_.HaltestellenVersion)};
}

ProjektDaten::Geladen ProjektDateien::LoadRoutes(const QString& path)
{
    const bool ok = haltestellen_.OpenFahrstrassen(path);
    return {ok, QString::number(haltestellen_.FahrstrassenVersion)};
}

// After the routes: the accessory table is built and the trains go back into their stations.
void ProjektDateien::CompleteRoutes()
{
    programm_.gleisbild->MagnetArtikelListeFullen();
    programm_.betriebsdaten->ZugeInHaltestellenSetzen();
}

bool ProjektDateien::SaveStations(const QString& path, QString* error)
{
    return haltestellen_.SaveHaltestellen(path, error);
}

bool ProjektDateien::SaveRoutes(const QString& path, QString* error)
{
    return haltestellen_.SaveFahrstrassen(path, error);
}

ProjektDaten::Geladen ProjektDateien::LoadTrackPlan(const QString& path)
{
    const bool ok = gleisplan_.LoadTrackPlan(path);
    return {ok, QString::number(gleisplan_.GleisplanVersion)};
}

void ProjektDateien::ResetContacts()
{
    programm_.gleisbild->ClearAllContacts();
    programm_.gleisbild->RebuildContactLists();
}

bool ProjektDateien::SaveTrackPlan(const QString& path, QString* error)
{
    return gleisplan_.SaveTrackPlan(path, error);
}
