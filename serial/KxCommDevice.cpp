#include "serial/KxCommDevice.h"

#include <algorithm>
#include <array>

namespace vantrel {

namespace {

constexpr std::array<unsigned long, 15> kBaudRates = {110,   300,   600,    1200,   2400,
                                                      4800,  9600,  14400,  19200,  38400,
                                                      56000, 57600, 115200, 128000, 256000};
// The port's flow-control codes of fcNone ... fcRtsCtsXonXoff.
constexpr std::array<TComm32::TFlowControl, 5> kFlowCodes = {
    TComm32::flNone, TComm32::flRtsCts, TComm32::flXonXoff, TComm32::flTranXonXoff,
    TComm32::flRtsCtsXonXoff};

}  // namespace

unsigned long BaudRateValue(TBaudRate Rate) {
    const auto index = static_cast<std::size_t>(Rate);
    return index < kBaudRates.size() ? kBaudRates[index] : 115200;
}

TBaudRate BaudRateOf(unsigned long BitsPerSecond) {
    const auto* found = std::find(kBaudRates.begin(), kBaudRates.end(), BitsPerSecond);
    if (found == kBaudRates.end()) return br115200;
    return static_cast<TBaudRate>(found - kBaudRates.begin());
}

void TKxCommFrameSettings::Assign(const TKxCommFrameSettings& Source) {
    fSetFrameHead(Source.fGetFrameHead());
    fSetFrameTail(Source.fGetFrameTail());
    fSetFrameCtrl(Source.fGetFrameCtrl());
}

TKxCustomCommDevice::TKxCustomCommDevice() : Port_(std::make_unique<TComm32>()) {
    Port_->OnCommNotify = [this](TObject* Sender, int NotifyType) { _EvComm(Sender, NotifyType); };
    Port_->OnAfterOpen = [this](TObject* Sender) { _EvAfterOpen(Sender); };
    Port_->OnBeforeClose = [this](TObject* Sender) { _EvBeforeClose(Sender); };
    Package_ = std::make_unique<TCommPackage>(Port_.get());
    Package_->OnPackage = [this](TObject* Sender, int NotifyType) {
        _EvPackage(Sender, NotifyType);
    };
    FrameSettings_ = std::make_unique<TKxCommFrameSettings>(Package_.get());
}

TKxCustomCommDevice::~TKxCustomCommDevice() {
    Shutdown();
}

// The handlers are silenced first (a flag rather than clearing closures the
// threads may be calling), then the threads are stopped: the port's by
// closing it, the package layer's timer by stopping it.
void TKxCustomCommDevice::Shutdown() {
    Destroying_ = true;
    try {
        Port_->Close();
    } catch (const EComm32Error&) {
        // The threads are joined either way.
    }
    Package_->fSetActive(false);
    Package_->StopTimer();
}

long TKxCustomCommDevice::Read(void* Buf, long Len) {
    if (UsePackage_)
        return Package_->ReadPackage(Buf, static_cast<unsigned long>(std::max(Len, 0L)));
    return Port_->Read(Buf, Len);
}

long TKxCustomCommDevice::Write(const void* Buf, long Len) {
    if (UsePackage_)
        return Package_->WritePackage(Buf, static_cast<unsigned long>(std::max(Len, 0L)));
    return Port_->Write(Buf, Len);
}

long TKxCustomCommDevice::Command(const char* Text) {
    return Port_->Command(Text);
}

bool TKxCustomCommDevice::ReadPackage(void* Buf) {
    return Package_->ReadPackage(Buf, 0) != 0;
}

bool TKxCustomCommDevice::WritePackage(const void* Buf) {
    return Package_->WritePackage(Buf, 0) != 0;
}

long TKxCustomCommDevice::ReadPackage(void* Buf, unsigned long Len) {
    return Package_->ReadPackage(Buf, Len);
}

long TKxCustomCommDevice::WritePackage(const void* Buf, unsigned long Len) {
    return Package_->WritePackage(Buf, Len);
}

void TKxCustomCommDevice::PurgeRead(bool Abort) {
    if (UsePackage_)
        Package_->PurgeRead();
    else
        Port_->PurgeRead(Abort);
}

void TKxCustomCommDevice::PurgeWrite(bool Abort) {
    if (UsePackage_)
        Package_->PurgeWrite();
    else
        Port_->PurgeWrite(Abort);
}

void TKxCustomCommDevice::ResetModem() {
    Port_->ResetModem();
}

void TKxCustomCommDevice::InitModem() {
    Port_->InitModem();
}

bool TKxCustomCommDevice::EscapeCommFunction(unsigned long Func) {
    return Port_->EscapeCommFunction(Func);
}

void TKxCustomCommDevice::EvCommNotify(TObject*, int NotifyType) {
    CallDroppingExceptions(OnCommNotify, static_cast<TObject*>(this), NotifyType);
}

void TKxCustomCommDevice::EvPackageNotify(TObject*, int NotifyType) {
    CallDroppingExceptions(OnPackage, static_cast<TObject*>(this), NotifyType);
}

void TKxCustomCommDevice::EvAfterOpen(TObject*) {
    CallDroppingExceptions(AfterOpen, static_cast<TObject*>(this));
}

void TKxCustomCommDevice::EvBeforeClose(TObject*) {
    CallDroppingExceptions(BeforeClose, static_cast<TObject*>(this));
}

std::size_t TKxCustomCommDevice::DrainNotifications() {
    return Hop_.Drain([this](const NotificationHop::Notification& n) { _Deliver(n); });
}

void TKxCustomCommDevice::_Deliver(const NotificationHop::Notification& Notification) {
    if (Notification.Channel == CommChannel)
        EvCommNotify(Notification.Sender, Notification.NotifyType);
    else if (Notification.Channel == PackageChannel)
        EvPackageNotify(Notification.Sender, Notification.NotifyType);
}

void TKxCustomCommDevice::_EvComm(TObject* Sender, int NotifyType) {
    if (Destroying_) return;
    if (SyncEvents_)
        Hop_.Post({CommChannel, Sender, NotifyType});
    else
        EvCommNotify(Sender, NotifyType);
}

void TKxCustomCommDevice::_EvPackage(TObject* Sender, int NotifyType) {
    if (Destroying_) return;
    if (SyncEvents_)
        Hop_.Post({PackageChannel, Sender, NotifyType});
    else
        EvPackageNotify(Sender, NotifyType);
}

void TKxCustomCommDevice::_EvAfterOpen(TObject* Sender) {
    if (!Destroying_) EvAfterOpen(Sender);
}

void TKxCustomCommDevice::_EvBeforeClose(TObject* Sender) {
    if (!Destroying_) EvBeforeClose(Sender);
}

void TKxCustomCommDevice::fSetBaud(TBaudRate Rate) {
    fSetBaudRate(BaudRateValue(Rate));
}

void TKxCustomCommDevice::fSetBaudRate(unsigned long BitsPerSecond) {
    Port_->Close();
    Port_->DCB.BaudRate =
        static_cast<std::uint32_t>(std::min<unsigned long>(BitsPerSecond, UINT32_MAX));
}

TParity TKxCustomCommDevice::fGetParity() const {
    return Port_->DCB.Parity <= SPACEPARITY ? static_cast<TParity>(Port_->DCB.Parity) : ptNoParity;
}

void TKxCustomCommDevice::fSetParity(TParity Parity) {
    Port_->Close();
    const bool known = Parity >= ptNoParity && Parity <= ptSpaceParity;
    Port_->DCB.Parity = known ? static_cast<std::uint8_t>(Parity) : NOPARITY;
}

void TKxCustomCommDevice::fSetByteSize(int Size) {
    Port_->Close();
    Port_->DCB.ByteSize = static_cast<std::uint8_t>(std::clamp(Size, 0, 255));
}

TStopBits TKxCustomCommDevice::fGetStopBits() const {
    return Port_->DCB.StopBits <= TWOSTOPBITS ? static_cast<TStopBits>(Port_->DCB.StopBits)
                                              : sbOneStopBit;
}

void TKxCustomCommDevice::fSetStopBits(TStopBits StopBits) {
    Port_->Close();
    const bool known = StopBits >= sbOneStopBit && StopBits <= sbTwoStopBit;
    Port_->DCB.StopBits = known ? static_cast<std::uint8_t>(StopBits) : ONESTOPBIT;
}

TFlowControl TKxCustomCommDevice::fGetFlCtrl() const {
    switch (Port_->fGetFCtrl()) {
        case TComm32::flRtsCts:
            return fcRtsCts;
        case TComm32::flXonXoff:
            return fcXonXoff;
        case TComm32::flRtsCtsXonXoff:
            return fcRtsCtsXonXoff;
        default:
            return fcNone;
    }
}

void TKxCustomCommDevice::fSetFlCtrl(TFlowControl Flow) {
    const auto index = static_cast<std::size_t>(Flow);
    Port_->fSetFCtrl(index < kFlowCodes.size() ? kFlowCodes[index] : TComm32::flNone);
}

void TKxCustomCommDevice::fSetAutAns(int Rings) {
    Port_->AutoAnswer = static_cast<unsigned char>(std::clamp(Rings, 0, 255));
}

void TKxCustomCommDevice::fSetDataOnly(bool Value) {
    Port_->Close();
    Port_->DataOnly = Value;
}

void TKxCustomCommDevice::fSetHwInSize(long Size) {
    Port_->Close();
    Port_->HwInSize = static_cast<unsigned long>(std::max(Size, 0L));
}

void TKxCustomCommDevice::fSetHwOutSize(long Size) {
    Port_->Close();
    Port_->HwOutSize = static_cast<unsigned long>(std::max(Size, 0L));
}

void TKxCustomCommDevice::fSetUsePackage(bool Value) {
    const bool active = fGetActive();
    UsePackage_ = Value;
    fSetActive(active);
}

bool TKxCustomCommDevice::fGetActive() const {
    if (!UsePackage_) return Port_->fGetActive();
    return Port_->fGetActive() && Package_->fGetActive();
}

void TKxCustomCommDevice::fSetActive(bool Value) {
    const bool usePackages = UsePackage_ && Value;
    if (Value != Port_->fGetActive()) {
        if (Value)
            Port_->Open();
        else
            Port_->Close();
    }
    if (usePackages != Package_->fGetActive()) Package_->fSetActive(usePackages);
}

}  // namespace vantrel
