#include <windows.h>

#include "tools/veltrano_table/gbk_text.h"

namespace veltrano::tools {
namespace {

constexpr UINT kTableCodePage = 936;

std::optional<std::wstring> toWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

std::optional<std::string> fromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    // UTF-8 takes no substitution flags; the code page must report a
    // character it cannot write.
    BOOL substituted = FALSE;
    BOOL* substitutedFlag = codePage == CP_UTF8 ? nullptr : &substituted;
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, substitutedFlag);
    if (length <= 0 || substituted) {
        return std::nullopt;
    }
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), size, narrow.data(), length, nullptr, substitutedFlag);
    return narrow;
}

}  // namespace

std::optional<std::string> gbkToUtf8(std::string_view gbk) {
    const std::optional<std::wstring> wide = toWide(kTableCodePage, gbk);
    return wide ? fromWide(CP_UTF8, *wide) : std::nullopt;
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
    const std::optional<std::wstring> wide = toWide(CP_UTF8, utf8);
    return wide ? fromWide(kTableCodePage, *wide) : std::nullopt;
}

}  // namespace veltrano::tools
