#include "components/support/control_appearance.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "runtime/kernel/wide_text.h"

namespace veltrano::controls {

void applyBorderStyle(HWND window, std::int32_t style) {
    constexpr LONG_PTR kEdges = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
    LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE) & ~kEdges;
    LONG_PTR plainStyle = GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    switch (style) {
        case 1: exStyle |= WS_EX_CLIENTEDGE; break;
        case 2: exStyle |= WS_EX_DLGMODALFRAME; break;
        case 3: exStyle |= WS_EX_STATICEDGE; break;
        case 4: exStyle |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
        case 5: plainStyle |= WS_BORDER; break;
        default: break;
    }
    SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle);
    SetWindowLongPtrW(window, GWL_STYLE, plainStyle);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

win::UniqueFont fontFromBytes(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kRecordSize = 60;
    constexpr std::size_t kFaceOffset = 28;
    constexpr std::size_t kFaceSize = 32;
    if (bytes.size() != kRecordSize) return {};
    LOGFONTA narrow{};
    static_assert(sizeof(LOGFONTA) == kRecordSize);
    std::memcpy(&narrow, bytes.data(), kRecordSize);
    LOGFONTW wide{};
    wide.lfHeight = narrow.lfHeight;
    wide.lfWidth = narrow.lfWidth;
    wide.lfEscapement = narrow.lfEscapement;
    wide.lfOrientation = narrow.lfOrientation;
    wide.lfWeight = narrow.lfWeight;
    wide.lfItalic = narrow.lfItalic;
    wide.lfUnderline = narrow.lfUnderline;
    wide.lfStrikeOut = narrow.lfStrikeOut;
    wide.lfCharSet = narrow.lfCharSet;
    wide.lfOutPrecision = narrow.lfOutPrecision;
    wide.lfClipPrecision = narrow.lfClipPrecision;
    wide.lfQuality = narrow.lfQuality;
    wide.lfPitchAndFamily = narrow.lfPitchAndFamily;
    // The face name is code page 936 whatever the system's locale.
    const char* face = reinterpret_cast<const char*>(bytes.data() + kFaceOffset);
    const std::size_t faceLength = strnlen(face, kFaceSize);
    const std::wstring wideFace = wideFromCodePage936(std::string_view(face, faceLength));
    const std::size_t copied = std::min<std::size_t>(wideFace.size(), LF_FACESIZE - 1);
    std::copy_n(wideFace.data(), copied, wide.lfFaceName);
    return win::UniqueFont(CreateFontIndirectW(&wide));
}

HFONT fontOrDefault(const win::UniqueFont& font) noexcept {
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

COLORREF resolveColour(std::uint32_t colour, int systemColourIndex) noexcept {
    if (colour == 0xFF000000) return GetSysColor(systemColourIndex);
    return static_cast<COLORREF>(colour & 0x00FFFFFF);
}

win::UniqueBrush solidBrush(std::uint32_t colour, int systemColourIndex) {
    return win::UniqueBrush(CreateSolidBrush(resolveColour(colour, systemColourIndex)));
}

void ensureCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
}

HMENU childIdentifier(std::uint32_t controlId, HMENU menu) noexcept {
    if (menu != nullptr) return menu;
    return reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(controlId));
}

std::wstring windowWideText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

std::string windowText(HWND window) {
    return codePage936FromWide(windowWideText(window));
}

int wideOffsetFromBytes(std::wstring_view text, std::int64_t byteOffset) {
    if (byteOffset <= 0) return 0;
    const std::string bytes = codePage936FromWide(text);
    if (byteOffset >= static_cast<std::int64_t>(bytes.size())) return static_cast<int>(text.size());
    // Step over whole characters so the count never splits a double byte.
    std::size_t position = 0;
    const auto limit = static_cast<std::size_t>(byteOffset);
    while (position < limit) {
        const std::size_t step = static_cast<unsigned char>(bytes[position]) >= 0x81 ? 2 : 1;
        if (position + step > limit) break;
        position += step;
    }
    return static_cast<int>(wideFromCodePage936(std::string_view(bytes.data(), position)).size());
}

std::int32_t byteOffsetFromWide(std::wstring_view text, int wideOffset) {
    if (wideOffset <= 0) return 0;
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(wideOffset), text.size());
    return static_cast<std::int32_t>(codePage936FromWide(text.substr(0, count)).size());
}

int textHeight(HWND window, HFONT font, const wchar_t* sample) {
    win::WindowDc dc(window);
    if (dc.get() == nullptr) return 0;
    win::SelectObjectGuard selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), sample, static_cast<int>(std::wcslen(sample)), &size);
    return static_cast<int>(size.cy);
}

}  // namespace veltrano::controls
