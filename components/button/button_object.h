#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "components/classdata/button_data.h"
#include "components/support/component_object.h"
#include "components/support/picture.h"
#include "runtime/dispatch/property_kind.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// The button's own properties, numbered from the first class property (8).
enum class ButtonProperty : int { ButtonPicture = 0, ButtonType, Caption, Alignment, VerticalAlignment, Font, Count };

namespace button_event {
inline constexpr std::int32_t kClick = 0;
inline constexpr std::int32_t kFocusGained = common_event::kFocusGained;
inline constexpr std::int32_t kFocusLost = common_event::kFocusLost;
}  // namespace button_event

// A system push button with an optional bitmap or icon picture.
class ButtonObject final : public ComponentObject {
public:
    // Nothing when the class data does not read or the window cannot be made.
    static ButtonObject* create(std::span<const std::uint8_t> classData, std::uint32_t style, HWND parent,
                                std::uint32_t controlId, RECT bounds, std::uint32_t windowId,
                                std::uint32_t componentId);

    // 1 when the button must be created anew from its saved state.
    int writeProperty(int index, const RawValue& value);
    bool readProperty(int index, RawValue& value) const;
    std::vector<std::uint8_t> save() const { return classdata::encode(data_); }
    // The live style, not the stored property: the window may have made
    // another button the default one.
    bool isDefaultButton() const noexcept override;

    bool onCommandNotification(int code) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ButtonObject(classdata::ButtonData data, std::optional<drawing::Picture> picture);

    void replaceStyleBits(LONG_PTR mask, LONG_PTR bits);

    classdata::ButtonData data_;
    std::optional<drawing::Picture> picture_;
    win::UniqueFont font_;
};

}  // namespace veltrano
