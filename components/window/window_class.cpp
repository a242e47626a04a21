#include "components/window/window_class.h"

#include <memory>

#include "components/classdata/window_data.h"
#include "components/window/form_object.h"
#include "components/window/window_interfaces.h"
#include "components/window/window_style.h"
#include "runtime/kernel/runtime_class.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/kernel/window_loader.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

// The window's own object is made by its runtime class's name, as the
// runtime makes its framework objects.
std::unique_ptr<CWinFormUnit> makeForm() {
    std::unique_ptr<WindowObject> made = createObjectByName(CWinFormUnit::kRuntimeClassName);
    if (dynamic_cast<CWinFormUnit*>(made.get()) == nullptr) return nullptr;
    return std::unique_ptr<CWinFormUnit>(static_cast<CWinFormUnit*>(made.release()));
}

using classdata::WindowData;
namespace property = window_property;

constexpr PropertyDescriptor kProperties[] = {
    {"Left", 1001},
    {"Top", 1001},
    {"Width", 1001},
    {"Height", 1001},
    {"Tag", 1005},
    {"Visible", 1003},
    {"Disabled", 1003},
    {"MousePointer", 1011},
    {"Caption", 1005},
    {"BorderStyle", 1006},
    {"BackColor", 1017},
    {"BackPicture", 1009},
    {"BackPictureMode", 1006},
    {"BackSound", 1012},
    {"SoundPlayMode", 1006},
    {"ControlBox", 1003},
    {"MaxButton", 1003},
    {"MinButton", 1003},
    {"StartPosition", 1006},
    {"Movable", 1003},
    {"Icon", 1010},
    {"EnterMovesFocus", 1003},
    {"EscCloses", 1003},
    {"F1OpensHelp", 1003},
    {"HelpFile", 1016},
    {"HelpContext", 1001},
    {"ShowInTaskbar", 1003},
    {"DragAnywhere", 1003},
    {"Shape", 1006},
    {"AlwaysOnTop", 1003},
    {"KeepTitleActive", 1003},
    {"WindowClassName", 1005},
};
static_assert(std::size(kProperties) == 8 + property::kCount);

constexpr wchar_t kHiddenOwnerClass[] = L"_QL_HideOwner";

// The runtime's hidden owner window of this thread, if it made one.
HWND hiddenOwner() {
    HWND owner = FindWindowW(kHiddenOwnerClass, nullptr);
    if (owner == nullptr || GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()) return nullptr;
    return owner;
}

bool ensureWindowClass(const std::wstring& name) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name.c_str(), &existing)) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = name.c_str();
    return RegisterClassExW(&windowClass) != 0;
}

std::string textAt(AddressWord address) {
    const char* text = addressFromWord<const char>(address);
    return text != nullptr ? std::string(text) : std::string();
}

std::vector<std::uint8_t> bytesAt(const RawValue& value) {
    const auto* bytes = addressFromWord<const std::uint8_t>(value.word1);
    if (bytes == nullptr || value.word2 == 0) return {};
    return std::vector<std::uint8_t>(bytes, bytes + value.word2);
}

std::int32_t integerOf(const RawValue& value) noexcept { return static_cast<std::int32_t>(value.word1); }
bool boolOf(const RawValue& value) noexcept { return value.word1 != 0; }

RawValue textValue(const std::string& text) noexcept { return RawValue{addressWord(text.c_str()), 0}; }
RawValue bytesValue(const std::vector<std::uint8_t>& bytes) noexcept {
    if (bytes.empty()) return RawValue{};
    return RawValue{addressWord(bytes.data()), static_cast<std::uint32_t>(bytes.size())};
}
RawValue integerValue(std::int32_t value) noexcept { return RawValue{static_cast<std::uint32_t>(value), 0}; }
RawValue boolValue(bool value) noexcept { return RawValue{value ? 1u : 0u, 0}; }

WindowObject* createWindow(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style,
                           HWND parent, std::uint32_t controlId, HMENU menu, int left, int top, int width, int height,
                           std::uint32_t windowId, std::uint32_t componentId, std::uint32_t designWindow,
                           std::uint32_t designModeFlag) {
    std::span<const std::uint8_t> bytes;
    if (classData != nullptr) bytes = std::span<const std::uint8_t>(classData, classDataLength);
    auto data = classdata::decode<WindowData>(bytes);
    if (!data) return nullptr;
    const bool designMode = designModeFlag != 0;
    // A design window handle arrives in a 32-bit word: widened by sign extension.
    HWND owner = designMode ? static_cast<HWND>(LongToHandle(static_cast<LONG>(designWindow))) : parent;
    if (designMode && owner == nullptr) owner = parent;

    const window_style::Styles styles = window_style::forCreation(*data, style, designMode, owner != nullptr);
    if (!designMode && data->StartPosition == 1) {
        const POINT corner = window_style::centred(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
        left = corner.x;
        top = corner.y;
    }
    if (!designMode && owner == nullptr && (!data->ShowInTaskbar || creatingModalWindow())) owner = hiddenOwner();

    const std::wstring className =
        data->WindowClassName.empty() ? std::wstring(kDefaultWindowClassName) : wideFromCodePage936(data->WindowClassName);
    if (!ensureWindowClass(className)) {
        if (menu != nullptr) DestroyMenu(menu);
        return nullptr;
    }
    std::unique_ptr<CWinFormUnit> object = makeForm();
    if (!object) {
        if (menu != nullptr) DestroyMenu(menu);
        return nullptr;
    }
    object->data() = std::move(*data);
    object->setDesignMode(designMode);
    const std::wstring caption = wideFromCodePage936(object->data().Caption);
    HMENU menuOrId = designMode ? reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(controlId)) : menu;
    HWND window = CreateWindowExW(styles.extendedStyle, className.c_str(), caption.c_str(), styles.style, left, top,
                                  width, height, owner, menuOrId, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        if (menu != nullptr) DestroyMenu(menu);
        return nullptr;
    }
    if (!object->attach(window)) {
        DestroyWindow(window);
        return nullptr;
    }
    object->setIds(windowId, componentId);

    object->applyCaptionAndBoxes();
    RECT outer{};
    GetWindowRect(window, &outer);
    if (outer.right - outer.left != width || outer.bottom - outer.top != height) {
        MoveWindow(window, left, top, width, height, FALSE);
    }
    object->applyIcons();
    object->applyShape();
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (object->data().AlwaysOnTop) object->applyTopmost();
    if (!object->data().Movable) object->applyMovable();
    object->startSound();
    return object.release();
}

int writeProperty(WindowObject* target, int index, const RawValue* value, int) {
    auto* form = dynamic_cast<CWinFormUnit*>(target);
    if (form == nullptr || value == nullptr) return 0;
    WindowData& d = form->data();
    const bool live = form->alive();
    switch (index) {
        case property::kCaption:
            d.Caption = textAt(value->word1);
            if (live) {
                SetWindowTextW(form->handle(), wideFromCodePage936(d.Caption).c_str());
                form->applyCaptionAndBoxes();
            }
            break;
        case property::kBorderStyle:
            d.BorderStyle = window_style::clampChoice(integerOf(*value), window_style::kMaxBorderStyle);
            if (live) form->applyFrame();
            break;
        case property::kBackColor:
            d.BackColor = value->number();
            if (live) InvalidateRect(form->handle(), nullptr, TRUE);
            break;
        case property::kBackPicture:
            d.BackPicture = bytesAt(*value);
            form->dropPicture();
            if (live) InvalidateRect(form->handle(), nullptr, TRUE);
            break;
        case property::kBackPictureMode:
            d.BackPictureMode = window_style::clampChoice(integerOf(*value), window_style::kMaxPictureMode);
            if (live && form->hasPicture()) InvalidateRect(form->handle(), nullptr, TRUE);
            break;
        case property::kBackSound:
            form->stopSound();
            d.BackSound = bytesAt(*value);
            if (live) form->startSound();
            break;
        case property::kSoundPlayMode:
            form->stopSound();
            d.SoundPlayMode = window_style::clampChoice(integerOf(*value), window_style::kMaxSoundPlayMode);
            if (live) form->startSound();
            break;
        case property::kControlBox:
            d.ControlBox = boolOf(*value);
            if (live) form->applyCaptionAndBoxes();
            break;
        case property::kMaxButton:
            d.MaxButton = boolOf(*value);
            if (live) form->applyCaptionAndBoxes();
            break;
        case property::kMinButton:
            d.MinButton = boolOf(*value);
            if (live) form->applyCaptionAndBoxes();
            break;
        case property::kStartPosition:
            d.StartPosition = window_style::clampChoice(integerOf(*value), window_style::kMaxStartPosition);
            if (live) form->applyStartPosition();
            break;
        case property::kMovable:
            d.Movable = boolOf(*value);
            if (live) form->applyMovable();
            break;
        case property::kIcon:
            d.Icon = bytesAt(*value);
            if (live) form->applyIcons();
            break;
        case property::kEnterMovesFocus: d.EnterMovesFocus = boolOf(*value); break;
        case property::kEscCloses: d.EscCloses = boolOf(*value); break;
        case property::kF1OpensHelp: d.F1OpensHelp = boolOf(*value); break;
        case property::kHelpFile: d.HelpFile = textAt(value->word1); break;
        case property::kHelpContext: d.HelpContext = integerOf(*value); break;
        case property::kShowInTaskbar: d.ShowInTaskbar = boolOf(*value); break;
        case property::kDragAnywhere: d.DragAnywhere = boolOf(*value); break;
        case property::kShape:
            d.Shape = window_style::clampChoice(integerOf(*value), window_style::kMaxShape);
            if (live) form->applyShape();
            break;
        case property::kAlwaysOnTop:
            d.AlwaysOnTop = boolOf(*value);
            if (live) form->applyTopmost();
            break;
        case property::kKeepTitleActive: d.KeepTitleActive = boolOf(*value); break;
        case property::kWindowClassName: d.WindowClassName = textAt(value->word1); break;
        default: break;
    }
    return 0;
}

std::int32_t liveStartState(const CWinFormUnit& form) {
    if (!form.alive()) return form.data().StartPosition;
    if (IsIconic(form.handle())) return 2;
    if (IsZoomed(form.handle())) return 3;
    return 0;
}

void readProperty(WindowObject* target, int index, RawValue* value) {
    auto* form = dynamic_cast<CWinFormUnit*>(target);
    if (form == nullptr || value == nullptr) return;
    const WindowData& d = form->data();
    switch (index) {
        case property::kCaption: *value = textValue(d.Caption); break;
        case property::kBorderStyle: *value = integerValue(d.BorderStyle); break;
        case property::kBackColor: *value = RawValue{d.BackColor, 0}; break;
        case property::kBackPicture: *value = bytesValue(d.BackPicture); break;
        case property::kBackPictureMode: *value = integerValue(d.BackPictureMode); break;
        case property::kBackSound: *value = bytesValue(d.BackSound); break;
        case property::kSoundPlayMode: *value = integerValue(d.SoundPlayMode); break;
        case property::kControlBox: *value = boolValue(d.ControlBox); break;
        case property::kMaxButton: *value = boolValue(d.MaxButton); break;
        case property::kMinButton: *value = boolValue(d.MinButton); break;
        case property::kStartPosition: *value = integerValue(liveStartState(*form)); break;
        case property::kMovable: *value = boolValue(d.Movable); break;
        case property::kIcon: *value = bytesValue(d.Icon); break;
        case property::kEnterMovesFocus: *value = boolValue(d.EnterMovesFocus); break;
        case property::kEscCloses: *value = boolValue(d.EscCloses); break;
        case property::kF1OpensHelp: *value = boolValue(d.F1OpensHelp); break;
        case property::kHelpFile: *value = textValue(d.HelpFile); break;
        case property::kHelpContext: *value = integerValue(d.HelpContext); break;
        case property::kShowInTaskbar: *value = boolValue(d.ShowInTaskbar); break;
        case property::kDragAnywhere: *value = boolValue(d.DragAnywhere); break;
        case property::kShape: *value = integerValue(d.Shape); break;
        case property::kAlwaysOnTop: *value = boolValue(d.AlwaysOnTop); break;
        case property::kKeepTitleActive: *value = boolValue(d.KeepTitleActive); break;
        case property::kWindowClassName: *value = textValue(d.WindowClassName); break;
        default: *value = RawValue{}; break;
    }
}

std::vector<std::uint8_t> saveState(WindowObject* target) {
    const auto* form = dynamic_cast<const CWinFormUnit*>(target);
    if (form == nullptr) return {};
    return classdata::encode(form->data());
}

std::optional<WindowData> decodeAt(const std::uint8_t* classData, std::uint32_t length) {
    if (classData == nullptr) return classdata::decode<WindowData>({});
    return classdata::decode<WindowData>(std::span<const std::uint8_t>(classData, length));
}

std::vector<std::uint8_t> iconBytes(const std::uint8_t* classData, std::uint32_t length) {
    const auto data = decodeAt(classData, length);
    if (!data) return {};
    return data->Icon;
}

std::optional<std::vector<std::uint8_t>> convertTexts(const std::uint8_t* classData, std::uint32_t length,
                                                      TextConverter convert, void* context) {
    auto data = decodeAt(classData, length);
    if (!data || convert == nullptr) return std::nullopt;
    data->Caption = convert(data->Caption, context);
    data->HelpFile = convert(data->HelpFile, context);
    data->WindowClassName = convert(data->WindowClassName, context);
    return classdata::encode(*data);
}

AnyRoutine windowInterfaces(int interfaceNumber) {
    switch (interfaceNumber) {
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&createWindow);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&writeProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&saveState);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&readProperty);
        case window_interface::kIconBytes: return asAnyRoutine<IconBytesRoutine>(&iconBytes);
        case window_interface::kTextConversion: return asAnyRoutine<TextConversionRoutine>(&convertTexts);
        default: return nullptr;
    }
}

}  // namespace

const ClassDescriptor kWindowClass{class_id::kWindow, 0x800000D0, &windowInterfaces, kProperties,
                                   static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
