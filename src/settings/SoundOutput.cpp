#include "settings/SoundOutput.h"

#include "core/FileSave.h"
#include "core/LineFile.h"
#include "core/Programm.h"
#include "settings/SoundBackend.h"
#include "settings/SoundFile.h"

#include <QFileInfo>

namespace {
constexpr int kFrequency = 44100;
const QString kNoSoundDevice = QStringLiteral("No sound");
} // namespace

SoundOutput::SoundOutput(Programm& programm, SoundBackend& backend)
    : programm_(programm), backend_(backend), boxes_(DefaultSoundBoxes())
{
    TestSoundPath = programm_.programFolder + QStringLiteral("data/Testsound.wav");
}

void SoundOutput::log(const QString& text)
{
    Q_EMIT logLine(programm_.clock.timeText() + QStringLiteral(" - ") + text);
}

void SoundOutput::markChanged()
{
    programm_.settings.SoundSettingsChanged = true;
    unsaved_ = true;
    Q_EMIT changed();
}

QString SoundOutput::soundFile() const
{
    return programm_.projectFile(QStringLiteral(".sou"));
}

// ---- start-up and file --------------------------------------------------------------------------

void SoundOutput::StartLibrary()
{
    boxes_ = DefaultSoundBoxes();
    BassReady = backend_.Init(kFrequency);
    log(BassReady ? QStringLiteral("BASS Initialisiert") : QStringLiteral("BASS Init nicht möglich"));
    SpeakerCount = backend_.SpeakerCount();
    log(QStringLiteral("Anzahl Boxen ") + QString::number(SpeakerCount));
    for (const SoundDevice& device : backend_.Devices()) {
        if (device.name != kNoSoundDevice) {
            log(device.name + QStringLiteral(" - Anzahl Boxen ") + QString::number(device.speakers));
        }
    }
    RebuildBoxList();
}

bool SoundOutput::LoadSoundSettings()
{
    const QString path = FindPathNoCase(soundFile());
    const QStringList whenMissing =
        SoundFileLines(boxes_, SoundMode::Library, programm_.ProjektName, programm_.clock.dateText());
    QString error;
    const auto lines = LineReader::ReadLinesCreating(path, whenMissing, &error);
    SoundFileReadResult result;
    if (lines) {
        result = ReadSoundFile(*lines, SoundOutputMode, boxes_);
        error = result.error;
    }
    fileRead_ = result.ok;
    unsaved_ = false;
    RebuildBoxList();
    if (!result.ok) {
        programm_.dialogs.information(QStringLiteral("Die Sounddatei ") + path
                                      + QStringLiteral(" wurde nicht fehlerfrei gelesen\rund wird nicht gespeichert:\r")
                                      + error);
        return false;
    }
    Q_EMIT logLine(result.firstLine);
    return true;
}

bool SoundOutput::SaveSoundSettings()
{
    if (!fileRead_) {
        programm_.dialogs.information(
            QStringLiteral("Die Sounddatei wurde nicht fehlerfrei gelesen und wird nicht gespeichert."));
        return false;
    }
    QString error;
    const QStringList lines =
        SoundFileLines(boxes_, SoundOutputMode, programm_.ProjektName, programm_.clock.dateText());
    if (!SaveFileAtomically(FindPathNoCase(soundFile()), LineWriter::JoinLines(lines), &error)) {
        programm_.dialogs.information(error);
        return false;
    }
    unsaved_ = false;
    return true;
}

// ---- playing ------------------------------------------------------------------------------------

void SoundOutput::PlaySound(const QString& path, int box)
{
    if (box == kKeinSound) {
        return;
    }
    if (box < 0 || box >= kSoundBoxCount) {
        log(path + QStringLiteral("  -- Soundbox %1 gibt es nicht").arg(box));
        return;
    }
    const QString file = FindPathNoCase(path);
    if (!QFileInfo(file).isFile()) {
        log(path + QStringLiteral("  -- Datei nicht gefunden"));
        return;
    }
    if (SoundOutputMode == SoundMode::Fallback) {
        playFallback(file, path, box);
    } else {
        playOnLibrary(file, path, box);
    }
}

void SoundOutput::playOnLibrary(const QString& file, const QString& path, int box)
{
    PlayingStream& slot = streams_[StreamSlot(box, SpeakerCount)];
    if (slot.handle != 0) {
        backend_.StreamFree(slot.handle);
    }
    slot = {backend_.StreamCreateFile(file, StreamSlot(box, SpeakerCount), boxes_[box].Flag), box};
    if (slot.handle != 0) {
        backend_.SetVolume(slot.handle, boxes_[box].Volume / 100.0);
        backend_.SetPan(slot.handle, boxes_[box].Balance / 100.0);
    }
    if (slot.handle == 0 || !backend_.Play(slot.handle)) {
        log(path + QStringLiteral("  -- Sound kann nicht abgespielt werden"));
        return;
    }
    log(path + boxes_[box].Name + QStringLiteral(" ausgeben"));
}

void SoundOutput::playFallback(const QString& file, const QString& path, int box)
{
    applyWaveOutVolume(box);
    if (!backend_.PlayFileAsync(file)) {
        log(path + QStringLiteral("  -- Sound kann nicht abgespielt werden"));
    }
}

// Left gets volume div balance, right the rest; a balance outside 1..10 counts as its nearest
// end, so 0 never divides.
void SoundOutput::applyWaveOutVolume(int box)
{
    if (!backend_.WaveOutHasVolume()) {
        return;
    }
    const int volume = VolumeRange(SoundMode::Fallback).clamp(boxes_[box].Volume);
    const int left = volume / BalanceRange(SoundMode::Fallback).clamp(boxes_[box].Balance);
    backend_.SetWaveOutVolume(static_cast<quint16>(left), static_cast<quint16>(volume - left));
}

quint32 SoundOutput::streamOf(int box) const
{
    const PlayingStream& slot = streams_[StreamSlot(box, SpeakerCount)];
    return slot.box == box ? slot.handle : 0;
}

std::vector<int> SoundOutput::ActiveBoxes() const
{
    std::vector<int> active;
    for (int box = 0; box < kSoundBoxCount; ++box) {
        if (boxes_[box].Active) {
            active.push_back(box);
        }
    }
    return active;
}

// ---- "Sound" page -------------------------------------------------------------------------------

void SoundOutput::RebuildBoxList()
{
    BoxListe = SoundBoxListe(SoundOutputMode, SpeakerCount);
    SelectedBox = -1;
    showChosenBox();
}

void SoundOutput::showChosenBox()
{
    if (SelectedBox < 0) {
        testHint.clear();
        activateText = QStringLiteral("Aktivieren");
        activateHint.clear();
        Q_EMIT changed();
        return;
    }
    const SoundBox& box = boxes_[SelectedBox];
    testHint = QStringLiteral("Sound an ") + box.Name + QStringLiteral(" abspielen");
    activateText = box.Active ? QStringLiteral("Deaktivieren") : QStringLiteral("Aktivieren");
    activateHint = QStringLiteral("Lautsprecher ") + box.Name + u' ' + activateText;
    Q_EMIT changed();
}

int SoundOutput::volumePosition() const
{
    return SelectedBox < 0 ? DefaultVolume(SoundOutputMode) : volumeRange().clamp(boxes_[SelectedBox].Volume);
}

int SoundOutput::balancePosition() const
{
    return SelectedBox < 0 ? DefaultBalance(SoundOutputMode) : balanceRange().clamp(boxes_[SelectedBox].Balance);
}

void SoundOutput::ChooseBox(int row)
{
    if (row < 0 || row >= static_cast<int>(BoxListe.size())) {
        return;
    }
    SelectedBox = BoxListe[static_cast<std::size_t>(row)];
    showChosenBox();
}

void SoundOutput::SetBoxTicked(int row, bool ticked)
{
    if (row < 0 || row >= static_cast<int>(BoxListe.size())) {
        return;
    }
    SelectedBox = BoxListe[static_cast<std::size_t>(row)];
    if (boxes_[SelectedBox].Active != ticked) {
        boxes_[SelectedBox].Active = ticked;
        markChanged();
    }
    showChosenBox();
}

void SoundOutput::ToggleActive()
{
    if (SelectedBox < 0) {
        return;
    }
    boxes_[SelectedBox].Active = !boxes_[SelectedBox].Active;
    markChanged();
    showChosenBox();
}

void SoundOutput::SetVolume(int value)
{
    if (SelectedBox < 0) {
        return;
    }
    boxes_[SelectedBox].Volume = volumeRange().clamp(value);
    markChanged();
    if (SoundOutputMode == SoundMode::Fallback) {
        applyWaveOutVolume(SelectedBox);
    } else if (const quint32 stream = streamOf(SelectedBox)) {
        backend_.SetVolume(stream, boxes_[SelectedBox].Volume / 100.0);
    }
}

void SoundOutput::SetBalance(int value)
{
    if (SelectedBox < 0) {
        return;
    }
    boxes_[SelectedBox].Balance = balanceRange().clamp(value);
    markChanged();
    if (SoundOutputMode == SoundMode::Fallback) {
        applyWaveOutVolume(SelectedBox);
    } else if (const quint32 stream = streamOf(SelectedBox)) {
        backend_.SetPan(stream, boxes_[SelectedBox].Balance / 100.0);
    }
}

void SoundOutput::RenameBox(const QString& name)
{
    if (SelectedBox < 0 || boxes_[SelectedBox].Name == name) {
        return;
    }
    boxes_[SelectedBox].Name = name;
    markChanged();
    showChosenBox();
}

void SoundOutput::PlayTestSound()
{
    if (SelectedBox >= 0) {
        PlaySound(TestSoundPath, SelectedBox);
    }
}

bool SoundOutput::SetFallback(bool on)
{
    if (on == fallbackChecked()) {
        return true;
    }
    if (!programm_.dialogs.yesNo(QStringLiteral("Alle Einstellungen der Lautsprecher werden zurück gesetzt !! -- Weite ? "))) {
        Q_EMIT changed();
        return false;
    }
    SoundOutputMode = on ? SoundMode::Fallback : SoundMode::Library;
    for (SoundBox& box : boxes_) {
        box.Active = false;
        box.Volume = DefaultVolume(SoundOutputMode);
        box.Balance = DefaultBalance(SoundOutputMode);
    }
    RebuildBoxList();
    markChanged();
    return true;
}
