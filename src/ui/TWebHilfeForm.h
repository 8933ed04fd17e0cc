// The help window: shows the help page of a topic from the program's `data/hilfe` folder.
#pragma once

#include <QWidget>

class QTextBrowser;

class TWebHilfeForm : public QWidget {
    Q_OBJECT
public:
    explicit TWebHilfeForm(QString programFolder, QWidget* parent = nullptr);

    void showTopic(const QString& topic);
    void showTopic(int topic);
    QString currentPage() const { return page_; }

private:
    QString programFolder_;
    QString page_;
    QTextBrowser* browser_ = nullptr;
};
