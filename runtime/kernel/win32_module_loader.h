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

// The open and save dialogs make whatever folder the user browsed to the
// current directory, and a folder holding table files from elsewhere can hold
// a library of the same name as one the process asks for. Called once at
// start-up, before anything else is loaded, so that no library is ever taken
// from the current directory.
void excludeCurrentDirectoryFromDllSearch() noexcept;

}  // namespace veltrano
