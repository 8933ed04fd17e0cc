// The train chooser "LoksHierhinPanel": the trains of the locomotive bar on the pages
// "Dampflok", "DieselLok", "ELok" (trains sorted by kind) or "Zuge", and what a click does in
// its mode: the trains allowed to run to a station, a train to put into a display, or a train
// for a sequence program. UI thread only.
#pragma once

#include <QString>
#include <functional>
#include <vector>

struct Programm;
class TGleisBildElement;
class THaltestelle;
class TZug;

class TLoksHierhin {
public:
    enum class Modus { Keiner, ErlaubteZuege, ZugEinfuegen, AblaufAuswahl };

    struct Zeile {
        TZug* zug = nullptr;
        QString text;           // name + " (" + address + ")"
        bool angehakt = false;  // allowed-trains mode: the train may run to the station
    };
    struct Seite {
        QString name;
        bool sichtbar = true;
        std::vector<Zeile> zeilen;
    };

    explicit TLoksHierhin(Programm& programm);

    void ErlaubteZuegeOeffnen(THaltestelle& station);
    void ZugEinfuegenOeffnen(THaltestelle& station, TGleisBildElement& display);
    // Sequence control asks for a train; `gewaehlt` receives it.
    void AblaufAuswahlOeffnen(std::function<void(TZug&)> gewaehlt);
    void Schliessen();

    // Allowed-trains mode: ticking adds the train to the station's trains, unticking removes it.
    void Haken(TZug& zug, bool an);
    // Insert-train mode: a click on the train's picture.
    void BildKlick(TZug& zug);
    // Sequence-pick mode: a click on the train's name.
    void NameKlick(TZug& zug);

    Modus modus() const { return modus_; }
    bool sichtbar = false;
    QString Titel;
    int aktiveSeite = 0; // remembered from one opening to the next
    const std::vector<Seite>& Seiten() const { return seiten_; }

private:
    void oeffnen(Modus modus, const QString& titel);
    void seitenAufbauen();
    bool erlaubt(const TZug& zug) const;

    Programm& programm_;
    Modus modus_ = Modus::Keiner;
    THaltestelle* station_ = nullptr;
    TGleisBildElement* display_ = nullptr;
    std::function<void(TZug&)> gewaehlt_;
    std::vector<Seite> seiten_;
};
