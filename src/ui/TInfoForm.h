// The start window: shows TInfo's state (caption, labels, log, progress, project list) and
// forwards the user's clicks to it. Created once; shown and hidden as TInfo::visible says.
// UI thread only.
#pragma once

#include <QStringList>
#include <QWidget>

struct Programm;
class TInfo;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

class TInfoForm : public QWidget {
    Q_OBJECT
public:
    // The backup box, asking for the backup's name.
    void openBackupBox();
    TInfoForm(Programm& programm, TInfo& info, QWidget* parent = nullptr);

    // Shows the logic's state; runs on every TInfo::changed().
    void refresh();

    // The help topic of the control at a point of the window (F1).
    int helpTopicAt(const QPoint& pos) const;

Q_SIGNALS:
    void helpRequested(int topic);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildProjectList(QWidget* parent);
    void buildNameBox(QWidget* parent);
    void buildBackupBox(QWidget* parent);
    void refreshLog();
    void refreshProjectList();

    Programm& programm_;
    TInfo& info_;

    QLabel* picture_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QLabel* projectLabel_ = nullptr;
    QLabel* zentraleLabel_ = nullptr;
    QLabel* databaseLabel_ = nullptr;
    QPushButton* connectButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* manageButton_ = nullptr;
    QPushButton* backupButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    QProgressBar* progress_ = nullptr;

    QFrame* listPanel_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* newProjectLabel_ = nullptr;
    QPushButton* deleteLabel_ = nullptr;
    QPushButton* switchLabel_ = nullptr;

    QFrame* nameBox_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;

    QFrame* backupBox_ = nullptr;
    QLabel* backupCaption_ = nullptr;
    QLineEdit* backupEdit_ = nullptr;
    QPushButton* backupSave_ = nullptr;

    int shownLogLines_ = 0;
    QString lastLogLine_;
    QStringList shownProjects_;
    QString appliedGeometry_;
};
