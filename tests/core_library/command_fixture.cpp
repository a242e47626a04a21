#include "tests/core_library/command_fixture.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_text.h"

namespace veltrano::test {
namespace {

ApplicationDescriptor commandDescriptor() {
    return ApplicationDescriptor{0, 0, 1, nullptr, nullptr, 0, nullptr, 0, 0, nullptr, 0, nullptr, nullptr};
}

}  // namespace

CommandTest::CommandTest() : descriptor_(commandDescriptor()), runtime_(descriptor_, nullptr) {
    runtime_.initialiseRuntime();
    runtime_.setErrorHook(&printFatalMessage);
}

CommandTest::~CommandTest() {
    for (void* block : blocks_) runtime_.heap().free(block);
    runtime_.shutdown(0);
}

ValueTriple CommandTest::text(std::string_view bytes) {
    // The caller passes the constant empty text, never null: an empty text
    // here is a heap block holding only the terminator.
    auto* block = static_cast<char*>(runtime_.heap().allocate(bytes.size() + 1));
    std::copy(bytes.begin(), bytes.end(), block);
    block[bytes.size()] = '\0';
    blocks_.push_back(block);
    return ValueTriple::ofAddress(block, type_code::kText);
}

ValueTriple CommandTest::byteSet(std::span<const std::uint8_t> bytes) {
    auto* block = static_cast<std::uint8_t*>(runtime_.heap().allocate(8 + bytes.size()));
    const std::uint32_t header[2] = {1, static_cast<std::uint32_t>(bytes.size())};
    std::memcpy(block, header, sizeof header);
    std::copy(bytes.begin(), bytes.end(), block + 8);
    blocks_.push_back(block);
    return ValueTriple::ofAddress(block, type_code::kByteSet);
}

ValueTriple CommandTest::integer(std::int32_t value) noexcept {
    return {static_cast<std::uint32_t>(value), 0, type_code::kInteger};
}

ValueTriple CommandTest::boolean(bool value) noexcept {
    return {value ? 1u : 0u, 0, type_code::kBool};
}

ValueTriple CommandTest::real(double value) noexcept {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    return {static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32), type_code::kDouble};
}

ValueTriple CommandTest::single(float value) noexcept {
    return {std::bit_cast<std::uint32_t>(value), 0, type_code::kFloat};
}

ValueTriple CommandTest::longInteger(std::int64_t value) noexcept {
    const auto bits = static_cast<std::uint64_t>(value);
    return {static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32), type_code::kLong};
}

ValueTriple CommandTest::call(LibraryCommand command, std::initializer_list<ValueTriple> arguments) {
    return callLibraryCommand(command, std::span<const ValueTriple>(arguments.begin(), arguments.size()));
}

std::string CommandTest::takeText(const ValueTriple& result) {
    EXPECT_EQ(result.type, type_code::kText);
    auto* block = result.address<char>();
    if (block == nullptr) return {};
    std::string bytes(block);
    EXPECT_FALSE(bytes.empty()) << "an empty text must be returned as null";
    EXPECT_NE(HeapSize(runtime_.heap().heap(), 0, block), static_cast<SIZE_T>(-1)) << "not a runtime heap block";
    runtime_.heap().free(block);
    return bytes;
}

std::vector<std::uint8_t> CommandTest::takeByteSet(const ValueTriple& result) {
    EXPECT_EQ(result.type, type_code::kByteSet);
    auto* block = result.address<std::uint8_t>();
    if (block == nullptr) return {};
    const auto view = byteSetView(block);
    EXPECT_EQ(block[0], 1u);
    EXPECT_FALSE(view.empty()) << "an empty byte set must be returned as null";
    std::vector<std::uint8_t> bytes(view.begin(), view.end());
    EXPECT_NE(HeapSize(runtime_.heap().heap(), 0, block), static_cast<SIZE_T>(-1)) << "not a runtime heap block";
    runtime_.heap().free(block);
    return bytes;
}

double CommandTest::realOf(const ValueTriple& result) noexcept {
    return std::bit_cast<double>((static_cast<std::uint64_t>(result.high) << 32) | result.low);
}

int printFatalMessage(std::int32_t code, const char* messageAndLocation) {
    std::string firstLine(messageAndLocation);
    firstLine.resize(firstLine.find('\r'));
    std::fprintf(stderr, "fatal code=%d [%s]\n", code, firstLine.c_str());
    std::fflush(stderr);
    return 1;
}

}  // namespace veltrano::test
