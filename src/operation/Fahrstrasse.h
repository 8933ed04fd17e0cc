// Routes: a fixed path from a start station to a target station, with the positions its
// elements must take, the contacts a train passes, and one driving-data block per train.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class TZug;

inline constexpr int KeineId = 999;

// One element of a route.
struct FahrstrasseElement {
    QString ElementName;
    int Spalte = 0;
    int Zeile = 0;
    int Stellung = 99;
    bool Gueltig = true;
    int ElementArt = 0;
    int ElementTyp = 0;
    int ElementModus = 0;
    int GleisKontaktNr = 0;
    int StellungSetzen = 0;
    int HaltestelleNr = KeineId;
};

// One timed or contact-triggered action of a route or a train.
struct TFahrstrassenBefehl {
    int BefehlHaltestelleID = 0;
    int BefehlFahrstrasseID = 0;
    int ZugOderMag = 0;
    int BefehlAuswahl = 0;
    int Speed = 0;
    int WarteZeit = 0;
    int KontaktNr = 0;
    int Addresse = 0;
    QString BefehlText;
    bool operator==(const TFahrstrassenBefehl&) const = default;
};

// A command as one line of the train file: ids, class, sub-command, value, delay, contact,
// address, then the text. Read back, the two ids are 0.
QString BefehlZeile(const TFahrstrassenBefehl& befehl);
std::optional<TFahrstrassenBefehl> BefehlAusZeile(const QString& zeile);

// The driving data of one train on one route.
struct TZugDaten {
    QString Name; // "Zugdaten_" + route name + "_" + ZugDatanbankNr
    TZug* ZugDatenZug = nullptr;
    int ZugDatenZugID = 0;
    int ZugDatenStartkontakt = 0;
    int ZugDatenStartdelay = 0;
    int ZugDatenStarttempo = 50;
    std::array<int, 3> ZugDatenBremskontakt{};
    std::array<int, 3> ZugDatenBremstempo{};
    int ZugDatenBremsdelay3 = 0;
    int ZugDatenZielkontakt = 0;
    int ZugDatenZieldelay = 2000;
    int ZugDatenFreigabeKontakt = 0;
    bool ZugDatenFreigabeBesetzt = true;
    int ZugDatenWendenBeiAnkunft = 0;
    bool NachsteFahrstrasse = false;
    std::array<int, 5> ZugDatenFolgeKontakt{};
    std::array<int, 5> ZugDatenFolgeMagnetArt{};
    std::array<int, 5> ZugDatenFolgeschaltungBild{};
    QString ZugDatenSound;
    int ZugDatenSoundDelay = 3000;
    int ZugDatenSoundOrt = 1;
    QStringList ZugDatenFunktionen;
    bool ZugDatenGebrauchen = false;
    bool ZugDatenAktiv = true;
};

inline constexpr int FahrstrasseKontaktSlots = 521;
inline const QString KeineMagnetArtikel = QStringLiteral("000-0/000-0/000-0/000-0/000-0");

class TFahrstrasse {
public:
    int FahrstrasseID = 0;
    QString FahrstrasseName;
    QString FahrstrasseAnzeigeName;
    int StartHaltestelleID = 0;
    int ZielHaltestelleID = 0;
    int FahrstrasseRichtung = 0;
    int FahrstrasseRichtungZiel = 0;
    int FahrstrasseStatus = 0;
    std::vector<FahrstrasseElement> FahrstrasseElemente;
    std::vector<FahrstrasseElement> FahrstrasseWeichenListe;
    // Slots 1..521; index 0 is unused.
    std::array<int, FahrstrasseKontaktSlots + 1> FahrstrasseKontakte{};
    std::vector<std::unique_ptr<TZugDaten>> ZugDatenListe;
    TZugDaten* AktuelleZugDaten = nullptr;
    bool FahrstrasseAusblenden = false;
    bool BefehlListeErstellt = false;
    std::vector<TFahrstrassenBefehl> AbfahrtBefehle;
    std::vector<TFahrstrassenBefehl> FahrBefehle;
    std::vector<TFahrstrassenBefehl> AnkunftBefehle;
    QString FahrstrasseMagnetArtikel = KeineMagnetArtikel;
    QStringList FahrstrassenFurAlleZugeStringlist;

    // Empties the lists and the contact slots, frees the route (done when a route is created).
    void FahrstrasseLeeren();
    // Copies of the elements whose kind lies in 49..82 (the switchable kinds).
    void WeichenListeErstellen();
    // The last used contact slot's number, 0 when there is none.
    int LetzterKontakt() const;
    int KontaktAnzahl() const;
    // Puts `kontakt` into the slot after the last used one unless it is 0 or already there.
    void KontaktAnhaengen(int kontakt);
    TZugDaten* ZugDatenVon(const QString& name) const;
};
