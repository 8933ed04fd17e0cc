// Dialogs for tests: answers come from queues the test fills; every text asked is recorded.
// An empty queue answers `defaultAnswer` (No unless a test says otherwise) or cancel, so an
// unexpected question never blocks a test.
#pragma once

#include "core/Dialogs.h"

#include <QStringList>
#include <deque>

class ScriptedDialogs final : public Dialogs {
public:
    void information(const QString& text) override
    {
        informations << text;
        asked << text;
    }
    bool confirmation(const QString& text) override
    {
        confirmations << text;
        asked << text;
        return take(confirmationAnswers, defaultAnswer);
    }
    bool yesNo(const QString& text) override
    {
        questions << text;
        asked << text;
        return take(yesNoAnswers, defaultAnswer);
    }
    std::optional<QString> textInput(const QString& caption, const QString& prompt, const QString&) override
    {
        textPrompts << caption + u'|' + prompt;
        return take(textAnswers, std::optional<QString>{});
    }
    std::optional<QString> openFile(const QString& caption, const QString&, const QString& filter) override
    {
        fileRequests << caption + u'|' + filter;
        return take(fileAnswers, std::optional<QString>{});
    }
    std::optional<TColor> chooseColor(TColor) override { return take(colorAnswers, std::optional<TColor>{}); }
    std::optional<QFont> chooseFont(const QFont&) override { return take(fontAnswers, std::optional<QFont>{}); }

    // Answers, taken front first.
    std::deque<bool> confirmationAnswers;
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> textAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<TColor>> colorAnswers;
    std::deque<std::optional<QFont>> fontAnswers;

    bool defaultAnswer = false;

    // Texts asked, in order: all message texts, and per kind.
    QStringList asked;
    QStringList informations;
    QStringList confirmations;
    QStringList questions;
    QStringList textPrompts;
    QStringList fileRequests;

private:
    template <typename T>
    static T take(std::deque<T>& queue, T fallback)
    {
        if (queue.empty()) {
            return fallback;
        }
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};
