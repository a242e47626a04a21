#include "runtime/kernel/unique_handle.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

namespace veltrano::win {
namespace {

static_assert(!std::is_copy_constructible_v<UniqueBrush>);
static_assert(!std::is_copy_assignable_v<UniqueBrush>);
static_assert(std::is_nothrow_move_constructible_v<UniqueBrush>);

// GDI objects the process holds: the observable effect of owning one.
DWORD gdiObjectCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

bool isLiveBrush(HBRUSH brush) { return GetObjectType(brush) == OBJ_BRUSH; }

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

}  // namespace
}  // namespace veltrano::win
