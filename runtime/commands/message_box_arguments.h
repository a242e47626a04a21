#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/commands/value.h"

// The message box command's argument rules, apart from the owner window and
// the box itself, which belong to the window system.
namespace veltrano::commands::message_box {

// Numbers, texts, bools and date-times shown as ToText gives them; any other
// value shows the empty text.
std::string shownText(const Value& value);

// The given caption, else "信息：".
std::string caption(std::optional<std::string_view> given);

inline constexpr std::uint32_t kSystemModal = 0x1000;
inline constexpr std::uint32_t kTaskModal = 0x2000;

// The given style (0 when left out) with task-modal set unless system-modal is.
std::uint32_t style(std::optional<std::int32_t> given) noexcept;

// The system's button ids.
enum class ButtonId : std::int32_t { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// The command's answer for the button the system reports: OK 0, Cancel 1,
// Abort 2, Retry 3, Ignore 4, Yes 5, No 6. Any other id, such as the 0 of a
// box that could not be shown, gives -1.
std::int32_t answer(std::int32_t buttonId) noexcept;

}  // namespace veltrano::commands::message_box
