// The vehicle database window "Fahrzeugdatenbank": the tree of folders and articles on the
// left, the selected article's data and picture on the right, the keys for saving, new and
// deleted entries, filters, the vehicle card, sales lists and homepage pages. A thin shell over
// TFahrzeug: every rule and question lives there. UI thread.
#pragma once

#include "vehicles/FahrzeugDaten.h"

#include <QWidget>

class FahrzeugModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTreeView;
class TFahrzeug;
struct FahrzeugKnoten;
struct Programm;

class TFahrzeugForm : public QWidget {
    Q_OBJECT
public:
    TFahrzeugForm(Programm& programm, TFahrzeug& logic, QWidget* parent = nullptr);

    QTreeView* tree() const { return tree_; }
    FahrzeugModel* model() const { return model_; }
    // Selects a node in the tree (as a click does).
    void auswaehlen(const FahrzeugKnoten* knoten);
    // The record as the fields show it.
    FahrzeugDaten bearbeiteteDaten() const;

Q_SIGNALS:
    // "Html Seite Ansehen": the page to open in the desktop's browser.
    void seiteAnsehen(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void aufbauen();
    void anzeigen(FahrzeugKnoten* knoten);
    void auswahlGeaendert();
    void adressenFuellen(FahrzeugKnoten* artikel, const QString& typ, int adresse);
    void refresh();

    Programm& programm_;
    TFahrzeug& logic_;
    FahrzeugModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    FahrzeugKnoten* angezeigt_ = nullptr;
    bool fuellt_ = false;

    QLabel* bild_ = nullptr;
    QLabel* hinweis_ = nullptr;
    QLabel* preise_ = nullptr;
    QLabel* datei_ = nullptr;
    QLineEdit* name_ = nullptr;
    QComboBox* typ_ = nullptr;
    QComboBox* adresse_ = nullptr;
    QComboBox* format_ = nullptr;
    QComboBox* maxSpeed_ = nullptr;
    QComboBox* fahrstufen_ = nullptr;
    QComboBox* sorte_ = nullptr;
    QComboBox* art_ = nullptr;
    QComboBox* seite_ = nullptr;
    QLineEdit* hersteller_ = nullptr;
    QLineEdit* bildDatei_ = nullptr;
    QSpinBox* preis_ = nullptr;
    QSpinBox* verkaufpreis_ = nullptr;
    QSpinBox* epoche_ = nullptr;
    QCheckBox* verkauft_ = nullptr;
    QCheckBox* zuVerkaufen_ = nullptr;
    QCheckBox* schrank_ = nullptr;
    QCheckBox* ovp_ = nullptr;
    QCheckBox* verkaufteAus_ = nullptr;
    QCheckBox* nurZuVerkaufen_ = nullptr;
    QPlainTextEdit* info_ = nullptr;
    QWidget* datenPanel_ = nullptr;
};
