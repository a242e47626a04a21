#include <gtest/gtest.h>

#include <type_traits>

#include "components/classdata/button_data.h"
#include "components/classdata/combo_box_data.h"
#include "components/classdata/common_dialog_data.h"
#include "components/classdata/edit_box_data.h"
#include "components/classdata/grid_design_data.h"
#include "components/classdata/group_box_data.h"
#include "components/classdata/label_data.h"
#include "components/classdata/progress_bar_data.h"
#include "components/classdata/timer_data.h"
#include "components/classdata/window_data.h"
#include "template_builders.h"

namespace veltrano::classdata {
namespace {

using test::appendWord;

void appendText(std::vector<std::uint8_t>& out, std::string_view text) {
    appendWord(out, static_cast<std::uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

// Shared rules every class obeys: the newest version leads, a round trip is
// exact, an empty block is all defaults, a newer version and every
// truncation fail.
template <typename Data>
class ClassDataRulesTest : public ::testing::Test {
protected:
    static Data changed();
};

template <>
WindowData ClassDataRulesTest<WindowData>::changed() {
    WindowData d;
    d.Caption = "Veltrano";
    d.BorderStyle = 5;
    d.BackColor = 0x123456;
    d.Icon = {1, 2, 3};
    d.EscCloses = false;
    d.HelpContext = -4;
    d.Shape = 12;
    d.WindowClassName = "KVWindow2";
    d.HelpFile = "help.hlp";
    return d;
}

template <>
LabelData ClassDataRulesTest<LabelData>::changed() {
    LabelData d;
    d.Caption = "\xB6\xCB\xBF\xDA";
    d.TextEffect = 3;
    d.GradientBorderWidth = 9;
    d.BorderStyle = 6;
    d.WordWrap = true;
    d.VerticalAlignment = 2;
    d.Font = std::vector<std::uint8_t>(60, 1);
    d.DataColumn = "col";
    return d;
}

template <>
GroupBoxData ClassDataRulesTest<GroupBoxData>::changed() {
    GroupBoxData d;
    d.Caption = "COM";
    d.Alignment = 2;
    d.TextColor = 0xFF;
    return d;
}

template <>
ButtonData ClassDataRulesTest<ButtonData>::changed() {
    ButtonData d;
    d.Caption = "\xBF\xAA\xC6\xF4";
    d.ButtonType = 1;
    d.VerticalAlignment = 0;
    d.ButtonPicture = {0x42, 0x4D};
    return d;
}

template <>
EditBoxData ClassDataRulesTest<EditBoxData>::changed() {
    EditBoxData d;
    d.Text = "9600";
    d.BorderStyle = 5;
    d.MultiLine = true;
    d.ScrollBars = 2;
    d.InputMode = 3;
    d.PasswordChar = '#';
    d.SpinMin = -10;
    d.SelLength = 3;
    d.DataSource = "db";
    return d;
}

template <>
ComboBoxData ClassDataRulesTest<ComboBoxData>::changed() {
    ComboBoxData d;
    d.ComboStyle = 2;
    d.ItemTexts = {"COM1", "", "COM3"};
    d.ItemData = {1, 0, 0, 0, 2, 0, 0, 0};
    d.CurrentSelection = 2;
    d.DataBindingOption = true;
    return d;
}

template <>
ProgressBarData ClassDataRulesTest<ProgressBarData>::changed() {
    ProgressBarData d;
    d.Orientation = 1;
    d.Minimum = 100;
    d.Maximum = 0;
    d.Position = 150;
    return d;
}

template <>
TimerData ClassDataRulesTest<TimerData>::changed() {
    return TimerData{10};
}

template <>
CommonDialogData ClassDataRulesTest<CommonDialogData>::changed() {
    CommonDialogData d;
    d.DialogType = 1;
    d.DefaultExt = ".dat";
    d.Filter = "data|*.dat";
    d.FileMustExist = false;
    d.Bold = true;
    d.HelpFile = "x";
    return d;
}

template <>
GridDesignData ClassDataRulesTest<GridDesignData>::changed() {
    GridDesignData d;
    d.rowCount = 97;
    d.columnCount = 3;
    d.selectionBackColor = 0x00D77800;
    d.showZeroValues = false;
    d.extraColor = 0x123456;
    d.borderStyle = 5;
    return d;
}

using AllClasses = ::testing::Types<WindowData, LabelData, GroupBoxData, ButtonData, EditBoxData, ComboBoxData,
                                    ProgressBarData, TimerData, CommonDialogData, GridDesignData>;
TYPED_TEST_SUITE(ClassDataRulesTest, AllClasses);

TYPED_TEST(ClassDataRulesTest, RoundTripIsExact) {
    const TypeParam data = TestFixture::changed();
    ASSERT_NE(data, TypeParam{});
    const auto decoded = decode<TypeParam>(encode(data));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, data);
}

TYPED_TEST(ClassDataRulesTest, NewestVersionLeads) {
    const auto bytes = encode(TypeParam{});
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(test::wordAt(bytes, 0), TypeParam::kNewestVersion);
}

TYPED_TEST(ClassDataRulesTest, EmptyBlockIsAllDefaults) {
    const auto decoded = decode<TypeParam>({});
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, TypeParam{});
}

TYPED_TEST(ClassDataRulesTest, NewerVersionFails) {
    auto bytes = encode(TestFixture::changed());
    bytes[0] = static_cast<std::uint8_t>(TypeParam::kNewestVersion + 1);
    EXPECT_FALSE(decode<TypeParam>(bytes));
    bytes[0] = 0;
    bytes[3] = 0x80;
    EXPECT_FALSE(decode<TypeParam>(bytes));
}

TYPED_TEST(ClassDataRulesTest, EveryTruncationFails) {
    const auto bytes = encode(TestFixture::changed());
    for (std::size_t length = 1; length < bytes.size(); ++length) {
        // The grid's extension may be missing as a whole, marker included.
        if constexpr (std::is_same_v<TypeParam, GridDesignData>) {
            if (length >= 29 * 4 && length < 30 * 4) continue;
        }
        EXPECT_FALSE(decode<TypeParam>(std::span(bytes).first(length))) << length;
    }
}

TEST(WindowDataTest, VersionOneKeepsTheLaterFieldsAtTheirDefaults) {
    std::vector<std::uint8_t> bytes;
    for (const std::uint32_t word : {1u, 4u, 0u, 0x00FF00u, 1u, 0u, 0u, 3u, 0u, 2u, 1u, 0u, 1u, 77u}) {
        appendWord(bytes, word);
    }
    appendWord(bytes, 0);  // BackPicture
    appendWord(bytes, 2);  // Icon
    bytes.insert(bytes.end(), {0xAA, 0xBB});
    appendWord(bytes, 0);  // BackSound
    appendText(bytes, "Old");
    appendText(bytes, "old.hlp");
    const auto d = decode<WindowData>(bytes);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->BorderStyle, 4);
    EXPECT_EQ(d->BackPictureMode, 0);
    EXPECT_EQ(d->BackColor, 0x00FF00u);
    EXPECT_TRUE(d->MaxButton);
    EXPECT_FALSE(d->MinButton);
    EXPECT_FALSE(d->ControlBox);
    EXPECT_EQ(d->StartPosition, 3);
    EXPECT_FALSE(d->Movable);
    EXPECT_EQ(d->SoundPlayMode, 2);
    EXPECT_TRUE(d->EnterMovesFocus);
    EXPECT_FALSE(d->EscCloses);
    EXPECT_TRUE(d->F1OpensHelp);
    EXPECT_EQ(d->HelpContext, 77);
    EXPECT_TRUE(d->ShowInTaskbar);
    EXPECT_EQ(d->Shape, 0);
    EXPECT_FALSE(d->AlwaysOnTop);
    EXPECT_TRUE(d->WindowClassName.empty());
    EXPECT_EQ(d->Icon, (std::vector<std::uint8_t>{0xAA, 0xBB}));
    EXPECT_EQ(d->Caption, "Old");
    EXPECT_EQ(d->HelpFile, "old.hlp");
}

TEST(WindowDataTest, VersionThreeCarriesShapeButNotLaterFields) {
    WindowData newest;
    newest.Shape = 9;
    newest.DragAnywhere = true;
    newest.ShowInTaskbar = false;
    newest.AlwaysOnTop = true;
    newest.KeepTitleActive = true;
    newest.WindowClassName = "X";
    auto bytes = encode(newest);
    // Drop AlwaysOnTop, KeepTitleActive and WindowClassName (4 + 4 + 4 + 1 bytes) after Shape.
    const std::size_t afterShape = 4 * (1 + 3 + 5 + 5 + 1 + 2);
    bytes.erase(bytes.begin() + afterShape, bytes.begin() + afterShape + 13);
    bytes[0] = 3;
    const auto d = decode<WindowData>(bytes);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Shape, 9);
    EXPECT_TRUE(d->DragAnywhere);
    EXPECT_FALSE(d->ShowInTaskbar);
    EXPECT_FALSE(d->AlwaysOnTop);
    EXPECT_FALSE(d->KeepTitleActive);
    EXPECT_TRUE(d->WindowClassName.empty());
}

TEST(LabelDataTest, EffectWidthStyleOrderAndAlignmentBeforeWordWrap) {
    std::vector<std::uint8_t> bytes;
    for (const std::uint32_t word : {1u, 2u, 11u, 6u, 1u, 2u, 3u, 0u, 0xFF000000u, 0u, 4u, 5u, 6u, 7u, 2u, 0u, 1u}) {
        appendWord(bytes, word);
    }
    appendWord(bytes, 0);
    appendWord(bytes, 0);
    appendText(bytes, "Cap");
    const auto d = decode<LabelData>(bytes);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->TextEffect, 2);
    EXPECT_EQ(d->GradientBorderWidth, 11);
    EXPECT_EQ(d->BorderStyle, 6);
    EXPECT_EQ(d->GradientBorderColor3, 3u);
    EXPECT_EQ(d->GradientBackground, 4);
    EXPECT_EQ(d->GradientBackColor3, 7u);
    EXPECT_EQ(d->Alignment, 2);
    EXPECT_EQ(d->VerticalAlignment, 0);
    EXPECT_TRUE(d->WordWrap);
    EXPECT_EQ(d->Caption, "Cap");
    EXPECT_TRUE(d->DataSource.empty());
}

TEST(ButtonDataTest, DefaultCaptionIsTheClassNameInCodePage936) {
    EXPECT_EQ(ButtonData{}.Caption, "\xB0\xB4\xC5\xA5");
    EXPECT_EQ(ButtonData{}.Alignment, 1);
}

TEST(EditBoxDataTest, PasswordCharIsTheOneSixteenBitField) {
    EditBoxData d;
    d.PasswordChar = 0x2324;
    d.CaseConversion = 0x01020304;
    const auto bytes = encode(d);
    // version + nine 32-bit fields, then the 16-bit character
    EXPECT_EQ(bytes[40], 0x24);
    EXPECT_EQ(bytes[41], 0x23);
    EXPECT_EQ(test::wordAt(bytes, 42), 0x01020304u);
    EXPECT_EQ(bytes.size(), 42u + 6 * 4 + 4 + 4 + 4 + 4);
}

TEST(EditBoxDataTest, VersionOneHasNoDataBinding) {
    EditBoxData d;
    d.Text = "t";
    auto bytes = encode(d);
    bytes.resize(bytes.size() - 8);
    bytes[0] = 1;
    const auto read = decode<EditBoxData>(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Text, "t");
    EXPECT_EQ(read->PasswordChar, 0x2A);
}

TEST(ComboBoxDataTest, ItemListUsesASixteenBitCount) {
    const auto bytes = encodeItemList({"a", "bc"});
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{2, 0, 1, 0, 0, 0, 'a', 2, 0, 0, 0, 'b', 'c'}));
    EXPECT_EQ(decodeItemList(bytes), (std::vector<std::string>{"a", "bc"}));
}

TEST(ComboBoxDataTest, LongItemListsEscapeToAThirtyTwoBitCount) {
    const std::vector<std::string> items(0x10005, "x");
    const auto bytes = encodeItemList(items);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFF);
    EXPECT_EQ(test::wordAt(bytes, 2), 0x10005u);
    EXPECT_EQ(decodeItemList(bytes), items);

    const std::vector<std::string> justBelow(0xFFFE, "");
    const auto shortForm = encodeItemList(justBelow);
    EXPECT_EQ(shortForm.size(), 2u + 4u * 0xFFFE);
}

TEST(ComboBoxDataTest, ItemCountBeyondTheDataFails) {
    std::vector<std::uint8_t> bytes{0xFF, 0xFF};
    appendWord(bytes, 0x40000000);
    EXPECT_FALSE(decodeItemList(bytes));
    EXPECT_FALSE(decodeItemList(std::vector<std::uint8_t>{3, 0, 0, 0, 0, 0}));
}

TEST(ComboBoxDataTest, OlderVersionsLeaveBindingFieldsAtDefaults) {
    ComboBoxData d;
    d.ItemTexts = {"COM1"};
    d.DataSource = "s";
    d.DataColumn = "c";
    d.DataBindingOption = true;
    auto bytes = encode(d);

    auto v2 = bytes;
    v2.resize(v2.size() - 4);
    v2[0] = 2;
    const auto two = decode<ComboBoxData>(v2);
    ASSERT_TRUE(two);
    EXPECT_EQ(two->DataSource, "s");
    EXPECT_FALSE(two->DataBindingOption);

    auto v1 = bytes;
    v1.resize(v1.size() - 4 - 5 - 5);
    v1[0] = 1;
    const auto one = decode<ComboBoxData>(v1);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->ItemTexts, (std::vector<std::string>{"COM1"}));
    EXPECT_TRUE(one->DataSource.empty());
    EXPECT_EQ(one->CurrentSelection, -1);
}

class GridDesignDataTest : public ::testing::Test {
protected:
    static std::vector<std::uint8_t> words(std::initializer_list<std::uint32_t> values) {
        std::vector<std::uint8_t> bytes;
        for (const auto v : values) appendWord(bytes, v);
        return bytes;
    }

    // Version 12 up to property 35, property 31 given.
    static std::vector<std::uint8_t> version12(std::uint32_t property31) {
        return words({12, 1, 2, 3,          4, 2, 0, 0, 30, 80,         10, 4, 0, 2, 1,
                      1,  1, 0, 0xFF000000, 0, 0, 3, 1, 0,  property31, 1,  1, 0, 0});
    }
};

TEST_F(GridDesignDataTest, CountsComeBeforeTheEditingFlagAndTheFixedCounts) {
    const auto d = decode<GridDesignData>(version12(0x00D77800));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->rowHeight, 30);
    EXPECT_EQ(d->columnWidth, 80);
    EXPECT_EQ(d->rowCount, 10);
    EXPECT_EQ(d->columnCount, 4);
    EXPECT_FALSE(d->editable);
    EXPECT_EQ(d->fixedRowCount, 2);
    EXPECT_EQ(d->fixedColumnCount, 1);
    EXPECT_EQ(d->enterMode, 3);
}

TEST_F(GridDesignDataTest, ExtensionIsReadOnlyBehindBitThirtyOne) {
    auto without = version12(0x00D77800);
    const auto tail = words({1, 0x00ABCDEF, 3});
    without.insert(without.end(), tail.begin(), tail.end());
    const auto plain = decode<GridDesignData>(without);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->selectionBackColor, 0x00D77800u);
    EXPECT_EQ(plain->extraColor, 0xFFFFFFu);
    EXPECT_EQ(plain->borderStyle, 1);

    auto with = version12(0x80D77800);
    with.insert(with.end(), tail.begin(), tail.end());
    const auto extended = decode<GridDesignData>(with);
    ASSERT_TRUE(extended);
    EXPECT_EQ(extended->selectionBackColor, 0x00D77800u);
    EXPECT_EQ(extended->extraColor, 0x00ABCDEFu);
    EXPECT_EQ(extended->borderStyle, 3);
}

TEST_F(GridDesignDataTest, MissingMarkerOrUnknownMarkerKeepsDefaults) {
    const auto noMarker = decode<GridDesignData>(version12(0x80D77800));
    ASSERT_TRUE(noMarker);
    EXPECT_EQ(noMarker->selectionBackColor, 0x00D77800u);
    EXPECT_EQ(noMarker->borderStyle, 1);

    auto laterMarker = version12(0x80D77800);
    const auto tail = words({2, 0x00ABCDEF, 3});
    laterMarker.insert(laterMarker.end(), tail.begin(), tail.end());
    const auto skipped = decode<GridDesignData>(laterMarker);
    ASSERT_TRUE(skipped);
    EXPECT_EQ(skipped->extraColor, 0xFFFFFFu);
}

TEST_F(GridDesignDataTest, OlderVersionsStopEarly) {
    auto v7 = version12(0);
    v7.resize(4 * 22);
    v7[0] = 7;
    const auto d = decode<GridDesignData>(v7);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->enterMode, 3);
    EXPECT_TRUE(d->fixedCellClickSelects);
    EXPECT_EQ(d->selectionBackColor, kSystemHighlightColor);
    EXPECT_TRUE(d->showZeroValues);

    auto v1 = version12(0);
    v1.resize(4 * 15);
    v1[0] = 1;
    const auto first = decode<GridDesignData>(v1);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->fixedColumnCount, 1);
    EXPECT_TRUE(first->printDialog);
    EXPECT_EQ(first->backColor, kSystemDefaultColor);
}

TEST_F(GridDesignDataTest, EncodingSetsBitThirtyOneAndTheMarker) {
    GridDesignData d;
    d.selectionBackColor = 0x00D77800;
    const auto bytes = encode(d);
    ASSERT_EQ(bytes.size(), 32u * 4u);
    EXPECT_EQ(test::wordAt(bytes, 24 * 4), 0x80D77800u);
    EXPECT_EQ(test::wordAt(bytes, 29 * 4), 1u);
}

}  // namespace
}  // namespace veltrano::classdata
