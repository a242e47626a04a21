#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "components/classdata/progress_bar_data.h"
#include "components/support/component_object.h"
#include "runtime/dispatch/property_kind.h"

namespace veltrano {

// Indices of the progress bar's own properties (the property number minus 8).
namespace progress_bar_property {
inline constexpr int kBorderStyle = 0;
inline constexpr int kOrientation = 1;
inline constexpr int kBarStyle = 2;
inline constexpr int kMinimum = 3;
inline constexpr int kMaximum = 4;
inline constexpr int kPosition = 5;
inline constexpr int kCount = 6;
}  // namespace progress_bar_property

// The object behind one progress bar. It fires no events of its own.
class ProgressBarObject : public ComponentObject {
public:
    explicit ProgressBarObject(const classdata::ProgressBarData& data);

    int writeProperty(int index, const RawValue& value);
    void readProperty(int index, RawValue& value) const;
    std::vector<std::uint8_t> saveState() const;

    // Range, position and border once the system window is attached.
    void applyCreationState();

    // The position the bar shows (the stored one clamped into the range).
    int shownPosition() const;

private:
    void applyRange();

    classdata::ProgressBarData data_;
};

}  // namespace veltrano
