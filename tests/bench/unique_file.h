#pragma once

#include <cstdio>
#include <memory>

namespace veltrano::bench {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace veltrano::bench
