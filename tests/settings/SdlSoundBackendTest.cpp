// Plays through SDL's "disk" driver, which writes the mixed samples to a file, and checks which
// channels of the output carry the sound.
#include "settings/SdlSoundBackend.h"
#include "settings/WaveFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <SDL_mixer.h>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

namespace {
// Sets an environment variable for the scope, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

// Signalled from SDL's audio thread when a mixer channel has played to its end.
struct ChannelEnd {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;

    static ChannelEnd*& current()
    {
        static ChannelEnd* instance = nullptr;
        return instance;
    }
    static void finished(int)
    {
        ChannelEnd* self = current();
        const std::lock_guard lock(self->mutex);
        self->done = true;
        self->ended.notify_all();
    }

    ChannelEnd()
    {
        current() = this;
        Mix_ChannelFinished(&ChannelEnd::finished);
    }
    ~ChannelEnd()
    {
        Mix_ChannelFinished(nullptr);
        current() = nullptr;
    }
    bool wait(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(mutex);
        return ended.wait_for(lock, limit, [this] { return done; });
    }
};

// 200 ms of a 440 Hz tone, the same in both channels.
QByteArray Tone()
{
    std::vector<qint16> samples;
    for (int i = 0; i < 8820; ++i) {
        const auto v = static_cast<qint16>(std::lround(12000.0 * std::sin(2.0 * M_PI * 440.0 * i / 44100.0)));
        samples.push_back(v);
        samples.push_back(v);
    }
    return PcmWaveBytes(44100, 2, samples);
}

struct ChannelPeaks {
    int left = 0;
    int right = 0;
};

ChannelPeaks PeaksOfStereoFile(const QString& path)
{
    QFile f(path);
    ChannelPeaks peaks;
    if (!f.open(QIODevice::ReadOnly)) {
        return peaks;
    }
    const QByteArray bytes = f.readAll();
    const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
    for (qsizetype i = 0; i + 1 < bytes.size() / 2; i += 2) {
        peaks.left = std::max(peaks.left, std::abs(int{samples[i]}));
        peaks.right = std::max(peaks.right, std::abs(int{samples[i + 1]}));
    }
    return peaks;
}
} // namespace

TEST(SdlSoundBackend, SoundReachesOnlyTheSpeakersOfItsBoxAndPan)
{
    struct Case {
        const char* name;
        SpeakerFlag flag;
        double pan;
        bool left;
    };
    const Case cases[] = {
        {"front pair panned left", SpeakerFlag::Front, -1.0, true},
        {"right box", SpeakerFlag::Right, 0.0, false},
    };
    QTemporaryDir dir;
    QFile wav(dir.filePath(QStringLiteral("ton.wav")));
    ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
    wav.write(Tone());
    wav.close();

    for (const Case& c : cases) {
        const QString output = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".raw"));
        const ScopedEnv driver("SDL_AUDIODRIVER", "disk");
        const ScopedEnv file("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        const ScopedEnv pace("SDL_DISKAUDIODELAY", "2"); // ms per buffer: faster than real time
        {
            SdlSoundBackend backend;
            ASSERT_TRUE(backend.Init(44100)) << SdlSoundBackend::LastError().toStdString();
            ASSERT_EQ(backend.SpeakerCount(), 2);
            EXPECT_TRUE(backend.Decoders().contains(QStringLiteral("MP3")));
            ChannelEnd end;
            const quint32 stream = backend.StreamCreateFile(wav.fileName(), 0, c.flag);
            ASSERT_NE(stream, 0u);
            backend.SetVolume(stream, 0.5);
            backend.SetPan(stream, c.pan);
            ASSERT_TRUE(backend.Play(stream));
            ASSERT_TRUE(end.wait(std::chrono::seconds(10))) << c.name;
        } // closing the device writes the last buffer and the file
        const ChannelPeaks peaks = PeaksOfStereoFile(output);
        const ChannelPeaks expected = c.left ? ChannelPeaks{6000, 0} : ChannelPeaks{0, 6000};
        EXPECT_NEAR(peaks.left, expected.left, 100) << c.name;
        EXPECT_NEAR(peaks.right, expected.right, 100) << c.name;
    }
}

TEST(SdlSoundBackend, FilesThatCannotBeLoadedGiveNoStream)
{
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("kein.wav")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("kein Klang");
    text.close();
    SdlSoundBackend backend;
    ASSERT_TRUE(backend.Init(44100)) << SdlSoundBackend::LastError().toStdString();
    EXPECT_EQ(backend.StreamCreateFile(text.fileName(), 0, SpeakerFlag::Front), 0u);
    EXPECT_EQ(backend.StreamCreateFile(dir.filePath(QStringLiteral("fehlt.wav")), 0, SpeakerFlag::Front), 0u);
    EXPECT_FALSE(backend.Play(42));
}
