// Dialogs where nobody answers (the companion tool, benchmarks): texts are collected,
// questions are declined, choosers cancelled.
#pragma once

#include "core/Dialogs.h"

#include <QStringList>

class CollectingDialogs final : public Dialogs {
public:
    QStringList texts;

    void information(const QString& text) override { texts << text; }
    bool confirmation(const QString& text) override
    {
        texts << text;
        return false;
    }
    bool yesNo(const QString& text) override
    {
        texts << text;
        return false;
    }
    std::optional<QString> textInput(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<TColor> chooseColor(TColor) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }
};
