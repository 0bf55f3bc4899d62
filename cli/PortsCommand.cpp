// vantrel-cli ports: the serial ports the system announces, one a line:
// the name a port is opened by, its device file and, where the system
// names it, the driver behind it (cp210x is the device's USB bridge).

#include <cstdio>
#include <map>
#include <string>

#include "cli/Cli.h"
#include "serial/TCommSerialPortInfo.h"

namespace vantrel::cli {

int RunPorts(Args args) {
    if (!args.empty()) {
        std::fprintf(stderr, "vantrel-cli ports: takes no arguments\n");
        return kUsage;
    }
    std::map<std::string, std::string> drivers;
    for (const SysfsSerialTty& tty : ListSerialTtys(TCommSerialPortInfo::DefaultSysfsRoot))
        drivers[tty.portName] = tty.driver;
    const TCommSerialPortInfo info;
    for (const std::string& name : info.PortList()) {
        const std::string path = TCommSerialPortInfo::DevicePath(name);
        const auto driver = drivers.find(name);
        if (driver == drivers.end() || driver->second.empty())
            std::printf("%-14s %s\n", name.c_str(), path.c_str());
        else
            std::printf("%-14s %-14s %s\n", name.c_str(), path.c_str(), driver->second.c_str());
    }
    return kOk;
}

}  // namespace vantrel::cli
