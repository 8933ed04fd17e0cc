// The feedback-contact table: contacts 1..512, each with its occupied flag and the grid elements
// that show it. Owned by TGleisBild. UI thread; every contact write holds `GleisKontaktLock`
// only around the write and the redraw requests of its elements.
#pragma once

#include <QtGlobal>
#include <array>
#include <mutex>
#include <vector>

class TGleisBildElement;

inline constexpr int GleisKontaktMax = 512;
inline constexpr int S88ModulMax = 32;

class TGleisKontaktListe {
public:
    struct Kontakt {
        bool GleiskontaktBesetzt = false;
        std::vector<TGleisBildElement*> Elemente; // not owned
    };

    static constexpr bool KontaktGueltig(int nr) { return nr >= 1 && nr <= GleisKontaktMax; }

    // Empties every list, then adds each element with a contact in 1..512 to its list.
    void RebuildContactLists(const std::vector<TGleisBildElement*>& elemente);
    // Occupied flag := (state == 1) for contact `nr` and each of its elements. Numbers outside
    // 1..512 are ignored and logged.
    void SetContactState(int nr, int state);
    // Contacts 16 * modul - 15 .. 16 * modul take bits 0..15 of `bits`; modules outside 1..32
    // are ignored and logged.
    void SetModuleState(int modul, quint32 bits);
    void ClearAllContacts();
    // Drops `element` from every list.
    void Entfernen(const TGleisBildElement* element);
    void Leeren();

    // Contact k is occupied when its flag is set; 0 and numbers outside 1..512 never are.
    bool Besetzt(int nr) const { return KontaktGueltig(nr) && kontakte_[nr].GleiskontaktBesetzt; }
    // The entry of `nr`; nullptr outside 1..512.
    const Kontakt* kontakt(int nr) const { return KontaktGueltig(nr) ? &kontakte_[nr] : nullptr; }

    std::recursive_mutex GleisKontaktLock;

private:
    std::array<Kontakt, GleisKontaktMax + 1> kontakte_{}; // index 0 unused
};
