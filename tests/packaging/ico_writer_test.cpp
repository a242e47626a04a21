#include "tools/emblem/ico_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/emblem/emblem.h"

namespace veltrano::emblem {
namespace {

std::uint32_t u16At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return u16At(bytes, at) | u16At(bytes, at + 2) << 16;
}

MaskedImage solid(int width, int height, Rgb colour) {
    MaskedImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width * height), colour);
    image.opaque.assign(image.pixels.size(), true);
    return image;
}

// The program's icon file: the emblem at the sizes the build asks for.
class EmblemIconFile : public ::testing::Test {
protected:
    const std::array<int, 4> sizes{16, 32, 48, 256};
    std::vector<MaskedImage> images;
    std::vector<std::uint8_t> ico;

    void SetUp() override {
        for (int size : sizes) images.push_back(drawEmblem(size));
        ico = encodeIco24(images);
        ASSERT_FALSE(ico.empty());
    }
};

TEST_F(EmblemIconFile, DirectoryCountsEveryImage) {
    EXPECT_EQ(u16At(ico, 0), 0u);
    EXPECT_EQ(u16At(ico, 2), 1u);
    EXPECT_EQ(u16At(ico, 4), 4u);
}

TEST_F(EmblemIconFile, EntriesGiveSizesWithTheLargestWrittenAsZero) {
    const std::array<std::uint8_t, 4> written{16, 32, 48, 0};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico.at(entry), written[i]) << "entry " << i;
        EXPECT_EQ(ico.at(entry + 1), written[i]) << "entry " << i;
        EXPECT_EQ(ico.at(entry + 2), 0) << "no palette";
        EXPECT_EQ(u16At(ico, entry + 4), 1u) << "planes";
        EXPECT_EQ(u16At(ico, entry + 6), 24u) << "bits per pixel";
    }
}

TEST_F(EmblemIconFile, EachEntryPointsAtItsOwnBitmapAndTheBitmapsFillTheFile) {
    std::size_t expectedOffset = 6 + 16 * sizes.size();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t length = u32At(ico, entry + 8);
        const std::uint32_t offset = u32At(ico, entry + 12);
        EXPECT_EQ(offset, expectedOffset) << "entry " << i;
        ASSERT_LE(static_cast<std::size_t>(offset) + length, ico.size());
        const std::vector<std::uint8_t> stored(ico.begin() + offset, ico.begin() + offset + length);
        EXPECT_EQ(stored, encodeIconBitmap24(images[i])) << "entry " << i;
        EXPECT_EQ(u32At(ico, offset + 4), static_cast<std::uint32_t>(sizes[i]));
        EXPECT_EQ(u32At(ico, offset + 8), static_cast<std::uint32_t>(sizes[i] * 2)) << "colour rows and mask";
        expectedOffset = static_cast<std::size_t>(offset) + length;
    }
    EXPECT_EQ(expectedOffset, ico.size());
}

TEST_F(EmblemIconFile, OneImageAloneIsTheSameAsAListOfOne) {
    const std::vector<MaskedImage> one{images[1]};
    EXPECT_EQ(encodeIco24(images[1]), encodeIco24(one));
    EXPECT_EQ(u16At(encodeIco24(images[1]), 4), 1u);
}

// The bitmap of one image, checked pixel by pixel on small pictures.
class IconBitmap : public ::testing::Test {};

TEST_F(IconBitmap, ColourRowsRunBottomUpInBlueGreenRedOrderPaddedToFourBytes) {
    MaskedImage image = solid(1, 2, Rgb{10, 20, 30});
    image.pixels[1] = Rgb{40, 50, 60};  // bottom row
    const auto bitmap = encodeIconBitmap24(image);
    // Header, two colour rows of 4 bytes, two mask rows of 4 bytes.
    ASSERT_EQ(bitmap.size(), 40u + 8u + 8u);
    EXPECT_EQ(u32At(bitmap, 20), 16u) << "image size after the header";
    const std::vector<std::uint8_t> rows(bitmap.begin() + 40, bitmap.begin() + 48);
    EXPECT_EQ(rows, (std::vector<std::uint8_t>{60, 50, 40, 0, 30, 20, 10, 0}));
}

TEST_F(IconBitmap, TransparentPixelsAreBlackWithTheirMaskBitSet) {
    MaskedImage image = solid(9, 1, Rgb{200, 100, 50});
    image.opaque[0] = false;
    image.opaque[8] = false;
    const auto bitmap = encodeIconBitmap24(image);
    const std::size_t colourRow = 28;  // 27 bytes padded
    ASSERT_EQ(bitmap.size(), 40u + colourRow + 4u);
    EXPECT_EQ(bitmap[40], 0);
    EXPECT_EQ(bitmap[41], 0);
    EXPECT_EQ(bitmap[42], 0);
    EXPECT_EQ(bitmap[43], 50) << "the second pixel keeps its colour";
    const std::size_t mask = 40 + colourRow;
    EXPECT_EQ(bitmap[mask], 0x80);
    EXPECT_EQ(bitmap[mask + 1], 0x80) << "the ninth pixel is the second byte's first bit";
    EXPECT_EQ(bitmap[mask + 2], 0);
}

TEST_F(IconBitmap, ImagesAnIconCannotHoldGiveNothing) {
    EXPECT_TRUE(encodeIconBitmap24(solid(257, 1, Rgb{})).empty());
    EXPECT_TRUE(encodeIconBitmap24(MaskedImage{}).empty());
    MaskedImage shortMask = solid(4, 4, Rgb{});
    shortMask.opaque.resize(15);
    EXPECT_TRUE(encodeIconBitmap24(shortMask).empty());
    MaskedImage shortPixels = solid(4, 4, Rgb{});
    shortPixels.pixels.resize(3);
    EXPECT_TRUE(encodeIconBitmap24(shortPixels).empty());
}

TEST_F(IconBitmap, AFileWithAnImageItCannotHoldIsNotWrittenAtAll) {
    const std::vector<MaskedImage> mixed{solid(16, 16, Rgb{}), solid(300, 300, Rgb{})};
    EXPECT_TRUE(encodeIco24(mixed).empty());
    EXPECT_TRUE(encodeIco24(std::vector<MaskedImage>{}).empty());
    EXPECT_EQ(encodeIco24(solid(256, 256, Rgb{})).at(6), 0) << "256 fits, written as 0";
}

}  // namespace
}  // namespace veltrano::emblem
