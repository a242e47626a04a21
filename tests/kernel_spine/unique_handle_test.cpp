#include "runtime/kernel/unique_handle.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <type_traits>
#include <utility>

namespace veltrano::win {
namespace {

static_assert(!std::is_copy_constructible_v<UniqueBrush>);
static_assert(!std::is_copy_assignable_v<UniqueBrush>);
static_assert(std::is_nothrow_move_constructible_v<UniqueBrush>);
static_assert(!std::is_copy_constructible_v<MemoryDc>);
static_assert(!std::is_copy_assignable_v<MemoryDc>);
static_assert(std::is_nothrow_move_constructible_v<MemoryDc>);
static_assert(!std::is_copy_constructible_v<SavedDc>);
static_assert(!std::is_copy_constructible_v<GlobalLockGuard>);
static_assert(!std::is_copy_constructible_v<OpenClipboardGuard>);

// GDI objects the process holds: the observable effect of owning one.
DWORD gdiObjectCount() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

bool isLiveBrush(HBRUSH brush) {
    return GetObjectType(brush) == OBJ_BRUSH;
}

bool isLiveMemoryDc(HDC dc) {
    return GetObjectType(dc) == OBJ_MEMDC;
}

RECT clipBox(HDC dc) {
    RECT box{};
    GetClipBox(dc, &box);
    return box;
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

DWORD lockCount(HGLOBAL memory) {
    return GlobalFlags(memory) & GMEM_LOCKCOUNT;
}

bool isLiveGlobal(HGLOBAL memory) {
    return GlobalFlags(memory) != GMEM_INVALID_HANDLE;
}

// The clipboard is shared with every other program, tests running beside
// this one among them: opening it may have to wait its turn.
bool openClipboardWithin(HWND owner, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!OpenClipboard(owner)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

TEST(UniqueHandle, ReleasesWhatItOwnsExactlyOnce) {
    HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
    {
        UniqueBrush brush(raw);
        ASSERT_TRUE(isLiveBrush(raw));
        UniqueBrush moved(std::move(brush));
        EXPECT_FALSE(brush);
        EXPECT_EQ(moved.get(), raw);
    }
    EXPECT_FALSE(isLiveBrush(raw));
}

TEST(UniqueHandle, MoveAssignmentReleasesTheOldHandle) {
    HBRUSH first = CreateSolidBrush(RGB(1, 1, 1));
    HBRUSH second = CreateSolidBrush(RGB(2, 2, 2));
    UniqueBrush a(first);
    UniqueBrush b(second);
    a = std::move(b);
    EXPECT_FALSE(isLiveBrush(first));
    EXPECT_TRUE(isLiveBrush(second));
    EXPECT_EQ(a.get(), second);
    a = std::move(a);  // self-move keeps the handle
    EXPECT_TRUE(isLiveBrush(second));
}

TEST(UniqueHandle, ReleaseHandsOwnershipBack) {
    HBRUSH raw = CreateSolidBrush(RGB(4, 5, 6));
    {
        UniqueBrush brush(raw);
        EXPECT_EQ(brush.release(), raw);
    }
    EXPECT_TRUE(isLiveBrush(raw));
    DeleteObject(raw);
}

TEST(UniqueHandle, FileHandlesUseInvalidHandleValueAsEmpty) {
    UniqueFile none;
    EXPECT_FALSE(none);
    EXPECT_EQ(none.get(), INVALID_HANDLE_VALUE);
    UniqueFile missing(CreateFileW(L"Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing);
}

TEST(UniqueHandle, ManyOwnersLeaveNoGdiObjectsBehind) {
    const DWORD before = gdiObjectCount();
    for (int i = 0; i < 50; ++i) {
        UniqueFont font(CreateFontW(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
        UniqueFont other(std::move(font));
    }
    EXPECT_EQ(gdiObjectCount(), before);
}

TEST(SelectObjectGuard, ReportsWhetherTheObjectWasSelected) {
    MemoryDc dc(nullptr);
    UniqueBrush brush(CreateSolidBrush(RGB(9, 9, 9)));
    SelectObjectGuard selected(dc.get(), brush.get());
    EXPECT_TRUE(selected.selected());
    SelectObjectGuard refused(dc.get(), nullptr);
    EXPECT_FALSE(refused.selected());
}

TEST(SelectObjectGuard, PutsThePreviousObjectBack) {
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ original = GetCurrentObject(dc, OBJ_BRUSH);
    UniqueBrush brush(CreateSolidBrush(RGB(9, 9, 9)));
    {
        SelectObjectGuard guard(dc, brush.get());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush.get());
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), original);
    DeleteDC(dc);
}

TEST(MemoryDc, DeletesItsDeviceContextOnceWhenMoved) {
    HDC raw = nullptr;
    {
        MemoryDc dc(nullptr);
        ASSERT_TRUE(dc);
        raw = dc.get();
        EXPECT_TRUE(isLiveMemoryDc(raw));
        MemoryDc moved(std::move(dc));
        EXPECT_FALSE(dc);
        EXPECT_EQ(moved.get(), raw);
        EXPECT_TRUE(isLiveMemoryDc(raw));
    }
    EXPECT_FALSE(isLiveMemoryDc(raw));
}

TEST(MemoryDc, ManyLeaveNoGdiObjectsBehind) {
    const DWORD before = gdiObjectCount();
    for (int i = 0; i < 50; ++i) {
        MemoryDc dc(nullptr);
        MemoryDc other(std::move(dc));
    }
    EXPECT_EQ(gdiObjectCount(), before);
}

TEST(SavedDc, PutsClippingAndSelectedObjectsBackAtTheEndOfItsScope) {
    WindowDc screen(nullptr);
    MemoryDc dc(screen.get());
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 100, 100));
    SelectObjectGuard selectBitmap(dc.get(), bitmap.get());
    ASSERT_TRUE(selectBitmap.selected());
    const RECT whole = clipBox(dc.get());
    const HGDIOBJ originalBrush = GetCurrentObject(dc.get(), OBJ_BRUSH);
    UniqueBrush brush(CreateSolidBrush(RGB(7, 7, 7)));
    {
        SavedDc saved(dc.get());
        IntersectClipRect(dc.get(), 10, 10, 20, 20);
        SelectObject(dc.get(), brush.get());
        EXPECT_TRUE(sameRect(clipBox(dc.get()), RECT{10, 10, 20, 20}));
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
    }
    EXPECT_TRUE(sameRect(clipBox(dc.get()), whole));
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), originalBrush);
}

TEST(SavedDc, NestedScopesEachPutBackTheirOwnState) {
    WindowDc screen(nullptr);
    MemoryDc dc(screen.get());
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 100, 100));
    SelectObjectGuard selectBitmap(dc.get(), bitmap.get());
    {
        SavedDc outer(dc.get());
        IntersectClipRect(dc.get(), 0, 0, 50, 50);
        {
            SavedDc inner(dc.get());
            IntersectClipRect(dc.get(), 40, 40, 50, 50);
            EXPECT_TRUE(sameRect(clipBox(dc.get()), RECT{40, 40, 50, 50}));
        }
        EXPECT_TRUE(sameRect(clipBox(dc.get()), RECT{0, 0, 50, 50}));
    }
    EXPECT_TRUE(sameRect(clipBox(dc.get()), RECT{0, 0, 100, 100}));
}

TEST(UniqueGlobalMemory, FreesWhatItOwns) {
    HGLOBAL raw = nullptr;
    {
        UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, 32));
        ASSERT_TRUE(memory);
        raw = memory.get();
        EXPECT_TRUE(isLiveGlobal(raw));
    }
    EXPECT_FALSE(isLiveGlobal(raw));
}

TEST(UniqueGlobalMemory, ReleasedMemoryStaysForItsNewOwner) {
    HGLOBAL kept = nullptr;
    {
        UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, 32));
        ASSERT_TRUE(memory);
        kept = memory.release();
        EXPECT_FALSE(memory);
    }
    EXPECT_TRUE(isLiveGlobal(kept));
    EXPECT_EQ(GlobalSize(kept), 32u);
    GlobalFree(kept);
}

TEST(UniqueGlobalMemory, MoveAssignmentFreesTheOldMemory) {
    UniqueGlobalMemory first(GlobalAlloc(GMEM_MOVEABLE, 16));
    UniqueGlobalMemory second(GlobalAlloc(GMEM_MOVEABLE, 48));
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    const HGLOBAL replaced = first.get();
    const HGLOBAL kept = second.get();
    first = std::move(second);
    EXPECT_FALSE(isLiveGlobal(replaced));
    EXPECT_EQ(first.get(), kept);
    EXPECT_TRUE(isLiveGlobal(kept));
}

TEST(GlobalLockGuard, UnlocksWhatItLockedAndNothingElse) {
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, 16));
    ASSERT_TRUE(memory);
    {
        GlobalLockGuard lock(memory.get());
        ASSERT_NE(lock.data(), nullptr);
        EXPECT_EQ(lockCount(memory.get()), 1u);
        {
            GlobalLockGuard again(memory.get());
            EXPECT_EQ(again.data(), lock.data());
            EXPECT_EQ(lockCount(memory.get()), 2u);
        }
        EXPECT_EQ(lockCount(memory.get()), 1u);
    }
    EXPECT_EQ(lockCount(memory.get()), 0u);
}

TEST(GlobalLockGuard, NoMemoryLocksNothing) {
    GlobalLockGuard lock(nullptr);
    EXPECT_EQ(lock.data(), nullptr);
}

TEST(OpenClipboardGuard, ClosesTheClipboardItOpened) {
    UniqueWindow window(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    bool opened = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!opened && std::chrono::steady_clock::now() < deadline) {
        OpenClipboardGuard clipboard(window.get());
        opened = static_cast<bool>(clipboard);
        if (opened) {
            EXPECT_EQ(GetOpenClipboardWindow(), window.get());
        }
    }
    ASSERT_TRUE(opened);
    EXPECT_NE(GetOpenClipboardWindow(), window.get());
}

TEST(OpenClipboardGuard, AGuardThatDidNotGetTheClipboardLeavesItToItsHolder) {
    UniqueKernelHandle held(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueKernelHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(held);
    ASSERT_TRUE(done);
    UniqueWindow window(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    bool holderOpened = false;
    // The holder opens the clipboard for a window of its own: a second
    // window is refused while it has it.
    std::thread holder([&]() {
        UniqueWindow own(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
        holderOpened = own && openClipboardWithin(own.get(), std::chrono::seconds(5));
        SetEvent(held.get());
        WaitForSingleObject(done.get(), 10000);
        if (holderOpened) CloseClipboard();
    });
    WaitForSingleObject(held.get(), 10000);
    if (holderOpened) {
        {
            OpenClipboardGuard refused(window.get());
            EXPECT_FALSE(refused);
        }
        const bool reopened = OpenClipboard(window.get()) != FALSE;
        if (reopened) CloseClipboard();
        EXPECT_FALSE(reopened) << "the refused guard closed the holder's clipboard";
    }
    SetEvent(done.get());
    holder.join();
    ASSERT_TRUE(holderOpened);
}

}  // namespace
}  // namespace veltrano::win
