// Program start: the program-wide state, then every window's logic object in the fixed order,
// each attached to the message bus in that order. Windows whose logic does not exist yet are
// held by a `PendingWindow` at their place, so the order stays fixed as they arrive.
#pragma once

#include "core/MessageBus.h"
#include "settings/SoundBackend.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

struct Programm;
class BetriebsDaten;
class ProjektDaten;
class TGleisBild;
class TLogBuch;
class TInfo;
class TSystem;
class TTrassolin;
class TFahrzeug;
class TProtokolEcos;
class TDiagnose;
class TZugsteuerung;
class Transport;

// Makes the link of a driver window ("TProtokolEC2", ...). Production: TCP; tests: fakes.
using TransportFactory = std::function<std::unique_ptr<Transport>(const QString& window)>;

// A window whose logic is not built yet: attached at its place, ignores every message.
class PendingWindow final : public MessageReceiver {
public:
    explicit PendingWindow(QString name) : name_(std::move(name)) {}
    void receive(const CoreMessage&) override {}
    const QString& name() const { return name_; }

private:
    QString name_;
};

class ProgrammFenster {
public:
    // Without a factory the drivers get TCP transports; without a sound backend the settings
    // window plays through SDL.
    explicit ProgrammFenster(Programm& programm, TransportFactory transports = {},
                             std::unique_ptr<SoundBackend> sound = nullptr);
    ~ProgrammFenster();

    TTrassolin& hauptfenster() { return *hauptfenster_; }
    TSystem& system() { return *system_; }
    TInfo& info() { return *info_; }
    TGleisBild& gleisbild() { return *gleisbild_; }
    BetriebsDaten& betriebsdaten() { return *betriebsdaten_; }
    TLogBuch& logbuch() { return *logbuch_; }
    TFahrzeug& fahrzeuge() { return *fahrzeuge_; }
    SoundBackend& soundBackend() { return *sound_; }
    TZugsteuerung& zugsteuerung() { return *zugsteuerung_; }
    TDiagnose& diagnose() { return *diagnose_; }
    // The ECoS-protocol driver of type 5, 7 or 8; nullptr for other types.
    TProtokolEcos* ecosProtokol(int typ);
    // The link the driver window uses ("TProtokolEC2", ...); nullptr when there is none.
    Transport* transport(const QString& window);

    // The windows in creation order, by name ("TTrassolin", "TDebug", ...).
    QStringList names() const;

    // The creation order of the windows.
    static QStringList Reihenfolge();

private:
    void add(const QString& name, MessageReceiver* receiver);
    void verbindeZugeMitFahrzeugen();

    Programm& programm_;
    std::unique_ptr<SoundBackend> sound_; // outlives the settings window that plays through it
    std::unique_ptr<BetriebsDaten> betriebsdaten_;
    std::unique_ptr<ProjektDaten> daten_;
    std::unique_ptr<TGleisBild> gleisbild_;
    std::unique_ptr<TTrassolin> hauptfenster_;
    std::unique_ptr<TSystem> system_;
    std::unique_ptr<TInfo> info_;
    std::unique_ptr<TLogBuch> logbuch_;
    std::unique_ptr<TFahrzeug> fahrzeuge_;
    std::unique_ptr<TDiagnose> diagnose_;
    std::unique_ptr<TZugsteuerung> zugsteuerung_;
    std::vector<std::pair<QString, std::unique_ptr<Transport>>> transports_;
    std::vector<std::unique_ptr<TProtokolEcos>> ecos_;
    std::vector<std::unique_ptr<PendingWindow>> pending_;
    std::vector<std::pair<QString, MessageReceiver*>> order_;
};
