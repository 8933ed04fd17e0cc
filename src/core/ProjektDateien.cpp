#include "core/ProjektDateien.h"

#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "vehicles/TFahrzeug.h"

ProjektDateien::ProjektDateien(Programm& programm) : programm_(programm), gleisplan_(programm), haltestellen_(programm), zuege_(programm) {}

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

// The trains come from the vehicle database: after a failed database load the train file is
// read but counts as not loaded, so neither it nor the routes (one block per train) are written.
ProjektDaten::Geladen ProjektDateien::LoadTrains(const QString& path)
{
    const bool ok = zuege_.OpenZuge(path);
    const bool datenbank = programm_.fahrzeuge == nullptr || !programm_.fahrzeuge->LadeFehler;
    return {ok && datenbank, QString::number(zuege_.ZugVersion)};
}

bool ProjektDateien::SaveTrains(const QString& path, QString* error)
{
    return zuege_.SaveZuge(path, error);
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
