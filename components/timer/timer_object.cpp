#include "components/timer/timer_object.h"

#include "components/classdata/class_ids.h"

namespace veltrano {

TimerObject::TimerObject() noexcept : ComponentObject(class_id::kTimer) {}

void TimerObject::setInterval(std::int32_t milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    stop();
    start();
}

void TimerObject::start() {
    if (interval_ <= 0 || handle() == nullptr) return;
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

LRESULT TimerObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER: {
            const LRESULT result = ComponentObject::handleMessage(message, wParam, lParam);
            fireEvent(kTickEvent);
            return result;
        }
        case WM_DESTROY: stop(); break;
        default: break;
    }
    return ComponentObject::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano
