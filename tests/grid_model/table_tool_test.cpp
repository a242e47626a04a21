#include "tools/veltrano_table/table_tool.h"

#include <gtest/gtest.h>

#include <sstream>

#include "file_bytes.h"
#include "grid/file/file_system.h"
#include "test_files.h"
#include "tools/veltrano_table/gbk_text.h"

namespace veltrano::tools {
namespace {

const std::string kGoldenTable = VELTRANO_GRID_GOLDEN_DIR "/application_table.dat";
const std::string kGoldenDump = VELTRANO_GRID_GOLDEN_DIR "/application_table.json";

class TableToolTest : public ::testing::Test {
protected:
    int run(std::vector<std::string> arguments) {
        out.str({});
        err.str({});
        return runTableTool(arguments, out, err, *files);
    }

    std::unique_ptr<grid::file::FileSystem> files = grid::file::makeSystemFileSystem();
    grid::testing::ScratchFolder folder;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(TableToolTest, ShowPrintsTheTableAsJson) {
    ASSERT_EQ(run({"show", kGoldenTable}), kExitOk) << err.str();
    const std::vector<std::uint8_t> expected = grid::testing::readBytes(kGoldenDump);
    EXPECT_EQ(out.str(), std::string(expected.begin(), expected.end()));
    EXPECT_NE(out.str().find("\"text\": \"\xE8\xAE\xBE\xE5\xA4\x87\""), std::string::npos);
    EXPECT_EQ(err.str(), "");
}

TEST_F(TableToolTest, CheckAcceptsAValidTable) {
    EXPECT_EQ(run({"check", kGoldenTable}), kExitOk);
    EXPECT_NE(out.str().find("version 6 table of 79 rows and 3 columns"), std::string::npos) << out.str();
}

TEST_F(TableToolTest, CheckNamesTheDamagedSectionAndOffset) {
    std::vector<std::uint8_t> bytes = grid::testing::readBytes(kGoldenTable);
    // The column count now asks for more column widths than the file has.
    grid::testing::putInt32(bytes, 16, 50000);
    const std::string path = folder.pathOf("damaged.dat");
    grid::testing::writeBytes(path, bytes);
    EXPECT_EQ(run({"check", path}), kExitDamaged);
    EXPECT_NE(err.str().find("damaged column widths at byte offset 792"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(run({"show", path}), kExitDamaged);
    EXPECT_EQ(out.str(), "");
}

TEST_F(TableToolTest, ShortFileIsDamagedAtItsLength) {
    const std::string path = folder.pathOf("short.dat");
    grid::testing::writeBytes(path, std::vector<std::uint8_t>(100, 0));
    EXPECT_EQ(run({"check", path}), kExitDamaged);
    EXPECT_NE(err.str().find("damaged file length at byte offset 100"), std::string::npos) << err.str();
}

TEST_F(TableToolTest, UnreadableFilesAndBadArgumentsAreReported) {
    EXPECT_EQ(run({"check", folder.pathOf("missing.dat")}), kExitDamaged);
    EXPECT_NE(err.str().find("cannot read"), std::string::npos);
    EXPECT_EQ(run({}), kExitUsage);
    EXPECT_NE(err.str().find("usage: veltrano-table"), std::string::npos);
    EXPECT_EQ(run({"show"}), kExitUsage);
    EXPECT_EQ(run({"dump", kGoldenTable}), kExitUsage);
    EXPECT_EQ(run({"show", kGoldenTable, "extra"}), kExitUsage);
    EXPECT_EQ(run({"--help"}), kExitOk);
    EXPECT_NE(out.str().find("usage: veltrano-table"), std::string::npos);
}

TEST(GbkTextTest, ConvertsBetweenCodePage936AndUtf8) {
    EXPECT_EQ(gbkToUtf8("\xC9\xE8\xB1\xB8"), "\xE8\xAE\xBE\xE5\xA4\x87");
    EXPECT_EQ(utf8ToGbk("\xE8\xAE\xBE\xE5\xA4\x87=1"), "\xC9\xE8\xB1\xB8=1");
    EXPECT_EQ(gbkToUtf8(""), "");
    EXPECT_EQ(gbkToUtf8("\xC9"), std::nullopt);
    EXPECT_EQ(utf8ToGbk("\xF0\x9F\x98\x80"), std::nullopt);
}

}  // namespace
}  // namespace veltrano::tools
