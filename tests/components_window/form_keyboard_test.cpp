#include <windows.h>
#include <gtest/gtest.h>

#include "tests/components_window/form_fixture.h"

namespace veltrano::test {
namespace {

using classdata::WindowData;

using FormKeyboard = TwoEditsForm;

TEST_F(FormKeyboard, TabMovesTheFocusToTheNextComponentAndWraps) {
    makeForm(WindowData{});
    EXPECT_TRUE(pressKey(*form, first->handle(), VK_TAB));
    EXPECT_EQ(GetFocus(), second->handle());
    EXPECT_TRUE(pressKey(*form, second->handle(), VK_TAB));
    EXPECT_EQ(GetFocus(), first->handle());
}

TEST_F(FormKeyboard, ShiftTabMovesTheFocusBack) {
    makeForm(WindowData{});
    setKeyDown(VK_SHIFT, true);
    EXPECT_TRUE(pressKey(*form, first->handle(), VK_TAB));
    EXPECT_EQ(GetFocus(), second->handle());
}

TEST_F(FormKeyboard, CtrlTabIsLeftAlone) {
    makeForm(WindowData{});
    setKeyDown(VK_CONTROL, true);
    EXPECT_FALSE(pressKey(*form, first->handle(), VK_TAB));
    EXPECT_EQ(GetFocus(), first->handle());
}

TEST_F(FormKeyboard, TabSkipsDisabledHiddenAndNonTabStopComponents) {
    makeForm(WindowData{});
    TestControl* disabled = addControl(*form, L"EDIT", 108, 0x06010003);
    EnableWindow(disabled->handle(), FALSE);
    addControl(*form, L"EDIT", 106, 0x06010004, 0);
    addControl(*form, L"EDIT", 104, 0x06010005, WS_VISIBLE);
    EXPECT_TRUE(pressKey(*form, first->handle(), VK_TAB));
    EXPECT_EQ(GetFocus(), second->handle());
}

TEST_F(FormKeyboard, EscClosesTheWindowThroughItsClosingEvents) {
    makeForm(WindowData{});
    HWND window = form->handle();
    EXPECT_TRUE(pressKey(*form, first->handle(), VK_ESCAPE));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(log.numbersAmong({window_event::kQueryClose, window_event::kQueryDestroy, window_event::kDestroyed}),
              (std::vector<std::int32_t>{12, 1, 2}));
}

TEST_F(FormKeyboard, EscDoesNothingWhenTheWindowDoesNotCloseByIt) {
    WindowData data;
    data.EscCloses = false;
    makeForm(data);
    EXPECT_FALSE(pressKey(*form, first->handle(), VK_ESCAPE));
    EXPECT_TRUE(IsWindow(form->handle()));
    EXPECT_TRUE(log.numbersAmong({window_event::kQueryClose}).empty());
}

TEST_F(FormKeyboard, EnterWithoutDefaultButtonOrEnterMovesFocusIsLeftAlone) {
    makeForm(WindowData{});
    EXPECT_FALSE(pressKey(*form, first->handle(), VK_RETURN));
    EXPECT_EQ(GetFocus(), first->handle());
}

TEST_F(FormKeyboard, EnterMovesTheFocusWhenAskedTo) {
    WindowData data;
    data.EnterMovesFocus = true;
    makeForm(data);
    EXPECT_TRUE(pressKey(*form, first->handle(), VK_RETURN));
    EXPECT_EQ(GetFocus(), second->handle());
}

TEST_F(FormKeyboard, EnterPressesTheWindowsDefaultButton) {
    makeForm(WindowData{});
    TestControl* button = addControl(*form, L"BUTTON", 90, 0x06010009, WS_TABSTOP | WS_VISIBLE, true);
    EXPECT_TRUE(pressKey(*form, first->handle(), VK_RETURN));
    const FiredEvent* click = log.last(0);
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->componentId, button->componentId());
}

TEST_F(FormKeyboard, ADisabledDefaultButtonIsNotPressed) {
    makeForm(WindowData{});
    TestControl* button = addControl(*form, L"BUTTON", 90, 0x06010009, WS_TABSTOP | WS_VISIBLE, true);
    EnableWindow(button->handle(), FALSE);
    EXPECT_FALSE(pressKey(*form, first->handle(), VK_RETURN));
    EXPECT_EQ(log.last(0), nullptr);
}

TEST_F(FormKeyboard, EnterInAComponentThatWantsItIsLeftToTheComponent) {
    makeForm(WindowData{});
    TestControl* multiLine = addControl(*form, L"EDIT", 95, 0x06010008, WS_TABSTOP | WS_VISIBLE, false, true);
    addControl(*form, L"BUTTON", 90, 0x06010009, WS_TABSTOP | WS_VISIBLE, true);
    SetFocus(multiLine->handle());
    EXPECT_FALSE(pressKey(*form, multiLine->handle(), VK_RETURN));
    EXPECT_EQ(log.last(0), nullptr);
}

TEST_F(FormKeyboard, F1WithoutAHelpFileIsSwallowedAndOpensNothing) {
    WindowData data;
    data.F1OpensHelp = true;
    data.HelpFile = "Z:\\no\\such\\file.hlp";
    makeForm(data);
    EXPECT_TRUE(pressKey(*form, first->handle(), VK_F1));
    EXPECT_TRUE(IsWindow(form->handle()));
    data.F1OpensHelp = false;
    form->data().F1OpensHelp = false;
    EXPECT_FALSE(pressKey(*form, first->handle(), VK_F1));
}

TEST_F(FormKeyboard, KeysForOtherWindowsAreLeftAlone) {
    makeForm(WindowData{});
    HWND other = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(pressKey(*form, other, VK_ESCAPE));
    EXPECT_TRUE(IsWindow(form->handle()));
    DestroyWindow(other);
}

class FormClosing : public FormTest {};

TEST_F(FormClosing, AFalseQueryCloseKeepsTheWindowAndAsksNothingMore) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    log.answer = [](const FiredEvent& e) -> std::optional<std::uint32_t> {
        if (e.number == window_event::kQueryClose) return 0u;
        return std::nullopt;
    };
    SendMessageW(form->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form->handle()));
    EXPECT_EQ(log.numbersAmong({window_event::kQueryClose, window_event::kQueryDestroy}),
              (std::vector<std::int32_t>{12}));
}

TEST_F(FormClosing, AFalseQueryDestroyKeepsTheWindow) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    log.answer = [](const FiredEvent& e) -> std::optional<std::uint32_t> {
        if (e.number == window_event::kQueryDestroy) return 0u;
        return 1u;
    };
    SendMessageW(form->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form->handle()));
    EXPECT_EQ(log.numbersAmong({window_event::kQueryClose, window_event::kQueryDestroy, window_event::kDestroyed}),
              (std::vector<std::int32_t>{12, 1}));
}

TEST_F(FormClosing, ClosingEnablesTheWindowsDisabledForAModalWindow) {
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    EnableWindow(other, FALSE);
    form->rememberDisabledWindow(other, true);
    SendMessageW(form->handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(formHandle));
    EXPECT_TRUE(IsWindowEnabled(other));
    DestroyWindow(other);
}

TEST_F(FormClosing, AHandlerThatDestroysTheWindowEndsTheSequence) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    HWND window = form->handle();
    log.answer = [window](const FiredEvent& e) -> std::optional<std::uint32_t> {
        if (e.number == window_event::kQueryClose) DestroyWindow(window);
        return 0u;
    };
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(log.numbersAmong({window_event::kQueryClose, window_event::kQueryDestroy, window_event::kDestroyed}),
              (std::vector<std::int32_t>{12, 2}));
}

TEST_F(FormClosing, ASystemShutdownIsRefusedByAFalseQueryDestroy) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    log.answer = [](const FiredEvent&) -> std::optional<std::uint32_t> { return 0u; };
    EXPECT_EQ(SendMessageW(form->handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    log.answer = nullptr;
    EXPECT_EQ(SendMessageW(form->handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

class FormEvents : public FormTest {};

TEST_F(FormEvents, MovingResizingShowingAndHidingFireTheirEvents) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    log.events.clear();
    SetWindowPos(form->handle(), nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(log.numbersAmong({window_event::kMoved, window_event::kResized}), (std::vector<std::int32_t>{3}));
    log.events.clear();
    SetWindowPos(form->handle(), nullptr, 0, 0, 250, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(log.numbersAmong({window_event::kMoved, window_event::kResized}), (std::vector<std::int32_t>{4}));
    log.events.clear();
    ShowWindow(form->handle(), SW_SHOWNOACTIVATE);
    ShowWindow(form->handle(), SW_HIDE);
    EXPECT_EQ(log.numbersAmong({window_event::kShown, window_event::kHidden}), (std::vector<std::int32_t>{10, 11}));
}

TEST_F(FormEvents, TheFirstActivationComesOnceBeforeActivated) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(other, SW_SHOWNORMAL);
    ShowWindow(form->handle(), SW_SHOWNORMAL);
    SetActiveWindow(other);
    SetActiveWindow(form->handle());
    DestroyWindow(other);
    EXPECT_EQ(log.numbersAmong({window_event::kActivated, window_event::kDeactivated, window_event::kFirstActivated}),
              (std::vector<std::int32_t>{8, 5, 6, 5}));
}

TEST_F(FormEvents, TrayNotificationsReportTheButton) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    SendMessageW(form->handle(), window_message::kTrayNotification, kTrayIconId, WM_LBUTTONDBLCLK);
    SendMessageW(form->handle(), window_message::kTrayNotification, kTrayIconId, WM_MOUSEMOVE);
    SendMessageW(form->handle(), window_message::kTrayNotification, kTrayIconId, WM_RBUTTONUP);
    std::vector<EventWord> codes;
    for (const auto& e : log.events) {
        if (e.number == window_event::kTrayEvent) codes.push_back(e.arguments.at(0));
    }
    EXPECT_EQ(codes, (std::vector<EventWord>{2, 3}));
}

TEST_F(FormEvents, IdleTimeIsOfferedWithItsDurationAndTheHandlersWish) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->onIdle(250));
    ASSERT_NE(log.last(window_event::kIdle), nullptr);
    EXPECT_EQ(log.last(window_event::kIdle)->arguments, (std::vector<EventWord>{250}));
    log.answer = [](const FiredEvent&) -> std::optional<std::uint32_t> { return 1u; };
    EXPECT_TRUE(form->onIdle(10));
}

}  // namespace
}  // namespace veltrano::test
