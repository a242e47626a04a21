#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace veltrano::grid {

// A cell font as the 60-byte logical-font record the window system uses:
// five little-endian ints, eight single bytes, a 32-byte face name.
class LogFont {
public:
    static constexpr std::size_t kSize = 60;
    static constexpr std::size_t kFaceNameOffset = 28;
    static constexpr std::size_t kFaceNameSize = 32;

    LogFont() = default;

    // Exactly kSize bytes make a font; any other length is no font.
    static std::optional<LogFont> fromBytes(std::span<const std::uint8_t> bytes);

    const std::array<std::uint8_t, kSize>& bytes() const { return bytes_; }

    std::int32_t height() const { return intAt(0); }
    std::int32_t width() const { return intAt(4); }
    std::int32_t escapement() const { return intAt(8); }
    std::int32_t orientation() const { return intAt(12); }
    std::int32_t weight() const { return intAt(16); }
    std::uint8_t italic() const { return bytes_[20]; }
    std::uint8_t underline() const { return bytes_[21]; }
    std::uint8_t strikeOut() const { return bytes_[22]; }
    std::uint8_t charSet() const { return bytes_[23]; }
    std::uint8_t outPrecision() const { return bytes_[24]; }
    std::uint8_t clipPrecision() const { return bytes_[25]; }
    std::uint8_t quality() const { return bytes_[26]; }
    std::uint8_t pitchAndFamily() const { return bytes_[27]; }
    // The face name up to its first NUL (GBK bytes).
    std::string faceName() const;

    void setHeight(std::int32_t value) { setIntAt(0, value); }
    void setWidth(std::int32_t value) { setIntAt(4, value); }
    void setWeight(std::int32_t value) { setIntAt(16, value); }
    void setItalic(std::uint8_t value) { bytes_[20] = value; }
    void setUnderline(std::uint8_t value) { bytes_[21] = value; }
    void setStrikeOut(std::uint8_t value) { bytes_[22] = value; }
    void setCharSet(std::uint8_t value) { bytes_[23] = value; }
    // Cut to 31 bytes so the field always keeps a terminating NUL.
    void setFaceName(std::string_view name);

    friend bool operator==(const LogFont&, const LogFont&) = default;

private:
    std::int32_t intAt(std::size_t offset) const;
    void setIntAt(std::size_t offset, std::int32_t value);

    std::array<std::uint8_t, kSize> bytes_{};
};

// Two fonts that draw alike: the grid compares only face name, height,
// weight, italic, underline and strike-out.
bool sameFont(const LogFont& a, const LogFont& b);

}  // namespace veltrano::grid
