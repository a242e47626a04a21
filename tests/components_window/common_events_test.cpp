#include <windows.h>
#include <gtest/gtest.h>

#include "tests/components_window/form_fixture.h"

namespace veltrano::test {
namespace {

using classdata::WindowData;

std::wstring textOf(HWND window) {
    wchar_t buffer[64] = {};
    GetWindowTextW(window, buffer, 64);
    return buffer;
}

class CommonEvents : public FormTest {
protected:
    CWinFormUnit* form = nullptr;
    TestControl* edit = nullptr;
    TestControl* plain = nullptr;

    void SetUp() override {
        form = createForm(WindowData{});
        ASSERT_NE(form, nullptr);
        edit = addControl(*form, L"EDIT", 100, 0x06010001);
        // A control that does nothing of its own with the mouse (an edit
        // box would capture it or open its context menu).
        plain = addControl(*form, L"STATIC", 110, 0x06010002);
        log.events.clear();
    }

    const FiredEvent* lastOf(std::int32_t number) const { return log.last(number); }
};

TEST_F(CommonEvents, MouseButtonsReportClientPositionAndModifiers) {
    setKeyDown(VK_CONTROL, true);
    setKeyDown(VK_SHIFT, true);
    SendMessageW(plain->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 9));
    const FiredEvent* down = lastOf(common_event::kMouseLeftDown);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->componentId, 0x06010002u);
    EXPECT_EQ(down->arguments, (std::vector<EventWord>{7, 9, key_modifier::kCtrl | key_modifier::kShift}));
}

TEST_F(CommonEvents, EachMouseMessageHasItsEvent) {
    const std::pair<UINT, std::int32_t> pairs[] = {
        {WM_LBUTTONUP, common_event::kMouseLeftUp},      {WM_LBUTTONDBLCLK, common_event::kDoubleClick},
        {WM_RBUTTONDOWN, common_event::kMouseRightDown}, {WM_RBUTTONUP, common_event::kMouseRightUp},
        {WM_MOUSEMOVE, common_event::kMouseMove},
    };
    for (const auto& [message, event] : pairs) {
        log.events.clear();
        SendMessageW(plain->handle(), message, 0, MAKELPARAM(3, 4));
        const FiredEvent* fired = lastOf(event);
        ASSERT_NE(fired, nullptr) << message;
        EXPECT_EQ(fired->arguments, (std::vector<EventWord>{3, 4, 0})) << message;
    }
}

TEST_F(CommonEvents, NegativeCoordinatesKeepTheirSign) {
    SendMessageW(form->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(-5, -6));
    const FiredEvent* move = lastOf(common_event::kMouseMove);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(move->componentId, kFormComponentId);
    EXPECT_EQ(static_cast<std::int32_t>(move->arguments.at(0)), -5);
    EXPECT_EQ(static_cast<std::int32_t>(move->arguments.at(1)), -6);
}

TEST_F(CommonEvents, AFalseMouseDownResultKeepsThePressFromTheControl) {
    log.answer = [](const FiredEvent& e) -> std::optional<std::uint32_t> {
        if (e.number == common_event::kMouseLeftDown) return 0u;
        return std::nullopt;
    };
    ShowWindow(form->handle(), SW_SHOWNORMAL);
    SetFocus(form->handle());
    SendMessageW(edit->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_NE(GetFocus(), edit->handle());
    log.answer = nullptr;
    SendMessageW(edit->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(edit->handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(GetFocus(), edit->handle());
}

TEST_F(CommonEvents, KeypadKeysReportTheMainKeyboardsCodes) {
    const std::pair<WPARAM, std::uint32_t> keys[] = {{VK_NUMPAD5, '5'}, {VK_NUMPAD0, '0'}, {VK_SUBTRACT, 189},
                                                     {VK_DECIMAL, 190}, {VK_DIVIDE, 191},  {'Q', 'Q'}};
    for (const auto& [key, code] : keys) {
        log.events.clear();
        SendMessageW(edit->handle(), WM_KEYDOWN, key, 1);
        const FiredEvent* down = lastOf(common_event::kKeyDown);
        ASSERT_NE(down, nullptr);
        EXPECT_EQ(down->arguments, (std::vector<EventWord>{code, 0})) << key;
    }
}

TEST_F(CommonEvents, KeyUpAndSystemKeysCarryTheAltBit) {
    setKeyDown(VK_MENU, true);
    SendMessageW(edit->handle(), WM_SYSKEYUP, 'F', 1);
    const FiredEvent* up = lastOf(common_event::kKeyUp);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->arguments, (std::vector<EventWord>{'F', key_modifier::kAlt}));
}

TEST_F(CommonEvents, ACharacterResultReplacesTheTypedCharacter) {
    log.answer = [](const FiredEvent& e) -> std::optional<std::uint32_t> {
        if (e.number == common_event::kChar) return 'A';
        return std::nullopt;
    };
    SendMessageW(edit->handle(), WM_CHAR, 'x', 1);
    SendMessageW(edit->handle(), WM_CHAR, 'y', 1);
    EXPECT_EQ(textOf(edit->handle()), L"AA");
    EXPECT_EQ(lastOf(common_event::kChar)->arguments, (std::vector<EventWord>{'y'}));
}

TEST_F(CommonEvents, AZeroCharacterResultSwallowsIt) {
    log.answer = [](const FiredEvent& e) -> std::optional<std::uint32_t> {
        if (e.number == common_event::kChar && e.arguments.at(0) == 'x') return 0u;
        return std::nullopt;
    };
    SendMessageW(edit->handle(), WM_CHAR, 'x', 1);
    SendMessageW(edit->handle(), WM_CHAR, 'z', 1);
    EXPECT_EQ(textOf(edit->handle()), L"z");
}

TEST_F(CommonEvents, AFalseKeyDownResultSwallowsTheKey) {
    SetWindowTextW(edit->handle(), L"abc");
    SendMessageW(edit->handle(), EM_SETSEL, 0, 0);
    log.answer = [](const FiredEvent& e) -> std::optional<std::uint32_t> {
        if (e.number == common_event::kKeyDown) return 0u;
        return std::nullopt;
    };
    SendMessageW(edit->handle(), WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(textOf(edit->handle()), L"abc");
    log.answer = nullptr;
    SendMessageW(edit->handle(), WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(textOf(edit->handle()), L"bc");
}

TEST_F(CommonEvents, TheWheelReportsSignedNotches) {
    SendMessageW(edit->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    const FiredEvent* wheel = lastOf(common_event::kMouseWheel);
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(static_cast<std::int32_t>(wheel->arguments.at(0)), -2);
}

TEST_F(CommonEvents, TheWindowReportsFocusAndGivesItBackToItsChild) {
    ShowWindow(form->handle(), SW_SHOWNORMAL);
    SetFocus(edit->handle());
    SendMessageW(form->handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    log.events.clear();
    SetFocus(form->handle());
    ASSERT_NE(lastOf(common_event::kFocusGained), nullptr);
    EXPECT_EQ(lastOf(common_event::kFocusGained)->componentId, kFormComponentId);
    EXPECT_EQ(GetFocus(), edit->handle());
    EXPECT_NE(lastOf(common_event::kFocusLost), nullptr);
}

}  // namespace
}  // namespace veltrano::test
