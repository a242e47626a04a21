#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "components/classdata/label_data.h"
#include "components/label/label_class.h"
#include "tests/components_basic/bitmap_file.h"
#include "tests/components_basic/component_fixture.h"

namespace veltrano::test {
namespace {

using classdata::LabelData;

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kTransparent = 0xFF000000;
constexpr int kBackColorProperty = 17;

void appendBigEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t length) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void appendChunk(std::vector<std::uint8_t>& file, const char (&type)[5], const std::vector<std::uint8_t>& data) {
    appendBigEndian(file, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    appendBigEndian(file, crc32(file.data() + start, file.size() - start));
}

// A one-row PNG of 8-bit RGBA pixels (0xAABBGGRR each), stored uncompressed.
std::vector<std::uint8_t> rgbaPngRow(const std::vector<std::uint32_t>& pixels) {
    std::vector<std::uint8_t> raw{0};
    for (std::uint32_t pixel : pixels) {
        for (int shift = 0; shift < 32; shift += 8) raw.push_back(static_cast<std::uint8_t>(pixel >> shift));
    }
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    const auto length = static_cast<std::uint16_t>(raw.size());
    std::vector<std::uint8_t> deflated{0x78,
                                       0x01,
                                       0x01,
                                       static_cast<std::uint8_t>(length),
                                       static_cast<std::uint8_t>(length >> 8),
                                       static_cast<std::uint8_t>(~length),
                                       static_cast<std::uint8_t>(~length >> 8)};
    deflated.insert(deflated.end(), raw.begin(), raw.end());
    appendBigEndian(deflated, (b << 16) | a);

    std::vector<std::uint8_t> header;
    appendBigEndian(header, static_cast<std::uint32_t>(pixels.size()));
    appendBigEndian(header, 1);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    appendChunk(file, "IHDR", header);
    appendChunk(file, "IDAT", deflated);
    appendChunk(file, "IEND", {});
    return file;
}

class LabelPaintingTest : public ComponentFixture {
protected:
    WindowObject* createLabel(const LabelData& data, int width, int height) {
        return create(kLabelClass, classdata::encode(data), RECT{0, 0, width, height});
    }
    // The smallest rectangle holding every pixel that is not `background`.
    static RECT inkBounds(const Painting& painting, int width, int height, std::uint32_t background) {
        RECT bounds{width, height, -1, -1};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (painting.at(x, y) == background) continue;
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
        }
        return bounds;
    }
    RECT captionInk(LabelData data, int width, int height) {
        data.BackColor = kWhite;
        data.TextColor = 0;
        WindowObject* label = createLabel(data, width, height);
        if (label == nullptr) return RECT{};
        Painting painting(label->handle(), width, height);
        return inkBounds(painting, width, height, kWhite);
    }
    // Every pixel of the label equals `colour`.
    static bool allPixels(const Painting& painting, int width, int height, std::uint32_t colour) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (painting.at(x, y) != colour) return false;
            }
        }
        return true;
    }
};

TEST_F(LabelPaintingTest, EmptyCaptionPaintsOnlyTheBackColour) {
    LabelData data;
    data.BackColor = 0x336699;
    WindowObject* label = createLabel(data, 40, 20);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 40, 20);
    EXPECT_TRUE(allPixels(painting, 40, 20, 0x336699));
}

TEST_F(LabelPaintingTest, SystemDefaultBackColourIsTheButtonFace) {
    WindowObject* label = createLabel(LabelData{}, 10, 10);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 10, 10);
    EXPECT_EQ(painting.at(5, 5), static_cast<std::uint32_t>(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(LabelPaintingTest, ThreeColourLeftToRightGradientMeetsItsColoursExactly) {
    LabelData data;
    data.GradientBackground = 2;
    data.GradientBackColor1 = kRed;
    data.GradientBackColor2 = kGreen;
    data.GradientBackColor3 = kBlue;
    data.BackColor = kWhite;
    // Wider than one 50-pixel tile in both directions.
    WindowObject* label = createLabel(data, 101, 60);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 101, 60);
    EXPECT_EQ(painting.at(0, 0), kRed);
    EXPECT_EQ(painting.at(50, 10), kGreen);
    EXPECT_EQ(painting.at(100, 59), kBlue);
    EXPECT_EQ(painting.at(25, 55), 0x007F80u);  // halfway from red to green, truncated
}

TEST_F(LabelPaintingTest, GradientWithOneColourLeftShowsThePlainBackColour) {
    LabelData data;
    data.GradientBackground = 2;
    data.GradientBackColor1 = kTransparent;
    data.GradientBackColor2 = kGreen;
    data.GradientBackColor3 = kTransparent;
    data.BackColor = 0x102030;
    WindowObject* label = createLabel(data, 30, 10);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 30, 10);
    EXPECT_TRUE(allPixels(painting, 30, 10, 0x102030));
}

TEST_F(LabelPaintingTest, GradientFrameSplitsTheCornersAlongTheDiagonal) {
    LabelData data;
    data.BorderStyle = 6;
    data.GradientBorderWidth = 8;
    data.GradientBorderColor1 = 0x000000;
    data.GradientBorderColor2 = kTransparent;
    data.GradientBorderColor3 = 0x0000F0;
    data.BackColor = kWhite;
    WindowObject* label = createLabel(data, 40, 30);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 40, 30);
    // Above the diagonal the top band's colour (by row), below it the left
    // band's (by column); both run over 8 pixels from 0 to 0xF0.
    EXPECT_EQ(painting.at(6, 1), 0x00001Eu);
    EXPECT_EQ(painting.at(1, 6), 0x00001Eu);
    EXPECT_EQ(painting.at(20, 0), 0x000000u);
    EXPECT_EQ(painting.at(20, 29), 0x0000D2u);  // bottom band, row 7 of 8
    EXPECT_EQ(painting.at(39, 15), 0x0000D2u);  // right band, column 7 of 8
    EXPECT_EQ(painting.at(20, 15), kWhite);     // content inside the frame
}

TEST_F(LabelPaintingTest, PictureAtNaturalSizeLeavesTheRestToBackColour) {
    LabelData data;
    data.BackPicture = bitmapFile(2, 2, {kRed, kGreen, kBlue, kRed});
    data.BackPictureMode = 0;
    data.BackColor = kWhite;
    WindowObject* label = createLabel(data, 10, 10);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 10, 10);
    EXPECT_EQ(painting.at(0, 0), kRed);
    EXPECT_EQ(painting.at(1, 0), kGreen);
    EXPECT_EQ(painting.at(0, 1), kBlue);
    EXPECT_EQ(painting.at(5, 5), kWhite);
}

TEST_F(LabelPaintingTest, TiledPictureRepeatsOverTheLabel) {
    LabelData data;
    data.BackPicture = bitmapFile(2, 2, {kRed, kGreen, kBlue, kRed});
    data.BackPictureMode = 1;
    data.BackColor = kWhite;
    WindowObject* label = createLabel(data, 9, 9);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 9, 9);
    EXPECT_EQ(painting.at(4, 4), kRed);
    EXPECT_EQ(painting.at(7, 6), kGreen);
    EXPECT_EQ(painting.at(8, 8), kRed);
}

TEST_F(LabelPaintingTest, FittedPictureIsScaledDownCentredAndKeepsItsShape) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) pixels.push_back(x < 10 ? kRed : kGreen);
    }
    LabelData data;
    data.BackPicture = bitmapFile(20, 10, pixels);
    data.BackPictureMode = 2;
    data.BackColor = kWhite;
    // Half the width fits: the picture is drawn 10 x 5 with 12 rows above it.
    WindowObject* label = createLabel(data, 10, 30);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 10, 30);
    EXPECT_EQ(painting.at(5, 11), kWhite);
    EXPECT_EQ(painting.at(2, 12), kRed);
    EXPECT_EQ(painting.at(7, 16), kGreen);
    EXPECT_EQ(painting.at(5, 17), kWhite);
}

TEST_F(LabelPaintingTest, FittedPictureSmallerThanTheLabelIsCentredAtNaturalSize) {
    LabelData data;
    data.BackPicture = bitmapFile(2, 2, {kRed, kGreen, kBlue, kRed});
    data.BackPictureMode = 2;
    data.BackColor = kWhite;
    WindowObject* label = createLabel(data, 10, 10);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 10, 10);
    EXPECT_EQ(painting.at(4, 4), kRed);
    EXPECT_EQ(painting.at(5, 4), kGreen);
    EXPECT_EQ(painting.at(4, 5), kBlue);
    EXPECT_EQ(painting.at(3, 3), kWhite);
    EXPECT_EQ(painting.at(6, 6), kWhite);
}

TEST_F(LabelPaintingTest, CaptionIsPlacedByItsAlignments) {
    LabelData data;
    data.Caption = "WW";
    data.Alignment = 0;
    data.VerticalAlignment = 0;
    const RECT topLeft = captionInk(data, 120, 60);
    ASSERT_GT(topLeft.right, topLeft.left) << "the caption was drawn";
    EXPECT_LT(topLeft.right, 60);
    EXPECT_LT(topLeft.bottom, 30);

    data.Alignment = 2;
    data.VerticalAlignment = 2;
    const RECT bottomRight = captionInk(data, 120, 60);
    EXPECT_GT(bottomRight.left, 60);
    EXPECT_GT(bottomRight.top, 30);

    data.Alignment = 1;
    data.VerticalAlignment = 1;
    const RECT centre = captionInk(data, 120, 60);
    EXPECT_LT(std::abs((centre.left + centre.right) - 120), 4);
    EXPECT_LT(std::abs((centre.top + centre.bottom) - 60), 8);
}

TEST_F(LabelPaintingTest, WordWrapBreaksTheCaptionOverLines) {
    LabelData data;
    data.Caption = "WWW WWW WWW";
    const RECT oneLine = captionInk(data, 40, 80);
    data.WordWrap = true;
    const RECT wrapped = captionInk(data, 40, 80);
    ASSERT_GT(oneLine.bottom, oneLine.top);
    EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (oneLine.bottom - oneLine.top));
    EXPECT_LE(wrapped.right, 40);
}

TEST_F(LabelPaintingTest, TransparentPicturePartsShowTheBackColour) {
    LabelData data;
    data.BackPicture = rgbaPngRow({0x00000000, 0xFF0000FF, 0x00000000, 0xFF0000FF});
    data.BackPictureMode = 0;
    data.BackColor = 0x336699;
    WindowObject* label = createLabel(data, 8, 4);
    ASSERT_NE(label, nullptr);
    {
        Painting painting(label->handle(), 8, 4);
        EXPECT_EQ(painting.at(0, 0), 0x336699u);
        EXPECT_EQ(painting.at(1, 0), kRed);
        EXPECT_EQ(painting.at(2, 0), 0x336699u);
    }
    write(kLabelClass, label, kBackColorProperty, RawValue{kGreen, 0});
    Painting repainted(label->handle(), 8, 4);
    EXPECT_EQ(repainted.at(0, 0), kGreen) << "a new back colour shows through too";
    EXPECT_EQ(repainted.at(3, 0), kRed);
}

TEST_F(LabelPaintingTest, UndecodablePictureFallsBackToTheGradientOrColour) {
    LabelData data;
    data.BackPicture = {'B', 'M', 1, 2, 3};
    data.BackColor = 0x445566;
    WindowObject* label = createLabel(data, 12, 12);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 12, 12);
    EXPECT_TRUE(allPixels(painting, 12, 12, 0x445566));
}

TEST_F(LabelPaintingTest, CaptionIsDrawnInTheTextColourWithItsShadow) {
    LabelData data;
    data.Caption = "WWWW";
    data.BackColor = kWhite;
    data.TextColor = kRed;
    data.TextEffect = 3;
    WindowObject* label = createLabel(data, 60, 24);
    ASSERT_NE(label, nullptr);
    Painting painting(label->handle(), 60, 24);
    int red = 0;
    int black = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 60; ++x) {
            red += painting.at(x, y) == kRed ? 1 : 0;
            black += painting.at(x, y) == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(red, 0);
    EXPECT_GT(black, 0);
}

}  // namespace
}  // namespace veltrano::test
