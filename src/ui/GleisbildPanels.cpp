#include "ui/GleisbildPanels.h"

#include "diagram/TGleisbildBetrieb.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QFrame* panel(const QString& name, QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setAutoFillBackground(true);
    frame->hide();
    return frame;
}
} // namespace

GleisbildPanels::GleisbildPanels(TGleisbildBetrieb& betrieb, QWidget* diagramm) : QObject(diagramm), betrieb_(betrieb)
{
    umkehr_ = panel(QStringLiteral("TUmkehrPanel"), diagramm);
    richtungTauschen_ = new QCheckBox(QStringLiteral("Richtung tauschen"), umkehr_);
    richtungTauschen_->setObjectName(QStringLiteral("RichtungTauschenCheckBox"));
    auto* umkehrLayout = new QHBoxLayout(umkehr_);
    umkehrLayout->addWidget(richtungTauschen_);
    connect(richtungTauschen_, &QCheckBox::clicked, this, [this](bool checked) {
        betrieb_.RichtungTauschenKlick(checked);
        aktualisieren();
    });

    sprungmarke_ = panel(QStringLiteral("SprungmarkenPanel"), diagramm);
    sprungmarke_->setFrameShape(QFrame::Box);
    sprungmarke_->setAutoFillBackground(false);
    sprungmarke_->setStyleSheet(QStringLiteral("QFrame#SprungmarkenPanel { border: 2px solid red; }"));
    sprungmarke_->setAttribute(Qt::WA_TransparentForMouseEvents);

    sound_ = panel(QStringLiteral("SoundSchalterBox"), diagramm);
    auto* soundLayout = new QVBoxLayout(sound_);
    soundLayout->addWidget(new QLabel(QStringLiteral("Sound Schalter Einstellung"), sound_));
    soundDatei_ = new QLabel(sound_);
    soundDatei_->setTextFormat(Qt::PlainText);
    soundLayout->addWidget(soundDatei_);
    auto* keys = new QHBoxLayout;
    soundLayout->addLayout(keys);
    auto* waehlen = new QPushButton(QStringLiteral("Sound Datei"), sound_);
    soundOk_ = new QPushButton(QStringLiteral("&Ok"), sound_);
    soundLoeschen_ = new QPushButton(QStringLiteral("Löschen"), sound_);
    auto* abbrechen = new QPushButton(QStringLiteral("Abbrechen"), sound_);
    for (QPushButton* key : {waehlen, soundOk_, soundLoeschen_, abbrechen}) {
        keys->addWidget(key);
    }
    connect(waehlen, &QPushButton::clicked, this, [this] {
        betrieb_.SoundDateiWaehlen();
        aktualisieren();
    });
    connect(soundOk_, &QPushButton::clicked, this, [this] {
        betrieb_.SoundOk();
        aktualisieren();
    });
    connect(abbrechen, &QPushButton::clicked, this, [this] {
        betrieb_.SoundAbbrechen();
        aktualisieren();
    });
}

void GleisbildPanels::aktualisieren()
{
    umkehr_->setGeometry(betrieb_.Umkehr.rect);
    richtungTauschen_->setChecked(betrieb_.Umkehr.richtungTauschen);
    umkehr_->setVisible(betrieb_.Umkehr.sichtbar);
    sprungmarke_->setGeometry(betrieb_.Sprungmarke.rect);
    sprungmarke_->setVisible(betrieb_.Sprungmarke.sichtbar);
    sound_->move(betrieb_.Sound.pos);
    sound_->adjustSize();
    soundDatei_->setText(betrieb_.Sound.datei);
    soundOk_->setEnabled(betrieb_.Sound.okEnabled);
    soundLoeschen_->setEnabled(betrieb_.Sound.loeschenEnabled);
    sound_->setVisible(betrieb_.Sound.sichtbar);
    for (QFrame* p : {umkehr_, sound_}) {
        p->raise();
    }
    // A train taken up from its panel shows as the cursor until it is put down.
    if (!betrieb_.ZugPlatzierenAktiv()) {
        umkehr_->window()->unsetCursor();
    }
}

void BetriebsEingabe::ElementKlick(TGleisBildElement& element, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    betrieb_.ElementKlick(element, button, modifiers);
    panels_.aktualisieren();
}

void BetriebsEingabe::SignalTasteKlick(TGleisBildElement& display, bool links)
{
    betrieb_.SignalTasteKlick(display, links);
    panels_.aktualisieren();
}

void BetriebsEingabe::SchalterKlick(TSchalterElement& schalter, bool anTaste)
{
    betrieb_.SchalterKlick(schalter, anTaste);
    panels_.aktualisieren();
}

void BetriebsEingabe::SoundSchalterKlick(TSoundSchalterElement& sound, Qt::MouseButton button)
{
    betrieb_.SoundSchalterKlick(sound, button);
    panels_.aktualisieren();
}
