#pragma once

#include <cstdint>
#include <optional>

namespace veltrano::pcomm {

enum class Parity : std::uint8_t { None, Odd, Even, Mark, Space };

// Data bits, stop bits and parity of a line mode word (layout in pcomm.h).
struct LineMode {
    std::uint8_t dataBits = 8;
    bool twoStopBits = false;
    Parity parity = Parity::None;
};

// Rate of a baud code, or nothing for a code outside the table.
std::optional<std::uint32_t> baudRateOfCode(int code);

// Decoded mode word, or nothing when it has bits or values outside the layout.
std::optional<LineMode> decodeLineMode(int mode);

// Time a write may take: per byte twice its time on the wire at the longest
// frame (11 bit times), plus a fixed second, so a stalled line cannot block
// the caller for ever.
struct WriteTimeouts {
    std::uint32_t perByteMs = 0;
    std::uint32_t constantMs = 0;
};
WriteTimeouts writeTimeoutsFor(std::uint32_t baudRate);

}  // namespace veltrano::pcomm
