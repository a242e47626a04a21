#include "tests/app_handlers/configurator_fixture.h"

namespace veltrano::test {
namespace {

const std::string kEnter = "AD 66 66 66 66 AA AA AA BD";
const std::string kExit = "AD 66 66 66 66 AA AA BB BD";

std::string block(const char* kind, int number) {
    return std::string("AD 66 66 66 66 AA AB ") + kind + std::to_string(number) + " BD";
}

class ModuleSequenceTest : public ConfiguratorTest {
protected:
    void SetUp() override { startWithOpenPort(); }
};

TEST_F(ModuleSequenceTest, PortSettingSendsTheRatesAndBinding) {
    window.texts[Control::ProjectorRate] = "115200";
    window.texts[Control::PlayerRate] = "abc";
    window.texts[Control::AmplifierRate] = "9600";
    window.texts[Control::SequencerRate] = "9600";
    window.select(Control::BindingList, 2);
    app.onSetBaudRatesClicked();
    EXPECT_EQ(window.confirmations.at(0).text, gbk("确认修改端口波特率和端口绑定"));
    EXPECT_EQ(window.confirmations.at(0).caption, gbk("修改波特率和端口绑定"));
    EXPECT_EQ(trace,
              (Trace{"send:" + kEnter, "wait:100", "send:AD 66 77 88 66 00 25 80 01 C2 00 00 00 00 00 25 80 03 BD",
                     "log:" + gbk("设置信息已发出\r\n"), "wait:150", "send:" + kExit, "wait:100"}));
}

TEST_F(ModuleSequenceTest, CancelledConfirmationsSendNothing) {
    window.confirmAnswer = false;
    grid.setCellText(1, 2, "FA");
    app.onSetBaudRatesClicked();
    app.onWriteModuleClicked();
    app.onClearModuleClicked();
    app.onReadModuleClicked();
    EXPECT_EQ(window.confirmations.size(), 4u);
    EXPECT_TRUE(line.written.empty());
    EXPECT_TRUE(moduleButtonsDisabled(false));
}

TEST_F(ModuleSequenceTest, WriteOfOneExtensionKey) {
    grid.setCellText(67, 2, "FA 01 02 ED ");
    app.onWriteModuleClicked();
    EXPECT_EQ(window.confirmations.at(0).text, gbk("确认写入自定义数据"));
    EXPECT_EQ(window.confirmations.at(0).caption, gbk("写入数据"));
    EXPECT_EQ(sentFrames(), (std::vector<std::string>{kEnter, block("A", 1), block("B", 1), block("A", 2),
                                                      block("B", 2), block("A", 3), block("B", 3), block("A", 4),
                                                      "AD BD 3D 00 01 FA 01 02 ED", block("B", 4), kExit}));
    std::vector<std::string> expectedProgress;
    for (int handled = 1; handled <= 78; ++handled) {
        expectedProgress.push_back(std::to_string(handled));
    }
    expectedProgress.push_back("100");
    expectedProgress.push_back("0");
    EXPECT_EQ(traceOf("progress:"), expectedProgress);
    const auto waits = traceOf("wait:");
    EXPECT_EQ(std::count(waits.begin(), waits.end(), "100"), 10);
    EXPECT_EQ(std::count(waits.begin(), waits.end(), "50"), 1);
}

TEST_F(ModuleSequenceTest, WriteLocksTheButtonsWhileRunning) {
    grid.setCellText(21, 2, "11");
    grid.setCellText(54, 2, "22");
    bool lockedThroughout = true;
    window.duringDelay = [&](int) {
        lockedThroughout = lockedThroughout && moduleButtonsDisabled(true) && window.isDisabled(Control::PortButton);
    };
    app.onWriteModuleClicked();
    EXPECT_TRUE(lockedThroughout);
    EXPECT_TRUE(moduleButtonsDisabled(false));
    EXPECT_FALSE(window.isDisabled(Control::PortButton));
    const auto frames = sentFrames();
    EXPECT_NE(std::find(frames.begin(), frames.end(), "AD BD 3D 06 41 11"), frames.end());  // block 1, 1601
    EXPECT_NE(std::find(frames.begin(), frames.end(), "AD BD 3D 02 59 22"), frames.end());  // block 3, 601
}

TEST_F(ModuleSequenceTest, InvalidDataNamesTheKeyAndSendsNothing) {
    grid.setCellText(5, 2, "FA 0G");
    grid.setCellText(9, 2, "ABC");
    app.onWriteModuleClicked();
    EXPECT_TRUE(line.written.empty());
    EXPECT_TRUE(window.confirmations.empty());
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[0].caption, gbk("错误"));
    EXPECT_EQ(window.messages[1].text, gbk("位置在通道3开="));
    EXPECT_FALSE(window.messages[1].caption.has_value());
    EXPECT_EQ(grid.currentCell, std::make_pair(5, 2));
    EXPECT_TRUE(moduleButtonsDisabled(false));
}

TEST_F(ModuleSequenceTest, ClearSendsTheClearFrameBetweenEnterAndExit) {
    app.onClearModuleClicked();
    EXPECT_EQ(window.confirmations.at(0).text, gbk("确认清空模块数据"));
    EXPECT_EQ(window.confirmations.at(0).caption, gbk("清空模块"));
    EXPECT_EQ(trace, (Trace{"send:" + kEnter, "wait:100", "send:AD 66 66 66 66 AA AB CC BD",
                            "log:" + gbk("已发送清空指令\r\n"), "wait:200", "send:" + kExit, "wait:100"}));
}

TEST_F(ModuleSequenceTest, ReadRequestLogsOnlyAWholeWrite) {
    app.onReadModuleClicked();
    EXPECT_EQ(window.confirmations.at(0).text, gbk("从模块读取数据到配置软件"));
    EXPECT_EQ(window.confirmations.at(0).caption, gbk("读取模块"));
    EXPECT_EQ(trace, (Trace{"send:" + kEnter, "wait:100", "send:AD 66 66 66 66 AA AB DD BD",
                            "log:" + gbk("已发送读取指令\r\n")}));
    trace.clear();
    line.shortWrite = 8;
    app.onReadModuleClicked();
    EXPECT_TRUE(traceOf("log:").empty());
}

TEST_F(ModuleSequenceTest, LearningSendsTheLearnFrameWithoutConfirmation) {
    app.onLearnClicked();
    EXPECT_TRUE(window.confirmations.empty());
    EXPECT_EQ(sentFrames(), (std::vector<std::string>{"FA FD 01 01"}));
    EXPECT_EQ(window.log, gbk("请按红外遥控器按钮，尽量短按，切勿长按按钮\r\n"));
    window.log.clear();
    line.shortWrite = 3;
    app.onLearnClicked();
    EXPECT_EQ(window.log, "");
}

class PortRateTest : public ModuleSequenceTest {
protected:
    void typeRates(const std::string& sequencer, const std::string& projector, const std::string& player,
                   const std::string& amplifier) {
        window.texts[Control::SequencerRate] = sequencer;
        window.texts[Control::ProjectorRate] = projector;
        window.texts[Control::PlayerRate] = player;
        window.texts[Control::AmplifierRate] = amplifier;
    }
};

TEST_F(PortRateTest, RateTheFrameCannotCarryIsRefusedByItsBoxBeforeAnythingIsSent) {
    const std::string devices[] = {gbk("时序器"), gbk("投影仪"), gbk("播放器"), gbk("功放")};
    for (const char* bad : {"16777216", "268435456", "-1", "99999999999"}) {
        for (int box = 0; box < 4; ++box) {
            std::string rates[4] = {"9600", "9600", "9600", "9600"};
            rates[box] = bad;
            typeRates(rates[0], rates[1], rates[2], rates[3]);
            window.messages.clear();
            app.onSetBaudRatesClicked();
            ASSERT_EQ(window.messages.size(), 1u) << bad << " in box " << box;
            EXPECT_EQ(window.messages[0].text, devices[box] + gbk("波特率必须在0到16777215之间"));
            EXPECT_FALSE(window.messages[0].caption.has_value());
        }
    }
    EXPECT_TRUE(window.confirmations.empty());
    EXPECT_TRUE(line.written.empty()) << "not even the enter frame";
    EXPECT_TRUE(traceOf("log:").empty());
}

TEST_F(PortRateTest, TheFirstBadBoxIsNamed) {
    typeRates("9600", "-5", "16777216", "9600");
    app.onSetBaudRatesClicked();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, gbk("投影仪波特率必须在0到16777215之间"));
}

TEST_F(PortRateTest, TheWholeRangeGoesOutAndATextThatIsNoNumberIsRateZero) {
    typeRates("16777215", "0", "abc", "9600");
    app.onSetBaudRatesClicked();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(sentFrames(),
              (std::vector<std::string>{kEnter, "AD 66 77 88 66 FF FF FF 00 00 00 00 00 00 00 25 80 01 BD", kExit}));
    EXPECT_EQ(traceOf("log:"), (std::vector<std::string>{gbk("设置信息已发出\r\n")}));
}

TEST_F(ModuleSequenceTest, ReceiveTicksRunInsideTheWaits) {
    line.echo = true;
    window.duringDelay = [&](int) {
        app.onReceiveTimerTick();
        app.onReceiveTimerTick();
    };
    app.onClearModuleClicked();
    EXPECT_EQ(traceOf("log:"),
              (std::vector<std::string>{gbk("模块进入配置模式\r\n"), gbk("已发送清空指令\r\n"),
                                        "AD 66 66 66 66 AA AB CC BD \r\n", gbk("模块退出配置模式\r\n")}));
}

// The close button pressed while a sequence runs: the sequence goes on to
// its last frame and the window closes after it.
class CloseDuringSequenceTest : public ModuleSequenceTest {
protected:
    // Asks for the close inside the wait with this number (1 for the first).
    void closeInWait(int wait) {
        window.duringDelay = [this, wait, count = 0](int) mutable {
            if (++count == wait) {
                answers.push_back(app.onWindowQueryClose());
            }
        };
    }

    // The trace from the close on; nothing may follow it.
    bool closedLast() const { return !trace.empty() && trace.back() == "close" && window.closeRequests == 1; }

    std::vector<bool> answers;
};

TEST_F(CloseDuringSequenceTest, WithNoSequenceTheWindowClosesAtOnce) {
    EXPECT_TRUE(app.onWindowQueryClose());
    EXPECT_EQ(window.closeRequests, 0);
    grid.setCellText(1, 2, "FA 01 ED");
    app.onWriteModuleClicked();
    EXPECT_EQ(window.closeRequests, 0) << "a write nobody closed during closes nothing";
    EXPECT_TRUE(app.onWindowQueryClose());
}

TEST_F(CloseDuringSequenceTest, WriteRunsToItsExitFrameThenTheWindowCloses) {
    for (int row = 1; row <= 78; ++row) {
        grid.setCellText(row, 2, "FA " + std::to_string(10 + row) + " ED");
    }
    app.onWriteModuleClicked();
    const Trace whole = trace;
    const auto wholeFrames = sentFrames();
    trace.clear();
    line.written.clear();

    // In the wait after the first slot of block 1.
    closeInWait(3);
    app.onWriteModuleClicked();
    EXPECT_EQ(answers, std::vector<bool>{false});
    EXPECT_EQ(sentFrames(), wholeFrames);
    EXPECT_EQ(sentFrames().back(), kExit);
    ASSERT_TRUE(closedLast());
    EXPECT_EQ(Trace(trace.begin(), trace.end() - 1), whole);
    EXPECT_TRUE(moduleButtonsDisabled(false));
    EXPECT_TRUE(app.onWindowQueryClose()) << "once the write is over nothing holds the window";
}

TEST_F(CloseDuringSequenceTest, EveryModuleSequenceEndsBeforeTheWindowCloses) {
    struct Case {
        void (configurator::Configurator::*clicked)();
        int closingWait;
        std::vector<std::string> frames;
    };
    const Case cases[] = {
        {&configurator::Configurator::onReadModuleClicked, 1, {kEnter, "AD 66 66 66 66 AA AB DD BD"}},
        {&configurator::Configurator::onSetBaudRatesClicked,
         2,
         {kEnter, "AD 66 77 88 66 00 00 00 00 00 00 00 00 00 00 00 00 01 BD", kExit}},
        {&configurator::Configurator::onClearModuleClicked, 2, {kEnter, "AD 66 66 66 66 AA AB CC BD", kExit}},
    };
    for (const Case& c : cases) {
        window.closeRequests = 0;
        trace.clear();
        line.written.clear();
        answers.clear();
        closeInWait(c.closingWait);
        (app.*c.clicked)();
        EXPECT_EQ(answers, std::vector<bool>{false});
        EXPECT_EQ(sentFrames(), c.frames);
        EXPECT_TRUE(closedLast());
    }
}

TEST_F(CloseDuringSequenceTest, ASequenceStartedInsideAnotherHoldsTheCloseUntilBothEnd) {
    // The port setting's first wait lets the user start a clear, and the
    // close comes in the clear's second wait.
    int waits = 0;
    window.duringDelay = [&](int) {
        ++waits;
        if (waits == 1) {
            app.onClearModuleClicked();
        } else if (waits == 3) {
            answers.push_back(app.onWindowQueryClose());
        }
    };
    window.texts[Control::SequencerRate] = "9600";
    app.onSetBaudRatesClicked();
    EXPECT_EQ(answers, std::vector<bool>{false});
    EXPECT_EQ(sentFrames(),
              (std::vector<std::string>{kEnter, kEnter, "AD 66 66 66 66 AA AB CC BD", kExit,
                                        "AD 66 77 88 66 00 25 80 00 00 00 00 00 00 00 00 00 01 BD", kExit}));
    EXPECT_TRUE(closedLast());
}

}  // namespace
}  // namespace veltrano::test
