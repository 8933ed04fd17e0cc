#include "settings/TSystem.h"

#include "core/FileSave.h"
#include "core/Programm.h"
#include "core/SerialPorts.h"
#include "core/TInfo.h"
#include "diagram/GleisBild.h"
#include "diagram/GleisbildZeichner.h"
#include "diagram/TTrassolin.h"
#include "settings/ParameterFile.h"
#include "settings/ProjectSettingsFile.h"
#include "settings/SoundOutput.h"
#include "settings/ZentraleNamen.h"

#include <QDir>
#include <QFileInfo>

TSystem::TSystem(Programm& programm, SoundBackend& sound)
    : programm_(programm), sound_(std::make_unique<SoundOutput>(programm, sound))
{
    refreshComPorts();
    connect(sound_.get(), &SoundOutput::logLine, this, &TSystem::Log);
    connect(sound_.get(), &SoundOutput::changed, this, &TSystem::changed);
    sound_->StartLibrary();
    Log(programm_.clock.timeText() + QStringLiteral(" - Programm Start"));
}

TSystem::~TSystem() = default;

void TSystem::Log(const QString& text)
{
    log_ << text;
    Q_EMIT logged(text);
}

void TSystem::PlaySound(const QString& path, int box)
{
    sound_->PlaySound(path, box);
}

void TSystem::receive(const CoreMessage& message)
{
    if (message.id != Msg::WM_DEBUG || (message.w.toNumber() != 0 && message.w.toNumber() != 1)) {
        return;
    }
    uhrSeiteSichtbar = true;
    debugAnzeige = message.w.toNumber() == 1;
    aktiveSeite = debugAnzeige ? QStringLiteral("Verbindung") : QStringLiteral("Anzeige");
    Q_EMIT changed();
}

ProjectFileContext TSystem::context() const
{
    ProjectFileContext c;
    c.programFolder = programm_.programFolder;
    c.projectName = programm_.ProjektName;
    c.dateText = programm_.clock.dateText();
    c.mainWindowWidth = mainWindowWidth;
    c.mainWindowHeight = mainWindowHeight;
    c.screenHeight = screenHeight;
    return c;
}

void TSystem::markChanged()
{
    programm_.settings.SettingsChanged = true;
    Q_EMIT changed();
}

// ---- files ------------------------------------------------------------------------------------

bool TSystem::ReadParameterFile()
{
    const ParameterFileResult result = ::ReadParameterFile(programm_.programFolder, programm_.clock, programm_.parameters);
    if (!result.error.isEmpty()) {
        programm_.dialogs.information(result.error);
    }
    programm_.ProjektName = programm_.parameters.LastProject;
    programm_.settings.SettingsChanged = false;
    letztesMalVerbunden = QStringLiteral("Letztes Mal Verbunden mit Zentrale am ") + programm_.parameters.LastConnectedDate;
    Q_EMIT changed();
    return result.ok;
}

bool TSystem::WriteParameterFile(const QString& projectName)
{
    QString error;
    const bool ok = ::WriteParameterFile(programm_.programFolder, programm_.parameters, projectName, &error);
    if (!ok) {
        programm_.dialogs.information(error);
    }
    programm_.settings.SettingsChanged = false;
    return ok;
}

bool TSystem::LoadProjectSettings(const QString& path)
{
    const ProjectSettingsLoadResult result = LoadProjectSettingsFile(path, context(), programm_.settings);
    if (!result.ok) {
        programm_.ProjektDateiGeladen = false;
        programm_.dialogs.information(result.error);
        return false;
    }
    programm_.ProjektDateiGeladen = true;
    sound_->LoadSoundSettings();
    if (programm_.info) {
        programm_.info->logStar(QStringLiteral(" ProjektDatei geöffnet"));
    }
    if (programm_.hauptfenster) {
        programm_.hauptfenster->UpdateStatusbar(2, 0, QStringLiteral("ProjektDatei geöffnet"));
    }
    programm_.settings.SoundSettingsChanged = false;
    pendingTyp = programm_.settings.ZentraleTyp;
    Q_EMIT panelColorChanged();
    ApplyConnectionSettings();
    return true;
}

bool TSystem::SaveProjectSettings(const QString& path)
{
    if (!programm_.ProjektDateiGeladen) {
        return false;
    }
    QString error;
    if (!SaveProjectSettingsFile(path, programm_.settings, context(), &error)) {
        programm_.dialogs.information(error);
        return false;
    }
    programm_.settings.SoundSettingsChanged = false;
    return true;
}

bool TSystem::SaveProjectSettings()
{
    return SaveProjectSettings(programm_.projectFile(QStringLiteral(".pro")));
}

void TSystem::ApplyConnectionSettings()
{
    const ProjectSettings& s = programm_.settings;
    zentraleText = ZentraleName(s.ZentraleTyp);
    if (programm_.info) {
        programm_.info->zentraleText = zentraleText;
    }
    Q_EMIT changed();
    programm_.bus.broadcast(Msg::WM_SYSTEM_COM_BAUD, s.ComPort, s.BaudRate);
    programm_.bus.broadcast(Msg::WM_SYSTEM_IP_PORT, s.IpAddress, s.IpPort);
}

void TSystem::ApplyPanelColor()
{
    Q_EMIT panelColorChanged();
    SaveProjectSettings();
}

void TSystem::setLetztesMalVerbunden(const QString& text)
{
    letztesMalVerbunden = text;
    Q_EMIT changed();
}

// ---- "Verbindung" -------------------------------------------------------------------------------

QStringList TSystem::ZentralenAuswahl()
{
    return {QStringLiteral("Keine zentrale"),
            QStringLiteral("Fleischmann Twin-Center (Px50 Protokol - RS232 kabel)"),
            QStringLiteral("Uhlenbrock Intellybox 1   (Px50 Protokol - RS232 kabel)"),
            QStringLiteral("Uhlenbrock Intellybox 2 (LOCONET über USB)"),
            QStringLiteral("Uhlenbrock IB-COM      (LOCONET über USB)"),
            QStringLiteral("Makltin Central Station 1 (LAN, WLAN)"),
            QStringLiteral("Makltin Central Station 2 (LAN, WLAN)"),
            QStringLiteral("ESU 50200 ECoS   (LAN, WLAN)"),
            QStringLiteral("ESU 50210 ECoS 2  (LAN, WLAN)"),
            QStringLiteral("Roco-Fleischmann Z21  (LAN, WLAN)")};
}

QList<int> TSystem::BaudRaten()
{
    return {2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200};
}

void TSystem::refreshComPorts()
{
    comPorts.clear();
    comPortDevices.clear();
    for (int n = 1; n <= 9; ++n) {
        const QString device = ResolveComPort(programm_.programFolder, n);
        if (!device.isEmpty()) {
            comPorts << QStringLiteral("COM%1").arg(n);
            comPortDevices << device;
        }
    }
    if (comPorts.isEmpty()) {
        for (int n = 1; n <= 9; ++n) {
            comPorts << QStringLiteral("COM%1").arg(n);
            comPortDevices << QString();
        }
    }
}

bool TSystem::serialFieldsVisible() const
{
    return pendingTyp >= 1 && pendingTyp <= 4;
}

bool TSystem::networkFieldsVisible() const
{
    return pendingTyp >= 5 && pendingTyp <= 9;
}

void TSystem::ChooseZentrale(int typ)
{
    if (typ < 0 || typ > ZentraleTypMax) {
        return;
    }
    pendingTyp = typ;
    static const int ports[] = {0, 0, 0, 0, 0, 15471, 15731, 15471, 15471, 21105};
    if (ports[typ] != 0) {
        programm_.settings.IpPort = ports[typ];
    }
    neuUebernehmenVisible = true;
    Q_EMIT changed();
}

void TSystem::NeuZentraleUebernehmen()
{
    programm_.settings.ZentraleTyp = pendingTyp;
    programm_.settings.FunctionKeyCount = pendingTyp == 3 ? 8 : 16;
    ApplyConnectionSettings();
    speichernEnabled = true;
    abbrechenEnabled = true;
    Q_EMIT changed();
}

void TSystem::Speichern()
{
    ApplyConnectionSettings();
    SaveProjectSettings();
    speichernEnabled = false;
    Q_EMIT changed();
}

void TSystem::Abbrechen()
{
    pendingTyp = programm_.settings.ZentraleTyp;
    neuUebernehmenVisible = false;
    speichernEnabled = false;
    abbrechenEnabled = false;
    ApplyConnectionSettings();
}

void TSystem::setComPort(const QString& name)
{
    const int port = name.mid(3, 1).toInt();
    if (name.startsWith(QStringLiteral("COM")) && port >= 1 && port <= 9) {
        programm_.settings.ComPort = port;
        speichernEnabled = true;
        Q_EMIT changed();
    }
}

void TSystem::setBaudRate(int baud)
{
    if (BaudRaten().contains(baud)) {
        programm_.settings.BaudRate = baud;
        speichernEnabled = true;
        Q_EMIT changed();
    }
}

void TSystem::setIpAddress(const QString& address)
{
    programm_.settings.IpAddress = address.trimmed();
    speichernEnabled = true;
    Q_EMIT changed();
}

void TSystem::setIpPort(int port)
{
    if (port >= 1 && port <= 65535) {
        programm_.settings.IpPort = port;
        speichernEnabled = true;
        Q_EMIT changed();
    }
}

// ---- "Optionen" ---------------------------------------------------------------------------------

void TSystem::FunktionenOnOffDelayUp()
{
    int& v = programm_.settings.FunktionenOnOffDelay;
    if (v < 2500) {
        v += 100;
        markChanged();
    }
}

void TSystem::FunktionenOnOffDelayDown()
{
    int& v = programm_.settings.FunktionenOnOffDelay;
    if (v > 100) {
        v -= 100;
        markChanged();
    }
}

void TSystem::AutomaticdelayUp()
{
    programm_.settings.Automaticdelay += 200;
    markChanged();
}

void TSystem::AutomaticdelayDown()
{
    int& v = programm_.settings.Automaticdelay;
    if (v > 800) {
        v -= 200;
        markChanged();
    }
}

void TSystem::WartezeitzwischenMagnetArtUp()
{
    int& v = programm_.settings.WartezeitzwischenMagnetArt;
    if (v > 949) {
        programm_.dialogs.information(QStringLiteral("Max = 950 MSec !"));
        return;
    }
    v += 50;
    markChanged();
}

void TSystem::WartezeitzwischenMagnetArtDown()
{
    int& v = programm_.settings.WartezeitzwischenMagnetArt;
    if (v < 251) {
        programm_.dialogs.information(QStringLiteral("Min = 250 MSec !"));
        return;
    }
    v -= 50;
    markChanged();
}

void TSystem::InfoAnzeigenDauerUp()
{
    int& v = programm_.settings.InfoAnzeigenDauer;
    if (v < 9499) {
        v += 500;
        markChanged();
    }
}

void TSystem::InfoAnzeigenDauerDown()
{
    int& v = programm_.settings.InfoAnzeigenDauer;
    if (v > 1000) {
        v -= 500;
        markChanged();
    }
}

QString TSystem::setMagnetArtikelAnzahlText(const QString& text)
{
    QString digits;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            digits += c;
        }
    }
    if (digits.isEmpty()) {
        return digits;
    }
    const int value = std::min(digits.left(4).toInt(), 250);
    programm_.settings.MagnetArtikelAnzahl = value;
    markChanged();
    return value == 250 && digits.toInt() != 250 ? QStringLiteral("250") : digits;
}

void TSystem::setOption(bool& field, bool value)
{
    if (field == value) {
        return;
    }
    field = value;
    markChanged();
    // Display options redraw the diagram; the signal option also shows or hides signal buttons.
    if (TGleisBild* bild = programm_.gleisbild) {
        if (&field == &programm_.settings.ShowUnnumberedSignals) {
            SignalTastenAktualisieren(*bild);
        }
        Q_EMIT bild->allesNeuZeichnen();
    }
}

void TSystem::setLocoDisplayMode(const QString& mode)
{
    if (programm_.settings.LocoDisplayMode != mode) {
        programm_.settings.LocoDisplayMode = mode;
        markChanged();
    }
}

void TSystem::ChoosePanelColor(bool automatic)
{
    QString& field = automatic ? programm_.settings.PanelColorAutomatic : programm_.settings.PanelColor;
    const TColor current = StringToColor(field).value_or(clBtnFace);
    if (const auto chosen = programm_.dialogs.chooseColor(current)) {
        field = ColorToString(*chosen);
        markChanged();
        ApplyPanelColor();
    }
}

// ---- "Verzeichnisse" ----------------------------------------------------------------------------

bool TSystem::FolderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

void TSystem::ResetFolders()
{
    programm_.settings.LocoPictureFolder = programm_.programFolder + QStringLiteral("Loks");
    programm_.settings.WagonPictureFolder = programm_.programFolder + QStringLiteral("Wagen");
    SaveProjectSettings();
    markChanged();
    if (programm_.dialogs.yesNo(QStringLiteral("Relevante Daten würden geändert\ränderung erst nach Neustart von Trassolin !!\r Jetzt neu starten ?"))) {
        Q_EMIT restartRequested();
    }
}

void TSystem::setLocoPictureFolder(const QString& path)
{
    programm_.settings.LocoPictureFolder = path;
    markChanged();
}

void TSystem::setWagonPictureFolder(const QString& path)
{
    programm_.settings.WagonPictureFolder = path;
    markChanged();
}

void TSystem::setAlternativeDatabaseEnabled(bool enabled, const QString& file)
{
    alternativeDatabaseVisible = enabled;
    if (!enabled) {
        programm_.settings.AlternativeVehicleDatabase.clear();
        programm_.settings.AlternativeMaintenanceFile.clear();
    } else if (QFileInfo(file).isFile()) {
        programm_.settings.AlternativeVehicleDatabase = file;
    }
    SaveProjectSettings();
    Q_EMIT changed();
}

void TSystem::ChooseAlternativeDatabase()
{
    const auto file = programm_.dialogs.openFile(QStringLiteral("Alternative Lokdatenbank"), programm_.projectFolder(),
                                                 QStringLiteral("Trassolin LokDatenbank (*.lda)|*.lda"));
    if (!file || !QFileInfo(*file).isFile()) {
        return;
    }
    programm_.settings.AlternativeVehicleDatabase = *file;
    programm_.dialogs.information(QStringLiteral("Wenn Alternative Lokdatenbank Aktiv\rWird ab den nächsten Start von Trassolin die Alternative Datenbank geladen"));
    SaveProjectSettings();
    Q_EMIT changed();
}

void TSystem::CloseWindow()
{
    const bool soundChanged = sound_->hasUnsavedChanges();
    if ((programm_.settings.SettingsChanged || programm_.settings.SoundSettingsChanged || soundChanged)
        && programm_.dialogs.yesNo(QStringLiteral("System Einstellungen wurden geändert, Speichern?"))) {
        if (soundChanged) {
            sound_->SaveSoundSettings();
        }
        WriteParameterFile(programm_.ProjektName);
        SaveProjectSettings();
    }
}

void TSystem::setFunktionBilderAuswahl(int set)
{
    if (set >= 0 && set <= 2 && programm_.settings.FunktionBilderAuswahl != set) {
        programm_.settings.FunktionBilderAuswahl = set;
        markChanged();
    }
}

void TSystem::WindowShown()
{
    pendingTyp = programm_.settings.ZentraleTyp;
    neuUebernehmenVisible = false;
    alternativeDatabaseVisible = !programm_.settings.AlternativeVehicleDatabase.isEmpty();
    Q_EMIT changed();
}

void TSystem::ZentraleAnzeigen()
{
    programm_.bus.broadcast(Msg::WM_SHOWPROTOKOL, programm_.settings.ZentraleTyp, 0);
}

void TSystem::DebugTaste()
{
    programm_.bus.broadcast(Msg::WM_DEBUG, uhrSeiteSichtbar ? 0 : 1, 0);
}
