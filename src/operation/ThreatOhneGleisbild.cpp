#include "operation/ThreatOhneGleisbild.h"

#include "core/Programm.h"

void TThreatOhneGleisbild::Starten(Programm& programm, const Auftrag& auftrag, const QString& tag)
{
    programm.scheduler.after(auftrag.Delay, tag, [&programm, auftrag] {
        if (auftrag.Adresse != 0) {
            programm.bus.broadcast(Msg::WM_MAG, auftrag.Adresse, auftrag.Stellung);
        }
    });
}
