#include <gtest/gtest.h>

#include <sstream>

#include "grid/file/file_system.h"
#include "grid/file/grid_file_reader.h"
#include "grid/model/byte_picture_codec.h"
#include "test_files.h"
#include "tools/veltrano_table/empty_table.h"
#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/key_table_exchange.h"
#include "tools/veltrano_table/table_tool.h"

namespace veltrano::tools {
namespace {

// Sheets whose key names disagree with the program's table, the way a row
// inserted into or deleted from a spreadsheet leaves them.
class KeyCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid::BytePictureCodec codec;
        ASSERT_TRUE(grid::file::readGridFile(emptyProgramTable(), table, codec).ok());
    }

    std::string keyOf(int row) const { return gbkToUtf8(table.cell(row, 1)->text).value_or("?"); }

    // A record naming row with the key of keyRow.
    std::string record(int row, int keyRow, const std::string& code = "FA 01 ED") const {
        return std::to_string(row) + ",," + keyOf(keyRow) + "," + code + "\n";
    }

    std::vector<ImportProblem> import(const std::string& csv) { return importKeyTableCsv(csv, table); }

    grid::GridModel table;
};

TEST_F(KeyCheckTest, KeysAllOneRowBelowTheirRowsAreOneProblem) {
    std::string csv = "row,device,key,code\n";
    for (int row = 2; row <= 78; ++row) csv += record(row, row - 1);
    const std::vector<ImportProblem> problems = import(csv);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].line, 0);
    EXPECT_EQ(problems[0].reason, "every key stands one row below its row: was a row inserted or deleted above?");
    EXPECT_EQ(table.cell(2, 2)->text, "") << "nothing is taken";
}

TEST_F(KeyCheckTest, ASheetRightUpToARowIsToldWhereItShifts) {
    std::string csv;
    for (int row = 1; row <= 4; ++row) csv += record(row, row);
    for (int row = 5; row <= 77; ++row) csv += record(row, row + 1);
    const std::vector<ImportProblem> problems = import(csv);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].line, 5);
    EXPECT_EQ(problems[0].row, 5);
    EXPECT_EQ(problems[0].reason,
              "from here on every key stands one row above its row: was a row inserted or deleted above?");
}

TEST_F(KeyCheckTest, MismatchesThatAreNoShiftAreListedOneByOne) {
    // One neighbour's key alone is no evidence of a shift.
    std::vector<ImportProblem> problems = import(record(5, 4) + record(6, 6));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].reason, "the key is \"" + keyOf(4) + "\" but row 5 holds \"" + keyOf(5) + "\"");

    // Shifted, but a later key fits neither its row nor the shift.
    problems = import(record(5, 4) + record(6, 5) + record(7, 5) + record(8, 8));
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[2].line, 3);
    EXPECT_NE(problems[2].reason.find("but row 7 holds"), std::string::npos) << problems[2].reason;
}

TEST_F(KeyCheckTest, OtherProblemsStayBesideTheShiftInLineOrder) {
    const std::string csv = "30,,,FA 0\n" + record(31, 30) + record(32, 31) + "99,,,FA\n" + record(33, 32);
    const std::vector<ImportProblem> problems = import(csv);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].line, 0) << "the shift is said of the whole sheet";
    EXPECT_EQ(problems[1].line, 1);
    EXPECT_NE(problems[1].reason.find("odd number"), std::string::npos);
    EXPECT_EQ(problems[2].line, 4);
}

class ImportReportTest : public ::testing::Test {
protected:
    std::unique_ptr<grid::file::FileSystem> files = grid::file::makeSystemFileSystem();
    grid::testing::ScratchFolder folder;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ImportReportTest, TenProblemsAreShownAndTheRestCounted) {
    const std::string csv = folder.pathOf("codes.csv");
    std::string text;
    for (int row = 1; row <= 15; ++row) text += std::to_string(row) + ",,,FA 0G\n";
    grid::testing::writeBytes(csv, std::vector<std::uint8_t>(text.begin(), text.end()));
    const std::vector<std::string> arguments{"import", csv, folder.pathOf("data.dat")};
    EXPECT_EQ(runTableTool(arguments, out, err, *files), kExitDamaged);

    std::vector<std::string> lines;
    std::istringstream report(err.str());
    for (std::string line; std::getline(report, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 12u) << err.str();
    EXPECT_EQ(lines[0].rfind(csv + ": line 1, row 1: \"G\" is not a hexadecimal digit", 0), 0u) << lines[0];
    EXPECT_EQ(lines[9].rfind(csv + ": line 10, row 10: ", 0), 0u) << lines[9];
    EXPECT_EQ(lines[10], csv + ": ... and 5 more");
    EXPECT_EQ(lines[11], "veltrano-table: nothing was written to " + folder.pathOf("data.dat"));
}

}  // namespace
}  // namespace veltrano::tools
