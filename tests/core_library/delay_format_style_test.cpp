#include <gtest/gtest.h>

#include <string>

#include "runtime/core_library/core_library.h"
#include "runtime/core_library/visual_style_hook.h"
#include "runtime/kernel/unique_handle.h"
#include "tests/core_library/command_fixture.h"

namespace veltrano::test {
namespace {

using namespace veltrano::core_library;

constexpr UINT kProbeMessage = WM_APP + 17;

// A window that counts the probe messages and timer ticks dispatched to it.
class ProbeWindow {
public:
    ProbeWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VeltranoDelayProbe";
        RegisterClassW(&windowClass);
        window_.reset(CreateWindowExW(0, L"VeltranoDelayProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen_));
    }
    HWND handle() const noexcept { return window_.get(); }
    int seen() const noexcept { return seen_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kProbeMessage || message == WM_TIMER) {
            if (auto* seen = reinterpret_cast<int*>(GetWindowLongPtrW(window, GWLP_USERDATA))) ++*seen;
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    int seen_ = 0;
    win::UniqueWindow window_;
};

using DelayCommandTest = CommandTest;

TEST_F(DelayCommandTest, DispatchesAPostedMessageWhileWaiting) {
    ProbeWindow probe;
    ASSERT_NE(probe.handle(), nullptr);
    PostMessageW(probe.handle(), kProbeMessage, 0, 0);
    const ULONGLONG start = GetTickCount64();
    call(&Delay, {integer(50)});
    EXPECT_EQ(probe.seen(), 1);
    EXPECT_GE(GetTickCount64() - start, 50u);
}

TEST_F(DelayCommandTest, ZeroOrNegativeTimeReturnsWithoutDispatching) {
    ProbeWindow probe;
    PostMessageW(probe.handle(), kProbeMessage, 0, 0);
    call(&Delay, {integer(0)});
    call(&Delay, {integer(-20)});
    EXPECT_EQ(probe.seen(), 0);
}

TEST_F(DelayCommandTest, TimerTicksRunInsideTheDelay) {
    ProbeWindow probe;
    int ticks = 0;
    SetWindowLongPtrW(probe.handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&ticks));
    const UINT_PTR timer = SetTimer(probe.handle(), 7, 10, nullptr);
    ASSERT_NE(timer, 0u);
    call(&Delay, {integer(100)});
    KillTimer(probe.handle(), timer);
    EXPECT_GE(ticks, 2);
}

// A protocol pause must never be cut short, whatever the clock's steps.
TEST_F(DelayCommandTest, NeverReturnsBeforeItsTimeOnTheFineClock) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    for (const int milliseconds : {1, 3, 7, 16, 25}) {
        LARGE_INTEGER start{};
        LARGE_INTEGER end{};
        QueryPerformanceCounter(&start);
        call(&Delay, {integer(milliseconds)});
        QueryPerformanceCounter(&end);
        EXPECT_GE((end.QuadPart - start.QuadPart) * 1000, static_cast<long long>(milliseconds) * frequency.QuadPart)
            << milliseconds << " ms";
    }
}

using FormatTextCommandTest = CommandTest;

TEST_F(FormatTextCommandTest, PadsHexadecimalDigits) {
    EXPECT_EQ(takeText(call(&FormatText, {text("%06X"), integer(9600)})), "002580");
    EXPECT_EQ(takeText(call(&FormatText, {text("%04X"), integer(1)})), "0001");
    EXPECT_EQ(takeText(call(&FormatText, {text("%02X"), integer(255)})), "FF");
    EXPECT_EQ(takeText(call(&FormatText, {text("%02X"), integer(0x1234)})), "1234");
}

TEST_F(FormatTextCommandTest, ALongTextComesBackWhole) {
    const std::string long300(300, 'q');
    EXPECT_EQ(takeText(call(&FormatText, {text("%s"), text(long300)})), long300);
    EXPECT_EQ(takeText(call(&FormatText, {text("[%s|%.2f]"), text("a"), real(1.5)})), "[a|1.50]");
}

TEST_F(FormatTextCommandTest, UnsupportedValuesGiveNull) {
    const std::uint8_t bytes[] = {1};
    const ValueTriple withByteSet = call(&FormatText, {text("%d"), byteSet(bytes)});
    EXPECT_EQ(withByteSet.type, type_code::kText);
    EXPECT_EQ(withByteSet.low, 0u);
    EXPECT_EQ(call(&FormatText, {text("%d"), longInteger(1)}).low, 0u);
    EXPECT_EQ(call(&FormatText, {integer(5)}).low, 0u);
}

class VisualStyleCommandTest : public CommandTest {
protected:
    VisualStyleCommandTest()
        : parent_(CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~VisualStyleCommandTest() override { call(&SetVisualStyle, {integer(0)}); }

    HWND child(const wchar_t* className) {
        return CreateWindowExW(0, className, L"x", WS_CHILD, 0, 0, 50, 20, parent_.get(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }

    win::UniqueWindow parent_;
};

TEST_F(VisualStyleCommandTest, StylesPresentAndLaterControlsOfThemedClassesOnly) {
    HWND button = child(L"BUTTON");
    ASSERT_NE(button, nullptr);
    const ValueTriple result = call(&SetVisualStyle, {integer(2)});
    EXPECT_EQ(result.low, 1u);
    EXPECT_TRUE(VisualStyleHook::isStyled(button));
    HWND edit = child(L"EDIT");
    HWND combo = child(L"COMBOBOX");
    EXPECT_TRUE(VisualStyleHook::isStyled(edit));
    EXPECT_TRUE(VisualStyleHook::isStyled(combo));
    EXPECT_FALSE(VisualStyleHook::isStyled(parent_.get())) << "a static is not a themed class";
}

TEST_F(VisualStyleCommandTest, OtherStylesRemoveTheHookAndRestoreControls) {
    HWND button = child(L"BUTTON");
    call(&SetVisualStyle, {integer(1)});
    ASSERT_TRUE(VisualStyleHook::isStyled(button));
    EXPECT_EQ(call(&SetVisualStyle, {integer(0)}).low, 1u) << "a hook was released";
    EXPECT_FALSE(VisualStyleHook::isStyled(button));
    EXPECT_FALSE(VisualStyleHook::isStyled(child(L"EDIT")));
    EXPECT_EQ(call(&SetVisualStyle, {integer(4)}).low, 0u) << "no hook left to release";
}

TEST_F(VisualStyleCommandTest, ADestroyedControlIsForgotten) {
    call(&SetVisualStyle, {integer(2)});
    HWND button = child(L"BUTTON");
    ASSERT_TRUE(VisualStyleHook::isStyled(button));
    DestroyWindow(button);
    EXPECT_FALSE(VisualStyleHook::isStyled(button)) << "a later window may be given the same handle";
}

TEST_F(VisualStyleCommandTest, ControlTextAndSizeStayAsTheyWere) {
    call(&SetVisualStyle, {integer(2)});
    HWND edit = child(L"EDIT");
    RECT bounds{};
    GetWindowRect(edit, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 50);
    EXPECT_EQ(bounds.bottom - bounds.top, 20);
    wchar_t content[8] = {};
    GetWindowTextW(edit, content, 8);
    EXPECT_STREQ(content, L"x");
}

// A button class of the program's own that, handling its WM_CREATE,
// notes whether it was styled yet and puts another procedure in its place.
struct SwappingButton {
    static inline WNDPROC systemProcedure = nullptr;
    static inline bool styledAtCreate = false;

    static LRESULT CALLBACK laterProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcW(systemProcedure, window, message, wParam, lParam);
    }
    static LRESULT CALLBACK creationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CREATE) {
            styledAtCreate = VisualStyleHook::isStyled(window);
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&laterProcedure));
        }
        return CallWindowProcW(systemProcedure, window, message, wParam, lParam);
    }
};

TEST_F(VisualStyleCommandTest, LaterControlsKeepTheProcedureTheirCreationLeaves) {
    call(&SetVisualStyle, {integer(2)});
    HWND edit = child(L"EDIT");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), static_cast<LONG_PTR>(GetClassLongPtrW(edit, GCLP_WNDPROC)))
        << "the control runs its own class's procedure once created";

    // A control that puts another procedure in place while it handles its
    // own WM_CREATE keeps it, and is styled before it hears WM_CREATE.
    WNDCLASSEXW button{};
    button.cbSize = sizeof button;
    ASSERT_TRUE(GetClassInfoExW(nullptr, L"BUTTON", &button));
    SwappingButton::systemProcedure = button.lpfnWndProc;
    SwappingButton::styledAtCreate = false;
    button.lpfnWndProc = &SwappingButton::creationProcedure;
    button.hInstance = GetModuleHandleW(nullptr);
    button.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    // The program's own class of a themed name, ahead of the system's.
    button.lpszClassName = L"Button";
    ASSERT_NE(RegisterClassExW(&button), 0);
    HWND own = child(L"Button");
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(SwappingButton::styledAtCreate);
    EXPECT_EQ(GetWindowLongPtrW(own, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SwappingButton::laterProcedure));
    DestroyWindow(own);
    UnregisterClassW(L"Button", GetModuleHandleW(nullptr));
}

}  // namespace
}  // namespace veltrano::test
