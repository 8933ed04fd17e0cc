#include "ui/TTrassolinForm.h"

#include "core/ColorText.h"
#include "core/Programm.h"
#include "core/TInfo.h"
#include "diagram/GleisBild.h"
#include "diagram/TTrassolin.h"
#include "operation/BetriebsDaten.h"
#include "settings/TSystem.h"
#include "ui/GleisbildPanels.h"
#include "ui/TGleisbildWidget.h"
#include "ui/TZugPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
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
} // namespace

TTrassolinForm::TTrassolinForm(Programm& programm, TTrassolin& logic, TInfo& info, QWidget* parent)
    : QMainWindow(parent), programm_(programm), logic_(logic), info_(info)
{
    setObjectName(QStringLiteral("TrassolinForm"));
    auto* debugKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    connect(debugKey, &QShortcut::activated, this, [this] { logic_.DebugTaste(); });
    setWindowTitle(QStringLiteral("Trassolin"));
    resize(1280, 860);
    buildMenus();
    buildKeys();
    buildStatusBar();
    connect(&logic_, &TTrassolin::changed, this, &TTrassolinForm::refresh);
    connect(&logic_, &TTrassolin::zugListeGeaendert, this, &TTrassolinForm::zugPanelsAnlegen);
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

void TTrassolinForm::buildMenus()
{
    const struct {
        const char* name;
        const char* title;
    } menus[6] = {{"BearbeitenMenu", "&Bearbeiten"},         {"AnzeigeMenu", "Anzeige"},
                  {"AutomaticMenu", "Automatic"},            {"AblaufsteuerungMenu", "Ablaufsteuerung"},
                  {"DrehscheibeMenu", "Drehscheibe"},        {"ZentraleMenu", "Zentrale"}};
    for (int i = 0; i < 6; ++i) {
        menus_[i] = menuBar()->addMenu(QString::fromUtf8(menus[i].title));
        menus_[i]->setObjectName(QString::fromUtf8(menus[i].name));
    }
    drehscheibe_ = menus_[4];

    QAction* settings = menus_[0]->addAction(QStringLiteral("System Einstellungen"));
    settings->setObjectName(QStringLiteral("SystemEinstellungenAction"));
    connect(settings, &QAction::triggered, this, &TTrassolinForm::settingsRequested);
    menus_[0]->addSeparator();
    QAction* quit = menus_[0]->addAction(QStringLiteral("&Beenden"));
    quit->setObjectName(QStringLiteral("BeendenAction"));
    connect(quit, &QAction::triggered, this, [this] { info_.EndProgram(false); });

    infoAction_ = menus_[1]->addAction(QStringLiteral("Info"));
    infoAction_->setObjectName(QStringLiteral("InfoAction"));
    connect(infoAction_, &QAction::triggered, this, [this] { info_.ShowInfoWindow(); });

    verbinden_ = menus_[5]->addAction(QString());
    verbinden_->setObjectName(QStringLiteral("VerbindenAction"));
    connect(verbinden_, &QAction::triggered, this, [this] { logic_.VerbindenKlick(); });
    QAction* interface = menus_[5]->addAction(QStringLiteral("Verbindung einstellungen"));
    interface->setObjectName(QStringLiteral("VerbindungEinstellungenAction"));
    connect(interface, &QAction::triggered, this, [this] { logic_.InterfaceKlick(); });
}

void TTrassolinForm::buildKeys()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Hauptfenster"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);

    buttonPanel_ = new QWidget(central);
    buttonPanel_->setObjectName(QStringLiteral("ButtonPanel"));
    buttonPanel_->setAutoFillBackground(true);
    layout->addWidget(buttonPanel_);
    auto* bar = new QHBoxLayout(buttonPanel_);
    bar->setContentsMargins(4, 4, 4, 4);
    powerGroup_ = new QWidget(buttonPanel_);
    powerGroup_->setObjectName(QStringLiteral("PowerGroup"));
    auto* power = new QHBoxLayout(powerGroup_);
    power->setContentsMargins(0, 0, 0, 0);
    go_ = new QPushButton(QStringLiteral("Go"), powerGroup_);
    go_->setObjectName(QStringLiteral("GoBtn"));
    stop_ = new QPushButton(QStringLiteral("Stop"), powerGroup_);
    stop_->setObjectName(QStringLiteral("StopBtn"));
    for (QPushButton* key : {go_, stop_}) {
        key->setFixedSize(60, 30);
        power->addWidget(key);
    }
    bar->addWidget(powerGroup_);
    datenbank_ = new QPushButton(QStringLiteral("Lokdatenbank"), buttonPanel_);
    datenbank_->setObjectName(QStringLiteral("LokdatenbankBtn"));
    connect(datenbank_, &QPushButton::clicked, this, &TTrassolinForm::vehicleDatabaseRequested);
    bar->addWidget(datenbank_);
    bar->addStretch(1);
    exitKey_ = new QPushButton(QStringLiteral("Beenden"), buttonPanel_);
    exitKey_->setObjectName(QStringLiteral("BeendenBtn"));
    exitKey_->setToolTip(QStringLiteral("Trassolin Beenden"));
    bar->addWidget(exitKey_);
    connect(go_, &QPushButton::clicked, this, [this] { logic_.GoKlick(); });
    connect(stop_, &QPushButton::clicked, this, [this] { logic_.StopKlick(); });
    connect(exitKey_, &QPushButton::clicked, this, [this] { info_.EndProgram(false); });

    auto* diagram = new QWidget(central);
    diagram->setObjectName(QStringLiteral("Gleisbild"));
    diagram->setAutoFillBackground(true);
    layout->addWidget(diagram, 1);
    auto* diagramLayout = new QVBoxLayout(diagram);
    diagramLayout->setContentsMargins(0, 0, 0, 0);
    if (programm_.gleisbild != nullptr) {
        gleisbildScroll_ = new QScrollArea(diagram);
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
    startPicture_ = new QLabel(QStringLiteral("Trassolin"), diagram);
    startPicture_->setObjectName(QStringLiteral("StartBild"));
    startPicture_->setAlignment(Qt::AlignCenter);
    QFont pictureFont = startPicture_->font();
    pictureFont.setPointSize(48);
    pictureFont.setBold(true);
    startPicture_->setFont(pictureFont);
    startPicture_->setForegroundRole(QPalette::Mid);
    diagramLayout->addWidget(startPicture_);
    zentraleLog_ = new QPlainTextEdit(diagram);
    zentraleLog_->setObjectName(QStringLiteral("ZentraleLog"));
    zentraleLog_->setReadOnly(true);
    zentraleLog_->setGeometry(16, 16, 460, 220);
    zentraleLog_->hide();
    setCentralWidget(central);
}

bool TTrassolinForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panels_[2] && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Q_EMIT logbookRequested();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
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
    for (int i = 0; i < 4; ++i) {
        panels_[i]->setText(logic_.statusPanel(i));
    }
    // Menus and keys as the control state sets them.
    for (QMenu* menu : menus_) {
        const TTrassolin::Steuerung s = logic_.SteuerungVon(menu->title());
        menu->menuAction()->setEnabled(s.enabled);
        menu->menuAction()->setVisible(s.visible);
    }
    // "Drehscheibe" stays hidden until a turntable is placed on the plan.
    const bool drehscheibe = programm_.gleisbild != nullptr && programm_.gleisbild->Drehscheibe().Platziert;
    drehscheibe_->menuAction()->setVisible(drehscheibe && drehscheibe_->menuAction()->isVisible());
    verbinden_->setText(logic_.verbindenMenuText());
    infoAction_->setEnabled(logic_.InfoPictureEnabled);

    powerGroup_->setVisible(logic_.SteuerungVon(QStringLiteral("PowerGroup")).visible);
    datenbank_->setVisible(logic_.DatenbankKeySichtbar);
    setKeyColour(go_, logic_.PowerAn ? kGo : QColor());
    setKeyColour(stop_, logic_.PowerAn ? QColor() : kStop);
    exitKey_->setEnabled(logic_.ExitKeyEnabled && logic_.SteuerungVon(QStringLiteral("ExitKey")).enabled);
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
}

// Trains are only ever appended to `ZugListe`: a panel is made for each new one.
void TTrassolinForm::zugPanelsAnlegen()
{
    if (programm_.betriebsdaten == nullptr) {
        return;
    }
    const auto& zuege = programm_.betriebsdaten->ZugListe;
    while (zugPanels_.size() < zuege.size()) {
        zugPanels_.push_back(new TZugPanel(programm_, *zuege[zugPanels_.size()], this));
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
