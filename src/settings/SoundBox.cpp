#include "settings/SoundBox.h"

#include <algorithm>

SoundBoxes DefaultSoundBoxes()
{
    struct Default {
        const char16_t* name;
        SpeakerFlag flag;
    };
    static const Default kDefaults[kSoundBoxCount] = {
        {u"Sound Vorne", SpeakerFlag::Front},
        {u"Sound Hinten", SpeakerFlag::Rear},
        {u"Sound Mitte", SpeakerFlag::CenterLfe},
        {u"Sound Hinten 2", SpeakerFlag::Rear2},
        {u"Sound Linke Box", SpeakerFlag::Left},
        {u"Sound Rechte Box", SpeakerFlag::Right},
        {u"Sound Links Vorne", SpeakerFlag::FrontLeft},
        {u"Sound Rechts Vorne", SpeakerFlag::FrontRight},
        {u"Sound Hinten Links", SpeakerFlag::RearLeft},
        {u"Sound Hinten Rechts", SpeakerFlag::RearRight},
        {u"Sound LCenter", SpeakerFlag::Center},
        {u"Sound LFE", SpeakerFlag::Lfe},
        {u"Sound Hinten 2 Links", SpeakerFlag::Rear2Left},
        {u"Sound Hinten 2 Rechts", SpeakerFlag::Rear2Right},
    };
    SoundBoxes boxes;
    for (int i = 0; i < kSoundBoxCount; ++i) {
        boxes[i].Name = QString::fromUtf16(kDefaults[i].name);
        boxes[i].Flag = kDefaults[i].flag;
    }
    return boxes;
}

int ValueRange::clamp(int value) const
{
    return std::clamp(value, min, max);
}

ValueRange VolumeRange(SoundMode mode)
{
    return mode == SoundMode::Library ? ValueRange{0, 100} : ValueRange{0, 65500};
}

ValueRange BalanceRange(SoundMode mode)
{
    return mode == SoundMode::Library ? ValueRange{-100, 100} : ValueRange{1, 10};
}

int DefaultVolume(SoundMode mode)
{
    return mode == SoundMode::Library ? 20 : 10000;
}

int DefaultBalance(SoundMode mode)
{
    return mode == SoundMode::Library ? 1 : 5;
}

std::vector<int> SoundBoxListe(SoundMode mode, int speakerCount)
{
    if (mode == SoundMode::Fallback || speakerCount == 2) {
        return {4, 5};
    }
    std::vector<int> list;
    for (int box = 0; box <= std::min(speakerCount, kSoundBoxCount - 1); ++box) {
        list.push_back(box);
    }
    return list;
}

int StreamSlot(int box, int speakerCount)
{
    return speakerCount == 2 ? 0 : box;
}
