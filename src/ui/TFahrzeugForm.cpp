#include "ui/TFahrzeugForm.h"

#include "core/Programm.h"
#include "ui/FahrzeugModel.h"
#include "vehicles/TFahrzeug.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
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
    box->setCurrentIndex(box->findData(value));
}

int gewaehlterWert(const QComboBox* box, int alt)
{
    return box->currentIndex() < 0 ? alt : box->currentData().toInt();
}

QString gewaehlterText(const QComboBox* box, const QString& alt)
{
    return box->currentIndex() < 0 ? alt : box->currentText();
}

QPushButton* taste(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QString name(const char* text)
{
    return QString::fromLatin1(text);
}

const QString kVerkaufteAus = QStringLiteral("Verkaufte Fahrzeuge nicht anzeigen");
const QString kVerkaufteAn = QStringLiteral("Alle Fahrzeuge anzeigen");
const QString kAlleDateien = QStringLiteral("Alle Dateien (*)|*");
} // namespace

TFahrzeugForm::TFahrzeugForm(Programm& programm, TFahrzeug& logic, QWidget* parent)
    : QWidget(parent, Qt::Window), programm_(programm), logic_(logic)
{
    setObjectName(QStringLiteral("FahrzeugForm"));
    aufbauen();
    connect(&logic_, &TFahrzeug::changed, this, &TFahrzeugForm::refresh);
    refresh();
    resize(1040, 700);
}

// ---- building ---------------------------------------------------------------------------------

QLineEdit* TFahrzeugForm::textFeld(QFormLayout* form, const QString& label, const char* objectName, QString FahrzeugDaten::*feld)
{
    auto* edit = new QLineEdit(form->parentWidget());
    edit->setObjectName(name(objectName));
    form->addRow(label, edit);
    textFelder_.push_back({edit, feld});
    return edit;
}

QSpinBox* TFahrzeugForm::zahlFeld(QFormLayout* form, const QString& label, const char* objectName, qint32 FahrzeugDaten::*feld,
                                  int min, int max)
{
    auto* box = new QSpinBox(form->parentWidget());
    box->setObjectName(name(objectName));
    box->setRange(min, max);
    form->addRow(label, box);
    zahlFelder_.push_back({box, feld});
    return box;
}

QCheckBox* TFahrzeugForm::flagFeld(QWidget* parent, const QString& text, const char* objectName, quint8 FahrzeugDaten::*feld)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name(objectName));
    flagFelder_.push_back({box, feld});
    return box;
}

void TFahrzeugForm::aufbauen()
{
    auto* haupt = new QHBoxLayout(this);

    // Left: tree, filter key, totals.
    auto* linksWidget = new QWidget(this);
    auto* links = new QVBoxLayout(linksWidget);
    links->setContentsMargins(0, 0, 0, 0);
    tree_ = new QTreeView(linksWidget);
    tree_->setObjectName(QStringLiteral("FahrzeugVST"));
    model_ = new FahrzeugModel(logic_, this);
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    tree_->setIconSize(QSize(80, 20));
    tree_->setDragDropMode(QAbstractItemView::InternalMove);
    tree_->setDefaultDropAction(Qt::MoveAction);
    tree_->setMinimumWidth(330);
    links->addWidget(tree_, 1);
    verkaufteTaste_ = taste(kVerkaufteAus, "VerkaufteNichtAnzeigen", linksWidget);
    links->addWidget(verkaufteTaste_);
    preise_ = new QLabel(linksWidget);
    preise_->setObjectName(QStringLiteral("PreisSumme"));
    preise_->setTextFormat(Qt::PlainText);
    links->addWidget(preise_);
    datei_ = new QLabel(linksWidget);
    datei_->setObjectName(QStringLiteral("DatenbankDatei"));
    datei_->setTextFormat(Qt::PlainText);
    datei_->setWordWrap(true);
    links->addWidget(datei_);
    haupt->addWidget(linksWidget, 2);
    menueAufbauen();

    // Right: picture and the pages of the selected node.
    auto* rechts = new QVBoxLayout;
    auto* bildZeile = new QHBoxLayout;
    bild_ = new QLabel(this);
    bild_->setObjectName(QStringLiteral("LokBild"));
    bild_->setFixedSize(164, 44);
    bild_->setFrameShape(QFrame::Box);
    bild_->setAlignment(Qt::AlignCenter);
    hinweis_ = new QLabel(this);
    hinweis_->setObjectName(QStringLiteral("BildHinweis"));
    hinweis_->setTextFormat(Qt::PlainText);
    hinweis_->setWordWrap(true);
    bildZeile->addWidget(bild_);
    bildZeile->addWidget(hinweis_, 1);
    rechts->addLayout(bildZeile);

    seiten_ = new QTabWidget(this);
    seiten_->setObjectName(QStringLiteral("ArtikelSeiten"));
    seiten_->setUsesScrollButtons(false);
    seiten_->addTab(lokdatenSeite(), QStringLiteral("Lokdaten"));
    seiten_->addTab(funktionenSeite(), QStringLiteral("Funktionen"));
    seiten_->addTab(dateienSeite(), QStringLiteral("Dekoder, Dateien"));
    homepageIndex_ = seiten_->addTab(homepageSeite(), QStringLiteral("Fur Homepage"));
    seiten_->setTabVisible(homepageIndex_, false);
    rechts->addWidget(seiten_, 1);

    auto* tasten = new QGridLayout;
    QPushButton* speichern = taste(QStringLiteral("Lokdatenbank Speichern"), "SpeichernBtn", this);
    QPushButton* uebernehmen = taste(QStringLiteral("Daten übernehmen"), "DatenUbernehmenBtn", this);
    QPushButton* neu = taste(QStringLiteral("Neue Lok oder Wagen hinzufügen"), "NeuBtn", this);
    QPushButton* verzeichnis = taste(QStringLiteral("Neues Verzeichnis"), "VerzeichnisBtn", this);
    QPushButton* loeschen = taste(QStringLiteral("Löschen"), "LoeschenBtn", this);
    QPushButton* alleLoeschen = taste(QStringLiteral("Alle Fahrzeuge lösschen"), "AlleLoeschenBtn", this);
    QPushButton* exportieren = taste(QStringLiteral("Lokkarte Exportieren"), "ExportBtn", this);
    QPushButton* importieren = taste(QStringLiteral("Lokkarte Importieren"), "ImportBtn", this);
    QPushButton* listen = taste(QStringLiteral("Verkaufslisten schreiben"), "ListenBtn", this);
    const QList<QPushButton*> alle = {speichern, uebernehmen, neu, verzeichnis, loeschen, alleLoeschen, exportieren, importieren, listen};
    for (int i = 0; i < alle.size(); ++i) {
        tasten->addWidget(alle[i], i / 3, i % 3);
    }
    rechts->addLayout(tasten);
    haupt->addLayout(rechts, 3);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { auswahlGeaendert(); });
    connect(verkaufteTaste_, &QPushButton::clicked, this, [this] { logic_.setVerkaufteNichtAnzeigen(!logic_.VerkaufteNichtAnzeigen); });
    connect(speichern, &QPushButton::clicked, this, [this] {
        if (angezeigt_ && angezeigt_->istArtikel()) {
            logic_.ArtikelVerlassen(angezeigt_, bearbeiteteDaten(), false);
        }
        logic_.SaveVehicleDatabase();
    });
    connect(uebernehmen, &QPushButton::clicked, this, [this] {
        if (angezeigt_ && angezeigt_->istArtikel()) {
            logic_.ArtikelSpeichern(angezeigt_, bearbeiteteDaten());
            anzeigen(angezeigt_);
        }
    });
    connect(neu, &QPushButton::clicked, this, [this] {
        const QString typ = QInputDialog::getItem(this, QStringLiteral("Neuer Artikel"), QStringLiteral("Artikel"),
                                                  FahrzeugListen::ArtikelTypen(), 0, false);
        if (FahrzeugKnoten* k = logic_.NeuerArtikel(zielOrdner(), typ)) {
            auswaehlen(k);
        }
    });
    connect(verzeichnis, &QPushButton::clicked, this, [this] {
        const auto text = programm_.dialogs.textInput(QStringLiteral("Neues Verzeichnis"), QStringLiteral("Name"), QString());
        if (text) {
            if (FahrzeugKnoten* k = logic_.NeuesVerzeichnis(angezeigt_, *text)) {
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
    connect(alleLoeschen, &QPushButton::clicked, this, [this] {
        // The shown article goes with the rest: its edits are not asked about.
        FahrzeugKnoten* k = angezeigt_;
        angezeigt_ = nullptr;
        if (!logic_.AlleLoeschen()) {
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
            if (FahrzeugKnoten* k = logic_.LokkarteImportieren(*pfad, zielOrdner())) {
                auswaehlen(k);
            }
        }
    });
    connect(listen, &QPushButton::clicked, this, [this] { logic_.VerkaufslistenSchreiben(); });
}

void TFahrzeugForm::menueAufbauen()
{
    auto* menue = new QMenuBar(this);
    menue->setObjectName(QStringLiteral("FahrzeugMenu"));
    QMenu* datei = menue->addMenu(QStringLiteral("&Datei"));
    QAction* speichern = datei->addAction(QStringLiteral("Lokdatenbank Speichern"));
    QAction* exportieren = datei->addAction(QStringLiteral("Artikel in Datei schreiben"));
    QAction* importieren = datei->addAction(QStringLiteral("Artikel aus Datei einfügen"));
    QAction* listen = datei->addAction(QStringLiteral("Verkaufslisten schreiben"));
    QMenu* ansicht = menue->addMenu(QStringLiteral("&Ansicht"));
    verkaufteMenue_ = ansicht->addAction(QStringLiteral("&Verkaufte nicht anzeigen"));
    verkaufteMenue_->setObjectName(QStringLiteral("VerkaufteMenu"));
    zuVerkaufenMenue_ = ansicht->addAction(QStringLiteral("&Zu Verkaufen"));
    zuVerkaufenMenue_->setObjectName(QStringLiteral("ZuVerkaufenMenu"));
    ansicht->addSeparator();
    homepageMenue_ = ansicht->addAction(QStringLiteral("Fur Homepage"));
    homepageMenue_->setObjectName(QStringLiteral("FurHomepageMenu"));
    homepageMenue_->setCheckable(true);
    layout()->setMenuBar(menue);

    // The menu entries do what the keys of the same name do.
    const auto klick = [this](const char* objekt) {
        return [this, objekt] {
            if (auto* b = findChild<QPushButton*>(QString::fromLatin1(objekt))) {
                b->click();
            }
        };
    };
    connect(speichern, &QAction::triggered, this, klick("SpeichernBtn"));
    connect(exportieren, &QAction::triggered, this, klick("ExportBtn"));
    connect(importieren, &QAction::triggered, this, klick("ImportBtn"));
    connect(listen, &QAction::triggered, this, klick("ListenBtn"));
    connect(verkaufteMenue_, &QAction::triggered, this, [this] { logic_.setVerkaufteNichtAnzeigen(!logic_.VerkaufteNichtAnzeigen); });
    connect(zuVerkaufenMenue_, &QAction::triggered, this, [this] { logic_.setNurZuVerkaufen(!logic_.NurZuVerkaufen); });
    connect(homepageMenue_, &QAction::toggled, this, &TFahrzeugForm::setHomepageSichtbar);
}

QWidget* TFahrzeugForm::lokdatenSeite()
{
    auto* seite = new QWidget;
    seite->setObjectName(QStringLiteral("LokdatenSeite"));
    artikelTeile_.push_back(seite);
    auto* layout = new QVBoxLayout(seite);
    auto* spalten = new QHBoxLayout;

    auto* allgemein = new QWidget(seite);
    auto* form = new QFormLayout(allgemein);
    form->setContentsMargins(0, 0, 0, 0);
    name_ = textFeld(form, QStringLiteral("Name"), "NameEdit", &FahrzeugDaten::Name);
    textFeld(form, QStringLiteral("Anzeigename"), "AnzeigeNameEdit", &FahrzeugDaten::DisplayName);
    typ_ = new QComboBox(allgemein);
    typ_->setObjectName(QStringLiteral("ArtikelTypBox"));
    typ_->addItems(FahrzeugListen::ArtikelTypen());
    form->addRow(QStringLiteral("Artikel"), typ_);
    textFeld(form, QStringLiteral("Hersteller"), "HerstellerEdit", &FahrzeugDaten::Manufacturer);
    sorte_ = new QComboBox(allgemein);
    sorte_->setObjectName(QStringLiteral("ZugSorteBox"));
    sorte_->addItems(FahrzeugListen::ZugSorten());
    form->addRow(QStringLiteral("Zugsorte"), sorte_);
    art_ = new QComboBox(allgemein);
    art_->setObjectName(QStringLiteral("ZugArtBox"));
    art_->addItems(FahrzeugListen::ZugArten());
    form->addRow(QStringLiteral("Zugart"), art_);
    zahlFeld(form, QStringLiteral("Epoche"), "EpocheEdit", &FahrzeugDaten::Epoch, 0, 6);
    zahlFeld(form, QStringLiteral("Preis"), "PreisEdit", &FahrzeugDaten::Price, 0, 9999999);
    zahlFeld(form, QStringLiteral("Verkaufpreis"), "VerkaufpreisEdit", &FahrzeugDaten::SalePrice, 0, 9999999);
    auto* bildZeile = new QHBoxLayout;
    bildDatei_ = new QLineEdit(allgemein);
    bildDatei_->setObjectName(QStringLiteral("BildDateiEdit"));
    textFelder_.push_back({bildDatei_, &FahrzeugDaten::PictureFile});
    QPushButton* bildWaehlen = taste(QStringLiteral("..."), "BildWaehlenBtn", allgemein);
    bildWaehlen->setToolTip(QStringLiteral("Lokbild auswählen"));
    bildWaehlen->setFixedWidth(32);
    bildZeile->addWidget(bildDatei_, 1);
    bildZeile->addWidget(bildWaehlen);
    form->addRow(QStringLiteral("Bild"), bildZeile);
    auto* grossZeile = new QHBoxLayout;
    auto* grossBild = new QLineEdit(allgemein);
    grossBild->setObjectName(QStringLiteral("GrossBildEdit"));
    textFelder_.push_back({grossBild, &FahrzeugDaten::LargePictureFile});
    QPushButton* grossWaehlen = taste(QStringLiteral("..."), "GrossBildWaehlenBtn", allgemein);
    grossWaehlen->setFixedWidth(32);
    grossZeile->addWidget(grossBild, 1);
    grossZeile->addWidget(grossWaehlen);
    form->addRow(QStringLiteral("Großes Bild"), grossZeile);
    textFeld(form, QStringLiteral("Bilder anzeigen"), "BilderNameEdit", &FahrzeugDaten::PicturesName);
    spalten->addWidget(allgemein, 1);

    auto* technik = new QWidget(seite);
    technik_ = new QFormLayout(technik);
    technik_->setContentsMargins(0, 0, 0, 0);
    adresse_ = new QComboBox(technik);
    adresse_->setObjectName(QStringLiteral("AdresseBox"));
    technik_->addRow(QStringLiteral("Adresse"), adresse_);
    format_ = new QComboBox(technik);
    format_->setObjectName(QStringLiteral("DatenFormatBox"));
    format_->addItems(FahrzeugListen::DatenFormate());
    technik_->addRow(QStringLiteral("Protokoll"), format_);
    const QStringList folgeTexte = {QStringLiteral("Folgeadresse F5-F8"), QStringLiteral("Folgeadresse F9-F12"),
                                    QStringLiteral("Folgeadresse F13-F16")};
    for (int i = 0; i < 3; ++i) {
        folgeadresse_[i] = zahlenBox(FahrzeugListen::FolgeadressenWerte(), technik);
        folgeadresse_[i]->setObjectName(QStringLiteral("Folgeadresse%1Box").arg(i + 1));
        technik_->addRow(folgeTexte[i], folgeadresse_[i]);
    }
    fahrstufen_ = zahlenBox(FahrzeugListen::FahrstufenWerte(), technik);
    fahrstufen_->setObjectName(QStringLiteral("FahrstufenBox"));
    technik_->addRow(QStringLiteral("Fahrstufen"), fahrstufen_);
    maxSpeed_ = zahlenBox(FahrzeugListen::MaxSpeedWerte(), technik);
    maxSpeed_->setObjectName(QStringLiteral("MaxSpeedBox"));
    technik_->addRow(QStringLiteral("Max km/h"), maxSpeed_);
    zentralenId_ = new QLabel(technik);
    zentralenId_->setObjectName(QStringLiteral("ZentralenIdLabel"));
    zentralenId_->setTextFormat(Qt::PlainText);
    technik_->addRow(QStringLiteral("Zentralen Id"), zentralenId_);
    auto* flags = new QGridLayout;
    flags->addWidget(flagFeld(technik, QStringLiteral("Verkauft"), "VerkauftBox", &FahrzeugDaten::Sold), 0, 0);
    flags->addWidget(flagFeld(technik, QStringLiteral("Zu Verkaufen"), "ZuVerkaufenBox", &FahrzeugDaten::ForSale), 0, 1);
    schrank_ = flagFeld(technik, QStringLiteral("Lok ist im Schrank"), "SchrankBox", &FahrzeugDaten::InCabinet);
    flags->addWidget(schrank_, 1, 0);
    flags->addWidget(flagFeld(technik, QStringLiteral("Original verpackung"), "OvpBox", &FahrzeugDaten::BoxIncluded), 1, 1);
    technik_->addRow(flags);
    spalten->addWidget(technik, 1);
    layout->addLayout(spalten);

    layout->addWidget(new QLabel(QStringLiteral("LokInfo"), seite));
    info_ = new QPlainTextEdit(seite);
    info_->setObjectName(QStringLiteral("LokInfo"));
    layout->addWidget(info_, 1);

    connect(typ_, &QComboBox::currentIndexChanged, this, [this] {
        if (!fuellt_ && angezeigt_ && angezeigt_->istArtikel()) {
            const QString typ = typ_->currentText();
            adressenFuellen(angezeigt_, typ, gewaehlterWert(adresse_, angezeigt_->daten.Address));
            typAnzeigen(typ);
            vorschauAnzeigen();
        }
    });
    connect(format_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!fuellt_ && i >= 0) {
            logic_.DatenFormatGewaehlt(i);
            formatAnzeigen(i);
        }
    });
    connect(bildWaehlen, &QPushButton::clicked, this, [this] {
        if (!angezeigt_ || !angezeigt_->istArtikel()) {
            return;
        }
        const QString typ = gewaehlterText(typ_, angezeigt_->daten.ArticleType);
        const FahrzeugBilder::Ordner ordner = logic_.BildOrdner();
        const auto pfad = programm_.dialogs.openFile(QStringLiteral("Lokbild auswählen"),
                                                     typ == QLatin1String("Lok") ? ordner.loks : ordner.wagen,
                                                     QStringLiteral("JPEG Bild (*.jpg *.jpeg)|*.jpg;*.jpeg"));
        if (pfad) {
            const QString datei = logic_.BildUebernehmen(*pfad, typ);
            if (!datei.isEmpty()) {
                bildDatei_->setText(datei);
                vorschauAnzeigen();
            }
        }
    });
    connect(bildDatei_, &QLineEdit::editingFinished, this, [this] { vorschauAnzeigen(); });
    connect(grossWaehlen, &QPushButton::clicked, this,
            [this, grossBild] { dateiWaehlen(grossBild, QStringLiteral("Großes Bild auswählen"), QStringLiteral("JPEG Bild (*.jpg *.jpeg)|*.jpg;*.jpeg")); });
    return seite;
}

QWidget* TFahrzeugForm::funktionenSeite()
{
    auto* seite = new QWidget;
    seite->setObjectName(QStringLiteral("FunktionenSeite"));
    artikelTeile_.push_back(seite);
    auto* layout = new QVBoxLayout(seite);
    f9bis16_ = flagFeld(seite, QStringLiteral("Funktionen 9 bis 16"), "Funktionen9bis16Box", &FahrzeugDaten::Functions9to16Active);
    layout->addWidget(f9bis16_);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < 16; ++i) {
        const int zeile = i % 8;
        const int spalte = (i / 8) * 4;
        funktionAn_[i] = new QCheckBox(QStringLiteral("F%1").arg(i + 1), seite);
        funktionAn_[i]->setObjectName(QStringLiteral("Funktion%1Box").arg(i + 1));
        funktionName_[i] = new QLineEdit(seite);
        funktionName_[i]->setObjectName(QStringLiteral("FunktionName%1Edit").arg(i + 1));
        funktionSymbol_[i] = new QComboBox(seite);
        funktionSymbol_[i]->setObjectName(QStringLiteral("FunktionSymbol%1Box").arg(i + 1));
        for (int s = 0; s <= FahrzeugListen::FunktionsNamen().size(); ++s) {
            funktionSymbol_[i]->addItem(TFahrzeug::SymbolText(s), s);
        }
        funktionSymbol_[i]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        funktionSymbol_[i]->setMinimumContentsLength(9);
        funktionName_[i]->setMinimumWidth(100);
        grid->addWidget(funktionAn_[i], zeile, spalte);
        grid->addWidget(funktionName_[i], zeile, spalte + 1);
        grid->addWidget(funktionSymbol_[i], zeile, spalte + 2);
    }
    grid->setColumnMinimumWidth(3, 12);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 2);
    grid->setColumnStretch(5, 3);
    grid->setColumnStretch(6, 2);
    layout->addLayout(grid);

    auto* schalten = new QGroupBox(QStringLiteral("Funktionen bei Abfahrt und am Ziel"), seite);
    auto* sgrid = new QGridLayout(schalten);
    sgrid->setVerticalSpacing(2);
    sgrid->addWidget(new QLabel(QStringLiteral("Name"), schalten), 0, 1);
    sgrid->addWidget(new QLabel(QStringLiteral("Funktion"), schalten), 0, 2);
    sgrid->addWidget(new QLabel(QStringLiteral("Zustand"), schalten), 0, 3);
    for (int i = 0; i < 6; ++i) {
        const bool abfahrt = i < 3;
        const int n = i % 3 + 1;
        const QString art = abfahrt ? QStringLiteral("Abfahrt") : QStringLiteral("Ziel");
        sgrid->addWidget(new QLabel(art + QStringLiteral(" %1").arg(n), schalten), i + 1, 0);
        schaltName_[i] = new QLineEdit(schalten);
        schaltName_[i]->setObjectName(art + QStringLiteral("Name%1Edit").arg(n));
        schaltNummer_[i] = new QSpinBox(schalten);
        schaltNummer_[i]->setObjectName(art + QStringLiteral("Nummer%1Edit").arg(n));
        schaltNummer_[i]->setRange(0, 16);
        schaltZustand_[i] = new QLineEdit(schalten);
        schaltZustand_[i]->setObjectName(art + QStringLiteral("Zustand%1Edit").arg(n));
        sgrid->addWidget(schaltName_[i], i + 1, 1);
        sgrid->addWidget(schaltNummer_[i], i + 1, 2);
        sgrid->addWidget(schaltZustand_[i], i + 1, 3);
    }
    sgrid->setColumnStretch(1, 2);
    sgrid->setColumnStretch(3, 1);
    layout->addWidget(schalten);
    layout->addStretch(1);

    connect(f9bis16_, &QCheckBox::toggled, this, &TFahrzeugForm::funktionen9bis16Anzeigen);
    return seite;
}

QWidget* TFahrzeugForm::dateienSeite()
{
    auto* seite = new QWidget;
    seite->setObjectName(QStringLiteral("DateienSeite"));
    artikelTeile_.push_back(seite);
    auto* layout = new QVBoxLayout(seite);
    auto* dekoder = new QGroupBox(QStringLiteral("Dekoder"), seite);
    auto* dform = new QFormLayout(dekoder);
    textFeld(dform, QStringLiteral("Dekoder Name"), "DekoderNameEdit", &FahrzeugDaten::DecoderName);
    textFeld(dform, QStringLiteral("Dekoder Info"), "DekoderInfoEdit", &FahrzeugDaten::DecoderInfo);
    layout->addWidget(dekoder);

    auto* dateien = new QGroupBox(QStringLiteral("Dateien"), seite);
    auto* fform = new QFormLayout(dateien);
    const struct {
        const char* label;
        const char* name;
        const char* taste;
        QString FahrzeugDaten::*feld;
        const char* filter;
    } felder[] = {
        {"Dekoder Info Datei 1", "DekoderDatei1Edit", "DekoderDatei1Btn", &FahrzeugDaten::DecoderInfoFile1, nullptr},
        {"Dekoder Info Datei 2", "DekoderDatei2Edit", "DekoderDatei2Btn", &FahrzeugDaten::DecoderInfoFile2, nullptr},
        {"Fahrzeug Info Datei", "FahrzeugInfoDateiEdit", "FahrzeugInfoDateiBtn", &FahrzeugDaten::VehicleInfoFile,
         "PDF, JPG oder BMP (*.pdf *.jpg *.bmp)|*.pdf;*.jpg;*.bmp"},
        {"Sound Abfahrt", "SoundStartEdit", "SoundStartBtn", &FahrzeugDaten::StartSound, "Sound (*.wav *.mp3)|*.wav;*.mp3"},
        {"Sound Ziel", "SoundZielEdit", "SoundZielBtn", &FahrzeugDaten::DestinationSound, "Sound (*.wav *.mp3)|*.wav;*.mp3"},
    };
    for (const auto& f : felder) {
        auto* zeile = new QHBoxLayout;
        auto* edit = new QLineEdit(dateien);
        edit->setObjectName(name(f.name));
        textFelder_.push_back({edit, f.feld});
        QPushButton* waehlen = taste(QStringLiteral("..."), f.taste, dateien);
        waehlen->setFixedWidth(32);
        zeile->addWidget(edit, 1);
        zeile->addWidget(waehlen);
        fform->addRow(QString::fromUtf8(f.label), zeile);
        const QString titel = QString::fromUtf8(f.label) + QStringLiteral(" auswählen");
        const QString filter = f.filter ? QString::fromUtf8(f.filter) : kAlleDateien;
        connect(waehlen, &QPushButton::clicked, this, [this, edit, titel, filter] { dateiWaehlen(edit, titel, filter); });
    }
    layout->addWidget(dateien);

    auto* linkBox = new QGroupBox(QStringLiteral("Links"), seite);
    auto* lform = new QFormLayout(linkBox);
    textFeld(lform, QStringLiteral("Mobadaten"), "LinkMobadatenEdit", &FahrzeugDaten::LinkMobadaten);
    textFeld(lform, QStringLiteral("Spur N"), "LinkSpurNEdit", &FahrzeugDaten::LinkSpurN);
    textFeld(lform, QStringLiteral("1zu160"), "Link1zu160Edit", &FahrzeugDaten::Link1zu160);
    layout->addWidget(linkBox);
    layout->addStretch(1);
    return seite;
}

QWidget* TFahrzeugForm::homepageSeite()
{
    auto* seite = new QWidget;
    seite->setObjectName(QStringLiteral("FurHomepage"));
    auto* layout = new QHBoxLayout(seite);

    auto* artikel = new QGroupBox(QStringLiteral("Artikel auf der Homepage"), seite);
    artikel->setObjectName(QStringLiteral("HomepageArtikel"));
    artikelTeile_.push_back(artikel);
    auto* form = new QFormLayout(artikel);
    seite_ = new QComboBox(artikel);
    seite_->setObjectName(QStringLiteral("HomepageSeiteBox"));
    seite_->addItem(QString());
    seite_->addItems(FahrzeugListen::HomepageSeiten());
    form->addRow(QStringLiteral("Seite"), seite_);
    prioritaet_ = new QSpinBox(artikel);
    prioritaet_->setObjectName(QStringLiteral("HtmlPrioritaetBox"));
    prioritaet_->setRange(0, 10);
    prioritaet_->setSpecialValueText(QStringLiteral("-"));
    form->addRow(QStringLiteral("Reihenfolge"), prioritaet_);
    zahlFeld(form, QStringLiteral("Bildbreite"), "BildBreiteEdit", &FahrzeugDaten::ImageWidth, 0, 2000);
    zahlFeld(form, QStringLiteral("Bildhöhe"), "BildHoeheEdit", &FahrzeugDaten::ImageHeight, 0, 2000);
    textFeld(form, QStringLiteral("Html Info"), "HtmlInfoEdit", &FahrzeugDaten::HtmlInfo);
    layout->addWidget(artikel, 3);

    auto* export_ = new QGroupBox(QStringLiteral("Homepage Seiten"), seite);
    auto* elayout = new QVBoxLayout(export_);
    seitenListe_ = new QListWidget(export_);
    seitenListe_->setObjectName(QStringLiteral("HomepageSeitenListe"));
    seitenListe_->addItems(FahrzeugListen::HomepageSeiten());
    elayout->addWidget(seitenListe_, 1);
    QPushButton* html = taste(QStringLiteral("Html Dateien erstellen"), "HtmlBtn", export_);
    QPushButton* ansehen = taste(QStringLiteral("Html Seite Ansehen"), "HtmlAnsehenBtn", export_);
    elayout->addWidget(html);
    elayout->addWidget(ansehen);
    layout->addWidget(export_, 2);

    const auto gewaehlteSeite = [this] {
        const QListWidgetItem* item = seitenListe_->currentItem();
        return item && item->isSelected() ? item->text() : QString();
    };
    connect(html, &QPushButton::clicked, this,
            [this, gewaehlteSeite] { logic_.HtmlSeiteErstellen(gewaehlteSeite(), logic_.HomepageOrdner()); });
    connect(ansehen, &QPushButton::clicked, this, [this, gewaehlteSeite] {
        if (const auto s = HomepageSeiteNamens(gewaehlteSeite())) {
            Q_EMIT seiteAnsehen(logic_.HomepageOrdner() + s->datei);
        }
    });
    return seite;
}

void TFahrzeugForm::setHomepageSichtbar(bool on)
{
    seiten_->setTabVisible(homepageIndex_, on);
    if (homepageMenue_->isChecked() != on) {
        homepageMenue_->setChecked(on);
    }
    if (on) {
        seiten_->setCurrentIndex(homepageIndex_);
    }
}

// ---- showing --------------------------------------------------------------------------------

void TFahrzeugForm::refresh()
{
    const FahrzeugKnoten* vorher = angezeigt_;
    model_->neuAufbauen();
    tree_->expandAll();
    setWindowTitle(logic_.caption);
    preise_->setText(logic_.PreisText());
    datei_->setText(QStringLiteral("Lokdatenbank : ") + logic_.DatenbankPfad());
    verkaufteTaste_->setText(logic_.VerkaufteNichtAnzeigen ? kVerkaufteAn : kVerkaufteAus);
    verkaufteMenue_->setText(logic_.VerkaufteNichtAnzeigen ? QStringLiteral("&Verkaufte anzeigen")
                                                          : QStringLiteral("&Verkaufte nicht anzeigen"));
    zuVerkaufenMenue_->setText(logic_.NurZuVerkaufen ? QStringLiteral("&Alle anzeigen") : QStringLiteral("&Zu Verkaufen"));
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
        logic_.ArtikelVerlassen(alt, bearbeiteteDaten(alt), false);
    }
    angezeigt_ = neu;
    // Saving the old article rebuilt the tree: select the new node again.
    fuellt_ = true;
    tree_->setCurrentIndex(model_->indexVon(neu));
    fuellt_ = false;
    logic_.Auswaehlen(neu);
    anzeigen(neu);
}

FahrzeugKnoten* TFahrzeugForm::zielOrdner() const
{
    return angezeigt_ && angezeigt_->istArtikel() ? angezeigt_->parent : angezeigt_;
}

void TFahrzeugForm::adressenFuellen(FahrzeugKnoten* artikel, const QString& typ, int adresse)
{
    const bool vorher = fuellt_;
    fuellt_ = true;
    adresse_->clear();
    for (const int a : logic_.AdressListe(artikel, typ)) {
        adresse_->addItem(QString::number(a), a);
    }
    waehleWert(adresse_, adresse);
    fuellt_ = vorher;
}

void TFahrzeugForm::typAnzeigen(const QString& typ)
{
    if (auto* label = qobject_cast<QLabel*>(technik_->labelForField(adresse_))) {
        label->setText(TFahrzeug::AdressenText(typ));
    }
    schrank_->setText(TFahrzeug::SchrankText(typ));
}

void TFahrzeugForm::formatAnzeigen(int format)
{
    const bool sichtbar = TFahrzeug::FolgeadressenSichtbar(format);
    for (QComboBox* box : folgeadresse_) {
        technik_->setRowVisible(box, sichtbar);
    }
}

void TFahrzeugForm::funktionen9bis16Anzeigen(bool on)
{
    for (int i = 8; i < 16; ++i) {
        funktionAn_[i]->setEnabled(on);
        funktionName_[i]->setEnabled(on);
        funktionSymbol_[i]->setEnabled(on);
    }
}

void TFahrzeugForm::vorschauAnzeigen()
{
    if (angezeigt_ && angezeigt_->istArtikel()) {
        bild_->setPixmap(QPixmap::fromImage(logic_.BildVorschau(bearbeiteteDaten())));
    }
}

void TFahrzeugForm::dateiWaehlen(QLineEdit* edit, const QString& titel, const QString& filter)
{
    const QString ordner = edit->text().contains(u'/') ? QFileInfo(edit->text()).absolutePath() : programm_.programFolder;
    if (const auto pfad = programm_.dialogs.openFile(titel, ordner, filter)) {
        edit->setText(*pfad);
    }
}

void TFahrzeugForm::anzeigen(FahrzeugKnoten* k)
{
    const bool artikel = k && k->istArtikel();
    for (QWidget* teil : artikelTeile_) {
        teil->setEnabled(artikel);
    }
    hinweis_->clear();
    bild_->clear();
    if (!k) {
        return;
    }
    if (!artikel) {
        if (k->ebene() == 1) {
            QImage image(logic_.OrdnerBildPfad(*k));
            if (!image.isNull()) {
                bild_->setPixmap(QPixmap::fromImage(image.scaled(160, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
            }
            hinweis_->setText(TFahrzeug::OrdnerAnzahlText(*k));
        }
        return;
    }
    fuellt_ = true;
    const FahrzeugDaten& d = k->daten;
    if (k->bildIndex >= 0 && k->bildIndex < static_cast<int>(logic_.bilder.gross.size())) {
        bild_->setPixmap(QPixmap::fromImage(logic_.bilder.gross[k->bildIndex]));
    }
    hinweis_->setText(logic_.BildHinweis(*k));
    for (const TextFeld& f : textFelder_) {
        f.edit->setText(d.*f.feld);
        f.edit->setCursorPosition(0);
    }
    for (const ZahlFeld& f : zahlFelder_) {
        f.box->setValue(d.*f.feld);
    }
    for (const FlagFeld& f : flagFelder_) {
        f.box->setChecked(d.*f.feld != 0);
    }
    typ_->setCurrentIndex(typ_->findText(d.ArticleType));
    typAnzeigen(d.ArticleType);
    adressenFuellen(k, d.ArticleType, d.Address);
    format_->setCurrentIndex(d.DataFormat >= 0 && d.DataFormat < format_->count() ? d.DataFormat : -1);
    formatAnzeigen(d.DataFormat);
    waehleWert(folgeadresse_[0], d.FollowAddress1);
    waehleWert(folgeadresse_[1], d.FollowAddress2);
    waehleWert(folgeadresse_[2], d.FollowAddress3);
    waehleWert(maxSpeed_, d.MaxSpeed >= 127 ? 128 : d.MaxSpeed);
    waehleWert(fahrstufen_, d.SpeedSteps);
    sorte_->setCurrentIndex(sorte_->findText(d.TrainSort));
    art_->setCurrentIndex(art_->findText(d.TrainKind));
    zentralenId_->setText(d.CommandStationId);
    info_->setPlainText(QString(d.Info).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    const TFahrzeug::FunktionsListe funktionen = TFahrzeug::Funktionen(d);
    for (int i = 0; i < 16; ++i) {
        funktionAn_[i]->setChecked(funktionen[i].aktiv);
        funktionName_[i]->setText(funktionen[i].name);
        waehleWert(funktionSymbol_[i], funktionen[i].symbol);
    }
    funktionen9bis16Anzeigen(d.Functions9to16Active != 0);
    for (int i = 0; i < 6; ++i) {
        const FahrzeugFunktion& f = i < 3 ? d.Abfahrt[i] : d.Ziel[i - 3];
        schaltName_[i]->setText(f.Name);
        schaltNummer_[i]->setValue(std::clamp(f.Nummer, 0, 16));
        schaltZustand_[i]->setText(f.Zustand);
    }

    // A page the list does not know stays as it is unless another one is chosen.
    seite_->setCurrentIndex(d.HomepagePage.isEmpty() ? 0 : seite_->findText(d.HomepagePage));
    prioritaet_->setValue(std::clamp<int>(d.HtmlPriority, 0, 10));
    fuellt_ = false;
}

FahrzeugDaten TFahrzeugForm::bearbeiteteDaten() const
{
    return bearbeiteteDaten(angezeigt_);
}

FahrzeugDaten TFahrzeugForm::bearbeiteteDaten(const FahrzeugKnoten* artikel) const
{
    if (!artikel || !artikel->istArtikel()) {
        return {};
    }
    FahrzeugDaten d = artikel->daten;
    for (const TextFeld& f : textFelder_) {
        d.*f.feld = f.edit->text();
    }
    for (const ZahlFeld& f : zahlFelder_) {
        // A stored value outside the field's range stays as it is unless the field was changed.
        if (f.box->value() != std::clamp(d.*f.feld, f.box->minimum(), f.box->maximum())) {
            d.*f.feld = f.box->value();
        }
    }
    for (const FlagFeld& f : flagFelder_) {
        if (f.box->isChecked() != (d.*f.feld != 0)) {
            d.*f.feld = f.box->isChecked() ? 1 : 0;
        }
    }
    d.ArticleType = gewaehlterText(typ_, d.ArticleType);
    d.Address = gewaehlterWert(adresse_, d.Address);
    d.DataFormat = format_->currentIndex() < 0 ? d.DataFormat : format_->currentIndex();
    d.FollowAddress1 = gewaehlterWert(folgeadresse_[0], d.FollowAddress1);
    d.FollowAddress2 = gewaehlterWert(folgeadresse_[1], d.FollowAddress2);
    d.FollowAddress3 = gewaehlterWert(folgeadresse_[2], d.FollowAddress3);
    const int speed = gewaehlterWert(maxSpeed_, d.MaxSpeed);
    d.MaxSpeed = speed == 128 && d.MaxSpeed == 127 ? 127 : speed;
    d.SpeedSteps = gewaehlterWert(fahrstufen_, d.SpeedSteps);
    d.TrainSort = gewaehlterText(sorte_, d.TrainSort);
    d.TrainKind = gewaehlterText(art_, d.TrainKind);
    const QString info = info_->toPlainText();
    if (QString(d.Info).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) != info) {
        d.Info = QString(info).replace(u'\n', QStringLiteral("\r\n"));
    }

    TFahrzeug::FunktionsListe funktionen = TFahrzeug::Funktionen(d);
    for (int i = 0; i < 16; ++i) {
        funktionen[i].aktiv = funktionAn_[i]->isChecked();
        funktionen[i].name = funktionName_[i]->text();
        funktionen[i].symbol = gewaehlterWert(funktionSymbol_[i], funktionen[i].symbol);
    }
    // Unchanged functions keep their stored texts exactly.
    if (funktionen != TFahrzeug::Funktionen(d)) {
        TFahrzeug::setFunktionen(d, funktionen);
    }
    for (int i = 0; i < 6; ++i) {
        FahrzeugFunktion& f = i < 3 ? d.Abfahrt[i] : d.Ziel[i - 3];
        f.Name = schaltName_[i]->text();
        if (schaltNummer_[i]->value() != std::clamp(f.Nummer, 0, 16)) {
            f.Nummer = schaltNummer_[i]->value();
        }
        f.Zustand = schaltZustand_[i]->text();
    }

    d.HomepagePage = gewaehlterText(seite_, d.HomepagePage);
    if (prioritaet_->value() != std::clamp<int>(d.HtmlPriority, 0, 10)) {
        d.HtmlPriority = static_cast<quint8>(prioritaet_->value());
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
