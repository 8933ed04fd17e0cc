#include "diagram/TTrassolin.h"

#include "core/Programm.h"
#include "core/TInfo.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "operation/FahrstrassenDienste.h"
#include "operation/Zugsteuerung.h"
#include "settings/TSystem.h"
#include "settings/ZentraleNamen.h"
#include "vehicles/TFahrzeug.h"

TTrassolin::TTrassolin(Programm& programm)
    : programm_(programm), betrieb_(programm), anzeigeMenue_(programm), loksHierhin_(programm)
{
    panels_[3] = QStringLiteral("Uhr");
    betrieb_.setDienste(this);
    anzeigeMenue_.ZugAuswahlOeffnen = [this](THaltestelle& station, TGleisBildElement& display, bool einfuegen) {
        if (einfuegen) {
            loksHierhin_.ZugEinfuegenOeffnen(station, display);
        } else {
            loksHierhin_.ErlaubteZuegeOeffnen(station);
        }
        Q_EMIT changed();
    };
}

FahrstrassenDienste& TTrassolin::fahrstrassen() const
{
    return FahrstrassenOderKeine(programm_.fahrstrassen);
}

QString TTrassolin::Titel() const
{
    const QString anfang = QStringLiteral("Trassolin Modellbahnsteuerung v") + programm_.parameters.ProgramVersion;
    return GleisbildModus == 2 ? anfang + QStringLiteral(" Gleisbildbearbeiten ") : anfang + u' ';
}

void TTrassolin::receive(const CoreMessage& message)
{
    switch (message.id) {
    case Msg::WM_VERBUNDEN:
        MessageRecieveVERBUNDEN();
        break;
    case Msg::WM_GETRENNT:
        MessageRecieveGETRENNT();
        break;
    case Msg::WM_POWERON:
        MessageRecievePOWERON();
        break;
    case Msg::WM_POWEROFF:
        MessageRecievePOWEROFF();
        break;
    case Msg::WM_VERBINDENFERTIG:
        MessageRecieveVERBINDENFERTIG();
        break;
    case Msg::WM_VERBINDENERROR:
        MessageRecieveVERBINDENERROR();
        break;
    case Msg::WM_LOK_DATEN_ID_PROTOCOL:
        UpdateStatusbar(1, 2 + 100, QStringLiteral(" Loks eingelesen"));
        break;
    case Msg::WM_MAG_DATEN_OK:
        UpdateStatusbar(1, 2 + 100, QStringLiteral(" Magnet-Artikel eingelesen"));
        break;
    case Msg::WM_LOK_DATEN_VERGLEICHEN_OK:
        MessageRecieveLOK_DATEN_VERGLEICHEN_OK();
        break;
    case Msg::WM_MAG_CHANGE:
    case Msg::WM_MAGIDSENDEN:
    case Msg::WM_S88_CHANGE:
    case Msg::WM_S88_CHANGE2:
        betrieb_.Meldung(message);
        break;
    case Msg::WM_LOKDATENBANK_OK: {
        const QString alternative = programm_.settings.AlternativeVehicleDatabase;
        DatenbankKeySichtbar = true;
        UpdateStatusbar(2, 0, QStringLiteral("Lokdatenbank ")
                                  + (alternative.isEmpty() ? QStringLiteral("Fahrzeuge20.lda") : alternative)
                                  + QStringLiteral("  geladen"));
        if (programm_.betriebsdaten && programm_.fahrzeuge) {
            programm_.betriebsdaten->ZugeAusDatenbank(programm_.fahrzeuge->datenbank());
        }
        Q_EMIT zugListeGeaendert();
        break;
    }
    case Msg::WM_DEBUG:
        if (message.w.toNumber() == 0 || message.w.toNumber() == 1) {
            DebugSichtbar = message.w.toNumber() == 1;
            Q_EMIT changed();
        }
        break;
    case Msg::WM_S88_EINGELESEN:
        UpdateStatusbar(1, 2 + 100, QStringLiteral(" Rückmelde-Dekoder eingelesen"));
        break;
    default:
        break;
    }
}

void TTrassolin::setStatusPanel(int index, const QString& text)
{
    if (index >= 0 && index < 4) {
        panels_[index] = text;
        Q_EMIT changed();
    }
}

void TTrassolin::UpdateStatusbar(int type, int kind, const QString& text)
{
    if (type == 2) {
        setStatusPanel(2, text);
        return;
    }
    if (type == 0) {
        if (kind == 0 || kind == 1) {
            setMode(kind, true);
        }
    } else if (type == 1) {
        if (kind == 0) {
            setMode(0, true);
        } else if (kind == 1) {
            if (programm_.ZentraleVerbunden) {
                setMode(1, true);
            }
        } else if (kind >= 2 && kind <= 6) {
            setMode(kind, false);
        } else if (kind == 7) {
            setMode(8, false);
        }
    }
    setStatusPanel(1, text);
}

// A status text never moves the window out of the editor or a pick mode (2..10): a power
// report during editing must not put the editor into run mode, where clicks switch turnouts.
void TTrassolin::setMode(int mode, bool fromStatusText)
{
    if (fromStatusText && GleisbildModus >= 2 && GleisbildModus <= 10) {
        return;
    }
    GleisbildModus = mode;
}

QString TTrassolin::PowerName(int zentraleTyp)
{
    return TextFuerTyp(zentraleTyp, {"Fleischmann Twin-Center", "Uhlenbrock Intellybox 1", "Uhlenbrock Intellybox 2",
                                "Uhlenbrock IB-COM", "Märklin Central Station 1", "Märklin Central Station 2",
                                "ESU 50200 ECoS 1", "ESU 50210 ECoS 2", "Z21"});
}

void TTrassolin::ZeigePower(int state)
{
    PowerAn = state == 1;
    const QString name = PowerName(programm_.ZentraleTyp());
    if (!name.isEmpty()) {
        panels_[0] = name + (PowerAn ? QStringLiteral(" (Power ON)") : QStringLiteral(" (Power OFF)"));
    }
    Q_EMIT changed();
}

QStringList TTrassolin::SteuerElemente()
{
    return {QStringLiteral("&Bearbeiten"), QStringLiteral("Anzeige"), QStringLiteral("Automatic"),
            QStringLiteral("Ablaufsteuerung"), QStringLiteral("Drehscheibe"), QStringLiteral("Zentrale"),
            QStringLiteral("&Carsystem"), QStringLiteral("Bearbeiten:Lokdatenbank"),
            QStringLiteral("Bearbeiten:Gleisplan"), QStringLiteral("Bearbeiten:Haltestellen"),
            QStringLiteral("Bearbeiten:System"), QStringLiteral("Bearbeiten:&Beenden"), QStringLiteral("Anzeige:Editor"),
            QStringLiteral("AutomaticPanel"), QStringLiteral("LimitKeys"), QStringLiteral("Keys"), QStringLiteral("ExitKey"),
            QStringLiteral("PowerGroup"), QStringLiteral("NormalBar"), QStringLiteral("EditorBar")};
}

TTrassolin::Steuerung TTrassolin::SteuerungIn(Steuerzustand state, const QString& e) const
{
    switch (state) {
    case Steuerzustand::Gesperrt:
        // Everything off but the exit key; the power keys are not even shown.
        if (e == QStringLiteral("ExitKey") || e == QStringLiteral("NormalBar") || e.startsWith(QStringLiteral("Bearbeiten:"))) {
            return {true, true};
        }
        if (e == QStringLiteral("PowerGroup") || e == QStringLiteral("EditorBar") || e == QStringLiteral("Anzeige:Editor")) {
            return {false, false};
        }
        return {false, true};
    case Steuerzustand::ProjektOffen:
    case Steuerzustand::Betrieb: {
        const bool betrieb = state == Steuerzustand::Betrieb;
        if (e == QStringLiteral("Drehscheibe")) {
            return {false, !betrieb};
        }
        if (e == QStringLiteral("Anzeige:Editor") || e == QStringLiteral("EditorBar")) {
            return {false, false};
        }
        if (e == QStringLiteral("LimitKeys")) {
            return {AutomaticAn, true};
        }
        return {true, true};
    }
    case Steuerzustand::Editor:
        if (e == QStringLiteral("EditorBar") || e == QStringLiteral("Anzeige:Editor") || e == QStringLiteral("Bearbeiten:&Beenden")
            || e == QStringLiteral("&Bearbeiten") || e == QStringLiteral("Anzeige") || e == QStringLiteral("ExitKey")) {
            return {true, true};
        }
        if (e.startsWith(QStringLiteral("Bearbeiten:")) || e == QStringLiteral("NormalBar") || e == QStringLiteral("PowerGroup")
            || e == QStringLiteral("&Carsystem") || e == QStringLiteral("Automatic") || e == QStringLiteral("Ablaufsteuerung")
            || e == QStringLiteral("Drehscheibe") || e == QStringLiteral("Zentrale")) {
            return {false, false};
        }
        return {false, true}; // the run keys, the automatic panel and its limit keys
    }
    return {};
}

void TTrassolin::setSteuerzustand(Steuerzustand state)
{
    state_ = state;
    Q_EMIT changed();
}

QString TTrassolin::verbindenMenuText() const
{
    return programm_.ZentraleVerbunden ? QStringLiteral("Zentrale Trennen") : QStringLiteral("Verbinden mit Zentrale");
}

QString TTrassolin::zentraleName() const
{
    return ZentraleName(programm_.ZentraleTyp());
}

void TTrassolin::MessageRecieveVERBUNDEN()
{
    programm_.ZentraleVerbunden = true;
    const int typ = programm_.ZentraleTyp();
    UpdateStatusbar(0, 1,
        TextFuerTyp(typ, {"Verbunden mit Twin-Center ", "Verbunden mit Intellybox 1 ", "Verbunden mit Intellybox 2 ",
                     "Verbunden mit IB-COM ", "Verbunden mit Central Station 1 ", "Verbunden mit Central Station 2",
                     "Verbunden mit Ecos 1 ", "Verbunden mit Ecos 2 ", "Verbunden mit z21 "}));
    UpdateStatusbar(1, 1,
        TextFuerTyp(typ, {"Modus : Betrieb", "Modus : Betrieb", "Modus : Betrieb", "Modus : Betrieb",
                     "Modus : Daten werden von CS1 gelesen", "Modus : Daten werden von CS2 gelesen",
                     "Modus : Daten werden von ECOS 1 gelesen", "Modus : Daten werden von ECOS 2 gelesen",
                     "Modus : Daten werden von z21 gelesen"}));
}

void TTrassolin::MessageRecieveGETRENNT()
{
    programm_.ZentraleVerbunden = false;
    ZeigePower(0);
    UpdateStatusbar(0, 0, QStringLiteral("Nicht verbunden mit ") + zentraleName());
    UpdateStatusbar(1, 0, QString());
    setStatusPanel(2, QString());
}

void TTrassolin::MessageRecievePOWERON()
{
    if (PowerAn) {
        return;
    }
    ZeigePower(1);
    UpdateStatusbar(0, 1, QStringLiteral("Verbunden mit ") + zentraleName() + QStringLiteral(" (Power ON)"));
}

void TTrassolin::MessageRecievePOWEROFF()
{
    if (!PowerAn) {
        return;
    }
    ZeigePower(0);
    UpdateStatusbar(0, 1, QStringLiteral("Verbunden mit ") + zentraleName() + QStringLiteral(" (Power OFF)"));
}

void TTrassolin::MessageRecieveVERBINDENFERTIG()
{
    UpdateStatusbar(1, 1, QStringLiteral("Modus : Betrieb"));
    const int typ = programm_.ZentraleTyp();
    programm_.bus.broadcast(Msg::WM_LOK_DATEN_VERGLEICHEN, 0, typ);
    programm_.bus.broadcast(Msg::WM_MAGVERGLEICHEN, typ, 0);
    ZugeZuweisen();
}

void TTrassolin::ZentraleLogZeigen()
{
    ZentraleLogSichtbar = true;
    Q_EMIT changed();
}

void TTrassolin::ZentraleLogAdd(const QString& text)
{
    ZentraleLog.append(text);
    // The box shows what one connection does; keep it from growing without end.
    if (ZentraleLog.size() > 200) {
        ZentraleLog.remove(0, ZentraleLog.size() - 200);
    }
    Q_EMIT changed();
}

void TTrassolin::ZentraleLogVerbergen(bool leeren)
{
    ZentraleLogSichtbar = false;
    if (leeren) {
        ZentraleLog.clear();
    }
    Q_EMIT changed();
}

void TTrassolin::MessageRecieveVERBINDENERROR()
{
    ZentraleLogSichtbar = false;
    UpdateStatusbar(0, 0, zentraleName() + QStringLiteral(" konnte nicht verbunden werden!!"));
    UpdateStatusbar(1, 0, QStringLiteral(" "));
    setStatusPanel(2, QStringLiteral(" "));
    programm_.dialogs.confirmation(QStringLiteral("Zentrale konnte nicht verbunden werden!!"));
}

void TTrassolin::MessageRecieveLOK_DATEN_VERGLEICHEN_OK()
{
    const int typ = programm_.ZentraleTyp();
    const QString station = TextFuerTyp(typ, {"", "", "", "", "CS1", "CS2", "ECOS 1", "ECOS 2", ""});
    if (programm_.info) {
        programm_.info->logStar(station.isEmpty()
                ? QStringLiteral(" Zuge_Zuweisen")
                : QStringLiteral(" Lok vergleichen - Loks datenbank <> Loks ") + station + QStringLiteral(" -> Zuge_Zuweisen"));
    }
    ZugeZuweisen();
}

void TTrassolin::GoKlick()
{
    if (programm_.ZentraleVerbunden) {
        programm_.bus.broadcast(Msg::WM_POWERON_SENDEN, programm_.ZentraleTyp(), 0);
    }
}

void TTrassolin::StopKlick()
{
    if (programm_.ZentraleVerbunden) {
        programm_.bus.broadcast(Msg::WM_POWEROFF_SENDEN, programm_.ZentraleTyp(), 0);
    }
}

void TTrassolin::VerbindenKlick()
{
    programm_.bus.broadcast(programm_.ZentraleVerbunden ? Msg::WM_TRENNEN : Msg::WM_VERBINDEN,
                            programm_.ZentraleTyp(), 0);
}

void TTrassolin::InterfaceKlick()
{
    programm_.bus.broadcast(Msg::WM_SHOWPROTOKOL, programm_.ZentraleTyp(), 0);
}

void TTrassolin::DebugTaste()
{
    programm_.bus.broadcast(Msg::WM_DEBUG, DebugSichtbar ? 0 : 1, 0);
}

// ---- automatic operation ----------------------------------------------------------------------

void TTrassolin::AutomaticSchalten()
{
    if (!AutomaticAn) {
        AutomaticAn = true;
        fahrstrassen().DiagnoseZeile(QStringLiteral("TrassolinAutomatic AN "));
        fahrstrassen().AutomaticTimerStarten();
    } else {
        // The timer stops first: no route is started after the switch shows "off".
        fahrstrassen().AutomaticTimerStoppen();
        AutomaticAn = false;
        fahrstrassen().DiagnoseZeile(QStringLiteral("TrassolinAutomatic AUS "));
    }
    if (programm_.system != nullptr) {
        Q_EMIT programm_.system->panelColorChanged();
    }
    Q_EMIT changed();
}

void TTrassolin::LimitHoch()
{
    limitAendern(+1);
}

void TTrassolin::LimitRunter()
{
    limitAendern(-1);
}

// The limit changes only while automatic is on, never below 0, and is written at once.
void TTrassolin::limitAendern(int schritt)
{
    int& limit = programm_.settings.MaxZugeInAutomaticAktiv;
    if (!AutomaticAn || limit + schritt < 0) {
        return;
    }
    limit += schritt;
    if (programm_.system != nullptr) {
        programm_.system->SaveProjectSettings();
    }
    Q_EMIT changed();
}

QString TTrassolin::AutomaticText() const
{
    return AutomaticAn ? QStringLiteral("Automatik Ausschalten") : QStringLiteral("Automatik Einschalten");
}

QString TTrassolin::AutomaticMenueText() const
{
    return AutomaticAn ? QStringLiteral("Ausschalten") : QStringLiteral("Einschalten");
}

QString TTrassolin::AktivText() const
{
    return QStringLiteral("Aktiv : ") + QString::number(ZugeInAutomaticAktiv());
}

QString TTrassolin::LimitText() const
{
    return QString::number(programm_.settings.MaxZugeInAutomaticAktiv);
}

// ---- vehicle database -------------------------------------------------------------------------

void TTrassolin::DatenbankKlick()
{
    bool zugInFahrstrasse = false;
    if (programm_.betriebsdaten != nullptr) {
        for (const auto& zug : programm_.betriebsdaten->ZugListe) {
            zugInFahrstrasse = zugInFahrstrasse || zug->ZugStatus != 0;
        }
    }
    if (AutomaticAn) {
        programm_.dialogs.information(QStringLiteral("Automatik ist noch eingeschaltet. \n\rBitte zuerst ausschalten !!"));
    } else if (ZugeInAutomaticAktiv() != 0) {
        programm_.dialogs.information(QStringLiteral("Es sind noch Züge in Automatik unterwegs!"));
    } else if (zugInFahrstrasse) {
        programm_.dialogs.information(
            QStringLiteral("Es sind nocht Züge in Fahrstrassen unterwegst. \n\rBitte alle Fahrstrassen beenden !!"));
    } else {
        if (programm_.info != nullptr) {
            programm_.info->SaveAll();
        }
        if (!datenbankOffen_) {
            vorDatenbank_ = state_;
            datenbankOffen_ = true;
        }
        setSteuerzustand(Steuerzustand::Gesperrt);
        Q_EMIT datenbankOeffnen();
    }
}

void TTrassolin::DatenbankGeschlossen()
{
    if (datenbankOffen_) {
        datenbankOffen_ = false;
        setSteuerzustand(vorDatenbank_);
    }
}

// ---- display options --------------------------------------------------------------------------

void TTrassolin::GleisKontaktNrAnzeigenKlick()
{
    if (programm_.gleisbild == nullptr) {
        return;
    }
    TGleisBild& bild = *programm_.gleisbild;
    bild.GleisKontaktNrAnzeigen = !bild.GleisKontaktNrAnzeigen;
    bild.MagnetArtNrAnzeigen = false;
    Q_EMIT bild.allesNeuZeichnen();
    Q_EMIT changed();
}

void TTrassolin::MagnetArtNrAnzeigenKlick()
{
    if (programm_.gleisbild == nullptr) {
        return;
    }
    TGleisBild& bild = *programm_.gleisbild;
    bild.MagnetArtNrAnzeigen = !bild.MagnetArtNrAnzeigen;
    bild.GleisKontaktNrAnzeigen = false;
    Q_EMIT bild.allesNeuZeichnen();
    Q_EMIT changed();
}

QString TTrassolin::GleisKontaktHint() const
{
    const bool an = programm_.gleisbild != nullptr && programm_.gleisbild->GleisKontaktNrAnzeigen;
    return an ? QStringLiteral("Gleiskontaktnummer ausblenden") : QStringLiteral("Gleiskontaktnummer anzeigen");
}

QString TTrassolin::MagnetArtHint() const
{
    const bool an = programm_.gleisbild != nullptr && programm_.gleisbild->MagnetArtNrAnzeigen;
    return an ? QStringLiteral("MagnertArtikelnummer ausblenden") : QStringLiteral("MagnertArtikelnummer anzeigen");
}

void TTrassolin::IconBoxZeigen()
{
    IconBoxSichtbar = true;
    Q_EMIT changed();
}

void TTrassolin::IconSetWaehlen(int set)
{
    IconBoxSichtbar = false;
    if (programm_.system != nullptr) {
        programm_.system->setFunktionBilderAuswahl(set);
        programm_.system->SaveProjectSettings();
    }
    if (programm_.betriebsdaten != nullptr) {
        for (const auto& zug : programm_.betriebsdaten->ZugListe) {
            zug->Neuzeichnen();
        }
    }
    Q_EMIT changed();
}

// ---- "Alle fahrstrassen Lösschen" -------------------------------------------------------------

void TTrassolin::AlleFahrstrassenLoeschen()
{
    if (!programm_.dialogs.yesNo(QStringLiteral("Alle Züge anhalten und\ralle Fahrstrassen lösschen ?"))
        || programm_.betriebsdaten == nullptr) {
        return;
    }
    FahrstrassenDienste& dienste = fahrstrassen();
    TGleisBild* bild = programm_.gleisbild;
    for (const auto& station : programm_.betriebsdaten->HaltestellenListe) {
        station->HaltestelleBelegt = false;
        station->AktiveFahrstrasse = nullptr;
        station->HaltestelleStatus = 0;
        station->WartezeitVorbei = true;
        if (TGleisBildElement* display = station->HaltestelleElement) {
            display->FahrstrasseLinks = {};
            display->FahrstrasseRechts = {};
            display->SetSignalLinks(0);
            display->SetSignalRechts(0);
            for (SignalTaste* taste : {&display->ImageLinks, &display->ImageRechts}) {
                taste->enabled = true;
                taste->Hint = QStringLiteral("Signal");
            }
            if (TZug* zug = display->Zug) {
                zug->ZugStatus = 0;
                zug->AutomaticAktivSetzen(false);
                dienste.ZugverfolgungAktualisieren(*zug);
            }
        }
        for (const auto& route : station->HaltestelleFahrstrassen) {
            route->FahrstrasseStatus = 0;
            dienste.DeleteFahrstrasse(station->HaltestelleID, route->FahrstrasseID);
            for (const FahrstrasseElement& fe : route->FahrstrasseElemente) {
                if (TGleisBildElement* e = bild != nullptr ? bild->Zelle(fe.Spalte, fe.Zeile) : nullptr) {
                    e->FahrstrasseBelegt = {};
                    e->InFahrstrasse = false;
                    Q_EMIT bild->neuZeichnen(e);
                }
            }
            dienste.FahrstrasseAnzeigen(*route, false);
        }
    }
    if (bild != nullptr) {
        for (const auto& e : bild->Elemente()) {
            e->InFahrstrasse = false;
        }
        Q_EMIT bild->allesNeuZeichnen();
    }
    for (const auto& zug : programm_.betriebsdaten->ZugListe) {
        if (zug->ZugSpeed != 0) {
            zug->Set_Speed(0);
            zug->AutomaticAktivSetzen(false);
        }
    }
    dienste.ZugeInAutomaticAktivSetzen(0);
    Q_EMIT changed();
}

// ---- locomotive bar ---------------------------------------------------------------------------

void TTrassolin::setLokTastenAnzahl(int anzahl)
{
    lokLeiste_ = TLokLeiste(anzahl);
}

void TTrassolin::ZugeZuweisen()
{
    if (programm_.betriebsdaten != nullptr) {
        lokLeiste_.ZugeZuweisen(programm_.betriebsdaten->ZugListe, programm_.settings, programm_.ZentraleTyp());
    }
    Q_EMIT changed();
}

void TTrassolin::LokLeistePlus()
{
    lokLeiste_.Plus();
    Q_EMIT changed();
}

void TTrassolin::LokLeisteMinus()
{
    lokLeiste_.Minus();
    Q_EMIT changed();
}

void TTrassolin::LokLeisteSeite(int seite)
{
    if (seite >= 0 && seite < static_cast<int>(lokLeiste_.seiten().size()) && seite != lokLeiste_.aktiveSeite) {
        lokLeiste_.aktiveSeite = seite;
        Q_EMIT changed();
    }
}

void TTrassolin::LokLeisteUmschalten()
{
    LokLeisteSichtbar = !LokLeisteSichtbar;
    Q_EMIT changed();
}

QString TTrassolin::LokLeisteText() const
{
    return LokLeisteSichtbar ? QStringLiteral("Lok Leiste Verbergen") : QStringLiteral("Lok Leiste Anzeigen");
}

void TTrassolin::LokBildKlick(TZug& zug)
{
    const int typ = programm_.ZentraleTyp();
    if ((typ == 5 || typ == 7 || typ == 8) && !TLokLeiste::ZentraleGebunden(zug)) {
        const QString zentrale = typ == 7 ? QStringLiteral("(ECOS 1)") : typ == 8 ? QStringLiteral("(ECOS 2)") : QStringLiteral("(Central Station 1)");
        if (programm_.dialogs.yesNo(QStringLiteral("Zug : ") + zug.ZugName + QStringLiteral(" ist nicht an Zentrale ") + zentrale
                                    + QStringLiteral(" gebunden \r Lokdatenbank öffnen ?"))) {
            DatenbankKlick();
        }
        return;
    }
    zug.ZugSichtbar = !zug.ZugSichtbar;
    zug.Neuzeichnen();
    if ((typ == 3 || typ == 4) && zug.ZugSichtbar && programm_.betriebsdaten != nullptr && programm_.betriebsdaten->OhneSlot(zug)) {
        programm_.bus.broadcast(Msg::WM_LOK_IN_SLOT, zug.ZugNr, 0);
    }
}

void TTrassolin::LokStopKlick(TZug& zug)
{
    zug.Set_Speed(0);
}

void TTrassolin::LokLichtKlick(TZug& zug)
{
    zug.Set_Licht(!zug.Funktion[0]);
}

// ---- menus of the diagram ---------------------------------------------------------------------

void TTrassolin::AnzeigeMenueOeffnen(TGleisBildElement& display, QPoint pos)
{
    const Menue menue = anzeigeMenue_.Oeffnen(display);
    Q_EMIT menueOeffnen(menue, pos);
}

int TTrassolin::HaltestellenZustand(int haltestelleNr) const
{
    const THaltestelle* station = programm_.betriebsdaten != nullptr ? programm_.betriebsdaten->HaltestelleVonId(haltestelleNr) : nullptr;
    return station != nullptr ? station->HaltestelleStatus : 0;
}

bool TTrassolin::FahrzielAnfahren(TGleisBildElement& start, TZug* zug, TGleisBildElement& ziel)
{
    return programm_.zugsteuerung != nullptr && programm_.zugsteuerung->stellwerk().FahrzielAnfahren(start, zug, ziel);
}

void TTrassolin::SignalMitFahrstrasse(TGleisBildElement& display, bool links)
{
    if (programm_.zugsteuerung != nullptr) {
        programm_.zugsteuerung->stellwerk().SignalMitFahrstrasse(display, links);
    }
}

int TTrassolin::ZugeInAutomaticAktiv() const
{
    return fahrstrassen().ZugeInAutomaticAktiv();
}

void TTrassolin::ProgrammMenueOeffnen(TGleisBildElement& taste, QPoint pos, bool zuweisen, bool starten, bool zuweisungLoeschen)
{
    const QString element = taste.Name;
    Menue menue;
    if (zuweisen) {
        menue.push_back({QStringLiteral("&Ablaufsteuerung zuweisen"), -1, true, false, [this, element, &taste, pos] {
            AblaufBox.sichtbar = true;
            AblaufBox.element = element;
            AblaufBox.namen = AblaufsteuerungNamen ? AblaufsteuerungNamen() : QStringList();
            AblaufBox.auswahl = taste.AblaufsteuerungName;
            AblaufBox.pos = pos;
            Q_EMIT changed();
        }, {}});
    }
    if (starten) {
        // Offered; starting a program from here does nothing.
        menue.push_back({taste.AblaufsteuerungName + QStringLiteral(" &Starten"), -1, true, false, [] {}, {}});
    }
    if (zuweisungLoeschen) {
        menue.push_back({QStringLiteral("Zuweisung &lösschen"), -1, true, false, [this, element] { ablaufZuweisen(element, QString()); }, {}});
    }
    menue.push_back({QStringLiteral("Ablaufsteuerung Dialog öffnen"), -1, true, false, [] {}, {}});
    menue.push_back({QStringLiteral("Hilfe"), -1, true, false, [this] { Q_EMIT hilfeAngefordert(6002); }, {}});
    Q_EMIT menueOeffnen(menue, pos);
}

void TTrassolin::AblaufBoxOk(const QString& name)
{
    const QString element = AblaufBox.element;
    AblaufBoxSchliessen();
    if (!name.isEmpty()) {
        ablaufZuweisen(element, name);
    }
}

void TTrassolin::AblaufBoxEintragLoeschen()
{
    const QString element = AblaufBox.element;
    AblaufBoxSchliessen();
    ablaufZuweisen(element, QString());
}

void TTrassolin::AblaufBoxSchliessen()
{
    AblaufBox = {};
    Q_EMIT changed();
}

// The button takes the program (empty: none), is redrawn, and the plan file is written at once.
void TTrassolin::ablaufZuweisen(const QString& element, const QString& name)
{
    if (programm_.gleisbild == nullptr) {
        return;
    }
    for (const auto& e : programm_.gleisbild->Elemente()) {
        if (e->Name == element) {
            e->AblaufsteuerungName = name;
            Q_EMIT programm_.gleisbild->neuZeichnen(e.get());
            if (programm_.info != nullptr) {
                programm_.info->Speichern(TInfo::Datei::Gleisplan);
            }
            return;
        }
    }
}
