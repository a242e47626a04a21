#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runtime/kernel/unique_handle.h"

namespace veltrano::controls {

// The border table shared by the edit box and the progress bar: 0 none,
// 1 client edge, 2 modal frame, 3 static edge, 4 client edge and modal frame,
// 5 plain border. Applied at once without moving or activating the window.
void applyBorderStyle(HWND window, std::int32_t style);

// A font from a 60-byte logical-font record; null for any other length, in
// which case the default GUI font applies.
win::UniqueFont fontFromBytes(std::span<const std::uint8_t> bytes);
HFONT fontOrDefault(const win::UniqueFont& font) noexcept;

// 0xFF000000 stands for the system default colour given here.
COLORREF resolveColour(std::uint32_t colour, int systemColourIndex) noexcept;

// A brush of the resolved background colour.
win::UniqueBrush solidBrush(std::uint32_t colour, int systemColourIndex);

// Registers the common control classes the components use; idempotent.
void ensureCommonControls();

// The control id a child window is created with (the menu argument when
// the loader gives one).
HMENU childIdentifier(std::uint32_t controlId, HMENU menu) noexcept;

// Window texts as code page 936 bytes.
std::wstring windowWideText(HWND window);
std::string windowText(HWND window);

// Offsets in code page 936 bytes and in the control's UTF-16 units. A byte
// offset inside a double-byte character counts as the character's start;
// offsets past the end are the end.
int wideOffsetFromBytes(std::wstring_view text, std::int64_t byteOffset);
std::int32_t byteOffsetFromWide(std::wstring_view text, int wideOffset);

// Height in pixels of a sample text drawn with the font.
int textHeight(HWND window, HFONT font, const wchar_t* sample);

}  // namespace veltrano::controls
