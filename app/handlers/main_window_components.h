#pragma once

#include <cstdint>

#include "app/configurator/user_interface.h"

namespace veltrano::app {

// Where a control of the main window lives for the runtime.
struct ComponentAddress {
    std::uint32_t windowId;
    // 0 for the window itself.
    std::uint32_t componentId;
    std::uint32_t classId;
    // The property holding its caption or text; -1 when it has none.
    std::int32_t textProperty;
};

ComponentAddress addressOf(configurator::Control control);
ComponentAddress gridAddress();
ComponentAddress fileDialogAddress();

// Property numbers of the classes, counted as the runtime counts them.
namespace property {
inline constexpr std::int32_t kDisabled = 6;
inline constexpr std::int32_t kWindowCaption = 8;
inline constexpr std::int32_t kButtonCaption = 10;
inline constexpr std::int32_t kEditText = 8;
inline constexpr std::int32_t kEditSelStart = 24;
inline constexpr std::int32_t kComboCurrentSelection = 19;
inline constexpr std::int32_t kProgressPosition = 13;
inline constexpr std::int32_t kTimerInterval = 8;
inline constexpr std::int32_t kDialogType = 8;
inline constexpr std::int32_t kDialogFileName = 10;
inline constexpr std::int32_t kDialogDefaultExt = 14;
inline constexpr std::int32_t kGridRowCount = 17;
}  // namespace property

}  // namespace veltrano::app
