#pragma once

#include <array>
#include <cstddef>

namespace veltrano::app {

// The DLL commands the program declares. The runtime binds a command by its
// index in the table below on its first call, so the enum and the table must
// never drift: the checks after the table hold them together.
enum class DllCommand : std::size_t {
    SioWrite,
    RegOpenKeyA,
    RegEnumValueA,
    RegCloseKey,
    SioOpen,
    SioIoctl,
    SioSetReadTimeouts,
    SioClose,
    SioIqueue,
    SioRead,
    Count,
};

struct DllCommandEntry {
    DllCommand command;
    // A name starting with a backslash is found below the program's folder;
    // an empty one stands for the standard system libraries.
    const char* file;
    const char* exportName;
};

inline constexpr DllCommandEntry kDllCommandTable[] = {
    {DllCommand::SioWrite, "\\DLL\\PCOMM.DLL", "sio_write"},
    {DllCommand::RegOpenKeyA, "", "RegOpenKeyA"},
    {DllCommand::RegEnumValueA, "Advapi32", "RegEnumValueA"},
    {DllCommand::RegCloseKey, "advapi32.dll", "RegCloseKey"},
    {DllCommand::SioOpen, "\\DLL\\PCOMM.DLL", "sio_open"},
    {DllCommand::SioIoctl, "\\DLL\\PCOMM.DLL", "sio_ioctl"},
    {DllCommand::SioSetReadTimeouts, "\\DLL\\PCOMM.DLL", "sio_SetReadTimeouts"},
    {DllCommand::SioClose, "\\DLL\\PCOMM.DLL", "sio_close"},
    {DllCommand::SioIqueue, "\\DLL\\PCOMM.DLL", "sio_iqueue"},
    {DllCommand::SioRead, "\\DLL\\PCOMM.DLL", "sio_read"},
};

inline constexpr std::size_t kDllCommandCount = static_cast<std::size_t>(DllCommand::Count);
static_assert(std::size(kDllCommandTable) == kDllCommandCount, "one table entry per DLL command");

constexpr bool dllCommandsInTableOrder() {
    for (std::size_t i = 0; i < kDllCommandCount; ++i) {
        if (static_cast<std::size_t>(kDllCommandTable[i].command) != i) return false;
    }
    return true;
}
static_assert(dllCommandsInTableOrder(), "each DLL command sits at its own index");

// One column of the table, in the parallel-array form the runtime binds from.
template <const char* DllCommandEntry::*Column>
constexpr std::array<const char*, kDllCommandCount> dllCommandColumn() {
    std::array<const char*, kDllCommandCount> column{};
    for (std::size_t i = 0; i < kDllCommandCount; ++i) column[i] = kDllCommandTable[i].*Column;
    return column;
}

}  // namespace veltrano::app
