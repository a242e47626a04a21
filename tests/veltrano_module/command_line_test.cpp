#include "tools/veltrano_module/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrano::module {
namespace {

std::optional<Options> parse(const std::vector<std::string>& words, std::string* error = nullptr) {
    std::string ignored;
    return parseCommandLine(words, error ? *error : ignored);
}

TEST(CommandLine, WriteTakesATableSeveralPortsAndVerify) {
    const auto options = parse(
        {"write", "room.dat", "--verify", "--port", "/dev/ttyUSB0", "--port", "COM4", "--baud", "57600", "--json"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->command, Command::Write);
    EXPECT_EQ(options->tablePath, "room.dat");
    EXPECT_TRUE(options->verify);
    EXPECT_TRUE(options->json);
    EXPECT_EQ(options->rate, 57600);
    EXPECT_EQ(options->ports, (std::vector<std::string>{"/dev/ttyUSB0", "COM4"}));
}

TEST(CommandLine, RateDefaultsTo115200AndOutputToStandardOutput) {
    const auto options = parse({"read", "--port", "COM3"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->rate, 115200);
    EXPECT_TRUE(options->outputPath.empty());
}

TEST(CommandLine, MistakesAreNamed) {
    std::string error;
    EXPECT_FALSE(parse({"clear", "--port", "a", "--port", "b"}, &error));
    EXPECT_EQ(error, "clear takes one --port");
    EXPECT_FALSE(parse({"clear"}, &error));
    EXPECT_EQ(error, "clear needs --port NAME");
    EXPECT_FALSE(parse({"write", "--port", "a"}, &error));
    EXPECT_EQ(error, "write takes 1 operand, not 0");
    EXPECT_FALSE(parse({"read", "--verify", "--port", "a"}, &error));
    EXPECT_EQ(error, "read has no option --verify");
    EXPECT_FALSE(parse({"fetch"}, &error));
    EXPECT_EQ(error, "unknown command \"fetch\"");
    EXPECT_FALSE(parse({"read", "--port"}, &error));
    EXPECT_EQ(error, "--port needs a value");
    EXPECT_FALSE(parse({"read", "--port", "a", "--baud", "fast"}, &error));
    EXPECT_FALSE(parse({"learn", "--port", "a", "--timeout", "0"}, &error));
}

TEST(CommandLine, SetBaudRefusesRatesTheFrameCannotCarry) {
    const auto largest = parse({"set-baud", "16777215", "9600", "9600", "9600", "--bind", "amplifier", "--port", "a"});
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->rates.sequencer, 16777215);
    EXPECT_EQ(largest->binding, 4);
    std::string error;
    EXPECT_FALSE(parse({"set-baud", "9600", "16777216", "9600", "9600", "--bind", "1", "--port", "a"}, &error));
    EXPECT_NE(error.find("16777216"), std::string::npos) << error;
    EXPECT_FALSE(parse({"set-baud", "9600", "9600", "9600", "9600", "--port", "a"}, &error));
    EXPECT_NE(error.find("--bind"), std::string::npos) << error;
    EXPECT_FALSE(parse({"set-baud", "9600", "9600", "9600", "9600", "--bind", "screen", "--port", "a"}));
}

TEST(CommandLine, EachDeviceBindsToItsNumberInFrameOrder) {
    const char* names[] = {"sequencer", "projector", "player", "amplifier"};
    for (int index = 0; index < 4; ++index) {
        const auto options = parse({"set-baud", "1", "2", "3", "4", "--bind", names[index], "--port", "a"});
        ASSERT_TRUE(options) << names[index];
        EXPECT_EQ(options->binding, index + 1);
        EXPECT_EQ(options->rates.amplifier, 4);
    }
}

TEST(CommandLine, HelpGivesAnExampleAndEveryExitCode) {
    const auto options = parse({"write", "--help"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->help);
    const std::string usage = usageText();
    EXPECT_NE(usage.find("example:\n  veltrano-module write"), std::string::npos);
    for (const char* code : {"  0  done", "  1  --verify", "  2  wrong usage", "  3  a port", "  4  the module"}) {
        EXPECT_NE(usage.find(code), std::string::npos) << code;
    }
}

}  // namespace
}  // namespace veltrano::module
