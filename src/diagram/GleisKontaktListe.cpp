#include "diagram/GleisKontaktListe.h"

#include "diagram/GleisBildElement.h"

#include <QLoggingCategory>
#include <algorithm>

Q_LOGGING_CATEGORY(lcKontakte, "trassolin.contacts")

void TGleisKontaktListe::RebuildContactLists(const std::vector<TGleisBildElement*>& elemente)
{
    for (Kontakt& k : kontakte_) {
        k.Elemente.clear();
    }
    for (TGleisBildElement* e : elemente) {
        if (KontaktGueltig(e->GleisKontaktNr)) {
            kontakte_[e->GleisKontaktNr].Elemente.push_back(e);
        }
    }
}

void TGleisKontaktListe::SetContactState(int nr, int state)
{
    if (!KontaktGueltig(nr)) {
        qCWarning(lcKontakte) << "feedback contact" << nr << "is outside 1..512; ignored";
        return;
    }
    const std::lock_guard<std::recursive_mutex> lock(GleisKontaktLock);
    Kontakt& k = kontakte_[nr];
    k.GleiskontaktBesetzt = state == 1;
    for (TGleisBildElement* e : k.Elemente) {
        e->SetBesetzt(k.GleiskontaktBesetzt);
    }
}

void TGleisKontaktListe::SetModuleState(int modul, quint32 bits)
{
    if (modul < 1 || modul > S88ModulMax) {
        qCWarning(lcKontakte) << "feedback module" << modul << "is outside 1..32; ignored";
        return;
    }
    for (int bit = 0; bit < 16; ++bit) {
        SetContactState(16 * modul - 15 + bit, (bits >> bit) & 1U ? 1 : 0);
    }
}

void TGleisKontaktListe::ClearAllContacts()
{
    const std::lock_guard<std::recursive_mutex> lock(GleisKontaktLock);
    for (Kontakt& k : kontakte_) {
        k.GleiskontaktBesetzt = false;
    }
}

void TGleisKontaktListe::Entfernen(const TGleisBildElement* element)
{
    for (Kontakt& k : kontakte_) {
        k.Elemente.erase(std::remove(k.Elemente.begin(), k.Elemente.end(), element), k.Elemente.end());
    }
}

void TGleisKontaktListe::Leeren()
{
    const std::lock_guard<std::recursive_mutex> lock(GleisKontaktLock);
    for (Kontakt& k : kontakte_) {
        k.GleiskontaktBesetzt = false;
        k.Elemente.clear();
    }
}
