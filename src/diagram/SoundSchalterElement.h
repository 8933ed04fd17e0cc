// A free-standing sound button; it stores a sound file ("leer" = none). Owned by TGleisBild.
#pragma once

#include <QRect>
#include <QString>

class TSoundSchalterElement {
public:
    explicit TSoundSchalterElement(QString name) : Name(std::move(name)) {}

    bool HatSound() const { return SoundDatei != QStringLiteral("leer") && !SoundDatei.isEmpty(); }

    QString Name;
    int Left = 0;
    int Top = 0;
    int Width = 20;
    int Height = 20;
    QString SoundDatei = QStringLiteral("leer");
    QRect Bild{3, 3, 14, 14};
    bool Visible = true;
};
