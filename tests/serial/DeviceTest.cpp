// The device component: defaults, clamps and fallbacks of its properties,
// how notifications reach the owner, and Active with and without packages.

#include <gtest/gtest.h>

#include <thread>

#include "SerialTestSupport.h"
#include "serial/KxCommDevice.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

// Opens the port's line settings to the test.
class InspectableDevice : public TKxCommDevice {
  public:
    TCommDCB& Dcb() { return Port().DCB; }
};

TEST(Device, StartsClosedWithItsInitialValues) {
    TKxCommDevice device;
    EXPECT_FALSE(device.fGetActive());
    EXPECT_EQ(device.fGetPort(), 2);
    EXPECT_EQ(device.fGetPortName(), "COM2");
    EXPECT_EQ(device.fGetBaud(), br115200);
    EXPECT_EQ(device.fGetParity(), ptNoParity);
    EXPECT_EQ(device.fGetByteSize(), 8);
    EXPECT_EQ(device.fGetStopBits(), sbOneStopBit);
    EXPECT_EQ(device.fGetFlCtrl(), fcNone);
    EXPECT_EQ(device.fGetAutAns(), 0);
    EXPECT_TRUE(device.fGetSyncEvents());
    EXPECT_FALSE(device.fGetDataOnly());
    EXPECT_EQ(device.fGetInBufSize(), 8192);
    EXPECT_EQ(device.fGetOutBufSize(), 8192);
    EXPECT_EQ(device.fGetHwInSize(), 1200);
    EXPECT_EQ(device.fGetHwOutSize(), 1200);
    EXPECT_EQ(device.fGetQSize(), 16);
    EXPECT_EQ(device.fGetPkgSz(), 4096);
    EXPECT_EQ(device.fGetPkgType(), cptFrameTimeout);
    EXPECT_EQ(device.fGetPkgInterval(), 50);
    EXPECT_FALSE(device.fGetUsePackage());
    EXPECT_EQ(device.fGetFrameSettings().fGetFrameHead(), 0xEB);
    EXPECT_EQ(device.fGetFrameSettings().fGetFrameTail(), 0xEE);
    EXPECT_EQ(device.fGetFrameSettings().fGetFrameCtrl(), 0xEC);
    EXPECT_FALSE(device.fGetFrameSettings().fGetDblFrMark());
    EXPECT_EQ(device.fGetModemStatus(), 0u);
}

TEST(Device, ClampsAndFallsBackOnValuesOutOfRange) {
    InspectableDevice device;
    device.fSetByteSize(300);
    EXPECT_EQ(device.fGetByteSize(), 255);
    device.fSetByteSize(-1);
    EXPECT_EQ(device.fGetByteSize(), 0);
    device.fSetAutAns(1000);
    EXPECT_EQ(device.fGetAutAns(), 255);
    device.fSetFlCtrl(fcTranXonXoff);
    EXPECT_EQ(device.fGetFlCtrl(), fcXonXoff);
    device.fSetFlCtrl(fcRtsCtsXonXoff);
    EXPECT_EQ(device.fGetFlCtrl(), fcRtsCtsXonXoff);

    device.fSetParity(static_cast<TParity>(7));
    EXPECT_EQ(device.Dcb().Parity, NOPARITY);
    device.Dcb().Parity = 9;
    EXPECT_EQ(device.fGetParity(), ptNoParity);
    device.fSetStopBits(static_cast<TStopBits>(5));
    EXPECT_EQ(device.Dcb().StopBits, ONESTOPBIT);
    device.Dcb().StopBits = 5;
    EXPECT_EQ(device.fGetStopBits(), sbOneStopBit);

    device.fSetBaud(br9600);
    EXPECT_EQ(device.Dcb().BaudRate, 9600u);
    device.Dcb().BaudRate = 250000;
    EXPECT_EQ(device.fGetBaud(), br115200);
    for (int rate = br110; rate <= br256000; ++rate)
        EXPECT_EQ(BaudRateOf(BaudRateValue(static_cast<TBaudRate>(rate))), rate);
}

TEST(Device, FrameSettingsAssignCopiesTheThreeBytesOnly) {
    TKxCommDevice source, target;
    source.fGetFrameSettings().fSetFrameHead(1);
    source.fGetFrameSettings().fSetFrameTail(2);
    source.fGetFrameSettings().fSetFrameCtrl(3);
    source.fGetFrameSettings().fSetDblFrMark(true);
    target.fSetFrameSettings(source.fGetFrameSettings());
    EXPECT_EQ(target.fGetFrameSettings().fGetFrameHead(), 1);
    EXPECT_EQ(target.fGetFrameSettings().fGetFrameTail(), 2);
    EXPECT_EQ(target.fGetFrameSettings().fGetFrameCtrl(), 3);
    EXPECT_FALSE(target.fGetFrameSettings().fGetDblFrMark());
}

class DeviceOnPty : public ::testing::Test {
  protected:
    DeviceOnPty() { device.fSetPortName(pty.SlavePath()); }
    PtyPair pty;
    NotifyLog log;
    TKxCommDevice device;
};

TEST_F(DeviceOnPty, LineSettersCloseThePort) {
    device.fSetActive(true);
    EXPECT_TRUE(device.fGetActive());
    char buf[8];
    EXPECT_EQ(device.Read(buf, sizeof buf), 0);
    device.fSetBaud(br9600);
    EXPECT_FALSE(device.fGetActive());
    device.fSetActive(true);
    device.fSetInBufSize(1024);  // no close for the queues
    device.fSetAutAns(3);
    EXPECT_TRUE(device.fGetActive());
    EXPECT_EQ(device.fGetInBufSize(), 1024);
    device.fSetDataOnly(true);
    EXPECT_FALSE(device.fGetActive());
}

TEST_F(DeviceOnPty, SyncEventsWaitForTheOwnerToDrain) {
    int wakes = 0;
    device.Notifications().SetWake([&] { ++wakes; });
    device.OnCommNotify = log.Handler();
    device.AfterOpen = log.Event("after-open");
    device.fSetActive(true);
    EXPECT_EQ(log.Names(), std::vector<std::string>{"after-open"});  // runs at once
    pty.Send("ping");
    ASSERT_TRUE(WaitUntil([&] { return device.fGetInQueue().Count() == 4; }));
    ASSERT_TRUE(WaitUntil([&] { return device.Notifications().Pending() >= 2; }));
    EXPECT_EQ(log.Entries().size(), 1u);  // nothing delivered yet
    EXPECT_GE(device.DrainNotifications(), 2u);
    const auto entries = log.Entries();
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries[1].mask, 0x38);
    EXPECT_EQ(entries[1].sender, &device);
    EXPECT_TRUE(entries[2].mask & EV_RXCHAR);
    EXPECT_EQ(wakes, 1);
}

TEST_F(DeviceOnPty, WithoutSyncEventsHandlersRunOnThePortThread) {
    device.fSetSyncEvents(false);
    std::thread::id handlerThread;
    std::mutex m;
    device.OnCommNotify = [&](TObject* sender, int mask) {
        EXPECT_EQ(sender, &device);
        if (!(mask & EV_RXCHAR)) return;
        std::lock_guard lock(m);
        handlerThread = std::this_thread::get_id();
    };
    device.fSetActive(true);
    pty.Send("x");
    ASSERT_TRUE(WaitUntil([&] {
        std::lock_guard lock(m);
        return handlerThread != std::thread::id();
    }));
    std::lock_guard lock(m);
    EXPECT_NE(handlerThread, std::this_thread::get_id());
    EXPECT_EQ(device.Notifications().Pending(), 0u);
}

TEST_F(DeviceOnPty, UsePackageReappliesActive) {
    device.fSetActive(true);
    device.fSetUsePackage(true);
    EXPECT_TRUE(device.fGetActive());
    EXPECT_EQ(device.Write("pkg", 3), 3);  // a timeout package now
    EXPECT_EQ(pty.Receive(3), "pkg");
    device.fSetUsePackage(false);
    EXPECT_TRUE(device.fGetActive());
    device.fSetActive(false);
    EXPECT_FALSE(device.fGetActive());
}

TEST_F(DeviceOnPty, DestroyingAnOpenDeviceStopsEverythingQuietly) {
    const int threadsBefore = ThreadCount();
    {
        TKxCommDevice open;
        open.fSetPortName(pty.SlavePath());
        open.fSetSyncEvents(false);
        open.OnCommNotify = log.Handler();
        open.BeforeClose = log.Event("before-close");
        open.fSetActive(true);
        EXPECT_GT(ThreadCount(), threadsBefore);
    }
    EXPECT_EQ(ThreadCount(), threadsBefore);
    EXPECT_EQ(log.CountWithMask(0x38), 1);  // the open report only
    EXPECT_EQ(log.Names(), std::vector<std::string>{"notify"});
}

}  // namespace
}  // namespace vantrel
