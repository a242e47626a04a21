#include "tests/kernel_loading/test_classes.h"

#include <commctrl.h>

#include <string_view>

#include "runtime/kernel/wide_text.h"
#include "runtime/kernel/window_loader.h"

namespace veltrano::test {
namespace {

class TestFrameObject final : public WindowObject {
public:
    int startShowCommand() const override { return classLog().startShowCommand; }
    void setModal(bool modal) override { classLog().markedModal = modal; }
    void rememberDisabledWindow(HWND window, bool wasEnabled) override {
        classLog().disabledForModal.emplace_back(window, wasEnabled);
    }
    void setAccelerators(HACCEL accelerators) override {
        classLog().acceleratorCount = accelerators ? CopyAcceleratorTableW(accelerators, nullptr, 0) : 0;
        if (accelerators) DestroyAcceleratorTable(accelerators);
    }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == 0x806F || message == 0x8004 || message == 0x8076) classLog().privateMessages.push_back(message);
        if (message == WM_DESTROY && classLog().onFrameDestroying) {
            const std::function<void()> hook = std::move(classLog().onFrameDestroying);
            classLog().onFrameDestroying = nullptr;
            hook();
        }
        return WindowObject::handleMessage(message, wParam, lParam);
    }
};

class TestTabObject final : public WindowObject {
protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == TCM_GETCURSEL) return classLog().currentPage;
        return WindowObject::handleMessage(message, wParam, lParam);
    }
};

void registerFrameClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VeltranoTestFrame";
    RegisterClassW(&windowClass);
}

template <typename Object>
WindowObject* attachNew(HWND handle, std::uint32_t componentId, std::uint32_t controlId, std::uint32_t style,
                        HWND parent) {
    if (handle == nullptr) return nullptr;
    auto* object = new Object();
    object->attach(handle);
    classLog().creations.push_back({componentId, controlId, style, parent, creatingModalWindow()});
    return object;
}

WindowObject* createFrame(const std::uint8_t*, std::uint32_t, std::uint32_t style, HWND parent, std::uint32_t controlId,
                          HMENU menu, int left, int top, int width, int height, std::uint32_t,
                          std::uint32_t componentId, std::uint32_t, std::uint32_t) {
    registerFrameClass();
    HWND handle = CreateWindowExW(0, L"VeltranoTestFrame", L"frame", WS_OVERLAPPEDWINDOW | style, left, top, width,
                                  height, parent, menu, GetModuleHandleW(nullptr), nullptr);
    return attachNew<TestFrameObject>(handle, componentId, controlId, style, parent);
}

// A container is a plain child window; its object tells a box from a tab.
template <typename Object>
WindowObject* createContainer(const std::uint8_t*, std::uint32_t, std::uint32_t style, HWND parent,
                              std::uint32_t controlId, HMENU, int left, int top, int width, int height, std::uint32_t,
                              std::uint32_t componentId, std::uint32_t, std::uint32_t) {
    HWND handle = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | style, left, top, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(controlId)),
                                  GetModuleHandleW(nullptr), nullptr);
    return attachNew<Object>(handle, componentId, controlId, style, parent);
}

WindowObject* createText(const std::uint8_t* data, std::uint32_t length, std::uint32_t style, HWND parent,
                         std::uint32_t controlId, HMENU, int left, int top, int width, int height, std::uint32_t,
                         std::uint32_t componentId, std::uint32_t, std::uint32_t) {
    const std::string text(reinterpret_cast<const char*>(data), length);
    HWND handle = CreateWindowExW(0, L"STATIC", wideFromCodePage936(text).c_str(), WS_CHILD | style, left, top, width,
                                  height, parent, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(controlId)),
                                  GetModuleHandleW(nullptr), nullptr);
    auto* object =
        static_cast<TestTextObject*>(attachNew<TestTextObject>(handle, componentId, controlId, style, parent));
    if (object) object->text = text;
    return object;
}

int writeText(WindowObject* object, int index, const RawValue* value, int) {
    auto* text = static_cast<TestTextObject*>(object);
    switch (index) {
        case 0:
            text->text = std::string(addressFromWord<const char>(value->word1));
            SetWindowTextW(text->handle(), wideFromCodePage936(text->text).c_str());
            return 0;
        case 1: text->number = static_cast<std::int32_t>(value->word1); return 0;
        case 2: return 1;
        case 3: {
            const auto* bytes = addressFromWord<const std::uint8_t>(value->word1);
            text->font.assign(bytes, bytes + value->word2);
            return 0;
        }
        case 4: {
            const auto* bytes = addressFromWord<const std::uint8_t>(value->word1);
            text->pointer.assign(bytes, bytes + value->word2);
            return 0;
        }
        default: return 0;
    }
}

void readText(WindowObject* object, int index, RawValue* value) {
    auto* text = static_cast<TestTextObject*>(object);
    if (index == 0) value->word1 = addressWord(text->text.c_str());
    if (index == 1) value->word1 = static_cast<std::uint32_t>(text->number);
    if (index == 3 && !text->font.empty())
        *value = RawValue{addressWord(text->font.data()), static_cast<std::uint32_t>(text->font.size())};
    if (index == 4 && !text->pointer.empty())
        *value = RawValue{addressWord(text->pointer.data()), static_cast<std::uint32_t>(text->pointer.size())};
}

std::vector<std::uint8_t> saveText(WindowObject* object) {
    const std::string& text = static_cast<TestTextObject*>(object)->text;
    return {text.begin(), text.end()};
}

AnyRoutine frameInterfaces(int number) {
    return number == 1 ? asAnyRoutine(&createFrame) : nullptr;
}
AnyRoutine boxInterfaces(int number) {
    return number == 1 ? asAnyRoutine(&createContainer<TestFrameObject>) : nullptr;
}
AnyRoutine tabInterfaces(int number) {
    return number == 1 ? asAnyRoutine(&createContainer<TestTabObject>) : nullptr;
}
AnyRoutine textInterfaces(int number) {
    switch (number) {
        case 1: return asAnyRoutine(&createText);
        case 4: return asAnyRoutine(&writeText);
        case 5: return asAnyRoutine(&saveText);
        case 6: return asAnyRoutine(&readText);
        default: return nullptr;
    }
}

const PropertyDescriptor kTextProperties[] = {
    {"left", 1001},     {"top", 1001},      {"width", 1001},   {"height", 1001}, {"tag", 1005},
    {"visible", 1003},  {"disabled", 1003}, {"pointer", 1011}, {"text", 1005},   {"number", 1001},
    {"recreate", 1003}, {"font", 1013},     {"cursor", 1011},
};

const ClassDescriptor kFrame{kFrameClass, 0x04, &frameInterfaces, kTextProperties, 8};
const ClassDescriptor kBox{kBoxClass, 0x04, &boxInterfaces, kTextProperties, 8};
const ClassDescriptor kText{kTextClass, 0x04, &textInterfaces, kTextProperties, 13};
const ClassDescriptor kTab{kTabClass, 0x04 | class_flag::kPagedContainer, &tabInterfaces, kTextProperties, 8};
const ClassDescriptor* const kClasses[] = {&kFrame, &kTab,   nullptr, nullptr, nullptr,
                                           nullptr, nullptr, nullptr, &kBox,   &kText};

}  // namespace

ClassLog& classLog() {
    static ClassLog log;
    return log;
}

TestTextObject::~TestTextObject() {
    ++classLog().destroyed;
}

LRESULT TestTextObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowObject::handleMessage(message, wParam, lParam);
}

const LibraryDescriptor kTestLibrary{nullptr, static_cast<std::uint32_t>(std::size(kClasses)), kClasses};

}  // namespace veltrano::test
