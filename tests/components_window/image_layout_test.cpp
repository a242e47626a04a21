#include "components/window/image_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace veltrano {
namespace {

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct Entry {
    int size;
    std::uint32_t depth;
    std::uint32_t length;
};

// An icon file whose images are `length` filler bytes each, laid out after
// the directory.
std::vector<std::uint8_t> iconFile(std::initializer_list<Entry> entries, std::uint32_t type = 1) {
    const std::size_t count = entries.size();
    std::size_t total = 6 + 16 * count;
    for (const Entry& e : entries) total += e.length;
    std::vector<std::uint8_t> out(total);
    put16(out, 2, type);
    put16(out, 4, static_cast<std::uint32_t>(count));
    std::size_t entry = 6;
    auto offset = static_cast<std::uint32_t>(6 + 16 * count);
    for (const Entry& e : entries) {
        out[entry] = static_cast<std::uint8_t>(e.size == 256 ? 0 : e.size);
        out[entry + 1] = out[entry];
        put16(out, entry + 6, e.depth);
        put32(out, entry + 8, e.length);
        put32(out, entry + 12, offset);
        offset += e.length;
        entry += 16;
    }
    return out;
}

TEST(IconImages, TheExactSizeWithTheMostColoursWins) {
    const auto file = iconFile({{32, 4, 10}, {16, 32, 20}, {32, 32, 30}, {48, 32, 40}});
    const auto best = bestIconImage(file, 32, 32);
    ASSERT_TRUE(best.has_value());
    EXPECT_EQ(best->length, 30u);
    EXPECT_EQ(best->offset, 6u + 4 * 16 + 10 + 20);
}

TEST(IconImages, WithoutTheExactSizeTheSmallestLargerImageWins) {
    const auto file = iconFile({{64, 32, 11}, {48, 32, 12}, {16, 32, 13}});
    const auto best = bestIconImage(file, 32, 32);
    ASSERT_TRUE(best.has_value());
    EXPECT_EQ(best->width, 48);
    EXPECT_EQ(best->length, 12u);
}

TEST(IconImages, OnlySmallerImagesGiveTheLargest) {
    const auto file = iconFile({{16, 32, 5}, {24, 32, 6}});
    const auto best = bestIconImage(file, 48, 48);
    ASSERT_TRUE(best.has_value());
    EXPECT_EQ(best->width, 24);
}

TEST(IconImages, AWidthByteOfZeroMeans256) {
    const auto file = iconFile({{256, 32, 8}});
    const auto best = bestIconImage(file, 256, 256);
    ASSERT_TRUE(best.has_value());
    EXPECT_EQ(best->width, 256);
}

TEST(IconImages, AnEntryPointingOutsideTheBytesRejectsTheFile) {
    auto file = iconFile({{32, 32, 10}});
    put32(file, 6 + 12, 0xFFFFFFF0u);
    EXPECT_FALSE(bestIconImage(file, 32, 32).has_value());
    file = iconFile({{32, 32, 10}});
    put32(file, 6 + 8, 11);
    EXPECT_FALSE(bestIconImage(file, 32, 32).has_value());
}

TEST(IconImages, ATruncatedDirectoryOrAnotherFileTypeIsNoIcon) {
    auto file = iconFile({{32, 32, 10}, {16, 32, 10}});
    file.resize(6 + 16);
    EXPECT_FALSE(bestIconImage(file, 32, 32).has_value());
    EXPECT_FALSE(bestIconImage(iconFile({{32, 32, 10}}, 3), 32, 32).has_value());
    EXPECT_FALSE(bestIconImage(std::vector<std::uint8_t>{0, 0, 1}, 32, 32).has_value());
}

// A bitmap file of the given size and depth with zeroed pixels.
std::vector<std::uint8_t> bitmapFile(std::int32_t width, std::int32_t height, std::uint32_t bitCount) {
    const std::uint32_t palette = bitCount <= 8 ? (1u << bitCount) * 4 : 0;
    const std::uint32_t stride = ((static_cast<std::uint32_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint32_t rows = static_cast<std::uint32_t>(height < 0 ? -height : height);
    const std::uint32_t bitsOffset = 14 + 40 + palette;
    std::vector<std::uint8_t> out(bitsOffset + stride * rows);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, bitsOffset);
    put32(out, 14, 40);
    put32(out, 18, static_cast<std::uint32_t>(width));
    put32(out, 22, static_cast<std::uint32_t>(height));
    put16(out, 26, 1);
    put16(out, 28, bitCount);
    return out;
}

TEST(BitmapFiles, AWellFormedFileGivesItsSizeAndPixelOffset) {
    const auto file = bitmapFile(3, 2, 24);
    const auto layout = checkBitmapFile(file);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->width, 3);
    EXPECT_EQ(layout->height, 2);
    EXPECT_EQ(layout->bitsOffset, 54u);
}

TEST(BitmapFiles, TopDownRowsReportAPositiveHeight) {
    const auto layout = checkBitmapFile(bitmapFile(4, -5, 8));
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->height, 5);
    EXPECT_EQ(layout->bitsOffset, 54u + 256 * 4);
}

TEST(BitmapFiles, MissingPixelRowsRejectTheFile) {
    auto file = bitmapFile(3, 2, 24);
    file.pop_back();
    EXPECT_FALSE(checkBitmapFile(file).has_value());
}

TEST(BitmapFiles, AHugeSizeClaimedByTheHeaderIsRejectedNotTrusted) {
    auto file = bitmapFile(3, 2, 24);
    put32(file, 18, 0x7FFFFFFF);
    EXPECT_FALSE(checkBitmapFile(file).has_value());
    file = bitmapFile(3, 2, 24);
    put32(file, 22, 0x80000000u);
    EXPECT_FALSE(checkBitmapFile(file).has_value());
}

TEST(BitmapFiles, APixelOffsetInsideTheHeaderOrCompressedDataIsRejected) {
    auto file = bitmapFile(3, 2, 24);
    put32(file, 10, 20);
    EXPECT_FALSE(checkBitmapFile(file).has_value());
    file = bitmapFile(3, 2, 24);
    put32(file, 30, 1);
    EXPECT_FALSE(checkBitmapFile(file).has_value());
}

TEST(BitmapFiles, OtherBytesAreNoBitmap) {
    EXPECT_FALSE(checkBitmapFile(std::vector<std::uint8_t>(60, 0)).has_value());
    EXPECT_FALSE(checkBitmapFile(std::vector<std::uint8_t>{'B', 'M'}).has_value());
}

}  // namespace
}  // namespace veltrano
