// The vehicle tree as a Qt item model for the tree view of TFahrzeugForm: one column with the
// node's name, its check box and, for articles, the small picture. Hidden articles (sold or
// for-sale filters) are left out. Rows move by drag and drop inside the tree; the move itself
// is done by TFahrzeug. UI thread.
#pragma once

#include <QAbstractItemModel>

class TFahrzeug;
struct FahrzeugKnoten;

class FahrzeugModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit FahrzeugModel(TFahrzeug& logic, QObject* parent = nullptr);

    // Rebuilds the view from the database (after loading, edits, filter changes).
    void neuAufbauen();

    FahrzeugKnoten* knoten(const QModelIndex& index) const;
    QModelIndex indexVon(const FahrzeugKnoten* knoten) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;

private:
    std::vector<FahrzeugKnoten*> kinder(const FahrzeugKnoten* parent) const;
    FahrzeugKnoten* ausMime(const QMimeData* data) const;

    TFahrzeug& logic_;
};
