// The default vehicle database that ships in data/ (Default.lda) and its sample pictures, built
// from code so that they can be rebuilt at any time: `make-default-data DATAFOLDER` writes them,
// and a test checks that the shipped Default.lda is what this code builds.
#pragma once

#include "vehicles/FahrzeugDatenbank.h"

#include <QImage>

// A few sample vehicles in four folders.
void BeispielDatenbankFuellen(FahrzeugDatenbank& db);

// A drawn picture of a locomotive or wagon, 160 x 40, with `text` on it.
QImage BeispielBild(const QString& text, bool lok, const QColor& farbe);

// Writes Default.lda, Loks/*.jpg, Wagen/*.jpg and the folder pictures into `dataFolder`.
// Returns an error text, empty on success.
QString BeispielDatenSchreiben(const QString& dataFolder);
