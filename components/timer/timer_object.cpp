#include "components/timer/timer_object.h"

#include <algorithm>

#include "runtime/kernel/unique_handle.h"
#include "runtime/values/class_ids.h"

namespace veltrano {

TimerObject::TimerObject(bool designMode) noexcept : ComponentObject(class_id::kTimer), designMode_(designMode) {}

void TimerObject::setInterval(std::int32_t milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    if (designMode_) return;
    stop();
    start();
}

void TimerObject::start() {
    if (designMode_ || interval_ <= 0 || handle() == nullptr) return;
    // A refused timer still counts as running: no tick arrives, and the next
    // change of interval tries again.
    SetTimer(handle(), kSystemTimerId, static_cast<UINT>(interval_), nullptr);
    running_ = true;
}

void TimerObject::stop() noexcept {
    if (!running_) return;
    if (handle() != nullptr) KillTimer(handle(), kSystemTimerId);
    running_ = false;
}

// A clock face: a dial with its hands at ten past ten, on the face colour.
void TimerObject::paintDesignImage() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const int side = std::min(client.right, client.bottom) - 4;
    if (side > 4) {
        const int left = (client.right - side) / 2;
        const int top = (client.bottom - side) / 2;
        const int centreX = left + side / 2;
        const int centreY = top + side / 2;
        win::SelectObjectGuard brush(dc, GetStockObject(WHITE_BRUSH));
        win::SelectObjectGuard pen(dc, GetStockObject(BLACK_PEN));
        Ellipse(dc, left, top, left + side, top + side);
        MoveToEx(dc, centreX, centreY, nullptr);
        LineTo(dc, centreX - side / 4, centreY - side / 6);
        MoveToEx(dc, centreX, centreY, nullptr);
        LineTo(dc, centreX + side / 3, centreY - side / 5);
    }
    EndPaint(handle(), &paint);
}

LRESULT TimerObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER: {
            const LRESULT result = ComponentObject::handleMessage(message, wParam, lParam);
            fireEvent(kTickEvent);
            return result;
        }
        case WM_DESTROY: stop(); break;
        case WM_PAINT:
            if (!designMode_) break;
            paintDesignImage();
            return 0;
        default: break;
    }
    return ComponentObject::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano
