// The vehicle window over the default database: tree rows, check boxes, the article fields, the
// keys and menu entries, the homepage page, and a picture of the window in /tmp/shots for looking
// at the layout.
#include "DefaultData.h"
#include "UiFixture.h"
#include "ui/FahrzeugModel.h"
#include "ui/TFahrzeugForm.h"
#include "vehicles/TFahrzeug.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>
#include <functional>

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
    FahrzeugKnoten* knoten(const QString& name)
    {
        FahrzeugKnoten* found = nullptr;
        logic().datenbank().fuerAlle([&](FahrzeugKnoten& k) {
            if (k.daten.Name == name) {
                found = &k;
            }
        });
        return found;
    }
    template <typename T>
    static T* child(const QWidget& form, const char* name)
    {
        T* w = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    static void klick(const QWidget& form, const char* name)
    {
        if (auto* b = child<QPushButton>(form, name)) {
            b->click();
        }
    }
    static void waehle(QComboBox* box, const QString& text)
    {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << qPrintable(text);
        box->setCurrentIndex(i);
    }
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

TEST_F(TFahrzeugFormTest, EveryArticleFieldIsEditedThroughTheLogicAndSaved)
{
    TFahrzeugForm form(programm, logic());
    FahrzeugKnoten* br01 = knoten("BR 01 Schnellzuglok");
    ASSERT_TRUE(br01);
    form.auswaehlen(br01);
    const auto text = [&form](const char* name, const QString& value) {
        return [&form, name, value] { child<QLineEdit>(form, name)->setText(value); };
    };
    const auto liste = [&form](const char* name, const QString& value) {
        return [&form, name, value] { waehle(child<QComboBox>(form, name), value); };
    };
    const auto zahl = [&form](const char* name, int value) {
        return [&form, name, value] { child<QSpinBox>(form, name)->setValue(value); };
    };
    const auto haken = [&form](const char* name, bool on) {
        return [&form, name, on] { child<QCheckBox>(form, name)->setChecked(on); };
    };
    const struct {
        const char* fall;
        std::function<void()> setzen;
        std::function<bool(const FahrzeugDaten&)> pruefen;
    } faelle[] = {
        {"name", text("NameEdit", "BR 01 neu"), [](const FahrzeugDaten& d) { return d.Name == "BR 01 neu"; }},
        {"display name", text("AnzeigeNameEdit", "01 118"), [](const FahrzeugDaten& d) { return d.DisplayName == "01 118"; }},
        {"manufacturer", text("HerstellerEdit", "Werk Ost"), [](const FahrzeugDaten& d) { return d.Manufacturer == "Werk Ost"; }},
        {"pictures name", text("BilderNameEdit", "Serie 1"), [](const FahrzeugDaten& d) { return d.PicturesName == "Serie 1"; }},
        {"large picture", text("GrossBildEdit", "gross.jpg"), [](const FahrzeugDaten& d) { return d.LargePictureFile == "gross.jpg"; }},
        {"address", liste("AdresseBox", "7"), [](const FahrzeugDaten& d) { return d.Address == 7; }},
        {"format", liste("DatenFormatBox", "MOTOROLA"), [](const FahrzeugDaten& d) { return d.DataFormat == 1; }},
        {"follow-up 1", liste("Folgeadresse1Box", "210"), [](const FahrzeugDaten& d) { return d.FollowAddress1 == 210; }},
        {"follow-up 3", liste("Folgeadresse3Box", "201"), [](const FahrzeugDaten& d) { return d.FollowAddress3 == 201; }},
        {"speed steps", liste("FahrstufenBox", "128"), [](const FahrzeugDaten& d) { return d.SpeedSteps == 128; }},
        {"max speed", liste("MaxSpeedBox", "128"), [](const FahrzeugDaten& d) { return d.MaxSpeed == 128 || d.MaxSpeed == 127; }},
        {"train kind", liste("ZugArtBox", "GuterZug"), [](const FahrzeugDaten& d) { return d.TrainKind == "GuterZug"; }},
        {"epoch", zahl("EpocheEdit", 5), [](const FahrzeugDaten& d) { return d.Epoch == 5; }},
        {"sale price", zahl("VerkaufpreisEdit", 99), [](const FahrzeugDaten& d) { return d.SalePrice == 99; }},
        {"in cabinet", haken("SchrankBox", false), [](const FahrzeugDaten& d) { return d.InCabinet == 0; }},
        {"box", haken("OvpBox", false), [](const FahrzeugDaten& d) { return d.BoxIncluded == 0; }},
        {"F3 on", haken("Funktion3Box", true), [](const FahrzeugDaten& d) { return d.FunctionFlags1to8.mid(2, 1) == "1"; }},
        {"F5 symbol", liste("FunktionSymbol5Box", "12 Horn"), [](const FahrzeugDaten& d) { return d.FunctionIcons1to8.mid(12, 3) == "012"; }},
        {"F11 name", text("FunktionName11Edit", "Glocke"), [](const FahrzeugDaten& d) { return d.FunctionNames9to16.split('/').value(2) == "Glocke"; }},
        {"F9-F16", haken("Funktionen9bis16Box", true), [](const FahrzeugDaten& d) { return d.Functions9to16Active == 1; }},
        {"departure", text("AbfahrtName2Edit", "Pfiff"), [](const FahrzeugDaten& d) { return d.Abfahrt[1].Name == "Pfiff"; }},
        {"arrival number", zahl("ZielNummer3Edit", 4), [](const FahrzeugDaten& d) { return d.Ziel[2].Nummer == 4; }},
        {"decoder", text("DekoderNameEdit", "LokPilot"), [](const FahrzeugDaten& d) { return d.DecoderName == "LokPilot"; }},
        {"info file", text("FahrzeugInfoDateiEdit", "/doc/br01.pdf"), [](const FahrzeugDaten& d) { return d.VehicleInfoFile == "/doc/br01.pdf"; }},
        {"sound", text("SoundZielEdit", "ankunft.wav"), [](const FahrzeugDaten& d) { return d.DestinationSound == "ankunft.wav"; }},
        {"link", text("LinkSpurNEdit", "https://example.org/br01"), [](const FahrzeugDaten& d) { return d.LinkSpurN == "https://example.org/br01"; }},
        {"homepage page", liste("HomepageSeiteBox", "Special"), [](const FahrzeugDaten& d) { return d.HomepagePage == "Special"; }},
        {"priority", zahl("HtmlPrioritaetBox", 7), [](const FahrzeugDaten& d) { return d.HtmlPriority == 7; }},
        {"image size", zahl("BildBreiteEdit", 300), [](const FahrzeugDaten& d) { return d.ImageWidth == 300; }},
        {"html info", text("HtmlInfoEdit", "Schöne Lok"), [](const FahrzeugDaten& d) { return d.HtmlInfo == "Schöne Lok"; }},
    };
    for (const auto& f : faelle) {
        f.setzen();
    }
    child<QPlainTextEdit>(form, "LokInfo")->setPlainText("Zeile 1\nZeile 2");

    // "Lokdatenbank Speichern" asks about the edits, stores them in the article and writes the file.
    dialogs.yesNoAnswers = {true};
    klick(form, "SpeichernBtn");
    EXPECT_EQ(dialogs.questions, QStringList{"Daten wurden geändert. Speichern ?"});
    EXPECT_FALSE(logic().Geaendert);
    FahrzeugDatenbank gelesen;
    ASSERT_TRUE(gelesen.lesenDatei(logic().DatenbankPfad()).ok());
    const FahrzeugKnoten* neu = gelesen.findeName("BR 01 neu");
    ASSERT_TRUE(neu);
    for (const auto& f : faelle) {
        EXPECT_TRUE(f.pruefen(br01->daten)) << f.fall << " in the article";
        EXPECT_TRUE(f.pruefen(neu->daten)) << f.fall << " in the file";
    }
    EXPECT_EQ(neu->daten.Info, "Zeile 1\r\nZeile 2");
    EXPECT_EQ(neu->daten.FunctionNames1to8, "Stirnbeleuchtung/Pfeife kurz/Func3/Func4/Func5/Func6/Func7/Func8") << "untouched names stay";
    EXPECT_EQ(neu->daten.FunctionFlags1to8, "11100000");
    EXPECT_EQ(neu->daten.MaxSpeed, 127) << "128 is stored as 127";

    // Showing the stored article again and leaving it asks nothing.
    dialogs.questions.clear();
    form.auswaehlen(knoten("BR 89 Rangierlok"));
    form.auswaehlen(br01);
    form.auswaehlen(knoten("BR 89 Rangierlok"));
    EXPECT_TRUE(dialogs.questions.isEmpty()) << qPrintable(dialogs.questions.join('|'));
}

TEST_F(TFahrzeugFormTest, CaptionsAndFollowUpAddressesFollowTypeAndFormat)
{
    TFahrzeugForm form(programm, logic());
    auto* folge = child<QComboBox>(form, "Folgeadresse1Box");
    auto* format = child<QComboBox>(form, "DatenFormatBox");
    auto* schrank = child<QCheckBox>(form, "SchrankBox");
    ASSERT_TRUE(folge && format && schrank);
    form.auswaehlen(knoten("BR 01 Schnellzuglok"));
    EXPECT_TRUE(folge->isHidden()) << "DCC has no follow-up addresses";
    EXPECT_EQ(schrank->text(), "Lok ist im Schrank");
    format->setCurrentIndex(2);
    EXPECT_FALSE(folge->isHidden());
    EXPECT_EQ(dialogs.informations, QStringList{"Wenn MFX gewählt als Protokol,\rmuss die Lok mit der CS2 verbunden werden"});
    // Changing the type offers the addresses of that type: a wagon may take a locomotive's address.
    auto* adresse = child<QComboBox>(form, "AdresseBox");
    EXPECT_EQ(adresse->findText("5"), -1);
    waehle(child<QComboBox>(form, "ArtikelTypBox"), "Wagen");
    EXPECT_NE(adresse->findText("5"), -1);
    EXPECT_EQ(adresse->currentText(), "3");
    EXPECT_EQ(schrank->text(), "Wagen ist im Schrank");

    dialogs.yesNoAnswers = {false}; // leaving without storing
    form.auswaehlen(knoten("Kesselwagen Öl"));
    EXPECT_EQ(schrank->text(), "Wagen ist im Schrank");
    EXPECT_TRUE(folge->isHidden());
    EXPECT_EQ(knoten("BR 01 Schnellzuglok")->daten.ArticleType, "Lok");
}

TEST_F(TFahrzeugFormTest, FoldersShowTheirPictureAndCount)
{
    TFahrzeugForm form(programm, logic());
    auto* bild = child<QLabel>(form, "LokBild");
    auto* hinweis = child<QLabel>(form, "BildHinweis");
    ASSERT_TRUE(bild && hinweis);
    form.auswaehlen(knoten("Dampflok"));
    EXPECT_EQ(hinweis->text(), "Anzahl Dampflok : 2");
    ASSERT_FALSE(bild->pixmap().isNull());
    EXPECT_EQ(bild->pixmap().toImage(), QImage(logic().OrdnerBildPfad(*knoten("Dampflok"))).convertToFormat(bild->pixmap().toImage().format()));
    EXPECT_FALSE(child<QWidget>(form, "LokdatenSeite")->isEnabled());
    form.auswaehlen(knoten("Wagen"));
    EXPECT_EQ(hinweis->text(), "Anzahl Wagen : 2");

    // A folder without its picture shows none.
    dialogs.textAnswers = {QString("Leer")};
    klick(form, "VerzeichnisBtn");
    EXPECT_EQ(hinweis->text(), "Anzahl Leer : 0");
    EXPECT_TRUE(bild->pixmap().isNull());
}

TEST_F(TFahrzeugFormTest, PictureChooserCopiesTheJpegAndShowsIt)
{
    TFahrzeugForm form(programm, logic());
    FahrzeugKnoten* br01 = knoten("BR 01 Schnellzuglok");
    form.auswaehlen(br01);
    QImage gruen(160, 40, QImage::Format_RGB32);
    gruen.fill(Qt::green);
    const QString quelle = dir.path() + "/auswahl/gruen.jpg";
    QDir().mkpath(dir.path() + "/auswahl");
    ASSERT_TRUE(gruen.save(quelle, "JPG"));

    dialogs.fileAnswers = {std::nullopt};
    klick(form, "BildWaehlenBtn");
    EXPECT_EQ(child<QLineEdit>(form, "BildDateiEdit")->text(), "BR01.jpg") << "cancelled";
    dialogs.fileAnswers = {quelle};
    klick(form, "BildWaehlenBtn");
    EXPECT_EQ(dialogs.fileRequests.last(), "Lokbild auswählen|JPEG Bild (*.jpg *.jpeg)|*.jpg;*.jpeg");
    EXPECT_EQ(child<QLineEdit>(form, "BildDateiEdit")->text(), "gruen.jpg");
    EXPECT_TRUE(QFileInfo::exists(logic().BildOrdner().loks + "/gruen.jpg"));
    const QImage gezeigt = child<QLabel>(form, "LokBild")->pixmap().toImage();
    ASSERT_EQ(gezeigt.size(), QSize(160, 40));
    EXPECT_GT(qGreen(gezeigt.pixel(80, 20)), 200);
    EXPECT_LT(qRed(gezeigt.pixel(80, 20)), 60);

    klick(form, "DatenUbernehmenBtn");
    EXPECT_EQ(br01->daten.PictureFile, "gruen.jpg");
    EXPECT_GT(qGreen(logic().bilder.gross[br01->bildIndex].pixel(80, 20)), 200) << "the picture lists were rebuilt";
}

TEST_F(TFahrzeugFormTest, KeysAndMenuEntriesForFiltersAndDeletingAll)
{
    TFahrzeugForm form(programm, logic());
    FahrzeugModel* model = form.model();
    auto* taste = child<QPushButton>(form, "VerkaufteNichtAnzeigen");
    auto* verkaufte = child<QAction>(form, "VerkaufteMenu");
    auto* zuVerkaufen = child<QAction>(form, "ZuVerkaufenMenu");
    ASSERT_TRUE(taste && verkaufte && zuVerkaufen);
    const auto ordnerZeilen = [model](int ordner) { return model->rowCount(model->index(ordner, 0, model->index(0, 0))); };
    EXPECT_EQ(verkaufte->text(), "&Verkaufte nicht anzeigen");
    EXPECT_EQ(zuVerkaufen->text(), "&Zu Verkaufen");

    // Sold articles hidden by the key: the E-Lok folder becomes empty; the menu entry follows.
    taste->click();
    EXPECT_EQ(ordnerZeilen(2), 0);
    EXPECT_EQ(taste->text(), "Alle Fahrzeuge anzeigen");
    EXPECT_EQ(verkaufte->text(), "&Verkaufte anzeigen");
    EXPECT_EQ(child<QLabel>(form, "PreisSumme")->text(), "Loks  : 397\nWagen : 55");
    verkaufte->trigger();
    EXPECT_EQ(ordnerZeilen(2), 1);
    EXPECT_EQ(taste->text(), "Verkaufte Fahrzeuge nicht anzeigen");

    // Only articles for sale: BR 89 among the steam locomotives.
    zuVerkaufen->trigger();
    EXPECT_EQ(zuVerkaufen->text(), "&Alle anzeigen");
    ASSERT_EQ(ordnerZeilen(0), 1);
    EXPECT_EQ(model->data(model->index(0, 0, model->index(0, 0, model->index(0, 0))), Qt::DisplayRole).toString(), "BR 89 Rangierlok");
    zuVerkaufen->trigger();
    EXPECT_EQ(ordnerZeilen(0), 2);
    EXPECT_EQ(zuVerkaufen->text(), "&Zu Verkaufen");

    // "Alle Fahrzeuge lösschen": No keeps everything, Yes clears the database.
    form.auswaehlen(knoten("BR 01 Schnellzuglok"));
    dialogs.yesNoAnswers = {false};
    klick(form, "AlleLoeschenBtn");
    EXPECT_EQ(dialogs.questions.last(), "Alle Fahrzeuge lösschen\rDies kann nich rückgängich gemacht werden !!!");
    EXPECT_EQ(model->rowCount(), 1);
    dialogs.yesNoAnswers = {true};
    klick(form, "AlleLoeschenBtn");
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(logic().datenbank().artikel().empty());
    EXPECT_EQ(dialogs.questions.size(), 2) << qPrintable(dialogs.questions.join('|'));
}

TEST_F(TFahrzeugFormTest, HiddenHomepagePageWritesTheChosenPage)
{
    TFahrzeugForm form(programm, logic());
    QTabWidget* seiten = form.seiten();
    auto* homepage = child<QWidget>(form, "FurHomepage");
    auto* menue = child<QAction>(form, "FurHomepageMenu");
    auto* liste = child<QListWidget>(form, "HomepageSeitenListe");
    ASSERT_TRUE(homepage && menue && liste);
    const int index = seiten->indexOf(homepage);
    ASSERT_GE(index, 0);
    EXPECT_EQ(seiten->tabText(index), "Fur Homepage");
    EXPECT_FALSE(seiten->isTabVisible(index));
    EXPECT_TRUE(homepage->isAncestorOf(child<QPushButton>(form, "HtmlBtn")));
    EXPECT_TRUE(homepage->isAncestorOf(child<QPushButton>(form, "HtmlAnsehenBtn")));
    EXPECT_TRUE(homepage->isAncestorOf(child<QComboBox>(form, "HomepageSeiteBox")));
    menue->trigger();
    EXPECT_TRUE(seiten->isTabVisible(index));
    EXPECT_EQ(seiten->currentIndex(), index);
    ASSERT_EQ(liste->count(), 13);

    // Without a chosen page nothing is written.
    klick(form, "HtmlBtn");
    EXPECT_EQ(dialogs.confirmations, QStringList{"Keine Hompage Seite ausgewählt !!"});
    EXPECT_FALSE(QFileInfo::exists(logic().HomepageOrdner()));

    liste->setCurrentRow(0);
    klick(form, "HtmlBtn");
    const QString datei = logic().HomepageOrdner() + "modellbahnmodelledampfloks.html";
    ASSERT_TRUE(QFileInfo::exists(datei));
    QSignalSpy ansehen(&form, &TFahrzeugForm::seiteAnsehen);
    klick(form, "HtmlAnsehenBtn");
    ASSERT_EQ(ansehen.size(), 1);
    EXPECT_EQ(ansehen.front().front().toString(), datei);

    menue->trigger();
    EXPECT_FALSE(seiten->isTabVisible(index));
}

TEST_F(TFahrzeugFormTest, Screenshot)
{
    TFahrzeugForm form(programm, logic());
    form.show(); // the page bar lays out its pages only while shown
    form.auswaehlen(knoten("BR 01 Schnellzuglok"));
    QDir().mkpath("/tmp/shots");
    EXPECT_TRUE(form.grab().save("/tmp/shots/fahrzeuge2.png"));
    form.seiten()->setCurrentIndex(1);
    EXPECT_TRUE(form.grab().save("/tmp/shots/fahrzeuge2-funktionen.png"));
    form.seiten()->setCurrentIndex(2);
    EXPECT_TRUE(form.grab().save("/tmp/shots/fahrzeuge2-dateien.png"));
    form.setHomepageSichtbar(true);
    EXPECT_TRUE(form.grab().save("/tmp/shots/fahrzeuge2-homepage.png"));
}
