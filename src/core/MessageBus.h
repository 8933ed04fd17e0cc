// Synchronous delivery of core messages to the attached receivers (the windows' logic objects
// and the drivers). Runs on the UI thread only.
//
// broadcast() visits every receiver in attach order, the sender included, and returns when the
// last one has handled the message. A handler may broadcast again: that nested broadcast is
// delivered completely before the outer one goes on. A receiver attached during a delivery
// first receives the messages broadcast after it; a receiver detached during a delivery is
// never called again (it may be gone).
#pragma once

#include "core/CoreMessage.h"

#include <vector>

class MessageReceiver {
public:
    virtual ~MessageReceiver() = default;
    virtual void receive(const CoreMessage& message) = 0;
};

class MessageBus {
public:
    // Does not take ownership. Attaching a receiver twice has no effect.
    void attach(MessageReceiver* receiver);
    void detach(MessageReceiver* receiver);
    bool isAttached(const MessageReceiver* receiver) const;

    void broadcast(const CoreMessage& message);
    void broadcast(Msg id, Param w = {}, Param l = {}) { broadcast(CoreMessage{id, std::move(w), std::move(l)}); }
    // Delivers to one receiver only.
    void send(MessageReceiver* receiver, const CoreMessage& message);

    int receiverCount() const;

private:
    struct Entry {
        MessageReceiver* receiver;
        bool active; // false once detached; removed when no delivery is running
    };
    void compactAfterDelivery();

    std::vector<Entry> receivers_;
    std::vector<MessageReceiver*> pendingAttach_;
    int deliveryDepth_ = 0;
};
