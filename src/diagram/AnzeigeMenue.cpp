#include "diagram/AnzeigeMenue.h"

#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "diagram/GleisBildElement.h"
#include "operation/BetriebsDaten.h"
#include "operation/FahrstrassenDienste.h"

namespace {
// Pictures of the button-picture list.
constexpr int BildZug = 33;
constexpr int BildWenden = 34;
constexpr int BildLoeschen = 35;
constexpr int BildFahren = 36;
constexpr int BildRichtung = 37;
constexpr int BildBearbeiten = 38;
constexpr int BildRouteFahren = 39;
constexpr int BildRouteAufheben = 40;
constexpr int BildSperren = 41;
constexpr int BildSound = 42;
constexpr int BildZugBearbeiten = 43;

int zielBild(const THaltestelle* ziel)
{
    if (ziel == nullptr) {
        return BildFahren;
    }
    if (ziel->HaltestelleArt == QStringLiteral("Durchfahrtsgleis")) {
        return 48;
    }
    if (ziel->HaltestelleArt == QStringLiteral("Bahnhof")) {
        return 47;
    }
    if (ziel->HaltestelleArt == QStringLiteral("Schattenbahnhof")) {
        return 49;
    }
    return BildFahren;
}

MenueEintrag eintrag(const QString& text, int bild, std::function<void()> aktion)
{
    MenueEintrag e;
    e.text = text;
    e.bild = bild;
    e.enabled = static_cast<bool>(aktion);
    e.aktion = std::move(aktion);
    return e;
}
} // namespace

TAnzeigeMenue::TAnzeigeMenue(Programm& programm) : programm_(programm) {}

FahrstrassenDienste& TAnzeigeMenue::fahrstrassen() const
{
    return FahrstrassenOderKeine(programm_.fahrstrassen);
}

THaltestelle* TAnzeigeMenue::station(int id) const
{
    return programm_.betriebsdaten != nullptr && id != KeineHaltestelle ? programm_.betriebsdaten->HaltestelleVonId(id) : nullptr;
}

TZugDaten* TAnzeigeMenue::ZugDatenVon(const TFahrstrasse& route, const TZug& zug)
{
    for (const auto& daten : route.ZugDatenListe) {
        if (daten->ZugDatenZug == &zug || (daten->ZugDatenZug == nullptr && daten->ZugDatenZugID == zug.ZugDatanbankNr)) {
            return daten.get();
        }
    }
    return nullptr;
}

void TAnzeigeMenue::neuZeichnen(TGleisBildElement& display)
{
    if (programm_.gleisbild != nullptr) {
        Q_EMIT programm_.gleisbild->neuZeichnen(&display);
    }
}

void TAnzeigeMenue::zugverfolgung(TZug& zug)
{
    fahrstrassen().ZugverfolgungAktualisieren(zug);
}

Menue TAnzeigeMenue::Oeffnen(TGleisBildElement& display)
{
    // The menu decides anew what leaves this display: offers and signals are taken back.
    display.FahrstrasseLinks = {};
    display.FahrstrasseRechts = {};
    display.SetSignalLinks(0);
    display.SetSignalRechts(0);
    display.ImageLinks.Hint = QStringLiteral("Signal");
    display.ImageRechts.Hint = QStringLiteral("Signal");

    Menue menue;
    THaltestelle* haltestelle = station(display.HaltestelleNr);
    const bool besetzt = programm_.gleisbild != nullptr && programm_.gleisbild->Kontakte().Besetzt(display.GleisKontaktNr);
    TZug* zug = display.Zug;
    if (haltestelle != nullptr && besetzt && zug != nullptr && haltestelle->AktiveFahrstrasse == nullptr) {
        MenueEintrag info;
        info.text = QStringLiteral("Mit [Ctrl] Lok verschieben und Fahrstrasse Reservieren");
        info.info = true;
        info.enabled = false;
        menue.push_back(info);
    }
    if (besetzt && zug != nullptr) {
        zugEintraege(menue, display, haltestelle, *zug);
    } else if (besetzt) {
        menue.push_back(eintrag(QStringLiteral("Zug einfügen?"), BildZug,
            haltestelle != nullptr && ZugAuswahlOeffnen
                ? std::function<void()>([this, haltestelle, &display] { ZugAuswahlOeffnen(*haltestelle, display, true); })
                : std::function<void()>()));
    } else if (zug != nullptr) {
        menue.push_back(loeschenEintrag(display, *zug));
        menue.push_back(editorEintrag(QStringLiteral("Zug Info"), BildLoeschen, *zug));
    }
    if (haltestelle != nullptr) {
        haltestellenEintraege(menue, display, *haltestelle);
    }
    return menue;
}

MenueEintrag TAnzeigeMenue::loeschenEintrag(TGleisBildElement& display, TZug& zug)
{
    return eintrag(QStringLiteral("Zug Lösschen?"), BildLoeschen, [&display, &zug] {
        zug.ZugAktiv = false;
        zug.Neuzeichnen();
        display.ZugEntfernen(true);
    });
}

MenueEintrag TAnzeigeMenue::editorEintrag(const QString& text, int bild, TZug& zug)
{
    return eintrag(text, bild, ZugEditorOeffnen ? std::function<void()>([this, &zug] { ZugEditorOeffnen(zug); }) : std::function<void()>());
}

MenueEintrag TAnzeigeMenue::datenEditorEintrag(const QString& text, int bild, TZug& zug, TFahrstrasse* route)
{
    TZugDaten* daten = route != nullptr ? ZugDatenVon(*route, zug) : nullptr;
    return eintrag(text, bild,
        ZugDatenEditorOeffnen && daten != nullptr
            ? std::function<void()>([this, &zug, daten] { ZugDatenEditorOeffnen(zug, *daten); })
            : std::function<void()>());
}

void TAnzeigeMenue::zugEintraege(Menue& menue, TGleisBildElement& display, THaltestelle* haltestelle, TZug& zug)
{
    MenueEintrag zugMenue;
    zugMenue.text = QStringLiteral("Zug");
    zugMenue.bild = BildZug;
    zugMenue.unter.push_back(eintrag(QStringLiteral("Zug wenden"), BildWenden, [this, &display, &zug] {
        zug.Wenden();
        zug.Neuzeichnen();
        neuZeichnen(display);
    }));
    zugMenue.unter.push_back(editorEintrag(QStringLiteral("Zug ´bearbeiten"), BildZugBearbeiten, zug));
    menue.push_back(zugMenue);

    TFahrstrasse* aktiv = haltestelle != nullptr ? haltestelle->AktiveFahrstrasse : nullptr;
    if (aktiv == nullptr) {
        menue.push_back(loeschenEintrag(display, zug));
    }
    if (haltestelle == nullptr) {
        return;
    }
    if (aktiv != nullptr) {
        if (station(aktiv->ZielHaltestelleID) != nullptr) {
            routenEintraege(menue, *haltestelle, *aktiv, zug);
        }
        return;
    }
    menue.push_back(fahrenEintrag(display, *haltestelle, zug));
}

void TAnzeigeMenue::routenEintraege(Menue& menue, THaltestelle& haltestelle, TFahrstrasse& route, TZug& zug)
{
    const QString name = route.FahrstrasseName;
    if (route.FahrstrasseStatus == 1) {
        menue.push_back(datenEditorEintrag(name + QStringLiteral(" bearbeiten"), BildBearbeiten, zug, &route));
        menue.push_back(eintrag(name + QStringLiteral(" Fahren"), BildRouteFahren, [this, &haltestelle, &route, &zug] {
            fahrstrassen().FahrstrasseSetzen(route, false);
            zug.ZugStatus = 2;
            zug.ZugStartHaltestelleID = haltestelle.HaltestelleID;
            zug.ZugFahrstrasseID = route.FahrstrasseID;
        }));
        menue.push_back(eintrag(name + QStringLiteral(" Resevierung aufheben"), BildRouteAufheben, [this, &haltestelle, &route, &zug] {
            fahrstrassen().FahrstrasseFreigeben(route);
            haltestelle.AktiveFahrstrasse = nullptr;
            zug.ZugStatus = 0;
            zug.ZugAktiv = false;
            zugverfolgung(zug);
        }));
    } else if (route.FahrstrasseStatus == 2) {
        menue.push_back(eintrag(name + QStringLiteral(" Lösschen"), BildRouteAufheben, [this, &route, &zug] {
            fahrstrassen().FahrstrasseLoeschen(route);
            zug.ZugStatus = 0;
            zugverfolgung(zug);
            zug.ZugStartHaltestelleID = KeineId;
            zug.ZugFahrstrasseID = KeineId;
        }));
    }
}

MenueEintrag TAnzeigeMenue::fahrenEintrag(TGleisBildElement& display, THaltestelle& haltestelle, TZug& zug)
{
    MenueEintrag fahren;
    fahren.text = QStringLiteral("Fahren");
    fahren.bild = BildFahren;
    fahren.unter.push_back(routenAuswahl(haltestelle, zug));
    fahren.unter.push_back(eintrag(QStringLiteral("Fahrtrichtung ändern"), BildRichtung, [this, &display, &haltestelle, &zug] {
        zug.Wenden();
        haltestelle.HaltestelleRichtung = zug.ZugRichtung;
        zugverfolgung(zug);
        neuZeichnen(display);
    }));
    if (zug.ZugFahrstrasseID != KeineId) {
        THaltestelle* start = station(zug.ZugStartHaltestelleID);
        TFahrstrasse* letzte = start != nullptr ? start->FahrstrasseVonId(zug.ZugFahrstrasseID) : nullptr;
        fahren.unter.push_back(datenEditorEintrag(QStringLiteral("Zu letzt gefahrene Fahrtrasse bearbeiten"), BildBearbeiten, zug, letzte));
    }
    return fahren;
}

// The routes the train may take from here now; the others are told to the diagnosis.
MenueEintrag TAnzeigeMenue::routenAuswahl(THaltestelle& haltestelle, TZug& zug)
{
    MenueEintrag auswahl;
    auswahl.text = QStringLiteral("Fahrstraße auswählen");
    auswahl.untermenue = true;
    FahrstrassenDienste& dienste = fahrstrassen();
    for (const auto& r : haltestelle.HaltestelleFahrstrassen) {
        TFahrstrasse& route = *r;
        if (route.FahrstrasseRichtung != haltestelle.HaltestelleRichtung) {
            dienste.DiagnoseZeile(QStringLiteral("** Fahrstrassen FahrstrasseRichtung ??***"));
            continue;
        }
        if (route.FahrstrasseAusblenden) {
            continue;
        }
        const QStringList hindernisse = dienste.FahrstrasseCheck(route);
        if (!hindernisse.isEmpty()) {
            dienste.DiagnoseZeile(QStringLiteral("** Fahrstrassen ************************"));
            for (const QString& grund : hindernisse) {
                dienste.DiagnoseZeile(route.FahrstrasseName + QStringLiteral(" (") + grund + u')');
            }
            continue;
        }
        MenueEintrag e = eintrag(route.FahrstrasseName, zielBild(station(route.ZielHaltestelleID)), [this, &haltestelle, &route, &zug] {
            // Without the train's driving data the route cannot be run: nothing is chosen.
            TZugDaten* daten = ZugDatenVon(route, zug);
            if (daten == nullptr) {
                return;
            }
            haltestelle.AktiveFahrstrasse = &route;
            route.AktuelleZugDaten = daten;
            haltestelle.HaltestelleBelegt = true;
            fahrstrassen().FahrstrasseReservieren(route);
            zug.ZugStatus = 1;
            zugverfolgung(zug);
        });
        e.enabled = dienste.FahrstrasseAktivFurZug(route, zug.ZugName);
        auswahl.unter.push_back(std::move(e));
    }
    auswahl.enabled = !auswahl.unter.empty();
    return auswahl;
}

void TAnzeigeMenue::haltestellenEintraege(Menue& menue, TGleisBildElement& display, THaltestelle& haltestelle)
{
    menue.push_back(eintrag(QStringLiteral("Züge die hier fahren können"), -1,
        ZugAuswahlOeffnen ? std::function<void()>([this, &haltestelle, &display] { ZugAuswahlOeffnen(haltestelle, display, false); })
                          : std::function<void()>()));
    const QString name = haltestelle.HaltestelleName;
    menue.push_back(eintrag(name + (haltestelle.HaltestelleHierNichtFahren ? QStringLiteral(" Freigeben fur alle Züge")
                                                                           : QStringLiteral(" Sperren fur alle Züge")),
                            BildSperren, [this, &haltestelle, &display] {
                                haltestelle.HaltestelleHierNichtFahren = !haltestelle.HaltestelleHierNichtFahren;
                                neuZeichnen(display);
                            }));
    if (!haltestelle.HaltestelleSoundDatei.isEmpty()) {
        // Offered, but playing the station's sound from here does nothing.
        menue.push_back(eintrag(name + QStringLiteral(" Sound abspielen"), BildSound, [] {}));
    }
}
