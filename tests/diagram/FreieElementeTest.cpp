// Drawing of the free-standing elements, the turntable and the background border by mode.
#include "diagram/GleisbildZeichner.h"
#include "diagram/Kacheln.h"

#include "DiagramFixture.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace {
template <typename F>
QImage malen(QSize size, F&& f)
{
    QImage bild(size, QImage::Format_RGB32);
    bild.fill(Qt::black);
    QPainter p(&bild);
    f(p);
    p.end();
    return bild;
}

// The smallest rectangle holding every pixel in which two pictures differ.
QRect unterschied(const QImage& a, const QImage& b)
{
    QRect r;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                r |= QRect(x, y, 1, 1);
            }
        }
    }
    return r;
}
} // namespace

TEST(FreieElemente, SwitchShowsItsPictureByStateAndItsKeysByKind)
{
    TSchalterElement s(QStringLiteral("SchalterElement1"));
    s.BildNr = 2;
    s.SetTasterSchalter(TSchalterElement::AnAus);
    EXPECT_EQ(SchalterBreite(s), 63);
    const auto bild = [&s] { return malen(QSize(SchalterBreite(s), s.Height), [&s](QPainter& p) { SchalterZeichnen(p, s); }); };
    s.Zustand = 0;
    const QImage aus = bild();
    s.Zustand = 1;
    const QImage an = bild();
    // On shows picture BildNr + 1: the same as picture 3 while off.
    s.BildNr = 3;
    s.Zustand = 0;
    EXPECT_EQ(bild().copy(s.TastenBild), an.copy(s.TastenBild));
    EXPECT_NE(aus.copy(s.TastenBild), an.copy(s.TastenBild));

    TSchalterElement taster(QStringLiteral("SchalterElement2"));
    taster.Caption = QStringLiteral("Beleuchtung Bahnhof");
    taster.SetTasterSchalter(TSchalterElement::Taster);
    EXPECT_TRUE(SchalterTastenRect(taster, false).isEmpty()) << "a push button has no off key";
    EXPECT_GE(SchalterBreite(taster), 46);
    EXPECT_GT(SchalterBreite(taster), SchalterBreite(s)) << "it grows with its caption";
}

TEST(FreieElemente, SoundButtonShowsWhetherItHasASound)
{
    TSoundSchalterElement s(QStringLiteral("SoundSchalterElement1"));
    const auto bild = [&s] { return malen(QSize(s.Width, s.Height), [&s](QPainter& p) { SoundSchalterZeichnen(p, s); }); };
    const QImage ohne = bild();
    s.SoundDatei = QStringLiteral("Pfiff.wav");
    const QImage mit = bild();
    EXPECT_NE(ohne, mit);
    EXPECT_TRUE(s.Bild.contains(unterschied(ohne, mit))) << "only the picture changes";
}

TEST(FreieElemente, TextElementFillsItsBackgroundWithAGreyFrame)
{
    TTextElement t;
    t.Width = 80;
    t.Height = 20;
    t.Text = QStringLiteral("Süd");
    t.BackgroundColor = clYellow;
    const QImage bild = malen(QSize(80, 20), [&t](QPainter& p) { TextElementZeichnen(p, t); });
    EXPECT_EQ(bild.pixelColor(0, 0), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(bild.pixelColor(79, 19), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(bild.pixelColor(75, 3), QColor(Qt::yellow));
}

TEST(Drehscheibe, PositionsLieOnTheCircleCountedCounterClockwiseFromTheRight)
{
    for (int i = 0; i < DrehscheibePositionen; i += 6) {
        const QPoint a = DrehscheibeAnschluss(i);
        const double winkel = i * 7.5 * M_PI / 180.0;
        EXPECT_NEAR(a.x(), 62 + 57 * std::cos(winkel), 1.0) << i;
        EXPECT_NEAR(a.y(), 62 - 57 * std::sin(winkel), 1.0) << i;
    }
    TDrehscheibeElement d;
    d.Position = 0;
    const QImage lauf = malen(QSize(DrehscheibeGroesse, DrehscheibeGroesse), [&d](QPainter& p) { DrehscheibeZeichnen(p, d, false); });
    d.Position = 12;
    const QImage gedreht = malen(QSize(DrehscheibeGroesse, DrehscheibeGroesse), [&d](QPainter& p) { DrehscheibeZeichnen(p, d, false); });
    EXPECT_NE(lauf, gedreht) << "the bridge turns with the position";
    const QImage editor = malen(QSize(DrehscheibeGroesse, DrehscheibeGroesse), [&d](QPainter& p) { DrehscheibeZeichnen(p, d, true); });
    EXPECT_NE(editor.copy(108, 108, 15, 15), gedreht.copy(108, 108, 15, 15)) << "the delete key only in the editor";
}

TEST(Hintergrund, BorderByMode)
{
    struct Row {
        int modus;
        QColor farbe;
        int breite;
    };
    const Row rows[] = {{3, QColor(0, 0, 255), 3}, {2, QColor(0x80, 0, 0), 1}};
    const QRect r = HintergrundRect();
    for (const Row& row : rows) {
        ZeichenOptionen o;
        o.modus = row.modus;
        o.raster = true;
        QImage bild(r.bottomRight().x() + 1, r.bottomRight().y() + 1, QImage::Format_RGB32);
        bild.fill(Qt::black);
        QPainter p(&bild);
        HintergrundZeichnen(p, o);
        p.end();
        EXPECT_EQ(bild.pixelColor(r.left(), r.center().y()), row.farbe) << row.modus;
        EXPECT_EQ(bild.pixelColor(r.left() + row.breite - 1, r.center().y()), row.farbe) << row.modus;
    }
}
