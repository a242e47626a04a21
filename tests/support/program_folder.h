#pragma once

#include <string>

namespace veltrano::test {

// The folder of the running test program, ending in a backslash: the build
// puts the program, its DLL folder and the test's files beside it.
std::wstring folderOfThisProgram();

}  // namespace veltrano::test
