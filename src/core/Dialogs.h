// Modal dialogs as the logic sees them. The Qt implementation lives in the user interface;
// tests script the answers. Texts are given as stored ("\r" is a line break).
#pragma once

#include "core/ColorText.h"

#include <QFont>
#include <QString>
#include <optional>

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Information with an OK button.
    virtual void information(const QString& text) = 0;
    // Confirmation with an OK button; false when the user closed it without OK.
    virtual bool confirmation(const QString& text) = 0;
    // Yes/No question; true for Yes.
    virtual bool yesNo(const QString& text) = 0;
    // A line of text; nullopt when cancelled.
    virtual std::optional<QString> textInput(const QString& caption, const QString& prompt, const QString& preset) = 0;
    // A file to open; `filter` in the form "Beschreibung (*.ext)|*.ext". nullopt when cancelled.
    virtual std::optional<QString> openFile(const QString& caption, const QString& folder, const QString& filter) = 0;
    virtual std::optional<TColor> chooseColor(TColor current) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& current) = 0;
};
