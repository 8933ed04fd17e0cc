// The logbook window "Trassolin LogBuch": always on top, shows the lines of TLogBuch in their
// colours as plain text, "Lösschen" clears, closing hides, moving and resizing are stored.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class TLogBuch;

class TLogBuchForm : public QWidget {
    Q_OBJECT
public:
    explicit TLogBuchForm(TLogBuch& logbuch, QWidget* parent = nullptr);

    QPlainTextEdit* LogMemo() const { return memo_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void zeileAnhaengen(const QString& text, int kind);
    void alleZeilen();
    void geometrieMelden();

    TLogBuch& logbuch_;
    QPlainTextEdit* memo_ = nullptr;
    QPushButton* loeschen_ = nullptr;
    bool geometrieAktiv_ = false;
    int zeilenImMemo_ = 0;
};
