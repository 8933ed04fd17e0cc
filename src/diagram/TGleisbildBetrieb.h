// Run mode: what clicks on the diagram do, and how the command station's reports of accessories
// and feedback contacts reach the elements. Owned by the main window's logic; UI thread only.
//
// The small panels a click opens (direction swap, jump mark, sound-button box) are state here;
// the widget shows them and forwards their input.
#pragma once

#include "core/CoreMessage.h"
#include "diagram/BetriebsDienste.h"
#include "diagram/GleisbildEingabe.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>

struct Programm;
class TGleisBild;

class TGleisbildBetrieb final : public GleisbildEingabe {
public:
    explicit TGleisbildBetrieb(Programm& programm);

    // GleisbildEingabe
    void ElementKlick(TGleisBildElement& element, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
    void SignalTasteKlick(TGleisBildElement& display, bool links) override;
    void SchalterKlick(TSchalterElement& schalter, bool anTaste) override;
    void SoundSchalterKlick(TSoundSchalterElement& sound, Qt::MouseButton button) override;

    // The reports of the command station: WM_MAG_CHANGE, WM_MAGIDSENDEN, WM_S88_CHANGE,
    // WM_S88_CHANGE2. Other messages are ignored.
    void Meldung(const CoreMessage& message);

    // Two-track level crossing: a route or the automatic asks one half closed (1) or open (0).
    // The crossing closes on the first request and opens when both halves have released it.
    void BahnuebergangAnfordern(TGleisBildElement& haelfte, int anforderung);

    // Other parts: stations, routes and windows. Not owned; nullptr restores the default.
    void setDienste(BetriebsDienste* dienste);

    // A window waits for a number picked from the diagram: the next click on a grid element
    // answers `antwort` with ZeroPad3 of the element's accessory or contact number.
    enum class AuswahlArt { MagnetArtNr, GleisKontaktNr };
    void setDiagrammAuswahl(AuswahlArt art, std::function<void(const QString& text, int nummer)> antwort);
    bool DiagrammAuswahlAktiv() const { return static_cast<bool>(auswahl_); }

    // Drive-to selection (Ctrl + left click on an occupied station display).
    struct FahrzielAuswahl {
        bool aktiv = false;
        QString start; // the display's name
        int haltestelleNr = 0;
        TZug* zug = nullptr;
    } Fahrziel;

    // Train placing: the train taken up from its panel, put down by a right click on a display.
    void ZugPlatzierenStarten(TZug* zug);
    bool ZugPlatzierenAktiv() const { return platzieren_ != nullptr; }

    // The direction-swap panel ("Richtung tauschen").
    struct UmkehrPanel {
        bool sichtbar = false;
        QString element; // the element's name
        QRect rect;
        bool richtungTauschen = false;
    } Umkehr;
    void RichtungTauschenKlick(bool tauschen);

    // The jump-mark panel around the other end of a jump mark.
    struct SprungmarkenPanel {
        bool sichtbar = false;
        QRect rect;
    } Sprungmarke;

    // The box "Sound Schalter Einstellung".
    struct SoundBox {
        bool sichtbar = false;
        QString element; // the sound button's name
        QPoint pos;
        QString datei;   // the label: the chosen file's name
        bool okEnabled = false;
        bool loeschenEnabled = false;
    } Sound;
    void SoundDateiWaehlen();
    void SoundOk();
    void SoundAbbrechen();

private:
    void laufbetriebKlick(TGleisBildElement& e, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void lokAnzeigeKlick(TGleisBildElement& e, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void kontaktSimulieren(TGleisBildElement& e);
    void bahnuebergangKlick(TGleisBildElement& e);
    void bahnuebergangStellen(TGleisBildElement& e, TGleisBildElement* partner, int stellung);
    void zugAbsetzen(TGleisBildElement& display);
    void magnetArtMelden(int adresse, int stellung);
    void magnetArtNamen(int adresse, const QString& name);
    TGleisBildElement* element(const QString& name) const;
    void senden(int adresse, int stellung);
    TGleisBild& bild() const;

    Programm& programm_;
    KeineBetriebsDienste keineDienste_;
    BetriebsDienste* dienste_ = &keineDienste_;
    std::function<void(const QString&, int)> auswahl_;
    AuswahlArt auswahlArt_ = AuswahlArt::MagnetArtNr;
    TZug* platzieren_ = nullptr;
};
