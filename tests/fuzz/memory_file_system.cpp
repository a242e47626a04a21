#include "memory_file_system.h"

namespace veltrano::fuzz {
namespace {

class MemoryWriter final : public grid::file::FileWriter {
public:
    explicit MemoryWriter(std::vector<std::uint8_t>& target) : target_(target) {}

    bool write(std::span<const std::uint8_t> bytes) override {
        target_.insert(target_.end(), bytes.begin(), bytes.end());
        return true;
    }
    bool finish() override { return true; }

private:
    std::vector<std::uint8_t>& target_;
};

}  // namespace

void MemoryFileSystem::put(const std::string& path, std::span<const std::uint8_t> bytes) {
    files_[path].assign(bytes.begin(), bytes.end());
}

const std::vector<std::uint8_t>* MemoryFileSystem::find(const std::string& path) const {
    const auto found = files_.find(path);
    return found == files_.end() ? nullptr : &found->second;
}

std::optional<std::vector<std::uint8_t>> MemoryFileSystem::readFile(const std::string& path) {
    const std::vector<std::uint8_t>* bytes = find(path);
    if (!bytes) {
        return std::nullopt;
    }
    return *bytes;
}

std::unique_ptr<grid::file::FileWriter> MemoryFileSystem::createTemporaryBeside(const std::string& path,
                                                                                std::string& temporaryPath) {
    temporaryPath = path + ".tmp" + std::to_string(++temporaryCount_);
    // std::map never moves its elements, so the writer's reference stays good.
    return std::make_unique<MemoryWriter>(files_[temporaryPath]);
}

bool MemoryFileSystem::replaceFile(const std::string& temporaryPath, const std::string& path) {
    const auto found = files_.find(temporaryPath);
    if (found == files_.end()) {
        return false;
    }
    std::vector<std::uint8_t> bytes = std::move(found->second);
    files_.erase(found);
    files_[path] = std::move(bytes);
    return true;
}

bool MemoryFileSystem::removeFile(const std::string& path) {
    return files_.erase(path) != 0;
}

}  // namespace veltrano::fuzz
