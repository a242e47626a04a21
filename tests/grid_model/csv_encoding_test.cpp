#include "tools/veltrano_table/csv_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/veltrano_table/message_text.h"
#include "tools/veltrano_table/utf8_text.h"

namespace veltrano::tools {
namespace {

// 投影仪 in UTF-8 and in GBK.
const std::string kProjectorUtf8 = "\xE6\x8A\x95\xE5\xBD\xB1\xE4\xBB\xAA";
const std::string kProjectorGbk = "\xCD\xB6\xD3\xB0\xD2\xC7";

class CsvEncodingTest : public ::testing::Test {
protected:
    std::optional<std::string> decode(const std::string& bytes) {
        problem.clear();
        const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        return decodeCsvBytes(data, problem);
    }

    // UTF-16 of ASCII and BMP text given as code units.
    static std::string utf16(std::u16string_view units, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t unit : units) {
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            bytes.push_back(bigEndian ? high : low);
            bytes.push_back(bigEndian ? low : high);
        }
        return bytes;
    }

    std::string problem;
};

TEST_F(CsvEncodingTest, Utf8IsTakenWithOrWithoutAByteOrderMark) {
    EXPECT_EQ(decode("21," + kProjectorUtf8 + "\r\n"), "21," + kProjectorUtf8 + "\r\n");
    EXPECT_EQ(decode("\xEF\xBB\xBF"
                     "21," +
                     kProjectorUtf8),
              "21," + kProjectorUtf8)
        << "the mark is dropped";
    EXPECT_EQ(decode(""), "");
}

TEST_F(CsvEncodingTest, GbkFromAChineseLocaleSpreadsheetBecomesUtf8) {
    EXPECT_EQ(decode("21," + kProjectorGbk + ",HDMI1=\r\n"), "21," + kProjectorUtf8 + ",HDMI1=\r\n") << problem;
    EXPECT_EQ(decode("\x80"), "\xE2\x82\xAC") << "code page 936 has the euro sign in one byte";
}

TEST_F(CsvEncodingTest, BytesThatAreValidUtf8AreReadAsUtf8EvenWhenTheyAreValidGbkToo) {
    // C3 A9 is é in UTF-8 and one Chinese character in GBK.
    EXPECT_EQ(decode("caf\xC3\xA9"), "caf\xC3\xA9");
}

TEST_F(CsvEncodingTest, Utf16InBothByteOrdersNeedsItsMark) {
    const std::u16string text = u"row\tkey\r\n21\t\u6295\u5F71\u4EEA\r\n";
    const std::string expected = "row\tkey\r\n21\t" + kProjectorUtf8 + "\r\n";
    EXPECT_EQ(decode(utf16(text, false)), expected) << problem;
    EXPECT_EQ(decode(utf16(text, true)), expected) << problem;
    EXPECT_EQ(decode(utf16(u"\xD83D\xDE00", false)), "\xF0\x9F\x98\x80") << "a surrogate pair is one character";

    EXPECT_FALSE(decode(utf16(u"row", false).substr(2)));
    EXPECT_EQ(problem, "is neither UTF-8, GBK nor UTF-16 with a byte order mark: byte 0x00 at offset 1");
}

TEST_F(CsvEncodingTest, BrokenUtf16IsRefusedAtItsOffset) {
    EXPECT_FALSE(decode(utf16(u"ab", false) + "c"));
    EXPECT_EQ(problem, "has a UTF-16 byte order mark but ends in half a character at offset 6");
    EXPECT_FALSE(decode(utf16(u"a\xDC00", true)));
    EXPECT_EQ(problem, "has a UTF-16 byte order mark but a lone surrogate at offset 4");
    EXPECT_FALSE(decode(utf16(u"a\x1B", false)));
    EXPECT_EQ(problem, "has a UTF-16 byte order mark but control character 0x1B at offset 4");
}

TEST_F(CsvEncodingTest, TextOfNoEncodingIsRefusedWhereTheFurtherReadingStopped) {
    // B0 cannot start UTF-8; as GBK, B0 41 and CD B6 are characters and
    // the reading stops at FF.
    EXPECT_FALSE(decode("\xB0\x41\xCD\xB6\xFF"));
    EXPECT_EQ(problem, "is neither UTF-8, GBK nor UTF-16 with a byte order mark: byte 0xFF at offset 4");
    // Control bytes make a file binary in every encoding.
    EXPECT_FALSE(decode(std::string("row,device\n1,\0,", 15)));
    EXPECT_EQ(problem, "is neither UTF-8, GBK nor UTF-16 with a byte order mark: byte 0x00 at offset 13");
    EXPECT_FALSE(decode("\xEF\xBB\xBF" + kProjectorGbk));
    EXPECT_EQ(problem, "has a UTF-8 byte order mark but is not UTF-8: byte 0xD2 at offset 7");
}

TEST(Utf8TextTest, OnlyWellFormedCharactersCount) {
    EXPECT_EQ(utf8CharacterLength("a", 0), 1u);
    EXPECT_EQ(utf8CharacterLength(kProjectorUtf8, 3), 3u);
    EXPECT_EQ(utf8CharacterLength("\xF0\x9F\x98\x80", 0), 4u);
    EXPECT_EQ(utf8CharacterLength("\xC1\xBF", 0), 0u) << "overlong";
    EXPECT_EQ(utf8CharacterLength("\xE0\x9F\xBF", 0), 0u) << "overlong";
    EXPECT_EQ(utf8CharacterLength("\xED\xA0\x80", 0), 0u) << "a surrogate";
    EXPECT_EQ(utf8CharacterLength("\xF4\x90\x80\x80", 0), 0u) << "past U+10FFFF";
    EXPECT_EQ(utf8CharacterLength("\xE6\x8A", 0), 0u) << "cut off";
    EXPECT_EQ(utf8CharacterLength("\xE6\x8A"
                                  "a",
                                  0),
              0u)
        << "a continuation byte missing";
    EXPECT_EQ(utf8CharacterLength("\x8A", 0), 0u);
}

TEST(MessageTextTest, QuotedTextEscapesControlAndStrayBytes) {
    EXPECT_EQ(quotedText("HDMI1="), "\"HDMI1=\"");
    EXPECT_EQ(quotedText(kProjectorUtf8), "\"" + kProjectorUtf8 + "\"");
    EXPECT_EQ(quotedText("\x1B[2J\r\n"), "\"\\x1B[2J\\x0D\\x0A\"");
    EXPECT_EQ(quotedText("a\xC2\x9B"
                         "b\xFF"),
              "\"a\\xC2\\x9Bb\\xFF\"")
        << "C1 controls and non-UTF-8 bytes alike";
    EXPECT_EQ(quotedText("\xE6\x8A"), "\"\\xE6\\x8A\"") << "a character cut short";
}

}  // namespace
}  // namespace veltrano::tools
