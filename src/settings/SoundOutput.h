// Sound output: the 14 boxes of the open project with their file `<project>.sou`, playing sound
// files on a box (`PlaySound`), and the state and actions of the settings window's "Sound" page.
// Owned by TSystem, which starts the library when the settings window is created; every call on
// the UI thread. Log lines go out through `logLine` into the settings window's log.
#pragma once

#include "settings/SoundBox.h"

#include <QObject>
#include <QString>
#include <array>
#include <vector>

struct Programm;
class SoundBackend;

class SoundOutput : public QObject {
    Q_OBJECT
public:
    SoundOutput(Programm& programm, SoundBackend& backend);

    // Opens the default device at 44100 Hz, logs the result, the speaker count and the devices,
    // and gives the boxes their defaults.
    void StartLibrary();

    // Reads `<project>.sou` (writing it from the current boxes first when it is missing) and
    // rebuilds the box list. A file that cannot be read is reported, and never saved over.
    bool LoadSoundSettings();
    // Rewrites `<project>.sou` atomically; refused (and said so) while the file was not read.
    bool SaveSoundSettings();

    // Plays a WAV or MP3 file on `box` (0..13) and returns at once; 999 plays nothing. A missing
    // file, a box that does not exist and a sound that cannot be played are logged.
    void PlaySound(const QString& path, int box);

    const SoundBoxes& boxes() const { return boxes_; }
    // The boxes that may be chosen for sounds.
    std::vector<int> ActiveBoxes() const;
    // A box was changed since the file was last read or written.
    bool hasUnsavedChanges() const { return unsaved_; }

    SoundMode SoundOutputMode = SoundMode::Library;
    bool BassReady = false;
    int SpeakerCount = -1;
    QString TestSoundPath; // `<program folder>data/Testsound.wav`

    // "Sound" page. `BoxListe` is the hidden index list: the box shown in each row.
    std::vector<int> BoxListe;
    int SelectedBox = -1; // -1 until a box is chosen; the box controls are disabled until then
    bool fallbackChecked() const { return SoundOutputMode == SoundMode::Fallback; }
    ValueRange volumeRange() const { return VolumeRange(SoundOutputMode); }
    ValueRange balanceRange() const { return BalanceRange(SoundOutputMode); }
    // Slider positions: the chosen box's values, else the mode's defaults.
    int volumePosition() const;
    int balancePosition() const;
    QString testHint;
    QString activateText = QStringLiteral("Aktivieren");
    QString activateHint;

    // Page actions; `row` is a row of the box list.
    void ChooseBox(int row);
    void SetBoxTicked(int row, bool ticked);
    void ToggleActive(); // "Aktivieren" / "Deaktivieren"
    void SetVolume(int value);
    void SetBalance(int value);
    void RenameBox(const QString& name); // "Name ändern"
    void PlayTestSound();
    // The fallback check box: asks, then resets every box for the chosen mode. False when the
    // user said No; the check box then shows the mode in effect again.
    bool SetFallback(bool on);

Q_SIGNALS:
    void changed();
    void logLine(const QString& text);

private:
    struct PlayingStream {
        quint32 handle = 0;
        int box = -1; // the box the stream was played for
    };

    void log(const QString& text);
    void markChanged();
    void RebuildBoxList();
    void showChosenBox();
    void playOnLibrary(const QString& file, const QString& path, int box);
    void playFallback(const QString& file, const QString& path, int box);
    void applyWaveOutVolume(int box);
    // The stream playing for `box`, 0 when none.
    quint32 streamOf(int box) const;
    QString soundFile() const;

    Programm& programm_;
    SoundBackend& backend_;
    SoundBoxes boxes_;
    std::array<PlayingStream, kSoundBoxCount> streams_{};
    bool fileRead_ = false;
    bool unsaved_ = false;
};
