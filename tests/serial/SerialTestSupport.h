#pragma once
// Helpers of the serial tests: a recorder of notifications, waiting with a
// limit, byte patterns (and, from support/, the pseudo-terminal pair).

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "serial/TObject.h"
#include "support/PtyPair.h"

namespace vantrel::testing {

using namespace std::chrono_literals;

// Calls done() every millisecond until it returns true or timeout passed.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5s);

// Reads from a port-like reader until count bytes came or timeout passed.
std::string ReadAvailable(const std::function<long(void*, long)>& read, std::size_t count,
                          std::chrono::milliseconds timeout = 5s);

// A byte pattern that shows where a stream lost, doubled or reordered bytes.
std::string Pattern(std::size_t length, unsigned seed = 1);

// Keeps every notification (sender and mask) and every named event.
class NotifyLog {
  public:
    TCommNotifyEvent Handler(std::string name = "notify");
    TNotifyEvent Event(std::string name);

    struct Entry {
        std::string name;
        TObject* sender;
        int mask;
        std::chrono::steady_clock::time_point at;
    };
    std::vector<Entry> Entries() const;
    std::vector<std::string> Names() const;
    // True once some entry had all bits of mask (waiting up to timeout).
    bool WaitForMask(int mask, std::chrono::milliseconds timeout = 5s) const;
    int CountWithMask(int mask) const;

  private:
    void Add(Entry entry);
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<Entry> entries_;
};

// Number of threads of this process (a sanitizer's helper thread included).
int ThreadCount();

}  // namespace vantrel::testing
