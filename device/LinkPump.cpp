#include "device/LinkPump.h"

namespace vantrel {

namespace {

constexpr std::chrono::milliseconds kTick{kTickMilliseconds};

}  // namespace

LinkPump::LinkPump(TKxCommDevice& commPort, DeviceLink& link)
    : commPort_(commPort), link_(link), nextTick_(Clock::now() + kTick) {
    // Runs on a port thread with the notification queue locked: it only
    // marks that something waits and wakes the loop.
    commPort_.Notifications().SetWake([this] {
        {
            std::lock_guard lock(mutex_);
            pending_ = true;
        }
        posted_.notify_one();
    });
}

LinkPump::~LinkPump() {
    commPort_.Notifications().SetWake(nullptr);
}

void LinkPump::Step() {
    // Notifications posted before the wake was set have not woken anyone.
    if (WaitUntil(nextTick_) || commPort_.Notifications().Pending() > 0)
        commPort_.DrainNotifications();
    const Clock::time_point now = Clock::now();
    if (now < nextTick_) return;
    link_.Tick();
    // A late tick (a step that slept) is not made up for with more ticks.
    nextTick_ += kTick;
    if (nextTick_ <= now) nextTick_ = now + kTick;
}

bool LinkPump::WaitUntil(Clock::time_point until) {
    std::unique_lock lock(mutex_);
    posted_.wait_until(lock, until, [this] { return pending_; });
    const bool woken = pending_;
    pending_ = false;
    return woken;
}

}  // namespace vantrel
