#include "components/support/component_font.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "runtime/dispatch/font_access.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano::drawing {
namespace {

// Height, width, escapement, orientation, weight and eight single bytes come
// before the face name in both the narrow and the wide record.
constexpr std::size_t kNumericFieldsSize = 28;

}  // namespace

win::UniqueFont fontFromBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != LogFontImage::kSize) return {};
    LOGFONTW font{};
    static_assert(offsetof(LOGFONTW, lfFaceName) == kNumericFieldsSize);
    std::memcpy(&font, bytes.data(), kNumericFieldsSize);
    const auto* face = reinterpret_cast<const char*>(bytes.data() + kNumericFieldsSize);
    const std::size_t faceLength = std::find(face, face + LogFontImage::kFaceNameSize, '\0') - face;
    const std::wstring wideFace = wideFromCodePage936(std::string_view(face, faceLength));
    const std::size_t copied = std::min<std::size_t>(wideFace.size(), LF_FACESIZE - 1);
    std::copy_n(wideFace.begin(), copied, font.lfFaceName);
    return win::UniqueFont(CreateFontIndirectW(&font));
}

HFONT fontOrDefault(const win::UniqueFont& font) noexcept {
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace veltrano::drawing
