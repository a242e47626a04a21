#include "runtime/dispatch/font_access.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrano {
namespace {

constexpr int kDpi = 96;

TEST(LogFontImage, OnlySixtyBytesMakeADescription) {
    EXPECT_FALSE(LogFontImage::fromBytes(std::string(59, '\0')).has_value());
    EXPECT_FALSE(LogFontImage::fromBytes(std::string(61, '\0')).has_value());
    EXPECT_TRUE(LogFontImage::fromBytes(std::string(60, '\0')).has_value());
}

TEST(LogFontImage, FieldsSitWhereTheSystemLayoutHasThem) {
    LogFontImage font;
    font.setHeight(-16);
    font.setWeight(700);
    font.setItalic(true);
    font.setFaceName("Arial");
    const auto& bytes = font.bytes();
    EXPECT_EQ(bytes[0], 0xF0);
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(bytes[16], 0xBC);  // 700 = 0x2BC
    EXPECT_EQ(bytes[17], 0x02);
    EXPECT_EQ(bytes[20], 1);
    EXPECT_EQ(bytes[28], 'A');
    EXPECT_EQ(bytes[33], '\0');
}

class FontFieldTest : public ::testing::Test {
protected:
    LogFontImage font;
};

TEST_F(FontFieldTest, AngleIsReducedModulo3600AndGoesToBothAngles) {
    writeFontNumber(font, FontField::Angle, 3700, kDpi);
    EXPECT_EQ(readFontNumber(font, FontField::Angle, kDpi), 100);
    writeFontNumber(font, FontField::Angle, -900, kDpi);
    EXPECT_EQ(readFontNumber(font, FontField::Angle, kDpi), 2700);
    EXPECT_EQ(font.bytes()[12], font.bytes()[8]);
}

TEST_F(FontFieldTest, BoldIsWeight700OrZero) {
    writeFontNumber(font, FontField::Bold, 1, kDpi);
    EXPECT_EQ(font.weight(), 700);
    writeFontNumber(font, FontField::Bold, 0, kDpi);
    EXPECT_EQ(font.weight(), 0);
}

TEST_F(FontFieldTest, SizeConvertsWithThePixelsPerInch) {
    writeFontNumber(font, FontField::Size, 9, kDpi);
    EXPECT_EQ(font.height(), -12);
    EXPECT_EQ(readFontNumber(font, FontField::Size, kDpi), 9);
    writeFontNumber(font, FontField::Size, 12, 120);
    EXPECT_EQ(font.height(), -20);
    writeFontNumber(font, FontField::Size, -4, kDpi);
    EXPECT_EQ(font.height(), 0);
}

TEST_F(FontFieldTest, FaceNamesTooLongOrEmptyBecomeTheFallback) {
    writeFontFaceName(font, "Tahoma");
    EXPECT_EQ(font.faceName(), "Tahoma");
    writeFontFaceName(font, std::string(31, 'x'));
    EXPECT_EQ(font.faceName(), std::string(31, 'x'));
    writeFontFaceName(font, std::string(32, 'x'));
    EXPECT_EQ(font.faceName(), kFallbackFaceName);
    writeFontFaceName(font, "");
    EXPECT_EQ(font.faceName(), kFallbackFaceName);
}

TEST_F(FontFieldTest, WholeRecordRoundTripsAndRefusesA31ByteName) {
    FontRecord record{450, true, true, false, true, 10, "Courier"};
    writeFontRecord(font, record, kDpi);
    const FontRecord back = readFontRecord(font, kDpi);
    EXPECT_EQ(back.angle, 450);
    EXPECT_TRUE(back.bold);
    EXPECT_TRUE(back.italic);
    EXPECT_FALSE(back.strikeOut);
    EXPECT_TRUE(back.underline);
    EXPECT_EQ(back.size, 10);
    EXPECT_EQ(back.faceName, "Courier");

    record.faceName = std::string(31, 'y');
    writeFontRecord(font, record, kDpi);
    EXPECT_EQ(font.faceName(), kFallbackFaceName);
}

}  // namespace
}  // namespace veltrano
