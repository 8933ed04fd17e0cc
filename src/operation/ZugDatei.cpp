#include "operation/ZugDatei.h"

#include "core/FileSave.h"
#include "core/LineFile.h"
#include "core/Programm.h"
#include "core/TextFields.h"
#include "diagram/TTrassolin.h"
#include "operation/BetriebsDaten.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kBtnPanel = QStringLiteral("***************** ZugBtnPanel *********************");
const QString kHaltestellen = QStringLiteral("***************** Haltestellen *********************");
const QString kCR = QStringLiteral("\r");

QString f3(qint64 n)
{
    return FixedField(n, 3);
}
} // namespace

ZugDatei::ZugDatei(Programm& programm) : programm_(programm) {}

bool ZugDatei::OpenZuge(const QString& path)
{
    BetriebsDaten& d = *programm_.betriebsdaten;
    d.ZugeGelesen = false;
    d.ZugeFehler = false;
    const QString version = f3(ParseInt(programm_.parameters.ProgramVersion).value_or(41));
    const QStringList leer = {version + QStringLiteral("****************** Zugdaten  ********************"),
                              QStringLiteral("Anzahl Zuge : 000"), kBtnPanel, QStringLiteral("ZugBtnPanel Left : 008"),
                              QStringLiteral("ZugBtnPanel Top  : 880"), QStringLiteral("LokLeisteSichtbar"), kHaltestellen,
                              QStringLiteral("000 Haltestellen")};
    QString error;
    const auto lines = LineReader::ReadLinesCreating(FindPathNoCase(path), leer, &error);
    if (!lines) {
        programm_.dialogs.information(error);
        d.ZugeFehler = true;
        return false;
    }
    read(*lines);
    d.ZugeGelesen = !d.ZugeFehler;
    return !d.ZugeFehler;
}

void ZugDatei::read(const QStringList& lines)
{
    BetriebsDaten& d = *programm_.betriebsdaten;
    LineReader r(lines);
    const QString kopf = r.next();
    ZugVersion = kopf.startsWith(QStringLiteral("***")) ? 0 : ParseInt(Columns(kopf, 1, 3)).value_or(0);
    const QString countLine = r.next();
    const int count = r.number(Columns(countLine, 15, 17), QStringLiteral("Anzahl Zuge"));
    for (int i = 0; i < count && r.ok(); ++i) {
        r.next();
        const int nr = r.number(r.next(), QStringLiteral("ZugDatanbankNr"));
        const int left = r.number(r.next(), QStringLiteral("Left"));
        const int top = r.number(r.next(), QStringLiteral("Top"));
        const QString t5 = r.next();
        const int start = r.number(Columns(r.next(), 1, 3), QStringLiteral("ZugAbfahrtDatenstart"));
        std::vector<TFahrstrassenBefehl> listen[2];
        for (auto& liste : listen) {
            const int n = r.number(Columns(r.next(), 1, 3), QStringLiteral("Befehle"));
            for (int k = 0; k < n && r.ok(); ++k) {
                const QString zeile = r.next();
                if (const auto befehl = BefehlAusZeile(zeile)) {
                    liste.push_back(*befehl);
                } else {
                    r.fail(QStringLiteral("Befehl ist nicht lesbar: »%1«").arg(zeile));
                }
            }
        }
        TZug* zug = d.ZugVonDatenbankNr(nr);
        if (zug == nullptr || !r.ok()) {
            continue; // a train that is no longer in the database is dropped
        }
        zug->PanelLeft = left;
        zug->PanelTop = top;
        zug->ZugSichtbar = t5.mid(1) == QStringLiteral("Sichtbar");
        zug->Set_Richtung(t5.startsWith(u'1') ? 1 : 0);
        zug->ZugAbfahrtDatenstart = start;
        zug->ZugAbfahrtDatenBefehlListe = listen[0];
        zug->ZugAnkunftDatenBefehlListe.insert(zug->ZugAnkunftDatenBefehlListe.end(), listen[1].begin(), listen[1].end());
    }
    r.next();
    r.next();
    r.next();
    LokLeisteSichtbar = r.next() == QStringLiteral("LokLeisteSichtbar");
    if (programm_.hauptfenster) {
        programm_.hauptfenster->LokLeisteSichtbar = LokLeisteSichtbar;
    }
    r.next();
    const int stationen = r.number(Columns(r.next(), 1, 3), QStringLiteral("Anzahl Haltestellen"));
    for (int s = 0; s < stationen && r.ok(); ++s) {
        const QString zeile = r.next();
        THaltestelle* h = ZugVersion >= 35 ? d.HaltestelleVonId(ParseInt(Columns(zeile, 1, 3)).value_or(-1))
                                           : d.HaltestelleVonName(zeile);
        const int n = r.number(Columns(r.next(), 1, 3), QStringLiteral("Anzahl Zuge"));
        if (h == nullptr && d.HaltestellenFehler) {
            r.fail(QStringLiteral("Haltestelle nicht gefunden: »%1«").arg(zeile));
        }
        for (int k = 0; k < n && r.ok(); ++k) {
            const QString t = r.next();
            const auto nr = ParseInt(ZugVersion >= 34 ? Columns(t, 1, 5) : Columns(t, 1, 3));
            TZug* zug = nr ? d.ZugVonDatenbankNr(*nr) : nullptr;
            if (h != nullptr && zug != nullptr
                && std::find(h->HaltestelleZuge.begin(), h->HaltestelleZuge.end(), zug) == h->HaltestelleZuge.end()) {
                h->HaltestelleZuge.push_back(zug);
            }
        }
    }
    if (!r.ok()) {
        programm_.dialogs.information(QStringLiteral("Zuge können nicht geladen werden. ! ") + kCR + r.errorText() + kCR
                                      + QStringLiteral(" Fehler im Zug Datei.  "));
        d.ZugeFehler = true;
    }
}

QStringList ZugDatei::ZugLines() const
{
    const BetriebsDaten& d = *programm_.betriebsdaten;
    QStringList out = {f3(ParseInt(programm_.parameters.ProgramVersion).value_or(41))
                           + QStringLiteral("****************** Zugdaten  ********************"),
                       QStringLiteral("Anzahl Zuge : ") + f3(static_cast<qint64>(d.ZugListe.size()))};
    for (const auto& z : d.ZugListe) {
        out << QStringLiteral("++++++++++++++ ") + z->ZugName + QStringLiteral("++++++++++++++ ") << f3(z->ZugDatanbankNr)
            << f3(z->PanelLeft) << (z->PanelTop < 0 ? QStringLiteral("100") : f3(z->PanelTop))
            << QString::number(z->ZugRichtung) + (z->ZugSichtbar ? QStringLiteral("Sichtbar") : QStringLiteral("Nicht Sichtbar"))
            << f3(z->ZugAbfahrtDatenstart) + QStringLiteral(" ZugAbfahrtDatenstart");
        out << f3(static_cast<qint64>(z->ZugAbfahrtDatenBefehlListe.size())) + QStringLiteral(" ZugAbfahrtDatenBefehlListe.Count");
        for (const TFahrstrassenBefehl& b : z->ZugAbfahrtDatenBefehlListe) {
            out << BefehlZeile(b);
        }
        out << f3(static_cast<qint64>(z->ZugAnkunftDatenBefehlListe.size())) + QStringLiteral(" ZugAnkunftDatenBefehlListe.Count");
        for (const TFahrstrassenBefehl& b : z->ZugAnkunftDatenBefehlListe) {
            out << BefehlZeile(b);
        }
    }
    const TTrassolin* haupt = programm_.hauptfenster;
    out << kBtnPanel << QStringLiteral("LokBtnPanel Left : ") + f3(haupt ? haupt->LokLeisteLeft : 8)
        << QStringLiteral("LokBtnPanel Top  : ") + f3(haupt ? haupt->LokLeisteTop : 880)
        << ((haupt ? haupt->LokLeisteSichtbar : LokLeisteSichtbar) ? QStringLiteral("LokLeisteSichtbar")
                                                                 : QStringLiteral("LokLeisteNichtSichtbar"));
    out << kHaltestellen << f3(static_cast<qint64>(d.HaltestellenListe.size())) + QStringLiteral(" Haltestellen");
    for (const auto& h : d.HaltestellenListe) {
        out << f3(h->HaltestelleID) + u' ' + h->HaltestelleName
            << f3(static_cast<qint64>(h->HaltestelleZuge.size())) + QStringLiteral(" Zuge");
        for (const TZug* z : h->HaltestelleZuge) {
            out << FixedField(z->ZugDatanbankNr, 5) + u' ' + z->ZugName;
        }
    }
    return out;
}

bool ZugDatei::SaveZuge(const QString& path, QString* error)
{
    const BetriebsDaten& d = *programm_.betriebsdaten;
    if (!d.ZugeGelesen || d.ZugeFehler) {
        if (error) {
            *error = QStringLiteral("Die Zuge wurden nicht fehlerfrei gelesen und werden nicht gespeichert.");
        }
        return false;
    }
    return SaveFileAtomically(path, LineWriter::JoinLines(ZugLines()), error);
}
