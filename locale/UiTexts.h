#pragma once
// The main window's texts as data: its caption and one text per slot of the
// component list (UiSlots()). The core reads and writes them, the window
// renders them. The column titles live with the other shared values
// (AppValues::ColumnTitles).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "locale/UiComponents.h"

namespace vantrel {

class UiTexts {
  public:
    // The design-time texts: the built-in caption and every slot's built-in text.
    UiTexts();

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string text);

    // A slot by its position in UiSlots(); out-of-range reads give empty text
    // and out-of-range writes are ignored.
    const std::string& SlotText(std::size_t index) const;
    void SetSlotText(std::size_t index, std::string text);

    // A slot by component name and kind, as the window binds them.
    const std::string& Text(std::string_view component, SlotKind kind) const;
    void SetText(std::string_view component, SlotKind kind, std::string text);

    std::size_t SlotCount() const { return slots_.size(); }

    // Changes on every modification, so the window can tell when to refresh.
    std::uint64_t Revision() const { return revision_; }

  private:
    std::string caption_;
    std::vector<std::string> slots_;
    std::uint64_t revision_ = 0;
};

}  // namespace vantrel
