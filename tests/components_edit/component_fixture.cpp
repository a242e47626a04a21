#include "tests/components_edit/component_fixture.h"

#include "runtime/kernel/wide_text.h"

namespace veltrano::test {
namespace {

constexpr wchar_t kParentClass[] = L"VeltranoComponentTestParent";

void registerParentClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kParentClass;
    RegisterClassW(&windowClass);
}

}  // namespace

std::vector<std::int32_t>& ComponentFixture::events() {
    static std::vector<std::int32_t> fired;
    return fired;
}

std::vector<std::vector<EventWord>>& ComponentFixture::eventArguments() {
    static std::vector<std::vector<EventWord>> arguments;
    return arguments;
}

std::map<std::int32_t, std::function<std::optional<std::uint32_t>(EventWord)>>& ComponentFixture::answers() {
    static std::map<std::int32_t, std::function<std::optional<std::uint32_t>(EventWord)>> given;
    return given;
}

bool ComponentFixture::observe(SimpleEventRecord* simple, TypedEventRecord* typed) {
    if (simple != nullptr) {
        events().push_back(simple->eventNumber);
        eventArguments().emplace_back(simple->arguments, simple->arguments + simple->argumentCount);
        const auto answer = answers().find(simple->eventNumber);
        if (answer != answers().end()) {
            const std::optional<std::uint32_t> result =
                answer->second(simple->argumentCount > 0 ? simple->arguments[0] : 0);
            if (result) {
                simple->resultPresent = 1;
                simple->result = *result;
                return true;
            }
        }
    }
    if (typed != nullptr) {
        events().push_back(typed->eventNumber);
        eventArguments().emplace_back();
    }
    return false;
}

void ComponentFixture::SetUp() {
    registerParentClass();
    parent_ = CreateWindowExW(0, kParentClass, L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    auto* parentObject = new WindowObject();
    ASSERT_TRUE(parentObject->attach(parent_));
    events().clear();
    eventArguments().clear();
    answers().clear();
    services::setEventObserver(&ComponentFixture::observe);
}

void ComponentFixture::TearDown() {
    if (parent_ != nullptr) DestroyWindow(parent_);
    pumpMessages();
    services::setEventObserver(nullptr);
    answers().clear();
}

WindowObject* ComponentFixture::create(const ClassDescriptor& descriptor, const std::vector<std::uint8_t>& classData,
                                       int width, int height, std::uint32_t style) {
    const auto routine = classRoutine<CreateRoutine>(descriptor, class_interface::kCreate);
    if (routine == nullptr) return nullptr;
    return routine(classData.data(), static_cast<std::uint32_t>(classData.size()), style, parent_, kControlId, nullptr,
                   10, 20, width, height, kWindowId, kComponentId, 0, 0);
}

WindowObject* ComponentFixture::createForDesign(const ClassDescriptor& descriptor,
                                                const std::vector<std::uint8_t>& classData, int width, int height) {
    const auto routine = classRoutine<CreateRoutine>(descriptor, class_interface::kCreate);
    if (routine == nullptr) return nullptr;
    return routine(classData.data(), static_cast<std::uint32_t>(classData.size()), WS_VISIBLE, parent_, kControlId,
                   nullptr, 10, 20, width, height, kWindowId, kComponentId, 0, 1);
}

int ComponentFixture::write(const ClassDescriptor& descriptor, WindowObject* object, int index, RawValue value) {
    const auto routine = classRoutine<WritePropertyRoutine>(descriptor, class_interface::kWriteProperty);
    return routine(object, index, &value, 0);
}

int ComponentFixture::writeText(const ClassDescriptor& descriptor, WindowObject* object, int index,
                                const std::string& text) {
    return write(descriptor, object, index, RawValue{addressWord(text.c_str()), 0});
}

RawValue ComponentFixture::read(const ClassDescriptor& descriptor, WindowObject* object, int index) {
    const auto routine = classRoutine<ReadPropertyRoutine>(descriptor, class_interface::kReadProperty);
    RawValue value{0xDEADBEEF, 0xDEADBEEF};
    routine(object, index, &value);
    return value;
}

std::string ComponentFixture::readText(const ClassDescriptor& descriptor, WindowObject* object, int index) {
    const RawValue value = read(descriptor, object, index);
    const char* text = addressFromWord<const char>(value.word1);
    return text == nullptr ? std::string() : std::string(text);
}

std::int32_t ComponentFixture::readInt(const ClassDescriptor& descriptor, WindowObject* object, int index) {
    return static_cast<std::int32_t>(read(descriptor, object, index).word1);
}

std::vector<std::uint8_t> ComponentFixture::save(const ClassDescriptor& descriptor, WindowObject* object) {
    const auto routine = classRoutine<SaveStateRoutine>(descriptor, class_interface::kSaveState);
    return routine(object);
}

void ComponentFixture::notifyParent(HWND control, int code) {
    SendMessageW(parent_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

void ComponentFixture::pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace veltrano::test
