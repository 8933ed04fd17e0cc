#include "operation/Haltestelle.h"

TFahrstrasse* THaltestelle::FahrstrasseVonId(int id) const
{
    for (const auto& f : HaltestelleFahrstrassen) {
        if (f->FahrstrasseID == id) {
            return f.get();
        }
    }
    return nullptr;
}

TFahrstrasse* THaltestelle::FahrstrasseVonName(const QString& name) const
{
    for (const auto& f : HaltestelleFahrstrassen) {
        if (f->FahrstrasseName == name) {
            return f.get();
        }
    }
    return nullptr;
}

int THaltestelle::HoechsteFahrstrasseID() const
{
    int hoechste = 0;
    for (const auto& f : HaltestelleFahrstrassen) {
        hoechste = std::max(hoechste, f->FahrstrasseID);
    }
    return hoechste;
}
