#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// The icon of an icon (or cursor) file's bytes that suits the size best;
// empty when the bytes hold no usable image.
win::UniqueIcon iconFromBytes(std::span<const std::uint8_t> bytes, int width, int height);

}  // namespace veltrano
