// The picture lists of the vehicle database: one picture per article at 160 x 40 and at 80 x 20,
// in article order. Pictures are JPEG files in the locomotive or wagon picture folder; a missing
// one is replaced by a drawn placeholder, one of another size is scaled and reported. Values;
// built on the UI thread.
#pragma once

#include "vehicles/FahrzeugDatenbank.h"

#include <QImage>
#include <QStringList>
#include <functional>
#include <vector>

struct FahrzeugBilder {
    std::vector<QImage> gross; // 160 x 40
    std::vector<QImage> klein; // 80 x 20
    std::vector<QString> hinweis; // per picture: folder + "\" + file + " Existiert nicht", or empty

    struct Ordner {
        QString loks;       // the locomotive picture folder
        QString wagen;      // the wagon picture folder
        QString beispiele;  // <program folder>data/: sample pictures in its Loks/ and Wagen/
    };

    // Sets every article's `bildIndex`. `log` gets the size warnings for the logbook.
    void aufbauen(FahrzeugDatenbank& db, const Ordner& ordner, const std::function<void(const QString&)>& log);

    // The picture at `index`, or the locomotive placeholder when there is none.
    QImage Gross(int index) const;
    QImage Klein(int index) const;

    // The drawn pictures for a missing locomotive or wagon picture.
    static QImage Platzhalter(bool lok, QSize size);
    // The path of an article's picture, or empty when it does not exist.
    static QString BildPfad(const FahrzeugDaten& daten, const Ordner& ordner);
};
