#pragma once
// TCommPackage turns the byte stream of a TComm32 into whole packages and
// back. On the line a package is either framed (head, escaped data, tail:
// PackageFraming.h) or ends where the line stays quiet for PackageInterval
// milliseconds. Received and waiting packages sit in two TCommPackageQueues.
//
// The layer puts itself in front of the port's notification closure:
// framed packages are decoded on the port's receive thread, and a timer
// thread of its own ends quiet-delimited packages. Its own notifications
// (EV_RXCHAR: a package arrived; EV_TXEMPTY: every package went out; the
// port's other bits) go to OnPackage. It works only while active; the
// owner opens the port before activating it and closes the port before
// deactivating it.
//
// Package record, in memory only: a 4-byte length in host byte order
// followed by PackageSize data bytes.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "serial/PackageFraming.h"
#include "serial/TCommPackageQueue.h"
#include "serial/TOrvikComm32.h"

namespace vantrel {

enum TCommPackageType {
    cptCompatiblePkg,  // framed; the caller exchanges whole records
    cptFrameHeadTail,  // framed; the caller passes a buffer and a length
    cptFrameTimeout,   // bare bytes; a package ends with a quiet line
};

// The head of a package record; PackageSize data bytes follow it.
struct TCommPackageHead {
    std::uint32_t Length;
};

class TCommPackage : public TObject {
  public:
    static constexpr std::uint8_t DefaultFrameHead = 0xEB;
    static constexpr std::uint8_t DefaultFrameTail = 0xEE;
    static constexpr std::uint8_t DefaultFrameCtrl = 0xEC;

    // Hooks into Port's notifications (construct it while the port is
    // closed) and starts the timer thread.
    explicit TCommPackage(TComm32* Port);
    // Gives the port its closure back and joins the timer thread.
    ~TCommPackage() override;
    // Stops and joins the timer thread (for good: quiet-delimited packages
    // end no more). For owners shutting down; the destructor calls it too.
    void StopTimer();

    // cptCompatiblePkg: copies the oldest record (PackageSize + 4 bytes)
    // into Buf and returns 1. Other types: Len 0 or no Buf gives the length
    // of the oldest package without taking it; otherwise takes it and copies
    // up to Len data bytes (the rest is lost), returning their count.
    // 0 when inactive or when no package waits.
    virtual long ReadPackage(void* Buf, unsigned long Len);
    // cptCompatiblePkg: queues the record in Buf (PackageSize + 4 bytes) and
    // returns 1. Other types: queues min(Len, PackageSize) bytes and returns
    // that count. 0 when inactive, when nothing was given or the queue is full.
    virtual long WritePackage(const void* Buf, unsigned long Len);
    // While active: the port's receive side, then the received packages (the
    // package being assembled is kept).
    virtual void PurgeRead();
    // While active: the waiting packages and the frame being sent, then the
    // port's transmit side.
    virtual void PurgeWrite();
    // Calls OnPackage, dropping any exception it throws.
    virtual void CallNotify(int NotifyType);

    // Where this layer's notifications go; set it while inactive.
    TCommNotifyEvent OnPackage;

    bool fGetActive() const { return Active_; }
    // Every change of state drops all queued and half-assembled packages.
    void fSetActive(bool Value);
    long fGetQSize() const { return QueueSize_; }
    void fSetQSize(unsigned long Count);
    long fGetPkgSz() const { return PackageSize_; }
    // Raises EComm32Error code 1 when the buffers cannot be had.
    void fSetPkgSz(unsigned long Size);
    TCommPackageType fGetPkgType() const { return PackageType_; }
    void fSetPkgType(TCommPackageType Type);
    long fGetPkgInterval() const { return PackageInterval_; }
    void fSetPkgInterval(unsigned long Milliseconds);
    bool fGetDblFrameMark() const { return DoubleFrameMark_; }
    void fSetDblFrameMark(bool Value) { DoubleFrameMark_ = Value; }
    // The frame bytes take effect with the next byte encoded or decoded.
    std::uint8_t fGetFrameHead() const { return FrameHead_; }
    void fSetFrameHead(std::uint8_t Value) { FrameHead_ = Value; }
    std::uint8_t fGetFrameTail() const { return FrameTail_; }
    void fSetFrameTail(std::uint8_t Value) { FrameTail_ = Value; }
    std::uint8_t fGetFrameCtrl() const { return FrameCtrl_; }
    void fSetFrameCtrl(std::uint8_t Value) { FrameCtrl_ = Value; }

    // The port's notification closure while this layer exists.
    void fNewCommNotify(TObject* Sender, int NotifyType);

  private:
    // Runs change with both sides locked, the layer deactivated around it
    // when it was active.
    template <typename Change>
    void _Reconfigure(Change change);
    void _SetActiveLocked(bool Value);
    void _AllocBuffer(long Size);
    void _RemoveBuffer();
    std::size_t _EncodePackage(std::uint8_t* Out, const std::uint8_t* In);
    FrameMarks _Marks() const { return {FrameHead_, FrameTail_, FrameCtrl_}; }
    long _RecordSize() const { return PackageSize_ + 4; }
    bool _ReadHeadTailPackage();
    bool _ReadTimeoutPackage();
    void _WritePackage();
    void _TimerThread();
    bool _TimeoutPass(bool& collecting, std::chrono::steady_clock::time_point& deadline);
    void _SignalTimer();

    std::atomic<bool> Active_{false};
    std::atomic<bool> DoubleFrameMark_{false};
    TComm32* Port_;
    TCommNotifyEvent NextNotify_;  // the port's closure found at construction

    std::atomic<long> QueueSize_{16};
    std::atomic<long> PackageSize_{4096};
    std::atomic<TCommPackageType> PackageType_{cptFrameTimeout};
    std::atomic<std::uint8_t> FrameHead_{DefaultFrameHead};
    std::atomic<std::uint8_t> FrameTail_{DefaultFrameTail};
    std::atomic<std::uint8_t> FrameCtrl_{DefaultFrameCtrl};
    std::atomic<long> PackageInterval_{50};

    // Receive side: the decoder and the package being assembled; held by the
    // receive thread or the timer thread while they produce packages.
    std::mutex RxLock_;
    FrameDecoder Decoder_;
    std::vector<std::uint8_t> RxRecord_;
    std::size_t RxLength_ = 0;
    std::chrono::steady_clock::time_point LastByte_;
    TCommPackageQueue RxQueue_;

    // Transmit side: the frame being handed to the port; held by whichever
    // thread runs _WritePackage, so two frames never interleave.
    std::mutex TxLock_;
    std::vector<std::uint8_t> TxEncoded_;
    std::vector<std::uint8_t> TxPlain_;
    std::size_t TxEncodedLength_ = 0;
    std::size_t TxProgress_ = 0;
    TCommPackageQueue TxQueue_;

    std::thread TimerThread_;
    std::mutex TimerMutex_;
    std::condition_variable TimerEvent_;
    bool TimerSignalled_ = false;  // guarded by TimerMutex_
    bool TimerRun_ = true;         // guarded by TimerMutex_
};

}  // namespace vantrel
