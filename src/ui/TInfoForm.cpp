#include "ui/TInfoForm.h"

#include "core/ColorText.h"
#include "core/FileSave.h"
#include "core/HelpTopics.h"
#include "core/Programm.h"
#include "core/TInfo.h"

#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {
// Shown in place of the picture in information-only mode.
const char* const kChangeHistory =
    "Trassolin für Linux\n\n"
    "- Start, Projektverwaltung und Sicherung\n"
    "- Systemeinstellungen: Verbindung, Anzeige, Optionen, Verzeichnisse\n"
    "- Hauptfenster mit Statusleiste und Power-Anzeige";

QPushButton* linkLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QFrame* boxFrame(const QString& name, QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->hide();
    return frame;
}
} // namespace

TInfoForm::TInfoForm(Programm& programm, TInfo& info, QWidget* parent)
    : QWidget(parent, Qt::Window), programm_(programm), info_(info)
{
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Info"));
    resize(1031, 630);

    auto* root = new QHBoxLayout(this);

    // Left: picture, project labels and the start buttons.
    auto* left = new QVBoxLayout;
    root->addLayout(left);
    picture_ = new QLabel(QStringLiteral("Trassolin"), this);
    picture_->setObjectName(QStringLiteral("StartBild"));
    picture_->setFrameShape(QFrame::StyledPanel);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setWordWrap(true);
    picture_->setTextFormat(Qt::PlainText);
    picture_->setFixedSize(260, 180);
    QFont pictureFont = picture_->font();
    pictureFont.setPointSize(20);
    pictureFont.setBold(true);
    picture_->setFont(pictureFont);
    left->addWidget(picture_);

    const auto addLabel = [this, left](const QString& name) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        left->addWidget(label);
        return label;
    };
    versionLabel_ = addLabel(QStringLiteral("VersionLabel"));
    projectLabel_ = addLabel(QStringLiteral("ProjektLabel"));
    zentraleLabel_ = addLabel(QStringLiteral("ZentraleLabel"));
    databaseLabel_ = addLabel(QStringLiteral("LokdatenbankLabel"));

    const auto addButton = [this, left](const QString& name, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setMinimumHeight(36);
        left->addWidget(button);
        return button;
    };
    connectButton_ = addButton(QStringLiteral("ProjektVerbindenSpeedBtn"), QStringLiteral("Projekt öffnen und verbinden"));
    openButton_ = addButton(QStringLiteral("ProjektNichtVerbindenSpeedBtn"), QStringLiteral("Projekt öffnen ohne Zentrale"));
    manageButton_ = addButton(QStringLiteral("ProjektVerwaltenSpeedBtn"), QStringLiteral("Projekte verwalten"));
    manageButton_->setCheckable(true);
    backupButton_ = addButton(QStringLiteral("SicherungSpeedBtn"), QStringLiteral("Sicherung"));
    left->addStretch(1);
    closeButton_ = addButton(QStringLiteral("SchliessenBtn"), QStringLiteral("Schliessen"));

    connect(connectButton_, &QPushButton::clicked, this, [this] { info_.OpenProject(true); });
    connect(openButton_, &QPushButton::clicked, this, [this] { info_.OpenProject(false); });
    connect(manageButton_, &QPushButton::clicked, this, [this] {
        if (info_.projectListVisible) {
            info_.LeaveProjectList();
        } else {
            info_.ListProjects();
        }
    });
    connect(backupButton_, &QPushButton::clicked, this, &TInfoForm::openBackupBox);
    connect(closeButton_, &QPushButton::clicked, this, [this] { info_.CloseWindow(); });

    // Right: the boxes over the log, the log and the progress bar.
    auto* rightWidget = new QWidget(this);
    auto* right = new QVBoxLayout(rightWidget);
    right->setContentsMargins(0, 0, 0, 0);
    root->addWidget(rightWidget, 1);
    buildProjectList(rightWidget);
    buildNameBox(rightWidget);
    buildBackupBox(rightWidget);
    right->addWidget(listPanel_);
    right->addWidget(nameBox_);
    right->addWidget(backupBox_);

    log_ = new QPlainTextEdit(rightWidget);
    log_->setObjectName(QStringLiteral("LogMemo"));
    log_->setReadOnly(true);
    log_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont logFont(QStringLiteral("DejaVu Sans Mono"));
    logFont.setStyleHint(QFont::Monospace);
    logFont.setPointSize(9);
    log_->setFont(logFont);
    right->addWidget(log_, 1);

    progress_ = new QProgressBar(rightWidget);
    progress_->setObjectName(QStringLiteral("ProgressBar"));
    progress_->setRange(1, 18);
    progress_->reset();
    right->addWidget(progress_);

    connect(&info_, &TInfo::changed, this, &TInfoForm::refresh);
    refresh();
}

void TInfoForm::buildProjectList(QWidget* parent)
{
    listPanel_ = boxFrame(QStringLiteral("ProjektListePanel"), parent);
    auto* layout = new QVBoxLayout(listPanel_);

    table_ = new QTableWidget(0, 5, listPanel_);
    table_->setObjectName(QStringLiteral("ProjektListe"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Projektname"), QStringLiteral("Zentrale"),
                                       QStringLiteral("Erstelldatum"), QStringLiteral("Aktiv"),
                                       QStringLiteral("Lösschen")});
    const int widths[5] = {180, 140, 80, 55, 55};
    for (int c = 0; c < 5; ++c) {
        table_->setColumnWidth(c, widths[c]);
    }
    // The given column widths fit the headings and dates in a small font.
    QFont small(QStringLiteral("Arial"));
    small.setPointSize(8);
    table_->setFont(small);
    table_->horizontalHeader()->setFont(small);
    table_->horizontalHeader()->setStyleSheet(QStringLiteral("QHeaderView::section { padding: 1px; }"));
    table_->horizontalHeader()->setHighlightSections(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setMinimumHeight(200);
    layout->addWidget(table_);
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { info_.SelectProjectRow(row); });

    auto* keys = new QHBoxLayout;
    layout->addLayout(keys);
    newProjectLabel_ = linkLabel(QStringLiteral("NeuesProjektLabel"), QStringLiteral("Neues Projekt anlegen"), listPanel_);
    deleteLabel_ = linkLabel(QStringLiteral("deleteLabel"), QString(), listPanel_);
    switchLabel_ = linkLabel(QStringLiteral("switchLabel"), QString(), listPanel_);
    auto* exitKey = new QPushButton(QStringLiteral("Zurück"), listPanel_);
    exitKey->setObjectName(QStringLiteral("ProjektListeBeendenBtn"));
    keys->addWidget(newProjectLabel_);
    keys->addWidget(deleteLabel_);
    keys->addStretch(1);
    keys->addWidget(switchLabel_);
    keys->addWidget(exitKey);

    connect(newProjectLabel_, &QPushButton::clicked, this, [this] {
        nameEdit_->clear();
        nameBox_->show();
        nameEdit_->setFocus();
    });
    connect(deleteLabel_, &QPushButton::clicked, this, [this] { info_.DeleteProject(); });
    connect(switchLabel_, &QPushButton::clicked, this, [this] { info_.SwitchProject(); });
    connect(exitKey, &QPushButton::clicked, this, [this] { info_.LeaveProjectList(); });
}

void TInfoForm::buildNameBox(QWidget* parent)
{
    nameBox_ = boxFrame(QStringLiteral("NeuesProjektBox"), parent);
    auto* layout = new QVBoxLayout(nameBox_);
    auto* prompt = new QLabel(QStringLiteral("Bitte geben Sie einen namen für das neue Projekt ein"), nameBox_);
    prompt->setTextFormat(Qt::PlainText);
    layout->addWidget(prompt);
    nameEdit_ = new QLineEdit(nameBox_);
    nameEdit_->setObjectName(QStringLiteral("NeuesProjektEdit"));
    layout->addWidget(nameEdit_);
    auto* keys = new QHBoxLayout;
    layout->addLayout(keys);
    auto* create = new QPushButton(QStringLiteral("Erstellen"), nameBox_);
    create->setObjectName(QStringLiteral("ErstellenBtn"));
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), nameBox_);
    cancel->setObjectName(QStringLiteral("NeuesProjektAbbrechenBtn"));
    keys->addStretch(1);
    keys->addWidget(create);
    keys->addWidget(cancel);
    connect(create, &QPushButton::clicked, this, [this] {
        nameBox_->hide();
        info_.CreateProject(nameEdit_->text());
    });
    connect(cancel, &QPushButton::clicked, nameBox_, &QWidget::hide);
}

void TInfoForm::buildBackupBox(QWidget* parent)
{
    backupBox_ = boxFrame(QStringLiteral("SicherungBox"), parent);
    auto* layout = new QVBoxLayout(backupBox_);
    backupCaption_ = new QLabel(backupBox_);
    backupCaption_->setObjectName(QStringLiteral("SicherungCaption"));
    backupCaption_->setTextFormat(Qt::PlainText);
    QFont bold = backupCaption_->font();
    bold.setBold(true);
    backupCaption_->setFont(bold);
    layout->addWidget(backupCaption_);
    auto* prompt = new QLabel(QStringLiteral("Bitte geben Sie einen namen für die Sicherung ein"), backupBox_);
    prompt->setTextFormat(Qt::PlainText);
    layout->addWidget(prompt);
    backupEdit_ = new QLineEdit(backupBox_);
    backupEdit_->setObjectName(QStringLiteral("SicherungEdit"));
    backupEdit_->installEventFilter(this);
    layout->addWidget(backupEdit_);
    auto* keys = new QHBoxLayout;
    layout->addLayout(keys);
    backupSave_ = new QPushButton(QStringLiteral("Speichern"), backupBox_);
    backupSave_->setObjectName(QStringLiteral("SicherungSpeichernBtn"));
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), backupBox_);
    cancel->setObjectName(QStringLiteral("SicherungAbbrechenBtn"));
    keys->addStretch(1);
    keys->addWidget(backupSave_);
    keys->addWidget(cancel);

    connect(backupEdit_, &QLineEdit::textChanged, this,
            [this](const QString& name) { backupSave_->setEnabled(info_.BackupNameFree(name)); });
    connect(backupSave_, &QPushButton::clicked, this, [this] {
        backupBox_->hide();
        info_.BackupProject(backupEdit_->text());
    });
    connect(cancel, &QPushButton::clicked, backupBox_, &QWidget::hide);
}

void TInfoForm::openBackupBox()
{
    backupCaption_->setText(QStringLiteral("Sicherung erstellen von (") + programm_.ProjektName + u')');
    backupEdit_->setText(info_.BackupProposal());
    backupSave_->setEnabled(info_.BackupNameFree(backupEdit_->text()));
    backupBox_->show();
}

void TInfoForm::refresh()
{
    setWindowTitle(info_.caption.isEmpty() ? QStringLiteral("Info") : info_.caption);
    picture_->setText(info_.InfoNurAnzeige ? QString::fromUtf8(kChangeHistory) : QStringLiteral("Trassolin"));
    picture_->setFont([this] {
        QFont font = picture_->font();
        font.setPointSize(info_.InfoNurAnzeige ? 8 : 20);
        font.setBold(!info_.InfoNurAnzeige);
        return font;
    }());
    versionLabel_->setText(info_.versionText);
    projectLabel_->setText(info_.versionText.isEmpty() ? QString() : QStringLiteral("Projekt : ") + programm_.ProjektName);
    zentraleLabel_->setText(info_.zentraleText);
    databaseLabel_->setText(info_.lokdatenbankText);

    for (QPushButton* button : {connectButton_, openButton_, manageButton_, backupButton_}) {
        button->setEnabled(info_.buttonsEnabled);
    }
    // The list key stays usable while its list is open, so the list can be left by it too.
    manageButton_->setEnabled(info_.buttonsEnabled || info_.projectListVisible);
    manageButton_->setChecked(info_.projectListVisible);
    // The backup box belongs to the usable start buttons.
    if (!info_.buttonsEnabled || !info_.visible) {
        backupBox_->hide();
    }
    closeButton_->setToolTip(info_.closeHint);

    progress_->setVisible(info_.progressVisible);
    progress_->setMaximum(std::max(1, info_.progressMaximum));
    if (info_.progressPosition >= 1) {
        progress_->setValue(info_.progressPosition);
    } else {
        progress_->reset();
    }

    refreshLog();
    refreshProjectList();

    const QString& geometry = info_.InfoFensterGeometrie;
    if (geometry != appliedGeometry_ && geometry.size() >= 16) {
        appliedGeometry_ = geometry;
        bool okLeft = false;
        bool okTop = false;
        bool okWidth = false;
        const int left = geometry.mid(0, 4).toInt(&okLeft);
        const int top = geometry.mid(4, 4).toInt(&okTop);
        const int width = geometry.mid(12, 4).toInt(&okWidth);
        if (okLeft && okTop && okWidth && width > 0) {
            move(left, top);
            resize(width, 630);
        }
    }

    if (isVisible() != info_.visible) {
        setVisible(info_.visible);
    }
}

void TInfoForm::refreshLog()
{
    const auto& lines = info_.LogMemo();
    const int count = static_cast<int>(lines.size());
    // The log was cleared (or replaced) when it got shorter or its last shown line differs.
    const bool rebuilt = count < shownLogLines_
        || (shownLogLines_ > 0 && lines[static_cast<size_t>(shownLogLines_ - 1)].text != lastLogLine_);
    if (rebuilt) {
        log_->clear();
        shownLogLines_ = 0;
    }
    if (count == shownLogLines_) {
        return;
    }
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    for (int i = shownLogLines_; i < count; ++i) {
        const TInfo::LogZeile& line = lines[static_cast<size_t>(i)];
        QTextCharFormat format;
        if (line.rot) {
            format.setForeground(Qt::red);
        }
        if (i > 0) {
            cursor.insertBlock();
        }
        cursor.insertText(line.text, format);
    }
    shownLogLines_ = count;
    lastLogLine_ = lines.back().text;
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void TInfoForm::refreshProjectList()
{
    listPanel_->setVisible(info_.projectListVisible);
    if (!info_.projectListVisible) {
        nameBox_->hide();
    }
    const auto& rows = info_.Projekte();
    QStringList signature;
    for (const TInfo::ProjektZeile& row : rows) {
        signature << row.Ordner + u'|' + row.Name + u'|' + row.Aktiv + u'|' + row.Loeschen;
    }
    if (signature != shownProjects_) {
        shownProjects_ = signature;
        const QColor panel = ToQColor(StringToColor(programm_.settings.PanelColor).value_or(clBtnFace));
        table_->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const TInfo::ProjektZeile& row = rows[static_cast<size_t>(r)];
            const QString cells[5] = {row.Name, row.Zentrale, row.Erstelldatum, row.Aktiv, row.Loeschen};
            for (int c = 0; c < 5; ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                if (row.Aktiv == QStringLiteral("Aktiv") && panel.isValid()) {
                    item->setBackground(panel);
                }
                table_->setItem(r, c, item);
            }
        }
    }
    if (info_.selectedRow >= 0 && info_.selectedRow < table_->rowCount()) {
        if (table_->currentRow() != info_.selectedRow) {
            table_->selectRow(info_.selectedRow);
        }
    } else {
        table_->clearSelection();
    }

    newProjectLabel_->setVisible(info_.deleteLabel.isEmpty());
    newProjectLabel_->setEnabled(info_.newProjectEnabled);
    deleteLabel_->setVisible(!info_.deleteLabel.isEmpty());
    deleteLabel_->setText(info_.deleteLabel);
    switchLabel_->setText(info_.switchLabel);
    switchLabel_->setEnabled(info_.switchEnabled);
}

void TInfoForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Only a resize by the user is kept; the placement from the stored text is not a change.
    if (event->spontaneous()) {
        info_.setFensterGeometrie(geometry());
    }
}

// Clicking into the backup name while it names an existing project says so.
bool TInfoForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == backupEdit_ && event->type() == QEvent::MouseButtonPress
        && !info_.BackupNameFree(backupEdit_->text()) && QFileInfo::exists(FindFileNoCase(programm_.programFolder + QStringLiteral("Projekte"), backupEdit_->text()))) {
        programm_.dialogs.information(QStringLiteral("Das Projekt existiert bereits !!, Bitte anderen Namen wählen"));
    }
    return QWidget::eventFilter(watched, event);
}

int TInfoForm::helpTopicAt(const QPoint& pos) const
{
    const QWidget* child = childAt(pos);
    for (const QWidget* w = child; w != nullptr && w != this; w = w->parentWidget()) {
        if (w == listPanel_) {
            return 1010;
        }
        if (w == backupBox_) {
            return 1070;
        }
        if (w == connectButton_) {
            return ConnectButtonHelpTopic(programm_.ZentraleTyp());
        }
    }
    return 1007;
}

void TInfoForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        Q_EMIT helpRequested(helpTopicAt(mapFromGlobal(QCursor::pos())));
        return;
    }
    if (event->key() == Qt::Key_D && event->modifiers() == Qt::ControlModifier) {
        info_.DebugTaste();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TInfoForm::closeEvent(QCloseEvent* event)
{
    // The window manager's close button acts like the window's own: the logic decides.
    event->ignore();
    if (info_.visible) {
        info_.CloseWindow();
    }
}
