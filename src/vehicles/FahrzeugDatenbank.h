// The vehicle database as a tree: top-level nodes (level 0), folders (level 1, "Verzeichnis")
// and articles (level 2). Each node owns its children and carries one record; the view state
// of the tree control (check state, height, ...) is kept so that a file read and written back
// keeps it. Reads and writes the tree container file. UI thread; no signals.
#pragma once

#include "core/TreeContainer.h"
#include "vehicles/FahrzeugDaten.h"

#include <functional>
#include <memory>
#include <set>
#include <vector>

struct FahrzeugKnoten {
    FahrzeugDaten daten;
    TreeNode ansicht; // view state only; its caption, record and children are not used
    FahrzeugKnoten* parent = nullptr; // nullptr for top-level nodes
    std::vector<std::unique_ptr<FahrzeugKnoten>> kinder;
    int bildIndex = -1; // index in the picture lists; run time only

    int ebene() const; // 0 top level, 1 folder, 2 article
    bool istArtikel() const { return ebene() == 2; }
    bool checked() const { return ansicht.checked(); }
    int indexImParent() const; // position among its siblings
};

class FahrzeugDatenbank {
public:
    // The highest address a "Lok" can be given (addresses are checked, never used as indices).
    static constexpr int MaxAdresse = 10239;

    struct Gelesen {
        QString error; // German; empty on success
        bool vorherigesFormat = false;
        bool ok() const { return error.isEmpty(); }
    };

    // Replaces the tree by the file's. On failure the tree is left empty.
    Gelesen lesen(QByteArrayView bytes);
    Gelesen lesenDatei(const QString& path);
    // The whole file in the current format; empty with `error` set when it cannot be written.
    QByteArray schreiben(QString* error = nullptr) const;
    // Atomic; returns the German error text, empty on success.
    [[nodiscard]] QString schreibenDatei(const QString& path) const;

    void leeren() { wurzeln_.clear(); }

    const std::vector<std::unique_ptr<FahrzeugKnoten>>& wurzeln() const { return wurzeln_; }

    // Adds a node under `parent` (nullptr: a top-level node) at `position` (-1: at the end).
    FahrzeugKnoten* einfuegen(FahrzeugKnoten* parent, FahrzeugDaten daten, int position = -1);
    // Removes the node with its children.
    void entfernen(FahrzeugKnoten* knoten);
    // Moves a node under a new parent at `position` (among the new siblings, before the move).
    // Refused (false) when the node would land inside itself or on another level.
    bool verschieben(FahrzeugKnoten* knoten, FahrzeugKnoten* neuerParent, int position);

    // Every article (level 2), in tree order.
    std::vector<FahrzeugKnoten*> artikel() const;
    // Every node, in tree order (parents before their children).
    void fuerAlle(const std::function<void(FahrzeugKnoten&)>& f) const;
    FahrzeugKnoten* findeId(int vehicleId) const;
    FahrzeugKnoten* findeName(const QString& name) const; // articles only

    // The largest VehicleId + 1.
    int naechsteId() const;
    // The largest SequenceNumber + 1.
    int naechsteLaufnummer() const;
    // Addresses (1..MaxAdresse) that "Lok" articles have, leaving out `ausser`.
    std::set<int> belegteAdressen(const FahrzeugKnoten* ausser = nullptr) const;

private:
    std::vector<std::unique_ptr<FahrzeugKnoten>>& geschwister(FahrzeugKnoten* parent);
    std::vector<std::unique_ptr<FahrzeugKnoten>> wurzeln_;
};
