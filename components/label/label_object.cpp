#include "components/label/label_object.h"

#include <algorithm>
#include <string>

#include "components/label/border_style.h"
#include "components/support/component_font.h"
#include "components/support/gradient_colours.h"
#include "components/support/gradient_painter.h"
#include "components/support/plain_window_class.h"
#include "components/support/property_values.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr wchar_t kWindowClassName[] = L"_QL_Label";
constexpr std::int32_t kLargestTextEffect = 3;
constexpr std::int32_t kLargestBorderStyle = 6;
constexpr std::int32_t kGradientFrameStyle = 6;
constexpr std::int32_t kLargestPictureMode = 2;
constexpr std::int32_t kLargestGradient = 8;
constexpr std::int32_t kLargestAlignment = 2;

void fillSolid(HDC dc, const RECT& area, COLORREF colour) {
    win::UniqueBrush brush(CreateSolidBrush(colour));
    if (brush) FillRect(dc, &area, brush.get());
}

RECT intersection(const RECT& a, const RECT& b) noexcept {
    RECT result{};
    IntersectRect(&result, &a, &b);
    return result;
}

std::uint32_t& colourField(classdata::LabelData& data, LabelProperty property) {
    switch (property) {
        case LabelProperty::GradientBorderColor1: return data.GradientBorderColor1;
        case LabelProperty::GradientBorderColor2: return data.GradientBorderColor2;
        case LabelProperty::GradientBorderColor3: return data.GradientBorderColor3;
        case LabelProperty::TextColor: return data.TextColor;
        case LabelProperty::GradientBackColor1: return data.GradientBackColor1;
        case LabelProperty::GradientBackColor2: return data.GradientBackColor2;
        default: return data.GradientBackColor3;
    }
}

}  // namespace

LabelObject::LabelObject(classdata::LabelData data)
    : ComponentObject(class_id::kLabel), data_(std::move(data)), font_(drawing::fontFromBytes(data_.Font)) {}

LabelObject* LabelObject::create(std::span<const std::uint8_t> classData, std::uint32_t style, HWND parent,
                                 std::uint32_t controlId, RECT bounds, std::uint32_t windowId,
                                 std::uint32_t componentId) {
    auto data = classdata::decode<classdata::LabelData>(classData);
    if (!data) return nullptr;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!ensurePlainWindowClass(instance, kWindowClassName, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS)) return nullptr;

    const std::wstring caption = wideFromCodePage936(data->Caption);
    win::UniqueWindow window(
        CreateWindowExW(0, kWindowClassName, caption.c_str(), style | WS_CHILD | WS_CLIPSIBLINGS, bounds.left,
                        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)), instance, nullptr));
    if (!window) return nullptr;

    auto* object = new LabelObject(std::move(*data));
    if (!object->attach(window.get())) {
        delete object;
        return nullptr;
    }
    window.release();
    object->setIds(windowId, componentId);
    drawing::applyBorderStyle(object->handle(), object->data_.BorderStyle);
    return object;
}

int LabelObject::writeProperty(int index, const RawValue& value) {
    namespace pv = property_value;
    const auto property = static_cast<LabelProperty>(index);
    switch (property) {
        case LabelProperty::Caption:
            data_.Caption = pv::text(value);
            setWindowText();
            break;
        case LabelProperty::TextEffect: data_.TextEffect = pv::clampChoice(value.number(), kLargestTextEffect); break;
        case LabelProperty::BorderStyle:
            data_.BorderStyle = pv::clampChoice(value.number(), kLargestBorderStyle);
            drawing::applyBorderStyle(handle(), data_.BorderStyle);
            break;
        case LabelProperty::GradientBorderWidth:
            data_.GradientBorderWidth = std::max(kSmallestGradientBorderWidth, static_cast<std::int32_t>(value.word1));
            break;
        case LabelProperty::GradientBorderColor1:
        case LabelProperty::GradientBorderColor2:
        case LabelProperty::GradientBorderColor3:
        case LabelProperty::TextColor:
        case LabelProperty::GradientBackColor1:
        case LabelProperty::GradientBackColor2:
        case LabelProperty::GradientBackColor3: colourField(data_, property) = value.number(); break;
        case LabelProperty::BackColor:
            data_.BackColor = value.number();
            // The picture was composed over the old colour.
            dropPicture();
            break;
        case LabelProperty::Font:
            data_.Font = pv::bytes(value);
            font_ = drawing::fontFromBytes(data_.Font);
            break;
        case LabelProperty::BackPicture:
            data_.BackPicture = pv::bytes(value);
            dropPicture();
            break;
        case LabelProperty::BackPictureMode:
            data_.BackPictureMode = pv::clampChoice(value.number(), kLargestPictureMode);
            break;
        case LabelProperty::GradientBackground:
            data_.GradientBackground = pv::clampChoice(value.number(), kLargestGradient);
            break;
        case LabelProperty::Alignment: data_.Alignment = pv::clampChoice(value.number(), kLargestAlignment); break;
        case LabelProperty::WordWrap: data_.WordWrap = pv::asBool(value); break;
        case LabelProperty::VerticalAlignment:
            data_.VerticalAlignment = pv::clampChoice(value.number(), kLargestAlignment);
            break;
        case LabelProperty::DataSource:
            data_.DataSource = pv::text(value);
            rebind();
            break;
        case LabelProperty::DataColumn:
            data_.DataColumn = pv::text(value);
            rebind();
            break;
        default: return 0;
    }
    if (alive()) InvalidateRect(handle(), nullptr, FALSE);
    return 0;
}

bool LabelObject::readProperty(int index, RawValue& value) const {
    namespace pv = property_value;
    switch (static_cast<LabelProperty>(index)) {
        case LabelProperty::Caption: value = pv::ofText(data_.Caption); break;
        case LabelProperty::TextEffect: value = pv::ofInt(data_.TextEffect); break;
        case LabelProperty::BorderStyle: value = pv::ofInt(data_.BorderStyle); break;
        case LabelProperty::GradientBorderWidth: value = pv::ofInt(data_.GradientBorderWidth); break;
        case LabelProperty::GradientBorderColor1: value = pv::ofWord(data_.GradientBorderColor1); break;
        case LabelProperty::GradientBorderColor2: value = pv::ofWord(data_.GradientBorderColor2); break;
        case LabelProperty::GradientBorderColor3: value = pv::ofWord(data_.GradientBorderColor3); break;
        case LabelProperty::Font: value = pv::ofBytes(data_.Font); break;
        case LabelProperty::TextColor: value = pv::ofWord(data_.TextColor); break;
        case LabelProperty::BackColor: value = pv::ofWord(data_.BackColor); break;
        case LabelProperty::BackPicture: value = pv::ofBytes(data_.BackPicture); break;
        case LabelProperty::BackPictureMode: value = pv::ofInt(data_.BackPictureMode); break;
        case LabelProperty::GradientBackground: value = pv::ofInt(data_.GradientBackground); break;
        case LabelProperty::GradientBackColor1: value = pv::ofWord(data_.GradientBackColor1); break;
        case LabelProperty::GradientBackColor2: value = pv::ofWord(data_.GradientBackColor2); break;
        case LabelProperty::GradientBackColor3: value = pv::ofWord(data_.GradientBackColor3); break;
        case LabelProperty::Alignment: value = pv::ofInt(data_.Alignment); break;
        case LabelProperty::WordWrap: value = pv::ofWord(data_.WordWrap ? 1 : 0); break;
        case LabelProperty::VerticalAlignment: value = pv::ofInt(data_.VerticalAlignment); break;
        case LabelProperty::DataSource: value = pv::ofText(data_.DataSource); break;
        case LabelProperty::DataColumn: value = pv::ofText(data_.DataColumn); break;
        default: value = RawValue{}; return false;
    }
    return true;
}

void LabelObject::setWindowText() {
    if (alive()) SetWindowTextW(handle(), wideFromCodePage936(data_.Caption).c_str());
}

// The runtime carries no database facility, so no binding ever finds a data
// source, and a bound label shows the empty text.
void LabelObject::rebind() {
    data_.Caption.clear();
    setWindowText();
}

void LabelObject::dropPicture() {
    picture_.reset();
    pictureDecoded_ = false;
}

const drawing::Picture* LabelObject::backPicture() {
    if (!pictureDecoded_) {
        pictureDecoded_ = true;
        if (!data_.BackPicture.empty()) {
            picture_ = drawing::Picture::decode(data_.BackPicture, drawing::resolveColour(data_.BackColor));
        }
    }
    return picture_ ? &*picture_ : nullptr;
}

void LabelObject::paint(HDC dc, const RECT& clip) {
    RECT client{};
    GetClientRect(handle(), &client);
    RECT content = client;

    if (data_.BorderStyle == kGradientFrameStyle && data_.GradientBorderWidth > 0) {
        const auto colours = drawing::collectGradientColours(data_.GradientBorderColor1, data_.GradientBorderColor2,
                                                             data_.GradientBorderColor3);
        if (colours.count >= 2) {
            {
                const win::SavedDc saved(dc);
                IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
                drawing::drawGradientFrame(dc, client, data_.GradientBorderWidth, colours.view());
            }
            InflateRect(&content, -data_.GradientBorderWidth, -data_.GradientBorderWidth);
        }
    }

    const RECT visible = intersection(clip, content);
    if (IsRectEmpty(&visible)) return;
    const win::SavedDc saved(dc);
    IntersectClipRect(dc, visible.left, visible.top, visible.right, visible.bottom);
    paintBackground(dc, content, visible);
    paintText(dc, content);
}

void LabelObject::paintBackground(HDC dc, const RECT& content, const RECT& clip) {
    const COLORREF backColour = drawing::resolveColour(data_.BackColor);
    const int width = content.right - content.left;
    const int height = content.bottom - content.top;

    if (const drawing::Picture* picture = backPicture()) {
        const SIZE size = picture->size();
        if (data_.BackPictureMode == 1 && size.cx > 0 && size.cy > 0) {
            for (int top = content.top; top < content.bottom; top += size.cy) {
                for (int left = content.left; left < content.right; left += size.cx) {
                    const RECT tile{left, top, left + size.cx, top + size.cy};
                    RECT meets{};
                    if (!IntersectRect(&meets, &tile, &clip)) continue;
                    if (picture->isIcon()) fillSolid(dc, tile, backColour);
                    picture->draw(dc, tile);
                }
            }
            return;
        }
        fillSolid(dc, content, backColour);
        RECT target{content.left, content.top, content.left + size.cx, content.top + size.cy};
        if (data_.BackPictureMode == 2 && size.cx > 0 && size.cy > 0) {
            int drawnWidth = size.cx;
            int drawnHeight = size.cy;
            if (size.cx > width || size.cy > height) {
                // Scale by the smaller ratio; compare the ratios without
                // rounding by cross-multiplying.
                if (static_cast<long long>(width) * size.cy <= static_cast<long long>(height) * size.cx) {
                    drawnWidth = width;
                    drawnHeight = static_cast<int>(static_cast<long long>(size.cy) * width / size.cx);
                } else {
                    drawnHeight = height;
                    drawnWidth = static_cast<int>(static_cast<long long>(size.cx) * height / size.cy);
                }
            }
            const int left = content.left + (width - drawnWidth) / 2;
            const int top = content.top + (height - drawnHeight) / 2;
            target = RECT{left, top, left + drawnWidth, top + drawnHeight};
        }
        picture->draw(dc, target);
        return;
    }

    if (drawing::isGradientMode(data_.GradientBackground)) {
        const auto colours = drawing::collectGradientColours(data_.GradientBackColor1, data_.GradientBackColor2,
                                                             data_.GradientBackColor3);
        if (colours.count >= 2) {
            drawing::fillGradient(dc, content, data_.GradientBackground, colours.view());
            return;
        }
    }
    fillSolid(dc, content, backColour);
}

void LabelObject::paintText(HDC dc, const RECT& content) {
    const int length = GetWindowTextLengthW(handle());
    if (length <= 0) return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(handle(), text.data(), length + 1)));
    if (text.empty()) return;

    UINT format = DT_NOPREFIX;
    switch (data_.Alignment) {
        case 1: format |= DT_CENTER; break;
        case 2: format |= DT_RIGHT; break;
        default: format |= DT_LEFT; break;
    }
    if (data_.WordWrap) {
        format |= DT_WORDBREAK | DT_VCENTER;
    } else {
        format |= DT_SINGLELINE;
        switch (data_.VerticalAlignment) {
            case 0: format |= DT_TOP; break;
            case 2: format |= DT_BOTTOM; break;
            default: format |= DT_VCENTER; break;
        }
    }

    win::SelectObjectGuard font(dc, drawing::fontOrDefault(font_));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    auto drawAt = [&](int dx, int dy, COLORREF colour) {
        RECT area = content;
        OffsetRect(&area, dx, dy);
        SetTextColor(dc, colour);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    };
    constexpr COLORREF kWhite = RGB(255, 255, 255);
    constexpr COLORREF kBlack = RGB(0, 0, 0);
    const COLORREF textColour = static_cast<COLORREF>(data_.TextColor & 0x00FFFFFF);
    switch (data_.TextEffect) {
        case 1:
            drawAt(1, 1, kWhite);
            drawAt(0, 0, textColour);
            break;
        case 2:
            drawAt(0, 0, kWhite);
            drawAt(1, 1, textColour);
            break;
        case 3:
            drawAt(2, 2, kBlack);
            drawAt(0, 0, textColour);
            break;
        default: drawAt(0, 0, textColour); break;
    }
    SetBkMode(dc, previousMode);
}

LRESULT LabelObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paintStruct{};
            HDC dc = BeginPaint(handle(), &paintStruct);
            if (dc != nullptr) paint(dc, paintStruct.rcPaint);
            EndPaint(handle(), &paintStruct);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(handle(), &client);
            paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case kLabelCustomMessage: {
            const auto result = fireEvent(label_event::kCustomMessage,
                                          {static_cast<EventWord>(wParam), static_cast<EventWord>(lParam)});
            return static_cast<LRESULT>(static_cast<std::int32_t>(result.value_or(0)));
        }
        default: return ComponentObject::handleMessage(message, wParam, lParam);
    }
}

}  // namespace veltrano
