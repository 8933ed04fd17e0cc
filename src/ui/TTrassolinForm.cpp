#include "ui/TTrassolinForm.h"

#include "core/ColorText.h"
#include "core/Programm.h"
#include "core/TInfo.h"
#include "diagram/GleisBild.h"
#include "diagram/Kacheln.h"
#include "diagram/TTrassolin.h"
#include "operation/BetriebsDaten.h"
#include "settings/TSystem.h"
#include "ui/GleisbildPanels.h"
#include "ui/LokLeisteWidget.h"
#include "ui/LoksHierhinPanel.h"
#include "ui/MenueFuellen.h"
#include "ui/TGleisbildWidget.h"
#include "ui/TZugPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
// Colours of the power keys: "Go" green while power is on, "Stop" red while it is off.
const QColor kGo = ToQColor(0x00008000);
const QColor kStop = ToQColor(0x000000FF);

void setKeyColour(QPushButton* key, const QColor& colour)
{
    QPalette palette = key->palette();
    palette.setColor(QPalette::Button, colour.isValid() ? colour : QApplication::palette(key).color(QPalette::Button));
    palette.setColor(QPalette::ButtonText, colour.isValid() ? QColor(Qt::white)
                                                            : QApplication::palette(key).color(QPalette::ButtonText));
    key->setPalette(palette);
}

QWidget* barPanel(QWidget* parent, const QString& name)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);
    return panel;
}

QFrame* box(QWidget* parent, const QString& name, const QString& title)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(frame);
    auto* caption = new QLabel(title, frame);
    QFont f = caption->font();
    f.setBold(true);
    caption->setFont(f);
    layout->addWidget(caption);
    frame->hide();
    return frame;
}
} // namespace

TTrassolinForm::TTrassolinForm(Programm& programm, TTrassolin& logic, TInfo& info, QWidget* parent)
    : QMainWindow(parent), programm_(programm), logic_(logic), info_(info)
{
    setObjectName(QStringLiteral("TrassolinForm"));
    auto* debugKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    connect(debugKey, &QShortcut::activated, this, [this] { logic_.DebugTaste(); });
    resize(1280, 860);
    // The key count of the locomotive bar is fixed once, from the width the window will have.
    const int breite = programm_.system != nullptr && programm_.system->mainWindowWidth > 0 ? programm_.system->mainWindowWidth : width();
    logic_.setLokTastenAnzahl((breite - 40 - 30) / 122);
    buildMenus();
    buildKeys();
    buildStatusBar();
    connect(&logic_, &TTrassolin::changed, this, &TTrassolinForm::refresh);
    connect(&logic_, &TTrassolin::zugListeGeaendert, this, &TTrassolinForm::zugPanelsAnlegen);
    connect(&logic_, &TTrassolin::menueOeffnen, this, &TTrassolinForm::showMenue);
    connect(&logic_, &TTrassolin::datenbankOeffnen, this, &TTrassolinForm::vehicleDatabaseRequested);
    connect(&logic_, &TTrassolin::hilfeAngefordert, this, &TTrassolinForm::helpRequested);
    if (programm_.system) {
        connect(programm_.system, &TSystem::panelColorChanged, this, &TTrassolinForm::applyPanelColor);
        // Panel colours and the function icon set.
        connect(programm_.system, &TSystem::changed, this, [this] {
            for (TZugPanel* panel : zugPanels_) {
                panel->Neuzeichnen();
            }
        });
    }
    applyPanelColor();
    refresh();
}

// The button panels take the project's panel colour, the automatic colour while automatic
// operation runs.
void TTrassolinForm::applyPanelColor()
{
    const QString text = logic_.AutomaticAn ? programm_.settings.PanelColorAutomatic : programm_.settings.PanelColor;
    QPalette palette = buttonPanel_->palette();
    palette.setColor(QPalette::Window, ToQColor(StringToColor(text).value_or(clBtnFace)));
    buttonPanel_->setPalette(palette);
}

QAction* TTrassolinForm::entry(QMenu* menu, const QString& name, const QString& caption, std::function<void()> klick)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (klick) {
        connect(a, &QAction::triggered, this, std::move(klick));
    }
    entries_[name] = a;
    return a;
}

QAction* TTrassolinForm::fensterEntry(QMenu* menu, const QString& fenster, const QString& caption)
{
    QAction* a = entry(menu, fenster + QStringLiteral("Action"), caption, [this, fenster] { oeffnen(fenster); });
    fensterControls_.emplace_back(a, fenster);
    return a;
}

void TTrassolinForm::buildMenus()
{
    const struct {
        const char* name;
        const char* title;
    } menus[7] = {{"BearbeitenMenu", "&Bearbeiten"},   {"AnzeigeMenu", "Anzeige"},         {"AutomaticMenu", "Automatic"},
                  {"AblaufsteuerungMenu", "Ablaufsteuerung"}, {"DrehscheibeMenu", "Drehscheibe"}, {"ZentraleMenu", "Zentrale"},
                  {"CarsystemMenu", "&Carsystem"}};
    for (int i = 0; i < 7; ++i) {
        menus_[i] = menuBar()->addMenu(QString::fromUtf8(menus[i].title));
        menus_[i]->setObjectName(QString::fromUtf8(menus[i].name));
    }
    drehscheibe_ = menus_[4];

    QMenu* bearbeiten = menus_[0];
    entry(bearbeiten, QStringLiteral("LokdatenbankAction"), QStringLiteral("Lokdatenbank"), [this] { logic_.DatenbankKlick(); });
    fensterEntry(bearbeiten, QStringLiteral("Gleisplan"), QStringLiteral("&Gleisplan Bearbeiten"));
    fensterEntry(bearbeiten, QStringLiteral("Haltestellen"), QStringLiteral("Haltestellen und Fahrstrassen Editor"));
    entry(bearbeiten, QStringLiteral("SystemEinstellungenAction"), QStringLiteral("System Einstellungen"),
          [this] { Q_EMIT settingsRequested(); });
    entry(bearbeiten, QStringLiteral("SpeichernAction"), QStringLiteral("Alle Einstellungen speichern"), [this] { info_.SaveAll(); });
    entry(bearbeiten, QStringLiteral("SicherungAction"), QStringLiteral("Sicherung von &Aktueles Projekt erstellen"),
          [this] { Q_EMIT backupRequested(); });
    bearbeiten->addSeparator();
    entry(bearbeiten, QStringLiteral("BeendenAction"), QStringLiteral("&Beenden"), [this] { info_.EndProgram(false); });

    QMenu* anzeige = menus_[1];
    entry(anzeige, QStringLiteral("LokleisteAction"), QStringLiteral("&Lokleiste "), [this] { logic_.LokLeisteUmschalten(); });
    entry(anzeige, QStringLiteral("GleisKontaktAnzeigenAction"), QStringLiteral("&GleisKontaktAnzeigen"),
          [this] { logic_.GleisKontaktNrAnzeigenKlick(); });
    entry(anzeige, QStringLiteral("MagnetArtikelNrAnzeigenAction"), QStringLiteral("&MagnetArtikelNrAnzeigen"),
          [this] { logic_.MagnetArtNrAnzeigenKlick(); });
    entry(anzeige, QStringLiteral("IconAction"), QStringLiteral("Icon für Funktionstasten auswählen"), [this] { logic_.IconBoxZeigen(); });
    fensterEntry(anzeige, QStringLiteral("Zugverfolgung"), QStringLiteral("Zugverfolgung"));
    fensterEntry(anzeige, QStringLiteral("Ruckmeldekontakte"), QStringLiteral("Ruckmeldekontakte anzeigen"));
    entry(anzeige, QStringLiteral("LogbuchAction"), QStringLiteral("Logbuch"), [this] { Q_EMIT logbookRequested(); });
    fensterEntry(anzeige, QStringLiteral("CheckFahrstrasse"), QStringLiteral("&CheckFahrstrasse"));
    entry(anzeige, QStringLiteral("InfoAction"), QStringLiteral("Info"), [this] { info_.ShowInfoWindow(); });
    // The editor's entries; they belong to the track-plan editor.
    anzeige->addSeparator();
    for (const QString& caption : {QStringLiteral("Gleisbild &Elemente anzeigen"), QStringLiteral("Gleiskontaktnummer &ändern"),
                                   QStringLiteral("&MagnertArtikelnummer ändern")}) {
        QAction* a = anzeige->addAction(caption);
        a->setObjectName(QStringLiteral("EditorAction"));
        connect(a, &QAction::triggered, this, [this] { oeffnen(QStringLiteral("Gleisplan")); });
        fensterControls_.emplace_back(a, QStringLiteral("Gleisplan"));
    }

    entry(menus_[2], QStringLiteral("AutomaticAction"), QStringLiteral("Einschalten"), [this] { logic_.AutomaticSchalten(); });
    entry(menus_[2], QStringLiteral("FahrstrassenLoeschenAction"), QStringLiteral("Alle fahrstrassen Lösschen"),
          [this] { logic_.AlleFahrstrassenLoeschen(); });
    fensterEntry(menus_[3], QStringLiteral("Ablaufsteuerung"), QStringLiteral("Ablaufsteuerung programieren"));
    fensterEntry(drehscheibe_, QStringLiteral("Drehscheibe"), QStringLiteral("Im neuen Fenster Öffnen"));
    entry(menus_[5], QStringLiteral("VerbindenAction"), QString(), [this] { logic_.VerbindenKlick(); });
    entry(menus_[5], QStringLiteral("VerbindungEinstellungenAction"), QStringLiteral("Verbindung einstellungen"),
          [this] { logic_.InterfaceKlick(); });
    fensterEntry(menus_[6], QStringLiteral("CarSystem"), QStringLiteral("Car System offnen"));
}

QPushButton* TTrassolinForm::key(QWidget* parent, const QString& name, const QString& caption, const QString& hint,
                                 std::function<void()> klick)
{
    auto* k = new QPushButton(caption, parent);
    k->setObjectName(name);
    k->setToolTip(hint);
    k->setMinimumHeight(30);
    // As wide as the caption: the bars must fit the window's width.
    if (!caption.isEmpty()) {
        k->setFixedWidth(k->fontMetrics().horizontalAdvance(caption) + 14);
    }
    if (klick) {
        connect(k, &QPushButton::clicked, this, std::move(klick));
    }
    parent->layout()->addWidget(k);
    keys_[name] = k;
    return k;
}

QPushButton* TTrassolinForm::fensterKey(QWidget* parent, const QString& fenster, const QString& caption, const QString& hint)
{
    QPushButton* k = key(parent, fenster + QStringLiteral("Btn"), caption, hint, [this, fenster] { oeffnen(fenster); });
    fensterControls_.emplace_back(k, fenster);
    return k;
}

void TTrassolinForm::setFensterOeffner(const QString& name, std::function<void()> oeffnen)
{
    oeffner_[name] = std::move(oeffnen);
    refresh();
}

void TTrassolinForm::oeffnen(const QString& fenster)
{
    const auto it = oeffner_.find(fenster);
    if (it != oeffner_.end() && it->second) {
        it->second();
    }
}

void TTrassolinForm::buildKeys()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Hauptfenster"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The bars along the top edge: editor and normal bar, display panel, automatic panel, and
    // the info panel at the right edge.
    buttonPanel_ = new QWidget(central);
    buttonPanel_->setObjectName(QStringLiteral("ButtonPanel"));
    buttonPanel_->setAutoFillBackground(true);
    QFont barFont = buttonPanel_->font();
    barFont.setPointSizeF(barFont.pointSizeF() * 0.85);
    buttonPanel_->setFont(barFont);
    layout->addWidget(buttonPanel_);
    auto* bar = new QHBoxLayout(buttonPanel_);
    bar->setContentsMargins(4, 3, 20, 3);
    bar->setSpacing(5);
    editorBar_ = barPanel(buttonPanel_, QStringLiteral("EditorBar"));
    editorBar_->layout()->addWidget(new QLabel(QStringLiteral("Gleisplan Editor"), editorBar_));
    bar->addWidget(editorBar_);
    normalBar_ = barPanel(buttonPanel_, QStringLiteral("NormalBar"));
    bar->addWidget(normalBar_);

    powerGroup_ = barPanel(normalBar_, QStringLiteral("PowerGroup"));
    normalBar_->layout()->addWidget(powerGroup_);
    QPushButton* go = key(powerGroup_, QStringLiteral("GoBtn"), QStringLiteral("Go"), QStringLiteral("Go"), [this] { logic_.GoKlick(); });
    QPushButton* stop = key(powerGroup_, QStringLiteral("StopBtn"), QStringLiteral("Stop"), QStringLiteral("Stop"), [this] { logic_.StopKlick(); });
    go->setFixedSize(60, 30);
    stop->setFixedSize(60, 30);
    key(normalBar_, QStringLiteral("InterfaceBtn"), QStringLiteral("Interface"), QStringLiteral("Interface"), [this] { logic_.InterfaceKlick(); });
    key(normalBar_, QStringLiteral("LokLeisteBtn"), QStringLiteral("Lokleiste"), QString(), [this] { logic_.LokLeisteUmschalten(); });
    key(normalBar_, QStringLiteral("LokdatenbankBtn"), QStringLiteral("Lokdatenbank"), QStringLiteral("Lokdatenbank"),
        [this] { logic_.DatenbankKlick(); });
    fensterKey(normalBar_, QStringLiteral("Gleisplan"), QStringLiteral("Editor"), QStringLiteral("Gleisplan Editor"));
    fensterKey(normalBar_, QStringLiteral("Haltestellen"), QStringLiteral("Haltestellen"), QStringLiteral("Haltestellen und Fahrstrassen Editor"));
    key(normalBar_, QStringLiteral("SystemsteuerungBtn"), QStringLiteral("System"), QStringLiteral("Systemsteuerung"),
        [this] { Q_EMIT settingsRequested(); });
    fensterKey(normalBar_, QStringLiteral("Ablaufsteuerung"), QStringLiteral("Abläufe"), QStringLiteral("Ablaufsteuerung programieren"));
    fensterKey(normalBar_, QStringLiteral("CarSystem"), QStringLiteral("Car System"), QStringLiteral("Car System offnen"));
    fensterKey(normalBar_, QStringLiteral("Ruckmeldekontakte"), QStringLiteral("Kontakte"), QStringLiteral("Ruckmeldekontakte anzeigen"));
    fensterKey(normalBar_, QStringLiteral("Zugverfolgung"), QStringLiteral("Verfolgung"), QStringLiteral("Zugverfolgung Einschalten"));
    fensterKey(normalBar_, QStringLiteral("Wartung"), QStringLiteral("Wartung"), QStringLiteral("Fahrzeug Wartung"));
    key(normalBar_, QStringLiteral("LogbuchBtn"), QStringLiteral("Logbuch"), QStringLiteral("Logbuch"), [this] { Q_EMIT logbookRequested(); });
    fensterKey(normalBar_, QStringLiteral("Diagnose"), QStringLiteral("Diagnose"), QStringLiteral("Diagnose"));
    fensterKey(normalBar_, QStringLiteral("Debug"), QStringLiteral("Debug"), QStringLiteral("Debug"));
    key(normalBar_, QStringLiteral("SpeichernBtn"), QStringLiteral("Speichern"), QStringLiteral("Alle Einstellungen speichern"),
        [this] { info_.SaveAll(); });
    key(normalBar_, QStringLiteral("FahrstrassenLoeschenBtn"), QStringLiteral("Fahrstr. löschen"), QStringLiteral("Alle fahrstrassen Lösschen"),
        [this] { logic_.AlleFahrstrassenLoeschen(); });

    anzeigePanel_ = barPanel(buttonPanel_, QStringLiteral("AnzeigePanel"));
    bar->addWidget(anzeigePanel_);
    key(anzeigePanel_, QStringLiteral("GleisKontaktNrBtn"), QStringLiteral("Kontakt-Nr"), QString(), [this] { logic_.GleisKontaktNrAnzeigenKlick(); })
        ->setIcon(QIcon(QPixmap::fromImage(TastenBild(0))));
    key(anzeigePanel_, QStringLiteral("MagnetArtNrBtn"), QStringLiteral("Artikel-Nr"), QString(), [this] { logic_.MagnetArtNrAnzeigenKlick(); })
        ->setIcon(QIcon(QPixmap::fromImage(TastenBild(2))));
    key(anzeigePanel_, QStringLiteral("IconBtn"), QStringLiteral("Icons"), QStringLiteral("Icon für Funktionstasten auswählen"),
        [this] { logic_.IconBoxZeigen(); });

    automaticPanel_ = barPanel(buttonPanel_, QStringLiteral("AutomaticPanel"));
    bar->addWidget(automaticPanel_);
    QPushButton* automatik = key(automaticPanel_, QStringLiteral("AutomatikBtn"), QString(), QString(), [this] { logic_.AutomaticSchalten(); });
    automatik->setFixedWidth(automatik->fontMetrics().horizontalAdvance(QStringLiteral("Automatik Ausschalten")) + 40);
    key(automaticPanel_, QStringLiteral("LimitRunterBtn"), QStringLiteral("-"), QStringLiteral("Weniger Züge aktiv"), [this] { logic_.LimitRunter(); })
        ->setFixedWidth(26);
    limitLabel_ = new QLabel(automaticPanel_);
    limitLabel_->setObjectName(QStringLiteral("LimitLabel"));
    limitLabel_->setMinimumWidth(22);
    limitLabel_->setAlignment(Qt::AlignCenter);
    automaticPanel_->layout()->addWidget(limitLabel_);
    key(automaticPanel_, QStringLiteral("LimitHochBtn"), QStringLiteral("+"), QStringLiteral("Mehr Züge aktiv"), [this] { logic_.LimitHoch(); })
        ->setFixedWidth(26);
    aktivLabel_ = new QLabel(automaticPanel_);
    aktivLabel_->setObjectName(QStringLiteral("AktivLabel"));
    automaticPanel_->layout()->addWidget(aktivLabel_);

    bar->addStretch(1);
    infoPanel_ = barPanel(buttonPanel_, QStringLiteral("InfoPanel"));
    bar->addWidget(infoPanel_);
    key(infoPanel_, QStringLiteral("InfoBildBtn"), QStringLiteral("Info"), QStringLiteral("Info"), [this] { info_.ShowInfoWindow(); });
    key(infoPanel_, QStringLiteral("BeendenBtn"), QStringLiteral("Beenden"), QStringLiteral("Trassolin Beenden"), [this] { info_.EndProgram(false); });

    buildDiagram(central);
    layout->addWidget(host_, 1);
    setCentralWidget(central);
}

void TTrassolinForm::buildDiagram(QWidget* central)
{
    host_ = new QWidget(central);
    host_->setObjectName(QStringLiteral("Gleisbild"));
    host_->setAutoFillBackground(true);
    host_->installEventFilter(this);
    auto* diagramLayout = new QVBoxLayout(host_);
    diagramLayout->setContentsMargins(0, 0, 0, 0);
    if (programm_.gleisbild != nullptr) {
        gleisbildScroll_ = new QScrollArea(host_);
        gleisbildScroll_->setObjectName(QStringLiteral("GleisbildScrollArea"));
        gleisbildScroll_->setFrameShape(QFrame::NoFrame);
        gleisbild_ = new TGleisbildWidget(*programm_.gleisbild);
        gleisbildScroll_->setWidget(gleisbild_);
        // Clicks operate the layout through the run-mode controller, which opens the panels.
        gleisbildPanels_ = new GleisbildPanels(logic_.betrieb(), gleisbild_);
        betriebsEingabe_ = std::make_unique<BetriebsEingabe>(logic_.betrieb(), *gleisbildPanels_);
        gleisbild_->setEingabe(betriebsEingabe_.get());
        gleisbildScroll_->setVisible(false);
        diagramLayout->addWidget(gleisbildScroll_);
    }
    startPicture_ = new QLabel(QStringLiteral("Trassolin"), host_);
    startPicture_->setObjectName(QStringLiteral("StartBild"));
    startPicture_->setAlignment(Qt::AlignCenter);
    QFont pictureFont = startPicture_->font();
    pictureFont.setPointSize(48);
    pictureFont.setBold(true);
    startPicture_->setFont(pictureFont);
    startPicture_->setForegroundRole(QPalette::Mid);
    diagramLayout->addWidget(startPicture_);
    zentraleLog_ = new QPlainTextEdit(host_);
    zentraleLog_->setObjectName(QStringLiteral("ZentraleLog"));
    zentraleLog_->setReadOnly(true);
    zentraleLog_->setGeometry(16, 16, 460, 220);
    zentraleLog_->hide();
    lokLeiste_ = new LokLeisteWidget(programm_, logic_, host_);
    loksHierhin_ = new LoksHierhinPanel(programm_, logic_.loksHierhin(), host_);
    loksHierhin_->move(200, 80);
    connect(loksHierhin_, &LoksHierhinPanel::geaendert, this, &TTrassolinForm::refresh);
    buildBoxes(host_);
}

// The box "Ablaufsteuerung" of the program buttons, the box "Icon für Funktionstasten" and the
// red warning panel of the accessory memory.
void TTrassolinForm::buildBoxes(QWidget* host)
{
    ablaufBox_ = box(host, QStringLiteral("Ablaufsteuerung"), QStringLiteral("Ablaufsteuerung"));
    ablaufListe_ = new QListWidget(ablaufBox_);
    ablaufListe_->setObjectName(QStringLiteral("AblaufsteuerungListe"));
    ablaufBox_->layout()->addWidget(ablaufListe_);
    auto* ablaufKeys = new QHBoxLayout();
    auto* ok = new QPushButton(QStringLiteral("&Ok"), ablaufBox_);
    ok->setObjectName(QStringLiteral("AblaufOkBtn"));
    connect(ok, &QPushButton::clicked, this, [this] {
        const QListWidgetItem* item = ablaufListe_->currentItem();
        logic_.AblaufBoxOk(item != nullptr ? item->text() : QString());
    });
    auto* loeschen = new QPushButton(QStringLiteral("Eintrag Lösschen"), ablaufBox_);
    loeschen->setObjectName(QStringLiteral("AblaufLoeschenBtn"));
    connect(loeschen, &QPushButton::clicked, this, [this] { logic_.AblaufBoxEintragLoeschen(); });
    ablaufKeys->addWidget(ok);
    ablaufKeys->addWidget(loeschen);
    static_cast<QVBoxLayout*>(ablaufBox_->layout())->addLayout(ablaufKeys);
    ablaufBox_->resize(260, 240);

    iconBox_ = box(host, QStringLiteral("IconBox"), QStringLiteral("Icon für Funktionstasten"));
    auto* iconKeys = new QHBoxLayout();
    for (int set = 0; set < 3; ++set) {
        auto* k = new QPushButton(QStringLiteral("Icons %1").arg(set + 1), iconBox_);
        k->setObjectName(QStringLiteral("IconSet%1Btn").arg(set));
        connect(k, &QPushButton::clicked, this, [this, set] { logic_.IconSetWaehlen(set); });
        iconKeys->addWidget(k);
    }
    static_cast<QVBoxLayout*>(iconBox_->layout())->addLayout(iconKeys);
    iconBox_->move(300, 60);
    iconBox_->adjustSize();

    fifoPanel_ = box(host, QStringLiteral("FifoPanel"),
        QStringLiteral("Fehler in IntellyboxSpeicher für Magnetartikel ist voll - Es kann sein das eine Weiche nicht gestellt würde."));
    fifoPanel_->setStyleSheet(QStringLiteral("QFrame#FifoPanel { background: red; } QLabel { color: white; }"));
    auto* fifoOk = new QPushButton(QStringLiteral("OK"), fifoPanel_);
    connect(fifoOk, &QPushButton::clicked, fifoPanel_, &QWidget::hide);
    fifoPanel_->layout()->addWidget(fifoOk);
    fifoPanel_->adjustSize();
}

bool TTrassolinForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == panels_[2]) {
            Q_EMIT logbookRequested();
            return true;
        }
        if (watched == panels_[3]) {
            oeffnen(QStringLiteral("Uhr"));
            return true;
        }
    }
    if (watched == host_ && event->type() == QEvent::Resize) {
        placeFloating();
    }
    return QMainWindow::eventFilter(watched, event);
}

// The floating panels follow the diagram area: the locomotive bar sits 5 pixels above its bottom
// edge, the warning panel 30 pixels above the bar.
void TTrassolinForm::placeFloating()
{
    lokLeiste_->platzieren(host_->height(), host_->width() - 40);
    fifoPanel_->move(lokLeiste_->x() + 10, lokLeiste_->y() - 30 - fifoPanel_->height());
}

QLabel* TTrassolinForm::statusPanel(int index) const
{
    return index >= 0 && index < 4 ? panels_[index] : nullptr;
}

void TTrassolinForm::buildStatusBar()
{
    // Panel 2 takes what the others leave: the window width - 630.
    const int widths[4] = {300, 250, 0, 50};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->installEventFilter(this);
        panels_[i]->setTextFormat(Qt::PlainText);
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        if (widths[i] > 0) {
            panels_[i]->setFixedWidth(widths[i]);
        }
        statusBar()->addWidget(panels_[i], i == 2 ? 1 : 0);
    }
}

void TTrassolinForm::refresh()
{
    setWindowTitle(logic_.Titel());
    for (int i = 0; i < 4; ++i) {
        panels_[i]->setText(logic_.statusPanel(i));
    }
    refreshMenus();
    refreshKeys();
    startPicture_->setVisible(logic_.StartbildSichtbar);
    const QString zentraleLog = logic_.ZentraleLog.join(u'\n');
    if (zentraleLog_->toPlainText() != zentraleLog) {
        zentraleLog_->setPlainText(zentraleLog);
        zentraleLog_->moveCursor(QTextCursor::End);
    }
    zentraleLog_->setVisible(logic_.ZentraleLogSichtbar);
    zentraleLog_->raise();
    if (gleisbildScroll_ != nullptr) {
        gleisbildScroll_->setVisible(logic_.HintergrundSichtbar);
    }
    zugPanelsAnlegen();
    lokLeiste_->aktualisieren();
    placeFloating();
    lokLeiste_->raise();
    refreshBoxes();
}

// Menus and entries as the control state sets them; entries of windows not there stay greyed.
void TTrassolinForm::refreshMenus()
{
    for (QMenu* menu : menus_) {
        const TTrassolin::Steuerung s = logic_.SteuerungVon(menu->title());
        menu->menuAction()->setEnabled(s.enabled);
        menu->menuAction()->setVisible(s.visible);
    }
    // "Drehscheibe" stays hidden until a turntable is placed on the plan.
    const bool drehscheibe = programm_.gleisbild != nullptr && programm_.gleisbild->Drehscheibe().Platziert;
    drehscheibe_->menuAction()->setVisible(drehscheibe && drehscheibe_->menuAction()->isVisible());
    // An entry as its control state sets it, further limited by `enabled` and `visible`.
    const auto steuern = [this](const char* name, const QString& element, bool enabled = true, bool visible = true) {
        const TTrassolin::Steuerung s = logic_.SteuerungVon(element);
        QAction* a = entries_[QString::fromLatin1(name)];
        a->setEnabled(s.enabled && enabled);
        a->setVisible(s.visible && visible);
    };
    steuern("LokdatenbankAction", QStringLiteral("Bearbeiten:Lokdatenbank"), !logic_.AutomaticAn, logic_.DatenbankKeySichtbar);
    // Switching automatic on keeps the editor shut, by key and by menu.
    steuern("GleisplanAction", QStringLiteral("Bearbeiten:Gleisplan"), !logic_.AutomaticAn);
    steuern("HaltestellenAction", QStringLiteral("Bearbeiten:Haltestellen"));
    steuern("SystemEinstellungenAction", QStringLiteral("Bearbeiten:System"));
    steuern("SpeichernAction", QStringLiteral("Bearbeiten:System"));
    steuern("SicherungAction", QStringLiteral("Bearbeiten:System"));
    steuern("BeendenAction", QStringLiteral("Bearbeiten:&Beenden"));
    for (QAction* a : menus_[1]->actions()) {
        if (a->objectName() == QStringLiteral("EditorAction")) {
            a->setVisible(logic_.SteuerungVon(QStringLiteral("Anzeige:Editor")).visible);
        }
    }
    entries_[QStringLiteral("CheckFahrstrasseAction")]->setVisible(logic_.DebugSichtbar);
    entries_[QStringLiteral("VerbindenAction")]->setText(logic_.verbindenMenuText());
    entries_[QStringLiteral("InfoAction")]->setEnabled(logic_.InfoPictureEnabled);
    entries_[QStringLiteral("AutomaticAction")]->setText(logic_.AutomaticMenueText());
    entries_[QStringLiteral("LokleisteAction")]->setText(logic_.LokLeisteText());
    for (const auto& [control, fenster] : fensterControls_) {
        if (auto* a = qobject_cast<QAction*>(control); a != nullptr && !oeffner_.count(fenster)) {
            a->setEnabled(false);
        }
    }
}

void TTrassolinForm::refreshKeys()
{
    const TTrassolin::Steuerung run = logic_.SteuerungVon(QStringLiteral("Keys"));
    for (const auto& [name, k] : keys_) {
        k->setEnabled(run.enabled);
    }
    for (const auto& [control, fenster] : fensterControls_) {
        if (auto* k = qobject_cast<QPushButton*>(control); k != nullptr && !oeffner_.count(fenster)) {
            k->setEnabled(false);
        }
    }
    normalBar_->setVisible(logic_.SteuerungVon(QStringLiteral("NormalBar")).visible);
    editorBar_->setVisible(logic_.SteuerungVon(QStringLiteral("EditorBar")).visible);
    powerGroup_->setVisible(logic_.SteuerungVon(QStringLiteral("PowerGroup")).visible);
    automaticPanel_->setEnabled(logic_.SteuerungVon(QStringLiteral("AutomaticPanel")).enabled);
    const bool limits = logic_.SteuerungVon(QStringLiteral("LimitKeys")).enabled;
    keys_[QStringLiteral("LimitHochBtn")]->setEnabled(limits);
    keys_[QStringLiteral("LimitRunterBtn")]->setEnabled(limits);
    keys_[QStringLiteral("BeendenBtn")]->setEnabled(logic_.ExitKeyEnabled && logic_.SteuerungVon(QStringLiteral("ExitKey")).enabled);
    keys_[QStringLiteral("InfoBildBtn")]->setEnabled(run.enabled && logic_.InfoPictureEnabled);

    QPushButton* datenbank = keys_[QStringLiteral("LokdatenbankBtn")];
    datenbank->setVisible(logic_.DatenbankKeySichtbar);
    datenbank->setEnabled(run.enabled && !logic_.AutomaticAn);
    if (logic_.AutomaticAn) {
        keys_[QStringLiteral("GleisplanBtn")]->setEnabled(false);
    }
    for (const char* name : {"DebugBtn", "DiagnoseBtn"}) {
        keys_[QString::fromLatin1(name)]->setVisible(logic_.DebugSichtbar);
    }
    keys_[QStringLiteral("CarSystemBtn")]->setVisible(false);
    keys_[QStringLiteral("LokLeisteBtn")]->setToolTip(logic_.LokLeisteText());
    keys_[QStringLiteral("GleisKontaktNrBtn")]->setToolTip(logic_.GleisKontaktHint());
    keys_[QStringLiteral("MagnetArtNrBtn")]->setToolTip(logic_.MagnetArtHint());
    if (programm_.gleisbild != nullptr) {
        keys_[QStringLiteral("MagnetArtNrBtn")]->setEnabled(run.enabled && !programm_.gleisbild->GleisKontaktNrAnzeigen);
        keys_[QStringLiteral("GleisKontaktNrBtn")]->setEnabled(run.enabled && !programm_.gleisbild->MagnetArtNrAnzeigen);
    }
    QPushButton* automatik = keys_[QStringLiteral("AutomatikBtn")];
    automatik->setText(logic_.AutomaticText());
    automatik->setToolTip(logic_.AutomaticText());
    automatik->setIcon(QIcon(QPixmap::fromImage(SchalterBild(logic_.AutomaticBild()))));
    limitLabel_->setText(logic_.LimitText());
    aktivLabel_->setText(logic_.AktivText());
    setKeyColour(keys_[QStringLiteral("GoBtn")], logic_.PowerAn ? kGo : QColor());
    setKeyColour(keys_[QStringLiteral("StopBtn")], logic_.PowerAn ? QColor() : kStop);
}

void TTrassolinForm::refreshBoxes()
{
    // The train chooser is built when it opens; clicks inside it rebuild it themselves.
    const bool offen = logic_.loksHierhin().sichtbar;
    if (offen != loksHierhinOffen_) {
        loksHierhinOffen_ = offen;
        loksHierhin_->aktualisieren();
    }
    const TTrassolin::AblaufBoxZustand& ablauf = logic_.AblaufBox;
    if (ablauf.sichtbar && !ablaufBoxOffen_) {
        ablaufListe_->clear();
        ablaufListe_->addItems(ablauf.namen);
        const auto treffer = ablaufListe_->findItems(ablauf.auswahl, Qt::MatchExactly);
        ablaufListe_->setCurrentItem(treffer.isEmpty() ? nullptr : treffer.first());
        // 20 pixels right of and below the button, kept inside the window.
        const QPoint pos = gleisbild_ != nullptr ? gleisbild_->mapTo(host_, ablauf.pos) : ablauf.pos;
        ablaufBox_->move(std::max(0, std::min(pos.x() + 20, host_->width() - ablaufBox_->width())), pos.y() + 20);
        ablaufBox_->raise();
    }
    ablaufBoxOffen_ = ablauf.sichtbar;
    ablaufBox_->setVisible(ablauf.sichtbar);
    iconBox_->setVisible(logic_.IconBoxSichtbar);
    if (logic_.IconBoxSichtbar) {
        iconBox_->raise();
    }
}

QMenu* TTrassolinForm::offenesMenue() const
{
    return offenesMenue_.data();
}

void TTrassolinForm::showMenue(const Menue& menue, QPoint pos)
{
    if (offenesMenue_ != nullptr) {
        offenesMenue_->close();
    }
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("AnzeigeMenue"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    MenueFuellen(*menu, menue);
    offenesMenue_ = menu;
    // Entries act after the menu closed: they may change what the window shows.
    connect(menu, &QMenu::triggered, this, [this] { refresh(); }, Qt::QueuedConnection);
    menu->popup(gleisbild_ != nullptr ? gleisbild_->mapToGlobal(pos) : mapToGlobal(pos));
}

// Trains are only ever appended to `ZugListe`: a panel is made for each new one.
void TTrassolinForm::zugPanelsAnlegen()
{
    if (programm_.betriebsdaten == nullptr) {
        return;
    }
    const auto& zuege = programm_.betriebsdaten->ZugListe;
    while (zugPanels_.size() < zuege.size()) {
        zugPanels_.push_back(new TZugPanel(programm_, *zuege[zugPanels_.size()], host_));
    }
}

void TTrassolinForm::setGleisbildEingabe(GleisbildEingabe* eingabe)
{
    if (gleisbild_ != nullptr) {
        gleisbild_->setEingabe(eingabe);
    }
}

void TTrassolinForm::endProgram()
{
    ending_ = true;
    close();
}

void TTrassolinForm::closeEvent(QCloseEvent* event)
{
    if (ending_) {
        event->accept();
        return;
    }
    // Closing goes through the orderly end, which asks first and closes the window itself.
    event->ignore();
    info_.EndProgram(false);
}

TTrassolinForm::~TTrassolinForm() = default;
