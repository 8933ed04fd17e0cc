#include "settings/ZentraleNamen.h"

#include <algorithm>
#include <array>

namespace {
const std::array<const char16_t*, ZentraleTypMax + 1> kNamen = {
    u"KEINE ZENTRALE AUSGEWÄHLT", u"Fleischmann Twin-Center",   u"Uhlenbrock Intellybox 1",
    u"Uhlenbrock Intellybox 2",   u"Uhlenbrock IB-COM",         u"Märklin Central Station 1",
    u"Märklin Central Station 2", u"ESU 50200 ECoS 1",          u"ESU 50210 ECoS 2",
    u"Roco-Fleischmann Z21",
};

// "06 LAN CS2 " keeps its trailing blank: files written so far carry it.
const std::array<const char16_t*, ZentraleTypMax + 1> kProtokol = {
    u"00 KEIN PROTOKOL", u"01 FLE",      u"02 IB1",       u"03 LOCONET USB IB2", u"04 LOCONET USB IB-COM",
    u"05 LAN CS1",       u"06 LAN CS2 ", u"07 LAN ECOS 1", u"08 LAN ECOS 2",     u"09 LAN Z21",
};

int clampTyp(int typ)
{
    return std::clamp(typ, 0, ZentraleTypMax);
}
} // namespace

QString ZentraleName(int typ)
{
    if (typ < 0 || typ > ZentraleTypMax) {
        return {};
    }
    return QString::fromUtf16(kNamen[static_cast<size_t>(typ)]);
}

QString ProtokolText(int typ)
{
    return QString::fromUtf16(kProtokol[static_cast<size_t>(clampTyp(typ))]);
}

QString CentraleText(int typ)
{
    const int t = clampTyp(typ);
    if (t == 0) {
        return QStringLiteral("00 KEINE ZENTRALE");
    }
    return QStringLiteral("0%1 Centrale : %2").arg(t).arg(ZentraleName(t));
}

QString TextFuerTyp(int typ, std::initializer_list<const char*> texte)
{
    if (typ < 1 || typ > static_cast<int>(texte.size())) {
        return {};
    }
    return QString::fromUtf8(texte.begin()[typ - 1]);
}
