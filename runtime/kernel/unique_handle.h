#pragma once

#include <windows.h>

#include <utility>

namespace veltrano::win {

// One move-only owner for every Win32 handle kind. A Traits type names the
// handle type, its "no handle" value and how to release it.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }

    Handle release() noexcept { return std::exchange(handle_, Traits::invalid()); }

    void reset(Handle handle = Traits::invalid()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::invalid()) Traits::close(old);
    }

private:
    Handle handle_ = Traits::invalid();
};

struct WindowTraits {
    using Handle = HWND;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DestroyWindow(h); }
};

template <typename GdiHandle>
struct GdiObjectTraits {
    using Handle = GdiHandle;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DeleteObject(h); }
};

struct IconTraits {
    using Handle = HICON;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DestroyIcon(h); }
};

struct CursorTraits {
    using Handle = HCURSOR;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DestroyCursor(h); }
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { CloseHandle(h); }
};

// CreateFile and friends report failure as INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) noexcept { CloseHandle(h); }
};

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { FreeLibrary(h); }
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DestroyMenu(h); }
};

struct AcceleratorTraits {
    using Handle = HACCEL;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DestroyAcceleratorTable(h); }
};

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DeleteDC(h); }
};

struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { GlobalFree(h); }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueCursor = UniqueHandle<CursorTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueAccelerator = UniqueHandle<AcceleratorTraits>;
// Global memory is freed unless released, as when the clipboard takes it.
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// A memory device context compatible with another one (the screen's for
// null); empty when the system refuses one.
class MemoryDc : public UniqueHandle<MemoryDcTraits> {
public:
    explicit MemoryDc(HDC compatibleWith) noexcept : UniqueHandle(CreateCompatibleDC(compatibleWith)) {}
};

// A device context from GetDC, released to the window it came from.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a device context for one scope.
class SelectObjectGuard {
public:
    SelectObjectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectObjectGuard() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectObjectGuard(const SelectObjectGuard&) = delete;
    SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;

    // False when the system refused the object.
    bool selected() const noexcept { return previous_ && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Keeps a device context's state (clipping, selected objects, colours) for
// one scope.
class SavedDc {
public:
    explicit SavedDc(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDc() {
        if (saved_ != 0) RestoreDC(dc_, saved_);
    }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int saved_;
};

// Locks global memory for one scope; data() is null when the lock failed.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory) noexcept
        : memory_(memory), data_(memory != nullptr ? GlobalLock(memory) : nullptr) {}
    ~GlobalLockGuard() {
        if (data_ != nullptr) GlobalUnlock(memory_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* data() const noexcept { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

// Holds the clipboard open for one scope; only one window can at a time,
// so a guard that did not get it leaves it to the one that has it.
class OpenClipboardGuard {
public:
    explicit OpenClipboardGuard(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardGuard() {
        if (open_) CloseClipboard();
    }
    OpenClipboardGuard(const OpenClipboardGuard&) = delete;
    OpenClipboardGuard& operator=(const OpenClipboardGuard&) = delete;

    explicit operator bool() const noexcept { return open_; }

private:
    bool open_;
};

}  // namespace veltrano::win
