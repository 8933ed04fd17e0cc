#include "TrackStep.h"

#include "diagram/GleisBild.h"

namespace Sim {

namespace {

// The loco display's end towards `s` is blocked (a siding's dead end).
bool blockedEnd(const TGleisBildElement& e, Seite s)
{
    return (s == Seite::W && e.ImageLinks.gesperrt) || (s == Seite::O && e.ImageRechts.gesperrt);
}

Entry enterJumpMark(const TGleisBildElement& e, Link entry, Seite travel)
{
    if (entry.kind != Link::Kind::Jump) {
        return {Entry::Result::Enter, Link::jump()};
    }
    const Seite out = e.sprungAusgang(travel);
    return {Entry::Result::Enter, out == KeineSeite ? Link::dead() : Link::through(out)};
}

Entry enterDisplay(const TGleisBildElement& e, Seite in, Seite travel)
{
    if (!VerbindungVon(e.GleisBildNr).linie.verbindet(in) || blockedEnd(e, in)) {
        return {};
    }
    return {Entry::Result::Enter, blockedEnd(e, travel) ? Link::dead() : Link::through(travel)};
}

// A trailing turnout passes only from the leg it is set to.
bool against(const TGleisBildElement& e, Seite in, const Schritt& step)
{
    if (!IstWeiche(e.GleisBildNr) || in == VerbindungVon(e.GleisBildNr).spitze) {
        return false;
    }
    return step.stellungSetzen != (e.Stellung != 0 ? 1 : 0);
}

} // namespace

Entry Enter(const TGleisBildElement& e, Link entry, Seite travel)
{
    if (e.istSprungmarke()) {
        return enterJumpMark(e, entry, travel);
    }
    if (entry.kind != Link::Kind::Side) {
        return {};
    }
    const Seite in = entry.side;
    const Schritt step = Durchfahren(e.GleisBildNr, travel, e.Stellung);
    switch (step.art) {
    case Schritt::Art::Weiter:
        if (against(e, in, step)) {
            return {Entry::Result::Against, {}};
        }
        return {Entry::Result::Enter, Link::through(step.richtung)};
    case Schritt::Art::Fehlschlag:
        // A buffer stop: the train runs onto it from its open side and stops at its end.
        if (VerbindungVon(e.GleisBildNr).linie.a == in) {
            return {Entry::Result::Enter, Link::dead()};
        }
        return {};
    case Schritt::Art::LokAnzeige:
        return enterDisplay(e, in, travel);
    case Schritt::Art::Halt:
    case Schritt::Art::Sprung:
        break;
    }
    return {};
}

} // namespace Sim
