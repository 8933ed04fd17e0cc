// The track diagram's state: the grid elements in creation order (owned), the 70 x 40 grid of
// references into them, the free-standing elements, the feedback-contact table, the jump-mark
// table, the accessory table and the diagram's shared flags. One instance lives for the whole
// run, created before the windows (Programm::gleisbild). UI thread only.
//
// Drawing is not done here: every state change emits `neuZeichnen(element)` (or
// `allesNeuZeichnen()`), which the diagram widget turns into a repaint.
#pragma once

#include "diagram/DrehscheibeElement.h"
#include "diagram/GleisBildElement.h"
#include "diagram/GleisKontaktListe.h"
#include "diagram/GleisRaster.h"
#include "diagram/SchalterElement.h"
#include "diagram/SoundSchalterElement.h"
#include "diagram/TextElement.h"
#include "diagram/TrainServices.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <vector>

struct Programm;

inline constexpr int SprungmarkenAnzahl = 8;
inline constexpr int MagnetArtTabelleMax = 250;

// Everything the plan file and the editor hand to the element factory.
struct GridElementDaten {
    int GleisBildNr = 0; // 99..102 for loco displays (99 + variant)
    int PosX = 0;
    int PosY = 0;
    bool StellungDrehen = false;
    bool NichtRelevant1 = false;
    bool NichtRelevant2 = false;
    QString GleisBildInfo;
    QString AblaufsteuerungName;
    int MagnetArtNr = 0;
    int GleisKontaktNr = 0;
    int HaltestelleNr = KeineHaltestelle;
    int GleisFarbeAktuel = 0;
    int MagnetArtNr0 = 0;
    int MagnetArtNr1 = 0;
    bool StellungDrehen0 = false;
    bool StellungDrehen1 = false;
};

class TGleisBild : public QObject {
    Q_OBJECT
public:
    explicit TGleisBild(Programm& programm);
    ~TGleisBild() override;

    // --- grid elements
    // Creates an element from `daten` and names it; nullptr when refused: an unknown kind or a
    // cell outside the grid (logged), an occupied cell (silently), or a loco display whose
    // cells are taken or leave the grid ("Einfugen nicht möglich!!"). Does not enter the
    // element into the grid: RebuildGrid does.
    TGleisBildElement* CreateGridElement(const GridElementDaten& daten);
    // Clears the grid and all links, registers every element in its cells (later ones win) and
    // links every element to its neighbours; loco displays get their station.
    void RebuildGrid();
    // Removes `element` from the grid, every neighbour link, the contact lists, the accessory
    // table, the jump-mark table and the stations, then destroys it; a half of a two-track level
    // crossing takes its partner half with it. `element` must belong to this diagram.
    void UnlinkElement(TGleisBildElement* element);
    // Moves `element` to cell (x, y) and relinks the grid; false when the cells are not free or
    // not in the grid.
    bool MoveElement(TGleisBildElement* element, int x, int y);
    // Destroys every grid element, text and switch element and empties the grid and the tables
    // (the plan reader's first step). Sound buttons and the turntable stay.
    void ClearPlan();

    const std::vector<std::unique_ptr<TGleisBildElement>>& Elemente() const { return elemente_; }
    // The element in cell (x, y); nullptr for an empty cell or one outside the grid.
    TGleisBildElement* Zelle(int x, int y) const;
    bool Enthaelt(const TGleisBildElement* element) const;
    // The other half of a two-track level crossing, when it stands where it belongs.
    TGleisBildElement* BahnuebergangPartner(const TGleisBildElement* element) const;
    // True when some element already carries `name`.
    bool NameVergeben(const QString& name) const;

    // --- jump marks: number 1..8, end 1..2
    TGleisBildElement* Sprungmarke(int nr, int ende) const;
    // The element at the other end of `element`'s jump-mark number, or nullptr.
    TGleisBildElement* SprungmarkeGegenstueck(const TGleisBildElement* element) const;
    int SprungmarkenPaare() const; // numbers with at least one end registered
    void ClearJumpMarks();

    // --- accessory table: addresses 1..MagnetArtikelAnzahl (at most 250)
    // Clears the table and enters, in creation order, every element of category 1..9 under its
    // `MagnetArtNr` and every loco display under `MagnetArtNr0` and `MagnetArtNr1`.
    void MagnetArtikelListeFullen();
    TGleisBildElement* MagnetArtElement(int adresse) const;
    bool MagnetArtTabelleGefuellt = false;

    // --- feedback contacts
    TGleisKontaktListe& Kontakte() { return kontakte_; }
    const TGleisKontaktListe& Kontakte() const { return kontakte_; }
    void RebuildContactLists();
    void SetContactState(int nr, int state) { kontakte_.SetContactState(nr, state); }
    void ClearAllContacts() { kontakte_.ClearAllContacts(); }

    // --- free-standing elements
    TTextElement* CreateTextElement();
    TSchalterElement* CreateSchalterElement();      // "SchalterElement" + running number
    TSoundSchalterElement* CreateSoundSchalterElement(); // "SoundSchalterElement" + running number
    void RemoveTextElement(const TTextElement* element);
    void RemoveSchalterElement(const TSchalterElement* element);
    void RemoveSoundSchalterElement(const TSoundSchalterElement* element);
    const std::vector<std::unique_ptr<TTextElement>>& TextElemente() const { return texte_; }
    const std::vector<std::unique_ptr<TSchalterElement>>& SchalterElemente() const { return schalter_; }
    const std::vector<std::unique_ptr<TSoundSchalterElement>>& SoundSchalterElemente() const { return sounds_; }
    TDrehscheibeElement& Drehscheibe() { return drehscheibe_; }
    const TDrehscheibeElement& Drehscheibe() const { return drehscheibe_; }

    // --- shared flags
    bool Gleisplan_Geladen = false;
    bool GleisplanGeaendert = false;
    bool GleisKontaktNrAnzeigen = false;
    bool MagnetArtNrAnzeigen = false;
    bool KontaktListenNeuAufbauen = false;

    // --- services
    // Trains and stations; not owned. nullptr restores the do-nothing services.
    void setTrainServices(TrainServices* services);
    TrainServices& trains() const { return *trains_; }
    Programm& programm() const { return programm_; }
    // The main window's `GleisbildModus` (0 while there is no main window).
    int Modus() const;
    // A normal (0) or coloured logbook line; nothing while there is no logbook.
    void LogBuch(const QString& text, int kind) const;
    void StatusText(const QString& text) const;

Q_SIGNALS:
    void neuZeichnen(TGleisBildElement* element);
    void allesNeuZeichnen();
    // The jump-mark table changed (the editor palette shows the next free number).
    void sprungmarkenGeaendert();

private:
    friend class TGleisBildElement;
    QString eindeutigerName(const QString& basis) const;
    bool zellenFrei(int x, int y, int zellen, const TGleisBildElement* ausser) const;
    void entfernen(TGleisBildElement* element);
    void rasterEintragen(TGleisBildElement* element);
    void verlinken(TGleisBildElement* element);
    static void platzieren(TGleisBildElement* element, int x, int y);

    Programm& programm_;
    NoTrainServices keineZuege_;
    TrainServices* trains_ = &keineZuege_;
    std::vector<std::unique_ptr<TGleisBildElement>> elemente_;
    std::array<std::array<TGleisBildElement*, RasterZeilen + 1>, RasterSpalten + 1> raster_{};
    std::array<std::array<TGleisBildElement*, 2>, SprungmarkenAnzahl> sprungmarken_{};
    std::array<TGleisBildElement*, MagnetArtTabelleMax + 1> magnetArt_{};
    TGleisKontaktListe kontakte_;
    std::vector<std::unique_ptr<TTextElement>> texte_;
    std::vector<std::unique_ptr<TSchalterElement>> schalter_;
    std::vector<std::unique_ptr<TSoundSchalterElement>> sounds_;
    int schalterZaehler_ = 0;
    int soundZaehler_ = 0;
    TDrehscheibeElement drehscheibe_;
};
