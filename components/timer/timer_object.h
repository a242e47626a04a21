#pragma once

#include <windows.h>

#include <cstdint>

#include "components/support/component_object.h"

namespace veltrano {

// A hidden window that owns one system timer and fires the component's
// event 0 (Tick) on every WM_TIMER it receives. An interval of 0 stops it.
class TimerObject final : public ComponentObject {
public:
    static constexpr UINT_PTR kSystemTimerId = 1000;
    static constexpr std::int32_t kTickEvent = 0;

    // In design mode the timer only keeps its interval and shows its
    // design-time image; no system timer is ever set.
    explicit TimerObject(bool designMode = false) noexcept;

    std::int32_t interval() const noexcept { return interval_; }
    bool running() const noexcept { return running_; }

    // A negative interval counts as 0. Writing the stored value changes
    // nothing, so the period is not restarted; any other value restarts the
    // period from now, or stops the timer for 0.
    void setInterval(std::int32_t milliseconds);
    // Starts the system timer with the stored interval once the window exists.
    void start();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void stop() noexcept;
    void paintDesignImage();

    std::int32_t interval_ = 0;
    bool running_ = false;
    bool designMode_ = false;
};

}  // namespace veltrano
