// The vehicle database window "Fahrzeugdatenbank": the tree of folders and articles on the
// left, the selected article's picture and data on the right (pages for the article, its
// functions, decoder and files, and the hidden page "Fur Homepage" with the homepage fields and
// the page export), the keys for saving, new and deleted entries, the vehicle card and sales
// lists, and the menu with the filters. A thin shell over TFahrzeug: every rule and question
// lives there. UI thread.
#pragma once

#include "vehicles/FahrzeugDaten.h"

#include <QWidget>
#include <array>
#include <vector>

class FahrzeugModel;
class QAction;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
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
    QTabWidget* seiten() const { return seiten_; }
    // Selects a node in the tree (as a click does).
    void auswaehlen(const FahrzeugKnoten* knoten);
    // The record as the fields show it.
    FahrzeugDaten bearbeiteteDaten() const;
    // The hidden page "Fur Homepage" shown or hidden (menu entry "Fur Homepage").
    void setHomepageSichtbar(bool on);

Q_SIGNALS:
    // "Html Seite Ansehen": the page to open in the desktop's browser.
    void seiteAnsehen(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void aufbauen();
    void menueAufbauen();
    QWidget* lokdatenSeite();
    QWidget* funktionenSeite();
    QWidget* dateienSeite();
    QWidget* homepageSeite();
    FahrzeugDaten bearbeiteteDaten(const FahrzeugKnoten* artikel) const;
    void anzeigen(FahrzeugKnoten* knoten);
    void auswahlGeaendert();
    void adressenFuellen(FahrzeugKnoten* artikel, const QString& typ, int adresse);
    void typAnzeigen(const QString& typ);
    void formatAnzeigen(int format);
    void funktionen9bis16Anzeigen(bool on);
    void vorschauAnzeigen();
    // A file chooser for `edit` (the path as chosen).
    void dateiWaehlen(QLineEdit* edit, const QString& titel, const QString& filter);
    FahrzeugKnoten* zielOrdner() const;
    void refresh();

    // Fields that map one to one onto a record field.
    QLineEdit* textFeld(QFormLayout* form, const QString& label, const char* name, QString FahrzeugDaten::*feld);
    QSpinBox* zahlFeld(QFormLayout* form, const QString& label, const char* name, qint32 FahrzeugDaten::*feld, int min, int max);
    QCheckBox* flagFeld(QWidget* parent, const QString& text, const char* name, quint8 FahrzeugDaten::*feld);

    Programm& programm_;
    TFahrzeug& logic_;
    FahrzeugModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    FahrzeugKnoten* angezeigt_ = nullptr;
    bool fuellt_ = false;

    struct TextFeld {
        QLineEdit* edit;
        QString FahrzeugDaten::*feld;
    };
    struct ZahlFeld {
        QSpinBox* box;
        qint32 FahrzeugDaten::*feld;
    };
    struct FlagFeld {
        QCheckBox* box;
        quint8 FahrzeugDaten::*feld;
    };
    std::vector<TextFeld> textFelder_;
    std::vector<ZahlFeld> zahlFelder_;
    std::vector<FlagFeld> flagFelder_;

    QLabel* bild_ = nullptr;
    QLabel* hinweis_ = nullptr;
    QLabel* preise_ = nullptr;
    QLabel* datei_ = nullptr;
    QPushButton* verkaufteTaste_ = nullptr;
    QAction* verkaufteMenue_ = nullptr;
    QAction* zuVerkaufenMenue_ = nullptr;
    QAction* homepageMenue_ = nullptr;
    QTabWidget* seiten_ = nullptr;
    int homepageIndex_ = -1;
    std::vector<QWidget*> artikelTeile_; // enabled only while an article is shown

    // Article page
    QFormLayout* technik_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* bildDatei_ = nullptr;
    QComboBox* typ_ = nullptr;
    QComboBox* adresse_ = nullptr;
    QComboBox* format_ = nullptr;
    std::array<QComboBox*, 3> folgeadresse_{};
    QComboBox* maxSpeed_ = nullptr;
    QComboBox* fahrstufen_ = nullptr;
    QComboBox* sorte_ = nullptr;
    QComboBox* art_ = nullptr;
    QCheckBox* schrank_ = nullptr;
    QLabel* zentralenId_ = nullptr;
    QPlainTextEdit* info_ = nullptr;

    // Functions page
    QCheckBox* f9bis16_ = nullptr;
    std::array<QCheckBox*, 16> funktionAn_{};
    std::array<QLineEdit*, 16> funktionName_{};
    std::array<QComboBox*, 16> funktionSymbol_{};
    std::array<QLineEdit*, 6> schaltName_{}; // departure 1..3, then destination 1..3
    std::array<QSpinBox*, 6> schaltNummer_{};
    std::array<QLineEdit*, 6> schaltZustand_{};

    // Homepage page
    QComboBox* seite_ = nullptr;
    QSpinBox* prioritaet_ = nullptr;
    QListWidget* seitenListe_ = nullptr;
};
