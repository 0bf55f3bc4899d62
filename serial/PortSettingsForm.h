#pragma once
// TForm_KxCommDevice_Settings: the logic of the port settings dialog of one
// device component, free of any toolkit. It fills the dialog's fields from
// the component, moves the focus through the fields, checks the entries in
// a fixed order (the first bad one is named with its message), applies them
// all and, when applying fails, puts every setting back as it was found,
// including whether the port was open. A window renders the fields, keeps
// them in step with what the user types, and shows the outcome.

#include <array>
#include <string>
#include <vector>

#include "serial/EComm32Error.h"
#include "serial/KxCommDevice.h"

namespace vantrel {

// The dialog's fields in focus order; None for any other control.
enum class TSettingsField {
    CbPort,
    CbSelBaud,
    CbParity,
    CbByteSize,
    CbStopBits,
    CbFlow,
    EditAutoAns,
    EditInBufSize,
    EditOutBufSize,
    None,
};

// What the user sees and edits: texts and list indices (-1: no selection).
struct TSettingsFieldValues {
    int PortIndex = -1;  // into PortItems
    std::string BaudText;
    int ParityIndex = -1;
    int ByteSizeIndex = -1;
    int StopBitsIndex = -1;
    int FlowIndex = -1;
    std::string AutoAnswerText;
    std::string InBufSizeText;
    std::string OutBufSizeText;
};

// The component's settings as the dialog found them.
struct TRememberedSettings {
    bool Active = false;
    std::string PortName;
    unsigned long Baud = 0;
    TParity Parity = ptNoParity;
    int ByteSize = 8;
    TStopBits StopBits = sbOneStopBit;
    TFlowControl FlowControl = fcNone;
    int AutoAnswer = 0;
    long InBufSize = 0;
    long OutBufSize = 0;
};

class TForm_KxCommDevice_Settings {
  public:
    // Indices into the message table.
    enum TMsgIndex : int {
        msOK = 0,
        msCancel = 1,
        msCaption = 2,
        msPortLabel = 3,
        msBaudLabel = 4,
        msParityLabel = 5,
        msByteSizeLabel = 6,
        msStopBitsLabel = 7,
        msFlowLabel = 8,
        msFirstParity = 9,  // 9 to 12, then msSpaceParity
        msFirstFlow = 13,   // 13 to 16
        msNoPort = 17,
        msNoBaud = 18,
        msBadBaud = 19,
        msNoByteSize = 20,
        msNoParity = 21,
        msNoStopBits = 22,
        msNoFlow = 23,
        msAbout = 24,
        msDefault = 25,
        msPortGroup = 26,
        msModemGroup = 27,
        msBufferGroup = 28,
        msAutoAnswerLabel = 29,
        msInBufLabel = 30,
        msOutBufLabel = 31,
        msBadAutoAnswer = 32,
        msBadInBuf = 33,
        msBadOutBuf = 34,
        msSpaceParity = 35,
    };
    static constexpr int MsgCount = 36;

    // The 36 texts in the language of a TComm32Language.
    class TMsgStrings {
      public:
        explicit TMsgStrings(const TComm32Language& Language);
        // "" for an index outside 0 to 35.
        std::string fGetMsg(int Index) const;

      private:
        const std::array<const char*, MsgCount>* Table_;
    };

    // Where the buttons sit; About and Default only show in design mode.
    struct TButtonPlaces {
        bool ShowAboutAndDefault;
        int OkLeft;
        int CancelLeft;
    };
    static constexpr int ClientWidth = 393;
    static constexpr int ClientHeight = 228;
    static constexpr int ButtonWidth = 75;
    static TButtonPlaces ButtonPlaces(bool DesignMode);

    // Reads the component's settings and fills the fields. PortItems is the
    // list the port box offers (the system's port list when the caller has
    // no other).
    TForm_KxCommDevice_Settings(TKxCustomCommDevice& Device, bool Flag,
                                std::vector<std::string> PortItems,
                                const TComm32Language& Language = TComm32Language());

    // The same with the system's port list.
    TForm_KxCommDevice_Settings(TKxCustomCommDevice& Device, bool Flag);

    std::string fGetMsg(int Index) const { return Msgs_.fGetMsg(Index); }
    // The items of the list boxes.
    const std::vector<std::string>& PortItems() const { return PortItems_; }
    std::vector<std::string> ParityItems() const;
    std::vector<std::string> FlowItems() const;
    static std::vector<std::string> BaudItems();
    static std::vector<std::string> ByteSizeItems();
    static std::vector<std::string> StopBitsItems();

    const TRememberedSettings& Remembered() const { return Saved_; }

    // The fields as the user left them, and the focused control; the window
    // writes both before a click and reads them after it.
    TSettingsFieldValues Fields;
    TSettingsField Focus = TSettingsField::None;

    // Moves the focus to the next field and returns true when a field has
    // it; false from the last field or any other control.
    bool MoveCtrlFocus();

    enum class TOkResult {
        FocusMoved,   // Enter in a field: only the focus moved
        Invalid,      // an entry is bad: Focus names it, Message says why
        ApplyFailed,  // applying raised: everything was put back; Message
        Accepted,     // applied: the dialog closes with OK
    };
    struct TOkOutcome {
        TOkResult Result;
        std::string Message;  // shown with the caption text for Invalid, ApplyFailed
    };
    TOkOutcome BnOKClick();

    // The usual settings: 115200 baud, no parity, 8 data bits, one stop
    // bit, no flow control, no auto answer, 8192-byte queues. The port
    // choice is kept.
    void BnDefaultClick();

  private:
    // The entries as settings to apply, or the first bad field's message.
    bool Check(TRememberedSettings& Wanted, TOkOutcome& Failure);
    // Runs the setters in order; Restore goes on past a step that raises.
    void Apply(const TRememberedSettings& Settings);
    void Restore();
    static TRememberedSettings Read(const TKxCustomCommDevice& Device);
    void Show(const TRememberedSettings& Settings);

    TKxCustomCommDevice& Device_;
    bool Flag_;
    TMsgStrings Msgs_;
    std::vector<std::string> PortItems_;
    TRememberedSettings Saved_;
};

}  // namespace vantrel
