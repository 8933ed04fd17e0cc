#include "ui/TLogBuchForm.h"

#include "vehicles/LogBuch.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

TLogBuchForm::TLogBuchForm(TLogBuch& logbuch, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), logbuch_(logbuch)
{
    setObjectName(QStringLiteral("LogBuchForm"));
    setWindowTitle(QStringLiteral("Trassolin LogBuch"));

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("LogMemo"));
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    loeschen_ = new QPushButton(QStringLiteral("Lösschen"), this);
    loeschen_->setObjectName(QStringLiteral("LoeschenButton"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(memo_);
    layout->addWidget(loeschen_, 0, Qt::AlignLeft);

    connect(loeschen_, &QPushButton::clicked, this, [this] { logbuch_.Loesschen(); });
    connect(&logbuch_, &TLogBuch::geleert, this, [this] {
        memo_->clear();
        zeilenImMemo_ = 0;
    });
    connect(&logbuch_, &TLogBuch::zeileHinzugefuegt, this,
            [this](const TLogBuch::Zeile& zeile) { zeileAnhaengen(zeile.text, zeile.kind); });
    connect(&logbuch_, &TLogBuch::sichtbarGeaendert, this, [this](bool sichtbar) {
        if (sichtbar) {
            show();
            raise();
        } else {
            hide();
        }
    });

    setGeometry(logbuch_.FensterGeometrie());
    alleZeilen();
    geometrieAktiv_ = true;
}

void TLogBuchForm::alleZeilen()
{
    memo_->clear();
    zeilenImMemo_ = 0;
    for (const TLogBuch::Zeile& zeile : logbuch_.Zeilen()) {
        zeileAnhaengen(zeile.text, zeile.kind);
    }
}

void TLogBuchForm::zeileAnhaengen(const QString& text, int kind)
{
    QTextCharFormat format;
    format.setForeground(ToQColor(TLogBuch::Farbe(kind)));
    format.setFontWeight(TLogBuch::Fett(kind) ? QFont::Bold : QFont::Normal);
    QTextCursor cursor(memo_->document());
    cursor.movePosition(QTextCursor::End);
    if (zeilenImMemo_++ > 0) {
        cursor.insertBlock();
    }
    // Inserted as plain text: markup in a message is shown, never interpreted.
    cursor.insertText(text, format);
    memo_->verticalScrollBar()->setValue(memo_->verticalScrollBar()->maximum());
}

void TLogBuchForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
    logbuch_.Verbergen();
}

void TLogBuchForm::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    geometrieMelden();
}

void TLogBuchForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    geometrieMelden();
}

void TLogBuchForm::geometrieMelden()
{
    if (geometrieAktiv_) {
        logbuch_.FensterGeaendert(geometry());
    }
}
