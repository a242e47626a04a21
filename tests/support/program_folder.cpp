#include "tests/support/program_folder.h"

#include <windows.h>

#include <vector>

namespace veltrano::test {

std::wstring folderOfThisProgram() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            const std::wstring full(path.data(), length);
            return full.substr(0, full.find_last_of(L'\\') + 1);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace veltrano::test
