#include "vehicles/FahrzeugBilder.h"

#include "core/FileSave.h"

#include <QFileInfo>
#include <QPainter>

QImage FahrzeugBilder::Platzhalter(bool lok, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter p(&image);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DashLine));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    QFont font = p.font();
    font.setPixelSize(std::max(8, size.height() / 3));
    p.setFont(font);
    p.setPen(QColor(0x50, 0x50, 0x50));
    p.drawText(image.rect(), Qt::AlignCenter, lok ? QStringLiteral("Kein Lokbild") : QStringLiteral("Kein Wagenbild"));
    return image;
}

QString FahrzeugBilder::BildPfad(const FahrzeugDaten& daten, const Ordner& ordner)
{
    const QString datei = FileNameOfStoredPath(daten.PictureFile);
    if (datei.isEmpty()) {
        return {};
    }
    const bool lok = daten.istLok();
    for (const QString& folder : {lok ? ordner.loks : ordner.wagen,
                                  ordner.beispiele + (lok ? QStringLiteral("Loks") : QStringLiteral("Wagen"))}) {
        if (folder.isEmpty()) {
            continue;
        }
        const QString path = FindFileNoCase(folder, datei);
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return {};
}

void FahrzeugBilder::aufbauen(FahrzeugDatenbank& db, const Ordner& ordner, const std::function<void(const QString&)>& log)
{
    gross.clear();
    klein.clear();
    hinweis.clear();
    const QSize grossSize(160, 40);
    const QSize kleinSize(80, 20);
    for (FahrzeugKnoten* k : db.artikel()) {
        const FahrzeugDaten& d = k->daten;
        const bool lok = d.istLok();
        const QString folder = lok ? ordner.loks : ordner.wagen;
        const QString datei = FileNameOfStoredPath(d.PictureFile);
        QImage image;
        QString text;
        const QString path = BildPfad(d, ordner);
        if (!path.isEmpty()) {
            image.load(path);
        }
        if (image.isNull()) {
            image = Platzhalter(lok, grossSize);
            if (!datei.isEmpty() && datei != QLatin1String("KeinLokBild")) {
                text = folder + u'\\' + datei + QStringLiteral(" Existiert nicht");
            }
        } else if (image.size() != grossSize) {
            log(QStringLiteral("Bild : ") + folder + u'\\' + datei
                + (lok ? QStringLiteral(" Muss (160x40 Px) / ist (") : QStringLiteral(" Musst (160x40 Px) / ist ("))
                + QString::number(image.width()) + u'x' + QString::number(image.height()) + QStringLiteral(" px)"));
            image = image.scaled(grossSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        k->bildIndex = static_cast<int>(gross.size());
        klein.push_back(image.scaled(kleinSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        gross.push_back(std::move(image));
        hinweis.push_back(text);
    }
}

QImage FahrzeugBilder::Gross(int index) const
{
    return index >= 0 && index < static_cast<int>(gross.size()) ? gross[static_cast<size_t>(index)] : Platzhalter(true, QSize(160, 40));
}

QImage FahrzeugBilder::Klein(int index) const
{
    return index >= 0 && index < static_cast<int>(klein.size()) ? klein[static_cast<size_t>(index)] : Platzhalter(true, QSize(80, 20));
}
