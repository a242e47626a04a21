#include <gtest/gtest.h>

#include "runtime/core_library/core_library.h"
#include "tests/core_library/command_fixture.h"

namespace veltrano::test {
namespace {

using namespace veltrano::core_library;

using ByteSetAdapterTest = CommandTest;

TEST_F(ByteSetAdapterTest, LengthIsTheLengthWord) {
    const std::uint8_t bytes[] = {1, 0, 2, 0, 3};
    EXPECT_EQ(call(&ByteSetLength, {byteSet(bytes)}).low, 5u);
    EXPECT_EQ(call(&ByteSetLength, {byteSet({})}).low, 0u);
}

TEST_F(ByteSetAdapterTest, BlankByteSetIsZeroBytesOrNull) {
    EXPECT_EQ(takeByteSet(call(&BlankByteSet, {integer(3)})), (std::vector<std::uint8_t>{0, 0, 0}));
    const ValueTriple none = call(&BlankByteSet, {integer(0)});
    EXPECT_EQ(none.type, type_code::kByteSet);
    EXPECT_EQ(none.low, 0u);
}

TEST_F(ByteSetAdapterTest, LeftBytesClampsItsCount) {
    const std::uint8_t bytes[] = {0xAD, 0x66, 0xBD};
    EXPECT_EQ(takeByteSet(call(&LeftBytes, {byteSet(bytes), integer(10)})),
              (std::vector<std::uint8_t>{0xAD, 0x66, 0xBD}));
    EXPECT_EQ(takeByteSet(call(&LeftBytes, {byteSet(bytes), integer(2)})), (std::vector<std::uint8_t>{0xAD, 0x66}));
    EXPECT_EQ(call(&LeftBytes, {byteSet(bytes), integer(0)}).low, 0u);
    EXPECT_EQ(call(&LeftBytes, {byteSet(bytes), integer(-3)}).low, 0u);
}

using ByteSetAdapterDeathTest = ByteSetAdapterTest;

TEST_F(ByteSetAdapterDeathTest, ATextWhereAByteSetBelongsIsFatal) {
    EXPECT_EXIT(call(&ByteSetLength, {text("abc")}), ::testing::ExitedWithCode(-1), "fatal code=11 ");
}

}  // namespace
}  // namespace veltrano::test
