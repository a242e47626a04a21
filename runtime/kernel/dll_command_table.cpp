#include "runtime/kernel/dll_command_table.h"

namespace veltrano {

void DllCommandTable::assign(std::uint32_t count, const char* const* fileNames, const char* const* exportNames) {
    commands_.clear();
    commands_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (fileNames && fileNames[i]) commands_[i].fileName = fileNames[i];
        if (exportNames && exportNames[i]) commands_[i].exportName = exportNames[i];
    }
}

}  // namespace veltrano
