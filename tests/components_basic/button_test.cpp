#include <gtest/gtest.h>

#include <algorithm>

#include "components/button/button_class.h"
#include "components/button/button_object.h"
#include "components/classdata/button_data.h"
#include "tests/components_basic/bitmap_file.h"
#include "tests/components_basic/component_fixture.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::test {
namespace {

using classdata::ButtonData;

constexpr int kButtonPicture = 8;
constexpr int kButtonType = 9;
constexpr int kCaption = 10;
constexpr int kAlignment = 11;
constexpr int kVerticalAlignment = 12;
constexpr int kFont = 13;

class ButtonTest : public ComponentFixture {
protected:
    WindowObject* createButton(const ButtonData& data) { return create(kButtonClass, classdata::encode(data)); }
    int writeInt(WindowObject* button, int property, std::int32_t value) {
        return write(kButtonClass, button, property, RawValue{static_cast<std::uint32_t>(value), 0});
    }
    std::int32_t readInt(WindowObject* button, int property) {
        return static_cast<std::int32_t>(read(kButtonClass, button, property).word1);
    }
    bool isDefault(WindowObject* button) {
        auto routine = classRoutine<DefaultButtonRoutine>(kButtonClass, class_interface::kDefaultButton);
        return routine != nullptr && routine(button);
    }
    int clicks() const {
        int count = 0;
        for (const auto& event : events) count += event.eventNumber == button_event::kClick ? 1 : 0;
        return count;
    }
};

TEST_F(ButtonTest, DefaultCaptionIsTheClassName) {
    WindowObject* button = create(kButtonClass, {});
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(windowText(button->handle()), L"按钮");
    EXPECT_EQ(readText(kButtonClass, button, kCaption), gbk("按钮"));
    EXPECT_EQ(style(button->handle()) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_TRUE(style(button->handle()) & BS_MULTILINE);
}

TEST_F(ButtonTest, ChineseCaptionWrittenAtRunTimeKeepsPositionStateAndFocus) {
    ButtonData data;
    data.Caption = gbk("开启");
    WindowObject* button = createButton(data);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(windowText(button->handle()), L"开启");
    ShowWindow(parent(), SW_SHOW);
    ShowWindow(button->handle(), SW_SHOW);
    SetFocus(button->handle());
    RECT before{};
    GetWindowRect(button->handle(), &before);
    HWND handleBefore = button->handle();

    EXPECT_EQ(writeText(kButtonClass, button, kCaption, gbk("关闭")), 0);
    EXPECT_EQ(windowText(button->handle()), L"关闭");
    EXPECT_EQ(button->handle(), handleBefore);
    RECT after{};
    GetWindowRect(button->handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(GetFocus(), button->handle());

    writeInt(button, kButtonType, 1);
    EnableWindow(button->handle(), FALSE);
    EXPECT_EQ(writeText(kButtonClass, button, kCaption, gbk("开启")), 0);
    EXPECT_EQ(button->handle(), handleBefore);
    EXPECT_FALSE(IsWindowEnabled(button->handle()));
    EXPECT_TRUE(isDefault(button));
}

TEST_F(ButtonTest, ClickFiresEventZeroExactlyOnce) {
    WindowObject* button = createButton(ButtonData{});
    ASSERT_NE(button, nullptr);
    ShowWindow(parent(), SW_SHOW);
    ShowWindow(button->handle(), SW_SHOW);
    events.clear();
    SendMessageW(button->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks(), 1);
    const auto click = std::find_if(events.begin(), events.end(),
                                    [](const SimpleEventRecord& e) { return e.eventNumber == button_event::kClick; });
    ASSERT_NE(click, events.end());
    EXPECT_EQ(click->windowId, kWindowId);
    EXPECT_EQ(click->componentId, kComponentId);
    EXPECT_EQ(click->argumentCount, 0u);
}

TEST_F(ButtonTest, FocusChangesFireFocusEvents) {
    WindowObject* button = createButton(ButtonData{});
    WindowObject* other = createButton(ButtonData{});
    ASSERT_NE(button, nullptr);
    ASSERT_NE(other, nullptr);
    ShowWindow(parent(), SW_SHOW);
    SetFocus(other->handle());
    events.clear();
    SetFocus(button->handle());
    ASSERT_EQ(GetFocus(), button->handle());
    SetFocus(other->handle());
    std::vector<std::int32_t> numbers;
    for (const auto& event : events) numbers.push_back(event.eventNumber);
    // The other button's events come from the same ids in this fixture;
    // the order tells them apart.
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{-8, -7, -8, -7}));
}

TEST_F(ButtonTest, ButtonTypeMakesTheDefaultButton) {
    WindowObject* button = createButton(ButtonData{});
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(isDefault(button));
    writeInt(button, kButtonType, 2);
    EXPECT_EQ(readInt(button, kButtonType), 1);
    EXPECT_EQ(style(button->handle()) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(isDefault(button));
    // The window asks through the component object when Enter is pressed.
    auto* component = dynamic_cast<ComponentObject*>(button);
    ASSERT_NE(component, nullptr);
    EXPECT_TRUE(component->isDefaultButton());
    writeInt(button, kButtonType, 0);
    EXPECT_FALSE(isDefault(button));

    ButtonData data;
    data.ButtonType = 1;
    EXPECT_TRUE(isDefault(createButton(data)));
}

TEST_F(ButtonTest, AlignmentsReplaceTheirStyleBits) {
    ButtonData data;
    data.Alignment = 0;
    data.VerticalAlignment = 2;
    WindowObject* button = createButton(data);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(style(button->handle()) & (BS_CENTER | BS_VCENTER), BS_LEFT | BS_BOTTOM);
    writeInt(button, kAlignment, 5);
    writeInt(button, kVerticalAlignment, 0);
    EXPECT_EQ(readInt(button, kAlignment), 2);
    EXPECT_EQ(style(button->handle()) & (BS_CENTER | BS_VCENTER), BS_RIGHT | BS_TOP);
    writeInt(button, kAlignment, 1);
    writeInt(button, kVerticalAlignment, -1);
    EXPECT_EQ(readInt(button, kVerticalAlignment), 0);
    EXPECT_EQ(style(button->handle()) & BS_CENTER, BS_CENTER);
}

TEST_F(ButtonTest, BitmapPictureMakesABitmapButton) {
    ButtonData data;
    data.ButtonPicture = bitmapFile(4, 4, std::vector<std::uint32_t>(16, 0x00FF00));
    WindowObject* button = createButton(data);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(style(button->handle()) & BS_BITMAP);
    HBITMAP image = reinterpret_cast<HBITMAP>(SendMessageW(button->handle(), BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(image, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectW(image, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(readBytes(kButtonClass, button, kButtonPicture), data.ButtonPicture);
}

TEST_F(ButtonTest, UndecodablePictureLeavesATextButton) {
    ButtonData data;
    data.ButtonPicture = {1, 2, 3, 4, 5, 6};
    WindowObject* button = createButton(data);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(style(button->handle()) & (BS_BITMAP | BS_ICON));
    EXPECT_EQ(windowText(button->handle()), L"按钮");
}

TEST_F(ButtonTest, NewPictureAsksForRecreationFromTheSavedState) {
    WindowObject* button = createButton(ButtonData{});
    ASSERT_NE(button, nullptr);
    const auto picture = bitmapFile(2, 2, {1, 2, 3, 4});
    EXPECT_EQ(writeBytes(kButtonClass, button, kButtonPicture, picture), 1);
    const auto saved = save(kButtonClass, button);
    WindowObject* again = create(kButtonClass, saved);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(style(again->handle()) & BS_BITMAP);
    EXPECT_EQ(writeInt(button, kButtonType, 1), 0);
}

TEST_F(ButtonTest, SavedStateRoundTrips) {
    ButtonData data;
    data.Caption = gbk("写入模块");
    data.ButtonType = 1;
    data.Alignment = 2;
    data.VerticalAlignment = 0;
    WindowObject* button = createButton(data);
    ASSERT_NE(button, nullptr);
    std::vector<std::uint8_t> font(60, 0);
    font[16] = 0xBC;  // weight 700
    font[17] = 0x02;
    writeBytes(kButtonClass, button, kFont, font);
    writeInt(button, kAlignment, 0);

    const auto saved = save(kButtonClass, button);
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved[0], 1);
    auto expected = data;
    expected.Font = font;
    expected.Alignment = 0;
    const auto decoded = classdata::decode<ButtonData>(saved);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, expected);
    EXPECT_EQ(readBytes(kButtonClass, button, kFont), font);

    HFONT applied = reinterpret_cast<HFONT>(SendMessageW(button->handle(), WM_GETFONT, 0, 0));
    LOGFONTW described{};
    ASSERT_NE(applied, nullptr);
    GetObjectW(applied, sizeof described, &described);
    EXPECT_EQ(described.lfWeight, 700);
}

TEST_F(ButtonTest, NewerClassDataCreatesNothing) {
    auto bytes = classdata::encode(ButtonData{});
    bytes[0] = 2;
    EXPECT_EQ(create(kButtonClass, bytes), nullptr);
    EXPECT_EQ(FindWindowExW(parent(), nullptr, L"BUTTON", nullptr), nullptr);
}

}  // namespace
}  // namespace veltrano::test
