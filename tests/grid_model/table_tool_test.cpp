#include "tools/veltrano_table/table_tool.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "file_bytes.h"
#include "grid/file/file_system.h"
#include "test_files.h"
#include "tools/veltrano_table/file_reason.h"
#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/output_buffer.h"

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

TEST_F(TableToolTest, FailuresNameTheFileAndTheSystemsReason) {
    const std::string missing = folder.pathOf("nosuch.dat");
    EXPECT_EQ(run({"check", missing}), kExitDamaged);
    EXPECT_EQ(err.str(), "veltrano-table: cannot read " + missing + ": no such file\n");

    std::filesystem::create_directory(folder.pathOf("sub"));
    EXPECT_EQ(run({"show", folder.pathOf("sub")}), kExitDamaged);
    EXPECT_EQ(err.str(), "veltrano-table: cannot read " + folder.pathOf("sub") + ": is a folder\n");
    EXPECT_EQ(out.str(), "");

    const std::string csv = folder.pathOf("codes.csv");
    grid::testing::writeBytes(csv, {'2', '1', ',', ',', ',', 'F', 'A', '\n'});
    const std::string homeless = folder.pathOf("gone/data.dat");
    EXPECT_EQ(run({"import", csv, homeless}), kExitDamaged);
    EXPECT_EQ(err.str(), "veltrano-table: cannot write " + homeless + ": no such folder\n");
}

TEST_F(TableToolTest, AFileOfAnotherKindIsNotCalledADamagedTable) {
    const std::string text = folder.pathOf("notes.dat");
    const std::string line = "not a table file\n";
    std::vector<std::uint8_t> bytes;
    for (int copy = 0; copy < 40; ++copy) bytes.insert(bytes.end(), line.begin(), line.end());
    grid::testing::writeBytes(text, bytes);
    EXPECT_EQ(run({"check", text}), kExitDamaged);
    EXPECT_EQ(err.str().rfind(
                  "veltrano-table: " + text + " is not a Veltrano table file: damaged header at byte offset 0", 0),
              0u)
        << err.str();

    // A table file cut short is still called one, with the damage named.
    std::vector<std::uint8_t> cut = grid::testing::readBytes(kGoldenTable);
    cut.resize(600);
    const std::string damaged = folder.pathOf("cut.dat");
    grid::testing::writeBytes(damaged, cut);
    EXPECT_EQ(run({"check", damaged}), kExitDamaged);
    EXPECT_EQ(err.str().rfind("veltrano-table: " + damaged + ": damaged ", 0), 0u) << err.str();
}

TEST_F(TableToolTest, WrongArgumentsNameTheFormTheCommandTakes) {
    EXPECT_EQ(run({"export", kGoldenTable}), kExitUsage);
    EXPECT_EQ(err.str(), "veltrano-table: export needs --csv: veltrano-table export FILE --csv\n");
    EXPECT_EQ(run({"export", kGoldenTable, "--json"}), kExitUsage);
    EXPECT_EQ(err.str(), "veltrano-table: export needs --csv: veltrano-table export FILE --csv\n");
    EXPECT_EQ(run({"import", "codes.csv"}), kExitUsage);
    EXPECT_EQ(err.str(), "veltrano-table: import: wrong arguments: veltrano-table import CSV FILE\n");
    EXPECT_EQ(run({"dump", kGoldenTable}), kExitUsage);
    EXPECT_EQ(err.str().rfind("veltrano-table: unknown command \"dump\"\nusage: ", 0), 0u) << err.str();
    EXPECT_EQ(out.str(), "");
}

TEST(FileReasonTest, ReasonsAreWordedTheSameFromErrnoAndFromMappedSystemErrors) {
    EXPECT_EQ(reasonText({}, FileUse::Reading), "");
    EXPECT_EQ(reasonText({ENOENT, std::generic_category()}, FileUse::Reading), ": no such file");
    EXPECT_EQ(reasonText(std::make_error_code(std::errc::no_such_file_or_directory), FileUse::Writing),
              ": no such folder");
    EXPECT_EQ(reasonText({ENOSPC, std::generic_category()}, FileUse::Writing), ": no space left");
    EXPECT_EQ(reasonText(std::make_error_code(std::errc::is_a_directory), FileUse::Writing), ": is a folder");
    const std::string rare = reasonText(std::make_error_code(std::errc::too_many_links), FileUse::Writing);
    ASSERT_GT(rare.size(), 3u);
    EXPECT_TRUE(rare[2] >= 'a' && rare[2] <= 'z') << "the system's own words, in the line's lower case: " << rare;
}

TEST(OutputBufferTest, AFullDiskIsReportedWithItsReason) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    OutputBuffer buffer(full);
    std::ostream out(&buffer);
    out << std::string(100000, 'x');
    out.flush();
    EXPECT_FALSE(out);
    EXPECT_EQ(reasonText(buffer.error(), FileUse::Writing), ": no space left");
    std::fclose(full);
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
