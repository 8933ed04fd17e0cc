#include "diagram/GleisBildElement.h"

#include "core/Programm.h"
#include "diagram/GleisBild.h"

#include <algorithm>

Richtung Gegenueber(Richtung r)
{
    switch (r) {
    case Richtung::Links: return Richtung::Rechts;
    case Richtung::Rechts: return Richtung::Links;
    case Richtung::Oben: return Richtung::Unten;
    case Richtung::Unten: return Richtung::Oben;
    case Richtung::LinksOben: return Richtung::RechtsUnten;
    case Richtung::LinksUnten: return Richtung::RechtsOben;
    case Richtung::RechtsOben: return Richtung::LinksUnten;
    case Richtung::RechtsUnten: return Richtung::LinksOben;
    }
    return r;
}

namespace {

constexpr int kModusEditor = 2;
constexpr int kModusKontaktNummern = 5;
constexpr int kModusMagnetArtNummern = 6;

// The position an accessory is sent: inverted when the element's flag says so.
int gesendeteStellung(int stellung, bool drehen)
{
    if (!drehen) {
        return stellung;
    }
    return stellung != 0 ? 0 : 1;
}

} // namespace

TGleisBildElement::TGleisBildElement(TGleisBild& bild, int kind) : bild_(bild)
{
    GleisBildNr = kind;
    BildX = 21 * kind - 20;
    rect.setSize(QSize(ElementGroesse, ElementGroesse));
    if (const ElementArt* art = ElementArtVon(kind)) {
        Kategorie = static_cast<int>(art->kategorie);
    }
}

TGleisBildElement* TGleisBildElement::nachbarIn(Seite s) const
{
    switch (s) {
    case Seite::N: return NachbarOben();
    case Seite::NO: return NachbarRechtsOben();
    case Seite::O: return NachbarRechts();
    case Seite::SO: return NachbarRechtsUnten();
    case Seite::S: return NachbarUnten();
    case Seite::SW: return NachbarLinksUnten();
    case Seite::W: return NachbarLinks();
    case Seite::NW: return NachbarLinksOben();
    case Seite::Keine: break;
    }
    return nullptr;
}

Seite TGleisBildElement::sprungAusgang(Seite t) const
{
    const auto frei = [this](Seite s) {
        const TGleisBildElement* n = nachbarIn(s);
        return n != nullptr && !n->istSprungmarke();
    };
    Seite weiter = KeineSeite;
    if (t == Seite::O || t == Seite::W) {
        if (frei(Seite::O)) {
            weiter = Seite::O;
        }
        if (frei(Seite::W)) {
            weiter = Seite::W;
        }
    } else if (t == Seite::N || t == Seite::S) {
        if (frei(Seite::N)) {
            weiter = Seite::N;
        }
        if (frei(Seite::S)) {
            weiter = Seite::S;
        }
    }
    return weiter;
}

int TGleisBildElement::Zellen() const
{
    if (!istLokAnzeige()) {
        return 1;
    }
    return LokAnzeigeVariante == 0 ? 4 : 6;
}

void TGleisBildElement::neuZeichnen()
{
    Q_EMIT bild_.neuZeichnen(this);
}

void TGleisBildElement::statusText(const QString& text)
{
    bild_.StatusText(text);
}

void TGleisBildElement::SetGleisBildNr(int kind)
{
    // Only kinds of the table, and never to or from a loco display (its cells would change);
    // the category follows the kind.
    const ElementArt* art = ElementArtVon(kind);
    if (art == nullptr || istLokAnzeige() || kind >= LokAnzeigeArt) {
        return;
    }
    GleisBildNr = kind;
    Kategorie = static_cast<int>(art->kategorie);
    BildX = 21 * kind - 20;
    neuZeichnen();
    if (bild_.Modus() == kModusEditor) {
        bild_.GleisplanGeaendert = true;
    }
}

void TGleisBildElement::SetGleisKontaktNr(int n)
{
    if (n != 0 && !TGleisKontaktListe::KontaktGueltig(n)) {
        return;
    }
    GleisKontaktNr = n;
    if (bild_.Modus() == kModusKontaktNummern) {
        bild_.GleisplanGeaendert = true;
        neuZeichnen();
    }
    bild_.KontaktListenNeuAufbauen = true;
}

void TGleisBildElement::SetMagnetArtNr(int n)
{
    if (n < 0) {
        return;
    }
    MagnetArtNr = n;
    if (bild_.Modus() == kModusMagnetArtNummern) {
        bild_.GleisplanGeaendert = true;
        neuZeichnen();
    }
}

void TGleisBildElement::SetGleisFarbe(int n)
{
    GleisFarbeAktuel = std::max(0, n);
    neuZeichnen();
}

void TGleisBildElement::SetStellungDrehen(bool b)
{
    StellungDrehen = b;
    if (bild_.Modus() == kModusEditor) {
        bild_.GleisplanGeaendert = true;
    }
}

void TGleisBildElement::SetBesetzt(bool b)
{
    GleiskontaktBesetzt = b;
    neuZeichnen();
}

void TGleisBildElement::SetInFahrstrasse(bool b)
{
    InFahrstrasse = b && !NieInFahrstrasse(GleisBildNr);
    neuZeichnen();
}

void TGleisBildElement::Schalten(int stellung)
{
    Stellung = stellung;
    if (MagnetArtNr != 0) {
        bild_.programm().bus.broadcast(Msg::WM_MAG, MagnetArtNr, gesendeteStellung(Stellung, StellungDrehen));
    }
    const QString nr = QString::number(MagnetArtNr);
    if (IstSignal(GleisBildNr)) {
        bild_.LogBuch(QStringLiteral("Signal ") + nr + (Stellung != 0 ? QStringLiteral(" Grun") : QStringLiteral(" Rot")), 0);
    } else if (IstDoppelkreuzweiche(GleisBildNr)) {
        // Position 0 keeps both lines straight, as drawn and as the route search walks it.
        bild_.LogBuch(QStringLiteral("Doppelkreuzweiche ") + nr
                          + (Stellung != 0 ? QStringLiteral(" Abbiegen") : QStringLiteral(" Gerade")),
                      0);
    } else if (IstWeiche(GleisBildNr)) {
        bild_.LogBuch(QStringLiteral("Weiche ") + nr + (Stellung != 0 ? QStringLiteral(" Abbiegen") : QStringLiteral(" Gerade")),
                      0);
    }
    neuZeichnen();
}

void TGleisBildElement::StellungAnzeigen(int stellung)
{
    Stellung = stellung;
    neuZeichnen();
    statusText(Name + QStringLiteral(" MagnetArtNr ") + QString::number(MagnetArtNr) + QStringLiteral(" Stellung ")
               + QString::number(Stellung));
}

void TGleisBildElement::MagnetChanged(int adresse, int stellung)
{
    if (istLokAnzeige()) {
        int gezeigt = stellung;
        if (adresse == MagnetArtNr0) {
            gezeigt = gesendeteStellung(stellung, StellungDrehen0);
            signalSetzen(true, gezeigt, false);
        }
        if (adresse == MagnetArtNr1) {
            gezeigt = gesendeteStellung(stellung, StellungDrehen1);
            signalSetzen(false, gezeigt, false);
        }
        statusText(Name + QStringLiteral(" MagnetArtNr ") + QString::number(adresse) + QStringLiteral(" Stellung ")
                   + QString::number(gezeigt));
        return;
    }
    Stellung = gesendeteStellung(stellung, StellungDrehen);
    neuZeichnen();
    statusText(Name + QStringLiteral(" MagnetArtNr ") + QString::number(MagnetArtNr) + QStringLiteral(" Stellung ")
               + QString::number(Stellung));
}

void TGleisBildElement::SetSignalLinks(int state, bool senden) { signalSetzen(true, state, senden); }

void TGleisBildElement::SetSignalRechts(int state, bool senden) { signalSetzen(false, state, senden); }

void TGleisBildElement::signalSetzen(bool links, int state, bool senden)
{
    if (!istLokAnzeige()) {
        return;
    }
    SignalTaste& taste = links ? ImageLinks : ImageRechts;
    if (taste.gesperrt) {
        return;
    }
    const FahrstrassenVerweis& verweis = links ? FahrstrasseLinks : FahrstrasseRechts;
    (links ? SignalLinks : SignalRechts) = state;
    if (state == 0) {
        // "Train waiting" only while a train stands here and a route is offered at this end.
        const bool wartet = Zug != nullptr && (verweis.HaltestelleID != KeineHaltestelle || verweis.FahrstrasseID != KeineFahrstrasse);
        taste.Bild = links ? (wartet ? BildLinksRotZugWartet : BildLinksRot) : (wartet ? BildRechtsRotZugWartet : BildRechtsRot);
    } else {
        taste.Bild = links ? BildLinksGruen : BildRechtsGruen;
    }
    const int adresse = links ? MagnetArtNr0 : MagnetArtNr1;
    const bool drehen = links ? StellungDrehen0 : StellungDrehen1;
    if (senden && adresse != 0) {
        bild_.programm().bus.broadcast(Msg::WM_MAG, adresse, gesendeteStellung(state, drehen));
    }
    neuZeichnen();
    statusText(QStringLiteral("Signal ") + QString::number(adresse)
               + (state != 0 ? QStringLiteral(" Grun ") : QStringLiteral(" Rot ")));
}

void TGleisBildElement::ZugZuweisen(TZug* zug)
{
    if (!istLokAnzeige() || zug == nullptr) {
        return;
    }
    TrainServices& zuege = bild_.trains();
    Zug = zug;
    if (zuege.OhneSlot(*zug)) {
        bild_.programm().bus.broadcast(Msg::WM_LOK_IN_SLOT, zuege.ZugNr(*zug), 0);
    }
    zuege.SetZugHaltestelle(*zug, HaltestelleNr);
    zuege.SetZugKontakt(*zug, GleisKontaktNr);
    zuege.ZugGeaendert(*zug);
    neuZeichnen();
}

void TGleisBildElement::ZugEntfernen(bool ask)
{
    if (!istLokAnzeige() || Zug == nullptr) {
        return;
    }
    TrainServices& zuege = bild_.trains();
    if (ask && HaltestelleNr != KeineHaltestelle && zuege.HaltestelleVorhanden(HaltestelleNr)) {
        const QString frage = QStringLiteral("Zug : ") + zuege.ZugName(*Zug) + QStringLiteral(" wird aus Haltestelle ")
            + zuege.HaltestelleName(HaltestelleNr) + QStringLiteral(" entfernt");
        if (!bild_.programm().dialogs.yesNo(frage)) {
            return;
        }
    }
    TZug* zug = Zug;
    zuege.SetZugHaltestelle(*zug, KeineHaltestelle);
    zuege.ZugGeaendert(*zug);
    Zug = nullptr;
    FahrstrasseLinks = {};
    FahrstrasseRechts = {};
    SetSignalLinks(0);
    SetSignalRechts(0);
    neuZeichnen();
}
