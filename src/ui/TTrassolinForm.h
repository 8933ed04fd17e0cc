// The main window. Created first and lives for the whole run.
#pragma once

#include <QMainWindow>

class QLabel;

class TTrassolinForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TTrassolinForm(const QString& programFolder, QWidget* parent = nullptr);

    // The status-bar panels, left to right.
    QLabel* statusPanel(int index) const;

private:
    void buildStatusBar();

    QString programFolder_;
    QLabel* panels_[4] = {};
};
