// The track diagram: one widget that paints the background, all grid elements and the
// free-standing elements with the diagram painter (GleisbildZeichner), repaints single elements
// when the diagram asks for it, answers tooltips from the element hints and hands clicks,
// hit-tested by arithmetic, to a GleisbildEingabe. Widget coordinates are the main window's
// diagram pixels (origin (8, 30)). UI thread.
#pragma once

#include <QWidget>

class GleisbildEingabe;
class TGleisBild;
class TGleisBildElement;

class TGleisbildWidget : public QWidget {
    Q_OBJECT
public:
    // `bild` must outlive the widget.
    explicit TGleisbildWidget(TGleisBild& bild, QWidget* parent = nullptr);

    // Where clicks go; not owned; nullptr (the default) ignores clicks.
    void setEingabe(GleisbildEingabe* eingabe) { eingabe_ = eingabe; }
    GleisbildEingabe* eingabe() const { return eingabe_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The area one element covers (for `update(rect)`).
    static QRect ElementRect(const TGleisBildElement& element);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void elementNeuZeichnen(TGleisBildElement* element);

    TGleisBild& bild_;
    GleisbildEingabe* eingabe_ = nullptr;
};
