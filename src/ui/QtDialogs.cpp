#include "ui/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QString title()
{
    return QApplication::applicationDisplayName();
}

// Message boxes show plain text: a stored text is never taken as markup.
int showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title(), QtDialogs::displayText(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}
} // namespace

QString QtDialogs::displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

QString QtDialogs::qtFilter(const QString& filter)
{
    // Pairs of description and pattern; the description already names the pattern.
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (pattern.isEmpty() || description.contains(u'(')) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" (") + QString(pattern).replace(u';', u' ') + u')';
        }
    }
    return filters.join(QStringLiteral(";;"));
}

void QtDialogs::information(const QString& text)
{
    showBox(parent_, QMessageBox::Information, text, QMessageBox::Ok);
}

bool QtDialogs::confirmation(const QString& text)
{
    return showBox(parent_, QMessageBox::Information, text, QMessageBox::Ok) == QMessageBox::Ok;
}

bool QtDialogs::yesNo(const QString& text)
{
    return showBox(parent_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::textInput(const QString& caption, const QString& prompt, const QString& preset)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, displayText(caption), displayText(prompt), QLineEdit::Normal,
                                               preset, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

std::optional<QString> QtDialogs::openFile(const QString& caption, const QString& folder, const QString& filter)
{
    const QString file = QFileDialog::getOpenFileName(parent_, caption, folder, qtFilter(filter));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return file;
}

std::optional<TColor> QtDialogs::chooseColor(TColor current)
{
    QColor start = ToQColor(current);
    if (!start.isValid()) {
        start = Qt::white;
    }
    const QColor chosen = QColorDialog::getColor(start, parent_);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return FromQColor(chosen);
}

std::optional<QFont> QtDialogs::chooseFont(const QFont& current)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, current, parent_);
    if (!ok) {
        return std::nullopt;
    }
    return font;
}
