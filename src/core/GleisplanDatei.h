// The track-plan file `<project>.da2`: grid elements, turntable, text elements, switches and
// sound buttons, one value per line, Windows-1252 with CR LF. UI thread only.
//
// Reading reports every faulty block in a dialog, sets `GleisplanLadeFehler` and goes on with
// the next block; a faulty count, a value that is no colour, or a file that ends too early stops
// the reading there (reported once). `Gleisplan_Geladen` (on the diagram) is set only when the
// whole file was read; the writer writes nothing while it is clear, so a plan that failed to
// load is never overwritten.
#pragma once

#include <QString>
#include <QStringList>

struct Programm;

class GleisplanDatei {
public:
    explicit GleisplanDatei(Programm& programm);

    // Clears the plan, creates the empty file when `path` is missing, reads it, rebuilds the
    // grid and asks the driver for its accessory list. False when reading reported an error.
    bool LoadTrackPlan(const QString& path);
    // Rewrites the whole file atomically from the plan in memory; refused (false) while no plan
    // was read completely. `error` gets a German text on failure.
    bool SaveTrackPlan(const QString& path, QString* error);

    // The lines the writer produces for the plan in memory.
    QStringList PlanLines() const;
    static QStringList EmptyPlanLines();

    bool GleisplanLadeFehler = false;
    int GleisplanVersion = 0;

private:
    void read(const QStringList& lines);

    Programm& programm_;
};
