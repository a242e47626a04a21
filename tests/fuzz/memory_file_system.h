#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "grid/file/file_system.h"

namespace veltrano::fuzz {

// Table files held in memory, so the loader and the saver run through the
// same file seam the program uses without touching the disk.
class MemoryFileSystem final : public grid::file::FileSystem {
public:
    void put(const std::string& path, std::span<const std::uint8_t> bytes);
    // Null when there is no such file.
    const std::vector<std::uint8_t>* find(const std::string& path) const;

    std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) override;
    std::unique_ptr<grid::file::FileWriter> createTemporaryBeside(const std::string& path,
                                                                  std::string& temporaryPath) override;
    bool replaceFile(const std::string& temporaryPath, const std::string& path) override;
    bool removeFile(const std::string& path) override;

private:
    std::map<std::string, std::vector<std::uint8_t>> files_;
    int temporaryCount_ = 0;
};

}  // namespace veltrano::fuzz
