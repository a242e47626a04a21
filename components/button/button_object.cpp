#include "components/button/button_object.h"

#include <string>

#include "components/support/component_font.h"
#include "components/support/property_values.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr std::int32_t kLargestButtonType = 1;
constexpr std::int32_t kLargestAlignment = 2;
constexpr LONG_PTR kHorizontalBits = BS_LEFT | BS_RIGHT | BS_CENTER;
constexpr LONG_PTR kVerticalBits = BS_TOP | BS_BOTTOM | BS_VCENTER;

LONG_PTR horizontalBits(std::int32_t alignment) noexcept {
    switch (alignment) {
        case 0: return BS_LEFT;
        case 2: return BS_RIGHT;
        default: return BS_CENTER;
    }
}

LONG_PTR verticalBits(std::int32_t alignment) noexcept {
    switch (alignment) {
        case 0: return BS_TOP;
        case 2: return BS_BOTTOM;
        default: return BS_VCENTER;
    }
}

}  // namespace

ButtonObject::ButtonObject(classdata::ButtonData data, std::optional<drawing::Picture> picture)
    : ComponentObject(class_id::kButton),
      data_(std::move(data)),
      picture_(std::move(picture)),
      font_(drawing::fontFromBytes(data_.Font)) {}

ButtonObject* ButtonObject::create(std::span<const std::uint8_t> classData, std::uint32_t style, HWND parent,
                                   std::uint32_t controlId, RECT bounds, std::uint32_t windowId,
                                   std::uint32_t componentId) {
    auto data = classdata::decode<classdata::ButtonData>(classData);
    if (!data) return nullptr;

    LONG_PTR windowStyle = static_cast<LONG_PTR>(style) | WS_CHILD | WS_CLIPSIBLINGS | BS_MULTILINE;
    windowStyle |= data->ButtonType >= 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    windowStyle |= horizontalBits(data->Alignment) | verticalBits(data->VerticalAlignment);
    std::optional<drawing::Picture> picture;
    if (!data->ButtonPicture.empty()) picture = drawing::Picture::decode(data->ButtonPicture);
    if (picture) windowStyle |= picture->isIcon() ? BS_ICON : BS_BITMAP;

    const std::wstring caption = wideFromCodePage936(data->Caption);
    win::UniqueWindow window(
        CreateWindowExW(0, L"BUTTON", caption.c_str(), static_cast<DWORD>(windowStyle), bounds.left, bounds.top,
                        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr));
    if (!window) return nullptr;

    auto* object = new ButtonObject(std::move(*data), std::move(picture));
    if (!object->attach(window.get())) {
        delete object;
        return nullptr;
    }
    window.release();
    object->setIds(windowId, componentId);
    if (object->picture_) {
        const bool icon = object->picture_->isIcon();
        const HANDLE image =
            icon ? static_cast<HANDLE>(object->picture_->icon()) : static_cast<HANDLE>(object->picture_->bitmap());
        SendMessageW(object->handle(), BM_SETIMAGE, icon ? IMAGE_ICON : IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
    }
    SendMessageW(object->handle(), WM_SETFONT, reinterpret_cast<WPARAM>(drawing::fontOrDefault(object->font_)), FALSE);
    return object;
}

void ButtonObject::replaceStyleBits(LONG_PTR mask, LONG_PTR bits) {
    if (!alive()) return;
    const LONG_PTR style = GetWindowLongPtrW(handle(), GWL_STYLE);
    SetWindowLongPtrW(handle(), GWL_STYLE, (style & ~mask) | bits);
    InvalidateRect(handle(), nullptr, TRUE);
}

int ButtonObject::writeProperty(int index, const RawValue& value) {
    namespace pv = property_value;
    switch (static_cast<ButtonProperty>(index)) {
        case ButtonProperty::ButtonPicture:
            // A button cannot switch between text and picture kinds in place.
            data_.ButtonPicture = pv::bytes(value);
            return 1;
        case ButtonProperty::ButtonType:
            data_.ButtonType = pv::clampChoice(value.number(), kLargestButtonType);
            if (alive()) {
                SendMessageW(handle(), BM_SETSTYLE, data_.ButtonType == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
            }
            return 0;
        case ButtonProperty::Caption:
            data_.Caption = pv::text(value);
            if (alive()) SetWindowTextW(handle(), wideFromCodePage936(data_.Caption).c_str());
            return 0;
        case ButtonProperty::Alignment:
            data_.Alignment = pv::clampChoice(value.number(), kLargestAlignment);
            replaceStyleBits(kHorizontalBits, horizontalBits(data_.Alignment));
            return 0;
        case ButtonProperty::VerticalAlignment:
            data_.VerticalAlignment = pv::clampChoice(value.number(), kLargestAlignment);
            replaceStyleBits(kVerticalBits, verticalBits(data_.VerticalAlignment));
            return 0;
        case ButtonProperty::Font: {
            data_.Font = pv::bytes(value);
            // The window lets go of the old font before it is deleted.
            win::UniqueFont replaced = drawing::fontFromBytes(data_.Font);
            if (alive()) {
                SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(drawing::fontOrDefault(replaced)), TRUE);
            }
            font_ = std::move(replaced);
            return 0;
        }
        default: return 0;
    }
}

bool ButtonObject::readProperty(int index, RawValue& value) const {
    namespace pv = property_value;
    switch (static_cast<ButtonProperty>(index)) {
        case ButtonProperty::ButtonPicture: value = pv::ofBytes(data_.ButtonPicture); break;
        case ButtonProperty::ButtonType: value = pv::ofInt(data_.ButtonType); break;
        case ButtonProperty::Caption: value = pv::ofText(data_.Caption); break;
        case ButtonProperty::Alignment: value = pv::ofInt(data_.Alignment); break;
        case ButtonProperty::VerticalAlignment: value = pv::ofInt(data_.VerticalAlignment); break;
        case ButtonProperty::Font: value = pv::ofBytes(data_.Font); break;
        default: value = RawValue{}; return false;
    }
    return true;
}

bool ButtonObject::isDefaultButton() const noexcept {
    if (!alive()) return false;
    return (GetWindowLongPtrW(handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool ButtonObject::onCommandNotification(int code) {
    if (code != BN_CLICKED) return false;
    fireEvent(button_event::kClick);
    return true;
}

LRESULT ButtonObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const LRESULT result = ComponentObject::handleMessage(message, wParam, lParam);
            fireEvent(message == WM_SETFOCUS ? button_event::kFocusGained : button_event::kFocusLost);
            return result;
        }
        default: return ComponentObject::handleMessage(message, wParam, lParam);
    }
}

}  // namespace veltrano
