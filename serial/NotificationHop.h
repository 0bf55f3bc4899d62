#pragma once
// How notifications raised on a port's threads reach the owner's thread:
// the threads Post (sender, notify type) pairs into an ordered, thread-safe
// queue and the owner calls Drain, which hands them over in order on the
// owner's thread. A desktop event loop plugs in through SetWake (schedule a
// Drain); tests and the command line call Drain themselves.

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

#include "serial/TObject.h"

namespace vantrel {

class NotificationHop {
  public:
    struct Notification {
        int Channel;  // which handler it is for (the poster's choice)
        TObject* Sender;
        int NotifyType;
    };
    // Notifications beyond this many undrained ones are dropped (and
    // counted), so an owner that never drains cannot exhaust memory.
    static constexpr std::size_t MaxPending = 10000;

    // Any thread. Calls the wake callback when the queue was empty.
    void Post(const Notification& notification);
    // The owner's thread: hands every notification waiting now to deliver,
    // oldest first; returns how many. Notifications posted meanwhile wait
    // for the next Drain (and wake it).
    std::size_t Drain(const std::function<void(const Notification&)>& deliver);

    // Called on the posting thread, with the queue's lock held, whenever a
    // notification arrives in an empty queue. It must only schedule a Drain
    // (never Post or Drain itself). Once SetWake returns, the old callback
    // is no longer called.
    void SetWake(std::function<void()> wake);

    std::size_t Pending() const;
    std::size_t Dropped() const;

  private:
    mutable std::mutex mutex_;
    std::deque<Notification> queue_;
    std::function<void()> wake_;
    std::size_t dropped_ = 0;
};

}  // namespace vantrel
