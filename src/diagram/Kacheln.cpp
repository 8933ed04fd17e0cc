#include "diagram/Kacheln.h"

#include "diagram/ElementArten.h"
#include "diagram/Verbindungen.h"

#include <QPainter>
#include <algorithm>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr QPointF kMitte{10.0, 10.0};
const QColor kHintergrund(250, 250, 246);
const QColor kBesetztHintergrund(255, 226, 226);
const QColor kBesetzt(215, 0, 0);
const QColor kFahrstrasse(255, 214, 40);
const QColor kFrei(196, 196, 196);
const QColor kDunkel(40, 40, 40);
const QColor kRot(220, 0, 0);
const QColor kGruen(0, 170, 0);
const QColor kPrellbock(140, 70, 30);
const QColor kTunnel(125, 90, 55);
const QColor kStrasse(205, 205, 205);

// Track colour of each colour band: standard, green, aqua, orange, purple, navy, maroon.
QColor bandFarbe(int band)
{
    static const std::array<QColor, FarbBaender> farben = {
        QColor(60, 60, 60), QColor(0, 128, 0),   QColor(0, 160, 160), QColor(255, 160, 0),
        QColor(128, 0, 128), QColor(0, 0, 128), QColor(128, 0, 0)};
    return farben[static_cast<size_t>(std::clamp(band, 0, FarbBaender - 1))];
}

QPointF punkt(Seite s)
{
    switch (s) {
    case Seite::N: return {10, 0};
    case Seite::NO: return {20, 0};
    case Seite::O: return {20, 10};
    case Seite::SO: return {20, 20};
    case Seite::S: return {10, 20};
    case Seite::SW: return {0, 20};
    case Seite::W: return {0, 10};
    case Seite::NW: return {0, 0};
    case Seite::Keine: break;
    }
    return kMitte;
}

// Unit vector from the centre towards side `s`.
QPointF richtung(Seite s)
{
    const QPointF d = punkt(s) - kMitte;
    const double l = std::hypot(d.x(), d.y());
    return l > 0 ? d / l : QPointF();
}

QPainterPath weg(const Linie& l)
{
    QPainterPath p(punkt(l.a));
    if (l.b == KeineSeite) {
        p.lineTo(kMitte);
    } else {
        p.quadTo(kMitte, punkt(l.b));
    }
    return p;
}

void strich(QPainter& p, const QPainterPath& path, const QColor& farbe, double breite, Qt::PenStyle stil = Qt::SolidLine)
{
    QPen pen(farbe, breite, stil, Qt::FlatCap, Qt::RoundJoin);
    p.strokePath(path, pen);
}

void linie(QPainter& p, QPointF a, QPointF b, const QColor& farbe, double breite)
{
    p.setPen(QPen(farbe, breite, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
}

struct Zustand {
    int band = 0;
    int stellung = 0;
    bool fahrstrasse = false;
    bool besetzt = false;
};

Zustand zustandVon(int zeile)
{
    const int r = zeile % FarbBandZeilen;
    Zustand z;
    z.band = zeile / FarbBandZeilen;
    if (r < 8) {
        z.stellung = r & 1;
        z.fahrstrasse = (r & 2) != 0;
        z.besetzt = (r & 4) != 0;
    }
    return z;
}

void signalLampe(QPainter& p, const Verbindung& v, int stellung, bool haupt)
{
    const QPointF t = richtung(v.blick);
    const QPointF rechts(-t.y(), t.x());
    const QPointF lampe = kMitte + rechts * 6.0 - t * 1.5;
    linie(p, kMitte + rechts * 2.5, lampe, kDunkel, 1.5);
    p.setPen(QPen(kDunkel, 1));
    p.setBrush(stellung != 0 ? kGruen : kRot);
    if (haupt) {
        p.drawEllipse(lampe, 3.6, 3.6);
    } else {
        p.drawRect(QRectF(lampe.x() - 3, lampe.y() - 3, 6, 6));
    }
    p.setBrush(Qt::NoBrush);
}

void pfeil(QPainter& p, Seite nach, QPointF mitte, const QColor& farbe)
{
    const QPointF t = richtung(nach);
    const QPointF quer(-t.y(), t.x());
    const QPointF spitze = mitte + t * 5.0;
    const QPointF basis = mitte - t * 3.0;
    const QPolygonF drei({spitze, basis + quer * 5.0, basis - quer * 5.0});
    p.setPen(Qt::NoPen);
    p.setBrush(farbe);
    p.drawPolygon(drei);
    p.setBrush(Qt::NoBrush);
}

// The road of a level crossing across the track, and its barriers: lowered (red, along the
// track) when closed, raised stubs when open. `nurSeite` limits the barrier to one side.
void bahnuebergang(QPainter& p, const Verbindung& v, int stellung, bool vorher, Seite nurSeite)
{
    const QPointF t = richtung(v.linie.b);
    const QPointF quer(-t.y(), t.x());
    if (vorher) {
        linie(p, kMitte - quer * 12.0, kMitte + quer * 12.0, kStrasse, 10);
        return;
    }
    for (const double seite : {-1.0, 1.0}) {
        const QPointF auf = quer * seite;
        if (nurSeite != KeineSeite && QPointF::dotProduct(auf, richtung(nurSeite)) < 0.5) {
            continue;
        }
        const QPointF fuss = kMitte + auf * 7.0;
        if (stellung != 0) {
            linie(p, fuss - t * 7.0, fuss + t * 7.0, kRot, 2.5);
        } else {
            linie(p, fuss - t * 6.0, fuss - t * 6.0 + auf * 3.0, kDunkel, 2);
        }
    }
}

void programmTaste(QPainter& p, int zustand)
{
    static const std::array<QColor, 4> farben = {QColor(200, 200, 200), QColor(40, 110, 220), kGruen, kRot};
    p.setPen(QPen(kDunkel, 1));
    p.setBrush(farben[static_cast<size_t>(std::clamp(zustand, 0, 3))]);
    p.drawEllipse(kMitte, 6.0, 6.0);
    if (zustand == 2) { // started: a play mark
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(8, 6.5), QPointF(8, 13.5), QPointF(14, 10)}));
    }
    p.setBrush(Qt::NoBrush);
}

void sprungmarke(QPainter& p, int nr)
{
    p.setPen(QPen(bandFarbe(0), 2));
    p.setBrush(Qt::white);
    p.drawEllipse(kMitte, 8.5, 8.5);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 160));
    p.drawText(QRectF(0, 0, 20, 20), Qt::AlignCenter, QString::number(nr));
    p.setBrush(Qt::NoBrush);
}

} // namespace

QColor DiagrammHintergrundFarbe() { return kHintergrund; }

void KachelMalen(QPainter& p, int kind, int zeile)
{
    p.save();
    p.setClipRect(QRect(0, 0, 20, 20));
    p.setRenderHint(QPainter::Antialiasing, true);
    const Verbindung& v = VerbindungVon(kind);
    const bool lokAnzeige = v.form == Form::LokAnzeige;
    if (v.form == Form::Keine || lokAnzeige || !IstElementArt(kind)) {
        p.fillRect(QRect(0, 0, 20, 20), kHintergrund);
        p.restore();
        return;
    }
    if (v.form == Form::Sprungmarke) {
        p.fillRect(QRect(0, 0, 20, 20), kHintergrund);
        if (zeile < SprungmarkenZeilen) {
            sprungmarke(p, zeile + 1);
        }
        p.restore();
        return;
    }
    const bool taste = v.schmuck == Schmuck::ProgrammTaste;
    // Program buttons use rows 0..7 without bands: 0 no program, 2 idle, 4 started, 6 refused.
    const Zustand z = taste ? Zustand{} : zustandVon(zeile);
    p.fillRect(QRect(0, 0, 20, 20), z.besetzt ? kBesetztHintergrund : kHintergrund);
    const QColor gleisFarbe = z.besetzt ? kBesetzt : bandFarbe(z.band);
    const std::array<Linie, 2> gelegt = GelegteLinien(kind, z.stellung);
    const std::array<Linie, 2> frei = FreieLinien(kind, z.stellung);

    if (z.fahrstrasse) {
        for (const Linie& l : gelegt) {
            if (l.gueltig()) {
                strich(p, weg(l), kFahrstrasse, 10);
            }
        }
    }
    if (v.schmuck == Schmuck::Bahnuebergang || v.schmuck == Schmuck::BahnuebergangHalb) {
        bahnuebergang(p, v, z.stellung, true, KeineSeite);
    }
    for (const Linie& l : frei) {
        if (l.gueltig()) {
            strich(p, weg(l), kFrei, 2.5);
        }
    }
    if (v.form == Form::Ueberfuehrung) {
        const Linie unten = v.ersteUnten ? v.linie : v.zweite;
        const Linie oben = v.ersteUnten ? v.zweite : v.linie;
        strich(p, weg(unten), gleisFarbe, 4);
        strich(p, weg(oben), z.besetzt ? kBesetztHintergrund : kHintergrund, 12);
        const QPointF t = richtung(oben.b);
        const QPointF quer(-t.y(), t.x());
        for (const double s : {-1.0, 1.0}) {
            linie(p, kMitte + quer * (5.5 * s) - t * 7.0, kMitte + quer * (5.5 * s) + t * 7.0, kDunkel, 1.2);
        }
        strich(p, weg(oben), gleisFarbe, 4);
    } else if (v.schmuck == Schmuck::Tunnel) {
        const QPointF t = richtung(v.blick);
        const QPointF quer(-t.y(), t.x());
        linie(p, punkt(v.blick), kMitte, gleisFarbe, 4);
        linie(p, kMitte, punkt(GegenSeite(v.blick)), gleisFarbe, 2.5);
        p.setPen(QPen(kTunnel, 2.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPolyline(QPolygonF({kMitte + quer * 7.0 - t * 4.0, kMitte + quer * 7.0, kMitte - quer * 7.0,
                                  kMitte - quer * 7.0 - t * 4.0}));
    } else if (v.schmuck == Schmuck::TunnelStrecke) {
        const QPointF t = richtung(v.linie.b);
        const QPointF quer(-t.y(), t.x());
        for (const double s : {-1.0, 1.0}) {
            linie(p, kMitte + quer * (6.5 * s) - t * 10.0, kMitte + quer * (6.5 * s) + t * 10.0, kTunnel, 1.5);
        }
        strich(p, weg(v.linie), gleisFarbe, 3, Qt::DashLine);
    } else {
        for (const Linie& l : gelegt) {
            if (l.gueltig()) {
                strich(p, weg(l), gleisFarbe, 4);
            }
        }
    }

    switch (v.schmuck) {
    case Schmuck::Hauptsignal:
    case Schmuck::Rangiersignal:
        signalLampe(p, v, z.stellung, v.schmuck == Schmuck::Hauptsignal);
        break;
    case Schmuck::Bahnuebergang:
        bahnuebergang(p, v, z.stellung, false, KeineSeite);
        break;
    case Schmuck::BahnuebergangHalb:
        bahnuebergang(p, v, z.stellung, false, GegenSeite(v.blick));
        break;
    case Schmuck::Pfeil:
        pfeil(p, v.blick, kMitte, gleisFarbe);
        break;
    case Schmuck::Doppelpfeil:
        pfeil(p, v.linie.a, kMitte + richtung(v.linie.a) * 3.0, gleisFarbe);
        pfeil(p, v.linie.b, kMitte + richtung(v.linie.b) * 3.0, gleisFarbe);
        break;
    case Schmuck::ProgrammTaste:
        programmTaste(p, std::min(zeile % FarbBandZeilen, 7) / 2);
        break;
    default:
        break;
    }
    if (v.form == Form::Prellbock) {
        const QPointF t = richtung(v.linie.a);
        const QPointF quer(-t.y(), t.x());
        linie(p, kMitte + quer * 6.5, kMitte - quer * 6.5, kPrellbock, 4);
    }
    p.restore();
}

const QImage& GleisKachelBild()
{
    static const QImage bild = [] {
        QImage b(KachelBildBreite, KachelBildHoehe, QImage::Format_RGB32);
        b.fill(kHintergrund);
        QPainter p(&b);
        for (int kind = 1; 21 * kind <= KachelBildBreite; ++kind) {
            if (!IstElementArt(kind) || kind >= LokAnzeigeArt) {
                continue;
            }
            for (int zeile = 0; zeile < FarbBaender * FarbBandZeilen; ++zeile) {
                const QRect r = KachelRect(kind, zeile);
                p.save();
                p.translate(r.topLeft());
                KachelMalen(p, kind, zeile);
                p.restore();
            }
        }
        return b;
    }();
    return bild;
}

namespace {

QImage kleinBild()
{
    QImage b(KleinBildGroesse, KleinBildGroesse, QImage::Format_ARGB32_Premultiplied);
    b.fill(Qt::transparent);
    return b;
}

void lautsprecher(QPainter& p, bool mitTon)
{
    p.setPen(QPen(kDunkel, 1));
    p.setBrush(mitTon ? QColor(60, 60, 60) : QColor(170, 170, 170));
    p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(5, 6), QPointF(9, 2.5), QPointF(9, 13.5), QPointF(5, 10), QPointF(2, 10)}));
    p.setBrush(Qt::NoBrush);
    if (mitTon) {
        p.setPen(QPen(QColor(0, 120, 220), 1.3));
        p.drawArc(QRectF(7, 5, 5, 6), -60 * 16, 120 * 16);
        p.drawArc(QRectF(7, 2.5, 8, 11), -60 * 16, 120 * 16);
    } else {
        p.setPen(QPen(kRot, 1.6));
        p.drawLine(QPointF(10.5, 5.5), QPointF(15, 10.5));
        p.drawLine(QPointF(10.5, 10.5), QPointF(15, 5.5));
    }
}

std::vector<QImage> tastenBilderBauen()
{
    std::vector<QImage> bilder;
    for (int nr = 0; nr < TastenBilderAnzahl; ++nr) {
        QImage b = kleinBild();
        QPainter p(&b);
        p.setRenderHint(QPainter::Antialiasing, true);
        const bool an = nr % 2 == 1;
        switch (nr) {
        case 0:
        case 1: // lamp
            p.setPen(QPen(kDunkel, 1));
            p.setBrush(an ? QColor(255, 225, 40) : QColor(190, 190, 190));
            p.drawEllipse(QPointF(8, 7), 5, 5);
            p.fillRect(QRectF(6, 12, 4, 3), QColor(110, 110, 110));
            break;
        case 2:
        case 3: // light signal
            p.fillRect(QRectF(7, 9, 2, 7), kDunkel);
            p.setPen(QPen(kDunkel, 1));
            p.setBrush(QColor(30, 30, 30));
            p.drawRoundedRect(QRectF(4, 0.5, 8, 10), 2, 2);
            p.setBrush(an ? kGruen : kRot);
            p.drawEllipse(QPointF(8, 5.5), 2.8, 2.8);
            break;
        case 4:
        case 5: // toggle switch
            p.setPen(QPen(kDunkel, 1));
            p.setBrush(an ? kGruen : QColor(170, 170, 170));
            p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 3.5, 3.5);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(an ? 11 : 5, 8), 3, 3);
            break;
        case 6:
        case 7: // house with a window
            p.setPen(QPen(kDunkel, 1));
            p.setBrush(QColor(215, 190, 160));
            p.drawPolygon(QPolygonF({QPointF(2, 8), QPointF(8, 2), QPointF(14, 8), QPointF(14, 15), QPointF(2, 15)}));
            p.setBrush(an ? QColor(255, 225, 40) : QColor(70, 70, 90));
            p.drawRect(QRectF(6, 9, 4, 4));
            break;
        case 8:
        case 9:
            lautsprecher(p, nr == 9);
            break;
        default: { // the seven track-colour keys
            const int band = nr - 10;
            p.fillRect(QRect(0, 0, 16, 16), kHintergrund);
            p.setPen(QPen(kDunkel, 1));
            p.drawRect(QRectF(0.5, 0.5, 15, 15));
            linie(p, QPointF(1, 8), QPointF(15, 8), bandFarbe(band), 4);
            break;
        }
        }
        p.end();
        bilder.push_back(b);
    }
    return bilder;
}

// A signal lamp on a short track stub towards one end of a loco display.
void ausfahrSignal(QPainter& p, bool links, const QColor& lampe, bool zugWartet)
{
    const double stubVon = links ? 8 : 0;
    const double stubBis = links ? 16 : 8;
    linie(p, QPointF(stubVon, 12.5), QPointF(stubBis, 12.5), kDunkel, 2);
    const QPointF mitte(links ? 6 : 10, 6.5);
    p.setPen(QPen(kDunkel, 1));
    p.setBrush(lampe);
    p.drawEllipse(mitte, 4.5, 4.5);
    p.setBrush(Qt::NoBrush);
    if (zugWartet) { // a small train waiting behind the signal
        p.fillRect(QRectF(links ? 11 : 1, 1, 4, 8), QColor(30, 70, 200));
    }
}

// The pictures of the loco-display menu: one sign each, drawn from the font.
void menueZeichen(QPainter& p, int nr)
{
    const struct {
        int nr;
        const char* zeichen;
        QColor farbe;
    } zeichen[] = {
        {33, "\u25AC", QColor(40, 40, 40)},   // the train
        {34, "\u21C4", QColor(30, 70, 200)},  // turn the train
        {35, "\u2716", QColor(200, 0, 0)},    // delete
        {36, "\u25B6", QColor(0, 140, 0)},    // drive
        {37, "\u21BB", QColor(30, 70, 200)},  // change the direction
        {38, "\u270E", QColor(150, 90, 0)},   // edit the driving data
        {39, "\u23E9", QColor(0, 140, 0)},    // run the reserved route
        {40, "\u25A0", QColor(200, 0, 0)},    // release or delete the route
        {42, "\u266B", QColor(30, 70, 200)},  // sound
        {43, "\u270E", QColor(30, 70, 200)},  // edit the train
        {47, "\u2302", QColor(120, 60, 20)},  // target: station
        {48, "\u27A1", QColor(40, 40, 40)},   // target: through track
        {49, "\u2302", QColor(90, 90, 90)},   // target: shadow station
    };
    for (const auto& z : zeichen) {
        if (z.nr == nr) {
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(14);
            p.setFont(f);
            p.setPen(z.farbe);
            p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromUtf8(z.zeichen));
        }
    }
}

std::vector<QImage> schalterBilderBauen()
{
    std::vector<QImage> bilder;
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    f.setBold(true);
    for (int nr = 0; nr < SchalterBilderAnzahl; ++nr) {
        QImage b = kleinBild();
        QPainter p(&b);
        p.setRenderHint(QPainter::Antialiasing, true);
        switch (nr) {
        case 0: // show contact numbers
        case 2: // show accessory numbers
            p.fillRect(QRect(0, 0, 16, 16), Qt::white);
            p.setPen(QPen(kRot, 1));
            p.drawRect(QRectF(0.5, 0.5, 15, 15));
            p.setFont(f);
            p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, nr == 0 ? QStringLiteral("K") : QStringLiteral("M"));
            break;
        case 14:
        case 15: { // blocked end
            const bool links = nr == 14;
            linie(p, QPointF(links ? 6 : 0, 8), QPointF(links ? 16 : 10, 8), kDunkel, 3);
            linie(p, QPointF(links ? 4.5 : 11.5, 2), QPointF(links ? 4.5 : 11.5, 14), kPrellbock, 4);
            break;
        }
        case 16:
        case 17:
        case 18:
        case 19:
        case 20:
        case 21: {
            const bool links = nr % 2 == 0;
            ausfahrSignal(p, links, nr == 16 || nr == 18 ? kGruen : kRot, nr >= 20);
            break;
        }
        case SchalterBildSignalOhneNr:
            ausfahrSignal(p, true, QColor(200, 200, 200), false);
            break;
        case 24: // automatic operation on / off
        case 25:
            p.setPen(Qt::NoPen);
            p.setBrush(nr == 24 ? kGruen : QColor(150, 150, 150));
            p.drawEllipse(QRectF(1, 1, 14, 14));
            p.setPen(Qt::white);
            p.setFont(f);
            p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("A"));
            break;
        case 41: // block the station
            p.setPen(QPen(kRot, 2));
            p.drawEllipse(QRectF(2, 2, 12, 12));
            linie(p, QPointF(4, 12), QPointF(12, 4), kRot, 2);
            break;
        case 33: case 34: case 35: case 36: case 37: case 38: case 39: case 40:
        case 42: case 43: case 47: case 48: case 49:
            menueZeichen(p, nr);
            break;
        default: // pictures without a use in the diagram: a plain key face
            p.setPen(QPen(QColor(150, 150, 150), 1));
            p.setBrush(QColor(235, 235, 235));
            p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
            break;
        }
        p.end();
        bilder.push_back(b);
    }
    return bilder;
}

const QImage& ausListe(const std::vector<QImage>& liste, int nr)
{
    static const QImage leer;
    return nr >= 0 && nr < static_cast<int>(liste.size()) ? liste[static_cast<size_t>(nr)] : leer;
}

} // namespace

const QImage& TastenBild(int nr)
{
    static const std::vector<QImage> bilder = tastenBilderBauen();
    return ausListe(bilder, nr);
}

const QImage& SchalterBild(int nr)
{
    static const std::vector<QImage> bilder = schalterBilderBauen();
    return ausListe(bilder, nr);
}
