#pragma once

#include <cstdint>

#include "runtime/values/address_word.h"

namespace veltrano {

// Runtime service entry handed to every support library at start-up. Its
// arguments are address-wide, since many services take a record's address;
// the 64-bit answer holds an address on every target.
using RuntimeServiceEntry = std::int64_t (*)(std::int32_t code, AddressWord argument1, AddressWord argument2);

// A support library's notification routine: code 1 hands it the service
// entry at start-up, code 6 its data word at shutdown. Arguments and answer
// are address-wide for the same reason.
using LibraryNotification = std::intptr_t (*)(std::int32_t code, AddressWord argument1, AddressWord argument2);

namespace library_notification {
inline constexpr std::int32_t kStartup = 1;
inline constexpr std::int32_t kPreTranslate = 2;
inline constexpr std::int32_t kShutdown = 6;
}  // namespace library_notification

struct ClassDescriptor;

struct LibraryDescriptor {
    LibraryNotification notify = nullptr;
    std::uint32_t classCount = 0;
    const ClassDescriptor* const* classes = nullptr;
};

// Constant data placed by the application build and read once at start-up.
// Counts and sizes are 32-bit words; addresses are as wide as the target's.
struct ApplicationDescriptor {
    std::uint32_t runMode;
    std::uint32_t reserved1;
    std::uint32_t lastIdSerial;
    const void* codeBase;
    const void* constStart;
    std::uint32_t constSize;
    const std::uint8_t* templateData;
    std::uint32_t templateSize;
    std::uint32_t libraryCount;
    const LibraryDescriptor* const* libraryTable;
    std::uint32_t dllCommandCount;
    const char* const* dllFileTable;
    const char* const* dllNameTable;
};

namespace run_mode {
inline constexpr std::uint32_t kDebugging = 2;
}

}  // namespace veltrano
