#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// One declared DLL command: where it comes from and, once bound, where it is.
struct DllCommand {
    std::string fileName;    // empty: one of the standard system libraries
    std::string exportName;  // or "#" and a decimal ordinal
    FARPROC address = nullptr;
    win::UniqueModule module;
};

class DllCommandTable {
public:
    void assign(std::uint32_t count, const char* const* fileNames, const char* const* exportNames);
    // Modules stay loaded until shutdown releases them here.
    void clear() noexcept { commands_.clear(); }

    std::size_t size() const noexcept { return commands_.size(); }
    DllCommand& operator[](std::size_t index) noexcept { return commands_[index]; }
    const DllCommand& operator[](std::size_t index) const noexcept { return commands_[index]; }

private:
    std::vector<DllCommand> commands_;
};

}  // namespace veltrano
