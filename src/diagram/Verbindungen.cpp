#include "diagram/Verbindungen.h"

#include "diagram/ElementArten.h"

namespace {

using enum Seite;

constexpr int kArtenMax = 102;

Verbindung gleis(Seite a, Seite b, Schmuck schmuck = Schmuck::Keiner, Seite blick = KeineSeite)
{
    Verbindung v;
    v.form = Form::Gleis;
    v.linie = {a, b};
    v.schmuck = schmuck;
    v.blick = blick;
    return v;
}

Verbindung prellbock(Seite offen)
{
    Verbindung v;
    v.form = Form::Prellbock;
    v.linie = {offen, KeineSeite};
    return v;
}

Verbindung weiche(Seite spitze, Seite gerade, Seite abzweig)
{
    Verbindung v;
    v.form = Form::Weiche;
    v.spitze = spitze;
    v.gerade = gerade;
    v.abzweig = abzweig;
    v.linie = {spitze, gerade};
    v.zweite = {spitze, abzweig};
    return v;
}

// A slip on the lines a1-a2 and b1-b2; thrown, a1 joins b1's opposite end and so on, as listed.
Verbindung doppelkreuzweiche(Linie erste, Linie zweite, Linie bogen1, Linie bogen2)
{
    Verbindung v;
    v.form = Form::Doppelkreuzweiche;
    v.linie = erste;
    v.zweite = zweite;
    v.bogen = {bogen1, bogen2};
    return v;
}

Verbindung kreuzung(Linie erste, Linie zweite)
{
    Verbindung v;
    v.form = Form::Kreuzung;
    v.linie = erste;
    v.zweite = zweite;
    return v;
}

Verbindung ueberfuehrung(bool ersteUnten)
{
    Verbindung v;
    v.form = Form::Ueberfuehrung;
    v.linie = {W, O};
    v.zweite = {N, S};
    v.ersteUnten = ersteUnten;
    v.zweiteUnten = !ersteUnten;
    return v;
}

std::array<Verbindung, kArtenMax + 1> tabelleBauen()
{
    std::array<Verbindung, kArtenMax + 1> t{};
    // Signals: main and shunting signals, facing each way of each line.
    t[1] = gleis(W, O, Schmuck::Hauptsignal, O);
    t[3] = gleis(W, O, Schmuck::Hauptsignal, W);
    t[5] = gleis(W, O, Schmuck::Rangiersignal, O);
    t[7] = gleis(W, O, Schmuck::Rangiersignal, W);
    t[2] = gleis(N, S, Schmuck::Hauptsignal, N);
    t[4] = gleis(N, S, Schmuck::Hauptsignal, S);
    t[6] = gleis(N, S, Schmuck::Rangiersignal, N);
    t[8] = gleis(N, S, Schmuck::Rangiersignal, S);
    t[9] = gleis(SW, NO, Schmuck::Hauptsignal, NO);
    t[10] = gleis(SW, NO, Schmuck::Hauptsignal, SW);
    t[11] = gleis(NW, SO, Schmuck::Hauptsignal, SO);
    t[12] = gleis(NW, SO, Schmuck::Hauptsignal, NW);
    // Level crossings.
    t[13] = gleis(W, O, Schmuck::Bahnuebergang);
    t[14] = gleis(N, S, Schmuck::Bahnuebergang);
    t[49] = gleis(W, O, Schmuck::BahnuebergangHalb, S); // upper half, partner below
    t[50] = gleis(W, O, Schmuck::BahnuebergangHalb, N); // lower half, partner above
    t[51] = gleis(N, S, Schmuck::BahnuebergangHalb, O); // left half, partner right
    t[52] = gleis(N, S, Schmuck::BahnuebergangHalb, W); // right half, partner left
    // Tunnels.
    t[15] = gleis(N, S, Schmuck::Tunnel, N);
    t[20] = gleis(N, S, Schmuck::Tunnel, S);
    t[27] = gleis(W, O, Schmuck::Tunnel, W);
    t[28] = gleis(W, O, Schmuck::Tunnel, O);
    t[29] = gleis(W, O, Schmuck::TunnelStrecke);
    t[30] = gleis(W, O, Schmuck::TunnelStrecke);
    t[31] = gleis(N, S, Schmuck::Tunnel, N);
    t[32] = gleis(N, S, Schmuck::Tunnel, S);
    t[33] = gleis(N, S, Schmuck::TunnelStrecke);
    t[34] = gleis(N, S, Schmuck::TunnelStrecke);
    t[78] = gleis(W, O, Schmuck::Tunnel, W);
    t[79] = gleis(W, O, Schmuck::Tunnel, O);
    // Sequence-control buttons.
    t[16] = gleis(W, O, Schmuck::ProgrammTaste);
    t[17] = gleis(N, S, Schmuck::ProgrammTaste);
    // Straight track.
    t[21] = gleis(W, O);
    t[22] = gleis(N, S);
    t[47] = gleis(SW, NO);
    t[48] = gleis(NW, SO);
    // Buffer stops, open towards one side.
    t[23] = prellbock(W);
    t[24] = prellbock(O);
    t[25] = prellbock(N);
    t[26] = prellbock(S);
    // Curves.
    t[35] = gleis(SW, O);
    t[36] = gleis(W, SO);
    t[37] = gleis(NW, O);
    t[38] = gleis(W, NO);
    t[39] = gleis(N, SO);
    t[40] = gleis(N, SW);
    t[41] = gleis(S, NO);
    t[42] = gleis(S, NW);
    t[43] = gleis(N, O);
    t[44] = gleis(S, O);
    t[45] = gleis(W, N);
    t[46] = gleis(W, S);
    // Overpasses: 53 carries W-E over N-S, 54 N-S over W-E.
    t[53] = ueberfuehrung(false);
    t[54] = ueberfuehrung(true);
    // Double slips.
    t[55] = doppelkreuzweiche({W, O}, {SW, NO}, {O, SW}, {W, NO});
    t[56] = doppelkreuzweiche({W, O}, {NW, SO}, {O, NW}, {W, SO});
    t[82] = doppelkreuzweiche({N, S}, {NW, SO}, {S, NW}, {N, SO});
    t[83] = doppelkreuzweiche({N, S}, {NO, SW}, {S, NO}, {N, SW});
    t[57].form = Form::Sprungmarke;
    // Crossings.
    t[58] = kreuzung({N, S}, {SW, NO});
    t[59] = kreuzung({N, S}, {NW, SO});
    t[60] = kreuzung({W, O}, {SW, NO});
    t[61] = kreuzung({W, O}, {NW, SO});
    // Turnouts: tip, straight, diverging.
    t[62] = weiche(O, W, NW);
    t[63] = weiche(W, O, NO);
    t[64] = weiche(W, O, SO);
    t[65] = weiche(O, W, SW);
    t[66] = weiche(S, N, NO);
    t[67] = weiche(S, N, NW);
    t[68] = weiche(N, S, SW);
    t[69] = weiche(N, S, SO);
    t[70] = weiche(NW, SO, O);
    t[71] = weiche(NO, SW, W);
    t[72] = weiche(SO, NW, W);
    t[73] = weiche(SW, NO, O);
    t[74] = weiche(SW, NO, N);
    t[75] = weiche(SO, NW, N);
    t[76] = weiche(NO, SW, S);
    t[77] = weiche(NW, SO, S);
    // Direction arrows.
    t[84] = gleis(W, O, Schmuck::Pfeil, W);
    t[86] = gleis(W, O, Schmuck::Pfeil, O);
    t[85] = gleis(N, S, Schmuck::Pfeil, N);
    t[87] = gleis(N, S, Schmuck::Pfeil, S);
    t[88] = gleis(W, O, Schmuck::Doppelpfeil);
    t[89] = gleis(N, S, Schmuck::Doppelpfeil);
    // Loco displays (99 and the file kinds 100..102).
    for (int k = LokAnzeigeArt; k <= kArtenMax; ++k) {
        t[k].form = Form::LokAnzeige;
        t[k].linie = {W, O};
    }
    return t;
}

const std::array<Verbindung, kArtenMax + 1>& tabelle()
{
    static const auto t = tabelleBauen();
    return t;
}

Schritt weiter(Seite richtung, int stellungSetzen = 0, bool verzweigung = false, bool gueltig = true)
{
    return {Schritt::Art::Weiter, richtung, stellungSetzen, gueltig, verzweigung};
}

} // namespace

const Verbindung& VerbindungVon(int kind)
{
    static const Verbindung keine;
    return kind >= 0 && kind <= kArtenMax ? tabelle()[static_cast<size_t>(kind)] : keine;
}

bool Verbindet(int kind, Seite s)
{
    const Verbindung& v = VerbindungVon(kind);
    switch (v.form) {
    case Form::Keine:
    case Form::Sprungmarke:
        return false;
    case Form::Prellbock:
        return v.linie.a == s;
    default:
        return v.linie.verbindet(s) || v.zweite.verbindet(s);
    }
}

std::array<Linie, 2> GelegteLinien(int kind, int stellung)
{
    const Verbindung& v = VerbindungVon(kind);
    switch (v.form) {
    case Form::Keine:
    case Form::Sprungmarke:
        return {};
    case Form::Gleis:
    case Form::Prellbock:
    case Form::LokAnzeige:
        return {v.linie, Linie{}};
    case Form::Weiche:
        return {stellung == 0 ? v.linie : v.zweite, Linie{}};
    case Form::Doppelkreuzweiche:
        return stellung == 0 ? std::array<Linie, 2>{v.linie, v.zweite} : v.bogen;
    case Form::Kreuzung:
    case Form::Ueberfuehrung:
        return {v.linie, v.zweite};
    }
    return {};
}

std::array<Linie, 2> FreieLinien(int kind, int stellung)
{
    const Verbindung& v = VerbindungVon(kind);
    switch (v.form) {
    case Form::Weiche:
        return {stellung == 0 ? v.zweite : v.linie, Linie{}};
    case Form::Doppelkreuzweiche:
        return stellung == 0 ? v.bogen : std::array<Linie, 2>{v.linie, v.zweite};
    default:
        return {};
    }
}

Schritt Durchfahren(int kind, Seite richtung, int stellung)
{
    const Verbindung& v = VerbindungVon(kind);
    const Seite ein = GegenSeite(richtung);
    switch (v.form) {
    case Form::Keine:
        break;
    case Form::Prellbock:
        return {Schritt::Art::Fehlschlag};
    case Form::Sprungmarke:
        return {Schritt::Art::Sprung, richtung};
    case Form::LokAnzeige:
        return {Schritt::Art::LokAnzeige, richtung};
    case Form::Gleis:
        if (v.linie.verbindet(ein)) {
            return weiter(v.linie.andereSeite(ein));
        }
        break;
    case Form::Ueberfuehrung:
        if (v.linie.verbindet(ein)) {
            return weiter(v.linie.andereSeite(ein), 0, false, !v.ersteUnten);
        }
        if (v.zweite.verbindet(ein)) {
            return weiter(v.zweite.andereSeite(ein), 1, false, !v.zweiteUnten);
        }
        break;
    case Form::Kreuzung:
        for (const Linie& l : {v.linie, v.zweite}) {
            if (l.verbindet(ein)) {
                return weiter(l.andereSeite(ein), 0, true);
            }
        }
        // Every entry is a branch point, even one that leads nowhere.
        return {Schritt::Art::Halt, KeineSeite, 0, true, true};
    case Form::Weiche:
        if (ein == v.spitze) {
            return stellung == 0 ? weiter(v.gerade, 0, true) : weiter(v.abzweig, 1);
        }
        if (ein == v.gerade) {
            return weiter(v.spitze, 0);
        }
        if (ein == v.abzweig) {
            return weiter(v.spitze, 1);
        }
        break;
    case Form::Doppelkreuzweiche:
        if (stellung == 0) {
            for (const Linie& l : {v.linie, v.zweite}) {
                if (l.verbindet(ein)) {
                    return weiter(l.andereSeite(ein), 0, true);
                }
            }
        } else {
            for (const Linie& l : v.bogen) {
                if (l.verbindet(ein)) {
                    return weiter(l.andereSeite(ein), 1);
                }
            }
        }
        break;
    }
    return {Schritt::Art::Halt};
}
