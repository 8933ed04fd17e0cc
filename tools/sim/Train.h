// A train on the simulated plan: the elements it covers from its rear to its front, how far its
// front has run into the front element, and its length. It moves only when told to, by exact
// distances up to the next element boundary, so every element it enters or leaves is seen in
// order. UI thread (the plan's thread).
#pragma once

#include "TrackStep.h"

#include <QString>
#include <deque>
#include <optional>
#include <variant>
#include <vector>

class TGleisBild;
class TGleisBildElement;

namespace Sim {

// One element the train covers, and how it joins the elements behind and ahead of it in the
// direction of travel.
struct Section {
    TGleisBildElement* element = nullptr;
    Link entry;
    Link exit;
};

// Why and where the front cannot go on.
struct Obstacle {
    const TGleisBildElement* element = nullptr;
    QString reason;
};

class Train {
public:
    Train(int locoId, double length, double scale) : loco_(locoId), length_(length), scale_(scale) {}

    // Puts the train with its front at the far end of `front`, travelling towards `heading`,
    // the rest of it on the track behind. An error text when the heading does not run along
    // `front` or the track behind ends before the train does.
    QString place(const TGleisBild& plan, TGleisBildElement& front, Seite heading);

    // The train now travels the other way: its rear becomes its front.
    void reverse();

    // Cells the train can run before its front reaches the end of its front element or its
    // rear leaves its rear element.
    double toNextBoundary() const;
    void move(double cells);
    bool frontAtEnd() const;
    // The element the front runs into next, from the front element's far end.
    std::variant<Section, Obstacle> next(const TGleisBild& plan) const;
    // The front runs into `section` (from `next`).
    void advanceInto(const Section& section);
    // Drops the elements the rear has left, oldest first, and returns them.
    std::vector<TGleisBildElement*> dropPassed();

    int loco() const { return loco_; }
    double length() const { return length_; }
    double scale() const { return scale_; }
    const std::deque<Section>& sections() const { return sections_; }
    bool covers(const TGleisBildElement* e) const;
    // The direction the front travels towards: to the side it leaves by, else (at a dead end or
    // a jump) the way it came in; none when neither is a side.
    Seite heading() const;
    // The loco's direction (0 forward, 1 backward) the train's order of sections belongs to.
    int dir = 0;

private:
    double rearOffset() const;
    double total() const;

    int loco_;
    double length_;
    double scale_;
    std::deque<Section> sections_; // rear first
    double front_ = 0;             // cells the front has run into the front element
};

// The reason text for a train that runs into `e`'s dead end.
QString DeadEndReason(const TGleisBildElement& e);

} // namespace Sim
