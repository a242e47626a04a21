// Runs every seed and every kept finding of the fuzz targets through the
// same checks the fuzzers use, so a finding stays fixed in every tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "grid_file_check.h"
#include "grid_keys_check.h"
#include "hex_check.h"
#include "receive_check.h"
#include "template_check.h"

namespace veltrano::fuzz {
namespace {

using Check = std::string (*)(std::span<const std::uint8_t>);

std::vector<std::filesystem::path> inputsIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> inputs;
    if (!std::filesystem::is_directory(folder)) {
        return inputs;
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        // Dot files only keep an empty folder in the repository.
        if (entry.is_regular_file() && entry.path().filename().string().front() != '.') {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

std::vector<std::uint8_t> contentOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class FuzzReplayTest : public ::testing::Test {
protected:
    // Seeds must be there: an empty corpus would let every replay pass.
    void replayCorpus(const char* target, Check check) { replay("corpus", target, check, true); }
    void replayRegressions(const char* target, Check check) { replay("regressions", target, check, false); }

private:
    void replay(const char* kind, const char* target, Check check, bool needsInputs) {
        const std::filesystem::path folder = std::filesystem::path(VELTRANO_FUZZ_DATA_DIR) / kind / target;
        const std::vector<std::filesystem::path> inputs = inputsIn(folder);
        if (needsInputs) {
            ASSERT_FALSE(inputs.empty()) << "no inputs in " << folder.string();
        }
        for (const std::filesystem::path& input : inputs) {
            const std::vector<std::uint8_t> bytes = contentOf(input);
            EXPECT_EQ(check(bytes), "") << input.filename().string();
        }
    }
};

TEST_F(FuzzReplayTest, GridFileCorpus) {
    replayCorpus("grid_file", checkGridFile);
}

TEST_F(FuzzReplayTest, GridFileRegressions) {
    replayRegressions("grid_file", checkGridFile);
}

TEST_F(FuzzReplayTest, GridKeysCorpus) {
    replayCorpus("grid_keys", checkGridKeys);
}

TEST_F(FuzzReplayTest, GridKeysRegressions) {
    replayRegressions("grid_keys", checkGridKeys);
}

TEST_F(FuzzReplayTest, TemplateCorpus) {
    replayCorpus("template", checkTemplateSegment);
}

TEST_F(FuzzReplayTest, TemplateRegressions) {
    replayRegressions("template", checkTemplateSegment);
}

TEST_F(FuzzReplayTest, HexCorpus) {
    replayCorpus("hex", checkHexText);
}

TEST_F(FuzzReplayTest, HexRegressions) {
    replayRegressions("hex", checkHexText);
}

TEST_F(FuzzReplayTest, ReceiveCorpus) {
    replayCorpus("receive", checkReceivedRead);
}

TEST_F(FuzzReplayTest, ReceiveRegressions) {
    replayRegressions("receive", checkReceivedRead);
}

}  // namespace
}  // namespace veltrano::fuzz
