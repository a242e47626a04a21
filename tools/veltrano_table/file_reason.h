#pragma once

#include <string>
#include <system_error>

namespace veltrano::tools {

enum class FileUse { Reading, Writing };

// The system's reason for a failed file operation as the tool words it,
// with its leading ": " ("cannot read a.dat" + ": no such file"); empty
// when the reason is not known. A missing name is a missing file when
// reading and a missing folder when writing, where the file is new.
std::string reasonText(std::error_code error, FileUse use);

}  // namespace veltrano::tools
