// The audio output through SDL2 and SDL2_mixer: the default device is opened with as many
// channels as it has speakers (1, 2, 4, 6 or 8), 16-bit samples, 14 mixer channels for the
// boxes and one for the fallback output. Each playing channel carries a mixer effect that routes
// its samples to the box's speakers with the stream's volume and pan (SpeakerRouting).
//
// Owned by the program start; all calls on the UI thread. SDL's audio thread runs the effects
// and reads only the stream's gains, which are atomic. Set SDL_AUDIODRIVER=dummy (or disk) for
// headless runs.
#pragma once

#include "settings/SoundBackend.h"

#include <QStringList>
#include <memory>

class SdlSoundBackend final : public SoundBackend {
public:
    SdlSoundBackend();
    ~SdlSoundBackend() override;
    SdlSoundBackend(const SdlSoundBackend&) = delete;
    SdlSoundBackend& operator=(const SdlSoundBackend&) = delete;

    bool Init(int frequency) override;
    int SpeakerCount() const override;
    std::vector<SoundDevice> Devices() const override;
    quint32 StreamCreateFile(const QString& path, int channel, SpeakerFlag flag) override;
    void SetVolume(quint32 stream, double volume) override;
    void SetPan(quint32 stream, double pan) override;
    bool Play(quint32 stream) override;
    void StreamFree(quint32 stream) override;
    bool WaveOutHasVolume() const override;
    void SetWaveOutVolume(quint16 left, quint16 right) override;
    bool PlayFileAsync(const QString& path) override;

    // The file formats the mixer can load ("WAVE", "MP3", ...); empty before Init.
    QStringList Decoders() const;
    // SDL's last error text, for logs.
    static QString LastError();

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};
