#include "components/window/mnemonic.h"

namespace veltrano {

wchar_t mnemonicKey(std::wstring_view caption) noexcept {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        const wchar_t marked = caption[i + 1];
        if (marked == L'&') {
            ++i;
            continue;
        }
        if (marked >= L'a' && marked <= L'z') return static_cast<wchar_t>(marked - L'a' + L'A');
        if ((marked >= L'A' && marked <= L'Z') || (marked >= L'0' && marked <= L'9')) return marked;
        return 0;
    }
    return 0;
}

}  // namespace veltrano
