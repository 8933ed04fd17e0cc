#include "core/GleisplanDatei.h"

#include "core/ColorText.h"
#include "core/FileSave.h"
#include "core/FontStyleText.h"
#include "core/LineFile.h"
#include "core/Programm.h"
#include "core/TInfo.h"
#include "core/TextFields.h"
#include "diagram/ElementArten.h"
#include "diagram/GleisBild.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace {
const QString kCR = QStringLiteral("\r");
const QString kFehler = QStringLiteral(" Fehler im Gleisplan.  ");
const QString kKeinInfo = QStringLiteral("GleisBildInfo");
const QString kKeinAblauf = QStringLiteral("AblaufsteuerungName");
const QString kFlagsText = QStringLiteral("StellungDrehen/NichtRelevant/GleisFarbeAktuel");

// The reading stops: the file ended early, or a value no reader can take (a colour).
struct LeseAbbruch {
    QString text;
};

// Walks the lines of the plan. Past the end it stops the reading.
class PlanLeser {
public:
    explicit PlanLeser(const QStringList& lines) : lines_(lines) {}
    QString next()
    {
        if (index_ >= lines_.size()) {
            throw LeseAbbruch{QStringLiteral("Die Datei endet nach Zeile %1.").arg(lines_.size())};
        }
        return lines_[index_++];
    }
    int zeile() const { return static_cast<int>(index_); }

private:
    const QStringList& lines_;
    qsizetype index_ = 0;
};

// One block's error text, collected field by field: marker + previous errors + line.
class Fehlertext {
public:
    std::optional<int> zahl(const QString& feld, const QString& marker, const QString& line)
    {
        const auto value = ParseInt(feld);
        if (!value) {
            text_ = marker + text_ + line;
        }
        return value;
    }
    void ersetzen(const QString& text) { text_ = text; }
    bool leer() const { return text_.isEmpty(); }
    const QString& text() const { return text_; }
    void clear() { text_.clear(); }

private:
    QString text_;
};

TColor farbe(const QString& line, int zeile)
{
    if (const auto color = StringToColor(line)) {
        return *color;
    }
    throw LeseAbbruch{QStringLiteral("Zeile %1: keine Farbe: %2").arg(zeile).arg(line)};
}

// The count in front of a section's count line ("007 Anzahl texte"); a wider number in full.
QString zaehlerFeld(const QString& line)
{
    const qsizetype blank = line.indexOf(u' ');
    return blank < 0 ? line : line.left(blank);
}

QString flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString zahl(qint64 value)
{
    return QString::number(value);
}
} // namespace

GleisplanDatei::GleisplanDatei(Programm& programm) : programm_(programm) {}

QStringList GleisplanDatei::EmptyPlanLines()
{
    return {QStringLiteral("034****************** Gleisplan ********************"), QStringLiteral("Anzahl elemente : 000"),
            QStringLiteral("Keine Drehscheibe"), QStringLiteral("000"), QStringLiteral("000"),
            QStringLiteral("000 Anzahl Texte"), QStringLiteral("000 Anzahl Schalter"),
            QStringLiteral("000 Anzahl SoundSchalter")};
}

bool GleisplanDatei::LoadTrackPlan(const QString& path)
{
    TGleisBild& bild = *programm_.gleisbild;
    bild.ClearPlan();
    bild.Gleisplan_Geladen = false;
    GleisplanLadeFehler = false;
    GleisplanVersion = 0;

    QString error;
    if (const auto lines = LineReader::ReadLinesCreating(FindPathNoCase(path), EmptyPlanLines(), &error)) {
        read(*lines);
    } else {
        programm_.dialogs.information(error);
        GleisplanLadeFehler = true;
    }

    bild.GleisKontaktNrAnzeigen = false;
    bild.MagnetArtNrAnzeigen = false;
    bild.RebuildGrid();
    Q_EMIT bild.allesNeuZeichnen();
    if (programm_.info) {
        programm_.info->logStar(QStringLiteral(" MagnetArt Liste erstellen"));
    }
    programm_.bus.broadcast(Msg::WM_OPEN_MAGNETARTLISTE, 1, programm_.ZentraleTyp());
    return !GleisplanLadeFehler;
}

void GleisplanDatei::read(const QStringList& lines)
{
    TGleisBild& bild = *programm_.gleisbild;
    PlanLeser leser(lines);
    QString name; // the block being read, for the messages
    const auto melden = [this, &name](const QString& kopf, const QString& fehler, const QString& schluss) {
        GleisplanLadeFehler = true;
        programm_.dialogs.information(kopf + name + kCR + fehler + (fehler.isEmpty() ? QString() : kCR) + schluss);
    };
    try {
        GleisplanVersion = ParseInt(Columns(leser.next(), 1, 3)).value_or(0);
        const int version = GleisplanVersion;

        const QString countLine = leser.next();
        const auto count = ParseInt(ColumnsFrom(countLine, 19));
        if (!count || *count < 0) {
            melden(QStringLiteral("Gleisplan kann nicht geladen werden. ! "), QStringLiteral("*2* AnzahlElement ") + countLine, kFehler);
            return;
        }

        for (int i = 0; i < *count; ++i) {
            Fehlertext fehler;
            name = leser.next();
            GridElementDaten d;
            const QString info = leser.next();
            d.GleisBildInfo = info == kKeinInfo ? QString() : info;
            const QString ablauf = leser.next();
            d.AblaufsteuerungName = ablauf == kKeinAblauf ? QString() : ablauf;
            const QString kindLine = leser.next();
            const auto kind = ParseInt(kindLine);
            if (!kind) {
                fehler.ersetzen(QStringLiteral("*6* GleisBildNr ") + kindLine);
            }
            const QString kontaktLine = leser.next();
            d.GleisKontaktNr = fehler.zahl(kontaktLine, QStringLiteral("*7* GleisKontaktNr "), kontaktLine).value_or(0);
            if (d.GleisKontaktNr > 512) {
                d.GleisKontaktNr = 0;
            }
            const QString magnetLine = leser.next();
            d.MagnetArtNr = fehler.zahl(magnetLine, QStringLiteral("*8* MagnetArtNr "), magnetLine).value_or(0);
            const QString stellungLine = leser.next();
            fehler.zahl(stellungLine, QStringLiteral("*9* Stellung "), stellungLine);
            const QString flags = leser.next();
            d.StellungDrehen = flags.startsWith(u'1');
            if (version >= 23) {
                d.NichtRelevant1 = Columns(flags, 2, 2) == QStringLiteral("1");
                d.NichtRelevant2 = Columns(flags, 3, 3) == QStringLiteral("1");
            }
            if (version >= 25) {
                const auto colour = ParseInt(Columns(flags, 5, 7));
                if (!colour) {
                    throw LeseAbbruch{QStringLiteral("Zeile %1: keine Farbnummer: %2").arg(leser.zeile()).arg(flags)};
                }
                d.GleisFarbeAktuel = *colour;
            }
            const QString stationLine = leser.next();
            d.HaltestelleNr = fehler.zahl(stationLine, QStringLiteral("*11* HaltestelleNr "), stationLine).value_or(0);
            d.StellungDrehen0 = leser.next() == QStringLiteral("1");
            const QString m0 = leser.next();
            d.MagnetArtNr0 = fehler.zahl(m0, QStringLiteral("*13* MagnetArtNr0 "), m0).value_or(0);
            d.StellungDrehen1 = leser.next() == QStringLiteral("1");
            const QString m1 = leser.next();
            d.MagnetArtNr1 = fehler.zahl(m1, QStringLiteral("*15* MagnetArtNr1 "), m1).value_or(0);
            const QString xLine = leser.next();
            d.PosX = fehler.zahl(xLine, QStringLiteral("*16* PosX "), xLine).value_or(0);
            const QString yLine = leser.next();
            d.PosY = fehler.zahl(yLine, QStringLiteral("*17* PosY "), yLine).value_or(0);
            if (kind) {
                d.GleisBildNr = *kind;
            }
            // Values no element can hold are faults of the block as well.
            if (fehler.leer() && ElementArtVon(d.GleisBildNr) == nullptr) {
                fehler.ersetzen(QStringLiteral("*6* GleisBildNr ") + kindLine);
            }
            if (fehler.leer() && !ZelleImRaster(d.PosX, 1)) {
                fehler.ersetzen(QStringLiteral("*16* PosX ") + xLine);
            }
            if (fehler.leer() && !ZelleImRaster(1, d.PosY)) {
                fehler.ersetzen(QStringLiteral("*17* PosY ") + yLine);
            }
            if (!fehler.leer()) {
                melden(QStringLiteral("Element kann nicht geladen werden. ! "), fehler.text(), kFehler);
            } else if (bild.CreateGridElement(d) == nullptr) {
                melden(QStringLiteral("Element kann nicht geladen werden. ! "),
                       QStringLiteral("Zelle %1/%2 ist schon belegt").arg(d.PosX).arg(d.PosY), kFehler);
            }
        }

        // The turntable is placed by the editor, never restored from the file.
        leser.next();
        leser.next();
        leser.next();
        bild.Drehscheibe().Visible = false;
        bild.Drehscheibe().Platziert = false;
        name.clear();

        const QString textCount = leser.next();
        if (const auto texte = ParseInt(zaehlerFeld(textCount))) {
            for (int i = 0; i < *texte; ++i) {
                Fehlertext fehler;
                const QString pos = leser.next();
                TTextElement t;
                t.Left = fehler.zahl(Columns(pos, 1, 5), QStringLiteral("*22* TextElement.Left "), pos).value_or(0);
                t.Top = fehler.zahl(Columns(pos, 6, 10), QStringLiteral("*22* TextElement.Top "), pos).value_or(0);
                t.Width = fehler.zahl(Columns(pos, 11, 15), QStringLiteral("*22* TextElement.Width "), pos).value_or(0);
                t.Height = fehler.zahl(Columns(pos, 16, 20), QStringLiteral("*22* TextElement.Height "), pos).value_or(0);
                t.Text = leser.next();
                t.FontName = leser.next();
                const QString size = leser.next();
                t.FontSize = fehler.zahl(Columns(size, 1, 3), QStringLiteral("*25* TextElement.Font.Size "), size).value_or(0);
                t.FontColor = farbe(leser.next(), leser.zeile());
                const FontStyle style = StringToFontStyle(Columns(leser.next(), 1, 4));
                t.FontBold = style.bold;
                t.FontItalic = style.italic;
                t.FontUnderline = style.underline;
                t.FontStrikeOut = style.strikeOut;
                t.BackgroundColor = farbe(leser.next(), leser.zeile());
                if (!fehler.leer()) {
                    melden(QStringLiteral("TextElement kann nicht geladen werden. ! "), fehler.text(),
                           QStringLiteral(" Fehler im Gleisplan. "));
                    continue;
                }
                *bild.CreateTextElement() = t;
            }
        } else {
            melden(QStringLiteral("TextElemente können nicht geladen werden. ! "),
                   QStringLiteral("*21* AnzahlElement ") + textCount, kFehler);
        }

        const QString switchCount = leser.next();
        if (const auto schalter = ParseInt(zaehlerFeld(switchCount))) {
            for (int i = 0; i < *schalter; ++i) {
                Fehlertext fehler;
                const QString pos = leser.next();
                const QString werte = leser.next();
                const int left = fehler.zahl(Columns(pos, 1, 5), QStringLiteral("*30* SchalterElement.Left "), pos).value_or(0);
                const int top = fehler.zahl(Columns(pos, 6, 10), QStringLiteral("*30* SchalterElement.Top "), pos).value_or(0);
                const int art = fehler.zahl(Columns(werte, 1, 3), QStringLiteral("*31* SchalterElement.TasterSchalter "), werte).value_or(0);
                const int bildNr = fehler.zahl(Columns(werte, 4, 6), QStringLiteral("*31* SchalterElement.BildNr "), werte).value_or(0);
                const int adresse = fehler.zahl(Columns(werte, 7, 9), QStringLiteral("*31* SchalterElement.MagnetArtNummer "), werte).value_or(0);
                const TColor hintergrund = farbe(leser.next(), leser.zeile());
                const QString size = leser.next();
                const int fontSize = fehler.zahl(size, QStringLiteral("*33* SchalterElement.Font.Size "), size).value_or(0);
                const TColor fontColor = farbe(leser.next(), leser.zeile());
                const FontStyle style = StringToFontStyle(Columns(leser.next(), 1, 4));
                const QString fontName = leser.next();
                const QString caption = leser.next();
                if (!fehler.leer()) {
                    melden(QStringLiteral("SchalterElement kann nicht geladen werden. ! "), QString(), kFehler);
                    continue;
                }
                TSchalterElement& s = *bild.CreateSchalterElement();
                s.Left = left;
                s.Top = top;
                s.BildNr = bildNr;
                s.MagnetArtNummer = adresse;
                s.BackgroundColor = hintergrund;
                s.FontSize = fontSize;
                s.FontColor = fontColor;
                s.FontBold = style.bold;
                s.FontItalic = style.italic;
                s.FontUnderline = style.underline;
                s.FontStrikeOut = style.strikeOut;
                s.FontName = fontName;
                s.Caption = caption;
                s.SetTasterSchalter(art);
            }
        } else {
            melden(QStringLiteral("SchalterElemente können nicht geladen werden. ! "), QString(), kFehler);
        }

        if (version >= 24) {
            const QString soundCount = leser.next();
            if (const auto sounds = ParseInt(zaehlerFeld(soundCount))) {
                for (int i = 0; i < *sounds; ++i) {
                    Fehlertext fehler;
                    const QString pos = leser.next();
                    const int left = fehler.zahl(Columns(pos, 1, 5), QStringLiteral("*39* SoundSchalterElement.Left "), pos).value_or(0);
                    const int top = fehler.zahl(Columns(pos, 6, 10), QStringLiteral("*39* SoundSchalterElement.Top "), pos).value_or(0);
                    const QString datei = leser.next();
                    for (int r = 0; r < 5; ++r) {
                        leser.next();
                    }
                    if (!fehler.leer()) {
                        melden(QStringLiteral("SoundSchalterElement kann nicht geladen werden. ! "), fehler.text(), kFehler);
                        continue;
                    }
                    TSoundSchalterElement& s = *bild.CreateSoundSchalterElement();
                    s.Left = left;
                    s.Top = top;
                    s.SoundDatei = datei;
                }
            } else {
                melden(QStringLiteral("SoundSchalterElemente können nicht geladen werden. ! "), QString(), kFehler);
                return;
            }
        }
        bild.Gleisplan_Geladen = true;
    } catch (const LeseAbbruch& abbruch) {
        melden(QStringLiteral("Gleisplan kann nicht vollständig geladen werden. ! "), abbruch.text, kFehler);
    }
}

QStringList GleisplanDatei::PlanLines() const
{
    const TGleisBild& bild = *programm_.gleisbild;
    QStringList out;
    out << QStringLiteral("025****************** Gleisplan ********************");
    out << QStringLiteral("Anzahl elemente : ") + ZeroPad3(static_cast<qint64>(bild.Elemente().size()));
    for (const auto& e : bild.Elemente()) {
        out << e->Name << (e->GleisBildInfo.isEmpty() ? kKeinInfo : e->GleisBildInfo)
            << (e->AblaufsteuerungName.isEmpty() ? kKeinAblauf : e->AblaufsteuerungName) << zahl(e->DateiGleisBildNr())
            << zahl(e->GleisKontaktNr > 512 ? 0 : std::max(0, e->GleisKontaktNr)) << zahl(e->MagnetArtNr) << zahl(e->Stellung)
            << flag(e->StellungDrehen) + flag(e->NichtRelevant1) + flag(e->NichtRelevant2) + u'_'
                   + FixedField(e->GleisFarbeAktuel, 3) + kFlagsText
            << zahl(e->HaltestelleNr) << flag(e->StellungDrehen0) << zahl(e->MagnetArtNr0) << flag(e->StellungDrehen1)
            << zahl(e->MagnetArtNr1) << zahl(e->PosX) << zahl(e->PosY);
    }
    const TDrehscheibeElement& d = const_cast<TGleisBild&>(bild).Drehscheibe();
    out << (d.Platziert ? QStringLiteral("Drehscheibe") : QStringLiteral("Keine Drehscheibe")) << ZeroPad3(d.Left)
        << ZeroPad3(d.Top);

    out << ZeroPad3(static_cast<qint64>(bild.TextElemente().size())) + QStringLiteral(" Anzahl texte");
    for (const auto& t : bild.TextElemente()) {
        out << FixedField(t->Left, 5) + FixedField(t->Top, 5) + FixedField(t->Width, 5) + FixedField(t->Height, 5) << t->Text
            << t->FontName << FixedField(t->FontSize, 3) << ColorToString(t->FontColor)
            << FontStyleToString({t->FontBold, t->FontItalic, t->FontUnderline, t->FontStrikeOut})
            << ColorToString(t->BackgroundColor);
    }
    out << ZeroPad3(static_cast<qint64>(bild.SchalterElemente().size())) + QStringLiteral(" Anzahl Schalter");
    for (const auto& s : bild.SchalterElemente()) {
        out << FixedField(s->Left, 5) + FixedField(s->Top, 5)
            << FixedField(s->TasterSchalter, 3) + FixedField(s->BildNr, 3) + FixedField(s->MagnetArtNummer, 3)
            << ColorToString(s->BackgroundColor) << ZeroPad3(s->FontSize) << ColorToString(s->FontColor)
            << FontStyleToString({s->FontBold, s->FontItalic, s->FontUnderline, s->FontStrikeOut}) << s->FontName
            << s->Caption;
    }
    out << ZeroPad3(static_cast<qint64>(bild.SoundSchalterElemente().size())) + QStringLiteral(" Anzahl SoundSchalter");
    for (const auto& s : bild.SoundSchalterElemente()) {
        out << FixedField(s->Left, 5) + FixedField(s->Top, 5) << (s->SoundDatei.isEmpty() ? QStringLiteral("leer") : s->SoundDatei);
        for (int r = 0; r < 5; ++r) {
            out << QStringLiteral("Sound reserve");
        }
    }
    return out;
}

bool GleisplanDatei::SaveTrackPlan(const QString& path, QString* error)
{
    if (!programm_.gleisbild->Gleisplan_Geladen) {
        if (error) {
            *error = QStringLiteral("Der Gleisplan wurde nicht vollständig geladen und wird nicht gespeichert.");
        }
        return false;
    }
    for (const auto& e : programm_.gleisbild->Elemente()) {
        if (e->GleisKontaktNr > 512) {
            e->GleisKontaktNr = 0;
        }
    }
    return SaveFileAtomically(path, LineWriter::JoinLines(PlanLines()), error);
}
