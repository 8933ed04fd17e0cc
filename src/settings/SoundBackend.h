// The audio output as the sound logic uses it: the default device with one mixer channel per
// sound box, streams created from WAV or MP3 files with a box's speakers, their volume and pan,
// and the fallback output that plays one file at a time with a left and right volume.
// Production: SdlSoundBackend; tests record the calls. Called on the UI thread only; playing
// is asynchronous.
#pragma once

#include "settings/SoundBox.h"

#include <QString>
#include <QtGlobal>
#include <vector>

struct SoundDevice {
    QString name;
    int speakers = 0;
};

class SoundBackend {
public:
    virtual ~SoundBackend() = default;

    // Opens the default output device at `frequency` Hz. False when there is none.
    virtual bool Init(int frequency) = 0;
    // Speakers of the open default device; -1 when no device is open.
    virtual int SpeakerCount() const = 0;
    // The output devices the system knows.
    virtual std::vector<SoundDevice> Devices() const = 0;

    // A stream of `path` on mixer channel `channel` (0..13) playing on the speakers of `flag`;
    // 0 when the file cannot be loaded or no device is open. A stream keeps its channel until
    // it is freed.
    virtual quint32 StreamCreateFile(const QString& path, int channel, SpeakerFlag flag) = 0;
    // 0..1, applied at once, also while the stream plays.
    virtual void SetVolume(quint32 stream, double volume) = 0;
    // -1 (left) .. 1 (right), applied at once.
    virtual void SetPan(quint32 stream, double pan) = 0;
    // Starts the stream from its beginning; false for an unknown stream.
    virtual bool Play(quint32 stream) = 0;
    // Stops the stream if it plays and releases it; unknown streams are ignored.
    virtual void StreamFree(quint32 stream) = 0;

    // Fallback output on the front speakers.
    virtual bool WaveOutHasVolume() const = 0;
    // 0..65535 for each side; applies to the sound playing now and to later ones.
    virtual void SetWaveOutVolume(quint16 left, quint16 right) = 0;
    // Plays `path`, stopping the fallback sound before it; false when it cannot be played.
    virtual bool PlayFileAsync(const QString& path) = 0;
};
