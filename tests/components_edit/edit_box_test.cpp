#include <windows.h>
// The common controls' declarations need the window system's types first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "components/classdata/edit_box_data.h"
#include "components/edit_box/edit_box_class.h"
#include "components/edit_box/edit_box_object.h"
#include "runtime/kernel/component_class.h"
#include "tests/components_edit/component_fixture.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::test {
namespace {

namespace p = edit_box_property;
namespace e = edit_box_event;

class EditBoxTest : public ComponentFixture {
protected:
    EditBoxObject* make(const classdata::EditBoxData& data, int width = 120, int height = 24) {
        return static_cast<EditBoxObject*>(create(kEditBoxClass, classdata::encode(data), width, height));
    }
    EditBoxObject* makeDefault() { return make(classdata::EditBoxData{}); }

    int writeInt(EditBoxObject* box, int index, std::int32_t value) {
        return write(kEditBoxClass, box, index, RawValue{static_cast<std::uint32_t>(value), 0});
    }
    std::string text(EditBoxObject* box) { return readText(kEditBoxClass, box, p::kText); }
    // What the control itself shows, whatever the property answers.
    static std::string shownText(EditBoxObject* box) {
        wchar_t shown[64] = {};
        GetWindowTextW(box->handle(), shown, 64);
        return std::string(shown, shown + lstrlenW(shown));
    }
    void type(EditBoxObject* box, wchar_t character) {
        SendMessageW(box->handle(), WM_CHAR, static_cast<WPARAM>(character), 1);
    }
};

TEST_F(EditBoxTest, TextWriteAndReadKeepChineseBytes) {
    EditBoxObject* box = makeDefault();
    ASSERT_NE(box, nullptr);
    const std::string written = gbk("端口已关闭");
    writeText(kEditBoxClass, box, p::kText, written);
    EXPECT_EQ(text(box), written);
    EXPECT_EQ(GetWindowTextLengthW(box->handle()), 5);
}

TEST_F(EditBoxTest, TextWriteFiresChangeEventExactlyOnceEvenWhenUnchanged) {
    EditBoxObject* box = makeDefault();
    ASSERT_NE(box, nullptr);
    events().clear();
    writeText(kEditBoxClass, box, p::kText, "9600");
    EXPECT_EQ(events(), (std::vector<std::int32_t>{e::kTextChanged}));
    events().clear();
    writeText(kEditBoxClass, box, p::kText, "9600");
    EXPECT_EQ(events(), (std::vector<std::int32_t>{e::kTextChanged}));
}

TEST_F(EditBoxTest, UserEditFiresChangeEvent) {
    EditBoxObject* box = makeDefault();
    ASSERT_NE(box, nullptr);
    events().clear();
    type(box, L'7');
    EXPECT_EQ(text(box), "7");
    EXPECT_EQ(std::count(events().begin(), events().end(), e::kTextChanged), 1);
}

TEST_F(EditBoxTest, IntegerModeDropsTypedLettersButKeepsDigitsSignAndControls) {
    classdata::EditBoxData data;
    data.InputMode = 7;
    EditBoxObject* box = make(data);
    ASSERT_NE(box, nullptr);
    for (wchar_t c : std::wstring(L"-1a2.b3")) type(box, c);
    EXPECT_EQ(text(box), "-123");
    type(box, L'\b');
    EXPECT_EQ(text(box), "-12");
}

TEST_F(EditBoxTest, TheCharacterHandlerRunsBeforeTheInputModeAndItsStandInIsFiltered) {
    classdata::EditBoxData data;
    data.InputMode = 7;
    EditBoxObject* box = make(data);
    ASSERT_NE(box, nullptr);
    constexpr std::int32_t kChar = -11;
    // The handler turns letters a to j into digits 0 to 9, swallows "#" and
    // turns "7" into "x", which the integer mode does not take.
    answers()[kChar] = [](EventWord typed) -> std::optional<std::uint32_t> {
        if (typed >= L'a' && typed <= L'j') return static_cast<std::uint32_t>(L'0' + (typed - L'a'));
        if (typed == L'#') return 0u;
        if (typed == L'7') return static_cast<std::uint32_t>(L'x');
        return std::nullopt;
    };
    for (wchar_t c : std::wstring(L"bz#c7")) type(box, c);
    EXPECT_EQ(text(box), "12");
    std::vector<EventWord> seen;
    for (std::size_t index = 0; index < events().size(); ++index) {
        if (events()[index] == kChar) seen.push_back(eventArguments()[index].at(0));
    }
    // Every typed character reached the handler, the refused ones too.
    EXPECT_EQ(seen, (std::vector<EventWord>{L'b', L'z', L'#', L'c', L'7'}));
}

TEST_F(EditBoxTest, ByteModeRefusesMinusSign) {
    classdata::EditBoxData data;
    data.InputMode = 5;
    EditBoxObject* box = make(data);
    ASSERT_NE(box, nullptr);
    for (wchar_t c : std::wstring(L"-4x2")) type(box, c);
    EXPECT_EQ(text(box), "42");
}

TEST_F(EditBoxTest, DecimalModeLetsPointThroughAndNormalModeEverything) {
    classdata::EditBoxData data;
    data.InputMode = 10;
    EditBoxObject* decimal = make(data);
    ASSERT_NE(decimal, nullptr);
    for (wchar_t c : std::wstring(L"1.5e")) type(decimal, c);
    EXPECT_EQ(text(decimal), "1.5");
    writeInt(decimal, p::kInputMode, 0);
    type(decimal, L'e');
    EXPECT_EQ(text(decimal), "1.5e");
}

TEST_F(EditBoxTest, FocusLossClampsByteModeAndFiresChangeThenFocusLost) {
    classdata::EditBoxData data;
    data.InputMode = 5;
    EditBoxObject* box = make(data);
    ASSERT_NE(box, nullptr);
    writeText(kEditBoxClass, box, p::kText, "300");
    events().clear();
    notifyParent(box->handle(), EN_KILLFOCUS);
    EXPECT_EQ(text(box), "255");
    EXPECT_EQ(events(), (std::vector<std::int32_t>{e::kTextChanged, e::kFocusLost}));
}

TEST_F(EditBoxTest, FocusLossLeavesNormalisedTextAloneWithoutChangeEvent) {
    classdata::EditBoxData data;
    data.InputMode = 7;
    EditBoxObject* box = make(data);
    ASSERT_NE(box, nullptr);
    writeText(kEditBoxClass, box, p::kText, "3000000000");
    notifyParent(box->handle(), EN_KILLFOCUS);
    EXPECT_EQ(text(box), "2147483647");
    events().clear();
    notifyParent(box->handle(), EN_KILLFOCUS);
    EXPECT_EQ(events(), (std::vector<std::int32_t>{e::kFocusLost}));
}

TEST_F(EditBoxTest, AppendTextAddsAtTheEndWhereverTheCaretWas) {
    classdata::EditBoxData data;
    data.MultiLine = true;
    data.ScrollBars = 2;
    EditBoxObject* box = make(data, 200, 60);
    ASSERT_NE(box, nullptr);
    writeText(kEditBoxClass, box, p::kText, gbk("发送:AD66\r\n"));
    writeInt(box, p::kSelStart, 0);
    box->appendText(gbk("接收:BD\r\n"));
    box->appendText("end");
    EXPECT_EQ(text(box), gbk("发送:AD66\r\n接收:BD\r\nend"));
}

TEST_F(EditBoxTest, SelStartMinusOnePutsCaretAfterLastCharacter) {
    EditBoxObject* box = makeDefault();
    ASSERT_NE(box, nullptr);
    writeText(kEditBoxClass, box, p::kText, gbk("中文ab"));
    writeInt(box, p::kSelStart, -1);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kSelStart), 6);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kSelLength), 0);
    // The start kept for a later length counts bytes too: a length from the
    // end selects nothing, where a start counted in characters would take "ab".
    writeInt(box, p::kSelLength, 2);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kSelStart), 6);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kSelLength), 0);
}

TEST_F(EditBoxTest, AppendAfterSelStartMinusOneLandsAtTheEndAndScrollsToIt) {
    classdata::EditBoxData data;
    data.MultiLine = true;
    data.ScrollBars = 2;
    EditBoxObject* box = make(data, 200, 60);
    ASSERT_NE(box, nullptr);
    std::string log;
    for (int line = 0; line < 40; ++line) log += "line " + std::to_string(line) + "\r\n";
    writeText(kEditBoxClass, box, p::kText, log);
    writeInt(box, p::kSelStart, -1);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kSelStart), static_cast<std::int32_t>(log.size()));
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kSelLength), 0);
    // Someone scrolled back to read the start of the log.
    SendMessageW(box->handle(), WM_VSCROLL, SB_TOP, 0);
    ASSERT_EQ(SendMessageW(box->handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    box->appendText(gbk("接收:BD\r\n"));
    EXPECT_EQ(text(box), log + gbk("接收:BD\r\n"));
    EXPECT_GT(SendMessageW(box->handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 30);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kSelStart), static_cast<std::int32_t>(text(box).size()));
}

TEST_F(EditBoxTest, DataBindingStoresTheNamesAndShowsNoValueWithoutASource) {
    classdata::EditBoxData data;
    data.Text = "9600";
    EditBoxObject* box = make(data);
    ASSERT_NE(box, nullptr);
    events().clear();
    writeText(kEditBoxClass, box, p::kDataSource, "settings");
    EXPECT_EQ(readText(kEditBoxClass, box, p::kDataSource), "settings");
    EXPECT_EQ(text(box), "");
    EXPECT_EQ(events(), (std::vector<std::int32_t>{e::kTextChanged}));
    writeText(kEditBoxClass, box, p::kText, "4800");
    writeText(kEditBoxClass, box, p::kDataColumn, "rate");
    EXPECT_EQ(readText(kEditBoxClass, box, p::kDataColumn), "rate");
    EXPECT_EQ(text(box), "");
    const auto saved = classdata::decode<classdata::EditBoxData>(save(kEditBoxClass, box));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->DataSource, "settings");
    EXPECT_EQ(saved->DataColumn, "rate");
}

TEST_F(EditBoxTest, CreationStylesFollowTheProperties) {
    const auto styleOf = [this](const classdata::EditBoxData& data) {
        EditBoxObject* box = make(data, 120, 60);
        return box == nullptr ? LONG_PTR{0} : GetWindowLongPtrW(box->handle(), GWL_STYLE);
    };
    classdata::EditBoxData data;
    data.HideSelection = false;
    data.Alignment = 2;
    data.CaseConversion = 2;
    data.InputMode = 1;
    LONG_PTR style = styleOf(data);
    EXPECT_TRUE(style & ES_NOHIDESEL);
    EXPECT_TRUE(style & ES_RIGHT);
    EXPECT_TRUE(style & ES_UPPERCASE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_FALSE(style & ES_MULTILINE);

    data = classdata::EditBoxData{};
    data.MultiLine = true;
    data.ScrollBars = 2;
    data.Alignment = 1;
    data.CaseConversion = 1;
    style = styleOf(data);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_WANTRETURN);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_FALSE(style & ES_AUTOHSCROLL) << "vertical scrolling alone wraps the lines";
    EXPECT_TRUE(style & ES_CENTER);
    EXPECT_TRUE(style & ES_LOWERCASE);
    EXPECT_FALSE(style & ES_NOHIDESEL);

    data.ScrollBars = 3;
    style = styleOf(data);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
}

TEST_F(EditBoxTest, MaxLengthLimitsTypingAndZeroLiftsTheLimit) {
    classdata::EditBoxData data;
    data.MaxLength = 3;
    EditBoxObject* box = make(data);
    ASSERT_NE(box, nullptr);
    for (wchar_t c : std::wstring(L"12345")) type(box, c);
    EXPECT_EQ(text(box), "123");
    writeInt(box, p::kMaxLength, -8);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kMaxLength), 0);
    for (wchar_t c : std::wstring(L"45")) type(box, c);
    EXPECT_EQ(text(box), "12345");
    writeInt(box, p::kMaxLength, 5);
    EXPECT_EQ(SendMessageW(box->handle(), EM_GETLIMITTEXT, 0, 0), 5);
}

TEST_F(EditBoxTest, InADesignerTheStoredTextReadsBackAndHideSelectionNeedsNoNewBox) {
    classdata::EditBoxData data;
    data.Text = "9600";
    auto* box = static_cast<EditBoxObject*>(createForDesign(kEditBoxClass, classdata::encode(data), 120, 24));
    ASSERT_NE(box, nullptr);
    SendMessageW(box->handle(), EM_SETSEL, 4, 4);
    type(box, L'0');
    EXPECT_EQ(shownText(box), "96000");
    EXPECT_EQ(text(box), "9600");
    EXPECT_EQ(writeInt(box, p::kHideSelection, 0), 0);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kHideSelection), 0);
    EXPECT_EQ(writeInt(box, p::kMultiLine, 1), 1);

    EditBoxObject* running = makeDefault();
    ASSERT_NE(running, nullptr);
    EXPECT_EQ(writeInt(running, p::kHideSelection, 0), 1);
}

TEST_F(EditBoxTest, SelectionCountsCodePageBytes) {
    EditBoxObject* box = makeDefault();
    ASSERT_NE(box, nullptr);
    writeText(kEditBoxClass, box, p::kText, gbk("中文abc"));
    writeInt(box, p::kSelLength, 3);
    writeInt(box, p::kSelStart, 2);
    EXPECT_EQ(readText(kEditBoxClass, box, p::kSelText), gbk("文a"));
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kSelStart), 2);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kSelLength), 3);
    writeText(kEditBoxClass, box, p::kSelText, gbk("字"));
    EXPECT_EQ(text(box), gbk("中字bc"));
}

TEST_F(EditBoxTest, SelLengthMinusOneSelectsEverything) {
    EditBoxObject* box = makeDefault();
    ASSERT_NE(box, nullptr);
    writeText(kEditBoxClass, box, p::kText, gbk("模块ok"));
    writeInt(box, p::kSelStart, 3);
    writeInt(box, p::kSelLength, -1);
    EXPECT_EQ(readText(kEditBoxClass, box, p::kSelText), gbk("模块ok"));
}

TEST_F(EditBoxTest, StyleChangesAskForRecreationOnlyWhenDifferent) {
    EditBoxObject* box = makeDefault();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(writeInt(box, p::kMultiLine, 0), 0);
    EXPECT_EQ(writeInt(box, p::kMultiLine, 1), 1);
    EXPECT_EQ(writeInt(box, p::kScrollBars, 9), 1);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kScrollBars), 3);
    EXPECT_EQ(writeInt(box, p::kScrollBars, 3), 0);
    EXPECT_EQ(writeInt(box, p::kHideSelection, 1), 0);
    EXPECT_EQ(writeInt(box, p::kAlignment, -3), 0);
    EXPECT_EQ(writeInt(box, p::kMaxLength, -5), 0);
    EXPECT_EQ(readInt(kEditBoxClass, box, p::kMaxLength), 0);
}

TEST_F(EditBoxTest, EnterIsWantedOnlyByEditableMultiLineBoxes) {
    classdata::EditBoxData data;
    data.MultiLine = true;
    EditBoxObject* box = make(data, 200, 60);
    ASSERT_NE(box, nullptr);
    const auto wantsKey = classRoutine<WantsKeyRoutine>(kEditBoxClass, class_interface::kWantsKey);
    ASSERT_NE(wantsKey, nullptr);
    EXPECT_EQ(wantsKey(box, VK_RETURN), 1);
    EXPECT_EQ(wantsKey(box, VK_TAB), 0);
    writeInt(box, p::kInputMode, 1);
    EXPECT_EQ(wantsKey(box, VK_RETURN), 0);
    EXPECT_NE(GetWindowLongPtrW(box->handle(), GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(EditBoxTest, PasswordModeMasksAndNeverShowsInClear) {
    classdata::EditBoxData data;
    data.InputMode = 2;
    data.PasswordChar = '#';
    EditBoxObject* box = make(data);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(SendMessageW(box->handle(), EM_GETPASSWORDCHAR, 0, 0), L'#');
    EXPECT_EQ(readText(kEditBoxClass, box, p::kPasswordChar), "#");
    writeText(kEditBoxClass, box, p::kPasswordChar, "");
    EXPECT_EQ(readText(kEditBoxClass, box, p::kPasswordChar), "");
    EXPECT_EQ(SendMessageW(box->handle(), EM_GETPASSWORDCHAR, 0, 0), L'*');
    writeInt(box, p::kInputMode, 0);
    EXPECT_EQ(SendMessageW(box->handle(), EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(EditBoxTest, LowSingleLineBoxGrowsToItsFontAndHighOneKeepsItsHeight) {
    EditBoxObject* low = make(classdata::EditBoxData{}, 100, 10);
    ASSERT_NE(low, nullptr);
    int lineHeight = 0;
    {
        HDC dc = GetDC(low->handle());
        const HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent{};
        GetTextExtentPoint32W(dc, L"\u5434", 1, &extent);
        SelectObject(dc, previous);
        ReleaseDC(low->handle(), dc);
        lineHeight = extent.cy;
    }
    ASSERT_GT(lineHeight, 0);
    RECT bounds{};
    GetWindowRect(low->handle(), &bounds);
    EXPECT_EQ(bounds.bottom - bounds.top, lineHeight + 2 * GetSystemMetrics(SM_CYEDGE));
    EXPECT_EQ(bounds.right - bounds.left, 100);

    EditBoxObject* high = make(classdata::EditBoxData{}, 100, 40);
    ASSERT_NE(high, nullptr);
    GetWindowRect(high->handle(), &bounds);
    EXPECT_EQ(bounds.bottom - bounds.top, 40);
    // The client area is one line, with as much room above it as below.
    RECT client{};
    GetClientRect(high->handle(), &client);
    MapWindowPoints(high->handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const LONG above = client.top - bounds.top;
    const LONG below = bounds.bottom - client.bottom;
    EXPECT_LT(client.bottom - client.top, 30);
    EXPECT_LE(std::abs(above - below), 1) << above << " above, " << below << " below";
}

TEST_F(EditBoxTest, SpinButtonsFollowTheBoxsVisibilityEnablingAndOrder) {
    classdata::EditBoxData data;
    data.SpinMode = 1;
    EditBoxObject* box = make(data, 80, 24);
    ASSERT_NE(box, nullptr);
    const HWND spin = box->spinButtonsHandle();
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(GetWindow(box->handle(), GW_HWNDPREV), spin) << "directly above the box";
    EXPECT_TRUE(GetWindowLongPtrW(spin, GWL_STYLE) & WS_VISIBLE);

    ShowWindow(box->handle(), SW_HIDE);
    EXPECT_FALSE(GetWindowLongPtrW(spin, GWL_STYLE) & WS_VISIBLE);
    ShowWindow(box->handle(), SW_SHOWNA);
    EXPECT_TRUE(GetWindowLongPtrW(spin, GWL_STYLE) & WS_VISIBLE);

    EnableWindow(box->handle(), FALSE);
    EXPECT_FALSE(IsWindowEnabled(spin));
    EnableWindow(box->handle(), TRUE);
    EXPECT_TRUE(IsWindowEnabled(spin));

    writeInt(box, p::kSpinMax, -20);
    int lower = 0;
    int upper = 0;
    SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, -20);
    EXPECT_EQ(upper, 0);
}

TEST_F(EditBoxTest, SpinButtonsSitRightOfTheBoxWithOrderedRange) {
    classdata::EditBoxData data;
    data.SpinMode = 1;
    data.SpinMin = 10;
    data.SpinMax = 1;
    data.Text = "10";
    EditBoxObject* box = make(data, 80, 24);
    ASSERT_NE(box, nullptr);
    const HWND spin = box->spinButtonsHandle();
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(GetDlgCtrlID(spin), static_cast<int>(kControlId) + 4);
    int lower = 0;
    int upper = 0;
    SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, 10);
    RECT editBounds{};
    RECT spinBounds{};
    GetWindowRect(box->handle(), &editBounds);
    GetWindowRect(spin, &spinBounds);
    EXPECT_EQ(spinBounds.left, editBounds.right);
    EXPECT_EQ(spinBounds.right - spinBounds.left, 18);
    EXPECT_EQ(spinBounds.top, editBounds.top);

    SetWindowPos(box->handle(), nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetWindowRect(box->handle(), &editBounds);
    GetWindowRect(spin, &spinBounds);
    EXPECT_EQ(spinBounds.left, editBounds.right);
    EXPECT_EQ(spinBounds.top, editBounds.top);
}

class SpinPress : public EditBoxTest {
protected:
    void press(EditBoxObject* box, int delta) {
        NMUPDOWN change{};
        change.hdr.hwndFrom = box->spinButtonsHandle();
        change.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(change.hdr.hwndFrom));
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = delta;
        SendMessageW(parent(), WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
    }
};

TEST_F(SpinPress, StepsWrapAroundTheRange) {
    classdata::EditBoxData data;
    data.SpinMode = 1;
    data.SpinMin = 10;
    data.SpinMax = 1;
    data.Text = "10";
    EditBoxObject* box = make(data, 80, 24);
    ASSERT_NE(box, nullptr);
    press(box, 1);
    EXPECT_EQ(text(box), "1");
    press(box, -1);
    EXPECT_EQ(text(box), "10");
    press(box, -1);
    EXPECT_EQ(text(box), "9");
    writeText(kEditBoxClass, box, p::kText, "50");
    press(box, -1);
    EXPECT_EQ(text(box), "10");
}

TEST_F(SpinPress, EventModeReportsDirectionAndLeavesText) {
    classdata::EditBoxData data;
    data.SpinMode = 2;
    data.Text = "5";
    EditBoxObject* box = make(data, 80, 24);
    ASSERT_NE(box, nullptr);
    events().clear();
    press(box, -1);
    press(box, 1);
    EXPECT_EQ(text(box), "5");
    ASSERT_EQ(events(), (std::vector<std::int32_t>{e::kSpinClicked, e::kSpinClicked}));
    EXPECT_EQ(eventArguments()[0], (std::vector<EventWord>{0xFFFFFFFFu}));
    EXPECT_EQ(eventArguments()[1], (std::vector<EventWord>{1u}));
}

TEST_F(SpinPress, DisabledBoxIgnoresPresses) {
    classdata::EditBoxData data;
    data.SpinMode = 1;
    data.Text = "5";
    EditBoxObject* box = make(data, 80, 24);
    ASSERT_NE(box, nullptr);
    EnableWindow(box->handle(), FALSE);
    EXPECT_FALSE(IsWindowEnabled(box->spinButtonsHandle()));
    press(box, 1);
    EXPECT_EQ(text(box), "5");
}

TEST_F(EditBoxTest, SavedStateCreatesTheSameBox) {
    classdata::EditBoxData data;
    data.InputMode = 6;
    data.BorderStyle = 3;
    data.TextColor = 0x123456;
    data.SpinMin = -4;
    data.DataSource = "source";
    EditBoxObject* box = make(data);
    ASSERT_NE(box, nullptr);
    writeText(kEditBoxClass, box, p::kText, gbk("波特率"));
    writeInt(box, p::kMaxLength, 12);
    writeInt(box, p::kSelLength, 2);
    writeInt(box, p::kSelStart, 2);

    const std::vector<std::uint8_t> saved = save(kEditBoxClass, box);
    const auto decoded = classdata::decode<classdata::EditBoxData>(saved);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Text, gbk("波特率"));
    EXPECT_EQ(decoded->SelStart, 2);
    EXPECT_EQ(decoded->SelLength, 2);

    auto* again = static_cast<EditBoxObject*>(create(kEditBoxClass, saved, 120, 24));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(text(again), gbk("波特率"));
    EXPECT_EQ(readInt(kEditBoxClass, again, p::kInputMode), 6);
    EXPECT_EQ(readInt(kEditBoxClass, again, p::kBorderStyle), 3);
    EXPECT_EQ(readInt(kEditBoxClass, again, p::kTextColor), 0x123456);
    EXPECT_EQ(readInt(kEditBoxClass, again, p::kSpinMin), -4);
    EXPECT_EQ(readInt(kEditBoxClass, again, p::kMaxLength), 12);
    EXPECT_EQ(readText(kEditBoxClass, again, p::kSelText), gbk("特"));
    EXPECT_EQ(readText(kEditBoxClass, again, p::kDataSource), "source");
    EXPECT_NE(GetWindowLongPtrW(again->handle(), GWL_EXSTYLE) & WS_EX_STATICEDGE, 0);
}

TEST_F(EditBoxTest, NewerClassDataCreatesNothing) {
    std::vector<std::uint8_t> block = classdata::encode(classdata::EditBoxData{});
    block[0] = 3;
    EXPECT_EQ(create(kEditBoxClass, block, 100, 24), nullptr);
    block[0] = 2;
    block.resize(block.size() - 1);
    EXPECT_EQ(create(kEditBoxClass, block, 100, 24), nullptr);
}

TEST_F(EditBoxTest, TextConversionRewritesEveryText) {
    classdata::EditBoxData data;
    data.Text = "abc";
    data.DataColumn = "col";
    const auto convert = classRoutine<TextConversionRoutine>(kEditBoxClass, class_interface::kTextConversion);
    ASSERT_NE(convert, nullptr);
    const auto block = classdata::encode(data);
    const auto upper = [](std::string_view text, void*) {
        std::string result(text);
        for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return result;
    };
    const auto converted = convert(block.data(), static_cast<std::uint32_t>(block.size()), upper, nullptr);
    ASSERT_TRUE(converted.has_value());
    const auto decoded = classdata::decode<classdata::EditBoxData>(*converted);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Text, "ABC");
    EXPECT_EQ(decoded->DataColumn, "COL");
}

TEST_F(EditBoxTest, ColoursAnswerTheBackgroundBrush) {
    classdata::EditBoxData data;
    data.TextColor = 0x0000FF;
    data.BackColor = 0x00FF00;
    EditBoxObject* box = make(data);
    ASSERT_NE(box, nullptr);
    const HDC dc = GetDC(box->handle());
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(parent(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box->handle())));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(0, 255, 0));
    LOGBRUSH info{};
    ASSERT_NE(GetObjectW(brush, sizeof info, &info), 0);
    EXPECT_EQ(info.lbColor, RGB(0, 255, 0));
    ReleaseDC(box->handle(), dc);
}

}  // namespace
}  // namespace veltrano::test
