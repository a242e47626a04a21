#include "tests/components_window/form_fixture.h"

namespace veltrano::test {

void setKeyDown(BYTE key, bool down) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[key] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

void putLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void TwoEditsForm::makeForm(const classdata::WindowData& data) {
    form = createForm(data);
    ASSERT_NE(form, nullptr);
    first = addControl(*form, L"EDIT", 110, 0x06010001);
    second = addControl(*form, L"EDIT", 100, 0x06010002);
    ShowWindow(form->handle(), SW_SHOWNORMAL);
    SetFocus(first->handle());
    ASSERT_EQ(GetFocus(), first->handle());
}

void FormTest::TearDown() {
    setKeyDown(VK_SHIFT, false);
    setKeyDown(VK_CONTROL, false);
    setKeyDown(VK_MENU, false);
    if (formHandle != nullptr && IsWindow(formHandle)) {
        log.answer = nullptr;
        DestroyWindow(formHandle);
    }
}

WindowObject* FormTest::createFromBytes(const std::vector<std::uint8_t>& bytes, int width, int height) {
    const auto create = classRoutine<CreateRoutine>(kWindowClass, class_interface::kCreate);
    if (create == nullptr) return nullptr;
    WindowObject* object = create(bytes.data(), static_cast<std::uint32_t>(bytes.size()), 0, nullptr, 0, nullptr, 10,
                                  20, width, height, kWindowId, kFormComponentId, 0, 0);
    if (object != nullptr) formHandle = object->handle();
    return object;
}

CWinFormUnit* FormTest::createForm(const classdata::WindowData& data, int width, int height) {
    auto* form = dynamic_cast<CWinFormUnit*>(createFromBytes(classdata::encode(data), width, height));
    EXPECT_NE(form, nullptr);
    return form;
}

TestControl* FormTest::addControl(CWinFormUnit& form, const wchar_t* systemClass, std::uint32_t controlId,
                                  std::uint32_t componentId, DWORD style, bool defaultButton, bool wantsEnter) {
    HWND window = CreateWindowExW(0, systemClass, L"", WS_CHILD | style, 0, 0, 80, 20, form.handle(),
                                  reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(controlId)),
                                  GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    auto* control = new TestControl(0x00010005, defaultButton, wantsEnter);
    EXPECT_TRUE(control->attach(window));
    control->setIds(kWindowId, componentId);
    return control;
}

RawValue FormTest::read(WindowObject* form, int index) {
    RawValue value{0xDEADBEEF, 0xDEADBEEF};
    classRoutine<ReadPropertyRoutine>(kWindowClass, class_interface::kReadProperty)(form, index, &value);
    return value;
}

void FormTest::write(WindowObject* form, int index, RawValue value) {
    EXPECT_EQ(classRoutine<WritePropertyRoutine>(kWindowClass, class_interface::kWriteProperty)(form, index, &value, 0),
              0);
}

std::string FormTest::readText(WindowObject* form, int index) {
    const char* text = addressFromWord<const char>(read(form, index).word1);
    return text != nullptr ? std::string(text) : std::string("<null>");
}

bool FormTest::pressKey(CWinFormUnit& form, HWND target, WPARAM key) {
    MSG message{};
    message.hwnd = target;
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = 1;
    return form.preTranslateMessage(message);
}

}  // namespace veltrano::test
