#include "ui/TWebHilfeForm.h"

#include "core/HelpTopics.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

TWebHilfeForm::TWebHilfeForm(QString programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), programFolder_(std::move(programFolder))
{
    setObjectName(QStringLiteral("WebHilfeForm"));
    setWindowTitle(QStringLiteral("Trassolin Hilfe"));
    resize(700, 520);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HilfeBrowser"));
    browser_->setOpenExternalLinks(false);
    layout->addWidget(browser_);
}

void TWebHilfeForm::showTopic(const QString& topic)
{
    page_ = HelpPage(programFolder_, topic);
    browser_->setSearchPaths({QFileInfo(page_).absolutePath()});
    browser_->setSource(QUrl::fromLocalFile(page_));
    show();
    raise();
    activateWindow();
}

void TWebHilfeForm::showTopic(int topic)
{
    showTopic(QString::number(topic));
}
