#include "runtime/kernel/property_access.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

#include "runtime/dispatch/common_properties.h"
#include "runtime/dispatch/font_access.h"
#include "runtime/dispatch/pointer_codes.h"
#include "runtime/dispatch/property_kind.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/menu_bar.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/kernel/window_loader.h"
#include "runtime/kernel/window_object.h"
#include "runtime/loading/load_plan.h"
#include "runtime/template/component_record.h"
#include "runtime/template/little_endian.h"

namespace veltrano {
namespace {

struct Target {
    WindowTemplate* window = nullptr;
    std::size_t index = 0;
    ComponentRecord record;
    const ClassDescriptor* descriptor = nullptr;
    WindowObject* object = nullptr;  // null unless alive
};

Target locate(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId) {
    Target target;
    target.window = runtime.windowRegistry().find(windowId);
    if (target.window == nullptr || target.window->table.empty()) {
        runtime.reportFatalError("未载入欲访问窗口组件所在的窗口", 0, windowId, componentId);
    }
    const ComponentTable& table = target.window->table;
    const std::optional<std::size_t> index =
        componentId == 0 ? std::optional<std::size_t>(0) : table.indexOf(componentId);
    const auto bytes = index && !table.isMenuItemAt(*index) ? table.recordAt(*index) : std::nullopt;
    const auto record = bytes ? ComponentRecord::parse(*bytes) : std::nullopt;
    // The application only names components of its own template; anything
    // else is as fatal as a window that is not there.
    if (!record) runtime.reportFatalError("指定窗口或窗口组件不存在或尚未载入", 0, windowId, componentId);
    target.index = *index;
    target.record = *record;
    target.descriptor = runtime.classDescriptor(record->classId);
    WindowObject* object = runtime.windowRegistry().objectInSlot(table, *index);
    if (object != nullptr && object->alive()) target.object = object;
    return target;
}

// A component on a page of a tab control other than the one the control
// shows stays hidden whatever its visible property says; a tab control's
// window answers which page it shows as the system's tab control does.
bool onHiddenPage(RuntimeApplication& runtime, const Target& target, std::uint32_t componentId) {
    if (target.record.parentId == 0) return false;
    const ComponentTable& table = target.window->table;
    const std::optional<std::size_t> parentIndex = table.indexOf(target.record.parentId);
    const auto bytes = parentIndex ? table.recordAt(*parentIndex) : std::nullopt;
    const auto parent = bytes ? ComponentRecord::parse(*bytes) : std::nullopt;
    if (!parent) return false;
    const ClassDescriptor* descriptor = runtime.classDescriptor(parent->classId);
    if (descriptor == nullptr || (descriptor->flags & class_flag::kPagedContainer) == 0) return false;
    const std::optional<std::size_t> page = pageOfChild(parent->childIds(), componentId);
    if (!page) return false;
    const WindowObject* container = runtime.windowRegistry().objectInSlot(table, *parentIndex);
    const LRESULT shown =
        container != nullptr && container->alive() ? SendMessageW(container->handle(), TCM_GETCURSEL, 0, 0) : 0;
    return *page != static_cast<std::size_t>(shown < 0 ? 0 : shown);
}

RECT rectInParent(HWND handle) {
    RECT rect{};
    GetWindowRect(handle, &rect);
    HWND parent = GetParent(handle);
    const bool child = (GetWindowLongW(handle, GWL_STYLE) & WS_CHILD) != 0;
    if (parent != nullptr && child) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::uint64_t wordsOf(RuntimeWords words) {
    return (static_cast<std::uint64_t>(words.high) << 32) | words.low;
}

std::uint64_t addressResult(const void* block) {
    return addressWord(block);
}

// The whole-font value: a record whose face name is a text address.
struct WholeFontRecord {
    std::uint32_t angle;
    std::uint32_t bold;
    std::uint32_t italic;
    std::uint32_t strikeOut;
    std::uint32_t underline;
    std::uint32_t size;
    AddressWord faceName;
};
static_assert(offsetof(WholeFontRecord, faceName) == 24, "six words, then the face name");

int screenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

LogFontImage fontFromRaw(RawValue raw) {
    if (raw.word1 != 0 && raw.word2 == LogFontImage::kSize) {
        const auto* bytes = addressFromWord<const char>(raw.word1);
        if (auto image = LogFontImage::fromBytes(std::string_view(bytes, LogFontImage::kSize))) return *image;
    }
    LOGFONTA fallback{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
    static_assert(sizeof(LOGFONTA) == LogFontImage::kSize);
    return *LogFontImage::fromBytes(std::string_view(reinterpret_cast<const char*>(&fallback), sizeof fallback));
}

std::uint64_t readFontValue(RuntimeApplication& runtime, const LogFontImage& font, std::int32_t arrayIndex) {
    const int dpi = screenPixelsPerInch();
    if (arrayIndex == static_cast<int>(FontField::FaceName)) {
        return addressResult(newText(runtime.heap(), font.faceName()));
    }
    if (arrayIndex >= 0 && arrayIndex < static_cast<int>(FontField::FaceName)) {
        return static_cast<std::uint32_t>(readFontNumber(font, static_cast<FontField>(arrayIndex), dpi));
    }
    const FontRecord record = readFontRecord(font, dpi);
    auto* whole = static_cast<WholeFontRecord*>(runtime.heap().allocate(sizeof(WholeFontRecord)));
    whole->angle = static_cast<std::uint32_t>(record.angle);
    whole->bold = record.bold ? 1u : 0u;
    whole->italic = record.italic ? 1u : 0u;
    whole->strikeOut = record.strikeOut ? 1u : 0u;
    whole->underline = record.underline ? 1u : 0u;
    whole->size = static_cast<std::uint32_t>(record.size);
    whole->faceName = addressWord(newText(runtime.heap(), record.faceName));
    return addressResult(whole);
}

void writeFontValue(LogFontImage& font, std::int32_t arrayIndex, std::uint32_t low, AddressWord address) {
    const int dpi = screenPixelsPerInch();
    if (arrayIndex == static_cast<int>(FontField::FaceName)) {
        writeFontFaceName(font, textView(addressFromWord<const char>(address)));
    } else if (arrayIndex >= 0 && arrayIndex < static_cast<int>(FontField::FaceName)) {
        writeFontNumber(font, static_cast<FontField>(arrayIndex), static_cast<std::int32_t>(low), dpi);
    } else if (address != 0) {
        const auto* whole = addressFromWord<const WholeFontRecord>(address);
        FontRecord record;
        record.angle = static_cast<std::int32_t>(whole->angle);
        record.bold = whole->bold != 0;
        record.italic = whole->italic != 0;
        record.strikeOut = whole->strikeOut != 0;
        record.underline = whole->underline != 0;
        record.size = static_cast<std::int32_t>(whole->size);
        record.faceName = std::string(textView(addressFromWord<const char>(whole->faceName)));
        writeFontRecord(font, record, dpi);
    }
}

std::uint64_t readClassProperty(RuntimeApplication& runtime, const Target& target, std::uint32_t windowId,
                                std::uint32_t componentId, std::int32_t index, std::int32_t arrayIndex) {
    if (target.object == nullptr)
        runtime.reportFatalError("读取组件属性时发现指定窗口尚未载入", 0, windowId, componentId);
    const ClassDescriptor* descriptor = target.descriptor;
    const auto read =
        descriptor ? classRoutine<ReadPropertyRoutine>(*descriptor, class_interface::kReadProperty) : nullptr;
    if (read == nullptr || static_cast<std::uint32_t>(index) >= descriptor->propertyCount) return 0;
    RawValue raw;
    read(target.object, index - kFirstClassProperty, &raw);
    const std::uint16_t kind = descriptor->properties[index].kind;
    switch (runtimeFormOf(kind)) {
        case RuntimeValueForm::None: return 0;
        case RuntimeValueForm::Integer:
        case RuntimeValueForm::Wide:
        case RuntimeValueForm::Bool: return wordsOf(readScalar(kind, raw));
        case RuntimeValueForm::Text: {
            const std::string_view text = textView(addressFromWord<const char>(raw.word1));
            return text.empty() ? 0 : addressResult(newText(runtime.heap(), text));
        }
        case RuntimeValueForm::ByteSet: {
            if (raw.word1 == 0 || raw.word2 == 0) return 0;
            const std::span<const std::uint8_t> bytes(addressFromWord<const std::uint8_t>(raw.word1), raw.word2);
            if (static_cast<PropertyKind>(kind) == PropertyKind::Cursor) {
                return addressResult(newByteSet(runtime.heap(), withRuntimePointerCode(bytes)));
            }
            return addressResult(newByteSet(runtime.heap(), bytes));
        }
        case RuntimeValueForm::Font: return readFontValue(runtime, fontFromRaw(raw), arrayIndex);
    }
    return 0;
}

void recreateComponent(RuntimeApplication& runtime, Target& target);

void writeClassProperty(RuntimeApplication& runtime, Target& target, std::uint32_t windowId, std::uint32_t componentId,
                        std::int32_t index, std::int32_t arrayIndex, std::uint32_t low, std::uint32_t high) {
    if (target.object == nullptr)
        runtime.reportFatalError("修改组件属性时发现指定窗口尚未载入", 0, windowId, componentId);
    const ClassDescriptor* descriptor = target.descriptor;
    const auto write =
        descriptor ? classRoutine<WritePropertyRoutine>(*descriptor, class_interface::kWriteProperty) : nullptr;
    if (write == nullptr || static_cast<std::uint32_t>(index) >= descriptor->propertyCount) return;
    const std::uint16_t kind = descriptor->properties[index].kind;
    static const char kEmptyText[] = "";
    const AddressWord address = joinAddressWords(low, high);
    RawValue raw;
    LogFontImage font;
    std::vector<std::uint8_t> convertedPointer;
    switch (runtimeFormOf(kind)) {
        case RuntimeValueForm::None: return;
        case RuntimeValueForm::Integer:
        case RuntimeValueForm::Wide:
        case RuntimeValueForm::Bool: raw = writeScalar(kind, RuntimeWords{low, high}); break;
        case RuntimeValueForm::Text: raw.word1 = address != 0 ? address : addressWord(kEmptyText); break;
        case RuntimeValueForm::ByteSet: {
            std::span<const std::uint8_t> bytes = byteSetView(addressFromWord<const void>(address));
            if (static_cast<PropertyKind>(kind) == PropertyKind::Cursor) {
                convertedPointer = withClassPointerCode(bytes);
                bytes = convertedPointer;
            }
            raw.word1 = bytes.empty() ? 0 : addressWord(bytes.data());
            raw.word2 = static_cast<std::uint32_t>(bytes.size());
            break;
        }
        case RuntimeValueForm::Font: {
            const auto read = classRoutine<ReadPropertyRoutine>(*descriptor, class_interface::kReadProperty);
            RawValue current;
            if (read != nullptr) read(target.object, index - kFirstClassProperty, &current);
            font = fontFromRaw(current);
            writeFontValue(font, arrayIndex, low, address);
            raw.word1 = addressWord(font.bytes().data());
            raw.word2 = LogFontImage::kSize;
            break;
        }
    }
    if (write(target.object, index - kFirstClassProperty, &raw, 0) == 1 && target.object->alive()) {
        runtime.processPendingMessages();
        runtime.raiseErrorDepth();
        recreateComponent(runtime, target);
        runtime.processPendingMessages();
        runtime.lowerErrorDepth();
    }
}

void storeWord(WindowTemplate& window, std::size_t index, std::size_t position, std::uint32_t value) {
    std::array<std::uint8_t, 4> bytes{};
    le::storeU32(bytes.data(), value);
    window.table.replace(index, position, 4, bytes);
}

void recreateComponent(RuntimeApplication& runtime, Target& target) {
    const ClassDescriptor* descriptor = target.descriptor;
    if (descriptor == nullptr || (descriptor->flags & class_flag::kCannotRecreate) != 0 || target.index == 0) return;
    const auto save = classRoutine<SaveStateRoutine>(*descriptor, class_interface::kSaveState);
    const auto create = classRoutine<CreateRoutine>(*descriptor, class_interface::kCreate);
    if (save == nullptr || create == nullptr) return;

    WindowObject* old = target.object;
    HWND oldHandle = old->handle();
    const std::vector<std::uint8_t> state = save(old);
    const RECT rect = rectInParent(oldHandle);
    const std::uint32_t style = IsWindowEnabled(oldHandle) ? 0 : creation_style::kDisabled;
    HWND parent = GetParent(oldHandle);
    const auto controlId = static_cast<std::uint32_t>(GetDlgCtrlID(oldHandle));
    const bool wasVisible = IsWindowVisible(oldHandle) != FALSE;
    const HWND focus = GetFocus();
    const bool hadFocus = focus == oldHandle || IsChild(oldHandle, focus);

    WindowObject* fresh =
        create(state.data(), static_cast<std::uint32_t>(state.size()), style, parent, controlId, nullptr, rect.left,
               rect.top, rect.right - rect.left, rect.bottom - rect.top, old->windowId(), old->componentId(), 0, 0);
    if (fresh == nullptr) return;
    fresh->setIds(old->windowId(), old->componentId());
    if ((descriptor->flags & class_flag::kChildrenMoveOnRecreate) != 0) {
        std::vector<HWND> children;
        for (HWND child = GetWindow(oldHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            children.push_back(child);
        }
        for (auto it = children.rbegin(); it != children.rend(); ++it) SetParent(*it, fresh->handle());
    }
    runtime.windowRegistry().setObjectInSlot(target.window->table, target.index, fresh);
    SetWindowPos(fresh->handle(), oldHandle, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(fresh->handle(), private_message::kComponentsCreated, 0, 0);
    SendMessageW(fresh->handle(), private_message::kWindowShown, 0, 0);
    if ((descriptor->flags & class_flag::kNotifyParentOnRecreate) != 0 && parent != nullptr) {
        SendMessageW(parent, private_message::kWindowComplete, 0, 0);
    }
    if (wasVisible) ShowWindow(fresh->handle(), SW_SHOWNA);
    runtime.setRecreating(true);
    delete old;
    runtime.setRecreating(false);
    if (hadFocus) {
        SetFocus(fresh->handle());
    } else if (focus != nullptr && IsWindow(focus)) {
        SetFocus(focus);
    }
    target.object = fresh;
}

}  // namespace

std::uint64_t readProperty(std::uint32_t windowId, std::uint32_t componentId, std::int32_t index,
                           std::int32_t arrayIndex) {
    RuntimeApplication& runtime = RuntimeApplication::current();
    if (const auto menuItemValue = readMenuItemProperty(runtime, windowId, componentId, index)) return *menuItemValue;
    const Target target = locate(runtime, windowId, componentId);
    if (index >= kFirstClassProperty) {
        return readClassProperty(runtime, target, windowId, componentId, index, arrayIndex);
    }
    const ComponentRecord& record = target.record;
    HWND handle = target.object ? target.object->handle() : nullptr;
    switch (static_cast<CommonProperty>(index)) {
        case CommonProperty::Left: return static_cast<std::uint32_t>(handle ? rectInParent(handle).left : record.left);
        case CommonProperty::Top: return static_cast<std::uint32_t>(handle ? rectInParent(handle).top : record.top);
        case CommonProperty::Width: {
            if (!handle) return static_cast<std::uint32_t>(record.width);
            const RECT rect = rectInParent(handle);
            return static_cast<std::uint32_t>(rect.right - rect.left);
        }
        case CommonProperty::Height: {
            if (!handle) return static_cast<std::uint32_t>(record.height);
            const RECT rect = rectInParent(handle);
            return static_cast<std::uint32_t>(rect.bottom - rect.top);
        }
        case CommonProperty::Tag: return record.tag.empty() ? 0 : addressResult(newText(runtime.heap(), record.tag));
        case CommonProperty::Visible:
            return handle ? ((GetWindowLongW(handle, GWL_STYLE) & WS_VISIBLE) != 0 ? 1 : 0)
                          : (record.visible() ? 1 : 0);
        case CommonProperty::Disabled: return handle ? (IsWindowEnabled(handle) ? 0 : 1) : (record.disabled() ? 1 : 0);
        case CommonProperty::MousePointer:
            return record.mousePointer.empty() ? 0 : addressResult(newByteSet(runtime.heap(), record.mousePointer));
    }
    return 0;
}

void writeProperty(std::uint32_t windowId, std::uint32_t componentId, std::int32_t index, std::int32_t arrayIndex,
                   std::uint32_t low, std::uint32_t high) {
    RuntimeApplication& runtime = RuntimeApplication::current();
    const AddressWord address = joinAddressWords(low, high);
    if (writeMenuItemProperty(runtime, windowId, componentId, index, low, address)) return;
    Target target = locate(runtime, windowId, componentId);
    if (index >= kFirstClassProperty) {
        writeClassProperty(runtime, target, windowId, componentId, index, arrayIndex, low, high);
        return;
    }
    WindowTemplate& window = *target.window;
    const ComponentRecord& record = target.record;
    HWND handle = target.object ? target.object->handle() : nullptr;
    const auto value = static_cast<std::int32_t>(low);
    switch (static_cast<CommonProperty>(index)) {
        case CommonProperty::Left:
        case CommonProperty::Top:
        case CommonProperty::Width:
        case CommonProperty::Height: {
            const bool extent = index >= static_cast<int>(CommonProperty::Width);
            const std::int32_t clamped = extent ? clampExtent(value) : clampPosition(value);
            storeWord(window, target.index, record.geometryPosition + 4 * static_cast<std::size_t>(index),
                      static_cast<std::uint32_t>(clamped));
            if (handle) {
                RECT rect = rectInParent(handle);
                int geometry[4] = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
                geometry[index] = clamped;
                const UINT keep = extent ? SWP_NOMOVE : SWP_NOSIZE;
                SetWindowPos(handle, nullptr, geometry[0], geometry[1], geometry[2], geometry[3],
                             keep | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return;
        }
        case CommonProperty::Tag: {
            const std::string_view tag = textView(addressFromWord<const char>(address));
            std::vector<std::uint8_t> bytes(tag.begin(), tag.end());
            bytes.push_back(0);
            window.table.replace(target.index, record.tagPosition, record.tag.size() + 1, bytes);
            return;
        }
        case CommonProperty::Visible:
        case CommonProperty::Disabled: {
            const std::uint32_t bit = index == static_cast<int>(CommonProperty::Visible) ? 1u : 2u;
            const std::uint32_t flags = low != 0 ? (record.flags | bit) : (record.flags & ~bit);
            storeWord(window, target.index, record.flagsPosition, flags);
            if (!handle) return;
            if (bit == 2u) {
                EnableWindow(handle, low == 0);
            } else if (low == 0) {
                ShowWindow(handle, SW_HIDE);
            } else if (target.index == 0) {
                showLoadedWindow(runtime, windowId, true);
            } else if ((target.descriptor == nullptr || (target.descriptor->flags & class_flag::kNeverVisible) == 0) &&
                       !onHiddenPage(runtime, target, componentId)) {
                ShowWindow(handle, SW_SHOWNA);
            }
            return;
        }
        case CommonProperty::MousePointer: {
            const std::span<const std::uint8_t> bytes = byteSetView(addressFromWord<const void>(address));
            std::vector<std::uint8_t> block(4 + bytes.size());
            le::storeU32(block.data(), static_cast<std::uint32_t>(bytes.size()));
            std::copy(bytes.begin(), bytes.end(), block.begin() + 4);
            window.table.replace(target.index, record.mousePointerPosition, 4 + record.mousePointer.size(), block);
            replaceComponentCursor(window.table, target.index, bytes);
            POINT mouse{};
            if (handle && GetCursorPos(&mouse) && WindowFromPoint(mouse) == handle) {
                SendMessageW(handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(handle),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            }
            return;
        }
    }
}

}  // namespace veltrano
