#include "components/support/picture_layout.h"

#include <gtest/gtest.h>

#include "tests/components_basic/bitmap_file.h"

namespace veltrano::drawing {
namespace {

void putWord(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

class PictureLayoutTest : public ::testing::Test {
protected:
    // 3 x 2 pixels: rows of 9 bytes padded to 12.
    std::vector<std::uint8_t> bitmap = test::bitmapFile(3, 2, {1, 2, 3, 4, 5, 6});
};

TEST_F(PictureLayoutTest, AWellFormedBitmapIsLaidOut) {
    const auto layout = bitmapLayout(bitmap);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->infoOffset, 14u);
    EXPECT_EQ(layout->infoLength, 40u);
    EXPECT_EQ(layout->bitsOffset, 54u);
    EXPECT_EQ(layout->bitsLength, 24u);
    EXPECT_EQ(layout->width, 3);
    EXPECT_EQ(layout->height, 2);
}

TEST_F(PictureLayoutTest, MissingPixelBytesAreRefused) {
    bitmap.pop_back();
    EXPECT_FALSE(bitmapLayout(bitmap).has_value());
}

TEST_F(PictureLayoutTest, PixelOffsetsOutsideTheBytesAreRefused) {
    putWord(bitmap, 10, 0xFFFFFFF0);
    EXPECT_FALSE(bitmapLayout(bitmap).has_value());
    putWord(bitmap, 10, 20);  // inside the info header
    EXPECT_FALSE(bitmapLayout(bitmap).has_value());
}

TEST_F(PictureLayoutTest, HugeOrEmptyDimensionsAreRefused) {
    putWord(bitmap, 18, 0x7FFFFFFF);
    EXPECT_FALSE(bitmapLayout(bitmap).has_value());
    putWord(bitmap, 18, 3);
    putWord(bitmap, 22, 0);
    EXPECT_FALSE(bitmapLayout(bitmap).has_value());
    putWord(bitmap, 22, 0x80000000);
    EXPECT_FALSE(bitmapLayout(bitmap).has_value());
}

TEST_F(PictureLayoutTest, APaletteThatDoesNotFitIsRefused) {
    bitmap[28] = 8;  // 8 bits per pixel wants a 1 KiB palette
    EXPECT_FALSE(bitmapLayout(bitmap).has_value());
}

TEST_F(PictureLayoutTest, CompressedAndOddFormatsAreRefused) {
    auto compressed = bitmap;
    putWord(compressed, 30, 1);
    EXPECT_FALSE(bitmapLayout(compressed).has_value());
    auto odd = bitmap;
    odd[28] = 7;
    EXPECT_FALSE(bitmapLayout(odd).has_value());
    EXPECT_FALSE(bitmapLayout(std::vector<std::uint8_t>(bitmap.begin(), bitmap.begin() + 30)).has_value());
}

TEST_F(PictureLayoutTest, TheFirstIconImageIsFound) {
    std::vector<std::uint8_t> icon(22 + 8, 0);
    icon[2] = 1;  // icon
    icon[4] = 1;  // one image
    icon[6] = 16;
    icon[7] = 0;  // 256 high
    putWord(icon, 6 + 8, 8);
    putWord(icon, 6 + 12, 22);
    const auto layout = iconLayout(icon);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->imageOffset, 22u);
    EXPECT_EQ(layout->imageLength, 8u);
    EXPECT_EQ(layout->width, 16);
    EXPECT_EQ(layout->height, 256);
    EXPECT_FALSE(layout->cursor);

    putWord(icon, 6 + 8, 9);  // one byte past the end
    EXPECT_FALSE(iconLayout(icon).has_value());
    putWord(icon, 6 + 8, 8);
    icon[4] = 0;
    EXPECT_FALSE(iconLayout(icon).has_value());
}

TEST_F(PictureLayoutTest, BitmapBytesAreNoIcon) {
    EXPECT_FALSE(iconLayout(bitmap).has_value());
}

}  // namespace
}  // namespace veltrano::drawing
