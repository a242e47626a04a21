#include "runtime/binding/dll_resolver.h"

#include "runtime/values/gbk_path.h"

namespace veltrano {
namespace {

bool isOrdinal(std::string_view exportName) {
    return !exportName.empty() && exportName.front() == '#';
}

std::uint16_t ordinalOf(std::string_view exportName) {
    std::uint32_t value = 0;
    for (char c : exportName.substr(1)) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return static_cast<std::uint16_t>(value & 0xFFFFu);
}

ModuleLoader::Address lookUp(ModuleLoader& loader, ModuleLoader::Module module, std::string_view exportName) {
    return isOrdinal(exportName) ? loader.findByOrdinal(module, ordinalOf(exportName))
                                 : loader.findByName(module, std::string(exportName));
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

bool completedFromCurrentDirectory(std::string_view path) {
    const bool driveRoot = path.size() >= 3 && path[1] == ':' && isSeparator(path[2]);
    const bool networkPath = path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
    if (driveRoot || networkPath) return false;
    // A trail byte can be 0x5C, which only the double-byte scan tells from a
    // separator; '/' and ':' are never trail bytes.
    const bool hasFolder = positionAfterLastBackslash(path) != 0 || path.find('/') != std::string_view::npos;
    return hasFolder || path.find(':') != std::string_view::npos;
}

std::vector<std::string> dllSearchPaths(const DllSearchPlaces& places, std::string_view fileName) {
    const std::string name(fileName);
    std::vector<std::string> paths;
    if (name.find(':') == std::string::npos) {
        paths = {places.runDirectory + "\\" + name, places.moduleDirectory + name};
    }
    if (!completedFromCurrentDirectory(name)) paths.push_back(name);
    return paths;
}

std::optional<DllBinding> bindDllCommand(ModuleLoader& loader, const DllSearchPlaces& places, std::string_view fileName,
                                         std::string_view exportName) {
    if (fileName.empty()) {
        for (const std::string& library : standardSystemLibraries()) {
            const ModuleLoader::Module module = loader.load(library);
            if (module == 0) continue;
            if (const ModuleLoader::Address address = lookUp(loader, module, exportName)) {
                return DllBinding{module, address};
            }
            loader.release(module);
        }
        return std::nullopt;
    }
    for (const std::string& path : dllSearchPaths(places, fileName)) {
        const ModuleLoader::Module module = loader.load(path);
        if (module == 0) continue;
        if (const ModuleLoader::Address address = lookUp(loader, module, exportName)) {
            return DllBinding{module, address};
        }
        loader.release(module);
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace veltrano
