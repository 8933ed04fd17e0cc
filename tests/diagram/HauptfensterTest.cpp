// The main window's logic on the bus: connection and power handlers, the automatic switch, the
// vehicle-database refusals, the loco-display menu, the train chooser and "Alle fahrstrassen
// Lösschen", over a small plan with two stations.
#include "DiagramFixture.h"
#include "diagram/TTrassolin.h"
#include "operation/BetriebsDaten.h"
#include "operation/FahrstrassenDienste.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
// Route setting as the main window sees it: records every call; routes named "Frei*" pass the
// check, the others report one obstacle.
struct RouteRecorder final : FahrstrassenDienste {
    QStringList calls;
    QStringList FahrstrasseCheck(TFahrstrasse& r) override
    {
        return r.FahrstrasseName.startsWith(QStringLiteral("Frei")) ? QStringList() : QStringList{QStringLiteral("Weiche belegt")};
    }
    bool FahrstrasseAktivFurZug(const TFahrstrasse& r, const QString&) const override { return !r.FahrstrasseName.endsWith(u'X'); }
    void FahrstrasseReservieren(TFahrstrasse& r) override { calls << "reservieren " + r.FahrstrasseName; }
    void FahrstrasseSetzen(TFahrstrasse& r, bool) override { calls << "setzen " + r.FahrstrasseName; }
    void FahrstrasseFreigeben(TFahrstrasse& r) override { calls << "freigeben " + r.FahrstrasseName; }
    void FahrstrasseLoeschen(TFahrstrasse& r) override { calls << "loeschen " + r.FahrstrasseName; }
    void FahrstrasseAnzeigen(TFahrstrasse& r, bool an) override { calls << QStringLiteral("anzeigen %1 %2").arg(r.FahrstrasseName).arg(an); }
    void DeleteFahrstrasse(int station, int route) override { calls << QStringLiteral("queues %1/%2").arg(station).arg(route); }
    void ZugverfolgungAktualisieren(TZug& z) override { calls << "verfolgung " + z.ZugName; }
    void AutomaticTimerStarten() override { calls << "timer an"; }
    void AutomaticTimerStoppen() override { calls << QStringLiteral("timer aus (AutomaticAn %1)").arg(automaticAn ? *automaticAn : -1); }
    void DiagnoseZeile(const QString& zeile, int) override { calls << "diagnose " + zeile; }
    int ZugeInAutomaticAktiv() const override { return aktiv; }
    void ZugeInAutomaticAktivSetzen(int n) override { aktiv = n; }
    void setAktivAnzeige(std::function<void(int)>) override {}
    const bool* automaticAn = nullptr;
    int aktiv = 0;
};

struct Hauptfenster : DiagramFixture {
    RouteRecorder routen;
    THaltestelle* nord = nullptr;
    THaltestelle* sued = nullptr;
    TGleisBildElement* nordAnzeige = nullptr;
    TGleisBildElement* suedAnzeige = nullptr;

    Hauptfenster()
    {
        programm->fahrstrassen = &routen;
        routen.automaticAn = &haupt().AutomaticAn;
        BetriebsDaten& daten = fenster->betriebsdaten();
        nord = daten.HaltestelleNeu(QStringLiteral("Nord"));
        sued = daten.HaltestelleNeu(QStringLiteral("Sued"));
        sued->HaltestelleArt = QStringLiteral("Schattenbahnhof");
        nordAnzeige = addDisplay(2, 2, nord->HaltestelleID, 5, 101);
        suedAnzeige = addDisplay(2, 6, sued->HaltestelleID, 6, 101);
        bild().RebuildGrid();
        bild().RebuildContactLists();
        for (const char* name : {"V 100", "BR 01", "E 10"}) {
            zug(QString::fromLatin1(name));
        }
        recorder.messages.clear();
    }
    ~Hauptfenster() { programm->fahrstrassen = nullptr; }

    TZug& zug(const QString& name)
    {
        auto& liste = fenster->betriebsdaten().ZugListe;
        auto z = std::make_unique<TZug>(programm.get());
        z->ZugNr = static_cast<int>(liste.size());
        z->ZugDatanbankNr = 100 + z->ZugNr;
        z->ZugName = name;
        z->Addr = z->ZugNr + 3;
        liste.push_back(std::move(z));
        return *liste.back();
    }
    TZug& zugNr(int nr) { return *fenster->betriebsdaten().ZugListe[static_cast<std::size_t>(nr)]; }
    // A route from `start` to `ziel` with a driving-data block for `mit`.
    TFahrstrasse& route(THaltestelle& start, THaltestelle& ziel, const QString& name, TZug* mit)
    {
        TFahrstrasse* r = fenster->betriebsdaten().FahrstrasseAnlegen(start, name);
        r->ZielHaltestelleID = ziel.HaltestelleID;
        r->FahrstrasseRichtung = start.HaltestelleRichtung;
        if (mit != nullptr) {
            fenster->betriebsdaten().ZugDatenErstellen(*r, *mit);
        }
        return *r;
    }
    // The train stands in the display, its contact occupied.
    void abstellen(TGleisBildElement* display, TZug& z)
    {
        display->ZugZuweisen(&z);
        bild().SetContactState(display->GleisKontaktNr, 1);
    }
    Menue menue(TGleisBildElement* display) { return haupt().anzeigeMenue().Oeffnen(*display); }
};

// The captions of a menu, sub-entries indented, greyed entries marked "(grau)".
QStringList captions(const Menue& menue, const QString& indent = {})
{
    QStringList out;
    for (const MenueEintrag& e : menue) {
        out << indent + e.text + (e.enabled || e.info ? QString() : QStringLiteral(" (grau)"))
                + (e.bild >= 0 ? QStringLiteral(" [%1]").arg(e.bild) : QString());
        out << captions(e.unter, indent + QStringLiteral("  "));
    }
    return out;
}

void klick(const Menue& menue, const QString& caption)
{
    const MenueEintrag* e = MenueFinden(menue, caption);
    ASSERT_NE(e, nullptr) << caption.toStdString();
    ASSERT_TRUE(e->aktion) << caption.toStdString();
    e->aktion();
}
} // namespace

TEST(Hauptfenster, PowerAndConnectionHandlersActOnlyOnChanges)
{
    Hauptfenster f;
    f.programm->settings.ZentraleTyp = 8;
    f.bus.broadcast(Msg::WM_VERBUNDEN, 8, 0);
    f.bus.broadcast(Msg::WM_POWERON, 0, 0);
    EXPECT_EQ(f.haupt().statusPanel(0), "ESU 50210 ECoS 2 (Power ON)");
    EXPECT_EQ(f.haupt().statusPanel(1), "Verbunden mit ESU 50210 ECoS 2 (Power ON)");

    // A second report of power on changes nothing: no text, no mode, no redraw.
    f.haupt().setStatusPanel(1, "Lok 3 gefahren");
    f.haupt().GleisbildModus = 4;
    QSignalSpy changed(&f.haupt(), &TTrassolin::changed);
    f.bus.broadcast(Msg::WM_POWERON, 0, 0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(f.haupt().statusPanel(1), "Lok 3 gefahren");
    EXPECT_EQ(f.haupt().GleisbildModus, 4);
    f.haupt().GleisbildModus = 1;

    // Disconnecting resets the mode, the panels and the power display; the keys then send nothing.
    f.haupt().setStatusPanel(2, "Weiche 4 geschaltet");
    f.bus.broadcast(Msg::WM_GETRENNT, 8, 0);
    EXPECT_EQ(f.haupt().GleisbildModus, 0);
    EXPECT_FALSE(f.haupt().PowerAn);
    EXPECT_EQ(f.haupt().statusPanel(0), "ESU 50210 ECoS 2 (Power OFF)");
    EXPECT_EQ(f.haupt().statusPanel(1), "");
    EXPECT_EQ(f.haupt().statusPanel(2), "");
    EXPECT_EQ(f.haupt().verbindenMenuText(), "Verbinden mit Zentrale");
    f.recorder.messages.clear();
    f.haupt().GoKlick();
    f.haupt().StopKlick();
    EXPECT_TRUE(f.recorder.messages.empty());
    f.bus.broadcast(Msg::WM_POWEROFF, 0, 0);
    EXPECT_EQ(f.haupt().statusPanel(1), "") << "power already shown off";
}

TEST(Hauptfenster, ReadyRunsTheComparisonsAndPutsTheTrainsOnTheKeys)
{
    Hauptfenster f;
    f.programm->settings.ZentraleTyp = 5;
    f.haupt().setLokTastenAnzahl(2);
    f.zugNr(1).ImSchrank = true;
    f.programm->ZentraleVerbunden = true;
    f.bus.broadcast(Msg::WM_VERBINDENFERTIG, 0, 0);
    EXPECT_EQ(f.haupt().statusPanel(1), "Modus : Betrieb");
    std::vector<CoreMessage> sent;
    for (const CoreMessage& m : f.recorder.messages) {
        if (m.id == Msg::WM_LOK_DATEN_VERGLEICHEN || m.id == Msg::WM_MAGVERGLEICHEN) {
            sent.push_back(m);
        }
    }
    EXPECT_EQ(sent, (std::vector<CoreMessage>{{Msg::WM_LOK_DATEN_VERGLEICHEN, 0, 5}, {Msg::WM_MAGVERGLEICHEN, 5, 0}}));
    // The train in the cabinet is left out; the keys show the others in order.
    const auto tasten = f.haupt().lokLeiste().Tasten(0);
    ASSERT_EQ(tasten.size(), 2u);
    EXPECT_EQ(tasten[0]->ZugName, "V 100");
    EXPECT_EQ(tasten[1]->ZugName, "E 10");
    EXPECT_EQ(f.zugNr(2).LokTasteNr, 2);
    EXPECT_EQ(f.zugNr(1).LokTasteNr, 0);
    EXPECT_FALSE(f.haupt().lokLeiste().PlusEnabled());
}

TEST(Hauptfenster, KeysShowTheirTrainByCommandStationType)
{
    TZug gebunden;
    gebunden.ZugName = QStringLiteral("BR 01");
    gebunden.ECOSID = QStringLiteral("1004");
    TZug frei;
    frei.ZugName = QStringLiteral("V 160");
    struct Row {
        int typ;
        const TZug* zug;
        const char* label;
        bool hinweis;
        bool bedienbar;
        bool farbe;
    };
    const Row rows[] = {
        {8, &gebunden, "BR 01 (1004)", false, true, false}, {8, &frei, "V 160 (0000)", true, true, true},
        {5, &frei, "V 160 (0000)", true, true, true},       {6, &frei, "V 160", true, false, true},
        {6, &gebunden, "BR 01", false, true, false},        {9, &frei, "V 160", false, true, false},
        {1, nullptr, "Keine Lok", false, true, false},
    };
    for (const Row& r : rows) {
        const TLokLeiste::TastenAnsicht a = TLokLeiste::Ansicht(r.zug, r.typ);
        EXPECT_EQ(a.label, r.label) << r.typ;
        EXPECT_EQ(a.sichtbar, r.zug != nullptr) << r.typ;
        EXPECT_EQ(a.nichtVerbundenLabel, r.hinweis) << r.label << " " << r.typ;
        EXPECT_EQ(a.bedienbar, r.bedienbar) << r.label << " " << r.typ;
        EXPECT_EQ(a.ungebundenFarbe, r.farbe) << r.label << " " << r.typ;
    }
}

TEST(Hauptfenster, KeyPictureShowsThePanelOrOffersTheDatabase)
{
    Hauptfenster f;
    TZug& z = f.zugNr(0);
    f.programm->settings.ZentraleTyp = 4;
    f.haupt().LokBildKlick(z);
    EXPECT_TRUE(z.ZugSichtbar);
    f.haupt().LokBildKlick(z);
    EXPECT_FALSE(z.ZugSichtbar);

    f.programm->settings.ZentraleTyp = 7;
    f.dialogs.yesNoAnswers = {false};
    f.haupt().LokBildKlick(z);
    EXPECT_EQ(f.dialogs.questions.back(), "Zug : V 100 ist nicht an Zentrale (ECOS 1) gebunden \r Lokdatenbank öffnen ?");
    EXPECT_FALSE(z.ZugSichtbar) << "an unbound train's panel stays as it is";
}

TEST(Hauptfenster, AutomaticSwitchStopsTheTimerFirstAndGuardsTheLimit)
{
    Hauptfenster f;
    f.programm->settings.MaxZugeInAutomaticAktiv = 1;
    f.haupt().LimitHoch();
    EXPECT_EQ(f.programm->settings.MaxZugeInAutomaticAktiv, 1) << "limit keys work only while automatic is on";
    QSignalSpy colour(f.programm->system, &TSystem::panelColorChanged);

    f.haupt().AutomaticSchalten();
    EXPECT_TRUE(f.haupt().AutomaticAn);
    EXPECT_EQ(f.haupt().AutomaticText(), "Automatik Ausschalten");
    EXPECT_EQ(f.haupt().AutomaticBild(), 24);
    EXPECT_EQ(f.haupt().AutomaticMenueText(), "Ausschalten");
    EXPECT_EQ(colour.count(), 1);
    f.haupt().LimitHoch();
    f.haupt().LimitRunter();
    f.haupt().LimitRunter();
    f.haupt().LimitRunter();
    EXPECT_EQ(f.programm->settings.MaxZugeInAutomaticAktiv, 0) << "lowering stops at 0";

    f.haupt().AutomaticSchalten();
    EXPECT_EQ(f.routen.calls, QStringList({"diagnose TrassolinAutomatic AN ", "timer an", "timer aus (AutomaticAn 1)",
                                           "diagnose TrassolinAutomatic AUS "}));
    EXPECT_EQ(f.haupt().AutomaticBild(), 25);
    EXPECT_EQ(colour.count(), 2);
}

TEST(Hauptfenster, VehicleDatabaseIsRefusedWhileTrainsRun)
{
    Hauptfenster f;
    QSignalSpy opened(&f.haupt(), &TTrassolin::datenbankOeffnen);
    struct Row {
        bool automatic;
        int aktiv;
        int zugStatus;
        const char* meldung; // nullptr: the window opens
    };
    const Row rows[] = {
        {true, 0, 0, "Automatik ist noch eingeschaltet. \n\rBitte zuerst ausschalten !!"},
        {false, 2, 0, "Es sind noch Züge in Automatik unterwegs!"},
        {false, 0, 1, "Es sind nocht Züge in Fahrstrassen unterwegst. \n\rBitte alle Fahrstrassen beenden !!"},
        {false, 0, 0, nullptr},
    };
    f.haupt().setSteuerzustand(TTrassolin::Steuerzustand::Betrieb);
    for (const Row& r : rows) {
        f.dialogs.informations.clear();
        f.haupt().AutomaticAn = r.automatic;
        f.routen.aktiv = r.aktiv;
        f.zugNr(2).ZugStatus = r.zugStatus;
        f.haupt().DatenbankKlick();
        if (r.meldung != nullptr) {
            EXPECT_EQ(f.dialogs.informations, QStringList{QString::fromUtf8(r.meldung)});
            EXPECT_EQ(opened.count(), 0);
        } else {
            EXPECT_TRUE(f.dialogs.informations.isEmpty());
            EXPECT_EQ(opened.count(), 1);
        }
    }
    EXPECT_EQ(f.haupt().steuerzustand(), TTrassolin::Steuerzustand::Gesperrt);
    f.haupt().DatenbankGeschlossen();
    EXPECT_EQ(f.haupt().steuerzustand(), TTrassolin::Steuerzustand::Betrieb);
}

TEST(Hauptfenster, LocoDisplayMenuOffersWhatTheDisplayHolds)
{
    Hauptfenster f;
    TZug& v100 = f.zugNr(0);
    f.route(*f.nord, *f.sued, "Frei_Sued", &v100);
    f.route(*f.nord, *f.sued, "Belegt_Sued", &v100);
    f.route(*f.nord, *f.sued, "Frei_Ohne_X", &v100);
    TFahrstrasse& andereRichtung = f.route(*f.nord, *f.sued, "Frei_Zurueck", &v100);
    andereRichtung.FahrstrasseRichtung = 1;
    f.nord->HaltestelleSoundDatei = "ansage.wav";

    // An empty, free display: only the station's entries.
    EXPECT_EQ(captions(f.menue(f.nordAnzeige)),
              QStringList({"Züge die hier fahren können", "Nord Sperren fur alle Züge [41]", "Nord Sound abspielen [42]"}));

    // Occupied and holding a train, no route chosen.
    f.abstellen(f.nordAnzeige, v100);
    f.nordAnzeige->FahrstrasseLinks = {1, 2};
    f.routen.calls.clear();
    const Menue m = f.menue(f.nordAnzeige);
    EXPECT_EQ(captions(m), QStringList({"Mit [Ctrl] Lok verschieben und Fahrstrasse Reservieren", "Zug [33]", "  Zug wenden [34]",
                                        "  Zug ´bearbeiten (grau) [43]", "Zug Lösschen? [35]", "Fahren [36]",
                                        "  Fahrstraße auswählen", "    Frei_Sued [49]", "    Frei_Ohne_X (grau) [49]",
                                        "  Fahrtrichtung ändern [37]", "Züge die hier fahren können",
                                        "Nord Sperren fur alle Züge [41]", "Nord Sound abspielen [42]"}));
    EXPECT_EQ(f.routen.calls, QStringList({"diagnose ** Fahrstrassen ************************",
                                           "diagnose Belegt_Sued (Weiche belegt)",
                                           "diagnose ** Fahrstrassen FahrstrasseRichtung ??***"}));
    // Opening took back the offers and set both exit signals red with their hint.
    EXPECT_FALSE(f.nordAnzeige->FahrstrasseLinks.gesetzt());
    EXPECT_EQ(f.nordAnzeige->ImageLinks.Hint, "Signal");
    EXPECT_EQ(f.nordAnzeige->SignalRechts, 0);

    // Choosing a route reserves it for the train.
    f.routen.calls.clear();
    klick(m, "Frei_Sued");
    TFahrstrasse* gewaehlt = f.nord->AktiveFahrstrasse;
    ASSERT_NE(gewaehlt, nullptr);
    EXPECT_EQ(gewaehlt->FahrstrasseName, "Frei_Sued");
    ASSERT_NE(gewaehlt->AktuelleZugDaten, nullptr);
    EXPECT_EQ(gewaehlt->AktuelleZugDaten->ZugDatenZug, &v100);
    EXPECT_EQ(v100.ZugStatus, 1);
    EXPECT_EQ(f.routen.calls, QStringList({"reservieren Frei_Sued", "verfolgung V 100"}));

    // Reserved: edit, run, release. Running: delete.
    gewaehlt->FahrstrasseStatus = 1;
    const Menue reserviert = f.menue(f.nordAnzeige);
    // No information line: the "Fahren" entries are not offered.
    EXPECT_EQ(captions(reserviert).mid(0, 5), QStringList({"Zug [33]", "  Zug wenden [34]", "  Zug ´bearbeiten (grau) [43]",
                                                           "Frei_Sued bearbeiten (grau) [38]", "Frei_Sued Fahren [39]"}));
    klick(reserviert, "Frei_Sued Fahren");
    EXPECT_EQ(v100.ZugStatus, 2);
    EXPECT_EQ(v100.ZugStartHaltestelleID, f.nord->HaltestelleID);
    EXPECT_EQ(v100.ZugFahrstrasseID, gewaehlt->FahrstrasseID);
    gewaehlt->FahrstrasseStatus = 2;
    const Menue laeuft = f.menue(f.nordAnzeige);
    EXPECT_EQ(MenueFinden(laeuft, "Zug Lösschen?"), nullptr) << "not while a route is chosen";
    f.routen.calls.clear();
    klick(laeuft, "Frei_Sued Lösschen");
    EXPECT_EQ(f.routen.calls, QStringList({"loeschen Frei_Sued", "verfolgung V 100"}));
    EXPECT_EQ(v100.ZugStatus, 0);
    EXPECT_EQ(v100.ZugFahrstrasseID, 999);
}

TEST(Hauptfenster, RouteWithoutTheTrainsDrivingDataIsNotChosen)
{
    Hauptfenster f;
    TZug& br01 = f.zugNr(1);
    f.route(*f.nord, *f.sued, "Frei_Fremd", &f.zugNr(0));
    f.abstellen(f.nordAnzeige, br01);
    const Menue m = f.menue(f.nordAnzeige);
    klick(m, "Frei_Fremd");
    EXPECT_EQ(f.nord->AktiveFahrstrasse, nullptr);
    EXPECT_EQ(br01.ZugStatus, 0);
    EXPECT_FALSE(f.routen.calls.contains("reservieren Frei_Fremd"));
}

TEST(Hauptfenster, DisplayMenuForMissingTrainOrFreeTrack)
{
    Hauptfenster f;
    // Occupied without a train: a train can be inserted.
    f.bild().SetContactState(6, 1);
    EXPECT_EQ(captions(f.menue(f.suedAnzeige)).first(), "Zug einfügen? [33]");
    // A train on a free track: delete it or look at it.
    f.bild().SetContactState(6, 0);
    f.suedAnzeige->ZugZuweisen(&f.zugNr(2));
    EXPECT_EQ(captions(f.menue(f.suedAnzeige)).mid(0, 2), QStringList({"Zug Lösschen? [35]", "Zug Info (grau) [35]"}));
    // Blocking the station toggles its entry.
    klick(f.menue(f.suedAnzeige), "Sued Sperren fur alle Züge");
    EXPECT_TRUE(f.sued->HaltestelleHierNichtFahren);
    EXPECT_TRUE(captions(f.menue(f.suedAnzeige)).contains("Sued Freigeben fur alle Züge [41]"));
    f.dialogs.yesNoAnswers = {true};
    klick(f.menue(f.suedAnzeige), "Zug Lösschen?");
    EXPECT_EQ(f.suedAnzeige->Zug, nullptr);
}

TEST(Hauptfenster, TrainChooserAllowsAndInsertsTrains)
{
    Hauptfenster f;
    TLoksHierhin& wahl = f.haupt().loksHierhin();
    TZug& v100 = f.zugNr(0);
    TZug& br01 = f.zugNr(1);
    f.sued->HaltestelleZuge = {&br01};
    klick(f.menue(f.suedAnzeige), "Züge die hier fahren können");
    ASSERT_TRUE(wahl.sichtbar);
    EXPECT_EQ(wahl.Titel, "Züge die nach Sued fahren können");
    const TLoksHierhin::Seite& zuege = wahl.Seiten()[3];
    ASSERT_TRUE(zuege.sichtbar);
    ASSERT_EQ(zuege.zeilen.size(), 3u);
    EXPECT_EQ(zuege.zeilen[1].text, "BR 01 (4)");
    EXPECT_TRUE(zuege.zeilen[1].angehakt);
    wahl.Haken(v100, true);
    wahl.Haken(v100, true);
    wahl.Haken(br01, false);
    EXPECT_EQ(f.sued->HaltestelleZuge, std::vector<TZug*>{&v100});
    wahl.Schliessen();

    // Inserting: a busy train is refused with its reasons; a train from another station is
    // moved after asking.
    f.abstellen(f.nordAnzeige, br01);
    f.bild().SetContactState(6, 1);
    klick(f.menue(f.suedAnzeige), "Zug einfügen?");
    EXPECT_EQ(wahl.Titel, "Auswahl Lok");
    br01.ZugStatus = 2;
    br01.ZugAktiv = true;
    wahl.BildKlick(br01);
    EXPECT_EQ(f.dialogs.informations.back(), "BR 01 ist noch in einer fahrstrasse\rBR 01 ist noch in Automatic");
    EXPECT_EQ(f.nordAnzeige->Zug, &br01);
    EXPECT_TRUE(wahl.sichtbar);
    br01.ZugStatus = 0;
    br01.ZugAktiv = false;
    f.dialogs.yesNoAnswers = {true};
    wahl.BildKlick(br01);
    EXPECT_EQ(f.dialogs.questions.back(), "Zug : BR 01 in Haltestelle Nord ersetzen");
    EXPECT_EQ(f.nordAnzeige->Zug, nullptr);
    EXPECT_EQ(f.suedAnzeige->Zug, &br01);
    EXPECT_FALSE(wahl.sichtbar);
}

TEST(Hauptfenster, AllRoutesClearedStopsTrainsAndFreesStations)
{
    Hauptfenster f;
    TZug& v100 = f.zugNr(0);
    TFahrstrasse& r = f.route(*f.nord, *f.sued, "Frei_Sued", &v100);
    f.abstellen(f.nordAnzeige, v100);
    f.nord->AktiveFahrstrasse = &r;
    f.nord->HaltestelleBelegt = true;
    f.nord->HaltestelleStatus = 2;
    r.FahrstrasseStatus = 2;
    v100.ZugStatus = 2;
    v100.AutomaticAktivSetzen(true);
    f.zugNr(2).Set_Speed(40);
    f.nordAnzeige->InFahrstrasse = true;
    f.nordAnzeige->ImageLinks.enabled = false;
    f.routen.aktiv = 2;

    f.dialogs.yesNoAnswers = {false};
    f.haupt().AlleFahrstrassenLoeschen();
    EXPECT_EQ(r.FahrstrasseStatus, 2) << "No changes nothing";
    EXPECT_EQ(f.dialogs.questions.back(), "Alle Züge anhalten und\ralle Fahrstrassen lösschen ?");

    f.dialogs.yesNoAnswers = {true};
    f.haupt().AlleFahrstrassenLoeschen();
    EXPECT_EQ(f.nord->AktiveFahrstrasse, nullptr);
    EXPECT_FALSE(f.nord->HaltestelleBelegt);
    EXPECT_EQ(f.nord->HaltestelleStatus, 0);
    EXPECT_EQ(r.FahrstrasseStatus, 0);
    EXPECT_EQ(v100.ZugStatus, 0);
    EXPECT_FALSE(v100.ZugAktiv);
    EXPECT_EQ(f.zugNr(2).ZugSpeed, 0);
    EXPECT_FALSE(f.nordAnzeige->InFahrstrasse);
    EXPECT_TRUE(f.nordAnzeige->ImageLinks.enabled);
    EXPECT_EQ(f.haupt().AktivText(), "Aktiv : 0");
    EXPECT_TRUE(f.routen.calls.contains(QStringLiteral("queues %1/%2").arg(f.nord->HaltestelleID).arg(r.FahrstrasseID)))
        << "the route's queued commands are purged";
    EXPECT_TRUE(f.routen.calls.contains("anzeigen Frei_Sued 0"));
}
