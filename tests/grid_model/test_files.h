#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "grid/file/file_system.h"

namespace veltrano::grid::testing {

// A fresh folder under the system's temporary folder, removed with all its
// files at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    std::string pathOf(const std::string& name) const { return (path_ / name).string(); }
    // Names of the files the folder holds, sorted.
    std::vector<std::string> fileNames() const;

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Passes everything to another file system, except that its writers fail
// once a given number of bytes has been written, and finish() can fail.
class FailingFileSystem final : public file::FileSystem {
public:
    explicit FailingFileSystem(file::FileSystem& inner) : inner_(inner) {}

    void failWritesAfter(std::size_t bytes) { failAfter_ = bytes; }
    void failFinish() { failFinish_ = true; }
    void failReplace() { failReplace_ = true; }

    std::optional<file::FileBytes> readFile(const std::string& path) override { return inner_.readFile(path); }
    std::unique_ptr<file::FileWriter> createTemporaryBeside(const std::string& path,
                                                            std::string& temporaryPath) override;
    bool replaceFile(const std::string& temporaryPath, const std::string& path) override {
        return !failReplace_ && inner_.replaceFile(temporaryPath, path);
    }
    bool removeFile(const std::string& path) override { return inner_.removeFile(path); }

private:
    file::FileSystem& inner_;
    std::size_t failAfter_ = SIZE_MAX;
    bool failFinish_ = false;
    bool failReplace_ = false;
};

}  // namespace veltrano::grid::testing
