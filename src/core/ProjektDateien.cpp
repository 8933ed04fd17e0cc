#include "core/ProjektDateien.h"

#include "core/Programm.h"
#include "diagram/GleisBild.h"

ProjektDateien::ProjektDateien(Programm& programm) : programm_(programm), gleisplan_(programm) {}

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
