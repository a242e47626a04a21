#include "tests/app_window/app_window_fixture.h"

namespace veltrano::appwin {
namespace {

const Bytes kEnterEcho = hexBytes("AD 66 66 66 66 AA AA AA BD");
const Bytes kReadRequest = hexBytes("AD 66 66 66 66 AA AB DD BD");
const Bytes kReadComplete = hexBytes("AD 66 66 66 66 AA AB DE BD");

class ReceiveTest : public AppWindowTest {
protected:
    void SetUp() override {
        AppWindowTest::SetUp();
        start();
        openPort();
        click(component::按钮_清空显示);
        ASSERT_EQ(logText(), L"");
    }

    // The module's side of a read-back: it echoes the request, which starts it.
    void startReadBack() {
        receive(kReadRequest);
        ASSERT_EQ(logText(), L"开始从模块提取数据\r\n");
    }
};

TEST_F(ReceiveTest, EnterEchoLogsOnlyTheStatusLine) {
    receive(kEnterEcho);
    ASSERT_TRUE(pumpPolls(3));
    EXPECT_EQ(logText(), L"模块进入配置模式\r\n");
}

TEST_F(ReceiveTest, StatusFramesOfExitAndCompletionAreRecognised) {
    receive(hexBytes("AD 66 66 66 66 AA AA BB BD"));
    receive(kReadComplete);
    EXPECT_EQ(logText(), L"模块退出配置模式\r\n数据提取完成\r\n");
}

TEST_F(ReceiveTest, RecordDuringReadBackFillsItsRow) {
    ASSERT_TRUE(table().setText(5, 2, "99 ", false));
    ASSERT_TRUE(table().setText(6, 2, "77 ", false));
    startReadBack();
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, false));
    EXPECT_EQ(cellText(6, 2), "") << "a read-back starts from an empty data column";
    EXPECT_EQ(progress(), 1);

    receive(hexBytes("DA DB 05 11 22"));
    EXPECT_EQ(cellText(5, 2), "11 22 ");
    EXPECT_EQ(progress(), 5);
    EXPECT_EQ(logText(), L"开始从模块提取数据\r\nDA DB 05 11 22 \r\n");

    receive(kReadComplete);
    EXPECT_EQ(logText(), L"开始从模块提取数据\r\nDA DB 05 11 22 \r\n数据提取完成\r\n");
    EXPECT_EQ(progress(), 0);
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, true));
    EXPECT_EQ(cellText(5, 2), "11 22 ");
    EXPECT_EQ(cellText(1, 1), "通道1开=") << "key names stay";
}

TEST_F(ReceiveTest, RecordOutsideReadBackIsOnlyLogged) {
    receive(hexBytes("DA DB 05 11 22"));
    EXPECT_EQ(logText(), L"DA DB 05 11 22 \r\n");
    EXPECT_EQ(cellText(5, 2), "");
    EXPECT_EQ(progress(), 0);
}

TEST_F(ReceiveTest, RecordWithoutDataIsOnlyLogged) {
    startReadBack();
    receive(hexBytes("DA DB 05"));
    EXPECT_EQ(logText(), L"开始从模块提取数据\r\nDA DB 05 \r\n");
    EXPECT_EQ(cellText(5, 2), "");
    EXPECT_EQ(progress(), 1);
}

TEST_F(ReceiveTest, BytesWaitingForOneTickAreReadOnTheNext) {
    const std::size_t before = library_.callCount();
    receive(hexBytes("FA 11 22 ED"));
    const auto calls = library_.calls();
    // From the first poll that saw the bytes: one more poll, then the read.
    std::size_t first = before;
    while (first < calls.size() && !(calls[first].function == kScriptedIqueue && calls[first].result > 0)) ++first;
    ASSERT_LT(first + 2, calls.size());
    EXPECT_EQ(calls[first + 1].function, kScriptedIqueue);
    EXPECT_EQ(calls[first + 1].result, 4);
    EXPECT_EQ(calls[first + 2].function, kScriptedRead);
    EXPECT_EQ(calls[first + 2].result, 4);
    EXPECT_EQ(calls[first + 2].arguments[0], 4) << "the read asks for what is waiting";
    EXPECT_EQ(logText(), L"FA 11 22 ED \r\n");
}

TEST_F(ReceiveTest, ClosingThePortDuringAReadBackKeepsTheModuleButtonsDisabled) {
    startReadBack();
    click(component::按钮_开关端口);
    EXPECT_EQ(textOf(component::按钮_开关端口), L"开启");
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, false));
    click(component::按钮_开关端口);
    EXPECT_EQ(textOf(component::按钮_开关端口), L"关闭");
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, true));
}

class SequenceTest : public ReceiveTest {};

TEST_F(SequenceTest, ReadRequestIsEchoedIntoAReadBack) {
    // The module's echo of the request starts the read-back.
    library_.replyTo(kReadRequest, kReadRequest);
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::读取模块);
    EXPECT_EQ(frames(), (std::vector<Bytes>{kEnterEcho, kReadRequest}));
    ASSERT_TRUE(pumpUntil([&] { return moduleButtonStates() == std::vector<bool>(6, false); }));
    EXPECT_EQ(logText(), L"已发送读取指令\r\n开始从模块提取数据\r\n");
}

TEST_F(SequenceTest, ClearSendsEnterClearExit) {
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::清空模块);
    EXPECT_EQ(frames(), (std::vector<Bytes>{kEnterEcho, hexBytes("AD 66 66 66 66 AA AB CC BD"),
                                            hexBytes("AD 66 66 66 66 AA AA BB BD")}));
    EXPECT_EQ(logText(), L"已发送清空指令\r\n");
}

TEST_F(SequenceTest, LearningSendsTheLearnFrameAndLogsTheLearnedCode) {
    library_.replyTo(hexBytes("FA FD 01 01"), hexBytes("FA 00 11 ED"));
    click(component::按钮_学习);
    EXPECT_EQ(frames(), (std::vector<Bytes>{hexBytes("FA FD 01 01")}));
    ASSERT_TRUE(pumpUntil([&] { return library_.unreadCount() == 0 && logText().ends_with(L"ED \r\n"); }));
    EXPECT_EQ(logText(), L"请按红外遥控器按钮，尽量短按，切勿长按按钮\r\nFA 00 11 ED \r\n");
    EXPECT_EQ(dialogs_.seenCount(), 0u);
}

}  // namespace
}  // namespace veltrano::appwin
