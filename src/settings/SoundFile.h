// The sound file `<project>.sou`: line 1 "Sounddatei <project> erstellt <date>", line 2 the
// output mode ("Ausgabe mit BASS" or "Ausgabe mit MMSystem"), then five lines per box 0..13:
// "*** BOX <n>*********************", "ID      <name>", "Volume  <n>", "Balance <n>" and
// "AKTIV" or "NOT AKTIV". Values start at character 9. Windows-1252, CR LF. UI thread.
#pragma once

#include "settings/SoundBox.h"

#include <QString>
#include <QStringList>

// `<program folder>Projekte/<project>/<project>.sou`
QString SoundFilePath(const QString& programFolder, const QString& projectName);

// The lines of the file. Volume and balance are clamped to the mode's ranges, and line breaks in
// a name become blanks, so the reader always reads the file back.
QStringList SoundFileLines(const SoundBoxes& boxes, SoundMode mode, const QString& projectName,
                           const QString& dateText);

struct SoundFileReadResult {
    bool ok = false;
    QString error; // German, naming the lines; empty on success
    QString firstLine;
};

// Reads the mode and every box's name, volume, balance and active state. Volume and balance are
// clamped to the ranges of the mode read. `mode` and `boxes` change only when the whole file
// could be read; the boxes keep their speakers.
SoundFileReadResult ReadSoundFile(const QStringList& lines, SoundMode& mode, SoundBoxes& boxes);
