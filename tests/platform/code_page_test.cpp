#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

// The program's texts are code page 936 bytes; the test environment must give
// the program that ANSI code page, or the window system would show them wrong
// wherever the program relies on the ANSI functions.
TEST(Platform, ProgramSeesAnsiCodePage936) { EXPECT_EQ(GetACP(), 936u); }

TEST(Platform, NarrowLiteralsAreGbkBytes) {
    const std::string closed = "端口已关闭\r\n";
    EXPECT_EQ(closed, std::string("\xB6\xCB\xBF\xDA\xD2\xD1\xB9\xD8\xB1\xD5\r\n"));
}

#if defined(_WIN64)
// The 64-bit test vehicle is only sound while every address the runtime keeps
// in a 32-bit word fits one: the program's image, heap, stack and pages.
TEST(Platform, ProgramMemoryLiesBelowFourGigabytes) {
    constexpr uintptr_t kFourGigabytes = uintptr_t{1} << 32;
    int onStack = 0;
    auto fromHeap = std::make_unique<char[]>(1 << 20);
    void* page = VirtualAlloc(nullptr, 1 << 16, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    HANDLE ownHeap = GetProcessHeap();
    void* fromProcessHeap = HeapAlloc(ownHeap, 0, 4096);
    EXPECT_LT(reinterpret_cast<uintptr_t>(&onStack), kFourGigabytes);
    EXPECT_LT(reinterpret_cast<uintptr_t>(fromHeap.get()), kFourGigabytes);
    EXPECT_LT(reinterpret_cast<uintptr_t>(page), kFourGigabytes);
    EXPECT_LT(reinterpret_cast<uintptr_t>(fromProcessHeap), kFourGigabytes);
    EXPECT_LT(reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr)), kFourGigabytes);
    HeapFree(ownHeap, 0, fromProcessHeap);
    VirtualFree(page, 0, MEM_RELEASE);
}
#else
TEST(Platform, PointersAre32Bits) { EXPECT_EQ(sizeof(void*), 4u); }
#endif
