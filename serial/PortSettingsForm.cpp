#include "serial/PortSettingsForm.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>

#include "base/NumberText.h"
#include "serial/TCommSerialPortInfo.h"

namespace vantrel {

namespace {

using Form = TForm_KxCommDevice_Settings;

// The flow box's entries: none, RTS/CTS, Xon/Xoff, both.
constexpr std::array<TFlowControl, 4> kFlowOfIndex = {fcNone, fcRtsCts, fcXonXoff, fcRtsCtsXonXoff};
constexpr int kParityCount = 5;
constexpr int kByteSizeCount = 4;
constexpr int kStopBitsCount = 3;
constexpr int kFirstByteSize = 5;
constexpr long kSmallestQueue = 4096;
constexpr long kDefaultQueue = 8192;
constexpr int kDefaultBaudIndex = 12;  // 115200

int FlowIndexOf(TFlowControl Flow) {
    switch (Flow) {
        case fcRtsCts:
            return 1;
        case fcXonXoff:
        case fcTranXonXoff:
            return 2;
        case fcRtsCtsXonXoff:
            return 3;
        default:
            return 0;
    }
}

// Index when it lies in 0 .. Count - 1, else no selection.
int IndexWithin(int Index, int Count) {
    return Index >= 0 && Index < Count ? Index : -1;
}

// The leading decimal number of the trimmed text; 0 when it starts with no
// digit, and more than any line takes when it does not fit 32 bits.
unsigned long LeadingNumber(std::string_view Text) {
    constexpr unsigned long tooLarge = std::uint64_t{std::numeric_limits<std::uint32_t>::max()} + 1;
    unsigned long value = 0;
    for (char c : Text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) break;
        value = std::min(value * 10 + static_cast<unsigned long>(c - '0'), tooLarge);
    }
    return value;
}

// The trimmed text as an integer of at least Lowest (and at most Highest).
std::optional<std::int64_t> IntegerIn(std::string_view Text, std::int64_t Lowest,
                                      std::int64_t Highest) {
    const auto value = ParseInt(TrimBlanks(Text));
    if (!value || *value < Lowest || *value > Highest) return std::nullopt;
    return value;
}

std::string DecimalText(long long Value) {
    return std::to_string(Value);
}

}  // namespace

Form::TButtonPlaces Form::ButtonPlaces(bool DesignMode) {
    if (DesignMode) return {true, 232, 312};
    const int middle = (ClientWidth - ButtonWidth) / 2;
    return {false, middle - 60, middle + 60};
}

Form::TForm_KxCommDevice_Settings(TKxCustomCommDevice& Device, bool Flag,
                                  std::vector<std::string> PortItems,
                                  const TComm32Language& Language)
    : Device_(Device),
      Flag_(Flag),
      Msgs_(Language),
      PortItems_(std::move(PortItems)),
      Saved_(Read(Device)) {
    Show(Saved_);
}

Form::TForm_KxCommDevice_Settings(TKxCustomCommDevice& Device, bool Flag)
    : TForm_KxCommDevice_Settings(Device, Flag, TCommSerialPortInfo().PortList()) {}

std::vector<std::string> Form::ParityItems() const {
    return {fGetMsg(msFirstParity), fGetMsg(msFirstParity + 1), fGetMsg(msFirstParity + 2),
            fGetMsg(msFirstParity + 3), fGetMsg(msSpaceParity)};
}

std::vector<std::string> Form::FlowItems() const {
    std::vector<std::string> items;
    for (int i = 0; i < static_cast<int>(kFlowOfIndex.size()); ++i)
        items.push_back(fGetMsg(msFirstFlow + i));
    return items;
}

std::vector<std::string> Form::BaudItems() {
    std::vector<std::string> items;
    for (int rate = br110; rate <= br256000; ++rate)
        items.push_back(DecimalText(BaudRateValue(static_cast<TBaudRate>(rate))));
    return items;
}

std::vector<std::string> Form::ByteSizeItems() {
    return {"5", "6", "7", "8"};
}

std::vector<std::string> Form::StopBitsItems() {
    return {"1", "1.5", "2"};
}

TRememberedSettings Form::Read(const TKxCustomCommDevice& Device) {
    return {Device.fGetActive(),    Device.fGetPortName(), Device.fGetBaudRate(),
            Device.fGetParity(),    Device.fGetByteSize(), Device.fGetStopBits(),
            Device.fGetFlCtrl(),    Device.fGetAutAns(),   Device.fGetInBufSize(),
            Device.fGetOutBufSize()};
}

void Form::Show(const TRememberedSettings& Settings) {
    const auto port = std::find(PortItems_.begin(), PortItems_.end(), Settings.PortName);
    Fields.PortIndex = port == PortItems_.end() ? -1 : static_cast<int>(port - PortItems_.begin());
    Fields.BaudText = DecimalText(static_cast<long long>(Settings.Baud));
    Fields.ByteSizeIndex = IndexWithin(Settings.ByteSize - kFirstByteSize, kByteSizeCount);
    Fields.ParityIndex = IndexWithin(Settings.Parity, kParityCount);
    Fields.StopBitsIndex = IndexWithin(Settings.StopBits, kStopBitsCount);
    Fields.FlowIndex = FlowIndexOf(Settings.FlowControl);
    Fields.AutoAnswerText = DecimalText(Settings.AutoAnswer);
    Fields.InBufSizeText = DecimalText(Settings.InBufSize);
    Fields.OutBufSizeText = DecimalText(Settings.OutBufSize);
}

bool Form::MoveCtrlFocus() {
    if (Focus >= TSettingsField::EditOutBufSize) return false;
    Focus = static_cast<TSettingsField>(static_cast<int>(Focus) + 1);
    return true;
}

// The checks run in the order of the fields, except that the byte size comes
// before the parity, as the dialog has always checked them.
bool Form::Check(TRememberedSettings& Wanted, TOkOutcome& Failure) {
    const auto fail = [&](TSettingsField Field, int Msg) {
        Focus = Field;
        Failure = {TOkResult::Invalid, fGetMsg(Msg)};
        return false;
    };
    if (Fields.PortIndex < 0 || Fields.PortIndex >= static_cast<int>(PortItems_.size()))
        return fail(TSettingsField::CbPort, msNoPort);
    const auto baudText = TrimBlanks(Fields.BaudText);
    if (baudText.empty()) return fail(TSettingsField::CbSelBaud, msNoBaud);
    // A rate of 0 (text without a leading number) or beyond 32 bits cannot
    // be a line's rate: refused here rather than stored for a later open.
    const unsigned long baud = LeadingNumber(baudText);
    if (baud == 0 || baud > std::numeric_limits<std::uint32_t>::max())
        return fail(TSettingsField::CbSelBaud, msBadBaud);
    if (IndexWithin(Fields.ByteSizeIndex, kByteSizeCount) < 0)
        return fail(TSettingsField::CbByteSize, msNoByteSize);
    if (IndexWithin(Fields.ParityIndex, kParityCount) < 0)
        return fail(TSettingsField::CbParity, msNoParity);
    if (IndexWithin(Fields.StopBitsIndex, kStopBitsCount) < 0)
        return fail(TSettingsField::CbStopBits, msNoStopBits);
    if (IndexWithin(Fields.FlowIndex, static_cast<int>(kFlowOfIndex.size())) < 0)
        return fail(TSettingsField::CbFlow, msNoFlow);
    const auto autoAnswer = IntegerIn(Fields.AutoAnswerText, 0, 255);
    if (!autoAnswer) return fail(TSettingsField::EditAutoAns, msBadAutoAnswer);
    constexpr auto most = std::numeric_limits<long>::max();
    const auto inSize = IntegerIn(Fields.InBufSizeText, kSmallestQueue, most);
    if (!inSize) return fail(TSettingsField::EditInBufSize, msBadInBuf);
    const auto outSize = IntegerIn(Fields.OutBufSizeText, kSmallestQueue, most);
    if (!outSize) return fail(TSettingsField::EditOutBufSize, msBadOutBuf);

    Wanted = {Saved_.Active || Flag_,
              PortItems_[static_cast<std::size_t>(Fields.PortIndex)],
              baud,
              static_cast<TParity>(Fields.ParityIndex),
              Fields.ByteSizeIndex + kFirstByteSize,
              static_cast<TStopBits>(Fields.StopBitsIndex),
              kFlowOfIndex[static_cast<std::size_t>(Fields.FlowIndex)],
              static_cast<int>(*autoAnswer),
              static_cast<long>(*inSize),
              static_cast<long>(*outSize)};
    return true;
}

namespace {

// The setters in the order they are applied; Active comes last, so that the
// port opens with everything else in place.
std::vector<std::function<void()>> SetterSteps(TKxCustomCommDevice& Device,
                                               const TRememberedSettings& S) {
    return {
        [&] { Device.fSetPortName(S.PortName); },     [&] { Device.fSetBaudRate(S.Baud); },
        [&] { Device.fSetParity(S.Parity); },         [&] { Device.fSetByteSize(S.ByteSize); },
        [&] { Device.fSetStopBits(S.StopBits); },     [&] { Device.fSetFlCtrl(S.FlowControl); },
        [&] { Device.fSetAutAns(S.AutoAnswer); },     [&] { Device.fSetInBufSize(S.InBufSize); },
        [&] { Device.fSetOutBufSize(S.OutBufSize); }, [&] { Device.fSetActive(S.Active); },
    };
}

}  // namespace

void Form::Apply(const TRememberedSettings& Settings) {
    for (const auto& step : SetterSteps(Device_, Settings))
        step();
}

void Form::Restore() {
    for (const auto& step : SetterSteps(Device_, Saved_)) {
        try {
            step();
        } catch (const std::exception&) {
            // Put back as much as can be put back.
        }
    }
}

Form::TOkOutcome Form::BnOKClick() {
    if (MoveCtrlFocus()) return {TOkResult::FocusMoved, {}};
    TRememberedSettings wanted;
    TOkOutcome failure;
    if (!Check(wanted, failure)) return failure;
    try {
        Apply(wanted);
    } catch (const std::exception& error) {
        Restore();
        Focus = TSettingsField::CbPort;
        return {TOkResult::ApplyFailed, error.what()};
    }
    return {TOkResult::Accepted, {}};
}

void Form::BnDefaultClick() {
    Fields.BaudText = BaudItems()[kDefaultBaudIndex];
    Fields.ParityIndex = 0;
    Fields.ByteSizeIndex = kByteSizeCount - 1;
    Fields.StopBitsIndex = 0;
    Fields.FlowIndex = 0;
    Fields.AutoAnswerText = DecimalText(0);
    Fields.InBufSizeText = DecimalText(kDefaultQueue);
    Fields.OutBufSizeText = DecimalText(kDefaultQueue);
}

}  // namespace vantrel
