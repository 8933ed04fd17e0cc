// The modal dialogs of the program, shown with Qt's standard dialogs. Runs on the UI thread;
// each call opens a nested event loop until the user answers.
#pragma once

#include "core/Dialogs.h"

class QWidget;

class QtDialogs final : public Dialogs {
public:
    // `parent` may be null; it is looked up on every call so a later main window can be given.
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void information(const QString& text) override;
    bool confirmation(const QString& text) override;
    bool yesNo(const QString& text) override;
    std::optional<QString> textInput(const QString& caption, const QString& prompt, const QString& preset) override;
    std::optional<QString> openFile(const QString& caption, const QString& folder, const QString& filter) override;
    std::optional<TColor> chooseColor(TColor current) override;
    std::optional<QFont> chooseFont(const QFont& current) override;

    // "\r" (and "\r\n") as stored in the texts become line breaks.
    static QString displayText(const QString& text);
    // "Beschreibung (*.ext)|*.ext[|...]" to Qt's "Beschreibung (*.ext);;...".
    static QString qtFilter(const QString& filter);

private:
    QWidget* parent_;
};
