// Dialogs for tests: answers come from queues, every question is recorded.
#pragma once

#include "core/Dialogs.h"

#include <QStringList>
#include <deque>

class FakeDialogs final : public Dialogs {
public:
    QStringList asked;                  // every text shown, in order
    std::deque<bool> answers;           // for confirmation and yesNo; empty = true
    std::deque<std::optional<QString>> texts;
    std::deque<std::optional<QString>> files;
    std::deque<std::optional<TColor>> colors;

    void information(const QString& text) override { asked << text; }
    bool confirmation(const QString& text) override { return answer(text); }
    bool yesNo(const QString& text) override { return answer(text); }
    std::optional<QString> textInput(const QString&, const QString& prompt, const QString&) override
    {
        asked << prompt;
        return take(texts);
    }
    std::optional<QString> openFile(const QString& caption, const QString&, const QString&) override
    {
        asked << caption;
        return take(files);
    }
    std::optional<TColor> chooseColor(TColor) override { return take(colors); }
    std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }

private:
    bool answer(const QString& text)
    {
        asked << text;
        if (answers.empty()) {
            return true;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    template <typename T>
    static std::optional<T> take(std::deque<std::optional<T>>& queue)
    {
        if (queue.empty()) {
            return std::nullopt;
        }
        auto v = queue.front();
        queue.pop_front();
        return v;
    }
};
