#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

// Loads modules and looks up exports for the DLL binder; the Windows side
// implements it with LoadLibraryA / GetProcAddress / FreeLibrary, tests with
// a fake that records what was tried.
class ModuleLoader {
public:
    using Module = std::uintptr_t;   // 0: nothing loaded
    using Address = std::uintptr_t;  // 0: not found

    virtual ~ModuleLoader() = default;
    virtual Module load(const std::string& path) = 0;
    virtual Address findByName(Module module, const std::string& name) = 0;
    virtual Address findByOrdinal(Module module, std::uint16_t ordinal) = 0;
    virtual void release(Module module) = 0;
};

// Where a DLL command's file is looked for besides the system's own search.
struct DllSearchPlaces {
    std::string runDirectory;     // without trailing backslash
    std::string moduleDirectory;  // with trailing backslash
};

// The standard system libraries tried, in order, for a command declared
// without a file name.
inline const std::vector<std::string>& standardSystemLibraries() {
    static const std::vector<std::string> libraries = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                                       "Advapi32.dll", "Mpr.dll",   "Shell32.dll"};
    return libraries;
}

struct DllBinding {
    ModuleLoader::Module module = 0;
    ModuleLoader::Address address = 0;
};

// Binds one declared command: the export (a name, or "#" and a decimal
// ordinal) is looked up in the first module that loads from the search
// places; a module that loads but lacks the export ends the search. Nothing
// on failure (every module loaded on the way is released again).
std::optional<DllBinding> bindDllCommand(ModuleLoader& loader, const DllSearchPlaces& places, std::string_view fileName,
                                         std::string_view exportName);

// The paths tried for a declared file name, in order. The declared name
// itself comes last, for the system's own search, unless the system would
// complete it from the current directory, which the file dialogs move to
// wherever the user browsed: "\DLL\PCOMM.DLL" there would name the DLL
// folder at the root of the drive a table file was opened from.
std::vector<std::string> dllSearchPaths(const DllSearchPlaces& places, std::string_view fileName);

// Whether a path names its file only relative to the current directory or
// drive: it has a folder part or a drive but is neither on a drive's root
// path ("C:\...") nor a network path ("\\server\...").
bool completedFromCurrentDirectory(std::string_view path);

}  // namespace veltrano
