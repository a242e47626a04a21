#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace veltrano::fuzz {

// Classifies one read. The first byte sets the scene: bit 0 says a
// read-back is in progress, and the byte as a signed number, halved, is
// added to the read's length to give what the port reported as queued. The
// remaining bytes are the read. The outcome is checked against the frame
// shapes: status frames give their status line, records need DA DB, a key
// row and data, everything else is logged as hexadecimal text. Empty when
// all holds, otherwise what did not.
std::string checkReceivedRead(std::span<const std::uint8_t> bytes);

}  // namespace veltrano::fuzz
