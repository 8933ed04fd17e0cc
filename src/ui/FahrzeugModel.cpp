#include "ui/FahrzeugModel.h"

#include "vehicles/TFahrzeug.h"

#include <QIODevice>
#include <QMimeData>
#include <QPixmap>

namespace {
const QString kMime = QStringLiteral("application/x-trassolin-fahrzeug");
}

FahrzeugModel::FahrzeugModel(TFahrzeug& logic, QObject* parent) : QAbstractItemModel(parent), logic_(logic) {}

void FahrzeugModel::neuAufbauen()
{
    beginResetModel();
    endResetModel();
}

std::vector<FahrzeugKnoten*> FahrzeugModel::kinder(const FahrzeugKnoten* parent) const
{
    std::vector<FahrzeugKnoten*> list;
    const auto& all = parent ? parent->kinder : logic_.datenbank().wurzeln();
    for (const auto& k : all) {
        if (logic_.Sichtbar(*k)) {
            list.push_back(k.get());
        }
    }
    return list;
}

FahrzeugKnoten* FahrzeugModel::knoten(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<FahrzeugKnoten*>(index.internalPointer()) : nullptr;
}

QModelIndex FahrzeugModel::indexVon(const FahrzeugKnoten* k) const
{
    if (!k) {
        return {};
    }
    const auto list = kinder(k->parent);
    const auto it = std::find(list.begin(), list.end(), k);
    if (it == list.end()) {
        return {};
    }
    return createIndex(static_cast<int>(it - list.begin()), 0, const_cast<FahrzeugKnoten*>(k));
}

QModelIndex FahrzeugModel::index(int row, int column, const QModelIndex& parent) const
{
    const auto list = kinder(knoten(parent));
    if (column != 0 || row < 0 || row >= static_cast<int>(list.size())) {
        return {};
    }
    return createIndex(row, 0, list[row]);
}

QModelIndex FahrzeugModel::parent(const QModelIndex& child) const
{
    const FahrzeugKnoten* k = knoten(child);
    return k ? indexVon(k->parent) : QModelIndex();
}

int FahrzeugModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0) {
        return 0;
    }
    return static_cast<int>(kinder(knoten(parent)).size());
}

int FahrzeugModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant FahrzeugModel::data(const QModelIndex& index, int role) const
{
    const FahrzeugKnoten* k = knoten(index);
    if (!k) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return k->daten.Name;
    case Qt::CheckStateRole:
        return k->checked() ? Qt::Checked : Qt::Unchecked;
    case Qt::DecorationRole:
        if (k->istArtikel() && k->bildIndex >= 0 && k->bildIndex < static_cast<int>(logic_.bilder.klein.size())) {
            return QPixmap::fromImage(logic_.bilder.klein[k->bildIndex]);
        }
        return {};
    default:
        return {};
    }
}

bool FahrzeugModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    FahrzeugKnoten* k = knoten(index);
    if (!k || role != Qt::CheckStateRole) {
        return false;
    }
    logic_.setChecked(k, value.toInt() == Qt::Checked);
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags FahrzeugModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::ItemIsDropEnabled;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled
        | Qt::ItemIsDropEnabled;
}

Qt::DropActions FahrzeugModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList FahrzeugModel::mimeTypes() const
{
    return {kMime};
}

// A dragged node is named by its path of positions from the top, which stays valid while the
// drag runs (the tree does not change in between).
QMimeData* FahrzeugModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty()) {
        return nullptr;
    }
    QList<int> pfad;
    for (const FahrzeugKnoten* k = knoten(indexes.first()); k; k = k->parent) {
        int i = k->indexImParent();
        if (!k->parent) {
            const auto& roots = logic_.datenbank().wurzeln();
            i = static_cast<int>(std::find_if(roots.begin(), roots.end(), [k](const auto& p) { return p.get() == k; })
                                 - roots.begin());
        }
        pfad.prepend(i);
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << pfad;
    auto* mime = new QMimeData;
    mime->setData(kMime, bytes);
    return mime;
}

FahrzeugKnoten* FahrzeugModel::ausMime(const QMimeData* data) const
{
    if (!data || !data->hasFormat(kMime)) {
        return nullptr;
    }
    QList<int> pfad;
    QDataStream in(data->data(kMime));
    in >> pfad;
    const std::vector<std::unique_ptr<FahrzeugKnoten>>* list = &logic_.datenbank().wurzeln();
    FahrzeugKnoten* k = nullptr;
    for (const int i : pfad) {
        if (i < 0 || i >= static_cast<int>(list->size())) {
            return nullptr;
        }
        k = (*list)[i].get();
        list = &k->kinder;
    }
    return k;
}

bool FahrzeugModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int, const QModelIndex& parent) const
{
    const FahrzeugKnoten* k = ausMime(data);
    const FahrzeugKnoten* ziel = knoten(parent);
    return action == Qt::MoveAction && k && (ziel ? ziel->ebene() + 1 : 0) == k->ebene();
}

bool FahrzeugModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent)) {
        return false;
    }
    FahrzeugKnoten* k = ausMime(data);
    FahrzeugKnoten* ziel = knoten(parent);
    // `row` counts shown rows; the move counts all siblings.
    int position = -1;
    const auto shown = kinder(ziel);
    if (row >= 0 && row < static_cast<int>(shown.size())) {
        const auto& all = ziel ? ziel->kinder : logic_.datenbank().wurzeln();
        position = static_cast<int>(
            std::find_if(all.begin(), all.end(), [&](const auto& p) { return p.get() == shown[row]; }) - all.begin());
    }
    if (logic_.Verschieben(k, ziel, position)) {
        neuAufbauen();
    }
    // The move is done here; the view must not remove the source row itself.
    return false;
}
