// Builds a QMenu from the entries the logic made: captions, pictures of the button-picture
// list, greyed entries, information lines and sub-menus. UI thread.
#pragma once

#include "diagram/MenueEintrag.h"

class QMenu;

void MenueFuellen(QMenu& menu, const Menue& eintraege);
