#include "DefaultData.h"

#include "core/FileSave.h"
#include "settings/WaveFile.h"

#include <QDir>
#include <QPainter>
#include <cmath>

namespace {
FahrzeugDaten ordner(const QString& name)
{
    FahrzeugDaten d;
    d.Name = name;
    d.DisplayName = name;
    d.SequenceNumber = -1;
    d.MaxSpeed = 100; // as it is read back, so that loading and saving keeps the file as it is
    return d;
}

struct Beispiel {
    const char* ordner;
    const char* name;
    const char* typ;
    int adresse;
    const char* bild;
    const char* sorte;
    int preis;
    bool zuVerkaufen;
    bool verkauft;
    int verkaufpreis;
    const char* seite;
    int prioritaet;
    const char* hersteller;
    const char* htmlInfo;
    QColor farbe;
};

const Beispiel kBeispiele[] = {
    {"Dampflok", "BR 01 Schnellzuglok", "Lok", 3, "BR01.jpg", "Dampflok", 189, false, false, 0, "Dampf-Loks", 1,
     "Beispielwerk", "Schnellzuglok für schwere Züge", QColor(0x20, 0x20, 0x20)},
    {"Dampflok", "BR 89 Rangierlok", "Lok", 5, "BR89.jpg", "Dampflok", 79, true, false, 0, "Dampf-Loks", 2,
     "Beispielwerk", "Kleine Tenderlok", QColor(0x30, 0x30, 0x38)},
    {"Diesellok", "V 100 Streckenlok", "Lok", 10, "V100.jpg", "Diesellok", 129, false, false, 0, "Diesel_Loks", 1,
     "Modellbau Nord", "Vielseitige Diesellok", QColor(0xA0, 0x20, 0x20)},
    {"E-Lok", "E 44 Güterzuglok", "Lok", 44, "E44.jpg", "E-Lok", 150, false, true, 120, "E-Loks", 1, "Modellbau Nord",
     "Bewährte Güterzuglok", QColor(0x20, 0x50, 0x90)},
    {"Wagen", "Kesselwagen Öl", "Wagen", 0, "Kessel.jpg", "Dampflok", 25, true, false, 0, "Kesselwagen", 1,
     "Beispielwerk", "Kesselwagen für Heizöl", QColor(0x40, 0x40, 0x40)},
    {"Wagen", "Personenwagen 2. Klasse", "Wagen", 0, "Personenwagen.jpg", "Dampflok", 30, false, false, 0,
     "Personenwagen", 1, "Beispielwerk", "Nahverkehrswagen", QColor(0x20, 0x60, 0x30)},
};

const char* const kOrdner[] = {"Dampflok", "Diesellok", "E-Lok", "Wagen"};
} // namespace

void BeispielDatenbankFuellen(FahrzeugDatenbank& db)
{
    db.leeren();
    FahrzeugDaten wurzel = ordner(QStringLiteral("Fahrzeuge"));
    FahrzeugKnoten* top = db.einfuegen(nullptr, wurzel);
    top->ansicht.setChecked(true);
    int id = 0;
    for (const char* name : kOrdner) {
        FahrzeugKnoten* folder = db.einfuegen(top, ordner(QString::fromUtf8(name)));
        for (const Beispiel& b : kBeispiele) {
            if (qstrcmp(b.ordner, name) != 0) {
                continue;
            }
            ++id;
            FahrzeugDaten d;
            d.Name = QString::fromUtf8(b.name);
            d.DisplayName = d.Name;
            d.ArticleType = QString::fromUtf8(b.typ);
            d.Address = b.adresse;
            d.VehicleId = id;
            d.SequenceNumber = id;
            d.PictureFile = QString::fromUtf8(b.bild);
            d.LargePictureFile = QString::fromUtf8(b.bild);
            d.TrainSort = QString::fromUtf8(b.sorte);
            d.TrainKind = d.ArticleType == QLatin1String("Lok") ? QStringLiteral("PersonenZug") : QStringLiteral("Nicht festgelegt");
            d.MaxSpeed = 100;
            d.Price = b.preis;
            d.ForSale = b.zuVerkaufen ? 1 : 0;
            d.Sold = b.verkauft ? 1 : 0;
            d.SalePrice = b.verkaufpreis;
            d.HomepagePage = QString::fromUtf8(b.seite);
            d.HtmlPriority = static_cast<quint8>(b.prioritaet);
            d.Manufacturer = QString::fromUtf8(b.hersteller);
            d.HtmlInfo = QString::fromUtf8(b.htmlInfo);
            d.Epoch = 3;
            // Locomotives are in service (offered in the locomotive bar); wagons stand in the cabinet.
            d.InCabinet = d.ArticleType == QLatin1String("Lok") ? 0 : 1;
            d.BoxIncluded = 1;
            d.Info = QStringLiteral("Beispielfahrzeug\r\n") + d.Name;
            if (d.ArticleType == QLatin1String("Lok")) {
                d.FunctionFlags1to8 = QStringLiteral("11000000");
                d.FunctionNames1to8 = QStringLiteral("Stirnbeleuchtung/Pfeife kurz/Func3/Func4/Func5/Func6/Func7/Func8");
                d.FunctionIcons1to8 = QStringLiteral("005006000000000000000000");
            }
            FahrzeugKnoten* article = db.einfuegen(folder, d);
            article->ansicht.setChecked(true);
        }
    }
}

QImage BeispielBild(const QString& text, bool lok, const QColor& farbe)
{
    QImage image(160, 40, QImage::Format_RGB32);
    image.fill(QColor(0xF4, 0xF1, 0xE8));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Rail
    p.fillRect(0, 36, 160, 2, QColor(0x70, 0x60, 0x50));
    p.setPen(Qt::NoPen);
    p.setBrush(farbe);
    if (lok) {
        p.drawRoundedRect(QRectF(14, 12, 100, 18), 3, 3); // boiler / body
        p.drawRect(QRectF(114, 6, 30, 24));                // cab
        p.drawRect(QRectF(24, 4, 8, 9));                   // chimney
    } else {
        p.drawRoundedRect(QRectF(10, 8, 140, 22), 4, 4);
    }
    p.setBrush(QColor(0x10, 0x10, 0x10));
    static constexpr int lokRaeder[] = {30, 54, 78, 128};
    static constexpr int wagenRaeder[] = {26, 40, 120, 134};
    for (const int x : lok ? lokRaeder : wagenRaeder) {
        p.drawEllipse(QPointF(x, 32), 5, 5);
    }
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(12, 12, 100, 18), Qt::AlignCenter, text);
    return image;
}

namespace {
// A struck note: `ms` long, fading out, with a soft start so that it does not click.
void Ton(std::vector<qint16>& samples, double hertz, int ms)
{
    constexpr int kRate = 44100;
    const int count = kRate * ms / 1000;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double envelope = std::min(1.0, t * 200.0) * std::exp(-t * 5.0);
        const double wave = std::sin(2.0 * M_PI * hertz * t) + 0.25 * std::sin(4.0 * M_PI * hertz * t);
        samples.push_back(static_cast<qint16>(std::lround(16000.0 * envelope * wave)));
    }
}
} // namespace

QByteArray TestsoundBytes()
{
    std::vector<qint16> samples;
    Ton(samples, 880.0, 350);
    Ton(samples, 698.46, 450);
    return PcmWaveBytes(44100, 1, samples);
}

QString BeispielDatenSchreiben(const QString& dataFolder)
{
    FahrzeugDatenbank db;
    BeispielDatenbankFuellen(db);
    const QDir data(dataFolder);
    QString error = db.schreibenDatei(data.filePath(QStringLiteral("Default.lda")));
    if (!error.isEmpty()) {
        return error;
    }
    if (!SaveFileAtomically(data.filePath(QStringLiteral("Testsound.wav")), TestsoundBytes(), &error)) {
        return error;
    }
    for (const char* sub : {"Loks", "Wagen"}) {
        data.mkpath(QString::fromLatin1(sub));
    }
    for (const Beispiel& b : kBeispiele) {
        const bool lok = qstrcmp(b.typ, "Lok") == 0;
        const QString path = data.filePath((lok ? QStringLiteral("Loks/") : QStringLiteral("Wagen/")) + QString::fromUtf8(b.bild));
        QString label = QString::fromUtf8(b.name).section(u' ', 0, 1);
        if (!BeispielBild(label, lok, b.farbe).save(path, "JPG", 90)) {
            return QStringLiteral("Bild kann nicht geschrieben werden: ") + path;
        }
    }
    for (const char* name : kOrdner) {
        const bool lok = qstrcmp(name, "Wagen") != 0;
        const QString path = data.filePath(QString::fromUtf8(name) + QStringLiteral(".jpg"));
        if (!BeispielBild(QString::fromUtf8(name), lok, QColor(0x55, 0x55, 0x55)).save(path, "JPG", 90)) {
            return QStringLiteral("Bild kann nicht geschrieben werden: ") + path;
        }
    }
    return {};
}
