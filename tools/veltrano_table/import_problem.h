#pragma once

#include <string>

namespace veltrano::tools {

// Why one record of an import cannot be taken.
struct ImportProblem {
    int line = 0;
    int row = 0;  // 0 when the record names no usable row
    std::string reason;
};

}  // namespace veltrano::tools
