#include "components/support/gradient_colours.h"

#include <gtest/gtest.h>

namespace veltrano::drawing {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;

class GradientColoursTest : public ::testing::Test {
protected:
    const std::uint32_t three[3] = {kRed, kGreen, kBlue};
    const std::uint32_t two[2] = {0x000000, 0x0000C8};
};

TEST_F(GradientColoursTest, ThreeColoursOver101PixelsMeetExactlyAtTheSegmentBoundaries) {
    EXPECT_EQ(gradientColourAt(2, 101, 10, 0, 5, three), kRed);
    EXPECT_EQ(gradientColourAt(2, 101, 10, 50, 5, three), kGreen);
    EXPECT_EQ(gradientColourAt(2, 101, 10, 100, 5, three), kBlue);
}

TEST_F(GradientColoursTest, ChannelsAreInterpolatedAndTruncated) {
    // Span 7, one segment: 200 * 3 / 7 = 85.71 truncates to 85.
    EXPECT_EQ(gradientColourAt(1, 4, 7, 0, 3, two), 0x000055u);
    // Falling channels truncate toward zero too: 255 + (0 - 255) * 1 / 3 = 170.
    const std::uint32_t falling[2] = {0x0000FF, 0x000000};
    EXPECT_EQ(gradientColourAtPosition(falling, 3, 1), 0x0000AAu);
}

TEST_F(GradientColoursTest, ReversedModesStartFromTheOppositeEdge) {
    EXPECT_EQ(gradientColourAt(5, 10, 101, 3, 100, three), kRed);
    EXPECT_EQ(gradientColourAt(5, 10, 101, 3, 0, three), kBlue);
    EXPECT_EQ(gradientColourAt(6, 101, 10, 100, 0, three), kRed);
    EXPECT_EQ(gradientColourAt(6, 101, 10, 0, 0, three), kBlue);
}

TEST_F(GradientColoursTest, DiagonalModesRunBetweenOppositeCorners) {
    EXPECT_EQ(gradientSpan(3, 80, 40), 80);
    EXPECT_EQ(gradientColourAt(3, 80, 40, 0, 0, three), kRed);
    EXPECT_EQ(gradientColourAt(4, 80, 40, 79, 0, three), kRed);
    EXPECT_EQ(gradientColourAt(7, 80, 40, 79, 39, three), kRed);
    EXPECT_EQ(gradientColourAt(8, 80, 40, 0, 39, three), kRed);
    // Halfway along the diagonal is the middle colour.
    EXPECT_EQ(gradientColourAt(3, 80, 40, 40, 20, three), kGreen);
    EXPECT_NE(gradientColourAt(3, 80, 40, 79, 39, three), kRed);
}

TEST_F(GradientColoursTest, ASpanShorterThanItsSegmentsStillGivesColours) {
    EXPECT_EQ(gradientColourAt(2, 1, 1, 0, 0, three), kRed);
    EXPECT_EQ(gradientColourAtPosition(three, 0, 5), kBlue);
}

TEST_F(GradientColoursTest, TransparentColoursAreLeftOut) {
    const auto colours = collectGradientColours(kTransparentColour, kGreen, kBlue);
    ASSERT_EQ(colours.count, 2u);
    EXPECT_EQ(colours.colours[0], kGreen);
    EXPECT_EQ(colours.colours[1], kBlue);
    EXPECT_EQ(collectGradientColours(kTransparentColour, kTransparentColour, kRed).count, 1u);
}

TEST_F(GradientColoursTest, OnlyModesOneToEightAreGradients) {
    EXPECT_FALSE(isGradientMode(0));
    EXPECT_TRUE(isGradientMode(1));
    EXPECT_TRUE(isGradientMode(8));
    EXPECT_FALSE(isGradientMode(9));
    EXPECT_EQ(gradientSpan(0, 10, 10), 0);
}

}  // namespace
}  // namespace veltrano::drawing
