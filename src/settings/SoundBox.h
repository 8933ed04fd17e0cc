// The 14 sound outputs ("boxes"): one per loudspeaker position of a multi-channel sound card,
// with their defaults, the value ranges of the two output modes and the boxes the settings
// window offers for a speaker count. Plain values; UI thread.
#pragma once

#include <QString>
#include <array>
#include <vector>

inline constexpr int kSoundBoxCount = 14;
// The box number that means "no sound".
inline constexpr int kKeinSound = 999;

// The loudspeakers a box plays on: a speaker pair, or one speaker of a pair.
enum class SpeakerFlag {
    Front,
    Rear,
    CenterLfe,
    Rear2,
    Left, // left speaker of the front pair
    Right,
    FrontLeft,
    FrontRight,
    RearLeft,
    RearRight,
    Center,
    Lfe,
    Rear2Left,
    Rear2Right,
};

// How sounds are played: mixed by the sound library on the chosen speakers, or as the
// fallback, one sound at a time with a left and right volume.
enum class SoundMode { Library, Fallback };

struct SoundBox {
    QString Name;
    int Volume = 20;
    int Balance = 1;
    bool Active = false;
    SpeakerFlag Flag = SpeakerFlag::Front;
};

using SoundBoxes = std::array<SoundBox, kSoundBoxCount>;

// Names and speakers as in the table of boxes; volume 20, balance 1, not active.
SoundBoxes DefaultSoundBoxes();

struct ValueRange {
    int min = 0;
    int max = 0;
    int clamp(int value) const;
    bool operator==(const ValueRange&) const = default;
};

// Library: volume 0..100 (default 20), balance -100..100 (default 1).
// Fallback: volume 0..65500 (default 10000), balance 1..10 (default 5).
ValueRange VolumeRange(SoundMode mode);
ValueRange BalanceRange(SoundMode mode);
int DefaultVolume(SoundMode mode);
int DefaultBalance(SoundMode mode);

// The boxes the settings window lists, in order: with the library and 2 speakers the left and
// right box (4, 5); with another speaker count n >= 0 the boxes 0..n, at most all 14; none for
// an unknown count (< 0). In fallback mode the left and right box.
std::vector<int> SoundBoxListe(SoundMode mode, int speakerCount);

// The mixer channel a box's sounds play on: with 2 speakers the left and right box share the
// channel of box 0, so a new sound on one stops the other.
int StreamSlot(int box, int speakerCount);
