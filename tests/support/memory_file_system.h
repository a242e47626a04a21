#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "grid/file/file_system.h"

namespace veltrano::test {

// A folder held in memory whose file writers can be made to stop after a
// given number of bytes, the way a disk fills up or a cable is pulled in the
// middle of a save. Files are replaced in one step, as the real ones are.
class MemoryFileSystem final : public grid::file::FileSystem {
public:
    using Files = std::map<std::string, std::vector<std::uint8_t>>;

    // How an interrupted write ends.
    enum class Interruption {
        // The bytes that fit are written, then the write reports failure.
        ShortWrite,
        // The write that would cross the limit writes nothing.
        NothingWritten,
    };

    void interruptAfter(std::size_t bytes, Interruption kind) {
        limit_ = bytes;
        kind_ = kind;
    }
    void failCreate() { failCreate_ = true; }

    Files& files() { return files_; }
    const Files& files() const { return files_; }

    std::optional<grid::file::FileBytes> readFile(const std::string& path) override;
    std::unique_ptr<grid::file::FileWriter> createTemporaryBeside(const std::string& path,
                                                                  std::string& temporaryPath) override;
    bool replaceFile(const std::string& temporaryPath, const std::string& path) override;
    bool removeFile(const std::string& path) override;

private:
    Files files_;
    std::optional<std::size_t> limit_;
    Interruption kind_ = Interruption::ShortWrite;
    bool failCreate_ = false;
    unsigned temporaries_ = 0;
};

}  // namespace veltrano::test
