#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrano {

// A font description in the window system's 60-byte logical-font layout:
// height, width, escapement, orientation, weight (32-bit each), italic,
// underline, strike-out and five more bytes, then a 32-byte face name.
class LogFontImage {
public:
    static constexpr std::size_t kSize = 60;
    static constexpr std::size_t kFaceNameSize = 32;

    LogFontImage() = default;
    // Exactly 60 bytes make a font description; anything else does not.
    static std::optional<LogFontImage> fromBytes(std::string_view bytes);
    const std::array<std::uint8_t, kSize>& bytes() const noexcept { return bytes_; }

    std::int32_t height() const noexcept { return word(0); }
    void setHeight(std::int32_t value) noexcept { setWord(0, value); }
    std::int32_t escapement() const noexcept { return word(8); }
    void setAngle(std::int32_t tenthsOfDegree) noexcept {
        setWord(8, tenthsOfDegree);
        setWord(12, tenthsOfDegree);
    }
    std::int32_t weight() const noexcept { return word(16); }
    void setWeight(std::int32_t value) noexcept { setWord(16, value); }
    bool italic() const noexcept { return bytes_[20] != 0; }
    void setItalic(bool on) noexcept { bytes_[20] = on ? 1 : 0; }
    bool underline() const noexcept { return bytes_[21] != 0; }
    void setUnderline(bool on) noexcept { bytes_[21] = on ? 1 : 0; }
    bool strikeOut() const noexcept { return bytes_[22] != 0; }
    void setStrikeOut(bool on) noexcept { bytes_[22] = on ? 1 : 0; }
    std::string faceName() const;
    // Up to 31 bytes and a terminator; longer names are the caller's to refuse.
    void setFaceName(std::string_view name) noexcept;

private:
    std::int32_t word(std::size_t offset) const noexcept;
    void setWord(std::size_t offset, std::int32_t value) noexcept;

    std::array<std::uint8_t, kSize> bytes_{};
};

// The face name used when a written name cannot be: "宋体" in code page 936.
inline constexpr std::string_view kFallbackFaceName = "\xCB\xCE\xCC\xE5";

// One field of a font property, addressed by array index.
enum class FontField : int {
    Whole = -1,
    Angle = 0,
    Bold = 1,
    Italic = 2,
    StrikeOut = 3,
    Underline = 4,
    Size = 5,
    FaceName = 6,
};

// The fields of the whole-font record, as the runtime exchanges it.
struct FontRecord {
    std::int32_t angle = 0;
    bool bold = false;
    bool italic = false;
    bool strikeOut = false;
    bool underline = false;
    std::int32_t size = 0;
    std::string faceName;
};

// Reads and writes of font fields; the screen's vertical pixels per inch
// convert between points and the description's height.
std::int32_t readFontNumber(const LogFontImage& font, FontField field, int pixelsPerInch) noexcept;
void writeFontNumber(LogFontImage& font, FontField field, std::int32_t value, int pixelsPerInch) noexcept;
void writeFontFaceName(LogFontImage& font, std::string_view name);
FontRecord readFontRecord(const LogFontImage& font, int pixelsPerInch);
void writeFontRecord(LogFontImage& font, const FontRecord& record, int pixelsPerInch);

}  // namespace veltrano
