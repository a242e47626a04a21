#include "runtime/template/byte_reader.h"

#include <gtest/gtest.h>

#include <numeric>

#include "template_builders.h"

namespace veltrano {
namespace {

class BufferedByteReaderTest : public ::testing::Test {
protected:
    // Words 0, 1, 2, ... so every position has a value of its own.
    static std::vector<std::uint8_t> countingWords(std::size_t count) {
        std::vector<std::uint8_t> bytes;
        for (std::uint32_t i = 0; i < count; ++i) test::appendWord(bytes, i * 0x01010101u + 7);
        return bytes;
    }
};

TEST_F(BufferedByteReaderTest, WordsAcrossManyRefillsKeepTheirOrder) {
    const auto bytes = countingWords(3000);  // about three buffers
    BufferedByteReader reader(bytes);
    for (std::uint32_t i = 0; i < 3000; ++i) {
        std::uint32_t value = 0;
        ASSERT_TRUE(reader.readU32(value)) << i;
        ASSERT_EQ(value, i * 0x01010101u + 7) << i;
    }
    std::uint32_t past = 0x5A5A5A5A;
    EXPECT_FALSE(reader.readU32(past));
    EXPECT_EQ(past, 0x5A5A5A5Au);
}

TEST_F(BufferedByteReaderTest, UnalignedWordStraddlingTheBufferEndIsWhole) {
    std::vector<std::uint8_t> bytes(BufferedByteReader::kBufferSize + 8, 0);
    bytes[BufferedByteReader::kBufferSize - 2] = 0x11;
    bytes[BufferedByteReader::kBufferSize - 1] = 0x22;
    bytes[BufferedByteReader::kBufferSize] = 0x33;
    bytes[BufferedByteReader::kBufferSize + 1] = 0x44;
    BufferedByteReader reader(bytes);
    std::vector<std::uint8_t> skipped;
    ASSERT_TRUE(reader.readBytes(BufferedByteReader::kBufferSize - 2, skipped));
    std::uint32_t value = 0;
    ASSERT_TRUE(reader.readU32(value));
    EXPECT_EQ(value, 0x44332211u);
    EXPECT_EQ(reader.position(), BufferedByteReader::kBufferSize + 2);
    EXPECT_EQ(reader.remaining(), 6u);
}

TEST_F(BufferedByteReaderTest, BlockLargerThanTheBufferComesBackExactly) {
    std::vector<std::uint8_t> bytes;
    test::appendWord(bytes, 10000);
    for (int i = 0; i < 10000; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 7));
    test::appendWord(bytes, 0xCAFEF00D);
    BufferedByteReader reader(bytes);
    std::vector<std::uint8_t> block;
    ASSERT_TRUE(reader.readBlock(block));
    ASSERT_EQ(block.size(), 10000u);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), bytes.begin() + 4));
    std::uint32_t after = 0;
    ASSERT_TRUE(reader.readU32(after));
    EXPECT_EQ(after, 0xCAFEF00Du);
}

TEST_F(BufferedByteReaderTest, NonPositiveBlockLengthIsAnEmptyBlock) {
    std::vector<std::uint8_t> bytes;
    test::appendWord(bytes, 0xFFFFFFF0);
    test::appendWord(bytes, 0);
    test::appendWord(bytes, 42);
    BufferedByteReader reader(bytes);
    std::vector<std::uint8_t> block{1, 2, 3};
    ASSERT_TRUE(reader.readBlock(block));
    EXPECT_TRUE(block.empty());
    block = {9};
    ASSERT_TRUE(reader.readBlock(block));
    EXPECT_TRUE(block.empty());
    std::uint32_t value = 0;
    ASSERT_TRUE(reader.readU32(value));
    EXPECT_EQ(value, 42u);
}

TEST_F(BufferedByteReaderTest, BlockRunningPastTheEndFailsAndKeepsTheOutput) {
    std::vector<std::uint8_t> bytes;
    test::appendWord(bytes, 0x7FFFFFFF);
    bytes.resize(64, 0xEE);
    BufferedByteReader reader(bytes);
    std::vector<std::uint8_t> block{1, 2, 3};
    EXPECT_FALSE(reader.readBlock(block));
    EXPECT_EQ(block, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(BufferedByteReaderTest, CountedTextRejectsNegativeLengths) {
    const std::vector<std::uint8_t> bytes{3, 0, 0, 0, 'a', 'b', 'c', 0xFF, 0xFF, 0xFF, 0xFF};
    BufferedByteReader reader(bytes);
    std::string text;
    ASSERT_TRUE(reader.readCountedText(text));
    EXPECT_EQ(text, "abc");
    EXPECT_FALSE(reader.readCountedText(text));
    EXPECT_EQ(text, "abc");
}

TEST_F(BufferedByteReaderTest, ShortWordAtTheEndFails) {
    const std::vector<std::uint8_t> bytes{1, 2, 3};
    BufferedByteReader reader(bytes);
    std::int32_t value = -1;
    EXPECT_FALSE(reader.readI32(value));
    EXPECT_EQ(value, -1);
    EXPECT_EQ(reader.remaining(), 3u);
}

}  // namespace
}  // namespace veltrano
