#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/kernel/library_command.h"
#include "runtime/kernel/runtime_application.h"

namespace veltrano::test {

// A started runtime for calling library commands with real value triples.
// Argument blocks live on the runtime heap (addresses fit 32-bit words) and
// are freed with the fixture; results are freed by their checks.
class CommandTest : public ::testing::Test {
protected:
    CommandTest();
    ~CommandTest() override;

    RuntimeApplication& runtime() noexcept { return runtime_; }

    ValueTriple text(std::string_view bytes);
    ValueTriple byteSet(std::span<const std::uint8_t> bytes);
    static ValueTriple integer(std::int32_t value) noexcept;
    static ValueTriple boolean(bool value) noexcept;
    static ValueTriple real(double value) noexcept;
    static ValueTriple single(float value) noexcept;
    static ValueTriple longInteger(std::int64_t value) noexcept;
    static ValueTriple omitted() noexcept { return {}; }

    static ValueTriple call(LibraryCommand command, std::initializer_list<ValueTriple> arguments);

    // The result's bytes; the block is checked to be a heap block of the
    // runtime (or null for the empty value) and freed.
    std::string takeText(const ValueTriple& result);
    std::vector<std::uint8_t> takeByteSet(const ValueTriple& result);
    static double realOf(const ValueTriple& result) noexcept;

private:
    ApplicationDescriptor descriptor_;
    RuntimeApplication runtime_;
    std::vector<void*> blocks_;
};

// Prints the first line of a fatal report to the error stream and skips the
// box, so a death test can match the message.
int printFatalMessage(std::int32_t code, const char* messageAndLocation);

}  // namespace veltrano::test
