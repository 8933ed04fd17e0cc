#include "diagram/TGleisbildBetrieb.h"

#include "core/Programm.h"
#include "core/TextFields.h"
#include "diagram/ElementArten.h"
#include "diagram/GleisBild.h"
#include "diagram/TTrassolin.h"

#include <QDir>
#include <QFileInfo>

TGleisbildBetrieb::TGleisbildBetrieb(Programm& programm) : programm_(programm) {}

TGleisBild& TGleisbildBetrieb::bild() const
{
    return *programm_.gleisbild;
}

void TGleisbildBetrieb::setDienste(BetriebsDienste* dienste)
{
    dienste_ = dienste ? dienste : &keineDienste_;
}

TGleisBildElement* TGleisbildBetrieb::element(const QString& name) const
{
    for (const auto& e : bild().Elemente()) {
        if (e->Name == name) {
            return e.get();
        }
    }
    return nullptr;
}

// Accessory address 0 switches nothing: the element still changes, but no command goes out.
void TGleisbildBetrieb::senden(int adresse, int stellung)
{
    if (adresse != 0) {
        programm_.bus.broadcast(Msg::WM_MAG, adresse, stellung);
    }
}

void TGleisbildBetrieb::setDiagrammAuswahl(AuswahlArt art, std::function<void(const QString&, int)> antwort)
{
    auswahlArt_ = art;
    auswahl_ = std::move(antwort);
}

void TGleisbildBetrieb::ZugPlatzierenStarten(TZug* zug)
{
    platzieren_ = zug;
}

// ---- clicks ----------------------------------------------------------------------------------

void TGleisbildBetrieb::ElementKlick(TGleisBildElement& e, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    Umkehr.sichtbar = false;
    Sprungmarke.sichtbar = false;
    const int modus = bild().Modus();
    if (modus == 10) {
        dienste_->ManuelleFahrstrasseKlick(e, button == Qt::RightButton);
        return;
    }
    if (auswahl_) {
        const int nummer = auswahlArt_ == AuswahlArt::MagnetArtNr ? e.MagnetArtNr : e.GleisKontaktNr;
        const auto antwort = std::move(auswahl_);
        auswahl_ = nullptr;
        antwort(ZeroPad3(nummer), nummer);
        return;
    }
    if (modus == 1) {
        laufbetriebKlick(e, button, modifiers);
    }
}

void TGleisbildBetrieb::laufbetriebKlick(TGleisBildElement& e, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    const bool links = button == Qt::LeftButton;
    switch (static_cast<ElementKategorie>(e.Kategorie)) {
    case ElementKategorie::Geschaltet:
    case ElementKategorie::Signal:
    case ElementKategorie::Doppelkreuzweiche:
        if (links) {
            e.Schalten(e.Stellung == 1 ? 0 : 1);
        } else {
            Umkehr = {true, e.Name, QRect(e.rect.left() + e.rect.width() + 20, e.rect.top(), 220, 40), e.StellungDrehen};
        }
        break;
    case ElementKategorie::ProgrammTaste: {
        const QPoint pos = e.rect.topLeft() + QPoint(50, 50);
        const bool programm = !e.AblaufsteuerungName.isEmpty();
        if (links && !programm) {
            dienste_->ProgrammMenueOeffnen(e, pos, false, false, false);
        } else if (links && e.Stellung == 0) {
            dienste_->ProgrammMenueOeffnen(e, pos, false, true, true);
        } else if (!links && !programm) {
            dienste_->ProgrammMenueOeffnen(e, pos, true, false, false);
        }
        break;
    }
    case ElementKategorie::BahnuebergangOben:
    case ElementKategorie::BahnuebergangUnten:
        if (links) {
            bahnuebergangKlick(e);
        } else {
            kontaktSimulieren(e);
        }
        break;
    case ElementKategorie::Sprungmarke:
        if (const TGleisBildElement* andere = bild().SprungmarkeGegenstueck(&e)) {
            Sprungmarke = {true, QRect(andere->rect.left() - 2, andere->rect.top() - 2, 25, 25)};
        }
        break;
    case ElementKategorie::LokAnzeige:
        lokAnzeigeKlick(e, button, modifiers);
        break;
    case ElementKategorie::Gleis:
    case ElementKategorie::Kreuzung:
        if (!links) {
            kontaktSimulieren(e);
        }
        break;
    }
}

void TGleisbildBetrieb::lokAnzeigeKlick(TGleisBildElement& e, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool station = e.HaltestelleNr != KeineHaltestelle && bild().trains().HaltestelleVorhanden(e.HaltestelleNr);
    if (button == Qt::LeftButton) {
        if (Fahrziel.aktiv) {
            const FahrzielAuswahl von = Fahrziel;
            Fahrziel = {};
            TGleisBildElement* start = element(von.start);
            if (start != nullptr && start != &e && !dienste_->FahrzielAnfahren(*start, von.zug, e)) {
                programm_.dialogs.information(QStringLiteral("Keine Fahrstrasse hierher gefunden"));
            }
        } else if (!ctrl && station) {
            dienste_->AnzeigeMenueOeffnen(e, QPoint(e.rect.left() + e.rect.width() + 5, e.rect.top() + 65));
        } else if (ctrl && station && e.Zug != nullptr && bild().Kontakte().Besetzt(e.GleisKontaktNr)) {
            Fahrziel = {true, e.Name, e.HaltestelleNr, e.Zug};
        }
        return;
    }
    if (platzieren_ != nullptr) {
        zugAbsetzen(e);
    } else if (ctrl && station) {
        dienste_->HaltestellenInfoOeffnen(e.HaltestelleNr);
    } else {
        kontaktSimulieren(e);
    }
}

// The train taken up goes into `display`; a train already there is replaced after asking.
void TGleisbildBetrieb::zugAbsetzen(TGleisBildElement& display)
{
    TZug* zug = platzieren_;
    platzieren_ = nullptr;
    if (display.Zug == zug) {
        return;
    }
    TrainServices& zuege = bild().trains();
    if (display.Zug != nullptr
        && !programm_.dialogs.yesNo(QStringLiteral("Zug : ") + zuege.ZugName(*display.Zug) + QStringLiteral(" in Haltestelle ")
                                    + zuege.HaltestelleName(display.HaltestelleNr) + QStringLiteral(" ersetzen"))) {
        return;
    }
    if (display.Zug != nullptr) {
        display.ZugEntfernen(false);
    }
    for (const auto& other : bild().Elemente()) {
        if (other.get() != &display && other->istLokAnzeige() && other->Zug == zug) {
            other->ZugEntfernen(false);
        }
    }
    display.ZugZuweisen(zug);
}

// Without a command station a right click plays the feedback contact of the element.
void TGleisbildBetrieb::kontaktSimulieren(TGleisBildElement& e)
{
    if (e.GleisKontaktNr != 0 && !programm_.ZentraleVerbunden) {
        bild().SetContactState(e.GleisKontaktNr, e.GleiskontaktBesetzt ? 0 : 1);
    }
}

void TGleisbildBetrieb::RichtungTauschenKlick(bool tauschen)
{
    TGleisBildElement* e = element(Umkehr.element);
    Umkehr.sichtbar = false;
    if (e != nullptr && programm_.dialogs.yesNo(QStringLiteral("Stell-Richtung der Weiche ändern?"))) {
        e->SetStellungDrehen(tauschen);
    }
}

void TGleisbildBetrieb::SignalTasteKlick(TGleisBildElement& display, bool links)
{
    const SignalTaste& taste = links ? display.ImageLinks : display.ImageRechts;
    const int modus = bild().Modus();
    if (modus != 1 || !taste.vorhanden || taste.gesperrt || !taste.enabled) {
        return;
    }
    const auto umschalten = [&display, links] {
        if (links) {
            display.SetSignalLinks(display.SignalLinks != 0 ? 0 : 1);
        } else {
            display.SetSignalRechts(display.SignalRechts != 0 ? 0 : 1);
        }
    };
    const bool station = display.HaltestelleNr != KeineHaltestelle && bild().trains().HaltestelleVorhanden(display.HaltestelleNr);
    if (!station) {
        umschalten();
    } else if (dienste_->HaltestellenZustand(display.HaltestelleNr) < 2) {
        umschalten();
        if (programm_.settings.SignalSchalten) {
            dienste_->SignalMitFahrstrasse(display, links);
        }
    }
    Q_EMIT bild().neuZeichnen(&display);
}

// ---- two-track level crossing -----------------------------------------------------------------

void TGleisbildBetrieb::bahnuebergangKlick(TGleisBildElement& e)
{
    TGleisBildElement* partner = bild().BahnuebergangPartner(&e);
    const int stellung = e.Stellung == 1 ? 0 : 1;
    e.BahnuebergangAnforderung = false;
    bahnuebergangStellen(e, partner, stellung);
    const TGleisBildElement& oben = e.Kategorie == static_cast<int>(ElementKategorie::BahnuebergangOben) || partner == nullptr ? e : *partner;
    senden(oben.MagnetArtNr, e.StellungDrehen ? 1 - stellung : stellung);
}

void TGleisbildBetrieb::bahnuebergangStellen(TGleisBildElement& e, TGleisBildElement* partner, int stellung)
{
    e.Stellung = stellung;
    Q_EMIT bild().neuZeichnen(&e);
    if (partner != nullptr) {
        partner->Stellung = stellung;
        Q_EMIT bild().neuZeichnen(partner);
    }
}

void TGleisbildBetrieb::BahnuebergangAnfordern(TGleisBildElement& haelfte, int anforderung)
{
    if (!IstBahnuebergangHaelfte(haelfte.GleisBildNr)) {
        return;
    }
    TGleisBildElement* partner = bild().BahnuebergangPartner(&haelfte);
    const bool partnerFordert = partner != nullptr && partner->BahnuebergangAnforderung;
    const TGleisBildElement& oben =
        haelfte.Kategorie == static_cast<int>(ElementKategorie::BahnuebergangOben) || partner == nullptr ? haelfte : *partner;
    if (anforderung == 1) {
        haelfte.BahnuebergangAnforderung = true;
        if (!partnerFordert) {
            bahnuebergangStellen(haelfte, partner, 1);
            senden(oben.MagnetArtNr, haelfte.StellungDrehen ? 0 : 1);
        }
    } else if (anforderung == 0 && haelfte.BahnuebergangAnforderung) {
        haelfte.BahnuebergangAnforderung = false;
        if (!partnerFordert) {
            bahnuebergangStellen(haelfte, partner, 0);
            senden(oben.MagnetArtNr, haelfte.StellungDrehen ? 1 : 0);
        }
    }
}

// ---- switch panels and sound buttons --------------------------------------------------------

void TGleisbildBetrieb::SchalterKlick(TSchalterElement& s, bool anTaste)
{
    const int modus = bild().Modus();
    if (modus != 1) {
        return;
    }
    if (s.TasterSchalter == TSchalterElement::Taster) {
        s.Zustand = s.Zustand == 1 ? 0 : 1;
        s.ANTaste.Gedrueckt = s.Zustand == 0;
        s.ANTaste.Farbe = s.Zustand == 1 ? clGreen : clRed;
    } else {
        s.Zustand = anTaste ? 1 : 0;
        s.ANTaste.Gedrueckt = anTaste;
        s.AUSTaste.Gedrueckt = !anTaste;
    }
    senden(s.MagnetArtNummer, s.Zustand);
    Q_EMIT bild().allesNeuZeichnen();
}

void TGleisbildBetrieb::SoundSchalterKlick(TSoundSchalterElement& sound, Qt::MouseButton button)
{
    const int modus = bild().Modus();
    if (modus != 1 || button != Qt::RightButton) {
        return;
    }
    Sound = {true, sound.Name, QPoint(sound.Left + 40, sound.Top + 10), QStringLiteral("Bitte Sound Datei wählen"), false, false};
}

void TGleisbildBetrieb::SoundDateiWaehlen()
{
    const QString folder = programm_.programFolder + QStringLiteral("Projekte/sound");
    QDir().mkpath(folder);
    const auto file = programm_.dialogs.openFile(QStringLiteral("Sound Datei"), folder,
                                                 QStringLiteral("Trassolin Dateien (*.mp3)|*.wav"));
    if (file && QFileInfo(*file).isFile()) {
        Sound.datei = QFileInfo(*file).fileName();
        Sound.okEnabled = true;
    }
}

void TGleisbildBetrieb::SoundOk()
{
    Sound.sichtbar = false;
    if (Sound.datei == QStringLiteral("Bitte Sound Datei wählen")) {
        return;
    }
    for (const auto& s : bild().SoundSchalterElemente()) {
        if (s->Name == Sound.element) {
            s->SoundDatei = Sound.datei;
            Q_EMIT bild().allesNeuZeichnen();
        }
    }
}

void TGleisbildBetrieb::SoundAbbrechen()
{
    Sound.sichtbar = false;
}

// ---- reports of the command station --------------------------------------------------------------

void TGleisbildBetrieb::Meldung(const CoreMessage& m)
{
    switch (m.id) {
    case Msg::WM_MAG_CHANGE:
        magnetArtMelden(m.w.toInt(), m.l.toInt());
        break;
    case Msg::WM_MAGIDSENDEN:
        magnetArtNamen(m.w.toInt(), m.l.toText());
        break;
    case Msg::WM_S88_CHANGE:
        if (m.w.toInt() != 0) {
            bild().SetContactState(m.w.toInt(), m.l.toInt());
        }
        break;
    case Msg::WM_S88_CHANGE2:
        bild().Kontakte().SetModuleState(m.w.toInt(), static_cast<quint32>(m.l.toNumber()));
        break;
    default:
        break;
    }
}

static bool adresseInTabelle(const Programm& programm, const TGleisBild& bild, int adresse)
{
    const int anzahl = std::min(programm.settings.MagnetArtikelAnzahl, MagnetArtTabelleMax);
    return bild.MagnetArtTabelleGefuellt && adresse >= 1 && adresse <= anzahl;
}

void TGleisbildBetrieb::magnetArtMelden(int adresse, int stellung)
{
    if (!adresseInTabelle(programm_, bild(), adresse)) {
        return;
    }
    if (TGleisBildElement* e = bild().MagnetArtElement(adresse)) {
        e->MagnetChanged(adresse, stellung);
    }
}

void TGleisbildBetrieb::magnetArtNamen(int adresse, const QString& name)
{
    const int anzahl = std::min(programm_.settings.MagnetArtikelAnzahl, MagnetArtTabelleMax);
    if (!bild().MagnetArtTabelleGefuellt) {
        return;
    }
    for (int a = 1; a <= anzahl; ++a) {
        TGleisBildElement* e = bild().MagnetArtElement(a);
        if (e == nullptr) {
            continue;
        }
        if (e->MagnetArtNr == adresse) {
            e->Hint = QStringLiteral("ECOS ") + name;
        }
        if (e->istLokAnzeige() && e->MagnetArtNr0 == adresse) {
            e->ImageLinks.Hint = QStringLiteral("ECOS ") + name + u'(' + QString::number(adresse) + u')';
        }
        if (e->istLokAnzeige() && e->MagnetArtNr1 == adresse) {
            e->ImageRechts.Hint = QStringLiteral("ECOS ") + name + u'(' + QString::number(adresse) + u')';
        }
    }
}
