#include "LayoutModel.h"

#include "EcosSimulator.h"
#include "core/FileSave.h"
#include "core/GleisplanDatei.h"
#include "core/KopflosesProgramm.h"
#include "diagram/GleisBild.h"

#include <QFileInfo>
#include <algorithm>
#include <set>

namespace Sim {

namespace {

// Less than this is no time left: exact steps of milliseconds never drift so far.
constexpr double kEpsilonMs = 1e-9;

// True when `e` is switched by accessory address `addr` (loco displays by their exit signals).
bool usesAddress(const TGleisBildElement& e, int addr)
{
    const ElementArt* art = ElementArtVon(e.GleisBildNr);
    if (addr <= 0 || art == nullptr) {
        return false;
    }
    switch (art->magnetArt) {
    case MagnetArtNutzung::Adresse:
        return e.MagnetArtNr == addr;
    case MagnetArtNutzung::AusfahrSignale:
        return e.MagnetArtNr0 == addr || e.MagnetArtNr1 == addr;
    case MagnetArtNutzung::Keine:
    case MagnetArtNutzung::AusDatei:
        break;
    }
    return false;
}

// The addresses `e` is switched by.
std::vector<int> addressesOf(const TGleisBildElement& e)
{
    std::vector<int> list;
    for (const int a : {e.MagnetArtNr, e.MagnetArtNr0, e.MagnetArtNr1}) {
        if (usesAddress(e, a) && std::find(list.begin(), list.end(), a) == list.end()) {
            list.push_back(a);
        }
    }
    return list;
}

// Contact n is bit (n-1)%16 of the ((n-1)/16)-th module the station lists.
int moduleIndex(int contact) { return (contact - 1) / 16; }
quint32 contactBit(int contact) { return 1u << ((contact - 1) % 16); }

} // namespace

QString LayoutEvent::text() const
{
    const QString at = QString::number(timeMs / 1000.0, 'f', 3) + u' ';
    switch (kind) {
    case Kind::Occupied:
        return at + QStringLiteral("contact %1 occupied by %2 at %3").arg(contact).arg(loco).arg(element);
    case Kind::Freed:
        return at + QStringLiteral("contact %1 freed by %2 at %3").arg(contact).arg(loco).arg(element);
    case Kind::Derailed:
        return at + QStringLiteral("derailed %1 at %2 (%3)").arg(loco).arg(element, reason);
    case Kind::SwitchedUnderTrain:
        return at + QStringLiteral("switched %1 under %2").arg(element).arg(loco);
    }
    return at;
}

LayoutModel::LayoutModel(EcosStation& station) : station_(station) {}

LayoutModel::~LayoutModel() = default;

const TGleisBild* LayoutModel::plan() const
{
    return program_ ? &program_->bild : nullptr;
}

bool LayoutModel::readPlan(const QString& path, QString* error)
{
    const QString found = FindPathNoCase(path);
    // The reader would create a missing plan; a layout needs one that exists.
    if (!QFileInfo(found).isFile()) {
        *error = QStringLiteral("no plan ") + path;
        return false;
    }
    program_ = std::make_unique<KopflosesProgramm>(QFileInfo(found).absolutePath() + u'/');
    GleisplanDatei reader(program_->programm);
    if (!reader.LoadTrackPlan(found) || !program_->bild.Gleisplan_Geladen) {
        *error = QStringLiteral("plan %1: %2").arg(path, program_->dialogs.texts.join(u' ').replace(u'\r', u' '));
        program_.reset();
        return false;
    }
    return true;
}

bool LayoutModel::load(const Scenario& scenario, QString* error)
{
    QString ignored;
    QString& why = error ? *error : ignored;
    if (scenario.plan.isEmpty()) {
        return true;
    }
    if (!readPlan(scenario.plan, &why)) {
        return false;
    }
    for (const Accessory& a : station_.layout().accessories) {
        applyAccessory(a.addr, a.state, false);
    }
    checkScenario(scenario);
    for (const Placement& p : scenario.placements) {
        why = place(p);
        if (!why.isEmpty()) {
            return false;
        }
    }
    return true;
}

void LayoutModel::checkScenario(const Scenario& scenario)
{
    for (size_t i = 0; i < scenario.modules.size(); ++i) {
        if (scenario.modules[i].id != 100 + static_cast<int>(i)) {
            warnings_ << QStringLiteral("feedback modules are not 100, 101, ... in order: contacts follow the list "
                                        "as the ECoS 2 counts them, the ECoS 1 and Central Station 1 count by id");
            break;
        }
    }
    std::set<int> contacts;
    std::set<int> addresses;
    for (const auto& e : program_->bild.Elemente()) {
        const int c = e->GleisKontaktNr;
        if (c > 0 && moduleIndex(c) >= static_cast<int>(scenario.modules.size()) && contacts.insert(c).second) {
            warnings_ << QStringLiteral("contact %1 of %2 has no feedback module").arg(c).arg(e->Name);
        }
        for (const int a : addressesOf(*e)) {
            const bool served = std::any_of(scenario.accessories.begin(), scenario.accessories.end(),
                                            [a](const Accessory& acc) { return acc.addr == a; });
            if (!served && addresses.insert(a).second) {
                warnings_ << QStringLiteral("accessory address %1 of %2 has no accessory").arg(a).arg(e->Name);
            }
        }
    }
}

const TGleisBildElement* LayoutModel::element(const QString& nameOrCell) const
{
    if (!program_) {
        return nullptr;
    }
    const QStringList cell = nameOrCell.split(u'/');
    bool okX = false;
    bool okY = false;
    if (cell.size() == 2) {
        const int x = cell[0].toInt(&okX);
        const int y = cell[1].toInt(&okY);
        if (okX && okY) {
            return program_->bild.Zelle(x, y);
        }
    }
    for (const auto& e : program_->bild.Elemente()) {
        if (e->Name == nameOrCell) {
            return e.get();
        }
    }
    return nullptr;
}

QString LayoutModel::place(const Placement& p)
{
    const QString head = QStringLiteral("place %1: ").arg(p.locoId);
    if (!program_) {
        return head + QStringLiteral("no plan");
    }
    const QString where = p.cell ? QStringLiteral("%1/%2").arg(p.cell->x()).arg(p.cell->y()) : p.element;
    auto* front = const_cast<TGleisBildElement*>(element(where));
    if (front == nullptr) {
        return head + QStringLiteral("no element ") + where;
    }
    if (station_.loco(p.locoId) == nullptr) {
        return head + QStringLiteral("no such loco");
    }
    if (!(p.length > 0) || !(p.scale >= 0)) {
        return head + QStringLiteral("length above 0 and scale from 0 expected");
    }
    Train train(p.locoId, p.length, p.scale);
    if (const QString why = train.place(program_->bild, *front, p.heading); !why.isEmpty()) {
        return head + why;
    }
    const auto same = std::find_if(trains_.begin(), trains_.end(), [&](const Train& t) { return t.loco() == p.locoId; });
    const Train* self = same != trains_.end() ? &*same : nullptr;
    for (const Section& s : train.sections()) {
        if (const Train* other = holder(s.element, self)) {
            return head + QStringLiteral("%1 is taken by %2").arg(s.element->Name).arg(other->loco());
        }
    }
    if (same != trains_.end()) {
        *same = train;
    } else {
        trains_.push_back(train);
    }
    derailed_.erase(p.locoId);
    updateContacts();
    return {};
}

void LayoutModel::applyAccessory(int addr, int state, bool report)
{
    if (!program_) {
        return;
    }
    for (const auto& e : program_->bild.Elemente()) {
        if (!usesAddress(*e, addr)) {
            continue;
        }
        const int before = e->Stellung;
        e->MagnetChanged(addr, state);
        const bool turnout = IstWeiche(e->GleisBildNr) || IstDoppelkreuzweiche(e->GleisBildNr);
        if (report && turnout && e->Stellung != before) {
            if (const Train* t = holder(e.get())) {
                LayoutEvent event;
                event.kind = LayoutEvent::Kind::SwitchedUnderTrain;
                event.loco = t->loco();
                event.element = e->Name;
                this->report(event);
            }
        }
    }
}

void LayoutModel::objectChanged(int id)
{
    if (const Accessory* a = station_.accessory(id)) {
        applyAccessory(a->addr, a->state, true);
    }
}

void LayoutModel::syncDirection(Train& t)
{
    const Lok* loco = station_.loco(t.loco());
    if (loco != nullptr && loco->dir != t.dir) {
        t.reverse();
        t.dir = loco->dir;
    }
}

double LayoutModel::velocity(const Train& t) const
{
    const Lok* loco = station_.loco(t.loco());
    if (loco == nullptr || !station_.power()) {
        return 0;
    }
    return t.scale() * loco->speed / 1000.0;
}

const Train* LayoutModel::holder(const TGleisBildElement* e, const Train* except) const
{
    for (const Train& t : trains_) {
        if (&t != except && t.covers(e)) {
            return &t;
        }
    }
    return nullptr;
}

void LayoutModel::derail(Train& t, const TGleisBildElement* at, const QString& reason)
{
    derailed_[t.loco()] = {at, reason};
    station_.handSpeed(t.loco(), 0);
    LayoutEvent event;
    event.kind = LayoutEvent::Kind::Derailed;
    event.loco = t.loco();
    event.element = at->Name;
    event.reason = reason;
    report(event);
}

void LayoutModel::runFront(Train& t)
{
    const auto next = t.next(program_->bild);
    if (const Obstacle* o = std::get_if<Obstacle>(&next)) {
        derail(t, o->element, o->reason);
        return;
    }
    const Section& s = std::get<Section>(next);
    if (const Train* other = holder(s.element, &t)) {
        derail(t, s.element, QStringLiteral("collision with %1").arg(other->loco()));
        return;
    }
    t.advanceInto(s);
}

void LayoutModel::advance(double ms)
{
    double left = std::max(0.0, ms);
    for (;;) {
        for (Train& t : trains_) {
            syncDirection(t);
            if (velocity(t) > 0 && t.frontAtEnd()) {
                runFront(t);
            }
        }
        updateContacts();
        double step = left;
        for (const Train& t : trains_) {
            if (const double v = velocity(t); v > 0) {
                step = std::min(step, t.toNextBoundary() / v);
            }
        }
        for (Train& t : trains_) {
            if (const double v = velocity(t); v > 0 && step > 0) {
                t.move(v * step);
                derailed_.erase(t.loco());
            }
        }
        now_ += step;
        left -= step;
        for (Train& t : trains_) {
            t.dropPassed();
        }
        updateContacts();
        if (left <= kEpsilonMs) {
            return;
        }
    }
}

void LayoutModel::updateContacts()
{
    std::map<int, std::pair<int, const TGleisBildElement*>> covered;
    for (const Train& t : trains_) {
        for (const Section& s : t.sections()) {
            if (s.element->GleisKontaktNr > 0) {
                covered.emplace(s.element->GleisKontaktNr, std::make_pair(t.loco(), s.element));
            }
        }
    }
    std::map<int, std::pair<quint32, quint32>> modules; // index -> bits set, bits cleared
    const auto change = [&](int contact, const std::pair<int, const TGleisBildElement*>& who, LayoutEvent::Kind kind) {
        LayoutEvent event;
        event.kind = kind;
        event.contact = contact;
        event.loco = who.first;
        event.element = who.second->Name;
        report(event);
        auto& bits = modules[moduleIndex(contact)];
        (kind == LayoutEvent::Kind::Occupied ? bits.first : bits.second) |= contactBit(contact);
    };
    for (const auto& [contact, who] : occupied_) {
        if (covered.count(contact) == 0) {
            change(contact, who, LayoutEvent::Kind::Freed);
        }
    }
    for (const auto& [contact, who] : covered) {
        if (occupied_.count(contact) == 0) {
            change(contact, who, LayoutEvent::Kind::Occupied);
        }
    }
    occupied_ = std::move(covered);
    const std::vector<Module>& list = station_.layout().modules;
    for (const auto& [index, bits] : modules) {
        if (index < static_cast<int>(list.size())) {
            const Module& m = list[static_cast<size_t>(index)];
            station_.setModuleState(m.id, (m.state & ~bits.second) | bits.first);
        }
    }
}

void LayoutModel::report(LayoutEvent event)
{
    event.timeMs = now_;
    events_.push_back(event);
    const LayoutEvent reported = events_.back(); // a listener may report more
    for (const auto& listener : listeners_) {
        listener(reported);
    }
}

TrainState LayoutModel::stateOf(const Train& t) const
{
    TrainState s;
    s.loco = t.loco();
    for (const Section& section : t.sections()) {
        s.elements << section.element->Name;
    }
    s.front = s.elements.last();
    s.heading = t.heading();
    s.dir = t.dir;
    if (const Lok* loco = station_.loco(t.loco())) {
        s.speed = loco->speed;
    }
    if (const auto it = derailed_.find(t.loco()); it != derailed_.end()) {
        s.derailed = true;
        s.derailedAt = it->second.first->Name;
        s.reason = it->second.second;
    }
    return s;
}

std::vector<TrainState> LayoutModel::trains() const
{
    std::vector<TrainState> list;
    for (const Train& t : trains_) {
        list.push_back(stateOf(t));
    }
    return list;
}

std::optional<TrainState> LayoutModel::train(int loco) const
{
    for (const Train& t : trains_) {
        if (t.loco() == loco) {
            return stateOf(t);
        }
    }
    return std::nullopt;
}

QStringList LayoutModel::status() const
{
    QStringList lines;
    for (const TrainState& s : trains()) {
        QString line = QStringLiteral("%1 front %2 heading %3 dir %4 speed %5 covers %6")
                           .arg(s.loco)
                           .arg(s.front, s.heading == KeineSeite ? QStringLiteral("-") : HeadingText(s.heading))
                           .arg(s.dir)
                           .arg(s.speed)
                           .arg(s.elements.join(u','));
        if (s.derailed) {
            line += QStringLiteral(" derailed at %1 (%2)").arg(s.derailedAt, s.reason);
        }
        lines << line;
    }
    return lines;
}

} // namespace Sim
