// A sound backend for tests: records every call as a line of text ("play 1", "pan 1 -0.5") and
// plays nothing. The speaker count, the devices and which files fail to load are set by the
// test.
#pragma once

#include "settings/SoundBackend.h"

#include <QFileInfo>
#include <QSet>
#include <QStringList>

class RecordingSoundBackend final : public SoundBackend {
public:
    bool Init(int frequency) override
    {
        calls << QStringLiteral("init %1").arg(frequency);
        open = initSucceeds;
        return open;
    }
    int SpeakerCount() const override { return open ? speakers : -1; }
    std::vector<SoundDevice> Devices() const override { return devices; }

    quint32 StreamCreateFile(const QString& path, int channel, SpeakerFlag flag) override
    {
        const QString name = QFileInfo(path).fileName();
        const quint32 handle = open && !unplayable.contains(name) ? nextHandle++ : 0;
        calls << QStringLiteral("create %1 channel %2 %3 -> %4").arg(name).arg(channel).arg(FlagName(flag)).arg(handle);
        return handle;
    }
    void SetVolume(quint32 stream, double volume) override
    {
        calls << QStringLiteral("volume %1 %2").arg(stream).arg(volume);
    }
    void SetPan(quint32 stream, double pan) override { calls << QStringLiteral("pan %1 %2").arg(stream).arg(pan); }
    bool Play(quint32 stream) override
    {
        calls << QStringLiteral("play %1").arg(stream);
        return stream != 0;
    }
    void StreamFree(quint32 stream) override { calls << QStringLiteral("free %1").arg(stream); }
    bool WaveOutHasVolume() const override { return open; }
    void SetWaveOutVolume(quint16 left, quint16 right) override
    {
        calls << QStringLiteral("waveOut %1 %2").arg(left).arg(right);
    }
    bool PlayFileAsync(const QString& path) override
    {
        const QString name = QFileInfo(path).fileName();
        calls << QStringLiteral("playAsync %1").arg(name);
        return open && !unplayable.contains(name);
    }

    static QString FlagName(SpeakerFlag flag)
    {
        static const char* const kNames[] = {"Front",     "Rear",       "CenterLfe", "Rear2",  "Left",
                                             "Right",     "FrontLeft",  "FrontRight", "RearLeft", "RearRight",
                                             "Center",    "Lfe",        "Rear2Left", "Rear2Right"};
        return QString::fromLatin1(kNames[static_cast<int>(flag)]);
    }

    // Set by the test.
    bool initSucceeds = true;
    int speakers = 2;
    std::vector<SoundDevice> devices;
    QSet<QString> unplayable; // file names whose streams cannot be created

    QStringList calls;

private:
    bool open = false;
    quint32 nextHandle = 1;
};
