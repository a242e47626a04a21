#include <gtest/gtest.h>

#include <sstream>

#include "file_bytes.h"
#include "grid/file/file_system.h"
#include "grid/file/grid_file.h"
#include "grid/file/grid_file_reader.h"
#include "grid/model/byte_picture_codec.h"
#include "test_files.h"
#include "tools/veltrano_table/code_rule.h"
#include "tools/veltrano_table/csv_text.h"
#include "tools/veltrano_table/empty_table.h"
#include "tools/veltrano_table/key_table_exchange.h"
#include "tools/veltrano_table/table_tool.h"

namespace veltrano::tools {
namespace {

// 投影仪 / HDMI1= in UTF-8, as a spreadsheet gives them back.
const std::string kProjector = "\xE6\x8A\x95\xE5\xBD\xB1\xE4\xBB\xAA";
const std::string kHdmi1 = "HDMI1=";

grid::GridModel programTable() {
    grid::GridModel table;
    grid::BytePictureCodec codec;
    EXPECT_TRUE(grid::file::readGridFile(emptyProgramTable(), table, codec).ok());
    return table;
}

std::string codeOf(const grid::GridModel& table, int row) {
    const grid::Cell* cell = table.cell(row, 2);
    return cell ? cell->text : std::string();
}

std::string exported(const grid::GridModel& table) {
    std::ostringstream out;
    EXPECT_TRUE(exportKeyTableCsv(table, out));
    return out.str();
}

TEST(CsvTextTest, QuotedFieldsLineEndsAndByteOrderMark) {
    std::string error;
    const auto records =
        parseCsv("\xEF\xBB\xBFrow,key\r\n1,\"a,b\"\n\n2,\"say \"\"hi\"\"\"\r\n3,\"two\nlines\",\n", error);
    ASSERT_TRUE(records) << error;
    ASSERT_EQ(records->size(), 4u);
    EXPECT_EQ((*records)[0].fields, (std::vector<std::string>{"row", "key"}));
    EXPECT_EQ((*records)[1].fields, (std::vector<std::string>{"1", "a,b"}));
    EXPECT_EQ((*records)[2].fields, (std::vector<std::string>{"2", "say \"hi\""}));
    EXPECT_EQ((*records)[2].line, 4) << "the blank line still counts";
    EXPECT_EQ((*records)[3].fields, (std::vector<std::string>{"3", "two\nlines", ""}));
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("plain"), "plain");
}

TEST(CsvTextTest, UnclosedQuotesAndTextAfterAClosingQuoteAreRefusedWithTheirLine) {
    std::string error;
    EXPECT_FALSE(parseCsv("1,ok\n2,\"never closed\n3,x\n", error));
    EXPECT_EQ(error, "line 2: a quoted field is never closed");
    EXPECT_FALSE(parseCsv("1,\"closed\"x\n", error));
    EXPECT_EQ(error, "line 1: text follows a closing quote");
}

TEST(KeyTableExchangeTest, ExportNamesEveryKeyWithItsDeviceAndCode) {
    grid::GridModel table = programTable();
    table.setText(21, 2, "FA 01 ED", false);
    const std::string csv = exported(table);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFrow,device,key,code\r\n", 0), 0u);
    EXPECT_NE(csv.find("\r\n21," + kProjector + "," + kHdmi1 + ",FA 01 ED\r\n"), std::string::npos);
    std::string error;
    const auto records = parseCsv(csv, error);
    ASSERT_TRUE(records);
    EXPECT_EQ(records->size(), 79u);
}

TEST(KeyTableExchangeTest, ExportThenImportIntoAnEmptyTableGivesTheSameCodes) {
    grid::GridModel filled = programTable();
    for (int row = 1; row <= 78; ++row) {
        filled.setText(row, 2, "FA " + std::to_string(10 + row) + " ED", false);
    }
    grid::GridModel empty = programTable();
    ASSERT_TRUE(importKeyTableCsv(exported(filled), empty).empty());
    EXPECT_TRUE(differingCodes(filled, empty).empty());
    EXPECT_EQ(exported(empty), exported(filled));
}

TEST(KeyTableExchangeTest, EveryBadRecordIsReportedAndTheTableStaysAsItWas) {
    grid::GridModel table = programTable();
    table.setText(5, 2, "FA 05 ED", false);
    const std::string csv =
        "row,device,key,code\n"
        "5,,,FA 55 ED\n"
        "21,," +
        kHdmi1 +
        ",FA 0G ED\n"
        "22,,,ABC\n"
        "0,,,FA ED\n"
        "five,,,FA ED\n"
        "23,,,\n"
        "23,,,FA ED\n"
        "24,," +
        kHdmi1 +
        ",FA ED\n"
        "25,too,few\n";
    const std::vector<ImportProblem> problems = importKeyTableCsv(csv, table);
    ASSERT_EQ(problems.size(), 7u);
    EXPECT_EQ(problems[0].line, 3);
    EXPECT_EQ(problems[0].row, 21);
    EXPECT_EQ(problems[0].reason.rfind("\"G\" is not a hexadecimal digit", 0), 0u) << problems[0].reason;
    EXPECT_EQ(problems[1].row, 22);
    EXPECT_NE(problems[1].reason.find("odd number of hexadecimal digits"), std::string::npos);
    EXPECT_EQ(problems[2].row, 0);
    EXPECT_NE(problems[2].reason.find("\"0\""), std::string::npos);
    EXPECT_NE(problems[3].reason.find("\"five\""), std::string::npos);
    EXPECT_EQ(problems[4].line, 8);
    EXPECT_NE(problems[4].reason.find("row given twice (first on line 7)"), std::string::npos);
    EXPECT_EQ(problems[5].row, 24);
    EXPECT_NE(problems[5].reason.find("the key is \"HDMI1=\""), std::string::npos) << problems[5].reason;
    EXPECT_NE(problems[6].reason.find("expected 4 fields"), std::string::npos);
    EXPECT_EQ(codeOf(table, 5), "FA 05 ED") << "nothing is taken while any record is bad";
}

TEST(KeyTableExchangeTest, ACsvWithoutRecordsIsRefused) {
    grid::GridModel table = programTable();
    for (const std::string csv : {"", "\r\n\r\n", "row,device,key,code\r\n", "row;device;key;code\r\n\r\n"}) {
        const std::vector<ImportProblem> problems = importKeyTableCsv(csv, table);
        ASSERT_EQ(problems.size(), 1u) << csv;
        EXPECT_EQ(problems[0].reason, "no records");
        EXPECT_EQ(problems[0].line, 0);
    }
}

TEST(KeyTableExchangeTest, SemicolonsAndTabsSeparateWhenTheHeaderShowsThem) {
    grid::GridModel table = programTable();
    ASSERT_TRUE(
        importKeyTableCsv("row;device;key;code\r\n21;" + kProjector + ", main;" + kHdmi1 + ";FA 01 ED\r\n", table)
            .empty());
    EXPECT_EQ(codeOf(table, 21), "FA 01 ED") << "a comma is text in a semicolon sheet";
    ASSERT_TRUE(importKeyTableCsv("\r\n\"row\"\t\"device\"\t\"key\"\t\"code\"\n22\t\t\tFA 02 ED\n", table).empty());
    EXPECT_EQ(codeOf(table, 22), "FA 02 ED");

    // Without the header a semicolon is text, and the record is one field.
    const std::vector<ImportProblem> problems = importKeyTableCsv("23;;;FA 03 ED\n", table);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].reason.find("found 1"), std::string::npos) << problems[0].reason;
    EXPECT_EQ(codeOf(table, 23), "");
}

TEST(CodeRuleTest, TheProgramsHexRuleIsWordedInEnglish) {
    EXPECT_EQ(codeProblem("fa 01 ed"), std::nullopt);
    EXPECT_EQ(codeProblem(""), std::nullopt);
    EXPECT_EQ(codeProblem("FA\xA1\xA1"
                          "01 ED"),
              std::nullopt)
        << "the program drops full-width spaces too";
    EXPECT_EQ(codeProblem("FA 0"), "the code has an odd number of hexadecimal digits; every byte takes two");
    EXPECT_EQ(codeProblem("FA 0g"),
              "\"G\" is not a hexadecimal digit; a code holds only 0-9 and A-F (either case), spaces aside");
    // 中 is named in UTF-8, whole; a tab is named as a byte, not printed.
    EXPECT_EQ(codeProblem("FA\xD6\xD0").value_or("").rfind("\"\xE4\xB8\xAD\" is not", 0), 0u);
    EXPECT_EQ(codeProblem("FA\t0").value_or("").rfind("\"\\x09\" is not", 0), 0u);
}

TEST(KeyTableExchangeTest, DifferencesIgnoreSpacesAndLetterCase) {
    grid::GridModel written = programTable();
    grid::GridModel readBack = programTable();
    written.setText(3, 2, "fa0102ed", false);
    readBack.setText(3, 2, "FA 01 02 ED ", false);
    written.setText(21, 2, "FA 01 ED", false);
    readBack.setText(21, 2, "FA 02 ED", false);
    const std::vector<CodeDifference> differences = differingCodes(written, readBack);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].row, 21);
    EXPECT_EQ(differences[0].key, "HDMI1=");
    EXPECT_EQ(differences[0].device, "\xCD\xB6\xD3\xB0\xD2\xC7");  // 投影仪 in code page 936
    EXPECT_EQ(differences[0].first, "FA 01 ED");
    EXPECT_EQ(differences[0].second, "FA 02 ED");
}

class TableExchangeToolTest : public ::testing::Test {
protected:
    int run(std::vector<std::string> arguments) {
        out.str({});
        err.str({});
        return runTableTool(arguments, out, err, *files);
    }

    void writeText(const std::string& path, const std::string& text) {
        grid::testing::writeBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    std::unique_ptr<grid::file::FileSystem> files = grid::file::makeSystemFileSystem();
    grid::testing::ScratchFolder folder;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(TableExchangeToolTest, ImportIntoANewFileStartsFromTheProgramsTable) {
    const std::string csv = folder.pathOf("codes.csv");
    const std::string table = folder.pathOf("data.dat");
    writeText(csv, "21,," + kHdmi1 + ",FA 01 02 ED\n");
    ASSERT_EQ(run({"import", csv, table}), kExitOk) << err.str();

    grid::GridModel loaded;
    grid::BytePictureCodec codec;
    ASSERT_TRUE(grid::file::readGridFile(grid::testing::readBytes(table), loaded, codec).ok());
    EXPECT_EQ(codeOf(loaded, 21), "FA 01 02 ED");
    grid::GridModel expected = programTable();
    expected.setText(21, 2, "FA 01 02 ED", false);
    EXPECT_EQ(exported(loaded), exported(expected));
    EXPECT_EQ(loaded.settings().gridLineColour, expected.settings().gridLineColour) << "the program's look is kept";

    EXPECT_EQ(run({"diff", table, table}), kExitOk);
    EXPECT_EQ(out.str(), "");
}

TEST_F(TableExchangeToolTest, AnImportSaysWhatItTookAndWhatStaysEmpty) {
    const std::string csv = folder.pathOf("codes.csv");
    const std::string table = folder.pathOf("data.dat");
    writeText(csv, "row,device,key,code\r\n21,,,FA 01 ED\r\n22,,,  \r\n23,,,FA 03 ED\r\n");
    ASSERT_EQ(run({"import", csv, table}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), table + ": 2 codes taken from " + csv + ", 76 rows left empty\n");

    // The existing codes count among the filled rows; clearing one empties it.
    writeText(csv, "22,,,FA 02 ED\n23,,,\n");
    ASSERT_EQ(run({"import", csv, table}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), table + ": 1 code taken from " + csv + ", 76 rows left empty\n");
}

TEST_F(TableExchangeToolTest, AnEmptyOrHeaderOnlyCsvWritesNothing) {
    const std::string csv = folder.pathOf("codes.csv");
    const std::string table = folder.pathOf("data.dat");
    for (const std::string text : {"", "\xEF\xBB\xBFrow,device,key,code\r\n"}) {
        writeText(csv, text);
        EXPECT_EQ(run({"import", csv, table}), kExitDamaged);
        EXPECT_EQ(err.str(), csv + ": no records\nveltrano-table: nothing was written to " + table + "\n");
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"codes.csv"});
}

TEST_F(TableExchangeToolTest, BadCodesWriteNothingAndAnExistingTableKeepsEveryByte) {
    const std::string csv = folder.pathOf("codes.csv");
    const std::string table = folder.pathOf("data.dat");
    writeText(csv, "21,,,FA 01 02 ED\n");
    ASSERT_EQ(run({"import", csv, table}), kExitOk);
    const std::vector<std::uint8_t> before = grid::testing::readBytes(table);

    writeText(csv, "21,,,FA 03 ED\n22,,,F\n");
    EXPECT_EQ(run({"import", csv, table}), kExitDamaged);
    EXPECT_NE(err.str().find("line 2, row 22: "), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("nothing was written"), std::string::npos);
    EXPECT_EQ(grid::testing::readBytes(table), before);

    EXPECT_EQ(run({"import", csv, folder.pathOf("new.dat")}), kExitDamaged);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"codes.csv", "data.dat"}));
}

TEST_F(TableExchangeToolTest, ADamagedTableIsNotReplaced) {
    const std::string csv = folder.pathOf("codes.csv");
    const std::string table = folder.pathOf("data.dat");
    writeText(csv, "21,,,FA 01 ED\n");
    const std::vector<std::uint8_t> damaged(600, 7);
    grid::testing::writeBytes(table, damaged);
    EXPECT_EQ(run({"import", csv, table}), kExitDamaged);
    EXPECT_EQ(grid::testing::readBytes(table), damaged);
}

TEST_F(TableExchangeToolTest, SheetsSavedInGbkOrUtf16AreTaken) {
    const std::string csv = folder.pathOf("codes.csv");
    const std::string table = folder.pathOf("data.dat");
    // A Chinese-locale spreadsheet's CSV: GBK, the key names in GBK too.
    writeText(csv, "row,device,key,code\r\n21,\xCD\xB6\xD3\xB0\xD2\xC7,HDMI1=,FA 01 ED\r\n");
    ASSERT_EQ(run({"import", csv, table}), kExitOk) << err.str();
    EXPECT_EQ(err.str(), "");

    // "Unicode text": UTF-16 little endian with its mark, separated by tabs.
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("row\tdevice\tkey\tcode\r\n54\t\tHDMI1=\tFA 02 ED\r\n")) {
        utf16 += std::string{c, '\0'};
    }
    writeText(csv, utf16);
    ASSERT_EQ(run({"import", csv, table}), kExitOk) << err.str();

    grid::GridModel loaded;
    grid::BytePictureCodec codec;
    ASSERT_TRUE(grid::file::readGridFile(grid::testing::readBytes(table), loaded, codec).ok());
    EXPECT_EQ(codeOf(loaded, 21), "FA 01 ED");
    EXPECT_EQ(codeOf(loaded, 54), "FA 02 ED");
}

TEST_F(TableExchangeToolTest, AFileOfNoTextEncodingIsRefusedInOneLine) {
    const std::string csv = folder.pathOf("photo.csv");
    writeText(csv, std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\x1B[2J", 20));
    EXPECT_EQ(run({"import", csv, folder.pathOf("data.dat")}), kExitDamaged);
    EXPECT_EQ(err.str(), "veltrano-table: " + csv +
                             " is neither UTF-8, GBK nor UTF-16 with a byte order mark: byte 0x1A at offset 6\n");
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"photo.csv"});
}

TEST_F(TableExchangeToolTest, ATableFileGivenAsTheCsvIsNamedAndNotPrinted) {
    const std::string csv = folder.pathOf("codes.csv");
    const std::string table = folder.pathOf("table.dat");
    writeText(csv, "21,,,FA 01 ED\n");
    ASSERT_EQ(run({"import", csv, table}), kExitOk);
    const std::vector<std::uint8_t> before = grid::testing::readBytes(table);

    EXPECT_EQ(run({"import", table, folder.pathOf("out.dat")}), kExitUsage);
    EXPECT_EQ(err.str(),
              "veltrano-table: " + table + " is a table file, not a CSV: import CSV FILE takes the CSV first\n");
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"codes.csv", "table.dat"}));
    EXPECT_EQ(grid::testing::readBytes(table), before);
}

TEST_F(TableExchangeToolTest, TextQuotedFromTheCsvCannotReachTheTerminalRaw) {
    // Line breaks inside quoted fields and C1 controls (here CSI, U+009B)
    // are text to the CSV but must not reach the terminal as they are.
    const std::string csv = folder.pathOf("codes.csv");
    writeText(csv,
              "21,,\"HDMI\r\n\xC2\x9B"
              "2J\",FA 01 ED\n\"1\n2\",,,FA\n");
    EXPECT_EQ(run({"import", csv, folder.pathOf("data.dat")}), kExitDamaged);
    EXPECT_NE(err.str().find("the key is \"HDMI\\x0D\\x0A\\xC2\\x9B"
                             "2J\" but row 21 holds \"HDMI1=\""),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("\"1\\x0A"
                             "2\" is not a key row"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(err.str().find("\xC2\x9B"), std::string::npos);
    EXPECT_EQ(err.str().find('\r'), std::string::npos);
}

TEST_F(TableExchangeToolTest, DiffListsTheKeysWhoseCodesDiffer) {
    const std::string csv = folder.pathOf("codes.csv");
    const std::string first = folder.pathOf("written.dat");
    const std::string second = folder.pathOf("read.dat");
    writeText(csv, "21,,,FA 01 ED\n54,,,FA 05 ED\n");
    ASSERT_EQ(run({"import", csv, first}), kExitOk);
    writeText(csv, "21,,,fa01ed\n54,,,FA 06 ED\n");
    ASSERT_EQ(run({"import", csv, second}), kExitOk);
    EXPECT_EQ(run({"diff", first, second}), kExitDamaged);
    EXPECT_EQ(out.str(), "row 54 \xE5\x8A\x9F\xE6\x94\xBE HDMI1=: FA 05 ED | FA 06 ED\n");  // 功放
    EXPECT_EQ(run({"diff", first, folder.pathOf("missing.dat")}), kExitUsage);

    // A cell holding control characters is printed escaped.
    grid::GridModel odd = programTable();
    odd.setText(54, 2, "FA 05 ED\x1B[2J", false);
    grid::BytePictureCodec codec;
    ASSERT_TRUE(grid::file::saveGridFile(odd, second, *files, codec));
    EXPECT_EQ(run({"diff", first, second}), kExitDamaged);
    EXPECT_EQ(out.str(),
              "row 21 \xE6\x8A\x95\xE5\xBD\xB1\xE4\xBB\xAA HDMI1=: FA 01 ED | \n"
              "row 54 \xE5\x8A\x9F\xE6\x94\xBE HDMI1=: FA 05 ED | FA 05 ED\\x1B[2J\n");
    EXPECT_EQ(run({"export", first}), kExitUsage) << "the format is named";
}

}  // namespace
}  // namespace veltrano::tools
