// What every command-station driver shares: the rule by which a driver recognises a message as
// its own, and the rows of the lists every driver keeps.
#pragma once

#include "core/CoreMessage.h"

#include <QString>
#include <array>
#include <initializer_list>
#include <vector>

// How a driver tests WM_POWEROFF_SENDEN, the one message whose type parameter may differ from
// `ZentraleTyp`: the track-plan editor sends it with wParam 0. Drivers that test the parameter
// ignore the editor's message; drivers that test `ZentraleTyp` switch off.
enum class PowerOffTest { WParam, ZentraleTyp };

struct DriverTypes {
    std::vector<int> types; // the types the driver serves, e.g. {1, 2}
    PowerOffTest powerOff = PowerOffTest::WParam;
};

// The type a message is addressed to, as a driver with this power-off test sees it; -1 for a
// message every driver acts on.
int AddressedType(const CoreMessage& message, int zentraleTyp, PowerOffTest powerOff);
// True when the driver acts on the message. Type 0 (no command station) is nobody's.
bool IsForDriver(const CoreMessage& message, const DriverTypes& driver, int zentraleTyp);

// One locomotive known to the command station.
struct LokRecord {
    QString Key;              // ECoS / Central Station 1 object id ("1002"), else the address as text
    bool InDatenbank = false; // linked to a train of the project
    QString Mark;             // "V" when linked
    int ZugNr = -1;           // the linked train, -1 for none
    int Addr = 0;
    QString Name;
    QString Protokoll;        // "DCC", "MOTOROLA", "MFX", "SX32"
    int Fahrstufen = 28;      // 14, 27, 28 or 128
    QString SymbolText;
    QString BildName;
    int SymbolNr = 0;
    bool Registriert = false;
    bool View = false;
    bool Control = false;
    std::array<bool, 16> Funktionen{};          // F1..F16
    std::array<QString, 16> FunktionBeschreibung; // F1..F16
};

// One accessory address 0..250.
struct MagRecord {
    QString Id = QStringLiteral("00000"); // the command station's key; "00000" when unknown
    int Addr = 0;
    QString Text;
    QString Name;
    int Wert1 = 0;
    int Wert2 = 0;
    QString Protokoll;
    quint8 Status = 0;
};

inline constexpr int MaxS88Module = 32;

// One feedback module at the command station.
struct S88Record {
    QString Id;
    QString Label; // "S88 " or "ECOS DETECTOR "
    std::array<int, 16> Kontakte{};
};

// Module n (1-based) covers contacts 16*(n-1)+1 .. 16*n.
S88Record S88ModulFuerNummer(int n, const QString& label);
