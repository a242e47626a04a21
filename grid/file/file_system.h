#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "grid/file/byte_sink.h"

namespace veltrano::grid::file {

// A file being written. Closing without finish() leaves an incomplete file.
class FileWriter : public ByteSink {
public:
    // Flushes everything to the disk and closes; false on any failure.
    virtual bool finish() = 0;
};

// The few file operations a table needs. Paths are code page 936 bytes, as
// the grid receives them.
class FileSystem {
public:
    // Larger files are refused before they are read.
    static constexpr std::uint64_t kMaxReadSize = std::uint64_t{1} << 30;

    virtual ~FileSystem() = default;

    virtual std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) = 0;
    // Creates a new, empty file with a name of its own in the folder of path
    // and tells its name; null when it cannot.
    virtual std::unique_ptr<FileWriter> createTemporaryBeside(const std::string& path, std::string& temporaryPath) = 0;
    // Puts the finished temporary file in place of path in one step: path
    // then holds either its old content or the new one, never a mixture.
    virtual bool replaceFile(const std::string& temporaryPath, const std::string& path) = 0;
    virtual bool removeFile(const std::string& path) = 0;
};

// The file system of the platform the program runs on.
std::unique_ptr<FileSystem> makeSystemFileSystem();

}  // namespace veltrano::grid::file
