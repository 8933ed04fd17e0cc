#include "diagram/LoksHierhin.h"

#include "core/Programm.h"
#include "core/TInfo.h"
#include "diagram/GleisBildElement.h"
#include "operation/BetriebsDaten.h"
#include "operation/LokLeiste.h"

#include <algorithm>

TLoksHierhin::TLoksHierhin(Programm& programm) : programm_(programm) {}

void TLoksHierhin::ErlaubteZuegeOeffnen(THaltestelle& station)
{
    station_ = &station;
    display_ = nullptr;
    oeffnen(Modus::ErlaubteZuege, QStringLiteral("Züge die nach ") + station.HaltestelleName + QStringLiteral(" fahren können"));
}

void TLoksHierhin::ZugEinfuegenOeffnen(THaltestelle& station, TGleisBildElement& display)
{
    station_ = &station;
    display_ = &display;
    oeffnen(Modus::ZugEinfuegen, QStringLiteral("Auswahl Lok"));
}

void TLoksHierhin::AblaufAuswahlOeffnen(std::function<void(TZug&)> gewaehlt)
{
    station_ = nullptr;
    display_ = nullptr;
    gewaehlt_ = std::move(gewaehlt);
    oeffnen(Modus::AblaufAuswahl, QStringLiteral("Auswahl Lok"));
}

void TLoksHierhin::oeffnen(Modus modus, const QString& titel)
{
    modus_ = modus;
    Titel = titel;
    seitenAufbauen();
    sichtbar = true;
}

void TLoksHierhin::Schliessen()
{
    sichtbar = false;
    modus_ = Modus::Keiner;
    station_ = nullptr;
    display_ = nullptr;
    gewaehlt_ = {};
}

bool TLoksHierhin::erlaubt(const TZug& zug) const
{
    if (station_ == nullptr) {
        return false;
    }
    const auto& zuege = station_->HaltestelleZuge;
    return std::any_of(zuege.begin(), zuege.end(), [&zug](const TZug* z) { return z != nullptr && z->ZugNr == zug.ZugNr; });
}

// The kind pages with trains sorted by kind, otherwise the one page "Zuge".
void TLoksHierhin::seitenAufbauen()
{
    const bool sortiert = programm_.settings.LoksEinteilen;
    const struct {
        const char* seite;
        const char* art;
    } arten[] = {{"Dampflok", "Dampflok"}, {"DieselLok", "Diesellok"}, {"ELok", "E-Lok"}, {"Zuge", nullptr}};
    seiten_.clear();
    for (const auto& a : arten) {
        Seite seite{QString::fromUtf8(a.seite), sortiert == (a.art != nullptr), {}};
        if (programm_.betriebsdaten != nullptr) {
            for (const auto& zug : programm_.betriebsdaten->ZugListe) {
                const bool passt = a.art == nullptr || zug->ZugArt == QString::fromUtf8(a.art);
                if (passt && TLokLeiste::Angeboten(*zug, programm_.settings, programm_.ZentraleTyp())) {
                    seite.zeilen.push_back({zug.get(), zug->ZugName + QStringLiteral(" (") + QString::number(zug->Addr) + u')', erlaubt(*zug)});
                }
            }
        }
        seiten_.push_back(std::move(seite));
    }
    if (aktiveSeite < 0 || aktiveSeite >= static_cast<int>(seiten_.size()) || !seiten_[static_cast<std::size_t>(aktiveSeite)].sichtbar) {
        aktiveSeite = sortiert ? 0 : 3;
    }
}

void TLoksHierhin::Haken(TZug& zug, bool an)
{
    if (modus_ != Modus::ErlaubteZuege || station_ == nullptr) {
        return;
    }
    auto& zuege = station_->HaltestelleZuge;
    if (an && !erlaubt(zug)) {
        zuege.push_back(&zug);
    } else if (!an) {
        zuege.erase(std::remove_if(zuege.begin(), zuege.end(), [&zug](const TZug* z) { return z != nullptr && z->ZugNr == zug.ZugNr; }),
                    zuege.end());
    }
    for (Seite& seite : seiten_) {
        for (Zeile& zeile : seite.zeilen) {
            zeile.angehakt = erlaubt(*zeile.zug);
        }
    }
    if (programm_.info != nullptr) {
        programm_.info->Speichern(TInfo::Datei::Zuge);
    }
}

void TLoksHierhin::BildKlick(TZug& zug)
{
    if (modus_ != Modus::ZugEinfuegen || display_ == nullptr || station_ == nullptr) {
        return;
    }
    QStringList gruende;
    if (zug.ZugStatus != 0) {
        gruende << zug.ZugName + QStringLiteral(" ist noch in einer fahrstrasse");
    }
    if (zug.ZugAktiv) {
        gruende << zug.ZugName + QStringLiteral(" ist noch in Automatic");
    }
    if (!gruende.isEmpty()) {
        programm_.dialogs.information(gruende.join(u'\r'));
        return;
    }
    THaltestelle* andere = programm_.betriebsdaten != nullptr ? programm_.betriebsdaten->HaltestelleVonId(zug.ZugHaltestelleID) : nullptr;
    if (andere != nullptr && andere != station_ && andere->HaltestelleElement != nullptr && andere->HaltestelleElement->Zug == &zug) {
        if (!programm_.dialogs.yesNo(QStringLiteral("Zug : ") + zug.ZugName + QStringLiteral(" in Haltestelle ")
                                     + andere->HaltestelleName + QStringLiteral(" ersetzen"))) {
            return;
        }
        andere->HaltestelleElement->ZugEntfernen(false);
    }
    TGleisBildElement* display = display_;
    display->ZugZuweisen(&zug);
    zug.ZugAktiv = false;
    zug.Neuzeichnen();
    Schliessen();
    if (programm_.info != nullptr) {
        programm_.info->Speichern(TInfo::Datei::Haltestellen);
    }
}

void TLoksHierhin::NameKlick(TZug& zug)
{
    if (modus_ != Modus::AblaufAuswahl) {
        return;
    }
    const auto gewaehlt = gewaehlt_;
    Schliessen();
    if (gewaehlt) {
        gewaehlt(zug);
    }
}
