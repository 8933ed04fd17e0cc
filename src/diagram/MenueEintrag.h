// One entry of a menu the logic builds and a widget shows: caption, picture of the
// button-picture list, sub-entries, and what a click does.
#pragma once

#include <QString>
#include <functional>
#include <vector>

struct MenueEintrag {
    QString text;
    int bild = -1;        // -1: no picture
    bool enabled = true;  // false: shown greyed
    bool info = false;    // an information line: shown, never clickable
    std::function<void()> aktion;
    std::vector<MenueEintrag> unter;
    bool untermenue = false; // shown as a sub-menu even while it has no entries

    bool istUntermenue() const { return untermenue || !unter.empty(); }

    // The entry and its sub-entries, depth first, by caption; nullptr when none has it.
    const MenueEintrag* finden(const QString& caption) const
    {
        if (text == caption) {
            return this;
        }
        for (const MenueEintrag& u : unter) {
            if (const MenueEintrag* e = u.finden(caption)) {
                return e;
            }
        }
        return nullptr;
    }
};

using Menue = std::vector<MenueEintrag>;

inline const MenueEintrag* MenueFinden(const Menue& menue, const QString& caption)
{
    for (const MenueEintrag& e : menue) {
        if (const MenueEintrag* f = e.finden(caption)) {
            return f;
        }
    }
    return nullptr;
}
