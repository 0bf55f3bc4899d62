// The package layer: the framing examples byte for byte, the decoder's
// recovery rules, and packages through a device on a real pseudo-terminal.

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "SerialTestSupport.h"
#include "serial/KxCommDevice.h"
#include "serial/PackageFraming.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;
using Bytes = std::vector<std::uint8_t>;

constexpr FrameMarks kMarks = {0xEB, 0xEE, 0xEC};

Bytes Encode(const Bytes& data, bool doubleMark) {
    Bytes out(MaxFrameLength(data.size()));
    out.resize(EncodeFrame(kMarks, doubleMark, data.data(), data.size(), out.data()));
    return out;
}

std::vector<Bytes> Decode(const Bytes& line, std::size_t capacity = 4096) {
    FrameDecoder decoder;
    std::vector<Bytes> packages;
    Bytes record(capacity);
    std::size_t length = 0;
    for (std::uint8_t c : line) {
        if (!decoder.Feed(c, kMarks, record.data(), capacity, length)) continue;
        packages.emplace_back(record.begin(), record.begin() + static_cast<long>(length));
        length = 0;
    }
    return packages;
}

Bytes ToBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

TEST(PackageFraming, EncodesTheLineFormByteForByte) {
    EXPECT_EQ(Encode({0x01, 0xEB, 0xEC, 0x02}, false),
              (Bytes{0xEB, 0x01, 0xEC, 0xEB, 0xEC, 0xEC, 0x02, 0xEE}));
    EXPECT_EQ(Encode({0x01, 0xEB, 0xEC, 0x02}, true),
              (Bytes{0xEB, 0xEB, 0x01, 0xEC, 0xEB, 0xEC, 0xEC, 0x02, 0xEE, 0xEE}));
    const Bytes line = Encode({0xEB, 0x01, 0xEE}, false);
    EXPECT_EQ(line, (Bytes{0xEB, 0xEC, 0xEB, 0x01, 0xEC, 0xEE, 0xEE}));
    EXPECT_EQ(Decode(line), (std::vector<Bytes>{{0xEB, 0x01, 0xEE}}));
}

TEST(PackageFraming, DecoderRecoversAsTheLineRulesSay) {
    EXPECT_TRUE(Decode({0xEC, 0xEB, 0x05, 0xEE}).empty());  // escaped head opens nothing
    EXPECT_EQ(Decode({0xEB, 0x01, 0x02, 0xEB, 0x03, 0xEE}), (std::vector<Bytes>{{0x03}}));
    EXPECT_EQ(Decode(Encode({0x01, 0xEB, 0xEC, 0x02}, true)),
              (std::vector<Bytes>{{0x01, 0xEB, 0xEC, 0x02}}));
    EXPECT_EQ(Decode({0xEB, 0xEE}), (std::vector<Bytes>{{}}));
    EXPECT_EQ(Decode({0xEB, 1, 2, 3, 4, 5, 0xEE}, 3), (std::vector<Bytes>{{1, 2, 3}}));
}

// A device with packages switched on, opened on a pseudo-terminal.
class PackagesOnPty : public ::testing::Test {
  protected:
    void Open(TCommPackageType type) {
        device.fSetPortName(pty.SlavePath());
        device.fSetSyncEvents(false);
        device.OnPackage = log.Handler("package");
        device.fSetPkgType(type);
        device.fSetUsePackage(true);
        device.fSetActive(true);
    }
    // Waits for a package and reads it whole.
    std::string NextPackage() {
        std::string out;
        WaitUntil([&] { return device.ReadPackage(nullptr, 0) > 0; });
        out.resize(static_cast<std::size_t>(device.ReadPackage(nullptr, 0)));
        device.Read(out.data(), static_cast<long>(out.size()));
        return out;
    }
    PtyPair pty;
    NotifyLog log;
    TKxCommDevice device;
};

TEST_F(PackagesOnPty, FramedPackagesBothWays) {
    Open(cptFrameHeadTail);
    pty.Send(std::string("\x55\xEB\x01\xEC\xEB\xEC\xEC\x02\xEE\x66", 10));
    ASSERT_TRUE(WaitUntil([&] { return device.ReadPackage(nullptr, 0) == 4; }));
    EXPECT_EQ(device.ReadPackage(nullptr, 0), 4);  // a peek leaves it queued
    char two[2];
    EXPECT_EQ(device.Read(two, 2), 2);  // a short buffer loses the rest
    EXPECT_EQ(std::string(two, 2), "\x01\xEB");
    EXPECT_EQ(device.ReadPackage(nullptr, 0), 0);
    EXPECT_TRUE(log.WaitForMask(EV_RXCHAR));

    EXPECT_EQ(device.Write("\xEB\x01\xEE", 3), 3);
    EXPECT_EQ(pty.Receive(7), "\xEB\xEC\xEB\x01\xEC\xEE\xEE");
    device.fGetFrameSettings().fSetDblFrMark(true);
    device.Write("\x01\xEB\xEC\x02", 4);
    EXPECT_EQ(pty.Receive(10), "\xEB\xEB\x01\xEC\xEB\xEC\xEC\x02\xEE\xEE");
    EXPECT_TRUE(log.WaitForMask(EV_TXEMPTY));
}

TEST_F(PackagesOnPty, LongPackagesAreCutToPackageSize) {
    Open(cptFrameHeadTail);
    const std::string body(5000, 'a');
    pty.Send("\xEB" + body + "\xEE");
    EXPECT_EQ(NextPackage(), body.substr(0, 4096));
    EXPECT_EQ(device.Write(body.data(), 5000), 4096);
    EXPECT_EQ(pty.Receive(4098), "\xEB" + body.substr(0, 4096) + "\xEE");
}

TEST_F(PackagesOnPty, QueueOfOneSlotPairHoldsOnePackage) {
    device.fSetQSize(1);
    Open(cptFrameHeadTail);
    pty.Send(
        "\xEB"
        "1\xEE\xEB"
        "2\xEE\xEB"
        "3\xEE");
    EXPECT_EQ(NextPackage(), "1");
    EXPECT_EQ(pty.ReceiveUntilQuiet(50ms), "");
    EXPECT_EQ(device.ReadPackage(nullptr, 0), 0);
}

TEST_F(PackagesOnPty, CompatibleRecordsCarryTheirLength) {
    Open(cptCompatiblePkg);
    std::vector<std::uint8_t> record(4096 + 4);
    const std::uint32_t three = 3;
    std::memcpy(record.data(), &three, 4);
    std::memcpy(record.data() + 4, "abc", 3);
    EXPECT_TRUE(device.WritePackage(record.data()));
    EXPECT_EQ(pty.Receive(5),
              "\xEB"
              "abc\xEE");
    pty.Send(
        "\xEB"
        "xy\xEE");
    ASSERT_TRUE(WaitUntil([&] { return device.ReadPackage(record.data()); }));
    std::uint32_t length = 0;
    std::memcpy(&length, record.data(), 4);
    EXPECT_EQ(length, 2u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(record.data()) + 4, 2), "xy");
}

// A package ends once the line has been quiet for the interval after the
// last byte the layer collected. That byte cannot be collected before it was
// sent, so the package can come no sooner than an interval after the last
// send; how much later depends on the machine, which is no part of it.
TEST_F(PackagesOnPty, QuietLineEndsATimeoutPackage) {
    constexpr auto kInterval = 300ms;
    device.fSetPkgInterval(kInterval.count());
    Open(cptFrameTimeout);
    pty.Send("first ");
    const auto firstBytes = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(20ms);
    // The quiet interval runs from when the last bytes reached the port: after
    // the send began, and possibly before it returned here.
    const auto lastSend = std::chrono::steady_clock::now();
    pty.Send("second");
    // Both sends must fall well within one interval for this to be one package.
    if (std::chrono::steady_clock::now() - firstBytes >= kInterval / 2)
        GTEST_SKIP() << "the pause between the sends ran long";
    ASSERT_TRUE(log.WaitForMask(EV_RXCHAR));
    const auto delivered = log.Entries().back();
    EXPECT_EQ(delivered.mask, EV_RXCHAR);
    EXPECT_GE(delivered.at - lastSend, kInterval);
    EXPECT_EQ(NextPackage(), "first second");
    EXPECT_EQ(log.CountWithMask(EV_RXCHAR), 1);

    EXPECT_EQ(device.Write("bare", 4), 4);
    EXPECT_EQ(pty.Receive(4), "bare");
}

TEST_F(PackagesOnPty, FramesFromOwnerAndReceiveThreadNeverInterleave) {
    Open(cptFrameHeadTail);
    std::vector<Bytes> sent;
    std::size_t lineLength = 0;
    for (unsigned i = 0; i < 120; ++i) {
        sent.push_back(ToBytes(Pattern(1500 + i * 7, i)));
        lineLength += Encode(sent.back(), false).size();
    }
    std::string line;
    std::thread reader([&] { line = pty.Receive(lineLength, 30s); });
    for (const Bytes& package : sent) {
        ASSERT_TRUE(WaitUntil(
            [&] { return device.Write(package.data(), static_cast<long>(package.size())) > 0; }));
    }
    reader.join();
    EXPECT_EQ(Decode(ToBytes(line)), sent);
}

TEST(PackagesOff, ReadAndWritePackageDoNothing) {
    TKxCommDevice device;
    std::vector<std::uint8_t> record(4100);
    EXPECT_FALSE(device.ReadPackage(record.data()));
    EXPECT_FALSE(device.WritePackage(record.data()));
    EXPECT_EQ(device.ReadPackage(nullptr, 0), 0);
    EXPECT_EQ(device.WritePackage("x", 1), 0);
}

}  // namespace
}  // namespace vantrel
