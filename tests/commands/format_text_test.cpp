#include "runtime/commands/format_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "runtime/commands/conversion_directive.h"

namespace veltrano::commands {
namespace {

std::string format(std::string_view pattern, std::initializer_list<Value> values) {
    const std::vector<Value> list(values);
    return FormatText(pattern, list);
}

TEST(FormatTextHexadecimal, PadsWithZerosToTheWidth) {
    EXPECT_EQ(format("%06X", {Value::integer(9600)}), "002580");
    EXPECT_EQ(format("%04X", {Value::integer(1)}), "0001");
    EXPECT_EQ(format("%02X", {Value::integer(255)}), "FF");
    EXPECT_EQ(format("%02X", {Value::integer(0x1234)}), "1234");
    EXPECT_EQ(format("%02X", {Value::integer(-1)}), "FFFFFFFF");
    EXPECT_EQ(format("%x", {Value::integer(0xBEEF)}), "beef");
}

TEST(FormatTextHexadecimal, FrameAssembly) {
    EXPECT_EQ(format("AD%04X%02XBD", {Value::integer(0x12), Value::byte(0xAB)}), "AD0012ABBD");
}

TEST(FormatTextIntegers, DecimalWithFlagsWidthAndPrecision) {
    EXPECT_EQ(format("%d", {Value::integer(-42)}), "-42");
    EXPECT_EQ(format("%i", {Value::integer(7)}), "7");
    EXPECT_EQ(format("%5d|", {Value::integer(42)}), "   42|");
    EXPECT_EQ(format("%-5d|", {Value::integer(42)}), "42   |");
    EXPECT_EQ(format("%05d", {Value::integer(-42)}), "-0042");
    EXPECT_EQ(format("%+d %+d", {Value::integer(5), Value::integer(-5)}), "+5 -5");
    EXPECT_EQ(format("% d", {Value::integer(5)}), " 5");
    EXPECT_EQ(format("%.3d", {Value::integer(7)}), "007");
    EXPECT_EQ(format("%06.3d", {Value::integer(7)}), "   007");
    EXPECT_EQ(format("%.0d|", {Value::integer(0)}), "|");
    EXPECT_EQ(format("%d", {Value::integer(std::numeric_limits<std::int32_t>::min())}), "-2147483648");
}

TEST(FormatTextIntegers, UnsignedAndOctal) {
    EXPECT_EQ(format("%u", {Value::integer(-1)}), "4294967295");
    EXPECT_EQ(format("%o", {Value::integer(8)}), "10");
    EXPECT_EQ(format("%#o", {Value::integer(8)}), "010");
    EXPECT_EQ(format("%#o", {Value::integer(0)}), "0");
    EXPECT_EQ(format("%#x %#X", {Value::integer(255), Value::integer(255)}), "0xff 0XFF");
    EXPECT_EQ(format("%#x", {Value::integer(0)}), "0");
    EXPECT_EQ(format("%#06x", {Value::integer(10)}), "0x000a");
}

TEST(FormatTextIntegers, LengthModifiers) {
    EXPECT_EQ(format("%hd", {Value::integer(65535)}), "-1");
    EXPECT_EQ(format("%hhu", {Value::integer(0x1FF)}), "255");
    EXPECT_EQ(format("%hx", {Value::integer(0x12345)}), "2345");
    EXPECT_EQ(format("%ld %lld %I64d", {Value::integer(-3), Value::integer(-3), Value::integer(-3)}), "-3 -3 -3");
    EXPECT_EQ(format("%llu", {Value::integer(-1)}), "4294967295");
}

TEST(FormatTextIntegers, OtherIntegerKindsGiveTheir32BitValue) {
    EXPECT_EQ(format("%d %d %d", {Value::byte(200), Value::shortInteger(-7), Value::boolean(true)}), "200 -7 1");
    EXPECT_EQ(format("%p", {Value::subroutine(0x401A2Bu)}), "00401A2B");
}

TEST(FormatTextIntegers, StarTakesWidthAndPrecisionFromArguments) {
    EXPECT_EQ(format("%*d|", {Value::integer(4), Value::integer(7)}), "   7|");
    EXPECT_EQ(format("%*d|", {Value::integer(-4), Value::integer(7)}), "7   |");
    EXPECT_EQ(format("%.*d", {Value::integer(3), Value::integer(7)}), "007");
    EXPECT_EQ(format("%.*d", {Value::integer(-3), Value::integer(7)}), "7");
}

TEST(FormatTextCharacters, CharacterAndPercent) {
    EXPECT_EQ(format("%c%c", {Value::integer('O'), Value::integer('K')}), "OK");
    EXPECT_EQ(format("%3c", {Value::integer('x')}), "  x");
    EXPECT_EQ(format("100%%", {}), "100%");
}

TEST(FormatTextCharacters, ZeroCharacterEndsTheText) {
    EXPECT_EQ(format("ab%cde", {Value::integer(0)}), "ab");
}

TEST(FormatTextTexts, TextGivesAllItsBytes) {
    const std::string long300(300, 'z');
    EXPECT_EQ(format("%s", {Value::text(long300)}), long300);
    const std::string gbkText = "\xB6\xCB\xBF\xDA";
    EXPECT_EQ(format("[%s]", {Value::text(gbkText)}), "[" + gbkText + "]");
}

TEST(FormatTextTexts, PrecisionAndWidth) {
    EXPECT_EQ(format("%.2s", {Value::text("abcdef")}), "ab");
    EXPECT_EQ(format("%5s|%-5s|", {Value::text("ab"), Value::text("cd")}), "   ab|cd   |");
    EXPECT_EQ(format("%s", {Value::text("")}), "");
}

TEST(FormatTextTexts, DoubleByteCharactersInTheFormatAreCopiedWhole) {
    const std::string pattern = std::string("\xB6\xCB%d\xBF\xDA");
    EXPECT_EQ(format(pattern, {Value::integer(3)}), std::string("\xB6\xCB") + "3" + std::string("\xBF\xDA"));
}

TEST(FormatTextReals, FloatIsWidenedToDouble) {
    EXPECT_EQ(format("%f", {Value::single(0.5f)}), "0.500000");
    EXPECT_EQ(format("%.10f", {Value::single(0.1f)}), "0.1000000015");
    EXPECT_EQ(format("%.2f", {Value::real(2.345)}), "2.35");
    EXPECT_EQ(format("%.2f", {Value::real(2.344)}), "2.34");
}

TEST(FormatTextReals, ConversionsAndFlags) {
    EXPECT_EQ(format("%e", {Value::real(12345.678)}), "1.234568e+04");
    EXPECT_EQ(format("%E", {Value::real(0.00012)}), "1.200000E-04");
    EXPECT_EQ(format("%g", {Value::real(0.0001)}), "0.0001");
    EXPECT_EQ(format("%g", {Value::real(123456789.0)}), "1.23457e+08");
    EXPECT_EQ(format("%G", {Value::real(1e-10)}), "1E-10");
    EXPECT_EQ(format("%#g", {Value::real(1.5)}), "1.50000");
    EXPECT_EQ(format("%#.0f", {Value::real(3.0)}), "3.");
    EXPECT_EQ(format("%.0f", {Value::real(2.5)}), "2");
    EXPECT_EQ(format("%08.2f", {Value::real(-3.14159)}), "-0003.14");
    EXPECT_EQ(format("%+.1f", {Value::real(1.0)}), "+1.0");
    EXPECT_EQ(format("%-8.1f|", {Value::real(1.0)}), "1.0     |");
    EXPECT_EQ(format("%F", {Value::real(1.5)}), "1.500000");
}

TEST(FormatTextReals, NonFiniteValuesAreNotZeroPadded) {
    EXPECT_EQ(format("%05f", {Value::real(std::numeric_limits<double>::infinity())}), "  inf");
    EXPECT_EQ(format("%F", {Value::real(-std::numeric_limits<double>::infinity())}), "-INF");
    EXPECT_EQ(format("%g", {Value::real(std::numeric_limits<double>::quiet_NaN())}), "nan");
}

TEST(FormatTextRefusals, UnsupportedValueTypesGiveTheEmptyText) {
    const std::vector<std::uint8_t> bytes{1, 2};
    EXPECT_EQ(format("%d", {Value::integer(1), Value::byteSet(bytes)}), "");
    EXPECT_EQ(format("%d", {Value::dateTime(45000.0)}), "");
    EXPECT_EQ(format("%d", {Value::longInteger(5)}), "");
    EXPECT_EQ(format("%d", {Value::other()}), "");
    EXPECT_EQ(format("%d", {Value::none()}), "");
    EXPECT_EQ(format("%d", {Value::numericArray(bytes)}), "");
    EXPECT_EQ(format("%d", {Value::otherArray()}), "");
    EXPECT_EQ(format("plain", {Value::byteSet(bytes)}), "");
}

TEST(FormatTextRefusals, TooFewArgumentsGiveTheEmptyText) {
    EXPECT_EQ(format("%d %d", {Value::integer(1)}), "");
    EXPECT_EQ(format("%s", {}), "");
    EXPECT_EQ(format("%*d", {Value::integer(3)}), "");
}

TEST(FormatTextRefusals, MismatchedKindsGiveTheEmptyText) {
    EXPECT_EQ(format("%s", {Value::integer(0)}), "");
    EXPECT_EQ(format("%d", {Value::text("12")}), "");
    EXPECT_EQ(format("%d", {Value::real(1.0)}), "");
    EXPECT_EQ(format("%f", {Value::integer(1)}), "");
    EXPECT_EQ(format("%c", {Value::text("a")}), "");
    EXPECT_EQ(format("%*d", {Value::text("3"), Value::integer(1)}), "");
}

TEST(FormatTextRefusals, UnsafeOrUnknownConversionsGiveTheEmptyText) {
    EXPECT_EQ(format("%n", {Value::integer(0)}), "");
    EXPECT_EQ(format("%y", {Value::integer(0)}), "");
    EXPECT_EQ(format("%ls", {Value::text("a")}), "");
    EXPECT_EQ(format("%S", {Value::text("a")}), "");
    EXPECT_EQ(format("50%", {}), "");
    EXPECT_EQ(format("%-", {Value::integer(0)}), "");
}

TEST(FormatTextRefusals, HugeWidthsAreRefused) {
    EXPECT_EQ(format("%99999999999d", {Value::integer(1)}), "");
    EXPECT_EQ(format("%.5000f", {Value::real(1.0)}), "");
    EXPECT_EQ(format("%*d", {Value::integer(kMaxFieldWidth + 1), Value::integer(1)}), "");
    EXPECT_EQ(format("%*d", {Value::integer(std::numeric_limits<std::int32_t>::min()), Value::integer(1)}), "");
    EXPECT_EQ(format("%4096d", {Value::integer(1)}).size(), 4096u);
}

TEST(FormatTextArguments, LeftOverValuesAreIgnored) {
    EXPECT_EQ(format("%d", {Value::integer(1), Value::integer(2)}), "1");
    EXPECT_EQ(format("", {Value::integer(1)}), "");
    EXPECT_EQ(format("no conversion", {}), "no conversion");
}

}  // namespace
}  // namespace veltrano::commands
