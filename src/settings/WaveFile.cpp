#include "settings/WaveFile.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <limits>

namespace {
constexpr int kFormatPcm = 1;
constexpr int kFormatFloat = 3;
constexpr int kFormatExtensible = 0xFFFE;

quint32 Le32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 Le16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

void ReadFormat(const QByteArray& body, WaveInfo& info)
{
    info.formatTag = Le16(body, 0);
    info.channels = Le16(body, 2);
    info.sampleRate = static_cast<int>(std::min<quint32>(Le32(body, 4), std::numeric_limits<int>::max()));
    info.bytesPerSecond = static_cast<int>(std::min<quint32>(Le32(body, 8), std::numeric_limits<int>::max()));
    info.blockAlign = Le16(body, 12);
    info.bitsPerSample = Le16(body, 14);
}

void AppendLe32(QByteArray& bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void AppendLe16(QByteArray& bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}
} // namespace

std::optional<WaveInfo> ReadWaveInfo(QIODevice& file)
{
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE") {
        return std::nullopt;
    }
    WaveInfo info;
    bool haveFormat = false;
    bool haveData = false;
    const qint64 end = file.size();
    qint64 at = 12;
    while (at + 8 <= end && file.seek(at)) {
        const QByteArray header = file.read(8);
        if (header.size() != 8) {
            break;
        }
        const QByteArray id = header.left(4);
        const qint64 size = Le32(header, 4);
        const qint64 body = at + 8;
        if (id == "fmt " && size >= 16) {
            const QByteArray format = file.read(16);
            if (format.size() == 16) {
                ReadFormat(format, info);
                haveFormat = true;
            }
        } else if (id == "fact" && size >= 4) {
            const QByteArray count = file.read(4);
            if (count.size() == 4) {
                info.samplesPerChannel = Le32(count, 0);
            }
        } else if (id == "data") {
            info.dataBytes = std::min(size, end - body);
            haveData = true;
        }
        at = body + size + (size & 1); // chunks start on even offsets
    }
    if (!haveFormat || !haveData) {
        return std::nullopt;
    }
    return info;
}

std::optional<qint64> WaveLengthMs(const WaveInfo& info)
{
    const bool frames = info.formatTag == kFormatPcm || info.formatTag == kFormatFloat
                        || info.formatTag == kFormatExtensible;
    if (frames && info.blockAlign > 0 && info.sampleRate > 0) {
        return info.dataBytes / info.blockAlign * 1000 / info.sampleRate;
    }
    if (info.samplesPerChannel && info.sampleRate > 0) {
        return *info.samplesPerChannel * 1000 / info.sampleRate;
    }
    if (info.bytesPerSecond > 0) {
        return info.dataBytes * 1000 / info.bytesPerSecond;
    }
    return std::nullopt;
}

std::optional<int> SoundLength(const QString& path, QString* error)
{
    const auto fail = [error](const char* text) {
        if (error) {
            *error = QString::fromLatin1(text);
        }
        return std::nullopt;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail("Open Failed");
    }
    const auto info = ReadWaveInfo(file);
    const auto length = info ? WaveLengthMs(*info) : std::nullopt;
    if (!length) {
        return fail("Status Failed");
    }
    return static_cast<int>(std::min<qint64>(*length, std::numeric_limits<int>::max()));
}

QByteArray PcmWaveBytes(int sampleRate, int channels, const std::vector<qint16>& samples)
{
    const quint32 dataBytes = static_cast<quint32>(samples.size() * sizeof(qint16));
    const quint16 blockAlign = static_cast<quint16>(channels * sizeof(qint16));
    QByteArray bytes("RIFF");
    AppendLe32(bytes, 36 + dataBytes);
    bytes += "WAVEfmt ";
    AppendLe32(bytes, 16);
    AppendLe16(bytes, kFormatPcm);
    AppendLe16(bytes, static_cast<quint16>(channels));
    AppendLe32(bytes, static_cast<quint32>(sampleRate));
    AppendLe32(bytes, static_cast<quint32>(sampleRate) * blockAlign);
    AppendLe16(bytes, blockAlign);
    AppendLe16(bytes, 16);
    bytes += "data";
    AppendLe32(bytes, dataBytes);
    for (const qint16 sample : samples) {
        AppendLe16(bytes, static_cast<quint16>(sample));
    }
    return bytes;
}
