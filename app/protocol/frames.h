#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano::protocol {

// The module's command frames as the hexadecimal texts the application holds.
// There is no length field and no checksum: the module tells frames apart by
// their shape alone.
inline constexpr std::string_view kEnterConfigText = "AD66666666AAAAAABD";
inline constexpr std::string_view kExitConfigText = "AD66666666AAAABBBD";
inline constexpr std::string_view kClearText = "AD66666666AAABCCBD";
inline constexpr std::string_view kReadRequestText = "AD66666666AAABDDBD";
// Only ever sent by the module, at the end of a read-back.
inline constexpr std::string_view kReadCompleteText = "AD66666666AAABDEBD";
inline constexpr std::string_view kLearnText = "FAFD0101";

inline constexpr int kBlockCount = 4;

// Begin and end frames of blocks 1..4; empty for any other block number.
std::string_view blockBeginText(int block);
std::string_view blockEndText(int block);

// Every frame of the AD 66 66 66 66 family: prefix, three command bytes, BD.
inline constexpr std::size_t kCommandFrameSize = 9;
inline constexpr std::array<std::uint8_t, 5> kCommandPrefix{0xAD, 0x66, 0x66, 0x66, 0x66};
inline constexpr std::uint8_t kFrameEnd = 0xBD;

inline constexpr std::size_t kPortSettingFrameSize = 19;
inline constexpr std::array<std::uint8_t, 5> kPortSettingPrefix{0xAD, 0x66, 0x77, 0x88, 0x66};

inline constexpr std::array<std::uint8_t, 3> kSlotPrefix{0xAD, 0xBD, 0x3D};
inline constexpr std::size_t kSlotHeaderSize = 5;

inline constexpr std::array<std::uint8_t, 2> kRecordPrefix{0xDA, 0xDB};
inline constexpr std::size_t kRecordHeaderSize = 3;

// The bytes of a text made of hexadecimal digit pairs only (upper or lower
// case, nothing else); nothing for any other text. Meant for the fixed frame
// texts above and for texts this library builds, which never need a message.
std::optional<std::vector<std::uint8_t>> frameBytes(std::string_view text);

// The four device ports whose rates the port-setting frame carries, in
// frame order.
struct PortRates {
    std::int32_t sequencer = 0;
    std::int32_t projector = 0;
    std::int32_t player = 0;
    std::int32_t amplifier = 0;
};

// Each rate travels in three bytes.
inline constexpr std::int32_t kLargestPortRate = 0xFFFFFF;

// "AD66778866" + each rate as "%06X" + the binding as "%02X" + "BD". Values
// are formatted as the 32-bit patterns they are, so a rate above
// kLargestPortRate (or a negative one) gives more than six digits and no
// well-formed frame: callers refuse such rates before sending anything.
std::string portSettingText(const PortRates& rates, std::int32_t binding);

// "ADBD3D" + the position as "%04X" + the cell text with every ASCII and
// full-width space removed.
std::string slotFrameText(std::uint16_t position, std::string_view cellText);

// A code page 936 text without ASCII (0x20) and full-width (A1 A1) spaces;
// the trail byte of a double-byte character is never taken for a space.
std::string removeAllSpaces(std::string_view text);

}  // namespace veltrano::protocol
