#include "runtime/kernel/runtime_application.h"

namespace veltrano {
namespace {

// Messages that come by themselves all the time (painting, the system's
// caret timer, a mouse resting in place) do not start a new idle period.
bool startsNewIdlePeriod(const MSG& message, POINT& lastMousePoint) {
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
        if (message.pt.x == lastMousePoint.x && message.pt.y == lastMousePoint.y) return false;
        lastMousePoint = message.pt;
        return true;
    }
    return message.message != WM_PAINT && message.message != 0x0118;
}

bool messageWaiting(MSG& message) {
    return PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

// Hands a message to its window unless a window's keyboard conventions took
// it first; true when it starts a new idle period.
bool dispatchMessage(WindowRegistry& registry, MSG& message, POINT& lastMousePoint) {
    if (!registry.preTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return startsNewIdlePeriod(message, lastMousePoint);
}

}  // namespace

bool RuntimeApplication::anyWindowAlive() const {
    for (std::size_t i = 0; i < registry_.count(); ++i) {
        if (registry_.liveHandle(i) != nullptr) return true;
    }
    return false;
}

bool RuntimeApplication::runIdle(int idleCount) {
    for (std::size_t i = idleHandlers_.size(); i-- > 0;) {
        if (i >= idleHandlers_.size()) continue;  // a routine removed entries
        const IdleHandler handler = idleHandlers_[i];
        if (IsWindow(handler.window)) {
            handler.routine(handler.argument);
        } else {
            idleHandlers_.erase(idleHandlers_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return registry_.offerIdle(idleCount);
}

int RuntimeApplication::runMessageLoop() {
    loopStarted_ = true;
    if (!anyWindowAlive()) return 0;

    MSG message{};
    POINT lastMousePoint{-1, -1};
    bool idle = true;
    int idleCount = 0;
    // Set when the last batch of messages ended on an empty queue, so the
    // first idle call need not look again: under Wine every look is a
    // request to the server, and a 10 ms timer makes a hundred batches a
    // second.
    bool knownEmpty = false;
    for (;;) {
        while (idle && (knownEmpty || !messageWaiting(message))) {
            knownEmpty = false;
            idle = runIdle(idleCount++);
        }
        do {
            const BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got == 0 || got == -1) return static_cast<int>(message.wParam);
            if (dispatchMessage(registry_, message, lastMousePoint)) {
                idle = true;
                idleCount = 0;
            }
        } while (messageWaiting(message));
        knownEmpty = true;
    }
}

void RuntimeApplication::runNestedLoop(const bool* modalMarker) {
    MSG message{};
    POINT lastMousePoint{-1, -1};
    bool idle = true;
    int idleCount = 0;
    while (*modalMarker) {
        while (idle && *modalMarker && !messageWaiting(message)) {
            idle = runIdle(idleCount++);
        }
        while (*modalMarker) {
            if (!messageWaiting(message)) {
                WaitMessage();
                continue;
            }
            if (message.message == WM_QUIT) return;  // the outer loop takes it
            if (!GetMessageW(&message, nullptr, 0, 0)) return;
            if (dispatchMessage(registry_, message, lastMousePoint)) {
                idle = true;
                idleCount = 0;
                break;
            }
        }
    }
}

bool RuntimeApplication::processPendingMessages() {
    MSG message{};
    while (messageWaiting(message)) {
        if (message.message == WM_QUIT) return true;
        if (!GetMessageW(&message, nullptr, 0, 0)) return true;
        if (!registry_.preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return false;
}

}  // namespace veltrano
