// Program start: the program-wide state, then every window's logic object in the fixed order,
// each attached to the message bus in that order. Windows whose logic does not exist yet are
// held by a `PendingWindow` at their place, so the order stays fixed as they arrive.
#pragma once

#include "core/MessageBus.h"

#include <QString>
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
    explicit ProgrammFenster(Programm& programm);
    ~ProgrammFenster();

    TTrassolin& hauptfenster() { return *hauptfenster_; }
    TSystem& system() { return *system_; }
    TInfo& info() { return *info_; }
    TGleisBild& gleisbild() { return *gleisbild_; }
    BetriebsDaten& betriebsdaten() { return *betriebsdaten_; }
    TLogBuch& logbuch() { return *logbuch_; }
    TFahrzeug& fahrzeuge() { return *fahrzeuge_; }

    // The windows in creation order, by name ("TTrassolin", "TDebug", ...).
    QStringList names() const;

    // The creation order of the windows.
    static QStringList Reihenfolge();

private:
    void add(const QString& name, MessageReceiver* receiver);
    void verbindeZugeMitFahrzeugen();

    Programm& programm_;
    std::unique_ptr<BetriebsDaten> betriebsdaten_;
    std::unique_ptr<ProjektDaten> daten_;
    std::unique_ptr<TGleisBild> gleisbild_;
    std::unique_ptr<TTrassolin> hauptfenster_;
    std::unique_ptr<TSystem> system_;
    std::unique_ptr<TInfo> info_;
    std::unique_ptr<TLogBuch> logbuch_;
    std::unique_ptr<TFahrzeug> fahrzeuge_;
    std::vector<std::unique_ptr<PendingWindow>> pending_;
    std::vector<std::pair<QString, MessageReceiver*>> order_;
};
