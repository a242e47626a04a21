#pragma once

#include <windows.h>

#include <utility>

namespace veltrano::pcomm {

// Owns one kernel handle (INVALID_HANDLE_VALUE when empty) and closes it.
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    HANDLE get() const noexcept { return handle_; }
    bool valid() const noexcept { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

    HANDLE release() noexcept { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

    void reset(HANDLE handle = INVALID_HANDLE_VALUE) noexcept {
        const HANDLE old = std::exchange(handle_, handle);
        if (old != INVALID_HANDLE_VALUE && old != nullptr) {
            CloseHandle(old);
        }
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace veltrano::pcomm
