#include "serial/TOrvikComm32.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace vantrel {

namespace {

// How long Close waits for the threads before it reports them as stuck.
constexpr auto kThreadStopTime = std::chrono::milliseconds(500);

int FirstError(int a, int b) {
    return a != 0 ? a : b;
}

}  // namespace

TComm32::TComm32()
    : InQueue_(std::make_unique<TCommQueue>(DefaultQueueSize)),
      OutQueue_(std::make_unique<TCommQueue>(DefaultQueueSize)) {
    ReadRoom_.Create();  // without it Open fails with code 9
}

TComm32::~TComm32() {
    try {
        Close();
    } catch (const EComm32Error&) {
        // The threads are joined either way; only the report is lost.
    }
}

long TComm32::Read(void* Buf, long Len) {
    long taken = 0;
    {
        std::shared_lock gate(QueueGate_);
        taken = InQueue_->Out(static_cast<char*>(Buf), Len);
    }
    if (taken > 0) _RoomMade();
    return taken;
}

// Wakes a receive thread that stopped reading the line because the receive
// queue was full. Both sides exchange the flag, so either the thread sees the
// room or the reader sees the flag.
void TComm32::_RoomMade() {
    if (RxWantsRoom_.exchange(false, std::memory_order_acq_rel)) ReadRoom_.Signal();
}

long TComm32::Write(const void* Buf, long Len) {
    if (DisableWrite) return 0;
    return _QueueForSending(static_cast<const char*>(Buf), Len);
}

long TComm32::Command(const char* Text) {
    return _QueueForSending(Text, Text ? static_cast<long>(std::strlen(Text)) : 0);
}

long TComm32::_QueueForSending(const char* Data, long Len) {
    long taken = 0;
    {
        std::shared_lock gate(QueueGate_);
        taken = OutQueue_->In(Data, Len);
    }
    WriteRequest_.Signal();
    return taken;
}

void TComm32::PurgeRead(bool /*Abort: a tty has no pending read to abort*/) {
    if (!Active_) return;
    {
        std::unique_lock gate(QueueGate_);
        posix_port::Flush(Handle_, true);
        InQueue_->Clear();
    }
    _RoomMade();
}

void TComm32::PurgeWrite(bool Abort) {
    if (!Active_) return;
    {
        std::unique_lock gate(QueueGate_);
        OutQueue_->Clear();
        if (Abort) DropUnsent_ = true;
        posix_port::Flush(Handle_, false);
    }
    WriteRequest_.Signal();
}

void TComm32::ResetModem() {
    Command(Str_ResetModem);
}

void TComm32::InitModem() {
    char text[64];
    std::snprintf(text, sizeof text, Fmt_InitModem, static_cast<int>(fGetFCtrl()),
                  static_cast<int>(AutoAnswer));
    Command(text);
}

bool TComm32::EscapeCommFunction(unsigned long Func) {
    if (!Active_ || posix_port::EscapeFunction(Handle_, Func) != 0) return false;
    if (Func == SETRTS || Func == CLRRTS) RTS_ = Func == SETRTS;
    if (Func == SETDTR || Func == CLRDTR) DTR_ = Func == SETDTR;
    return true;
}

void TComm32::Open() {
    if (Active_) return;
    const OpenFailure failure = _OpenSteps();
    if (failure.code != 0) {
        Close();
        throw EComm32Error(failure.code, PortName_, failure.err, failure.holder);
    }
    Active_ = true;
    DisableWrite = false;
    unsigned long status = 0;
    if (posix_port::ModemStatus(Handle_, status) == 0) ModemStatus_ = status;
    DTR_ = DCB.fDtrControl != DTR_CONTROL_DISABLE;
    RTS_ = DCB.fRtsControl != RTS_CONTROL_DISABLE;
    CommNotify(EV_OPEN_CLOSE);
    CommAfterOpen();
}

TComm32::OpenFailure TComm32::_OpenSteps() {
    using E = EComm32Error;
    if (!InQueue_->HasBuffer()) return {E::ecReadBuffer, 0};
    if (!OutQueue_->HasBuffer()) return {E::ecWriteBuffer, 0};
    if (!ExternalHandle_) {
        const std::string path = TCommSerialPortInfo::DevicePath(PortName_);
        if (const auto holder = Claim_.Claim(path))
            return {E::ecOpenPort, EBUSY, holder->Describe()};
        if (int err = posix_port::OpenExclusive(path, Handle_)) return {E::ecOpenPort, err};
    }
    if (int err = posix_port::ProbeTerminal(Handle_, ExternalHandle_)) return {E::ecCommMask, err};
    // HwInSize and HwOutSize: a tty sizes its own buffers, so there is
    // nothing to request here and nothing that could fail (code 6).
    if (OpenFailure f = _ApplyLineSettings(); f.code != 0) return f;
    if (!ReadRoom_.Valid()) return {E::ecReadEvent, EMFILE};
    if (int err = FirstError(ReadStop_.Create(), TxEmpty_.Create())) return {E::ecReadEvent, err};
    if (int err = FirstError(WriteStop_.Create(), WriteRequest_.Create()))
        return {E::ecWriteEvent, err};
    HungUp_ = false;
    DropUnsent_ = false;
    RxWantsRoom_ = false;
    ReadRoom_.Drain();
    return _StartThreads();
}

TComm32::OpenFailure TComm32::_ApplyLineSettings() {
    using E = EComm32Error;
    if (ExternalHandle_) {
        bool readFailed = false;
        if (int err = posix_port::ReapplyLineSettings(Handle_, readFailed))
            return {readFailed ? E::ecGetParameters : E::ecSetParameters, err};
        return {};
    }
    if (DCB.fDtrControl != DTR_CONTROL_HANDSHAKE)
        DCB.fDtrControl = DTR_ ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    if (DCB.fRtsControl != RTS_CONTROL_HANDSHAKE && DCB.fRtsControl != RTS_CONTROL_TOGGLE)
        DCB.fRtsControl = RTS_ ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    if (int err = posix_port::ApplyLineSettings(Handle_, DCB)) return {E::ecSetParameters, err};
    return {};
}

TComm32::OpenFailure TComm32::_StartThreads() {
    using E = EComm32Error;
    auto start = [this](std::thread& thread, std::atomic<bool>& run, bool& alive,
                        void (TComm32::*body)()) {
        {
            std::lock_guard lock(AliveMutex_);
            alive = true;
        }
        run = true;
        try {
            thread = std::thread(body, this);
            return 0;
        } catch (const std::system_error& e) {
            run = false;
            std::lock_guard lock(AliveMutex_);
            alive = false;
            return e.code().value() ? e.code().value() : EAGAIN;
        }
    };
    if (int err = start(ReadThread_, ReadRun_, ReadAlive_, &TComm32::_ReadThread))
        return {E::ecReadThread, err};
    if (int err = start(WriteThread_, WriteRun_, WriteAlive_, &TComm32::_WriteThread))
        return {E::ecWriteThread, err};
    return {};
}

void TComm32::Close() {
    if (_OnPortThread()) throw EComm32Error(EComm32Error::ecCloseReadThread, PortName_);
    const bool wasActive = Active_;
    if (wasActive) CommBeforeClose();
    ReadRun_ = false;
    WriteRun_ = false;
    ReadStop_.Signal();
    WriteStop_.Signal();
    const EComm32Error::TErrorCode code = _AwaitThreads();
    _ReleaseHandles();
    DTR_ = DCB.fDtrControl != DTR_CONTROL_DISABLE;
    RTS_ = DCB.fRtsControl != RTS_CONTROL_DISABLE;
    if (wasActive) {
        Active_ = false;
        ModemStatus_ = 0;
        CommNotify(EV_OPEN_CLOSE);
    }
    if (code != 0) throw EComm32Error(code, PortName_);
}

bool TComm32::_OnPortThread() const {
    const auto self = std::this_thread::get_id();
    return self == ReadThread_.get_id() || self == WriteThread_.get_id();
}

// Gives the threads the stop time to end, notes which one did not, and then
// joins both however long that takes: nothing they use is released before.
EComm32Error::TErrorCode TComm32::_AwaitThreads() {
    EComm32Error::TErrorCode code{};
    {
        std::unique_lock lock(AliveMutex_);
        AliveChanged_.wait_for(lock, kThreadStopTime,
                               [this] { return !ReadAlive_ && !WriteAlive_; });
        if (WriteAlive_)
            code = EComm32Error::ecCloseWriteThread;
        else if (ReadAlive_)
            code = EComm32Error::ecCloseReadThread;
    }
    if (ReadThread_.joinable()) ReadThread_.join();
    if (WriteThread_.joinable()) WriteThread_.join();
    return code;
}

void TComm32::_ReleaseHandles() {
    ReadStop_.Close();
    TxEmpty_.Close();
    WriteRequest_.Close();
    WriteStop_.Close();
    if (Handle_ != INVALID_HANDLE_VALUE && !ExternalHandle_) {
        posix_port::CloseExclusive(Handle_);
        Handle_ = INVALID_HANDLE_VALUE;
    }
    Claim_.Release();
}

void TComm32::_ThreadEnded(bool& alive) {
    std::lock_guard lock(AliveMutex_);
    alive = false;
    AliveChanged_.notify_all();
}

void TComm32::CommNotify(int NotifyType) {
    CallDroppingExceptions(OnCommNotify, static_cast<TObject*>(this), NotifyType);
}

void TComm32::CommAfterOpen() {
    CallDroppingExceptions(OnAfterOpen, static_cast<TObject*>(this));
}

void TComm32::CommBeforeClose() {
    CallDroppingExceptions(OnBeforeClose, static_cast<TObject*>(this));
}

void TComm32::_LeaveExternalHandle() {
    if (!ExternalHandle_) return;
    ExternalHandle_ = false;
    Handle_ = INVALID_HANDLE_VALUE;
}

void TComm32::fSetPort(int No) {
    Close();
    PortNo_ = No;
    if (No > 0) PortName_ = TCommSerialPortInfo::PortName(No);
    _LeaveExternalHandle();
}

void TComm32::fSetPortName(const std::string& Name) {
    if (Name.empty()) return;
    const int no = TCommSerialPortInfo::PortNo(Name);
    Close();
    PortNo_ = no;
    PortName_ = no > 0 ? TCommSerialPortInfo::PortName(no) : Name;
    _LeaveExternalHandle();
}

void TComm32::fSetHandle(int Fd) {
    Close();
    PortNo_ = 0;
    PortName_.clear();
    Handle_ = Fd;
    ExternalHandle_ = true;
}

void TComm32::fSetFCtrl(TFlowControl Code) {
    Close();
    const bool cts = Code == flRtsCts || Code == flRtsCtsXonXoff;
    const bool xonXoff = Code == flXonXoff || Code == flTranXonXoff || Code == flRtsCtsXonXoff;
    DCB.fOutxCtsFlow = cts;
    DCB.fRtsControl = cts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    DCB.fDtrControl = DTR_CONTROL_ENABLE;
    DCB.fOutxDsrFlow = 0;
    DCB.fInX = xonXoff;
    DCB.fOutX = xonXoff;
}

TComm32::TFlowControl TComm32::fGetFCtrl() const {
    if (DCB.fOutxCtsFlow && DCB.fOutX) return flRtsCtsXonXoff;
    if (DCB.fOutxCtsFlow) return flRtsCts;
    if (DCB.fOutX) return flXonXoff;
    return flNone;
}

void TComm32::fSetDTR(bool On) {
    if (Active_)
        EscapeCommFunction(On ? SETDTR : CLRDTR);
    else
        DTR_ = On;
}

void TComm32::fSetRTS(bool On) {
    if (Active_)
        EscapeCommFunction(On ? SETRTS : CLRRTS);
    else
        RTS_ = On;
}

void TComm32::fSetInBufSize(long Size) {
    {
        std::unique_lock gate(QueueGate_);
        InQueue_->fSetBufSize(Size);
    }
    _RoomMade();
}

void TComm32::fSetOutBufSize(long Size) {
    std::unique_lock gate(QueueGate_);
    OutQueue_->fSetBufSize(Size);
}

}  // namespace vantrel
