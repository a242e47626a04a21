#include "runtime/kernel/win32_module_loader.h"

#include <windows.h>

#include "runtime/kernel/wide_text.h"

namespace veltrano {

ModuleLoader::Module Win32ModuleLoader::load(const std::string& path) {
    return reinterpret_cast<Module>(LoadLibraryW(wideFromCodePage936(path).c_str()));
}

ModuleLoader::Address Win32ModuleLoader::findByName(Module module, const std::string& name) {
    return reinterpret_cast<Address>(GetProcAddress(reinterpret_cast<HMODULE>(module), name.c_str()));
}

ModuleLoader::Address Win32ModuleLoader::findByOrdinal(Module module, std::uint16_t ordinal) {
    return reinterpret_cast<Address>(
        GetProcAddress(reinterpret_cast<HMODULE>(module), reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(ordinal))));
}

void Win32ModuleLoader::release(Module module) {
    FreeLibrary(reinterpret_cast<HMODULE>(module));
}

void excludeCurrentDirectoryFromDllSearch() noexcept {
    // Looked up rather than imported: Windows 7 has it only with an update,
    // and a missing import would keep the program from starting at all.
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto setDefaultDirectories = reinterpret_cast<SetDefaultDirectories>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefaultDirectories != nullptr && setDefaultDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) return;
    // Without it, an empty DLL directory still takes the current directory
    // out of the search.
    SetDllDirectoryW(L"");
}

}  // namespace veltrano
