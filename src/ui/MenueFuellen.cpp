#include "ui/MenueFuellen.h"

#include "diagram/Kacheln.h"

#include <QMenu>

void MenueFuellen(QMenu& menu, const Menue& eintraege)
{
    for (const MenueEintrag& e : eintraege) {
        const QIcon icon = e.bild >= 0 ? QIcon(QPixmap::fromImage(SchalterBild(e.bild))) : QIcon();
        if (e.istUntermenue()) {
            QMenu* unter = menu.addMenu(icon, e.text);
            unter->setEnabled(e.enabled);
            MenueFuellen(*unter, e.unter);
            continue;
        }
        QAction* a = menu.addAction(icon, e.text);
        a->setEnabled(e.enabled && !e.info);
        if (e.aktion) {
            QObject::connect(a, &QAction::triggered, &menu, e.aktion);
        }
    }
}
