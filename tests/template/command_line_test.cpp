#include "tools/template_compiler/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace veltrano::tc {
namespace {

std::string errorOf(const std::vector<std::string>& words) {
    const CommandLine parsed = parseCommandLine(words);
    const auto* error = std::get_if<UsageError>(&parsed);
    return error == nullptr ? std::string("(accepted)") : error->message;
}

const std::vector<std::string> kFullCompile = {"compile",          "main.vtd", "--header",    "out.h",
                                               "--source",         "out.cpp",  "--namespace", "ns",
                                               "--header-include", "app/out.h"};

TEST(TemplateCompilerCommandLine, ACompleteCompileAndADumpAreRead) {
    const CommandLine compile = parseCommandLine(kFullCompile);
    const auto* request = std::get_if<CompileRequest>(&compile);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->definition, "main.vtd");
    EXPECT_EQ(request->header, "out.h");
    EXPECT_EQ(request->source, "out.cpp");
    EXPECT_EQ(request->nameSpace, "ns");
    EXPECT_EQ(request->headerInclude, "app/out.h");
    EXPECT_EQ(request->segment, "");

    const CommandLine dump = parseCommandLine({"--dump", "main.segment", "--output", "main.txt"});
    const auto* dumpRequest = std::get_if<DumpRequest>(&dump);
    ASSERT_NE(dumpRequest, nullptr);
    EXPECT_EQ(dumpRequest->segment, "main.segment");
    EXPECT_EQ(dumpRequest->output, "main.txt");
}

TEST(TemplateCompilerCommandLine, HelpWinsWhereverItStands) {
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parseCommandLine({"--help"})));
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parseCommandLine({"-h"})));
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parseCommandLine({"compile", "--help"})));
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parseCommandLine({"--dump", "x.segment", "--help"})));
    EXPECT_NE(std::string(kHelpText).find("--header-include"), std::string::npos);
}

TEST(TemplateCompilerCommandLine, EveryErrorNamesTheArgumentAtFault) {
    EXPECT_EQ(errorOf({}), "no command given");
    EXPECT_EQ(errorOf({"build", "main.vtd"}), "unknown command 'build'");
    EXPECT_EQ(errorOf({"compile"}), "compile needs a DEFINITION file");
    EXPECT_EQ(errorOf({"--dump", "--output", "x"}), "--dump needs a SEGMENT file");

    std::vector<std::string> missing = kFullCompile;
    missing.erase(missing.begin() + 4, missing.begin() + 6);  // --source OUT.cpp
    EXPECT_EQ(errorOf(missing), "compile needs --source");

    std::vector<std::string> unknown = kFullCompile;
    unknown.insert(unknown.end(), {"--verbose", "yes"});
    EXPECT_EQ(errorOf(unknown), "compile takes no option --verbose");

    std::vector<std::string> stray = kFullCompile;
    stray.insert(stray.begin() + 2, "second.vtd");
    EXPECT_EQ(errorOf(stray), "unexpected argument 'second.vtd' after the compile command's file");

    std::vector<std::string> valueless = kFullCompile;
    valueless.push_back("--segment");
    EXPECT_EQ(errorOf(valueless), "--segment needs a value");

    std::vector<std::string> twice = kFullCompile;
    twice.insert(twice.end(), {"--header", "other.h"});
    EXPECT_EQ(errorOf(twice), "--header is given twice");

    EXPECT_EQ(errorOf({"--dump", "x.segment", "--header", "y"}), "--dump takes no option --header");
}

}  // namespace
}  // namespace veltrano::tc
