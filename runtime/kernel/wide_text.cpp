#include "runtime/kernel/wide_text.h"

#include <windows.h>

#include <algorithm>

namespace veltrano {

namespace {
constexpr UINT kCodePage = 936;
}

std::wstring wideFromCodePage936(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::size_t codePage936Length(std::wstring_view text) {
    if (text.empty()) return 0;
    const int length =
        WideCharToMultiByte(kCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    return static_cast<std::size_t>(std::max(length, 0));
}

std::string codePage936FromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int length =
        WideCharToMultiByte(kCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kCodePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

}  // namespace veltrano
