#include <gtest/gtest.h>

#include "components/button/button_class.h"
#include "components/classdata/button_data.h"
#include "components/classdata/group_box_data.h"
#include "components/group_box/group_box_class.h"
#include "tests/components_basic/component_fixture.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::test {
namespace {

using classdata::GroupBoxData;

constexpr int kCaption = 8;
constexpr int kAlignment = 9;
constexpr int kTextColor = 10;
constexpr int kBackColor = 11;

class GroupBoxTest : public ComponentFixture {
protected:
    WindowObject* createGroupBox(const GroupBoxData& data) {
        return create(kGroupBoxClass, classdata::encode(data), RECT{10, 10, 210, 110});
    }
    int writeInt(WindowObject* box, int property, std::int32_t value) {
        return write(kGroupBoxClass, box, property, RawValue{static_cast<std::uint32_t>(value), 0});
    }
};

TEST_F(GroupBoxTest, IsASystemGroupFrameWithItsCaption) {
    GroupBoxData data;
    data.Caption = gbk("串口");
    data.Alignment = 1;
    WindowObject* box = createGroupBox(data);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(style(box->handle()) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(style(box->handle()) & BS_CENTER, BS_CENTER);
    EXPECT_EQ(windowText(box->handle()), L"串口");
    writeText(kGroupBoxClass, box, kCaption, "COM");
    EXPECT_EQ(windowText(box->handle()), L"COM");
    EXPECT_EQ(readText(kGroupBoxClass, box, kCaption), "COM");
}

TEST_F(GroupBoxTest, AlignmentIsClampedAndReplacesTheStyleBits) {
    WindowObject* box = createGroupBox(GroupBoxData{});
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(style(box->handle()) & BS_CENTER, BS_LEFT);
    writeInt(box, kAlignment, 7);
    EXPECT_EQ(read(kGroupBoxClass, box, kAlignment).word1, 2u);
    EXPECT_EQ(style(box->handle()) & BS_CENTER, BS_RIGHT);
    EXPECT_EQ(style(box->handle()) & BS_TYPEMASK, BS_GROUPBOX);
}

TEST_F(GroupBoxTest, AnswersItsColoursWhenTheSystemAsks) {
    GroupBoxData data;
    data.TextColor = 0x0000FF;
    data.BackColor = 0x00FF00;
    WindowObject* box = createGroupBox(data);
    ASSERT_NE(box, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(box->handle())));
    ASSERT_NE(brush, nullptr);
    LOGBRUSH described{};
    GetObjectW(brush, sizeof described, &described);
    EXPECT_EQ(described.lbColor, 0x00FF00u);
    EXPECT_EQ(GetTextColor(dc), 0x0000FFu);
    EXPECT_EQ(GetBkColor(dc), 0x00FF00u);

    writeInt(box, kBackColor, 0x112233);
    writeInt(box, kTextColor, 0x445566);
    brush = reinterpret_cast<HBRUSH>(SendMessageW(parent(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(box->handle())));
    GetObjectW(brush, sizeof described, &described);
    EXPECT_EQ(described.lbColor, 0x112233u);
    EXPECT_EQ(GetTextColor(dc), 0x445566u);
    DeleteDC(dc);
}

TEST_F(GroupBoxTest, ErasesItsBackgroundWithTheBackColour) {
    GroupBoxData data;
    data.BackColor = 0x204060;
    WindowObject* box = createGroupBox(data);
    ASSERT_NE(box, nullptr);
    Painting painting(box->handle(), 200, 100);
    EXPECT_EQ(SendMessageW(box->handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(painting.dc()), 0), 1);
    GdiFlush();
    EXPECT_EQ(painting.at(100, 60), 0x204060u);
    EXPECT_EQ(painting.at(199, 99), 0x204060u);
}

TEST_F(GroupBoxTest, ChildButtonClicksReachTheChildsObject) {
    WindowObject* box = createGroupBox(GroupBoxData{});
    ASSERT_NE(box, nullptr);
    WindowObject* button = create(kButtonClass, classdata::encode(classdata::ButtonData{}), RECT{20, 20, 80, 44});
    ASSERT_NE(button, nullptr);
    SetParent(button->handle(), box->handle());
    ShowWindow(parent(), SW_SHOW);
    ShowWindow(box->handle(), SW_SHOW);
    ShowWindow(button->handle(), SW_SHOW);
    events.clear();
    SendMessageW(button->handle(), BM_CLICK, 0, 0);
    int clicks = 0;
    for (const auto& event : events) clicks += event.eventNumber == 0 ? 1 : 0;
    EXPECT_EQ(clicks, 1);
}

TEST_F(GroupBoxTest, SavedStateRoundTripsAndNewerDataFails) {
    GroupBoxData data;
    data.Caption = "COM";
    data.TextColor = 0x10;
    WindowObject* box = createGroupBox(data);
    ASSERT_NE(box, nullptr);
    writeInt(box, kBackColor, 0x20);
    const auto saved = save(kGroupBoxClass, box);
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved[0], 1);
    auto expected = data;
    expected.BackColor = 0x20;
    const auto decoded = classdata::decode<GroupBoxData>(saved);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, expected);
    ASSERT_NE(create(kGroupBoxClass, saved), nullptr);

    auto newer = saved;
    newer[0] = 2;
    EXPECT_EQ(create(kGroupBoxClass, newer), nullptr);
}

}  // namespace
}  // namespace veltrano::test
