#pragma once
// Drives a device link from a plain loop, as the window's event loop does:
// the serial component's notifications are delivered as soon as the port's
// threads post them (so the link reads received bytes at once), and the
// link's 20 ms tick runs in between. The loop sleeps while nothing happens.

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "device/DeviceLink.h"
#include "serial/KxCommDevice.h"

namespace vantrel {

class LinkPump {
  public:
    using Clock = std::chrono::steady_clock;

    // Both must outlive the pump. The component must keep its notifications
    // for the owner (SyncEvents), whose handler hands them to the link.
    LinkPump(TKxCommDevice& commPort, DeviceLink& link);
    ~LinkPump();
    LinkPump(const LinkPump&) = delete;
    LinkPump& operator=(const LinkPump&) = delete;

    // Waits for a notification or the next tick, whichever comes first, and
    // handles what came: the notifications waiting, then the tick when due.
    void Step();

  private:
    // Until a notification is posted or `until` passes; true when one was.
    bool WaitUntil(Clock::time_point until);

    TKxCommDevice& commPort_;
    DeviceLink& link_;
    Clock::time_point nextTick_;
    std::mutex mutex_;
    std::condition_variable posted_;
    bool pending_ = false;
};

}  // namespace vantrel
