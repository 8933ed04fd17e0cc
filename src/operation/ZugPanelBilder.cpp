#include "operation/ZugPanelBilder.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <cmath>

namespace {
struct SetFarben {
    QColor grundAus, grundAn, rand, schriftAus, schriftAn;
    bool rund;
};

// Set 0: grey keys, lit yellow. Set 1: dark keys, lit green. Set 2: white round keys, lit orange.
const std::array<SetFarben, 3> kSets{{
    {QColor(0xD8, 0xD8, 0xD8), QColor(0xFF, 0xE0, 0x40), QColor(0x70, 0x70, 0x70), QColor(0x20, 0x20, 0x20),
     QColor(0x20, 0x20, 0x20), false},
    {QColor(0x20, 0x30, 0x60), QColor(0x20, 0xA0, 0x40), QColor(0x10, 0x18, 0x30), QColor(0xE8, 0xE8, 0xE8),
     QColor(0xFF, 0xFF, 0xFF), false},
    {QColor(0xFA, 0xFA, 0xFA), QColor(0xFF, 0x90, 0x20), QColor(0x50, 0x60, 0x80), QColor(0x30, 0x40, 0x60),
     QColor(0x00, 0x00, 0x00), true},
}};

QImage leer()
{
    QImage image(FunktionBildGroesse, FunktionBildGroesse, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void taste(QPainter& p, const SetFarben& f, bool an)
{
    p.setPen(QPen(f.rand, 1));
    p.setBrush(an ? f.grundAn : f.grundAus);
    const QRectF r(0.5, 0.5, FunktionBildGroesse - 1, FunktionBildGroesse - 1);
    if (f.rund) {
        p.drawEllipse(r);
    } else {
        p.drawRoundedRect(r, 3, 3);
    }
}

QImage funktionBild(const SetFarben& f, int symbol, bool an)
{
    QImage image = leer();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    taste(p, f, an);
    if (symbol == 0) {
        // The neutral icon: an empty key with a small mark.
        p.setPen(Qt::NoPen);
        p.setBrush(f.schriftAus);
        p.drawEllipse(QPointF(10, 10), 1.5, 1.5);
        return image;
    }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(symbol < 10 ? 11 : 9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(an ? f.schriftAn : f.schriftAus);
    p.drawText(QRect(0, 0, FunktionBildGroesse, FunktionBildGroesse), Qt::AlignCenter, QString::number(symbol));
    return image;
}

std::vector<QImage> liste(int set)
{
    const SetFarben& f = kSets[static_cast<size_t>(set)];
    std::vector<QImage> bilder;
    bilder.reserve(FunktionBilderAnzahl);
    bilder.push_back(funktionBild(f, 0, false));
    for (int a = 1; 2 * a < FunktionBilderAnzahl; ++a) {
        bilder.push_back(funktionBild(f, a, false));
        bilder.push_back(funktionBild(f, a, true));
    }
    return bilder;
}

void pfeil(QPainter& p, bool rechts)
{
    QPolygonF spitze;
    if (rechts) {
        spitze << QPointF(17, 10) << QPointF(10, 4) << QPointF(10, 16);
    } else {
        spitze << QPointF(3, 10) << QPointF(10, 4) << QPointF(10, 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x40, 0x90));
    p.drawPolygon(spitze);
    p.drawRect(rechts ? QRectF(3, 8, 8, 4) : QRectF(9, 8, 8, 4));
}

void lampe(QPainter& p, bool an)
{
    if (an) {
        p.setPen(QPen(QColor(0xE0, 0xA0, 0x00), 1.2));
        for (int i = 0; i < 8; ++i) {
            const double w = i * 3.14159265 / 4;
            p.drawLine(QPointF(10 + 6 * std::cos(w), 9 + 6 * std::sin(w)), QPointF(10 + 8.5 * std::cos(w), 9 + 8.5 * std::sin(w)));
        }
    }
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(an ? QColor(0xFF, 0xE0, 0x30) : QColor(0xB0, 0xB0, 0xB0));
    p.drawEllipse(QPointF(10, 9), 4.5, 4.5);
    p.setBrush(QColor(0x60, 0x60, 0x60));
    p.drawRect(QRectF(8, 14, 4, 3));
}

void buchstabe(QPainter& p, const QString& text, const QColor& grund, const QColor& schrift)
{
    p.setPen(Qt::NoPen);
    p.setBrush(grund);
    p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(schrift);
    p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, text);
}
} // namespace

const std::vector<QImage>& FunktionBilderListe(int set)
{
    static std::array<std::vector<QImage>, 3> listen;
    const size_t i = set >= 0 && set <= 2 ? static_cast<size_t>(set) : 2;
    if (listen[i].empty()) {
        listen[i] = liste(static_cast<int>(i));
    }
    return listen[i];
}

QImage ZugPanelBild(int index)
{
    QImage image = leer();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0: // close
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
        p.drawLine(QPointF(5, 5), QPointF(15, 15));
        p.drawLine(QPointF(15, 5), QPointF(5, 15));
        break;
    case 1: { // stop: a red octagon
        QPolygonF achteck;
        for (int i = 0; i < 8; ++i) {
            const double w = (i + 0.5) * 3.14159265 / 4;
            achteck << QPointF(10 + 8.5 * std::cos(w), 10 + 8.5 * std::sin(w));
        }
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(QColor(0xD0, 0x10, 0x10));
        p.drawPolygon(achteck);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(5, 8.5, 10, 3));
        break;
    }
    case 2:
        pfeil(p, false);
        break;
    case 3:
        pfeil(p, true);
        break;
    case 4:
        lampe(p, true);
        break;
    case 5:
        lampe(p, false);
        break;
    case 7:
        buchstabe(p, QStringLiteral("A"), QColor(0x20, 0xA0, 0x40), Qt::white);
        break;
    case 8:
        buchstabe(p, QStringLiteral("A"), QColor(0xB8, 0xB8, 0xB8), QColor(0x40, 0x40, 0x40));
        break;
    case 9:
        buchstabe(p, QStringLiteral("i"), QColor(0x20, 0x60, 0xC0), Qt::white);
        break;
    default:
        return {};
    }
    return image;
}
