#include "core/MessageBus.h"

#include <algorithm>

void MessageBus::attach(MessageReceiver* receiver)
{
    if (receiver == nullptr || isAttached(receiver)) {
        return;
    }
    if (deliveryDepth_ > 0) {
        pendingAttach_.push_back(receiver);
    } else {
        receivers_.push_back({receiver, true});
    }
}

void MessageBus::detach(MessageReceiver* receiver)
{
    std::erase(pendingAttach_, receiver);
    for (Entry& entry : receivers_) {
        if (entry.receiver == receiver) {
            entry.active = false;
        }
    }
    if (deliveryDepth_ == 0) {
        compactAfterDelivery();
    }
}

bool MessageBus::isAttached(const MessageReceiver* receiver) const
{
    const bool listed = std::any_of(receivers_.begin(), receivers_.end(),
        [receiver](const Entry& e) { return e.active && e.receiver == receiver; });
    return listed || std::find(pendingAttach_.begin(), pendingAttach_.end(), receiver) != pendingAttach_.end();
}

void MessageBus::broadcast(const CoreMessage& message)
{
    ++deliveryDepth_;
    // Entries are only appended or deactivated while a delivery runs, so indices stay valid.
    const std::size_t count = receivers_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (receivers_[i].active) {
            receivers_[i].receiver->receive(message);
        }
    }
    if (--deliveryDepth_ == 0) {
        compactAfterDelivery();
    }
}

void MessageBus::send(MessageReceiver* receiver, const CoreMessage& message)
{
    if (receiver == nullptr) {
        return;
    }
    ++deliveryDepth_;
    receiver->receive(message);
    if (--deliveryDepth_ == 0) {
        compactAfterDelivery();
    }
}

int MessageBus::receiverCount() const
{
    return static_cast<int>(std::count_if(receivers_.begin(), receivers_.end(),
        [](const Entry& e) { return e.active; }));
}

void MessageBus::compactAfterDelivery()
{
    std::erase_if(receivers_, [](const Entry& e) { return !e.active; });
    for (MessageReceiver* receiver : pendingAttach_) {
        receivers_.push_back({receiver, true});
    }
    pendingAttach_.clear();
}
