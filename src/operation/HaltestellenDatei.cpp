#include "operation/HaltestellenDatei.h"

#include "core/FileSave.h"
#include "core/LineFile.h"
#include "core/Programm.h"
#include "core/TextFields.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"
#include "vehicles/LogBuch.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kCR = QStringLiteral("\r");
const QString kHaltestellenKopf = QStringLiteral("****************** Haltestellen Datei********************");
const QString kFahrstrassenKopf = QStringLiteral("************** Fahrstrassen Datei *********************");
const QString kZugdatenKopf = QStringLiteral("******** Fahrstrassen Zugdaten fur Jeden Zug****************");
const QString kNaechsteId = QStringLiteral("Reserve 4 ");
const QString kGeloescht = QStringLiteral("999 Haltestelle gelöscht");

// The file version in front of a header line; "***" marks the oldest form.
int dateiVersion(const QString& kopf)
{
    return kopf.startsWith(QStringLiteral("***")) ? 21 : ParseInt(Columns(kopf, 1, 3)).value_or(0);
}

QString f3(qint64 n)
{
    return FixedField(n, 3);
}

QString f5(qint64 n)
{
    return FixedField(n, 5);
}

QString bit(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

HaltestellenDatei::HaltestellenDatei(Programm& programm) : programm_(programm) {}

BetriebsDaten& HaltestellenDatei::daten() const
{
    return *programm_.betriebsdaten;
}

QString HaltestellenDatei::version() const
{
    return f3(ParseInt(programm_.parameters.ProgramVersion).value_or(41));
}

// ---- stations -----------------------------------------------------------------------------------

bool HaltestellenDatei::OpenHaltestellen(const QString& path)
{
    BetriebsDaten& d = daten();
    d.HaltestellenLeeren();
    d.HaltestellenGelesen = false;
    d.HaltestellenFehler = false;
    const QString file = FindPathNoCase(path);
    if (!QFileInfo::exists(file) && programm_.logbuch) {
        programm_.logbuch->LogBuchAdd(QStringLiteral("Gleisplan Datei nicht gefunden !!"), 1);
    }
    QString error;
    const auto lines = LineReader::ReadLinesCreating(file,
                             {QStringLiteral("Reserve"), QStringLiteral("Reserve 1"), QStringLiteral("Reserve 2"),
                              QStringLiteral("Reserve 3"), QStringLiteral("Reserve 4"), version() + kHaltestellenKopf,
                              QStringLiteral("Anzahl Haltestellen : 000")},
                             &error);
    if (!lines) {
        programm_.dialogs.information(error);
        d.HaltestellenFehler = true;
        return false;
    }
    readStations(*lines);
    d.HaltestellenGelesen = !d.HaltestellenFehler;
    return !d.HaltestellenFehler;
}

void HaltestellenDatei::readStations(const QStringList& lines)
{
    BetriebsDaten& d = daten();
    LineReader r(lines);
    for (int i = 0; i < 4; ++i) {
        r.next();
    }
    const QString reserve4 = r.next();
    HaltestellenVersion = dateiVersion(r.next());
    const QString countLine = r.next();
    const auto count = ParseInt(Columns(countLine, 23, 25));
    if (!count || !r.ok()) {
        programm_.dialogs.information(QStringLiteral("Haltestellen können nicht geladen werden. ! ") + kCR + QStringLiteral("*2* Anzahl ")
                                      + countLine + kCR + QStringLiteral(" Fehler im Haltestellen Datei.  "));
        d.HaltestellenFehler = true;
        return;
    }
    d.NaechsteHaltestelleID = 0;
    for (int k = 1; k <= *count; ++k) {
        auto h = std::make_unique<THaltestelle>();
        const QString s1 = r.next();
        h->HaltestelleRichtung = s1.startsWith(u'1') ? 1 : 0;
        h->HaltestelleID = HaltestellenVersion < 35 ? k - 1 : ParseInt(Columns(s1, 3, 6)).value_or(0);
        d.NaechsteHaltestelleID = std::max(d.NaechsteHaltestelleID, h->HaltestelleID);
        h->HaltestelleName = r.next();
        // Numbers that cannot be read keep their defaults.
        h->HaltestelleSoundOrt = ParseInt(Columns(r.next(), 1, 3)).value_or(h->HaltestelleSoundOrt);
        h->HaltestelleArt = r.next();
        h->HaltestelleWarteZeit = ParseInt(Columns(r.next(), 1, 5)).value_or(h->HaltestelleWarteZeit);
        h->HaltestelleSoundDatei = r.next();
        h->HaltestelleSoundDateiLange = ParseInt(r.next()).value_or(h->HaltestelleSoundDateiLange);
        h->HaltestelleHierNichtFahren = r.next().startsWith(u'1');
        const QString zug = r.next();
        h->ZugInHaltestelle = zug.size() == 11 ? QStringLiteral("00") + zug : zug;
        h->HaltestelleGeloescht = r.next() == QStringLiteral("Gelosscht");
        for (int i = 0; i < 5; ++i) {
            r.next();
        }
        if (!r.ok()) {
            programm_.dialogs.information(QStringLiteral("Haltestellen können nicht geladen werden. ! ") + kCR
                                          + r.errorText() + kCR + QStringLiteral(" Fehler im Haltestellen Datei.  "));
            d.HaltestellenFehler = true;
            return;
        }
        d.HaltestellenListe.push_back(std::move(h));
    }
    // A deleted highest id is kept here, so it is never given out again.
    if (reserve4.startsWith(kNaechsteId)) {
        d.NaechsteHaltestelleID = std::max(d.NaechsteHaltestelleID, ParseInt(reserve4.mid(kNaechsteId.size())).value_or(0));
    }
}

QStringList HaltestellenDatei::HaltestellenLines() const
{
    const BetriebsDaten& d = daten();
    std::vector<const THaltestelle*> stations;
    int hoechste = 0;
    for (const auto& h : d.HaltestellenListe) {
        if (!h->HaltestelleGeloescht) {
            stations.push_back(h.get());
            hoechste = std::max(hoechste, h->HaltestelleID);
        }
    }
    QStringList out = {QStringLiteral("Reserve"), QStringLiteral("Reserve 1"), QStringLiteral("Reserve 2"), QStringLiteral("Reserve 3")};
    out << (d.NaechsteHaltestelleID > hoechste ? kNaechsteId + FixedField(d.NaechsteHaltestelleID, 4) : QStringLiteral("Reserve 4"));
    out << version() + kHaltestellenKopf << QStringLiteral("Anzahl Haltestellen : ") + f3(static_cast<qint64>(stations.size()));
    for (const THaltestelle* h : stations) {
        QString zug = h->ZugInHaltestelle;
        if (h->HaltestelleElement != nullptr) {
            const TZug* z = h->HaltestelleElement->Zug;
            zug = z == nullptr ? KeinZugInHaltestelle
                               : f5(z->ZugDatanbankNr) + u'-' + f3(z->ZugRichtung) + u'-' + f3(h->HaltestelleRichtung);
        }
        out << QString::number(h->HaltestelleRichtung) + u'*' + FixedField(h->HaltestelleID, 4) + QStringLiteral("******Haltestelle- ")
                   + h->HaltestelleName
            << h->HaltestelleName << f3(h->HaltestelleSoundOrt) + QStringLiteral("HaltestelleSoundOrt") << h->HaltestelleArt
            << f5(h->HaltestelleWarteZeit) << h->HaltestelleSoundDatei << QString::number(h->HaltestelleSoundDateiLange)
            << bit(h->HaltestelleHierNichtFahren) + QStringLiteral(" HaltestelleHierNichtFahren") << zug
            << (h->HaltestelleGeloescht ? QStringLiteral("Gelosscht") : QStringLiteral("Reserve"));
        for (int i = 0; i < 5; ++i) {
            out << QStringLiteral("Reserve");
        }
    }
    return out;
}

bool HaltestellenDatei::SaveHaltestellen(const QString& path, QString* error)
{
    if (!daten().HaltestellenGelesen || daten().HaltestellenFehler) {
        if (error) {
            *error = QStringLiteral("Die Haltestellen wurden nicht fehlerfrei gelesen und werden nicht gespeichert.");
        }
        return false;
    }
    return SaveFileAtomically(path, LineWriter::JoinLines(HaltestellenLines()), error);
}

// ---- routes -------------------------------------------------------------------------------------

bool HaltestellenDatei::OpenFahrstrassen(const QString& path)
{
    BetriebsDaten& d = daten();
    const QString file = FindPathNoCase(path);
    QString error;
    const auto lines = LineReader::ReadLinesCreating(file,
                             {version() + kFahrstrassenKopf, QStringLiteral("000 Haltestellen"),
                              QStringLiteral("***************** Fahrstrassen *********************"), QStringLiteral("000 Haltestellen")},
                             &error);
    if (!lines) {
        programm_.dialogs.information(error);
        d.Fahrstrasse_Err = true;
        return false;
    }
    readRoutes(*lines);
    d.FahrstrassenGelesen = true;
    return !d.Fahrstrasse_Err;
}

namespace {
// Reads the route file and collects what cannot be read; the first fault marks the file.
class RoutenLeser {
public:
    RoutenLeser(const QStringList& lines, BetriebsDaten& daten) : r(lines), d(daten) {}
    int zahl(const QString& text, const QString& notiz)
    {
        const auto value = ParseInt(text);
        if (!value) {
            fehler(notiz + text);
        }
        return value.value_or(0);
    }
    void fehler(const QString& notiz)
    {
        notizen << notiz;
        d.Fahrstrasse_Err = true;
    }
    THaltestelle* station(const QString& line, int version) const
    {
        return version >= 35 ? d.HaltestelleVonId(ParseInt(Columns(line, 1, 3)).value_or(-1)) : d.HaltestelleVonName(line.mid(2));
    }
    LineReader r;
    BetriebsDaten& d;
    QStringList notizen;
};

FahrstrasseElement elementLesen(LineReader& r, RoutenLeser& l, const TGleisBild& bild)
{
    FahrstrasseElement e;
    e.ElementName = r.next();
    const QString v = r.next();
    const auto feld = [&](int i, const char* name) { return l.zahl(Columns(v, 3 * i + 1, 3 * i + 3), QString::fromLatin1(name)); };
    e.Spalte = feld(0, "Spalte ");
    e.Zeile = feld(1, "Zeile ");
    e.Stellung = feld(2, "Stellung ");
    e.ElementTyp = feld(3, "ElementTyp ");
    e.ElementArt = feld(4, "ElementArt ");
    e.GleisKontaktNr = feld(5, "GleisKontaktNr ");
    e.ElementModus = feld(6, "ElementModus ");
    e.StellungSetzen = feld(7, "StellungSetzen ");
    e.Gueltig = true;
    if (const TGleisBildElement* g = bild.Zelle(e.Spalte, e.Zeile)) {
        e.HaltestelleNr = g->HaltestelleNr;
    }
    return e;
}

// The direction line of a route is six digits: then the target station line is missing.
bool istRichtungsZeile(const QString& line)
{
    return line.size() == 6 && std::all_of(line.begin(), line.end(), [](QChar c) { return c.isDigit(); });
}
} // namespace

void HaltestellenDatei::readRoutes(const QStringList& lines)
{
    BetriebsDaten& d = daten();
    const TGleisBild& bild = *programm_.gleisbild;
    RoutenLeser l(lines, d);
    LineReader& r = l.r;
    const int v = dateiVersion(r.next());
    FahrstrassenVersion = v;
    const int stationen = l.zahl(Columns(r.next(), 1, 3), QStringLiteral("Anzahl Haltestellen "));
    for (int s = 0; s < stationen && r.ok(); ++s) {
        THaltestelle* h = l.station(r.next(), v);
        const int routen = l.zahl(Columns(r.next(), 1, 3), QStringLiteral("Anz Fahrstrassen "));
        if (h == nullptr && d.HaltestellenFehler) {
            l.fehler(QStringLiteral("Fahrstrassen einer unbekannten Haltestelle"));
        }
        for (int k = 0; k < routen && r.ok(); ++k) {
            const QString r1 = r.next();
            const int id = v >= 35 ? l.zahl(Columns(r1, 1, 3), QStringLiteral("FahrstrasseID ")) : k;
            const QString name = v >= 35 ? r1.mid(4) : r1;
            TFahrstrasse verworfen; // the block of a station that does not exist is read and dropped
            TFahrstrasse& f = h ? *d.FahrstrasseNeu(*h, id, name) : verworfen;
            f.StartHaltestelleID = 0;
            f.FahrstrasseAnzeigeName = r.next();
            const int elemente = l.zahl(Columns(r.next(), 1, 3), QStringLiteral("Anzahl Elemente "));
            for (int e = 0; e < elemente && r.ok(); ++e) {
                f.FahrstrasseElemente.push_back(elementLesen(r, l, bild));
            }
            // Older files name the station; the name follows a two-character or a number prefix.
            const auto stationsNr = [&](const QString& line) {
                const THaltestelle* x = l.station(line, v);
                if (x == nullptr && v < 35) {
                    x = d.HaltestelleVonName(line.mid(4));
                }
                return x ? x->HaltestelleID : 0;
            };
            f.StartHaltestelleID = stationsNr(r.next());
            QString richtung = r.next();
            if (!istRichtungsZeile(richtung)) {
                f.ZielHaltestelleID = stationsNr(richtung);
                richtung = r.next();
            }
            f.FahrstrasseRichtung = l.zahl(Columns(richtung, 1, 3), QStringLiteral("FahrstrasseRichtung "));
            f.FahrstrasseRichtungZiel = l.zahl(Columns(richtung, 4, 6), QStringLiteral("FahrstrasseRichtungZiel "));
            const int weichen = l.zahl(Columns(r.next(), 1, 3), QStringLiteral("Anzahl Weichen "));
            for (int w = 0; w < 2 * weichen && r.ok(); ++w) {
                r.next();
            }
            f.WeichenListeErstellen();
            const QString kontakte = r.next();
            for (int i = 0; 3 * i < kontakte.size() && i < FahrstrasseKontaktSlots; ++i) {
                f.FahrstrasseKontakte[i + 1] = l.zahl(kontakte.mid(3 * i, 3), QStringLiteral("FahrstrasseKontakte "));
            }
            if (v > 23) {
                f.FahrstrasseMagnetArtikel = r.next();
            }
            if (v > 26) {
                const int folgen = l.zahl(Columns(r.next(), 1, 3), QStringLiteral("FahrstrassenFurAlleZuge "));
                for (int i = 0; i < folgen && r.ok(); ++i) {
                    f.FahrstrassenFurAlleZugeStringlist << r.next();
                }
            }
            if (h != nullptr) {
                for (const auto& zug : d.ZugListe) {
                    d.ZugDatenErstellen(f, *zug);
                }
            }
        }
    }

    // Section 2: the driving data of every train.
    r.next();
    const int stationen2 = l.zahl(Columns(r.next(), 1, 3), QStringLiteral("Anz Haltestellen "));
    for (int s = 0; s < stationen2 && r.ok(); ++s) {
        THaltestelle* h = l.station(r.next(), v);
        const int routen = l.zahl(Columns(r.next(), 1, 3), QStringLiteral("Anz Fahrstrassen "));
        for (int k = 0; k < routen && r.ok(); ++k) {
            const QString r1 = r.next();
            TFahrstrasse* f = h == nullptr ? nullptr
                : v >= 35                  ? h->FahrstrasseVonId(ParseInt(Columns(r1, 1, 3)).value_or(-1))
                                           : h->FahrstrasseVonName(r1);
            const QString countLine = r.next();
            const auto bloecke = ParseInt(Columns(countLine, 1, 3));
            if (!bloecke) {
                programm_.dialogs.information(QStringLiteral("Fahrsrassen können nicht geladen werden. ! ") + kCR
                                              + QStringLiteral("*6* ZugDatenListeCount ") + countLine + kCR
                                              + QStringLiteral(" Fehler im Fahrstrasse.  "));
                d.Fahrstrasse_Err = true;
                return;
            }
            if (f != nullptr) {
                f->FahrstrasseAusblenden = Columns(countLine, 14, 14) == QStringLiteral("1");
            }
            for (int b = 0; b < *bloecke && r.ok(); ++b) {
                const QString z1 = r.next();
                QStringList z;
                for (int i = 2; i <= 12; ++i) {
                    z << r.next();
                }
                const QString funcLine = r.next();
                const auto funcs = ParseInt(Columns(funcLine, 1, 3));
                if (!funcs) {
                    programm_.dialogs.information(QStringLiteral("Fahrsrassen können nicht geladen werden. ! ") + kCR
                                                  + QStringLiteral("*12* AnzFunc ") + funcLine + kCR
                                                  + QStringLiteral(" Fehler im Fahrstrasse.  "));
                    d.Fahrstrasse_Err = true;
                    return;
                }
                QStringList funktionen;
                for (int i = 0; i < *funcs; ++i) {
                    funktionen << r.next();
                }
                for (int i = 0; i < 3; ++i) {
                    r.next();
                }
                const bool markiert = z1.startsWith(u'X') || z1.startsWith(u'0');
                TZugDaten* zd = f ? f->ZugDatenVon(markiert ? z1.mid(1) : z1) : nullptr;
                if (zd == nullptr || d.Fahrstrasse_Err) {
                    continue;
                }
                if (markiert) {
                    zd->ZugDatenAktiv = z1.startsWith(u'X');
                }
                const auto n = [&](int zeile, int von, int bis, const QString& feld) {
                    return l.zahl(Columns(z[zeile - 2], von, bis), QStringLiteral("MyZugDaten.") + feld + u' ');
                };
                zd->ZugDatenStartkontakt = n(2, 1, 3, QStringLiteral("ZugDatenStartkontakt"));
                zd->ZugDatenStartdelay = n(2, 5, 9, QStringLiteral("ZugDatenStartdelay"));
                zd->ZugDatenStarttempo = std::min(n(2, 11, 13, QStringLiteral("ZugDatenStarttempo")), 127);
                for (int i = 0; i < 3; ++i) {
                    const QString nr = QString::number(i + 1);
                    zd->ZugDatenBremskontakt[i] = n(3 + i, 1, 3, QStringLiteral("ZugDatenBremskontakt") + nr);
                    zd->ZugDatenBremstempo[i] = n(3 + i, 11, 13, QStringLiteral("ZugDatenBremstempo") + nr);
                }
                zd->ZugDatenBremsdelay3 = n(5, 5, 9, QStringLiteral("ZugDatenBremsdelay3"));
                zd->ZugDatenZielkontakt = n(6, 1, 3, QStringLiteral("ZugDatenZielkontakt"));
                zd->ZugDatenZieldelay = n(6, 5, 9, QStringLiteral("ZugDatenZieldelay"));
                zd->ZugDatenFreigabeKontakt = n(6, 11, 13, QStringLiteral("ZugDatenFreigabeKontakt"));
                zd->ZugDatenFreigabeBesetzt = Columns(z[4], 15, 15) == QStringLiteral("1");
                zd->ZugDatenWendenBeiAnkunft = n(6, 17, 17, QStringLiteral("ZugDatenWendenBeiAnkunft"));
                zd->ZugDatenGebrauchen = Columns(z[4], 18, 18) == QStringLiteral("1");
                zd->NachsteFahrstrasse = Columns(z[4], 19, 19) == QStringLiteral("1");
                for (int i = 0; i < 5; ++i) {
                    const QString nr = QString::number(i + 1);
                    zd->ZugDatenFolgeKontakt[i] = n(7 + i, 1, 3, QStringLiteral("ZugDatenFolgeKontakt") + nr);
                    zd->ZugDatenFolgeMagnetArt[i] = n(7 + i, 5, 7, QStringLiteral("ZugDatenFolgeMagnetArt") + nr);
                    zd->ZugDatenFolgeschaltungBild[i] = n(7 + i, 9, 9, QStringLiteral("ZugDatenFolgeschaltungBild") + nr);
                }
                zd->ZugDatenSoundDelay = n(12, 1, 5, QStringLiteral("ZugDatenSoundDelay"));
                zd->ZugDatenSound = z[10].mid(6);
                zd->ZugDatenFunktionen = funktionen;
            }
        }
    }
    if (!r.ok()) {
        programm_.dialogs.information(QStringLiteral("Fahrsrassen können nicht geladen werden. ! ") + kCR + r.errorText() + kCR
                                      + QStringLiteral(" Fehler im Fahrstrasse.  "));
        d.Fahrstrasse_Err = true;
    }
}

QStringList HaltestellenDatei::FahrstrassenLines() const
{
    const BetriebsDaten& d = daten();
    std::vector<const THaltestelle*> stations;
    for (const auto& h : d.HaltestellenListe) {
        if (!h->HaltestelleGeloescht) {
            stations.push_back(h.get());
        }
    }
    const auto stationsZeile = [&d](int id) {
        const THaltestelle* h = d.HaltestelleVonId(id);
        return h && !h->HaltestelleGeloescht && id != 0 ? f3(id) + u' ' + h->HaltestelleName : kGeloescht;
    };
    const auto elementZeilen = [](QStringList& out, const FahrstrasseElement& e) {
        out << e.ElementName
            << f3(e.Spalte) + f3(e.Zeile) + f3(e.Stellung) + f3(e.ElementTyp) + f3(e.ElementArt) + f3(e.GleisKontaktNr)
                   + f3(e.ElementModus) + f3(e.StellungSetzen);
    };
    QStringList out = {version() + kFahrstrassenKopf, f3(static_cast<qint64>(stations.size())) + QStringLiteral(" Haltestellen")};
    for (const THaltestelle* h : stations) {
        out << f3(h->HaltestelleID) + u' ' + h->HaltestelleName
            << f3(static_cast<qint64>(h->HaltestelleFahrstrassen.size())) + QStringLiteral(" Anz Fahrstrassen");
        for (const auto& f : h->HaltestelleFahrstrassen) {
            out << f3(f->FahrstrasseID) + u' ' + f->FahrstrasseName << f->FahrstrasseAnzeigeName
                << f3(static_cast<qint64>(f->FahrstrasseElemente.size()));
            for (const FahrstrasseElement& e : f->FahrstrasseElemente) {
                elementZeilen(out, e);
            }
            out << stationsZeile(f->StartHaltestelleID) << stationsZeile(f->ZielHaltestelleID)
                << f3(f->FahrstrasseRichtung) + f3(f->FahrstrasseRichtungZiel)
                << f3(static_cast<qint64>(f->FahrstrasseWeichenListe.size())) + QStringLiteral(" MyFahrstrasse.FahrstrasseWeichenListe.Count");
            for (const FahrstrasseElement& e : f->FahrstrasseWeichenListe) {
                elementZeilen(out, e);
            }
            QString kontakte;
            for (int i = 1; i <= FahrstrasseKontaktSlots && f->FahrstrasseKontakte[i] != 0; ++i) {
                kontakte += f3(f->FahrstrasseKontakte[i]);
            }
            out << (kontakte.isEmpty() ? QStringLiteral("000") : kontakte) << f->FahrstrasseMagnetArtikel
                << f3(f->FahrstrassenFurAlleZugeStringlist.size()) + QStringLiteral(" FahrstrassenFurAlleZugeStringlist.count")
                << f->FahrstrassenFurAlleZugeStringlist;
        }
    }
    out << kZugdatenKopf << f3(static_cast<qint64>(stations.size())) + QStringLiteral(" Anz Haltestellen");
    for (const THaltestelle* h : stations) {
        out << f3(h->HaltestelleID) + u' ' + h->HaltestelleName
            << f3(static_cast<qint64>(h->HaltestelleFahrstrassen.size())) + QStringLiteral(" Anz Fahrstrassen");
        for (const auto& f : h->HaltestelleFahrstrassen) {
            out << f3(f->FahrstrasseID) + u' ' + f->FahrstrasseName
                << f3(static_cast<qint64>(f->ZugDatenListe.size())) + (f->FahrstrasseAusblenden ? QStringLiteral(" ZugDaten 1") : QStringLiteral(" ZugDaten 0"));
            for (const auto& z : f->ZugDatenListe) {
                out << (z->ZugDatenAktiv ? QStringLiteral("X") : QStringLiteral("0")) + z->Name
                    << f3(z->ZugDatenStartkontakt) + u'-' + f5(z->ZugDatenStartdelay) + u'-' + f3(z->ZugDatenStarttempo)
                    << f3(z->ZugDatenBremskontakt[0]) + QStringLiteral("-00000-") + f3(z->ZugDatenBremstempo[0])
                    << f3(z->ZugDatenBremskontakt[1]) + QStringLiteral("-00000-") + f3(z->ZugDatenBremstempo[1])
                    << f3(z->ZugDatenBremskontakt[2]) + u'-' + f5(z->ZugDatenBremsdelay3) + u'-' + f3(z->ZugDatenBremstempo[2])
                    << f3(z->ZugDatenZielkontakt) + u'-' + f5(z->ZugDatenZieldelay) + u'-' + f3(z->ZugDatenFreigabeKontakt)
                           + (z->ZugDatenFreigabeBesetzt ? QStringLiteral("-1") : QStringLiteral("-0")) + u'-'
                           + QString::number(std::clamp(z->ZugDatenWendenBeiAnkunft, 0, 2)) + bit(z->ZugDatenGebrauchen)
                           + bit(z->NachsteFahrstrasse);
                for (int i = 0; i < 5; ++i) {
                    out << f3(z->ZugDatenFolgeKontakt[i]) + u'-' + f3(z->ZugDatenFolgeMagnetArt[i]) + u'-'
                               + QString::number(std::clamp(z->ZugDatenFolgeschaltungBild[i], 0, 9));
                }
                out << f5(z->ZugDatenSoundDelay) + u'-' + z->ZugDatenSound
                    << f3(z->ZugDatenFunktionen.size()) + QStringLiteral(" Anzahl ZugDatenFunktionen") << z->ZugDatenFunktionen
                    << QStringLiteral("Reserve") << QStringLiteral("Reserve") << QStringLiteral("Reserve");
            }
        }
    }
    return out;
}

bool HaltestellenDatei::SaveFahrstrassen(const QString& path, QString* error)
{
    if (!daten().FahrstrassenGelesen || daten().Fahrstrasse_Err) {
        if (error) {
            *error = QStringLiteral("Die Fahrstrassen wurden nicht fehlerfrei gelesen und werden nicht gespeichert.");
        }
        return false;
    }
    return SaveFileAtomically(path, LineWriter::JoinLines(FahrstrassenLines()), error);
}
