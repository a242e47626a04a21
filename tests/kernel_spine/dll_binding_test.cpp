#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "runtime/kernel/dll_call.h"
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
    DllBindingTest() : descriptor_(bindingDescriptor()), runtime_(descriptor_, nullptr) {
        runtime_.initialiseRuntime();
    }
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

TEST_F(DllBindingTest, CallsPassTheArgumentsInOrderAndGiveTheResultBack) {
    HKEY key = nullptr;
    const std::uintptr_t open[] = {reinterpret_cast<std::uintptr_t>(HKEY_LOCAL_MACHINE),
                                   reinterpret_cast<std::uintptr_t>("SOFTWARE"),
                                   reinterpret_cast<std::uintptr_t>(&key)};
    EXPECT_EQ(static_cast<std::uint32_t>(runtime_.callDllCommand(1, open)), 0u);
    ASSERT_NE(key, nullptr);
    const std::uintptr_t close[] = {reinterpret_cast<std::uintptr_t>(key)};
    EXPECT_EQ(static_cast<std::uint32_t>(runtime_.callDllCommand(3, close)), 0u);
    EXPECT_EQ(static_cast<std::uint32_t>(runtime_.callDllCommand(3, close)),
              static_cast<std::uint32_t>(ERROR_INVALID_HANDLE))
        << "the key was closed by the first call";
}

std::uintptr_t WINAPI digits(std::uintptr_t hundreds, std::uintptr_t tens, std::uintptr_t ones) {
    return hundreds * 100 + tens * 10 + ones;
}

FARPROC digitsProcedure() {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&digits));
}

TEST(StandardCallTest, WordsArriveFirstArgumentFirst) {
    const std::uintptr_t words[] = {1, 2, 3};
    const DllCallOutcome outcome = callStandardCall(digitsProcedure(), words);
    EXPECT_EQ(outcome.value, 123u);
    EXPECT_TRUE(outcome.stackIntact);
    const std::uintptr_t tooMany[kMaxDllArguments + 1] = {};
    EXPECT_FALSE(callStandardCall(digitsProcedure(), tooMany).stackIntact);
}

using DllBindingDeathTest = DllBindingTest;

#if defined(__i386__) || defined(_M_IX86)
// Only a 32-bit x86 callee pops its own arguments, so only there does a
// wrong argument count move the stack.
TEST(StandardCallTest, AWrongArgumentCountIsSeenAsABrokenStack) {
    const std::uintptr_t two[] = {1, 2};
    EXPECT_FALSE(callStandardCall(digitsProcedure(), two).stackIntact);
}

TEST_F(DllBindingDeathTest, AWrongArgumentCountIsRuntimeError6) {
    const std::uintptr_t four[] = {1, 2, 3, 4};
    EXPECT_EXIT(
        {
            runtime_.setErrorHook(&printMessage);
            runtime_.dllCommands()[1].address = digitsProcedure();
            runtime_.callDllCommand(1, four);
        },
        ::testing::ExitedWithCode(-1), "fatal=\\[调用DLL命令后发现堆栈错误\\]");
}
#endif

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

TEST_F(DllBindingDeathTest, ASubroutineInAnExternalPackageIsFatal) {
    EXPECT_EXIT(
        {
            runtime_.setErrorHook(&printMessage);
            runtime_.callExternalPackageSubroutine();
        },
        ::testing::ExitedWithCode(-1), "fatal=\\[静态编译的程序不支持调用位于外部Q包中的子程序\\]");
}

}  // namespace
}  // namespace veltrano
