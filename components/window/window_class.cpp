#include "components/window/window_class.h"

#include <memory>

#include "components/classdata/window_data.h"
#include "components/support/class_routines.h"
#include "components/support/common_properties.h"
#include "components/support/plain_window_class.h"
#include "components/support/text_conversion.h"
#include "components/window/form_object.h"
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

constexpr auto kProperties = withCommonProperties({
    {"Caption", PropertyKind::Text},
    {"BorderStyle", PropertyKind::Choice},
    {"BackColor", PropertyKind::BackgroundColour},
    {"BackPicture", PropertyKind::Picture},
    {"BackPictureMode", PropertyKind::Choice},
    {"BackSound", PropertyKind::Sound},
    {"SoundPlayMode", PropertyKind::Choice},
    {"ControlBox", PropertyKind::Bool},
    {"MaxButton", PropertyKind::Bool},
    {"MinButton", PropertyKind::Bool},
    {"StartPosition", PropertyKind::Choice},
    {"Movable", PropertyKind::Bool},
    {"Icon", PropertyKind::Icon},
    {"EnterMovesFocus", PropertyKind::Bool},
    {"EscCloses", PropertyKind::Bool},
    {"F1OpensHelp", PropertyKind::Bool},
    {"HelpFile", PropertyKind::FileName},
    {"HelpContext", PropertyKind::Integer},
    {"ShowInTaskbar", PropertyKind::Bool},
    {"DragAnywhere", PropertyKind::Bool},
    {"Shape", PropertyKind::Choice},
    {"AlwaysOnTop", PropertyKind::Bool},
    {"KeepTitleActive", PropertyKind::Bool},
    {"WindowClassName", PropertyKind::Text},
});
static_assert(std::size(kProperties) == 8 + property::kCount);

constexpr wchar_t kHiddenOwnerClass[] = L"_QL_HideOwner";

// The runtime's hidden owner window of this thread, if it made one.
HWND hiddenOwner() {
    HWND owner = FindWindowW(kHiddenOwnerClass, nullptr);
    if (owner == nullptr || GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()) return nullptr;
    return owner;
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

std::int32_t integerOf(const RawValue& value) noexcept {
    return static_cast<std::int32_t>(value.word1);
}
bool boolOf(const RawValue& value) noexcept {
    return value.word1 != 0;
}

RawValue textValue(const std::string& text) noexcept {
    return RawValue{addressWord(text.c_str()), 0};
}
RawValue bytesValue(const std::vector<std::uint8_t>& bytes) noexcept {
    if (bytes.empty()) return RawValue{};
    return RawValue{addressWord(bytes.data()), static_cast<std::uint32_t>(bytes.size())};
}
RawValue integerValue(std::int32_t value) noexcept {
    return RawValue{static_cast<std::uint32_t>(value), 0};
}
RawValue boolValue(bool value) noexcept {
    return RawValue{value ? 1u : 0u, 0};
}

WindowObject* createWindow(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style,
                           HWND parent, std::uint32_t controlId, HMENU menu, int left, int top, int width, int height,
                           std::uint32_t windowId, std::uint32_t componentId, std::uint32_t designWindow,
                           std::uint32_t designModeFlag) {
    auto data = classdata::decode<WindowData>(classDataBytes(classData, classDataLength));
    if (!data) return nullptr;
    const bool designMode = designModeFlag != 0;
    // A design window handle arrives in a 32-bit word: widened by sign extension.
    HWND owner = designMode ? static_cast<HWND>(LongToHandle(static_cast<LONG>(designWindow))) : parent;
    if (designMode && owner == nullptr) owner = parent;

    const window_style::Styles styles = window_style::forCreation(*data, style, designMode, owner != nullptr);
    if (!designMode && data->StartPosition == 1) {
        const POINT corner =
            window_style::centred(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
        left = corner.x;
        top = corner.y;
    }
    if (!designMode && owner == nullptr && (!data->ShowInTaskbar || creatingModalWindow())) owner = hiddenOwner();

    const std::wstring className = data->WindowClassName.empty() ? std::wstring(kDefaultWindowClassName)
                                                                 : wideFromCodePage936(data->WindowClassName);
    if (!ensurePlainWindowClass(GetModuleHandleW(nullptr), className.c_str(), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS)) {
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

std::vector<std::uint8_t> iconBytes(const std::uint8_t* classData, std::uint32_t length) {
    const auto data = classdata::decode<WindowData>(classDataBytes(classData, length));
    if (!data) return {};
    return data->Icon;
}

using Routines = ClassRoutines<&createWindow, &writeProperty, &saveState, &readProperty>;
constexpr TextConversionRoutine kConvertTexts =
    &convertClassTexts<WindowData, WithoutConverter::Nothing, &WindowData::Caption, &WindowData::HelpFile,
                       &WindowData::WindowClassName>;

}  // namespace

const ClassDescriptor kWindowClass{class_id::kWindow, 0x800000D0,
                                   &classInterface<Routines, Offered<class_interface::kIconBytes, &iconBytes>,
                                                   Offered<class_interface::kTextConversion, kConvertTexts>>,
                                   kProperties.data(), static_cast<std::uint32_t>(std::size(kProperties))};

}  // namespace veltrano
