#include "settings/SpeakerRouting.h"

#include <algorithm>
#include <cmath>

namespace {
enum class Pair { Front, Rear, CenterLfe, Rear2 };
enum class Side { Both, Left, Right };

struct Speakers {
    Pair pair;
    Side side;
};

Speakers SpeakersOf(SpeakerFlag flag)
{
    switch (flag) {
    case SpeakerFlag::Front:
        return {Pair::Front, Side::Both};
    case SpeakerFlag::Rear:
        return {Pair::Rear, Side::Both};
    case SpeakerFlag::CenterLfe:
        return {Pair::CenterLfe, Side::Both};
    case SpeakerFlag::Rear2:
        return {Pair::Rear2, Side::Both};
    case SpeakerFlag::Left:
    case SpeakerFlag::FrontLeft:
        return {Pair::Front, Side::Left};
    case SpeakerFlag::Right:
    case SpeakerFlag::FrontRight:
        return {Pair::Front, Side::Right};
    case SpeakerFlag::RearLeft:
        return {Pair::Rear, Side::Left};
    case SpeakerFlag::RearRight:
        return {Pair::Rear, Side::Right};
    case SpeakerFlag::Center:
        return {Pair::CenterLfe, Side::Left};
    case SpeakerFlag::Lfe:
        return {Pair::CenterLfe, Side::Right};
    case SpeakerFlag::Rear2Left:
        return {Pair::Rear2, Side::Left};
    case SpeakerFlag::Rear2Right:
        return {Pair::Rear2, Side::Right};
    }
    return {Pair::Front, Side::Both};
}

// First channel of `pair` on the device, or -1 when the device does not have it.
int PairChannel(Pair pair, int channels)
{
    switch (pair) {
    case Pair::Front:
        return 0;
    case Pair::Rear:
        return channels == 4 ? 2 : channels >= 6 ? 4 : -1;
    case Pair::CenterLfe:
        return channels >= 6 ? 2 : -1;
    case Pair::Rear2:
        return channels >= 8 ? 6 : -1;
    }
    return -1;
}

qint16 Clamp16(float value)
{
    return static_cast<qint16>(std::clamp(std::lround(value), -32768L, 32767L));
}
} // namespace

SpeakerRoute SpeakerRouteFor(SpeakerFlag flag, int channels)
{
    if (channels < 2) {
        return {0, 0, true};
    }
    const Speakers speakers = SpeakersOf(flag);
    int first = PairChannel(speakers.pair, channels);
    if (first < 0 && speakers.pair == Pair::Rear2) {
        first = PairChannel(Pair::Rear, channels);
    }
    first = std::max(first, 0);
    switch (speakers.side) {
    case Side::Both:
        return {first, first + 1, false};
    case Side::Left:
        return {first, first, true};
    case Side::Right:
        return {first + 1, first + 1, true};
    }
    return {first, first + 1, false};
}

Gains StreamGains(const SpeakerRoute& route, double volume, double pan)
{
    const double v = std::clamp(volume, 0.0, 1.0);
    if (route.single) {
        return {static_cast<float>(v), static_cast<float>(v)};
    }
    const double p = std::clamp(pan, -1.0, 1.0);
    return {static_cast<float>(v * std::min(1.0, 1.0 - p)), static_cast<float>(v * std::min(1.0, 1.0 + p))};
}

void RouteSamples(std::span<qint16> samples, int channels, const SpeakerRoute& route, Gains gains)
{
    if (channels < 1 || route.first >= channels || route.second >= channels) {
        return;
    }
    const std::size_t step = static_cast<std::size_t>(channels);
    for (std::size_t frame = 0; frame + step <= samples.size(); frame += step) {
        qint16* out = samples.data() + frame;
        const float left = out[0] * gains.left;
        const float right = (channels > 1 ? out[1] : out[0]) * gains.right;
        std::fill(out, out + step, qint16{0});
        if (route.single) {
            out[route.first] = Clamp16((left + right) / 2.0f);
        } else {
            out[route.first] = Clamp16(left);
            out[route.second] = Clamp16(right);
        }
    }
}
