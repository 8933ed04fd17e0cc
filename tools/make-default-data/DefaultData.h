// The default vehicle database that ships in data/ (Default.lda), its sample pictures and the
// test sound, built from code so that they can be rebuilt at any time: `make-default-data
// DATAFOLDER` writes them, and tests check that the shipped Default.lda and Testsound.wav are what
// this code builds.
#pragma once

#include "vehicles/FahrzeugDatenbank.h"

#include <QImage>

// A few sample vehicles in four folders.
void BeispielDatenbankFuellen(FahrzeugDatenbank& db);

// A drawn picture of a locomotive or wagon, 160 x 40, with `text` on it.
QImage BeispielBild(const QString& text, bool lok, const QColor& farbe);

// The test sound of the settings window: a two-tone chime of 800 ms, 44100 Hz, 16-bit mono.
QByteArray TestsoundBytes();

// Writes Default.lda, Testsound.wav, Loks/*.jpg, Wagen/*.jpg and the folder pictures into
// `dataFolder`.
// Returns an error text, empty on success.
QString BeispielDatenSchreiben(const QString& dataFolder);
