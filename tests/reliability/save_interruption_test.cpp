#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "grid/file/grid_file.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"
#include "tests/grid_model/application_table.h"
#include "tests/grid_model/rich_grid.h"
#include "tests/grid_model/test_files.h"
#include "tests/support/memory_file_system.h"

namespace veltrano::reliability {
namespace {

using grid::file::gridFileBytes;
using grid::file::saveGridFile;
using test::MemoryFileSystem;
using Interruption = MemoryFileSystem::Interruption;

const std::string kPath = "C:\\tables\\data.dat";

std::string codeOfRow(int row) {
    std::string text;
    const char* digits = "0123456789ABCDEF";
    for (int i = 0; i <= row % 40; ++i) {
        const int value = (row * 7 + i * 13) & 0xFF;
        text += digits[value >> 4];
        text += digits[value & 15];
        text += ' ';
    }
    return text;
}

// The configuration table with a code in every key row.
grid::GridModel filledTable(grid::PictureCodec& codec) {
    grid::GridModel table = grid::testing::makeWindowGrid();
    grid::testing::buildApplicationTable(table, codec);
    for (int row = 1; row <= 78; ++row) table.setText(row, 2, codeOfRow(row), false);
    return table;
}

// A table whose file is several times the writer's buffered piece, so a
// save reaches the disk in many writes.
grid::GridModel largeTable() {
    grid::GridModel table = grid::testing::makeWindowGrid();
    table.setRowCount(2000);
    for (int row = 1; row < 2000; ++row)
        table.setText(row, 2, std::string(150, static_cast<char>('A' + row % 26)), false);
    return table;
}

class SaveInterruptionTest : public ::testing::Test {
protected:
    // Saves `previous` whole, then the table interrupted after each given
    // byte count; every time the previous file must be all that is there.
    void expectEveryInterruptionKeepsThePreviousFile(const grid::GridModel& table,
                                                     const std::vector<std::size_t>& limits, Interruption kind) {
        for (const std::size_t limit : limits) {
            files.interruptAfter(limit, kind);
            if (!saveGridFile(table, kPath, files, codec)) {
                const auto kept = files.files().find(kPath);
                if (kept == files.files().end() || kept->second != previousBytes || files.files().size() != 1) {
                    ADD_FAILURE() << "a save interrupted after " << limit << " bytes changed the folder";
                    return;
                }
            } else {
                ADD_FAILURE() << "a save interrupted after " << limit << " bytes reported success";
                return;
            }
        }
    }

    void savePrevious() {
        previous.setText(5, 2, "FA 05 ED ", false);
        ASSERT_TRUE(saveGridFile(previous, kPath, files, codec));
        previousBytes = files.files().at(kPath);
        ASSERT_EQ(previousBytes, gridFileBytes(previous, codec));
    }

    static std::vector<std::size_t> everyCountBelow(std::size_t size) {
        std::vector<std::size_t> counts(size);
        for (std::size_t i = 0; i < size; ++i) counts[i] = i;
        return counts;
    }

    grid::BytePictureCodec codec;
    MemoryFileSystem files;
    grid::GridModel previous = grid::testing::makeWindowGrid();
    std::vector<std::uint8_t> previousBytes;
};

TEST_F(SaveInterruptionTest, ConfigurationTableCutAtEveryByteKeepsThePreviousFile) {
    ASSERT_NO_FATAL_FAILURE(savePrevious());
    const grid::GridModel table = filledTable(codec);
    const std::vector<std::uint8_t> whole = gridFileBytes(table, codec);
    ASSERT_GT(whole.size(), previousBytes.size());
    expectEveryInterruptionKeepsThePreviousFile(table, everyCountBelow(whole.size()), Interruption::ShortWrite);
    expectEveryInterruptionKeepsThePreviousFile(table, everyCountBelow(whole.size()), Interruption::NothingWritten);

    // The last byte missing is caught as well as the first; with room for
    // all of it the same save goes through.
    files.interruptAfter(whole.size(), Interruption::ShortWrite);
    ASSERT_TRUE(saveGridFile(table, kPath, files, codec));
    EXPECT_EQ(files.files().at(kPath), whole);
    EXPECT_EQ(files.files().size(), 1u);
}

TEST_F(SaveInterruptionTest, TableOfEveryFileFeatureCutAtEveryByteKeepsThePreviousFile) {
    ASSERT_NO_FATAL_FAILURE(savePrevious());
    const grid::GridModel rich = grid::testing::makeRichGrid(codec);
    const std::size_t size = gridFileBytes(rich, codec).size();
    expectEveryInterruptionKeepsThePreviousFile(rich, everyCountBelow(size), Interruption::ShortWrite);
}

TEST_F(SaveInterruptionTest, LargeTableCutAroundEveryBufferedPieceKeepsThePreviousFile) {
    ASSERT_NO_FATAL_FAILURE(savePrevious());
    const grid::GridModel table = largeTable();
    const std::size_t size = gridFileBytes(table, codec).size();
    constexpr std::size_t kPiece = 64 * 1024;
    ASSERT_GT(size, 4 * kPiece);
    std::vector<std::size_t> limits;
    for (std::size_t piece = kPiece; piece < size + kPiece; piece += kPiece) {
        for (std::size_t near = piece - 2; near <= piece + 2; ++near) {
            if (near < size) limits.push_back(near);
        }
    }
    for (std::size_t limit = 0; limit < size; limit += 4093) limits.push_back(limit);
    limits.push_back(size - 1);
    expectEveryInterruptionKeepsThePreviousFile(table, limits, Interruption::ShortWrite);
    expectEveryInterruptionKeepsThePreviousFile(table, limits, Interruption::NothingWritten);
}

TEST_F(SaveInterruptionTest, NoTemporaryFileMeansNoSaveAndNothingTouched) {
    ASSERT_NO_FATAL_FAILURE(savePrevious());
    files.failCreate();
    EXPECT_FALSE(saveGridFile(filledTable(codec), kPath, files, codec));
    EXPECT_EQ(files.files(), (MemoryFileSystem::Files{{kPath, previousBytes}}));
}

TEST_F(SaveInterruptionTest, InterruptedFirstSaveLeavesNoFileAtAll) {
    const grid::GridModel table = filledTable(codec);
    const std::size_t size = gridFileBytes(table, codec).size();
    for (std::size_t limit = 0; limit < size; ++limit) {
        files.interruptAfter(limit, Interruption::ShortWrite);
        ASSERT_FALSE(saveGridFile(table, kPath, files, codec)) << limit;
        ASSERT_TRUE(files.files().empty()) << "after " << limit << " bytes";
    }
}

// The same cut at every byte through the platform's own files: the folder
// holds the previous file, byte for byte, and nothing else.
class SaveInterruptionOnDiskTest : public ::testing::Test {
protected:
    grid::BytePictureCodec codec;
    std::unique_ptr<grid::file::FileSystem> system = grid::file::makeSystemFileSystem();
    grid::testing::ScratchFolder folder;
};

TEST_F(SaveInterruptionOnDiskTest, ConfigurationTableCutAtEveryByteKeepsThePreviousFile) {
    const std::string path = folder.pathOf("data.dat");
    grid::GridModel previous = grid::testing::makeWindowGrid();
    grid::testing::buildApplicationTable(previous, codec);
    ASSERT_TRUE(saveGridFile(previous, path, *system, codec));
    const std::vector<std::uint8_t> old = grid::testing::readBytes(path);

    const grid::GridModel table = filledTable(codec);
    const std::size_t size = gridFileBytes(table, codec).size();
    for (std::size_t limit = 0; limit < size; ++limit) {
        grid::testing::FailingFileSystem failing(*system);
        failing.failWritesAfter(limit);
        ASSERT_FALSE(saveGridFile(table, path, failing, codec)) << limit;
        ASSERT_EQ(folder.fileNames(), std::vector<std::string>{"data.dat"}) << "after " << limit << " bytes";
        ASSERT_EQ(grid::testing::readBytes(path), old) << "after " << limit << " bytes";
    }
}

}  // namespace
}  // namespace veltrano::reliability
