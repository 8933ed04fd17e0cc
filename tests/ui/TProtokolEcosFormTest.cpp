#include "drivers/EcosFixture.h"
#include "ui/TProtokolEcosForm.h"

#include <gtest/gtest.h>

#include <QLabel>
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
