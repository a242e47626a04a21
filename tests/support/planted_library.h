#pragma once

#include <string>

namespace veltrano::test {

// The planted library built beside the test programs, and where a copy of it
// leaves its mark once loaded.
std::wstring plantedLibrary();
std::wstring markOfPlantedCopy(const std::wstring& copy);
// Whether the copy at this path was loaded by any process since it was put
// there.
bool plantedCopyWasLoaded(const std::wstring& copy);
// Puts a copy there, without an old mark; false when it cannot.
bool plantCopy(const std::wstring& copy);

}  // namespace veltrano::test
