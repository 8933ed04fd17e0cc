// The vehicle database window's logic: loads the database on `WM_LADE_LOKDATENBANK`, keeps the
// tree, the picture lists and the filters, runs every edit with its questions, writes the
// exports, and supports linking and taking over locomotives of the command station's list.
// Receives core messages on the UI thread; TFahrzeugForm shows its state and forwards input.
//
// Trains follow the "Lok" articles through the signals lokErstellt / lokGeaendert /
// lokGeloescht (the train list listens to them); each carries the article's `VehicleId`.
#pragma once

#include "core/MessageBus.h"
#include "vehicles/FahrzeugBilder.h"
#include "vehicles/FahrzeugDatenbank.h"
#include "vehicles/FahrzeugExport.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <array>

struct Programm;

// A locomotive of the command station's list, as a driver hands it over for linking or
// taking over.
struct ZentralenLok {
    struct Funktion {
        int Nummer = 0; // 1..16; others are ignored
        int Symbol = 0; // function symbol 1..50, 0 = none
        QString Beschreibung;
        bool Aktiv = true; // the function is on; an inactive one gives only its description
    };
    QString Id = QStringLiteral("0000"); // the command station's object id
    QString Name;
    int Adresse = 0;
    QString Protokoll = QStringLiteral("DCC"); // "DCC", "MOTOROLA", "MFX", "SX32"
    int Fahrstufen = 28;
    std::vector<Funktion> Funktionen;
};

class TFahrzeug : public QObject, public MessageReceiver {
    Q_OBJECT
public:
    explicit TFahrzeug(Programm& programm);

    void receive(const CoreMessage& message) override;

    // ---- file ----
    // Loads the database (or the default one), rebuilds the pictures, saves and broadcasts
    // WM_LOKDATENBANK_OK.
    void LoadVehicleDatabase();
    // "Lokdatenbank Speichern": the project's file and, when set, the alternative database.
    // Refused after a failed load. False (reported) when nothing or not all was written.
    bool SaveVehicleDatabase();
    // The file the database was loaded from.
    QString DatenbankPfad() const;
    QString ProjektDatenbankPfad() const;

    FahrzeugDatenbank& datenbank() { return db_; }
    const FahrzeugDatenbank& datenbank() const { return db_; }

    // ---- shown state ----
    QString caption = QStringLiteral("Fahrzeugdatenbank");
    bool Geladen = false;
    bool LadeFehler = false;
    bool Geaendert = false;
    bool RelevantGeaendert = false; // a change that needs a restart of the program
    FahrzeugBilder bilder;
    FahrzeugBilder::Ordner BildOrdner() const;

    // Picture of a folder (<program folder>data/<name>.jpg) and "Anzahl <name> : n".
    QString OrdnerBildPfad(const FahrzeugKnoten& ordner) const;
    static QString OrdnerAnzahlText(const FahrzeugKnoten& ordner);
    // The label text of an article's picture: empty, or "<folder>\<file> Existiert nicht".
    QString BildHinweis(const FahrzeugKnoten& artikel) const;

    // ---- filters and totals ----
    bool VerkaufteNichtAnzeigen = false; // "Verkaufte Fahrzeuge nicht anzeigen"
    bool NurZuVerkaufen = false;         // "&Zu Verkaufen"
    void setVerkaufteNichtAnzeigen(bool on);
    void setNurZuVerkaufen(bool on);
    bool Sichtbar(const FahrzeugKnoten& knoten) const;
    struct Summen {
        qint64 loks = 0;
        qint64 wagen = 0;
    };
    // Purchase prices of the shown articles: "Lok" and every other type.
    Summen PreisSummen() const;
    QString PreisText() const; // "Loks  : n" + line break + "Wagen : n"

    // ---- editing ----
    // Each asks its questions, reports refusals and returns the new node or success.
    FahrzeugKnoten* NeuerArtikel(FahrzeugKnoten* ordner, const QString& typ);
    FahrzeugKnoten* NeuesVerzeichnis(FahrzeugKnoten* oben, const QString& name);
    bool Loeschen(FahrzeugKnoten* knoten);
    bool AlleLoeschen();
    // Stores the edited record of an article (address, type, ... rules).
    bool ArtikelSpeichern(FahrzeugKnoten* artikel, const FahrzeugDaten& neu);
    // Leaving an article with edits: asks to save ("Daten wurden geändert. Speichern ?", or for a
    // new article "LokDaten wurden geaenderet. Speichern ?"). True when nothing is left unsaved
    // that the user wanted.
    bool ArtikelVerlassen(FahrzeugKnoten* artikel, const FahrzeugDaten& bearbeitet, bool neu);
    // Drag and drop inside the tree: articles between folders, folders between top nodes.
    bool Verschieben(FahrzeugKnoten* knoten, FahrzeugKnoten* neuerParent, int position);
    void setChecked(FahrzeugKnoten* knoten, bool on);

    // Addresses the address list offers: 0 and 1..LocoAddressCount, for a "Lok" without the
    // addresses of other "Lok" articles (its own stays).
    QList<int> AdressListe(const FahrzeugKnoten* artikel, const QString& typ) const;
    // A data format was chosen: MFX shows its hint. True when the follow-up addresses are shown.
    bool DatenFormatGewaehlt(int format);
    // The follow-up addresses are offered for every format but DCC.
    static bool FolgeadressenSichtbar(int format) { return format != 0; }
    // Captions that depend on the article type: "Adresse" / "WagenAdresse",
    // "Lok ist im Schrank" / "Wagen ist im Schrank".
    static QString AdressenText(const QString& typ);
    static QString SchrankText(const QString& typ);

    // The 16 functions of an article as the window edits them: check box, name and symbol.
    // Read from the flag, name and icon texts of the record (missing or damaged parts give
    // "0", "Func<n>" and symbol 0), written back in their stored form.
    struct Funktion {
        bool aktiv = false;
        QString name;
        int symbol = 0; // 0..999; 1..50 are the function symbols
        friend bool operator==(const Funktion&, const Funktion&) = default;
    };
    using FunktionsListe = std::array<Funktion, 16>;
    static FunktionsListe Funktionen(const FahrzeugDaten& daten);
    // Names lose the "/" that separates them in the record; an empty name becomes "Func<n>".
    static void setFunktionen(FahrzeugDaten& daten, const FunktionsListe& funktionen);
    // "<n> <function name>" for the symbol lists; "0 -" for no symbol.
    static QString SymbolText(int symbol);

    // ---- pictures ----
    // A picture chosen for an article of type `typ`: must be a JPEG; it is copied into the
    // locomotive or wagon picture folder unless it is there already (a different picture of the
    // same name there is replaced only when the user agrees). The file name for `PictureFile`,
    // or empty when refused (reported).
    QString BildUebernehmen(const QString& pfad, const QString& typ);
    // The 160 x 40 picture the record names (scaled), or the placeholder when there is none.
    QImage BildVorschau(const FahrzeugDaten& daten) const;
    // The function description of a locomotive's train.
    static QString FunktionsBeschreibung(const FahrzeugDaten& daten);

    // ---- exports ----
    // Writes the card into `ordner`; the path written, empty on failure (reported).
    QString LokkarteExportieren(const FahrzeugKnoten& artikel, const QString& ordner);
    // Reads the whole card first; adds the article to `ordner` only when all of it was read and
    // the user agrees. The new node, or nullptr.
    FahrzeugKnoten* LokkarteImportieren(const QString& pfad, FahrzeugKnoten* ordner);
    // The four lists under <program folder>Artikel/. False (reported) when one was not written.
    bool VerkaufslistenSchreiben();
    // Writes the page named `seite` into `ausgabeOrdner`; the path, or empty.
    QString HtmlSeiteErstellen(const QString& seite, const QString& ausgabeOrdner);
    // <program folder>Homepage/: where the window writes its pages.
    QString HomepageOrdner() const;

    // ---- command station ----
    // The take-over of a command-station locomotive: while it runs, every selection broadcasts
    // WM_LOK_UBERNEHMEN (w type, l 0 when the selected node is a folder, else 1).
    void UebernahmeStarten(int typ);
    void UebernahmeBeenden();
    bool UebernahmeAktiv() const { return uebernahmeTyp_ != 0; }
    void Auswaehlen(FahrzeugKnoten* knoten);
    FahrzeugKnoten* Ausgewaehlt() const { return auswahl_; }
    // Creates the article for `lok` in `ordner`, saves and reports; nullptr when refused.
    FahrzeugKnoten* LokUebernehmen(FahrzeugKnoten* ordner, const ZentralenLok& lok);
    // "Lok Verbinden": after "Lokdaten ändern ? " copies name and functions as chosen, the
    // address when free and the id, then broadcasts WM_LOK_DATEN_VERGLEICHEN.
    bool LokVerbinden(FahrzeugKnoten* artikel, const ZentralenLok& lok, bool nameUebernehmen, bool funktionenUebernehmen);

    // Closing the window with changes: asks to save, then about restarting for relevant changes.
    void Schliessen();

Q_SIGNALS:
    void changed();
    void lokErstellt(int vehicleId);
    void lokGeaendert(int vehicleId);
    void lokGeloescht(int vehicleId);
    void restartRequested();

private:
    bool speichernNach(const QString& path);
    void bilderAufbauen();
    void markiereGeaendert(bool relevant);

    Programm& programm_;
    FahrzeugDatenbank db_;
    QString pfad_;
    FahrzeugKnoten* auswahl_ = nullptr;
    int uebernahmeTyp_ = 0;
};
