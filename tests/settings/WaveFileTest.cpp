#include "DefaultData.h"
#include "settings/WaveFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
QByteArray le32(quint32 v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    return QByteArray(raw, 4);
}

QByteArray le16(quint16 v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    return QByteArray(raw, 2);
}

// One RIFF chunk with its pad byte; `declared` overrides the size field.
QByteArray chunk(const char* id, const QByteArray& body, qint64 declared = -1)
{
    QByteArray bytes = QByteArray(id, 4) + le32(static_cast<quint32>(declared < 0 ? body.size() : declared)) + body;
    if (body.size() % 2 != 0) {
        bytes += '\0';
    }
    return bytes;
}

QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint32 bytesPerSecond, quint16 blockAlign, quint16 bits)
{
    return chunk("fmt ", le16(tag) + le16(channels) + le32(rate) + le32(bytesPerSecond) + le16(blockAlign) + le16(bits));
}

QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + le32(static_cast<quint32>(4 + chunks.size())) + "WAVE" + chunks;
}

struct WaveFiles {
    QTemporaryDir dir;
    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << name.toStdString();
        return path;
    }
};
} // namespace

TEST(SoundLength, MillisecondsFromTheChunksOfTheFile)
{
    WaveFiles files;
    struct Case {
        const char* name;
        QByteArray bytes;
        int ms;
    };
    const Case cases[] = {
        {"generated 1500 ms, 44100 Hz mono", PcmWaveBytes(44100, 1, std::vector<qint16>(66150, 100)), 1500},
        // PCM: a "fact" chunk does not count, odd-sized chunks before the format are skipped.
        {"pcm with list and fact",
         riff(chunk("LIST", "INFOx") + format(1, 2, 22050, 88200, 4, 16) + chunk("fact", le32(99))
              + chunk("data", QByteArray(11025 * 4, '\1'))),
         500},
        // Compressed: the "fact" chunk gives the samples, wherever it stands.
        {"adpcm with fact after the data",
         riff(format(0x11, 1, 8000, 4055, 256, 4) + chunk("data", QByteArray(256, '\2')) + chunk("fact", le32(12000))),
         1500},
        {"compressed without fact", riff(format(0x55, 1, 22050, 16000, 1, 0) + chunk("data", QByteArray(24000, '\3'))),
         1500},
        {"data shorter than declared", riff(format(1, 1, 8000, 8000, 1, 8) + chunk("data", QByteArray(4000, '\4'), 8000)),
         500},
    };
    for (const Case& c : cases) {
        QString error = QStringLiteral("unberührt");
        EXPECT_EQ(SoundLength(files.write(QString::fromLatin1(c.name), c.bytes), &error), c.ms) << c.name;
        EXPECT_EQ(error, QStringLiteral("unberührt")) << c.name;
    }
}

TEST(SoundLength, ErrorValueForFilesWithoutALength)
{
    WaveFiles files;
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"text", "Das ist kein Klang, nur Text.\r\n"},
        {"mp3", QByteArray("ID3\4\0\0\0\0\0\0") + QByteArray(200, '\xFF')},
        {"short", "RIFF\0\0"},
        {"no data", riff(format(1, 1, 8000, 8000, 1, 8))},
        {"no format", riff(chunk("data", QByteArray(100, '\0')))},
        {"format cut short", riff(chunk("fmt ", QByteArray(8, '\1'), 16))},
        {"no rate", riff(format(1, 1, 0, 0, 1, 8) + chunk("data", QByteArray(100, '\0')))},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_EQ(SoundLength(files.write(QString::fromLatin1(c.name), c.bytes), &error), std::nullopt) << c.name;
        EXPECT_EQ(error, QStringLiteral("Status Failed")) << c.name;
    }

    QString error;
    EXPECT_EQ(SoundLength(files.dir.filePath(QStringLiteral("fehlt.wav")), &error), std::nullopt);
    EXPECT_EQ(error, QStringLiteral("Open Failed"));
}

TEST(SoundLength, ShippedTestSoundIsTheChimeTheToolMakes)
{
    QFile shipped(QStringLiteral(TRASSOLIN_SOURCE_DIR "/data/Testsound.wav"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(shipped.readAll(), TestsoundBytes()) << "rebuild with make-default-data";
    EXPECT_EQ(SoundLength(shipped.fileName()), 800);
}
