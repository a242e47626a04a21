#include <windows.h>
#include <psapi.h>

#include "tests/app_window/app_window_fixture.h"

namespace veltrano::appwin {
namespace {

const std::wstring kDefaultCaption = L"信息：";

class PortTest : public AppWindowTest {
protected:
    std::vector<ScriptedCall> callsOf(int function) const {
        std::vector<ScriptedCall> found;
        for (const ScriptedCall& call : library_.calls()) {
            if (call.function == function) found.push_back(call);
        }
        return found;
    }
};

TEST_F(PortTest, EmptyPortListShowsNoPortAvailable) {
    start({});
    EXPECT_TRUE(items(component::组合框_串口).empty());
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::按钮_开关端口);
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"无可用端口");
    EXPECT_EQ(seen[0].caption, kDefaultCaption);
    EXPECT_EQ(countCalls(kScriptedOpen), 0u);
    EXPECT_EQ(textOf(component::按钮_开关端口), L"开启");
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, false));
}

TEST_F(PortTest, RefusedOpenShowsTheLibrarysCode) {
    start({L"COM4"});
    library_.refuseOpen(-2);
    dialogs_.expect(DialogAnswer::press(IDOK));
    select(component::组合框_串口, 0);
    click(component::按钮_开关端口);
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"端口打开失败-2");
    EXPECT_EQ(seen[0].caption, kDefaultCaption);
    const auto opens = callsOf(kScriptedOpen);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].port, 4);
    EXPECT_EQ(countCalls(kScriptedIoctl), 0u);
    EXPECT_EQ(textOf(component::按钮_开关端口), L"开启");
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, false));
    EXPECT_EQ(logText(), L"");
}

TEST_F(PortTest, TheProgramBindsTheLibraryBesideIt) {
    start();
    openPort();
    // Exactly one serial library is in the process, and it is the one the
    // frames were recorded by.
    std::vector<HMODULE> modules(512);
    DWORD needed = 0;
    ASSERT_TRUE(EnumProcessModules(GetCurrentProcess(), modules.data(),
                                   static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed));
    modules.resize(needed / sizeof(HMODULE));
    int serialLibraries = 0;
    for (HMODULE module : modules) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(module, path, MAX_PATH);
        std::wstring name(path);
        name = name.substr(name.find_last_of(L'\\') + 1);
        if (_wcsicmp(name.c_str(), L"PCOMM.DLL") == 0) {
            ++serialLibraries;
            EXPECT_EQ(_wcsicmp(path, ScriptedLibrary::expectedPath().c_str()), 0) << path;
        }
    }
    EXPECT_EQ(serialLibraries, 1);
    EXPECT_EQ(countCalls(kScriptedOpen), 1u);
}

TEST_F(PortTest, OpenAndCloseToggleTheButtonAndLogTwoLinesPerCycle) {
    start({L"COM3"});
    select(component::组合框_串口, 0);
    click(component::按钮_开关端口);
    EXPECT_EQ(textOf(component::按钮_开关端口), L"关闭");
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, true));
    EXPECT_EQ(logText(), L"打开端口: COM3 115200\r\n");
    const auto ioctl = callsOf(kScriptedIoctl);
    ASSERT_EQ(ioctl.size(), 1u);
    EXPECT_EQ(ioctl[0].port, 3);
    EXPECT_EQ(ioctl[0].arguments[0], 16) << "baud code of 115200";
    EXPECT_EQ(ioctl[0].arguments[1], 3) << "8 data bits, 1 stop bit, no parity";
    const auto timeouts = callsOf(kScriptedSetReadTimeouts);
    ASSERT_EQ(timeouts.size(), 1u);
    EXPECT_EQ(timeouts[0].arguments[0], 1000);
    EXPECT_EQ(timeouts[0].arguments[1], 0);
    EXPECT_TRUE(pumpPolls(3)) << "the receive timer polls the open port";

    click(component::按钮_开关端口);
    EXPECT_EQ(textOf(component::按钮_开关端口), L"开启");
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, false));
    ASSERT_EQ(callsOf(kScriptedClose).size(), 1u);
    EXPECT_EQ(callsOf(kScriptedClose)[0].port, 3);

    select(component::组合框_波特率, 0);
    click(component::按钮_开关端口);
    EXPECT_EQ(textOf(component::按钮_开关端口), L"关闭");
    ASSERT_EQ(callsOf(kScriptedIoctl).size(), 2u);
    EXPECT_EQ(callsOf(kScriptedIoctl)[1].arguments[0], 12) << "baud code of 9600";
    click(component::按钮_开关端口);
    EXPECT_EQ(logText(), L"打开端口: COM3 115200\r\n端口已关闭\r\n打开端口: COM3 9600\r\n端口已关闭\r\n");
    EXPECT_EQ(dialogs_.seenCount(), 0u);

    // A closed port is no longer polled.
    const std::size_t polls = countCalls(kScriptedIqueue);
    EXPECT_FALSE(pumpUntil([&] { return countCalls(kScriptedIqueue) > polls; }, 200ms));
}

TEST_F(PortTest, DroppingDownTheListRebuildsItWhileThePortStaysOpen) {
    start({L"COM3", L"COM7"});
    select(component::组合框_串口, 1);
    click(component::按钮_开关端口);
    ASSERT_EQ(textOf(component::按钮_开关端口), L"关闭");
    ASSERT_TRUE(ports_.list({L"COM7", L"COM9", L"COM3"}));

    dropDown(component::组合框_串口);
    EXPECT_EQ(items(component::组合框_串口), (std::vector<std::wstring>{L"COM7", L"COM9", L"COM3"}));
    EXPECT_EQ(selectedIndex(component::组合框_串口), CB_ERR);
    EXPECT_EQ(textOf(component::按钮_开关端口), L"关闭");
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, true));
    EXPECT_EQ(countCalls(kScriptedClose), 0u);

    // The open port is still the one closed by the next click.
    click(component::按钮_开关端口);
    ASSERT_EQ(callsOf(kScriptedClose).size(), 1u);
    EXPECT_EQ(callsOf(kScriptedClose)[0].port, 7);
}

TEST_F(PortTest, TestWithOnlySpacesAsksForData) {
    start();
    openPort();
    type(component::编辑框_学习, L"  \x3000  ");
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::按钮_测试);
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"请输入数据");
    EXPECT_EQ(seen[0].caption, kDefaultCaption);
    EXPECT_TRUE(frames().empty());
}

TEST_F(PortTest, TestSendsTheTypedCodeWhole) {
    start();
    openPort();
    type(component::编辑框_学习, L"FA 01　02 ed");
    click(component::按钮_测试);
    EXPECT_EQ(frames(), (std::vector<Bytes>{{0xFA, 0x01, 0x02, 0xED}}));
    EXPECT_EQ(logText(), L"打开端口: COM3 115200\r\n请查看设备是否被正确控制\r\n");
    EXPECT_EQ(dialogs_.seenCount(), 0u);
}

TEST_F(PortTest, ClearLogEmptiesTheDisplay) {
    start();
    openPort();
    ASSERT_NE(logText(), L"");
    click(component::按钮_清空显示);
    EXPECT_EQ(logText(), L"");
}

}  // namespace
}  // namespace veltrano::appwin
