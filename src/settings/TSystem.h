// The settings window's logic: project settings and installation parameters of the running
// program, applying the connection settings, the pages "Verbindung", "Anzeige", "Optionen" and
// "Verzeichnisse", the sound output of the "Sound" page, and the window's log. Receives core
// messages on the UI thread; TSystemForm shows its state.
#pragma once

#include "core/MessageBus.h"
#include "operation/SoundAbspielen.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

struct Programm;
struct ProjectFileContext;
class SoundBackend;
class SoundOutput;

class TSystem : public QObject, public MessageReceiver, public SoundAbspielen {
    Q_OBJECT
public:
    // Starts the sound library on `sound` and logs the program start.
    TSystem(Programm& programm, SoundBackend& sound);
    ~TSystem() override;

    void receive(const CoreMessage& message) override;

    // Sound output ("Sound" page); other parts play their sounds through PlaySound.
    SoundOutput& sound() { return *sound_; }
    void PlaySound(const QString& path, int box) override;

    // The window's log, oldest line first.
    const QStringList& LogZeilen() const { return log_; }
    void Log(const QString& text);

    // Files.
    bool ReadParameterFile();
    bool WriteParameterFile(const QString& projectName);
    // Reads `<project>.pro` (writing the new-project file first when there is none) and applies
    // it; sets `ProjektDateiGeladen` when the file was read.
    bool LoadProjectSettings(const QString& path);
    // Rewrites `<project>.pro`; refused while no settings file was read, so a damaged file is
    // never overwritten. False when refused or failed.
    bool SaveProjectSettings(const QString& path);
    bool SaveProjectSettings();
    void ApplyConnectionSettings();
    void ApplyPanelColor();
    void setLetztesMalVerbunden(const QString& text);

    // Sizes the stored window positions are clamped to (set by the user interface).
    int mainWindowWidth = 1280;
    int mainWindowHeight = 860;
    int screenHeight = 1024;

    // WM_DEBUG: 1 shows the "Verbindung" page with the diagnostic labels, 0 the "Anzeige" page.
    QString aktiveSeite = QStringLiteral("Anzeige");
    bool uhrSeiteSichtbar = false;
    bool debugAnzeige = false;
    void DebugTaste(); // Ctrl+D: 0 while the "Uhr" page is visible, else 1

    // "Verbindung" page.
    static QStringList ZentralenAuswahl();
    static QList<int> BaudRaten();
    void ChooseZentrale(int typ);
    void NeuZentraleUebernehmen();
    void Speichern();
    void Abbrechen();
    void setComPort(const QString& name); // "COM3"
    void setBaudRate(int baud);
    void setIpAddress(const QString& address);
    void setIpPort(int port);
    QStringList comPorts;      // "COM1".."COM9" that resolve to a device; all nine when none does
    QStringList comPortDevices; // the device beside each name, "" when none
    int pendingTyp = 0;
    bool neuUebernehmenVisible = false;
    bool speichernEnabled = false;
    bool abbrechenEnabled = false;
    QString zentraleText;         // the chosen station's name
    QString letztesMalVerbunden;  // "Letztes Mal Verbunden mit ..."
    bool serialFieldsVisible() const;
    bool networkFieldsVisible() const;

    // "Optionen" page steppers.
    void FunktionenOnOffDelayUp();
    void FunktionenOnOffDelayDown();
    void AutomaticdelayUp();
    void AutomaticdelayDown();
    void WartezeitzwischenMagnetArtUp();
    void WartezeitzwischenMagnetArtDown();
    void InfoAnzeigenDauerUp();
    void InfoAnzeigenDauerDown();
    // The accessory count as typed: digits only, at most 250. Returns the text the field shows.
    QString setMagnetArtikelAnzahlText(const QString& text);

    // Check boxes and choices of the "Anzeige" and "Optionen" pages; each marks the settings
    // changed.
    void setOption(bool& field, bool value);
    void setLocoDisplayMode(const QString& mode);
    void setFunktionBilderAuswahl(int set); // 0..2
    void ChoosePanelColor(bool automatic);

    // "Verzeichnisse" page.
    static bool FolderExists(const QString& path);
    void ResetFolders();
    void setLocoPictureFolder(const QString& path);
    void setWagonPictureFolder(const QString& path);
    void setAlternativeDatabaseEnabled(bool enabled, const QString& file);
    void ChooseAlternativeDatabase();
    bool alternativeDatabaseVisible = false;

    // Showing the window: the choices start from the settings in effect.
    void WindowShown();
    // "Zentrale Anzeigen": the chosen station's driver shows its window.
    void ZentraleAnzeigen();

    // Closing the window: asks to save changed settings, sound settings included.
    void CloseWindow();

Q_SIGNALS:
    void changed();
    void panelColorChanged();
    // Some changes need a restart of the program.
    void restartRequested();
    // A line was added to the log.
    void logged(const QString& text);

private:
    ProjectFileContext context() const;
    void markChanged();
    void refreshComPorts();

    Programm& programm_;
    std::unique_ptr<SoundOutput> sound_;
    QStringList log_;
};
