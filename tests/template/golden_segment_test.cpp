#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "app/window/main_window_template.h"
#include "tools/template_compiler/segment_dump.h"

namespace veltrano::tc {
namespace {

class GoldenSegmentTest : public ::testing::Test {
protected:
    static std::string readGolden(const char* name) {
        std::ifstream in(std::string(VELTRANO_GOLDEN_DIR) + "/" + name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
};

TEST_F(GoldenSegmentTest, CompiledMainWindowIsByteIdenticalToTheGolden) {
    const std::string golden = readGolden("main_window.segment");
    ASSERT_FALSE(golden.empty());
    const auto built = main_window::templateSegment();
    ASSERT_EQ(built.size(), golden.size());
    EXPECT_TRUE(std::equal(built.begin(), built.end(), reinterpret_cast<const std::uint8_t*>(golden.data())));
}

TEST_F(GoldenSegmentTest, DumpOfTheGoldenEqualsTheGoldenDump) {
    const std::string golden = readGolden("main_window.segment");
    const auto dump =
        dumpSegment(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(golden.data()), golden.size()));
    ASSERT_TRUE(dump);
    EXPECT_EQ(*dump, readGolden("main_window.segment.txt"));
}

TEST_F(GoldenSegmentTest, DumpRefusesATruncatedSegment) {
    const auto built = main_window::templateSegment();
    EXPECT_FALSE(dumpSegment(built.first(built.size() - 1)));
}

}  // namespace
}  // namespace veltrano::tc
