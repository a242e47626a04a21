#include <windows.h>

#include "tests/support/planted_library.h"
#include "tests/support/program_folder.h"

namespace veltrano::test {

std::wstring plantedLibrary() {
    return folderOfThisProgram() + L"veltrano-planted.dll";
}

std::wstring markOfPlantedCopy(const std::wstring& copy) {
    return copy + L".loaded";
}

bool plantedCopyWasLoaded(const std::wstring& copy) {
    return GetFileAttributesW(markOfPlantedCopy(copy).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool plantCopy(const std::wstring& copy) {
    DeleteFileW(markOfPlantedCopy(copy).c_str());
    return CopyFileW(plantedLibrary().c_str(), copy.c_str(), FALSE) != 0 && !plantedCopyWasLoaded(copy);
}

}  // namespace veltrano::test
