#include <windows.h>
#include <gtest/gtest.h>

#include <string>

// The program's texts are code page 936 bytes; the test environment must give
// the program that ANSI code page, or the window system would show them wrong
// wherever the program relies on the ANSI functions.
TEST(Platform, ProgramSeesAnsiCodePage936) {
    EXPECT_EQ(GetACP(), 936u);
}

TEST(Platform, NarrowLiteralsAreGbkBytes) {
    const std::string closed = "端口已关闭\r\n";
    EXPECT_EQ(closed, std::string("\xB6\xCB\xBF\xDA\xD2\xD1\xB9\xD8\xB1\xD5\r\n"));
}

#if !defined(_WIN64)
TEST(Platform, PointersAre32Bits) {
    EXPECT_EQ(sizeof(void*), 4u);
}
#endif
