#pragma once
// TComm32: one serial port. While open, a receive thread moves arriving
// bytes into the receive queue and a transmit thread sends what the
// transmit queue holds, so the caller never waits on the line: Read takes
// bytes out of the receive queue, Write puts bytes into the transmit queue.
// Line events reach OnCommNotify as a bit mask (EV_*), on the receive
// thread; opening and closing report EV_OPEN_CLOSE on the caller's thread.
//
// Settings are changed only while closed: every setter that changes the
// line closes the port first, and the caller opens it again.
//
// The port is a tty reached through termios: "COMn" opens /dev/ttyS{n-1},
// any other name is opened as given. The threads wait in poll() on the
// descriptor and on event descriptors that stop or wake them; they burn no
// time while the line is idle.

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <thread>

#include "serial/CommDCB.h"
#include "serial/EComm32Error.h"
#include "serial/PortClaim.h"
#include "serial/PosixPort.h"
#include "serial/TCommQueue.h"
#include "serial/TCommSerialPortInfo.h"
#include "serial/TObject.h"

namespace vantrel {

class TComm32 : public TObject {
  public:
    // Flow control, numbered as the modem's "&K" codes.
    enum TFlowControl : int {
        flNone = 0,
        flRtsCts = 3,
        flXonXoff = 4,
        flTranXonXoff = 5,  // reads back as flXonXoff
        flRtsCtsXonXoff = 6,
    };

    static constexpr char Str_ResetModem[] = "ATZ\r";
    static constexpr char Fmt_InitModem[] = "ATE0&K%dS0=%d\r";
    static constexpr int INVALID_HANDLE_VALUE = -1;
    static constexpr long DefaultQueueSize = 8192;

    TComm32();
    // Closes the port (dropping a close error) and frees the queues.
    ~TComm32() override;

    // The line settings Open applies. Change them only while closed.
    TCommDCB DCB;
    bool DisableWrite = false;       // Write accepts nothing (Command still does)
    bool DataOnly = false;           // watch only EV_RXCHAR, EV_TXEMPTY and EV_ERR
    unsigned long HwInSize = 1200;   // driver queue sizes: recorded; a tty
    unsigned long HwOutSize = 1200;  // keeps buffers of its own
    unsigned char AutoAnswer = 0;    // ring count for InitModem

    // Set these while the port is closed.
    TCommNotifyEvent OnCommNotify;
    TNotifyEvent OnAfterOpen;
    TNotifyEvent OnBeforeClose;

    // Takes up to Len received bytes; 0 at once when none wait. Open or not.
    virtual long Read(void* Buf, long Len);
    // Queues up to Len bytes for sending and returns how many the transmit
    // queue took; 0 while DisableWrite is set. Never waits.
    virtual long Write(const void* Buf, long Len);
    // Queues the text as Write does, regardless of DisableWrite.
    virtual long Command(const char* Text);
    // While open: drops what the driver and the receive queue hold.
    virtual void PurgeRead(bool Abort);
    // While open: drops what the transmit queue and the driver hold; with
    // Abort also what the transmit thread has taken but not yet sent.
    virtual void PurgeWrite(bool Abort);
    virtual void ResetModem();  // sends Str_ResetModem
    virtual void InitModem();   // sends Fmt_InitModem with the flow code and AutoAnswer
    // SETRTS, CLRRTS, SETDTR, CLRDTR (mirrored in fGetRTS/fGetDTR), SETBREAK,
    // CLRBREAK, SETXOFF, SETXON. False when closed or when the line refuses.
    virtual bool EscapeCommFunction(unsigned long Func);
    // Opens the port and starts both threads; raises EComm32Error (codes 2
    // to 12) and stays closed when that fails. Nothing happens when open.
    virtual void Open();
    // Stops and joins both threads and closes the port. Raises code 14 (or
    // 13) afterwards when the transmit (receive) thread took longer than
    // half a second to stop. Safe to call when closed; raises code 13 when
    // called on one of the port's own threads, without closing.
    virtual void Close();
    virtual void CommNotify(int NotifyType);
    virtual void CommAfterOpen();
    virtual void CommBeforeClose();

    int fGetHandle() const { return Handle_; }
    bool fGetActive() const { return Active_; }
    bool fGetExternalHandle() const { return ExternalHandle_; }
    // True after the device went away while open (hang-up, read or write
    // failing with EIO): the threads then only wait to be stopped.
    bool fGetHungUp() const { return HungUp_; }

    int fGetPort() const { return PortNo_; }
    const std::string& fGetPortName() const { return PortName_; }
    // Closes; PortNo = No and, when No > 0, PortName = "COM" + No.
    void fSetPort(int No);
    // Closes; a "COMn" name sets PortNo n and PortName "COMn", any other
    // name is kept as given with PortNo 0. An empty name changes nothing.
    void fSetPortName(const std::string& Name);
    // Closes and uses an outside descriptor, which the port neither
    // configures (beyond making it non-blocking) nor closes.
    void fSetHandle(int Fd);

    void fSetFCtrl(TFlowControl Code);  // closes
    TFlowControl fGetFCtrl() const;
    void fSetDTR(bool On);
    bool fGetDTR() const { return Active_ && DTR_; }  // false while closed
    void fSetRTS(bool On);
    bool fGetRTS() const { return Active_ && RTS_; }
    // The last MS_* bits read from the line; 0 while closed.
    unsigned long fGetModemStatus() const { return ModemStatus_; }

    TCommQueue& fGetInQueue() { return *InQueue_; }
    TCommQueue& fGetOutQueue() { return *OutQueue_; }
    // Resize (and empty) a queue, open or closed: the port's threads keep
    // off the queue meanwhile. Raises code 1 when the buffer cannot be had.
    void fSetInBufSize(long Size);
    void fSetOutBufSize(long Size);

  private:
    struct OpenFailure {
        EComm32Error::TErrorCode code;
        int err;
        std::string holder = {};  // the program that holds the port, when busy
    };
    // What the transmit thread carries from one pass to the next.
    struct TxState {
        char buffer[2048];
        long len = 0;
        long sent = 0;
        bool wrote = false;  // bytes went out since the last EV_TXEMPTY
        int drainWaitMs = -1;
    };
    // What the receive thread remembers between passes.
    struct RxState {
        long lineErrors = -1;
        bool gone = false;            // the device went away
        bool waitingForRoom = false;  // the receive queue is full
    };

    OpenFailure _OpenSteps();
    OpenFailure _ApplyLineSettings();
    OpenFailure _StartThreads();
    void _LeaveExternalHandle();
    bool _OnPortThread() const;
    EComm32Error::TErrorCode _AwaitThreads();
    void _ReleaseHandles();
    long _QueueForSending(const char* Data, long Len);

    void _ReadThread();
    int _ReceiveBytes(short revents, RxState& state);
    bool _AwaitRoom(RxState& state);
    int _LineGone(RxState& state);
    void _RoomMade();
    int _LineChanges(RxState& state);
    int _GateTxEmpty(int mask);
    void _WriteThread();
    void _WritePass(TxState& state, short revents);
    void _TransmitterIdle(TxState& state);
    void _ThreadEnded(bool& alive);

    int Handle_ = INVALID_HANDLE_VALUE;
    PortClaim Claim_;  // the port's lock file while it is open by name
    bool ExternalHandle_ = false;
    std::atomic<bool> Active_{false};
    bool DTR_ = true;
    bool RTS_ = true;
    int PortNo_ = 2;
    std::string PortName_ = "COM2";

    std::unique_ptr<TCommQueue> InQueue_;
    std::unique_ptr<TCommQueue> OutQueue_;
    // Held shared by every queue access off the owner's path (the threads'
    // I/O batches, Read, Write) and exclusively to purge or resize a queue.
    mutable std::shared_mutex QueueGate_;

    std::thread ReadThread_;
    std::thread WriteThread_;
    std::atomic<bool> ReadRun_{false};
    std::atomic<bool> WriteRun_{false};
    std::mutex AliveMutex_;
    std::condition_variable AliveChanged_;
    bool ReadAlive_ = false;   // guarded by AliveMutex_
    bool WriteAlive_ = false;  // guarded by AliveMutex_

    posix_port::EventFd ReadStop_;
    posix_port::EventFd WriteStop_;
    posix_port::EventFd WriteRequest_;
    posix_port::EventFd TxEmpty_;  // the transmit thread tells the receive thread
    // A reader made room in a full receive queue. Lives as long as the port,
    // since readers on any thread signal it, open or closed.
    posix_port::EventFd ReadRoom_;
    std::atomic<bool> RxWantsRoom_{false};

    std::atomic<unsigned long> ModemStatus_{0};
    std::atomic<bool> HungUp_{false};
    std::atomic<bool> DropUnsent_{false};
};

}  // namespace vantrel
