// The protocol window of an ECoS-protocol driver (`TProtokolEC2Form`, `TProtokolEC1Form`,
// `TProtokolCS1Form`: one class, the object name tells which): the connection settings, the
// running log "Info Ablauf", the locomotive, train and accessory lists, and the "Debug" page,
// shown while WM_DEBUG is on. A thin shell over `TProtokolEcos`; refreshes when the driver
// reports a change (coalesced, at most every 100 ms). The take-over panel lies over the
// locomotive page and shows the vehicle database's tree (a view over its model). UI thread.
#pragma once

#include <QWidget>
#include <vector>

class FahrzeugModel;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTreeView;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTableWidget;
class QTimer;
class TProtokolEcos;

class TProtokolEcosForm : public QWidget {
    Q_OBJECT
public:
    explicit TProtokolEcosForm(TProtokolEcos& driver, QWidget* parent = nullptr);

    // Rebuilds every view from the driver's state.
    void aktualisieren();
    // The vehicle database's tree, borrowed by the take-over panel.
    void setFahrzeugBaum(FahrzeugModel* model);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TProtokolEcos& driver_;
    QTimer* refresh_;
    QLabel* verbindung_;
    QLabel* zentrale_;
    QLabel* versionen_;
    QLabel* status_;
    QCheckBox* loksLaden_;
    QCheckBox* magLaden_;
    QPlainTextEdit* info_;
    QTabWidget* seiten_;
    QTableWidget* loks_;
    QTableWidget* zuege_;
    QTableWidget* mags_;
    QTableWidget* module_;
    QWidget* debugSeite_;
    QPlainTextEdit* debug_;
    QPlainTextEdit* queue_;
    QLineEdit* befehl_;
    QStackedWidget* lokStapel_;
    QGroupBox* uebernahme_;
    QLabel* uebernahmeHinweis_;
    QTreeView* baum_;
    QPushButton* uebernahmeOk_;
    FahrzeugModel* fahrzeugModel_ = nullptr;
    QMenu* einlesenMenu_;
    std::vector<QPushButton*> leseKnoepfe_;
    QComboBox* modulWahl_;
    QLabel* kontakte_;
};
