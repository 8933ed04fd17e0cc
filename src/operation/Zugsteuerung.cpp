#include "operation/Zugsteuerung.h"

#include "core/Programm.h"
#include "core/ProjektDaten.h"
#include "core/TextFields.h"
#include "diagram/GleisBild.h"
#include "diagram/TTrassolin.h"
#include "operation/BetriebsDaten.h"
#include "operation/Diagnose.h"
#include "operation/ThreatHaltestelle.h"
#include "operation/ThreatOhneGleisbild.h"
#include "operation/ThreatZugsteuerung.h"
#include "vehicles/LogBuch.h"

#include <algorithm>

namespace {
const QString kHiTimer = QStringLiteral("TZugsteuerung.ZugSteuerungHiPriorityTimer");
const QString kLoTimer = QStringLiteral("TZugsteuerung.ZugSteuerungLoPriorityTimer");
const QString kAutomaticTimer = QStringLiteral("TZugsteuerung.AutomaticTimer");
const QString kSignal = QStringLiteral("Signal");
const QString kZiel = QStringLiteral("Ziel");
const QString kNachste = QStringLiteral("Nachste");
const QString kZuKontakt = QStringLiteral("Zu Kontakt");

// Sets the flag while a tick runs, so that a tick started from inside a modal wait does nothing.
class TickSperre {
public:
    explicit TickSperre(bool& flag) : flag_(flag) { flag_ = true; }
    ~TickSperre() { flag_ = false; }
    TickSperre(const TickSperre&) = delete;
    TickSperre& operator=(const TickSperre&) = delete;

private:
    bool& flag_;
};

bool istZiel(const QString& text)
{
    // "Nachste" ends a run like "Ziel": the train stops and the route is freed.
    return text == kZiel || text == kNachste;
}
} // namespace

TZugsteuerung::TZugsteuerung(Programm& programm, TDiagnose& diagnose)
    : programm_(programm), diagnose_(diagnose), stellwerk_(programm, *this, diagnose)
{
    programm_.scheduler.every(HiPriorityIntervall, kHiTimer, [this] { ZugSteuerungHiPriorityTimerTimer(); });
    programm_.scheduler.every(LoPriorityIntervall, kLoTimer, [this] { ZugSteuerungLoPriorityTimerTimer(); });
}

TZugsteuerung::~TZugsteuerung()
{
    programm_.scheduler.cancel(kHiTimer);
    programm_.scheduler.cancel(kLoTimer);
    programm_.scheduler.cancel(kAutomaticTimer);
    for (const QString& tag : tags_) {
        programm_.scheduler.cancel(tag);
    }
}

// ---- helpers ------------------------------------------------------------------------------------

TZug* TZugsteuerung::zug(int zugNr) const
{
    return programm_.betriebsdaten != nullptr ? programm_.betriebsdaten->ZugVonNr(zugNr) : nullptr;
}

bool TZugsteuerung::besetzt(int kontakt) const
{
    return programm_.gleisbild != nullptr && programm_.gleisbild->Kontakte().Besetzt(kontakt);
}

void TZugsteuerung::diagnose(const QString& text, int art) const
{
    diagnose_.DiagnoseZeile(text, art);
}

void TZugsteuerung::logbuch(const QString& text, int art) const
{
    if (programm_.logbuch != nullptr) {
        programm_.logbuch->LogBuchAdd(text, art);
    }
}

void TZugsteuerung::aktivAnzeigen() const
{
    if (AktivAnzeige) {
        AktivAnzeige(ZugeInAutomaticAktiv);
    }
}

QString TZugsteuerung::FahrstrassenTag(int haltestelleID, int fahrstrasseID)
{
    const QString tag = QStringLiteral("Fahrstrasse.%1.%2").arg(haltestelleID).arg(fahrstrasseID);
    tags_.insert(tag);
    return tag;
}

void TZugsteuerung::ZugverfolgungMelden(TZug& zug)
{
    stellwerk_.ZugverfolgungAktualisieren(zug);
}

void TZugsteuerung::ZugIstAngekommen(int startHaltestelleID, int fahrstrasseID, TZug&)
{
    const THaltestelle* s = programm_.betriebsdaten->HaltestelleVonId(startHaltestelleID);
    if (TFahrstrasse* route = s != nullptr ? s->FahrstrasseVonId(fahrstrasseID) : nullptr) {
        stellwerk_.ZugIstAngekommen(*route);
    }
}

// ---- the queues ---------------------------------------------------------------------------------

void TZugsteuerung::AddFahrstrassenBefehl(const TFahrstrassenBefehl& befehl)
{
    if (befehl.ZugOderMag == 1 && befehl.BefehlAuswahl == 1) {
        hi_.push_back(befehl);
    } else {
        lo_.push_back(befehl);
    }
}

void TZugsteuerung::DeleteFahrstrassenBefehl(int liste, int index)
{
    std::vector<TFahrstrassenBefehl>* queue = liste == HiPriority ? &hi_ : liste == LoPriority ? &lo_ : nullptr;
    if (queue != nullptr && index >= 0 && index < static_cast<int>(queue->size())) {
        queue->erase(queue->begin() + index);
    }
}

void TZugsteuerung::DeleteFahrstrasse(int haltestelleID, int fahrstrasseID)
{
    const auto gehoert = [=](const TFahrstrassenBefehl& b) {
        return b.BefehlHaltestelleID == haltestelleID && b.BefehlFahrstrasseID == fahrstrasseID;
    };
    std::erase_if(hi_, gehoert);
    std::erase_if(lo_, gehoert);
}

void TZugsteuerung::ThreatZugStarten(const TFahrstrassenBefehl& b, const QString& text, int zielKontakt)
{
    TThreatZug::Auftrag a;
    a.StartHaltestelleID = b.BefehlHaltestelleID;
    a.FahrstrasseID = b.BefehlFahrstrasseID;
    a.BefehlAuswahl = b.BefehlAuswahl;
    a.Wert = b.Speed;
    a.Delay = b.WarteZeit;
    a.ZugNr = b.Addresse;
    a.Text = text;
    a.ZielKontakt = zielKontakt;
    TThreatZug::Starten(programm_, *this, a, FahrstrassenTag(b.BefehlHaltestelleID, b.BefehlFahrstrasseID));
}

// ---- carrying out a command at once -----------------------------------------------------------------

bool TZugsteuerung::ExeFahrstrassenBefehl(const TFahrstrassenBefehl& b)
{
    if (b.ZugOderMag == 1) {
        return lokBefehl(b);
    }
    return b.ZugOderMag == 10 && b.Addresse != 0 && magnetArtBefehl(b);
}

bool TZugsteuerung::lokBefehl(const TFahrstrassenBefehl& b)
{
    TZug* t = zug(b.Addresse);
    if (t == nullptr) {
        return false;
    }
    switch (b.BefehlAuswahl) {
    case 1:
        t->Set_Speed(b.Speed);
        return true;
    case 2:
        t->Wenden();
        return true;
    case 3:
    case 4:
        t->Set_Funk(b.Speed, b.BefehlAuswahl == 4);
        return true;
    case 5: {
        t->Set_Funk(b.Speed, true);
        const int nr = b.Addresse;
        const int funktion = b.Speed;
        programm_.scheduler.after(programm_.settings.FunktionenOnOffDelay,
                                  FahrstrassenTag(b.BefehlHaltestelleID, b.BefehlFahrstrasseID), [this, nr, funktion] {
                                      if (TZug* z = zug(nr)) {
                                          z->Set_Funk(funktion, false);
                                      }
                                  });
        return true;
    }
    default:
        return false;
    }
}

bool TZugsteuerung::magnetArtBefehl(const TFahrstrassenBefehl& b)
{
    const bool stellung01 = b.BefehlAuswahl == 0 || b.BefehlAuswahl == 1;
    TGleisBildElement* e = MagnetArtElementImPlan(programm_, b.Addresse);
    if (e != nullptr && IstBahnuebergangHaelfte(e->GleisBildNr)) {
        // The request is the command; the crossing decides whether it closes or opens.
        if (programm_.hauptfenster != nullptr) {
            programm_.hauptfenster->betrieb().BahnuebergangAnfordern(*e, b.BefehlAuswahl);
        }
        return true;
    }
    if (!stellung01) {
        return false;
    }
    if (e != nullptr) {
        e->Schalten(b.BefehlAuswahl);
    } else {
        programm_.bus.broadcast(Msg::WM_MAG, b.Addresse, b.BefehlAuswahl);
    }
    return true;
}

void TZugsteuerung::Set_StellungfurMagArtOhneGeisbildElement(int adresse, int stellung)
{
    if (adresse != 0) {
        programm_.bus.broadcast(Msg::WM_MAG, adresse, stellung);
    }
    const QString text = QStringLiteral("MagnetArtNr ") + QString::number(adresse) + QStringLiteral(" Stellung ")
        + QString::number(stellung);
    logbuch(text, TLogBuch::ArtNormal);
    if (programm_.hauptfenster != nullptr) {
        programm_.hauptfenster->UpdateStatusbar(2, 0, text);
    }
}

QString TZugsteuerung::BefehlBeschreibung(const TFahrstrassenBefehl& b) const
{
    const TZug* t = b.ZugOderMag == 1 ? zug(b.Addresse) : nullptr;
    const QString lok = QStringLiteral("Lok(") + ZeroPad3(t != nullptr ? t->Addr : 0) + QStringLiteral(") ");
    const QString kopf = ZeroPad5(b.WarteZeit) + QStringLiteral(" - Kontakt(") + ZeroPad3(b.KontaktNr) + QStringLiteral(") ");
    switch (b.ZugOderMag) {
    case 0:
        return QStringLiteral("Info");
    case 1:
        switch (b.BefehlAuswahl) {
        case 1:
            return kopf + QStringLiteral(" Lokspeed     - ") + lok + QStringLiteral("Speed(") + ZeroPad3(b.Speed) + QStringLiteral(") ");
        case 3:
        case 4:
        case 5: {
            const char* const art[] = {" OFF", " ON", " ON/OFF"};
            return kopf + QStringLiteral(" LokFunktion - ") + lok + QStringLiteral("Funktion F") + QString::number(b.Speed)
                + QString::fromLatin1(art[b.BefehlAuswahl - 3]);
        }
        case 6:
            return QStringLiteral(" Lok alle Funktionen OFF - ") + lok;
        default:
            return {};
        }
    case 10:
        if (b.BefehlAuswahl != 0 && b.BefehlAuswahl != 1) {
            return {};
        }
        return b.BefehlText + QStringLiteral(" an Kontakt(") + ZeroPad3(b.KontaktNr) + QStringLiteral(")") + QStringLiteral(" Mag Art(")
            + QString::number(b.Addresse) + QStringLiteral(") Schalten");
    case 20:
        return QStringLiteral("00000 - Sound Ausgabe an ");
    case 30:
        return QStringLiteral("XXXXX - Kontakt(") + ZeroPad3(b.KontaktNr) + QStringLiteral(")- Fahrstrasse Freigeben wenn ") + b.BefehlText;
    case 40:
        return QStringLiteral("StartHaltestelle - Signale Auf ROT");
    default:
        return {};
    }
}

// ---- the high-priority queue ------------------------------------------------------------------------

bool TZugsteuerung::hiAusfuehrbar(const TFahrstrassenBefehl& b) const
{
    const QString& text = b.BefehlText;
    return text == QStringLiteral("Bremskontakt1") || text == QStringLiteral("Bremskontakt2") || text == QStringLiteral("Bremskontakt3")
        || istZiel(text) || text == kZuKontakt;
}

void TZugsteuerung::ZugSteuerungHiPriorityTimerTimer()
{
    if (imTick_) {
        return;
    }
    const TickSperre sperre(imTick_);
    for (std::size_t i = 0; i < hi_.size(); ++i) {
        TZug* t = zug(hi_[i].Addresse);
        if (t == nullptr) {
            continue;
        }
        if (hi_[i].KontaktNr == 0) {
            t->Set_Speed(0); // a speed without contact holds its train until the route goes
            continue;
        }
        if (besetzt(hi_[i].KontaktNr) && hiAusfuehrbar(hi_[i])) {
            const TFahrstrassenBefehl befehl = hi_[i];
            hi_.erase(hi_.begin() + static_cast<std::ptrdiff_t>(i));
            hiAusfuehren(befehl, *t);
            return;
        }
    }
}

void TZugsteuerung::hiAusfuehren(const TFahrstrassenBefehl& b, TZug& t)
{
    if (b.BefehlText == QStringLiteral("Bremskontakt1") || b.BefehlText == QStringLiteral("Bremskontakt2")) {
        t.Set_Speed(b.Speed);
    } else if (b.BefehlText == QStringLiteral("Bremskontakt3")) {
        ThreatZugStarten(b, b.BefehlText);
    } else if (b.BefehlText == kZuKontakt) {
        ThreatZugStarten(b, kZuKontakt, b.KontaktNr);
    } else {
        ThreatZugStarten(b, b.BefehlText, b.KontaktNr);
        if (t.ZugZielKontakt == b.KontaktNr) {
            t.ZugZielKontakt = 0;
        }
        if (diagnose_.SimulationAn()) {
            // The simulated train has left every other contact of its route.
            const THaltestelle* s = programm_.betriebsdaten->HaltestelleVonId(b.BefehlHaltestelleID);
            const TFahrstrasse* route = s != nullptr ? s->FahrstrasseVonId(b.BefehlFahrstrasseID) : nullptr;
            for (int i = 1; route != nullptr && i <= GleisKontaktMax; ++i) {
                const int k = route->FahrstrasseKontakte[i];
                if (k != 0 && k != b.KontaktNr) {
                    programm_.gleisbild->SetContactState(k, 0);
                }
            }
        }
        diagnose(QStringLiteral("ZugInAutomatic : ") + t.ZugName + QStringLiteral(" angekommen"), 1);
    }
}

// ---- the low-priority queue -------------------------------------------------------------------------

void TZugsteuerung::ZugSteuerungLoPriorityTimerTimer()
{
    if (imTick_) {
        return;
    }
    const TickSperre sperre(imTick_);
    if (aufraeumen()) {
        return;
    }
    for (std::size_t i = 0; i < lo_.size(); ++i) {
        if (loAusfuehrbar(lo_[i])) {
            const TFahrstrassenBefehl befehl = lo_[i];
            lo_.erase(lo_.begin() + static_cast<std::ptrdiff_t>(i));
            loAusfuehren(befehl);
            return;
        }
    }
}

// Clean-up mode of a class-50 command: one leftover command of the route leaves per tick, the
// last one first; true when one was removed.
bool TZugsteuerung::aufraeumen()
{
    if (!LoeschenAktiv || LoeschenHaltestelleID == KeineId) {
        return false;
    }
    LoeschenAktiv = false;
    for (auto it = lo_.rbegin(); it != lo_.rend(); ++it) {
        if (it->BefehlHaltestelleID == LoeschenHaltestelleID && it->BefehlFahrstrasseID == loeschenFahrstrasseID_) {
            lo_.erase(std::next(it).base());
            LoeschenAktiv = true;
            return true;
        }
    }
    LoeschenHaltestelleID = KeineId;
    loeschenFahrstrasseID_ = KeineId;
    return false;
}

bool TZugsteuerung::loAusfuehrbar(const TFahrstrassenBefehl& b)
{
    switch (b.ZugOderMag) {
    case 1: {
        TZug* t = zug(b.Addresse);
        if (t == nullptr) {
            return false;
        }
        if (b.BefehlAuswahl == 6) {
            return true;
        }
        if (b.BefehlAuswahl < 1 || b.BefehlAuswahl > 5) {
            return false;
        }
        if (b.KontaktNr != 0) {
            t->ZugKontakt = b.KontaktNr;
            ZugverfolgungMelden(*t);
        }
        return b.KontaktNr == 0 || b.KontaktNr == KeineId || besetzt(b.KontaktNr);
    }
    case 10:
        return magnetArtAusfuehrbar(b);
    case 30:
        return ankunftAusfuehrbar(b);
    case 40:
        return besetzt(b.KontaktNr) && programm_.betriebsdaten->HaltestelleVonId(b.BefehlHaltestelleID) != nullptr;
    case 41:
        return besetzt(b.KontaktNr);
    case 50:
        return true;
    default:
        return false;
    }
}

void TZugsteuerung::loAusfuehren(const TFahrstrassenBefehl& b)
{
    switch (b.ZugOderMag) {
    case 1:
        if (b.BefehlAuswahl == 6) {
            if (TZug* t = zug(b.Addresse)) {
                for (int n = 1; n <= 16; ++n) {
                    t->Set_Funk(n, false);
                }
            }
        } else {
            ThreatZugStarten(b, b.BefehlText);
        }
        break;
    case 10:
        magnetArtAusfuehren(b);
        break;
    case 30:
        ankunft(b);
        break;
    case 40:
        haltestelleSignaleRot(b.BefehlHaltestelleID, false);
        break;
    case 41:
        if (b.BefehlAuswahl != KeineId) {
            haltestelleSignaleRot(b.BefehlAuswahl, true);
        }
        break;
    case 50:
        LoeschenHaltestelleID = b.BefehlHaltestelleID;
        loeschenFahrstrasseID_ = b.BefehlFahrstrasseID;
        LoeschenAktiv = true;
        break;
    default:
        break;
    }
}

bool TZugsteuerung::magnetArtAusfuehrbar(const TFahrstrassenBefehl& b) const
{
    if (b.Addresse == 0) {
        return false;
    }
    const TGleisBildElement* e = MagnetArtElementImPlan(programm_, b.Addresse);
    if (e != nullptr && e->istLokAnzeige()) {
        return true;
    }
    if (b.KontaktNr != 0 && !besetzt(b.KontaktNr)) {
        return false;
    }
    // Without a plan element a delay is honoured whether or not there is a contact.
    return e != nullptr || b.WarteZeit > 0 || b.BefehlAuswahl == 0 || b.BefehlAuswahl == 1;
}

void TZugsteuerung::magnetArtAusfuehren(const TFahrstrassenBefehl& b)
{
    const QString tag = FahrstrassenTag(b.BefehlHaltestelleID, b.BefehlFahrstrasseID);
    TGleisBildElement* e = MagnetArtElementImPlan(programm_, b.Addresse);
    if (e == nullptr) {
        if (b.WarteZeit > 0) {
            TThreatOhneGleisbild::Starten(programm_, {b.Addresse, b.WarteZeit, b.BefehlAuswahl}, tag);
        } else {
            Set_StellungfurMagArtOhneGeisbildElement(b.Addresse, b.BefehlAuswahl);
        }
        return;
    }
    if (e->istLokAnzeige()) {
        return;
    }
    if (IstBahnuebergangHaelfte(e->GleisBildNr)) {
        if (programm_.hauptfenster != nullptr) {
            programm_.hauptfenster->betrieb().BahnuebergangAnfordern(*e, b.BefehlAuswahl);
        }
    } else if (b.WarteZeit > 0) {
        TThreatZugsteuerung::Starten(programm_, {b.Addresse, b.WarteZeit, b.BefehlAuswahl}, tag);
    } else if (b.BefehlAuswahl == 0 || b.BefehlAuswahl == 1) {
        e->Schalten(b.BefehlAuswahl);
        logbuch(QStringLiteral("MagnetArtNr ") + QString::number(e->MagnetArtNr) + QStringLiteral(" Stellung ")
                    + QString::number(b.BefehlAuswahl),
                TLogBuch::ArtNormal);
    }
}

void TZugsteuerung::haltestelleSignaleRot(int haltestelleID, bool durchfahrtLoeschen)
{
    const THaltestelle* h = programm_.betriebsdaten->HaltestelleVonId(haltestelleID);
    TGleisBildElement* e = h != nullptr ? h->HaltestelleElement : nullptr;
    if (e == nullptr) {
        return;
    }
    e->SetSignalLinks(0);
    e->SetSignalRechts(0);
    if (durchfahrtLoeschen) {
        e->DurchfahrenderZug.clear();
        Q_EMIT programm_.gleisbild->neuZeichnen(e);
    }
}

// ---- the arrival ------------------------------------------------------------------------------------

bool TZugsteuerung::ankunftAusfuehrbar(const TFahrstrassenBefehl& b) const
{
    const BetriebsDaten& d = *programm_.betriebsdaten;
    const THaltestelle* s = d.HaltestelleVonId(b.BefehlHaltestelleID);
    const TFahrstrasse* route = s != nullptr ? s->FahrstrasseVonId(b.BefehlFahrstrasseID) : nullptr;
    const THaltestelle* z = route != nullptr ? d.HaltestelleVonId(route->ZielHaltestelleID) : nullptr;
    return z != nullptr && z->HaltestelleElement != nullptr && s->HaltestelleElement != nullptr && s->HaltestelleElement->Zug != nullptr;
}

// The train moves from the start station's display onto the target's, the route is freed, the
// station file is written and the wait in the target station begins.
void TZugsteuerung::ankunft(const TFahrstrassenBefehl& b)
{
    BetriebsDaten& d = *programm_.betriebsdaten;
    THaltestelle* s = d.HaltestelleVonId(b.BefehlHaltestelleID);
    TFahrstrasse* route = s->FahrstrasseVonId(b.BefehlFahrstrasseID);
    THaltestelle* z = d.HaltestelleVonId(route->ZielHaltestelleID);
    TGleisBildElement* von = s->HaltestelleElement;
    TGleisBildElement* nach = z->HaltestelleElement;
    TZug* t = von->Zug;
    t->ZugStatus = 3;
    von->Zug = nullptr;
    Q_EMIT programm_.gleisbild->neuZeichnen(von);
    z->WartezeitVorbei = false;
    nach->ZugZuweisen(t);
    nach->ErwarteterZug.clear();
    t->ZugHaltestelleID = z->HaltestelleID;
    z->HaltestelleRichtung = route->FahrstrasseRichtungZiel;
    stellwerk_.FahrstrasseFreigeben(*route);
    ZugverfolgungMelden(*t);
    ankunftZeigen(*z);
    haltestellenDateiSchreiben();
    const QString tag = QStringLiteral("TThreatHaltestelle.%1").arg(z->HaltestelleID);
    tags_.insert(tag);
    TThreatHaltestelle::Starten(programm_, *this,
                                {z->HaltestelleID, s->HaltestelleID, z->HaltestelleWarteZeit, t->ZugNr, b.BefehlAuswahl}, tag);
}

// The button on the departure side shows the arrived train (picture 22 left, 23 right); the
// other button is the plain signal again.
void TZugsteuerung::ankunftZeigen(THaltestelle& z)
{
    TGleisBildElement& e = *z.HaltestelleElement;
    if (z.HaltestelleRichtung == 0) {
        if (e.LokAnzeigeVariante != 2) {
            e.ImageLinks.Bild = 22;
        }
        e.ImageRechts.Hint = kSignal;
    } else {
        if (e.LokAnzeigeVariante != 3) {
            e.ImageRechts.Bild = 23;
        }
        e.ImageLinks.Hint = kSignal;
    }
    Q_EMIT programm_.gleisbild->neuZeichnen(&e);
}

// The station file keeps which train stands where. It is written only when it and the plan were
// read without error; a refused or failed write goes to the logbook.
void TZugsteuerung::haltestellenDateiSchreiben()
{
    if (programm_.daten == nullptr || programm_.gleisbild == nullptr || !programm_.gleisbild->Gleisplan_Geladen) {
        return;
    }
    QString fehler;
    if (!programm_.daten->SaveStations(programm_.projectFile(QStringLiteral(".hs2")), &fehler)) {
        logbuch(fehler, TLogBuch::ArtFehler);
    }
}

void TZugsteuerung::UpdateHaltestelle(int zielHaltestelleID, int startHaltestelleID, int zugNr, int wenden)
{
    for (const auto& s : programm_.betriebsdaten->HaltestellenListe) {
        if (s->HaltestelleID == startHaltestelleID) {
            startHaltestelleEntsperren(*s);
        }
    }
    TZug* t = zug(zugNr);
    for (const auto& z : programm_.betriebsdaten->HaltestellenListe) {
        if (z->HaltestelleID != zielHaltestelleID) {
            continue;
        }
        zielHaltestelleFreigeben(*z, t, wenden);
        if (t != nullptr && programm_.settings.SignalSchalten && !t->ZugInAutomatic) {
            naechsteFahrstrasseAnbieten(*z, *t);
        }
    }
}

// The turnouts of the route that left the station are unlocked. A route started from the
// station again meanwhile keeps its turnouts.
void TZugsteuerung::startHaltestelleEntsperren(THaltestelle& s)
{
    TFahrstrasse* route = s.AktiveFahrstrasse;
    if (route == nullptr || route->FahrstrasseStatus != 0) {
        return;
    }
    for (const FahrstrasseElement& w : route->FahrstrasseWeichenListe) {
        if (TGleisBildElement* g = programm_.gleisbild->Zelle(w.Spalte, w.Zeile)) {
            g->FahrstrasseBelegt = {};
            Q_EMIT programm_.gleisbild->neuZeichnen(g);
        }
    }
    s.AktiveFahrstrasse = nullptr;
    s.HaltestelleStatus = 0;
}

// The wait is over: the departure side shows red, the train may turn and waits for its next run.
void TZugsteuerung::zielHaltestelleFreigeben(THaltestelle& z, TZug* t, int wenden)
{
    z.WartezeitVorbei = true;
    TGleisBildElement* e = z.HaltestelleElement;
    if (e != nullptr && z.HaltestelleRichtung == 0) {
        if (e->LokAnzeigeVariante != 2) {
            e->ImageLinks.Bild = TGleisBildElement::BildLinksRot;
        }
        e->ImageRechts.Hint = kSignal;
    } else if (e != nullptr) {
        if (e->LokAnzeigeVariante != 3) {
            e->ImageRechts.Bild = TGleisBildElement::BildRechtsRot;
        }
        e->ImageLinks.Hint = kSignal;
    }
    z.HaltestelleStatus = 0;
    if (t != nullptr) {
        if (wenden == 1) {
            t->Wenden();
            z.HaltestelleRichtung = z.HaltestelleRichtung == 0 ? 1 : 0;
            if (e != nullptr && e->AnkunftRichtung != 0) {
                e->AnkunftRichtung = e->AnkunftRichtung == 3 ? 7 : 3;
            }
        }
        t->ZugStatus = 0;
        ZugverfolgungMelden(*t);
    }
    if (e != nullptr) {
        Q_EMIT programm_.gleisbild->neuZeichnen(e);
    }
}

// The station's signal offers the first route in the station's direction that passes the check.
void TZugsteuerung::naechsteFahrstrasseAnbieten(THaltestelle& z, TZug& t)
{
    TGleisBildElement* e = z.HaltestelleElement;
    if (z.AktiveFahrstrasse != nullptr || e == nullptr || e->Zug == nullptr || !e->GleiskontaktBesetzt) {
        return;
    }
    for (const auto& route : z.HaltestelleFahrstrassen) {
        if (route->FahrstrasseRichtung != z.HaltestelleRichtung) {
            continue;
        }
        if (!stellwerk_.FahrstrasseCheck(*route).isEmpty()) {
            e->ImageLinks.Hint = kSignal;
            e->ImageRechts.Hint = kSignal;
            e->FahrstrasseLinks = {};
            e->FahrstrasseRechts = {};
            e->SetSignalLinks(0);
            e->SetSignalRechts(0);
            t.ZugZielHaltestelleID = KeineId;
            t.ZugStatus = 0;
            ZugverfolgungMelden(t);
            continue;
        }
        if (programm_.betriebsdaten->HaltestelleVonId(route->ZielHaltestelleID) == nullptr) {
            continue;
        }
        const FahrstrassenVerweis angebot{z.HaltestelleID, route->FahrstrasseID};
        const QString hinweis = route->FahrstrasseAnzeigeName + QStringLiteral(" möglich");
        e->FahrstrasseLinks = z.HaltestelleRichtung == 1 ? FahrstrassenVerweis{} : angebot;
        e->FahrstrasseRechts = z.HaltestelleRichtung == 1 ? angebot : FahrstrassenVerweis{};
        (z.HaltestelleRichtung == 1 ? e->ImageRechts : e->ImageLinks).Hint = hinweis;
        e->SetSignalLinks(0);
        e->SetSignalRechts(0);
        t.ZugZielHaltestelleID = route->ZielHaltestelleID;
        t.ZugStatus = 0;
        ZugverfolgungMelden(t);
        return;
    }
}

// ---- automatic operation ------------------------------------------------------------------------------

void TZugsteuerung::AutomaticTimerStarten()
{
    programm_.scheduler.cancel(kAutomaticTimer);
    programm_.scheduler.every(std::max(1, programm_.settings.Automaticdelay), kAutomaticTimer, [this] { AutomaticTimerTimer(); });
    automaticLaeuft_ = true;
}

void TZugsteuerung::AutomaticTimerStoppen()
{
    programm_.scheduler.cancel(kAutomaticTimer);
    automaticLaeuft_ = false;
}

void TZugsteuerung::AutomaticTimerTimer()
{
    if (imTick_) {
        return;
    }
    const TickSperre sperre(imTick_);
    BetriebsDaten& d = *programm_.betriebsdaten;
    int aktiv = static_cast<int>(std::count_if(d.ZugListe.begin(), d.ZugListe.end(), [](const auto& z) { return z->ZugAktiv; }));
    ZugeInAutomaticAktiv = aktiv;
    aktivAnzeigen();
    if (programm_.hauptfenster == nullptr || !programm_.hauptfenster->AutomaticAn) {
        if (aktiv == 0) {
            AutomaticTimerStoppen();
        }
        return;
    }
    const int max = programm_.settings.MaxZugeInAutomaticAktiv;
    diagnose_.AutomaticIntervallAnzeigen(std::max(1, programm_.settings.Automaticdelay));
    diagnose(QStringLiteral("ZugeInAutomaticAktiv ") + QString::number(aktiv) + QStringLiteral(": MaxZugeInAutomaticAktiv ")
                 + QString::number(max),
             2);
    for (const auto& t : d.ZugListe) {
        if (aktiv >= max) {
            return; // counted per start: the limit holds within the tick
        }
        if (!t->ZugInAutomatic || t->ZugAktiv || t->ZugStatus != 0 || t->ZugHaltestelleID == KeineId) {
            continue;
        }
        THaltestelle* s = d.HaltestelleVonId(t->ZugHaltestelleID);
        if (s == nullptr) {
            continue;
        }
        diagnose(QStringLiteral("ZugInAutomatic : ") + t->ZugName + QStringLiteral(" in ") + s->HaltestelleName, 1);
        diagnose(QString(64, u'*'), 1);
        if (!s->WartezeitVorbei) {
            diagnose(QStringLiteral("ZugInAutomatic : ") + t->ZugName + QStringLiteral(" Haltestelle WarteZeit nicht Vorbei"), 0);
            continue;
        }
        zugStarten(*t, *s, aktiv);
    }
}

// The first route of the station in its direction that passes the check and is active for the
// train is started; true when one was.
bool TZugsteuerung::zugStarten(TZug& t, THaltestelle& s, int& aktiv)
{
    const QString zug = QStringLiteral("ZugInAutomatic : ") + t.ZugName;
    for (const auto& route : s.HaltestelleFahrstrassen) {
        if (route->FahrstrasseRichtung != s.HaltestelleRichtung) {
            continue;
        }
        diagnose(zug + QStringLiteral(" -->  Teste Fahrstrasse ") + route->FahrstrasseName, 1);
        const QStringList gruende = stellwerk_.FahrstrasseCheck(*route);
        if (!gruende.isEmpty()) {
            diagnose(zug + QStringLiteral(" --> Fahrstrasse ") + route->FahrstrasseName + QStringLiteral(" Fehler"), 0);
            for (const QString& grund : gruende) {
                diagnose(grund, 0);
            }
            continue;
        }
        diagnose(zug + QStringLiteral(" --> Fahrstrasse ") + route->FahrstrasseName + QStringLiteral(" OK"), 1);
        diagnose(QString(75, u'-'), 1);
        TZugDaten* daten = FahrstrassenStellwerk::ZugDatenFur(*route, t);
        if (daten == nullptr || !stellwerk_.FahrstrasseStarten(*route, *daten)) {
            continue;
        }
        t.AutomaticAktivSetzen(true);
        ++aktiv;
        ZugeInAutomaticAktiv = aktiv;
        aktivAnzeigen();
        return true;
    }
    return false;
}

// ---- debug listing ------------------------------------------------------------------------------------------

void TZugsteuerung::HiPriorityButtonClick()
{
    Memo << QStringLiteral("++++++++++ZugsteuerungHiPriorityListe++++++++++++");
    for (const TFahrstrassenBefehl& b : hi_) {
        Memo << QStringLiteral("ZugOderMag ") + QString::number(b.ZugOderMag) << QStringLiteral("BefehlAuswahl ") + QString::number(b.BefehlAuswahl)
             << QStringLiteral("Speed ") + QString::number(b.Speed) << QStringLiteral("WarteZeit ") + QString::number(b.WarteZeit)
             << QStringLiteral("KontaktNr ") + QString::number(b.KontaktNr) << QStringLiteral("Addresse ") + QString::number(b.Addresse)
             << QStringLiteral("*****************************************");
    }
}

void TZugsteuerung::LoPriorityButtonClick()
{
    Memo << QStringLiteral("++++++++++ZugsteuerungLoPriorityListe++++++++++++");
    for (const TFahrstrassenBefehl& b : lo_) {
        const THaltestelle* s = programm_.betriebsdaten->HaltestelleVonId(b.BefehlHaltestelleID);
        const TFahrstrasse* route = s != nullptr ? s->FahrstrasseVonId(b.BefehlFahrstrasseID) : nullptr;
        if (route != nullptr) {
            Memo << s->HaltestelleName + QStringLiteral(" (") + route->FahrstrasseName + QStringLiteral(" ) ") + BefehlBeschreibung(b);
        }
    }
}
