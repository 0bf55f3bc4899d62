#pragma once
// Helpers of the serial tests: a real pseudo-terminal pair whose master end
// plays the device, a recorder of notifications, and waiting with a limit.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "serial/TObject.h"

namespace vantrel::testing {

using namespace std::chrono_literals;

// A pseudo-terminal opened by the test: the port under test opens
// SlavePath(), the test talks through the master end.
class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    int Master() const { return master_; }
    // Closes the master end: the slave side sees a hang-up.
    void HangUp();

    // Writes every byte, waiting for room.
    void Send(std::string_view bytes) const;
    // Reads until count bytes came or timeout passed.
    std::string Receive(std::size_t count, std::chrono::milliseconds timeout = 5s) const;
    // Reads whatever arrives until the line stays quiet for quiet.
    std::string ReceiveUntilQuiet(std::chrono::milliseconds quiet = 200ms) const;

  private:
    int master_ = -1;
    std::string slavePath_;
};

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

// Number of threads of this process.
int ThreadCount();

}  // namespace vantrel::testing
