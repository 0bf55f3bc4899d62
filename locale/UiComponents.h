#pragma once
// The main window's components that carry replaceable texts, in the order the
// window creates them, and the text slots their classes give them. Language
// files hold one line per slot in exactly this order (after the caption and
// the ten column titles), so this list is the single source the files are
// read, applied and written from. The window binds each slot to its widget by
// the component's object name.

#include <span>
#include <string_view>
#include <vector>

namespace vantrel {

// What a slot sets on its component: the visible caption, the tooltip hint or
// a combo box's edit text.
enum class SlotKind { Caption, Hint, Text };

struct UiComponent {
    std::string_view name;       // the object name, e.g. "btnOpenPlan"
    std::string_view className;  // e.g. "TBitBtn"
    // The built-in texts, one per slot of the class (a TBitBtn has two).
    std::string_view firstText;
    std::string_view secondText = {};
};

struct UiSlot {
    std::string_view component;
    std::string_view className;
    SlotKind kind;
    std::string_view builtInText;
};

// Language file line numbers: 0 the caption, 1 to 10 the column titles, then
// one line per slot.
inline constexpr int kFirstSlotLine = 11;
inline constexpr int kLanguageLineCount = 98;

// The design-time caption of the window, before any language is applied.
inline constexpr std::string_view kBuiltInCaption = "Vantrel Application Ver";

// The slot kinds a component class takes, in file order. Classes other than
// TLabel, TTabSheet, TGroupBox, TBitBtn, TRadioButton, TComboBox, TMenuItem
// and TSpeedButton (matched exactly) take none.
std::vector<SlotKind> SlotKindsOf(std::string_view className);

// The window's components with texts, in creation order.
std::span<const UiComponent> UiComponents();

// Every slot of UiComponents() in file order: UiSlots()[i] is file line
// kFirstSlotLine + i.
std::span<const UiSlot> UiSlots();

// The index of a component's slot in UiSlots(), or -1 when there is none.
int SlotIndex(std::string_view component, SlotKind kind);

}  // namespace vantrel
