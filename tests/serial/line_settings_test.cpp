#include "pcomm/line_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace veltrano::pcomm {
namespace {

TEST(BaudCodeTest, EveryCodeGivesItsRate) {
    const std::vector<std::uint32_t> rates{50,   75,   110,  134,   150,   300,   600,    1200,   1800,   2400,
                                           4800, 7200, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
    for (int code = 0; code < static_cast<int>(rates.size()); ++code) {
        ASSERT_TRUE(baudRateOfCode(code).has_value()) << code;
        EXPECT_EQ(*baudRateOfCode(code), rates[static_cast<std::size_t>(code)]) << code;
    }
}

TEST(BaudCodeTest, CodesOutsideTheTableHaveNoRate) {
    EXPECT_FALSE(baudRateOfCode(-1).has_value());
    EXPECT_FALSE(baudRateOfCode(20).has_value());
    EXPECT_FALSE(baudRateOfCode(115200).has_value());
}

TEST(LineModeTest, ModeThreeIsEightDataBitsOneStopBitNoParity) {
    const auto mode = decodeLineMode(3);
    ASSERT_TRUE(mode.has_value());
    EXPECT_EQ(mode->dataBits, 8);
    EXPECT_FALSE(mode->twoStopBits);
    EXPECT_EQ(mode->parity, Parity::None);
}

TEST(LineModeTest, EveryFieldDecodes) {
    const auto mode = decodeLineMode(0x00 | 0x04 | (2 << 3));
    ASSERT_TRUE(mode.has_value());
    EXPECT_EQ(mode->dataBits, 5);
    EXPECT_TRUE(mode->twoStopBits);
    EXPECT_EQ(mode->parity, Parity::Even);

    const auto spaceParity = decodeLineMode(0x02 | (4 << 3));
    ASSERT_TRUE(spaceParity.has_value());
    EXPECT_EQ(spaceParity->dataBits, 7);
    EXPECT_EQ(spaceParity->parity, Parity::Space);
}

TEST(LineModeTest, UnknownBitsAndParityValuesAreRefused) {
    EXPECT_FALSE(decodeLineMode(0x40).has_value());
    EXPECT_FALSE(decodeLineMode(3 | 0x100).has_value());
    EXPECT_FALSE(decodeLineMode(-1).has_value());
    EXPECT_FALSE(decodeLineMode(3 | (5 << 3)).has_value());
    EXPECT_FALSE(decodeLineMode(3 | (7 << 3)).has_value());
}

TEST(WriteTimeoutsTest, PerByteTimeCoversTheSlowestFrame) {
    // 11 bits at 50 baud take 220 ms; twice that is allowed.
    EXPECT_EQ(writeTimeoutsFor(50).perByteMs, 440u);
    EXPECT_EQ(writeTimeoutsFor(9600).perByteMs, 4u);
    EXPECT_EQ(writeTimeoutsFor(921600).perByteMs, 2u);
    EXPECT_EQ(writeTimeoutsFor(115200).constantMs, 1000u);
}

TEST(WriteTimeoutsTest, UnknownRateDoesNotDivideByZero) {
    EXPECT_GT(writeTimeoutsFor(0).perByteMs, 0u);
}

}  // namespace
}  // namespace veltrano::pcomm
