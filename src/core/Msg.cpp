#include "core/Msg.h"

#include <algorithm>
#include <array>

namespace {

using K = ParamKind;
using S = SelectOn;

#define TRASSOLIN_MSG(name, w, l, sel) MsgInfo{Msg::name, #name, #name + 3, K::w, K::l, S::sel}

// SelectOn::None: the message has no type parameter; a driver goes by ZentraleTyp (or the
// message is a notification that no driver selects on).
constexpr std::array kMessages = {
    TRASSOLIN_MSG(WM_SHOWPROTOKOL, Type, None, WParam),
    TRASSOLIN_MSG(WM_VERBINDEN, Type, None, WParam),
    TRASSOLIN_MSG(WM_VERBUNDEN, Type, None, WParam),
    TRASSOLIN_MSG(WM_TRENNEN, Type, None, WParam),
    TRASSOLIN_MSG(WM_GETRENNT, Number, None, Every),
    TRASSOLIN_MSG(WM_POWERON_SENDEN, Type, None, WParam),
    TRASSOLIN_MSG(WM_POWERON, Type, None, None),
    TRASSOLIN_MSG(WM_POWEROFF_SENDEN, Type, None, WParam),
    TRASSOLIN_MSG(WM_POWEROFF, Type, None, None),
    TRASSOLIN_MSG(WM_VERBINDENFERTIG, None, None, None),
    TRASSOLIN_MSG(WM_LADE_LOKDATENBANK, None, Type, LParam),
    TRASSOLIN_MSG(WM_VERBINDENERROR, Number, None, None),
    TRASSOLIN_MSG(WM_LOKDATENBANK_OK, None, Type, None),
    TRASSOLIN_MSG(WM_SYSTEM_COM_BAUD, Number, Number, None),
    TRASSOLIN_MSG(WM_SYSTEM_IP_PORT, Text, Number, None),
    TRASSOLIN_MSG(WM_OPEN_LOKLISTE, Type, Text, WParam),
    TRASSOLIN_MSG(WM_OPEN_LOKLISTE_OK, Type, Number, None),
    TRASSOLIN_MSG(WM_LOK_DATEN_VERGLEICHEN, None, Type, LParam),
    TRASSOLIN_MSG(WM_LOK_DATEN_VERGLEICHEN_OK, None, Type, None),
    TRASSOLIN_MSG(WM_LOK_DATEN_ID_PROTOCOL, None, None, None),
    TRASSOLIN_MSG(WM_LOKSPEED, LocoKey, Number, None),
    TRASSOLIN_MSG(WM_LOKSPEED_CHANGE, Number, Number, None),
    TRASSOLIN_MSG(WM_LOKDIR, LocoKey, Number, None),
    TRASSOLIN_MSG(WM_LOKDIR_ADDR_CHANGE, Number, Number, None),
    TRASSOLIN_MSG(WM_LOKSND_CHANGE, Number, Number, None),
    TRASSOLIN_MSG(WM_LOKFUNK_ADDR_CHANGE, Number, Number, None),
    TRASSOLIN_MSG(WM_LOKFUNK, LocoKey, Number, None),
    TRASSOLIN_MSG(WM_LOKDIRF, LocoKey, Number, None),
    TRASSOLIN_MSG(WM_LOKSND, LocoKey, Number, None),
    TRASSOLIN_MSG(WM_LOK_IN_SLOT, LocoKey, None, None),
    TRASSOLIN_MSG(WM_LOCOADDR, Type, Text, WParam),
    TRASSOLIN_MSG(WM_LOCONAME, Type, Text, WParam),
    TRASSOLIN_MSG(WM_LOCOPROTOCOL, Type, Text, WParam),
    TRASSOLIN_MSG(WM_LOCOSYMBOL, Type, Text, WParam),
    TRASSOLIN_MSG(WM_LOCOFUNCSYMBOL, Type, Text, WParam),
    TRASSOLIN_MSG(WM_LOCOFUNC, Type, Text, WParam),
    TRASSOLIN_MSG(WM_LOCODESC, Type, Text, WParam),
    TRASSOLIN_MSG(WM_LOCOFUNCDESC, Type, Text, WParam),
    TRASSOLIN_MSG(WM_LOCOFUNCEXIST, Type, Text, WParam),
    TRASSOLIN_MSG(WM_LOKFUNK_CHANGE_LICHT_1_4, Number, Number, None),
    TRASSOLIN_MSG(WM_LOKFUNK_CHANGE_5_12, Number, Number, None),
    TRASSOLIN_MSG(WM_LOKFUNK_CHANGE_13_20, Number, Number, None),
    TRASSOLIN_MSG(WM_OPEN_MAGNETARTLISTE, TextOrNumber, Type, LParam),
    TRASSOLIN_MSG(WM_OPEN_MAGNETARTLISTE_OK, Number, Type, None),
    TRASSOLIN_MSG(WM_MAG, Number, Number, None),
    TRASSOLIN_MSG(WM_MAG_CHANGE, Number, Number, None),
    TRASSOLIN_MSG(WM_MAG_DATEN_OK, None, None, None),
    TRASSOLIN_MSG(WM_MAGVERGLEICHEN, Type, None, WParam),
    TRASSOLIN_MSG(WM_MAGIDSENDEN, Number, Text, None),
    TRASSOLIN_MSG(WM_OPEN_S88_MAX, Number, Type, LParam),
    TRASSOLIN_MSG(WM_OPEN_S88_MAX_OK, None, Type, None),
    TRASSOLIN_MSG(WM_S88_ANZ_ABFRAGE, None, Type, LParam),
    TRASSOLIN_MSG(WM_S88_EINGELESEN, Number, Number, None),
    TRASSOLIN_MSG(WM_S88_CHANGE, Number, Number, None),
    TRASSOLIN_MSG(WM_S88_CHANGE2, Number, Number, None),
    TRASSOLIN_MSG(WM_DEBUG, Number, None, Every),
    TRASSOLIN_MSG(WM_LOK_UBERNEHMEN, Type, Number, WParam),
    TRASSOLIN_MSG(WM_POWERPROG, Type, None, WParam),
    TRASSOLIN_MSG(WM_POWERSHORT, Type, None, WParam),
    TRASSOLIN_MSG(WM_LOKDIR_ECOSID_CHANGE, Number, Number, None),
    TRASSOLIN_MSG(WM_LOKFUNK_ECOSID_CHANGE, Number, Number, None),
};

#undef TRASSOLIN_MSG

} // namespace

std::span<const MsgInfo> AllMessages()
{
    return kMessages;
}

const MsgInfo* FindMsg(quint32 number)
{
    const auto* it = std::find_if(kMessages.begin(), kMessages.end(),
        [number](const MsgInfo& info) { return static_cast<quint32>(info.id) == number; });
    return it == kMessages.end() ? nullptr : &*it;
}

const MsgInfo& InfoOf(Msg id)
{
    const MsgInfo* info = FindMsg(static_cast<quint32>(id));
    Q_ASSERT(info);
    return *info;
}

QString MsgName(Msg id)
{
    return QString::fromLatin1(InfoOf(id).name);
}

QString MsgShortName(Msg id)
{
    return QString::fromLatin1(InfoOf(id).shortName);
}
