// One key of the locomotive bar (120 x 80): the train's name, its picture (a click shows or
// hides the train's panel), "Stop Lok", the light key and the note that the train is not bound
// to the command station. Follows its train while it has one. UI thread.
#pragma once

#include <QFrame>

struct Programm;
class QLabel;
class QToolButton;
class TZug;
class TTrassolin;

class TLokTaste : public QFrame {
    Q_OBJECT
public:
    TLokTaste(Programm& programm, TTrassolin& logic, const QString& name, QWidget* parent = nullptr);
    ~TLokTaste() override;

    // The key's train (nullptr: empty and hidden).
    void setZug(TZug* zug);
    TZug* zug() const { return zug_; }
    void Neuzeichnen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Programm& programm_;
    TTrassolin& logic_;
    TZug* zug_ = nullptr;
    int beobachter_ = 0;
    QLabel* label_ = nullptr;
    QLabel* bild_ = nullptr;
    QToolButton* stop_ = nullptr;
    QToolButton* licht_ = nullptr;
    QLabel* verfolgung_ = nullptr;
    QLabel* verbunden_ = nullptr;
};
