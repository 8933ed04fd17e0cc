#include "operation/Zug.h"

#include "core/Programm.h"

int TZug::typ() const
{
    return programm_ ? programm_->ZentraleTyp() : 0;
}

Param TZug::LokKey(int zentraleTyp) const
{
    switch (zentraleTyp) {
    case 5:
    case 7:
    case 8:
        return ECOSID;
    case 6:
        return Addr;
    default:
        return ZugNr;
    }
}

int TZug::DirfBits() const
{
    int bits = ZugRichtung == 1 ? 32 : 0;
    for (int f = 1; f <= 4; ++f) {
        if (Funktion[f]) {
            bits += 1 << (f - 1);
        }
    }
    return bits + (Funktion[0] ? 16 : 0);
}

int TZug::SndBits() const
{
    int bits = 0;
    for (int f = 5; f <= 8; ++f) {
        if (Funktion[f]) {
            bits += 1 << (f - 5);
        }
    }
    return bits;
}

void TZug::senden(Msg id, const Param& wert) const
{
    if (programm_) {
        programm_->bus.broadcast(id, LokKey(typ()), wert);
    }
}

void TZug::Set_Speed(int v)
{
    v = std::clamp(v, 0, 127);
    if (v == ZugSpeedLetzte) {
        return;
    }
    ZugSpeedLetzte = v;
    // LocoNet reserves step 1 for an emergency stop: every step above 0 goes one up.
    const bool loconet = typ() == 3 || typ() == 4;
    ZugSpeed = loconet && v > 0 ? v + 1 : v;
    senden(Msg::WM_LOKSPEED, ZugSpeed);
    Neuzeichnen();
}

void TZug::Set_Richtung(int d)
{
    ZugRichtung = d == 1 ? 1 : 0;
    Set_Speed(0);
    switch (typ()) {
    case 3:
    case 4:
        senden(Msg::WM_LOKDIRF, DirfBits());
        break;
    case 5:
    case 6:
    case 7:
    case 8:
        senden(Msg::WM_LOKDIR, ZugRichtung);
        break;
    default:
        break; // the other drivers send the direction with every speed command
    }
    Neuzeichnen();
}

void TZug::Wenden()
{
    Set_Richtung(ZugRichtung == 0 ? 1 : 0);
}

void TZug::Set_Licht(bool on)
{
    Funktion[0] = on;
    funktionSenden(0, on);
    Neuzeichnen();
}

void TZug::Set_Funk(int n, bool on)
{
    if (n < 0 || n > 16) {
        return;
    }
    Funktion[n] = on;
    funktionSenden(n, on);
    Neuzeichnen();
}

// Function 0 is the light. The serial drivers send all functions with one message; LocoNet
// carries F0..F4 with the direction and F5..F8 in the sound message (nothing above); the others
// take the function number in the high word.
void TZug::funktionSenden(int n, bool on) const
{
    switch (typ()) {
    case 1:
    case 2:
        senden(Msg::WM_LOKFUNK, 999);
        break;
    case 3:
    case 4:
        if (n <= 4) {
            senden(Msg::WM_LOKDIRF, DirfBits());
        } else if (n <= 8) {
            senden(Msg::WM_LOKSND, SndBits());
        }
        break;
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
        senden(Msg::WM_LOKFUNK, qint64{n} * 65536 + (on ? 1 : 0));
        break;
    default:
        break;
    }
}

void TZug::PanelSchliessen()
{
    ZugSichtbar = false;
    ZugInAutomatic = false;
    Neuzeichnen();
}

void TZug::AutomaticUmschalten(bool automaticAn)
{
    ZugInAutomatic = automaticAn && !ZugInAutomatic;
    Neuzeichnen();
}

void TZug::PanelVerschieben(int left, int top)
{
    PanelLeft = left;
    PanelTop = top;
}

void TZug::AutomaticAktivSetzen(bool b)
{
    ZugAktiv = b;
    Neuzeichnen();
}

void TZug::Neuzeichnen()
{
    // A watcher may unregister itself or another one while it is told.
    std::vector<int> ids;
    for (const auto& [id, fn] : beobachter_.liste) {
        ids.push_back(id);
    }
    for (int id : ids) {
        const auto it = beobachter_.liste.find(id);
        if (it != beobachter_.liste.end()) {
            const auto fn = it->second;
            fn();
        }
    }
}

int TZug::Beobachten(std::function<void()> beobachter)
{
    const int id = beobachter_.naechste++;
    beobachter_.liste.emplace(id, std::move(beobachter));
    return id;
}

void TZug::NichtMehrBeobachten(int id)
{
    beobachter_.liste.erase(id);
}
