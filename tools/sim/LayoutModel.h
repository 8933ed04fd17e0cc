// The simulated layout: the project's track plan read with the program's own reader, the
// positions of its turnouts and signals as the station's accessory commands set them, and the
// trains, which run along the plan at their locomotives' speed steps in their direction. Every
// feedback contact a train covers is occupied at the station (so clients see the same feedback
// events a real layout gives), and freed when it has passed. A train that runs into a buffer
// stop, the end of the track, a turnout set against it or another train stops there: its speed
// goes to 0 and the stop is reported as a derailment.
//
// Time passes only through `advance`: the caller decides whether that is real time (a timer)
// or a test's clock. Within one call every element boundary is stepped to exactly, so contacts
// change in order and at the right moment however large the step. UI thread (the station's).
#pragma once

#include "Scenario.h"
#include "Train.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

struct KopflosesProgramm;
class TGleisBild;
class TGleisBildElement;

namespace Sim {

class EcosStation;

struct LayoutEvent {
    enum class Kind {
        Occupied,           // `contact` became occupied by `loco` entering `element`
        Freed,              // `contact` became free: `loco`'s rear left `element`
        Derailed,           // `loco` stopped at `element` for `reason`
        SwitchedUnderTrain, // the turnout `element` changed position while `loco` covered it
    };
    double timeMs = 0;
    Kind kind = Kind::Occupied;
    int loco = 0;
    QString element;
    int contact = 0;
    QString reason;

    // The transcript line, e.g. "12.350 derailed 1002 at Element_Weiche_063_0007_0005 (turnout set against)".
    QString text() const;
};

// A train as the model sees it.
struct TrainState {
    int loco = 0;
    QStringList elements; // the elements it covers, rear first
    QString front;        // the front element
    Seite heading = KeineSeite; // the direction the front travels towards
    int dir = 0;          // the locomotive's direction (0 forward)
    int speed = 0;        // the locomotive's speed step
    bool derailed = false; // stopped by an obstacle and not moved since
    QString derailedAt;
    QString reason;
};

class LayoutModel {
public:
    explicit LayoutModel(EcosStation& station);
    ~LayoutModel();
    LayoutModel(const LayoutModel&) = delete;
    LayoutModel& operator=(const LayoutModel&) = delete;

    // Reads the scenario's plan, sets its elements as the station's accessories stand and places
    // the trains. Without a plan there is nothing to move and this succeeds. On failure `error`
    // names the plan's reading error or the placement that does not fit.
    bool load(const Scenario& scenario, QString* error);
    // Puts (or puts back) a train; an error text when it does not fit.
    QString place(const Placement& placement);

    // Time moves on by `ms`.
    void advance(double ms);
    double now() const { return now_; }

    // The station's object `id` was changed by a client: an accessory's elements take its state.
    void objectChanged(int id);

    std::vector<TrainState> trains() const;
    std::optional<TrainState> train(int loco) const;
    const std::vector<LayoutEvent>& events() const { return events_; }
    // `listener` is called with every event as it happens, after the listeners added before.
    void addEventListener(std::function<void(const LayoutEvent&)> listener) { listeners_.push_back(std::move(listener)); }
    // Things of the plan the scenario does not serve (contacts without module, accessory
    // addresses without accessory), found by `load`.
    const QStringList& warnings() const { return warnings_; }
    // The plan, or nullptr without one.
    const TGleisBild* plan() const;
    // An element by name, or the element in cell "x/y"; nullptr when there is none.
    const TGleisBildElement* element(const QString& nameOrCell) const;
    // One line per train for the control port's "status".
    QStringList status() const;

private:
    bool readPlan(const QString& path, QString* error);
    void checkScenario(const Scenario& scenario);
    void applyAccessory(int addr, int state, bool report);
    void syncDirection(Train& t);
    double velocity(const Train& t) const; // cells per millisecond
    void runFront(Train& t);
    void derail(Train& t, const TGleisBildElement* at, const QString& reason);
    const Train* holder(const TGleisBildElement* e, const Train* except = nullptr) const;
    void updateContacts();
    void report(LayoutEvent event);
    TrainState stateOf(const Train& t) const;

    EcosStation& station_;
    std::unique_ptr<KopflosesProgramm> program_;
    std::vector<Train> trains_;
    std::map<int, std::pair<const TGleisBildElement*, QString>> derailed_; // loco -> where, why
    std::map<int, std::pair<int, const TGleisBildElement*>> occupied_;    // contact -> loco, element
    std::vector<LayoutEvent> events_;
    std::vector<std::function<void(const LayoutEvent&)>> listeners_;
    QStringList warnings_;
    double now_ = 0;
};

} // namespace Sim
