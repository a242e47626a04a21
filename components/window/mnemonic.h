#pragma once

#include <string_view>

namespace veltrano {

// The key a caption marks with '&' for Alt+key ("&&" shows a plain
// ampersand and marks nothing): an upper-case ASCII letter or a digit, or 0
// when the caption marks none of those.
wchar_t mnemonicKey(std::wstring_view caption) noexcept;

}  // namespace veltrano
