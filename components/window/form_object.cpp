#include "components/window/form_object.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <iterator>
#include <utility>

#include "components/window/tray_tip.h"
#include "components/window/window_icons.h"
#include "components/window/window_picture.h"
#include "components/window/window_shape.h"
#include "components/window/window_style.h"
#include "runtime/kernel/runtime_class.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano {
namespace {

bool refused(const std::optional<std::uint32_t>& result) noexcept {
    return result.has_value() && *result == 0;
}

COLORREF drawnColour(std::uint32_t colour) noexcept {
    if (colour == classdata::kSystemDefaultColor) return GetSysColor(COLOR_BTNFACE);
    return static_cast<COLORREF>(colour & 0x00FFFFFF);
}

RECT intersection(const RECT& a, const RECT& b) noexcept {
    RECT out{};
    IntersectRect(&out, &a, &b);
    return out;
}

// A form with the class data's defaults, which the window class then fills.
const RuntimeClass kWinFormUnitRuntimeClass{CWinFormUnit::kRuntimeClassName, []() -> std::unique_ptr<WindowObject> {
                                                return std::make_unique<CWinFormUnit>(classdata::WindowData{}, false);
                                            }};

}  // namespace

CWinFormUnit::CWinFormUnit(classdata::WindowData data, bool designMode)
    : ComponentObject(0x00010001), data_(std::move(data)), designMode_(designMode) {}

CWinFormUnit::~CWinFormUnit() {
    if (trayIconShown_) setTrayIcon(nullptr, nullptr);
}

int CWinFormUnit::startShowCommand() const {
    switch (data_.StartPosition) {
        case 2: return SW_SHOWMINIMIZED;
        case 3: return SW_SHOWMAXIMIZED;
        default: return SW_SHOWNORMAL;
    }
}

void CWinFormUnit::rememberDisabledWindow(HWND window, bool wasEnabled) {
    disabledWindows_.emplace_back(window, wasEnabled);
}

void CWinFormUnit::enableDisabledWindows() {
    for (const auto& [window, wasEnabled] : std::exchange(disabledWindows_, {})) {
        if (IsWindow(window)) EnableWindow(window, wasEnabled ? TRUE : FALSE);
    }
}

void CWinFormUnit::applyCaptionAndBoxes() {
    HWND self = handle();
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(self, GWL_STYLE));
    const DWORD wanted = window_style::reapplied(style, data_, designMode_);
    if (wanted != style) {
        SetWindowLongPtrW(self, GWL_STYLE, static_cast<LONG_PTR>(wanted));
        SetWindowPos(self, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void CWinFormUnit::applyFrame() {
    HWND self = handle();
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(self, GWL_EXSTYLE));
    SetWindowLongPtrW(self, GWL_EXSTYLE,
                      static_cast<LONG_PTR>(window_style::reappliedExtended(extended, data_.BorderStyle)));
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(self, GWL_STYLE));
    SetWindowLongPtrW(self, GWL_STYLE, static_cast<LONG_PTR>(window_style::reapplied(style, data_, designMode_)));
    SetWindowPos(self, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CWinFormUnit::applyIcons() {
    HWND self = handle();
    win::UniqueIcon big;
    win::UniqueIcon small;
    HICON bigShown = nullptr;
    HICON smallShown = nullptr;
    if (!data_.Icon.empty()) {
        big = iconFromBytes(data_.Icon, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
        small = iconFromBytes(data_.Icon, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
        bigShown = big.get();
        smallShown = small.get();
    }
    if (bigShown == nullptr && smallShown == nullptr) {
        // The program's own icons belong to the runtime; this window only
        // shows them.
        services::defaultIcons(bigShown, smallShown);
    }
    SendMessageW(self, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigShown));
    SendMessageW(self, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallShown));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void CWinFormUnit::applyShape() {
    HWND self = handle();
    RECT outer{};
    GetWindowRect(self, &outer);
    win::UniqueRegion shaped = windowShapeRegion(data_.Shape, outer.right - outer.left, outer.bottom - outer.top);
    if (!shaped && !region_) return;
    HRGN handedOver = nullptr;
    if (shaped) {
        handedOver = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(handedOver, shaped.get(), nullptr, RGN_COPY);
    }
    // The system owns the region it is given; the window keeps its own copy.
    if (SetWindowRgn(self, handedOver, TRUE) == 0 && handedOver != nullptr) DeleteObject(handedOver);
    region_ = std::move(shaped);
}

void CWinFormUnit::applyTopmost() {
    HWND self = handle();
    constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(self, data_.AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
    if (data_.AlwaysOnTop) return;
    // Windows kept off the taskbar and on top must not sink with this one.
    const std::uint32_t count = services::windowCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        HWND other = services::windowHandleAt(i);
        if (other == nullptr || other == self) continue;
        auto* form = dynamic_cast<CWinFormUnit*>(WindowObject::fromHandle(other));
        if (form != nullptr && form->data_.AlwaysOnTop && !form->data_.ShowInTaskbar) {
            SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, kFlags);
        }
    }
}

void CWinFormUnit::applyMovable() {
    HWND self = handle();
    if (data_.Movable) {
        GetSystemMenu(self, TRUE);
    } else if (HMENU menu = GetSystemMenu(self, FALSE)) {
        DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    }
}

void CWinFormUnit::applyStartPosition() {
    HWND self = handle();
    if (!IsWindowVisible(self)) return;
    switch (data_.StartPosition) {
        case 0: ShowWindow(self, SW_SHOWNORMAL); break;
        case 1: {
            if (IsIconic(self) || IsZoomed(self)) ShowWindow(self, SW_RESTORE);
            RECT outer{};
            GetWindowRect(self, &outer);
            const POINT corner = window_style::centred(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                                       outer.right - outer.left, outer.bottom - outer.top);
            SetWindowPos(self, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case 2: ShowWindow(self, SW_MINIMIZE); break;
        case 3: ShowWindow(self, SW_MAXIMIZE); break;
        default: break;
    }
}

void CWinFormUnit::dropPicture() noexcept {
    picture_.reset();
    pictureSize_ = SIZE{};
    pictureDecoded_ = false;
}

void CWinFormUnit::paintBackground(HDC dc, const RECT& clip) {
    RECT client{};
    GetClientRect(handle(), &client);
    if (!data_.BackPicture.empty() && !pictureDecoded_) {
        pictureDecoded_ = true;
        picture_ = decodePicture(data_.BackPicture, pictureSize_);
    }
    const win::SavedDc saved(dc);
    if (picture_) {
        const RECT covered = drawPicture(dc, picture_.get(), pictureSize_, data_.BackPictureMode, client, clip);
        ExcludeClipRect(dc, covered.left, covered.top, covered.right, covered.bottom);
    }
    win::UniqueBrush brush(CreateSolidBrush(drawnColour(data_.BackColor)));
    const RECT area = intersection(clip, client);
    FillRect(dc, &area, brush.get());
}

void CWinFormUnit::onPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    if (dc != nullptr) paintBackground(dc, paint.rcPaint);
    EndPaint(handle(), &paint);
}

void CWinFormUnit::startSound() {
    sound_.start(data_.BackSound, data_.SoundPlayMode, designMode_, handle());
}

bool CWinFormUnit::setTrayIcon(HICON icon, const char* tip) {
    NOTIFYICONDATAW notify{};
    notify.cbSize = sizeof notify;
    notify.hWnd = handle();
    notify.uID = kTrayIconId;
    if (icon == nullptr) {
        const bool removed = trayIconShown_ && Shell_NotifyIconW(NIM_DELETE, &notify) != FALSE;
        trayIconShown_ = false;
        return removed;
    }
    notify.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    notify.uCallbackMessage = window_message::kTrayNotification;
    notify.hIcon = icon;
    const std::wstring wideTip =
        wideFromCodePage936(trayTip(tip != nullptr ? std::string_view(tip) : std::string_view()));
    wideTip.copy(notify.szTip, std::size(notify.szTip) - 1);
    const bool shown = Shell_NotifyIconW(trayIconShown_ ? NIM_MODIFY : NIM_ADD, &notify) != FALSE;
    trayIconShown_ = trayIconShown_ || shown;
    return shown;
}

bool CWinFormUnit::onIdle(long elapsedMilliseconds) {
    const auto result = fireEvent(window_event::kIdle, {static_cast<std::uint32_t>(elapsedMilliseconds)});
    return result.has_value() && *result != 0;
}

LRESULT CWinFormUnit::onClose() {
    HWND self = handle();
    // A handler may close or destroy the window itself; after each event the
    // object may be gone, so only the handle is consulted.
    auto result = fireEvent(window_event::kQueryClose);
    if (!IsWindow(self)) return 0;
    if (refused(result) && !designMode_) return 0;
    result = fireEvent(window_event::kQueryDestroy);
    if (!IsWindow(self)) return 0;
    if (refused(result) && !designMode_) return 0;
    enableDisabledWindows();
    DestroyWindow(self);
    return 0;
}

bool CWinFormUnit::passActivationToModalWindow() {
    HWND self = handle();
    const std::uint32_t count = services::windowCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        HWND other = services::windowHandleAt(i);
        if (other == nullptr || other == self || GetWindow(other, GW_OWNER) != nullptr) continue;
        if (!IsWindowVisible(other) || !IsWindowEnabled(other)) continue;
        auto* form = dynamic_cast<CWinFormUnit*>(WindowObject::fromHandle(other));
        if (form != nullptr && form->modal_) {
            SetActiveWindow(other);
            return true;
        }
    }
    return false;
}

LRESULT CWinFormUnit::onActivate(WPARAM wParam, LPARAM lParam) {
    HWND self = handle();
    const LRESULT result = defaultProcedure(WM_ACTIVATE, wParam, lParam);
    if (activating_) return result;
    const bool active = LOWORD(wParam) != WA_INACTIVE;
    activating_ = true;
    if (active) {
        if (GetWindow(self, GW_OWNER) == nullptr && activatedBefore_ && !IsWindowEnabled(self) &&
            passActivationToModalWindow()) {
            activating_ = false;
            return result;
        }
        InvalidateRect(self, nullptr, FALSE);
        if (!activatedBefore_) {
            activatedBefore_ = true;
            fireEvent(window_event::kFirstActivated);
            if (!IsWindow(self)) return result;
        }
        fireEvent(window_event::kActivated);
    } else {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(self, focus)) focusChild_ = focus;
        fireEvent(window_event::kDeactivated);
    }
    if (IsWindow(self)) activating_ = false;
    return result;
}

void CWinFormUnit::onDestroy() {
    HWND self = handle();
    for (ComponentObject* component : components()) {
        if ((component->classFlags() & class_flag_extra::kNotifyWindowDestroy) != 0) component->onWindowDestroying();
    }
    fireEvent(window_event::kDestroyed);
    sound_.stop();
    // A modal window destroyed without being closed must not leave the
    // program's other windows disabled.
    enableDisabledWindows();
    if (!IsWindow(self)) return;
    if (helpOpen_) {
        WinHelpW(self, nullptr, HELP_QUIT, 0);
        helpOpen_ = false;
    }
    if ((GetWindowLongPtrW(self, GWL_STYLE) & WS_CHILD) == 0) {
        if (HMENU menu = GetMenu(self)) {
            SetMenu(self, nullptr);
            DestroyMenu(menu);
        }
    }
    if (trayIconShown_) setTrayIcon(nullptr, nullptr);
}

LRESULT CWinFormUnit::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND self = handle();
    switch (message) {
        case WM_CLOSE: return onClose();
        case WM_QUERYENDSESSION: {
            const auto result = fireEvent(window_event::kQueryDestroy);
            return refused(result) ? FALSE : TRUE;
        }
        case WM_DESTROY: onDestroy(); return ComponentObject::handleMessage(message, wParam, lParam);
        case WM_MOVE: {
            const LRESULT result = ComponentObject::handleMessage(message, wParam, lParam);
            fireEvent(window_event::kMoved);
            return result;
        }
        case WM_SIZE: {
            const LRESULT result = ComponentObject::handleMessage(message, wParam, lParam);
            applyShape();
            fireEvent(window_event::kResized);
            return result;
        }
        case WM_ACTIVATE: return onActivate(wParam, lParam);
        case WM_NCACTIVATE:
            if (data_.KeepTitleActive && wParam == FALSE) {
                defaultProcedure(message, TRUE, lParam);
                return TRUE;
            }
            break;
        case WM_SHOWWINDOW: {
            const LRESULT result = ComponentObject::handleMessage(message, wParam, lParam);
            fireEvent(wParam != FALSE ? window_event::kShown : window_event::kHidden);
            return result;
        }
        case WM_SETFOCUS: {
            fireEvent(common_event::kFocusGained);
            if (!IsWindow(self)) return 0;
            if (focusChild_ != nullptr && IsWindow(focusChild_) && IsChild(self, focusChild_)) SetFocus(focusChild_);
            return 0;
        }
        case WM_KILLFOCUS: fireEvent(common_event::kFocusLost); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: onPaint(); return 0;
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(self, &client);
            paintBackground(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case window_message::kPaintBackground: {
            const auto* rect = reinterpret_cast<const RECT*>(lParam);
            if (wParam == 0 || rect == nullptr) return 0;
            paintBackground(reinterpret_cast<HDC>(wParam), *rect);
            return window_message::kPainted;
        }
        case MM_MCINOTIFY:
            if (sound_.onSequencerNotice(wParam, lParam)) return 0;
            break;
        case window_message::kTrayNotification: {
            std::uint32_t code = 0;
            switch (static_cast<UINT>(lParam)) {
                case WM_LBUTTONUP: code = 1; break;
                case WM_LBUTTONDBLCLK: code = 2; break;
                case WM_RBUTTONUP:
                case WM_CONTEXTMENU: code = 3; break;
                default: break;
            }
            if (code != 0) fireEvent(window_event::kTrayEvent, {code});
            return 0;
        }
        default: break;
    }
    return ComponentObject::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano
