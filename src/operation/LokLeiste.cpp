#include "operation/LokLeiste.h"

#include "operation/Zug.h"
#include "settings/ProjectSettings.h"

#include <algorithm>

TLokLeiste::TLokLeiste(int tastenAnzahl) : tastenAnzahl_(std::max(1, tastenAnzahl))
{
    seiten_.push_back({QStringLiteral("Zuge"), {}, 1, tastenAnzahl_});
}

void TLokLeiste::ZugeZuweisen(const std::vector<std::unique_ptr<TZug>>& zuege, const ProjectSettings& settings, int zentraleTyp)
{
    const bool sortiert = settings.LoksEinteilen;
    if (sortiert != sortiert_ || seiten_.empty()) {
        seiten_.clear();
        const QStringList namen = sortiert ? QStringList{QStringLiteral("Dampflok"), QStringLiteral("Diesellok"), QStringLiteral("E-Lok")}
                                           : QStringList{QStringLiteral("Zuge")};
        for (const QString& name : namen) {
            seiten_.push_back({name, {}, 1, tastenAnzahl_});
        }
        sortiert_ = sortiert;
        aktiveSeite = 0;
    }
    for (Seite& s : seiten_) {
        s.liste.clear();
    }
    for (const auto& zug : zuege) {
        zug->LokTasteNr = 0;
        if (!Angeboten(*zug, settings, zentraleTyp)) {
            continue;
        }
        for (Seite& s : seiten_) {
            if (!sortiert_ || s.name == zug->ZugArt) {
                s.liste.push_back(zug.get());
            }
        }
    }
    for (Seite& s : seiten_) {
        fenster(s);
    }
    tastenBelegen();
}

bool TLokLeiste::Angeboten(const TZug& zug, const ProjectSettings& settings, int zentraleTyp)
{
    const bool nurMitAdresse = settings.NichtAlleLoksanzeigen
        && (zentraleTyp == 1 || zentraleTyp == 2 || zentraleTyp == 3 || zentraleTyp == 4 || zentraleTyp == 9);
    return !zug.ZugGeloescht && !zug.ImSchrank && !(nurMitAdresse && zug.Addr == 0);
}

bool TLokLeiste::ZentraleGebunden(const TZug& zug)
{
    return !zug.ECOSID.isEmpty() && zug.ECOSID != QStringLiteral("0000");
}

TLokLeiste::TastenAnsicht TLokLeiste::Ansicht(const TZug* zug, int zentraleTyp)
{
    TastenAnsicht a;
    if (zug == nullptr) {
        return a;
    }
    const bool gebunden = ZentraleGebunden(*zug);
    a.sichtbar = true;
    a.licht = zug->Funktion[0];
    a.label = zug->ZugName;
    if (zentraleTyp == 5 || zentraleTyp == 7 || zentraleTyp == 8) {
        a.label += QStringLiteral(" (") + zug->ECOSID + u')';
        a.nichtVerbundenLabel = !gebunden;
    } else if (zentraleTyp == 6) {
        a.nichtVerbundenLabel = !gebunden;
        a.bedienbar = gebunden;
    }
    a.ungebundenFarbe = zentraleTyp >= 5 && zentraleTyp <= 8 && !gebunden;
    return a;
}

// The window shows at most the key count of trains from `erste`; it never starts behind the
// list's end and never shows more than the keys.
void TLokLeiste::fenster(Seite& s) const
{
    const int anzahl = static_cast<int>(s.liste.size());
    if (anzahl < tastenAnzahl_) {
        s.erste = 1;
    }
    s.erste = std::clamp(s.erste, 1, std::max(1, anzahl));
    s.letzte = std::min(s.erste + tastenAnzahl_ - 1, anzahl);
}

void TLokLeiste::tastenBelegen()
{
    // A train paged out of the window forgets its key.
    for (Seite& s : seiten_) {
        for (TZug* zug : s.liste) {
            zug->LokTasteNr = 0;
        }
    }
    for (std::size_t seite = 0; seite < seiten_.size(); ++seite) {
        int taste = 1;
        for (TZug* zug : Tasten(static_cast<int>(seite))) {
            zug->LokTasteNr = taste++;
        }
    }
}

std::vector<TZug*> TLokLeiste::Tasten(int seite) const
{
    if (seite < 0 || seite >= static_cast<int>(seiten_.size())) {
        return {};
    }
    const Seite& s = seiten_[static_cast<std::size_t>(seite)];
    std::vector<TZug*> tasten;
    const int letzte = std::min(s.letzte, static_cast<int>(s.liste.size()));
    for (int i = std::max(1, s.erste); i <= letzte; ++i) {
        tasten.push_back(s.liste[static_cast<std::size_t>(i - 1)]);
    }
    return tasten;
}

void TLokLeiste::Plus()
{
    Seite& s = aktiv();
    if (s.letzte < static_cast<int>(s.liste.size())) {
        s.erste += tastenAnzahl_;
    }
    fenster(s);
    tastenBelegen();
}

void TLokLeiste::Minus()
{
    Seite& s = aktiv();
    if (s.erste > tastenAnzahl_) {
        s.erste -= tastenAnzahl_;
    }
    fenster(s);
    tastenBelegen();
}

bool TLokLeiste::PlusEnabled() const
{
    return aktiv().letzte < static_cast<int>(aktiv().liste.size());
}

bool TLokLeiste::MinusEnabled() const
{
    return aktiv().erste > 1;
}
