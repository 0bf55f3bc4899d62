// vantrel-cli ports: the serial ports the system announces, one a line:
// the name a port is opened by, its device file and, where the system
// names it, the driver behind it (cp210x is the device's USB bridge).

#include <cstdio>
#include <map>
#include <string>

#include "cli/Cli.h"
#include "cli/Options.h"
#include "cli/Terminal.h"
#include "serial/TCommSerialPortInfo.h"

namespace vantrel::cli {

int RunPorts(Args args) {
    if (!args.empty()) return Fail("ports takes no arguments", kUsage);
    std::map<std::string, std::string> drivers;
    for (const SysfsSerialTty& tty : ListSerialTtys(TCommSerialPortInfo::DefaultSysfsRoot))
        drivers[tty.portName] = tty.driver;
    const TCommSerialPortInfo info;
    std::vector<TableRow> rows;
    for (const std::string& name : info.PortList()) {
        const auto driver = drivers.find(name);
        rows.push_back({name, TCommSerialPortInfo::DevicePath(name),
                        driver == drivers.end() ? std::string() : driver->second});
    }
    std::fputs(TableText(rows, "lll").c_str(), stdout);
    return kOk;
}

}  // namespace vantrel::cli
