#include "operation/FahrstrassenStellwerk.h"

#include "core/FileSave.h"
#include "core/Programm.h"
#include "core/TextFields.h"
#include "diagram/ElementArten.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "operation/Diagnose.h"
#include "operation/ThreatMagnetArtCheck.h"
#include "operation/Zugsteuerung.h"
#include "vehicles/LogBuch.h"

#include <QFileInfo>
#include <algorithm>

namespace {
const QString kSignal = QStringLiteral("Signal");

QString zahl(int n)
{
    return QString::number(n);
}

// A decimal field of an entry line; nullopt when it is not a number.
std::optional<int> feld(const QString& zeile, int von, int bis)
{
    return ParseInt(Columns(zeile, von, bis));
}

// Both exit signals of a station's display red and both buttons back to "Signal".
void signaleZuruecksetzen(TGleisBildElement& e)
{
    e.FahrstrasseLinks = {};
    e.FahrstrasseRechts = {};
    e.SetSignalLinks(0);
    e.SetSignalRechts(0);
    e.ImageLinks.enabled = true;
    e.ImageRechts.enabled = true;
    e.ImageLinks.Hint = kSignal;
    e.ImageRechts.Hint = kSignal;
}
} // namespace

FahrstrassenStellwerk::FahrstrassenStellwerk(Programm& programm, TZugsteuerung& steuerung, TDiagnose& diagnose)
    : programm_(programm), steuerung_(steuerung), diagnose_(diagnose)
{
}

void FahrstrassenStellwerk::setSound(SoundAbspielen* sound)
{
    sound_ = sound ? sound : &keinSound_;
}

// ---- helpers ----------------------------------------------------------------------------------

BetriebsDaten& FahrstrassenStellwerk::daten() const
{
    return *programm_.betriebsdaten;
}

TGleisBild& FahrstrassenStellwerk::bild() const
{
    return *programm_.gleisbild;
}

TGleisBildElement* FahrstrassenStellwerk::element(const FahrstrasseElement& e) const
{
    return bild().Zelle(e.Spalte, e.Zeile);
}

std::vector<THaltestelle*> FahrstrassenStellwerk::stationen(int id) const
{
    std::vector<THaltestelle*> liste;
    for (const auto& h : daten().HaltestellenListe) {
        if (h->HaltestelleID == id) {
            liste.push_back(h.get());
        }
    }
    return liste;
}

TZug* FahrstrassenStellwerk::zugVon(const TZugDaten& d) const
{
    return d.ZugDatenZug != nullptr ? d.ZugDatenZug : daten().ZugVonDatenbankNr(d.ZugDatenZugID);
}

void FahrstrassenStellwerk::logbuch(const QString& text, int art) const
{
    if (programm_.logbuch != nullptr) {
        programm_.logbuch->LogBuchAdd(text, art);
    }
}

void FahrstrassenStellwerk::neuZeichnen(TGleisBildElement* e) const
{
    if (e != nullptr) {
        Q_EMIT bild().neuZeichnen(e);
    }
}

QString FahrstrassenStellwerk::tag(const TFahrstrasse& route) const
{
    return steuerung_.FahrstrassenTag(route.StartHaltestelleID, route.FahrstrasseID);
}

TFahrstrassenBefehl FahrstrassenStellwerk::befehl(const TFahrstrasse& route, int klasse, int auswahl, int wert, int warteZeit,
                                                  int kontakt, int adresse, const QString& text) const
{
    return {route.StartHaltestelleID, route.FahrstrasseID, klasse, auswahl, wert, warteZeit, kontakt, adresse, text};
}

int FahrstrassenStellwerk::Richtungscode(const FahrstrasseElement& von, const FahrstrasseElement& nach)
{
    if (nach.Spalte > von.Spalte) {
        return 3;
    }
    return nach.Spalte < von.Spalte ? 7 : 0;
}

int FahrstrassenStellwerk::FolgenderKontakt(const TFahrstrasse& route, int kontakt)
{
    if (kontakt == 0) {
        return 0;
    }
    for (int i = 1; i < FahrstrasseKontaktSlots; ++i) {
        if (route.FahrstrasseKontakte[i] == kontakt) {
            return route.FahrstrasseKontakte[i + 1];
        }
    }
    return 0;
}

TZugDaten* FahrstrassenStellwerk::ZugDatenFur(const TFahrstrasse& route, const TZug& zug)
{
    for (const auto& d : route.ZugDatenListe) {
        if (d->ZugDatenAktiv && d->ZugDatenZugID == zug.ZugDatanbankNr) {
            return d.get();
        }
    }
    return nullptr;
}

int FahrstrassenStellwerk::HaltestellenZustand(int haltestelleNr) const
{
    const THaltestelle* h = daten().HaltestelleVonId(haltestelleNr);
    return h != nullptr ? h->HaltestelleStatus : 0;
}

// ---- the check ----------------------------------------------------------------------------------

QStringList FahrstrassenStellwerk::FahrstrasseCheck(TFahrstrasse& route)
{
    QStringList liste;
    const THaltestelle* s = daten().HaltestelleVonId(route.StartHaltestelleID);
    if (s == nullptr) {
        return liste;
    }
    if (s->HaltestelleGeloescht) {
        liste << QStringLiteral("Start Haltestelle (") + s->HaltestelleName + QStringLiteral(") wurde gelösscht");
        return liste;
    }
    const TGleisKontaktListe& kontakte = bild().Kontakte();
    // A route without contacts has no start contact: contact 0 is never occupied, so such a
    // route never runs (nothing would tell its arrival).
    if (!kontakte.Besetzt(route.FahrstrasseKontakte[1])) {
        liste << QStringLiteral("Start Kontakt (") + zahl(route.FahrstrasseKontakte[1]) + QStringLiteral(") nicht Besetzt");
    }
    for (int i = 2; i <= FahrstrasseKontaktSlots; ++i) {
        const int k = route.FahrstrasseKontakte[i];
        if (k != 0 && kontakte.Besetzt(k)) {
            liste << QStringLiteral("Kontakt (") + zahl(k) + QStringLiteral(") Besetzt");
        }
    }
    for (const FahrstrasseElement& e : route.FahrstrasseElemente) {
        const TGleisBildElement* g = e.ElementTyp == 7 || e.ElementTyp == 8 ? nullptr : element(e);
        if (g != nullptr && g->InFahrstrasse && IstWeiche(g->GleisBildNr)) {
            liste << QStringLiteral("Min 1 Element in andere Fahrstrasse ") + g->Name;
        }
    }
    if (!s->WartezeitVorbei) {
        liste << QStringLiteral("Haltstelle ") + s->HaltestelleName + QStringLiteral(" wartezeit noch nicht abgelaufen ");
    }
    if (route.FahrstrasseAusblenden) {
        liste << QStringLiteral("Fahrstraße ist ausgeblendet : ") + route.FahrstrasseName;
    }
    zielPruefen(route, *s, liste);
    return liste;
}

void FahrstrassenStellwerk::zielPruefen(const TFahrstrasse& route, const THaltestelle& s, QStringList& liste) const
{
    const TZug* zug = s.HaltestelleElement != nullptr ? s.HaltestelleElement->Zug : nullptr;
    const THaltestelle* z = daten().HaltestelleVonId(route.ZielHaltestelleID);
    if (zug == nullptr) {
        liste << QStringLiteral("Zug nicht in ") + s.HaltestelleName;
    } else if (z != nullptr && z->HaltestelleGeloescht) {
        liste << QStringLiteral("Ziel Haltestelle (") + z->HaltestelleName + QStringLiteral(") wurde gelösscht");
    } else if (z != nullptr) {
        if (z->HaltestelleHierNichtFahren) {
            liste << QStringLiteral("In (") + z->HaltestelleName + QStringLiteral(") darf nicht befahren werden");
        }
        const TZug* dort = z->HaltestelleElement != nullptr ? z->HaltestelleElement->Zug : nullptr;
        if (dort != nullptr) {
            liste << QStringLiteral("Ein anderer Zug (") + dort->ZugName + QStringLiteral(") in Zielhaltestelle");
        } else if (z->HaltestelleStatus == 3) {
            // Another route into this station is reserved or running: a second train must not
            // be sent onto the same track.
            liste << QStringLiteral("Ziel Haltestelle (") + z->HaltestelleName + QStringLiteral(") ist schon Ziel einer Fahrstrasse");
        }
        const auto& zuge = z->HaltestelleZuge;
        const bool erlaubt = std::any_of(zuge.begin(), zuge.end(),
                                         [zug](const TZug* t) { return t != nullptr && t->ZugDatanbankNr == zug->ZugDatanbankNr; });
        if (liste.isEmpty() && !erlaubt) {
            liste << zug->ZugName + QStringLiteral(" darf nicht nach (") + z->HaltestelleName + QStringLiteral(") Fahren");
        }
    }
    if (z != nullptr) {
        zwischenhalteplaetzePruefen(route, s, *z, liste);
    }
}

// Stations the route passes through. The start station is left out: "no route may bring a
// train here" does not keep a train from leaving.
void FahrstrassenStellwerk::zwischenhalteplaetzePruefen(const TFahrstrasse& route, const THaltestelle& s, const THaltestelle& z,
                                                        QStringList& liste) const
{
    for (const FahrstrasseElement& e : route.FahrstrasseElemente) {
        if (e.ElementTyp != 10 || e.HaltestelleNr == KeineId) {
            continue;
        }
        const THaltestelle* h = daten().HaltestelleVonId(e.HaltestelleNr);
        if (h != nullptr && h != &z && h != &s && h->HaltestelleHierNichtFahren) {
            liste << QStringLiteral("In (") + h->HaltestelleName + QStringLiteral(") darf nicht befahren werden");
        }
    }
}

bool FahrstrassenStellwerk::FahrstrasseAktivFurZug(const TFahrstrasse& route, const QString& zugName) const
{
    for (const auto& d : route.ZugDatenListe) {
        const TZug* zug = zugVon(*d);
        if (zug != nullptr && zug->ZugName == zugName) {
            return d->ZugDatenAktiv;
        }
    }
    return false;
}

// ---- reserving ---------------------------------------------------------------------------------

void FahrstrassenStellwerk::FahrstrasseAnzeigen(TFahrstrasse& route, bool an)
{
    for (const FahrstrasseElement& e : route.FahrstrasseElemente) {
        TGleisBildElement* g = element(e);
        if (g == nullptr) {
            continue;
        }
        g->FahrstrasseStellung = e.StellungSetzen;
        if (e.Gueltig) {
            g->SetInFahrstrasse(an);
        } else {
            neuZeichnen(g);
        }
    }
}

void FahrstrassenStellwerk::FahrstrasseReservieren(TFahrstrasse& route)
{
    route.FahrstrasseStatus = 1;
    FahrstrasseAnzeigen(route, true);
    const QString hinweis = QStringLiteral("Fahrstraße (") + route.FahrstrasseName + QStringLiteral(") Setzen");
    for (THaltestelle* s : stationen(route.StartHaltestelleID)) {
        if (TGleisBildElement* e = s->HaltestelleElement) {
            e->SetSignalLinks(0);
            e->SetSignalRechts(0);
            SignalTaste& gesperrt = s->HaltestelleRichtung == 1 ? e->ImageLinks : e->ImageRechts;
            SignalTaste& abfahrt = s->HaltestelleRichtung == 1 ? e->ImageRechts : e->ImageLinks;
            gesperrt.enabled = false;
            abfahrt.Hint = hinweis;
            neuZeichnen(e);
        }
        s->HaltestelleStatus = 1;
    }
    for (THaltestelle* z : stationen(route.ZielHaltestelleID)) {
        if (TGleisBildElement* e = z->HaltestelleElement) {
            e->ImageLinks.Hint = QStringLiteral("Fahrstraße hierher gesetzt");
            e->ImageRechts.Hint = QStringLiteral("Fahrstraße hierher gesetzt");
            neuZeichnen(e);
        }
        z->HaltestelleStatus = 3;
    }
    BefehlListe_Erstellen(route);
}

// ---- the command lists -----------------------------------------------------------------------------

void FahrstrassenStellwerk::BefehlListe_Erstellen(TFahrstrasse& route)
{
    route.AbfahrtBefehle.clear();
    route.FahrBefehle.clear();
    route.AnkunftBefehle.clear();
    const TZugDaten* d = route.AktuelleZugDaten;
    const TZug* zug = d != nullptr ? zugVon(*d) : nullptr;
    if (d != nullptr && zug != nullptr) {
        const int nr = zug->ZugNr;
        if (d->ZugDatenGebrauchen) {
            zugeigeneBefehle(route, zug->ZugAbfahrtDatenBefehlListe, nr, route.AbfahrtBefehle);
        }
        const int start = d->ZugDatenGebrauchen ? zug->ZugAbfahrtDatenstart : d->ZugDatenStarttempo;
        route.AbfahrtBefehle.push_back(
            befehl(route, 1, 1, start, d->ZugDatenStartdelay, d->ZugDatenStartkontakt, nr, QStringLiteral("Start")));
        for (int i = 0; i < 3; ++i) {
            if (d->ZugDatenBremskontakt[i] != 0) {
                route.FahrBefehle.push_back(befehl(route, 1, 1, d->ZugDatenBremstempo[i], i == 2 ? d->ZugDatenBremsdelay3 : 0,
                                                   d->ZugDatenBremskontakt[i], nr, QStringLiteral("Bremskontakt") + zahl(i + 1)));
            }
        }
        route.FahrBefehle.push_back(befehl(route, 1, 1, 0, d->ZugDatenZieldelay, d->ZugDatenZielkontakt, nr,
                                           d->NachsteFahrstrasse ? QStringLiteral("Nachste") : QStringLiteral("Ziel")));
        funktionenEinreihen(route, *d, nr);
        folgenEinreihen(route, *d);
        if (d->ZugDatenFreigabeKontakt != 0) {
            for (const THaltestelle* s : stationen(route.StartHaltestelleID)) {
                route.AnkunftBefehle.push_back(befehl(route, 30, d->ZugDatenWendenBeiAnkunft, 0, s->HaltestelleWarteZeit + 1000,
                                                      d->ZugDatenFreigabeKontakt, nr,
                                                      d->ZugDatenFreigabeBesetzt ? QStringLiteral(" Besetzt") : QStringLiteral(" Frei")));
            }
        }
        if (d->ZugDatenGebrauchen) {
            zugeigeneBefehle(route, zug->ZugAnkunftDatenBefehlListe, nr, route.AnkunftBefehle);
        }
        ansagenEinreihen(route, *d, *zug);
    }
    route.BefehlListeErstellt = true;
}

// The train's own lists, as copies that carry the route and the train.
void FahrstrassenStellwerk::zugeigeneBefehle(TFahrstrasse& route, const std::vector<TFahrstrassenBefehl>& liste, int zugNr,
                                             std::vector<TFahrstrassenBefehl>& ziel)
{
    for (TFahrstrassenBefehl b : liste) {
        b.BefehlHaltestelleID = route.StartHaltestelleID;
        b.BefehlFahrstrasseID = route.FahrstrasseID;
        b.Addresse = zugNr;
        ziel.push_back(b);
    }
}

// Entries "ccc-ddddd-o-Fnn-label": at the start contact they belong to the departure, at the
// target contact to the arrival, elsewhere to the run. Unreadable entries and function numbers
// outside 0..16 are left out.
void FahrstrassenStellwerk::funktionenEinreihen(TFahrstrasse& route, const TZugDaten& d, int zugNr)
{
    for (const QString& eintrag : d.ZugDatenFunktionen) {
        QString text = ColumnsFrom(eintrag, 13);
        if (text.isEmpty()) {
            text = QStringLiteral("F 0-Licht");
        }
        const auto kontakt = feld(eintrag, 1, 3);
        const auto warte = feld(eintrag, 5, 9);
        const auto anAus = feld(eintrag, 11, 11);
        const auto funktion = feld(text, 2, 3);
        if (!kontakt || *kontakt == 0 || !warte || !anAus || !funktion || *funktion < 0 || *funktion > 16) {
            continue;
        }
        const TFahrstrassenBefehl b = befehl(route, 1, *anAus + 3, *funktion, *warte, *kontakt, zugNr, ColumnsFrom(text, 5));
        if (*kontakt == d.ZugDatenStartkontakt) {
            route.AbfahrtBefehle.push_back(b);
        } else if (*kontakt == d.ZugDatenZielkontakt) {
            route.AnkunftBefehle.push_back(b);
        } else {
            route.FahrBefehle.push_back(b);
        }
    }
}

void FahrstrassenStellwerk::folgenEinreihen(TFahrstrasse& route, const TZugDaten& d)
{
    for (int i = 0; i < 5; ++i) {
        const int kontakt = d.ZugDatenFolgeKontakt[i];
        const int bild = d.ZugDatenFolgeschaltungBild[i];
        if (kontakt == 0 || bild == 0) {
            continue;
        }
        const int stellung = bild == 2 || bild == 4 || bild == 6 || bild == 8 ? 1 : 0;
        const int adresse = d.ZugDatenFolgeMagnetArt[i];
        if (kontakt == d.ZugDatenStartkontakt) {
            route.AbfahrtBefehle.push_back(befehl(route, 10, stellung, 0, 0, kontakt, adresse, QStringLiteral("Bei Abfahrt")));
        } else if (kontakt == d.ZugDatenZielkontakt) {
            route.AnkunftBefehle.push_back(befehl(route, 10, stellung, 0, 0, kontakt, adresse, QStringLiteral("Beim Ziel")));
        } else {
            route.FahrBefehle.push_back(befehl(route, 10, stellung, 0, 0, kontakt, adresse, QStringLiteral("Beim Fahren")));
        }
    }
}

// Passenger trains: the train's own sound, or the announcement of the start station.
void FahrstrassenStellwerk::ansagenEinreihen(TFahrstrasse& route, const TZugDaten& d, const TZug& zug)
{
    if (zug.ZugSorte != QStringLiteral("PersonenZug")) {
        return;
    }
    if (!d.ZugDatenSound.isEmpty()) {
        route.AbfahrtBefehle.push_back(befehl(route, 20, 0, d.ZugDatenSoundOrt, 0, 0, zug.ZugNr, d.ZugDatenSound));
        return;
    }
    for (const THaltestelle* s : stationen(route.StartHaltestelleID)) {
        if (!s->HaltestelleSoundDatei.isEmpty()) {
            route.AbfahrtBefehle.push_back(befehl(route, 20, 0, s->HaltestelleSoundOrt, 0, 0, zug.ZugNr, s->HaltestelleSoundDatei));
        }
    }
}

// ---- setting and starting -------------------------------------------------------------------------

bool FahrstrassenStellwerk::FahrstrasseStarten(TFahrstrasse& route, TZugDaten& d)
{
    THaltestelle* s = daten().HaltestelleVonId(route.StartHaltestelleID);
    TZug* zug = zugVon(d);
    if (s == nullptr || zug == nullptr) {
        return false;
    }
    s->AktiveFahrstrasse = &route;
    route.AktuelleZugDaten = &d;
    s->HaltestelleBelegt = true;
    FahrstrasseReservieren(route);
    zug->ZugStatus = 1;
    if (!setzen(route, false)) {
        return false;
    }
    zug->ZugStatus = 2;
    zug->ZugStartHaltestelleID = s->HaltestelleID;
    zug->ZugFahrstrasseID = route.FahrstrasseID;
    ZugverfolgungAktualisieren(*zug);
    return true;
}

void FahrstrassenStellwerk::FahrstrasseSetzen(TFahrstrasse& route, bool ohneSound)
{
    setzen(route, ohneSound);
}

bool FahrstrassenStellwerk::setzen(TFahrstrasse& route, bool ohneSound)
{
    THaltestelle* s = daten().HaltestelleVonId(route.StartHaltestelleID);
    THaltestelle* z = daten().HaltestelleVonId(route.ZielHaltestelleID);
    TZug* zug = s != nullptr && s->HaltestelleElement != nullptr ? s->HaltestelleElement->Zug : nullptr;
    if (s == nullptr || z == nullptr || zug == nullptr) {
        return false;
    }
    logbuch(QStringLiteral("Fahrstrasse von ") + s->HaltestelleName + QStringLiteral(" nach ") + z->HaltestelleName
                + QStringLiteral(" Zug : ") + zug->ZugName + zug->ECOSID,
            TLogBuch::ArtNormal);
    s->HaltestelleBelegt = true;
    s->HaltestelleStatus = 2;
    zug->ZugZielHaltestelleID = route.ZielHaltestelleID;
    zug->ZugStatus = 2;
    ZugverfolgungAktualisieren(*zug);
    zielAnkuendigen(route, *z, *zug);
    if (!ohneSound) {
        abfahrtSoundsSpielen(route);
    }
    TThreatMagnetArtCheck::Starten(programm_, {route.StartHaltestelleID, route.FahrstrasseID, zug->ZugNr}, tag(route));
    folgeschaltungenEinreihen(route);
    abfahrtBefehleAusfuehren(route);
    steuerung_.AddFahrstrassenBefehl(befehl(route, 40, 0, 0, 0, route.FahrstrasseKontakte[2], 0));
    if (TGleisBildElement* e = s->HaltestelleElement) {
        if (s->HaltestelleRichtung == 1) {
            e->SetSignalRechts(1);
        } else {
            e->SetSignalLinks(1);
        }
    }
    for (const TFahrstrassenBefehl& b : route.FahrBefehle) {
        steuerung_.AddFahrstrassenBefehl(b);
    }
    route.FahrstrasseStatus = 2;
    zwischensignaleEinreihen(route);
    kontakteSimulieren(route);
    return true;
}

void FahrstrassenStellwerk::zielAnkuendigen(const TFahrstrasse& route, THaltestelle& z, const TZug& zug)
{
    z.HaltestelleBelegt = true;
    TGleisBildElement* e = z.HaltestelleElement;
    if (e == nullptr) {
        return;
    }
    e->ErwarteterZug = zug.ZugName;
    e->DurchfahrenderZug.clear();
    const auto& elemente = route.FahrstrasseElemente;
    if (elemente.size() >= 2) {
        e->AnkunftRichtung = Richtungscode(elemente[elemente.size() - 2], elemente.back());
    }
    neuZeichnen(e);
}

void FahrstrassenStellwerk::abfahrtSoundsSpielen(const TFahrstrasse& route)
{
    for (const TFahrstrassenBefehl& b : route.AbfahrtBefehle) {
        if (b.ZugOderMag != 20) {
            continue;
        }
        const QString pfad = soundPfad(b.BefehlText);
        if (!pfad.isEmpty()) {
            sound_->PlaySound(pfad, b.Speed);
        }
    }
}

// A sound file as stored: an existing path, or a file name (a Windows path is reduced to it) in
// the sound folder `Projekte/sound`. Empty when there is no such file.
QString FahrstrassenStellwerk::soundPfad(const QString& datei) const
{
    if (datei.isEmpty()) {
        return {};
    }
    if (!datei.contains(u'\\') && QFileInfo(datei).isAbsolute() && QFileInfo(datei).isFile()) {
        return datei;
    }
    const QString name = datei.section(u'\\', -1).section(u'/', -1);
    const QString pfad = FindFileNoCase(programm_.programFolder + QStringLiteral("Projekte/sound"), name);
    return QFileInfo(pfad).isFile() ? pfad : QString();
}

// The route's switchings for every train: the entries "ccc-ddddd-aaa--p" and the five groups
// "aaa-p" of `FahrstrasseMagnetArtikel`. Unreadable entries are left out.
void FahrstrassenStellwerk::folgeschaltungenEinreihen(const TFahrstrasse& route)
{
    for (const QString& eintrag : route.FahrstrassenFurAlleZugeStringlist) {
        const auto kontakt = feld(eintrag, 1, 3);
        const auto warte = feld(eintrag, 5, 9);
        const auto adresse = feld(eintrag, 11, 13);
        const auto stellung = feld(eintrag, 16, 16);
        if (kontakt && warte && adresse && stellung) {
            steuerung_.AddFahrstrassenBefehl(befehl(route, 10, *stellung, 0, *warte, *kontakt, *adresse));
        }
    }
    for (const QString& gruppe : route.FahrstrasseMagnetArtikel.split(u'/')) {
        const auto adresse = feld(gruppe, 1, 3);
        const auto stellung = feld(gruppe, 5, 5);
        if (Columns(gruppe, 1, 3) != QStringLiteral("000") && adresse && stellung) {
            steuerung_.AddFahrstrassenBefehl(befehl(route, 10, *stellung, 0, 0, 0, *adresse));
        }
    }
}

// Departure commands: at once, or after their delay on the route's tag.
void FahrstrassenStellwerk::abfahrtBefehleAusfuehren(const TFahrstrasse& route)
{
    for (const TFahrstrassenBefehl& b : route.AbfahrtBefehle) {
        if (b.ZugOderMag == 20) {
            continue;
        }
        if (b.WarteZeit > 0 && b.ZugOderMag == 1) {
            steuerung_.ThreatZugStarten(b, b.BefehlText);
        } else if (b.WarteZeit > 0) {
            programm_.scheduler.after(b.WarteZeit, tag(route), [this, b] { ausfuehrenOderMelden(b); });
        } else {
            ausfuehrenOderMelden(b);
        }
    }
}

void FahrstrassenStellwerk::ausfuehrenOderMelden(const TFahrstrassenBefehl& b)
{
    if (!steuerung_.ExeFahrstrassenBefehl(b)) {
        logbuch(QStringLiteral("Befehl (") + steuerung_.BefehlBeschreibung(b) + QStringLiteral(" nicht ausgeführt) "), TLogBuch::ArtFehler);
    }
}

// Signals and stations inside the route go back to red at the contact after them.
void FahrstrassenStellwerk::zwischensignaleEinreihen(const TFahrstrasse& route)
{
    const auto& elemente = route.FahrstrasseElemente;
    for (std::size_t i = 1; i + 1 < elemente.size(); ++i) {
        const TGleisBildElement* g = element(elemente[i]);
        if (g == nullptr) {
            continue;
        }
        const int folgend = FolgenderKontakt(route, g->GleisKontaktNr);
        if (IstSignal(g->GleisBildNr)) {
            steuerung_.AddFahrstrassenBefehl(befehl(route, 10, 3, 0, 0, folgend, g->MagnetArtNr));
        } else if (g->istLokAnzeige() && elemente[i].ElementModus == 1) {
            steuerung_.AddFahrstrassenBefehl(befehl(route, 41, g->HaltestelleNr, 0, 0, folgend, 0));
        }
    }
}

void FahrstrassenStellwerk::kontakteSimulieren(const TFahrstrasse& route)
{
    if (!diagnose_.SimulationAn()) {
        return;
    }
    for (int i = 2; i <= FahrstrasseKontaktSlots; ++i) {
        if (route.FahrstrasseKontakte[i] != 0) {
            diagnose_.SimulationKontakt(route.FahrstrasseKontakte[i]);
        }
    }
}

// ---- arrival, release, cancel ------------------------------------------------------------------------

void FahrstrassenStellwerk::ZugIstAngekommen(TFahrstrasse& route)
{
    THaltestelle* z = daten().HaltestelleVonId(route.ZielHaltestelleID);
    if (z == nullptr) {
        return;
    }
    z->WartezeitVorbei = false;
    z->HaltestelleStatus = 3;
    // What is left of the run (a braking contact never seen, a switching on the way) must not
    // act on the standing train or on the next one.
    steuerung_.DeleteFahrstrasse(route.StartHaltestelleID, route.FahrstrasseID);
    for (const TFahrstrassenBefehl& b : route.AnkunftBefehle) {
        steuerung_.AddFahrstrassenBefehl(b);
    }
    const TZug* zug = route.AktuelleZugDaten != nullptr ? zugVon(*route.AktuelleZugDaten) : nullptr;
    if (programm_.settings.AlleLokfunktionenausschalten && z->HaltestelleArt == QStringLiteral("Schattenbahnhof") && zug != nullptr) {
        steuerung_.AddFahrstrassenBefehl(befehl(route, 1, 6, 0, 0, 0, zug->ZugNr));
    }
    THaltestelle* s = daten().HaltestelleVonId(route.StartHaltestelleID);
    if (s == nullptr) {
        return;
    }
    s->HaltestelleBelegt = false;
    s->HaltestelleStatus = 0;
    steuerung_.AddFahrstrassenBefehl(befehl(route, 50, 0, 0, 0, 0, 0, QStringLiteral("Alle Restlichen Befehle loesschen")));
}

void FahrstrassenStellwerk::haltestelleFreigeben(THaltestelle& s)
{
    if (TGleisBildElement* e = s.HaltestelleElement) {
        signaleZuruecksetzen(*e);
        neuZeichnen(e);
    }
    s.HaltestelleStatus = 0;
}

void FahrstrassenStellwerk::FahrstrasseFreigeben(TFahrstrasse& route)
{
    route.FahrstrasseStatus = 0;
    for (THaltestelle* s : stationen(route.StartHaltestelleID)) {
        haltestelleFreigeben(*s);
    }
    for (THaltestelle* z : stationen(route.ZielHaltestelleID)) {
        if (TGleisBildElement* e = z->HaltestelleElement) {
            (z->HaltestelleRichtung == 0 ? e->ImageLinks : e->ImageRechts).Hint = kSignal;
        }
    }
    routenElementeLeeren(route, false);
    FahrstrasseAnzeigen(route, false);
}

// Elements 1 .. count-1 lose the train texts and the route's lock; with `zwischensignaleRot`
// the stations passed through also get their signals back to red.
void FahrstrassenStellwerk::routenElementeLeeren(const TFahrstrasse& route, bool zwischensignaleRot)
{
    const auto& elemente = route.FahrstrasseElemente;
    for (std::size_t i = 1; i < elemente.size(); ++i) {
        TGleisBildElement* g = element(elemente[i]);
        if (g == nullptr) {
            continue;
        }
        if (zwischensignaleRot && i + 1 < elemente.size() && g->istLokAnzeige() && !g->DurchfahrenderZug.isEmpty()) {
            g->SetSignalLinks(0);
            g->SetSignalRechts(0);
        }
        g->ErwarteterZug.clear();
        g->DurchfahrenderZug.clear();
        g->FahrstrasseBelegt = {};
        neuZeichnen(g);
    }
}

TZug* FahrstrassenStellwerk::laufenderZug(const TFahrstrasse& route, const THaltestelle& s) const
{
    if (route.AktuelleZugDaten != nullptr) {
        if (TZug* zug = zugVon(*route.AktuelleZugDaten)) {
            return zug;
        }
    }
    return s.HaltestelleElement != nullptr ? s.HaltestelleElement->Zug : nullptr;
}

void FahrstrassenStellwerk::FahrstrasseLoeschen(TFahrstrasse& route)
{
    THaltestelle* s = daten().HaltestelleVonId(route.StartHaltestelleID);
    if (s == nullptr) {
        return;
    }
    const bool lief = route.FahrstrasseStatus == 2;
    const bool aktiv = route.FahrstrasseStatus != 0;
    programm_.scheduler.cancel(tag(route));
    s->HaltestelleBelegt = false;
    routenElementeLeeren(route, true);
    if (s->AktiveFahrstrasse == &route) {
        s->AktiveFahrstrasse = nullptr;
    }
    haltestelleFreigeben(*s);
    if (TZug* zug = aktiv ? laufenderZug(route, *s) : nullptr) {
        if (lief) {
            zug->Set_Speed(0);
        }
        zug->AutomaticAktivSetzen(false);
        zug->ZugStatus = 0;
        ZugverfolgungAktualisieren(*zug);
    }
    if (THaltestelle* z = daten().HaltestelleVonId(route.ZielHaltestelleID)) {
        z->HaltestelleBelegt = false;
        const bool zugDort = z->HaltestelleElement != nullptr && z->HaltestelleElement->Zug != nullptr;
        if (z->HaltestelleStatus == 3 && !zugDort) {
            z->HaltestelleStatus = 0;
        }
    }
    steuerung_.DeleteFahrstrasse(route.StartHaltestelleID, route.FahrstrasseID);
    for (const FahrstrasseElement& w : route.FahrstrasseWeichenListe) {
        if (TGleisBildElement* g = element(w)) {
            g->FahrstrasseBelegt = {};
        }
    }
    route.FahrstrasseStatus = 0;
    FahrstrasseAnzeigen(route, false);
}

bool FahrstrassenStellwerk::FahrstrasseIstGesetzt(const TFahrstrasse& route, int kontakt) const
{
    for (const FahrstrasseElement& e : route.FahrstrasseElemente) {
        const TGleisBildElement* g = element(e);
        if (g == nullptr) {
            continue;
        }
        const bool stellbar = g->GleisBildNr > 61 && !g->istLokAnzeige();
        if ((stellbar && g->Stellung != e.StellungSetzen) || (g->GleiskontaktBesetzt && g->GleisKontaktNr != kontakt)
            || g->InFahrstrasse) {
            return false;
        }
    }
    return true;
}

// ---- exit-signal buttons and drive-to ------------------------------------------------------------------

void FahrstrassenStellwerk::signalUmschalten(TGleisBildElement& display, bool links)
{
    if (links) {
        display.SetSignalLinks(display.SignalLinks != 0 ? 0 : 1);
    } else {
        display.SetSignalRechts(display.SignalRechts != 0 ? 0 : 1);
    }
}

// The offered route cannot run: the signal goes back, the offer is dropped, the user is told.
void FahrstrassenStellwerk::offerteVerwerfen(TGleisBildElement& display, bool links, const QString& meldung)
{
    signalUmschalten(display, links);
    display.FahrstrasseLinks = {};
    display.FahrstrasseRechts = {};
    (links ? display.ImageLinks : display.ImageRechts).Hint = kSignal;
    neuZeichnen(&display);
    programm_.dialogs.information(meldung);
}

void FahrstrassenStellwerk::SignalMitFahrstrasse(TGleisBildElement& display, bool links)
{
    THaltestelle* s = daten().HaltestelleVonId(display.HaltestelleNr);
    if (s == nullptr) {
        return;
    }
    FahrstrassenVerweis& verweis = links ? display.FahrstrasseLinks : display.FahrstrasseRechts;
    SignalTaste& taste = links ? display.ImageLinks : display.ImageRechts;
    if (verweis.gesetzt()) {
        const THaltestelle* start = daten().HaltestelleVonId(verweis.HaltestelleID);
        TFahrstrasse* route = start != nullptr ? start->FahrstrasseVonId(verweis.FahrstrasseID) : nullptr;
        if (route == nullptr) {
            offerteVerwerfen(display, links, QStringLiteral("Die angebotene Fahrstraße gibt es nicht mehr !!"));
            return;
        }
        if (!FahrstrasseCheck(*route).isEmpty()) {
            offerteVerwerfen(display, links, route->FahrstrasseName + QStringLiteral(" ist nicht mehr frei !!"));
            return;
        }
        TZugDaten* d = display.Zug != nullptr ? ZugDatenFur(*route, *display.Zug) : nullptr;
        if (d == nullptr) {
            offerteVerwerfen(display, links, route->FahrstrasseName + QStringLiteral(" ist für diesen Zug nicht aktiv !!"));
            return;
        }
        signalUmschalten(display, links);
        FahrstrasseStarten(*route, *d);
        taste.Hint = QStringLiteral("Fahrstraße gesetzt");
        verweis = {};
        return;
    }
    TFahrstrasse* route = s->AktiveFahrstrasse;
    TZug* zug = display.Zug;
    if (route == nullptr || route->FahrstrasseStatus != 1 || zug == nullptr || !setzen(*route, false)) {
        return;
    }
    taste.Hint = QStringLiteral("Fahrstraße gesetzt");
    zug->ZugStatus = 2;
    zug->ZugStartHaltestelleID = s->HaltestelleID;
    zug->ZugFahrstrasseID = route->FahrstrasseID;
    ZugverfolgungAktualisieren(*zug);
}

bool FahrstrassenStellwerk::FahrzielAnfahren(TGleisBildElement& start, TZug* zug, TGleisBildElement& ziel)
{
    THaltestelle* s = daten().HaltestelleVonId(start.HaltestelleNr);
    if (s == nullptr || zug == nullptr) {
        return false;
    }
    for (const auto& route : s->HaltestelleFahrstrassen) {
        if (route->ZielHaltestelleID != ziel.HaltestelleNr || route->FahrstrasseAusblenden
            || route->FahrstrasseRichtung != s->HaltestelleRichtung || !FahrstrasseCheck(*route).isEmpty()) {
            continue;
        }
        TZugDaten* d = ZugDatenFur(*route, *zug);
        if (d == nullptr) {
            continue;
        }
        s->AktiveFahrstrasse = route.get();
        route->AktuelleZugDaten = d;
        FahrstrasseReservieren(*route);
        zug->ZugStatus = 1;
        ZugverfolgungAktualisieren(*zug);
        return true;
    }
    return false;
}

// ---- what the main window asks of automatic control ------------------------------------------------------

void FahrstrassenStellwerk::ZugverfolgungAktualisieren(TZug& zug)
{
    // Train tracking follows the train's panel: both show its route state.
    zug.Neuzeichnen();
}

void FahrstrassenStellwerk::DeleteFahrstrasse(int haltestelleID, int fahrstrasseID)
{
    programm_.scheduler.cancel(steuerung_.FahrstrassenTag(haltestelleID, fahrstrasseID));
    steuerung_.DeleteFahrstrasse(haltestelleID, fahrstrasseID);
}

void FahrstrassenStellwerk::AutomaticTimerStarten()
{
    steuerung_.AutomaticTimerStarten();
}

void FahrstrassenStellwerk::AutomaticTimerStoppen()
{
    steuerung_.AutomaticTimerStoppen();
}

int FahrstrassenStellwerk::ZugeInAutomaticAktiv() const
{
    return steuerung_.ZugeInAutomaticAktiv;
}

void FahrstrassenStellwerk::ZugeInAutomaticAktivSetzen(int n)
{
    steuerung_.ZugeInAutomaticAktiv = n;
}

void FahrstrassenStellwerk::setAktivAnzeige(std::function<void(int)> anzeige)
{
    steuerung_.AktivAnzeige = std::move(anzeige);
}

void FahrstrassenStellwerk::DiagnoseZeile(const QString& zeile, int art)
{
    diagnose_.DiagnoseZeile(zeile, art);
}
