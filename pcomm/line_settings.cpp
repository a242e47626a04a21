#include "pcomm/line_settings.h"

#include <array>
#include <cstddef>

namespace veltrano::pcomm {
namespace {

constexpr std::array<std::uint32_t, 20> kBaudRates{50,    75,    110,    134,    150,    300,   600,
                                                   1200,  1800,  2400,   4800,   7200,   9600,  19200,
                                                   38400, 57600, 115200, 230400, 460800, 921600};

constexpr int kDataBitsMask = 0x03;
constexpr int kTwoStopBits = 0x04;
constexpr int kParityShift = 3;
constexpr int kParityMask = 0x07;
constexpr int kKnownBits = 0x3F;
constexpr int kLastParity = static_cast<int>(Parity::Space);

}  // namespace

std::optional<std::uint32_t> baudRateOfCode(int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= kBaudRates.size()) {
        return std::nullopt;
    }
    return kBaudRates[static_cast<std::size_t>(code)];
}

std::optional<LineMode> decodeLineMode(int mode) {
    if ((mode & ~kKnownBits) != 0) {
        return std::nullopt;
    }
    const int parity = (mode >> kParityShift) & kParityMask;
    if (parity > kLastParity) {
        return std::nullopt;
    }
    LineMode decoded;
    decoded.dataBits = static_cast<std::uint8_t>(5 + (mode & kDataBitsMask));
    decoded.twoStopBits = (mode & kTwoStopBits) != 0;
    decoded.parity = static_cast<Parity>(parity);
    return decoded;
}

WriteTimeouts writeTimeoutsFor(std::uint32_t baudRate) {
    constexpr std::uint32_t kBitsPerByte = 11;
    const std::uint32_t rate = baudRate == 0 ? 1 : baudRate;
    const std::uint32_t byteMs = (kBitsPerByte * 1000 + rate - 1) / rate;
    return WriteTimeouts{2 * byteMs, 1000};
}

}  // namespace veltrano::pcomm
