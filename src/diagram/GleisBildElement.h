// One grid element of the track diagram: a piece of track, turnout, signal, crossing, level
// crossing, jump mark, sequence-control button, direction arrow or loco display.
//
// Elements are created by TGleisBild::CreateGridElement and owned by TGleisBild, which keeps them
// in creation order and destroys them through UnlinkElement. Every operation runs on the UI
// thread; a state change only sets fields and asks the diagram for a redraw.
#pragma once

#include "diagram/ElementArten.h"
#include "diagram/Verbindungen.h"

#include <QRect>
#include <QString>
#include <array>

class TGleisBild;
class TZug;

inline constexpr int KeineHaltestelle = 999;
inline constexpr int KeineFahrstrasse = 999;

// The eight neighbour directions; `Gegenueber` is the direction back.
enum class Richtung : int { Links, Rechts, Oben, Unten, LinksOben, LinksUnten, RechtsOben, RechtsUnten };
inline constexpr int RichtungAnzahl = 8;
Richtung Gegenueber(Richtung r);

// A route reference: start station and route id, 999/999 = none.
struct FahrstrassenVerweis {
    int HaltestelleID = KeineHaltestelle;
    int FahrstrasseID = KeineFahrstrasse;
    bool gesetzt() const { return HaltestelleID != KeineHaltestelle && FahrstrasseID != KeineFahrstrasse; }
};

// One of the two exit-signal buttons of a loco display ("ImageLinks", "ImageRechts").
struct SignalTaste {
    bool vorhanden = false; // variants 1..3 have both buttons
    bool gesperrt = false;  // the end is blocked: shows the blocked picture and never switches
    bool enabled = true;
    bool sichtbar = true;   // hidden for a signal end without accessory (SignalTastenAktualisieren)
    int Bild = 0;           // picture number of the button-picture list
    QString Hint;
    QRect rect;             // inside the display
};

class TGleisBildElement {
public:
    // Button pictures of the exit signals.
    static constexpr int BildLinksGesperrt = 14;
    static constexpr int BildRechtsGesperrt = 15;
    static constexpr int BildLinksGruen = 16;
    static constexpr int BildLinksRot = 17;
    static constexpr int BildRechtsGruen = 18;
    static constexpr int BildRechtsRot = 19;
    static constexpr int BildLinksRotZugWartet = 20;
    static constexpr int BildRechtsRotZugWartet = 21;

    TGleisBildElement(TGleisBild& bild, int kind);
    TGleisBildElement(const TGleisBildElement&) = delete;
    TGleisBildElement& operator=(const TGleisBildElement&) = delete;

    // --- identity and place
    QString Name;
    int PosX = 0;
    int PosY = 0;
    QRect rect;         // pixels in the main window: the cell, or the display's 83 / 125 x 20
    bool Visible = false;
    int GleisBildNr = 0;
    int LokAnzeigeVariante = 0; // loco displays 0..3; 0 for every other kind
    int Kategorie = 0;          // 1..10, see ElementArt
    int BildX = 0;              // x offset of the tile in the picture strip: 21 * kind - 20

    // --- settings kept in the plan file
    int GleisKontaktNr = 0; // 0 = none, at most 512
    int MagnetArtNr = 0;    // 0 = none
    bool StellungDrehen = false;
    int GleisFarbeAktuel = 0;
    int HaltestelleNr = KeineHaltestelle;
    QString GleisBildInfo;       // info text, empty = none
    QString AblaufsteuerungName; // sequence-control program, empty = none
    QString Hint;
    bool NichtRelevant1 = false;
    bool NichtRelevant2 = false;
    // Loco displays: exit signals; jump marks: number and end (as in the plan file).
    int MagnetArtNr0 = 0;
    int MagnetArtNr1 = 0;
    bool StellungDrehen0 = false;
    bool StellungDrehen1 = false;
    int SprungmarkeNr = 0;    // jump marks 1..8
    int SprungmarkeEnde = 0;  // jump marks 1..2

    // --- state
    int Stellung = 0;
    bool GleiskontaktBesetzt = false;
    bool InFahrstrasse = false;
    int FahrstrasseStellung = 0;
    bool StellungFehler = false;
    bool InBearbeitung = false;          // the element settings box is open for this element
    bool FahrstrasseManuelGewaehlt = false; // manual route editor: element chosen (first mark)
    bool FahrstrasseManuelWeiche = false;   // manual route editor: second mark (turnout inserted,
                                            // on a loco display: the display chosen)
    bool DiagnoseMarkiert = false;          // route diagnosis highlights this element
    FahrstrassenVerweis FahrstrasseBelegt;  // the set route that holds this element
    bool BahnuebergangAnforderung = false;  // two-track level crossing: this track asks it closed

    // --- loco displays
    int SignalLinks = 0;  // 0 red, 1 green
    int SignalRechts = 0;
    SignalTaste ImageLinks;
    SignalTaste ImageRechts;
    TZug* Zug = nullptr; // the train standing in the display; not owned
    FahrstrassenVerweis FahrstrasseLinks;  // route preselected / set at the left end
    FahrstrassenVerweis FahrstrasseRechts; // the same at the right end
    QString ErwarteterZug;     // route setting: the train heading here to stop
    QString DurchfahrenderZug; // route setting: the train passing through
    int AnkunftRichtung = 0;   // direction code of the announced train's travel (3 E, 7 W)

    // --- neighbours (empty at the border or next to an empty cell); not owned
    std::array<TGleisBildElement*, RichtungAnzahl> Nachbar{};
    TGleisBildElement* NachbarLinks() const { return Nachbar[0]; }
    TGleisBildElement* NachbarRechts() const { return Nachbar[1]; }
    TGleisBildElement* NachbarOben() const { return Nachbar[2]; }
    TGleisBildElement* NachbarUnten() const { return Nachbar[3]; }
    TGleisBildElement* NachbarLinksOben() const { return Nachbar[4]; }
    TGleisBildElement* NachbarLinksUnten() const { return Nachbar[5]; }
    TGleisBildElement* NachbarRechtsOben() const { return Nachbar[6]; }
    TGleisBildElement* NachbarRechtsUnten() const { return Nachbar[7]; }
    TGleisBildElement*& nachbar(Richtung r) { return Nachbar[static_cast<int>(r)]; }
    // The neighbour link that lies in travel direction `s` (none for KeineSeite).
    TGleisBildElement* nachbarIn(Seite s) const;
    // A jump mark reached through its pair's other end while travelling `t`: the side a walk
    // leaves it by. Along `t`'s axis (W-E or N-S), the side whose neighbour exists and is no
    // jump mark; W and S win when both qualify. None for diagonal travel or no such side.
    Seite sprungAusgang(Seite t) const;

    bool istLokAnzeige() const { return GleisBildNr == LokAnzeigeArt; }
    bool istSprungmarke() const { return GleisBildNr == SprungmarkeArt; }
    // Cells the element covers in its row: 1, or 4 / 6 for loco displays.
    int Zellen() const;
    // The kind as written to the plan file: 99 + variant for loco displays.
    int DateiGleisBildNr() const { return GleisBildNr + LokAnzeigeVariante; }

    // --- setters (see TGleisBild for the shared flags they set)
    void SetGleisBildNr(int kind);
    void SetGleisKontaktNr(int n);
    void SetMagnetArtNr(int n);
    void SetGleisFarbe(int n);
    void SetStellungDrehen(bool b);
    void SetBesetzt(bool b);
    void SetInFahrstrasse(bool b);

    // Takes `stellung`, sends it to the accessory (inverted with `StellungDrehen`; nothing is
    // sent for address 0), writes the logbook line and redraws.
    void Schalten(int stellung);
    // Takes `stellung` without switching and shows it in the status bar.
    void StellungAnzeigen(int stellung);
    // The command station reported accessory `adresse` in `stellung`; shown inverted when the
    // element's inversion flag for that address is set, so the element shows what was switched.
    void MagnetChanged(int adresse, int stellung);

    // Loco displays: exit signals. `senden` false is the variant for reported states.
    void SetSignalLinks(int state, bool senden = true);
    void SetSignalRechts(int state, bool senden = true);
    // Loco displays: a train arrives in / leaves the display.
    void ZugZuweisen(TZug* zug);
    void ZugEntfernen(bool ask);

private:
    friend class TGleisBild;
    void neuZeichnen();
    void statusText(const QString& text);
    void signalSetzen(bool links, int state, bool senden);

    TGleisBild& bild_;
};
