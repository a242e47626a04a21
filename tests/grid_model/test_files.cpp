#include "test_files.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace veltrano::grid::testing {
namespace {

class LimitedWriter final : public file::FileWriter {
public:
    LimitedWriter(std::unique_ptr<file::FileWriter> inner, std::size_t limit, bool failFinish)
        : inner_(std::move(inner)), left_(limit), failFinish_(failFinish) {}

    bool write(std::span<const std::uint8_t> bytes) override {
        // Writes what fits, like a disk that fills up in the middle of a write.
        const std::size_t fits = std::min(bytes.size(), left_);
        if (fits > 0 && !inner_->write(bytes.first(fits))) {
            return false;
        }
        left_ -= fits;
        return fits == bytes.size();
    }

    bool finish() override { return inner_->finish() && !failFinish_; }

private:
    std::unique_ptr<file::FileWriter> inner_;
    std::size_t left_;
    bool failFinish_;
};

}  // namespace

ScratchFolder::ScratchFolder() {
    // Test processes run side by side: a folder that already exists belongs
    // to another one, so the name is drawn again until a new folder is made.
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::filesystem::create_directories(base);
    auto seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    do {
        seed = seed * 6364136223846793005ULL + random();
        path_ = base / ("veltrano-grid-" + std::to_string(seed % 1000000007ULL));
    } while (!std::filesystem::create_directory(path_));
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchFolder::fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::unique_ptr<file::FileWriter> FailingFileSystem::createTemporaryBeside(const std::string& path,
                                                                           std::string& temporaryPath) {
    auto inner = inner_.createTemporaryBeside(path, temporaryPath);
    if (!inner) {
        return nullptr;
    }
    return std::make_unique<LimitedWriter>(std::move(inner), failAfter_, failFinish_);
}

}  // namespace veltrano::grid::testing
