#include "components/window/shape_outlines.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

TEST(ShapeOutlines, EveryOutlineHasItsNumberOfPoints) {
    const int expected[] = {4, 3, 3, 3, 4, 5, 6, 4, 4, 10, 8, 11, 24, 28, 6, 5, 7, 7, 7, 7, 10, 10, 24, 17, 8, 5};
    for (int shape = kFirstOutlineShape; shape <= kLastOutlineShape; ++shape) {
        const auto outline = shapeOutline(shape, 100, 100);
        ASSERT_TRUE(outline.has_value()) << shape;
        EXPECT_EQ(static_cast<int>(outline->size()), expected[shape - kFirstOutlineShape]) << "shape " << shape;
    }
}

TEST(ShapeOutlines, TheTriangleScalesToTheWindowSize) {
    const auto outline = shapeOutline(4, 200, 100);
    ASSERT_TRUE(outline.has_value());
    ASSERT_EQ(outline->size(), 4u);
    EXPECT_EQ((*outline)[0].x, 100);
    EXPECT_EQ((*outline)[0].y, 0);
    EXPECT_EQ((*outline)[1].x, 200);
    EXPECT_EQ((*outline)[1].y, 100);
    EXPECT_EQ((*outline)[2].x, 0);
    EXPECT_EQ((*outline)[2].y, 100);
}

TEST(ShapeOutlines, TheHexagonKeepsItsThirds) {
    const auto outline = shapeOutline(10, 300, 60);
    ASSERT_TRUE(outline.has_value());
    EXPECT_EQ((*outline)[0].x, 75);
    EXPECT_EQ((*outline)[2].x, 300);
    EXPECT_EQ((*outline)[2].y, 30);
}

TEST(ShapeOutlines, EveryPointLiesInsideTheWindow) {
    for (int shape = kFirstOutlineShape; shape <= kLastOutlineShape; ++shape) {
        const auto outline = shapeOutline(shape, 640, 480);
        ASSERT_TRUE(outline.has_value());
        for (const auto& point : *outline) {
            EXPECT_GE(point.x, 0);
            EXPECT_LE(point.x, 640);
            EXPECT_GE(point.y, 0);
            EXPECT_LE(point.y, 480);
        }
    }
}

TEST(ShapeOutlines, ShapesWithoutAnOutlineGiveNone) {
    for (int shape : {-1, 0, 1, 2, 3, 30}) EXPECT_FALSE(shapeOutline(shape, 10, 10).has_value()) << shape;
}

}  // namespace
}  // namespace veltrano
