#include "operation/BetriebsDaten.h"

#include "core/Programm.h"
#include "core/TextFields.h"
#include "diagram/GleisBild.h"
#include "vehicles/FahrzeugDatenbank.h"
#include "vehicles/TFahrzeug.h"

#include <set>

BetriebsDaten::BetriebsDaten(Programm& programm) : programm_(programm)
{
    DummyNeueFahrstrasseHaltestelle.HaltestelleName = QStringLiteral("DummyNeueFahrstrasseHaltestelle");
    DummyFahrstrasseWeiterHaltestelle.HaltestelleName = QStringLiteral("DummyFahrstrasseWeiterHaltestelle");
}

TFahrstrasse* BetriebsDaten::FahrstrasseAnlegen(THaltestelle& station, const QString& name)
{
    QString frei = name;
    for (int n = 1; station.FahrstrasseVonName(frei) != nullptr; ++n) {
        frei = name + QString::number(n);
    }
    return FahrstrasseNeu(station, station.HoechsteFahrstrasseID() + 1, frei);
}

TFahrstrasse* BetriebsDaten::FahrstrasseUebernehmen(THaltestelle& station, const TFahrstrasse& gefunden)
{
    TFahrstrasse* route = FahrstrasseAnlegen(station, gefunden.FahrstrasseName);
    route->FahrstrasseElemente = gefunden.FahrstrasseElemente;
    route->StartHaltestelleID = gefunden.StartHaltestelleID;
    route->ZielHaltestelleID = gefunden.ZielHaltestelleID;
    route->FahrstrasseRichtung = gefunden.FahrstrasseRichtung;
    route->FahrstrasseRichtungZiel = gefunden.FahrstrasseRichtungZiel;
    route->WeichenListeErstellen();
    for (const FahrstrasseElement& e : route->FahrstrasseElemente) {
        route->KontaktAnhaengen(e.GleisKontaktNr);
    }
    for (const auto& zug : ZugListe) {
        ZugDatenErstellen(*route, *zug);
    }
    return route;
}

QString BetriebsDaten::SuchFahrstrassenName(const THaltestelle& station, const QString& zielName)
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("Fahrstrasse_Nach_") + zielName + u'_' + QString::number(n);
        if (station.FahrstrasseVonName(name) == nullptr) {
            return name;
        }
    }
}

bool BetriebsDaten::HaltestelleVorhanden(int haltestelleNr) const
{
    const THaltestelle* h = HaltestelleVonId(haltestelleNr);
    return h != nullptr && !h->HaltestelleGeloescht;
}

QString BetriebsDaten::HaltestelleName(int haltestelleNr) const
{
    const THaltestelle* h = HaltestelleVonId(haltestelleNr);
    return h ? h->HaltestelleName : QString();
}

void BetriebsDaten::SetHaltestelleElement(int haltestelleNr, TGleisBildElement* element)
{
    if (THaltestelle* h = HaltestelleVonId(haltestelleNr)) {
        h->HaltestelleElement = element;
    }
}

void BetriebsDaten::ElementEntfernt(const TGleisBildElement& element)
{
    for (const auto& h : HaltestellenListe) {
        if (h->HaltestelleElement == &element) {
            h->HaltestelleElement = nullptr;
        }
    }
}

THaltestelle* BetriebsDaten::HaltestelleVonId(int id) const
{
    for (auto it = HaltestellenListe.rbegin(); it != HaltestellenListe.rend(); ++it) {
        if ((*it)->HaltestelleID == id) {
            return it->get();
        }
    }
    return nullptr;
}

THaltestelle* BetriebsDaten::HaltestelleVonName(const QString& name) const
{
    for (const auto& h : HaltestellenListe) {
        if (h->HaltestelleName == name) {
            return h.get();
        }
    }
    return nullptr;
}

TZug* BetriebsDaten::ZugVonNr(int zugNr) const
{
    return zugNr >= 0 && zugNr < static_cast<int>(ZugListe.size()) ? ZugListe[zugNr].get() : nullptr;
}

TZug* BetriebsDaten::ZugVonDatenbankNr(int datenbankNr) const
{
    for (const auto& z : ZugListe) {
        if (z->ZugDatanbankNr == datenbankNr) {
            return z.get();
        }
    }
    return nullptr;
}

THaltestelle* BetriebsDaten::HaltestelleNeu(const QString& name)
{
    if (name.contains(u' ')) {
        programm_.dialogs.information(QStringLiteral("Haltestelle darf keine Leerzeichen enthalten"));
        return nullptr;
    }
    if (HaltestelleVonName(name) != nullptr) {
        return nullptr;
    }
    auto h = std::make_unique<THaltestelle>();
    h->HaltestelleID = ++NaechsteHaltestelleID;
    h->HaltestelleName = name;
    HaltestellenListe.push_back(std::move(h));
    return HaltestellenListe.back().get();
}

TFahrstrasse* BetriebsDaten::FahrstrasseNeu(THaltestelle& station, int id, const QString& name)
{
    auto f = std::make_unique<TFahrstrasse>();
    f->FahrstrasseLeeren();
    f->FahrstrasseID = id == KeineId ? static_cast<int>(station.HaltestelleFahrstrassen.size()) : id;
    f->FahrstrasseName = name;
    f->FahrstrasseAnzeigeName = name;
    f->FahrstrasseRichtung = 0;
    f->StartHaltestelleID = station.HaltestelleID;
    station.HaltestelleFahrstrassen.push_back(std::move(f));
    return station.HaltestelleFahrstrassen.back().get();
}

TZugDaten* BetriebsDaten::ZugDatenErstellen(TFahrstrasse& route, TZug& zug)
{
    auto d = std::make_unique<TZugDaten>();
    d->Name = QStringLiteral("Zugdaten_") + route.FahrstrasseName + u'_' + QString::number(zug.ZugDatanbankNr);
    d->ZugDatenZug = &zug;
    d->ZugDatenZugID = zug.ZugDatanbankNr;
    d->ZugDatenStarttempo = zug.MaxSpeed;
    d->ZugDatenStartkontakt = route.FahrstrasseKontakte[1];
    d->ZugDatenZielkontakt = route.LetzterKontakt();
    d->ZugDatenFreigabeKontakt = route.LetzterKontakt();
    d->ZugDatenFreigabeBesetzt = true;
    const THaltestelle* start = HaltestelleVonId(route.StartHaltestelleID);
    if (start == nullptr) {
        return nullptr; // a route without start station keeps no driving data
    }
    d->ZugDatenSoundOrt = start->HaltestelleSoundOrt;
    route.ZugDatenListe.push_back(std::move(d));
    return route.ZugDatenListe.back().get();
}

void BetriebsDaten::GleisKontakteAnpassen()
{
    const TGleisBild& bild = *programm_.gleisbild;
    for (const auto& h : HaltestellenListe) {
        for (const auto& f : h->HaltestelleFahrstrassen) {
            f->FahrstrasseKontakte.fill(0);
            for (FahrstrasseElement& e : f->FahrstrasseElemente) {
                if (const TGleisBildElement* g = bild.Zelle(e.Spalte, e.Zeile)) {
                    e.GleisKontaktNr = g->GleisKontaktNr;
                }
                f->KontaktAnhaengen(e.GleisKontaktNr);
            }
            for (const auto& d : f->ZugDatenListe) {
                d->ZugDatenStartkontakt = f->FahrstrasseKontakte[1];
                d->ZugDatenZielkontakt = f->LetzterKontakt();
                d->ZugDatenFreigabeKontakt = f->LetzterKontakt();
            }
        }
    }
}

void BetriebsDaten::ZugeInHaltestellenSetzen()
{
    for (const auto& h : HaltestellenListe) {
        if (h->ZugInHaltestelle == KeinZugInHaltestelle || h->HaltestelleElement == nullptr) {
            continue;
        }
        const auto t = ParseInt(Columns(h->ZugInHaltestelle, 1, 5));
        const auto d = ParseInt(Columns(h->ZugInHaltestelle, 7, 9));
        const auto r = ParseInt(Columns(h->ZugInHaltestelle, 11, 13));
        TZug* zug = t ? ZugVonDatenbankNr(*t) : nullptr;
        if (zug == nullptr || zug->ZugGeloescht || !d || !r) {
            continue;
        }
        zug->ZugRichtung = *d == 1 ? 1 : 0;
        h->HaltestelleElement->ZugZuweisen(zug);
        h->HaltestelleRichtung = *r == 1 ? 1 : 0;
    }
}

void BetriebsDaten::HaltestellenLeeren()
{
    HaltestellenListe.clear();
    NaechsteHaltestelleID = 0;
}

void BetriebsDaten::ZugAusFahrzeug(TZug& zug, const FahrzeugDaten& f)
{
    zug.ZugDatanbankNr = f.VehicleId;
    zug.Addr = f.Address;
    zug.ECOSID = f.CommandStationId;
    zug.ZugName = f.Name;
    zug.ZugArt = f.TrainSort;
    zug.ZugSorte = f.TrainKind;
    zug.ZugBildDatei = f.PictureFile;
    zug.Protokoll = f.DataFormat;
    zug.Folgeadresse = {f.FollowAddress1, f.FollowAddress2, f.FollowAddress3};
    zug.MaxSpeed = f.MaxSpeed;
    zug.ImSchrank = f.InCabinet != 0;
    const QString flags = f.FunctionFlags1to8 + f.FunctionFlags9to16;
    const QStringList names = f.FunctionNames1to8.split(u'/') + f.FunctionNames9to16.split(u'/');
    const QString icons = f.FunctionIcons1to8 + f.FunctionIcons9to16;
    zug.KupplungFunktion = 0;
    for (int n = 1; n <= 16; ++n) {
        zug.FunktionVorhanden[n] = flags.mid(n - 1, 1) == QStringLiteral("1");
        zug.FunktionName[n] = n - 1 < names.size() ? names[n - 1] : QString();
        zug.FunktionBild[n] = icons.mid(3 * (n - 1), 3).toInt();
        if (zug.FunktionBild[n] == 5 && zug.KupplungFunktion == 0) {
            zug.KupplungFunktion = n;
        }
    }
}

void BetriebsDaten::ZugeAusDatenbank(const FahrzeugDatenbank& db)
{
    std::set<int> inDatenbank;
    for (const FahrzeugKnoten* k : db.artikel()) {
        if (k->daten.istLok() && k->daten.Sold == 0) {
            inDatenbank.insert(k->daten.VehicleId);
            ZugAktualisieren(k->daten);
            if (TZug* zug = ZugVonDatenbankNr(k->daten.VehicleId)) {
                // Both picture lists hold one picture per article, in article order.
                zug->ZugBild20x80 = k->bildIndex;
                zug->ZugBild40x160 = k->bildIndex;
                zug->Neuzeichnen();
            }
        }
    }
    for (const auto& z : ZugListe) {
        if (inDatenbank.count(z->ZugDatanbankNr) == 0) {
            ZugGeloeschtMelden(z->ZugDatanbankNr);
        }
    }
}

void BetriebsDaten::ZugAktualisieren(const FahrzeugDaten& fahrzeug)
{
    if (!fahrzeug.istLok()) {
        return;
    }
    TZug* zug = ZugVonDatenbankNr(fahrzeug.VehicleId);
    if (zug == nullptr) {
        ZugListe.push_back(std::make_unique<TZug>(&programm_));
        zug = ZugListe.back().get();
        zug->ZugNr = static_cast<int>(ZugListe.size()) - 1;
        ZugAusFahrzeug(*zug, fahrzeug);
        zug->ZugAbfahrtDatenstart = zug->MaxSpeed;
        return;
    }
    ZugAusFahrzeug(*zug, fahrzeug);
    zug->ZugGeloescht = fahrzeug.Sold != 0;
    zug->Neuzeichnen();
}

void BetriebsDaten::ZugGeloeschtMelden(int vehicleId)
{
    if (TZug* zug = ZugVonDatenbankNr(vehicleId)) {
        zug->ZugGeloescht = true;
        zug->ZugSichtbar = false;
        zug->ZugInAutomatic = false;
        zug->ZugAktiv = false;
        zug->Neuzeichnen();
    }
}

int BetriebsDaten::HaltestelleRichtung(int haltestelleNr) const
{
    const THaltestelle* station = HaltestelleVonId(haltestelleNr);
    return station != nullptr ? station->HaltestelleRichtung : 0;
}

bool BetriebsDaten::HaltestelleAbfahrtFrei(int haltestelleNr) const
{
    const THaltestelle* station = HaltestelleVonId(haltestelleNr);
    return station != nullptr && station->WartezeitVorbei;
}

bool BetriebsDaten::HaltestelleHierNichtFahren(int haltestelleNr) const
{
    const THaltestelle* station = HaltestelleVonId(haltestelleNr);
    return station != nullptr && station->HaltestelleHierNichtFahren;
}

QImage BetriebsDaten::ZugBild(const TZug& zug) const
{
    return programm_.fahrzeuge != nullptr ? programm_.fahrzeuge->bilder.Klein(zug.ZugBild20x80) : QImage();
}
