#include <gtest/gtest.h>

#include "components/classdata/label_data.h"
#include "components/label/label_class.h"
#include "components/label/label_object.h"
#include "runtime/kernel/component_class.h"
#include "tests/components_basic/bitmap_file.h"
#include "tests/components_basic/component_fixture.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::test {
namespace {

using classdata::LabelData;

constexpr int kCaption = 8;
constexpr int kTextEffect = 9;
constexpr int kBorderStyle = 10;
constexpr int kGradientBorderWidth = 11;
constexpr int kGradientBorderColor2 = 13;
constexpr int kFont = 15;
constexpr int kBackColor = 17;
constexpr int kBackPicture = 18;
constexpr int kBackPictureMode = 19;
constexpr int kGradientBackground = 20;
constexpr int kAlignment = 24;
constexpr int kWordWrap = 25;
constexpr int kVerticalAlignment = 26;
constexpr int kDataSource = 27;
constexpr int kDataColumn = 28;

class LabelTest : public ComponentFixture {
protected:
    WindowObject* createLabel(const LabelData& data) { return create(kLabelClass, classdata::encode(data)); }
    std::int32_t readInt(WindowObject* label, int property) {
        return static_cast<std::int32_t>(read(kLabelClass, label, property).word1);
    }
    int writeInt(WindowObject* label, int property, std::int32_t value) {
        return write(kLabelClass, label, property, RawValue{static_cast<std::uint32_t>(value), 0});
    }
};

TEST_F(LabelTest, DescriptorOffersTheLabelInterfacesAndTable) {
    EXPECT_EQ(kLabelClass.classId, 0x1000Au);
    EXPECT_EQ(kLabelClass.flags, 0x84012040u);
    EXPECT_EQ(kLabelClass.propertyCount, 29u);
    EXPECT_EQ(kLabelClass.properties[kGradientBorderWidth].kind, 1001);
    EXPECT_EQ(kLabelClass.properties[kBackColor].kind, 1017);
    EXPECT_EQ(kLabelClass.properties[kDataColumn].kind, 1020);
    EXPECT_NE(kLabelClass.interfaces(class_interface::kTextConversion), nullptr);
    EXPECT_EQ(kLabelClass.interfaces(10), nullptr);
}

TEST_F(LabelTest, ChineseCaptionReachesTheWindowText) {
    LabelData data;
    data.Caption = gbk("扩展区绑定到：");
    WindowObject* label = createLabel(data);
    ASSERT_NE(label, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(label->handle(), className, 32);
    EXPECT_STREQ(className, L"_QL_Label");
    EXPECT_EQ(windowText(label->handle()), L"扩展区绑定到：");
    EXPECT_EQ(readText(kLabelClass, label, kCaption), gbk("扩展区绑定到："));

    EXPECT_EQ(writeText(kLabelClass, label, kCaption, gbk("端口:")), 0);
    EXPECT_EQ(windowText(label->handle()), L"端口:");
}

TEST_F(LabelTest, CreatedPropertiesReadBack) {
    LabelData data;
    data.TextEffect = 2;
    data.GradientBorderWidth = 9;
    data.BackColor = 0x123456;
    data.Alignment = 2;
    data.WordWrap = true;
    data.VerticalAlignment = 0;
    data.DataSource = "src";
    WindowObject* label = createLabel(data);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(readInt(label, kTextEffect), 2);
    EXPECT_EQ(readInt(label, kGradientBorderWidth), 9);
    EXPECT_EQ(readInt(label, kBackColor), 0x123456);
    EXPECT_EQ(readInt(label, kAlignment), 2);
    EXPECT_EQ(readInt(label, kWordWrap), 1);
    EXPECT_EQ(readInt(label, kVerticalAlignment), 0);
    EXPECT_EQ(readText(kLabelClass, label, kDataSource), "src");
    // Empty byte properties answer a null address.
    EXPECT_EQ(read(kLabelClass, label, kBackPicture).word1, 0u);
    EXPECT_EQ(read(kLabelClass, label, kFont).word1, 0u);
}

TEST_F(LabelTest, WrittenValuesAreClamped) {
    WindowObject* label = createLabel(LabelData{});
    ASSERT_NE(label, nullptr);
    writeInt(label, kGradientBorderWidth, 3);
    EXPECT_EQ(readInt(label, kGradientBorderWidth), 5);
    writeInt(label, kGradientBorderWidth, 12);
    EXPECT_EQ(readInt(label, kGradientBorderWidth), 12);
    writeInt(label, kBorderStyle, 7);
    EXPECT_EQ(readInt(label, kBorderStyle), 6);
    writeInt(label, kTextEffect, -4);
    EXPECT_EQ(readInt(label, kTextEffect), 0);
    writeInt(label, kBackPictureMode, 9);
    EXPECT_EQ(readInt(label, kBackPictureMode), 2);
    writeInt(label, kGradientBackground, 100);
    EXPECT_EQ(readInt(label, kGradientBackground), 8);
    writeInt(label, kVerticalAlignment, 3);
    EXPECT_EQ(readInt(label, kVerticalAlignment), 2);
    writeInt(label, kGradientBorderColor2, static_cast<std::int32_t>(0xFF000000));
    EXPECT_EQ(read(kLabelClass, label, kGradientBorderColor2).word1, 0xFF000000u);
}

TEST_F(LabelTest, BorderStylesSetTheSystemFrame) {
    LabelData data;
    data.BorderStyle = 1;
    WindowObject* label = createLabel(data);
    ASSERT_NE(label, nullptr);
    HWND window = label->handle();
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    writeInt(label, kBorderStyle, 5);
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(style(window) & WS_BORDER);

    writeInt(label, kBorderStyle, 4);
    const LONG_PTR extended = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(extended & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(extended & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(style(window) & WS_BORDER);

    writeInt(label, kBorderStyle, 6);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE), 0);
}

TEST_F(LabelTest, CustomMessageFiresEventZeroAndAnswersTheHandlersResult) {
    WindowObject* label = createLabel(LabelData{});
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(SendMessageW(label->handle(), kLabelCustomMessage, 7, 0x1234), 0);
    answerWithResult = true;
    answer = 99;
    EXPECT_EQ(SendMessageW(label->handle(), kLabelCustomMessage, 1, 2), 99);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].eventNumber, 0);
    EXPECT_EQ(events[0].windowId, kWindowId);
    EXPECT_EQ(events[0].componentId, kComponentId);
    ASSERT_EQ(events[0].argumentCount, 2u);
    EXPECT_EQ(events[0].arguments[0], 7u);
    EXPECT_EQ(events[0].arguments[1], 0x1234u);
}

TEST_F(LabelTest, DataBindingStoresTheNamesAndShowsNoValueWithoutASource) {
    LabelData data;
    data.Caption = "shown";
    WindowObject* label = createLabel(data);
    ASSERT_NE(label, nullptr);
    writeText(kLabelClass, label, kDataSource, "orders");
    writeText(kLabelClass, label, kDataColumn, "total");
    EXPECT_EQ(readText(kLabelClass, label, kDataSource), "orders");
    EXPECT_EQ(readText(kLabelClass, label, kDataColumn), "total");
    EXPECT_EQ(readText(kLabelClass, label, kCaption), "");
    EXPECT_EQ(windowText(label->handle()), L"");
}

TEST_F(LabelTest, SavedStateCreatesTheSameLabel) {
    LabelData data;
    data.Caption = gbk("标签");
    data.BorderStyle = 6;
    data.GradientBackground = 4;
    data.Font.assign(60, 0);
    data.Font[0] = 0xF4;  // height -12
    data.Font[1] = data.Font[2] = data.Font[3] = 0xFF;
    WindowObject* label = createLabel(data);
    ASSERT_NE(label, nullptr);
    writeInt(label, kTextEffect, 3);
    writeText(kLabelClass, label, kCaption, gbk("新标题"));
    const std::vector<std::uint8_t> picture = bitmapFile(1, 1, {0x0000FF});
    writeBytes(kLabelClass, label, kBackPicture, picture);

    const auto saved = save(kLabelClass, label);
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(saved[0], 2);  // newest version
    auto expected = data;
    expected.TextEffect = 3;
    expected.Caption = gbk("新标题");
    expected.BackPicture = picture;
    const auto decoded = classdata::decode<LabelData>(saved);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, expected);

    WindowObject* again = create(kLabelClass, saved);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(readInt(again, kTextEffect), 3);
    EXPECT_EQ(readBytes(kLabelClass, again, kBackPicture), picture);
    EXPECT_EQ(readBytes(kLabelClass, again, kFont), data.Font);
    EXPECT_EQ(windowText(again->handle()), L"新标题");
}

TEST_F(LabelTest, NewerOrTruncatedClassDataCreatesNothing) {
    auto bytes = classdata::encode(LabelData{});
    auto newer = bytes;
    newer[0] = 3;
    EXPECT_EQ(create(kLabelClass, newer), nullptr);
    bytes.resize(bytes.size() - 2);
    EXPECT_EQ(create(kLabelClass, bytes), nullptr);
    EXPECT_EQ(FindWindowExW(parent(), nullptr, L"_QL_Label", nullptr), nullptr);
}

TEST_F(LabelTest, TextConversionRewritesEveryText) {
    LabelData data;
    data.Caption = "a";
    data.DataSource = "b";
    data.DataColumn = "c";
    data.TextColor = 0x42;
    const auto bytes = classdata::encode(data);
    auto convert = reinterpret_cast<TextConversionRoutine>(kLabelClass.interfaces(class_interface::kTextConversion));
    const auto converted = convert(
        bytes.data(), static_cast<std::uint32_t>(bytes.size()),
        [](std::string_view text, void*) { return std::string(text) + "!"; }, nullptr);
    ASSERT_TRUE(converted.has_value());
    const auto decoded = classdata::decode<LabelData>(*converted);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Caption, "a!");
    EXPECT_EQ(decoded->DataSource, "b!");
    EXPECT_EQ(decoded->DataColumn, "c!");
    EXPECT_EQ(decoded->TextColor, 0x42u);
    const std::uint8_t newer[] = {9, 0, 0, 0};
    EXPECT_FALSE(convert(
                     newer, 4, [](std::string_view text, void*) { return std::string(text); }, nullptr)
                     .has_value());
}

}  // namespace
}  // namespace veltrano::test
