#include "ui/TTrassolinForm.h"

#include <QLabel>
#include <QStatusBar>

TTrassolinForm::TTrassolinForm(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), programFolder_(programFolder)
{
    setObjectName(QStringLiteral("TrassolinForm"));
    setWindowTitle(QStringLiteral("Trassolin"));
    resize(1280, 860);
    auto* diagram = new QWidget(this);
    diagram->setObjectName(QStringLiteral("Gleisbild"));
    diagram->setAutoFillBackground(true);
    setCentralWidget(diagram);
    buildStatusBar();
}

QLabel* TTrassolinForm::statusPanel(int index) const
{
    return index >= 0 && index < 4 ? panels_[index] : nullptr;
}

void TTrassolinForm::buildStatusBar()
{
    const int widths[4] = {300, 250, width() - 630, 50};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setMinimumWidth(widths[i]);
        statusBar()->addWidget(panels_[i], i == 2 ? 1 : 0);
    }
    panels_[0]->setText(QStringLiteral("Keine Zentrale verbunden"));
    panels_[3]->setText(QStringLiteral("Uhr"));
}
