#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "runtime/kernel/runtime_application.h"

namespace veltrano {
namespace {

const char* const kFiles[] = {"\\DLL\\NO-SUCH-FOLDER\\PCOMM.DLL", "", "Advapi32", "advapi32.dll"};
const char* const kNames[] = {"sio_open", "RegOpenKeyA", "RegEnumValueA", "RegCloseKey"};

ApplicationDescriptor bindingDescriptor() {
    return ApplicationDescriptor{3, 0, 1, nullptr, nullptr, 0, nullptr, 0, 0, nullptr, 4, kFiles, kNames};
}

int printMessage(std::int32_t, const char* messageAndLocation) {
    std::string firstLine(messageAndLocation);
    firstLine.resize(firstLine.find('\r'));
    std::fprintf(stderr, "fatal=[%s]\n", firstLine.c_str());
    std::fflush(stderr);
    return 1;
}

class DllBindingTest : public ::testing::Test {
protected:
    DllBindingTest() : descriptor_(bindingDescriptor()), runtime_(descriptor_, nullptr) { runtime_.initialiseRuntime(); }
    ~DllBindingTest() override { runtime_.shutdown(0); }

    ApplicationDescriptor descriptor_;
    RuntimeApplication runtime_;
};

TEST_F(DllBindingTest, RegistryFunctionsBindFromTheSystemLibraries) {
    const FARPROC open = runtime_.resolveDllCommand(1);
    EXPECT_EQ(open, GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "RegOpenKeyA"));
    EXPECT_NE(runtime_.resolveDllCommand(2), nullptr);
    EXPECT_NE(runtime_.resolveDllCommand(3), nullptr);
}

TEST_F(DllBindingTest, SecondCallUsesTheBoundAddress) {
    const FARPROC first = runtime_.resolveDllCommand(1);
    runtime_.dllCommands()[1].exportName = "changed after binding";
    EXPECT_EQ(runtime_.resolveDllCommand(1), first);
}

using DllBindingDeathTest = DllBindingTest;

TEST_F(DllBindingDeathTest, MissingLibraryNamesTheFileAndTheExport) {
    EXPECT_EXIT(
        {
            runtime_.setErrorHook(&printMessage);
            runtime_.resolveDllCommand(0);
        },
        ::testing::ExitedWithCode(-1),
        "fatal=\\[无法找到指定DLL库文件“\\\\DLL\\\\NO-SUCH-FOLDER\\\\PCOMM.DLL”中的输出命令“sio_open”\\]");
}

TEST_F(DllBindingDeathTest, MissingSystemExportNamesOnlyTheExport) {
    EXPECT_EXIT(
        {
            runtime_.setErrorHook(&printMessage);
            runtime_.dllCommands()[1].exportName = "NoSuchExportAnywhere";
            runtime_.resolveDllCommand(1);
        },
        ::testing::ExitedWithCode(-1), "fatal=\\[无法找到指定DLL库文件中的输出命令“NoSuchExportAnywhere”\\]");
}

}  // namespace
}  // namespace veltrano
