#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/support/class_routines.h"
#include "runtime/kernel/application_descriptor.h"
#include "runtime/kernel/runtime_application.h"
#include "tests/components_window/form_fixture.h"

namespace veltrano::test {
namespace {

using classdata::WindowData;

// What the test classes saw, in order.
std::vector<std::string> steps;

int filterEscape(WindowObject*, MSG* message) {
    if (message->message != WM_KEYDOWN || message->wParam != VK_ESCAPE) return 0;
    steps.push_back("filtered");
    return 1;
}

AnyRoutine filterInterfaces(int number) {
    return number == class_interface::kMessageFilter ? asAnyRoutine<MessageFilterRoutine>(&filterEscape) : nullptr;
}
AnyRoutine noInterfaces(int) {
    return nullptr;
}

int wantsTab(WindowObject*, unsigned key) {
    return key == VK_TAB ? 1 : 0;
}
bool alwaysDefault(WindowObject*) {
    return true;
}
AnyRoutine keyInterfaces(int number) {
    if (number == class_interface::kWantsKey) return asAnyRoutine<WantsKeyRoutine>(&wantsTab);
    if (number == class_interface::kDefaultButton) return asAnyRoutine<DefaultButtonRoutine>(&alwaysDefault);
    return nullptr;
}

constexpr std::uint32_t kOptionClassId = 0x00020001;
constexpr std::uint32_t kFilterClassId = 0x00020002;
constexpr std::uint32_t kNoticeClassId = 0x00020003;
constexpr std::uint32_t kPlainClassId = 0x00020004;
constexpr std::uint32_t kDragClassId = 0x00020005;
constexpr std::uint32_t kTabKeeperClassId = 0x00020006;
constexpr std::uint32_t kDefaultClassId = 0x00020007;

const ClassDescriptor kOptionClass{kOptionClassId, class_flag::kOptionButton, &noInterfaces, nullptr, 0};
const ClassDescriptor kFilterClass{kFilterClassId, class_flag::kMessageFilter, &filterInterfaces, nullptr, 0};
const ClassDescriptor kNoticeClass{kNoticeClassId, class_flag_extra::kNotifyWindowDestroy, &noInterfaces, nullptr, 0};
const ClassDescriptor kPlainClass{kPlainClassId, 0, &noInterfaces, nullptr, 0};
const ClassDescriptor kDragClass{kDragClassId, class_flag_extra::kDragsWindow, &noInterfaces, nullptr, 0};
// Offers interfaces 8 and 10, but only the second class has the flag that
// makes interface 10 count.
const ClassDescriptor kTabKeeperClass{kTabKeeperClassId, 0, &keyInterfaces, nullptr, 0};
const ClassDescriptor kDefaultClass{kDefaultClassId, class_flag::kDefaultButtonInterface, &keyInterfaces, nullptr, 0};
const ClassDescriptor* const kClasses[] = {&kOptionClass, &kFilterClass,    &kNoticeClass, &kPlainClass,
                                           &kDragClass,   &kTabKeeperClass, &kDefaultClass};
const LibraryDescriptor kEmptyLibrary{};
const LibraryDescriptor kTestLibrary{nullptr, 7, kClasses};
const LibraryDescriptor* const kLibraries[] = {&kEmptyLibrary, &kTestLibrary};

class RecordingControl final : public ComponentObject {
public:
    using ComponentObject::ComponentObject;
    void onWindowDestroying() override { steps.push_back("notice " + std::to_string(componentId())); }
};

// A window whose components belong to classes the runtime knows, so their
// class flags count.
class ClassFlagForm : public FormTest {
protected:
    ClassFlagForm()
        : descriptor_{0, 0, 1, nullptr, nullptr, 0, nullptr, 0, 2, kLibraries, 0, nullptr, nullptr},
          runtime_(descriptor_, nullptr) {
        runtime_.initialiseRuntime();
        steps.clear();
    }
    ~ClassFlagForm() override { runtime_.shutdown(0); }

    CWinFormUnit* form = nullptr;

    void makeForm(const WindowData& data = WindowData{}) {
        form = createForm(data);
        ASSERT_NE(form, nullptr);
        ShowWindow(form->handle(), SW_SHOWNORMAL);
    }

    ComponentObject* add(const wchar_t* systemClass, const wchar_t* caption, DWORD style, std::uint32_t controlId,
                         std::uint32_t componentId, std::uint32_t classId) {
        HWND window = CreateWindowExW(0, systemClass, caption, WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 20,
                                      form->handle(), reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(controlId)),
                                      GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(window, nullptr);
        auto* control = new RecordingControl(classId);
        EXPECT_TRUE(control->attach(window));
        control->setIds(kWindowId, componentId);
        return control;
    }

    bool pressAlt(HWND target, WPARAM key) {
        setKeyDown(VK_MENU, true);
        MSG message{};
        message.hwnd = target;
        message.message = WM_SYSKEYDOWN;
        message.wParam = key;
        message.lParam = 0x20000001;
        const bool consumed = form->preTranslateMessage(message);
        setKeyDown(VK_MENU, false);
        return consumed;
    }

    std::vector<std::uint32_t> clicked() const {
        std::vector<std::uint32_t> sources;
        for (const auto& e : log.events) {
            if (e.number == 0) sources.push_back(e.componentId);
        }
        return sources;
    }

    static bool checked(const ComponentObject* button) {
        return SendMessageW(button->handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    RuntimeApplication& runtime() { return runtime_; }

private:
    ApplicationDescriptor descriptor_;
    RuntimeApplication runtime_;
};

using OptionButtons = ClassFlagForm;

TEST_F(OptionButtons, ArrowKeysMoveAmongOptionButtonsAndCheckTheNewOne) {
    makeForm();
    ComponentObject* edit = add(L"EDIT", L"", WS_TABSTOP, 130, 0x06010001, kPlainClassId);
    ComponentObject* a = add(L"BUTTON", L"A", WS_TABSTOP | BS_RADIOBUTTON, 120, 0x06010002, kOptionClassId);
    ComponentObject* b = add(L"BUTTON", L"B", WS_TABSTOP | BS_RADIOBUTTON, 110, 0x06010003, kOptionClassId);
    ComponentObject* c = add(L"BUTTON", L"C", WS_TABSTOP | BS_RADIOBUTTON, 100, 0x06010004, kOptionClassId);
    SendMessageW(a->handle(), BM_SETCHECK, BST_CHECKED, 0);
    SetFocus(a->handle());
    log.events.clear();

    EXPECT_TRUE(pressKey(*form, a->handle(), VK_DOWN));
    EXPECT_EQ(GetFocus(), b->handle());
    EXPECT_FALSE(checked(a));
    EXPECT_TRUE(checked(b));
    EXPECT_EQ(clicked(), (std::vector<std::uint32_t>{0x06010003}));

    EXPECT_TRUE(pressKey(*form, b->handle(), VK_UP));
    EXPECT_EQ(GetFocus(), a->handle());
    EXPECT_TRUE(checked(a));
    EXPECT_TRUE(pressKey(*form, a->handle(), VK_LEFT));
    EXPECT_EQ(GetFocus(), c->handle()) << "backwards from the first option wraps to the last, past the edit box";
    EXPECT_TRUE(checked(c));
    EXPECT_FALSE(checked(a));
    EXPECT_FALSE(checked(b));

    SetFocus(edit->handle());
    EXPECT_FALSE(pressKey(*form, edit->handle(), VK_DOWN)) << "arrows in other components are theirs";
    EXPECT_EQ(GetFocus(), edit->handle());
}

TEST_F(OptionButtons, OptionButtonsUnderAnotherParentKeepTheirCheck) {
    makeForm();
    ComponentObject* a = add(L"BUTTON", L"A", WS_TABSTOP | BS_RADIOBUTTON, 120, 0x06010002, kOptionClassId);
    ComponentObject* b = add(L"BUTTON", L"B", WS_TABSTOP | BS_RADIOBUTTON, 110, 0x06010003, kOptionClassId);
    HWND box = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, form->handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    ComponentObject* other = add(L"BUTTON", L"X", WS_TABSTOP | BS_RADIOBUTTON, 105, 0x06010005, kOptionClassId);
    SetParent(other->handle(), box);
    SendMessageW(other->handle(), BM_SETCHECK, BST_CHECKED, 0);
    SetFocus(a->handle());
    EXPECT_TRUE(pressKey(*form, a->handle(), VK_RIGHT));
    EXPECT_EQ(GetFocus(), b->handle());
    EXPECT_TRUE(checked(other));
}

using MessageFilters = ClassFlagForm;

TEST_F(MessageFilters, AFilteringComponentTakesTheKeyBeforeTheWindowsConventions) {
    makeForm();
    ComponentObject* edit = add(L"EDIT", L"", WS_TABSTOP, 110, 0x06010001, kPlainClassId);
    add(L"STATIC", L"", 0, 100, 0x06010002, kFilterClassId);
    SetFocus(edit->handle());
    EXPECT_TRUE(pressKey(*form, edit->handle(), VK_ESCAPE));
    EXPECT_EQ(steps, (std::vector<std::string>{"filtered"}));
    EXPECT_TRUE(IsWindow(form->handle())) << "Esc would have closed the window";
    EXPECT_TRUE(log.numbersAmong({window_event::kQueryClose}).empty());
}

TEST_F(MessageFilters, MessagesTheFilterLeavesGoOnToTheConventions) {
    makeForm();
    ComponentObject* first = add(L"EDIT", L"", WS_TABSTOP, 110, 0x06010001, kPlainClassId);
    ComponentObject* second = add(L"EDIT", L"", WS_TABSTOP, 105, 0x06010002, kPlainClassId);
    add(L"STATIC", L"", 0, 100, 0x06010003, kFilterClassId);
    SetFocus(first->handle());
    EXPECT_TRUE(pressKey(*form, first->handle(), VK_TAB));
    EXPECT_EQ(GetFocus(), second->handle());
    EXPECT_TRUE(steps.empty());
}

using DestroyNotice = ClassFlagForm;

TEST_F(DestroyNotice, ComponentsThatAskHearOfTheDestructionBeforeTheDestroyedEvent) {
    makeForm();
    add(L"STATIC", L"", 0, 110, 0x06010001, kNoticeClassId);
    add(L"STATIC", L"", 0, 100, 0x06010002, kPlainClassId);
    log.answer = [](const FiredEvent& e) -> std::optional<std::uint32_t> {
        if (e.number == window_event::kDestroyed) steps.push_back("destroyed");
        return std::nullopt;
    };
    DestroyWindow(form->handle());
    EXPECT_EQ(steps, (std::vector<std::string>{"notice " + std::to_string(0x06010001), "destroyed"}));
}

using RuntimeForm = ClassFlagForm;

TEST_F(RuntimeForm, AWindowKeptOffTheTaskbarIsOwnedByTheHiddenOwner) {
    WindowData data;
    data.ShowInTaskbar = false;
    makeForm(data);
    HWND owner = GetWindow(form->handle(), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(owner, className, 32);
    EXPECT_STREQ(className, L"_QL_HideOwner");
    EXPECT_EQ(GetWindowLongPtrW(form->handle(), GWL_STYLE) & WS_CHILD, 0);
}

TEST_F(RuntimeForm, AWindowOnTheTaskbarHasNoOwner) {
    makeForm();
    EXPECT_EQ(GetWindow(form->handle(), GW_OWNER), nullptr);
}

TEST_F(RuntimeForm, AWindowLoadedAsModalIsOwnedByTheHiddenOwnerEvenOnTheTaskbar) {
    runtime().setCreatingModalWindow(true);
    makeForm();
    runtime().setCreatingModalWindow(false);
    EXPECT_EQ(GetWindow(form->handle(), GW_OWNER), runtime().hiddenOwner());
    EXPECT_NE(runtime().hiddenOwner(), nullptr);
}

TEST_F(RuntimeForm, WithoutIconDataTheProgramsIconIsShown) {
    makeForm();
    EXPECT_NE(SendMessageW(form->handle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(form->handle(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(RuntimeForm, APressOnAComponentThatDragsTheWindowIsTakenForTheDrag) {
    WindowData data;
    data.DragAnywhere = true;
    makeForm(data);
    ComponentObject* grip = add(L"STATIC", L"", 0, 110, 0x06010001, kDragClassId);
    MSG press{grip->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4), 0, {}};
    EXPECT_TRUE(form->preTranslateMessage(press)) << "the press is finished";
    MSG posted{};
    ASSERT_TRUE(PeekMessageW(&posted, form->handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(posted.wParam, static_cast<WPARAM>(HTCAPTION));
}

using ClassInterfaces = ClassFlagForm;

TEST_F(ClassInterfaces, AClassThatWantsTheKeyKeepsItFromTheWindow) {
    makeForm();
    ComponentObject* keeper = add(L"EDIT", L"", WS_TABSTOP, 110, 0x06010001, kTabKeeperClassId);
    add(L"EDIT", L"", WS_TABSTOP, 100, 0x06010002, kPlainClassId);
    SetFocus(keeper->handle());
    EXPECT_FALSE(pressKey(*form, keeper->handle(), VK_TAB));
    EXPECT_EQ(GetFocus(), keeper->handle());
    EXPECT_FALSE(pressKey(*form, keeper->handle(), VK_RETURN)) << "Enter is not kept, and the class has no flag 0x800";
}

TEST_F(ClassInterfaces, EnterPressesTheButtonItsClassCallsTheDefault) {
    makeForm();
    ComponentObject* edit = add(L"EDIT", L"", WS_TABSTOP, 110, 0x06010001, kPlainClassId);
    add(L"BUTTON", L"OK", WS_TABSTOP, 100, 0x06010002, kDefaultClassId);
    SetFocus(edit->handle());
    log.events.clear();
    EXPECT_TRUE(pressKey(*form, edit->handle(), VK_RETURN));
    EXPECT_EQ(clicked(), (std::vector<std::uint32_t>{0x06010002}));
}

using Mnemonics = ClassFlagForm;

TEST_F(Mnemonics, AltAndTheMarkedLetterPressesThatButton) {
    makeForm();
    ComponentObject* edit = add(L"EDIT", L"", WS_TABSTOP, 130, 0x06010001, kPlainClassId);
    add(L"BUTTON", L"&Write", WS_TABSTOP, 120, 0x06010002, kPlainClassId);
    ComponentObject* read = add(L"BUTTON", L"&Read", WS_TABSTOP, 110, 0x06010003, kPlainClassId);
    SetFocus(edit->handle());
    log.events.clear();
    EXPECT_TRUE(pressAlt(edit->handle(), 'R'));
    EXPECT_EQ(clicked(), (std::vector<std::uint32_t>{0x06010003}));
    EXPECT_EQ(GetFocus(), read->handle());
}

TEST_F(Mnemonics, ALabelsLetterFocusesTheComponentAfterIt) {
    makeForm();
    add(L"EDIT", L"", WS_TABSTOP, 130, 0x06010001, kPlainClassId);
    add(L"STATIC", L"&Name:", 0, 120, 0x06010002, kPlainClassId);
    ComponentObject* name = add(L"EDIT", L"", WS_TABSTOP, 110, 0x06010003, kPlainClassId);
    log.events.clear();
    EXPECT_TRUE(pressAlt(form->handle(), 'N'));
    EXPECT_EQ(GetFocus(), name->handle());
    EXPECT_TRUE(clicked().empty());
}

TEST_F(Mnemonics, AnOptionButtonsLetterSelectsItAndACheckBoxsLetterTogglesIt) {
    makeForm();
    ComponentObject* one = add(L"BUTTON", L"&One", WS_TABSTOP | BS_RADIOBUTTON, 130, 0x06010001, kOptionClassId);
    ComponentObject* two = add(L"BUTTON", L"&Two", WS_TABSTOP | BS_RADIOBUTTON, 120, 0x06010002, kOptionClassId);
    ComponentObject* log_ = add(L"BUTTON", L"&Log", WS_TABSTOP | BS_CHECKBOX, 110, 0x06010003, kPlainClassId);
    SendMessageW(one->handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(pressAlt(form->handle(), 'T'));
    EXPECT_TRUE(checked(two));
    EXPECT_FALSE(checked(one));
    EXPECT_TRUE(pressAlt(form->handle(), 'L'));
    EXPECT_TRUE(checked(log_));
    EXPECT_TRUE(pressAlt(form->handle(), 'L'));
    EXPECT_FALSE(checked(log_));
    EXPECT_EQ(clicked(), (std::vector<std::uint32_t>{0x06010002, 0x06010003, 0x06010003}));
}

TEST_F(Mnemonics, UnmarkedDisabledOrAltLessLettersAreLeftAlone) {
    makeForm();
    ComponentObject* edit = add(L"EDIT", L"&Edit text", WS_TABSTOP, 130, 0x06010001, kPlainClassId);
    add(L"BUTTON", L"Save && Quit", WS_TABSTOP, 120, 0x06010002, kPlainClassId);
    ComponentObject* off = add(L"BUTTON", L"&Off", WS_TABSTOP, 110, 0x06010003, kPlainClassId);
    EnableWindow(off->handle(), FALSE);
    add(L"BUTTON", L"&Go", WS_TABSTOP, 100, 0x06010004, kPlainClassId);
    SetFocus(edit->handle());
    log.events.clear();
    EXPECT_FALSE(pressAlt(edit->handle(), 'Q'));
    EXPECT_FALSE(pressAlt(edit->handle(), 'O'));
    EXPECT_FALSE(pressAlt(edit->handle(), 'E')) << "an edit box's text is its content, not a caption";
    MSG withoutAlt{edit->handle(), WM_SYSKEYDOWN, 'G', 0x20000001, 0, {}};
    EXPECT_FALSE(form->preTranslateMessage(withoutAlt));
    EXPECT_TRUE(clicked().empty());
    EXPECT_EQ(GetFocus(), edit->handle());
}

}  // namespace
}  // namespace veltrano::test
