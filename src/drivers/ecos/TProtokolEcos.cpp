#include "drivers/ecos/TProtokolEcos.h"

#include "core/Programm.h"
#include "diagram/TTrassolin.h"
#include "drivers/ecos/EcosListen.h"
#include "drivers/transport/Transport.h"
#include "operation/BetriebsDaten.h"
#include "operation/Zug.h"
#include "settings/TSystem.h"
#include "settings/ZentraleNamen.h"
#include "vehicles/TFahrzeug.h"

#include <QFileInfo>

namespace {
constexpr int LogMax = 5000;

void append(QStringList& log, const QString& text)
{
    log.append(text);
    if (log.size() > LogMax) {
        log.remove(0, log.size() - LogMax);
    }
}

// Placeholder locomotives and accessories of a project without list files.
struct LokPlatz {
    const char* id;
    const char* name;
    int addr;
    const char* protokoll;
};
constexpr LokPlatz kLokPlatzhalter[] = {
    {"1002", "V 160", 16, "MFX"},
    {"1078", "DB 103 137-6", 80, "MM14"},
    {"1004", "DB 295 Cargo", 29, "MFX"},
    {"1007", "Br 55", 55, "MFX"},
};
} // namespace

EcosVariante EcosVariante::EC2()
{
    EcosVariante v;
    v.typ = 8;
    v.konstante = QStringLiteral("WM_EC2_PROTOKOL");
    v.dateiPrefix = QStringLiteral("EC2");
    v.symbolSuffix = QStringLiteral("cs1");
    v.editorText = QStringLiteral("EC2 : ");
    return v;
}

EcosVariante EcosVariante::EC1()
{
    EcosVariante v;
    v.typ = 7;
    v.konstante = QStringLiteral("WM_EC1_PROTOKOL");
    v.dateiPrefix = QStringLiteral("EC1");
    v.symbolSuffix = QStringLiteral("EC1");
    v.zeilenVerbinden = false;
    v.funktionsTexteLeer = false;
    v.modulPositionAusTabelle = false;
    v.modulAuswertungSetztKontakte = false;
    v.attributeErweitert = false;
    v.magnetartikelImmerLadenStart = false;
    v.schritteImZentraleLog = false;
    v.editorText = QStringLiteral("EC1 : ");
    return v;
}

EcosVariante EcosVariante::CS1()
{
    EcosVariante v = EC1();
    v.typ = 5;
    v.konstante = QStringLiteral("WM_CS1_PROTOKOL");
    v.dateiPrefix = QStringLiteral("CS1");
    v.symbolSuffix = QStringLiteral("cs1");
    v.detektorEvents = false;
    v.idMitLAlsNull = true;
    v.editorText = QStringLiteral("CS1 : ");
    v.powerOff = PowerOffTest::ZentraleTyp;
    return v;
}

TProtokolEcos::TProtokolEcos(Programm& programm, Transport& transport, EcosVariante variante)
    : programm_(programm), transport_(transport), variante_(std::move(variante))
{
    symbole_ = SymbolTables::load(programm_.programFolder, variante_.symbolSuffix);
    MagnetartikelImmerVonZentraleLaden = variante_.magnetartikelImmerLadenStart;
    magTabelle_.fill(QStringLiteral("00000"));
    VerbindungText = QStringLiteral("Verbindung %1 - Port(%2)- Ip(%3)").arg(name()).arg(IpPort).arg(IpAdresse);
    transport_.onConnected = [this] { socketConnected(); };
    transport_.onDisconnected = [this] { socketDisconnected(); };
    transport_.onError = [this](const QString& error) { socketError(error); };
    transport_.onReceived = [this](QByteArrayView bytes) { bytesEmpfangen(bytes); };
}

TProtokolEcos::~TProtokolEcos()
{
    programm_.scheduler.cancel(tag("verbinden"));
    programm_.scheduler.cancel(tag("anmelden"));
    programm_.scheduler.cancel(tag("reader"));
    transport_.onConnected = nullptr;
    transport_.onDisconnected = nullptr;
    transport_.onError = nullptr;
    transport_.onReceived = nullptr;
}

QString TProtokolEcos::name() const
{
    return ZentraleName(variante_.typ);
}

QString TProtokolEcos::tag(const char* name) const
{
    return QStringLiteral("TProtokol%1.%2").arg(variante_.dateiPrefix, QLatin1String(name));
}

QString TProtokolEcos::lokDatei() const
{
    return programm_.projectFolder() + variante_.dateiPrefix + QStringLiteral("Loks.lda");
}

QString TProtokolEcos::magDatei() const
{
    return programm_.projectFolder() + variante_.dateiPrefix + QStringLiteral("MagnetArt.ma2");
}

bool TProtokolEcos::readerLaeuft() const
{
    return programm_.scheduler.isPending(tag("reader"));
}

bool TProtokolEcos::verbunden() const
{
    return programm_.ZentraleVerbunden && transport_.isOpen();
}

void TProtokolEcos::log(const QString& text)
{
    append(infoLog, text);
    Q_EMIT changed();
}

void TProtokolEcos::zentraleLog(const QString& text)
{
    if (programm_.hauptfenster) {
        programm_.hauptfenster->ZentraleLogAdd(text);
    }
}

void TProtokolEcos::schrittLog(const QString& text)
{
    log(text);
    if (variante_.schritteImZentraleLog) {
        zentraleLog(text);
    }
}

void TProtokolEcos::broadcast(Msg id, Param w, Param l)
{
    programm_.bus.broadcast(id, std::move(w), std::move(l));
}

void TProtokolEcos::senden(const QString& command)
{
    transport_.send(Ecos::encodeCommand(command));
    append(debugLog, Ecos::toString(command, true));
}

void TProtokolEcos::sendeBefehl(const QString& command)
{
    if (!command.trimmed().isEmpty()) {
        senden(command.trimmed());
    }
}

LokRecord* TProtokolEcos::lok(QStringView id)
{
    for (LokRecord& row : loks_) {
        if (row.Key == id) {
            return &row;
        }
    }
    return nullptr;
}

LokRecord TProtokolEcos::neueLok(const QString& id) const
{
    LokRecord row;
    row.Key = id;
    row.Protokoll = QStringLiteral("DCC");
    row.Fahrstufen = 0;
    if (!variante_.funktionsTexteLeer) {
        for (size_t i = 0; i < 16; ++i) {
            row.FunktionBeschreibung[i] = QStringLiteral("F%1").arg(i + 1);
        }
    }
    return row;
}

// ---- messages ------------------------------------------------------------------------------------------

void TProtokolEcos::receive(const CoreMessage& m)
{
    const int typ = variante_.typ;
    const bool aktiv = programm_.ZentraleTyp() == typ;
    // Reports of the command station carry 0 or the type; they concern the active driver.
    switch (m.id) {
    case Msg::WM_POWERON:
        if (aktiv) {
            Power = true;
            log(QStringLiteral("MessageRecieve POWERON"));
        }
        return;
    case Msg::WM_POWEROFF:
        if (aktiv) {
            Power = false;
            log(QStringLiteral("MessageRecieve POWEROFF"));
        }
        return;
    case Msg::WM_GETRENNT:
        if (aktiv) {
            log(QStringLiteral("MessageRecieve GETRENNT"));
            LeseKnoepfeAktiv = false;
        }
        return;
    case Msg::WM_VERBINDENERROR:
        if (aktiv) {
            log(QStringLiteral("MessageRecieve VERBINDENERROR"));
            log(QStringLiteral("Verbindung nicht möglich"));
            zentraleLog(QStringLiteral("Verbindung nicht möglich"));
            programm_.scheduler.cancel(tag("anmelden"));
        }
        return;
    case Msg::WM_SYSTEM_IP_PORT:
        if (aktiv) {
            IpAdresse = m.w.toText();
            IpPort = m.l.toInt();
            log(QStringLiteral("MessageRecieve IP") + IpAdresse + QStringLiteral(" Port : ") + QString::number(IpPort));
            VerbindungText = QStringLiteral("Verbindung %1 - Port(%2)- Ip(%3)").arg(name()).arg(IpPort).arg(IpAdresse);
        }
        return;
    case Msg::WM_DEBUG:
        if (m.w.toNumber() == 0 || m.w.toNumber() == 1) {
            DebugSichtbar = m.w.toNumber() == 1;
            Q_EMIT changed();
        }
        return;
    default:
        break;
    }

    if (!IsForDriver(m, DriverTypes{{typ}, variante_.powerOff}, programm_.ZentraleTyp())) {
        return;
    }
    switch (m.id) {
    case Msg::WM_SHOWPROTOKOL:
        Q_EMIT zeigenAngefordert();
        break;
    case Msg::WM_VERBINDEN:
        MessageRecieveVERBINDEN();
        break;
    case Msg::WM_VERBUNDEN:
        MessageRecieveVERBUNDEN();
        break;
    case Msg::WM_TRENNEN:
        MessageRecieveTRENNEN();
        break;
    case Msg::WM_POWERON_SENDEN:
        if (verbunden()) {
            senden(Ecos::setGo());
        }
        break;
    case Msg::WM_POWEROFF_SENDEN:
        if (verbunden()) {
            senden(Ecos::setStop());
        }
        break;
    case Msg::WM_OPEN_LOKLISTE:
        MessageRecieveOPEN_LOKLISTE();
        break;
    case Msg::WM_OPEN_MAGNETARTLISTE:
        MessageRecieveOPEN_MAGNETARTLISTE();
        break;
    case Msg::WM_OPEN_S88_MAX:
        MessageRecieveOPEN_S88_MAX();
        break;
    case Msg::WM_S88_ANZ_ABFRAGE:
        // Only modules actually read are evaluated: before the first reply the contact count
        // would otherwise be set to 0 and saved.
        if (moduleGelesen) {
            moduleAuswerten();
        }
        break;
    case Msg::WM_LOK_DATEN_VERGLEICHEN:
        MessageRecieveLOK_DATEN_VERGLEICHEN();
        break;
    case Msg::WM_LOK_UBERNEHMEN:
        if (uebernahmeAktiv() && programm_.fahrzeuge) {
            const FahrzeugKnoten* eintrag = programm_.fahrzeuge->Ausgewaehlt();
            const LokRecord* row = lok(uebernahmeId_);
            UebernehmenOk = m.l.toNumber() == 0 && eintrag && row;
            UebernehmenText = (row ? row->Name : QString()) + QStringLiteral(" in FahrzeugDatenbank ")
                              + (eintrag ? eintrag->daten.Name : QString()) + QStringLiteral(" einfügen");
            Q_EMIT changed();
        }
        break;
    case Msg::WM_MAGVERGLEICHEN:
        MessageRecieveMAGVERGLEICHEN();
        break;
    case Msg::WM_LOKSPEED:
        MessageRecieveLOKSPEED(m);
        break;
    case Msg::WM_LOKDIR:
        MessageRecieveLOKDIR(m);
        break;
    case Msg::WM_LOKFUNK:
        MessageRecieveLOKFUNK(m);
        break;
    case Msg::WM_MAG:
        MessageRecieveMAG(m);
        break;
    case Msg::WM_LOCOADDR:
    case Msg::WM_LOCONAME:
    case Msg::WM_LOCOPROTOCOL:
    case Msg::WM_LOCOSYMBOL:
    case Msg::WM_LOCOFUNCSYMBOL:
    case Msg::WM_LOCOFUNC:
    case Msg::WM_LOCODESC:
    case Msg::WM_LOCOFUNCDESC:
    case Msg::WM_LOCOFUNCEXIST:
        attributNachricht(m);
        break;
    default:
        break;
    }
}

void TProtokolEcos::MessageRecieveVERBINDEN()
{
    if (zustand_ != Zustand::Getrennt && transport_.isOpen()) {
        return; // already connected or connecting on an open link
    }
    infoLog.clear();
    log(QStringLiteral("MessageRecieve VERBINDEN"));
    if (programm_.hauptfenster) {
        programm_.hauptfenster->ZentraleLogZeigen();
    }
    zentraleLog(QStringLiteral("MessageRecieve VERBINDEN"));
    queue_.clear();
    framer_.reset();
    wartetSeit_ = -1;
    sammeln_ = Sammeln::Keine;
    queue_.push_back(QStringLiteral("MessageVERBINDEN ") + variante_.konstante);
    versuche_ = 0;
    IpAdresse = programm_.settings.IpAddress;
    IpPort = programm_.settings.IpPort;
    VerbindungText = QStringLiteral("Verbindung %1 - Port(%2)- Ip(%3)").arg(name()).arg(IpPort).arg(IpAdresse);
    zustand_ = Zustand::Verbinden;
    programm_.scheduler.cancel(tag("verbinden"));
    programm_.scheduler.every(3000, tag("verbinden"), [this] { verbindungsTick(); });
    Q_EMIT changed();
}

void TProtokolEcos::verbindungsTick()
{
    ++versuche_;
    if (verbunden()) {
        return;
    }
    ZentraleLabel = QStringLiteral("Nicht verbunden");
    ProtokolLabel.clear();
    ApplikationLabel.clear();
    HardwareLabel.clear();
    if (versuche_ < 3) {
        log(QStringLiteral("Verbindungsversuch %1 : %2:%3").arg(versuche_).arg(IpAdresse).arg(IpPort));
        transport_.open(IpAdresse, IpPort);
        return;
    }
    programm_.scheduler.cancel(tag("verbinden"));
    zustand_ = Zustand::Getrennt;
    // A late answer to the last attempt must not connect after the error was reported.
    transport_.close();
    broadcast(Msg::WM_VERBINDENERROR, 0, 0);
}

void TProtokolEcos::socketConnected()
{
    if (zustand_ != Zustand::Verbinden) {
        return;
    }
    queue_.push_back(QStringLiteral("ClientSocketConnect"));
    programm_.scheduler.cancel(tag("verbinden"));
    broadcast(Msg::WM_VERBUNDEN, variante_.typ, 0);
}

void TProtokolEcos::MessageRecieveVERBUNDEN()
{
    log(QStringLiteral("MessageRecieve VERBUNDEN"));
    const QString ip = QStringLiteral("IP ") + transport_.peerAddress() + QStringLiteral(" verbunden");
    queue_.push_back(ip);
    append(debugLog, ip);
    zentraleLog(ip);
    StatusText = ip;
    programm_.ZentraleVerbunden = true;
    loksGelesen = protokolleGelesen = magAdressenGelesen = magNamenGelesen = moduleGelesen = false;
    schritt_ = 1;
    zustand_ = Zustand::Anmelden;
    programm_.scheduler.cancel(tag("anmelden"));
    programm_.scheduler.every(1000, tag("anmelden"), [this] { anmeldeTick(); });
    readerStarten();
    LeseKnoepfeAktiv = true;
    Q_EMIT changed();
}

void TProtokolEcos::socketError(const QString& error)
{
    readerStoppen();
    log(QStringLiteral("ClientSocketError!! %1 (%2)").arg(versuche_).arg(error));
    if (!transport_.isOpen()) {
        Meldung = QStringLiteral("Die Centrale (IP : ") + IpAdresse + QStringLiteral(") wurde nicht gefunden \r")
                  + QStringLiteral("Bitte Netzwerkverbinden Prüfen");
    }
    if (programm_.hauptfenster) {
        programm_.hauptfenster->ZentraleLogVerbergen(false);
    }
    Q_EMIT changed();
}

void TProtokolEcos::socketDisconnected()
{
    queue_.push_back(QStringLiteral("Nicht verbunden"));
    StatusText = QStringLiteral("Nicht verbunden");
    readerStoppen();
    programm_.scheduler.cancel(tag("anmelden"));
    const bool warVerbunden = zustand_ == Zustand::Anmelden || zustand_ == Zustand::Betrieb;
    zustand_ = Zustand::Getrennt;
    if (warVerbunden) {
        programm_.ZentraleVerbunden = false;
        broadcast(Msg::WM_GETRENNT, 0, 0);
    }
    Q_EMIT changed();
}

void TProtokolEcos::MessageRecieveTRENNEN()
{
    readerStoppen();
    programm_.scheduler.cancel(tag("verbinden"));
    programm_.scheduler.cancel(tag("anmelden"));
    if (!programm_.ZentraleVerbunden || !transport_.isOpen()) {
        zustand_ = Zustand::Getrennt;
        transport_.close();
        return;
    }
    log(QStringLiteral("MessageRecieve TRENNEN"));
    for (LokRecord& row : loks_) {
        row.View = false;
        row.Control = false;
        senden(Ecos::releaseControl(row.Key));
    }
    senden(Ecos::releaseView(10));
    for (const MagRecord& mag : mags_) {
        senden(Ecos::releaseControl(mag.Id));
    }
    senden(Ecos::releaseView(11));
    senden(Ecos::releaseView(20));
    // The modules registered are released by their own ids (detectors too).
    for (int i = 0; i < modulAnzahl_; ++i) {
        if (const std::optional<int> id = Ecos::number(module_[static_cast<size_t>(i)].Id)) {
            senden(Ecos::releaseView(*id));
        }
    }
    senden(Ecos::releaseView(26));
    senden(Ecos::setStop());
    broadcast(Msg::WM_POWEROFF, variante_.typ, 0);
    senden(Ecos::releaseView(1));
    transport_.close();
    programm_.ZentraleVerbunden = false;
    Q_EMIT changed();
}

// ---- registration ---------------------------------------------------------------------------------------

void TProtokolEcos::anmeldeTick()
{
    const QString n = name();
    switch (schritt_) {
    case 1:
        schrittLog(QStringLiteral("Beim Basisobjekt ") + n + QStringLiteral(" als View registrieren"));
        senden(Ecos::requestView(1));
        schritt_ = 2;
        break;
    case 2:
        schrittLog(QStringLiteral("Informationen über die ") + n + QStringLiteral(" abfragen"));
        senden(Ecos::getInfo());
        senden(Ecos::setStop());
        schritt_ = 3;
        break;
    case 3:
        schrittLog(QStringLiteral("Loks Adressen einlesen"));
        senden(Ecos::requestView(10));
        if (LoksImmerVonZentraleLaden) {
            senden(Ecos::queryLocos());
            schritt_ = 4;
        } else {
            loksGelesen = true;
            protokolleGelesen = true;
            schritt_ = 5;
        }
        break;
    case 4:
        if (loksGelesen) {
            schrittLog(QStringLiteral("Loks Protokol einlesen"));
            senden(Ecos::queryLocoProtocols());
            schritt_ = 5;
        }
        break;
    case 5:
        LokListeSpeichern();
        schrittLog(QStringLiteral("Magnetartikel Adressen einlesen"));
        senden(Ecos::requestView(11));
        if (protokolleGelesen) {
            if (MagnetartikelImmerVonZentraleLaden) {
                senden(Ecos::queryAccessoryAddresses());
                schritt_ = 6;
            } else {
                magAdressenGelesen = true;
                magNamenGelesen = true;
                schritt_ = 7;
            }
        }
        break;
    case 6:
        if (magAdressenGelesen) {
            MagnetArtikelSpeichern();
            schrittLog(QStringLiteral("Magnetartikel namen einlesen"));
            senden(Ecos::queryAccessoryNames());
            schritt_ = 7;
        }
        break;
    case 7:
        if (magNamenGelesen) {
            if (variante_.schritteImZentraleLog) {
                zentraleLog(QStringLiteral("S88 einlesen"));
            }
            senden(Ecos::requestView(26));
            senden(Ecos::queryFeedbackModules());
            schritt_ = 8;
        }
        break;
    case 8:
        if (moduleGelesen) {
            schrittLog(QStringLiteral("POWER Setzen"));
            schritt_ = 9;
        }
        break;
    case 9:
        schritt_ = 10;
        break;
    case 10:
        schrittLog(QStringLiteral("Alle Loks bei ") + n + QStringLiteral(" anmelden"));
        alleLoksAnmelden();
        schritt_ = 11;
        break;
    case 11:
        programm_.scheduler.cancel(tag("anmelden"));
        zustand_ = Zustand::Betrieb;
        schritt_ = 0;
        if (programm_.hauptfenster) {
            programm_.hauptfenster->ZentraleLogVerbergen(true);
        }
        break;
    default:
        programm_.scheduler.cancel(tag("anmelden"));
        break;
    }
    Q_EMIT changed();
}

void TProtokolEcos::alleLoksAnmelden()
{
    for (LokRecord& row : loks_) {
        if (row.InDatenbank) {
            row.Registriert = true;
            senden(Ecos::requestView(row.Key.toInt()));
        }
    }
    if (!loks_.empty()) {
        letzteLok_ = loks_.back().Key;
        append(debugLog, QStringLiteral("AlleLoksAnmelden LOKSLetztelocodesc ") + letzteLok_);
    }
}

// ---- reader ---------------------------------------------------------------------------------------------

void TProtokolEcos::bytesEmpfangen(QByteArrayView bytes)
{
    for (const QString& line : framer_.push(bytes)) {
        queue_.push_back(line);
    }
}

void TProtokolEcos::readerStarten()
{
    programm_.scheduler.cancel(tag("reader"));
    programm_.scheduler.every(readerMs_, tag("reader"), [this] { readerTick(); });
}

void TProtokolEcos::readerStoppen()
{
    programm_.scheduler.cancel(tag("reader"));
}

void TProtokolEcos::readerTick()
{
    if (imTick_) {
        return; // a dialog's event loop fired the reader inside a handler of the reader
    }
    imTick_ = true;
    const qsizetype vorher = infoLog.size();
    bool weiter = true;
    while (weiter && !queue_.empty()) {
        weiter = regel();
    }
    imTick_ = false;
    if (infoLog.size() != vorher) {
        Q_EMIT changed();
    }
}

bool TProtokolEcos::blockVollstaendig() const
{
    for (size_t i = 1; i < queue_.size(); ++i) {
        if (Ecos::isEnd(queue_[i])) {
            return true;
        }
        if (Ecos::isReplyHead(queue_[i]) || Ecos::isEventHead(queue_[i])) {
            return true; // the block broke off; handle it as far as it came
        }
    }
    return false;
}

void TProtokolEcos::zeileEntfernen()
{
    append(debugLog, Ecos::toString(queue_.front(), false));
    queue_.pop_front();
}

QStringList TProtokolEcos::blockNehmen()
{
    QStringList lines;
    endStatus_ = -1;
    zeileEntfernen();
    while (!queue_.empty()) {
        const QString line = queue_.front();
        if (Ecos::isReplyHead(line) || Ecos::isEventHead(line)) {
            break;
        }
        zeileEntfernen();
        if (Ecos::isEnd(line)) {
            const std::optional<Ecos::EndLine> end = Ecos::parseEnd(line);
            endStatus_ = end ? end->status : -1;
            break;
        }
        lines.append(line);
    }
    return lines;
}

bool TProtokolEcos::regel()
{
    const QString head = queue_.front();
    // 1: empty line
    if (head.isEmpty()) {
        queue_.pop_front();
        return true;
    }
    // 2: collecting the lines of a multi-line reply
    if (sammeln_ != Sammeln::Keine) {
        zeileEntfernen();
        if (Ecos::isEnd(head)) {
            sammelnBeenden();
            return true;
        }
        switch (sammeln_) {
        case Sammeln::Loks: lokZeilen_.append(head); break;
        case Sammeln::Protokolle: protokollZeilen_.append(head); break;
        case Sammeln::MagAdressen: magAdressZeilen_.append(head); break;
        case Sammeln::MagNamen: magNamenZeilen_.append(head); break;
        case Sammeln::Module: modulZeilen_.append(head); break;
        case Sammeln::Keine: break;
        }
        return true;
    }
    // A block is handled once its end line is in (or it waited too long for it).
    const bool istBlock = Ecos::isReplyHead(head) || Ecos::isEventHead(head);
    if (istBlock && !blockVollstaendig()) {
        const qint64 jetzt = programm_.scheduler.now();
        if (wartetSeit_ < 0) {
            wartetSeit_ = jetzt;
        }
        if (jetzt - wartetSeit_ < BlockWarteMs) {
            return false;
        }
    }
    wartetSeit_ = -1;

    // 3-5: events
    if (Ecos::isEventHead(head)) {
        const std::optional<int> id = Ecos::number(QStringView(head).mid(7, head.size() - 8));
        const int eventId = id.value_or(-1);
        const QStringList lines = blockNehmen();
        if (eventId == 1) {
            eventPower(lines);
        } else if ((eventId >= 100 && eventId <= 199) || (eventId >= 1000 && eventId <= 9999)) {
            eventObjekte(lines, false, eventId);
        } else if (eventId >= 200 && eventId <= 299 && variante_.detektorEvents) {
            eventObjekte(lines, true, eventId);
        }
        return true;
    }
    // 6: the driver's own status line after connecting
    if (head.startsWith(u"IP")) {
        log(head);
        programm_.ZentraleVerbunden = true;
        zeileEntfernen();
        return true;
    }
    // 7: power replies
    if (head == u"<REPLY set(1, stop)>") {
        zeileEntfernen();
        broadcast(Msg::WM_POWEROFF, variante_.typ, 0);
        return true;
    }
    if (head == u"<REPLY set(1, go)>") {
        zeileEntfernen();
        log(QStringLiteral("GO"));
        broadcast(Msg::WM_POWERON, variante_.typ, 0);
        return true;
    }
    // 8: replies to get()
    if (head.startsWith(u"<REPLY get")) {
        if (head == u"<REPLY get(1, info)>") {
            replyInfo();
            return true;
        }
        const std::optional<Ecos::Command> cmd = Ecos::parseCommand(QStringView(head).mid(7, head.size() - 8));
        const QString attr = cmd && !cmd->arguments.isEmpty() ? cmd->arguments.front() : QString();
        if (attr == u"protocol" || attr == u"dir") {
            for (const QString& line : blockNehmen()) {
                const std::optional<Ecos::ObjectLine> obj = Ecos::parseObjectLine(line);
                if (!obj) {
                    continue;
                }
                if (attr == u"protocol") {
                    if (const auto p = obj->value(u"protocol"); p && lok(obj->id)) {
                        protokollSetzen(*lok(obj->id), *p);
                    }
                } else if (const auto d = obj->value(u"dir"); d && lok(obj->id)) {
                    if (const auto dir = Ecos::number(*d)) {
                        broadcast(Msg::WM_LOKDIR_ECOSID_CHANGE, obj->idNumber, *dir);
                    }
                }
            }
            return true;
        }
    }
    // 9: multi-line replies of the registration
    struct Modus {
        const char16_t* head;
        Sammeln modus;
        const char* text;
    };
    static constexpr Modus modi[] = {
        {u"<REPLY queryObjects(10, addr, name)>", Sammeln::Loks, "LOK Adressen und Namen einlesen"},
        {u"<REPLY queryObjects(10, protocol)>", Sammeln::Protokolle, "LOK Protokolle einlesen"},
        {u"<REPLY queryObjects(11, addr)>", Sammeln::MagAdressen, "MagnetArtikel Adressen einlesen"},
        {u"<REPLY queryObjects(11, name1)>", Sammeln::MagNamen, "MagnetArtikel Namen einlesen"},
        {u"<REPLY queryObjects(26,ports)>", Sammeln::Module, "S88 einlesen"},
    };
    for (const Modus& modus : modi) {
        if (head == QStringView(modus.head)) {
            log(QString::fromUtf8(modus.text));
            zeileEntfernen();
            sammeln_ = modus.modus;
            switch (modus.modus) {
            case Sammeln::Loks: lokZeilen_.clear(); break;
            case Sammeln::Protokolle: protokollZeilen_.clear(); break;
            case Sammeln::MagAdressen: magAdressZeilen_.clear(); break;
            case Sammeln::MagNamen: magNamenZeilen_.clear(); break;
            case Sammeln::Module: modulZeilen_.clear(); break;
            case Sammeln::Keine: break;
            }
            return true;
        }
    }
    // 10: attribute lines of a locomotive (a reply to get() for one object)
    if (const std::optional<Ecos::ObjectLine> obj = Ecos::parseObjectLine(head);
        obj && obj->id.size() == 4 && !obj->attributes.empty()) {
        static const std::pair<const char16_t*, Msg> attribute[] = {
            {u"addr", Msg::WM_LOCOADDR},         {u"name", Msg::WM_LOCONAME},
            {u"protocol", Msg::WM_LOCOPROTOCOL}, {u"symbol", Msg::WM_LOCOSYMBOL},
            {u"locodesc", Msg::WM_LOCODESC},     {u"funcdesc", Msg::WM_LOCOFUNCDESC},
            {u"funcsymbol", Msg::WM_LOCOFUNCSYMBOL}, {u"func", Msg::WM_LOCOFUNC},
            {u"funcexists", Msg::WM_LOCOFUNCEXIST},
        };
        for (const auto& [name, msg] : attribute) {
            if (obj->attributes.front().first == QStringView(name)) {
                zeileEntfernen();
                broadcast(msg, variante_.typ, head);
                return true;
            }
        }
    }
    // 11: replies to request()
    if (head.startsWith(u"<REPLY request")) {
        const std::optional<Ecos::Command> cmd = Ecos::parseCommand(QStringView(head).mid(7, head.size() - 8));
        blockNehmen();
        if (endStatus_ != 0) {
            log(head + QStringLiteral(" : Fehler %1").arg(endStatus_));
        } else if (head == u"<REPLY request(1, view)>") {
            log(name() + QStringLiteral(" ANGEMELDET"));
        } else if (cmd && !cmd->arguments.isEmpty()) {
            if (LokRecord* row = lok(QString::number(cmd->id))) {
                if (cmd->arguments.front() == u"control") {
                    row->Control = true;
                    row->View = false;
                } else if (cmd->arguments.front() == u"view") {
                    row->View = true;
                    row->Control = false;
                }
            }
        }
        return true;
    }
    // 12: everything else
    zeileEntfernen();
    if (!head.startsWith(u'<') && !head.startsWith(u'(') && !head.startsWith(u' ')) {
        log(head);
    }
    return true;
}

void TProtokolEcos::replyInfo()
{
    log(QStringLiteral("Info"));
    const QStringList lines = blockNehmen();
    QString produkt;
    QString p, a, h;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (i == 0) {
            produkt = line.mid(2);
            ZentraleLabel = produkt;
        } else if (line.contains(u"ProtocolVersion")) {
            p = Ecos::bracketContent(line);
            ProtokolLabel = QStringLiteral("ProtocolVersion : ") + p;
        } else if (line.contains(u"ApplicationVersion")) {
            a = Ecos::bracketContent(line);
            ApplikationLabel = QStringLiteral("ApplicationVersion : ") + a;
        } else if (line.contains(u"HardwareVersion")) {
            h = Ecos::bracketContent(line);
            HardwareLabel = QStringLiteral("HardwareVersion : ") + h;
        }
    }
    StatusText = produkt + QStringLiteral(" ProtocolVersion : ") + p + QStringLiteral(" / App : ") + a
                 + QStringLiteral(" / HardwareVersion : ") + h;
}

void TProtokolEcos::eventPower(const QStringList& lines)
{
    for (const QString& line : lines) {
        if (line == u"1 status[STOP]") {
            log(QStringLiteral("STOP"));
            broadcast(Msg::WM_POWEROFF, 0, 0);
        } else if (line == u"1 status[GO]") {
            log(QStringLiteral("GO"));
            broadcast(Msg::WM_POWERON, 0, 0);
        } else if (line == u"1 status[SHUTDOWN]") {
            log(QStringLiteral("SHUTDOWN"));
            broadcast(Msg::WM_POWEROFF, 0, 0);
        } else if (Ecos::bracketContent(line) == u"CONTROL_LOST") {
            const QString id = line.left(4);
            if (LokRecord* row = lok(id)) {
                senden(Ecos::requestView(id.toInt()));
                row->Control = false;
                row->View = false;
            }
        }
    }
}

void TProtokolEcos::eventObjekte(const QStringList& lines, bool nurState, int eventId)
{
    for (const QString& line : lines) {
        const std::optional<Ecos::ObjectLine> obj = Ecos::parseObjectLine(line);
        if (!obj || obj->attributes.empty()) {
            continue;
        }
        const QString& attr = obj->attributes.front().first;
        const QString& value = obj->attributes.front().second;
        if (attr == u"state") {
            append(rueckmeldeLog, line);
            int position = 0;
            if (variante_.modulPositionAusTabelle) {
                for (int i = 0; i < modulAnzahl_; ++i) {
                    if (module_[static_cast<size_t>(i)].Id == obj->id) {
                        position = i + 1;
                        break;
                    }
                }
            } else {
                position = eventId >= 200 ? obj->idNumber - 199 : obj->idNumber - 99;
            }
            if (position < 1 || position > MaxS88Module) {
                append(rueckmeldeLog, QStringLiteral("Modul nicht in der Tabelle : ") + obj->id);
                continue;
            }
            broadcast(Msg::WM_S88_CHANGE2, position, qint64(Ecos::hexValue(value) & 0xFFFF));
            continue;
        }
        if (nurState) {
            continue;
        }
        if (attr == u"msg" && value == u"CONTROL_LOST") {
            if (LokRecord* row = lok(obj->id)) {
                senden(Ecos::requestView(obj->idNumber));
                row->Control = false;
                row->View = false;
            }
            continue;
        }
        LokRecord* row = lok(obj->id);
        if (!row) {
            continue;
        }
        if (attr == u"speed") {
            if (const auto speed = Ecos::number(value)) {
                broadcast(Msg::WM_LOKSPEED_CHANGE, row->Addr, *speed);
            }
        } else if (attr == u"dir") {
            if (const auto dir = Ecos::number(value)) {
                broadcast(Msg::WM_LOKDIR_ECOSID_CHANGE, obj->idNumber, *dir);
            }
        } else if (attr == u"func") {
            const qsizetype comma = value.indexOf(u',');
            const auto f = Ecos::number(QStringView(value).left(comma).trimmed());
            const auto v = Ecos::number(QStringView(value).right(1));
            if (comma > 0 && f && v && *f >= 0 && *f <= 16) {
                broadcast(Msg::WM_LOKFUNK_ECOSID_CHANGE, obj->idNumber, qint64(*v) + qint64(*f) * 65536);
            }
        }
    }
}

void TProtokolEcos::sammelnBeenden()
{
    const Sammeln modus = sammeln_;
    sammeln_ = Sammeln::Keine;
    switch (modus) {
    case Sammeln::Loks:
        log(QStringLiteral("Einlesen Lok Namen und Adressen Beendet"));
        loksAuswerten();
        break;
    case Sammeln::Protokolle:
        log(QStringLiteral("Einlesen Lok Protokolle Beendet"));
        protokolleAuswerten();
        break;
    case Sammeln::MagAdressen:
        log(QStringLiteral("Einlesen Magnetartikel Adresse beendet"));
        magAdressenAuswerten();
        break;
    case Sammeln::MagNamen:
        log(QStringLiteral("Einlesen Magnetartikel Name beendet"));
        magNamenAuswerten();
        break;
    case Sammeln::Module:
        log(QStringLiteral("Einlesen S88 beendet"));
        log(QStringLiteral("S88ModuleEinlesen"));
        moduleGelesen = true;
        moduleAuswerten();
        break;
    case Sammeln::Keine:
        break;
    }
}

void TProtokolEcos::loksAuswerten()
{
    loks_.clear();
    QStringList lines;
    for (qsizetype i = 0; i < lokZeilen_.size(); ++i) {
        QString line = lokZeilen_[i];
        if (variante_.zeilenVerbinden && !line.endsWith(u']') && i + 1 < lokZeilen_.size()) {
            line += lokZeilen_[++i];
        }
        lines.append(line);
    }
    // The attributes are taken by their names, so either order of address and name reads.
    for (const QString& line : lines) {
        const std::optional<Ecos::ObjectLine> obj = Ecos::parseObjectLine(line);
        if (!obj || obj->id.size() != 4) {
            continue;
        }
        const std::optional<QString> addr = obj->value(u"addr");
        const std::optional<int> a = addr ? Ecos::number(*addr) : std::nullopt;
        if (!a) {
            continue;
        }
        LokRecord row = neueLok(obj->id);
        row.Addr = *a;
        row.Name = Ecos::unquote(obj->value(u"name").value_or(QString()));
        loks_.push_back(std::move(row));
    }
    StatusText = QStringLiteral("Loks eingelesen : %1").arg(loks_.size());
    loksGelesen = true;
    lokDateiDefekt_ = false;
    LokListeSpeichern();
    Q_EMIT changed();
}

void TProtokolEcos::protokollSetzen(LokRecord& row, const QString& wort)
{
    struct Eintrag {
        const char16_t* wort;
        const char* text;
        int stufen;
    };
    static constexpr Eintrag tabelle[] = {
        {u"MM14", "MOTOROLA", 14}, {u"MM27", "MOTOROLA", 27}, {u"MM28", "DCC", 28},
        {u"DCC14", "DCC", 14},     {u"DCC28", "DCC", 28},     {u"DCC128", "DCC", 128},
        {u"SX32", "SX32", 128},    {u"MMFKT", "MFX", 128},    {u"MFX", "MFX", 28},
    };
    for (const Eintrag& e : tabelle) {
        if (wort == QStringView(e.wort)) {
            row.Protokoll = QString::fromLatin1(e.text);
            row.Fahrstufen = e.stufen;
            return;
        }
    }
}

void TProtokolEcos::protokolleAuswerten()
{
    // Each line names its own locomotive.
    for (const QString& line : protokollZeilen_) {
        const std::optional<Ecos::ObjectLine> obj = Ecos::parseObjectLine(line);
        if (!obj) {
            continue;
        }
        const std::optional<QString> wort = obj->value(u"protocol");
        if (LokRecord* row = lok(obj->id); row && wort) {
            protokollSetzen(*row, *wort);
        }
    }
    protokolleGelesen = true;
    broadcast(Msg::WM_LOK_DATEN_ID_PROTOCOL, 0, 0);
    LokListeSpeichern();
    Q_EMIT changed();
}

void TProtokolEcos::magAdressenAuswerten()
{
    magTabelle_.fill(QStringLiteral("00000"));
    mags_.clear();
    for (const QString& line : magAdressZeilen_) {
        const std::optional<Ecos::ObjectLine> obj = Ecos::parseObjectLine(line);
        if (!obj) {
            continue;
        }
        std::optional<int> addr;
        if (const auto ext = obj->value(u"addrext")) {
            const qsizetype g = ext->indexOf(u'g');
            addr = Ecos::number(g < 0 ? QStringView(*ext) : QStringView(*ext).left(g));
        } else if (const auto a = obj->value(u"addr")) {
            addr = Ecos::number(*a);
        }
        if (!addr || *addr < 0 || *addr >= 250) {
            continue;
        }
        magTabelle_[static_cast<size_t>(*addr)] = obj->id;
        MagRecord mag;
        mag.Id = obj->id;
        mag.Addr = *addr;
        mag.Protokoll = QStringLiteral("DCC");
        mags_.push_back(mag);
    }
    magAdressenGelesen = true;
    magDateiDefekt_ = false;
    MagnetArtikelSpeichern();
    for (const MagRecord& mag : mags_) {
        senden(Ecos::requestControl(mag.Id));
    }
    Q_EMIT changed();
}

void TProtokolEcos::magNamenAuswerten()
{
    for (const QString& line : magNamenZeilen_) {
        const std::optional<Ecos::ObjectLine> obj = Ecos::parseObjectLine(line);
        if (!obj) {
            continue;
        }
        const QString name = Ecos::unquote(obj->value(u"name1").value_or(QString()));
        for (MagRecord& mag : mags_) {
            if (mag.Id == obj->id) {
                mag.Name = name;
            }
        }
    }
    magNamenGelesen = true;
    broadcast(Msg::WM_MAG_DATEN_OK, 0, 0);
    MagnetArtikelSpeichern();
    Q_EMIT changed();
}

void TProtokolEcos::moduleAuswerten()
{
    int count = 0;
    for (S88Record& m : module_) {
        m = S88Record{};
        m.Id = QStringLiteral("000");
    }
    std::vector<S88Modul> anzeige;
    for (const QString& line : modulZeilen_) {
        const std::optional<Ecos::ObjectLine> obj = Ecos::parseObjectLine(line);
        if (!obj) {
            continue;
        }
        if (count >= MaxS88Module) {
            log(QStringLiteral("Mehr als 32 Rückmeldemodule, ignoriert : ") + obj->id);
            continue;
        }
        const QString label = obj->idNumber > 198 ? QStringLiteral("ECOS DETECTOR ") : QStringLiteral("S88 ");
        S88Record& m = module_[static_cast<size_t>(count)];
        m = S88ModulFuerNummer(count + 1, label);
        m.Id = obj->id;
        senden(Ecos::requestView(obj->idNumber));
        senden(Ecos::setModulePorts(obj->idNumber));
        S88Modul modul;
        modul.Name = label;
        modul.ModulId = obj->idNumber;
        for (int i = 0; i < 16; ++i) {
            modul.Kontakte[static_cast<size_t>(i)] = i + 1;
        }
        anzeige.push_back(modul);
        ++count;
    }
    modulAnzahl_ = count;
    kontaktAnzahl_ = count * 16;
    ModulAuswahlAnzahl = count;
    ModulAuswahl = count;
    ModulAuswahlAktiv = false;
    KontaktLabel = variante_.modulAuswertungSetztKontakte
        ? QStringLiteral("Anz Rückmeldekontakte : %1").arg(count * 16)
        : QStringLiteral("Anz Rückmeldekontakte in %1 : %2").arg(name()).arg(count * 16);
    programm_.settings.S88Module = anzeige;
    if (variante_.modulAuswertungSetztKontakte) {
        programm_.settings.GleiskontaktAnzahl = count * 16;
    }
    StatusText = QStringLiteral("S88 eingelesen : S88 Module : %1 Gleiskontakte : %2").arg(count).arg(count * 16);
    moduleGelesen = true;
    broadcast(Msg::WM_S88_EINGELESEN, count, count * 16);
    broadcast(Msg::WM_VERBINDENFERTIG, 0, 0);
    if (variante_.modulAuswertungSetztKontakte && programm_.system && programm_.ProjektDateiGeladen) {
        if (!programm_.system->SaveProjectSettings()) {
            log(QStringLiteral("Projekteinstellungen konnten nicht gespeichert werden"));
        }
    }
    Q_EMIT changed();
}

// ---- lists and files ------------------------------------------------------------------------------------

bool TProtokolEcos::LokListeSpeichern()
{
    if (lokDateiDefekt_) {
        log(QStringLiteral("Lokliste nicht gespeichert (Datei beschädigt) : ") + lokDatei());
        return false;
    }
    const QString error = LokListeSchreiben(lokDatei(), loks_);
    if (!error.isEmpty()) {
        log(error);
        return false;
    }
    return true;
}

bool TProtokolEcos::MagnetArtikelSpeichern()
{
    if (magDateiDefekt_) {
        log(QStringLiteral("Magnetartikelliste nicht gespeichert (Datei beschädigt) : ") + magDatei());
        return false;
    }
    const QString error = MagListeSchreiben(magDatei(), mags_);
    if (!error.isEmpty()) {
        log(error);
        return false;
    }
    return true;
}

void TProtokolEcos::lokPlatzhalter()
{
    loks_.clear();
    for (const LokPlatz& p : kLokPlatzhalter) {
        LokRecord row;
        row.Key = QString::fromLatin1(p.id);
        row.Name = QString::fromLatin1(p.name);
        row.Addr = p.addr;
        row.Protokoll = QString::fromLatin1(p.protokoll);
        row.SymbolText = QStringLiteral("Diesel-Lok");
        row.BildName = QStringLiteral("USER");
        loks_.push_back(row);
    }
}

void TProtokolEcos::magPlatzhalter()
{
    mags_.clear();
    for (int i = 1; i <= 4; ++i) {
        MagRecord mag;
        mag.Id = QStringLiteral("2000%1").arg(i);
        mag.Addr = i;
        mag.Name = QStringLiteral("Weiche%1").arg(i);
        mag.Protokoll = QStringLiteral("DCC");
        mags_.push_back(mag);
    }
}

void TProtokolEcos::magTabelleFuellen()
{
    magTabelle_.fill(QStringLiteral("00000"));
    for (const MagRecord& mag : mags_) {
        if (mag.Addr >= 0 && mag.Addr < 250) {
            magTabelle_[static_cast<size_t>(mag.Addr)] = mag.Id;
        }
    }
}

void TProtokolEcos::MessageRecieveOPEN_LOKLISTE()
{
    log(QStringLiteral("MessageRecieve OPEN_LOKLISTE -> Open_LokListe"));
    int geladen = 0;
    lokDateiDefekt_ = false;
    if (QFileInfo::exists(lokDatei())) {
        LokListeGelesen gelesen = LokListeLesen(lokDatei());
        if (!gelesen.error.isEmpty()) {
            log(gelesen.error);
            lokDateiDefekt_ = true;
            loks_.clear();
        } else {
            loks_ = std::move(gelesen.loks);
            geladen = 1;
        }
    } else {
        lokPlatzhalter();
        LokListeSpeichern();
    }
    Q_EMIT changed();
    if (loks_.empty()) {
        return;
    }
    StatusText = QStringLiteral("Loks aus Datei geladen : %1").arg(loks_.size());
    zugAnsichtFuellen();
    broadcast(Msg::WM_OPEN_LOKLISTE_OK, variante_.typ, geladen);
}

void TProtokolEcos::MessageRecieveOPEN_MAGNETARTLISTE()
{
    log(QStringLiteral("MessageRecieve OPEN_MAGNETARTLISTE -> Open_MagnetArtListe"));
    int geladen = 0;
    magDateiDefekt_ = false;
    if (QFileInfo::exists(magDatei())) {
        MagListeGelesen gelesen = MagListeLesen(magDatei());
        if (!gelesen.error.isEmpty()) {
            log(gelesen.error);
            magDateiDefekt_ = true;
            mags_.clear();
        } else {
            mags_ = std::move(gelesen.mags);
            geladen = 1;
        }
    } else {
        magPlatzhalter();
        MagnetArtikelSpeichern();
    }
    magTabelleFuellen();
    Q_EMIT changed();
    if (mags_.empty()) {
        return;
    }
    broadcast(Msg::WM_OPEN_MAGNETARTLISTE_OK, geladen, variante_.typ);
}

void TProtokolEcos::s88TabelleVorbelegen()
{
    const int anzahl = std::clamp(programm_.settings.GleiskontaktAnzahl / 16, 0, MaxS88Module);
    for (int n = 1; n <= MaxS88Module; ++n) {
        module_[static_cast<size_t>(n - 1)] = n <= anzahl ? S88ModulFuerNummer(n, QStringLiteral("S88 %1").arg(n)) : S88Record{};
    }
    ModulAuswahlAnzahl = MaxS88Module;
    ModulAuswahl = anzahl;
    ModulAuswahlAktiv = true;
}

void TProtokolEcos::ModulAnzahlWaehlen(int entry)
{
    if (!ModulAuswahlAktiv || entry < 1 || entry > MaxS88Module) {
        return;
    }
    if (programm_.settings.GleiskontaktAnzahl != entry * 16) {
        programm_.settings.GleiskontaktAnzahl = entry * 16;
        programm_.settings.SettingsChanged = true;
    }
    s88TabelleVorbelegen();
    Q_EMIT changed();
}

void TProtokolEcos::S88Einlesen()
{
    readerMs_ = 2000;
    if (readerLaeuft()) {
        readerStarten();
    }
    senden(Ecos::requestView(26));
    senden(Ecos::queryFeedbackModules());
}

void TProtokolEcos::MessageRecieveOPEN_S88_MAX()
{
    log(QStringLiteral("MessageRecieve OPEN_S88_MAX -> S88PanelsZeichnen"));
    s88TabelleVorbelegen();
    broadcast(Msg::WM_OPEN_S88_MAX_OK, 0, variante_.typ);
}

void TProtokolEcos::zugAnsichtFuellen()
{
    zugAnsicht_.clear();
    if (!programm_.betriebsdaten) {
        return;
    }
    for (const auto& zug : programm_.betriebsdaten->ZugListe) {
        if (!zug || zug->ZugGeloescht) {
            continue;
        }
        EcosZugZeile z;
        z.ZugNr = zug->ZugNr;
        z.Addr = zug->Addr;
        z.Name = zug->ZugName;
        z.EcosId = variante_.idMitLAlsNull && zug->ECOSID.startsWith(u'L') ? QStringLiteral("0000") : zug->ECOSID;
        z.Protokoll = zug->Protokoll;
        zugAnsicht_.push_back(z);
    }
}

void TProtokolEcos::MessageRecieveLOK_DATEN_VERGLEICHEN()
{
    log(QStringLiteral("MessageRecieve LOK_DATEN_VERGLEICHEN -> LokomotiveVSTVergleichenMitFahrzeugVST"));
    zugAnsichtFuellen();
    for (LokRecord& row : loks_) {
        row.InDatenbank = false;
        row.Mark.clear();
        row.ZugNr = -1;
        if (!programm_.betriebsdaten) {
            continue;
        }
        for (const auto& zug : programm_.betriebsdaten->ZugListe) {
            if (zug && !zug->ZugGeloescht && zug->ECOSID == row.Key) {
                row.ZugNr = zug->ZugNr;
                row.InDatenbank = true;
                row.Mark = QStringLiteral("V");
            }
        }
        for (EcosZugZeile& z : zugAnsicht_) {
            if (row.InDatenbank && z.ZugNr == row.ZugNr) {
                z.Mark = QStringLiteral("V");
                z.Verbunden = true;
            }
        }
    }
    log(QStringLiteral("Send WM_LOK_DATEN_VERGLEICHEN_OK"));
    Q_EMIT changed();
    broadcast(Msg::WM_LOK_DATEN_VERGLEICHEN_OK, 0, variante_.typ);
}

void TProtokolEcos::MessageRecieveMAGVERGLEICHEN()
{
    log(QStringLiteral("MessageRecieve_MAGVERGLEICHEN"));
    const std::vector<MagRecord> mags = mags_; // a receiver may reload the list
    for (const MagRecord& mag : mags) {
        if (!mag.Name.isEmpty()) {
            broadcast(Msg::WM_MAGIDSENDEN, mag.Addr, mag.Name);
        }
    }
}

// ---- commands -------------------------------------------------------------------------------------------

void TProtokolEcos::MessageRecieveLOKSPEED(const CoreMessage& m)
{
    const QString id = m.w.toText();
    const int speed = m.l.toInt();
    // Like every other command, speeds need the link.
    if (!verbunden() || !lok(id)) {
        return;
    }
    log(QStringLiteral("MessageRecieve LOKSPEED ID : ") + id + QStringLiteral(" Speed : ") + QString::number(speed));
    senden(Ecos::requestControl(id));
    senden(Ecos::setSpeed(id, speed));
}

void TProtokolEcos::MessageRecieveLOKDIR(const CoreMessage& m)
{
    const QString id = m.w.toText();
    const int dir = m.l.toInt();
    if (!verbunden() || !lok(id)) {
        return;
    }
    log(QStringLiteral("MessageRecieve LOKDIR ID : ") + id + QStringLiteral(" Dir : ") + QString::number(dir));
    senden(Ecos::requestControl(id));
    senden(Ecos::setDirection(id, dir));
}

void TProtokolEcos::MessageRecieveLOKFUNK(const CoreMessage& m)
{
    const QString id = m.w.toText();
    const int f = static_cast<int>((m.l.toNumber() >> 16) & 0xFF);
    const int v = static_cast<int>(m.l.toNumber() & 0xFF);
    if (!verbunden() || !lok(id)) {
        return;
    }
    log(QStringLiteral("MessageRecieve LOKFUNK ID : %1 Funktion : %2 Wert : %3").arg(id).arg(f).arg(v));
    senden(Ecos::requestControl(id));
    senden(Ecos::setFunction(id, f, v));
}

void TProtokolEcos::MessageRecieveMAG(const CoreMessage& m)
{
    const int adresse = m.w.toInt();
    const int stellung = m.l.toInt() != 0 ? 1 : 0;
    if (!verbunden()) {
        return;
    }
    if (adresse < 0 || adresse > 250) {
        log(QStringLiteral("MessageRecieve MAG Adresse außerhalb der Tabelle : %1").arg(adresse));
        return;
    }
    const QString id = magTabelle_[static_cast<size_t>(adresse)];
    if (id == u"00000") {
        return;
    }
    log(QStringLiteral("MessageRecieve MAG Adresse : %1 Zustand :%2").arg(adresse).arg(stellung));
    senden(Ecos::requestView(11));
    senden(Ecos::requestControl(id));
    senden(Ecos::setState(id, stellung));
}

void TProtokolEcos::lokEinlesen(int row)
{
    if (row < 0 || row >= static_cast<int>(loks_.size()) || !verbunden()) {
        return;
    }
    const QString id = loks_[static_cast<size_t>(row)].Key;
    for (const char* attr : {"addr", "name", "protocol", "locodesc"}) {
        senden(Ecos::getAttribute(id, QLatin1String(attr)));
    }
    letzteLok_ = id;
}

bool TProtokolEcos::lesenFragen(int row, const QString& was)
{
    if (row < 0 || row >= static_cast<int>(loks_.size())) {
        return false;
    }
    return programm_.dialogs.yesNo(loks_[static_cast<size_t>(row)].Name + u'\r' + was + name() + QStringLiteral(" laden \r")
                                   + QStringLiteral("Dies kann etwas dauern"));
}

void TProtokolEcos::lokFunktionenEinlesen(int row, int von, int bis)
{
    if (von >= 17) {
        programm_.dialogs.information(QStringLiteral("Funktionen 17-28 aus Zentrale ") + name()
                                      + QStringLiteral(" laden \rIn Trassolin derzeit nur 16 Funktionen möglich"));
        return;
    }
    if (row < 0 || row >= static_cast<int>(loks_.size()) || !verbunden()) {
        return;
    }
    const QString id = loks_[static_cast<size_t>(row)].Key;
    for (int n = std::max(von, 1); n <= std::min(bis, 16); ++n) {
        senden(Ecos::getFuncSymbol(id, n));
    }
}

void TProtokolEcos::attributNachricht(const CoreMessage& m)
{
    const bool erweitert = m.id == Msg::WM_LOCODESC || m.id == Msg::WM_LOCOFUNCDESC || m.id == Msg::WM_LOCOFUNCEXIST;
    if (m.id == Msg::WM_LOCOFUNCDESC || (erweitert && !variante_.attributeErweitert)) {
        return;
    }
    const QString line = m.l.toText();
    const std::optional<Ecos::ObjectLine> obj = Ecos::parseObjectLine(line);
    if (!obj || obj->attributes.empty()) {
        return;
    }
    LokRecord* row = lok(obj->id);
    if (!row) {
        return;
    }
    const QString value = obj->attributes.front().second;
    switch (m.id) {
    case Msg::WM_LOCOADDR:
        if (const auto a = Ecos::number(value)) {
            row->Addr = *a;
        }
        break;
    case Msg::WM_LOCONAME:
        row->Name = Ecos::unquote(value);
        break;
    case Msg::WM_LOCOPROTOCOL:
        row->Protokoll = value;
        break;
    case Msg::WM_LOCOSYMBOL:
        if (const auto n = Ecos::number(value)) {
            row->SymbolNr = *n;
        }
        break;
    case Msg::WM_LOCODESC: {
        const QStringList teile = value.split(u',');
        const std::optional<int> n = teile.size() >= 3 ? Ecos::number(teile[2].trimmed()) : std::nullopt;
        if (n) {
            const QString art = teile[0].trimmed();
            if (art == u"LOCO_TYPE_DIESEL") {
                row->SymbolText = QStringLiteral("Diesel-Lok");
            } else if (art == u"LOCO_TYPE_E") {
                row->SymbolText = QStringLiteral("E-Lok");
            } else if (art == u"LOCO_TYPE_STEAM") {
                row->SymbolText = QStringLiteral("Dampf-Lok");
            }
            row->BildName = teile[1].trimmed();
            row->SymbolNr = *n;
        }
        if (obj->id == letzteLok_) {
            LokListeSpeichern();
            log(QStringLiteral("MessageRecieve_LOCODESC LOKSLetztelocodesc ") + obj->id);
            letzteLok_ = QStringLiteral("0000");
        }
        break;
    }
    case Msg::WM_LOCOFUNCSYMBOL:
    case Msg::WM_LOCOFUNC: {
        const QStringList teile = value.split(u',');
        const std::optional<int> f = teile.size() == 2 ? Ecos::number(teile[0].trimmed()) : std::nullopt;
        const std::optional<int> s = teile.size() == 2 ? Ecos::number(teile[1].trimmed()) : std::nullopt;
        if (!f || !s || *f < 1 || *f > 16) {
            break;
        }
        const size_t i = static_cast<size_t>(*f - 1);
        if (*s != 0) {
            row->FunktionBeschreibung[i] = QString::number(*s);
            row->Funktionen[i] = true;
        } else {
            row->Funktionen[i] = false;
        }
        if (*f == 16) {
            LokListeSpeichern();
        }
        break;
    }
    case Msg::WM_LOCOFUNCEXIST: {
        const QStringList teile = value.split(u',');
        const std::optional<int> f = teile.size() == 2 ? Ecos::number(teile[0].trimmed()) : std::nullopt;
        if (!f || *f < 1 || *f > 14) {
            break;
        }
        const QString code = teile[1].trimmed();
        const size_t i = static_cast<size_t>(*f - 1);
        if (code.startsWith(u'-') || code.startsWith(u'0')) {
            row->Funktionen[i] = false;
        } else {
            row->Funktionen[i] = true;
            const QString padded = code.rightJustified(4, u'0');
            row->FunktionBeschreibung[i].clear();
            for (const LOKFUNKTIONRecord& s : symbole_.LokFunktionen) {
                if (s.Code == padded) {
                    row->FunktionBeschreibung[i] = s.Text;
                    break;
                }
            }
        }
        LokListeSpeichern();
        break;
    }
    default:
        break;
    }
    Q_EMIT changed();
}

// ---- taking a locomotive into the vehicle database ---------------------------------------------------

ZentralenLok TProtokolEcos::alsZentralenLok(const LokRecord& row)
{
    ZentralenLok lok;
    lok.Id = row.Key;
    lok.Name = row.Name;
    lok.Adresse = row.Addr;
    lok.Protokoll = row.Protokoll;
    lok.Fahrstufen = row.Fahrstufen;
    for (int n = 1; n <= 16; ++n) {
        const size_t i = static_cast<size_t>(n - 1);
        lok.Funktionen.push_back({n, 0, row.FunktionBeschreibung[i], row.Funktionen[i]});
    }
    return lok;
}

bool TProtokolEcos::UebernahmeStarten(int row)
{
    if (!programm_.fahrzeuge || uebernahmeAktiv() || programm_.fahrzeuge->UebernahmeAktiv() || row < 0
        || row >= static_cast<int>(loks_.size())) {
        return false;
    }
    const LokRecord& lok = loks_[static_cast<size_t>(row)];
    uebernahmeId_ = lok.Key;
    UebernahmeCaption = QStringLiteral("Suche Verzeichnis für ") + lok.Name;
    UebernahmeHinweis = QStringLiteral("Bite eine Verzeichnis für ") + lok.Name + QStringLiteral(" auswählen.  ");
    UebernehmenText = QStringLiteral("Ok");
    UebernehmenOk = false;
    programm_.fahrzeuge->UebernahmeStarten(variante_.typ);
    Q_EMIT changed();
    return true;
}

void TProtokolEcos::UebernahmeAuswahl(FahrzeugKnoten* knoten)
{
    if (uebernahmeAktiv() && programm_.fahrzeuge) {
        programm_.fahrzeuge->Auswaehlen(knoten);
    }
}

FahrzeugKnoten* TProtokolEcos::UebernahmeOk()
{
    if (!uebernahmeAktiv() || !programm_.fahrzeuge || !UebernehmenOk) {
        return nullptr;
    }
    LokRecord* row = lok(uebernahmeId_);
    if (!row) {
        // The list was read anew from the command station while the panel was open.
        programm_.dialogs.information(QStringLiteral("Lok ") + uebernahmeId_ + QStringLiteral(" ist nicht mehr in der Lokliste"));
        uebernahmeBeenden();
        return nullptr;
    }
    FahrzeugKnoten* neu = programm_.fahrzeuge->LokUebernehmen(programm_.fahrzeuge->Ausgewaehlt(), alsZentralenLok(*row));
    if (!neu) {
        return nullptr;
    }
    row->InDatenbank = true;
    row->Mark = QStringLiteral("V");
    zugAnsichtFuellen();
    uebernahmeBeenden();
    return neu;
}

void TProtokolEcos::UebernahmeAbbrechen()
{
    if (uebernahmeAktiv()) {
        uebernahmeBeenden();
    }
}

void TProtokolEcos::uebernahmeBeenden()
{
    uebernahmeId_.clear();
    UebernehmenOk = false;
    UebernahmeCaption.clear();
    UebernahmeHinweis.clear();
    UebernehmenText.clear();
    if (programm_.fahrzeuge) {
        programm_.fahrzeuge->UebernahmeBeenden();
    }
    Q_EMIT changed();
}
