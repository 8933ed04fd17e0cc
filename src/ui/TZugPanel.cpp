#include "ui/TZugPanel.h"

#include "core/ColorText.h"
#include "core/Programm.h"
#include "core/TextFields.h"
#include "diagram/TTrassolin.h"
#include "operation/Zug.h"
#include "operation/ZugPanelBilder.h"
#include "vehicles/TFahrzeug.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSlider>
#include <QTextDocument>
#include <QAbstractButton>

namespace {
// The train's picture: the right button takes the train up, the left one drags the panel.
class TZugImage : public QLabel {
public:
    explicit TZugImage(TZugPanel* panel) : QLabel(panel), panel_(panel) {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::RightButton) {
            panel_->ZugAufnehmen();
            event->accept();
            return;
        }
        event->ignore(); // on to the panel
    }

private:
    TZugPanel* panel_;
};

// A key that shows its picture at the key's full size, shifted while held down.
class BildTaste : public QAbstractButton {
public:
    explicit BildTaste(QWidget* parent) : QAbstractButton(parent) {}
    QSize sizeHint() const override { return {20, 20}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawPixmap(isDown() ? QPoint(1, 1) : QPoint(0, 0), icon().pixmap(size()));
    }
};

// Hints are plain text; "\n\r" in a given text is one line break.
QString hinweisText(QString text)
{
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    if (Qt::mightBeRichText(text)) {
        return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"))
               + QStringLiteral("</p>");
    }
    return text;
}

constexpr int kRand = 4;
} // namespace

TZugPanel::TZugPanel(Programm& programm, TZug& zug, QWidget* parent)
    : QFrame(parent), programm_(programm), zug_(zug)
{
    setObjectName(QStringLiteral("ZugPanel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    funktionBild_.fill(-1);

    name_ = new QLabel(this);
    name_->setObjectName(QStringLiteral("ZugNameLabel"));
    name_->setTextFormat(Qt::PlainText);
    name_->setGeometry(kRand, 3, 154, 16);
    QFont schrift = name_->font();
    schrift.setPixelSize(11);
    name_->setFont(schrift);

    stop_ = bildTaste(QStringLiteral("ZugStopButton"), QStringLiteral("Stop"), QRect(26, 133, 20, 20));
    stop_->setIcon(QPixmap::fromImage(ZugPanelBild(ZugPanelAnsicht::BildStop)));
    schliessen_ = bildTaste(QStringLiteral("ZugCloseButton"), QStringLiteral("Close"), QRect(160, 2, 17, 17));
    schliessen_->setIcon(QPixmap::fromImage(ZugPanelBild(ZugPanelAnsicht::BildSchliessen)));

    ecosId_ = new QLabel(this);
    ecosId_->setObjectName(QStringLiteral("ECOSIDLabel"));
    ecosId_->setTextFormat(Qt::PlainText);
    ecosId_->setGeometry(kRand, 60, 40, 14);
    ecosId_->hide();

    bild_ = new TZugImage(this);
    bild_->setObjectName(QStringLiteral("ZugImage"));
    bild_->setGeometry(10, 24, 160, 40);

    licht_ = bildTaste(QStringLiteral("LichtButton"), QStringLiteral("Licht An - Aus"), QRect(kRand, 77, 20, 20));
    richtung_ = bildTaste(QStringLiteral("RichtungButton"), QString(), QRect(kRand, 133, 20, 20));
    speed_ = new QLabel(this);
    speed_->setObjectName(QStringLiteral("SpeedLabel"));
    speed_->setTextFormat(Qt::PlainText);
    speed_->setAlignment(Qt::AlignCenter);
    speed_->setGeometry(48, 133, 82, 20);
    automatic_ = bildTaste(QStringLiteral("AutomaticButton"), QStringLiteral("Automatic"), QRect(132, 133, 20, 20));
    info_ = bildTaste(QStringLiteral("ZugInfoButton"), QStringLiteral("Zug Info"), QRect(156, 133, 20, 20));
    info_->setIcon(QPixmap::fromImage(ZugPanelBild(ZugPanelAnsicht::BildInfo)));

    speedBar_ = new QSlider(Qt::Horizontal, this);
    speedBar_->setObjectName(QStringLiteral("SpeedBar"));
    speedBar_->setSingleStep(10);
    speedBar_->setGeometry(kRand, 155, ZugPanelAnsicht::Breite - 2 * kRand, 20);

    for (int n = 1; n <= 16; ++n) {
        funktion_[n] = bildTaste(QStringLiteral("SpeedButtonFunc") + ZeroPad2(n), QString(), QRect(0, 0, 20, 20));
        funktion_[n]->setProperty("tag", n);
        connect(funktion_[n], &QAbstractButton::clicked, this, [this, n] { zug_.Set_Funk(n, !zug_.Funktion[n]); });
    }

    connect(schliessen_, &QAbstractButton::clicked, this, [this] { zug_.PanelSchliessen(); });
    connect(stop_, &QAbstractButton::clicked, this, [this] { zug_.Set_Speed(0); });
    connect(richtung_, &QAbstractButton::clicked, this, [this] { zug_.Wenden(); });
    connect(licht_, &QAbstractButton::clicked, this, [this] { zug_.Set_Licht(!zug_.Funktion[0]); });
    connect(automatic_, &QAbstractButton::clicked, this, [this] {
        zug_.AutomaticUmschalten(programm_.hauptfenster != nullptr && programm_.hauptfenster->AutomaticAn);
    });
    connect(info_, &QAbstractButton::clicked, this, [this] { Q_EMIT infoRequested(&zug_); });
    connect(speedBar_, &QSlider::valueChanged, this, [this](int value) {
        if (!zeichnet_) {
            zug_.Set_Speed(value);
        }
    });

    beobachter_ = zug_.Beobachten([this] { Neuzeichnen(); });
    BildZuweisen();
    Neuzeichnen();
}

TZugPanel::~TZugPanel()
{
    zug_.NichtMehrBeobachten(beobachter_);
}

QAbstractButton* TZugPanel::bildTaste(const QString& name, const QString& hint, QRect geometry)
{
    auto* taste = new BildTaste(this);
    taste->setObjectName(name);
    taste->setToolTip(hint);
    taste->setGeometry(geometry);
    taste->setFocusPolicy(Qt::NoFocus);
    return taste;
}

QImage TZugPanel::grossesBild() const
{
    return programm_.fahrzeuge != nullptr ? programm_.fahrzeuge->bilder.Gross(zug_.ZugBild40x160)
                                          : FahrzeugBilder::Platzhalter(true, QSize(160, 40));
}

void TZugPanel::BildZuweisen()
{
    bild_->setPixmap(QPixmap::fromImage(grossesBild().scaled(160, 40)));
}

void TZugPanel::ZugAufnehmen()
{
    if (programm_.hauptfenster != nullptr) {
        programm_.hauptfenster->betrieb().ZugPlatzierenStarten(&zug_);
    }
    const QPixmap cursor = QPixmap::fromImage(grossesBild().scaled(80, 20, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    window()->setCursor(QCursor(cursor, 15, 15));
}

void TZugPanel::Neuzeichnen()
{
    const ZugPanelAnsicht a = ZugPanelAnsehen(zug_, programm_.settings);

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(StringToColor(a.farbe).value_or(clBtnFace)));
    setPalette(palette);
    resize(ZugPanelAnsicht::Breite, a.hoehe);

    name_->setText(a.name);
    name_->setToolTip(hinweisText(a.nameHinweis));
    QPalette namePalette = name_->palette();
    namePalette.setColor(QPalette::WindowText, a.nameMagenta ? QColor(Qt::magenta) : palette.color(QPalette::WindowText));
    name_->setPalette(namePalette);
    ecosId_->setText(a.ecosId);

    if (richtungBild_ != a.richtungBild) {
        richtungBild_ = a.richtungBild;
        richtung_->setIcon(QPixmap::fromImage(ZugPanelBild(a.richtungBild)));
    }
    if (lichtBild_ != a.lichtBild) {
        lichtBild_ = a.lichtBild;
        licht_->setIcon(QPixmap::fromImage(ZugPanelBild(a.lichtBild)));
    }
    if (automaticBild_ != a.automaticBild) {
        automaticBild_ = a.automaticBild;
        automatic_->setIcon(QPixmap::fromImage(ZugPanelBild(a.automaticBild)));
    }

    richtung_->move(richtung_->x(), a.untenTop);
    stop_->move(stop_->x(), a.untenTop);
    speed_->move(speed_->x(), a.untenTop);
    automatic_->move(automatic_->x(), a.untenTop);
    info_->move(info_->x(), a.untenTop);
    speedBar_->move(speedBar_->x(), a.speedBarTop);
    speed_->setText(a.speedText);
    {
        zeichnet_ = true;
        speedBar_->setRange(0, a.speedMax);
        speedBar_->setValue(a.speedWert);
        zeichnet_ = false;
    }

    const int set = programm_.settings.FunktionBilderAuswahl;
    if (set != iconSet_) {
        iconSet_ = set;
        funktionBild_.fill(-1);
    }
    const std::vector<QImage>& icons = FunktionBilderListe(set);
    for (int n = 1; n <= 16; ++n) {
        const ZugPanelAnsicht::Taste& t = a.tasten[static_cast<size_t>(n)];
        QAbstractButton* taste = funktion_[static_cast<size_t>(n)];
        taste->setToolTip(hinweisText(t.hinweis));
        if (funktionBild_[static_cast<size_t>(n)] != t.bild) {
            funktionBild_[static_cast<size_t>(n)] = t.bild;
            taste->setIcon(QPixmap::fromImage(icons[static_cast<size_t>(t.bild)]));
        }
        if (t.sichtbar) {
            taste->move(t.pos);
        }
        taste->setVisible(t.sichtbar);
    }

    if (!ziehen_) {
        move(a.pos);
    }
    if (a.sichtbar) {
        show();
        raise();
    } else {
        hide();
    }
}

void TZugPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        ziehen_ = true;
        greifpunkt_ = event->position().toPoint();
        raise();
        event->accept();
        return;
    }
    QFrame::mousePressEvent(event);
}

void TZugPanel::mouseMoveEvent(QMouseEvent* event)
{
    if (ziehen_ && (event->buttons() & Qt::LeftButton)) {
        const QPoint neu = mapToParent(event->position().toPoint()) - greifpunkt_;
        move(neu);
        zug_.PanelVerschieben(neu.x(), neu.y());
        event->accept();
        return;
    }
    QFrame::mouseMoveEvent(event);
}

void TZugPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && ziehen_) {
        ziehen_ = false;
        event->accept();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}
