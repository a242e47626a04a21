#include <gtest/gtest.h>

#include <sstream>

#include "application_table.h"
#include "grid/file/file_system.h"
#include "grid/file/grid_file.h"
#include "grid/file/grid_file_reader.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"
#include "test_files.h"
#include "tools/veltrano_table/table_json.h"

namespace veltrano::grid {
namespace {

using testing::gbk;

const std::string kGoldenTable = VELTRANO_GRID_GOLDEN_DIR "/application_table.dat";
const std::string kGoldenDump = VELTRANO_GRID_GOLDEN_DIR "/application_table.json";

class GoldenTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        golden = testing::readBytes(kGoldenTable);
        const file::GridFileReadResult result = file::readGridFile(golden, loaded, codec);
        ASSERT_TRUE(result.ok()) << result.error->reason;
    }

    BytePictureCodec codec;
    std::vector<std::uint8_t> golden;
    GridModel loaded;
};

TEST_F(GoldenTableTest, ApplicationTableIsWrittenAsTheGoldenFile) {
    GridModel table = testing::makeWindowGrid();
    testing::buildApplicationTable(table, codec);
    EXPECT_EQ(file::gridFileBytes(table, codec), golden);
}

TEST_F(GoldenTableTest, GoldenFileShowsAsTheGoldenDump) {
    std::ostringstream dump;
    tools::writeTableJson(loaded, 6, codec, dump);
    const std::vector<std::uint8_t> expected = testing::readBytes(kGoldenDump);
    EXPECT_EQ(dump.str(), std::string(expected.begin(), expected.end()));
}

TEST_F(GoldenTableTest, GoldenFileHoldsTheApplicationTable) {
    EXPECT_EQ(loaded.rowCount(), 79);
    EXPECT_EQ(loaded.columnCount(), 3);
    EXPECT_EQ(loaded.fixedRowCount(), 1);
    EXPECT_EQ(loaded.fixedColumnCount(), 2);
    EXPECT_EQ(loaded.columnWidth(0), 60);
    EXPECT_EQ(loaded.columnWidth(1), 80);
    EXPECT_EQ(loaded.columnWidth(2), 570);
    EXPECT_EQ(loaded.rowHeight(78), 24);
    const std::vector<MergeRecord> merges{{1, 0, 1, 0, 16, 0},
                                          {17, 0, 17, 0, 23, 0},
                                          {24, 0, 24, 0, 45, 0},
                                          {46, 0, 46, 0, 66, 0},
                                          {67, 0, 67, 0, 78, 0}};
    EXPECT_EQ(loaded.merges(), merges);
    EXPECT_EQ(loaded.cell(0, 0)->text, gbk(u8"设备"));
    EXPECT_EQ(loaded.cell(0, 1)->text, gbk(u8"功能"));
    EXPECT_EQ(loaded.cell(0, 2)->text, gbk(u8"自定义数据"));
    EXPECT_EQ(loaded.cell(1, 0)->text, gbk(u8"时序器"));
    EXPECT_EQ(loaded.cell(46, 0)->text, gbk(u8"功放"));
    EXPECT_EQ(loaded.cell(67, 0)->text, gbk(u8"扩展区"));
    EXPECT_EQ(loaded.cell(2, 0)->text, "");
    EXPECT_EQ(loaded.cell(1, 1)->text, gbk(u8"通道1开="));
    EXPECT_EQ(loaded.cell(23, 1)->text, "HOME=");
    EXPECT_EQ(loaded.cell(36, 1)->text, gbk(u8"音量+="));
    EXPECT_EQ(loaded.cell(52, 1)->text, "computer=");
    EXPECT_EQ(loaded.cell(78, 1)->text, gbk(u8"自定义12"));
    for (std::int32_t row = 0; row < 79; ++row) {
        EXPECT_EQ(loaded.cell(row, 0)->format, 0x825u) << "row " << row;
        EXPECT_EQ(loaded.cell(row, 1)->format, 0x825u) << "row " << row;
        EXPECT_EQ(loaded.cell(row, 2)->format, row == 0 ? 0x825u : 0x824u) << "row " << row;
        EXPECT_EQ(loaded.cell(row, 2)->text.empty(), row != 0);
    }
}

TEST_F(GoldenTableTest, CustomDataSurvivesASaveAndLoad) {
    const std::unique_ptr<file::FileSystem> system = file::makeSystemFileSystem();
    testing::ScratchFolder folder;
    const std::string path = folder.pathOf("data.dat");
    loaded.setText(5, 2, "FA 01 02 ED ", false);
    ASSERT_TRUE(file::saveGridFile(loaded, path, *system, codec));
    GridModel reloaded = testing::makeWindowGrid();
    ASSERT_TRUE(file::loadGridFile(reloaded, path, *system, codec));
    EXPECT_EQ(reloaded.cell(5, 2)->text, "FA 01 02 ED ");
    EXPECT_EQ(reloaded.cell(5, 1)->text, gbk(u8"通道3开="));
    EXPECT_EQ(file::gridFileBytes(reloaded, codec), file::gridFileBytes(loaded, codec));
}

}  // namespace
}  // namespace veltrano::grid
