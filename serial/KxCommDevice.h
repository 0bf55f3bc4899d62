#pragma once
// TKxCommDevice: the serial component an application owns to talk over a
// port. It owns one TComm32, one TCommPackage with its frame settings, and
// the hop that carries notifications to the owner's thread. It exposes the
// port's settings with enumerated types, opens and closes through Active,
// and reads and writes raw bytes or, with UsePackage, whole packages.
//
// Notifications: with SyncEvents (the default) the port's and the package
// layer's threads only post them, and OnCommNotify / OnPackage run when the
// owner calls DrainNotifications (or whatever Notifications().SetWake
// schedules). Without SyncEvents they run at once on those threads.
// AfterOpen and BeforeClose always run on the thread that opens or closes.
//
// Setting PortNo, PortName, Baud, Parity, ByteSize, StopBits, FlowControl,
// DataOnly, HwInSize or HwOutSize closes the port; set Active again to
// reopen it with the new settings.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "serial/NotificationHop.h"
#include "serial/TOrvikComm32.h"
#include "serial/TOrvikCommPkg.h"

namespace vantrel {

enum TBaudRate {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000,
};
// The frame settings have a fixed underlying type, so that a number from
// outside that names none of them is a value the setters can refuse rather
// than undefined behaviour.
enum TParity : int { ptNoParity, ptOddParity, ptEvenParity, ptMarkParity, ptSpaceParity };
enum TStopBits : int { sbOneStopBit, sbOne_5_StopBits, sbTwoStopBit };
enum TFlowControl : int { fcNone, fcRtsCts, fcXonXoff, fcTranXonXoff, fcRtsCtsXonXoff };

// The modem input lines as a small bit set.
enum TModemStatusBit : unsigned { msCTS = 1, msDSR = 2, msRING = 4, msRLSD = 8 };
using TModemStatus = unsigned;

// Bits per second of a TBaudRate (115200 for a value outside the type), and
// back (br115200 for a rate not in the type).
unsigned long BaudRateValue(TBaudRate Rate);
TBaudRate BaudRateOf(unsigned long BitsPerSecond);

// The frame bytes and the double-mark switch of a package layer, as one
// object the component stores and assigns.
class TKxCommFrameSettings : public TObject {
  public:
    explicit TKxCommFrameSettings(TCommPackage* Package) : Package_(Package) {}

    std::uint8_t fGetFrameHead() const { return Package_->fGetFrameHead(); }
    void fSetFrameHead(std::uint8_t Value) { Package_->fSetFrameHead(Value); }
    std::uint8_t fGetFrameTail() const { return Package_->fGetFrameTail(); }
    void fSetFrameTail(std::uint8_t Value) { Package_->fSetFrameTail(Value); }
    std::uint8_t fGetFrameCtrl() const { return Package_->fGetFrameCtrl(); }
    void fSetFrameCtrl(std::uint8_t Value) { Package_->fSetFrameCtrl(Value); }
    bool fGetDblFrMark() const { return Package_->fGetDblFrameMark(); }
    void fSetDblFrMark(bool Value) { Package_->fSetDblFrameMark(Value); }

    // Copies the three frame bytes (not the double-mark switch).
    void Assign(const TKxCommFrameSettings& Source);

  private:
    TCommPackage* Package_;
};

class TKxCustomCommDevice : public TObject {
  public:
    // Notification channels of the hop.
    enum : int { CommChannel = 1026, PackageChannel = 1027 };

    TKxCustomCommDevice();
    // Shuts down (see Shutdown) and drops undelivered notifications.
    ~TKxCustomCommDevice() override;

    // Silences the handlers, closes the port and joins every thread of the
    // component, for good. The destructor calls it; a class deriving from
    // this one that overrides the Ev* methods calls it in its own
    // destructor, so that no thread calls into a half-destroyed object.
    void Shutdown();

    // Bytes, or with UsePackage whole packages. Read returns 0 at once when
    // nothing waits.
    virtual long Read(void* Buf, long Len);
    virtual long Write(const void* Buf, long Len);
    virtual long Command(const char* Text);
    // Whole package records (PackageSize + 4 bytes).
    virtual bool ReadPackage(void* Buf);
    virtual bool WritePackage(const void* Buf);
    virtual long ReadPackage(void* Buf, unsigned long Len);
    virtual long WritePackage(const void* Buf, unsigned long Len);
    virtual void PurgeRead(bool Abort);
    virtual void PurgeWrite(bool Abort);
    virtual void ResetModem();
    virtual void InitModem();
    virtual bool EscapeCommFunction(unsigned long Func);
    // Call the handlers with this component as the sender.
    virtual void EvCommNotify(TObject* Sender, int NotifyType);
    virtual void EvPackageNotify(TObject* Sender, int NotifyType);
    virtual void EvAfterOpen(TObject* Sender);
    virtual void EvBeforeClose(TObject* Sender);

    // The owner's thread: delivers the posted notifications in order.
    std::size_t DrainNotifications();
    NotificationHop& Notifications() { return Hop_; }

    // Set these before opening.
    TCommNotifyEvent OnCommNotify;
    TCommNotifyEvent OnPackage;
    TNotifyEvent AfterOpen;
    TNotifyEvent BeforeClose;

    int fGetPort() const { return Port_->fGetPort(); }
    void fSetPort(int No) { Port_->fSetPort(No); }
    std::string fGetPortName() const { return Port_->fGetPortName(); }
    void fSetPortName(const std::string& Name) { Port_->fSetPortName(Name); }
    TBaudRate fGetBaud() const { return BaudRateOf(Port_->DCB.BaudRate); }
    void fSetBaud(TBaudRate Rate);
    // The rate as a number, also one that TBaudRate lacks (250000). Writing
    // closes the port; a rate the line cannot take is refused on opening.
    unsigned long fGetBaudRate() const { return Port_->DCB.BaudRate; }
    void fSetBaudRate(unsigned long BitsPerSecond);
    TParity fGetParity() const;
    void fSetParity(TParity Parity);
    int fGetByteSize() const { return Port_->DCB.ByteSize; }
    void fSetByteSize(int Size);
    TStopBits fGetStopBits() const;
    void fSetStopBits(TStopBits StopBits);
    TFlowControl fGetFlCtrl() const;
    void fSetFlCtrl(TFlowControl Flow);
    int fGetAutAns() const { return Port_->AutoAnswer; }
    void fSetAutAns(int Rings);
    bool fGetSyncEvents() const { return SyncEvents_; }
    void fSetSyncEvents(bool Value) { SyncEvents_ = Value; }
    bool fGetDataOnly() const { return Port_->DataOnly; }
    void fSetDataOnly(bool Value);
    long fGetInBufSize() const { return Port_->fGetInQueue().fGetBufSize(); }
    void fSetInBufSize(long Size) { Port_->fSetInBufSize(Size); }
    long fGetOutBufSize() const { return Port_->fGetOutQueue().fGetBufSize(); }
    void fSetOutBufSize(long Size) { Port_->fSetOutBufSize(Size); }
    long fGetHwInSize() const { return static_cast<long>(Port_->HwInSize); }
    void fSetHwInSize(long Size);
    long fGetHwOutSize() const { return static_cast<long>(Port_->HwOutSize); }
    void fSetHwOutSize(long Size);
    long fGetQSize() const { return Package_->fGetQSize(); }
    void fSetQSize(long Count) { Package_->fSetQSize(static_cast<unsigned long>(Count)); }
    long fGetPkgSz() const { return Package_->fGetPkgSz(); }
    void fSetPkgSz(long Size) { Package_->fSetPkgSz(static_cast<unsigned long>(Size)); }
    TCommPackageType fGetPkgType() const { return Package_->fGetPkgType(); }
    void fSetPkgType(TCommPackageType Type) { Package_->fSetPkgType(Type); }
    long fGetPkgInterval() const { return Package_->fGetPkgInterval(); }
    void fSetPkgInterval(long Ms) { Package_->fSetPkgInterval(static_cast<unsigned long>(Ms)); }
    bool fGetUsePackage() const { return UsePackage_; }
    void fSetUsePackage(bool Value);
    TKxCommFrameSettings& fGetFrameSettings() { return *FrameSettings_; }
    void fSetFrameSettings(const TKxCommFrameSettings& Settings) {
        FrameSettings_->Assign(Settings);
    }

    // Opens (raising EComm32Error when that fails) or closes the port, then
    // activates the package layer when UsePackage is set.
    bool fGetActive() const;
    void fSetActive(bool Value);
    int fGetHandle() const { return Port_->fGetHandle(); }
    TCommQueue& fGetInQueue() { return Port_->fGetInQueue(); }
    TCommQueue& fGetOutQueue() { return Port_->fGetOutQueue(); }
    bool fGetDisableWrite() const { return Port_->DisableWrite; }
    void fSetDisableWrite(bool Value) { Port_->DisableWrite = Value; }
    bool fGetDTR() const { return Port_->fGetDTR(); }
    void fSetDTR(bool On) { Port_->fSetDTR(On); }
    bool fGetRTS() const { return Port_->fGetRTS(); }
    void fSetRTS(bool On) { Port_->fSetRTS(On); }
    bool fGetCTS() const { return Port_->fGetModemStatus() & MS_CTS_ON; }
    bool fGetDSR() const { return Port_->fGetModemStatus() & MS_DSR_ON; }
    bool fGetRING() const { return Port_->fGetModemStatus() & MS_RING_ON; }
    bool fGetRLSD() const { return Port_->fGetModemStatus() & MS_RLSD_ON; }
    TModemStatus fGetModemStatus() const { return (Port_->fGetModemStatus() >> 4) & 0xF; }
    // The device went away while the port was open (see TComm32::fGetHungUp).
    bool fGetHungUp() const { return Port_->fGetHungUp(); }

  protected:
    TComm32& Port() { return *Port_; }
    TCommPackage& Package() { return *Package_; }

  private:
    void _EvComm(TObject* Sender, int NotifyType);
    void _EvPackage(TObject* Sender, int NotifyType);
    void _EvAfterOpen(TObject* Sender);
    void _EvBeforeClose(TObject* Sender);
    void _Deliver(const NotificationHop::Notification& Notification);

    NotificationHop Hop_;
    std::unique_ptr<TComm32> Port_;
    std::unique_ptr<TCommPackage> Package_;
    std::unique_ptr<TKxCommFrameSettings> FrameSettings_;
    bool UsePackage_ = false;
    std::atomic<bool> SyncEvents_{true};
    std::atomic<bool> Destroying_{false};
};

// The component as an application places it; all of its properties are
// those of TKxCustomCommDevice.
class TKxCommDevice : public TKxCustomCommDevice {
  public:
    using TKxCustomCommDevice::TKxCustomCommDevice;
    ~TKxCommDevice() override { Shutdown(); }
};

}  // namespace vantrel
