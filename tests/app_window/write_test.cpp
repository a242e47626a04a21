#include <memory>

#include "tests/app_window/app_window_fixture.h"

namespace veltrano::appwin {
namespace {

const Bytes kEnter = hexBytes("AD 66 66 66 66 AA AA AA BD");
const Bytes kExit = hexBytes("AD 66 66 66 66 AA AA BB BD");

Bytes blockBegin(int block) {
    return hexBytes("AD 66 66 66 66 AA AB A" + std::to_string(block) + " BD");
}
Bytes blockEnd(int block) {
    return hexBytes("AD 66 66 66 66 AA AB B" + std::to_string(block) + " BD");
}

// What the window showed at the moment a frame went out.
struct FrameMoment {
    std::vector<bool> moduleButtons;
    bool portButton;
};

class WriteTest : public AppWindowTest {
protected:
    void SetUp() override {
        AppWindowTest::SetUp();
        start();
        openPort();
    }

    void watchFrames() {
        library_.observeWrites(
            [](void* context, int) {
                auto* self = static_cast<WriteTest*>(context);
                self->moments_.push_back(
                    FrameMoment{self->moduleButtonStates(), self->enabled(component::按钮_开关端口)});
            },
            this);
    }

    std::vector<FrameMoment> moments_;
};

TEST_F(WriteTest, OnlyRow67SendsTheBlockFramesAndOneSlot) {
    ASSERT_TRUE(table().setText(67, 2, "fa 01 02 ED", false));
    ProgressRecorder progressBar(control(component::进度条1));
    watchFrames();
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::写入模块);

    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"确认写入自定义数据");
    EXPECT_EQ(seen[0].caption, L"写入数据");
    EXPECT_EQ(frames(), (std::vector<Bytes>{kEnter, blockBegin(1), blockEnd(1), blockBegin(2), blockEnd(2),
                                            blockBegin(3), blockEnd(3), blockBegin(4),
                                            hexBytes("AD BD 3D 00 01 FA 01 02 ED"), blockEnd(4), kExit}));

    std::vector<int> expectedProgress;
    for (int handled = 1; handled <= 78; ++handled) expectedProgress.push_back(handled);
    expectedProgress.push_back(100);
    expectedProgress.push_back(0);
    EXPECT_EQ(progressBar.positions(), expectedProgress);
    EXPECT_EQ(progress(), 0);

    ASSERT_EQ(moments_.size(), 11u);
    for (const FrameMoment& moment : moments_) {
        EXPECT_EQ(moment.moduleButtons, std::vector<bool>(6, false));
        EXPECT_FALSE(moment.portButton);
    }
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, true));
    EXPECT_TRUE(enabled(component::按钮_开关端口));
}

TEST_F(WriteTest, EqualKeyNamesGoToTheirOwnBlocksAndPositions) {
    ASSERT_TRUE(table().setText(21, 2, "11", false));
    ASSERT_TRUE(table().setText(54, 2, "22 33", false));
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::写入模块);
    EXPECT_EQ(frames(), (std::vector<Bytes>{kEnter, blockBegin(1), hexBytes("AD BD 3D 06 41 11"), blockEnd(1),
                                            blockBegin(2), blockEnd(2), blockBegin(3), hexBytes("AD BD 3D 02 59 22 33"),
                                            blockEnd(3), blockBegin(4), blockEnd(4), kExit}));
}

TEST_F(WriteTest, InvalidDataNamesTheKeyMakesItCurrentAndSendsNothing) {
    ASSERT_TRUE(table().setText(3, 2, "FA 01", false));
    ASSERT_TRUE(table().setText(30, 2, "FA 0", false));
    dialogs_.expect(DialogAnswer::press(IDOK));
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::写入模块);
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, L"十六进制数据长度必须是偶数");
    EXPECT_EQ(seen[0].caption, L"错误");
    EXPECT_EQ(seen[1].text, L"位置在OK=");
    EXPECT_EQ(seen[1].caption, L"信息：");
    EXPECT_EQ(table().focusCell().row, 30);
    EXPECT_EQ(table().focusCell().column, 2);
    EXPECT_TRUE(frames().empty());
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, true));
}

TEST_F(WriteTest, InvalidCharacterIsReportedBeforeTheKey) {
    ASSERT_TRUE(table().setText(1, 2, "FG", false));
    click(component::写入模块);
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, L"无效的十六进制字符: G");
    EXPECT_EQ(seen[0].caption, L"错误");
    EXPECT_EQ(seen[1].text, L"位置在通道1开=");
    EXPECT_EQ(table().focusCell().row, 1);
    EXPECT_TRUE(frames().empty());
}

TEST_F(WriteTest, CancellingAnyConfirmationSendsNothing) {
    ASSERT_TRUE(table().setText(1, 2, "FA 01 02 ED", false));
    const std::uint32_t buttons[] = {component::写入模块, component::按钮_设置波特率, component::清空模块,
                                     component::读取模块};
    for (std::uint32_t button : buttons) {
        dialogs_.expect(DialogAnswer::press(IDCANCEL));
        click(button);
    }
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].text, L"确认写入自定义数据");
    EXPECT_EQ(seen[0].caption, L"写入数据");
    EXPECT_EQ(seen[1].text, L"确认修改端口波特率和端口绑定");
    EXPECT_EQ(seen[1].caption, L"修改波特率和端口绑定");
    EXPECT_EQ(seen[2].text, L"确认清空模块数据");
    EXPECT_EQ(seen[2].caption, L"清空模块");
    EXPECT_EQ(seen[3].text, L"从模块读取数据到配置软件");
    EXPECT_EQ(seen[3].caption, L"读取模块");
    EXPECT_TRUE(frames().empty());
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, true));
    EXPECT_EQ(logText(), L"打开端口: COM3 115200\r\n");
}

class PortSettingTest : public WriteTest {};

TEST_F(PortSettingTest, FourRatesOf9600BoundToTheSequencer) {
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::按钮_设置波特率);
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"确认修改端口波特率和端口绑定");
    EXPECT_EQ(frames(), (std::vector<Bytes>{
                            kEnter, hexBytes("AD 66 77 88 66 00 25 80 00 25 80 00 25 80 00 25 80 01 BD"), kExit}));
    EXPECT_EQ(logText(), L"打开端口: COM3 115200\r\n设置信息已发出\r\n");
}

TEST_F(PortSettingTest, TypedRatesAndBindingGoIntoTheFrame) {
    type(component::编辑框_时序器波特率, L"115200");
    type(component::编辑框_投影仪波特率, L"19200");
    type(component::编辑框_播放器波特率, L"38400");
    type(component::编辑框_功放波特率, L"57600");
    select(component::组合框_绑定端口, 3);
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::按钮_设置波特率);
    ASSERT_EQ(frames().size(), 3u);
    EXPECT_EQ(frames()[1], hexBytes("AD 66 77 88 66 01 C2 00 00 4B 00 00 96 00 00 E1 00 04 BD"));
}

TEST_F(PortSettingTest, RateTheFrameCannotCarryIsRefusedByItsBoxAndNothingIsSent) {
    const std::pair<std::uint32_t, std::wstring> boxes[] = {
        {component::编辑框_时序器波特率, L"时序器"},
        {component::编辑框_投影仪波特率, L"投影仪"},
        {component::编辑框_播放器波特率, L"播放器"},
        {component::编辑框_功放波特率, L"功放"},
    };
    for (const auto& [box, device] : boxes) {
        for (const wchar_t* rate : {L"268435456", L"16777216", L"-1"}) {
            type(box, rate);
            dialogs_.expect(DialogAnswer::press(IDOK));
            click(component::按钮_设置波特率);
            const auto seen = dialogs_.seen();
            ASSERT_FALSE(seen.empty());
            EXPECT_EQ(seen.back().text, device + L"波特率必须在0到16777215之间") << rate;
            EXPECT_EQ(seen.back().caption, L"信息：");
        }
        type(box, L"9600");
    }
    EXPECT_EQ(dialogs_.seenCount(), 12u) << "no confirmation is asked for a refused rate";
    EXPECT_TRUE(frames().empty()) << "not even the enter frame";
    EXPECT_EQ(logText(), L"打开端口: COM3 115200\r\n");
}

TEST_F(PortSettingTest, TheLargestRateAndZeroGoOut) {
    type(component::编辑框_时序器波特率, L"16777215");
    type(component::编辑框_投影仪波特率, L"0");
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::按钮_设置波特率);
    ASSERT_EQ(frames().size(), 3u);
    EXPECT_EQ(frames()[1], hexBytes("AD 66 77 88 66 FF FF FF 00 00 00 00 25 80 00 25 80 01 BD"));
}

// The close button pressed while a sequence runs.
class CloseDuringSequenceTest : public WriteTest {
protected:
    // Posts the window's close as the frame with this index goes out.
    void closeAtFrame(int index) {
        closeAt_ = index;
        library_.observeWrites(
            [](void* context, int frameIndex) {
                auto* self = static_cast<CloseDuringSequenceTest*>(context);
                if (frameIndex == self->closeAt_) PostMessageW(self->window(), WM_CLOSE, 0, 0);
            },
            this);
    }

    bool windowCloses() {
        HWND main = window();
        return pumpUntil([main] { return IsWindow(main) == FALSE; });
    }

    int closeAt_ = -1;
};

TEST_F(CloseDuringSequenceTest, WriteRunsToItsExitFrameAndThenTheWindowCloses) {
    ASSERT_TRUE(table().setText(1, 2, "FA 01 ED", false));
    ASSERT_TRUE(table().setText(30, 2, "FA 30 ED", false));
    ASSERT_TRUE(table().setText(50, 2, "FA 50 ED", false));
    ASSERT_TRUE(table().setText(70, 2, "FA 70 ED", false));
    dialogs_.expect(DialogAnswer::press(IDOK));
    closeAtFrame(2);
    click(component::写入模块);
    EXPECT_EQ(frames(), (std::vector<Bytes>{kEnter, blockBegin(1), hexBytes("AD BD 3D 00 01 FA 01 ED"), blockEnd(1),
                                            blockBegin(2), hexBytes("AD BD 3D 01 91 FA 30 ED"), blockEnd(2),
                                            blockBegin(3), hexBytes("AD BD 3D 00 C9 FA 50 ED"), blockEnd(3),
                                            blockBegin(4), hexBytes("AD BD 3D 01 2D FA 70 ED"), blockEnd(4), kExit}));
    EXPECT_TRUE(windowCloses());
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 1u) << "nothing but the confirmation, no error report";
    EXPECT_EQ(seen[0].text, L"确认写入自定义数据");
}

TEST_F(CloseDuringSequenceTest, ReadRequestGoesOutAndThenTheWindowCloses) {
    dialogs_.expect(DialogAnswer::press(IDOK));
    closeAtFrame(0);
    click(component::读取模块);
    EXPECT_EQ(frames(), (std::vector<Bytes>{kEnter, hexBytes("AD 66 66 66 66 AA AB DD BD")}));
    EXPECT_TRUE(windowCloses());
    EXPECT_EQ(dialogs_.seenCount(), 1u);
}

TEST_F(CloseDuringSequenceTest, WithNoSequenceRunningTheWindowClosesAtOnce) {
    PostMessageW(window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(windowCloses());
    EXPECT_TRUE(frames().empty());
}

}  // namespace
}  // namespace veltrano::appwin
