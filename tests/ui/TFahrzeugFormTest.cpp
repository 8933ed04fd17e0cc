// The vehicle window over the default database: tree rows, check boxes, filters and a picture
// of the window in /tmp/shots/fahrzeuge.png for looking at the layout.
#include "DefaultData.h"
#include "UiFixture.h"
#include "ui/FahrzeugModel.h"
#include "ui/TFahrzeugForm.h"
#include "vehicles/TFahrzeug.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QTreeView>

class TFahrzeugFormTest : public UiFixture {
protected:
    TFahrzeugFormTest()
    {
        const QString data = programFolder() + QStringLiteral("data");
        QDir().mkpath(data);
        EXPECT_TRUE(BeispielDatenSchreiben(data).isEmpty());
        programm.settings.ZentraleTyp = 8;
        bus.broadcast(Msg::WM_LADE_LOKDATENBANK, 0, 8);
        dialogs.informations.clear();
    }
    TFahrzeug& logic() { return fenster.fahrzeuge(); }
};

TEST_F(TFahrzeugFormTest, ShowsTheTreeWithChecksAndPictures)
{
    TFahrzeugForm form(programm, logic());
    FahrzeugModel* model = form.model();
    ASSERT_EQ(model->rowCount(), 1);
    const QModelIndex top = model->index(0, 0);
    EXPECT_EQ(model->data(top, Qt::DisplayRole).toString(), "Fahrzeuge");
    ASSERT_EQ(model->rowCount(top), 4);
    const QModelIndex dampf = model->index(0, 0, top);
    ASSERT_EQ(model->rowCount(dampf), 2);
    const QModelIndex br01 = model->index(0, 0, dampf);
    EXPECT_EQ(model->data(br01, Qt::DisplayRole).toString(), "BR 01 Schnellzuglok");
    EXPECT_EQ(model->data(br01, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(model->data(br01, Qt::DecorationRole).isNull());
    ASSERT_TRUE(model->setData(br01, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(model->knoten(br01)->checked());
    EXPECT_TRUE(logic().Geaendert);

    form.auswaehlen(model->knoten(br01));
    EXPECT_EQ(form.findChild<QComboBox*>("AdresseBox")->currentText(), "3");
    EXPECT_EQ(form.findChild<QComboBox*>("AdresseBox")->findText("5"), -1) << "taken by BR 89";
    EXPECT_FALSE(form.findChild<QLabel*>("LokBild")->pixmap().isNull());

    // Sold articles hidden: the E-Lok folder becomes empty.
    form.findChild<QCheckBox*>("VerkaufteNichtAnzeigen")->setChecked(true);
    const QModelIndex eLok = model->index(2, 0, model->index(0, 0));
    EXPECT_EQ(model->rowCount(eLok), 0);
    EXPECT_EQ(form.findChild<QLabel*>("PreisSumme")->text(), "Loks  : 397\nWagen : 55");
}

TEST_F(TFahrzeugFormTest, DragMovesAnArticleToAnotherFolder)
{
    TFahrzeugForm form(programm, logic());
    FahrzeugModel* model = form.model();
    const QModelIndex top = model->index(0, 0);
    const QModelIndex br89 = model->index(1, 0, model->index(0, 0, top));
    std::unique_ptr<QMimeData> mime(model->mimeData({br89}));
    ASSERT_TRUE(mime);
    const QModelIndex diesel = model->index(1, 0, top);
    EXPECT_FALSE(model->canDropMimeData(mime.get(), Qt::MoveAction, 0, 0, top)) << "not among the folders";
    model->dropMimeData(mime.get(), Qt::MoveAction, 0, 0, diesel);
    const QModelIndex dieselNachher = model->index(1, 0, model->index(0, 0));
    ASSERT_EQ(model->rowCount(dieselNachher), 2);
    EXPECT_EQ(model->data(model->index(0, 0, dieselNachher), Qt::DisplayRole).toString(), "BR 89 Rangierlok");
}

TEST_F(TFahrzeugFormTest, Screenshot)
{
    TFahrzeugForm form(programm, logic());
    FahrzeugModel* model = form.model();
    form.auswaehlen(model->knoten(model->index(0, 0, model->index(0, 0, model->index(0, 0)))));
    QDir().mkpath("/tmp/shots");
    EXPECT_TRUE(form.grab().save("/tmp/shots/fahrzeuge.png"));
}
