#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "application_table.h"
#include "grid/file/grid_file.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"
#include "test_files.h"

namespace veltrano::grid::file {
namespace {

// Saves through the platform's real file system into a scratch folder.
class GridFileSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::buildApplicationTable(table, codec);
        path = folder.pathOf("table.dat");
    }

    BytePictureCodec codec;
    std::unique_ptr<FileSystem> system = makeSystemFileSystem();
    testing::ScratchFolder folder;
    GridModel table = testing::makeWindowGrid();
    std::string path;
};

TEST_F(GridFileSaveTest, SaveCreatesTheFileAndLoadReadsIt) {
    ASSERT_TRUE(saveGridFile(table, path, *system, codec));
    EXPECT_EQ(testing::readBytes(path), gridFileBytes(table, codec));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"table.dat"});

    GridModel loaded;
    ASSERT_TRUE(loadGridFile(loaded, path, *system, codec));
    EXPECT_EQ(loaded.rowCount(), 79);
    EXPECT_EQ(gridFileBytes(loaded, codec), gridFileBytes(table, codec));
}

TEST_F(GridFileSaveTest, SaveReplacesAnExistingFile) {
    testing::writeBytes(path, std::vector<std::uint8_t>(5000, 0x55));
    ASSERT_TRUE(saveGridFile(table, path, *system, codec));
    EXPECT_EQ(testing::readBytes(path), gridFileBytes(table, codec));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"table.dat"});
}

// Several megabytes go to the disk in pieces while the writer still works,
// and replace a large file whose pages are cached.
TEST_F(GridFileSaveTest, LargeTablesReplaceLargeFilesWhole) {
    GridModel large;
    large.setRowCount(3000);
    large.setColumnCount(40);
    for (std::int32_t row = 0; row < large.rowCount(); ++row) {
        for (std::int32_t column = 0; column < large.columnCount(); ++column) {
            large.setText(row, column, "row " + std::to_string(row) + " column " + std::to_string(column), false);
        }
    }
    const std::vector<std::uint8_t> expected = gridFileBytes(large, codec);
    ASSERT_GT(expected.size(), std::size_t{3} << 20);
    for (const std::uint8_t fill : {std::uint8_t{0x11}, std::uint8_t{0x22}}) {
        testing::writeBytes(path, std::vector<std::uint8_t>(expected.size() + 12345, fill));
        ASSERT_EQ(testing::readBytes(path).front(), fill) << "the old file is cached and read";
        ASSERT_TRUE(saveGridFile(large, path, *system, codec));
        EXPECT_EQ(testing::readBytes(path), expected);
        EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"table.dat"});
    }

    const std::optional<FileBytes> read = system->readFile(path);
    ASSERT_TRUE(read);
    EXPECT_TRUE(std::equal(read->begin(), read->end(), expected.begin(), expected.end()));
    GridModel loaded;
    ASSERT_TRUE(loadGridFile(loaded, path, *system, codec));
    EXPECT_EQ(loaded.cell(2999, 39)->text, "row 2999 column 39");
}

#ifndef _WIN32
// Replacing a named pipe neither waits for a writer to open it nor fails.
TEST_F(GridFileSaveTest, SaveReplacesANamedPipeWithoutWaiting) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    ASSERT_TRUE(saveGridFile(table, path, *system, codec));
    EXPECT_EQ(testing::readBytes(path), gridFileBytes(table, codec));
}
#endif

TEST_F(GridFileSaveTest, AnEmptyFileReadsAsNoBytes) {
    testing::writeBytes(path, {});
    const std::optional<FileBytes> read = system->readFile(path);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->empty());
    EXPECT_EQ(read->span().size(), 0u);
}

TEST_F(GridFileSaveTest, FailedWritesKeepTheOldFileAndLeaveNoTemporaryFile) {
    GridModel previous = testing::makeWindowGrid();
    previous.setText(1, 2, "FA 01 02 ED ", false);
    ASSERT_TRUE(saveGridFile(previous, path, *system, codec));
    const std::vector<std::uint8_t> old = testing::readBytes(path);
    const std::size_t size = gridFileBytes(table, codec).size();

    std::vector<std::size_t> offsets;
    for (std::size_t offset = 0; offset < size; offset += 211) {
        offsets.push_back(offset);
    }
    offsets.push_back(size - 1);
    for (const std::size_t offset : offsets) {
        SCOPED_TRACE(::testing::Message() << "writes fail after " << offset << " of " << size << " bytes");
        testing::FailingFileSystem failing(*system);
        failing.failWritesAfter(offset);
        EXPECT_FALSE(saveGridFile(table, path, failing, codec));
        EXPECT_EQ(testing::readBytes(path), old);
        EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"table.dat"});
    }
}

TEST_F(GridFileSaveTest, FailedFlushOrReplaceKeepsTheOldFile) {
    testing::writeBytes(path, {1, 2, 3});
    testing::FailingFileSystem flush(*system);
    flush.failFinish();
    EXPECT_FALSE(saveGridFile(table, path, flush, codec));
    testing::FailingFileSystem replace(*system);
    replace.failReplace();
    EXPECT_FALSE(saveGridFile(table, path, replace, codec));
    EXPECT_EQ(testing::readBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"table.dat"});
}

TEST_F(GridFileSaveTest, FailedSaveWithoutAnOldFileLeavesNothing) {
    testing::FailingFileSystem failing(*system);
    failing.failWritesAfter(100);
    EXPECT_FALSE(saveGridFile(table, path, failing, codec));
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST_F(GridFileSaveTest, SaveIntoAMissingFolderOrOverAFolderFails) {
    EXPECT_FALSE(saveGridFile(table, folder.pathOf("missing/table.dat"), *system, codec));
    std::filesystem::create_directory(folder.pathOf("sub"));
    EXPECT_FALSE(saveGridFile(table, folder.pathOf("sub"), *system, codec));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"sub"});
    EXPECT_FALSE(saveGridFile(table, "", *system, codec));
}

TEST_F(GridFileSaveTest, FailuresTellTheSystemsReason) {
    std::error_code reason;
    EXPECT_FALSE(saveGridFile(table, folder.pathOf("missing/table.dat"), *system, codec, &reason));
    EXPECT_EQ(reason, std::errc::no_such_file_or_directory) << reason.message();
    std::filesystem::create_directory(folder.pathOf("sub"));
    EXPECT_FALSE(saveGridFile(table, folder.pathOf("sub"), *system, codec, &reason));
    EXPECT_EQ(reason, std::errc::is_a_directory) << reason.message();
    EXPECT_TRUE(saveGridFile(table, path, *system, codec, &reason));
    EXPECT_FALSE(reason) << "a save that succeeds leaves no reason behind";

    EXPECT_FALSE(system->readFile(folder.pathOf("none.dat")));
    EXPECT_EQ(system->lastError(), std::errc::no_such_file_or_directory) << system->lastError().message();
    EXPECT_FALSE(system->readFile(folder.pathOf("sub")));
    EXPECT_EQ(system->lastError(), std::errc::is_a_directory) << system->lastError().message();
}

TEST_F(GridFileSaveTest, LoadingAMissingOrDamagedFileKeepsTheGrid) {
    GridModel grid = testing::makeWindowGrid();
    grid.setText(1, 2, "kept", false);
    EXPECT_FALSE(loadGridFile(grid, folder.pathOf("none.dat"), *system, codec));
    std::vector<std::uint8_t> bytes = gridFileBytes(table, codec);
    bytes.resize(bytes.size() - 1);
    testing::writeBytes(path, bytes);
    EXPECT_FALSE(loadGridFile(grid, path, *system, codec));
    EXPECT_FALSE(loadGridFile(grid, folder.pathOf(""), *system, codec));
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.cell(1, 2)->text, "kept");
}

}  // namespace
}  // namespace veltrano::grid::file
