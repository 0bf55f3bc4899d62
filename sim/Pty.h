#pragma once
// The simulated device's end of a pseudo-terminal, and a symbolic link that
// names the PC's end at a chosen path.

#include <filesystem>
#include <string>

namespace vantrel::sim {

class PtyLine {
  public:
    // Opens a pty in raw mode with a non-blocking master. Like a real device
    // it keeps no descriptor of the PC's end open, so the PC closing its
    // port shows here as a hang-up until the PC opens it again (which
    // OpenWatch() reports). Throws std::system_error.
    PtyLine();
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    int Master() const { return master_; }
    const std::string& PortPath() const { return portPath_; }  // the PC's end

    // True while no one has the PC's end open (after the PC closed it).
    bool PcClosed() const;
    // Becomes readable whenever the PC's end is opened or closed;
    // DrainOpenWatch() takes what it reported.
    int OpenWatch() const { return openWatch_; }
    void DrainOpenWatch() const;

    // Closes the device's end: the PC sees the line hang up.
    void HangUp();

  private:
    int master_ = -1;
    int openWatch_ = -1;
    std::string portPath_;
};

// A symbolic link at `link` to `target`, put in place atomically; removed
// again on destruction if it still points to `target`. An existing symbolic
// link is replaced; any other file at the path is refused with
// std::runtime_error.
class PortLink {
  public:
    PortLink(std::filesystem::path link, std::string target);
    ~PortLink();
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

  private:
    std::filesystem::path link_;
    std::string target_;
};

}  // namespace vantrel::sim
