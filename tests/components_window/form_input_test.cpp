#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/components_window/form_fixture.h"

namespace veltrano::test {
namespace {

using classdata::WindowData;
namespace property = window_property;

// An icon file with one 32 x 32 image of 32-bit pixels.
std::vector<std::uint8_t> iconFile() {
    constexpr std::uint32_t side = 32;
    constexpr std::uint32_t pixels = side * side * 4;
    constexpr std::uint32_t mask = side * 4;
    constexpr std::uint32_t imageLength = 40 + pixels + mask;
    std::vector<std::uint8_t> bytes;
    putLittleEndian(bytes, 0, 2);
    putLittleEndian(bytes, 1, 2);
    putLittleEndian(bytes, 1, 2);
    bytes.push_back(side);
    bytes.push_back(side);
    bytes.push_back(0);
    bytes.push_back(0);
    putLittleEndian(bytes, 1, 2);
    putLittleEndian(bytes, 32, 2);
    putLittleEndian(bytes, imageLength, 4);
    putLittleEndian(bytes, 22, 4);
    putLittleEndian(bytes, 40, 4);
    putLittleEndian(bytes, side, 4);
    putLittleEndian(bytes, side * 2, 4);
    putLittleEndian(bytes, 1, 2);
    putLittleEndian(bytes, 32, 2);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, pixels + mask, 4);
    for (int i = 0; i < 4; ++i) putLittleEndian(bytes, 0, 4);
    for (std::uint32_t i = 0; i < side * side; ++i) putLittleEndian(bytes, 0xFF2040C0, 4);
    bytes.insert(bytes.end(), mask, 0);
    return bytes;
}

using FormLook = FormTest;

// What the window's default handling was asked to draw for WM_NCACTIVATE.
std::vector<WPARAM> titleActivations;

LRESULT CALLBACK titleProbe(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCACTIVATE) titleActivations.push_back(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(FormLook, KeepTitleActiveDrawsTheTitleActiveWhileTheWindowIsNot) {
    // A window class of the program's own, registered before the window
    // asks for it, sees what reaches the default handling.
    WNDCLASSW probe{};
    probe.lpfnWndProc = &titleProbe;
    probe.hInstance = GetModuleHandleW(nullptr);
    probe.lpszClassName = L"KeepTitleProbe";
    ASSERT_NE(RegisterClassW(&probe), 0);
    WindowData data;
    data.WindowClassName = "KeepTitleProbe";
    data.KeepTitleActive = true;
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    titleActivations.clear();
    EXPECT_NE(SendMessageW(form->handle(), WM_NCACTIVATE, FALSE, 0), 0);
    EXPECT_EQ(titleActivations, (std::vector<WPARAM>{TRUE}));
    write(form, property::kKeepTitleActive, RawValue{0, 0});
    titleActivations.clear();
    SendMessageW(form->handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(titleActivations, (std::vector<WPARAM>{FALSE}));
}

TEST_F(FormLook, IconBytesBecomeTheWindowsBigAndSmallIcons) {
    WindowData data;
    data.Icon = iconFile();
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    EXPECT_NE(SendMessageW(form->handle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(form->handle(), WM_GETICON, ICON_SMALL, 0), 0);
    const std::vector<std::uint8_t> broken = {0, 0, 1, 0, 1, 0};
    write(form, property::kIcon, RawValue{addressWord(broken.data()), static_cast<std::uint32_t>(broken.size())});
    EXPECT_EQ(SendMessageW(form->handle(), WM_GETICON, ICON_BIG, 0), 0) << "an unreadable icon shows none of its own";
}

TEST_F(FormLook, AlwaysOnTopMakesTheWindowTopmostAndBackAtOnce) {
    WindowData data;
    data.AlwaysOnTop = true;
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    EXPECT_NE(GetWindowLongPtrW(form->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    write(form, property::kAlwaysOnTop, RawValue{0, 0});
    EXPECT_EQ(GetWindowLongPtrW(form->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(read(form, property::kAlwaysOnTop).word1, 0u);
}

TEST_F(FormLook, TheTrayIconIsSetAndRemovedWithItsWindow) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    HICON icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    if (!form->setTrayIcon(icon, "Veltrano")) GTEST_SKIP() << "this desktop has no notification area";
    EXPECT_TRUE(form->trayIconShown());
    EXPECT_TRUE(form->setTrayIcon(icon, "Veltrano, a tip far longer than sixty-two bytes, cut to fit the area"));
    EXPECT_TRUE(form->setTrayIcon(nullptr, nullptr));
    EXPECT_FALSE(form->trayIconShown());
    EXPECT_FALSE(form->setTrayIcon(nullptr, nullptr)) << "nothing left to remove";
}

class FormInput : public TwoEditsForm {
protected:
    // The caption drag the window posted itself, if any.
    std::optional<MSG> postedDrag() {
        MSG message{};
        if (!PeekMessageW(&message, form->handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) return std::nullopt;
        return message;
    }
};

TEST_F(FormInput, KeysForADisabledComponentGetNoConventions) {
    makeForm();
    EnableWindow(first->handle(), FALSE);
    EXPECT_FALSE(pressKey(*form, first->handle(), VK_TAB));
    EXPECT_NE(GetFocus(), second->handle());
}

TEST_F(FormInput, TheWindowsAcceleratorsComeBeforeItsKeys) {
    makeForm();
    ACCEL accelerator{FVIRTKEY | FCONTROL, 'K', 55};
    form->setAccelerators(CreateAcceleratorTableW(&accelerator, 1));
    EXPECT_FALSE(pressKey(*form, first->handle(), 'K')) << "without Ctrl no accelerator matches";
    setKeyDown(VK_CONTROL, true);
    EXPECT_TRUE(pressKey(*form, first->handle(), 'K'));
    ACCEL tabAccelerator{FVIRTKEY, VK_TAB, 56};
    form->setAccelerators(CreateAcceleratorTableW(&tabAccelerator, 1));
    setKeyDown(VK_CONTROL, false);
    EXPECT_TRUE(pressKey(*form, first->handle(), VK_TAB));
    EXPECT_EQ(GetFocus(), first->handle()) << "the accelerator took Tab; focus stays";
}

TEST_F(FormInput, DragAnywhereTurnsAPressOnTheFormIntoACaptionDrag) {
    WindowData data;
    data.DragAnywhere = true;
    makeForm(data);
    MSG press{form->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6), 0, {}};
    EXPECT_FALSE(form->preTranslateMessage(press)) << "the press itself continues";
    const auto drag = postedDrag();
    ASSERT_TRUE(drag.has_value());
    EXPECT_EQ(drag->wParam, static_cast<WPARAM>(HTCAPTION));
    POINT expected{5, 6};
    ClientToScreen(form->handle(), &expected);
    EXPECT_EQ(drag->lParam, MAKELPARAM(expected.x, expected.y));

    MSG onControl{first->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1), 0, {}};
    EXPECT_FALSE(form->preTranslateMessage(onControl));
    EXPECT_FALSE(postedDrag().has_value()) << "an ordinary component keeps its press";
}

TEST_F(FormInput, WithoutDragAnywhereAPressIsOnlyAPress) {
    makeForm();
    MSG press{form->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6), 0, {}};
    EXPECT_FALSE(form->preTranslateMessage(press));
    EXPECT_FALSE(postedDrag().has_value());
}

}  // namespace
}  // namespace veltrano::test
