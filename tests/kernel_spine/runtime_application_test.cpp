#include "runtime/kernel/runtime_application.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/kernel/window_object.h"
#include "runtime/values/type_codes.h"
#include "tests/kernel_spine/impossible_allocation.h"

namespace veltrano {
namespace {

struct NotificationLog {
    std::vector<std::pair<std::int32_t, AddressWord>> calls;
};
NotificationLog* notificationLog = nullptr;

std::intptr_t recordNotification(std::int32_t code, AddressWord argument1, AddressWord) {
    if (notificationLog) notificationLog->calls.emplace_back(code, argument1);
    return 0;
}

const LibraryDescriptor kTestLibrary{&recordNotification, 0, nullptr};
const LibraryDescriptor* const kLibraries[] = {&kTestLibrary, nullptr};

const char* const kDllFiles[] = {"\\DLL\\PCOMM.DLL", ""};
const char* const kDllNames[] = {"sio_open", "RegOpenKeyA"};

const char kConstants[] = "constant text";

ApplicationDescriptor makeDescriptor() {
    return ApplicationDescriptor{3, 0, 100,        nullptr, kConstants, sizeof kConstants, nullptr,
                                 0, 2, kLibraries, 2,       kDllFiles,  kDllNames};
}

std::vector<int> exitHookCalls;
void firstExitHook(int index) {
    exitHookCalls.push_back(100 + index);
}
void secondExitHook(int index) {
    exitHookCalls.push_back(200 + index);
}

std::vector<AddressWord> idleCalls;
int recordIdle(AddressWord argument) {
    idleCalls.push_back(argument);
    return 0;
}

class RuntimeApplicationTest : public ::testing::Test {
protected:
    RuntimeApplicationTest() : descriptor_(makeDescriptor()), runtime_(descriptor_, nullptr) {
        notificationLog = &log_;
        exitHookCalls.clear();
        idleCalls.clear();
    }
    ~RuntimeApplicationTest() override {
        runtime_.shutdown(0);
        notificationLog = nullptr;
    }

    static std::string programPath() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        return path;
    }

    NotificationLog log_;
    ApplicationDescriptor descriptor_;
    RuntimeApplication runtime_;
};

TEST_F(RuntimeApplicationTest, InitialisationLocatesTheProgramAndMakesItsFolderCurrent) {
    runtime_.initialiseRuntime();
    const std::string path = programPath();
    const std::size_t slash = path.rfind('\\');
    EXPECT_EQ(runtime_.runDirectory(), path.substr(0, slash));
    EXPECT_EQ(runtime_.programFileName(), path.substr(slash + 1));
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(std::string(current), runtime_.runDirectory());
    EXPECT_EQ(runtime_.idCounter(), 101u);
    EXPECT_EQ(runtime_.mainThreadId(), GetCurrentThreadId());
}

TEST_F(RuntimeApplicationTest, HiddenOwnerIsAnInvisibleToolWindowOfItsOwnClass) {
    runtime_.initialiseRuntime();
    HWND owner = runtime_.hiddenOwner();
    ASSERT_TRUE(IsWindow(owner));
    wchar_t className[64] = {};
    GetClassNameW(owner, className, 64);
    EXPECT_STREQ(className, L"_QL_HideOwner");
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_TRUE(GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetParent(owner), nullptr);
    runtime_.shutdown(0);
    EXPECT_FALSE(IsWindow(owner));
}

TEST_F(RuntimeApplicationTest, LibrariesHearOfStartupAndShutdownOnce) {
    runtime_.initialiseRuntime();
    ASSERT_EQ(log_.calls.size(), 1u);
    EXPECT_EQ(log_.calls[0].first, library_notification::kStartup);
    auto entry = reinterpret_cast<RuntimeServiceEntry>(log_.calls[0].second);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry(1004, 0, 0), 1);
    EXPECT_EQ(entry(1005, 0, 0), 0x70005);
    EXPECT_EQ(textView(addressFromWord<const char>(static_cast<AddressWord>(entry(2003, 0, 0)))),
              runtime_.runDirectory());
    runtime_.shutdown(0);
    runtime_.shutdown(0);
    ASSERT_EQ(log_.calls.size(), 2u);
    EXPECT_EQ(log_.calls[1], (std::pair<std::int32_t, AddressWord>{library_notification::kShutdown, 0}));
}

TEST_F(RuntimeApplicationTest, DllCommandTablesComeFromTheDescriptor) {
    runtime_.initialiseRuntime();
    ASSERT_EQ(runtime_.dllCommands().size(), 2u);
    EXPECT_EQ(runtime_.dllCommands()[0].fileName, "\\DLL\\PCOMM.DLL");
    EXPECT_EQ(runtime_.dllCommands()[0].exportName, "sio_open");
    EXPECT_TRUE(runtime_.dllCommands()[1].fileName.empty());
    EXPECT_EQ(runtime_.dllCommands()[1].address, nullptr);
    runtime_.shutdown(0);
    EXPECT_EQ(runtime_.dllCommands().size(), 0u);
}

TEST_F(RuntimeApplicationTest, ConstantTextsAreKnownUntilShutdown) {
    runtime_.initialiseRuntime();
    EXPECT_TRUE(runtime_.heap().isConstant(kConstants + 3));
    EXPECT_FALSE(runtime_.heap().isConstant(kConstants + sizeof kConstants));
    runtime_.shutdown(0);
    EXPECT_FALSE(runtime_.heap().isConstant(kConstants));
}

TEST_F(RuntimeApplicationTest, ExitHooksRunOnceEachInRegistrationOrder) {
    runtime_.initialiseRuntime();
    runtime_.registerExitHook(&firstExitHook);
    runtime_.registerExitHook(&secondExitHook);
    runtime_.registerExitHook(&firstExitHook);
    EXPECT_EQ(runtime_.exitHookCount(), 2u);
    runtime_.shutdown(0);
    runtime_.shutdown(0);
    EXPECT_EQ(exitHookCalls, (std::vector<int>{100, 201}));
}

TEST_F(RuntimeApplicationTest, MessageLoopWithoutAnyWindowReturnsAtOnce) {
    runtime_.initialiseRuntime();
    PostMessageW(nullptr, WM_APP, 0, 0);  // would be taken if the loop ran
    EXPECT_EQ(runtime_.runMessageLoop(), 0);
    EXPECT_TRUE(runtime_.loopStarted());
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_REMOVE));
}

TEST_F(RuntimeApplicationTest, IdleHandlerOfADestroyedWindowIsDroppedUncalled) {
    runtime_.initialiseRuntime();
    HWND alive = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    runtime_.registerIdleHandler(alive, &recordIdle, 1);
    runtime_.registerIdleHandler(gone, &recordIdle, 2);
    runtime_.registerIdleHandler(alive, &recordIdle, 3);  // same window: not added again
    EXPECT_EQ(runtime_.idleHandlerCount(), 2u);
    DestroyWindow(gone);
    runtime_.runIdle(0);
    EXPECT_EQ(idleCalls, std::vector<AddressWord>{1});
    EXPECT_EQ(runtime_.idleHandlerCount(), 1u);
    DestroyWindow(alive);
}

TEST_F(RuntimeApplicationTest, AnIdleHandlerRecordKeepsItsAddressWideArgument) {
    runtime_.initialiseRuntime();
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    // An argument with bits above the low 32, as a 64-bit address has.
    const AddressWord argument =
        sizeof(AddressWord) > 4 ? static_cast<AddressWord>(0x00007FF123456789ull) : 0x12345678u;
    const IdleHandlerRecord record{addressWord(window), reinterpret_cast<AddressWord>(&recordIdle), argument};
    RuntimeApplication::serviceEntry(1012, addressWord(&record), 0);
    runtime_.runIdle(0);
    EXPECT_EQ(idleCalls, std::vector<AddressWord>{argument});
    RuntimeApplication::serviceEntry(1013, addressWord(window), 0);
    EXPECT_EQ(runtime_.idleHandlerCount(), 0u);
    DestroyWindow(window);
}

TEST_F(RuntimeApplicationTest, DefaultIconsComeBackWhole) {
    runtime_.initialiseRuntime();
    AddressWord words[2] = {};
    RuntimeApplication::serviceEntry(1000, addressWord(words), 0);
    EXPECT_EQ(addressFromWord<HICON__>(words[0]), runtime_.defaultIcon(true));
    EXPECT_EQ(addressFromWord<HICON__>(words[1]), runtime_.defaultIcon(false));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(addressFromWord<HICON__>(words[0]), &info));
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST_F(RuntimeApplicationTest, ShutdownDestroysTheDefaultIconsItHandedOut) {
    runtime_.initialiseRuntime();
    AddressWord words[2] = {};
    RuntimeApplication::serviceEntry(1000, addressWord(words), 0);
    const HICON icons[2] = {addressFromWord<HICON__>(words[0]), addressFromWord<HICON__>(words[1])};
    for (HICON icon : icons) {
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    runtime_.shutdown(0);
    for (HICON icon : icons) {
        ICONINFO info{};
        EXPECT_FALSE(GetIconInfo(icon, &info)) << "an icon outlived the shutdown";
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
}

TEST_F(RuntimeApplicationTest, PendingMessagesAreDispatchedButQuitStays) {
    runtime_.initialiseRuntime();
    PostMessageW(nullptr, WM_APP, 0, 0);
    EXPECT_FALSE(runtime_.processPendingMessages());
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE));
    PostQuitMessage(7);
    EXPECT_TRUE(runtime_.processPendingMessages());
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
}

TEST_F(RuntimeApplicationTest, EventSuppressionNeverGoesBelowZero) {
    runtime_.initialiseRuntime();
    RuntimeApplication::serviceEntry(2009, 0, 0);
    RuntimeApplication::serviceEntry(2010, 0, 0);
    RuntimeApplication::serviceEntry(2010, 0, 0);
    EXPECT_EQ(runtime_.errorDepth(), 0);
    RuntimeApplication::serviceEntry(2009, 0, 0);
    EXPECT_EQ(runtime_.errorDepth(), 1);
}

TEST_F(RuntimeApplicationTest, EventSourceOutsideAHandlerAnswersZero) {
    runtime_.initialiseRuntime();
    std::uint32_t words[2] = {11, 22};
    const AddressWord address = addressWord(words);
    EXPECT_EQ(RuntimeApplication::serviceEntry(2017, address, 0), 0);
    EXPECT_EQ(words[0], 11u);
    EXPECT_EQ(words[1], 22u);
    runtime_.setEventSource(0x52010001, 0x16010614);
    EXPECT_EQ(RuntimeApplication::serviceEntry(2017, address, 0), 1);
    EXPECT_EQ(words[0], 0x52010001u);
    EXPECT_EQ(words[1], 0x16010614u);
}

TEST_F(RuntimeApplicationTest, AllocationServicesUseTheRuntimeHeap) {
    runtime_.initialiseRuntime();
    const auto block = static_cast<AddressWord>(RuntimeApplication::serviceEntry(2024, 16, 0));
    ASSERT_NE(block, 0u);
    const auto bigger = static_cast<AddressWord>(RuntimeApplication::serviceEntry(2026, block, 4096));
    ASSERT_NE(bigger, 0u);
    EXPECT_EQ(RuntimeApplication::serviceEntry(2024, kImpossibleByteCount, 1), 0);  // quiet: no report
    RuntimeApplication::serviceEntry(2025, bigger, 0);
}

// The fatal path ends the process: these run in a child process.
std::string markerPath() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "veltrano-exit-hook-ran.txt";
}

void exitHookLeavingAMarker(int) {
    if (FILE* file = std::fopen(markerPath().c_str(), "w")) std::fclose(file);
}

// Line breaks are spelled out: the standard error stream would translate them.
int printingErrorHook(std::int32_t code, const char* messageAndLocation) {
    std::string text;
    for (const char* p = messageAndLocation; *p; ++p) {
        if (*p == '\r')
            text += "<CR>";
        else if (*p == '\n')
            text += "<LF>";
        else
            text += *p;
    }
    std::fprintf(stderr, "hook code=%d text=[%s]\n", code, text.c_str());
    std::fflush(stderr);
    return 1;
}

const ValueTriple kTextValue{0, 0, 0x80000004};

using RuntimeApplicationDeathTest = RuntimeApplicationTest;

TEST_F(RuntimeApplicationDeathTest, LoadingWithoutTemplateDataFailsFatallyWithoutExitHooks) {
    std::remove(markerPath().c_str());
    EXPECT_EXIT(
        {
            runtime_.initialiseRuntime();
            runtime_.setErrorHook(&printingErrorHook);
            runtime_.registerExitHook(&exitHookLeavingAMarker);
            runtime_.loadWindow(0x52010001);
        },
        ::testing::ExitedWithCode(-1),
        "hook code=0 text=\\[载入启动窗口失败<CR><LF>1375797249, 0<CR><LF>未找到所指定的窗口<CR><LF>\\]");
    FILE* marker = std::fopen(markerPath().c_str(), "r");
    EXPECT_EQ(marker, nullptr) << "an exit hook ran on a fatal exit";
    if (marker) std::fclose(marker);
}

TEST_F(RuntimeApplicationDeathTest, NumberedErrorCarriesItsNumberAsCode) {
    EXPECT_EXIT(
        {
            runtime_.initialiseRuntime();
            runtime_.setErrorHook(&printingErrorHook);
            runtime_.reportNumberedError(6, 0x04000001, 3);
        },
        ::testing::ExitedWithCode(-1), "hook code=6 text=\\[调用DLL命令后发现堆栈错误<CR><LF>67108865, 3<CR><LF>\\]");
}

TEST_F(RuntimeApplicationDeathTest, NonNumericValueIsFatal) {
    EXPECT_EXIT(
        {
            runtime_.initialiseRuntime();
            runtime_.setErrorHook(&printingErrorHook);
            RuntimeApplication::serviceEntry(2001, addressWord(&kTextValue), 0);
        },
        ::testing::ExitedWithCode(-1), "欲转换数据类型不是数值");
}

// A window object whose handling of one message fails.
constexpr UINT kFailingMessage = WM_USER + 1;
class FailingObject final : public WindowObject {
protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kFailingMessage) throw std::runtime_error("the handler failed");
        return WindowObject::handleMessage(message, wParam, lParam);
    }
};

TEST_F(RuntimeApplicationDeathTest, AFailureInsideAWindowProcedureBecomesTheFatalReport) {
    EXPECT_EXIT(
        {
            runtime_.initialiseRuntime();
            runtime_.setErrorHook(&printingErrorHook);
            HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          GetModuleHandleW(nullptr), nullptr);
            auto* object = new FailingObject;
            if (!object->attach(window)) std::exit(3);
            SendMessageW(window, kFailingMessage, 0, 0);
            std::exit(4);  // the failure went unreported
        },
        ::testing::ExitedWithCode(-1), "hook code=0 text=\\[the handler failed<CR><LF>");
}

}  // namespace
}  // namespace veltrano
