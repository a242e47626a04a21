#include "grid/control/clipboard_io.h"

#include <algorithm>

#include "runtime/kernel/unique_handle.h"

namespace veltrano::grid {

bool writeClipboardText(HWND owner, std::wstring_view text) {
    win::OpenClipboardGuard clipboard(owner);
    if (!clipboard) return false;
    EmptyClipboard();
    win::UniqueGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    if (!block) return false;
    {
        win::GlobalLockGuard lock(block.get());
        if (lock.data() == nullptr) return false;
        auto* target = static_cast<wchar_t*>(lock.data());
        std::copy_n(text.data(), text.size(), target);
        target[text.size()] = L'\0';
    }
    // Once the clipboard has taken the memory it is the clipboard's to free.
    if (SetClipboardData(CF_UNICODETEXT, block.get()) == nullptr) return false;
    block.release();
    return true;
}

std::optional<std::wstring> readClipboardText(HWND owner) {
    win::OpenClipboardGuard clipboard(owner);
    if (!clipboard) return std::nullopt;
    std::wstring text;
    // The clipboard keeps the memory; it is only locked for the copy.
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        win::GlobalLockGuard lock(block);
        if (const auto* source = static_cast<const wchar_t*>(lock.data())) {
            const std::size_t limit = GlobalSize(block) / sizeof(wchar_t);
            text.assign(source, std::find(source, source + limit, L'\0'));
        }
    }
    return text;
}

}  // namespace veltrano::grid
