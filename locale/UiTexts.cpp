#include "locale/UiTexts.h"

namespace vantrel {

namespace {
const std::string kEmpty;
}

UiTexts::UiTexts() : caption_(kBuiltInCaption) {
    for (const auto& slot : UiSlots())
        slots_.emplace_back(slot.builtInText);
}

void UiTexts::SetCaption(std::string text) {
    caption_ = std::move(text);
    ++revision_;
}

const std::string& UiTexts::SlotText(std::size_t index) const {
    return index < slots_.size() ? slots_[index] : kEmpty;
}

void UiTexts::SetSlotText(std::size_t index, std::string text) {
    if (index >= slots_.size()) return;
    slots_[index] = std::move(text);
    ++revision_;
}

const std::string& UiTexts::Text(std::string_view component, SlotKind kind) const {
    int index = SlotIndex(component, kind);
    return index < 0 ? kEmpty : SlotText(static_cast<std::size_t>(index));
}

void UiTexts::SetText(std::string_view component, SlotKind kind, std::string text) {
    int index = SlotIndex(component, kind);
    if (index >= 0) SetSlotText(static_cast<std::size_t>(index), std::move(text));
}

}  // namespace vantrel
