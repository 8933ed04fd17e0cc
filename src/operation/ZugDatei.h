// The train file `<project>.Zug`: per train its panel, direction, start speed and own command
// lists; the locomotive bar; the trains each station may receive. Windows-1252, CR LF. Written
// only after it was read without error in this run. UI thread only.
#pragma once

#include <QString>
#include <QStringList>

struct Programm;

class ZugDatei {
public:
    explicit ZugDatei(Programm& programm);

    // Reads the file (creating the empty one when missing) into the trains and stations; the
    // trains must exist (vehicle database) and the stations be read. False on an error.
    bool OpenZuge(const QString& path);
    bool SaveZuge(const QString& path, QString* error);
    QStringList ZugLines() const;

    int ZugVersion = 0;
    // The locomotive bar's visibility as read; the main window's own when there is one.
    bool LokLeisteSichtbar = true;

private:
    void read(const QStringList& lines);
    Programm& programm_;
};
