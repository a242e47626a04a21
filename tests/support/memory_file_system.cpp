#include "tests/support/memory_file_system.h"

#include <algorithm>

namespace veltrano::test {
namespace {

class MemoryWriter final : public grid::file::FileWriter {
public:
    MemoryWriter(std::vector<std::uint8_t>& target, std::optional<std::size_t> limit,
                 MemoryFileSystem::Interruption kind)
        : target_(target), limit_(limit), kind_(kind) {}

    bool write(std::span<const std::uint8_t> bytes) override {
        if (broken_) {
            return false;
        }
        if (limit_ && target_.size() + bytes.size() > *limit_) {
            broken_ = true;
            if (kind_ == MemoryFileSystem::Interruption::ShortWrite) {
                const std::size_t fits = *limit_ - std::min(*limit_, target_.size());
                target_.insert(target_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(fits));
            }
            return false;
        }
        target_.insert(target_.end(), bytes.begin(), bytes.end());
        return true;
    }

    bool finish() override { return !broken_; }

private:
    std::vector<std::uint8_t>& target_;
    std::optional<std::size_t> limit_;
    MemoryFileSystem::Interruption kind_;
    bool broken_ = false;
};

}  // namespace

std::optional<grid::file::FileBytes> MemoryFileSystem::readFile(const std::string& path) {
    const auto found = files_.find(path);
    if (found == files_.end()) {
        return std::nullopt;
    }
    return grid::file::FileBytes(found->second);
}

std::unique_ptr<grid::file::FileWriter> MemoryFileSystem::createTemporaryBeside(const std::string& path,
                                                                                std::string& temporaryPath) {
    if (failCreate_) {
        return nullptr;
    }
    temporaryPath = path + ".tmp" + std::to_string(++temporaries_);
    // Map nodes stay where they are while other files come and go.
    std::vector<std::uint8_t>& target = files_[temporaryPath];
    return std::make_unique<MemoryWriter>(target, limit_, kind_);
}

bool MemoryFileSystem::replaceFile(const std::string& temporaryPath, const std::string& path) {
    const auto found = files_.find(temporaryPath);
    if (found == files_.end() || temporaryPath == path) {
        return false;
    }
    files_[path] = std::move(found->second);
    files_.erase(temporaryPath);
    return true;
}

bool MemoryFileSystem::removeFile(const std::string& path) {
    return files_.erase(path) == 1;
}

}  // namespace veltrano::test
