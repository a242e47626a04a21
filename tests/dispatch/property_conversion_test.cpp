#include <gtest/gtest.h>

#include "runtime/dispatch/common_properties.h"
#include "runtime/dispatch/property_kind.h"

namespace veltrano {
namespace {

TEST(CommonPropertyClamps, PositionsStopShortOf32767) {
    EXPECT_EQ(clampPosition(40000), 32627);
    EXPECT_EQ(clampPosition(-40000), -32627);
    EXPECT_EQ(clampPosition(32627), 32627);
    EXPECT_EQ(clampPosition(-5), -5);
}

TEST(CommonPropertyClamps, ExtentsAreNeverNegative) {
    EXPECT_EQ(clampExtent(-5), 0);
    EXPECT_EQ(clampExtent(40000), 32627);
    EXPECT_EQ(clampExtent(200), 200);
}

TEST(PropertyKinds, FormsFollowTheKindTable) {
    EXPECT_EQ(runtimeFormOf(1001), RuntimeValueForm::Integer);
    EXPECT_EQ(runtimeFormOf(1017), RuntimeValueForm::Integer);
    EXPECT_EQ(runtimeFormOf(1002), RuntimeValueForm::Wide);
    EXPECT_EQ(runtimeFormOf(1003), RuntimeValueForm::Bool);
    EXPECT_EQ(runtimeFormOf(1005), RuntimeValueForm::Text);
    EXPECT_EQ(runtimeFormOf(1016), RuntimeValueForm::Text);
    EXPECT_EQ(runtimeFormOf(1009), RuntimeValueForm::ByteSet);
    EXPECT_EQ(runtimeFormOf(1011), RuntimeValueForm::ByteSet);
    EXPECT_EQ(runtimeFormOf(1013), RuntimeValueForm::Font);
    EXPECT_EQ(runtimeFormOf(999), RuntimeValueForm::None);
    EXPECT_EQ(runtimeFormOf(1025), RuntimeValueForm::None);
}

TEST(PropertyKinds, BoolReadsTrueOnlyForOne) {
    EXPECT_EQ(readScalar(1003, {1, 0}).low, 1u);
    EXPECT_EQ(readScalar(1003, {2, 0}).low, 0u);
    EXPECT_EQ(readScalar(1003, {0xFFFFFFFF, 0}).low, 0u);
    EXPECT_EQ(writeScalar(1003, {5, 0}).word1, 1u);
    EXPECT_EQ(writeScalar(1003, {0, 0}).word1, 0u);
}

TEST(PropertyKinds, NegativeChoiceIsWrittenAsZeroButIntegersPassThrough) {
    EXPECT_EQ(writeScalar(1006, {static_cast<std::uint32_t>(-3), 0}).word1, 0u);
    EXPECT_EQ(writeScalar(1006, {4, 0}).word1, 4u);
    EXPECT_EQ(writeScalar(1001, {static_cast<std::uint32_t>(-3), 0}).word1, static_cast<std::uint32_t>(-3));
    EXPECT_EQ(writeScalar(1014, {0xFF000000, 0}).word1, 0xFF000000u);
}

TEST(PropertyKinds, WideValuesUseBothWords) {
    const RawValue raw = writeScalar(1002, {0x11111111, 0x22222222});
    EXPECT_EQ(raw.word1, 0x11111111u);
    EXPECT_EQ(raw.word2, 0x22222222u);
    const RuntimeWords back = readScalar(1004, raw);
    EXPECT_EQ(back.high, 0x22222222u);
    EXPECT_EQ(readScalar(1001, raw).high, 0u);
}

TEST(PropertyKinds, UnknownKindsYieldNothing) {
    EXPECT_EQ(readScalar(2000, {7, 8}).low, 0u);
    EXPECT_EQ(writeScalar(2000, {7, 8}).word1, 0u);
}

}  // namespace
}  // namespace veltrano
