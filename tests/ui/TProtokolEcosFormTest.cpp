#include "DefaultData.h"
#include "UiFixture.h"
#include "drivers/EcosFixture.h"
#include "drivers/ecos/EcosListen.h"
#include "ui/FahrzeugModel.h"
#include "ui/TProtokolEcosForm.h"
#include "vehicles/TFahrzeug.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

TEST(TProtokolEcosForm, ShowsTheDriverAndFollowsDebugAndShowMessages)
{
    EcosFixture f;
    TProtokolEcosForm form(*f.driver);
    EXPECT_EQ(form.objectName(), "TProtokolEC2Form");
    EXPECT_FALSE(form.isVisible());
    f.bus.broadcast(Msg::WM_SHOWPROTOKOL, 7, 0);
    EXPECT_FALSE(form.isVisible()) << "another type's window";
    f.bus.broadcast(Msg::WM_SHOWPROTOKOL, 8, 0);
    EXPECT_TRUE(form.isVisible());

    f.bus.broadcast(Msg::WM_OPEN_LOKLISTE, 8, QStringLiteral("Default"));
    f.bus.broadcast(Msg::WM_OPEN_MAGNETARTLISTE, QStringLiteral("Default"), 8);
    f.bus.broadcast(Msg::WM_SYSTEM_IP_PORT, QStringLiteral("10.0.0.2"), 15471);
    form.aktualisieren();
    auto* loks = form.findChild<QTableWidget*>("LokomotiveVST");
    ASSERT_NE(loks, nullptr);
    ASSERT_EQ(loks->rowCount(), 4);
    EXPECT_EQ(loks->item(1, 1)->text(), "DB 103 137-6");
    auto* mags = form.findChild<QTableWidget*>("MagnetArtikelVST");
    ASSERT_NE(mags, nullptr);
    EXPECT_EQ(mags->rowCount(), 4);
    EXPECT_EQ(form.findChild<QLabel*>("VerbindungLabel")->text(), "Verbindung ESU 50210 ECoS 2 - Port(15471)- Ip(10.0.0.2)");
    const QString info = form.findChild<QPlainTextEdit*>("InfoAblauf")->toPlainText();
    EXPECT_TRUE(info.contains("MessageRecieve OPEN_LOKLISTE -> Open_LokListe")) << info.toStdString();

    auto* seiten = form.findChild<QTabWidget*>("Seiten");
    ASSERT_NE(seiten, nullptr);
    const int ohneDebug = seiten->count();
    f.bus.broadcast(Msg::WM_DEBUG, 1, 0);
    form.aktualisieren();
    EXPECT_EQ(seiten->count(), ohneDebug + 1);
    EXPECT_EQ(seiten->tabText(seiten->currentIndex()), "Debug");
    f.bus.broadcast(Msg::WM_DEBUG, 0, 0);
    form.aktualisieren();
    EXPECT_EQ(seiten->count(), ohneDebug);
    EXPECT_EQ(seiten->currentIndex(), 0);
}

// ---- the take-over panel over the locomotive page -----------------------------------------------------

class EcosUebernahmePanel : public UiFixture {
protected:
    EcosUebernahmePanel()
    {
        programm.settings.ZentraleTyp = 8;
        FahrzeugDatenbank db;
        BeispielDatenbankFuellen(db);
        const QString projekt = programFolder() + QStringLiteral("Projekte/Default/");
        QDir().mkpath(projekt);
        EXPECT_TRUE(db.schreibenDatei(projekt + QStringLiteral("Fahrzeuge20.lda")).isEmpty());
        bus.broadcast(Msg::WM_LADE_LOKDATENBANK, 0, 8);
        LokRecord lok;
        lok.Key = QStringLiteral("1005");
        lok.Name = QStringLiteral("V 200");
        lok.Addr = 33;
        lok.Protokoll = QStringLiteral("MFX");
        EXPECT_TRUE(LokListeSchreiben(projekt + QStringLiteral("EC2Loks.lda"), {lok}).isEmpty());
        bus.broadcast(Msg::WM_OPEN_LOKLISTE, 8, QStringLiteral("Default"));
        model.neuAufbauen();
        form.setFahrzeugBaum(&model);
        bus.broadcast(Msg::WM_SHOWPROTOKOL, 8, 0);
        form.aktualisieren();
    }
    FahrzeugKnoten* knoten(const QString& name)
    {
        FahrzeugKnoten* found = nullptr;
        fenster.fahrzeuge().datenbank().fuerAlle([&](FahrzeugKnoten& k) {
            if (k.daten.Name == name) {
                found = &k;
            }
        });
        return found;
    }
    void klick(const char* name)
    {
        auto* b = form.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
    void starten()
    {
        form.findChild<QTableWidget*>("LokomotiveVST")->selectRow(0);
        klick("UebernehmenButton");
    }

    FahrzeugModel model{fenster.fahrzeuge()};
    TProtokolEcosForm form{*fenster.ecosProtokol(8)};
};

TEST_F(EcosUebernahmePanel, OpensOverTheLocomotivePageAndCreatesTheVehicleOnOk)
{
    auto* seiten = form.findChild<QTabWidget*>("Seiten");
    auto* panel = form.findChild<QGroupBox*>("UebernahmePanel");
    auto* ok = form.findChild<QPushButton*>("UebernahmeOk");
    auto* baum = form.findChild<QTreeView*>("UebernahmeBaum");
    ASSERT_TRUE(seiten && panel && ok && baum);
    EXPECT_FALSE(panel->isVisible());
    starten();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->title(), "Suche Verzeichnis für V 200");
    EXPECT_EQ(form.findChild<QLabel*>("UebernahmeHinweis")->text(), "Bite eine Verzeichnis für V 200 auswählen.  ");
    EXPECT_EQ(seiten->tabText(seiten->currentIndex()), "Loks");
    for (int i = 0; i < seiten->count(); ++i) {
        EXPECT_EQ(seiten->isTabEnabled(i), i == seiten->currentIndex()) << seiten->tabText(i).toStdString();
    }
    EXPECT_FALSE(form.findChild<QMenu*>("EinlesenMenu")->isEnabled());
    EXPECT_FALSE(ok->isEnabled());
    form.close();
    EXPECT_TRUE(form.isVisible()) << "no closing while the panel is open";

    baum->setCurrentIndex(model.indexVon(knoten("V 100 Streckenlok")));
    EXPECT_FALSE(ok->isEnabled());
    baum->setCurrentIndex(model.indexVon(knoten("Diesellok")));
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(ok->text(), "V 200 in FahrzeugDatenbank Diesellok einfügen");
    ok->click();
    ASSERT_NE(knoten("V 200"), nullptr);
    EXPECT_EQ(knoten("V 200")->parent, knoten("Diesellok"));
    EXPECT_FALSE(panel->isVisible());
    for (int i = 0; i < seiten->count(); ++i) {
        EXPECT_TRUE(seiten->isTabEnabled(i)) << i;
    }
    EXPECT_EQ(form.findChild<QTableWidget*>("LokomotiveVST")->item(0, 5)->text(), "V");
}

TEST_F(EcosUebernahmePanel, AbbrechenGivesEverythingBack)
{
    const size_t artikel = fenster.fahrzeuge().datenbank().artikel().size();
    starten();
    form.findChild<QTreeView*>("UebernahmeBaum")->setCurrentIndex(model.indexVon(knoten("Diesellok")));
    klick("UebernahmeAbbrechen");
    EXPECT_FALSE(form.findChild<QGroupBox*>("UebernahmePanel")->isVisible());
    EXPECT_FALSE(fenster.fahrzeuge().UebernahmeAktiv());
    EXPECT_EQ(fenster.fahrzeuge().datenbank().artikel().size(), artikel);
    form.close();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(EcosUebernahmePanel, ModuleChooserAndDebugKeys)
{
    programm.settings.GleiskontaktAnzahl = 64;
    bus.broadcast(Msg::WM_OPEN_S88_MAX, 64, 8);
    form.aktualisieren();
    auto* wahl = form.findChild<QComboBox*>("ModulAnzahl");
    ASSERT_NE(wahl, nullptr);
    EXPECT_EQ(wahl->count(), 32);
    EXPECT_EQ(wahl->currentText(), "4");
    EXPECT_TRUE(wahl->isEnabled());
    wahl->setCurrentIndex(1);
    Q_EMIT wahl->activated(1);
    EXPECT_EQ(programm.settings.GleiskontaktAnzahl, 32);
    QStringList befehle;
    for (auto* edit : form.findChildren<QLineEdit*>()) {
        if (edit->objectName().startsWith("BefehlEdit")) {
            befehle << edit->text();
        }
    }
    EXPECT_EQ(befehle, QStringList({"request(20040, control)", "set(20040, state[1])", "set(20040, state[0])", "", ""}));
    EXPECT_NE(form.findChild<QPushButton*>("S88EinlesenButton"), nullptr);
}
