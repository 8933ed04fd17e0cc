// The sound output route setting plays station announcements and train sounds through. The
// sound part implements it; until it is attached route setting uses KeinSound, which plays
// nothing.
#pragma once

#include <QString>

class SoundAbspielen {
public:
    virtual ~SoundAbspielen() = default;
    // Plays the file `pfad` on loudspeaker `box` (0..13; 999 plays nothing).
    virtual void PlaySound(const QString& pfad, int box) = 0;
};

class KeinSound final : public SoundAbspielen {
public:
    void PlaySound(const QString&, int) override {}
};
