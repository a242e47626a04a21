#include "runtime/values/gbk_path.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

TEST(GbkPathSplit, SplitsAtTheLastBackslash) {
    const SplitPath split = splitAtLastBackslash("C:\\Program Files\\Veltrano\\veltrano.exe");
    EXPECT_EQ(split.directory, "C:\\Program Files\\Veltrano");
    EXPECT_EQ(split.fileName, "veltrano.exe");
}

TEST(GbkPathSplit, PathWithoutBackslashIsAllFileName) {
    const SplitPath split = splitAtLastBackslash("veltrano.exe");
    EXPECT_TRUE(split.directory.empty());
    EXPECT_EQ(split.fileName, "veltrano.exe");
}

TEST(GbkPathSplit, TrailByte5CIsNotASeparator) {
    // A folder named with C5 E4 D6 C3, and a file whose first character is
    // D5 5C: a double-byte character whose trail byte equals the backslash.
    const std::string path = "C:\\\xC5\xE4\xD6\xC3\\\xD5\x5C.dat";
    const SplitPath split = splitAtLastBackslash(path);
    EXPECT_EQ(split.directory, "C:\\\xC5\xE4\xD6\xC3");
    EXPECT_EQ(split.fileName, "\xD5\x5C.dat");
}

TEST(GbkPathSplit, FolderNameEndingInTrailByte5C) {
    const std::string path = "D:\\\xD5\x5C\\a.dat";
    EXPECT_EQ(positionAfterLastBackslash(path), 6u);
    EXPECT_EQ(splitAtLastBackslash(path).directory, "D:\\\xD5\x5C");
}

TEST(GbkPathSplit, LeadByteAtTheEndDoesNotReadPastIt) {
    const std::string path = "C:\\a\\\xD5";
    EXPECT_EQ(splitAtLastBackslash(path).fileName, "\xD5");
}

}  // namespace
}  // namespace veltrano
