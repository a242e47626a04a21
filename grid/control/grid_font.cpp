#include "grid/control/grid_font.h"

#include <algorithm>

#include "runtime/kernel/wide_text.h"

namespace veltrano::grid {

LOGFONTW systemLogFont(const LogFont& font) {
    LOGFONTW wide{};
    wide.lfHeight = font.height();
    wide.lfWidth = font.width();
    wide.lfEscapement = font.escapement();
    wide.lfOrientation = font.orientation();
    wide.lfWeight = font.weight();
    wide.lfItalic = font.italic();
    wide.lfUnderline = font.underline();
    wide.lfStrikeOut = font.strikeOut();
    wide.lfCharSet = font.charSet();
    wide.lfOutPrecision = font.outPrecision();
    wide.lfClipPrecision = font.clipPrecision();
    wide.lfQuality = font.quality();
    wide.lfPitchAndFamily = font.pitchAndFamily();
    const std::wstring face = wideFromCodePage936(font.faceName());
    const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    std::copy_n(face.begin(), length, wide.lfFaceName);
    return wide;
}

LogFont gridLogFont(const LOGFONTW& font) {
    std::array<std::uint8_t, LogFont::kSize> bytes{};
    const auto putInt = [&bytes](std::size_t offset, LONG value) {
        const auto word = static_cast<std::uint32_t>(value);
        for (std::size_t index = 0; index < 4; ++index) {
            bytes[offset + index] = static_cast<std::uint8_t>(word >> (8 * index));
        }
    };
    putInt(0, font.lfHeight);
    putInt(4, font.lfWidth);
    putInt(8, font.lfEscapement);
    putInt(12, font.lfOrientation);
    putInt(16, font.lfWeight);
    bytes[20] = font.lfItalic;
    bytes[21] = font.lfUnderline;
    bytes[22] = font.lfStrikeOut;
    bytes[23] = font.lfCharSet;
    bytes[24] = font.lfOutPrecision;
    bytes[25] = font.lfClipPrecision;
    bytes[26] = font.lfQuality;
    bytes[27] = font.lfPitchAndFamily;
    LogFont made = *LogFont::fromBytes(bytes);
    made.setFaceName(codePage936FromWide(font.lfFaceName));
    return made;
}

win::UniqueFont createFont(const LogFont& font) {
    const LOGFONTW wide = systemLogFont(font);
    return win::UniqueFont(CreateFontIndirectW(&wide));
}

}  // namespace veltrano::grid
