#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/app_window/scripted_pcomm_api.h"

namespace veltrano::appwin {

using Bytes = std::vector<std::uint8_t>;

// The scripted serial library the application binds from DLL\ beside the
// test program, reached through the same module for scripting and reading.
class ScriptedLibrary {
public:
    ScriptedLibrary();
    ~ScriptedLibrary();
    ScriptedLibrary(const ScriptedLibrary&) = delete;
    ScriptedLibrary& operator=(const ScriptedLibrary&) = delete;

    bool loaded() const noexcept { return module_ != nullptr; }
    HMODULE module() const noexcept { return module_; }
    static std::wstring expectedPath();

    void reset() const { reset_(); }
    void refuseOpen(int code) const { refuseOpen_(code); }
    void queue(const Bytes& bytes) const;
    void replyTo(const Bytes& frame, const Bytes& reply) const;
    std::vector<Bytes> frames() const;
    std::vector<ScriptedCall> calls() const;
    std::size_t callCount() const { return static_cast<std::size_t>(callCount_()); }
    int unreadCount() const { return unreadCount_(); }
    void observeWrites(ScriptedWriteObserver observer, void* context) const { observeWrites_(observer, context); }

private:
    HMODULE module_ = nullptr;
    ScriptedResetFn reset_ = nullptr;
    ScriptedRefuseOpenFn refuseOpen_ = nullptr;
    ScriptedQueueFn queue_ = nullptr;
    ScriptedReplyToFn replyTo_ = nullptr;
    ScriptedCountFn frameCount_ = nullptr;
    ScriptedFrameFn frame_ = nullptr;
    ScriptedCountFn callCount_ = nullptr;
    ScriptedCallFn call_ = nullptr;
    ScriptedCountFn unreadCount_ = nullptr;
    ScriptedObserveWritesFn observeWrites_ = nullptr;
};

}  // namespace veltrano::appwin
