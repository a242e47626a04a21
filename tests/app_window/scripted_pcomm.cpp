// A serial library with the real one's seven entry points that talks to no
// line: it records what the application writes and hands out the bytes the
// test has queued, so a test can script the module's side exactly.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "tests/app_window/scripted_pcomm_api.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct ReplyRule {
    Bytes frame;
    Bytes reply;
};

// The library's state lives as long as the module; the test resets it.
struct ScriptedLine {
    std::mutex mutex;
    int refuseOpenWith = 0;
    std::deque<unsigned char> received;
    std::vector<Bytes> frames;
    std::vector<ScriptedCall> journal;
    std::vector<ReplyRule> rules;
    ScriptedWriteObserver observer = nullptr;
    void* observerContext = nullptr;
};

ScriptedLine& line() {
    static ScriptedLine instance;
    return instance;
}

Bytes bytesOf(const unsigned char* bytes, int length) {
    if (bytes == nullptr || length <= 0) return {};
    return Bytes(bytes, bytes + length);
}

int note(ScriptedLine& state, int function, int port, int result, int first = 0, int second = 0, int third = 0) {
    state.journal.push_back(ScriptedCall{function, port, {first, second, third}, result});
    return result;
}

}  // namespace

extern "C" {

int WINAPI sio_open(int port) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    return note(state, kScriptedOpen, port, state.refuseOpenWith);
}

int WINAPI sio_ioctl(int port, int baud, int mode) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    return note(state, kScriptedIoctl, port, 0, baud, mode);
}

int WINAPI sio_SetReadTimeouts(int port, DWORD totalTimeouts, DWORD intervalTimeout) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    return note(state, kScriptedSetReadTimeouts, port, 0, static_cast<int>(totalTimeouts),
                static_cast<int>(intervalTimeout));
}

int WINAPI sio_iqueue(int port) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    return note(state, kScriptedIqueue, port, static_cast<int>(state.received.size()));
}

int WINAPI sio_read(int port, char* buf, int len) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    if (buf == nullptr || len < 0) return note(state, kScriptedRead, port, -5, len);
    const auto count = std::min(static_cast<std::size_t>(len), state.received.size());
    std::copy_n(state.received.begin(), count, buf);
    state.received.erase(state.received.begin(), state.received.begin() + static_cast<std::ptrdiff_t>(count));
    return note(state, kScriptedRead, port, static_cast<int>(count), len);
}

int WINAPI sio_write(int port, char* buf, int len) {
    ScriptedLine& state = line();
    ScriptedWriteObserver observer = nullptr;
    void* context = nullptr;
    int frameIndex = 0;
    {
        std::lock_guard lock(state.mutex);
        if (buf == nullptr || len < 0) return note(state, kScriptedWrite, port, -5, len);
        Bytes frame(reinterpret_cast<unsigned char*>(buf), reinterpret_cast<unsigned char*>(buf) + len);
        for (const ReplyRule& rule : state.rules) {
            if (rule.frame == frame) state.received.insert(state.received.end(), rule.reply.begin(), rule.reply.end());
        }
        frameIndex = static_cast<int>(state.frames.size());
        state.frames.push_back(std::move(frame));
        note(state, kScriptedWrite, port, len, len);
        observer = state.observer;
        context = state.observerContext;
    }
    // Outside the lock: the observer may ask the library about itself.
    if (observer != nullptr) observer(context, frameIndex);
    return len;
}

int WINAPI sio_close(int port) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    return note(state, kScriptedClose, port, 0);
}

void scripted_reset() {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    state.refuseOpenWith = 0;
    state.received.clear();
    state.frames.clear();
    state.journal.clear();
    state.rules.clear();
    state.observer = nullptr;
    state.observerContext = nullptr;
}

void scripted_refuse_open(int code) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    state.refuseOpenWith = code;
}

void scripted_queue(const unsigned char* bytes, int length) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    const Bytes added = bytesOf(bytes, length);
    state.received.insert(state.received.end(), added.begin(), added.end());
}

void scripted_reply_to(const unsigned char* frame, int frameLength, const unsigned char* reply, int replyLength) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    state.rules.push_back(ReplyRule{bytesOf(frame, frameLength), bytesOf(reply, replyLength)});
}

int scripted_frame_count() {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    return static_cast<int>(state.frames.size());
}

int scripted_frame(int index, unsigned char* buffer, int capacity) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    if (index < 0 || static_cast<std::size_t>(index) >= state.frames.size()) return -1;
    const Bytes& frame = state.frames[static_cast<std::size_t>(index)];
    if (buffer != nullptr && capacity > 0) {
        std::copy_n(frame.begin(), std::min(frame.size(), static_cast<std::size_t>(capacity)), buffer);
    }
    return static_cast<int>(frame.size());
}

int scripted_call_count() {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    return static_cast<int>(state.journal.size());
}

int scripted_call(int index, ScriptedCall* call) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    if (call == nullptr || index < 0 || static_cast<std::size_t>(index) >= state.journal.size()) return 0;
    *call = state.journal[static_cast<std::size_t>(index)];
    return 1;
}

int scripted_unread_count() {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    return static_cast<int>(state.received.size());
}

void scripted_observe_writes(ScriptedWriteObserver observer, void* context) {
    ScriptedLine& state = line();
    std::lock_guard lock(state.mutex);
    state.observer = observer;
    state.observerContext = context;
}

}  // extern "C"
