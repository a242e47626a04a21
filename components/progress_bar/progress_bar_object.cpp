#include "components/progress_bar/progress_bar_object.h"

#include <commctrl.h>

#include <algorithm>

#include "components/support/control_appearance.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr std::int32_t kLimit = 32767;

std::int32_t intOf(const RawValue& value) noexcept {
    return static_cast<std::int32_t>(value.word1);
}

int storeIfDifferent(std::int32_t& stored, std::int32_t value) noexcept {
    if (stored == value) return 0;
    stored = value;
    return 1;
}

}  // namespace

ProgressBarObject::ProgressBarObject(const classdata::ProgressBarData& data)
    : ComponentObject(class_id::kProgressBar), data_(data) {}

void ProgressBarObject::applyCreationState() {
    applyRange();
    controls::applyBorderStyle(handle(), data_.BorderStyle);
}

void ProgressBarObject::applyRange() {
    const std::int32_t lower = std::min(data_.Minimum, data_.Maximum);
    const std::int32_t upper = std::max(data_.Minimum, data_.Maximum);
    SendMessageW(handle(), PBM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
    // The stored position keeps what was written; the bar shows it within range.
    SendMessageW(handle(), PBM_SETPOS, static_cast<WPARAM>(std::clamp(data_.Position, lower, upper)), 0);
}

int ProgressBarObject::writeProperty(int index, const RawValue& value) {
    namespace p = progress_bar_property;
    switch (index) {
        case p::kBorderStyle:
            data_.BorderStyle = std::clamp(intOf(value), 0, 5);
            controls::applyBorderStyle(handle(), data_.BorderStyle);
            return 0;
        case p::kOrientation: return storeIfDifferent(data_.Orientation, std::clamp(intOf(value), 0, 1));
        case p::kBarStyle: return storeIfDifferent(data_.BarStyle, std::clamp(intOf(value), 0, 1));
        case p::kMinimum:
            data_.Minimum = std::clamp(intOf(value), 0, kLimit);
            applyRange();
            return 0;
        case p::kMaximum:
            data_.Maximum = std::clamp(intOf(value), 0, kLimit);
            applyRange();
            return 0;
        case p::kPosition:
            data_.Position = std::clamp(intOf(value), 0, kLimit);
            applyRange();
            return 0;
        default: return 0;
    }
}

void ProgressBarObject::readProperty(int index, RawValue& value) const {
    namespace p = progress_bar_property;
    value = RawValue{};
    std::int32_t answer = 0;
    switch (index) {
        case p::kBorderStyle: answer = data_.BorderStyle; break;
        case p::kOrientation: answer = data_.Orientation; break;
        case p::kBarStyle: answer = data_.BarStyle; break;
        case p::kMinimum: answer = data_.Minimum; break;
        case p::kMaximum: answer = data_.Maximum; break;
        case p::kPosition: answer = data_.Position; break;
        default: return;
    }
    value.word1 = static_cast<std::uint32_t>(answer);
}

std::vector<std::uint8_t> ProgressBarObject::saveState() const {
    return classdata::encode(data_);
}

int ProgressBarObject::shownPosition() const {
    return static_cast<int>(SendMessageW(handle(), PBM_GETPOS, 0, 0));
}

}  // namespace veltrano
