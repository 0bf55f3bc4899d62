#include "serial/NotificationHop.h"

namespace vantrel {

void NotificationHop::Post(const Notification& notification) {
    std::lock_guard lock(mutex_);
    if (queue_.size() >= MaxPending) {
        ++dropped_;
        return;
    }
    queue_.push_back(notification);
    if (queue_.size() == 1 && wake_) wake_();
}

std::size_t NotificationHop::Drain(const std::function<void(const Notification&)>& deliver) {
    std::deque<Notification> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(queue_);
    }
    for (const Notification& n : batch)
        deliver(n);
    return batch.size();
}

void NotificationHop::SetWake(std::function<void()> wake) {
    std::lock_guard lock(mutex_);
    wake_ = std::move(wake);
}

std::size_t NotificationHop::Pending() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

std::size_t NotificationHop::Dropped() const {
    std::lock_guard lock(mutex_);
    return dropped_;
}

}  // namespace vantrel
