#include "DemoProjekt.h"

#include "DefaultData.h"
#include "core/FileSave.h"
#include "core/GleisplanDatei.h"
#include "core/KopflosesProgramm.h"
#include "core/LineFile.h"
#include "drivers/ecos/EcosListen.h"
#include "operation/FahrstrassenSuche.h"
#include "operation/ZugDatei.h"
#include "settings/ProjectSettingsFile.h"

#include <QDir>

#include <algorithm>

namespace {

// The plan, drawn left to right (columns 1..70, rows 12..28):
//
//                          /==[ Mittelberg 2 ]==\         row 12
//   line 1 rises     (32) ====[ Mittelberg 1 ]==== (43)    row 14    line 2 falls
//   from row 26 ..../                                \.... to row 26
//   [ Altenbach 1 ]==\ (11)                        (61) /==[ Zollhafen 1 ]   row 26
//   [ Altenbach 2 ]==/                                  \==[ Zollhafen 2 ]   row 28
//
// Contacts: 1, 2 the Altenbach tracks, 3 their throat, 4 and 5 line 1, 6 the Mittelberg
// throat towards Altenbach, 7, 8 the Mittelberg tracks, 9 the throat towards Zollhafen, 10 and
// 11 line 2, 12 the Zollhafen throat, 13, 14 the Zollhafen tracks.
//
// Mittelberg is run by direction: eastbound trains stop on track 1, westbound ones on track 2,
// so two trains meeting there pass each other. The route check keeps two routes apart only when
// they share a turnout or a train occupies a contact of the other; two routes into one track
// from both sides share neither, so the routes against the direction of a track are hidden.

// Station ids, in the order the stations are created.
enum Station : int { Altenbach1 = 1, Altenbach2, Mittelberg1, Mittelberg2, Zollhafen1, Zollhafen2 };
const char* const kStationen[] = {"Altenbach1", "Altenbach2", "Mittelberg1", "Mittelberg2", "Zollhafen1", "Zollhafen2"};

// Accessory addresses: turnouts 1..4, exit signals 11..18.
enum Adresse : int {
    WeicheAltenbach = 1,
    WeicheMittelbergWest = 2,
    WeicheMittelbergOst = 3,
    WeicheZollhafen = 4,
    SignalA1 = 11,
    SignalA2,
    SignalM1West,
    SignalM1Ost,
    SignalM2West,
    SignalM2Ost,
    SignalZ1,
    SignalZ2,
};

struct Teil {
    int kind = 0;
    int x = 0;
    int y = 0;
    int kontakt = 0;
    int magnetArt = 0;
    int station = KeineHaltestelle;
    int signalLinks = 0;
    int signalRechts = 0;
};

// Element kinds used.
constexpr int Gerade = 21;
constexpr int DiagonaleSwNo = 47;
constexpr int DiagonaleNwSo = 48;
constexpr int PrellbockOffenW = 23;
constexpr int PrellbockOffenO = 24;
constexpr int BogenSwO = 35;
constexpr int BogenWSo = 36;
constexpr int BogenNwO = 37;
constexpr int BogenWNo = 38;
constexpr int WeicheSpitzeWAbzweigNo = 63;
constexpr int WeicheSpitzeWAbzweigSo = 64;
constexpr int WeicheSpitzeOAbzweigNw = 62;
constexpr int WeicheSpitzeOAbzweigSw = 65;
constexpr int AnzeigeSignaleBeide = 100;  // exit signals at both ends
constexpr int AnzeigeLinksZu = 101;       // left end blocked, exit signal right
constexpr int AnzeigeRechtsZu = 102;      // exit signal left, right end blocked

void gerade(std::vector<Teil>& plan, int von, int bis, int y, int kontakt)
{
    for (int x = von; x <= bis; ++x) {
        plan.push_back({Gerade, x, y, kontakt});
    }
}

// A diagonal from (x, y) over `n` cells, each one column right and one row up (steigend) or down.
void diagonale(std::vector<Teil>& plan, int x, int y, int n, bool steigend, int kontakt)
{
    for (int i = 0; i < n; ++i) {
        plan.push_back({steigend ? DiagonaleSwNo : DiagonaleNwSo, x + i, steigend ? y - i : y + i, kontakt});
    }
}

std::vector<Teil> gleisplan()
{
    std::vector<Teil> p;
    // Altenbach: two terminal tracks, the throat turnout at column 11.
    p.push_back({PrellbockOffenO, 2, 26});
    p.push_back({AnzeigeLinksZu, 3, 26, 1, 0, Altenbach1, 0, SignalA1});
    p.push_back({PrellbockOffenO, 2, 28});
    p.push_back({AnzeigeLinksZu, 3, 28, 2, 0, Altenbach2, 0, SignalA2});
    gerade(p, 9, 10, 26, 3);
    p.push_back({WeicheSpitzeOAbzweigSw, 11, 26, 3, WeicheAltenbach});
    p.push_back({DiagonaleSwNo, 10, 27, 3});
    p.push_back({BogenWNo, 9, 28, 3});
    // Line 1: along row 26, then up to row 14.
    gerade(p, 12, 15, 26, 4);
    p.push_back({BogenWNo, 16, 26, 4});
    diagonale(p, 17, 25, 5, true, 4);
    diagonale(p, 22, 20, 6, true, 5);
    p.push_back({BogenSwO, 28, 14, 5});
    gerade(p, 29, 31, 14, 5);
    // Mittelberg: the passing loop, track 1 straight through, track 2 above.
    p.push_back({WeicheSpitzeWAbzweigNo, 32, 14, 6, WeicheMittelbergWest});
    gerade(p, 33, 34, 14, 6);
    p.push_back({DiagonaleSwNo, 33, 13, 6});
    p.push_back({BogenSwO, 34, 12, 6});
    p.push_back({AnzeigeSignaleBeide, 35, 14, 7, 0, Mittelberg1, SignalM1West, SignalM1Ost});
    p.push_back({AnzeigeSignaleBeide, 35, 12, 8, 0, Mittelberg2, SignalM2West, SignalM2Ost});
    gerade(p, 41, 42, 14, 9);
    p.push_back({WeicheSpitzeOAbzweigNw, 43, 14, 9, WeicheMittelbergOst});
    p.push_back({BogenWSo, 41, 12, 9});
    p.push_back({DiagonaleNwSo, 42, 13, 9});
    // Line 2: along row 14, then down to row 26.
    gerade(p, 44, 46, 14, 10);
    p.push_back({BogenWSo, 47, 14, 10});
    diagonale(p, 48, 15, 5, false, 10);
    diagonale(p, 53, 20, 6, false, 11);
    p.push_back({BogenNwO, 59, 26, 11});
    gerade(p, 60, 60, 26, 11);
    // Zollhafen: two terminal tracks, the throat turnout at column 61.
    p.push_back({WeicheSpitzeWAbzweigSo, 61, 26, 12, WeicheZollhafen});
    gerade(p, 62, 63, 26, 12);
    p.push_back({DiagonaleNwSo, 62, 27, 12});
    p.push_back({BogenNwO, 63, 28, 12});
    p.push_back({AnzeigeRechtsZu, 64, 26, 13, 0, Zollhafen1, SignalZ1, 0});
    p.push_back({PrellbockOffenW, 70, 26});
    p.push_back({AnzeigeRechtsZu, 64, 28, 14, 0, Zollhafen2, SignalZ2, 0});
    p.push_back({PrellbockOffenW, 70, 28});
    return p;
}

// The trains: the three locomotives of the default vehicle database that are in service, with
// their ECoS object ids, where they stand, how they drive, and how long and fast they are on the
// simulated layout (cells, cells per second per speed step).
struct DemoZug {
    const char* name;     // the vehicle's name in the database
    const char* ecosId;
    int station;
    int richtung;         // the direction the train leaves its station in
    int starttempo;
    int bremstempo;
    int panelLeft;
    double laenge;
    double massstab;
};
const DemoZug kZuge[] = {
    {"BR 01 Schnellzuglok", "1001", Altenbach1, 1, 100, 30, 480, 2.5, 0.04},
    {"BR 89 Rangierlok", "1002", Zollhafen1, 0, 70, 30, 680, 1.5, 0.035},
    {"V 100 Streckenlok", "1003", Mittelberg2, 0, 85, 30, 880, 2.0, 0.04},
};
// The train panels stand side by side above Mittelberg, right of the connection log (the train
// file keeps positions below 1000).
constexpr int kPanelTop = 30;
constexpr int kStartdelay = 1500;
// A braked train (30 steps, 1.05 to 1.2 cells per second) runs 2.5 to 3.6 cells into the
// six cells of a station track before it stops: the longest train is inside, the track's end
// far enough. Without braking it would run past the end.
constexpr int kZieldelay = 2500;
constexpr int kWarteZeitEndbahnhof = 6000;
constexpr int kWarteZeitKreuzung = 4000;
const QString kDatum = QStringLiteral("01.03.2026");

struct Beschriftung {
    int spalte;
    int zeile;
    const char* text;
};
const Beschriftung kBeschriftungen[] = {
    {3, 24, "Altenbach"},
    {35, 10, "Mittelberg"},
    {64, 24, "Zollhafen"},
};

// The pixel position of the top-left corner of cell (x, y).
int pixelX(int x) { return 8 + 21 * x - 20; }
int pixelY(int y) { return 30 + 21 * y - 20; }

bool endbahnhof(int station) { return station != Mittelberg1 && station != Mittelberg2; }

// The default vehicle database with the ECoS ids of the demo's locomotives.
void fahrzeuge(FahrzeugDatenbank& db)
{
    BeispielDatenbankFuellen(db);
    for (FahrzeugKnoten* k : db.artikel()) {
        for (const DemoZug& z : kZuge) {
            if (k->daten.Name == QString::fromUtf8(z.name)) {
                k->daten.CommandStationId = QString::fromLatin1(z.ecosId);
            }
        }
    }
}

void planBauen(KopflosesProgramm& k)
{
    for (const Teil& t : gleisplan()) {
        GridElementDaten g;
        g.GleisBildNr = t.kind;
        g.PosX = t.x;
        g.PosY = t.y;
        g.GleisKontaktNr = t.kontakt;
        g.MagnetArtNr = t.magnetArt;
        g.HaltestelleNr = t.station;
        g.MagnetArtNr0 = t.signalLinks;
        g.MagnetArtNr1 = t.signalRechts;
        k.bild.CreateGridElement(g);
    }
    k.bild.RebuildGrid();
    k.bild.RebuildContactLists();
    for (const Beschriftung& b : kBeschriftungen) {
        TTextElement* text = k.bild.CreateTextElement();
        text->Left = pixelX(b.spalte);
        text->Top = pixelY(b.zeile);
        text->Width = 125;
        text->Text = QString::fromUtf8(b.text);
        text->FontSize = 10;
        text->FontBold = true;
    }
}

// Every train brakes at the contact before the target and stops `kZieldelay` after reaching
// the target contact; trains turn in the terminal stations.
void fahrdaten(TFahrstrasse& route, const std::vector<TZug*>& zuge)
{
    const int n = route.KontaktAnzahl();
    for (const auto& daten : route.ZugDatenListe) {
        const auto it = std::find(zuge.begin(), zuge.end(), daten->ZugDatenZug);
        const DemoZug& z = kZuge[it - zuge.begin()];
        daten->ZugDatenStartdelay = kStartdelay;
        daten->ZugDatenStarttempo = z.starttempo;
        daten->ZugDatenBremskontakt[0] = route.FahrstrasseKontakte[static_cast<size_t>(n - 1)];
        daten->ZugDatenBremstempo[0] = z.bremstempo;
        daten->ZugDatenZieldelay = kZieldelay;
        daten->ZugDatenWendenBeiAnkunft = endbahnhof(route.ZielHaltestelleID) ? 1 : 0;
    }
}

void betriebBauen(KopflosesProgramm& k)
{
    std::vector<TZug*> zuge;
    for (const DemoZug& z : kZuge) {
        for (const auto& zug : k.daten.ZugListe) {
            if (zug->ZugName == QString::fromUtf8(z.name)) {
                zuge.push_back(zug.get());
            }
        }
    }
    for (const auto& station : k.daten.HaltestellenListe) {
        station->HaltestelleZuge = zuge;
        station->HaltestelleWarteZeit = endbahnhof(station->HaltestelleID) ? kWarteZeitEndbahnhof : kWarteZeitKreuzung;
        station->HaltestelleRichtung = station->HaltestelleID <= Mittelberg1 ? 1 : 0; // Altenbach and Mittelberg 1 eastbound
    }
    for (const auto& station : k.daten.HaltestellenListe) {
        NeueFahrstrassenSuchen(k.bild, k.daten, *station);
        for (const auto& gefunden : k.daten.DummyNeueFahrstrasseHaltestelle.HaltestelleFahrstrassen) {
            TFahrstrasse& route = *k.daten.FahrstrasseUebernehmen(*station, *gefunden);
            route.FahrstrasseAusblenden = (route.ZielHaltestelleID == Mittelberg1 && route.FahrstrasseRichtung == 0)
                                          || (route.ZielHaltestelleID == Mittelberg2 && route.FahrstrasseRichtung == 1);
            fahrdaten(route, zuge);
        }
    }
    k.daten.DummyNeueFahrstrasseHaltestelle.HaltestelleFahrstrassen.clear();
    for (size_t i = 0; i < zuge.size(); ++i) {
        TZug& zug = *zuge[i];
        zug.ZugRichtung = 0;
        zug.ZugSichtbar = true;
        zug.PanelLeft = kZuge[i].panelLeft;
        zug.PanelTop = kPanelTop;
        THaltestelle& station = *k.daten.HaltestelleVonId(kZuge[i].station);
        station.HaltestelleElement->ZugZuweisen(&zug);
        station.HaltestelleRichtung = kZuge[i].richtung;
    }
}

ProjectSettings einstellungen()
{
    ProjectSettings s;
    s.ZentraleTyp = 8; // ECoS 2
    s.IpAddress = QStringLiteral("127.0.0.1");
    s.IpPort = DemoEcosPort;
    s.GleiskontaktAnzahl = 16;
    s.MagnetArtikelAnzahl = 32;
    s.MaxZugeInAutomaticAktiv = 3;
    return s;
}

std::vector<LokRecord> ecosLoks(const std::vector<std::unique_ptr<TZug>>& zuge)
{
    std::vector<LokRecord> loks;
    for (const DemoZug& z : kZuge) {
        for (const auto& zug : zuge) {
            if (zug->ZugName == QString::fromUtf8(z.name)) {
                LokRecord lok;
                lok.Key = QString::fromLatin1(z.ecosId);
                lok.Addr = zug->Addr;
                lok.Name = zug->ZugName;
                lok.Protokoll = QStringLiteral("DCC");
                lok.Fahrstufen = 128;
                lok.SymbolText = zug->ZugArt;
                loks.push_back(lok);
            }
        }
    }
    return loks;
}

struct Zubehoer {
    int adresse;
    const char* name;
};
const Zubehoer kZubehoer[] = {
    {WeicheAltenbach, "Weiche Altenbach"},
    {WeicheMittelbergWest, "Weiche Mittelberg West"},
    {WeicheMittelbergOst, "Weiche Mittelberg Ost"},
    {WeicheZollhafen, "Weiche Zollhafen"},
    {SignalA1, "Signal Altenbach 1"},
    {SignalA2, "Signal Altenbach 2"},
    {SignalM1West, "Signal Mittelberg 1 West"},
    {SignalM1Ost, "Signal Mittelberg 1 Ost"},
    {SignalM2West, "Signal Mittelberg 2 West"},
    {SignalM2Ost, "Signal Mittelberg 2 Ost"},
    {SignalZ1, "Signal Zollhafen 1"},
    {SignalZ2, "Signal Zollhafen 2"},
};
constexpr int kErsteZubehoerId = 20000;
constexpr int kRueckmeldeModul = 100;

std::vector<MagRecord> ecosZubehoer()
{
    std::vector<MagRecord> mags;
    int id = kErsteZubehoerId;
    for (const Zubehoer& z : kZubehoer) {
        MagRecord m;
        m.Id = QString::number(id++);
        m.Addr = z.adresse;
        m.Name = QString::fromUtf8(z.name);
        m.Protokoll = QStringLiteral("DCC");
        mags.push_back(m);
    }
    return mags;
}

// The command station and layout the simulator plays: the locomotives in the direction the
// trains stand, the accessories, one feedback module for contacts 1..16, the plan, and every
// train standing in a station placed in its display, heading the way it leaves when the loco
// drives forward.
QStringList szenario(const BetriebsDaten& daten, const QString& plan)
{
    QStringList s = {QStringLiteral("# The demo layout for trassolin-sim, written by make-demo."),
                     QStringLiteral("info \"ECoS2\" 0.5 4.2.6 2.0")};
    QStringList orte;
    for (const DemoZug& z : kZuge) {
        const TZug* zug = nullptr;
        for (const auto& kandidat : daten.ZugListe) {
            if (!kandidat->ZugGeloescht && kandidat->ECOSID == QLatin1String(z.ecosId)) {
                zug = kandidat.get();
            }
        }
        if (zug == nullptr) {
            continue;
        }
        s << QStringLiteral("loco %1 %2 DCC128 \"%3\" %4").arg(zug->ECOSID).arg(zug->Addr).arg(zug->ZugName).arg(zug->ZugRichtung);
        const THaltestelle* station = daten.HaltestelleVonId(zug->ZugHaltestelleID);
        if (station != nullptr && station->HaltestelleElement != nullptr) {
            const bool nachRechts = (station->HaltestelleRichtung == 1) == (zug->ZugRichtung == 0);
            orte << QStringLiteral("place %1 %2 %3 %4 %5")
                        .arg(zug->ECOSID, station->HaltestelleElement->Name, nachRechts ? QStringLiteral("E") : QStringLiteral("W"))
                        .arg(z.laenge)
                        .arg(z.massstab);
        }
    }
    for (const MagRecord& m : ecosZubehoer()) {
        s << QStringLiteral("accessory %1 %2 \"%3\"").arg(m.Id).arg(m.Addr).arg(m.Name);
    }
    s << QStringLiteral("module %1").arg(kRueckmeldeModul) << QStringLiteral("plan ") + plan;
    return s + orte;
}

QString zeilenSchreiben(const QDir& ordner, const QString& name, const QStringList& zeilen)
{
    QString error;
    SaveFileAtomically(ordner.filePath(name), LineWriter::JoinLines(zeilen), &error);
    return error;
}

// The scenario is a plain text file of the simulator: UTF-8, one item per line.
QString textSchreiben(const QDir& ordner, const QString& name, const QStringList& zeilen)
{
    QString error;
    SaveFileAtomically(ordner.filePath(name), (zeilen.join(u'\n') + u'\n').toUtf8(), &error);
    return error;
}

} // namespace

QStringList DemoDateiNamen()
{
    const QString p = DemoProjektName;
    return {p + QStringLiteral(".pro"), QStringLiteral("Fahrzeuge20.lda"), p + QStringLiteral(".da2"),
            p + QStringLiteral(".hs2"), p + QStringLiteral(".Fs4"), p + QStringLiteral(".Zug"),
            QStringLiteral("EC2Loks.lda"), QStringLiteral("EC2MagnetArt.ma2"), DemoSzenarioDatei};
}

QString DemoProjektSchreiben(const QString& ordnerPfad)
{
    const QDir ordner(ordnerPfad);
    if (!ordner.mkpath(QStringLiteral("."))) {
        return QStringLiteral("Ordner kann nicht angelegt werden: ") + ordnerPfad;
    }
    // The program's logic without windows; the folder only names paths, nothing is read there.
    KopflosesProgramm k(ordner.absolutePath() + u'/');
    k.programm.ProjektName = DemoProjektName;
    FahrzeugDatenbank db;
    fahrzeuge(db);
    k.daten.ZugeAusDatenbank(db);
    for (const char* name : kStationen) {
        k.daten.HaltestelleNeu(QString::fromLatin1(name));
    }
    planBauen(k);
    betriebBauen(k);

    ProjectFileContext kontext;
    kontext.projectName = DemoProjektName;
    kontext.dateText = kDatum;
    kontext.fileExisted = false;
    const std::vector<LokRecord> loks = ecosLoks(k.daten.ZugListe);
    const std::vector<MagRecord> mags = ecosZubehoer();
    const QStringList namen = DemoDateiNamen();
    QString error = zeilenSchreiben(ordner, namen[0], ProjectSettingsLines(einstellungen(), kontext));
    for (const QString& e : {db.schreibenDatei(ordner.filePath(namen[1])),
                             zeilenSchreiben(ordner, namen[2], GleisplanDatei(k.programm).PlanLines()),
                             zeilenSchreiben(ordner, namen[3], HaltestellenDatei(k.programm).HaltestellenLines()),
                             zeilenSchreiben(ordner, namen[4], HaltestellenDatei(k.programm).FahrstrassenLines()),
                             zeilenSchreiben(ordner, namen[5], ZugDatei(k.programm).ZugLines()),
                             LokListeSchreiben(ordner.filePath(namen[6]), loks),
                             MagListeSchreiben(ordner.filePath(namen[7]), mags),
                             textSchreiben(ordner, namen[8], szenario(k.daten, namen[2]))}) {
        if (error.isEmpty()) {
            error = e;
        }
    }
    return error;
}

std::optional<QStringList> DemoSzenarioFuerProjekt(const QString& projektOrdner, QString* error)
{
    const QDir ordner(projektOrdner);
    const QString name = ordner.dirName();
    // The project folder is <program folder>Projekte/<project>/.
    KopflosesProgramm k(QDir::cleanPath(ordner.absoluteFilePath(QStringLiteral("../.."))) + u'/');
    k.programm.ProjektName = name;
    const QString plan = FindFileNoCase(ordner.absolutePath(), name + QStringLiteral(".da2"));
    if (!ordner.exists() || !k.zugeUndStationen(ordner.absolutePath(), name)
        || !GleisplanDatei(k.programm).LoadTrackPlan(plan) || !k.bild.Gleisplan_Geladen) {
        if (error != nullptr) {
            *error = k.dialogs.texts.isEmpty() ? QStringLiteral("Projekt kann nicht gelesen werden: ") + projektOrdner
                                               : k.dialogs.texts.join(u'\n');
        }
        return std::nullopt;
    }
    k.daten.ZugeInHaltestellenSetzen();
    return szenario(k.daten, plan.contains(u' ') ? u'"' + plan + u'"' : plan);
}
