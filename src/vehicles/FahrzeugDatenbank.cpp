#include "vehicles/FahrzeugDatenbank.h"

#include "core/FileSave.h"

#include <QFile>
#include <algorithm>

int FahrzeugKnoten::ebene() const
{
    int level = 0;
    for (const FahrzeugKnoten* p = parent; p; p = p->parent) {
        ++level;
    }
    return level;
}

int FahrzeugKnoten::indexImParent() const
{
    // Only called for nodes inside a database; a node without parent is looked up by the caller.
    if (!parent) {
        return -1;
    }
    for (size_t i = 0; i < parent->kinder.size(); ++i) {
        if (parent->kinder[i].get() == this) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

namespace {
struct Leser {
    QString error;
    bool vorherigesFormat = false;

    void lesen(const TreeNode& quelle, FahrzeugKnoten* parent, std::vector<std::unique_ptr<FahrzeugKnoten>>& ziel, int ebene)
    {
        int nummer = 0;
        for (const TreeNode& node : quelle.children) {
            ++nummer;
            auto knoten = std::make_unique<FahrzeugKnoten>();
            knoten->parent = parent;
            knoten->ansicht.checkState = node.checkState;
            knoten->ansicht.height = node.height;
            knoten->ansicht.states = node.states;
            knoten->ansicht.alignment = node.alignment;
            knoten->ansicht.checkType = node.checkType;
            if (ebene > 2) {
                error = QStringLiteral("Die Fahrzeugdatenbank hat mehr als drei Ebenen");
                return;
            }
            if (node.record.isEmpty()) {
                // A node without record keeps the values of a new node.
                knoten->daten.Name = node.caption;
            } else {
                FahrzeugDatenGelesen gelesen = DecodeFahrzeugDaten(node.record);
                if (!gelesen.ok) {
                    error = QStringLiteral("Die Fahrzeugdatenbank ist beschädigt (Eintrag ") + node.caption + u')';
                    return;
                }
                vorherigesFormat = vorherigesFormat || gelesen.vorherigesFormat;
                knoten->daten = std::move(gelesen.daten);
            }
            lesen(node, knoten.get(), knoten->kinder, ebene + 1);
            if (!error.isEmpty()) {
                return;
            }
            ziel.push_back(std::move(knoten));
        }
    }
};

void schreibenKnoten(const FahrzeugKnoten& knoten, TreeNode& ziel, bool& ok)
{
    TreeNode node = knoten.ansicht;
    node.children.clear();
    node.caption = knoten.daten.Name;
    node.record = EncodeFahrzeugDaten(knoten.daten);
    ok = ok && !node.record.isEmpty();
    for (const auto& kind : knoten.kinder) {
        schreibenKnoten(*kind, node, ok);
    }
    ziel.children.push_back(std::move(node));
}
} // namespace

FahrzeugDatenbank::Gelesen FahrzeugDatenbank::lesen(QByteArrayView bytes)
{
    wurzeln_.clear();
    Gelesen result;
    const TreeReadResult tree = ReadTree(bytes);
    if (!tree.ok()) {
        result.error = tree.error;
        return result;
    }
    Leser leser;
    std::vector<std::unique_ptr<FahrzeugKnoten>> neu;
    leser.lesen(tree.tree, nullptr, neu, 0);
    if (!leser.error.isEmpty()) {
        result.error = leser.error;
        return result;
    }
    wurzeln_ = std::move(neu);
    result.vorherigesFormat = leser.vorherigesFormat;
    return result;
}

FahrzeugDatenbank::Gelesen FahrzeugDatenbank::lesenDatei(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        wurzeln_.clear();
        return {QStringLiteral("Die Datei ") + path + QStringLiteral(" kann nicht gelesen werden"), false};
    }
    return lesen(file.readAll());
}

QByteArray FahrzeugDatenbank::schreiben(QString* error) const
{
    TreeNode root;
    bool ok = true;
    for (const auto& knoten : wurzeln_) {
        schreibenKnoten(*knoten, root, ok);
    }
    if (!ok) {
        if (error) {
            *error = QStringLiteral("Ein Eintrag der Fahrzeugdatenbank ist zu groß");
        }
        return {};
    }
    TreeWriteResult written = WriteTree(root);
    if (!written.ok()) {
        if (error) {
            *error = written.error;
        }
        return {};
    }
    return written.bytes;
}

QString FahrzeugDatenbank::schreibenDatei(const QString& path) const
{
    QString error;
    const QByteArray bytes = schreiben(&error);
    if (bytes.isEmpty()) {
        return error;
    }
    SaveFileAtomically(path, bytes, &error);
    return error;
}

std::vector<std::unique_ptr<FahrzeugKnoten>>& FahrzeugDatenbank::geschwister(FahrzeugKnoten* parent)
{
    return parent ? parent->kinder : wurzeln_;
}

FahrzeugKnoten* FahrzeugDatenbank::einfuegen(FahrzeugKnoten* parent, FahrzeugDaten daten, int position)
{
    auto& list = geschwister(parent);
    auto knoten = std::make_unique<FahrzeugKnoten>();
    knoten->parent = parent;
    knoten->daten = std::move(daten);
    FahrzeugKnoten* result = knoten.get();
    if (position < 0 || position > static_cast<int>(list.size())) {
        position = static_cast<int>(list.size());
    }
    list.insert(list.begin() + position, std::move(knoten));
    return result;
}

void FahrzeugDatenbank::entfernen(FahrzeugKnoten* knoten)
{
    auto& list = geschwister(knoten->parent);
    std::erase_if(list, [knoten](const auto& p) { return p.get() == knoten; });
}

bool FahrzeugDatenbank::verschieben(FahrzeugKnoten* knoten, FahrzeugKnoten* neuerParent, int position)
{
    for (const FahrzeugKnoten* p = neuerParent; p; p = p->parent) {
        if (p == knoten) {
            return false;
        }
    }
    const int neueEbene = neuerParent ? neuerParent->ebene() + 1 : 0;
    if (neueEbene != knoten->ebene()) {
        return false;
    }
    auto& alt = geschwister(knoten->parent);
    const auto it = std::find_if(alt.begin(), alt.end(), [knoten](const auto& p) { return p.get() == knoten; });
    if (it == alt.end()) {
        return false;
    }
    const int alterIndex = static_cast<int>(it - alt.begin());
    std::unique_ptr<FahrzeugKnoten> owned = std::move(*it);
    alt.erase(it);
    auto& neu = geschwister(neuerParent);
    if (&alt == &neu && position > alterIndex) {
        --position;
    }
    if (position < 0 || position > static_cast<int>(neu.size())) {
        position = static_cast<int>(neu.size());
    }
    owned->parent = neuerParent;
    neu.insert(neu.begin() + position, std::move(owned));
    return true;
}

void FahrzeugDatenbank::fuerAlle(const std::function<void(FahrzeugKnoten&)>& f) const
{
    const std::function<void(const std::vector<std::unique_ptr<FahrzeugKnoten>>&)> walk =
        [&](const std::vector<std::unique_ptr<FahrzeugKnoten>>& list) {
            for (const auto& k : list) {
                f(*k);
                walk(k->kinder);
            }
        };
    walk(wurzeln_);
}

std::vector<FahrzeugKnoten*> FahrzeugDatenbank::artikel() const
{
    std::vector<FahrzeugKnoten*> list;
    fuerAlle([&list](FahrzeugKnoten& k) {
        if (k.istArtikel()) {
            list.push_back(&k);
        }
    });
    return list;
}

FahrzeugKnoten* FahrzeugDatenbank::findeId(int vehicleId) const
{
    for (FahrzeugKnoten* k : artikel()) {
        if (k->daten.VehicleId == vehicleId) {
            return k;
        }
    }
    return nullptr;
}

FahrzeugKnoten* FahrzeugDatenbank::findeName(const QString& name) const
{
    for (FahrzeugKnoten* k : artikel()) {
        if (k->daten.Name == name) {
            return k;
        }
    }
    return nullptr;
}

int FahrzeugDatenbank::naechsteId() const
{
    int max = 0;
    fuerAlle([&max](FahrzeugKnoten& k) { max = std::max(max, k.daten.VehicleId); });
    return max + 1;
}

int FahrzeugDatenbank::naechsteLaufnummer() const
{
    int max = 0;
    fuerAlle([&max](FahrzeugKnoten& k) { max = std::max(max, k.daten.SequenceNumber); });
    return max + 1;
}

std::set<int> FahrzeugDatenbank::belegteAdressen(const FahrzeugKnoten* ausser) const
{
    std::set<int> used;
    for (const FahrzeugKnoten* k : artikel()) {
        if (k != ausser && k->daten.istLok() && k->daten.Address >= 1 && k->daten.Address <= MaxAdresse) {
            used.insert(k->daten.Address);
        }
    }
    return used;
}
