// Writes pictures of the start window, the four settings pages, the main window and two train
// panels to the
// folder given as argument, for looking at the layout. Not a test: nothing is checked.
#include "common/ScriptedDialogs.h"
#include "core/Clock.h"
#include "core/ManualScheduler.h"
#include "core/MessageBus.h"
#include "core/Programm.h"
#include "core/StartProgram.h"
#include "core/GleisplanDatei.h"
#include "core/TInfo.h"
#include "diagram/GleisBild.h"
#include "diagram/Kacheln.h"
#include "ui/TGleisbildWidget.h"
#include "ui/TInfoForm.h"
#include "ui/TSystemForm.h"
#include "ui/TTrassolinForm.h"
#include "ui/TZugPanel.h"
#include "operation/ZugPanelBilder.h"

#include <QApplication>
#include <QPainter>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]) + u'/';
    QDir().mkpath(out);

    QTemporaryDir dir;
    MessageBus bus;
    ManualScheduler scheduler;
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(10, 20, 30)));
    ScriptedDialogs dialogs;
    Programm programm(bus, scheduler, clock, dialogs, dir.path() + u'/');
    programm.userName = QStringLiteral("anlage");
    ProgrammFenster fenster(programm);

    TTrassolinForm mainForm(programm, fenster.hauptfenster(), fenster.info());
    TSystemForm systemForm(programm, fenster.system());
    TInfoForm infoForm(programm, fenster.info());
    mainForm.show();
    fenster.info().ShowStartWindow();
    QApplication::processEvents();
    bool ok = infoForm.grab().save(out + QStringLiteral("start.png"));

    fenster.info().ListProjects();
    QApplication::processEvents();
    ok = infoForm.grab().save(out + QStringLiteral("start-projektliste.png")) && ok;
    fenster.info().LeaveProjectList();
    if (auto* backup = infoForm.findChild<QPushButton*>(QStringLiteral("SicherungSpeedBtn"))) {
        backup->click();
    }
    QApplication::processEvents();
    ok = infoForm.grab().save(out + QStringLiteral("start-sicherung.png")) && ok;

    systemForm.show();
    auto* pages = systemForm.findChild<QTabWidget*>(QStringLiteral("SystemPages"));
    for (int i = 0; pages && i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        ok = systemForm.grab().save(out + QStringLiteral("system-") + pages->tabText(i).toLower() + QStringLiteral(".png")) && ok;
    }
    systemForm.hide();

    fenster.info().OpenProject(true);
    scheduler.advance(10000);
    bus.broadcast(Msg::WM_VERBUNDEN, 2, 0);
    bus.broadcast(Msg::WM_POWERON, 0, 0);
    QApplication::processEvents();
    ok = mainForm.grab().save(out + QStringLiteral("main.png")) && ok;
    fenster.info().ShowInfoWindow();
    QApplication::processEvents();
    ok = infoForm.grab().save(out + QStringLiteral("start-info.png")) && ok;

    // The fixture plan with every element kind, some contacts occupied, turnouts thrown and
    // one element in a route; and the tile sheet.
    GleisplanDatei plan(programm);
    plan.LoadTrackPlan(QStringLiteral(TRASSOLIN_TEST_DATA "/plan/Alles.da2"));
    TGleisBild& bild = fenster.gleisbild();
    bild.RebuildContactLists();
    programm.settings.RasterAnzeigen = true;
    int n = 0;
    for (const auto& e : bild.Elemente()) {
        ++n;
        if (IstWeiche(e->GleisBildNr) || IstSignal(e->GleisBildNr) || IstDoppelkreuzweiche(e->GleisBildNr)) {
            e->Stellung = n % 2;
        }
        if (n % 3 == 0) {
            e->InFahrstrasse = true;
            e->FahrstrasseStellung = 1;
        }
        if (e->GleisKontaktNr != 0 && n % 2 == 0) {
            bild.SetContactState(e->GleisKontaktNr, 1);
        }
    }
    TGleisbildWidget diagramm(bild);
    ok = diagramm.grab().save(out + QStringLiteral("plan.png")) && ok;
    ok = GleisKachelBild().save(out + QStringLiteral("tiles.png")) && ok;
    // Two train panels side by side: one with three functions, one with fourteen in automatic
    // operation, running a route, light and some functions on.
    TZug klein(&programm);
    klein.ZugName = QStringLiteral("V 100 1023");
    klein.Addr = 23;
    klein.MaxSpeed = 100;
    klein.ZugSichtbar = true;
    klein.PanelLeft = 10;
    klein.PanelTop = 10;
    for (int f : {1, 2, 4}) {
        klein.FunktionVorhanden[f] = true;
        klein.FunktionName[f] = QStringLiteral("Funktion %1").arg(f);
        klein.FunktionBild[f] = 2 * f - 1;
    }
    klein.Set_Speed(40);
    TZug gross(&programm);
    gross.ZugName = QStringLiteral("Baureihe 218 Dieselhydraulik");
    gross.Addr = 218;
    gross.Protokoll = 1;
    gross.Folgeadresse = {219, 220, 221};
    gross.MaxSpeed = 120;
    gross.ZugSichtbar = true;
    gross.PanelLeft = 200;
    gross.PanelTop = 10;
    for (int f = 1; f <= 14; ++f) {
        gross.FunktionVorhanden[f] = true;
        gross.FunktionBild[f] = 2 * f - 1;
    }
    gross.Set_Funk(2, true);
    gross.Set_Funk(13, true);
    gross.Set_Licht(true);
    gross.Set_Richtung(1);
    gross.Set_Speed(80);
    gross.ZugInAutomatic = true;
    gross.AutomaticAktivSetzen(true);
    QWidget flaeche;
    flaeche.resize(390, 214);
    {
        TZugPanel panelKlein(programm, klein, &flaeche);
        TZugPanel panelGross(programm, gross, &flaeche);
        ok = flaeche.grab().save(out + QStringLiteral("zugpanels.png")) && ok;
        // The three icon sets, off and on, side by side at four times their size.
        QImage icons(3 * 2 * 21 * 4, 3 * 21 * 4, QImage::Format_ARGB32);
        icons.fill(Qt::white);
        QPainter p(&icons);
        p.scale(4, 4);
        for (int set = 0; set <= 2; ++set) {
            for (int i = 0; i < 6; ++i) {
                p.drawImage(QPoint(21 * i, 21 * set), FunktionBilderListe(set)[static_cast<size_t>(i + 1)]);
            }
        }
        p.end();
        ok = icons.save(out + QStringLiteral("funktionsicons.png")) && ok;
    }

    mainForm.endProgram();
    return ok ? 0 : 1;
}
