#include "ui/TProtokolEcosForm.h"

#include "drivers/ecos/TProtokolEcos.h"
#include "settings/ZentraleNamen.h"
#include "ui/FahrzeugModel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTreeView>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QTableWidget* tabelle(const QString& name, const QStringList& spalten)
{
    auto* t = new QTableWidget(0, static_cast<int>(spalten.size()));
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(spalten);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->verticalHeader()->setVisible(false);
    return t;
}

void zeile(QTableWidget* t, int row, const QStringList& werte)
{
    for (int c = 0; c < werte.size(); ++c) {
        auto* item = t->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            t->setItem(row, c, item);
        }
        if (item->text() != werte[c]) {
            item->setText(werte[c]);
        }
    }
}

// Shows the last lines of a log without re-parsing what is already there.
void logZeigen(QPlainTextEdit* edit, const QStringList& lines)
{
    const QString text = lines.join(u'\n');
    if (edit->toPlainText() != text) {
        edit->setPlainText(text);
        edit->moveCursor(QTextCursor::End);
    }
}
} // namespace

TProtokolEcosForm::TProtokolEcosForm(TProtokolEcos& driver, QWidget* parent)
    : QWidget(parent, Qt::Window), driver_(driver), refresh_(new QTimer(this))
{
    const QString kurz = driver.variante().dateiPrefix;
    setObjectName(QStringLiteral("TProtokol%1Form").arg(kurz));
    setWindowTitle(QStringLiteral("Protokol ") + driver.name());
    resize(820, 560);

    auto* layout = new QVBoxLayout(this);
    auto* menus = new QMenuBar;
    layout->setMenuBar(menus);
    einlesenMenu_ = menus->addMenu(QStringLiteral("&Einlesen von ") + driver.name());
    einlesenMenu_->setObjectName(QStringLiteral("EinlesenMenu"));
    QAction* lokLesen = einlesenMenu_->addAction(QStringLiteral("Lok einlesen von ") + driver.name());
    connect(lokLesen, &QAction::triggered, this, [this] {
        if (driver_.lesenFragen(loks_->currentRow(), QStringLiteral(" - Lokdaten aus Zentrale "))) {
            driver_.lokEinlesen(loks_->currentRow());
        }
    });
    seiten_ = new QTabWidget;
    seiten_->setObjectName(QStringLiteral("Seiten"));
    layout->addWidget(seiten_);

    // "Interface": connection and log.
    auto* interfaceSeite = new QWidget;
    auto* il = new QVBoxLayout(interfaceSeite);
    verbindung_ = new QLabel;
    verbindung_->setObjectName(QStringLiteral("VerbindungLabel"));
    zentrale_ = new QLabel;
    zentrale_->setObjectName(QStringLiteral("ZentraleLabel"));
    versionen_ = new QLabel;
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("StatusLabel"));
    loksLaden_ = new QCheckBox(QStringLiteral("Loks immer von Zentrale laden"));
    magLaden_ = new QCheckBox(QStringLiteral("Magnetartikel immer von Zentrale laden"));
    info_ = new QPlainTextEdit;
    info_->setObjectName(QStringLiteral("InfoAblauf"));
    info_->setReadOnly(true);
    for (QWidget* w : {static_cast<QWidget*>(verbindung_), static_cast<QWidget*>(zentrale_), static_cast<QWidget*>(versionen_),
                       static_cast<QWidget*>(loksLaden_), static_cast<QWidget*>(magLaden_)}) {
        il->addWidget(w);
    }
    il->addWidget(new QLabel(QStringLiteral("Info Ablauf")));
    il->addWidget(info_);
    il->addWidget(status_);
    seiten_->addTab(interfaceSeite, QStringLiteral("Interface"));
    connect(loksLaden_, &QCheckBox::toggled, this, [this](bool on) { driver_.LoksImmerVonZentraleLaden = on; });
    connect(magLaden_, &QCheckBox::toggled, this, [this](bool on) { driver_.MagnetartikelImmerVonZentraleLaden = on; });

    // "Loks": the command station's locomotives and the project's trains; the take-over panel
    // replaces both while it is open.
    auto* lokSeite = new QWidget;
    auto* ll = new QHBoxLayout(lokSeite);
    loks_ = tabelle(QStringLiteral("LokomotiveVST"), {QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Adresse"),
                                                      QStringLiteral("Protokoll"), QStringLiteral("Fahrstufen"), QStringLiteral("DB")});
    zuege_ = tabelle(QStringLiteral("FahrzeugVST"), {QStringLiteral("Nr"), QStringLiteral("Adresse"), QStringLiteral("Name"),
                                                     QStringLiteral("ECoS ID"), QStringLiteral("")});
    auto* lokSpalte = new QVBoxLayout;
    lokSpalte->addWidget(loks_);
    const auto knopf = [](const QString& text, const char* name) {
        auto* b = new QPushButton(text);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    auto* lesen = knopf(QStringLiteral("Loks von Zentrale übertragen"), "LokEinlesenButton");
    connect(lesen, &QPushButton::clicked, this, [this] {
        if (driver_.lesenFragen(loks_->currentRow(), QStringLiteral(" - Lokdaten aus Zentrale "))) {
            driver_.lokEinlesen(loks_->currentRow());
        }
    });
    leseKnoepfe_.push_back(lesen);
    struct Bereich {
        int von, bis;
        const char* name;
    };
    for (const Bereich b : {Bereich{1, 4, "Funktionen1Button"}, Bereich{5, 10, "Funktionen5Button"}, Bereich{11, 16, "Funktionen11Button"}}) {
        auto* k = knopf(QStringLiteral("Lok Funktionen %1-%2 einlesen").arg(b.von).arg(b.bis), b.name);
        connect(k, &QPushButton::clicked, this, [this, b] {
            const QString was = QStringLiteral(" - Funktionen %1-%2 aus Zentrale ").arg(b.von).arg(b.bis);
            if (driver_.lesenFragen(loks_->currentRow(), was)) {
                driver_.lokFunktionenEinlesen(loks_->currentRow(), b.von, b.bis);
            }
        });
        leseKnoepfe_.push_back(k);
    }
    auto* funktionen17 = knopf(QStringLiteral("Lok Funktionen 17-28 einlesen"), "Funktionen17Button");
    connect(funktionen17, &QPushButton::clicked, this, [this] { driver_.lokFunktionenEinlesen(loks_->currentRow(), 17, 28); });
    auto* uebernehmen = knopf(QStringLiteral("Lok in fahrzeugdatenbank übernehmen"), "UebernehmenButton");
    connect(uebernehmen, &QPushButton::clicked, this, [this] {
        if (driver_.UebernahmeStarten(loks_->currentRow())) {
            aktualisieren();
        }
    });
    auto* knopfZeile = new QHBoxLayout;
    for (QPushButton* k : leseKnoepfe_) {
        knopfZeile->addWidget(k);
    }
    knopfZeile->addWidget(funktionen17);
    lokSpalte->addLayout(knopfZeile);
    lokSpalte->addWidget(uebernehmen);
    ll->addLayout(lokSpalte, 3);
    auto* zugSpalte = new QVBoxLayout;
    zugSpalte->addWidget(new QLabel(QStringLiteral("Aus Fahrzeugdatenbank")));
    zugSpalte->addWidget(zuege_);
    ll->addLayout(zugSpalte, 2);

    uebernahme_ = new QGroupBox;
    uebernahme_->setObjectName(QStringLiteral("UebernahmePanel"));
    auto* ul = new QVBoxLayout(uebernahme_);
    uebernahmeHinweis_ = new QLabel;
    uebernahmeHinweis_->setObjectName(QStringLiteral("UebernahmeHinweis"));
    baum_ = new QTreeView;
    baum_->setObjectName(QStringLiteral("UebernahmeBaum"));
    baum_->setHeaderHidden(true);
    baum_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    baum_->setDragEnabled(false);
    uebernahmeOk_ = knopf(QStringLiteral("Ok"), "UebernahmeOk");
    auto* abbrechen = knopf(QStringLiteral("Abbrechen"), "UebernahmeAbbrechen");
    connect(uebernahmeOk_, &QPushButton::clicked, this, [this] {
        driver_.UebernahmeOk();
        aktualisieren();
    });
    connect(abbrechen, &QPushButton::clicked, this, [this] {
        driver_.UebernahmeAbbrechen();
        aktualisieren();
    });
    auto* okZeile = new QHBoxLayout;
    okZeile->addWidget(uebernahmeOk_, 1);
    okZeile->addWidget(abbrechen);
    ul->addWidget(uebernahmeHinweis_);
    ul->addWidget(baum_, 1);
    ul->addLayout(okZeile);

    lokStapel_ = new QStackedWidget;
    lokStapel_->addWidget(lokSeite);
    lokStapel_->addWidget(uebernahme_);
    seiten_->addTab(lokStapel_, QStringLiteral("Loks"));

    // "Magnetartikel" and "Rückmelde-kontakte".
    mags_ = tabelle(QStringLiteral("MagnetArtikelVST"), {QStringLiteral("ID"), QStringLiteral("Adresse"), QStringLiteral("Name"),
                                                         QStringLiteral("Protokoll")});
    seiten_->addTab(mags_, QStringLiteral("Magnetartikel"));
    module_ = tabelle(QStringLiteral("S88VST"), {QStringLiteral("Modul"), QStringLiteral("ID"), QStringLiteral("Kontakte")});
    auto* modulSeite = new QWidget;
    auto* ml = new QVBoxLayout(modulSeite);
    modulWahl_ = new QComboBox;
    modulWahl_->setObjectName(QStringLiteral("ModulAnzahl"));
    connect(modulWahl_, &QComboBox::activated, this, [this](int index) { driver_.ModulAnzahlWaehlen(index + 1); });
    kontakte_ = new QLabel;
    kontakte_->setObjectName(QStringLiteral("KontakteLabel"));
    auto* modulZeile = new QHBoxLayout;
    modulZeile->addWidget(new QLabel(QStringLiteral("S88 Module")));
    modulZeile->addWidget(modulWahl_);
    modulZeile->addWidget(kontakte_, 1);
    ml->addLayout(modulZeile);
    ml->addWidget(module_);
    seiten_->addTab(modulSeite, QStringLiteral("Rückmelde-kontakte"));

    // "Debug": what went over the link, the receive queue, a command line.
    debugSeite_ = new QWidget(this); // shown as a page only while debugging
    debugSeite_->hide();
    auto* dl = new QVBoxLayout(debugSeite_);
    debug_ = new QPlainTextEdit;
    debug_->setObjectName(QStringLiteral("DebugLog"));
    debug_->setReadOnly(true);
    queue_ = new QPlainTextEdit;
    queue_->setObjectName(QStringLiteral("EmpfangsQueue"));
    queue_->setReadOnly(true);
    queue_->setMaximumHeight(90);
    dl->addWidget(debug_);
    dl->addWidget(queue_);
    const QStringList vorgaben = {QStringLiteral("request(20040, control)"), QStringLiteral("set(20040, state[1])"),
                                  QStringLiteral("set(20040, state[0])"), QString(), QString()};
    for (int i = 0; i < vorgaben.size(); ++i) {
        auto* edit = new QLineEdit(vorgaben[i]);
        edit->setObjectName(i == 0 ? QStringLiteral("BefehlEdit") : QStringLiteral("BefehlEdit%1").arg(i + 1));
        if (i == 0) {
            befehl_ = edit;
        }
        auto* senden = new QPushButton(QStringLiteral("Send"));
        connect(senden, &QPushButton::clicked, this, [this, edit] { driver_.sendeBefehl(edit->text()); });
        auto* zeileLayout = new QHBoxLayout;
        zeileLayout->addWidget(edit);
        zeileLayout->addWidget(senden);
        dl->addLayout(zeileLayout);
    }
    auto* s88 = new QPushButton(QStringLiteral("S88 Einlesen"));
    s88->setObjectName(QStringLiteral("S88EinlesenButton"));
    connect(s88, &QPushButton::clicked, this, [this] { driver_.S88Einlesen(); });
    dl->addWidget(s88);

    refresh_->setSingleShot(true);
    refresh_->setInterval(100);
    connect(refresh_, &QTimer::timeout, this, &TProtokolEcosForm::aktualisieren);
    connect(&driver_, &TProtokolEcos::changed, this, [this] {
        if (isVisible() && !refresh_->isActive()) {
            refresh_->start();
        }
    });
    connect(&driver_, &TProtokolEcos::zeigenAngefordert, this, [this] {
        aktualisieren();
        show();
        raise();
        activateWindow();
    });
    aktualisieren();
}

void TProtokolEcosForm::aktualisieren()
{
    verbindung_->setText(driver_.VerbindungText);
    zentrale_->setText(driver_.ZentraleLabel);
    versionen_->setText(QStringList{driver_.ProtokolLabel, driver_.ApplikationLabel, driver_.HardwareLabel}.join(QStringLiteral("   ")));
    status_->setText(driver_.Meldung.isEmpty() ? driver_.StatusText : QString(driver_.Meldung).replace(u'\r', u'\n'));
    loksLaden_->setChecked(driver_.LoksImmerVonZentraleLaden);
    magLaden_->setChecked(driver_.MagnetartikelImmerVonZentraleLaden);
    logZeigen(info_, driver_.infoLog);

    const auto& loks = driver_.loks();
    loks_->setRowCount(static_cast<int>(loks.size()));
    for (int r = 0; r < static_cast<int>(loks.size()); ++r) {
        const LokRecord& l = loks[static_cast<size_t>(r)];
        zeile(loks_, r, {l.Key, l.Name, QString::number(l.Addr), l.Protokoll, QString::number(l.Fahrstufen), l.Mark});
    }
    const auto& zuege = driver_.zugAnsicht();
    zuege_->setRowCount(static_cast<int>(zuege.size()));
    for (int r = 0; r < static_cast<int>(zuege.size()); ++r) {
        const EcosZugZeile& z = zuege[static_cast<size_t>(r)];
        zeile(zuege_, r, {QString::number(z.ZugNr), QString::number(z.Addr), z.Name, z.EcosId, z.Mark});
    }
    const auto& mags = driver_.magnetArtikel();
    mags_->setRowCount(static_cast<int>(mags.size()));
    for (int r = 0; r < static_cast<int>(mags.size()); ++r) {
        const MagRecord& m = mags[static_cast<size_t>(r)];
        zeile(mags_, r, {m.Id, QString::number(m.Addr), m.Name, m.Protokoll});
    }
    if (modulWahl_->count() != driver_.ModulAuswahlAnzahl) {
        modulWahl_->clear();
        for (int n = 1; n <= driver_.ModulAuswahlAnzahl; ++n) {
            modulWahl_->addItem(QString::number(n));
        }
    }
    modulWahl_->setCurrentIndex(driver_.ModulAuswahl - 1);
    modulWahl_->setEnabled(driver_.ModulAuswahlAktiv);
    kontakte_->setText(driver_.KontaktLabel);
    module_->setRowCount(driver_.modulAnzahl());
    for (int r = 0; r < driver_.modulAnzahl(); ++r) {
        const S88Record& s = driver_.module()[static_cast<size_t>(r)];
        zeile(module_, r, {s.Label + QString::number(r + 1), s.Id,
                           QStringLiteral("%1 - %2").arg(s.Kontakte.front()).arg(s.Kontakte.back())});
    }

    // The take-over panel: the other pages, the read menu and closing wait until it is done.
    const bool uebernahme = driver_.uebernahmeAktiv();
    lokStapel_->setCurrentWidget(uebernahme ? static_cast<QWidget*>(uebernahme_) : lokStapel_->widget(0));
    uebernahme_->setTitle(driver_.UebernahmeCaption);
    uebernahmeHinweis_->setText(driver_.UebernahmeHinweis);
    uebernahmeOk_->setText(driver_.UebernehmenText.isEmpty() ? QStringLiteral("Ok") : driver_.UebernehmenText);
    uebernahmeOk_->setEnabled(uebernahme && driver_.UebernehmenOk);
    for (int i = 0; i < seiten_->count(); ++i) {
        seiten_->setTabEnabled(i, !uebernahme || seiten_->widget(i) == lokStapel_);
    }
    if (uebernahme) {
        seiten_->setCurrentWidget(lokStapel_);
    }
    einlesenMenu_->setEnabled(driver_.LeseKnoepfeAktiv && !uebernahme);
    for (QPushButton* k : leseKnoepfe_) {
        k->setEnabled(driver_.LeseKnoepfeAktiv);
    }

    const int debugIndex = seiten_->indexOf(debugSeite_);
    if (driver_.DebugSichtbar && debugIndex < 0) {
        seiten_->addTab(debugSeite_, QStringLiteral("Debug"));
        seiten_->setCurrentWidget(debugSeite_);
    } else if (!driver_.DebugSichtbar && debugIndex >= 0) {
        seiten_->removeTab(debugIndex);
        seiten_->setCurrentIndex(0);
    }
    if (driver_.DebugSichtbar) {
        logZeigen(debug_, driver_.debugLog.mid(std::max<qsizetype>(0, driver_.debugLog.size() - 500)));
        QStringList queue;
        for (const QString& line : driver_.empfangsQueue()) {
            queue << line;
        }
        logZeigen(queue_, queue);
    }
}

void TProtokolEcosForm::setFahrzeugBaum(FahrzeugModel* model)
{
    if (fahrzeugModel_ || !model) {
        return;
    }
    fahrzeugModel_ = model;
    baum_->setModel(model);
    connect(baum_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (driver_.uebernahmeAktiv()) {
            driver_.UebernahmeAuswahl(fahrzeugModel_->knoten(current));
            aktualisieren();
        }
    });
    connect(model, &QAbstractItemModel::modelReset, baum_, &QTreeView::expandAll);
    baum_->expandAll();
}

void TProtokolEcosForm::closeEvent(QCloseEvent* event)
{
    // The close button is off while a locomotive is being taken over.
    if (driver_.uebernahmeAktiv()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
