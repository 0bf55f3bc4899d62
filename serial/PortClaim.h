#pragma once
// Claiming a serial port before opening it, the way terminal programs do:
// a lock file "LCK..NAME" in /run/lock or /var/lock holds the pid of the
// program using the port (one whose process is gone, or no longer holds the
// device open, is stale and removed),
// and no other process may hold the device open (looked up in /proc/*/fd).
// While the port is open its own lock file stays in place. The open itself
// still locks the descriptor (flock) and puts the tty in exclusive mode.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// Another program that holds a port.
struct PortHolder {
    int pid = 0;
    std::string program;  // its command name; empty when it cannot be read

    // "minicom (pid 1234)", or "another program (pid 1234)".
    std::string Describe() const;
};

// Where claims are looked for and made: the real system, or a test's folders.
struct ClaimPlaces {
    std::vector<std::filesystem::path> lockFolders{"/run/lock", "/var/lock"};
    std::filesystem::path proc = "/proc";
};

class PortClaim {
  public:
    PortClaim() = default;
    ~PortClaim() { Release(); }
    PortClaim(const PortClaim&) = delete;
    PortClaim& operator=(const PortClaim&) = delete;

    // Claims the device at `devicePath`: nothing when it is free (the lock
    // file is then ours), or the program that holds it. A path that does not
    // exist is left to the open to report; a lock folder that cannot be
    // written to is passed over.
    std::optional<PortHolder> Claim(const std::string& devicePath, const ClaimPlaces& places = {});
    // Removes the lock file written by Claim, as long as it is still ours.
    void Release();

  private:
    std::filesystem::path lockFile_;
};

// The names a lock file of the device at `canonicalPath` may have: its path
// under /dev with "/" as "_" ("LCK..ttyUSB0", "LCK..pts_3") and, when that
// differs, its bare name ("LCK..3").
std::vector<std::string> LockFileNames(const std::filesystem::path& canonicalPath);

// A process other than this one that holds `canonicalPath` open.
std::optional<PortHolder> FindOpenHolder(const std::filesystem::path& canonicalPath,
                                         const std::filesystem::path& proc = "/proc");

}  // namespace vantrel
