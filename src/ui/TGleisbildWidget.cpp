#include "ui/TGleisbildWidget.h"

#include "diagram/GleisBild.h"
#include "diagram/GleisbildEingabe.h"
#include "diagram/GleisbildZeichner.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

namespace {
constexpr int kRand = 8; // space right of and below the background area
}

TGleisbildWidget::TGleisbildWidget(TGleisBild& bild, QWidget* parent) : QWidget(parent), bild_(bild)
{
    setObjectName(QStringLiteral("GleisbildWidget"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    resize(sizeHint());
    connect(&bild_, &TGleisBild::neuZeichnen, this, &TGleisbildWidget::elementNeuZeichnen);
    connect(&bild_, &TGleisBild::allesNeuZeichnen, this, qOverload<>(&QWidget::update));
}

QSize TGleisbildWidget::sizeHint() const
{
    const QRect r = HintergrundRect();
    return {r.right() + 1 + kRand, r.bottom() + 1 + kRand};
}

QRect TGleisbildWidget::ElementRect(const TGleisBildElement& element) { return element.rect; }

void TGleisbildWidget::elementNeuZeichnen(TGleisBildElement* element)
{
    if (element != nullptr && bild_.Enthaelt(element)) {
        update(ElementRect(*element));
    }
}

void TGleisbildWidget::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect dirty = event->rect();
    // Scattered cells (one contact's elements) arrive as one region: paint only what lies in it.
    const QRegion region = event->region();
    p.fillRect(dirty, palette().color(QPalette::Window));
    p.setClipRegion(region);
    const ZeichenOptionen o = ZeichenOptionenVon(bild_);
    HintergrundZeichnen(p, o);
    for (const auto& e : bild_.Elemente()) {
        if (!e->Visible || !region.intersects(e->rect)) {
            continue;
        }
        p.save();
        p.translate(e->rect.topLeft());
        ElementZeichnen(p, *e, o, bild_.trains());
        p.restore();
    }
    const TDrehscheibeElement& d = bild_.Drehscheibe();
    if (d.Visible && QRect(d.Left, d.Top, DrehscheibeGroesse, DrehscheibeGroesse).intersects(dirty)) {
        p.save();
        p.translate(d.Left, d.Top);
        DrehscheibeZeichnen(p, d, o.modus >= 2 && o.modus <= 8);
        p.restore();
    }
    for (const auto& t : bild_.TextElemente()) {
        if (t->Visible && QRect(t->Left, t->Top, t->Width, t->Height).intersects(dirty)) {
            p.save();
            p.translate(t->Left, t->Top);
            TextElementZeichnen(p, *t);
            p.restore();
        }
    }
    for (const auto& s : bild_.SchalterElemente()) {
        if (s->Visible && QRect(s->Left, s->Top, SchalterBreite(*s), s->Height).intersects(dirty)) {
            p.save();
            p.translate(s->Left, s->Top);
            SchalterZeichnen(p, *s);
            p.restore();
        }
    }
    for (const auto& s : bild_.SoundSchalterElemente()) {
        if (s->Visible && QRect(s->Left, s->Top, s->Width, s->Height).intersects(dirty)) {
            p.save();
            p.translate(s->Left, s->Top);
            SoundSchalterZeichnen(p, *s);
            p.restore();
        }
    }
}

void TGleisbildWidget::mousePressEvent(QMouseEvent* event)
{
    if (eingabe_ == nullptr) {
        QWidget::mousePressEvent(event);
        return;
    }
    const Treffer t = GleisbildTreffer(bild_, event->position().toPoint());
    switch (t.art) {
    case Treffer::Art::Element:
        eingabe_->ElementKlick(*t.element, event->button(), event->modifiers());
        break;
    case Treffer::Art::SignalTaste:
        eingabe_->SignalTasteKlick(*t.element, t.links);
        break;
    case Treffer::Art::Schalter:
        if (t.aufTaste) {
            eingabe_->SchalterKlick(*t.schalter, t.anTaste);
        }
        break;
    case Treffer::Art::SoundSchalter:
        eingabe_->SoundSchalterKlick(*t.sound, event->button());
        break;
    default:
        QWidget::mousePressEvent(event);
        break;
    }
}

bool TGleisbildWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* hilfe = static_cast<QHelpEvent*>(event);
        const QString text = GleisbildHinweis(bild_, hilfe->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            // Plain text, never parsed as rich text.
            QToolTip::showText(hilfe->globalPos(), text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")), this);
        }
        return true;
    }
    return QWidget::event(event);
}
