#include "Train.h"

#include "Scenario.h"
#include "diagram/GleisBild.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace Sim {

namespace {

// Distances closer than this are the same point: exact steps of a few cells never drift so far.
constexpr double kEpsilon = 1e-9;

double cells(const Section& s) { return s.element->Zellen(); }

// The same element seen by a train going the other way.
Section reversed(const Section& s) { return {s.element, s.exit, s.entry}; }

Obstacle obstacle(const TGleisBildElement* e, const QString& reason) { return {e, reason}; }

} // namespace

QString DeadEndReason(const TGleisBildElement& e)
{
    return VerbindungVon(e.GleisBildNr).form == Form::Prellbock ? QStringLiteral("buffer stop")
                                                                 : QStringLiteral("end of track");
}

QString Train::place(const TGleisBild& plan, TGleisBildElement& front, Seite heading)
{
    // The train is laid out backwards: a train travelling against `heading` that starts on
    // `front` and runs on for the train's length, then turned round.
    sections_.clear();
    const Seite back = GegenSeite(heading);
    const Entry backwards = Enter(front, Link::through(heading), back);
    if (backwards.result == Entry::Result::Enter) {
        sections_.push_back({&front, Link::through(heading), backwards.exit});
    } else if (const Entry ahead = Enter(front, Link::through(back), heading);
               ahead.result == Entry::Result::Enter && ahead.exit.kind == Link::Kind::Dead) {
        sections_.push_back({&front, Link::dead(), Link::through(back)}); // standing at a dead end
    } else {
        return QStringLiteral("%1 does not run towards %2").arg(front.Name, HeadingText(heading));
    }
    front_ = cells(sections_.back());
    while (total() < length_ - kEpsilon) {
        const auto following = next(plan);
        if (const Obstacle* o = std::get_if<Obstacle>(&following)) {
            return QStringLiteral("the track behind %1 ends at %2 (%3) after %4 cells")
                .arg(front.Name, o->element->Name, o->reason)
                .arg(total());
        }
        advanceInto(std::get<Section>(following));
        front_ = cells(sections_.back());
    }
    front_ = cells(sections_.back()) - (total() - length_);
    reverse();
    return {};
}

void Train::reverse()
{
    const double newFront = cells(sections_.front()) - rearOffset();
    std::reverse(sections_.begin(), sections_.end());
    std::transform(sections_.begin(), sections_.end(), sections_.begin(), reversed);
    front_ = newFront;
}

double Train::total() const
{
    return std::accumulate(sections_.begin(), sections_.end(), 0.0,
                           [](double sum, const Section& s) { return sum + cells(s); });
}

double Train::rearOffset() const
{
    return total() - (cells(sections_.back()) - front_) - length_;
}

double Train::toNextBoundary() const
{
    const double frontLeft = cells(sections_.back()) - front_;
    const double rearLeft = cells(sections_.front()) - rearOffset();
    return std::max(0.0, std::min(frontLeft, rearLeft));
}

void Train::move(double distance)
{
    front_ += distance;
    const double end = cells(sections_.back());
    if (std::abs(front_ - end) < kEpsilon) {
        front_ = end;
    }
}

bool Train::frontAtEnd() const
{
    return front_ >= cells(sections_.back()) - kEpsilon;
}

std::variant<Section, Obstacle> Train::next(const TGleisBild& plan) const
{
    const Section& f = sections_.back();
    switch (f.exit.kind) {
    case Link::Kind::Dead:
        return obstacle(f.element, DeadEndReason(*f.element));
    case Link::Kind::Jump: {
        TGleisBildElement* other = plan.SprungmarkeGegenstueck(f.element);
        if (other == nullptr || f.entry.kind != Link::Kind::Side) {
            return obstacle(f.element, QStringLiteral("jump mark without partner"));
        }
        const Entry in = Enter(*other, Link::jump(), TravelThrough(f.entry.side));
        return Section{other, Link::jump(), in.exit};
    }
    case Link::Kind::Side:
        break;
    }
    TGleisBildElement* n = f.element->nachbarIn(f.exit.side);
    if (n == nullptr) {
        return obstacle(f.element, QStringLiteral("end of track"));
    }
    const Link entry = Link::through(GegenSeite(f.exit.side));
    const Entry in = Enter(*n, entry, f.exit.side);
    switch (in.result) {
    case Entry::Result::Enter:
        return Section{n, entry, in.exit};
    case Entry::Result::Against:
        return obstacle(n, QStringLiteral("turnout set against"));
    case Entry::Result::Blocked:
        break;
    }
    return obstacle(n, QStringLiteral("end of track"));
}

void Train::advanceInto(const Section& section)
{
    sections_.push_back(section);
    front_ = 0;
}

std::vector<TGleisBildElement*> Train::dropPassed()
{
    std::vector<TGleisBildElement*> left;
    while (sections_.size() > 1 && rearOffset() >= cells(sections_.front()) - kEpsilon) {
        left.push_back(sections_.front().element);
        sections_.pop_front();
    }
    return left;
}

bool Train::covers(const TGleisBildElement* e) const
{
    return std::any_of(sections_.begin(), sections_.end(), [e](const Section& s) { return s.element == e; });
}

Seite Train::heading() const
{
    const Section& front = sections_.back();
    if (front.exit.kind == Link::Kind::Side) {
        return front.exit.side;
    }
    return front.entry.kind == Link::Kind::Side ? TravelThrough(front.entry.side) : KeineSeite;
}

} // namespace Sim
