#include "diagram/GleisbildZeichner.h"

#include "core/ColorText.h"
#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "diagram/Kacheln.h"
#include "diagram/TTrassolin.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kModusEditor = 2;
constexpr int kModusVerschieben = 3;
constexpr int kModusEditorLetzter = 8;
constexpr int kLokAnzeigeSignalBreite = 21;

const QColor kRot(255, 0, 0);
const QColor kGruen = ToQColor(0x00008000);
const QColor kGelb = ToQColor(0x0000FFFF);
const QColor kMagenta = ToQColor(0x00FF00FF);
const QColor kGrauText(128, 128, 128);
const QColor kRahmenGrau = ToQColor(0x00808080);

bool istEditorModus(int modus) { return modus >= kModusEditor && modus <= kModusEditorLetzter; }

// Pen colours of loco displays per track colour band.
QColor stiftFarbe(int band)
{
    switch (band) {
    case 9: return ToQColor(0x00008000);
    case 18: return ToQColor(0x00FFFF00);
    case 27: return QColor(255, 180, 0);
    case 36: return ToQColor(0x00800080);
    case 45: return ToQColor(0x00800000);
    case 54: return ToQColor(0x00000080);
    default: return Qt::black;
    }
}

// Text colours: as the pens, except aqua and navy (both $00800000) and maroon ($00000080).
QColor schriftFarbe(int band)
{
    switch (band) {
    case 18:
    case 45: return ToQColor(0x00800000);
    case 54: return ToQColor(0x00000080);
    default: return stiftFarbe(band);
    }
}

const QFont& arial12(bool fett)
{
    static const QFont normal = [] {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(12);
        return f;
    }();
    static const QFont bold = [] {
        QFont f = normal;
        f.setBold(true);
        return f;
    }();
    return fett ? bold : normal;
}

const QFontMetrics& arial12Masse(bool fett)
{
    static const QFontMetrics normal(arial12(false));
    static const QFontMetrics bold(arial12(true));
    return fett ? bold : normal;
}

// A number overlay: red, Arial bold 12 pixels, on white, top-left at `at`.
void nummer(QPainter& p, QPoint at, int n)
{
    const QString text = QString::number(n);
    const QFontMetrics& fm = arial12Masse(true);
    const QRect r(at, QSize(fm.horizontalAdvance(text), fm.height()));
    p.fillRect(r, Qt::white);
    p.setFont(arial12(true));
    p.setPen(kRot);
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop, text);
}

void markierungen(QPainter& p, const TGleisBildElement& e, int w, int h)
{
    if (e.DiagnoseMarkiert) {
        p.setPen(QPen(kRot, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(w, 2), QPointF(2, 2), QPointF(2, h - 1), QPointF(w, h - 1)}));
    }
    if (e.FahrstrasseManuelGewaehlt) {
        p.setPen(QPen(kGruen, 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(w, 1.5), QPointF(1.5, 1.5), QPointF(1.5, h - 1.5), QPointF(w, h - 1.5)}));
    }
}

bool zeigtMagnetArtNr(int kategorie)
{
    switch (static_cast<ElementKategorie>(kategorie)) {
    case ElementKategorie::Geschaltet:
    case ElementKategorie::Signal:
    case ElementKategorie::Doppelkreuzweiche:
    case ElementKategorie::ProgrammTaste:
    case ElementKategorie::BahnuebergangOben:
    case ElementKategorie::BahnuebergangUnten:
        return true;
    default:
        return false;
    }
}

void gitterElementZeichnen(QPainter& p, const TGleisBildElement& e, const ZeichenOptionen& o)
{
    const int zeile = KachelZeile(e, o.inFarbe);
    p.drawImage(QPoint(0, 0), GleisKachelBild(), KachelRect(e.GleisBildNr, zeile));
    if (o.kontaktNr) {
        nummer(p, QPoint(5, 4), e.GleisKontaktNr);
    }
    if (o.magnetArtNr && zeigtMagnetArtNr(e.Kategorie)) {
        nummer(p, QPoint(2, 4), e.MagnetArtNr);
    }
    if (e.StellungFehler) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(kRot, 2));
        p.drawLine(5, 5, ElementGroesse - 5, ElementGroesse - 5);
        p.drawLine(5, ElementGroesse - 5, ElementGroesse - 5, 5);
    }
}

void textZentriert(QPainter& p, const QRect& r, const QString& text, const QColor& farbe)
{
    p.setFont(arial12(false));
    p.setPen(farbe);
    const int breite = arial12Masse(false).horizontalAdvance(text);
    if (breite <= r.width()) {
        p.drawText(r, Qt::AlignCenter, text);
    } else {
        p.drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

void signalTasteZeichnen(QPainter& p, const SignalTaste& t)
{
    if (!t.vorhanden || !t.sichtbar) {
        return;
    }
    const QRect r = t.rect;
    p.fillRect(r, QColor(236, 236, 236));
    p.setPen(QColor(255, 255, 255));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(150, 150, 150));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.drawImage(r.topLeft() + QPoint(2, 2), SchalterBild(t.Bild));
}

void lokAnzeigeZeichnen(QPainter& p, const TGleisBildElement& e, const ZeichenOptionen& o, const TrainServices& zuege)
{
    const int w = e.rect.width();
    const int h = ElementGroesse;
    const int band = FarbBand(e, o.inFarbe);
    const LokAnzeigeAufteilung lay = LokAnzeigeLayout(e, o.signaleOhneNr);
    const bool station = e.HaltestelleNr != KeineHaltestelle && zuege.HaltestelleVorhanden(e.HaltestelleNr);
    const QString stationName = station ? zuege.HaltestelleName(e.HaltestelleNr) : QString();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(0, 0, w, h), DiagrammHintergrundFarbe());

    if (e.FahrstrasseManuelWeiche) {
        p.fillRect(QRect(0, 0, w, h), kGruen);
        textZentriert(p, QRect(0, 0, w, h), stationName, Qt::white);
    } else {
        p.setPen(QPen(e.GleiskontaktBesetzt ? kRot : stiftFarbe(band), 1));
        p.setBrush(e.InFahrstrasse ? kGelb : QColor(Qt::white));
        p.drawRect(lay.rahmen.adjusted(0, 0, -1, -1));
        p.setBrush(Qt::NoBrush);
        p.save();
        p.setClipRect(lay.rahmen.adjusted(1, 1, -1, -1));
        if (e.Zug != nullptr) {
            const QImage bild = o.lokbilder ? zuege.ZugBild(*e.Zug) : QImage();
            if (o.lokbilder) {
                if (!bild.isNull()) {
                    p.drawImage(QPoint(lay.text.left() + 4, 1), bild);
                }
            } else {
                textZentriert(p, lay.text, zuege.ZugName(*e.Zug), schriftFarbe(band));
            }
            if (station) {
                const int x = zuege.HaltestelleRichtung(e.HaltestelleNr) == 0 ? lay.text.left() : lay.text.right();
                p.fillRect(QRect(x - 1, 1, 3, 18), zuege.HaltestelleAbfahrtFrei(e.HaltestelleNr) ? kGruen : kMagenta);
            }
        } else if (!e.DurchfahrenderZug.isEmpty()) {
            const QString text = e.AnkunftRichtung == 7 ? QStringLiteral("<-") + e.DurchfahrenderZug
                                                        : e.DurchfahrenderZug + QStringLiteral("->");
            textZentriert(p, lay.text, text, schriftFarbe(band));
        } else if (!e.ErwarteterZug.isEmpty()) {
            textZentriert(p, lay.text, QStringLiteral("**") + e.ErwarteterZug + QStringLiteral(" hält*"), schriftFarbe(band));
        } else if (station) {
            textZentriert(p, lay.text, stationName, schriftFarbe(band));
        }
        p.restore();
        if (e.Zug == nullptr && e.DurchfahrenderZug.isEmpty() && e.ErwarteterZug.isEmpty() && station
            && zuege.HaltestelleHierNichtFahren(e.HaltestelleNr)) {
            const int von = e.LokAnzeigeVariante == 0 ? 0 : 20;
            const int bis = e.LokAnzeigeVariante == 0 ? w : w - 20;
            p.setPen(QPen(kRot, 2));
            p.drawLine(von, 0, bis, h);
            p.drawLine(von, h, bis, 0);
        }
    }
    signalTasteZeichnen(p, e.ImageLinks);
    signalTasteZeichnen(p, e.ImageRechts);

    const int v = e.LokAnzeigeVariante;
    if (o.kontaktNr) {
        nummer(p, QPoint(v == 0 ? 25 : 55, 4), e.GleisKontaktNr);
    }
    if (o.magnetArtNr) {
        switch (v) {
        case 0: nummer(p, QPoint(25, 4), e.MagnetArtNr); break;
        case 1:
            nummer(p, QPoint(25, 4), e.MagnetArtNr0);
            nummer(p, QPoint(90, 4), e.MagnetArtNr1);
            break;
        case 2: nummer(p, QPoint(92, 4), e.MagnetArtNr1); break;
        case 3: nummer(p, QPoint(25, 4), e.MagnetArtNr0); break;
        default: break;
        }
    }
}

// Bevelled key face: raised, or lowered while pressed.
void taste(QPainter& p, const QRect& r, const QColor& farbe, bool gedrueckt)
{
    p.fillRect(r, farbe);
    const QColor hell = farbe.lighter(160);
    const QColor dunkel = farbe.darker(170);
    p.setPen(gedrueckt ? dunkel : hell);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(gedrueckt ? hell : dunkel);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

QFont schalterSchrift(const TSchalterElement& s)
{
    QFont f(s.FontName);
    f.setPointSize(std::max(1, s.FontSize));
    f.setBold(s.FontBold);
    f.setItalic(s.FontItalic);
    f.setUnderline(s.FontUnderline);
    f.setStrikeOut(s.FontStrikeOut);
    return f;
}

void paletteRahmen(QPainter& p, int w, int h, bool imPalette, bool ausgewaehlt)
{
    if (imPalette) {
        p.setPen(ausgewaehlt ? kRot : kRahmenGrau);
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, w - 1, h - 1);
    }
}

} // namespace

ZeichenOptionen ZeichenOptionenVon(const TGleisBild& bild)
{
    const ProjectSettings& s = bild.programm().settings;
    ZeichenOptionen o;
    o.inFarbe = s.GleisplanInFarbe;
    o.raster = s.RasterAnzeigen;
    o.kontaktNr = bild.GleisKontaktNrAnzeigen;
    o.magnetArtNr = bild.MagnetArtNrAnzeigen;
    o.signaleOhneNr = s.ShowUnnumberedSignals;
    o.lokbilder = s.LocoDisplayMode == QStringLiteral("LokbilderAnzeigen");
    o.modus = bild.Modus();
    return o;
}

int FarbBand(const TGleisBildElement& e, bool inFarbe)
{
    if (!inFarbe) {
        return 0;
    }
    const int band = e.GleisFarbeAktuel;
    // Only the seven band starts exist; anything else from a file is drawn in the standard colour.
    return band >= 0 && band % FarbBandZeilen == 0 && band < FarbBaender * FarbBandZeilen ? band : 0;
}

int KachelZeile(const TGleisBildElement& e, bool inFarbe)
{
    const int k = e.GleisBildNr;
    if (k == SprungmarkeArt) {
        return std::clamp(e.SprungmarkeNr - 1, 0, SprungmarkenZeilen - 1);
    }
    if (k == 16 || k == 17) {
        if (e.AblaufsteuerungName.isEmpty()) {
            return 0;
        }
        return 2 + 2 * std::clamp(e.Stellung, 0, 2);
    }
    int zeile = 0;
    const bool stellungsZeile = (k >= 1 && k <= 14) || (k >= 49 && k <= 52) || IstDoppelkreuzweiche(k);
    const bool fahrstrassenStellung = k == 15 || (k >= 20 && k <= 48) || (k >= 62 && k <= 79);
    if (stellungsZeile) {
        zeile = (e.InFahrstrasse ? ZeileFahrstrasse : 0) + (e.Stellung == 1 ? ZeileStellung1 : 0);
    } else if (fahrstrassenStellung) {
        zeile = e.InFahrstrasse ? ZeileFahrstrasse + (e.FahrstrasseStellung == 1 ? ZeileStellung1 : 0)
                                : (e.Stellung == 1 ? ZeileStellung1 : 0);
    } else {
        zeile = e.InFahrstrasse ? ZeileFahrstrasse : 0;
    }
    if (e.GleiskontaktBesetzt) {
        zeile += ZeileBesetzt;
    }
    return FarbBand(e, inFarbe) + zeile;
}

LokAnzeigeAufteilung LokAnzeigeLayout(const TGleisBildElement& e, bool signaleOhneNr)
{
    LokAnzeigeAufteilung lay;
    const int w = e.rect.width();
    const int v = e.LokAnzeigeVariante;
    if (v != 0) {
        lay.linksFrei = v == 2 || ((v == 1 || v == 3) && (signaleOhneNr || e.MagnetArtNr0 != 0));
        lay.rechtsFrei = v == 3 || ((v == 1 || v == 2) && (signaleOhneNr || e.MagnetArtNr1 != 0));
    }
    const int links = lay.linksFrei ? kLokAnzeigeSignalBreite : 0;
    const int rechts = lay.rechtsFrei ? kLokAnzeigeSignalBreite : 0;
    lay.rahmen = QRect(links, 0, w - links - rechts, ElementGroesse);
    lay.text = lay.rahmen.adjusted(3, 3, -3, -3);
    return lay;
}

void ElementZeichnen(QPainter& p, const TGleisBildElement& e, const ZeichenOptionen& o, const TrainServices& zuege)
{
    p.save();
    if (e.istLokAnzeige()) {
        lokAnzeigeZeichnen(p, e, o, zuege);
    } else {
        gitterElementZeichnen(p, e, o);
    }
    markierungen(p, e, e.istLokAnzeige() ? e.rect.width() : ElementGroesse, ElementGroesse);
    p.restore();
}

QString ElementHinweis(const TGleisBildElement& e, const TrainServices& zuege)
{
    QString hinweis = e.Hint;
    if (e.GleisBildNr == 16 || e.GleisBildNr == 17) {
        if (e.AblaufsteuerungName.isEmpty()) {
            hinweis = QStringLiteral("Noch kein Ablaufsteuerungs-Programm zugewiesen");
        } else if (e.Stellung == 1) {
            hinweis = e.AblaufsteuerungName + QStringLiteral(" Gestartet");
        } else if (e.Stellung == 2) {
            hinweis = QStringLiteral("Es sind nur 2 Programme zugleich möglich");
        } else {
            hinweis = e.AblaufsteuerungName;
        }
    } else if (e.istLokAnzeige()) {
        const bool station = e.HaltestelleNr != KeineHaltestelle && zuege.HaltestelleVorhanden(e.HaltestelleNr);
        if (e.Zug != nullptr && station) {
            hinweis = zuege.HaltestelleName(e.HaltestelleNr) + u' ' + zuege.ZugName(*e.Zug) + u'\r'
                + QStringLiteral("** CTRL+RechtsClick = Info **");
        } else if (e.Zug == nullptr && !e.DurchfahrenderZug.isEmpty()) {
            hinweis = QStringLiteral("Zug ") + e.DurchfahrenderZug + QStringLiteral(" fährt durch");
        } else if (e.Zug == nullptr && !e.ErwarteterZug.isEmpty()) {
            hinweis = QStringLiteral("Zug ") + e.ErwarteterZug + QStringLiteral(" hält");
        }
    }
    return hinweis.replace(u'\r', u'\n');
}

QRect HintergrundRect() { return {RasterUrsprung, QSize(HintergrundBreite, HintergrundHoehe)}; }

void HintergrundZeichnen(QPainter& p, const ZeichenOptionen& o)
{
    const QRect r = HintergrundRect();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(r, DiagrammHintergrundFarbe());
    const bool editor = istEditorModus(o.modus);
    if (o.raster || editor) {
        const QColor linien = editor ? ToQColor(clMaroon) : kGrauText;
        p.setPen(QPen(linien, 1));
        const QPoint erste = ZellenPixel(1, 1);
        const QPoint letzte = ZellenPixel(RasterSpalten, RasterZeilen) + QPoint(ElementGroesse - 1, ElementGroesse - 1);
        for (int y = 1; y <= RasterZeilen; ++y) {
            const int py = ZellenPixel(1, y).y() - 1;
            p.drawLine(erste.x() - 1, py, letzte.x(), py);
        }
        for (int x = 1; x <= RasterSpalten; ++x) {
            const int px = ZellenPixel(x, 1).x() - 1;
            p.drawLine(px, erste.y() - 1, px, letzte.y());
        }
        if (o.modus == kModusVerschieben) {
            p.setPen(QPen(ToQColor(clBlue), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.drawRect(r.adjusted(1, 1, -2, -2));
        } else {
            p.setPen(QPen(linien, 1));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
    p.restore();
}

void BahnuebergangVorschauZeichnen(QPainter& p, int paletteArt, int x, int y, bool belegt)
{
    const QPoint oben = ZellenPixel(x, y);
    const QSize groesse = paletteArt == 80 ? QSize(ElementGroesse, ElementGroesse + RasterAbstand)
                                           : QSize(ElementGroesse + RasterAbstand, ElementGroesse);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(belegt ? kRot : kGruen, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(oben, groesse).adjusted(0, 0, -1, -1));
    p.restore();
}

void SchalterZeichnen(QPainter& p, const TSchalterElement& s, bool imPalette, bool ausgewaehlt)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const int breite = SchalterBreite(s);
    p.fillRect(QRect(0, 0, breite, s.Height), ToQColor(s.BackgroundColor));
    const QImage& bild = TastenBild(s.BildNr + (s.Zustand != 0 ? 1 : 0));
    if (!bild.isNull()) {
        p.drawImage(s.TastenBild.topLeft() + QPoint(2, 2), bild);
    }
    if (s.TasterSchalter == TSchalterElement::Taster) {
        const QRect r = SchalterTastenRect(s, true);
        taste(p, r, s.Zustand != 0 ? kGruen : kRot, false);
        p.setFont(schalterSchrift(s));
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, s.Caption);
    } else {
        if (s.ANTaste.Visible) {
            taste(p, SchalterTastenRect(s, true), kGruen, s.ANTaste.Gedrueckt);
        }
        if (s.AUSTaste.Visible) {
            taste(p, SchalterTastenRect(s, false), kRot, s.AUSTaste.Gedrueckt);
        }
    }
    paletteRahmen(p, breite, s.Height, imPalette, ausgewaehlt);
    p.restore();
}

int SchalterBreite(const TSchalterElement& s)
{
    if (s.TasterSchalter != TSchalterElement::Taster) {
        return 63;
    }
    const int text = QFontMetrics(schalterSchrift(s)).horizontalAdvance(s.Caption);
    return std::max(46, text + 34);
}

QRect SchalterTastenRect(const TSchalterElement& s, bool an)
{
    if (s.TasterSchalter == TSchalterElement::Taster) {
        if (!an) {
            return {};
        }
        const int text = QFontMetrics(schalterSchrift(s)).horizontalAdvance(s.Caption);
        return {s.ANTaste.rect.topLeft(), QSize(std::max(20, text + 6), s.ANTaste.rect.height())};
    }
    const TSchalterElement::Taste& t = an ? s.ANTaste : s.AUSTaste;
    return t.Visible ? t.rect : QRect();
}

void SoundSchalterZeichnen(QPainter& p, const TSoundSchalterElement& s, bool imPalette, bool ausgewaehlt)
{
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.fillRect(QRect(0, 0, s.Width, s.Height), ToQColor(clBtnFace));
    p.drawImage(s.Bild, TastenBild(s.HatSound() ? 9 : 8));
    paletteRahmen(p, s.Width, s.Height, imPalette, ausgewaehlt);
    p.restore();
}

void TextElementZeichnen(QPainter& p, const TTextElement& t)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect r(0, 0, t.Width, t.Height);
    p.fillRect(r, ToQColor(t.BackgroundColor));
    QFont f(t.FontName);
    f.setPointSize(std::max(1, t.FontSize));
    f.setBold(t.FontBold);
    f.setItalic(t.FontItalic);
    f.setUnderline(t.FontUnderline);
    f.setStrikeOut(t.FontStrikeOut);
    p.setFont(f);
    p.setPen(ToQColor(t.FontColor));
    p.drawText(r.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, t.Text);
    p.setPen(kRahmenGrau);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

namespace {
constexpr double kDrehscheibeMitte = 62.0;
constexpr double kAnschlussRadius = 57.0;
constexpr double kBrueckenRadius = 49.0;

QPointF drehscheibePunkt(double winkelGrad, double radius)
{
    const double a = winkelGrad * std::numbers::pi / 180.0;
    return {kDrehscheibeMitte + radius * std::cos(a), kDrehscheibeMitte - radius * std::sin(a)};
}
} // namespace

QPoint DrehscheibeAnschluss(int i)
{
    return drehscheibePunkt(7.5 * i, kAnschlussRadius).toPoint();
}

void DrehscheibeZeichnen(QPainter& p, const TDrehscheibeElement& d, bool editor)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(QRect(0, 0, DrehscheibeGroesse, DrehscheibeGroesse), DiagrammHintergrundFarbe());
    // The pit.
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(QColor(225, 220, 205));
    p.drawEllipse(QPointF(kDrehscheibeMitte, kDrehscheibeMitte), 52.0, 52.0);
    // Connection keys, with their track numbers.
    QFont klein(QStringLiteral("DejaVu Sans"));
    klein.setPixelSize(6);
    p.setFont(klein);
    for (int i = 0; i < DrehscheibePositionen; ++i) {
        const QPoint c = DrehscheibeAnschluss(i);
        const QRect r(c.x() - 4, c.y() - 4, 8, 8);
        p.setPen(QColor(110, 110, 110));
        p.setBrush(ToQColor(clSilver));
        p.drawRect(r);
        const int gleis = d.AnschlussGleis[static_cast<size_t>(i)];
        if (gleis != 0) {
            p.setPen(Qt::black);
            p.drawText(r, Qt::AlignCenter, QString::number(gleis));
        }
    }
    // The bridge between the current position and the opposite one.
    const int pos = ((d.Position % DrehscheibePositionen) + DrehscheibePositionen) % DrehscheibePositionen;
    const int gegen = (pos + DrehscheibePositionen / 2) % DrehscheibePositionen;
    const double a = 7.5 * pos;
    const QPointF vorn = drehscheibePunkt(a, kBrueckenRadius);
    const QPointF hinten = drehscheibePunkt(7.5 * gegen, kBrueckenRadius);
    const QPointF t = (vorn - hinten) / (2 * kBrueckenRadius);
    const QPointF quer(-t.y() * 5.0, t.x() * 5.0);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(ToQColor(0x00808080));
    p.drawPolygon(QPolygonF({vorn + quer, vorn - quer, hinten - quer, hinten + quer}));
    p.setPen(QPen(kRot, 1.5));
    p.drawLine(vorn, hinten);
    p.setPen(Qt::NoPen);
    p.setBrush(kGruen);
    p.drawPolygon(QPolygonF({vorn + t * 4.0, vorn - t * 6.0 + quer * 1.2, vorn - t * 6.0 - quer * 1.2}));
    if (editor) {
        const QRect x(108, 108, 15, 15);
        taste(p, x, ToQColor(clSilver), false);
        p.setPen(Qt::black);
        p.setFont(arial12(true));
        p.drawText(x, Qt::AlignCenter, QStringLiteral("X"));
    }
    p.restore();
}

Treffer GleisbildTreffer(const TGleisBild& bild, QPoint pixel)
{
    Treffer t;
    for (const auto& s : bild.SchalterElemente()) {
        const QPoint lokal = pixel - QPoint(s->Left, s->Top);
        if (s->Visible && QRect(0, 0, SchalterBreite(*s), s->Height).contains(lokal)) {
            t.art = Treffer::Art::Schalter;
            t.schalter = s.get();
            for (const bool an : {true, false}) {
                if (SchalterTastenRect(*s, an).contains(lokal)) {
                    t.aufTaste = true;
                    t.anTaste = an;
                }
            }
            return t;
        }
    }
    for (const auto& s : bild.SoundSchalterElemente()) {
        if (s->Visible && QRect(s->Left, s->Top, s->Width, s->Height).contains(pixel)) {
            t.art = Treffer::Art::SoundSchalter;
            t.sound = s.get();
            return t;
        }
    }
    for (const auto& s : bild.TextElemente()) {
        if (s->Visible && QRect(s->Left, s->Top, s->Width, s->Height).contains(pixel)) {
            t.art = Treffer::Art::Text;
            t.text = s.get();
            return t;
        }
    }
    const TDrehscheibeElement& d = bild.Drehscheibe();
    if (d.Visible && QRect(d.Left, d.Top, DrehscheibeGroesse, DrehscheibeGroesse).contains(pixel)) {
        t.art = Treffer::Art::Drehscheibe;
        return t;
    }
    // A loco display covers the grid lines between its cells as well.
    const int dx = pixel.x() - (RasterUrsprung.x() + 1);
    const int dy = pixel.y() - (RasterUrsprung.y() + 1);
    if (dx >= 0 && dy >= 0) {
        TGleisBildElement* e = bild.Zelle(dx / RasterAbstand + 1, dy / RasterAbstand + 1);
        if (e != nullptr && e->istLokAnzeige() && e->rect.contains(pixel)) {
            const QPoint lokal = pixel - e->rect.topLeft();
            for (const bool links : {true, false}) {
                const SignalTaste& taste = links ? e->ImageLinks : e->ImageRechts;
                if (taste.vorhanden && taste.sichtbar && taste.rect.contains(lokal)) {
                    if (taste.enabled) {
                        t.art = Treffer::Art::SignalTaste;
                        t.element = e;
                        t.links = links;
                    }
                    return t;
                }
            }
            t.art = Treffer::Art::Element;
            t.element = e;
            return t;
        }
    }
    if (const std::optional<QPoint> zelle = ZelleAnPixel(pixel)) {
        if (TGleisBildElement* e = bild.Zelle(zelle->x(), zelle->y())) {
            t.art = Treffer::Art::Element;
            t.element = e;
        }
    }
    return t;
}

QString GleisbildHinweis(const TGleisBild& bild, QPoint pixel)
{
    const Treffer t = GleisbildTreffer(bild, pixel);
    switch (t.art) {
    case Treffer::Art::Element:
        return ElementHinweis(*t.element, bild.trains());
    case Treffer::Art::SignalTaste:
        return (t.links ? t.element->ImageLinks : t.element->ImageRechts).Hint;
    case Treffer::Art::Schalter:
        return t.schalter->TasterSchalter == TSchalterElement::AnAus ? t.schalter->Caption : QString();
    case Treffer::Art::SoundSchalter:
        return t.sound->HatSound() ? t.sound->SoundDatei : QStringLiteral("Bitte Sound Datei auswählen");
    default:
        return {};
    }
}

void SignalTastenAktualisieren(TGleisBild& bild)
{
    const bool alle = bild.programm().settings.ShowUnnumberedSignals;
    for (const auto& e : bild.Elemente()) {
        if (!e->istLokAnzeige() || e->LokAnzeigeVariante == 0) {
            continue;
        }
        for (const bool links : {true, false}) {
            SignalTaste& taste = links ? e->ImageLinks : e->ImageRechts;
            if (!taste.vorhanden || taste.gesperrt) {
                continue;
            }
            const int adresse = links ? e->MagnetArtNr0 : e->MagnetArtNr1;
            if (alle || adresse != 0) {
                taste.sichtbar = true;
                taste.enabled = true;
                if (alle) {
                    links ? e->SetSignalLinks(0) : e->SetSignalRechts(0);
                } else if (taste.Bild == SchalterBildSignalOhneNr) {
                    taste.Bild = links ? TGleisBildElement::BildLinksRot : TGleisBildElement::BildRechtsRot;
                }
            } else {
                taste.sichtbar = false;
                taste.enabled = false;
                taste.Bild = SchalterBildSignalOhneNr;
            }
        }
    }
    Q_EMIT bild.allesNeuZeichnen();
}
