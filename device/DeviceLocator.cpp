#include "device/DeviceLocator.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace vantrel {

namespace {

namespace fs = std::filesystem;

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The run of digits at `i`, without leading zeros, and its end.
std::string_view DigitRun(const std::string& s, std::size_t& i) {
    const std::size_t start = i;
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    std::string_view run(s.data() + start, i - start);
    while (run.size() > 1 && run.front() == '0')
        run.remove_prefix(1);
    return run;
}

// True when the tty's device uses the bridge driver: its driver link's last
// element names it.
bool UsesBridgeDriver(const fs::path& tty) {
    std::error_code ec;
    const fs::path driver = fs::read_symlink(tty / "device" / "driver", ec);
    return !ec && driver.filename() == SysfsDeviceLocator::kBridgeDriver;
}

}  // namespace

bool NaturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::string_view x = DigitRun(a, i);
            const std::string_view y = DigitRun(b, j);
            if (x.size() != y.size()) return x.size() < y.size();
            if (x != y) return x < y;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

SysfsDeviceLocator::SysfsDeviceLocator(std::filesystem::path sysRoot, std::filesystem::path devRoot,
                                       std::optional<std::string> portOverride)
    : sysRoot_(std::move(sysRoot)),
      devRoot_(std::move(devRoot)),
      portOverride_(std::move(portOverride)) {}

SysfsDeviceLocator SysfsDeviceLocator::FromEnvironment() {
    std::optional<std::string> port;
    if (const char* value = std::getenv(kPortVariable)) port = value;
    return SysfsDeviceLocator("/sys", "/dev", port);
}

std::optional<std::string> SysfsDeviceLocator::DevicePort() {
    if (portOverride_ && !portOverride_->empty()) return portOverride_;
    std::error_code ec;
    fs::directory_iterator it(sysRoot_ / "class" / "tty", ec);
    if (ec) return std::nullopt;
    std::vector<std::string> bridges;
    for (const auto& entry : it)
        if (UsesBridgeDriver(entry.path())) bridges.push_back(entry.path().filename().string());
    if (bridges.empty()) return std::string();
    return (devRoot_ / *std::min_element(bridges.begin(), bridges.end(), NaturalLess)).string();
}

}  // namespace vantrel
