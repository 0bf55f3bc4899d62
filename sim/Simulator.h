#pragma once
// The simulated device on a pseudo-terminal: the PC opens PortPath() (or the
// link named in the options) as its serial port and talks to the device as
// it would over USB.

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/DeviceMemory.h"
#include "sim/DeviceProtocol.h"
#include "sim/LineWriter.h"
#include "sim/Pty.h"

namespace vantrel::sim {

struct SimulatorOptions {
    LineOptions line;
    std::filesystem::path linkPath;               // empty: no link
    std::filesystem::path uploadDir;              // empty: uploads are only kept in memory
    std::function<void(const std::string&)> log;  // one line per event; may be empty
};

enum class RunEnd {
    Stopped,     // Stop() or the caller's stop descriptor
    HungUp,      // the device hung up on request
    LineFailed,  // the pty could not be read or written
};

class Simulator {
  public:
    // Opens the pty and links it. Throws std::system_error or
    // std::runtime_error when either fails.
    explicit Simulator(DeviceMemory memory, SimulatorOptions options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // The PC's end of the pty, such as /dev/pts/3.
    const std::string& PortPath() const { return line_.PortPath(); }

    // Serves the line on the calling thread until Stop(), until `alsoStopOn`
    // (for example a signalfd) becomes readable, or until the line ends.
    RunEnd Run(int alsoStopOn = -1);
    // Serves the line on a thread of its own.
    void Start();
    // Ends Run() and joins the thread started by Start().
    void Stop();
    // How Run() ended, once it has.
    std::optional<RunEnd> Ended() const;

    // What the device holds now, uploads included.
    DeviceMemory Memory() const;
    // The bytes of the last completed upload of a plan or POI list, all
    // received blocks included.
    std::optional<std::vector<std::uint8_t>> Uploaded(Payload payload) const;
    // Every byte the device received from the PC since the last call, in
    // order (the most recent 16 MiB at most).
    std::vector<std::uint8_t> TakeReceived();
    // Changes how the line behaves, from the next byte on.
    void SetLineOptions(const LineOptions& options);

  private:
    RunEnd Serve(int alsoStopOn);
    // Paced at `pacePercent` of each emission's rate; 0: as fast as the pty takes it.
    std::optional<RunEnd> Deliver(const std::vector<Emission>& outbox, LineWriter& writer,
                                  int pacePercent);
    void KeepReceived(std::span<const std::uint8_t> bytes);  // with mutex_ held
    void KeepUpload(Payload payload);
    void Log(const std::string& text) const;

    SimulatorOptions options_;
    PtyLine line_;
    std::optional<PortLink> link_;
    int stopEvent_ = -1;

    mutable std::mutex mutex_;  // guards everything below
    DeviceMemory memory_;
    DeviceProtocol protocol_;
    std::map<Payload, std::vector<std::uint8_t>> uploaded_;
    std::vector<std::uint8_t> received_;
    std::optional<RunEnd> ended_;

    std::thread thread_;
};

}  // namespace vantrel::sim
