#pragma once

#include "runtime/binding/dll_resolver.h"

namespace veltrano {

// The binder's module loading on the real system: ANSI paths in code page
// 936, as the declared file names are runtime texts.
class Win32ModuleLoader final : public ModuleLoader {
public:
    Module load(const std::string& path) override;
    Address findByName(Module module, const std::string& name) override;
    Address findByOrdinal(Module module, std::uint16_t ordinal) override;
    void release(Module module) override;
};

}  // namespace veltrano
