#include "operation/Fahrstrasse.h"

#include <algorithm>

void TFahrstrasse::FahrstrasseLeeren()
{
    FahrstrasseElemente.clear();
    FahrstrasseWeichenListe.clear();
    AbfahrtBefehle.clear();
    FahrBefehle.clear();
    AnkunftBefehle.clear();
    FahrstrasseKontakte.fill(0);
    FahrstrasseStatus = 0;
    FahrstrasseAusblenden = false;
    BefehlListeErstellt = false;
    FahrstrasseMagnetArtikel = KeineMagnetArtikel;
}

void TFahrstrasse::WeichenListeErstellen()
{
    FahrstrasseWeichenListe.clear();
    for (const FahrstrasseElement& e : FahrstrasseElemente) {
        if (e.ElementArt >= 49 && e.ElementArt <= 82) {
            FahrstrasseWeichenListe.push_back(e);
        }
    }
}

int TFahrstrasse::KontaktAnzahl() const
{
    int n = 0;
    while (n < FahrstrasseKontaktSlots && FahrstrasseKontakte[n + 1] != 0) {
        ++n;
    }
    return n;
}

int TFahrstrasse::LetzterKontakt() const
{
    for (int i = FahrstrasseKontaktSlots; i >= 1; --i) {
        if (FahrstrasseKontakte[i] != 0) {
            return FahrstrasseKontakte[i];
        }
    }
    return 0;
}

void TFahrstrasse::KontaktAnhaengen(int kontakt)
{
    if (kontakt == 0) {
        return;
    }
    const int n = KontaktAnzahl();
    if (std::find(FahrstrasseKontakte.begin() + 1, FahrstrasseKontakte.begin() + 1 + n, kontakt)
        != FahrstrasseKontakte.begin() + 1 + n) {
        return;
    }
    if (n < FahrstrasseKontaktSlots) {
        FahrstrasseKontakte[n + 1] = kontakt;
    }
}

TZugDaten* TFahrstrasse::ZugDatenVon(const QString& name) const
{
    for (const auto& d : ZugDatenListe) {
        if (d->Name == name) {
            return d.get();
        }
    }
    return nullptr;
}
