// Records every core message it receives, for tests that watch the bus.
#pragma once

#include "core/MessageBus.h"

#include <QStringList>
#include <algorithm>
#include <vector>

class RecordingReceiver final : public MessageReceiver {
public:
    std::vector<CoreMessage> messages;

    void receive(const CoreMessage& message) override { messages.push_back(message); }
    int count(Msg id) const
    {
        return static_cast<int>(std::count_if(messages.begin(), messages.end(), [id](const CoreMessage& m) { return m.id == id; }));
    }
    bool saw(Msg id) const { return count(id) > 0; }
    const CoreMessage* last(Msg id) const
    {
        const auto it = std::find_if(messages.rbegin(), messages.rend(), [id](const CoreMessage& m) { return m.id == id; });
        return it == messages.rend() ? nullptr : &*it;
    }
    // Short names in order, e.g. {"POWEROFF_SENDEN", "TRENNEN"}.
    QStringList names() const
    {
        QStringList list;
        for (const CoreMessage& m : messages) {
            list << MsgShortName(m.id);
        }
        return list;
    }
};
