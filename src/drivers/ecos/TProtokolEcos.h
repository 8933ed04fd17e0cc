// The driver for command stations that speak the ECoS text protocol over TCP: ESU ECoS 2
// (type 8), ESU ECoS 1 (type 7) and Märklin Central Station 1 (type 5). One implementation;
// the differences of the three are data (`EcosVariante`). The three objects exist side by side,
// each acting only on the messages of its own type.
//
// The driver knows no socket: it is given a Transport, sends through it and takes received bytes
// through its callbacks. Received bytes are framed into lines at once and queued; the reader
// (a 30 ms step chain on the Scheduler) handles every complete line of the queue in order. Blocks
// (<REPLY ...> / <EVENT ...> up to <END ...>) are handled only once their end line is in, or
// after `BlockWarteMs` when it never comes.
//
// Timers (all steps on the Scheduler, UI thread): the connection-attempt timer (3000 ms: two
// attempts at 3 s and 6 s, WM_VERBINDENERROR at 9 s), the registration timer (1000 ms, steps
// 1..11) and the reader. The owner destroys the driver before the scheduler and the transport.
#pragma once

#include "core/MessageBus.h"
#include "drivers/DriverContract.h"
#include "drivers/SymbolTables.h"
#include "drivers/ecos/EcosCodec.h"

#include <QObject>
#include <QStringList>
#include <array>
#include <deque>
#include <memory>
#include <vector>

struct FahrzeugKnoten;
struct Programm;
struct ZentralenLok;
class Transport;

// What differs between the three command stations.
struct EcosVariante {
    int typ = 8;
    QString konstante;       // "WM_EC2_PROTOKOL", put into the receive queue when connecting
    QString dateiPrefix;     // "EC2": EC2Loks.lda, EC2MagnetArt.ma2
    QString symbolSuffix;    // symbol-table files: "cs1" or "EC1"
    bool zeilenVerbinden = true;          // join a locomotive line split over two
    bool funktionsTexteLeer = true;       // new rows: empty descriptions, else "F1".."F16"
    bool modulPositionAusTabelle = true;  // feedback event -> place of the id in the module table,
                                          // else id - 99 ("<EVENT 1xx") / id - 199 (detectors)
    bool detektorEvents = true;           // events of detector modules 200..299 are handled
    bool modulAuswertungSetztKontakte = true; // module evaluation sets GleiskontaktAnzahl and saves
    bool attributeErweitert = true;       // handles WM_LOCODESC, WM_LOCOFUNCDESC, WM_LOCOFUNCEXIST
    bool magnetartikelImmerLadenStart = true;
    bool schritteImZentraleLog = true;    // registration steps also go to the main window's log box
    bool idMitLAlsNull = false;           // train view shows an ECoS id beginning with "L" as "0000"
    QString editorText;                   // "EC2 : " before the accessory name in the editor's picker
    PowerOffTest powerOff = PowerOffTest::WParam;

    static EcosVariante EC2();
    static EcosVariante EC1();
    static EcosVariante CS1();
};

// One row of the driver's view of the project's trains ("Aus Fahrzeugdatenbank").
struct EcosZugZeile {
    int ZugNr = 0;
    int Addr = 0;
    QString Name;
    QString EcosId;
    int Protokoll = 0;
    QString Mark; // "V" when a command-station locomotive is linked
    bool Verbunden = false;
};

class TProtokolEcos : public QObject, public MessageReceiver {
    Q_OBJECT
public:
    // Does not take ownership; `transport` outlives the driver. Reads the symbol tables.
    TProtokolEcos(Programm& programm, Transport& transport, EcosVariante variante);
    ~TProtokolEcos() override;

    void receive(const CoreMessage& message) override;

    // ---- state for the protocol window and the tests ----
    enum class Zustand { Getrennt, Verbinden, Anmelden, Betrieb };
    enum class Sammeln { Keine, Loks, Protokolle, MagAdressen, MagNamen, Module };

    const EcosVariante& variante() const { return variante_; }
    int typ() const { return variante_.typ; }
    QString name() const; // display name of the type
    Zustand zustand() const { return zustand_; }
    int schritt() const { return schritt_; }
    int versuche() const { return versuche_; }
    Sammeln sammeln() const { return sammeln_; }
    bool readerLaeuft() const;

    const std::vector<LokRecord>& loks() const { return loks_; }
    const std::vector<MagRecord>& magnetArtikel() const { return mags_; }
    const std::array<QString, 251>& magTabelle() const { return magTabelle_; }
    const std::array<S88Record, MaxS88Module>& module() const { return module_; }
    int modulAnzahl() const { return modulAnzahl_; }
    int kontaktAnzahl() const { return kontaktAnzahl_; }
    const std::vector<EcosZugZeile>& zugAnsicht() const { return zugAnsicht_; }
    const std::deque<QString>& empfangsQueue() const { return queue_; }

    bool loksGelesen = false;
    bool protokolleGelesen = false;
    bool magAdressenGelesen = false;
    bool magNamenGelesen = false;
    bool moduleGelesen = false;

    // Options of the "Interface" page (not stored in the project).
    bool LoksImmerVonZentraleLaden = false;
    bool MagnetartikelImmerVonZentraleLaden = true;

    QString IpAdresse = QStringLiteral("192.168.1.100");
    int IpPort = 15471;
    QString VerbindungText;  // "Verbindung <name> - Port(...)- Ip(...)"
    QString ZentraleLabel = QStringLiteral("Nicht verbunden");
    QString ProtokolLabel, ApplikationLabel, HardwareLabel;
    QString StatusText;
    QString Meldung;         // the last message for the user (connection failure)
    bool DebugSichtbar = false;
    bool LeseKnoepfeAktiv = false;
    bool Power = false;      // as last reported
    // The take-over panel ("Lok in fahrzeugdatenbank übernehmen").
    bool UebernehmenOk = false;  // OK enabled (WM_LOK_UBERNEHMEN with l = 0)
    QString UebernahmeCaption;   // "Suche Verzeichnis für <name>"
    QString UebernahmeHinweis;   // "Bite eine Verzeichnis für <name> auswählen.  "
    QString UebernehmenText;     // the OK button's caption
    // The module-count chooser of the "Rückmelde-kontakte" page: entries 1..ModulAuswahlAnzahl.
    int ModulAuswahlAnzahl = MaxS88Module;
    int ModulAuswahl = 0; // the selected entry, 0 for none
    bool ModulAuswahlAktiv = true;
    QString KontaktLabel; // "Anz Rückmeldekontakte : n" after the modules were read

    QStringList infoLog;     // "Info Ablauf"
    QStringList debugLog;    // lines taken from the receive queue, and commands sent
    QStringList rueckmeldeLog;

    // ---- actions of the protocol window ----
    // Sends a command as typed on the debug page.
    void sendeBefehl(const QString& command);
    // "Loks von Zentrale übertragen" for one row; "Lok Funktionen a-b einlesen".
    void lokEinlesen(int row);
    void lokFunktionenEinlesen(int row, int von, int bis);
    // The question before reading a row: name + line break + `was` (" - Lokdaten aus Zentrale ")
    // + name of the command station + " laden " + line break + "Dies kann etwas dauern".
    // False for a row that does not exist or when the user says no.
    bool lesenFragen(int row, const QString& was);
    // Saves the lists; false when refused (a list file that could not be read is not overwritten)
    // or failed.
    bool LokListeSpeichern();
    bool MagnetArtikelSpeichern();
    // Debug key "S88 Einlesen": the reader slows to 2000 ms and the modules are asked for again.
    void S88Einlesen();
    // The module-count chooser: GleiskontaktAnzahl := 16 * entry (1..32), settings changed.
    void ModulAnzahlWaehlen(int entry);

    // ---- taking a locomotive of the list into the vehicle database ----
    // Starts the take-over for a row: the vehicle database goes into its take-over state and
    // reports each selection with WM_LOK_UBERNEHMEN. False when there is no vehicle database,
    // no such row, or a take-over runs already.
    bool UebernahmeStarten(int row);
    // A selection in the borrowed tree.
    void UebernahmeAuswahl(FahrzeugKnoten* knoten);
    // OK: the vehicle is created under the selected folder from the row, the database saved and
    // the take-over ended. Returns the new vehicle, or nullptr (the take-over then goes on unless
    // the row is gone).
    FahrzeugKnoten* UebernahmeOk();
    // "Abbrechen": ends the take-over without creating anything.
    void UebernahmeAbbrechen();
    bool uebernahmeAktiv() const { return !uebernahmeId_.isEmpty(); }
    // The row as the vehicle database takes it: functions with their state and description.
    static ZentralenLok alsZentralenLok(const LokRecord& row);

    // How long a block waits for its end line before it is handled as far as it came.
    static constexpr qint64 BlockWarteMs = 2000;
    static constexpr qint64 ReaderMs = 30;

Q_SIGNALS:
    void changed();
    void zeigenAngefordert();

private:
    // message handlers
    void MessageRecieveVERBINDEN();
    void MessageRecieveVERBUNDEN();
    void MessageRecieveTRENNEN();
    void MessageRecieveOPEN_LOKLISTE();
    void MessageRecieveOPEN_MAGNETARTLISTE();
    void MessageRecieveOPEN_S88_MAX();
    void MessageRecieveLOK_DATEN_VERGLEICHEN();
    void MessageRecieveMAGVERGLEICHEN();
    void MessageRecieveLOKSPEED(const CoreMessage& m);
    void MessageRecieveLOKDIR(const CoreMessage& m);
    void MessageRecieveLOKFUNK(const CoreMessage& m);
    void MessageRecieveMAG(const CoreMessage& m);
    void attributNachricht(const CoreMessage& m);

    // link events
    void verbindungsTick();
    void socketConnected();
    void socketDisconnected();
    void socketError(const QString& error);
    void bytesEmpfangen(QByteArrayView bytes);

    // registration and reader
    void anmeldeTick();
    void readerStarten();
    void readerStoppen();
    void readerTick();
    bool regel(); // handles the head of the queue; false when it must wait for more lines
    bool blockVollstaendig() const;
    void zeileEntfernen();
    QStringList blockNehmen(); // removes the head line and the lines up to and including <END
    void eventPower(const QStringList& lines);
    void eventObjekte(const QStringList& lines, bool nurState, int eventId);
    void replyInfo();
    void sammelnBeenden();
    void loksAuswerten();
    void protokolleAuswerten();
    void magAdressenAuswerten();
    void magNamenAuswerten();
    void moduleAuswerten();
    void alleLoksAnmelden();

    // helpers
    void senden(const QString& command);
    void log(const QString& text);
    void broadcast(Msg id, Param w = {}, Param l = {});
    void zentraleLog(const QString& text); // the main window's log box
    void schrittLog(const QString& text);  // info log, and the log box where the variant says so
    void uebernahmeBeenden();
    bool verbunden() const;
    LokRecord* lok(QStringView id);
    LokRecord neueLok(const QString& id) const;
    void protokollSetzen(LokRecord& row, const QString& wort);
    void lokPlatzhalter();
    void magPlatzhalter();
    void magTabelleFuellen();
    void zugAnsichtFuellen();
    void s88TabelleVorbelegen();
    QString tag(const char* name) const;
    QString lokDatei() const;
    QString magDatei() const;

    Programm& programm_;
    Transport& transport_;
    EcosVariante variante_;
    SymbolTables symbole_;
    Ecos::LineFramer framer_;

    Zustand zustand_ = Zustand::Getrennt;
    int schritt_ = 0;
    int versuche_ = 0;
    Sammeln sammeln_ = Sammeln::Keine;
    std::deque<QString> queue_;
    qint64 wartetSeit_ = -1; // when the head block started waiting for its end line
    bool imTick_ = false;
    int endStatus_ = -1; // status of the end line blockNehmen() took; -1 when none came
    QStringList lokZeilen_, protokollZeilen_, magAdressZeilen_, magNamenZeilen_, modulZeilen_;

    std::vector<LokRecord> loks_;
    std::vector<MagRecord> mags_;
    std::array<QString, 251> magTabelle_;
    std::array<S88Record, MaxS88Module> module_;
    int modulAnzahl_ = 0;
    int kontaktAnzahl_ = 0;
    std::vector<EcosZugZeile> zugAnsicht_;
    QString letzteLok_ = QStringLiteral("0000");
    bool lokDateiDefekt_ = false;
    qint64 readerMs_ = ReaderMs;
    QString uebernahmeId_; // the row being taken over, by its id (the list may be read anew meanwhile)
    bool magDateiDefekt_ = false;
};

// The three drivers under their names.
class TProtokolEC2 final : public TProtokolEcos {
public:
    TProtokolEC2(Programm& programm, Transport& transport) : TProtokolEcos(programm, transport, EcosVariante::EC2()) {}
};
class TProtokolEC1 final : public TProtokolEcos {
public:
    TProtokolEC1(Programm& programm, Transport& transport) : TProtokolEcos(programm, transport, EcosVariante::EC1()) {}
};
class TProtokolCS1 final : public TProtokolEcos {
public:
    TProtokolCS1(Programm& programm, Transport& transport) : TProtokolEcos(programm, transport, EcosVariante::CS1()) {}
};
