#include "ui/TFahrzeugForm.h"

#include "core/Programm.h"
#include "ui/FahrzeugModel.h"
#include "vehicles/TFahrzeug.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
QComboBox* zahlenBox(const QList<int>& werte, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (const int v : werte) {
        box->addItem(QString::number(v), v);
    }
    return box;
}

void waehleWert(QComboBox* box, int value)
{
    const int i = box->findData(value);
    box->setCurrentIndex(i);
}

QPushButton* taste(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

TFahrzeugForm::TFahrzeugForm(Programm& programm, TFahrzeug& logic, QWidget* parent)
    : QWidget(parent, Qt::Window), programm_(programm), logic_(logic)
{
    setObjectName(QStringLiteral("FahrzeugForm"));
    aufbauen();
    connect(&logic_, &TFahrzeug::changed, this, &TFahrzeugForm::refresh);
    refresh();
    resize(900, 620);
}

void TFahrzeugForm::aufbauen()
{
    auto* haupt = new QHBoxLayout(this);

    // Left: tree, filters, totals.
    auto* links = new QVBoxLayout;
    tree_ = new QTreeView(this);
    tree_->setObjectName(QStringLiteral("FahrzeugVST"));
    model_ = new FahrzeugModel(logic_, this);
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    tree_->setIconSize(QSize(80, 20));
    tree_->setDragDropMode(QAbstractItemView::InternalMove);
    tree_->setDefaultDropAction(Qt::MoveAction);
    tree_->setMinimumWidth(330);
    links->addWidget(tree_, 1);
    verkaufteAus_ = new QCheckBox(QStringLiteral("Verkaufte Fahrzeuge nicht anzeigen"), this);
    verkaufteAus_->setObjectName(QStringLiteral("VerkaufteNichtAnzeigen"));
    nurZuVerkaufen_ = new QCheckBox(QStringLiteral("Zu Verkaufen"), this);
    nurZuVerkaufen_->setObjectName(QStringLiteral("NurZuVerkaufen"));
    links->addWidget(verkaufteAus_);
    links->addWidget(nurZuVerkaufen_);
    preise_ = new QLabel(this);
    preise_->setObjectName(QStringLiteral("PreisSumme"));
    preise_->setTextFormat(Qt::PlainText);
    links->addWidget(preise_);
    datei_ = new QLabel(this);
    datei_->setObjectName(QStringLiteral("DatenbankDatei"));
    datei_->setTextFormat(Qt::PlainText);
    datei_->setWordWrap(true);
    links->addWidget(datei_);
    haupt->addLayout(links, 2);

    // Right: picture and data of the selected node.
    auto* rechts = new QVBoxLayout;
    bild_ = new QLabel(this);
    bild_->setObjectName(QStringLiteral("LokBild"));
    bild_->setFixedSize(164, 44);
    bild_->setFrameShape(QFrame::Box);
    bild_->setAlignment(Qt::AlignCenter);
    hinweis_ = new QLabel(this);
    hinweis_->setObjectName(QStringLiteral("BildHinweis"));
    hinweis_->setTextFormat(Qt::PlainText);
    rechts->addWidget(bild_);
    rechts->addWidget(hinweis_);

    datenPanel_ = new QGroupBox(QStringLiteral("Lokdaten"), this);
    auto* form = new QFormLayout(datenPanel_);
    name_ = new QLineEdit(datenPanel_);
    name_->setObjectName(QStringLiteral("NameEdit"));
    typ_ = new QComboBox(datenPanel_);
    typ_->setObjectName(QStringLiteral("ArtikelTypBox"));
    typ_->addItems(FahrzeugListen::ArtikelTypen());
    adresse_ = new QComboBox(datenPanel_);
    adresse_->setObjectName(QStringLiteral("AdresseBox"));
    format_ = new QComboBox(datenPanel_);
    format_->setObjectName(QStringLiteral("DatenFormatBox"));
    format_->addItems(FahrzeugListen::DatenFormate());
    maxSpeed_ = zahlenBox(FahrzeugListen::MaxSpeedWerte(), datenPanel_);
    maxSpeed_->setObjectName(QStringLiteral("MaxSpeedBox"));
    fahrstufen_ = zahlenBox(FahrzeugListen::FahrstufenWerte(), datenPanel_);
    fahrstufen_->setObjectName(QStringLiteral("FahrstufenBox"));
    sorte_ = new QComboBox(datenPanel_);
    sorte_->setObjectName(QStringLiteral("ZugSorteBox"));
    sorte_->addItems(FahrzeugListen::ZugSorten());
    art_ = new QComboBox(datenPanel_);
    art_->setObjectName(QStringLiteral("ZugArtBox"));
    art_->addItems(FahrzeugListen::ZugArten());
    hersteller_ = new QLineEdit(datenPanel_);
    hersteller_->setObjectName(QStringLiteral("HerstellerEdit"));
    bildDatei_ = new QLineEdit(datenPanel_);
    bildDatei_->setObjectName(QStringLiteral("BildDateiEdit"));
    epoche_ = new QSpinBox(datenPanel_);
    epoche_->setObjectName(QStringLiteral("EpocheEdit"));
    epoche_->setRange(0, 6);
    preis_ = new QSpinBox(datenPanel_);
    preis_->setObjectName(QStringLiteral("PreisEdit"));
    preis_->setRange(0, 9999999);
    verkaufpreis_ = new QSpinBox(datenPanel_);
    verkaufpreis_->setObjectName(QStringLiteral("VerkaufpreisEdit"));
    verkaufpreis_->setRange(0, 9999999);
    seite_ = new QComboBox(datenPanel_);
    seite_->setObjectName(QStringLiteral("HomepageSeiteBox"));
    seite_->addItem(QString());
    seite_->addItems(FahrzeugListen::HomepageSeiten());
    form->addRow(QStringLiteral("Name"), name_);
    form->addRow(QStringLiteral("Artikel"), typ_);
    form->addRow(QStringLiteral("Adresse"), adresse_);
    form->addRow(QStringLiteral("Protokoll"), format_);
    form->addRow(QStringLiteral("Max km/h"), maxSpeed_);
    form->addRow(QStringLiteral("Fahrstufen"), fahrstufen_);
    form->addRow(QStringLiteral("Zugsorte"), sorte_);
    form->addRow(QStringLiteral("Zugart"), art_);
    form->addRow(QStringLiteral("Hersteller"), hersteller_);
    form->addRow(QStringLiteral("Bild"), bildDatei_);
    form->addRow(QStringLiteral("Epoche"), epoche_);
    form->addRow(QStringLiteral("Preis"), preis_);
    form->addRow(QStringLiteral("Verkaufpreis"), verkaufpreis_);
    form->addRow(QStringLiteral("Homepage"), seite_);
    auto* flags = new QGridLayout;
    verkauft_ = new QCheckBox(QStringLiteral("Verkauft"), datenPanel_);
    zuVerkaufen_ = new QCheckBox(QStringLiteral("Zu Verkaufen"), datenPanel_);
    schrank_ = new QCheckBox(QStringLiteral("Lok ist im Schrank"), datenPanel_);
    ovp_ = new QCheckBox(QStringLiteral("Original verpackung"), datenPanel_);
    verkauft_->setObjectName(QStringLiteral("VerkauftBox"));
    zuVerkaufen_->setObjectName(QStringLiteral("ZuVerkaufenBox"));
    schrank_->setObjectName(QStringLiteral("SchrankBox"));
    ovp_->setObjectName(QStringLiteral("OvpBox"));
    flags->addWidget(verkauft_, 0, 0);
    flags->addWidget(zuVerkaufen_, 0, 1);
    flags->addWidget(schrank_, 1, 0);
    flags->addWidget(ovp_, 1, 1);
    form->addRow(flags);
    info_ = new QPlainTextEdit(datenPanel_);
    info_->setObjectName(QStringLiteral("LokInfo"));
    info_->setFixedHeight(54);
    form->addRow(QStringLiteral("Info"), info_);
    rechts->addWidget(datenPanel_, 1);

    auto* tasten = new QGridLayout;
    QPushButton* speichern = taste(QStringLiteral("Lokdatenbank Speichern"), "SpeichernBtn", this);
    QPushButton* uebernehmen = taste(QStringLiteral("Daten übernehmen"), "DatenUbernehmenBtn", this);
    QPushButton* neu = taste(QStringLiteral("Neue Lok oder Wagen hinzufügen"), "NeuBtn", this);
    QPushButton* verzeichnis = taste(QStringLiteral("Neues Verzeichnis"), "VerzeichnisBtn", this);
    QPushButton* loeschen = taste(QStringLiteral("Löschen"), "LoeschenBtn", this);
    QPushButton* exportieren = taste(QStringLiteral("Lokkarte Exportieren"), "ExportBtn", this);
    QPushButton* importieren = taste(QStringLiteral("Lokkarte Importieren"), "ImportBtn", this);
    QPushButton* listen = taste(QStringLiteral("Verkaufslisten schreiben"), "ListenBtn", this);
    QPushButton* html = taste(QStringLiteral("Html Dateien erstellen"), "HtmlBtn", this);
    QPushButton* ansehen = taste(QStringLiteral("Html Seite Ansehen"), "HtmlAnsehenBtn", this);
    const QList<QPushButton*> alle = {speichern, uebernehmen, neu, verzeichnis, loeschen, exportieren, importieren, listen, html, ansehen};
    for (int i = 0; i < alle.size(); ++i) {
        tasten->addWidget(alle[i], i / 2, i % 2);
    }
    rechts->addLayout(tasten);
    haupt->addLayout(rechts, 3);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { auswahlGeaendert(); });
    connect(verkaufteAus_, &QCheckBox::toggled, &logic_, &TFahrzeug::setVerkaufteNichtAnzeigen);
    connect(nurZuVerkaufen_, &QCheckBox::toggled, &logic_, &TFahrzeug::setNurZuVerkaufen);
    connect(format_, &QComboBox::activated, this, [this](int i) { logic_.DatenFormatGewaehlt(i); });
    connect(speichern, &QPushButton::clicked, this, [this] {
        if (angezeigt_ && angezeigt_->istArtikel()) {
            logic_.ArtikelVerlassen(angezeigt_, bearbeiteteDaten(), false);
        }
        logic_.SaveVehicleDatabase();
    });
    connect(uebernehmen, &QPushButton::clicked, this, [this] {
        if (angezeigt_ && angezeigt_->istArtikel()) {
            logic_.ArtikelSpeichern(angezeigt_, bearbeiteteDaten());
        }
    });
    connect(neu, &QPushButton::clicked, this, [this] {
        FahrzeugKnoten* ordner = angezeigt_ && angezeigt_->istArtikel() ? angezeigt_->parent : angezeigt_;
        const QString typ = QInputDialog::getItem(this, QStringLiteral("Neuer Artikel"), QStringLiteral("Artikel"),
                                                  FahrzeugListen::ArtikelTypen(), 0, false);
        if (FahrzeugKnoten* k = logic_.NeuerArtikel(ordner, typ)) {
            auswaehlen(k);
        }
    });
    connect(verzeichnis, &QPushButton::clicked, this, [this] {
        const auto name = programm_.dialogs.textInput(QStringLiteral("Neues Verzeichnis"), QStringLiteral("Name"), QString());
        if (name) {
            if (FahrzeugKnoten* k = logic_.NeuesVerzeichnis(angezeigt_, *name)) {
                auswaehlen(k);
            }
        }
    });
    connect(loeschen, &QPushButton::clicked, this, [this] {
        FahrzeugKnoten* k = angezeigt_;
        angezeigt_ = nullptr;
        if (!logic_.Loeschen(k)) {
            angezeigt_ = k;
        }
    });
    connect(exportieren, &QPushButton::clicked, this, [this] {
        if (angezeigt_ && angezeigt_->istArtikel()) {
            const QString ordner = QFileDialog::getExistingDirectory(this, QStringLiteral("Lokkarte Exportieren"), programm_.programFolder);
            if (!ordner.isEmpty()) {
                logic_.LokkarteExportieren(*angezeigt_, ordner);
            }
        }
    });
    connect(importieren, &QPushButton::clicked, this, [this] {
        const auto pfad = programm_.dialogs.openFile(QStringLiteral("Lokkarte Importieren"), programm_.programFolder,
                                                     QStringLiteral("Trassolin Lokkarte (*.TLK)|*.TLK"));
        if (pfad) {
            FahrzeugKnoten* ordner = angezeigt_ && angezeigt_->istArtikel() ? angezeigt_->parent : angezeigt_;
            if (FahrzeugKnoten* k = logic_.LokkarteImportieren(*pfad, ordner)) {
                auswaehlen(k);
            }
        }
    });
    connect(listen, &QPushButton::clicked, this, [this] { logic_.VerkaufslistenSchreiben(); });
    connect(html, &QPushButton::clicked, this, [this] { logic_.HtmlSeiteErstellen(seite_->currentText(), logic_.HomepageOrdner()); });
    connect(ansehen, &QPushButton::clicked, this, [this] {
        if (const auto s = HomepageSeiteNamens(seite_->currentText())) {
            Q_EMIT seiteAnsehen(logic_.HomepageOrdner() + s->datei);
        }
    });
}

void TFahrzeugForm::refresh()
{
    const FahrzeugKnoten* vorher = angezeigt_;
    model_->neuAufbauen();
    tree_->expandAll();
    setWindowTitle(logic_.caption);
    preise_->setText(logic_.PreisText());
    datei_->setText(QStringLiteral("Lokdatenbank : ") + logic_.DatenbankPfad());
    // The shown node may have gone (deleted, database loaded): look it up again.
    bool vorhanden = false;
    logic_.datenbank().fuerAlle([&](FahrzeugKnoten& k) { vorhanden = vorhanden || &k == vorher; });
    if (vorhanden) {
        const QModelIndex index = model_->indexVon(vorher);
        fuellt_ = true;
        tree_->setCurrentIndex(index);
        fuellt_ = false;
    } else {
        angezeigt_ = nullptr;
        anzeigen(nullptr);
    }
}

void TFahrzeugForm::auswaehlen(const FahrzeugKnoten* knoten)
{
    tree_->setCurrentIndex(model_->indexVon(knoten));
}

void TFahrzeugForm::auswahlGeaendert()
{
    if (fuellt_) {
        return;
    }
    FahrzeugKnoten* neu = model_->knoten(tree_->currentIndex());
    if (angezeigt_ && angezeigt_ != neu && angezeigt_->istArtikel()) {
        FahrzeugKnoten* alt = angezeigt_;
        angezeigt_ = nullptr;
        logic_.ArtikelVerlassen(alt, bearbeiteteDaten(), false);
    }
    angezeigt_ = neu;
    // Saving the old article rebuilt the tree: select the new node again.
    fuellt_ = true;
    tree_->setCurrentIndex(model_->indexVon(neu));
    fuellt_ = false;
    logic_.Auswaehlen(neu);
    anzeigen(neu);
}

void TFahrzeugForm::adressenFuellen(FahrzeugKnoten* artikel, const QString& typ, int adresse)
{
    adresse_->clear();
    for (const int a : logic_.AdressListe(artikel, typ)) {
        adresse_->addItem(QString::number(a), a);
    }
    waehleWert(adresse_, adresse);
}

void TFahrzeugForm::anzeigen(FahrzeugKnoten* k)
{
    const bool artikel = k && k->istArtikel();
    datenPanel_->setEnabled(artikel);
    hinweis_->clear();
    bild_->clear();
    if (!k) {
        return;
    }
    if (!artikel) {
        if (k->ebene() == 1) {
            QImage image(logic_.OrdnerBildPfad(*k));
            if (!image.isNull()) {
                bild_->setPixmap(QPixmap::fromImage(image.scaled(160, 40, Qt::KeepAspectRatio)));
            }
            hinweis_->setText(TFahrzeug::OrdnerAnzahlText(*k));
        }
        return;
    }
    const FahrzeugDaten& d = k->daten;
    if (k->bildIndex >= 0 && k->bildIndex < static_cast<int>(logic_.bilder.gross.size())) {
        bild_->setPixmap(QPixmap::fromImage(logic_.bilder.gross[k->bildIndex]));
    }
    hinweis_->setText(logic_.BildHinweis(*k));
    name_->setText(d.Name);
    typ_->setCurrentIndex(typ_->findText(d.ArticleType));
    adressenFuellen(k, d.ArticleType, d.Address);
    format_->setCurrentIndex(d.DataFormat);
    waehleWert(maxSpeed_, d.MaxSpeed >= 127 ? 128 : d.MaxSpeed);
    waehleWert(fahrstufen_, d.SpeedSteps);
    sorte_->setCurrentIndex(sorte_->findText(d.TrainSort));
    art_->setCurrentIndex(art_->findText(d.TrainKind));
    hersteller_->setText(d.Manufacturer);
    bildDatei_->setText(d.PictureFile);
    epoche_->setValue(d.Epoch);
    preis_->setValue(d.Price);
    verkaufpreis_->setValue(d.SalePrice);
    seite_->setCurrentIndex(std::max(0, seite_->findText(d.HomepagePage)));
    verkauft_->setChecked(d.Sold);
    zuVerkaufen_->setChecked(d.ForSale);
    schrank_->setChecked(d.InCabinet);
    ovp_->setChecked(d.BoxIncluded);
    info_->setPlainText(QString(d.Info).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

FahrzeugDaten TFahrzeugForm::bearbeiteteDaten() const
{
    if (!angezeigt_ || !angezeigt_->istArtikel()) {
        return {};
    }
    FahrzeugDaten d = angezeigt_->daten;
    const auto text = [](const QComboBox* box, const QString& alt) { return box->currentIndex() < 0 ? alt : box->currentText(); };
    const auto zahl = [](const QComboBox* box, int alt) { return box->currentIndex() < 0 ? alt : box->currentData().toInt(); };
    d.Name = name_->text();
    d.ArticleType = text(typ_, d.ArticleType);
    d.Address = zahl(adresse_, d.Address);
    d.DataFormat = format_->currentIndex() < 0 ? d.DataFormat : format_->currentIndex();
    const int speed = zahl(maxSpeed_, d.MaxSpeed);
    d.MaxSpeed = speed == 128 && d.MaxSpeed == 127 ? 127 : speed;
    d.SpeedSteps = zahl(fahrstufen_, d.SpeedSteps);
    d.TrainSort = text(sorte_, d.TrainSort);
    d.TrainKind = text(art_, d.TrainKind);
    d.Manufacturer = hersteller_->text();
    d.PictureFile = bildDatei_->text();
    d.Epoch = epoche_->value();
    d.Price = preis_->value();
    d.SalePrice = verkaufpreis_->value();
    d.HomepagePage = seite_->currentText();
    d.Sold = verkauft_->isChecked() ? 1 : 0;
    d.ForSale = zuVerkaufen_->isChecked() ? 1 : 0;
    d.InCabinet = schrank_->isChecked() ? 1 : 0;
    d.BoxIncluded = ovp_->isChecked() ? 1 : 0;
    const QString info = info_->toPlainText();
    if (QString(d.Info).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) != info) {
        d.Info = QString(info).replace(u'\n', QStringLiteral("\r\n"));
    }
    return d;
}

void TFahrzeugForm::closeEvent(QCloseEvent* event)
{
    if (angezeigt_ && angezeigt_->istArtikel()) {
        logic_.ArtikelVerlassen(angezeigt_, bearbeiteteDaten(), false);
    }
    logic_.Schliessen();
    event->accept();
}
