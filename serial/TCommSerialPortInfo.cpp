#include "serial/TCommSerialPortInfo.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace vantrel {

namespace fs = std::filesystem;

namespace {

// True for the placeholder of a UART that is not fitted: its type reads 0.
bool IsAbsentUart(const fs::path& ttyDir) {
    std::ifstream in(ttyDir / "type");
    int type = -1;
    return in >> type && type == 0;
}

// "ttyS3" -> 3, any other name -> -1.
int LegacyPortIndex(const std::string& tty) {
    if (tty.size() <= 4 || tty.compare(0, 4, "ttyS") != 0) return -1;
    if (!std::all_of(tty.begin() + 4, tty.end(), [](unsigned char c) { return std::isdigit(c); }))
        return -1;
    return std::atoi(tty.c_str() + 4);
}

std::string PortNameOfTty(const std::string& tty) {
    const int index = LegacyPortIndex(tty);
    if (index >= 0) return TCommSerialPortInfo::PortName(index + 1);
    return "/dev/" + tty;
}

}  // namespace

std::vector<SysfsSerialTty> ListSerialTtys(const std::string& sysfsRoot) {
    std::vector<SysfsSerialTty> ttys;
    std::error_code ec;
    fs::directory_iterator it(fs::path(sysfsRoot) / "class" / "tty", ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path dir = it->path();
        const fs::path driver = dir / "device" / "driver";
        std::error_code e;
        if (!fs::exists(driver, e) || IsAbsentUart(dir)) continue;
        const std::string name = dir.filename().string();
        const fs::path target = fs::read_symlink(driver, e);
        ttys.push_back({name, "/dev/" + name, e ? std::string() : target.filename().string(),
                        PortNameOfTty(name)});
    }
    return ttys;
}

TCommSerialPortInfo::TCommSerialPortInfo(std::string sysfsRoot) : sysfsRoot_(std::move(sysfsRoot)) {
    Refresh();
}

void TCommSerialPortInfo::Refresh() {
    PortList_.clear();
    ListFromSystem();
    if (!PortList_.empty()) return;
    for (int no = 1; no <= 4; ++no)
        PortList_.push_back(PortName(no));
}

void TCommSerialPortInfo::ListFromSystem() {
    std::error_code ec;
    if (!fs::is_directory(fs::path(sysfsRoot_) / "class" / "tty", ec)) return;
    PortList_.clear();
    for (const SysfsSerialTty& tty : ListSerialTtys(sysfsRoot_))
        PortList_.push_back(tty.portName);
    std::sort(PortList_.begin(), PortList_.end(), [](const std::string& a, const std::string& b) {
        return PortListSortCompare(a, b) < 0;
    });
}

int TCommSerialPortInfo::PortNo(std::string_view Name) {
    if (Name.size() < 3) return 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(Name[i])) != "COM"[i]) return 0;
    }
    const std::string rest(Name.substr(3));
    if (rest.empty()) return 0;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(rest.c_str(), &end, 10);
    if (end == rest.c_str() || *end != '\0') return 0;
    // The number saturates at the bounds of a 32-bit long, as port numbers
    // always have.
    value = std::clamp(value, static_cast<long>(INT_MIN), static_cast<long>(INT_MAX));
    return value < 0 ? 0 : static_cast<int>(value);
}

std::string TCommSerialPortInfo::PortName(int No) {
    return No > 0 ? "COM" + std::to_string(No) : std::string();
}

int TCommSerialPortInfo::PortListSortCompare(const std::string& a, const std::string& b) {
    const int na = PortNo(a);
    const int nb = PortNo(b);
    if (na > 0 && nb > 0) return na < nb ? -1 : (na > nb ? 1 : 0);
    if (na != nb) return nb - na;
    return a.compare(b);
}

std::string TCommSerialPortInfo::DevicePath(std::string_view Name) {
    const int no = PortNo(Name);
    if (no > 0) return "/dev/ttyS" + std::to_string(no - 1);
    return std::string(Name);
}

}  // namespace vantrel
