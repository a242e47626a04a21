#include "components/group_box/group_box_object.h"

#include <string>

#include "components/support/component_font.h"
#include "components/support/gradient_painter.h"
#include "components/support/property_values.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr std::int32_t kLargestAlignment = 2;
constexpr LONG_PTR kAlignmentBits = BS_LEFT | BS_RIGHT | BS_CENTER;

LONG_PTR alignmentBits(std::int32_t alignment) noexcept {
    switch (alignment) {
        case 1: return BS_CENTER;
        case 2: return BS_RIGHT;
        default: return BS_LEFT;
    }
}

}  // namespace

GroupBoxObject::GroupBoxObject(classdata::GroupBoxData data)
    : ComponentObject(class_id::kGroupBox), data_(std::move(data)), font_(drawing::fontFromBytes(data_.Font)) {
    remakeBrush();
}

GroupBoxObject* GroupBoxObject::create(std::span<const std::uint8_t> classData, std::uint32_t style, HWND parent,
                                       std::uint32_t controlId, RECT bounds, std::uint32_t windowId,
                                       std::uint32_t componentId) {
    auto data = classdata::decode<classdata::GroupBoxData>(classData);
    if (!data) return nullptr;
    const LONG_PTR windowStyle =
        static_cast<LONG_PTR>(style) | WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX | alignmentBits(data->Alignment);
    const std::wstring caption = wideFromCodePage936(data->Caption);
    win::UniqueWindow window(
        CreateWindowExW(0, L"BUTTON", caption.c_str(), static_cast<DWORD>(windowStyle), bounds.left, bounds.top,
                        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr));
    if (!window) return nullptr;

    auto* object = new GroupBoxObject(std::move(*data));
    if (!object->attach(window.get())) {
        delete object;
        return nullptr;
    }
    window.release();
    object->setIds(windowId, componentId);
    SendMessageW(object->handle(), WM_SETFONT, reinterpret_cast<WPARAM>(drawing::fontOrDefault(object->font_)), FALSE);
    return object;
}

void GroupBoxObject::remakeBrush() {
    brush_.reset(CreateSolidBrush(drawing::resolveColour(data_.BackColor)));
}

int GroupBoxObject::writeProperty(int index, const RawValue& value) {
    namespace pv = property_value;
    switch (static_cast<GroupBoxProperty>(index)) {
        case GroupBoxProperty::Caption:
            data_.Caption = pv::text(value);
            if (alive()) SetWindowTextW(handle(), wideFromCodePage936(data_.Caption).c_str());
            break;
        case GroupBoxProperty::Alignment:
            data_.Alignment = pv::clampChoice(value.number(), kLargestAlignment);
            if (alive()) {
                const LONG_PTR style = GetWindowLongPtrW(handle(), GWL_STYLE);
                SetWindowLongPtrW(handle(), GWL_STYLE, (style & ~kAlignmentBits) | alignmentBits(data_.Alignment));
            }
            break;
        case GroupBoxProperty::TextColor: data_.TextColor = value.number(); break;
        case GroupBoxProperty::BackColor:
            data_.BackColor = value.number();
            remakeBrush();
            break;
        case GroupBoxProperty::Font: {
            data_.Font = pv::bytes(value);
            win::UniqueFont replaced = drawing::fontFromBytes(data_.Font);
            if (alive()) {
                SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(drawing::fontOrDefault(replaced)), FALSE);
            }
            font_ = std::move(replaced);
            break;
        }
        default: return 0;
    }
    if (alive()) InvalidateRect(handle(), nullptr, TRUE);
    return 0;
}

bool GroupBoxObject::readProperty(int index, RawValue& value) const {
    namespace pv = property_value;
    switch (static_cast<GroupBoxProperty>(index)) {
        case GroupBoxProperty::Caption: value = pv::ofText(data_.Caption); break;
        case GroupBoxProperty::Alignment: value = pv::ofInt(data_.Alignment); break;
        case GroupBoxProperty::TextColor: value = pv::ofWord(data_.TextColor); break;
        case GroupBoxProperty::BackColor: value = pv::ofWord(data_.BackColor); break;
        case GroupBoxProperty::Font: value = pv::ofBytes(data_.Font); break;
        default: value = RawValue{}; return false;
    }
    return true;
}

HBRUSH GroupBoxObject::onControlColour(HDC dc, UINT) {
    SetTextColor(dc, static_cast<COLORREF>(data_.TextColor & 0x00FFFFFF));
    SetBkColor(dc, drawing::resolveColour(data_.BackColor));
    return brush_.get();
}

LRESULT GroupBoxObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND && brush_) {
        RECT client{};
        GetClientRect(handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush_.get());
        return 1;
    }
    return ComponentObject::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano
