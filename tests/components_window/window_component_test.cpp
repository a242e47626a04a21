#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>

#include "components/window/window_style.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_class.h"
#include "tests/components_window/form_fixture.h"

namespace veltrano::test {
namespace {

namespace property = window_property;
using classdata::WindowData;

DWORD styleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}
DWORD extendedStyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

std::wstring windowText(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

class WindowCreation : public FormTest {};

TEST_F(WindowCreation, TheDefaultClassIsRegisteredAndTheCaptionShown) {
    WindowData data;
    data.Caption = "Veltrano";
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    wchar_t className[64] = {};
    GetClassNameW(form->handle(), className, 64);
    EXPECT_STREQ(className, L"KVWindow");
    EXPECT_EQ(windowText(form->handle()), L"Veltrano");
    EXPECT_EQ((styleOf(form->handle()) & WS_CAPTION), static_cast<DWORD>(WS_CAPTION));
    EXPECT_EQ(form->windowId(), kWindowId);
    EXPECT_EQ(form->componentId(), kFormComponentId);
    EXPECT_EQ(form->classId(), 0x00010001u);
}

TEST(RuntimeClassTest, TheFormIsMadeByItsNameAndUnknownNamesMakeNothing) {
    std::unique_ptr<WindowObject> made = createObjectByName("CWinFormUnit");
    const auto* form = dynamic_cast<CWinFormUnit*>(made.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->handle(), nullptr) << "made unattached";
    EXPECT_EQ(form->classId(), 0x00010001u);
    EXPECT_EQ(createObjectByName("cwinformunit"), nullptr);
    EXPECT_EQ(createObjectByName("CWinForm"), nullptr);
    EXPECT_EQ(createObjectByName(""), nullptr);
}

TEST_F(WindowCreation, AWindowClassNameOfItsOwnIsRegisteredAndUsed) {
    WindowData data;
    data.WindowClassName = "VeltranoTestForm";
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    wchar_t className[64] = {};
    GetClassNameW(form->handle(), className, 64);
    EXPECT_STREQ(className, L"VeltranoTestForm");
}

TEST_F(WindowCreation, BorderStyleZeroHasNoTitleBarEvenWithACaption) {
    WindowData data;
    data.BorderStyle = 0;
    data.Caption = "caption";
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(styleOf(form->handle()) & (WS_BORDER | WS_DLGFRAME | WS_SYSMENU), 0u);
    EXPECT_EQ(windowText(form->handle()), L"caption");
}

TEST_F(WindowCreation, FramesFollowTheBorderStyle) {
    WindowData data;
    data.BorderStyle = 3;
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    EXPECT_NE(styleOf(form->handle()) & WS_THICKFRAME, 0u);
    EXPECT_NE(extendedStyleOf(form->handle()) & WS_EX_TOOLWINDOW, 0u);
    EXPECT_EQ(extendedStyleOf(form->handle()) & WS_EX_CLIENTEDGE, 0u);
}

TEST_F(WindowCreation, BoxesFollowTheirProperties) {
    WindowData data;
    data.MaxButton = true;
    data.MinButton = false;
    data.ControlBox = false;
    data.Caption = "x";
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    const DWORD style = styleOf(form->handle());
    EXPECT_NE(style & WS_MAXIMIZEBOX, 0u);
    EXPECT_EQ(style & WS_MINIMIZEBOX, 0u);
    EXPECT_EQ(style & WS_SYSMENU, 0u);
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
}

TEST_F(WindowCreation, StartPositionOneCentresTheWindowOnTheScreen) {
    WindowData data;
    data.StartPosition = 1;
    CWinFormUnit* form = createForm(data, 400, 300);
    ASSERT_NE(form, nullptr);
    RECT outer{};
    GetWindowRect(form->handle(), &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    EXPECT_EQ(outer.right - outer.left, 400);
    EXPECT_EQ(outer.bottom - outer.top, 300);
}

TEST_F(WindowCreation, OnAnXgaScreenA400By300WindowIsPlacedAt312And234) {
    if (GetSystemMetrics(SM_CXSCREEN) != 1024 || GetSystemMetrics(SM_CYSCREEN) != 768) {
        GTEST_SKIP() << "the screen is not 1024 x 768";
    }
    WindowData data;
    data.StartPosition = 1;
    CWinFormUnit* form = createForm(data, 400, 300);
    ASSERT_NE(form, nullptr);
    RECT outer{};
    GetWindowRect(form->handle(), &outer);
    EXPECT_EQ(outer.left, 312);
    EXPECT_EQ(outer.top, 234);
}

TEST_F(WindowCreation, CentringOnAnXgaScreenGivesThePlaceExpected) {
    const POINT corner = window_style::centred(1024, 768, 400, 300);
    EXPECT_EQ(corner.x, 312);
    EXPECT_EQ(corner.y, 234);
}

TEST_F(WindowCreation, StartPositionZeroKeepsThePlacedRectangle) {
    WindowData data;
    data.StartPosition = 0;
    CWinFormUnit* form = createForm(data, 300, 200);
    ASSERT_NE(form, nullptr);
    RECT outer{};
    GetWindowRect(form->handle(), &outer);
    EXPECT_EQ(outer.left, 10);
    EXPECT_EQ(outer.top, 20);
    EXPECT_EQ(form->startShowCommand(), SW_SHOWNORMAL);
}

TEST_F(WindowCreation, TheStartShowCommandFollowsTheStartPosition) {
    WindowData data;
    data.StartPosition = 2;
    CWinFormUnit* minimised = createForm(data);
    ASSERT_NE(minimised, nullptr);
    EXPECT_EQ(minimised->startShowCommand(), SW_SHOWMINIMIZED);
    DestroyWindow(minimised->handle());
    data.StartPosition = 3;
    CWinFormUnit* maximised = createForm(data);
    ASSERT_NE(maximised, nullptr);
    EXPECT_EQ(maximised->startShowCommand(), SW_SHOWMAXIMIZED);
}

TEST_F(WindowCreation, AnOwnerMakesAPopUpWindow) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const auto bytes = classdata::encode(WindowData{});
    WindowObject* form = classRoutine<CreateRoutine>(kWindowClass, class_interface::kCreate)(
        bytes.data(), static_cast<std::uint32_t>(bytes.size()), 0, owner, 0, nullptr, 0, 0, 200, 100, kWindowId,
        kFormComponentId, 0, 0);
    ASSERT_NE(form, nullptr);
    formHandle = form->handle();
    EXPECT_NE(styleOf(formHandle) & WS_POPUP, 0u);
    EXPECT_EQ(GetWindow(formHandle, GW_OWNER), owner);
    DestroyWindow(formHandle);
    DestroyWindow(owner);
}

TEST_F(WindowCreation, ANewerClassDataVersionCreatesNothing) {
    auto bytes = classdata::encode(WindowData{});
    bytes[0] = 7;
    const HWND before = GetTopWindow(nullptr);
    EXPECT_EQ(createFromBytes(bytes), nullptr);
    EXPECT_EQ(GetTopWindow(nullptr), before);
}

TEST_F(WindowCreation, TruncatedClassDataCreatesNothing) {
    auto bytes = classdata::encode(WindowData{});
    bytes.resize(bytes.size() - 3);
    EXPECT_EQ(createFromBytes(bytes), nullptr);
}

TEST_F(WindowCreation, VersionOneClassDataKeepsTheLaterFieldsAtTheirDefaults) {
    classdata::Writer w;
    w.u32(1).i32(2).i32(1).u32(0x00112233);
    w.flag(false).flag(true).flag(true).i32(0).flag(true);
    w.i32(0).flag(false).flag(true).flag(false).i32(0);
    w.bytes({}).bytes({}).bytes({}).text("old").text("");
    WindowObject* form = createFromBytes(w.take());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(read(form, property::kShowInTaskbar).word1, 1u);
    EXPECT_EQ(read(form, property::kShape).word1, 0u);
    EXPECT_EQ(readText(form, property::kWindowClassName), "");
    EXPECT_EQ(readText(form, property::kCaption), "old");
    EXPECT_EQ(read(form, property::kBackColor).word1, 0x00112233u);
}

TEST_F(WindowCreation, WithoutIconDataTheWindowShowsNoIconOfItsOwn) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    // No runtime in this test program: the default icons are none.
    EXPECT_EQ(SendMessageW(form->handle(), WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(WindowCreation, ANotMovableWindowHasNoMoveCommand) {
    WindowData data;
    data.Movable = false;
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    HMENU menu = GetSystemMenu(form->handle(), FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
    write(form, property::kMovable, RawValue{1, 0});
    menu = GetSystemMenu(form->handle(), FALSE);
    EXPECT_NE(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

class WindowProperties : public FormTest {};

TEST_F(WindowProperties, TheCaptionIsStoredAndShown) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    const std::string caption = "Neu";
    write(form, property::kCaption, RawValue{addressWord(caption.c_str()), 0});
    EXPECT_EQ(readText(form, property::kCaption), "Neu");
    EXPECT_EQ(windowText(form->handle()), L"Neu");
    write(form, property::kCaption, RawValue{0, 0});
    EXPECT_EQ(readText(form, property::kCaption), "");
}

TEST_F(WindowProperties, EnumeratedValuesAreClampedIntoTheirRange) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    write(form, property::kShape, RawValue{35, 0});
    EXPECT_EQ(read(form, property::kShape).word1, 29u);
    write(form, property::kShape, RawValue{static_cast<std::uint32_t>(-1), 0});
    EXPECT_EQ(read(form, property::kShape).word1, 0u);
    write(form, property::kBorderStyle, RawValue{9, 0});
    EXPECT_EQ(read(form, property::kBorderStyle).word1, 6u);
    write(form, property::kBackPictureMode, RawValue{4, 0});
    EXPECT_EQ(read(form, property::kBackPictureMode).word1, 3u);
    write(form, property::kSoundPlayMode, RawValue{static_cast<std::uint32_t>(-7), 0});
    EXPECT_EQ(read(form, property::kSoundPlayMode).word1, 0u);
}

TEST_F(WindowProperties, ChangingTheBorderStyleChangesTheFrameAtOnce) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(styleOf(form->handle()) & WS_THICKFRAME, 0u);
    write(form, property::kBorderStyle, RawValue{5, 0});
    EXPECT_NE(styleOf(form->handle()) & WS_THICKFRAME, 0u);
    EXPECT_NE(extendedStyleOf(form->handle()) & WS_EX_CLIENTEDGE, 0u);
    write(form, property::kBorderStyle, RawValue{0, 0});
    EXPECT_EQ(styleOf(form->handle()) & (WS_THICKFRAME | WS_CAPTION), 0u);
    EXPECT_EQ(extendedStyleOf(form->handle()) & WS_EX_CLIENTEDGE, 0u);
}

TEST_F(WindowProperties, BoolsReadAsOneOrZero) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(read(form, property::kEscCloses).word1, 1u);
    write(form, property::kEscCloses, RawValue{0, 0});
    EXPECT_EQ(read(form, property::kEscCloses).word1, 0u);
    write(form, property::kMaxButton, RawValue{1, 0});
    EXPECT_EQ(read(form, property::kMaxButton).word1, 1u);
    EXPECT_NE(styleOf(form->handle()) & WS_MAXIMIZEBOX, 0u);
}

TEST_F(WindowProperties, BytesReadBackAsAddressAndLengthAndEmptyAsNull) {
    CWinFormUnit* form = createForm(WindowData{});
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(read(form, property::kBackSound).word1, 0u);
    EXPECT_EQ(read(form, property::kBackSound).word2, 0u);
    const std::uint8_t sound[] = {'R', 'I', 'F', 'F', 1, 2};
    write(form, property::kBackSound, RawValue{addressWord(sound), sizeof sound});
    const RawValue back = read(form, property::kBackSound);
    ASSERT_EQ(back.word2, sizeof sound);
    EXPECT_NE(back.word1, addressWord(sound));
    EXPECT_EQ(std::memcmp(addressFromWord<const std::uint8_t>(back.word1), sound, sizeof sound), 0);
}

TEST_F(WindowProperties, TheStartPositionReadsTheLiveState) {
    WindowData data;
    data.StartPosition = 3;
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    ShowWindow(form->handle(), SW_SHOWNORMAL);
    EXPECT_EQ(read(form, property::kStartPosition).word1, 0u);
    ShowWindow(form->handle(), SW_MINIMIZE);
    EXPECT_EQ(read(form, property::kStartPosition).word1, 2u);
}

TEST_F(WindowProperties, WritingTheStartPositionMovesAShownWindowAtOnce) {
    WindowData data;
    data.StartPosition = 0;
    CWinFormUnit* form = createForm(data, 400, 300);
    ASSERT_NE(form, nullptr);
    write(form, property::kStartPosition, RawValue{2, 0});
    EXPECT_FALSE(IsIconic(form->handle())) << "a hidden window only stores the value";
    ShowWindow(form->handle(), SW_SHOWNORMAL);
    write(form, property::kStartPosition, RawValue{2, 0});
    EXPECT_TRUE(IsIconic(form->handle()));
    write(form, property::kStartPosition, RawValue{1, 0});
    EXPECT_FALSE(IsIconic(form->handle()));
    RECT outer{};
    GetWindowRect(form->handle(), &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    EXPECT_EQ(outer.right - outer.left, 400) << "centring moves, it does not resize";
    EXPECT_EQ(read(form, property::kStartPosition).word1, 0u);
}

TEST_F(WindowProperties, SavingWritesTheNewestVersionWithEveryChange) {
    WindowData data;
    data.Caption = "a";
    CWinFormUnit* form = createForm(data);
    ASSERT_NE(form, nullptr);
    write(form, property::kHelpContext, RawValue{42, 0});
    write(form, property::kDragAnywhere, RawValue{1, 0});
    const auto saved = classRoutine<SaveStateRoutine>(kWindowClass, class_interface::kSaveState)(form);
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(saved[0], 6);
    const auto decoded = classdata::decode<WindowData>(saved);
    ASSERT_TRUE(decoded.has_value());
    WindowData expected = data;
    expected.HelpContext = 42;
    expected.DragAnywhere = true;
    EXPECT_EQ(*decoded, expected);
}

TEST_F(WindowProperties, TheBackgroundIsFilledWithTheBackColour) {
    WindowData data;
    data.BackColor = 0x00336699;
    CWinFormUnit* form = createForm(data, 200, 150);
    ASSERT_NE(form, nullptr);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT clip{0, 0, 64, 64};
    EXPECT_EQ(SendMessageW(form->handle(), window_message::kPaintBackground, reinterpret_cast<WPARAM>(memory),
                           reinterpret_cast<LPARAM>(&clip)),
              window_message::kPainted);
    EXPECT_EQ(GetPixel(memory, 5, 5) & 0xFFFFFF, 0x336699u);
    write(form, property::kBackColor, RawValue{0xFF000000, 0});
    SendMessageW(form->handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    EXPECT_EQ(GetPixel(memory, 5, 5), GetNearestColor(memory, GetSysColor(COLOR_BTNFACE)));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(WindowProperties, AShapeGivesTheWindowARegion) {
    CWinFormUnit* form = createForm(WindowData{}, 200, 100);
    ASSERT_NE(form, nullptr);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(form->handle(), probe), ERROR);
    write(form, property::kShape, RawValue{1, 0});
    ASSERT_NE(GetWindowRgn(form->handle(), probe), ERROR);
    EXPECT_TRUE(PtInRegion(probe, 100, 50));
    EXPECT_FALSE(PtInRegion(probe, 2, 2));
    write(form, property::kShape, RawValue{3, 0});
    GetWindowRgn(form->handle(), probe);
    EXPECT_FALSE(PtInRegion(probe, 100, 50));
    EXPECT_TRUE(PtInRegion(probe, 100, 5));
    write(form, property::kShape, RawValue{0, 0});
    EXPECT_EQ(GetWindowRgn(form->handle(), probe), ERROR);
    DeleteObject(probe);
}

class WindowInterfaces : public FormTest {};

TEST_F(WindowInterfaces, IconBytesAreTakenFromClassData) {
    WindowData data;
    data.Icon = {0, 0, 1, 0, 9, 8, 7};
    const auto bytes = classdata::encode(data);
    const auto routine = reinterpret_cast<IconBytesRoutine>(kWindowClass.interfaces(class_interface::kIconBytes));
    ASSERT_NE(routine, nullptr);
    EXPECT_EQ(routine(bytes.data(), static_cast<std::uint32_t>(bytes.size())), data.Icon);
    const auto none = classdata::encode(WindowData{});
    EXPECT_TRUE(routine(none.data(), static_cast<std::uint32_t>(none.size())).empty());
}

TEST_F(WindowInterfaces, TextConversionRewritesEveryText) {
    WindowData data;
    data.Caption = "cap";
    data.HelpFile = "help";
    data.WindowClassName = "cls";
    data.HelpContext = 5;
    const auto bytes = classdata::encode(data);
    const auto routine =
        reinterpret_cast<TextConversionRoutine>(kWindowClass.interfaces(class_interface::kTextConversion));
    ASSERT_NE(routine, nullptr);
    const auto converted = routine(
        bytes.data(), static_cast<std::uint32_t>(bytes.size()),
        [](std::string_view text, void* context) { return std::string(text) + *static_cast<const char*>(context); },
        const_cast<char*>("!"));
    ASSERT_TRUE(converted.has_value());
    const auto decoded = classdata::decode<WindowData>(*converted);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Caption, "cap!");
    EXPECT_EQ(decoded->HelpFile, "help!");
    EXPECT_EQ(decoded->WindowClassName, "cls!");
    EXPECT_EQ(decoded->HelpContext, 5);
}

TEST_F(WindowInterfaces, TheDescriptorCoversEveryProperty) {
    EXPECT_EQ(kWindowClass.classId, 0x00010001u);
    EXPECT_EQ(kWindowClass.flags, 0x800000D0u);
    ASSERT_EQ(kWindowClass.propertyCount, 32u);
    EXPECT_STREQ(kWindowClass.properties[8].name, "Caption");
    EXPECT_EQ(kWindowClass.properties[10].kind, 1017);
    EXPECT_EQ(kWindowClass.properties[20].kind, 1010);
    EXPECT_EQ(kWindowClass.properties[24].kind, 1016);
    EXPECT_STREQ(kWindowClass.properties[31].name, "WindowClassName");
    EXPECT_EQ(kWindowClass.interfaces(2), nullptr);
}

}  // namespace
}  // namespace veltrano::test
