// The protocol window of an ECoS-protocol driver (`TProtokolEC2Form`, `TProtokolEC1Form`,
// `TProtokolCS1Form`: one class, the object name tells which): the connection settings, the
// running log "Info Ablauf", the locomotive, train and accessory lists, and the "Debug" page,
// shown while WM_DEBUG is on. A thin shell over `TProtokolEcos`; refreshes when the driver
// reports a change (coalesced, at most every 100 ms). UI thread.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
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
};
