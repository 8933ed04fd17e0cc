#include "ui/TLokTaste.h"

#include "core/Programm.h"
#include "diagram/TTrassolin.h"
#include "operation/LokLeiste.h"
#include "operation/Zug.h"
#include "operation/ZugPanelBilder.h"
#include "vehicles/FahrzeugBilder.h"
#include "vehicles/TFahrzeug.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

namespace {
QToolButton* taste(QWidget* parent, const QString& name, const QString& hint, QRect geometry)
{
    auto* key = new QToolButton(parent);
    key->setObjectName(name);
    key->setToolTip(hint);
    key->setGeometry(geometry);
    key->setIconSize(QSize(16, 14));
    key->setAutoRaise(true);
    return key;
}
} // namespace

TLokTaste::TLokTaste(Programm& programm, TTrassolin& logic, const QString& name, QWidget* parent)
    : QFrame(parent), programm_(programm), logic_(logic)
{
    setObjectName(name);
    setFixedSize(120, 80);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    label_ = new QLabel(QStringLiteral("Keine Lok"), this);
    label_->setObjectName(QStringLiteral("LokLabel"));
    label_->setAlignment(Qt::AlignHCenter);
    label_->setGeometry(2, 4, 116, 16);
    QFont klein = label_->font();
    klein.setPointSizeF(klein.pointSizeF() * 0.85);
    label_->setFont(klein);
    bild_ = new QLabel(this);
    bild_->setObjectName(QStringLiteral("LokBild"));
    bild_->setGeometry(2, 22, 116, 25);
    bild_->setScaledContents(true);
    bild_->setCursor(Qt::PointingHandCursor);
    bild_->installEventFilter(this);
    stop_ = taste(this, QStringLiteral("LokStopBtn"), QStringLiteral("Stop Lok"), QRect(5, 48, 20, 17));
    stop_->setIcon(QIcon(QPixmap::fromImage(ZugPanelBild(1))));
    licht_ = taste(this, QStringLiteral("SpeedButtonLicht"), QStringLiteral("Licht An - Aus"), QRect(30, 48, 22, 17));
    verfolgung_ = new QLabel(QStringLiteral("<--->"), this);
    verfolgung_->setObjectName(QStringLiteral("ZugverfolgungLabel"));
    verfolgung_->move(55, 48);
    verbunden_ = new QLabel(QStringLiteral("Lok ist nicht mit \nZentrale verbunden"), this);
    verbunden_->setObjectName(QStringLiteral("ZugVerbundenLabel"));
    // Over the picture: the train cannot be driven until it is bound.
    verbunden_->setStyleSheet(QStringLiteral("color: red; background: rgba(255, 255, 255, 200); font-size: 7pt;"));
    verbunden_->setGeometry(2, 22, 116, 25);
    verbunden_->setAlignment(Qt::AlignCenter);
    verbunden_->hide();
    connect(stop_, &QToolButton::clicked, this, [this] {
        if (zug_ != nullptr) {
            logic_.LokStopKlick(*zug_);
        }
    });
    connect(licht_, &QToolButton::clicked, this, [this] {
        if (zug_ != nullptr) {
            logic_.LokLichtKlick(*zug_);
        }
    });
    hide();
}

TLokTaste::~TLokTaste()
{
    setZug(nullptr);
}

void TLokTaste::setZug(TZug* zug)
{
    if (zug == zug_) {
        Neuzeichnen();
        return;
    }
    if (zug_ != nullptr) {
        zug_->NichtMehrBeobachten(beobachter_);
    }
    zug_ = zug;
    beobachter_ = zug_ != nullptr ? zug_->Beobachten([this] { Neuzeichnen(); }) : 0;
    Neuzeichnen();
}

void TLokTaste::Neuzeichnen()
{
    const TLokLeiste::TastenAnsicht a = TLokLeiste::Ansicht(zug_, programm_.ZentraleTyp());
    setVisible(a.sichtbar);
    label_->setText(label_->fontMetrics().elidedText(a.label, Qt::ElideMiddle, label_->width()));
    label_->setToolTip(a.label);
    verbunden_->setVisible(a.nichtVerbundenLabel);
    for (QWidget* w : {static_cast<QWidget*>(stop_), static_cast<QWidget*>(licht_), static_cast<QWidget*>(bild_)}) {
        w->setEnabled(a.bedienbar);
    }
    licht_->setIcon(QIcon(QPixmap::fromImage(ZugPanelBild(a.licht ? 4 : 5))));
    if (zug_ != nullptr && programm_.fahrzeuge != nullptr) {
        bild_->setPixmap(QPixmap::fromImage(programm_.fahrzeuge->bilder.Klein(zug_->ZugBild20x80)));
    } else if (zug_ != nullptr) {
        bild_->setPixmap(QPixmap::fromImage(FahrzeugBilder::Platzhalter(true, QSize(80, 20))));
    } else {
        bild_->clear();
    }
    QPalette p = QApplication::palette(this);
    if (a.ungebundenFarbe) {
        p.setColor(QPalette::Window, p.color(QPalette::Highlight).lighter(160));
    }
    setPalette(p);
}

bool TLokTaste::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == bild_ && event->type() == QEvent::MouseButtonPress && zug_ != nullptr && bild_->isEnabled()
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        logic_.LokBildKlick(*zug_);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
