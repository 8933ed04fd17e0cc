#include "settings/SdlSoundBackend.h"

#include "settings/SpeakerRouting.h"

#include <QFile>
#include <SDL.h>
#include <SDL_mixer.h>
#include <atomic>
#include <map>

namespace {
constexpr int kFallbackChannel = kSoundBoxCount; // after the 14 box channels
constexpr int kMixerChannels = kSoundBoxCount + 1;
constexpr int kBufferFrames = 1024;

// SDL_mixer drives one device per process.
std::atomic<bool> gDeviceInUse{false};

// 1, 2, 4, 6 or 8: the layouts the routing knows; the nearest smaller one for others.
int SupportedChannels(int speakers)
{
    for (const int channels : {8, 6, 4, 2}) {
        if (speakers >= channels) {
            return channels;
        }
    }
    return speakers == 1 ? 1 : 2;
}

// Speakers of the default device as the system reports them; 2 when it does not tell.
int DefaultDeviceSpeakers()
{
    char* name = nullptr;
    SDL_AudioSpec spec{};
    if (SDL_GetDefaultAudioInfo(&name, &spec, 0) != 0) {
        return 2;
    }
    SDL_free(name);
    return spec.channels > 0 ? spec.channels : 2;
}

struct Stream {
    Mix_Chunk* chunk = nullptr;
    int channel = 0;
    int deviceChannels = 2;
    SpeakerRoute route;
    double volume = 1.0;
    double pan = 0.0;
    // Read by the audio thread while the stream plays.
    std::atomic<float> gainLeft{1.0f};
    std::atomic<float> gainRight{1.0f};

    void setGains(Gains gains)
    {
        gainLeft.store(gains.left);
        gainRight.store(gains.right);
    }
};

// Mixer effect of a playing channel: runs on SDL's audio thread, before the channel is mixed.
void RouteEffect(int, void* samples, int bytes, void* stream)
{
    const auto* s = static_cast<const Stream*>(stream);
    RouteSamples(std::span<qint16>(static_cast<qint16*>(samples), static_cast<std::size_t>(bytes) / sizeof(qint16)),
                 s->deviceChannels, s->route, {s->gainLeft.load(), s->gainRight.load()});
}

// The file is closed here: on a file it cannot read, the mixer does not free the stream it was
// handed.
Mix_Chunk* LoadChunk(const QString& path)
{
    SDL_RWops* file = SDL_RWFromFile(QFile::encodeName(path).constData(), "rb");
    if (!file) {
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 0);
    SDL_RWclose(file);
    return chunk;
}
} // namespace

struct SdlSoundBackend::Impl {
    bool sdlStarted = false;
    bool deviceOpen = false;
    int channels = 0;
    quint32 nextHandle = 1;
    std::map<quint32, std::unique_ptr<Stream>> streams;
    std::unique_ptr<Stream> fallback;
    quint16 waveLeft = 0xFFFF;
    quint16 waveRight = 0xFFFF;

    Stream* find(quint32 handle)
    {
        const auto it = streams.find(handle);
        return it == streams.end() ? nullptr : it->second.get();
    }

    std::unique_ptr<Stream> load(const QString& path, int channel, SpeakerRoute route)
    {
        Mix_Chunk* chunk = deviceOpen ? LoadChunk(path) : nullptr;
        if (!chunk) {
            return nullptr;
        }
        auto stream = std::make_unique<Stream>();
        stream->chunk = chunk;
        stream->channel = channel;
        stream->deviceChannels = channels;
        stream->route = route;
        return stream;
    }

    // The effect is set before the channel starts, so the first samples are routed already.
    static bool start(Stream& stream)
    {
        Mix_HaltChannel(stream.channel);
        Mix_UnregisterAllEffects(stream.channel);
        if (Mix_RegisterEffect(stream.channel, RouteEffect, nullptr, &stream) == 0) {
            return false;
        }
        return Mix_PlayChannel(stream.channel, stream.chunk, 0) >= 0;
    }

    static void release(Stream& stream)
    {
        if (Mix_GetChunk(stream.channel) == stream.chunk) {
            Mix_HaltChannel(stream.channel);
            Mix_UnregisterAllEffects(stream.channel);
        }
        Mix_FreeChunk(stream.chunk);
        stream.chunk = nullptr;
    }

    Gains fallbackGains() const { return {waveLeft / 65535.0f, waveRight / 65535.0f}; }
};

SdlSoundBackend::SdlSoundBackend() : d_(std::make_unique<Impl>()) {}

SdlSoundBackend::~SdlSoundBackend()
{
    for (auto& [handle, stream] : d_->streams) {
        Impl::release(*stream);
    }
    d_->streams.clear();
    if (d_->fallback) {
        Impl::release(*d_->fallback);
    }
    if (d_->deviceOpen) {
        Mix_CloseAudio();
        Mix_Quit();
        gDeviceInUse.store(false);
    }
    if (d_->sdlStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

QString SdlSoundBackend::LastError()
{
    return QString::fromUtf8(SDL_GetError());
}

bool SdlSoundBackend::Init(int frequency)
{
    if (d_->deviceOpen) {
        return true;
    }
    if (!d_->sdlStarted) {
        // SDL would otherwise catch SIGINT and SIGTERM for its own event queue, which this
        // program never reads: the program could no longer be ended by a signal.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return false;
        }
        d_->sdlStarted = true;
    }
    if (gDeviceInUse.exchange(true)) {
        SDL_SetError("Die Soundausgabe ist schon geöffnet");
        return false;
    }
    Mix_Init(MIX_INIT_MP3); // without it only WAV files play; reported by Decoders()
    const int channels = SupportedChannels(DefaultDeviceSpeakers());
    if (Mix_OpenAudioDevice(frequency, AUDIO_S16SYS, channels, kBufferFrames, nullptr, 0) != 0) {
        Mix_Quit();
        gDeviceInUse.store(false);
        return false;
    }
    int openFrequency = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&openFrequency, &format, &d_->channels);
    Mix_AllocateChannels(kMixerChannels);
    Mix_Volume(-1, MIX_MAX_VOLUME);
    d_->deviceOpen = true;
    return true;
}

int SdlSoundBackend::SpeakerCount() const
{
    return d_->deviceOpen ? d_->channels : -1;
}

std::vector<SoundDevice> SdlSoundBackend::Devices() const
{
    std::vector<SoundDevice> devices;
    if (!d_->sdlStarted) {
        return devices;
    }
    const int count = SDL_GetNumAudioDevices(0);
    for (int i = 0; i < count; ++i) {
        SDL_AudioSpec spec{};
        const bool known = SDL_GetAudioDeviceSpec(i, 0, &spec) == 0 && spec.channels > 0;
        devices.push_back({QString::fromUtf8(SDL_GetAudioDeviceName(i, 0)), known ? spec.channels : SpeakerCount()});
    }
    return devices;
}

quint32 SdlSoundBackend::StreamCreateFile(const QString& path, int channel, SpeakerFlag flag)
{
    if (channel < 0 || channel >= kSoundBoxCount) {
        return 0;
    }
    auto stream = d_->load(path, channel, SpeakerRouteFor(flag, d_->channels));
    if (!stream) {
        return 0;
    }
    stream->setGains(StreamGains(stream->route, stream->volume, stream->pan));
    const quint32 handle = d_->nextHandle++;
    d_->streams.emplace(handle, std::move(stream));
    return handle;
}

void SdlSoundBackend::SetVolume(quint32 handle, double volume)
{
    if (Stream* s = d_->find(handle)) {
        s->volume = volume;
        s->setGains(StreamGains(s->route, s->volume, s->pan));
    }
}

void SdlSoundBackend::SetPan(quint32 handle, double pan)
{
    if (Stream* s = d_->find(handle)) {
        s->pan = pan;
        s->setGains(StreamGains(s->route, s->volume, s->pan));
    }
}

bool SdlSoundBackend::Play(quint32 handle)
{
    Stream* s = d_->find(handle);
    return s && Impl::start(*s);
}

void SdlSoundBackend::StreamFree(quint32 handle)
{
    const auto it = d_->streams.find(handle);
    if (it == d_->streams.end()) {
        return;
    }
    Impl::release(*it->second);
    d_->streams.erase(it);
}

bool SdlSoundBackend::WaveOutHasVolume() const
{
    return d_->deviceOpen;
}

void SdlSoundBackend::SetWaveOutVolume(quint16 left, quint16 right)
{
    d_->waveLeft = left;
    d_->waveRight = right;
    if (d_->fallback) {
        d_->fallback->setGains(d_->fallbackGains());
    }
}

bool SdlSoundBackend::PlayFileAsync(const QString& path)
{
    if (d_->fallback) {
        Impl::release(*d_->fallback);
        d_->fallback.reset();
    }
    d_->fallback = d_->load(path, kFallbackChannel, SpeakerRouteFor(SpeakerFlag::Front, d_->channels));
    if (!d_->fallback) {
        return false;
    }
    d_->fallback->setGains(d_->fallbackGains());
    return Impl::start(*d_->fallback);
}

QStringList SdlSoundBackend::Decoders() const
{
    QStringList decoders;
    if (!d_->deviceOpen) {
        return decoders;
    }
    for (int i = 0; i < Mix_GetNumChunkDecoders(); ++i) {
        decoders << QString::fromUtf8(Mix_GetChunkDecoder(i));
    }
    return decoders;
}
