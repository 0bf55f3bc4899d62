#pragma once
// The simulated device's end of a pseudo-terminal, and a symbolic link that
// names the PC's end at a chosen path.

#include <filesystem>
#include <string>

namespace vantrel::sim {

class PtyLine {
  public:
    // Opens a pty in raw mode with a non-blocking master. The line also keeps
    // its own descriptor of the PC's end open, so that the PC closing and
    // reopening the port never hangs the master up. Throws std::system_error.
    PtyLine();
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    int Master() const { return master_; }
    const std::string& PortPath() const { return portPath_; }  // the PC's end

    // Closes both ends held here: the PC sees the line hang up.
    void HangUp();

  private:
    int master_ = -1;
    int heldPort_ = -1;
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
