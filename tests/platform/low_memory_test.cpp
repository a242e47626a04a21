// The 64-bit test programs run with everything below 4 GB taken before
// their tests start (tests/support/low_memory_gtest_main.cpp); these check
// that it took: whatever the code under test can be given lies above.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "runtime/kernel/runtime_heap.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/kernel/unique_handle.h"
#include "tests/support/low_address_space.h"
#include "tests/support/program_folder.h"

namespace veltrano::test {
namespace {

::testing::AssertionResult isAbove(const void* address) {
    if (liesAboveFourGigabytes(address)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << address << " lies below 4 GB";
}

// 16 bytes to 1 MiB, half again each time: small blocks, middling ones and
// those a heap gives from pages of their own.
std::vector<std::size_t> blockSizes() {
    std::vector<std::size_t> sizes;
    for (std::size_t size = 16; size <= (std::size_t{1} << 20); size += size / 2) sizes.push_back(size);
    sizes.push_back(std::size_t{1} << 20);
    return sizes;
}

struct ProcessHeapFree {
    void operator()(void* block) const noexcept { HeapFree(GetProcessHeap(), 0, block); }
};

struct RuntimeFree {
    void operator()(void* block) const noexcept { std::free(block); }
};

[[noreturn]] void throwOnFailure(std::size_t) {
    throw std::bad_alloc();
}

TEST(LowMemory, ProcessHeapBlocksOfEverySizeLieAboveFourGigabytes) {
    for (std::size_t size : blockSizes()) {
        const std::unique_ptr<void, ProcessHeapFree> block(HeapAlloc(GetProcessHeap(), 0, size));
        ASSERT_NE(block, nullptr) << size << " bytes";
        EXPECT_TRUE(isAbove(block.get())) << size << " bytes";
    }
}

TEST(LowMemory, MallocBlocksOfEverySizeLieAboveFourGigabytes) {
    for (std::size_t size : blockSizes()) {
        const std::unique_ptr<void, RuntimeFree> block(std::malloc(size));
        ASSERT_NE(block, nullptr) << size << " bytes";
        EXPECT_TRUE(isAbove(block.get())) << size << " bytes";
    }
}

TEST(LowMemory, OperatorNewGivesBlocksAboveFourGigabytes) {
    const auto single = std::make_unique<int>(7);
    const auto array = std::make_unique<char[]>(1000);
    const std::string text(200, 't');
    EXPECT_TRUE(isAbove(single.get()));
    EXPECT_TRUE(isAbove(array.get()));
    EXPECT_TRUE(isAbove(text.data()));
}

TEST(LowMemory, TestsRunOnAStackAboveFourGigabytes) {
    const int onStack = 0;
    EXPECT_TRUE(isAbove(&onStack));
}

TEST(LowMemory, ANewThreadsStackLiesAboveFourGigabytes) {
    const void* local = nullptr;
    std::thread([&local] {
        const int onStack = 0;
        local = &onStack;
    }).join();
    ASSERT_NE(local, nullptr);
    EXPECT_TRUE(isAbove(local));
}

TEST(LowMemory, TheProgramAndALoadedLibraryLieAboveFourGigabytes) {
    EXPECT_TRUE(isAbove(GetModuleHandleW(nullptr)));
    const win::UniqueModule library(LoadLibraryW((folderOfThisProgram() + L"DLL\\PCOMM.DLL").c_str()));
    ASSERT_TRUE(library) << "error " << GetLastError();
    EXPECT_TRUE(isAbove(library.get()));
}

TEST(LowMemory, RuntimeTextsAndByteSetsLieAboveFourGigabytes) {
    RuntimeHeap heap(GetProcessHeap(), &throwOnFailure);
    char* text = newText(heap, "a runtime text");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(isAbove(text));
    EXPECT_EQ(textView(text), "a runtime text");
    heap.free(text);

    const std::uint8_t bytes[] = {1, 2, 3};
    std::uint8_t* byteSet = newByteSet(heap, bytes);
    ASSERT_NE(byteSet, nullptr);
    EXPECT_TRUE(isAbove(byteSet));
    EXPECT_EQ(byteSetView(byteSet).size(), 3u);
    heap.free(byteSet);
}

}  // namespace
}  // namespace veltrano::test
