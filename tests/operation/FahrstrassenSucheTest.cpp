#include "diagram/DiagramFixture.h"
#include "operation/BetriebsDaten.h"
#include "operation/FahrstrassenSuche.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// One element of a small plan. `nr` is the station id of a loco display (99..102, the kind
// carrying the variant) and n * 10 + end of a jump mark.
struct Teil {
    int kind = 0;
    int x = 0;
    int y = 0;
    int nr = 0;
};

// Straight track along row `y` from column `von` to `bis`.
std::vector<Teil> gerade(int von, int bis, int y)
{
    std::vector<Teil> teile;
    for (int x = von; x <= bis; ++x) {
        teile.push_back({1, x, y, 0});
    }
    return teile;
}

std::vector<Teil> plan(std::initializer_list<std::vector<Teil>> stuecke)
{
    std::vector<Teil> alle;
    for (const auto& s : stuecke) {
        alle.insert(alle.end(), s.begin(), s.end());
    }
    return alle;
}

bool istVerzweigungOderSprung(int kind) { return (kind >= 53 && kind <= 77) || kind == 82 || kind == 83; }

// A found route in one line: name, direction, direction at the target, then every element that
// is neither plain track nor a display as kind@column,row=StellungSetzen.
QString signatur(const TFahrstrasse& f)
{
    QString s = f.FahrstrasseName + QStringLiteral(" d%1 z%2").arg(f.FahrstrasseRichtung).arg(f.FahrstrasseRichtungZiel);
    for (const FahrstrasseElement& e : f.FahrstrasseElemente) {
        if (istVerzweigungOderSprung(e.ElementArt)) {
            s += QStringLiteral(" %1@%2,%3=%4").arg(e.ElementArt).arg(e.Spalte).arg(e.Zeile).arg(e.StellungSetzen);
        }
    }
    return s;
}

struct Suche : DiagramFixture {
    BetriebsDaten& d() { return *programm->betriebsdaten; }

    // Stations A (1), B (2), C (3), then the plan.
    void bauen(const std::vector<Teil>& teile)
    {
        for (const char* name : {"A", "B", "C"}) {
            ASSERT_NE(d().HaltestelleNeu(QString::fromLatin1(name)), nullptr);
        }
        for (const Teil& t : teile) {
            GridElementDaten g;
            g.GleisBildNr = t.kind;
            g.PosX = t.x;
            g.PosY = t.y;
            if (t.kind >= LokAnzeigeArt) {
                g.HaltestelleNr = t.nr;
            }
            if (t.kind == SprungmarkeArt) {
                g.MagnetArtNr0 = t.nr / 10;
                g.MagnetArtNr1 = t.nr % 10;
            }
            ASSERT_NE(bild().CreateGridElement(g), nullptr) << t.kind << " at " << t.x << "," << t.y;
        }
        bild().RebuildGrid();
    }
    std::map<const TGleisBildElement*, int> stellungen()
    {
        std::map<const TGleisBildElement*, int> s;
        for (const auto& e : bild().Elemente()) {
            s[e.get()] = e->Stellung;
        }
        return s;
    }
    const THaltestelle& station(int id) { return *d().HaltestelleVonId(id); }
    QStringList gefunden(const THaltestelle& hilfe)
    {
        QStringList list;
        for (const auto& f : hilfe.HaltestelleFahrstrassen) {
            list << signatur(*f);
        }
        return list;
    }
};

struct Fall {
    const char* name;
    std::vector<Teil> teile;
    QStringList erwartet; // the routes from A, in the order found
    int walks;            // both directions
};

// A at columns 20..23 of row 5 in every plan; its left neighbour is column 19, its right 24.
const std::vector<Teil> kA = {{99, 20, 5, 1}};

std::vector<Fall> faelle()
{
    return {
        {"fork: straight first, then diverging",
            plan({kA, {{62, 19, 5, 0}}, gerade(15, 18, 5), {{99, 11, 5, 2}}, {{36, 18, 4, 0}, {99, 14, 4, 3}}}),
            {"Fahrstrasse_Nach_B_1 d0 z0 62@19,5=0", "Fahrstrasse_Nach_C_1 d0 z0 62@19,5=1"}, 3},
        {"buffer stop", plan({kA, gerade(17, 19, 5), {{23, 16, 5, 0}}}), {}, 2},
        {"crossing: the same way twice, numbered",
            plan({kA, {{60, 19, 5, 0}}, gerade(18, 18, 5), {{99, 14, 5, 2}}}),
            {"Fahrstrasse_Nach_B_1 d0 z0 60@19,5=0", "Fahrstrasse_Nach_B_2 d0 z0 60@19,5=0"}, 3},
        {"display variant 2: left end blocked",
            plan({{{101, 20, 5, 1}}, gerade(19, 19, 5), {{99, 15, 5, 2}}, gerade(26, 26, 5), {{99, 27, 5, 3}}}),
            {"Fahrstrasse_Nach_C_1 d1 z1"}, 2},
        {"display variant 3: right end blocked",
            plan({{{102, 20, 5, 1}}, gerade(19, 19, 5), {{99, 15, 5, 2}}, gerade(26, 26, 5), {{99, 27, 5, 3}}}),
            {"Fahrstrasse_Nach_B_1 d0 z0"}, 2},
        {"jump mark: on at the other end",
            plan({kA, {{57, 19, 5, 11}, {57, 40, 10, 12}}, gerade(39, 39, 10), {{99, 35, 10, 2}}}),
            {"Fahrstrasse_Nach_B_1 d0 z0 57@19,5=0 57@40,10=0"}, 2},
        {"jump mark met twice fails",
            plan({kA, {{57, 19, 5, 11}, {57, 40, 10, 12}, {43, 39, 10, 0}, {44, 39, 9, 0}, {46, 40, 9, 0}}}), {}, 2},
        {"jump mark without partner stops", plan({kA, {{57, 19, 5, 31}}}), {}, 2},
        {"display whose station is missing fails that walk only",
            plan({kA, {{62, 19, 5, 0}}, gerade(15, 18, 5), {{99, 11, 5, 7}}, {{36, 18, 4, 0}, {99, 14, 4, 3}}}),
            {"Fahrstrasse_Nach_C_1 d0 z0 62@19,5=1"}, 3},
        {"loop back to the start station",
            plan({kA, {{43, 19, 5, 0}, {44, 19, 4, 0}}, gerade(20, 27, 4), {{46, 28, 4, 0}, {45, 28, 5, 0}},
                gerade(24, 27, 5)}),
            {}, 2},
        {"closed loop reached through a merge",
            plan({kA, {{62, 24, 5, 0}, {1, 25, 5, 0}, {46, 26, 5, 0}, {45, 26, 6, 0}}, gerade(20, 25, 6),
                {{43, 19, 6, 0}, {2, 19, 5, 0}, {44, 19, 4, 0}}, gerade(20, 22, 4), {{36, 23, 4, 0}}}),
            {}, 2},
    };
}

TEST(FahrstrassenSuche, SmallPlans)
{
    for (const Fall& fall : faelle()) {
        SCOPED_TRACE(fall.name);
        Suche s;
        s.bauen(fall.teile);
        // Whatever the diagram shows, the search starts from straight and leaves the diagram
        // showing what it showed.
        for (const auto& e : s.bild().Elemente()) {
            if (e->GleisBildNr == 62 || e->GleisBildNr == 60) {
                e->Stellung = 1;
            }
        }
        const auto vorher = s.stellungen();
        const SuchStatistik stat = NeueFahrstrassenSuchen(s.bild(), s.d(), s.station(1));
        EXPECT_EQ(s.gefunden(s.d().DummyNeueFahrstrasseHaltestelle), fall.erwartet);
        EXPECT_EQ(stat.walks, fall.walks);
        EXPECT_EQ(stat.routes, fall.erwartet.size());
        EXPECT_EQ(s.stellungen(), vorher);
        EXPECT_EQ(s.d().DummyNeueFahrstrasseHaltestelle.HaltestelleElement, s.station(1).HaltestelleElement);
    }
}

TEST(FahrstrassenSuche, FoundRouteCarriesItsElements)
{
    Suche s;
    s.bauen(plan({kA, {{62, 19, 5, 0}}, gerade(15, 18, 5), {{99, 11, 5, 2}}, {{36, 18, 4, 0}, {99, 14, 4, 3}}}));
    NeueFahrstrassenSuchen(s.bild(), s.d(), s.station(1));
    const auto& routen = s.d().DummyNeueFahrstrasseHaltestelle.HaltestelleFahrstrassen;
    ASSERT_EQ(routen.size(), 2u);
    const TFahrstrasse& gerade = *routen[0];
    EXPECT_EQ(gerade.StartHaltestelleID, 1);
    EXPECT_EQ(gerade.ZielHaltestelleID, 2);
    EXPECT_EQ(gerade.FahrstrasseID, 0);
    EXPECT_EQ(routen[1]->FahrstrasseID, 1);
    EXPECT_EQ(gerade.FahrstrasseAnzeigeName, gerade.FahrstrasseName);
    // A, turnout, four tracks, B.
    ASSERT_EQ(gerade.FahrstrasseElemente.size(), 7u);
    EXPECT_EQ(gerade.FahrstrasseElemente.front().ElementArt, LokAnzeigeArt);
    EXPECT_EQ(gerade.FahrstrasseElemente.back().HaltestelleNr, 2);
    for (const FahrstrasseElement& e : gerade.FahrstrasseElemente) {
        EXPECT_EQ(e.Stellung, 99);
        EXPECT_TRUE(e.Gueltig);
    }
    ASSERT_EQ(gerade.FahrstrasseWeichenListe.size(), 1u);
    EXPECT_EQ(gerade.FahrstrasseWeichenListe[0].ElementArt, 62);
    EXPECT_EQ(routen[1]->FahrstrasseWeichenListe[0].StellungSetzen, 1);
    EXPECT_EQ(gerade.LetzterKontakt(), 0);

    // A second search frees the routes of the first.
    NeueFahrstrassenSuchen(s.bild(), s.d(), s.station(2));
    for (const auto& f : s.d().DummyNeueFahrstrasseHaltestelle.HaltestelleFahrstrassen) {
        EXPECT_EQ(f->StartHaltestelleID, 2);
    }
}

// Twenty-one turnouts in a row from A towards B; the diverging leg of the last one leads to C.
// Only the first twenty are branch points, so C is never tried.
TEST(FahrstrassenSuche, FoundRouteTakenIntoTheStation)
{
    Suche s;
    // A - contact 4 - turnout (contact 5) - B on row 5; the diverging leg leads to C on row 4.
    s.bauen(plan({kA, {{62, 19, 5, 0}}, gerade(15, 18, 5), {{99, 11, 5, 2}}, {{36, 18, 4, 0}, {99, 14, 4, 3}}}));
    s.bild().Zelle(20, 5)->GleisKontaktNr = 1;
    s.bild().Zelle(19, 5)->GleisKontaktNr = 5;
    s.bild().Zelle(18, 5)->GleisKontaktNr = 4;
    s.bild().Zelle(17, 5)->GleisKontaktNr = 4;
    s.bild().Zelle(11, 5)->GleisKontaktNr = 2;
    for (const int nr : {12, 13}) {
        auto zug = std::make_unique<TZug>();
        zug->ZugDatanbankNr = nr;
        zug->MaxSpeed = 90;
        s.d().ZugListe.push_back(std::move(zug));
    }
    THaltestelle& a = *s.d().HaltestelleVonId(1);
    s.d().FahrstrasseNeu(a, 4, QStringLiteral("Alt"));
    NeueFahrstrassenSuchen(s.bild(), s.d(), a);
    const TFahrstrasse& gefunden = *s.d().DummyNeueFahrstrasseHaltestelle.HaltestelleFahrstrassen[0];

    const TFahrstrasse* r = s.d().FahrstrasseUebernehmen(a, gefunden);
    const TFahrstrasse* zweimal = s.d().FahrstrasseUebernehmen(a, gefunden);
    ASSERT_EQ(a.HaltestelleFahrstrassen.size(), 3u);
    EXPECT_EQ(a.HaltestelleFahrstrassen[1].get(), r);
    EXPECT_EQ(r->FahrstrasseID, 5) << "the highest id + 1";
    EXPECT_EQ(zweimal->FahrstrasseID, 6);
    EXPECT_EQ(r->FahrstrasseName, "Fahrstrasse_Nach_B_1");
    EXPECT_EQ(zweimal->FahrstrasseName, "Fahrstrasse_Nach_B_11");
    EXPECT_EQ(zweimal->FahrstrasseAnzeigeName, zweimal->FahrstrasseName);
    EXPECT_EQ(r->StartHaltestelleID, 1);
    EXPECT_EQ(r->ZielHaltestelleID, 2);
    EXPECT_EQ(r->FahrstrasseRichtung, 0);
    EXPECT_EQ(r->FahrstrasseRichtungZiel, 0);
    EXPECT_EQ(r->FahrstrasseElemente.size(), gefunden.FahrstrasseElemente.size());
    ASSERT_EQ(r->FahrstrasseWeichenListe.size(), 1u);
    EXPECT_EQ(r->FahrstrasseWeichenListe[0].Spalte, 19);
    // Contacts in travel order, each once, zeros left out.
    EXPECT_EQ(std::vector<int>(r->FahrstrasseKontakte.begin() + 1, r->FahrstrasseKontakte.begin() + 6),
              std::vector<int>({1, 5, 4, 2, 0}));
    ASSERT_EQ(r->ZugDatenListe.size(), 2u);
    const TZugDaten& daten = *r->ZugDatenListe[1];
    EXPECT_EQ(daten.Name, "Zugdaten_Fahrstrasse_Nach_B_1_13");
    EXPECT_EQ(daten.ZugDatenStartkontakt, 1);
    EXPECT_EQ(daten.ZugDatenZielkontakt, 2);
    EXPECT_EQ(daten.ZugDatenStarttempo, 90);
}

TEST(FahrstrassenSuche, TwentyOneBranchPointsRecordTwenty)
{
    std::vector<Teil> teile = {{99, 61, 5, 1}, {99, 36, 5, 2}, {36, 39, 4, 0}, {99, 35, 4, 3}};
    for (int x = 40; x <= 60; ++x) {
        teile.push_back({62, x, 5, 0});
    }
    Suche s;
    s.bauen(teile);
    const SuchStatistik stat = NeueFahrstrassenSuchen(s.bild(), s.d(), s.station(1));
    const auto& routen = s.d().DummyNeueFahrstrasseHaltestelle.HaltestelleFahrstrassen;
    ASSERT_EQ(routen.size(), 1u);
    EXPECT_EQ(routen[0]->ZielHaltestelleID, 2);
    EXPECT_EQ(stat.walks, 1 + VerzweigungenMax + 1);

    // With one turnout less every diverging leg is tried, the last one reaching C.
    Suche kurz;
    teile.pop_back();
    teile.push_back({1, 60, 5, 0});
    kurz.bauen(teile);
    NeueFahrstrassenSuchen(kurz.bild(), kurz.d(), kurz.station(1));
    EXPECT_EQ(kurz.gefunden(kurz.d().DummyNeueFahrstrasseHaltestelle).size(), 2);
}

TEST(FahrstrassenSuche, ExtensionGetsContactsAndDrivingData)
{
    Suche s;
    // A - B - C along row 5, with contacts between them.
    s.bauen(plan({{{99, 10, 5, 1}}, gerade(14, 16, 5), {{99, 17, 5, 2}}, gerade(21, 23, 5), {{99, 24, 5, 3}}}));
    s.bild().Zelle(21, 5)->GleisKontaktNr = 7;
    s.bild().Zelle(22, 5)->GleisKontaktNr = 8;
    s.bild().Zelle(23, 5)->GleisKontaktNr = 7;
    auto zug = std::make_unique<TZug>();
    zug->ZugDatanbankNr = 12;
    s.d().ZugListe.push_back(std::move(zug));
    TFahrstrasse nachB;
    nachB.ZielHaltestelleID = 2;
    FahrstrasseErweiternSuchen(s.bild(), s.d(), nachB);
    const auto& routen = s.d().DummyFahrstrasseWeiterHaltestelle.HaltestelleFahrstrassen;
    ASSERT_EQ(s.gefunden(s.d().DummyFahrstrasseWeiterHaltestelle),
        QStringList({"Fahrstrasse_Nach_A_1 d0 z0", "Fahrstrasse_Nach_C_1 d1 z1"}));
    EXPECT_EQ(routen[0]->LetzterKontakt(), 0);
    const TFahrstrasse& nachC = *routen[1];
    EXPECT_EQ(nachC.FahrstrasseKontakte[1], 7);
    EXPECT_EQ(nachC.FahrstrasseKontakte[2], 8);
    EXPECT_EQ(nachC.FahrstrasseKontakte[3], 0);
    ASSERT_EQ(nachC.ZugDatenListe.size(), 1u);
    EXPECT_EQ(nachC.ZugDatenListe[0]->ZugDatenZielkontakt, 8);
}

} // namespace
