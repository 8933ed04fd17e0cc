// WAV files: the length of a sound from its RIFF chunks, and 16-bit PCM files for the test
// sound. The reader looks at the chunk headers only, never at the samples. UI thread.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

struct WaveInfo {
    int formatTag = 0; // 1 = PCM, 0xFFFE = extensible, others compressed
    int channels = 0;
    int sampleRate = 0;
    int bytesPerSecond = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
    qint64 dataBytes = 0;                   // as far as the file holds them
    std::optional<qint64> samplesPerChannel; // from a "fact" chunk
};

// The format of the WAV file open in `file` from its "fmt ", "fact" and "data" chunks; other
// chunks are skipped. nullopt when it is no RIFF WAVE file or has no format or data chunk.
std::optional<WaveInfo> ReadWaveInfo(QIODevice& file);

// Milliseconds, rounded down: by frames for PCM, by the "fact" sample count for compressed
// data, otherwise by the average byte rate. nullopt when the header gives no rate.
std::optional<qint64> WaveLengthMs(const WaveInfo& info);

// Length of the WAV file `path` in milliseconds. nullopt with an error text instead of an
// exception: "Open Failed" when the file cannot be opened, "Status Failed" when it is no WAV
// file whose length can be told.
std::optional<int> SoundLength(const QString& path, QString* error = nullptr);

// A 16-bit PCM WAV file with interleaved `samples` of `channels` channels.
QByteArray PcmWaveBytes(int sampleRate, int channels, const std::vector<qint16>& samples);
