// Core messages: the numbered messages through which windows and command-station drivers talk.
// Every message has one row in the message table (number, name, parameter kinds, and which
// parameter a driver selects on).
#pragma once

#include <QString>
#include <QtGlobal>
#include <span>

enum class Msg : quint32 {
    // Connection and power
    WM_SHOWPROTOKOL = 0x401,
    WM_VERBINDEN = 0x402,
    WM_VERBUNDEN = 0x403,
    WM_TRENNEN = 0x404,
    WM_GETRENNT = 0x405,
    WM_POWERON_SENDEN = 0x406,
    WM_POWERON = 0x407,
    WM_POWEROFF_SENDEN = 0x408,
    WM_POWEROFF = 0x409,
    WM_VERBINDENFERTIG = 0x40A,
    WM_LADE_LOKDATENBANK = 0x40B,
    WM_VERBINDENERROR = 0x40C,
    WM_LOKDATENBANK_OK = 0x40E,
    WM_SYSTEM_COM_BAUD = 0x40F,
    WM_SYSTEM_IP_PORT = 0x410,
    // Start-up lists
    WM_OPEN_LOKLISTE = 0x414,
    WM_OPEN_LOKLISTE_OK = 0x415,
    WM_LOK_DATEN_VERGLEICHEN = 0x416,
    WM_LOK_DATEN_VERGLEICHEN_OK = 0x417,
    WM_LOK_DATEN_ID_PROTOCOL = 0x418,
    // Locomotives
    WM_LOKSPEED = 0x41E,
    WM_LOKSPEED_CHANGE = 0x41F,
    WM_LOKDIR = 0x420,
    WM_LOKDIR_ADDR_CHANGE = 0x421,
    WM_LOKSND_CHANGE = 0x424,
    WM_LOKFUNK_ADDR_CHANGE = 0x425,
    WM_LOKFUNK = 0x426,
    WM_LOKDIRF = 0x428,
    WM_LOKSND = 0x429,
    WM_LOK_IN_SLOT = 0x42A,
    WM_LOCOADDR = 0x432,
    WM_LOCONAME = 0x433,
    WM_LOCOPROTOCOL = 0x434,
    WM_LOCOSYMBOL = 0x435,
    WM_LOCOFUNCSYMBOL = 0x436,
    WM_LOCOFUNC = 0x437,
    WM_LOCODESC = 0x43C,
    WM_LOCOFUNCDESC = 0x43D,
    WM_LOCOFUNCEXIST = 0x43E,
    WM_LOKFUNK_CHANGE_LICHT_1_4 = 0x446,
    WM_LOKFUNK_CHANGE_5_12 = 0x447,
    WM_LOKFUNK_CHANGE_13_20 = 0x448,
    // Accessories and feedback
    WM_OPEN_MAGNETARTLISTE = 0x450,
    WM_OPEN_MAGNETARTLISTE_OK = 0x451,
    WM_MAG = 0x452,
    WM_MAG_CHANGE = 0x453,
    WM_MAG_DATEN_OK = 0x454,
    WM_MAGVERGLEICHEN = 0x455,
    WM_MAGIDSENDEN = 0x456,
    WM_OPEN_S88_MAX = 0x45A,
    WM_OPEN_S88_MAX_OK = 0x45B,
    WM_S88_ANZ_ABFRAGE = 0x45C,
    WM_S88_EINGELESEN = 0x45D,
    WM_S88_CHANGE = 0x45F,
    WM_S88_CHANGE2 = 0x460,
    WM_DEBUG = 0x464,
    WM_LOK_UBERNEHMEN = 0x465,
    WM_POWERPROG = 0x46E,
    WM_POWERSHORT = 0x46F,
    WM_LOKDIR_ECOSID_CHANGE = 0x485,
    WM_LOKFUNK_ECOSID_CHANGE = 0x489,
};

// Command-station type indices (`ZentraleTyp`). These travel in message parameters; they are
// not message numbers.
inline constexpr int KEINE_ZENTRALE = 0;
inline constexpr int WM_TWIN_PROTOKOL = 1;
inline constexpr int WM_IB1_PROTOKOL = 2;
inline constexpr int WM_IB2_PROTOKOL = 3;
inline constexpr int WM_IBCOM_PROTOKOL = 4;
inline constexpr int WM_CS1_PROTOKOL = 5;
inline constexpr int WM_CS2_PROTOKOL = 6;
inline constexpr int WM_EC1_PROTOKOL = 7;
inline constexpr int WM_EC2_PROTOKOL = 8;
inline constexpr int WM_Z21_PROTOKOL = 9;

// What a parameter carries.
enum class ParamKind {
    None,        // always 0
    Type,        // command-station type index
    Number,      // a plain number (address, contact, state, count, ...)
    Text,        // a text
    TextOrNumber,// WM_OPEN_MAGNETARTLISTE wParam: the project name, or 1 from plan loading
    LocoKey,     // ECoS object id as text (types 5, 7, 8) or a number (address or train index)
};

// Which parameter a driver tests to decide whether a message is meant for its type.
// None: the message has no type parameter; the driver of the active type (`ZentraleTyp`) acts.
// Every: every driver acts, whatever the type (debug view, link lost).
enum class SelectOn { None, WParam, LParam, Every };

struct MsgInfo {
    Msg id;
    const char* name;      // "WM_POWERON"
    const char* shortName; // "POWERON", as logged after "MessageRecieve "
    ParamKind w;
    ParamKind l;
    SelectOn select;
};

// The whole table, in number order.
std::span<const MsgInfo> AllMessages();
// The row of a message; nullptr for a number that is no message.
const MsgInfo* FindMsg(quint32 number);
const MsgInfo& InfoOf(Msg id);
QString MsgName(Msg id);
QString MsgShortName(Msg id);
