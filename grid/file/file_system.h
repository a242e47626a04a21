#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "grid/file/byte_sink.h"
#include "grid/file/file_bytes.h"

namespace veltrano::grid::file {

// A file being written. Closing without finish() leaves an incomplete file.
class FileWriter : public ByteSink {
public:
    // Flushes everything to the disk and closes; false on any failure.
    virtual bool finish() = 0;
    // Why write() or finish() failed, as a std::errc value; empty before a
    // failure or when the writer cannot tell.
    virtual std::error_code error() const { return {}; }
};

// The few file operations a table needs. Paths are code page 936 bytes, as
// the grid receives them.
class FileSystem {
public:
    // Larger files are refused before they are read.
    static constexpr std::uint64_t kMaxReadSize = std::uint64_t{1} << 30;

    virtual ~FileSystem() = default;

    virtual std::optional<FileBytes> readFile(const std::string& path) = 0;
    // Creates a new, empty file with a name of its own in the folder of path
    // and tells its name; null when it cannot.
    virtual std::unique_ptr<FileWriter> createTemporaryBeside(const std::string& path, std::string& temporaryPath) = 0;
    // Puts the finished temporary file in place of path in one step: path
    // then holds either its old content or the new one, never a mixture.
    virtual bool replaceFile(const std::string& temporaryPath, const std::string& path) = 0;
    virtual bool removeFile(const std::string& path) = 0;

    // Why the last call that failed did so, as a std::errc value (each
    // platform maps its own errors onto the same few); empty when the file
    // system cannot tell.
    std::error_code lastError() const { return lastError_; }

protected:
    // Notes why the current call fails; the result lets a reader return it.
    std::nullopt_t noteFailure(std::error_code error) {
        lastError_ = error;
        return std::nullopt;
    }

private:
    std::error_code lastError_;
};

// The file system of the platform the program runs on.
std::unique_ptr<FileSystem> makeSystemFileSystem();

}  // namespace veltrano::grid::file
