// Finding the device in a sysfs tree on disk, the port failure texts and
// the receive ring.

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <numeric>

#include "device/DeviceLocator.h"
#include "device/LinkPortError.h"
#include "device/RxRing.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class SysfsTree : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(root / "bus"); }
    // A tty whose device is bound to `driver` (empty: no driver link).
    void AddTty(const std::string& name, const std::string& driver) {
        const fs::path device = root / "class" / "tty" / name / "device";
        fs::create_directories(device);
        if (!driver.empty()) fs::create_directory_symlink(root / "bus" / driver, device / "driver");
    }
    std::optional<std::string> Locate(std::optional<std::string> port = std::nullopt) {
        return SysfsDeviceLocator(root, "/dev", port).DevicePort();
    }
    testing::ScratchFolder folder;
    const fs::path root = folder.Path();
};

TEST_F(SysfsTree, FirstBridgePortInNumberOrderIsTheDevice) {
    EXPECT_EQ(Locate(), std::nullopt);  // no tty class at all: keep what was found
    AddTty("ttyS0", "serial8250");
    AddTty("console", "");
    EXPECT_EQ(Locate(), "");
    AddTty("ttyUSB10", "cp210x");
    AddTty("ttyUSB010", "cp210x");
    AddTty("ttyUSB2", "cp210x");
    AddTty("ttyUSB1", "ftdi_sio");
    EXPECT_EQ(Locate(), "/dev/ttyUSB2");
    EXPECT_EQ(Locate("/tmp/pty7"), "/tmp/pty7");
    EXPECT_EQ(Locate(""), "/dev/ttyUSB2");
}

TEST(PortFailureText, TellsWhatIsWrongAndWhatToDo) {
    EXPECT_EQ(LinkPortError::FromErrno(ENOENT, "/dev/x").Failure(), PortFailure::NoSuchPort);
    EXPECT_EQ(LinkPortError::FromErrno(EBUSY, "/dev/x").Failure(), PortFailure::Busy);
    EXPECT_EQ(LinkPortError::FromErrno(EIO, "/dev/x").Failure(), PortFailure::Other);
    const std::string busy = LinkPortError::FromErrno(EWOULDBLOCK, "/dev/ttyUSB0").what();
    EXPECT_NE(busy.find("modem manager"), std::string::npos);

    // Permission: the text names the group that owns the port.
    testing::ScratchFolder folder;
    const fs::path file = folder / "port";
    testing::WriteFile(file, "x");
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    const group* owner = getgrgid(info.st_gid);
    ASSERT_NE(owner, nullptr);
    const LinkPortError denied = LinkPortError::FromErrno(EACCES, file.string());
    EXPECT_EQ(denied.Failure(), PortFailure::PermissionDenied);
    EXPECT_NE(std::string(denied.what()).find("\"" + std::string(owner->gr_name) + "\""),
              std::string::npos);
}

TEST(RxRingTest, WrapsAroundAndNeverOverwritesUnreadBytes) {
    RxRing ring;
    std::vector<std::uint8_t> chunk(40000, 7);
    EXPECT_EQ(ring.Append(chunk.data(), chunk.size()), 40000u);
    for (int i = 0; i < 40000; ++i)
        ring.TakeByte();
    std::iota(chunk.begin(), chunk.end(), 0);
    EXPECT_EQ(ring.Append(chunk.data(), chunk.size()), 40000u);  // wraps at 65536
    EXPECT_EQ(ring.Append(chunk.data(), chunk.size()), RxRing::kSize - 40000);
    EXPECT_EQ(ring.Space(), 0u);
    EXPECT_EQ(ring.TakeByte(), 0);
    EXPECT_EQ(ring.TakeByte(), 1);
    RxRing empty;
    EXPECT_EQ(empty.TakeByte(), 0);
    EXPECT_EQ(empty.RxCount(), 0u);
}

}  // namespace
}  // namespace vantrel
