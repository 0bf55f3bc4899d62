#pragma once
// A real pseudo-terminal pair for tests and benchmarks: the code under test
// opens SlavePath() as its serial port, the test plays the device on the
// master end.

#include <chrono>
#include <string>
#include <string_view>

namespace vantrel::testing {

using namespace std::chrono_literals;

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
    // Writes what the pty takes now; the count written (0 when it is full).
    std::size_t TrySend(std::string_view bytes) const;
    // Reads until count bytes came or timeout passed.
    std::string Receive(std::size_t count, std::chrono::milliseconds timeout = 5s) const;
    // Reads whatever arrives until the line stays quiet for quiet.
    std::string ReceiveUntilQuiet(std::chrono::milliseconds quiet = 200ms) const;

  private:
    int master_ = -1;
    std::string slavePath_;
};

}  // namespace vantrel::testing
