#include "serial/TOrvikCommPkg.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vantrel {

namespace {

constexpr long kReadChunk = 2048;

std::uint32_t RecordLength(const std::uint8_t* record) {
    std::uint32_t length = 0;
    std::memcpy(&length, record, sizeof length);
    return length;
}

void SetRecordLength(std::uint8_t* record, std::size_t length) {
    const auto value = static_cast<std::uint32_t>(length);
    std::memcpy(record, &value, sizeof value);
}

}  // namespace

TCommPackage::TCommPackage(TComm32* Port)
    : Port_(Port), RxQueue_(16, 4096 + 4), TxQueue_(16, 4096 + 4) {
    _AllocBuffer(PackageSize_);
    NextNotify_ = Port_->OnCommNotify;
    Port_->OnCommNotify = [this](TObject* Sender, int NotifyType) {
        fNewCommNotify(Sender, NotifyType);
    };
    TimerThread_ = std::thread(&TCommPackage::_TimerThread, this);
}

TCommPackage::~TCommPackage() {
    Port_->OnCommNotify = NextNotify_;
    StopTimer();
}

void TCommPackage::StopTimer() {
    {
        std::lock_guard lock(TimerMutex_);
        TimerRun_ = false;
        TimerSignalled_ = true;
    }
    TimerEvent_.notify_all();
    if (TimerThread_.joinable()) TimerThread_.join();
}

// Buffers with room for a whole queue slot, which is never below 32 bytes.
void TCommPackage::_AllocBuffer(long Size) {
    const auto record = static_cast<std::size_t>(std::max(Size + 4, 32L));
    const auto encoded = std::max(MaxFrameLength(static_cast<std::size_t>(Size)) + 4, record);
    try {
        std::vector<std::uint8_t> rx(record), plain(record), coded(encoded);
        RxRecord_.swap(rx);
        TxPlain_.swap(plain);
        TxEncoded_.swap(coded);
    } catch (const std::bad_alloc&) {
        throw EComm32Error(EComm32Error::ecOutOfMemory);
    }
    RxLength_ = 0;
    TxEncodedLength_ = TxProgress_ = 0;
}

void TCommPackage::_RemoveBuffer() {
    RxRecord_.clear();
    TxPlain_.clear();
    TxEncoded_.clear();
    RxLength_ = TxEncodedLength_ = TxProgress_ = 0;
}

long TCommPackage::ReadPackage(void* Buf, unsigned long Len) {
    if (!Active_) return 0;
    std::vector<std::uint8_t> record(static_cast<std::size_t>(RxQueue_.SlotSize()));
    if (PackageType_ == cptCompatiblePkg) {
        if (!Buf || !RxQueue_.Out(record.data())) return 0;
        std::memcpy(Buf, record.data(), static_cast<std::size_t>(_RecordSize()));
        return 1;
    }
    if (Len == 0 || !Buf) return RxQueue_.Read(record.data(), 0) ? RecordLength(record.data()) : 0;
    if (!RxQueue_.Out(record.data())) return 0;
    const std::size_t n = std::min<std::size_t>(Len, RecordLength(record.data()));
    std::memcpy(Buf, record.data() + 4, n);
    return static_cast<long>(n);
}

long TCommPackage::WritePackage(const void* Buf, unsigned long Len) {
    if (!Active_ || !Buf) return 0;
    std::vector<std::uint8_t> record(static_cast<std::size_t>(TxQueue_.SlotSize()));
    long result = 1;
    if (PackageType_ == cptCompatiblePkg) {
        std::memcpy(record.data(), Buf, static_cast<std::size_t>(_RecordSize()));
    } else {
        if (Len == 0) return 0;
        const std::size_t n = std::min<std::size_t>(Len, static_cast<std::size_t>(PackageSize_));
        SetRecordLength(record.data(), n);
        std::memcpy(record.data() + 4, Buf, n);
        result = static_cast<long>(n);
    }
    const bool queued = TxQueue_.In(record.data()) != 0;
    {
        std::lock_guard lock(TxLock_);
        if (Active_) _WritePackage();
    }
    return queued ? result : 0;
}

void TCommPackage::PurgeRead() {
    if (!Active_) return;
    Port_->PurgeRead(false);
    std::lock_guard lock(RxLock_);
    RxQueue_.Clear();
}

void TCommPackage::PurgeWrite() {
    if (!Active_) return;
    {
        std::lock_guard lock(TxLock_);
        TxQueue_.Clear();
        TxEncodedLength_ = TxProgress_ = 0;
    }
    Port_->PurgeWrite(false);
}

void TCommPackage::CallNotify(int NotifyType) {
    CallDroppingExceptions(OnPackage, static_cast<TObject*>(this), NotifyType);
}

template <typename Change>
void TCommPackage::_Reconfigure(Change change) {
    {
        std::scoped_lock lock(RxLock_, TxLock_);
        const bool wasActive = Active_;
        if (wasActive) _SetActiveLocked(false);
        try {
            change();
        } catch (...) {
            if (wasActive) _SetActiveLocked(true);
            throw;
        }
        if (wasActive) _SetActiveLocked(true);
    }
    _SignalTimer();
}

void TCommPackage::fSetActive(bool Value) {
    _Reconfigure([&] { _SetActiveLocked(Value); });
}

void TCommPackage::_SetActiveLocked(bool Value) {
    Active_ = Value;
    Decoder_.Reset();
    RxLength_ = 0;
    TxProgress_ = TxEncodedLength_ = 0;
    RxQueue_.Clear();
    TxQueue_.Clear();
}

void TCommPackage::fSetQSize(unsigned long Count) {
    _Reconfigure([&] {
        QueueSize_ = static_cast<long>(Count);
        RxQueue_.SetQueue(QueueSize_, RxQueue_.SlotSize());
        TxQueue_.SetQueue(QueueSize_, TxQueue_.SlotSize());
    });
}

void TCommPackage::fSetPkgSz(unsigned long Size) {
    _Reconfigure([&] {
        const auto size = static_cast<long>(Size);
        _AllocBuffer(size);
        PackageSize_ = size;
        RxQueue_.SetQueue(RxQueue_.SlotCount(), size + 4);
        TxQueue_.SetQueue(TxQueue_.SlotCount(), size + 4);
    });
}

void TCommPackage::fSetPkgType(TCommPackageType Type) {
    _Reconfigure([&] { PackageType_ = Type; });
}

void TCommPackage::fSetPkgInterval(unsigned long Milliseconds) {
    PackageInterval_ = static_cast<long>(Milliseconds);
    _SignalTimer();
}

// Runs on the port's receive thread (and on the owner's thread for the open
// and close reports). The next closure always sees the port's raw mask.
void TCommPackage::fNewCommNotify(TObject* Sender, int NotifyType) {
    if (Active_) {
        int out = NotifyType & ~(EV_RXCHAR | EV_TXEMPTY);
        if (NotifyType & EV_RXCHAR) {
            if (PackageType_ == cptFrameTimeout) {
                _SignalTimer();
            } else {
                std::lock_guard lock(RxLock_);
                if (_ReadHeadTailPackage()) out |= EV_RXCHAR;
            }
        }
        if (NotifyType & EV_TXEMPTY) {
            std::lock_guard lock(TxLock_);
            if (Active_) {
                _WritePackage();
                if (TxQueue_.Empty()) out |= EV_TXEMPTY;
            }
        }
        if (out != 0) CallNotify(out);
    }
    if (NextNotify_) NextNotify_(Sender, NotifyType);
}

// Decodes what the receive queue holds; true when packages wait afterwards.
bool TCommPackage::_ReadHeadTailPackage() {
    if (!Active_) return false;
    std::uint8_t chunk[kReadChunk];
    const auto capacity = static_cast<std::size_t>(PackageSize_);
    for (long n; (n = Port_->Read(chunk, kReadChunk)) > 0;) {
        const FrameMarks marks = _Marks();
        for (long i = 0; i < n; ++i) {
            if (!Decoder_.Feed(chunk[i], marks, RxRecord_.data() + 4, capacity, RxLength_))
                continue;
            SetRecordLength(RxRecord_.data(), RxLength_);
            RxQueue_.In(RxRecord_.data());  // dropped when the queue is full
            RxLength_ = 0;
        }
    }
    return !RxQueue_.Empty();
}

std::size_t TCommPackage::_EncodePackage(std::uint8_t* Out, const std::uint8_t* In) {
    const std::size_t n = std::min<std::size_t>(RecordLength(In), PackageSize_);
    return EncodeFrame(_Marks(), DoubleFrameMark_, In + 4, n, Out);
}

// One step of sending: hands the rest of the current frame to the port, or
// starts the next waiting package. Called with TxLock_ held.
void TCommPackage::_WritePackage() {
    if (TxProgress_ < TxEncodedLength_) {
        TxProgress_ += static_cast<std::size_t>(
            Port_->Write(TxEncoded_.data() + 4 + TxProgress_,
                         static_cast<long>(TxEncodedLength_ - TxProgress_)));
        return;
    }
    if (PackageType_ == cptFrameTimeout) {
        if (!TxQueue_.Out(TxEncoded_.data())) return;
        TxEncodedLength_ = std::min<std::size_t>(RecordLength(TxEncoded_.data()), PackageSize_);
    } else {
        if (!TxQueue_.Out(TxPlain_.data())) return;
        TxEncodedLength_ = _EncodePackage(TxEncoded_.data() + 4, TxPlain_.data());
    }
    SetRecordLength(TxEncoded_.data(), TxEncodedLength_);
    TxProgress_ = static_cast<std::size_t>(
        Port_->Write(TxEncoded_.data() + 4, static_cast<long>(TxEncodedLength_)));
}

// Collects what the receive queue holds into the package being assembled
// (bytes beyond PackageSize are dropped); true when any byte came.
bool TCommPackage::_ReadTimeoutPackage() {
    std::uint8_t chunk[kReadChunk];
    const auto capacity = static_cast<std::size_t>(PackageSize_);
    bool any = false;
    for (long n; (n = Port_->Read(chunk, kReadChunk)) > 0;) {
        any = true;
        const std::size_t take = std::min(static_cast<std::size_t>(n), capacity - RxLength_);
        std::memcpy(RxRecord_.data() + 4 + RxLength_, chunk, take);
        RxLength_ += take;
    }
    return any;
}

void TCommPackage::_SignalTimer() {
    {
        std::lock_guard lock(TimerMutex_);
        TimerSignalled_ = true;
    }
    TimerEvent_.notify_all();
}

// Ends quiet-delimited packages. It sleeps without a time-out until bytes
// arrive (the receive notification wakes it) and then until PackageInterval
// has passed since the last byte it collected.
void TCommPackage::_TimerThread() {
    bool collecting = false;
    auto deadline = std::chrono::steady_clock::now();
    for (;;) {
        {
            std::unique_lock lock(TimerMutex_);
            const auto woken = [this] { return TimerSignalled_; };
            if (collecting)
                TimerEvent_.wait_until(lock, deadline, woken);
            else
                TimerEvent_.wait(lock, woken);
            TimerSignalled_ = false;
            if (!TimerRun_) return;
        }
        if (_TimeoutPass(collecting, deadline)) CallNotify(EV_RXCHAR);
    }
}

// True when a package was completed.
bool TCommPackage::_TimeoutPass(bool& collecting, std::chrono::steady_clock::time_point& deadline) {
    std::lock_guard lock(RxLock_);
    collecting = false;
    if (!Active_ || PackageType_ != cptFrameTimeout) return false;
    const auto now = std::chrono::steady_clock::now();
    const auto interval = std::chrono::milliseconds(PackageInterval_.load());
    bool completed = false;
    if (_ReadTimeoutPackage()) {
        LastByte_ = now;
    } else if (RxLength_ > 0 && now - LastByte_ >= interval) {
        SetRecordLength(RxRecord_.data(), RxLength_);
        RxQueue_.In(RxRecord_.data());  // dropped when the queue is full
        RxLength_ = 0;
        completed = true;
    }
    collecting = RxLength_ > 0;
    deadline = LastByte_ + interval;
    return completed;
}

}  // namespace vantrel
