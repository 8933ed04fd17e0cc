#include "ui/TProtokolEcosForm.h"

#include "drivers/ecos/TProtokolEcos.h"
#include "settings/ZentraleNamen.h"

#include <QCheckBox>
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

    // "Loks": the command station's locomotives and the project's trains.
    auto* lokSeite = new QWidget;
    auto* ll = new QHBoxLayout(lokSeite);
    loks_ = tabelle(QStringLiteral("LokomotiveVST"), {QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Adresse"),
                                                      QStringLiteral("Protokoll"), QStringLiteral("Fahrstufen"), QStringLiteral("DB")});
    zuege_ = tabelle(QStringLiteral("FahrzeugVST"), {QStringLiteral("Nr"), QStringLiteral("Adresse"), QStringLiteral("Name"),
                                                     QStringLiteral("ECoS ID"), QStringLiteral("")});
    auto* lokSpalte = new QVBoxLayout;
    lokSpalte->addWidget(loks_);
    auto* lesen = new QPushButton(QStringLiteral("Loks von Zentrale übertragen"));
    lesen->setObjectName(QStringLiteral("LokEinlesenButton"));
    connect(lesen, &QPushButton::clicked, this, [this] { driver_.lokEinlesen(loks_->currentRow()); });
    lokSpalte->addWidget(lesen);
    ll->addLayout(lokSpalte, 3);
    auto* zugSpalte = new QVBoxLayout;
    zugSpalte->addWidget(new QLabel(QStringLiteral("Aus Fahrzeugdatenbank")));
    zugSpalte->addWidget(zuege_);
    ll->addLayout(zugSpalte, 2);
    seiten_->addTab(lokSeite, QStringLiteral("Loks"));

    // "Magnetartikel" and "Rückmelde-kontakte".
    mags_ = tabelle(QStringLiteral("MagnetArtikelVST"), {QStringLiteral("ID"), QStringLiteral("Adresse"), QStringLiteral("Name"),
                                                         QStringLiteral("Protokoll")});
    seiten_->addTab(mags_, QStringLiteral("Magnetartikel"));
    module_ = tabelle(QStringLiteral("S88VST"), {QStringLiteral("Modul"), QStringLiteral("ID"), QStringLiteral("Kontakte")});
    seiten_->addTab(module_, QStringLiteral("Rückmelde-kontakte"));

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
    befehl_ = new QLineEdit(QStringLiteral("request(20040, control)"));
    befehl_->setObjectName(QStringLiteral("BefehlEdit"));
    auto* senden = new QPushButton(QStringLiteral("Send"));
    connect(senden, &QPushButton::clicked, this, [this] { driver_.sendeBefehl(befehl_->text()); });
    auto* zeileLayout = new QHBoxLayout;
    zeileLayout->addWidget(befehl_);
    zeileLayout->addWidget(senden);
    dl->addWidget(debug_);
    dl->addWidget(queue_);
    dl->addLayout(zeileLayout);

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
    module_->setRowCount(driver_.modulAnzahl());
    for (int r = 0; r < driver_.modulAnzahl(); ++r) {
        const S88Record& s = driver_.module()[static_cast<size_t>(r)];
        zeile(module_, r, {s.Label + QString::number(r + 1), s.Id,
                           QStringLiteral("%1 - %2").arg(s.Kontakte.front()).arg(s.Kontakte.back())});
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
