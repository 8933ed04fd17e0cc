#include "operation/LokLeiste.h"
#include "operation/Zug.h"
#include "settings/ProjectSettings.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::unique_ptr<TZug>> zuege(int anzahl)
{
    std::vector<std::unique_ptr<TZug>> liste;
    const QString arten[] = {QStringLiteral("Dampflok"), QStringLiteral("Diesellok"), QStringLiteral("E-Lok")};
    for (int i = 0; i < anzahl; ++i) {
        auto z = std::make_unique<TZug>();
        z->ZugNr = i;
        z->Addr = i + 1;
        z->ZugArt = arten[i % 3];
        liste.push_back(std::move(z));
    }
    return liste;
}

QString fenster(const TLokLeiste& leiste)
{
    const auto tasten = leiste.Tasten(leiste.aktiveSeite);
    return tasten.empty() ? QStringLiteral("-")
                          : QStringLiteral("%1-%2").arg(tasten.front()->ZugNr + 1).arg(tasten.back()->ZugNr + 1);
}
} // namespace

TEST(LokLeiste, PagingWithTenKeys)
{
    struct Row {
        int trains;
        const char* steps; // '+' plus, '-' minus
        const char* expected;
        bool plus;
        bool minus;
    };
    const Row rows[] = {
        {30, "", "1-10", true, false},   {30, "+", "11-20", true, true},  {30, "++", "21-30", false, true},
        {30, "+++", "21-30", false, true}, {30, "++-", "11-20", true, true}, {30, "++--", "1-10", true, false},
        {25, "++", "21-25", false, true},  {25, "++-", "11-20", true, true}, {25, "--", "1-10", true, false},
        {7, "+", "1-7", false, false},     {0, "+-", "-", false, false},
    };
    for (const Row& row : rows) {
        const auto liste = zuege(row.trains);
        ProjectSettings settings;
        TLokLeiste leiste(10);
        leiste.ZugeZuweisen(liste, settings, 8);
        for (const char* c = row.steps; *c; ++c) {
            if (*c == '+') {
                leiste.Plus();
            } else {
                leiste.Minus();
            }
        }
        EXPECT_EQ(fenster(leiste), QString::fromLatin1(row.expected)) << row.trains << row.steps;
        EXPECT_EQ(leiste.PlusEnabled(), row.plus) << row.trains << row.steps;
        EXPECT_EQ(leiste.MinusEnabled(), row.minus) << row.trains << row.steps;
    }
}

TEST(LokLeiste, FilterAndKeysAfterTheListShrinks)
{
    auto liste = zuege(25);
    liste[0]->ZugGeloescht = true;
    liste[1]->ImSchrank = true;
    liste[2]->Addr = 0;
    ProjectSettings settings;
    settings.NichtAlleLoksanzeigen = true;
    TLokLeiste leiste(10);
    leiste.ZugeZuweisen(liste, settings, 2);
    EXPECT_EQ(leiste.seiten()[0].liste.size(), 22u) << "address 0 hidden on a command station keyed by train number";
    leiste.ZugeZuweisen(liste, settings, 8);
    EXPECT_EQ(leiste.seiten()[0].liste.size(), 23u) << "ECoS trains are keyed by object id";
    EXPECT_EQ(liste[3]->LokTasteNr, 2);
    EXPECT_EQ(liste[0]->LokTasteNr, 0);

    // Paged to the end, then trains go: the window moves back inside the list.
    leiste.Plus();
    leiste.Plus();
    EXPECT_EQ(fenster(leiste), "23-25");
    for (int i = 5; i < 25; ++i) {
        liste[static_cast<std::size_t>(i)]->ZugGeloescht = true;
    }
    leiste.ZugeZuweisen(liste, settings, 8);
    EXPECT_EQ(fenster(leiste), "3-5");
    EXPECT_EQ(liste[24]->LokTasteNr, 0);
}

TEST(LokLeiste, SortedBarHasAPagePerKind)
{
    const auto liste = zuege(9);
    ProjectSettings settings;
    settings.LoksEinteilen = true;
    TLokLeiste leiste(10);
    leiste.ZugeZuweisen(liste, settings, 8);
    ASSERT_EQ(leiste.seiten().size(), 3u);
    EXPECT_EQ(leiste.seiten()[1].name, "Diesellok");
    EXPECT_EQ(leiste.Tasten(1).size(), 3u);
    EXPECT_EQ(leiste.Tasten(2).front()->ZugArt, "E-Lok");
}
