#pragma once

#include <string>

namespace veltrano::test {

// The code page 936 bytes of a text written in the test's source, obtained
// independently of the codec's own byte tables: the Windows tree compiles
// narrow literals to code page 936, the native tree converts with iconv.
std::string gbk(const char* literal);

}  // namespace veltrano::test
