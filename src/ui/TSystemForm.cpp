#include "ui/TSystemForm.h"

#include "core/Programm.h"
#include "core/TextFields.h"
#include "settings/SoundOutput.h"
#include "settings/TSystem.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>
#include <tuple>

namespace {
QLabel* plainLabel(const QString& text, QWidget* parent, const QString& name = {})
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (!name.isEmpty()) {
        label->setObjectName(name);
    }
    return label;
}

QPushButton* button(const QString& name, const QString& text, QWidget* parent)
{
    auto* key = new QPushButton(text, parent);
    key->setObjectName(name);
    return key;
}

// A folder field is red while its folder does not exist.
void showFolderState(QLineEdit* field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, TSystem::FolderExists(field->text()) ? QApplication::palette(field).color(QPalette::Base)
                                                                         : QColor(Qt::red));
    field->setPalette(palette);
}
} // namespace

TSystemForm::TSystemForm(Programm& programm, TSystem& system, QWidget* parent)
    : QWidget(parent, Qt::Window), programm_(programm), system_(system)
{
    setObjectName(QStringLiteral("SystemForm"));
    auto* debugKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    connect(debugKey, &QShortcut::activated, this, [this] { system_.DebugTaste(); });
    setWindowTitle(QStringLiteral("System"));

    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("SystemPages"));
    pages_->addTab(buildVerbindung(), QStringLiteral("Verbindung"));
    pages_->addTab(buildAnzeige(), QStringLiteral("Anzeige"));
    pages_->addTab(buildOptionen(), QStringLiteral("Optionen"));
    pages_->addTab(buildSound(), QStringLiteral("Sound"));
    pages_->addTab(buildVerzeichnisse(), QStringLiteral("Verzeichnisse"));
    layout->addWidget(pages_);

    auto* keys = new QHBoxLayout;
    keys->addStretch(1);
    auto* closeKey = button(QStringLiteral("SchliessenBtn"), QStringLiteral("Schliessen"), this);
    keys->addWidget(closeKey);
    layout->addLayout(keys);
    connect(closeKey, &QPushButton::clicked, this, &QWidget::close);

    resize(640, 520);
    connect(&system_, &TSystem::changed, this, &TSystemForm::refresh);
    refresh();
}

// ---- pages ------------------------------------------------------------------------------------

QWidget* TSystemForm::buildVerbindung()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Verbindung"));
    auto* layout = new QVBoxLayout(page);

    auto* station = new QHBoxLayout;
    layout->addLayout(station);
    stationPicture_ = plainLabel(QString(), page, QStringLiteral("ZentraleBild"));
    stationPicture_->setFrameShape(QFrame::StyledPanel);
    stationPicture_->setAlignment(Qt::AlignCenter);
    stationPicture_->setWordWrap(true);
    stationPicture_->setFixedSize(140, 70);
    station->addWidget(stationPicture_);
    auto* stationRight = new QVBoxLayout;
    station->addLayout(stationRight, 1);
    stationLabel_ = plainLabel(QString(), page, QStringLiteral("ZentraleLabel"));
    QFont bold = stationLabel_->font();
    bold.setBold(true);
    stationLabel_->setFont(bold);
    stationRight->addWidget(stationLabel_);
    stationChoice_ = new QComboBox(page);
    stationChoice_->setObjectName(QStringLiteral("ZentralenAuswahl"));
    stationChoice_->addItems(TSystem::ZentralenAuswahl());
    stationRight->addWidget(stationChoice_);
    connect(stationChoice_, &QComboBox::activated, this, [this](int index) { system_.ChooseZentrale(index); });

    auto* keys = new QHBoxLayout;
    layout->addLayout(keys);
    takeStation_ = button(QStringLiteral("NeuZentraleUebernehmenBtn"), QStringLiteral("&Neu Zentrale Übernehmen"), page);
    save_ = button(QStringLiteral("SpeichernBtn"), QStringLiteral("&Speichern"), page);
    cancel_ = button(QStringLiteral("AbbrechenBtn"), QStringLiteral("&Abbrechen"), page);
    keys->addWidget(takeStation_);
    keys->addStretch(1);
    keys->addWidget(save_);
    keys->addWidget(cancel_);
    connect(takeStation_, &QPushButton::clicked, this, [this] { system_.NeuZentraleUebernehmen(); });
    connect(save_, &QPushButton::clicked, this, [this] { system_.Speichern(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { system_.Abbrechen(); });

    serialGroup_ = new QGroupBox(QStringLiteral("Serielle Schnittstelle"), page);
    serialGroup_->setObjectName(QStringLiteral("SerialGroup"));
    auto* serial = new QFormLayout(serialGroup_);
    comPort_ = new QComboBox(serialGroup_);
    comPort_->setObjectName(QStringLiteral("ComPortBox"));
    baudRate_ = new QComboBox(serialGroup_);
    baudRate_->setObjectName(QStringLiteral("BaudRateBox"));
    for (const int baud : TSystem::BaudRaten()) {
        baudRate_->addItem(QString::number(baud), baud);
    }
    serial->addRow(QStringLiteral("COM Port"), comPort_);
    serial->addRow(QStringLiteral("Baudrate"), baudRate_);
    layout->addWidget(serialGroup_);
    connect(comPort_, &QComboBox::activated, this,
            [this](int index) { system_.setComPort(comPort_->itemData(index).toString()); });
    connect(baudRate_, &QComboBox::activated, this,
            [this](int index) { system_.setBaudRate(baudRate_->itemData(index).toInt()); });

    networkGroup_ = new QGroupBox(QStringLiteral("Netzwerk"), page);
    networkGroup_->setObjectName(QStringLiteral("NetzwerkGroup"));
    auto* network = new QFormLayout(networkGroup_);
    ipAddress_ = new QLineEdit(networkGroup_);
    ipAddress_->setObjectName(QStringLiteral("IpAddressEdit"));
    ipPort_ = new QLineEdit(networkGroup_);
    ipPort_->setObjectName(QStringLiteral("IpPortEdit"));
    ipPort_->setValidator(new QIntValidator(1, 65535, ipPort_));
    network->addRow(QStringLiteral("IP Adresse"), ipAddress_);
    network->addRow(QStringLiteral("Port"), ipPort_);
    layout->addWidget(networkGroup_);
    connect(ipAddress_, &QLineEdit::editingFinished, this, [this] {
        if (ipAddress_->isModified()) {
            ipAddress_->setModified(false);
            system_.setIpAddress(ipAddress_->text());
        }
    });
    connect(ipPort_, &QLineEdit::editingFinished, this, [this] {
        if (ipPort_->isModified()) {
            ipPort_->setModified(false);
            system_.setIpPort(ipPort_->text().toInt());
        }
    });

    layout->addStretch(1);
    auto* bottom = new QHBoxLayout;
    layout->addLayout(bottom);
    lastConnected_ = plainLabel(QString(), page, QStringLiteral("LetztesMalVerbundenLabel"));
    bottom->addWidget(lastConnected_, 1);
    auto* show = button(QStringLiteral("ZentraleAnzeigenBtn"), QStringLiteral("Zentrale Anzeigen"), page);
    bottom->addWidget(show);
    connect(show, &QPushButton::clicked, this, [this] { system_.ZentraleAnzeigen(); });
    return page;
}

QCheckBox* TSystemForm::optionBox(const QString& name, const QString& text, bool& field, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    connect(box, &QCheckBox::clicked, this, [this, &field](bool checked) { system_.setOption(field, checked); });
    refreshers_.push_back([box, &field] { box->setChecked(field); });
    return box;
}

QWidget* TSystemForm::buildAnzeige()
{
    ProjectSettings& s = programm_.settings;
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Anzeige"));
    auto* layout = new QVBoxLayout(page);

    auto* trains = new QGroupBox(QStringLiteral("Züge im Gleisplan"), page);
    auto* trainsLayout = new QHBoxLayout(trains);
    picturesRadio_ = new QRadioButton(QStringLiteral("Lokbilder"), trains);
    picturesRadio_->setObjectName(QStringLiteral("LokbilderRadio"));
    namesRadio_ = new QRadioButton(QStringLiteral("Lokname"), trains);
    namesRadio_->setObjectName(QStringLiteral("LoknameRadio"));
    trainsLayout->addWidget(picturesRadio_);
    trainsLayout->addWidget(namesRadio_);
    trainsLayout->addStretch(1);
    layout->addWidget(trains);
    connect(picturesRadio_, &QRadioButton::clicked, this,
            [this] { system_.setLocoDisplayMode(QStringLiteral("LokbilderAnzeigen")); });
    connect(namesRadio_, &QRadioButton::clicked, this,
            [this] { system_.setLocoDisplayMode(QStringLiteral("LoknameAnzeigen")); });

    layout->addWidget(optionBox(QStringLiteral("RasterAnzeigenCheck"), QStringLiteral("Raster anzeigen"), s.RasterAnzeigen, page));
    layout->addWidget(optionBox(QStringLiteral("GleisplanInFarbeCheck"), QStringLiteral("Gleisplan in Farbe anzeigen"),
                                s.GleisplanInFarbe, page));
    layout->addWidget(optionBox(QStringLiteral("SignaleOhneNummerCheck"), QStringLiteral("Signale ohne Magnetartikelnr anzeigen"),
                                s.ShowUnnumberedSignals, page));
    layout->addWidget(optionBox(QStringLiteral("NichtAlleLoksanzeigenCheck"), QStringLiteral("Nur Loks anzeigen mit Adresse <> 0"),
                                s.NichtAlleLoksanzeigen, page));
    layout->addWidget(optionBox(QStringLiteral("LoksEinteilenCheck"), QStringLiteral("Loks anzeigen nach Zugart"),
                                s.LoksEinteilen, page));

    auto* colours = new QHBoxLayout;
    layout->addLayout(colours);
    auto* colour = button(QStringLiteral("FarbenAendernBtn"), QStringLiteral("Farben Aendern"), page);
    auto* colourAutomatic = button(QStringLiteral("FarbenAendernAutomaticBtn"), QStringLiteral("Farben Aendern bei Automatik"), page);
    colours->addWidget(colour);
    colours->addWidget(colourAutomatic);
    colours->addStretch(1);
    connect(colour, &QPushButton::clicked, this, [this] { system_.ChoosePanelColor(false); });
    connect(colourAutomatic, &QPushButton::clicked, this, [this] { system_.ChoosePanelColor(true); });

    auto* icons = new QGroupBox(QStringLiteral("Funktionssymbole"), page);
    auto* iconsLayout = new QHBoxLayout(icons);
    iconSets_ = new QButtonGroup(icons);
    for (int set = 0; set < 3; ++set) {
        auto* key = button(QStringLiteral("IconFunktionsSpeedB%1").arg(set), QStringLiteral("Satz %1").arg(set + 1), icons);
        key->setCheckable(true);
        iconSets_->addButton(key, set);
        iconsLayout->addWidget(key);
    }
    iconsLayout->addStretch(1);
    layout->addWidget(icons);
    connect(iconSets_, &QButtonGroup::idClicked, this, [this](int set) { system_.setFunktionBilderAuswahl(set); });

    layout->addStretch(1);
    return page;
}

QWidget* TSystemForm::stepper(const QString& name, const QString& caption, std::function<QString()> text,
                              std::function<void()> up, std::function<void()> down, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = plainLabel(caption, row);
    label->setMinimumWidth(260);
    auto* field = new QLineEdit(row);
    field->setObjectName(name + QStringLiteral("Edit"));
    field->setReadOnly(true);
    field->setFixedWidth(70);
    field->setAlignment(Qt::AlignRight);
    auto* upKey = button(name + QStringLiteral("Up"), QStringLiteral("+"), row);
    auto* downKey = button(name + QStringLiteral("Down"), QStringLiteral("-"), row);
    upKey->setFixedWidth(30);
    downKey->setFixedWidth(30);
    layout->addWidget(label);
    layout->addWidget(field);
    layout->addWidget(upKey);
    layout->addWidget(downKey);
    layout->addStretch(1);
    connect(upKey, &QPushButton::clicked, this, std::move(up));
    connect(downKey, &QPushButton::clicked, this, std::move(down));
    refreshers_.push_back([field, text = std::move(text)] { field->setText(text()); });
    return row;
}

QWidget* TSystemForm::buildOptionen()
{
    ProjectSettings& s = programm_.settings;
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Optionen"));
    auto* layout = new QVBoxLayout(page);

    layout->addWidget(stepper(QStringLiteral("FunktionenOnOffDelay"), QStringLiteral("Funktionen Ein/Aus Wartezeit (ms)"),
                              [&s] { return ZeroPad5(s.FunktionenOnOffDelay); },
                              [this] { system_.FunktionenOnOffDelayUp(); }, [this] { system_.FunktionenOnOffDelayDown(); },
                              page));
    layout->addWidget(stepper(QStringLiteral("Automaticdelay"), QStringLiteral("Automatik Takt (ms)"),
                              [&s] { return ZeroPad5(s.Automaticdelay); }, [this] { system_.AutomaticdelayUp(); },
                              [this] { system_.AutomaticdelayDown(); }, page));
    layout->addWidget(stepper(QStringLiteral("WartezeitzwischenMagnetArt"),
                              QStringLiteral("Wartezeit zwischen Magnetartikeln (ms)"),
                              [&s] { return ZeroPad3(s.WartezeitzwischenMagnetArt); },
                              [this] { system_.WartezeitzwischenMagnetArtUp(); },
                              [this] { system_.WartezeitzwischenMagnetArtDown(); }, page));
    layout->addWidget(stepper(QStringLiteral("InfoAnzeigenDauer"), QStringLiteral("Info Anzeigen Dauer (ms)"),
                              [&s] { return ZeroPad4(s.InfoAnzeigenDauer); }, [this] { system_.InfoAnzeigenDauerUp(); },
                              [this] { system_.InfoAnzeigenDauerDown(); }, page));

    auto* accessories = new QHBoxLayout;
    layout->addLayout(accessories);
    auto* accessoryLabel = plainLabel(QStringLiteral("Anzahl  Weichen und Signale"), page);
    accessoryLabel->setMinimumWidth(260);
    accessoryCount_ = new QLineEdit(page);
    accessoryCount_->setObjectName(QStringLiteral("MagnetArtikelAnzahlEdit"));
    accessoryCount_->setFixedWidth(70);
    accessoryCount_->setAlignment(Qt::AlignRight);
    accessoryCount_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), accessoryCount_));
    accessories->addWidget(accessoryLabel);
    accessories->addWidget(accessoryCount_);
    accessories->addWidget(plainLabel(QStringLiteral("Max Magnetartikel : 250"), page, QStringLiteral("MaxMagnetartikelLabel")));
    accessories->addStretch(1);
    connect(accessoryCount_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString shown = system_.setMagnetArtikelAnzahlText(text);
        if (shown != accessoryCount_->text()) {
            accessoryCount_->setText(shown);
        }
    });

    layout->addWidget(optionBox(QStringLiteral("SignalSchaltenCheck"),
                                QStringLiteral("Signale nur schalten wenn Fahrstrasse damit gesetzt wird"), s.SignalSchalten, page));
    layout->addWidget(optionBox(QStringLiteral("AlleLokfunktionenausschaltenCheck"),
                                QStringLiteral("Alle Lok funktionen ausschalten in Schattenbahnhof"),
                                s.AlleLokfunktionenausschalten, page));
    layout->addWidget(optionBox(QStringLiteral("PowerOnByStartCheck"), QStringLiteral("Zentrale Einschalten bei Start"),
                                s.PowerOnByStart, page));
    layout->addWidget(optionBox(QStringLiteral("CS1_Fahren_mit_FahrstufenCheck"), QStringLiteral("CS1_Fahren_mit_Fahrstufen"),
                                s.CS1_Fahren_mit_Fahrstufen, page));
    auto* continuing = new QGroupBox(QStringLiteral("Weitergehende Fahrstrassen"), page);
    auto* continuingLayout = new QHBoxLayout(continuing);
    continuingLayout->addWidget(optionBox(QStringLiteral("ContinuingRoutesACheck"), QStringLiteral("A"), s.ContinuingRoutesA, continuing));
    continuingLayout->addWidget(optionBox(QStringLiteral("ContinuingRoutesBCheck"), QStringLiteral("B"), s.ContinuingRoutesB, continuing));
    continuingLayout->addStretch(1);
    layout->addWidget(continuing);
    layout->addStretch(1);
    return page;
}

QWidget* TSystemForm::buildSound()
{
    SoundOutput& sound = system_.sound();
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Sound"));
    auto* layout = new QVBoxLayout(page);

    auto* boxes = new QHBoxLayout;
    layout->addLayout(boxes);
    soundBoxes_ = new QListWidget(page);
    soundBoxes_->setObjectName(QStringLiteral("SoundBoxListe"));
    soundBoxes_->setFixedWidth(220);
    boxes->addWidget(soundBoxes_);
    connect(soundBoxes_, &QListWidget::currentRowChanged, this, [&sound](int row) { sound.ChooseBox(row); });
    connect(soundBoxes_, &QListWidget::itemChanged, this, [this, &sound](QListWidgetItem* item) {
        sound.SetBoxTicked(soundBoxes_->row(item), item->checkState() == Qt::Checked);
    });

    auto* box = new QGridLayout;
    boxes->addLayout(box, 1);
    soundName_ = new QLineEdit(page);
    soundName_->setObjectName(QStringLiteral("SoundNameEdit"));
    renameBox_ = button(QStringLiteral("NameAendernBtn"), QStringLiteral("Name ändern"), page);
    box->addWidget(plainLabel(QStringLiteral("Name"), page), 0, 0);
    box->addWidget(soundName_, 0, 1);
    box->addWidget(renameBox_, 0, 2);
    connect(renameBox_, &QPushButton::clicked, this, [this, &sound] { sound.RenameBox(soundName_->text()); });

    volume_ = new QSlider(Qt::Horizontal, page);
    volume_->setObjectName(QStringLiteral("VolumeSlider"));
    balance_ = new QSlider(Qt::Horizontal, page);
    balance_->setObjectName(QStringLiteral("BalanceSlider"));
    box->addWidget(plainLabel(QStringLiteral("Lautstärke"), page), 1, 0);
    box->addWidget(volume_, 1, 1, 1, 2);
    box->addWidget(plainLabel(QStringLiteral("Balance"), page), 2, 0);
    box->addWidget(balance_, 2, 1, 1, 2);
    connect(volume_, &QSlider::valueChanged, this, [&sound](int value) { sound.SetVolume(value); });
    connect(balance_, &QSlider::valueChanged, this, [&sound](int value) { sound.SetBalance(value); });

    auto* keys = new QHBoxLayout;
    activateBox_ = button(QStringLiteral("AktivierenBtn"), QString(), page);
    testSound_ = button(QStringLiteral("SoundTestBtn"), QStringLiteral("Test Sound"), page);
    keys->addWidget(activateBox_);
    keys->addWidget(testSound_);
    keys->addStretch(1);
    box->addLayout(keys, 3, 0, 1, 3);
    box->setRowStretch(4, 1);
    connect(activateBox_, &QPushButton::clicked, this, [&sound] { sound.ToggleActive(); });
    connect(testSound_, &QPushButton::clicked, this, [&sound] { sound.PlayTestSound(); });

    soundDiagnosis_ = plainLabel(QString(), page, QStringLiteral("SoundDiagnoseLabel"));
    box->addWidget(soundDiagnosis_, 5, 0, 1, 3);

    fallbackCheck_ = new QCheckBox(
        QStringLiteral("Wenn Sound mit BASS nicht funktioniert - Sound über MMSystem einschalten"), page);
    fallbackCheck_->setObjectName(QStringLiteral("MMSystemCheck"));
    layout->addWidget(fallbackCheck_);
    connect(fallbackCheck_, &QCheckBox::clicked, this, [&sound](bool checked) { sound.SetFallback(checked); });

    logMemo_ = new QPlainTextEdit(page);
    logMemo_->setObjectName(QStringLiteral("SystemLogMemo"));
    logMemo_->setReadOnly(true);
    logMemo_->setMaximumBlockCount(1000);
    logMemo_->setPlainText(system_.LogZeilen().join(u'\n'));
    layout->addWidget(logMemo_, 1);
    connect(&system_, &TSystem::logged, logMemo_, &QPlainTextEdit::appendPlainText);
    return page;
}

void TSystemForm::refreshSound()
{
    const SoundOutput& sound = system_.sound();
    const QSignalBlocker blockList(soundBoxes_);
    if (soundBoxes_->count() != static_cast<int>(sound.BoxListe.size())) {
        soundBoxes_->clear();
        for (std::size_t i = 0; i < sound.BoxListe.size(); ++i) {
            auto* item = new QListWidgetItem(soundBoxes_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    int chosenRow = -1;
    for (int row = 0; row < soundBoxes_->count(); ++row) {
        const int index = sound.BoxListe[static_cast<std::size_t>(row)];
        const SoundBox& box = sound.boxes()[index];
        QListWidgetItem* item = soundBoxes_->item(row);
        item->setText(box.Name);
        item->setCheckState(box.Active ? Qt::Checked : Qt::Unchecked);
        if (index == sound.SelectedBox) {
            chosenRow = row;
        }
    }
    soundBoxes_->setCurrentRow(chosenRow);

    const bool chosen = sound.SelectedBox >= 0;
    for (QWidget* control : {static_cast<QWidget*>(volume_), static_cast<QWidget*>(balance_),
                             static_cast<QWidget*>(testSound_), static_cast<QWidget*>(activateBox_),
                             static_cast<QWidget*>(renameBox_)}) {
        control->setEnabled(chosen);
    }
    if (chosen && !soundName_->hasFocus()) {
        soundName_->setText(sound.boxes()[sound.SelectedBox].Name);
    }
    for (auto [slider, range, position] : {std::tuple{volume_, sound.volumeRange(), sound.volumePosition()},
                                           std::tuple{balance_, sound.balanceRange(), sound.balancePosition()}}) {
        const QSignalBlocker blockSlider(slider);
        slider->setRange(range.min, range.max);
        slider->setValue(position);
    }
    activateBox_->setText(sound.activateText);
    activateBox_->setToolTip(sound.activateHint);
    testSound_->setToolTip(sound.testHint);
    const QSignalBlocker blockCheck(fallbackCheck_);
    fallbackCheck_->setChecked(sound.fallbackChecked());

    QStringList indices;
    for (const int index : sound.BoxListe) {
        indices << QString::number(index);
    }
    soundDiagnosis_->setVisible(system_.debugAnzeige);
    soundDiagnosis_->setText(QStringLiteral("Box %1   Index %2   Volume %3..%4   Balance %5..%6")
                                 .arg(sound.SelectedBox)
                                 .arg(indices.join(u','))
                                 .arg(sound.volumeRange().min)
                                 .arg(sound.volumeRange().max)
                                 .arg(sound.balanceRange().min)
                                 .arg(sound.balanceRange().max));
}

QWidget* TSystemForm::buildVerzeichnisse()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Verzeichnisse"));
    auto* layout = new QVBoxLayout(page);

    auto* folders = new QFormLayout;
    layout->addLayout(folders);
    locoFolder_ = new QLineEdit(page);
    locoFolder_->setObjectName(QStringLiteral("LokBilderVerzeichnisEdit"));
    wagonFolder_ = new QLineEdit(page);
    wagonFolder_->setObjectName(QStringLiteral("WagenBilderVerzeichnisEdit"));
    folders->addRow(QStringLiteral("Verzeichnis LokBilder"), locoFolder_);
    folders->addRow(QStringLiteral("Verzeichnis WagenBilder"), wagonFolder_);
    connect(locoFolder_, &QLineEdit::editingFinished, this, [this] {
        if (locoFolder_->isModified()) {
            locoFolder_->setModified(false);
            system_.setLocoPictureFolder(locoFolder_->text());
        }
    });
    connect(wagonFolder_, &QLineEdit::editingFinished, this, [this] {
        if (wagonFolder_->isModified()) {
            wagonFolder_->setModified(false);
            system_.setWagonPictureFolder(wagonFolder_->text());
        }
    });

    auto* reset = button(QStringLiteral("StandardVerzeichnisBtn"), QStringLiteral(" Auf Standard zurücksetzen"), page);
    auto* resetRow = new QHBoxLayout;
    resetRow->addWidget(reset);
    resetRow->addStretch(1);
    layout->addLayout(resetRow);
    connect(reset, &QPushButton::clicked, this, [this] { system_.ResetFolders(); });

    auto* alternative = new QGroupBox(page);
    auto* alternativeLayout = new QVBoxLayout(alternative);
    alternativeCheck_ = new QCheckBox(QStringLiteral("Alternative Lokdatenbank"), alternative);
    alternativeCheck_->setObjectName(QStringLiteral("AlternativeLokdatenbankCheck"));
    alternativeLayout->addWidget(alternativeCheck_);
    auto* fileRow = new QHBoxLayout;
    alternativeLayout->addLayout(fileRow);
    alternativeFile_ = new QLineEdit(alternative);
    alternativeFile_->setObjectName(QStringLiteral("AlternativeLokdatenbankEdit"));
    alternativeButton_ = button(QStringLiteral("AlternativeLokdatenbankBtn"), QStringLiteral("Datei wählen ..."), alternative);
    fileRow->addWidget(alternativeFile_, 1);
    fileRow->addWidget(alternativeButton_);
    layout->addWidget(alternative);
    connect(alternativeCheck_, &QCheckBox::clicked, this,
            [this](bool checked) { system_.setAlternativeDatabaseEnabled(checked, alternativeFile_->text()); });
    connect(alternativeFile_, &QLineEdit::editingFinished, this, [this] {
        if (alternativeFile_->isModified()) {
            alternativeFile_->setModified(false);
            system_.setAlternativeDatabaseEnabled(true, alternativeFile_->text());
        }
    });
    connect(alternativeButton_, &QPushButton::clicked, this, [this] { system_.ChooseAlternativeDatabase(); });

    layout->addStretch(1);
    return page;
}

// ---- state --------------------------------------------------------------------------------------

void TSystemForm::refresh()
{
    const ProjectSettings& s = programm_.settings;

    stationPicture_->setText(system_.zentraleText);
    stationLabel_->setText(system_.zentraleText);
    stationChoice_->setCurrentIndex(system_.pendingTyp);
    takeStation_->setVisible(system_.neuUebernehmenVisible);
    save_->setEnabled(system_.speichernEnabled);
    cancel_->setEnabled(system_.abbrechenEnabled);

    serialGroup_->setVisible(system_.serialFieldsVisible());
    networkGroup_->setVisible(system_.networkFieldsVisible());
    QStringList ports;
    for (int i = 0; i < system_.comPorts.size(); ++i) {
        const QString& name = system_.comPorts[i];
        const QString device = i < system_.comPortDevices.size() ? system_.comPortDevices[i] : QString();
        ports << (device.isEmpty() ? name : name + QStringLiteral("  (") + device + u')');
    }
    QStringList shownPorts;
    for (int i = 0; i < comPort_->count(); ++i) {
        shownPorts << comPort_->itemText(i);
    }
    if (ports != shownPorts) {
        comPort_->clear();
        for (int i = 0; i < ports.size(); ++i) {
            comPort_->addItem(ports[i], system_.comPorts[i]);
        }
    }
    comPort_->setCurrentIndex(comPort_->findData(QStringLiteral("COM%1").arg(s.ComPort)));
    baudRate_->setCurrentIndex(baudRate_->findData(s.BaudRate));
    if (!ipAddress_->hasFocus()) {
        ipAddress_->setText(s.IpAddress);
    }
    if (!ipPort_->hasFocus()) {
        ipPort_->setText(QString::number(s.IpPort));
    }
    lastConnected_->setText(system_.letztesMalVerbunden);

    picturesRadio_->setChecked(s.LocoDisplayMode == QStringLiteral("LokbilderAnzeigen"));
    namesRadio_->setChecked(s.LocoDisplayMode == QStringLiteral("LoknameAnzeigen"));
    if (QAbstractButton* key = iconSets_->button(s.FunktionBilderAuswahl)) {
        key->setChecked(true);
    }

    if (!accessoryCount_->hasFocus()) {
        accessoryCount_->setText(QString::number(s.MagnetArtikelAnzahl));
    }

    if (!locoFolder_->hasFocus()) {
        locoFolder_->setText(s.LocoPictureFolder);
    }
    if (!wagonFolder_->hasFocus()) {
        wagonFolder_->setText(s.WagonPictureFolder);
    }
    showFolderState(locoFolder_);
    showFolderState(wagonFolder_);
    alternativeCheck_->setChecked(system_.alternativeDatabaseVisible);
    alternativeFile_->setVisible(system_.alternativeDatabaseVisible);
    alternativeButton_->setVisible(system_.alternativeDatabaseVisible);
    if (!alternativeFile_->hasFocus()) {
        alternativeFile_->setText(s.AlternativeVehicleDatabase);
    }

    refreshSound();
    for (const auto& refresher : refreshers_) {
        refresher();
    }
}

void TSystemForm::showEvent(QShowEvent* event)
{
    system_.WindowShown();
    QWidget::showEvent(event);
}

void TSystemForm::closeEvent(QCloseEvent* event)
{
    system_.CloseWindow();
    QWidget::closeEvent(event);
}
