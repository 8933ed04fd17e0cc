// The locomotive bar's logic: which trains it offers (one list, or one per page "Dampflok",
// "Diesellok", "E-Lok" when the trains are sorted by kind), which window of a list the keys show,
// and the paging keys. UI thread only; the main window shows the keys.
#pragma once

#include <QString>
#include <memory>
#include <vector>

struct ProjectSettings;
class TZug;

class TLokLeiste {
public:
    struct Seite {
        QString name;
        std::vector<TZug*> liste;
        int erste = 1;  // 1-based window over the list
        int letzte = 0;
    };

    // `tastenAnzahl` keys per bar: (window width - 40) / 120, fixed when the window is made.
    explicit TLokLeiste(int tastenAnzahl);

    // Rebuilds the lists from the trains in their order and puts the window's trains on the
    // keys; every train remembers its key (0 for none).
    void ZugeZuweisen(const std::vector<std::unique_ptr<TZug>>& zuege, const ProjectSettings& settings, int zentraleTyp);
    // Whether the bar (and the train chooser) offers the train: not deleted, not in the cabinet,
    // and with an address where the command station is addressed by it and only those are wanted.
    static bool Angeboten(const TZug& zug, const ProjectSettings& settings, int zentraleTyp);
    // The train is bound to an object of the command station.
    static bool ZentraleGebunden(const TZug& zug);

    // What a key shows for its train (nullptr: an empty key) under a command-station type.
    struct TastenAnsicht {
        bool sichtbar = false;
        QString label = QStringLiteral("Keine Lok");
        bool nichtVerbundenLabel = false; // "Lok ist nicht mit Zentrale verbunden"
        bool bedienbar = true;            // stop key, light key and picture enabled
        bool ungebundenFarbe = false;     // the key takes the gradient-caption colour
        bool licht = false;
    };
    static TastenAnsicht Ansicht(const TZug* zug, int zentraleTyp);

    void Plus();
    void Minus();
    bool PlusEnabled() const;
    bool MinusEnabled() const;

    bool sortiert() const { return sortiert_; }
    int tastenAnzahl() const { return tastenAnzahl_; }
    const std::vector<Seite>& seiten() const { return seiten_; }
    int aktiveSeite = 0; // the page the sorted bar shows
    // The trains on keys 1..n of a page (n at most the key count).
    std::vector<TZug*> Tasten(int seite) const;

private:
    void fenster(Seite& s) const;
    void tastenBelegen();
    Seite& aktiv() { return seiten_[static_cast<std::size_t>(aktiveSeite)]; }
    const Seite& aktiv() const { return seiten_[static_cast<std::size_t>(aktiveSeite)]; }

    int tastenAnzahl_;
    bool sortiert_ = false;
    std::vector<Seite> seiten_;
};
