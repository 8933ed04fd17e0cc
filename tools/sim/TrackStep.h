// One step of a train along the plan: how it comes into an element and where it leaves it,
// read from the program's connection table (`Durchfahren`), the element's position and the
// jump-mark pairs. Pure functions over the plan; UI thread (the plan's thread).
#pragma once

#include "diagram/Verbindungen.h"

class TGleisBild;
class TGleisBildElement;

namespace Sim {

// How a train joins one end of an element it covers.
struct Link {
    enum class Kind {
        Side, // through side `side`
        Jump, // through the jump to the other end of a jump-mark pair
        Dead, // a dead end: a buffer stop, the blocked end of a loco display, nothing behind
    };
    Kind kind = Kind::Dead;
    Seite side = KeineSeite;

    static Link through(Seite s) { return {Kind::Side, s}; }
    static Link jump() { return {Kind::Jump, KeineSeite}; }
    static Link dead() { return {Kind::Dead, KeineSeite}; }
    bool operator==(const Link&) const = default;
};

struct Entry {
    enum class Result {
        Enter,   // the train runs in and leaves by `exit`
        Against, // a turnout entered from the leg it is not set to
        Blocked, // no track joins the side it comes from
    };
    Result result = Result::Blocked;
    Link exit;
};

// A train travelling in direction `travel` comes into `e` by `entry` (a side, or the jump from
// the other end of `e`'s pair). Turnouts and double slips are taken as `e->Stellung` shows them.
Entry Enter(const TGleisBildElement& e, Link entry, Seite travel);

// The direction a train travels when it comes in through side `s`.
constexpr Seite TravelThrough(Seite s) { return GegenSeite(s); }

} // namespace Sim
