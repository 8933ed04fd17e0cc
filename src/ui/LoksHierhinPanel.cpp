#include "ui/LoksHierhinPanel.h"

#include "core/Programm.h"
#include "diagram/LoksHierhin.h"
#include "operation/Zug.h"
#include "vehicles/FahrzeugBilder.h"
#include "vehicles/TFahrzeug.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QSizeGrip>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// A label that reports a left click.
class KlickLabel : public QLabel {
public:
    KlickLabel(std::function<void()> klick, QWidget* parent) : QLabel(parent), klick_(std::move(klick)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && klick_) {
            klick_();
        }
    }

private:
    std::function<void()> klick_;
};
} // namespace

LoksHierhinPanel::LoksHierhinPanel(Programm& programm, TLoksHierhin& logic, QWidget* parent)
    : QFrame(parent), programm_(programm), logic_(logic)
{
    setObjectName(QStringLiteral("LoksHierhinPanel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    titel_ = new QLabel(this);
    titel_->setObjectName(QStringLiteral("LoksHierhinTitel"));
    QFont f = titel_->font();
    f.setBold(true);
    titel_->setFont(f);
    layout->addWidget(titel_);
    seiten_ = new QTabWidget(this);
    layout->addWidget(seiten_, 1);
    connect(seiten_, &QTabWidget::currentChanged, this, [this](int) {
        if (!baut_) {
            const QString name = seiten_->tabText(seiten_->currentIndex());
            for (int i = 0; i < static_cast<int>(logic_.Seiten().size()); ++i) {
                if (logic_.Seiten()[static_cast<std::size_t>(i)].name == name) {
                    logic_.aktiveSeite = i;
                }
            }
        }
    });
    auto* unten = new QHBoxLayout();
    auto* schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    schliessen->setObjectName(QStringLiteral("SchliessenBtn"));
    connect(schliessen, &QPushButton::clicked, this, [this] {
        logic_.Schliessen();
        aktualisieren();
    });
    unten->addWidget(schliessen);
    unten->addStretch(1);
    unten->addWidget(new QSizeGrip(this), 0, Qt::AlignBottom | Qt::AlignRight);
    layout->addLayout(unten);
    resize(360, 420);
    hide();
}

QWidget* LoksHierhinPanel::seite(int index)
{
    const TLoksHierhin::Seite& s = logic_.Seiten()[static_cast<std::size_t>(index)];
    auto* scroll = new QScrollArea(seiten_);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* inhalt = new QWidget(scroll);
    inhalt->setObjectName(QStringLiteral("Seite") + s.name);
    int top = 5;
    for (const TLoksHierhin::Zeile& zeile : s.zeilen) {
        TZug* zug = zeile.zug;
        auto* bild = new KlickLabel([this, zug] {
            logic_.BildKlick(*zug);
            Q_EMIT geaendert();
            aktualisieren();
        }, inhalt);
        bild->setGeometry(5, top, 80, 20);
        bild->setPixmap(QPixmap::fromImage(programm_.fahrzeuge != nullptr ? programm_.fahrzeuge->bilder.Klein(zug->ZugBild20x80)
                                                                          : FahrzeugBilder::Platzhalter(true, QSize(80, 20))));
        auto* haken = new QCheckBox(inhalt);
        haken->setGeometry(92, top + 2, 18, 18);
        haken->setChecked(zeile.angehakt);
        haken->setEnabled(logic_.modus() == TLoksHierhin::Modus::ErlaubteZuege);
        connect(haken, &QCheckBox::toggled, this, [this, zug](bool an) { logic_.Haken(*zug, an); });
        auto* name = new KlickLabel([this, zug] {
            logic_.NameKlick(*zug);
            Q_EMIT geaendert();
            aktualisieren();
        }, inhalt);
        name->setText(zeile.text);
        name->setGeometry(115, top + 2, 220, 18);
        top += 25;
    }
    inhalt->resize(300, top + 5);
    scroll->setWidget(inhalt);
    return scroll;
}

void LoksHierhinPanel::aktualisieren()
{
    baut_ = true;
    titel_->setText(logic_.Titel);
    while (seiten_->count() > 0) {
        QWidget* w = seiten_->widget(0);
        seiten_->removeTab(0);
        w->deleteLater();
    }
    int aktiv = 0;
    for (int i = 0; i < static_cast<int>(logic_.Seiten().size()); ++i) {
        if (logic_.Seiten()[static_cast<std::size_t>(i)].sichtbar) {
            if (i == logic_.aktiveSeite) {
                aktiv = seiten_->count();
            }
            seiten_->addTab(seite(i), logic_.Seiten()[static_cast<std::size_t>(i)].name);
        }
    }
    seiten_->setCurrentIndex(aktiv);
    baut_ = false;
    setVisible(logic_.sichtbar);
    if (logic_.sichtbar) {
        raise();
    }
}
