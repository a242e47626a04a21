#include "runtime/kernel/runtime_heap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "runtime/kernel/image_section.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/values/type_codes.h"
#include "tests/kernel_spine/impossible_allocation.h"

namespace veltrano {
namespace {

struct AllocationFailed : std::runtime_error {
    explicit AllocationFailed(std::size_t bytes) : std::runtime_error("allocation failed"), byteCount(bytes) {}
    std::size_t byteCount;
};

void throwOnFailure(std::size_t byteCount) {
    throw AllocationFailed(byteCount);
}

// A private heap lets the tests count the blocks the runtime leaves behind.
class RuntimeHeapTest : public ::testing::Test {
protected:
    RuntimeHeapTest() : privateHeap_(HeapCreate(0, 0, 0)), heap_(privateHeap_, &throwOnFailure) {
        heap_.setConstantRange(constants_, sizeof constants_);
    }
    ~RuntimeHeapTest() override { HeapDestroy(privateHeap_); }

    std::size_t liveBlocks() const {
        std::size_t count = 0;
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(privateHeap_);
        while (HeapWalk(privateHeap_, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++count;
        }
        HeapUnlock(privateHeap_);
        return count;
    }

    HANDLE privateHeap_;
    RuntimeHeap heap_;
    char constants_[12] = {'h', 'e', 'l', 'l', 'o', '\0', 't', 'a', 'i', 'l', '!', '\0'};
};

TEST_F(RuntimeHeapTest, FreeingConstantsAndNullTouchesNothing) {
    const std::size_t before = liveBlocks();
    heap_.free(constants_);
    heap_.free(constants_ + 6);
    heap_.free(nullptr);
    EXPECT_EQ(liveBlocks(), before);
}

TEST_F(RuntimeHeapTest, ReallocatingAConstantTextCopiesUpToTheEndOfTheArea) {
    auto* copy = static_cast<char*>(heap_.reallocate(constants_, 100));
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(heap_.isConstant(copy));
    EXPECT_EQ(std::memcmp(copy, constants_, sizeof constants_), 0);
    heap_.free(copy);

    auto* shorter = static_cast<char*>(heap_.reallocate(constants_ + 6, 3));
    EXPECT_EQ(std::memcmp(shorter, "tai", 3), 0);
    heap_.free(shorter);
}

TEST_F(RuntimeHeapTest, ReallocateOfNullAllocates) {
    const std::size_t before = liveBlocks();
    void* block = heap_.reallocate(nullptr, 16);
    EXPECT_EQ(liveBlocks(), before + 1);
    heap_.free(block);
    EXPECT_EQ(liveBlocks(), before);
}

TEST_F(RuntimeHeapTest, FreeArrayFreesTextElementsThenTheArray) {
    const std::size_t before = liveBlocks();
    // A 2 x 2 array of texts: dimension count, sizes, four addresses.
    auto* array = static_cast<std::uint32_t*>(heap_.allocate(3 * 4 + 4 * sizeof(char*)));
    array[0] = 2;
    array[1] = 2;
    array[2] = 2;
    auto** elements = reinterpret_cast<char**>(array + 3);
    elements[0] = newText(heap_, "a");
    elements[1] = nullptr;
    elements[2] = constants_;  // constants inside arrays are left alone
    elements[3] = newText(heap_, "bcd");
    EXPECT_EQ(liveBlocks(), before + 3);
    heap_.freeArray(type_code::kText | type_code::kArrayFlag, array);
    EXPECT_EQ(liveBlocks(), before);
}

TEST_F(RuntimeHeapTest, FreeArrayOfNumbersFreesOnlyTheArray) {
    auto* array = static_cast<std::uint32_t*>(heap_.allocate(2 * 4 + 3 * 4));
    array[0] = 1;
    array[1] = 3;
    array[2] = 7;  // would be a bogus address if taken for a text
    array[3] = 8;
    array[4] = 9;
    const std::size_t before = liveBlocks();
    heap_.freeArray(type_code::kInteger | type_code::kArrayFlag, array);
    EXPECT_EQ(liveBlocks(), before - 1);
}

TEST_F(RuntimeHeapTest, FailedAllocationReportsTheByteCount) {
    try {
        heap_.allocate(kImpossibleByteCount);
        FAIL() << "allocation of " << kImpossibleByteCount << " bytes succeeded";
    } catch (const AllocationFailed& failure) {
        EXPECT_EQ(failure.byteCount, kImpossibleByteCount);
    }
    EXPECT_EQ(heap_.allocateQuietly(kImpossibleByteCount), nullptr);
}

TEST_F(RuntimeHeapTest, TextsAndByteSetsHaveTheirLayouts) {
    EXPECT_EQ(newText(heap_, ""), nullptr);
    char* text = newText(heap_, "abc");
    EXPECT_EQ(textView(text), "abc");
    EXPECT_EQ(text[3], '\0');
    heap_.free(text);

    const std::uint8_t bytes[] = {0xAD, 0x66, 0x00};
    std::uint8_t* set = newByteSet(heap_, bytes);
    std::uint32_t header[2];
    std::memcpy(header, set, sizeof header);
    EXPECT_EQ(header[0], 1u);
    EXPECT_EQ(header[1], 3u);
    const auto view = byteSetView(set);
    ASSERT_EQ(view.size(), 3u);
    EXPECT_EQ(view[0], 0xAD);
    EXPECT_EQ(view[2], 0x00);
    heap_.free(set);
    EXPECT_EQ(newByteSet(heap_, {}), nullptr);
    EXPECT_TRUE(byteSetView(nullptr).empty());
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

const char kSectionProbe[] = "probe";

TEST(ImageSectionTest, TheSectionOfOneConstantHoldsTheProgramsLiteralTexts) {
    const ImageSection section = imageSectionHolding(kSectionProbe);
    ASSERT_NE(section.start, nullptr);
    ASSERT_GT(section.size, sizeof kSectionProbe);
    const auto holds = [&section](const void* address) {
        const auto* start = static_cast<const std::uint8_t*>(section.start);
        const auto* target = static_cast<const std::uint8_t*>(address);
        return target >= start && target < start + section.size;
    };
    EXPECT_TRUE(holds(kSectionProbe));
    EXPECT_TRUE(holds("a literal of its own"));
    EXPECT_TRUE(holds("\xB2\xE2\xCA\xD4"));  // 测试

    HANDLE privateHeap = HeapCreate(0, 0, 0);
    RuntimeHeap heap(privateHeap, &throwOnFailure);
    heap.setConstantRange(section.start, section.size);
    void* block = heap.allocate(8);
    EXPECT_FALSE(holds(block));
    EXPECT_FALSE(heap.isConstant(block));
    EXPECT_TRUE(heap.isConstant("freed as a text"));
    heap.free(const_cast<char*>("freed as a text"));
    heap.free(block);
    HeapDestroy(privateHeap);

    int onTheStack = 0;
    EXPECT_FALSE(holds(&onTheStack));
    EXPECT_EQ(imageSectionHolding(&onTheStack).start, nullptr);
}

}  // namespace
}  // namespace veltrano
