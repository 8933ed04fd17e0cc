// Where a box's sound goes on the output device: the speaker flag picks a pair of output
// channels or a single one, and the samples of a sound are rewritten so that only those channels
// carry it, with the stream's volume and pan. Pure functions; the routing itself runs on the
// audio thread.
//
// Channel layouts of the device: 2 = FL FR; 4 = FL FR RL RR; 6 = FL FR C LFE RL RR;
// 8 = FL FR C LFE RL RR SL SR (the side pair is the second rear pair).
#pragma once

#include "settings/SoundBox.h"

#include <QtGlobal>
#include <span>

struct SpeakerRoute {
    int first = 0;       // left channel of a pair, or the single channel
    int second = 1;      // right channel of a pair; equal to `first` for a single speaker
    bool single = false; // one speaker: the sound is mixed down to mono
    bool operator==(const SpeakerRoute&) const = default;
};

// The channels of `flag` on a device with `channels` output channels. A pair the device does not
// have plays on the front pair (the second rear pair first falls back to the rear pair), so a
// sound is never lost; a mono device plays everything on its one channel.
SpeakerRoute SpeakerRouteFor(SpeakerFlag flag, int channels);

// Gains of the sound's left and right channel.
struct Gains {
    float left = 1.0f;
    float right = 1.0f;
};

// `volume` 0..1 on both sides; `pan` -1..1 lowers the other side (-1: right silent, 1: left
// silent). A single speaker gets the volume only.
Gains StreamGains(const SpeakerRoute& route, double volume, double pan);

// Rewrites interleaved 16-bit frames of `channels` channels in place: the sound's left and right
// (the first two channels; a mono device's one) go to the route's channels with `gains`, every
// other channel becomes silent.
void RouteSamples(std::span<qint16> samples, int channels, const SpeakerRoute& route, Gains gains);
