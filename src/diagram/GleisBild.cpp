#include "diagram/GleisBild.h"

#include "core/Programm.h"
#include "core/TextFields.h"
#include "diagram/TTrassolin.h"
#include "vehicles/LogBuch.h"

#include <QLoggingCategory>
#include <algorithm>

Q_LOGGING_CATEGORY(lcGleisBild, "trassolin.diagram")

namespace {

constexpr int kLokAnzeigeBreite = 83;
constexpr int kLokAnzeigeBreiteSignale = 125;

// Cell offsets of the eight directions, in the order of `Richtung`.
constexpr std::array<QPoint, RichtungAnzahl> kVersatz{
    {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}}};

} // namespace

TGleisBild::TGleisBild(Programm& programm) : programm_(programm) {}

TGleisBild::~TGleisBild() = default;

void TGleisBild::setTrainServices(TrainServices* services)
{
    trains_ = services != nullptr ? services : &keineZuege_;
}

int TGleisBild::Modus() const
{
    return programm_.hauptfenster != nullptr ? programm_.hauptfenster->GleisbildModus : 0;
}

void TGleisBild::LogBuch(const QString& text, int kind) const
{
    if (programm_.logbuch != nullptr) {
        programm_.logbuch->LogBuchAdd(text, kind);
    }
}

void TGleisBild::StatusText(const QString& text) const
{
    if (programm_.hauptfenster != nullptr) {
        programm_.hauptfenster->UpdateStatusbar(2, 0, text);
    }
}

// ---------------------------------------------------------------------------------------------
// Grid elements

TGleisBildElement* TGleisBild::Zelle(int x, int y) const
{
    return ZelleImRaster(x, y) ? raster_[x][y] : nullptr;
}

bool TGleisBild::Enthaelt(const TGleisBildElement* element) const
{
    return std::any_of(elemente_.begin(), elemente_.end(), [element](const auto& e) { return e.get() == element; });
}

bool TGleisBild::NameVergeben(const QString& name) const
{
    return std::any_of(elemente_.begin(), elemente_.end(), [&name](const auto& e) { return e->Name == name; });
}

QString TGleisBild::eindeutigerName(const QString& basis) const
{
    // The digits of the counter are appended one after the other until the name is free.
    QString name = basis;
    for (int zaehler = 1; NameVergeben(name); ++zaehler) {
        name += QString::number(zaehler);
    }
    return name;
}

bool TGleisBild::zellenFrei(int x, int y, int zellen, const TGleisBildElement* ausser) const
{
    for (int i = 0; i < zellen; ++i) {
        if (!ZelleImRaster(x + i, y)) {
            return false;
        }
        const TGleisBildElement* belegt = raster_[x + i][y];
        if (belegt != nullptr && belegt != ausser) {
            return false;
        }
    }
    return true;
}

void TGleisBild::platzieren(TGleisBildElement* element, int x, int y)
{
    element->PosX = x;
    element->PosY = y;
    element->rect.moveTopLeft(ZellenPixel(x, y));
}

TGleisBildElement* TGleisBild::CreateGridElement(const GridElementDaten& d)
{
    const ElementArt* art = ElementArtVon(d.GleisBildNr);
    if (art == nullptr) {
        qCWarning(lcGleisBild) << "element kind" << d.GleisBildNr << "does not exist; not created";
        return nullptr;
    }
    if (!ZelleImRaster(d.PosX, d.PosY)) {
        qCWarning(lcGleisBild) << "cell" << d.PosX << d.PosY << "is outside the grid; not created";
        return nullptr;
    }

    std::unique_ptr<TGleisBildElement> e;
    if (art->kategorie == ElementKategorie::LokAnzeige) {
        const int variante = d.GleisBildNr - LokAnzeigeArt;
        const int zellen = variante == 0 ? 4 : 6;
        // The display's own cell is checked too: it must not cover another element.
        if (!zellenFrei(d.PosX, d.PosY, zellen, nullptr)) {
            programm_.dialogs.confirmation(QStringLiteral("Einfugen nicht möglich!!"));
            return nullptr;
        }
        e = std::make_unique<TGleisBildElement>(*this, LokAnzeigeArt);
        e->LokAnzeigeVariante = variante;
        e->Name = eindeutigerName(QString::fromUtf16(art->namePrefix) + ZeroPad3(d.GleisBildNr) + u'_'
                                  + ZeroPad4(d.PosX) + u'_' + ZeroPad4(d.PosY));
        e->MagnetArtNr = std::max(0, d.MagnetArtNr);
        e->MagnetArtNr0 = std::max(0, d.MagnetArtNr0);
        e->MagnetArtNr1 = std::max(0, d.MagnetArtNr1);
        e->StellungDrehen0 = d.StellungDrehen0;
        e->StellungDrehen1 = d.StellungDrehen1;
        e->rect.setSize(QSize(variante == 0 ? kLokAnzeigeBreite : kLokAnzeigeBreiteSignale, ElementGroesse));
        if (variante != 0) {
            const int breite = e->rect.width();
            e->ImageLinks.vorhanden = true;
            e->ImageLinks.rect = QRect(0, 0, ElementGroesse, ElementGroesse);
            e->ImageRechts.vorhanden = true;
            e->ImageRechts.rect = QRect(breite - ElementGroesse, 0, ElementGroesse, ElementGroesse);
            e->ImageLinks.gesperrt = variante == 2;
            e->ImageRechts.gesperrt = variante == 3;
            e->ImageLinks.Bild = e->ImageLinks.gesperrt ? TGleisBildElement::BildLinksGesperrt : TGleisBildElement::BildLinksRot;
            e->ImageRechts.Bild = e->ImageRechts.gesperrt ? TGleisBildElement::BildRechtsGesperrt : TGleisBildElement::BildRechtsRot;
            if (!e->ImageLinks.gesperrt) {
                e->ImageLinks.Hint = QStringLiteral("Signal");
            }
            if (!e->ImageRechts.gesperrt) {
                e->ImageRechts.Hint = QStringLiteral("Signal");
            }
        }
    } else {
        if (raster_[d.PosX][d.PosY] != nullptr) {
            return nullptr;
        }
        e = std::make_unique<TGleisBildElement>(*this, d.GleisBildNr);
        e->Name = eindeutigerName(QString::fromUtf16(art->namePrefix) + ZeroPad3(d.GleisBildNr) + u'_'
                                  + ZeroPad4(d.PosX) + u'_' + ZeroPad4(d.PosY));
        switch (art->magnetArt) {
        case MagnetArtNutzung::Adresse:
            e->MagnetArtNr = std::max(0, d.MagnetArtNr);
            break;
        case MagnetArtNutzung::AusDatei:
            e->MagnetArtNr = std::max(0, d.MagnetArtNr);
            e->Hint = QStringLiteral("Noch kein Ablaufsteuerungs-Programm zugewiesen");
            break;
        case MagnetArtNutzung::Keine:
        case MagnetArtNutzung::AusfahrSignale:
            e->MagnetArtNr = 0;
            break;
        }
        if (e->istSprungmarke()) {
            e->SprungmarkeNr = d.MagnetArtNr0;
            e->SprungmarkeEnde = d.MagnetArtNr1;
            e->MagnetArtNr0 = d.MagnetArtNr0;
            e->MagnetArtNr1 = d.MagnetArtNr1;
            e->Hint = QStringLiteral("Sprungmarke ") + QString::number(e->SprungmarkeNr) + u'/'
                + QString::number(e->SprungmarkeEnde);
            if (e->SprungmarkeNr != 0 && e->SprungmarkeEnde != 0) {
                if (e->SprungmarkeNr >= 1 && e->SprungmarkeNr <= SprungmarkenAnzahl && e->SprungmarkeEnde >= 1
                    && e->SprungmarkeEnde <= 2) {
                    sprungmarken_[e->SprungmarkeNr - 1][e->SprungmarkeEnde - 1] = e.get();
                    Q_EMIT sprungmarkenGeaendert();
                } else {
                    qCWarning(lcGleisBild) << "jump mark" << e->SprungmarkeNr << "/" << e->SprungmarkeEnde
                                           << "is out of range; not registered";
                }
            }
        }
    }

    platzieren(e.get(), d.PosX, d.PosY);
    e->GleisFarbeAktuel = std::max(0, d.GleisFarbeAktuel);
    // Contacts outside 1..512 never reach the contact table.
    e->GleisKontaktNr = TGleisKontaktListe::KontaktGueltig(d.GleisKontaktNr) ? d.GleisKontaktNr : 0;
    e->StellungDrehen = d.StellungDrehen;
    e->HaltestelleNr = d.HaltestelleNr;
    e->GleisBildInfo = d.GleisBildInfo;
    e->AblaufsteuerungName = d.AblaufsteuerungName;
    if (!d.AblaufsteuerungName.isEmpty()) {
        e->Hint = d.AblaufsteuerungName;
    }
    e->NichtRelevant1 = d.NichtRelevant1;
    e->NichtRelevant2 = d.NichtRelevant2;
    e->Visible = true;

    elemente_.push_back(std::move(e));
    return elemente_.back().get();
}

void TGleisBild::rasterEintragen(TGleisBildElement* e)
{
    const int zellen = e->Zellen();
    for (int i = 0; i < zellen; ++i) {
        if (ZelleImRaster(e->PosX + i, e->PosY)) {
            raster_[e->PosX + i][e->PosY] = e;
        }
    }
}

void TGleisBild::verlinken(TGleisBildElement* e)
{
    const int x = e->PosX;
    const int y = e->PosY;
    if (e->istLokAnzeige()) {
        // A display links only to the cell before it and the cell after its last one.
        e->nachbar(Richtung::Links) = Zelle(x - 1, y);
        e->nachbar(Richtung::Rechts) = Zelle(x + e->Zellen(), y);
        return;
    }
    for (int r = 0; r < RichtungAnzahl; ++r) {
        e->Nachbar[r] = Zelle(x + kVersatz[r].x(), y + kVersatz[r].y());
    }
}

void TGleisBild::RebuildGrid()
{
    // Links are rebuilt from scratch: a link to a cell that has become empty (or to an element
    // that moved away) would otherwise survive and lead a route walk astray.
    raster_ = {};
    for (const auto& e : elemente_) {
        e->Nachbar = {};
        rasterEintragen(e.get());
    }
    for (const auto& e : elemente_) {
        verlinken(e.get());
    }
    for (const auto& e : elemente_) {
        if (e->istLokAnzeige() && e->HaltestelleNr != KeineHaltestelle) {
            trains_->SetHaltestelleElement(e->HaltestelleNr, e.get());
        }
    }
}

TGleisBildElement* TGleisBild::BahnuebergangPartner(const TGleisBildElement* e) const
{
    if (e == nullptr) {
        return nullptr;
    }
    TGleisBildElement* partner = nullptr;
    int erwartet = 0;
    switch (e->GleisBildNr) {
    case 49: partner = Zelle(e->PosX, e->PosY + 1); erwartet = 50; break;
    case 50: partner = Zelle(e->PosX, e->PosY - 1); erwartet = 49; break;
    case 51: partner = Zelle(e->PosX + 1, e->PosY); erwartet = 52; break;
    case 52: partner = Zelle(e->PosX - 1, e->PosY); erwartet = 51; break;
    default: return nullptr;
    }
    return partner != nullptr && partner->GleisBildNr == erwartet ? partner : nullptr;
}

void TGleisBild::entfernen(TGleisBildElement* element)
{
    auto it = std::find_if(elemente_.begin(), elemente_.end(), [element](const auto& e) { return e.get() == element; });
    if (it == elemente_.end()) {
        return;
    }
    // Every link to the element, whichever cell of it the neighbour faces.
    for (const auto& e : elemente_) {
        for (TGleisBildElement*& n : e->Nachbar) {
            if (n == element) {
                n = nullptr;
            }
        }
    }
    element->Nachbar = {};
    for (auto& spalte : raster_) {
        std::replace(spalte.begin(), spalte.end(), element, static_cast<TGleisBildElement*>(nullptr));
    }
    bool sprungmarke = false;
    for (auto& nummer : sprungmarken_) {
        for (TGleisBildElement*& ende : nummer) {
            if (ende == element) {
                ende = nullptr;
                sprungmarke = true;
            }
        }
    }
    std::replace(magnetArt_.begin(), magnetArt_.end(), element, static_cast<TGleisBildElement*>(nullptr));
    kontakte_.Entfernen(element);
    trains_->ElementEntfernt(*element);
    std::unique_ptr<TGleisBildElement> weg = std::move(*it);
    elemente_.erase(it);
    if (sprungmarke) {
        Q_EMIT sprungmarkenGeaendert();
    }
    Q_EMIT allesNeuZeichnen();
}

void TGleisBild::UnlinkElement(TGleisBildElement* element)
{
    if (element == nullptr || !Enthaelt(element)) {
        return;
    }
    TGleisBildElement* partner = BahnuebergangPartner(element);
    entfernen(element);
    if (partner != nullptr) {
        entfernen(partner);
    }
}

bool TGleisBild::MoveElement(TGleisBildElement* element, int x, int y)
{
    if (element == nullptr || !Enthaelt(element) || !zellenFrei(x, y, element->Zellen(), element)) {
        return false;
    }
    platzieren(element, x, y);
    RebuildGrid();
    Q_EMIT allesNeuZeichnen();
    return true;
}

void TGleisBild::ClearPlan()
{
    raster_ = {};
    sprungmarken_ = {};
    magnetArt_ = {};
    kontakte_.Leeren();
    for (const auto& e : elemente_) {
        trains_->ElementEntfernt(*e);
    }
    elemente_.clear();
    texte_.clear();
    schalter_.clear();
    Q_EMIT sprungmarkenGeaendert();
    Q_EMIT allesNeuZeichnen();
}

// ---------------------------------------------------------------------------------------------
// Jump marks

TGleisBildElement* TGleisBild::Sprungmarke(int nr, int ende) const
{
    if (nr < 1 || nr > SprungmarkenAnzahl || ende < 1 || ende > 2) {
        return nullptr;
    }
    return sprungmarken_[nr - 1][ende - 1];
}

TGleisBildElement* TGleisBild::SprungmarkeGegenstueck(const TGleisBildElement* element) const
{
    if (element == nullptr || !element->istSprungmarke()) {
        return nullptr;
    }
    return Sprungmarke(element->SprungmarkeNr, element->SprungmarkeEnde == 1 ? 2 : 1);
}

int TGleisBild::SprungmarkenPaare() const
{
    return static_cast<int>(std::count_if(sprungmarken_.begin(), sprungmarken_.end(),
                                           [](const auto& n) { return n[0] != nullptr || n[1] != nullptr; }));
}

void TGleisBild::ClearJumpMarks()
{
    sprungmarken_ = {};
    Q_EMIT sprungmarkenGeaendert();
}

// ---------------------------------------------------------------------------------------------
// Accessory table and contacts

void TGleisBild::MagnetArtikelListeFullen()
{
    magnetArt_ = {};
    const int anzahl = std::clamp(programm_.settings.MagnetArtikelAnzahl, 0, MagnetArtTabelleMax);
    const auto eintragen = [this, anzahl](int adresse, TGleisBildElement* e) {
        if (adresse >= 1 && adresse <= anzahl) {
            magnetArt_[adresse] = e;
        }
    };
    for (const auto& e : elemente_) {
        if (e->istLokAnzeige()) {
            eintragen(e->MagnetArtNr0, e.get());
            eintragen(e->MagnetArtNr1, e.get());
        } else if (e->Kategorie >= 1 && e->Kategorie <= 9) {
            eintragen(e->MagnetArtNr, e.get());
        }
    }
    MagnetArtTabelleGefuellt = true;
}

TGleisBildElement* TGleisBild::MagnetArtElement(int adresse) const
{
    const int anzahl = std::clamp(programm_.settings.MagnetArtikelAnzahl, 0, MagnetArtTabelleMax);
    return adresse >= 1 && adresse <= anzahl ? magnetArt_[adresse] : nullptr;
}

void TGleisBild::RebuildContactLists()
{
    std::vector<TGleisBildElement*> liste;
    liste.reserve(elemente_.size());
    for (const auto& e : elemente_) {
        liste.push_back(e.get());
    }
    kontakte_.RebuildContactLists(liste);
}

// ---------------------------------------------------------------------------------------------
// Free-standing elements

TTextElement* TGleisBild::CreateTextElement()
{
    texte_.push_back(std::make_unique<TTextElement>());
    return texte_.back().get();
}

TSchalterElement* TGleisBild::CreateSchalterElement()
{
    schalter_.push_back(std::make_unique<TSchalterElement>(QStringLiteral("SchalterElement") + QString::number(++schalterZaehler_)));
    return schalter_.back().get();
}

TSoundSchalterElement* TGleisBild::CreateSoundSchalterElement()
{
    sounds_.push_back(
        std::make_unique<TSoundSchalterElement>(QStringLiteral("SoundSchalterElement") + QString::number(++soundZaehler_)));
    return sounds_.back().get();
}

namespace {
template <typename T>
void wegnehmen(std::vector<std::unique_ptr<T>>& liste, const T* element)
{
    liste.erase(std::remove_if(liste.begin(), liste.end(), [element](const auto& e) { return e.get() == element; }),
                liste.end());
}
} // namespace

void TGleisBild::RemoveTextElement(const TTextElement* element) { wegnehmen(texte_, element); }
void TGleisBild::RemoveSchalterElement(const TSchalterElement* element) { wegnehmen(schalter_, element); }
void TGleisBild::RemoveSoundSchalterElement(const TSoundSchalterElement* element) { wegnehmen(sounds_, element); }
