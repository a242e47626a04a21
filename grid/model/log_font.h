#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace veltrano::grid {

// A cell font as the 60-byte logical-font record the window system uses:
// five little-endian ints, eight single bytes, a 32-byte face name. Copies
// share one record until one of them changes, so every cell can carry a font
// for the price of a pointer; the all-zero record needs none.
class LogFont {
public:
    static constexpr std::size_t kSize = 60;
    using Bytes = std::array<std::uint8_t, kSize>;
    static constexpr std::size_t kFaceNameOffset = 28;
    static constexpr std::size_t kFaceNameSize = 32;

    LogFont() = default;

    // Exactly kSize bytes make a font; any other length is no font.
    static std::optional<LogFont> fromBytes(std::span<const std::uint8_t> bytes);

    const Bytes& bytes() const { return shared_ ? *shared_ : kNoBytes; }

    std::int32_t height() const { return intAt(0); }
    std::int32_t width() const { return intAt(4); }
    std::int32_t escapement() const { return intAt(8); }
    std::int32_t orientation() const { return intAt(12); }
    std::int32_t weight() const { return intAt(16); }
    std::uint8_t italic() const { return bytes()[20]; }
    std::uint8_t underline() const { return bytes()[21]; }
    std::uint8_t strikeOut() const { return bytes()[22]; }
    std::uint8_t charSet() const { return bytes()[23]; }
    std::uint8_t outPrecision() const { return bytes()[24]; }
    std::uint8_t clipPrecision() const { return bytes()[25]; }
    std::uint8_t quality() const { return bytes()[26]; }
    std::uint8_t pitchAndFamily() const { return bytes()[27]; }
    // The face name up to its first NUL (GBK bytes).
    std::string faceName() const;

    void setHeight(std::int32_t value) { setIntAt(0, value); }
    void setWidth(std::int32_t value) { setIntAt(4, value); }
    void setWeight(std::int32_t value) { setIntAt(16, value); }
    void setItalic(std::uint8_t value) { editableBytes()[20] = value; }
    void setUnderline(std::uint8_t value) { editableBytes()[21] = value; }
    void setStrikeOut(std::uint8_t value) { editableBytes()[22] = value; }
    void setCharSet(std::uint8_t value) { editableBytes()[23] = value; }
    // Cut to 31 bytes so the field always keeps a terminating NUL.
    void setFaceName(std::string_view name);

    friend bool operator==(const LogFont& a, const LogFont& b) {
        return a.shared_ == b.shared_ || a.bytes() == b.bytes();
    }

private:
    static constexpr Bytes kNoBytes{};

    std::int32_t intAt(std::size_t offset) const;
    void setIntAt(std::size_t offset, std::int32_t value);
    // The record this font alone holds, copied first when it is shared.
    Bytes& editableBytes();

    std::shared_ptr<Bytes> shared_;
};

// Two fonts that draw alike: the grid compares only face name, height,
// weight, italic, underline and strike-out.
bool sameFont(const LogFont& a, const LogFont& b);

}  // namespace veltrano::grid
