// TComm32 on real pseudo-terminals: bytes, states, notifications, settings,
// failures and a device that goes away.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "SerialTestSupport.h"
#include "serial/KxCommDevice.h"
#include "serial/PosixPort.h"
#include "serial/TOrvikComm32.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

class Comm32OnPty : public ::testing::Test {
  protected:
    Comm32OnPty() { port.fSetPortName(pty.SlavePath()); }
    std::string ReadFromPort(std::size_t n) {
        return ReadAvailable([this](void* b, long l) { return port.Read(b, l); }, n);
    }
    PtyPair pty;
    NotifyLog log;  // outlives the port, which reports its close
    TComm32 port;
};

TEST(Comm32Closed, QueuesWorkWithoutALine) {
    TComm32 port;
    char buf[16];
    EXPECT_EQ(port.Read(buf, sizeof buf), 0);
    const std::string big(10000, 'x');
    EXPECT_EQ(port.Write(big.data(), static_cast<long>(big.size())), 8191);
    EXPECT_EQ(port.fGetOutQueue().Count(), 8191);

    TComm32 other;
    other.DisableWrite = true;
    EXPECT_EQ(other.Write("abc", 3), 0);
    EXPECT_EQ(other.fGetOutQueue().Count(), 0);
    EXPECT_EQ(other.Command("AT\r"), 3);

    other.fGetInQueue().In("kept", 4);
    other.PurgeRead(true);  // closed: nothing happens
    EXPECT_EQ(other.fGetInQueue().Count(), 4);
    EXPECT_FALSE(other.fGetDTR());
    EXPECT_FALSE(other.EscapeCommFunction(SETDTR));
}

TEST(Comm32Closed, MissingPortRaisesCode4AndStaysReusable) {
    NotifyLog log;
    TComm32 port;
    port.fSetPort(9);
    port.OnCommNotify = log.Handler();
    try {
        port.Open();
        FAIL() << "opened a missing port";
    } catch (const EComm32Error& e) {
        EXPECT_EQ(e.ErrorCode(), EComm32Error::ecOpenPort);
        EXPECT_STREQ(e.what(), "Serial port: \"COM9\" - Cannot open COM port");
        EXPECT_EQ(e.PortName(), "COM9");
        EXPECT_EQ(e.SystemError(), ENOENT);
        EXPECT_NE(e.OpenFailureAdvice().find("no serial port /dev/ttyS8"), std::string::npos);
    }
    EXPECT_FALSE(port.fGetActive());
    EXPECT_EQ(port.fGetHandle(), TComm32::INVALID_HANDLE_VALUE);
    EXPECT_TRUE(log.Entries().empty());

    PtyPair pty;
    port.fSetPortName(pty.SlavePath());
    port.Open();
    EXPECT_TRUE(port.fGetActive());
}

TEST_F(Comm32OnPty, OpenAndCloseReportTheirStates) {
    port.OnCommNotify = log.Handler();
    port.OnAfterOpen = log.Event("after-open");
    port.OnBeforeClose = log.Event("before-close");
    port.DisableWrite = true;
    port.Open();
    EXPECT_TRUE(port.fGetActive());
    EXPECT_FALSE(port.DisableWrite);
    EXPECT_GE(port.fGetHandle(), 0);
    EXPECT_TRUE(port.fGetDTR());
    port.Open();  // already open: nothing
    port.Close();
    port.Close();  // already closed: nothing
    EXPECT_FALSE(port.fGetActive());
    const auto entries = log.Entries();
    ASSERT_EQ(log.Names(),
              (std::vector<std::string>{"notify", "after-open", "before-close", "notify"}));
    EXPECT_EQ(entries[0].mask, 0x38);
    EXPECT_EQ(entries[3].mask, 0x38);
    EXPECT_EQ(entries[0].sender, &port);
}

TEST_F(Comm32OnPty, SecondOpenerFindsThePortBusy) {
    port.Open();
    TComm32 second;
    second.fSetPortName(pty.SlavePath());
    try {
        second.Open();
        FAIL() << "two owners of one port";
    } catch (const EComm32Error& e) {
        EXPECT_EQ(e.ErrorCode(), EComm32Error::ecOpenPort);
        EXPECT_EQ(e.SystemError(), EBUSY);
        EXPECT_NE(e.OpenFailureAdvice().find("is busy: another program"), std::string::npos);
    }
    port.Close();
    second.Open();  // free again, and not left in exclusive mode
}

TEST_F(Comm32OnPty, MegabyteStreamsArriveInOrderBothWays) {
    port.Open();
    const std::string inbound = Pattern(1 << 20, 1);
    std::thread device([&] { pty.Send(inbound); });
    EXPECT_TRUE(ReadFromPort(inbound.size()) == inbound);
    device.join();

    const std::string outbound = Pattern(1 << 20, 2);
    std::string received;
    std::thread reader([&] { received = pty.Receive(outbound.size(), 20s); });
    for (std::size_t sent = 0; sent < outbound.size();) {
        const long n =
            port.Write(outbound.data() + sent, static_cast<long>(outbound.size() - sent));
        sent += static_cast<std::size_t>(n);
        if (n == 0) std::this_thread::sleep_for(1ms);
    }
    reader.join();
    EXPECT_TRUE(received == outbound) << received.size() << " bytes received";
}

TEST_F(Comm32OnPty, BytesQueuedWhileClosedGoOutWithTheNextWrite) {
    port.Write("abc", 3);
    port.Open();
    port.Write("d", 1);
    EXPECT_EQ(pty.Receive(4), "abcd");
    pty.Send("xyz");
    EXPECT_EQ(ReadFromPort(3), "xyz");
    port.Close();
    EXPECT_EQ(port.fGetInQueue().Count(), 0);
}

// A sentence written just before the port closes (a link reset ends that
// way) must still reach the line.
TEST_F(Comm32OnPty, BytesWrittenRightBeforeCloseStillGoOut) {
    for (int round = 0; round < 20; ++round) {
        port.Open();
        port.Write("$POEM06*\r\n", 10);
        port.Close();
        EXPECT_EQ(pty.Receive(10, 2s), "$POEM06*\r\n") << "round " << round;
    }
}

TEST_F(Comm32OnPty, ModemStringsAndDisableWrite) {
    port.fSetFCtrl(TComm32::flRtsCtsXonXoff);
    port.Open();
    port.InitModem();
    EXPECT_EQ(pty.Receive(12), "ATE0&K6S0=0\r");
    port.DisableWrite = true;
    EXPECT_EQ(port.Write("lost", 4), 0);
    port.ResetModem();
    EXPECT_EQ(pty.Receive(4), "ATZ\r");
    EXPECT_EQ(pty.ReceiveUntilQuiet(100ms), "");

    port.fSetFCtrl(TComm32::flRtsCts);
    port.AutoAnswer = 2;
    EXPECT_FALSE(port.fGetActive());  // the flow setter closed it
    port.Open();
    port.InitModem();
    EXPECT_EQ(pty.Receive(12), "ATE0&K3S0=2\r");
}

TEST(Comm32Settings, FlowControlTableAndReadBack) {
    struct Row {
        TComm32::TFlowControl code;
        int cts, rts, outX, inX;
        TComm32::TFlowControl readBack;
    };
    const Row rows[] = {
        {TComm32::flNone, 0, 1, 0, 0, TComm32::flNone},
        {TComm32::flRtsCts, 1, 2, 0, 0, TComm32::flRtsCts},
        {TComm32::flXonXoff, 0, 1, 1, 1, TComm32::flXonXoff},
        {TComm32::flTranXonXoff, 0, 1, 1, 1, TComm32::flXonXoff},
        {TComm32::flRtsCtsXonXoff, 1, 2, 1, 1, TComm32::flRtsCtsXonXoff},
        {static_cast<TComm32::TFlowControl>(9), 0, 1, 0, 0, TComm32::flNone},
    };
    for (const Row& row : rows) {
        TComm32 port;
        port.DCB.fOutxDsrFlow = 1;
        port.DCB.fDtrControl = DTR_CONTROL_HANDSHAKE;
        port.fSetFCtrl(row.code);
        EXPECT_EQ(port.DCB.fOutxCtsFlow, row.cts) << row.code;
        EXPECT_EQ(port.DCB.fRtsControl, row.rts) << row.code;
        EXPECT_EQ(port.DCB.fDtrControl, DTR_CONTROL_ENABLE);
        EXPECT_EQ(port.DCB.fOutxDsrFlow, 0);
        EXPECT_EQ(port.DCB.fOutX, row.outX) << row.code;
        EXPECT_EQ(port.DCB.fInX, row.inX) << row.code;
        EXPECT_EQ(port.fGetFCtrl(), row.readBack) << row.code;
    }
}

TEST(Comm32Settings, PortNameAndNumberSetters) {
    TComm32 port;
    EXPECT_EQ(port.fGetPort(), 2);
    EXPECT_EQ(port.fGetPortName(), "COM2");
    port.fSetPortName("com05");
    EXPECT_EQ(port.fGetPort(), 5);
    EXPECT_EQ(port.fGetPortName(), "COM5");
    port.fSetPortName("");
    EXPECT_EQ(port.fGetPortName(), "COM5");
    port.fSetPort(0);
    EXPECT_EQ(port.fGetPort(), 0);
    EXPECT_EQ(port.fGetPortName(), "COM5");
    port.fSetPortName("/dev/ttyUSB0");
    EXPECT_EQ(port.fGetPort(), 0);
    EXPECT_EQ(port.fGetPortName(), "/dev/ttyUSB0");
    port.fSetHandle(0);
    EXPECT_TRUE(port.fGetExternalHandle());
    EXPECT_EQ(port.fGetPortName(), "");
    port.fSetPort(12);
    EXPECT_FALSE(port.fGetExternalHandle());
    EXPECT_EQ(port.fGetHandle(), TComm32::INVALID_HANDLE_VALUE);
    EXPECT_EQ(port.fGetPortName(), "COM12");
}

TEST_F(Comm32OnPty, LineSettingsReachTheLine) {
    std::vector<unsigned long> rates = {250000};  // a rate outside the table too
    for (int rate = br110; rate <= br256000; ++rate)
        rates.push_back(BaudRateValue(static_cast<TBaudRate>(rate)));
    for (unsigned long rate : rates) {
        port.DCB.BaudRate = static_cast<std::uint32_t>(rate);
        port.Open();
        unsigned actual = 0;
        ASSERT_EQ(posix_port::CurrentRate(port.fGetHandle(), actual), 0);
        EXPECT_EQ(actual, rate);
        port.Close();
    }
    port.fSetDTR(false);
    port.Open();
    EXPECT_EQ(port.DCB.fDtrControl, DTR_CONTROL_DISABLE);
    EXPECT_FALSE(port.fGetDTR());
    port.Close();
    EXPECT_FALSE(port.fGetDTR());

    port.DCB.ByteSize = 9;
    try {
        port.Open();
        FAIL() << "9 data bits accepted";
    } catch (const EComm32Error& e) {
        EXPECT_EQ(e.ErrorCode(), EComm32Error::ecSetParameters);
    }
    EXPECT_FALSE(port.fGetActive());
}

TEST_F(Comm32OnPty, OutsideDescriptorIsUsedButNotClosed) {
    PtyPair other;
    const int fd = ::open(other.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    port.fSetHandle(fd);
    port.Open();
    port.Write("hi", 2);
    port.Close();
    EXPECT_EQ(port.fGetHandle(), fd);
    EXPECT_NE(::fcntl(fd, F_GETFD), -1);  // still open
    ::close(fd);
}

TEST_F(Comm32OnPty, HangUpIsReportedOnceAndCloseReturns) {
    const int threadsBefore = ThreadCount();
    port.OnCommNotify = log.Handler();
    port.Open();
    pty.Send("last");
    ASSERT_TRUE(log.WaitForMask(EV_RXCHAR));
    pty.HangUp();
    ASSERT_TRUE(log.WaitForMask(EV_ERR));
    EXPECT_TRUE(port.fGetHungUp());

    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    port.Write("into the void", 13);
    std::this_thread::sleep_for(300ms);
    ::getrusage(RUSAGE_SELF, &after);
    const auto cpuMs = [](const rusage& r) {
        return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000.0 +
               (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1000.0;
    };
    EXPECT_LT(cpuMs(after) - cpuMs(before), 150.0) << "a port thread spins after the hang-up";
    EXPECT_EQ(log.CountWithMask(EV_ERR), 1);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_NO_THROW(port.Close());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_EQ(ThreadCount(), threadsBefore);
    EXPECT_EQ(ReadFromPort(4), "last");
}

TEST_F(Comm32OnPty, PurgesAndResizesWhileBytesFlow) {
    port.Open();
    std::atomic<bool> stop{false};
    std::thread device([&] {  // sends until stopped (the port may stop taking bytes)
        const std::string chunk = Pattern(4096, 3);
        while (!stop)
            if (pty.TrySend(chunk) == 0) std::this_thread::sleep_for(1ms);
    });
    char sink[1024];
    const auto end = std::chrono::steady_clock::now() + 300ms;
    for (int i = 0; i < 200 || std::chrono::steady_clock::now() < end; ++i) {
        port.fSetInBufSize(i % 2 ? 4096 : 8192);
        port.Read(sink, sizeof sink);
        port.PurgeRead(i % 3 == 0);
        port.Write(sink, sizeof sink);
        port.PurgeWrite(i % 2 == 0);
        port.fSetOutBufSize(i % 2 ? 2048 : 8192);
    }
    stop = true;
    device.join();
    port.fSetInBufSize(4096);
    port.fSetOutBufSize(2048);
    EXPECT_EQ(port.fGetInQueue().fGetBufSize(), 4096);
    EXPECT_EQ(port.fGetOutQueue().fGetBufSize(), 2048);
    port.Close();
}

TEST_F(Comm32OnPty, SlowThreadIsReportedButStillJoined) {
    const int threadsBefore = ThreadCount();
    std::atomic<bool> inHandler{false};
    port.OnCommNotify = [&](TObject*, int mask) {
        if (!(mask & EV_RXCHAR)) return;
        inHandler = true;
        std::this_thread::sleep_for(800ms);  // longer than Close waits
    };
    port.Open();
    pty.Send("x");
    ASSERT_TRUE(WaitUntil([&] { return inHandler.load(); }));
    try {
        port.Close();
        FAIL() << "a slow receive thread went unreported";
    } catch (const EComm32Error& e) {
        EXPECT_EQ(e.ErrorCode(), EComm32Error::ecCloseReadThread);
        EXPECT_NE(std::string(e.what()).find("Cannot close COM port read thread"),
                  std::string::npos);
    }
    EXPECT_FALSE(port.fGetActive());
    EXPECT_EQ(ThreadCount(), threadsBefore);  // joined before anything was released
    EXPECT_EQ(ReadFromPort(1), "x");
}

}  // namespace
}  // namespace vantrel
