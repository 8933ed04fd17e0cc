// The logbook window's logic: coloured operating messages from every part of the program.
// Receives core messages on the UI thread (it handles none so far); TLogBuchForm shows the lines
// and forwards "Lösschen", closing and moving/resizing.
#pragma once

#include "core/ColorText.h"
#include "core/MessageBus.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <vector>

struct Programm;

class TLogBuch : public QObject, public MessageReceiver {
    Q_OBJECT
public:
    static constexpr int MaxZeilen = 100;
    static constexpr int ArtNormal = 0;
    static constexpr int ArtFehler = 1; // red
    static constexpr int ArtGruen = 2;

    struct Zeile {
        QString text;
        int kind = ArtNormal;
    };

    explicit TLogBuch(Programm& programm);

    void receive(const CoreMessage& message) override;

    // Appends a line; a log holding more than 100 lines is cleared first. Kinds outside 0..5
    // are written as kind 0.
    void LogBuchAdd(const QString& text, int kind = ArtNormal);
    // "Lösschen": clears the log and writes the current time as its first line.
    void Loesschen();
    // Shows / hides the window (the close button hides it).
    void Zeigen();
    void Verbergen();
    bool Sichtbar() const { return sichtbar_; }

    // Colour and boldness of a kind (0 black, 1 red, 2 green bold, 3 maroon bold, 4 teal bold,
    // 5 the highlight colour bold).
    static TColor Farbe(int kind);
    static bool Fett(int kind);

    // The window was moved or resized: `LogbookWindowGeometry` := left, top, height, width
    // (four digits each) + "_LogBuchFenster".
    void FensterGeaendert(const QRect& geometry);
    // The stored window position; the start-up value when the stored text is not readable.
    QRect FensterGeometrie() const;

    const std::vector<Zeile>& Zeilen() const { return zeilen_; }

Q_SIGNALS:
    void zeileHinzugefuegt(const TLogBuch::Zeile& zeile);
    void geleert();
    void sichtbarGeaendert(bool sichtbar);

private:
    void leeren();

    Programm& programm_;
    std::vector<Zeile> zeilen_;
    bool sichtbar_ = false;
};
