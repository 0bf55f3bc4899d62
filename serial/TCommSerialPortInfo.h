#pragma once
// The serial ports the system announces, and the conversions between port
// numbers and port names. A port named "COMn" is the tty /dev/ttyS{n-1};
// any other name is a device path opened as given.
//
// The list comes from sysfs: every tty under <root>/class/tty that has a
// driver behind it (device/driver), except the placeholders of UARTs that
// are not there (type 0). ttySn is listed as COM{n+1}, any other tty as its
// device path (/dev/ttyUSB0). COM names come first in numeric order, the
// rest in character order; when the system announces none, the list is
// COM1, COM2, COM3, COM4.

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// One serial tty as sysfs shows it.
struct SysfsSerialTty {
    std::string name;        // "ttyUSB0"
    std::string devicePath;  // "/dev/ttyUSB0"
    std::string driver;      // "cp210x"; empty when the link cannot be read
    std::string portName;    // what a port opens it by: "COM1" or "/dev/ttyUSB0"
};

// The serial ttys under sysfsRoot ("/sys"), unsorted; empty when the tty
// class cannot be read.
std::vector<SysfsSerialTty> ListSerialTtys(const std::string& sysfsRoot);

class TCommSerialPortInfo {
  public:
    static constexpr const char* DefaultSysfsRoot = "/sys";

    // Reads the list from the sysfs tree under sysfsRoot.
    explicit TCommSerialPortInfo(std::string sysfsRoot = DefaultSysfsRoot);
    virtual ~TCommSerialPortInfo() = default;

    // Reads the list again; COM1 to COM4 when the system names no port.
    void Refresh();
    // Replaces the list by the system's ports, sorted; leaves it as it is
    // when the tty class cannot be read.
    void ListFromSystem();

    const std::vector<std::string>& PortList() const { return PortList_; }

    // "COMn" -> n (case-insensitive, blanks and a sign allowed before the
    // number, nothing after it); 0 for every other name.
    static int PortNo(std::string_view Name);
    // n -> "COMn" for n > 0, else "".
    static std::string PortName(int No);
    // Negative, zero or positive as a sorts before, with or after b.
    static int PortListSortCompare(const std::string& a, const std::string& b);
    // The device file a port name opens: "COM5" -> "/dev/ttyS4", any other
    // name as given.
    static std::string DevicePath(std::string_view Name);

  private:
    std::string sysfsRoot_;
    std::vector<std::string> PortList_;
};

}  // namespace vantrel
