#include "ui/LokLeisteWidget.h"

#include "core/Programm.h"
#include "diagram/TTrassolin.h"
#include "ui/TLokTaste.h"

#include <QMouseEvent>
#include <QTabWidget>
#include <QToolButton>

LokLeisteWidget::LokLeisteWidget(Programm& programm, TTrassolin& logic, QWidget* parent)
    : QFrame(parent), programm_(programm), logic_(logic)
{
    setObjectName(QStringLiteral("LokBtnPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    einzeln_ = new QWidget(this);
    einzelTasten_ = tastenReihe(einzeln_, QStringLiteral("LokTaste"));
    sortiert_ = new QTabWidget(this);
    sortiert_->setObjectName(QStringLiteral("LokLeisteSortiert"));
    const struct {
        const char* seite;
        const char* taste;
    } seiten[] = {{"Dampflok", "LokTasteDampf"}, {"Diesellok", "LokTasteDiesel"}, {"E-Lok", "LokTasteElok"}};
    for (const auto& s : seiten) {
        auto* page = new QWidget(sortiert_);
        seitenTasten_.push_back(tastenReihe(page, QString::fromUtf8(s.taste)));
        sortiert_->addTab(page, QString::fromUtf8(s.seite));
    }
    connect(sortiert_, &QTabWidget::currentChanged, this, [this](int seite) { logic_.LokLeisteSeite(seite); });
    minus_ = new QToolButton(this);
    minus_->setObjectName(QStringLiteral("LokLeisteMinus"));
    minus_->setArrowType(Qt::LeftArrow);
    plus_ = new QToolButton(this);
    plus_->setObjectName(QStringLiteral("LokLeistePlus"));
    plus_->setArrowType(Qt::RightArrow);
    connect(minus_, &QToolButton::clicked, this, [this] { logic_.LokLeisteMinus(); });
    connect(plus_, &QToolButton::clicked, this, [this] { logic_.LokLeistePlus(); });
}

// Key k sits at left 122k - 120, top 2.
std::vector<TLokTaste*> LokLeisteWidget::tastenReihe(QWidget* parent, const QString& name)
{
    std::vector<TLokTaste*> tasten;
    for (int k = 1; k <= logic_.lokLeiste().tastenAnzahl(); ++k) {
        auto* t = new TLokTaste(programm_, logic_, name + QString::number(k), parent);
        t->move(122 * k - 120, 2);
        tasten.push_back(t);
    }
    return tasten;
}

TLokTaste* LokLeisteWidget::taste(bool sortiert, int seite, int nr) const
{
    const std::vector<TLokTaste*>* reihe = nullptr;
    if (!sortiert && seite == 0) {
        reihe = &einzelTasten_;
    } else if (sortiert && seite >= 0 && seite < static_cast<int>(seitenTasten_.size())) {
        reihe = &seitenTasten_[static_cast<std::size_t>(seite)];
    }
    return reihe != nullptr && nr >= 1 && nr <= static_cast<int>(reihe->size()) ? (*reihe)[static_cast<std::size_t>(nr - 1)] : nullptr;
}

void LokLeisteWidget::aktualisieren()
{
    const TLokLeiste& leiste = logic_.lokLeiste();
    const bool sortiert = leiste.sortiert();
    einzeln_->setVisible(!sortiert);
    sortiert_->setVisible(sortiert);
    // Nothing to offer while the window is locked (before a project is open).
    setVisible(logic_.LokLeisteSichtbar && logic_.steuerzustand() != TTrassolin::Steuerzustand::Gesperrt);
    for (int seite = 0; seite < static_cast<int>(leiste.seiten().size()); ++seite) {
        const std::vector<TZug*> zuege = leiste.Tasten(seite);
        for (int nr = 1; nr <= leiste.tastenAnzahl(); ++nr) {
            if (TLokTaste* t = taste(sortiert, seite, nr)) {
                t->setZug(nr <= static_cast<int>(zuege.size()) ? zuege[static_cast<std::size_t>(nr - 1)] : nullptr);
            }
        }
    }
    if (sortiert && sortiert_->currentIndex() != leiste.aktiveSeite) {
        sortiert_->setCurrentIndex(leiste.aktiveSeite);
    }
    minus_->setEnabled(leiste.MinusEnabled());
    plus_->setEnabled(leiste.PlusEnabled());
}

// The single bar is 84 pixels high, the sorted one 115; the paging keys sit 25 pixels from the
// right edge.
void LokLeisteWidget::platzieren(int unten, int breite)
{
    const bool sortiert = logic_.lokLeiste().sortiert();
    const int hoehe = sortiert ? 115 : 86;
    resize(breite, hoehe);
    einzeln_->setGeometry(0, 0, breite - 30, hoehe);
    sortiert_->setGeometry(2, 2, breite - 30, 110);
    minus_->setGeometry(breite - 25, 10, 20, 30);
    plus_->setGeometry(breite - 25, 45, 20, 30);
    if (!verschoben_ || sortiert) {
        move(logic_.LokLeisteLeft, unten - 5 - hoehe);
    }
}

void LokLeisteWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !logic_.lokLeiste().sortiert()) {
        ziehen_ = event->position().toPoint();
    }
    QFrame::mousePressEvent(event);
}

void LokLeisteWidget::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && !logic_.lokLeiste().sortiert()) {
        move(mapToParent(event->position().toPoint() - ziehen_));
        verschoben_ = true;
        logic_.LokLeisteLeft = x();
        logic_.LokLeisteTop = y();
    }
    QFrame::mouseMoveEvent(event);
}
