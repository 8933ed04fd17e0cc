#include "operation/Fahrstrasse.h"

#include "core/TextFields.h"

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

QString BefehlZeile(const TFahrstrassenBefehl& b)
{
    return FixedField(b.BefehlHaltestelleID, 3) + FixedField(b.BefehlFahrstrasseID, 3) + FixedField(b.ZugOderMag, 2)
        + FixedField(b.BefehlAuswahl, 1) + FixedField(b.Speed, 3) + FixedField(b.WarteZeit, 5) + FixedField(b.KontaktNr, 3)
        + FixedField(b.Addresse, 3) + b.BefehlText;
}

std::optional<TFahrstrassenBefehl> BefehlAusZeile(const QString& zeile)
{
    const auto zahl = [&zeile](int von, int bis) { return ParseInt(Columns(zeile, von, bis)); };
    const auto klasse = zahl(7, 8);
    const auto auswahl = zahl(9, 9);
    const auto speed = zahl(10, 12);
    const auto warte = zahl(13, 17);
    const auto kontakt = zahl(18, 20);
    const auto adresse = zahl(21, 23);
    if (!klasse || !auswahl || !speed || !warte || !kontakt || !adresse) {
        return std::nullopt;
    }
    TFahrstrassenBefehl b;
    b.ZugOderMag = *klasse;
    b.BefehlAuswahl = *auswahl;
    b.Speed = *speed;
    b.WarteZeit = *warte;
    b.KontaktNr = *kontakt;
    b.Addresse = *adresse;
    b.BefehlText = ColumnsFrom(zeile, 24);
    return b;
}
