#include <gtest/gtest.h>

#include <cstring>

#include "runtime/core_library/core_library.h"
#include "runtime/kernel/component_class.h"
#include "tests/core_library/command_fixture.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::test {
namespace {

using namespace veltrano::core_library;

class ConversionAdapterTest : public CommandTest {
protected:
    // A one-dimensional array of bytes on the runtime heap.
    ValueTriple byteArray(std::string_view elements) {
        auto* block = static_cast<std::uint8_t*>(runtime().heap().allocate(8 + elements.size()));
        const std::uint32_t header[2] = {1, static_cast<std::uint32_t>(elements.size())};
        std::memcpy(block, header, sizeof header);
        std::memcpy(block + 8, elements.data(), elements.size());
        arrays_.push_back(block);
        return ValueTriple::ofAddress(block, type_code::kByte | type_code::kArrayFlag);
    }
    ~ConversionAdapterTest() override {
        for (void* block : arrays_) runtime().heap().free(block);
    }

private:
    std::vector<void*> arrays_;
};

TEST_F(ConversionAdapterTest, ToTextOfNumbersBoolsAndLongs) {
    EXPECT_EQ(takeText(call(&ToText, {real(0.1)})), "0.1");
    EXPECT_EQ(takeText(call(&ToText, {single(0.1f)})), "0.1");
    EXPECT_EQ(takeText(call(&ToText, {integer(-42)})), "-42");
    EXPECT_EQ(takeText(call(&ToText, {longInteger(-5000000000)})), "-5000000000");
    EXPECT_EQ(takeText(call(&ToText, {boolean(true)})), gbk("真"));
}

TEST_F(ConversionAdapterTest, ToTextOfTextsByteSetsAndArrays) {
    EXPECT_EQ(takeText(call(&ToText, {text(gbk("端口"))})), gbk("端口"));
    const std::uint8_t bytes[] = {'h', 'i', 0, 'x'};
    EXPECT_EQ(takeText(call(&ToText, {byteSet(bytes)})), "hi");
    EXPECT_EQ(takeText(call(&ToText, {byteArray(std::string_view("ok\0z", 4))})), "ok");
    EXPECT_EQ(call(&ToText, {omitted()}).low, 0u);
}

TEST_F(ConversionAdapterTest, ToIntegerReadsTextsAndTruncatesReals) {
    EXPECT_EQ(static_cast<std::int32_t>(call(&ToInteger, {text("  -12abc")}).low), -12);
    EXPECT_EQ(call(&ToInteger, {text(gbk("１２"))}).low, 12u);
    EXPECT_EQ(static_cast<std::int32_t>(call(&ToInteger, {real(-3.9)}).low), -3);
    EXPECT_EQ(call(&ToInteger, {boolean(true)}).low, 1u);
    EXPECT_EQ(call(&ToInteger, {longInteger(0x100000007)}).low, 7u);
    const ValueTriple result = call(&ToInteger, {text("x")});
    EXPECT_EQ(result.type, type_code::kInteger);
    EXPECT_EQ(result.low, 0u);
}

TEST_F(ConversionAdapterTest, RemainderChainsWithTheDividendsSign) {
    const ValueTriple result = call(&Remainder, {real(7.5), real(2.0)});
    EXPECT_EQ(result.type, type_code::kDouble);
    EXPECT_DOUBLE_EQ(realOf(result), 1.5);
    EXPECT_DOUBLE_EQ(realOf(call(&Remainder, {real(-7.0), integer(3)})), -1.0);
    EXPECT_DOUBLE_EQ(realOf(call(&Remainder, {integer(17), integer(10), integer(4)})), 3.0);
}

TEST_F(ConversionAdapterTest, ProgramDirectoryIsACopyOfTheRunDirectory) {
    const ValueTriple result = call(&ProgramDirectory, {});
    auto* block = result.address<const char>();
    ASSERT_NE(block, nullptr);
    EXPECT_NE(block, runtime().runDirectory().c_str()) << "the runtime's own text was handed out";
    EXPECT_EQ(takeText(result), runtime().runDirectory());
}

using ConversionAdapterDeathTest = ConversionAdapterTest;

TEST_F(ConversionAdapterDeathTest, RemainderByZeroIsFatal) {
    EXPECT_EXIT(call(&Remainder, {real(5.0), real(2.0), real(0.0)}), ::testing::ExitedWithCode(-1),
                "fatal code=0 \\[不能求余数于零\\]");
}

}  // namespace
}  // namespace veltrano::test
