// Port names and numbers, and the port list from a sysfs tree the test
// builds in a temporary folder.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "serial/TCommSerialPortInfo.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using Info = TCommSerialPortInfo;

TEST(PortNames, NumbersAndNames) {
    EXPECT_EQ(Info::PortNo("COM5"), 5);
    EXPECT_EQ(Info::PortNo("com12"), 12);
    EXPECT_EQ(Info::PortNo("COM 7"), 7);
    for (const char* name : {"COM5a", "COM", "COM-3", "LPT1", "\\\\.\\COM5", "", "CO", "COM7 "})
        EXPECT_EQ(Info::PortNo(name), 0) << name;
    EXPECT_EQ(Info::PortNo("COM99999999999"), 2147483647);
    EXPECT_EQ(Info::PortName(12), "COM12");
    EXPECT_EQ(Info::PortName(0), "");
    EXPECT_EQ(Info::PortName(-1), "");
    EXPECT_EQ(Info::DevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(Info::DevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

TEST(PortNames, SortOrder) {
    const auto sorted = [](std::vector<std::string> names) {
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return Info::PortListSortCompare(a, b) < 0;
        });
        return names;
    };
    EXPECT_EQ(sorted({"COM10", "COM3", "COM1"}),
              (std::vector<std::string>{"COM1", "COM3", "COM10"}));
    EXPECT_EQ(sorted({"CNCA0", "COM4"}), (std::vector<std::string>{"COM4", "CNCA0"}));
}

// A sysfs tree under a temporary folder.
class FakeSysfs : public ::testing::Test {
  protected:
    FakeSysfs() {
        char pattern[] = "/tmp/vantrel-sysfs-XXXXXX";
        root = ::mkdtemp(pattern);
    }
    ~FakeSysfs() override { fs::remove_all(root); }

    // A tty with a driver behind it (and a UART type when type >= 0).
    void AddTty(const std::string& name, const std::string& driver, int type = -1) {
        const fs::path dir = root / "class" / "tty" / name;
        fs::create_directories(dir / "device");
        fs::create_directories(root / "bus" / "drivers" / driver);
        fs::create_directory_symlink(root / "bus" / "drivers" / driver, dir / "device" / "driver");
        if (type >= 0) std::ofstream(dir / "type") << type << "\n";
    }
    fs::path root;
};

TEST_F(FakeSysfs, ListsSerialTtysInPortOrder) {
    AddTty("ttyUSB0", "cp210x");
    AddTty("ttyS10", "serial8250", 4);
    AddTty("ttyS1", "serial8250", 0);  // no UART behind it
    AddTty("ttyS0", "serial8250", 4);
    AddTty("ttyACM0", "cdc_acm");
    fs::create_directories(root / "class" / "tty" / "tty1");  // a console, no driver link
    Info info(root.string());
    EXPECT_EQ(info.PortList(),
              (std::vector<std::string>{"COM1", "COM11", "/dev/ttyACM0", "/dev/ttyUSB0"}));

    bool sawBridge = false;
    for (const auto& tty : ListSerialTtys(root.string())) {
        if (tty.name != "ttyUSB0") continue;
        sawBridge = true;
        EXPECT_EQ(tty.driver, "cp210x");
        EXPECT_EQ(tty.devicePath, "/dev/ttyUSB0");
    }
    EXPECT_TRUE(sawBridge);
}

TEST_F(FakeSysfs, FallsBackToFourComPorts) {
    const std::vector<std::string> fallback = {"COM1", "COM2", "COM3", "COM4"};
    EXPECT_EQ(Info((root / "missing").string()).PortList(), fallback);
    fs::create_directories(root / "class" / "tty" / "tty1");
    EXPECT_EQ(Info(root.string()).PortList(), fallback);
}

}  // namespace
}  // namespace vantrel
