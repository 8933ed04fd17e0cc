#include "settings/SoundBox.h"
#include "settings/SpeakerRouting.h"

#include <gtest/gtest.h>

TEST(SoundBox, ListOffersTheBoxesOfTheSpeakerCountAndMode)
{
    struct Case {
        SoundMode mode;
        int speakers;
        std::vector<int> boxes;
    };
    const Case cases[] = {
        {SoundMode::Library, 2, {4, 5}},
        {SoundMode::Library, 6, {0, 1, 2, 3, 4, 5, 6}},
        {SoundMode::Library, 20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {SoundMode::Library, -1, {}},
        {SoundMode::Library, 0, {0}},
        {SoundMode::Fallback, 6, {4, 5}},
        {SoundMode::Fallback, -1, {4, 5}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SoundBoxListe(c.mode, c.speakers), c.boxes) << c.speakers;
    }
}

TEST(SoundBox, DefaultsNameEveryBoxAndItsSpeakers)
{
    const SoundBoxes boxes = DefaultSoundBoxes();
    EXPECT_EQ(boxes[4].Name, QStringLiteral("Sound Linke Box"));
    EXPECT_EQ(boxes[4].Flag, SpeakerFlag::Left);
    EXPECT_EQ(boxes[10].Name, QStringLiteral("Sound LCenter"));
    EXPECT_EQ(boxes[10].Flag, SpeakerFlag::Center);
    for (const SoundBox& box : boxes) {
        EXPECT_EQ(box.Volume, 20);
        EXPECT_EQ(box.Balance, 1);
        EXPECT_FALSE(box.Active);
    }
}

TEST(SpeakerRouting, FlagsReachTheirChannelsOnEveryLayout)
{
    using F = SpeakerFlag;
    struct Case {
        F flag;
        int channels;
        SpeakerRoute route;
    };
    const Case cases[] = {
        // Stereo: the left and right box; pairs the device lacks play on the front pair.
        {F::Left, 2, {0, 0, true}},
        {F::Right, 2, {1, 1, true}},
        {F::Front, 2, {0, 1, false}},
        {F::Rear, 2, {0, 1, false}},
        {F::Lfe, 2, {1, 1, true}},
        // Quadro: FL FR RL RR.
        {F::Rear, 4, {2, 3, false}},
        {F::RearRight, 4, {3, 3, true}},
        {F::CenterLfe, 4, {0, 1, false}},
        {F::Rear2Left, 4, {2, 2, true}},
        // 5.1: FL FR C LFE RL RR.
        {F::CenterLfe, 6, {2, 3, false}},
        {F::Center, 6, {2, 2, true}},
        {F::Lfe, 6, {3, 3, true}},
        {F::Rear, 6, {4, 5, false}},
        {F::RearLeft, 6, {4, 4, true}},
        {F::Rear2, 6, {4, 5, false}},
        // 7.1: the side pair is the second rear pair.
        {F::Rear2, 8, {6, 7, false}},
        {F::Rear2Right, 8, {7, 7, true}},
        {F::FrontRight, 8, {1, 1, true}},
        // Mono.
        {F::RearRight, 1, {0, 0, true}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpeakerRouteFor(c.flag, c.channels), c.route)
            << static_cast<int>(c.flag) << " on " << c.channels << " channels";
    }
}

TEST(SpeakerRouting, PanLowersTheOtherSideAndSingleSpeakersIgnoreIt)
{
    const SpeakerRoute pair{0, 1, false};
    const SpeakerRoute single{2, 2, true};
    struct Case {
        SpeakerRoute route;
        double volume;
        double pan;
        float left;
        float right;
    };
    const Case cases[] = {
        {pair, 1.0, 0.0, 1.0f, 1.0f},   {pair, 0.5, -1.0, 0.5f, 0.0f}, {pair, 1.0, 0.25, 0.75f, 1.0f},
        {pair, 2.0, -3.0, 1.0f, 0.0f}, {single, 0.2, -1.0, 0.2f, 0.2f},
    };
    for (const Case& c : cases) {
        const Gains g = StreamGains(c.route, c.volume, c.pan);
        EXPECT_FLOAT_EQ(g.left, c.left) << c.volume << ' ' << c.pan;
        EXPECT_FLOAT_EQ(g.right, c.right) << c.volume << ' ' << c.pan;
    }
}

TEST(SpeakerRouting, SamplesGoOnlyToTheRoutesChannels)
{
    // Two frames of a 5.1 device; the sound arrives in every channel, its left and right in the
    // front pair.
    std::vector<qint16> frames = {1000, -2000, 7, 7, 7, 7, 30000, 30000, 7, 7, 7, 7};
    RouteSamples(frames, 6, {4, 5, false}, {0.5f, 1.0f});
    EXPECT_EQ(frames, (std::vector<qint16>{0, 0, 0, 0, 500, -2000, 0, 0, 0, 0, 15000, 30000}));

    std::vector<qint16> mono = {1000, -2000, 5, 5, 30000, 30000, 5, 5};
    RouteSamples(mono, 4, {3, 3, true}, {2.0f, 2.0f});
    EXPECT_EQ(mono, (std::vector<qint16>{0, 0, 0, -1000, 0, 0, 0, 32767})) << "mixed down and clipped";
}
