#pragma once
// The common base of every object that sends notifications, and the closure
// types that carry them. A handler receives the sender as a TObject* and
// compares it with the objects it knows.

#include <functional>

namespace vantrel {

class TObject {
  public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

// A closure taking only the sender (after-open and before-close events).
using TNotifyEvent = std::function<void(TObject* Sender)>;
// A closure taking the sender and a bit mask of events (EV_* in CommDCB.h).
using TCommNotifyEvent = std::function<void(TObject* Sender, int NotifyType)>;

// Calls a caller's handler when one is assigned. Whatever it throws is
// dropped: a handler never takes the library's objects or threads down.
template <typename Handler, typename... Args>
void CallDroppingExceptions(const Handler& handler, Args... args) {
    if (!handler) return;
    try {
        handler(args...);
    } catch (...) {
    }
}

}  // namespace vantrel
