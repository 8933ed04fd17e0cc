// Setting and releasing routes: the check, the reservation with the route's command lists,
// setting the turnouts and starting the train, the arrival, the release after it and the
// cancel. The commands built here are carried out by the command queues of automatic control
// (TZugsteuerung), which owns this object. UI thread only.
//
// Every scheduled step of a route (delayed commands, the turnout chain, the stops) runs under
// the route's tag (TZugsteuerung::FahrstrassenTag), so that cancelling the route cancels them.
#pragma once

#include "operation/Fahrstrasse.h"
#include "operation/FahrstrassenDienste.h"
#include "operation/SoundAbspielen.h"

#include <QString>
#include <QStringList>
#include <vector>

struct Programm;
class BetriebsDaten;
class TDiagnose;
class TGleisBild;
class TGleisBildElement;
class THaltestelle;
class TZug;
class TZugsteuerung;

class FahrstrassenStellwerk final : public FahrstrassenDienste {
public:
    FahrstrassenStellwerk(Programm& programm, TZugsteuerung& steuerung, TDiagnose& diagnose);

    // --- FahrstrassenDienste
    QStringList FahrstrasseCheck(TFahrstrasse& route) override;
    bool FahrstrasseAktivFurZug(const TFahrstrasse& route, const QString& zugName) const override;
    void FahrstrasseReservieren(TFahrstrasse& route) override;
    void FahrstrasseSetzen(TFahrstrasse& route, bool ohneSound) override;
    void FahrstrasseFreigeben(TFahrstrasse& route) override;
    void FahrstrasseLoeschen(TFahrstrasse& route) override;
    void FahrstrasseAnzeigen(TFahrstrasse& route, bool an) override;
    void ZugverfolgungAktualisieren(TZug& zug) override;
    void DeleteFahrstrasse(int haltestelleID, int fahrstrasseID) override;
    void AutomaticTimerStarten() override;
    void AutomaticTimerStoppen() override;
    int ZugeInAutomaticAktiv() const override;
    void ZugeInAutomaticAktivSetzen(int n) override;
    void setAktivAnzeige(std::function<void(int)> anzeige) override;
    void DiagnoseZeile(const QString& zeile, int art = 2) override;

    // Builds `AbfahrtBefehle`, `FahrBefehle` and `AnkunftBefehle` from `AktuelleZugDaten`.
    void BefehlListe_Erstellen(TFahrstrasse& route);
    // The target command has run: the arrival commands are queued and the arrival is booked.
    // The route's remaining commands leave both queues first.
    void ZugIstAngekommen(TFahrstrasse& route);
    // True when every element shows the position the route sets, none is occupied except by
    // `kontakt`, and none carries a route mark. Loco displays are not compared (they have no
    // position a route sets).
    bool FahrstrasseIstGesetzt(const TFahrstrasse& route, int kontakt) const;

    // The first driving-data block of `zug` on `route` that may run (`ZugDatenAktiv`).
    static TZugDaten* ZugDatenFur(const TFahrstrasse& route, const TZug& zug);
    // The order every caller follows once the check passed: the start station's active route,
    // the block, reserve, set, and the train's run fields. False (nothing set) when the start
    // station or the block's train is missing or no train stands in the start station.
    bool FahrstrasseStarten(TFahrstrasse& route, TZugDaten& daten);

    // An exit-signal button of a station's display with "SignalSchalten", after the signal was
    // toggled: the route offered at that end is checked and started, or the route reserved in
    // the station (drive-to selection) is set.
    void SignalMitFahrstrasse(TGleisBildElement& display, bool links);
    // Drive-to selection: the first route from the station of `start` to the station of `ziel`
    // in the start station's direction that passes the check and is active for `zug` is
    // reserved; false when there is none.
    bool FahrzielAnfahren(TGleisBildElement& start, TZug* zug, TGleisBildElement& ziel);
    // The station's `HaltestelleStatus` (0 when there is no such station).
    int HaltestellenZustand(int haltestelleNr) const;

    // Direction code from one route element to the next: 3 right, 7 left, 0 same column.
    static int Richtungscode(const FahrstrasseElement& von, const FahrstrasseElement& nach);
    // The contact after `kontakt` in the route's slots; 0 when it is the last or not there.
    static int FolgenderKontakt(const TFahrstrasse& route, int kontakt);

    // The sound output; not owned. nullptr restores KeinSound.
    void setSound(SoundAbspielen* sound);

private:
    BetriebsDaten& daten() const;
    TGleisBild& bild() const;
    TGleisBildElement* element(const FahrstrasseElement& e) const;
    std::vector<THaltestelle*> stationen(int id) const;
    TZug* zugVon(const TZugDaten& daten) const;
    void logbuch(const QString& text, int art) const;
    void neuZeichnen(TGleisBildElement* e) const;
    QString tag(const TFahrstrasse& route) const;
    TFahrstrassenBefehl befehl(const TFahrstrasse& route, int klasse, int auswahl, int wert, int warteZeit, int kontakt,
                               int adresse, const QString& text = {}) const;

    void zielPruefen(const TFahrstrasse& route, const THaltestelle& start, QStringList& liste) const;
    void zwischenhalteplaetzePruefen(const TFahrstrasse& route, const THaltestelle& start, const THaltestelle& ziel,
                                     QStringList& liste) const;
    bool setzen(TFahrstrasse& route, bool ohneSound);
    void zielAnkuendigen(const TFahrstrasse& route, THaltestelle& ziel, const TZug& zug);
    void abfahrtSoundsSpielen(const TFahrstrasse& route);
    QString soundPfad(const QString& datei) const;
    void folgeschaltungenEinreihen(const TFahrstrasse& route);
    void abfahrtBefehleAusfuehren(const TFahrstrasse& route);
    void ausfuehrenOderMelden(const TFahrstrassenBefehl& befehl);
    void zwischensignaleEinreihen(const TFahrstrasse& route);
    void kontakteSimulieren(const TFahrstrasse& route);
    void funktionenEinreihen(TFahrstrasse& route, const TZugDaten& d, int zugNr);
    void folgenEinreihen(TFahrstrasse& route, const TZugDaten& d);
    void zugeigeneBefehle(TFahrstrasse& route, const std::vector<TFahrstrassenBefehl>& liste, int zugNr,
                          std::vector<TFahrstrassenBefehl>& ziel);
    void ansagenEinreihen(TFahrstrasse& route, const TZugDaten& d, const TZug& zug);
    void haltestelleFreigeben(THaltestelle& station);
    void routenElementeLeeren(const TFahrstrasse& route, bool zwischensignaleRot);
    TZug* laufenderZug(const TFahrstrasse& route, const THaltestelle& start) const;
    void offerteVerwerfen(TGleisBildElement& display, bool links, const QString& meldung);
    void signalUmschalten(TGleisBildElement& display, bool links);

    Programm& programm_;
    TZugsteuerung& steuerung_;
    TDiagnose& diagnose_;
    KeinSound keinSound_;
    SoundAbspielen* sound_ = &keinSound_;
};
