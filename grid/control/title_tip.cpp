#include "grid/control/title_tip.h"

#include <utility>

#include "grid/control/grid_font.h"

namespace veltrano::grid {
namespace {

void registerWindowClass(WNDPROC procedure) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, TitleTip::kWindowClassName, &existing)) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // Double clicks are told apart by the tip itself: it is hidden and
    // shown again between the two presses, which the system does not see
    // as one click pair.
    windowClass.style = CS_SAVEBITS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = TitleTip::kWindowClassName;
    RegisterClassExW(&windowClass);
}

POINT clientPoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LPARAM pointParameter(POINT point) {
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

// The message a move or press becomes where it lands outside a client area.
UINT nonClientMessage(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN: return WM_NCLBUTTONDOWN;
        case WM_LBUTTONDBLCLK: return WM_NCLBUTTONDBLCLK;
        case WM_RBUTTONDOWN: return WM_NCRBUTTONDOWN;
        case WM_MBUTTONDOWN: return WM_NCMBUTTONDOWN;
        default: return WM_NCMOUSEMOVE;
    }
}

// Hands a mouse message to this thread's window under a screen point, as
// it would have arrived without the tip in the way. Other programs' windows
// get the next real input on their own once the capture is gone.
void passToWindowAt(POINT screen, UINT message, WPARAM keys) {
    HWND target = WindowFromPoint(screen);
    if (target == nullptr || GetWindowThreadProcessId(target, nullptr) != GetCurrentThreadId()) return;
    const LRESULT hit = SendMessageW(target, WM_NCHITTEST, 0, pointParameter(screen));
    if (hit == HTCLIENT) {
        POINT client = screen;
        ScreenToClient(target, &client);
        PostMessageW(target, message, keys, pointParameter(client));
        return;
    }
    PostMessageW(target, nonClientMessage(message), static_cast<WPARAM>(hit), pointParameter(screen));
}

}  // namespace

TitleTip::~TitleTip() {
    // The window must not reach this object once it is gone.
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

bool TitleTip::makeWindow() {
    if (window_) return true;
    registerWindowClass(&TitleTip::procedure);
    HWND owner = GetAncestor(grid_, GA_ROOT);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kWindowClassName, L"", WS_POPUP, 0, 0, 0, 0, owner,
                                  nullptr, GetModuleHandleW(nullptr), this);
    if (window == nullptr) return false;
    window_.reset(window);
    return true;
}

bool TitleTip::show(const RECT& cell, const std::wstring& text, const Look& look) {
    if (text.empty() || !makeWindow()) return false;
    win::UniqueFont font = createFont(look.font);
    const HFONT shownFont = font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SIZE textSize{};
    SIZE space{};
    {
        win::WindowDc dc(window_.get());
        if (dc.get() == nullptr) return false;
        win::SelectObjectGuard select(dc.get(), shownFont);
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &textSize);
        GetTextExtentPoint32W(dc.get(), L" ", 1, &space);
    }
    const int wanted = static_cast<int>(textSize.cx + 2 * space.cx);
    const int width = static_cast<int>(cell.right - cell.left);
    if (wanted <= width || cell.bottom <= cell.top) {
        hide();
        return false;
    }
    font_ = std::move(font);
    text_ = text;
    textColour_ = look.text;
    background_ = look.background;
    indent_ = static_cast<int>(space.cx);
    SetWindowTextW(window_.get(), text_.c_str());
    SetWindowPos(window_.get(), HWND_TOPMOST, cell.left, cell.top, wanted, cell.bottom - cell.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_.get(), nullptr, TRUE);
    SetCapture(window_.get());
    return true;
}

void TitleTip::hide() {
    if (!window_) return;
    if (GetCapture() == window_.get()) ReleaseCapture();
    if (IsWindowVisible(window_.get())) ShowWindow(window_.get(), SW_HIDE);
}

bool TitleTip::visible() const {
    return window_ && IsWindowVisible(window_.get());
}

void TitleTip::paint() {
    PAINTSTRUCT paintStruct{};
    HDC dc = BeginPaint(window_.get(), &paintStruct);
    if (dc == nullptr) return;
    draw(dc);
    EndPaint(window_.get(), &paintStruct);
}

void TitleTip::draw(HDC dc) const {
    RECT client{};
    GetClientRect(window_.get(), &client);
    win::UniqueBrush brush(CreateSolidBrush(background_));
    FillRect(dc, &client, brush.get());
    win::SelectObjectGuard select(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour_);
    RECT area = client;
    area.left += indent_;
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

void TitleTip::onMouseMove(WPARAM keys, POINT screen) {
    RECT shown{};
    GetWindowRect(window_.get(), &shown);
    if (PtInRect(&shown, screen)) return;
    hide();
    passToWindowAt(screen, WM_MOUSEMOVE, keys);
}

void TitleTip::onButtonDown(UINT message, WPARAM keys, POINT screen) {
    if (message == WM_LBUTTONDOWN) {
        const DWORD now = GetTickCount();
        // Unsigned difference: right across the tick counter's wrap.
        if (leftPressed_ && now - lastLeftPress_ < GetDoubleClickTime()) {
            message = WM_LBUTTONDBLCLK;
            leftPressed_ = false;
        } else {
            lastLeftPress_ = now;
            leftPressed_ = true;
        }
    }
    hide();
    passToWindowAt(screen, message, keys);
}

LRESULT TitleTip::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.get();
    const auto screenPoint = [window, lParam]() {
        POINT point = clientPoint(lParam);
        ClientToScreen(window, &point);
        return point;
    };
    switch (message) {
        case WM_PAINT: paint(); return 0;
        case WM_PRINTCLIENT: draw(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_NCHITTEST: return HTCLIENT;
        case WM_MOUSEMOVE: onMouseMove(wParam, screenPoint()); return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: onButtonDown(message, wParam, screenPoint()); return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_MOUSEWHEEL:
            hide();
            if (IsWindow(grid_)) SendMessageW(grid_, message, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window) hide();
            return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK TitleTip::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* tip = reinterpret_cast<TitleTip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (tip == nullptr || tip->window_.get() != window) {
        if (message == WM_NCDESTROY && tip != nullptr) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // Gone with its owner before the grid let it go.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        tip->window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return tip->handleMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace veltrano::grid
