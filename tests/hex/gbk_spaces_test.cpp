#include "app/hex/gbk_spaces.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrano::hex {
namespace {

TEST(GbkSpacesTest, TrimRemovesMixedSpacesAtBothEnds) {
    EXPECT_EQ(trimSpaces(" \xA1\xA1 a b\xA1\xA1 "), "a b");
}

TEST(GbkSpacesTest, TrimOfOnlySpacesIsEmpty) {
    EXPECT_EQ(trimSpaces("\xA1\xA1  \xA1\xA1"), "");
}

TEST(GbkSpacesTest, TrimKeepsACharacterWhoseTrailByteIsA1) {
    // B0 A1 is one character; the A1 A1 after it is a full-width space.
    EXPECT_EQ(trimSpaces("x\xB0\xA1\xA1\xA1"), "x\xB0\xA1");
}

TEST(GbkSpacesTest, TrimDoesNotPairAcrossCharacters) {
    // The bytes A1 A1 here are the trail of B0 A1 and a lone lead byte, not a
    // full-width space.
    EXPECT_EQ(trimSpaces("x\xB0\xA1\xA1"), "x\xB0\xA1\xA1");
}

TEST(GbkSpacesTest, TrimKeepsATrailingSpaceThatIsATrailByte) {
    EXPECT_EQ(trimSpaces("x\xB0 "), "x\xB0 ");
}

TEST(GbkSpacesTest, RemoveKeepsFullWidthSpacesAndTrailBytes) {
    EXPECT_EQ(removeAsciiSpaces(" a \xA1\xA1 b\xB0 c "),
              "a\xA1\xA1"
              "b\xB0 c");
}

TEST(GbkSpacesTest, UpperCaseSkipsTrailBytes) {
    std::string text =
        "ab\xB0"
        "cd\xB0";
    toUpperAscii(text);
    EXPECT_EQ(text,
              "AB\xB0"
              "cD\xB0");
}

}  // namespace
}  // namespace veltrano::hex
