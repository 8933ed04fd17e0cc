// A running program with its track diagram, plus helpers to build small plans and to scan the
// whole plan for references to elements that no longer exist.
#pragma once

#include "common/ProgramFixture.h"
#include "diagram/GleisBild.h"
#include "vehicles/LogBuch.h"

#include <QStringList>
#include <set>

struct DiagramFixture : ProgramFixture {
    DiagramFixture() { programm->settings.MagnetArtikelAnzahl = 250; }

    TGleisBild& bild() { return fenster->gleisbild(); }
    TLogBuch& logbuch() { return fenster->logbuch(); }

    TGleisBildElement* add(int kind, int x, int y, int magnetArtNr = 0, int kontakt = 0)
    {
        GridElementDaten d;
        d.GleisBildNr = kind;
        d.PosX = x;
        d.PosY = y;
        d.MagnetArtNr = magnetArtNr;
        d.GleisKontaktNr = kontakt;
        return bild().CreateGridElement(d);
    }
    // A loco display of `kind` (100..103) for `station` with exit signals 11 and 12.
    TGleisBildElement* addDisplay(int x, int y, int station, int kontakt, int kind = 100)
    {
        GridElementDaten d;
        d.GleisBildNr = kind;
        d.PosX = x;
        d.PosY = y;
        d.HaltestelleNr = station;
        d.GleisKontaktNr = kontakt;
        d.MagnetArtNr0 = 11;
        d.MagnetArtNr1 = 12;
        return bild().CreateGridElement(d);
    }
    TGleisBildElement* addJumpMark(int x, int y, int nr, int ende)
    {
        GridElementDaten d;
        d.GleisBildNr = SprungmarkeArt;
        d.PosX = x;
        d.PosY = y;
        d.MagnetArtNr0 = nr;
        d.MagnetArtNr1 = ende;
        return bild().CreateGridElement(d);
    }
    std::vector<CoreMessage> sent(Msg id) const
    {
        std::vector<CoreMessage> list;
        for (const CoreMessage& m : recorder.messages) {
            if (m.id == id) {
                list.push_back(m);
            }
        }
        return list;
    }
};

// Every reference the plan holds (grid cells, the eight links of every element, contact lists,
// accessory table, jump-mark table) that does not point at a live element, as readable texts.
inline QStringList DanglingReferences(const TGleisBild& bild)
{
    std::set<const TGleisBildElement*> live;
    for (const auto& e : bild.Elemente()) {
        live.insert(e.get());
    }
    QStringList found;
    const auto check = [&](const TGleisBildElement* p, const QString& where) {
        if (p != nullptr && live.count(p) == 0) {
            found << where;
        }
    };
    for (int x = 1; x <= RasterSpalten; ++x) {
        for (int y = 1; y <= RasterZeilen; ++y) {
            check(bild.Zelle(x, y), QStringLiteral("cell %1/%2").arg(x).arg(y));
        }
    }
    for (const auto& e : bild.Elemente()) {
        for (int r = 0; r < RichtungAnzahl; ++r) {
            check(e->Nachbar[r], e->Name + QStringLiteral(" link %1").arg(r));
        }
    }
    for (int k = 1; k <= GleisKontaktMax; ++k) {
        for (const TGleisBildElement* p : bild.Kontakte().kontakt(k)->Elemente) {
            check(p, QStringLiteral("contact %1").arg(k));
        }
    }
    for (int a = 1; a <= MagnetArtTabelleMax; ++a) {
        check(bild.MagnetArtElement(a), QStringLiteral("accessory %1").arg(a));
    }
    for (int n = 1; n <= SprungmarkenAnzahl; ++n) {
        for (int ende = 1; ende <= 2; ++ende) {
            check(bild.Sprungmarke(n, ende), QStringLiteral("jump mark %1/%2").arg(n).arg(ende));
        }
    }
    return found;
}
