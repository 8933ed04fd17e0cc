#include "core/StartProgram.h"

#include "core/Programm.h"
#include "core/ProjektDateien.h"
#include "operation/BetriebsDaten.h"
#include "core/TInfo.h"
#include "diagram/GleisBild.h"
#include "diagram/TTrassolin.h"
#include "drivers/ecos/TProtokolEcos.h"
#include "drivers/transport/TcpTransport.h"
#include "settings/SdlSoundBackend.h"
#include "operation/Diagnose.h"
#include "operation/Zugsteuerung.h"
#include "settings/TSystem.h"
#include "vehicles/LogBuch.h"
#include "vehicles/TFahrzeug.h"

QStringList ProgrammFenster::Reihenfolge()
{
    return {QStringLiteral("TTrassolin"), QStringLiteral("TDebug"), QStringLiteral("TSystem"),
            QStringLiteral("TInfo"), QStringLiteral("TZugVerfolgung"), QStringLiteral("THaltestellen"),
            QStringLiteral("TZugdaten"), QStringLiteral("TZugEdit"), QStringLiteral("TLogBuch"),
            QStringLiteral("TZugsteuerung"), QStringLiteral("TAblaufSteuerung"), QStringLiteral("TRuckmeldekontakte"),
            QStringLiteral("TBild"), QStringLiteral("TCarSystem"), QStringLiteral("TUhr"),
            QStringLiteral("TDrehscheibe"), QStringLiteral("TFahrzeug"), QStringLiteral("TBildEditor"),
            QStringLiteral("TWebHilfe"), QStringLiteral("TFahrstrasseCheck"), QStringLiteral("TDiagnose"),
            QStringLiteral("TProtokolCS1"), QStringLiteral("TWartung"), QStringLiteral("TProtokolIB1"),
            QStringLiteral("TProtokolIBCOM"), QStringLiteral("TProtokolEC1"), QStringLiteral("TProtokolEC2"),
            QStringLiteral("TProtokolCS2"), QStringLiteral("TProtokolZ21"), QStringLiteral("TFahrstrasseManuel"),
            QStringLiteral("TAblaufsteuerungAusfuhren"), QStringLiteral("THaltestelleInfo"),
            QStringLiteral("TLokEinlesen")};
}

ProgrammFenster::ProgrammFenster(Programm& programm, TransportFactory transports, std::unique_ptr<SoundBackend> sound)
    : programm_(programm), sound_(sound ? std::move(sound) : std::make_unique<SdlSoundBackend>())
{
    if (!transports) {
        transports = [](const QString&) -> std::unique_ptr<Transport> { return std::make_unique<TcpTransport>(); };
    }
    const auto ecosDriver = [&](const QString& name, EcosVariante variante) {
        transports_.emplace_back(name, transports(name));
        ecos_.push_back(std::make_unique<TProtokolEcos>(programm_, *transports_.back().second, std::move(variante)));
        add(name, ecos_.back().get());
    };
    // The diagram's tables and the project files exist before any window.
    gleisbild_ = std::make_unique<TGleisBild>(programm_);
    programm_.gleisbild = gleisbild_.get();
    betriebsdaten_ = std::make_unique<BetriebsDaten>(programm_);
    programm_.betriebsdaten = betriebsdaten_.get();
    gleisbild_->setTrainServices(betriebsdaten_.get());
    daten_ = std::make_unique<ProjektDateien>(programm_);
    programm_.daten = daten_.get();
    // Automatic control writes diagnosis lines from its creation on; the diagnosis window takes
    // its place in the order later.
    diagnose_ = std::make_unique<TDiagnose>(programm_);
    programm_.diagnose = diagnose_.get();
    for (const QString& name : Reihenfolge()) {
        if (name == QStringLiteral("TTrassolin")) {
            hauptfenster_ = std::make_unique<TTrassolin>(programm_);
            programm_.hauptfenster = hauptfenster_.get();
            add(name, hauptfenster_.get());
        } else if (name == QStringLiteral("TSystem")) {
            system_ = std::make_unique<TSystem>(programm_, *sound_);
            programm_.system = system_.get();
            add(name, system_.get());
        } else if (name == QStringLiteral("TInfo")) {
            info_ = std::make_unique<TInfo>(programm_);
            programm_.info = info_.get();
            add(name, info_.get());
        } else if (name == QStringLiteral("TLogBuch")) {
            logbuch_ = std::make_unique<TLogBuch>(programm_);
            programm_.logbuch = logbuch_.get();
            add(name, logbuch_.get());
        } else if (name == QStringLiteral("TFahrzeug")) {
            fahrzeuge_ = std::make_unique<TFahrzeug>(programm_);
            programm_.fahrzeuge = fahrzeuge_.get();
            add(name, fahrzeuge_.get());
            verbindeZugeMitFahrzeugen();
        } else if (name == QStringLiteral("TZugsteuerung")) {
            zugsteuerung_ = std::make_unique<TZugsteuerung>(programm_, *diagnose_);
            programm_.zugsteuerung = zugsteuerung_.get();
            programm_.fahrstrassen = &zugsteuerung_->stellwerk();
            // The main window shows "Aktiv : " + n as automatic control counts.
            programm_.fahrstrassen->setAktivAnzeige([this](int) { Q_EMIT hauptfenster_->changed(); });
            add(name, zugsteuerung_.get());
        } else if (name == QStringLiteral("TDiagnose")) {
            add(name, diagnose_.get());
        } else if (name == QStringLiteral("TProtokolCS1")) {
            ecosDriver(name, EcosVariante::CS1());
        } else if (name == QStringLiteral("TProtokolEC1")) {
            ecosDriver(name, EcosVariante::EC1());
        } else if (name == QStringLiteral("TProtokolEC2")) {
            ecosDriver(name, EcosVariante::EC2());
        } else {
            pending_.push_back(std::make_unique<PendingWindow>(name));
            add(name, pending_.back().get());
        }
    }
    // Route setting plays station announcements and train sounds through the sound output.
    zugsteuerung_->stellwerk().setSound(system_.get());
}

ProgrammFenster::~ProgrammFenster()
{
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        programm_.bus.detach(it->second);
    }
    // The drivers go before their transports and the program state they use.
    ecos_.clear();
    transports_.clear();
    programm_.fahrstrassen = nullptr;
    programm_.zugsteuerung = nullptr;
    zugsteuerung_.reset();
    programm_.diagnose = nullptr;
    diagnose_.reset();
    programm_.hauptfenster = nullptr;
    programm_.system = nullptr;
    programm_.info = nullptr;
    programm_.logbuch = nullptr;
    programm_.fahrzeuge = nullptr;
    programm_.daten = nullptr;
    programm_.betriebsdaten = nullptr;
    programm_.gleisbild = nullptr;
}

// Locomotives created, changed or deleted in the database window update their trains.
void ProgrammFenster::verbindeZugeMitFahrzeugen()
{
    TFahrzeug* fahrzeuge = fahrzeuge_.get();
    BetriebsDaten* daten = betriebsdaten_.get();
    const auto aktualisieren = [fahrzeuge, daten](int vehicleId) {
        if (const FahrzeugKnoten* k = fahrzeuge->datenbank().findeId(vehicleId)) {
            daten->ZugAktualisieren(k->daten);
        }
    };
    QObject::connect(fahrzeuge, &TFahrzeug::lokErstellt, fahrzeuge, aktualisieren);
    QObject::connect(fahrzeuge, &TFahrzeug::lokGeaendert, fahrzeuge, aktualisieren);
    QObject::connect(fahrzeuge, &TFahrzeug::lokGeloescht, fahrzeuge,
                     [daten](int vehicleId) { daten->ZugGeloeschtMelden(vehicleId); });
}

void ProgrammFenster::add(const QString& name, MessageReceiver* receiver)
{
    order_.emplace_back(name, receiver);
    programm_.bus.attach(receiver);
}

TProtokolEcos* ProgrammFenster::ecosProtokol(int typ)
{
    for (const auto& driver : ecos_) {
        if (driver->typ() == typ) {
            return driver.get();
        }
    }
    return nullptr;
}

Transport* ProgrammFenster::transport(const QString& window)
{
    for (const auto& [name, transport] : transports_) {
        if (name == window) {
            return transport.get();
        }
    }
    return nullptr;
}

QStringList ProgrammFenster::names() const
{
    QStringList list;
    for (const auto& entry : order_) {
        list << entry.first;
    }
    return list;
}
