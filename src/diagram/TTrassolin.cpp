#include "diagram/TTrassolin.h"

#include "core/Programm.h"
#include "core/TInfo.h"
#include "operation/BetriebsDaten.h"
#include "vehicles/TFahrzeug.h"
#include "settings/ZentraleNamen.h"

TTrassolin::TTrassolin(Programm& programm) : programm_(programm), betrieb_(programm)
{
    panels_[3] = QStringLiteral("Uhr");
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
