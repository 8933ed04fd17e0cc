// The shipped demo project: it is what make-demo builds, it opens in the program, and its trains
// run from station to station in automatic operation on the program's own contact simulation.
#include "DemoFixture.h"
#include "core/TextFields.h"
#include "operation/Diagnose.h"
#include "operation/FahrstrassenDienste.h"
#include "operation/Zugsteuerung.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <map>
#include <set>

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct GeoeffneteDemo : DemoProgramm {
    GeoeffneteDemo()
    {
        info().OpenProject(false);
        scheduler.advance(10000); // the opening sequence's waits
    }
};

} // namespace

TEST(DemoProjekt, ShippedFilesAreWhatTheGeneratorBuilds)
{
    QTemporaryDir gebaut;
    ASSERT_EQ(DemoProjektSchreiben(gebaut.path()), QString());
    const QDir shipped(ShippedDemoFolder());
    QStringList namen = DemoDateiNamen();
    QStringList vorhanden = shipped.entryList(QDir::Files);
    namen.sort();
    vorhanden.sort();
    EXPECT_EQ(vorhanden, namen);
    for (const QString& name : DemoDateiNamen()) {
        EXPECT_EQ(readFile(shipped.filePath(name)), readFile(QDir(gebaut.path()).filePath(name)))
            << name.toStdString() << ": rebuild with make-demo data";
    }
}

TEST(DemoProjekt, OpensOnTheSimulatedEcosWithThreeTrainsInStations)
{
    GeoeffneteDemo f;
    EXPECT_EQ(f.programm->ProjektName, DemoProjektName);
    EXPECT_EQ(f.programm->ZentraleTyp(), 8);
    EXPECT_EQ(f.programm->settings.IpAddress, "127.0.0.1");
    EXPECT_EQ(f.programm->settings.IpPort, DemoEcosPort);
    EXPECT_TRUE(f.dialogs.asked.isEmpty()) << f.dialogs.asked.join('\n').toStdString();
    const std::vector<TZug*> zuge = f.zuge();
    ASSERT_EQ(zuge.size(), 3u);
    for (const TZug* z : zuge) {
        SCOPED_TRACE(z->ZugName.toStdString());
        EXPECT_NE(z->ZugHaltestelleID, KeineHaltestelle);
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(TRASSOLIN_SOURCE_DIR "/data/Loks/") + z->ZugBildDatei));
        EXPECT_NE(z->ECOSID, "0000");
    }
    // Every station track leaves towards each open end on two routes, each with a braking
    // contact just before its target. Mittelberg is run by direction: the routes into a track
    // against its direction are hidden.
    ASSERT_EQ(f.d().HaltestellenListe.size(), 6u);
    QStringList versteckt;
    for (const auto& s : f.d().HaltestellenListe) {
        std::map<int, int> jeRichtung;
        for (const auto& r : s->HaltestelleFahrstrassen) {
            ++jeRichtung[r->FahrstrasseRichtung];
            if (r->FahrstrasseAusblenden) {
                versteckt << s->HaltestelleName + u'>' + f.d().HaltestelleVonId(r->ZielHaltestelleID)->HaltestelleName;
            }
            ASSERT_EQ(r->ZugDatenListe.size(), 3u);
            for (const auto& daten : r->ZugDatenListe) {
                EXPECT_EQ(daten->ZugDatenBremskontakt[0], r->FahrstrasseKontakte[static_cast<size_t>(r->KontaktAnzahl() - 1)])
                    << r->FahrstrasseName.toStdString();
            }
        }
        for (const auto& [richtung, n] : jeRichtung) {
            EXPECT_EQ(n, 2) << s->HaltestelleName.toStdString() << " direction " << richtung;
        }
    }
    EXPECT_EQ(versteckt, QStringList({"Altenbach1>Mittelberg2", "Altenbach2>Mittelberg2", "Zollhafen1>Mittelberg1",
                                      "Zollhafen2>Mittelberg1"}));
    EXPECT_EQ(f.routen().size(), 16u);
}

TEST(DemoProjekt, RunsAnHourInAutomaticOperationOnTheContactSimulation)
{
    GeoeffneteDemo f;
    const std::vector<TFahrstrasse*> routen = f.routen();
    ASSERT_EQ(routen.size(), 16u);
    f.fenster->diagnose().SimulationEinschalten();
    f.haupt().AutomaticSchalten();
    for (TZug* z : f.zuge()) {
        z->AutomaticUmschalten(true);
    }
    struct Lauf {
        int status = 0;
        TZug* zug = nullptr;
        int gestartet = 0;
        int angekommen = 0;
    };
    std::map<const TFahrstrasse*, Lauf> laeufe;
    std::map<const TZug*, std::set<QString>> besucht; // the stations (without track number) reached
    std::set<int> kreuzungsGleise;                    // the Mittelberg tracks reached
    int ankuenfte = 0;
    const auto beobachten = [&] {
        for (TFahrstrasse* route : routen) {
            Lauf& l = laeufe[route];
            if (l.status == 0 && route->FahrstrasseStatus != 0) {
                l.zug = route->AktuelleZugDaten->ZugDatenZug;
                ++l.gestartet;
            } else if (l.status != 0 && route->FahrstrasseStatus == 0) {
                const THaltestelle* ziel = f.d().HaltestelleVonId(route->ZielHaltestelleID);
                EXPECT_EQ(l.zug->ZugHaltestelleID, route->ZielHaltestelleID) << route->FahrstrasseName.toStdString();
                EXPECT_EQ(ziel->HaltestelleElement->Zug, l.zug);
                besucht[l.zug].insert(ziel->HaltestelleName.chopped(1));
                if (ziel->HaltestelleName.startsWith(u"Mittelberg")) {
                    kreuzungsGleise.insert(ziel->HaltestelleID);
                }
                ++l.angekommen;
                ++ankuenfte;
            }
            l.status = route->FahrstrasseStatus;
        }
    };
    for (int t = 0; t < 3600 * 1000; t += 100) {
        f.scheduler.advance(100);
        beobachten();
    }
    // Automatic off: the runs under way go to their end.
    f.haupt().AutomaticSchalten();
    for (int t = 0; t < 60 * 1000; t += 100) {
        f.scheduler.advance(100);
        beobachten();
    }

    EXPECT_GT(ankuenfte, 150) << "a round trip of each train takes about two minutes";
    for (const TFahrstrasse* route : routen) {
        EXPECT_EQ(laeufe[route].gestartet, laeufe[route].angekommen) << route->FahrstrasseName.toStdString();
        EXPECT_EQ(route->FahrstrasseStatus, 0);
    }
    const std::set<QString> alle = {"Altenbach", "Mittelberg", "Zollhafen"};
    for (const TZug* z : f.zuge()) {
        EXPECT_EQ(besucht[z], alle) << z->ZugName.toStdString();
        EXPECT_FALSE(z->ZugAktiv);
        EXPECT_NE(z->ZugHaltestelleID, KeineHaltestelle);
    }
    EXPECT_EQ(kreuzungsGleise.size(), 2u) << "trains pass each other in Mittelberg";
    EXPECT_TRUE(f.fenster->zugsteuerung().ZugsteuerungHiPriorityListe().empty());
    EXPECT_TRUE(f.fenster->zugsteuerung().ZugsteuerungLoPriorityListe().empty());
}
