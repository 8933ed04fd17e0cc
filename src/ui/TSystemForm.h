// The settings window ("System"): shows TSystem's state and the project settings on the pages
// "Verbindung", "Anzeige", "Optionen", "Sound" and "Verzeichnisse", and forwards every change to
// TSystem and its sound output. Created once; UI thread only.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

struct Programm;
class TSystem;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

class TSystemForm : public QWidget {
    Q_OBJECT
public:
    TSystemForm(Programm& programm, TSystem& system, QWidget* parent = nullptr);

    // Shows the logic's state; runs on every TSystem::changed().
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildVerbindung();
    QWidget* buildAnzeige();
    QWidget* buildOptionen();
    QWidget* buildSound();
    QWidget* buildVerzeichnisse();
    void refreshSound();
    // A check box bound to a boolean project setting.
    QCheckBox* optionBox(const QString& name, const QString& text, bool& field, QWidget* parent);
    // A value field with up and down keys; `text` gives the field's text from the settings.
    QWidget* stepper(const QString& name, const QString& caption, std::function<QString()> text,
                     std::function<void()> up, std::function<void()> down, QWidget* parent);

    Programm& programm_;
    TSystem& system_;

    QTabWidget* pages_ = nullptr;

    QLabel* stationPicture_ = nullptr;
    QLabel* stationLabel_ = nullptr;
    QComboBox* stationChoice_ = nullptr;
    QPushButton* takeStation_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QGroupBox* serialGroup_ = nullptr;
    QComboBox* comPort_ = nullptr;
    QComboBox* baudRate_ = nullptr;
    QGroupBox* networkGroup_ = nullptr;
    QLineEdit* ipAddress_ = nullptr;
    QLineEdit* ipPort_ = nullptr;
    QLabel* lastConnected_ = nullptr;

    QRadioButton* picturesRadio_ = nullptr;
    QRadioButton* namesRadio_ = nullptr;
    QButtonGroup* iconSets_ = nullptr;

    QLineEdit* accessoryCount_ = nullptr;

    QListWidget* soundBoxes_ = nullptr;
    QLineEdit* soundName_ = nullptr;
    QPushButton* renameBox_ = nullptr;
    QPushButton* activateBox_ = nullptr;
    QSlider* volume_ = nullptr;
    QSlider* balance_ = nullptr;
    QPushButton* testSound_ = nullptr;
    QCheckBox* fallbackCheck_ = nullptr;
    QLabel* soundDiagnosis_ = nullptr;
    QPlainTextEdit* logMemo_ = nullptr;

    QLineEdit* locoFolder_ = nullptr;
    QLineEdit* wagonFolder_ = nullptr;
    QCheckBox* alternativeCheck_ = nullptr;
    QLineEdit* alternativeFile_ = nullptr;
    QPushButton* alternativeButton_ = nullptr;

    // Refreshers of the bound controls.
    std::vector<std::function<void()>> refreshers_;
};
