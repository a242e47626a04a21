#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace veltrano::grid {

// Replaces what the clipboard holds with the text, as Unicode text; false
// when the clipboard or the memory for the text could not be had.
bool writeClipboardText(HWND owner, std::wstring_view text);

// The clipboard's Unicode text up to its first NUL, empty when it holds
// none; nothing when another window has the clipboard open.
std::optional<std::wstring> readClipboardText(HWND owner);

}  // namespace veltrano::grid
