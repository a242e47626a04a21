#include "tests/app_window/scripted_library.h"

#include "tests/support/program_folder.h"

namespace veltrano::appwin {
namespace {

template <typename Function>
Function exported(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

std::wstring ScriptedLibrary::expectedPath() {
    return test::folderOfThisProgram() + L"DLL\\PCOMM.DLL";
}

ScriptedLibrary::ScriptedLibrary() {
    module_ = LoadLibraryW(expectedPath().c_str());
    if (module_ == nullptr) return;
    reset_ = exported<ScriptedResetFn>(module_, "scripted_reset");
    refuseOpen_ = exported<ScriptedRefuseOpenFn>(module_, "scripted_refuse_open");
    queue_ = exported<ScriptedQueueFn>(module_, "scripted_queue");
    replyTo_ = exported<ScriptedReplyToFn>(module_, "scripted_reply_to");
    frameCount_ = exported<ScriptedCountFn>(module_, "scripted_frame_count");
    frame_ = exported<ScriptedFrameFn>(module_, "scripted_frame");
    callCount_ = exported<ScriptedCountFn>(module_, "scripted_call_count");
    call_ = exported<ScriptedCallFn>(module_, "scripted_call");
    unreadCount_ = exported<ScriptedCountFn>(module_, "scripted_unread_count");
    observeWrites_ = exported<ScriptedObserveWritesFn>(module_, "scripted_observe_writes");
    if (!reset_ || !refuseOpen_ || !queue_ || !replyTo_ || !frameCount_ || !frame_ || !callCount_ || !call_ ||
        !unreadCount_ || !observeWrites_) {
        // The real library was found instead: nothing here can be scripted.
        FreeLibrary(module_);
        module_ = nullptr;
        return;
    }
    reset_();
}

ScriptedLibrary::~ScriptedLibrary() {
    if (module_ != nullptr) {
        observeWrites_(nullptr, nullptr);
        FreeLibrary(module_);
    }
}

void ScriptedLibrary::queue(const Bytes& bytes) const {
    queue_(bytes.data(), static_cast<int>(bytes.size()));
}

void ScriptedLibrary::replyTo(const Bytes& frame, const Bytes& reply) const {
    replyTo_(frame.data(), static_cast<int>(frame.size()), reply.data(), static_cast<int>(reply.size()));
}

std::vector<Bytes> ScriptedLibrary::frames() const {
    std::vector<Bytes> all;
    const int count = frameCount_();
    for (int index = 0; index < count; ++index) {
        const int length = frame_(index, nullptr, 0);
        Bytes frame(static_cast<std::size_t>(length > 0 ? length : 0));
        frame_(index, frame.data(), static_cast<int>(frame.size()));
        all.push_back(std::move(frame));
    }
    return all;
}

std::vector<ScriptedCall> ScriptedLibrary::calls() const {
    std::vector<ScriptedCall> all;
    ScriptedCall call{};
    for (int index = 0; call_(index, &call) != 0; ++index) all.push_back(call);
    return all;
}

}  // namespace veltrano::appwin
