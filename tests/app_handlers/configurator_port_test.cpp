#include "tests/app_handlers/configurator_fixture.h"

namespace veltrano::test {
namespace {

class SerialConnectionTest : public ConfiguratorTest {
protected:
    void SetUp() override {
        registry.names = std::vector<std::string>{"COM3", "COM7"};
        app.onWindowCreated();
    }
};

TEST_F(SerialConnectionTest, NoPortsSaysSoAndOpensNothing) {
    registry.names = std::nullopt;
    app.onPortListDroppedDown();
    app.onOpenClosePortClicked();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, gbk("无可用端口"));
    EXPECT_TRUE(line.calls.empty());
    EXPECT_FALSE(state.portOpen);
}

TEST_F(SerialConnectionTest, OpeningSetsTheLineAndUnlocksTheModuleButtons) {
    window.select(Control::PortList, 1);
    window.select(Control::BaudList, 1);
    app.onOpenClosePortClicked();
    EXPECT_EQ(line.calls, (std::vector<std::string>{"open 7", "ioctl 7 13 3", "timeouts 7 1000 0"}));
    EXPECT_TRUE(state.portOpen);
    EXPECT_EQ(state.portNumber, 7);
    EXPECT_EQ(window.texts[Control::PortButton], gbk("关闭"));
    EXPECT_EQ(window.log, gbk("打开端口: COM7 19200\r\n"));
    EXPECT_TRUE(moduleButtonsDisabled(false));
    EXPECT_EQ(window.timerInterval, 10);
}

TEST_F(SerialConnectionTest, RefusedOpenShowsTheLibraryCode) {
    line.openResult = -2;
    window.select(Control::PortList, 0);
    app.onOpenClosePortClicked();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, gbk("端口打开失败-2"));
    EXPECT_FALSE(state.portOpen);
    EXPECT_EQ(state.portNumber, 3);
    EXPECT_EQ(line.calls, (std::vector<std::string>{"open 3"}));
    EXPECT_TRUE(moduleButtonsDisabled(true));
    EXPECT_EQ(window.timerInterval, 0);
}

TEST_F(SerialConnectionTest, NoSelectionOpensPortZero) {
    line.openResult = -1;
    app.onOpenClosePortClicked();
    EXPECT_EQ(line.calls, (std::vector<std::string>{"open 0"}));
    EXPECT_EQ(window.messages.at(0).text, gbk("端口打开失败-1"));
}

TEST_F(SerialConnectionTest, CloseAndReopenToggleCaptionAndLog) {
    window.select(Control::PortList, 0);
    app.onOpenClosePortClicked();
    app.onOpenClosePortClicked();
    EXPECT_FALSE(state.portOpen);
    EXPECT_EQ(state.portNumber, -1);
    EXPECT_EQ(window.texts[Control::PortButton], gbk("开启"));
    EXPECT_TRUE(moduleButtonsDisabled(true));
    EXPECT_EQ(line.calls.back(), "close 3");
    app.onOpenClosePortClicked();
    EXPECT_EQ(window.texts[Control::PortButton], gbk("关闭"));
    EXPECT_EQ(window.log, gbk("打开端口: COM3 115200\r\n端口已关闭\r\n打开端口: COM3 115200\r\n"));
}

TEST_F(SerialConnectionTest, RefillWhileOpenKeepsThePortOpen) {
    window.select(Control::PortList, 0);
    app.onOpenClosePortClicked();
    registry.names = std::vector<std::string>{"COM9"};
    app.onPortListDroppedDown();
    EXPECT_EQ(window.combos[Control::PortList].items, (std::vector<std::pair<std::string, int>>{{"COM9", 9}}));
    EXPECT_EQ(window.combos[Control::PortList].selected, -1);
    EXPECT_TRUE(state.portOpen);
    EXPECT_EQ(state.portNumber, 3);
}

class SendTestTest : public ConfiguratorTest {};

TEST_F(SendTestTest, NeedsAnOpenPort) {
    app.onWindowCreated();
    window.texts[Control::LearnInput] = "FA 01 ED";
    app.onSendTestClicked();
    EXPECT_EQ(window.messages.at(0).text, gbk("请先打开端口"));
    EXPECT_TRUE(line.written.empty());
}

TEST_F(SendTestTest, OnlySpacesAskForData) {
    startWithOpenPort();
    window.texts[Control::LearnInput] = gbk(" 　 ");
    app.onSendTestClicked();
    EXPECT_EQ(window.messages.at(0).text, gbk("请输入数据"));
    EXPECT_TRUE(line.written.empty());
}

TEST_F(SendTestTest, SendsTheBytesAndLogsAWholeWrite) {
    startWithOpenPort();
    window.texts[Control::LearnInput] = gbk("fa 01　02 ed");
    app.onSendTestClicked();
    EXPECT_EQ(sentFrames(), (std::vector<std::string>{"FA 01 02 ED"}));
    EXPECT_EQ(window.log, gbk("请查看设备是否被正确控制\r\n"));
}

TEST_F(SendTestTest, ShortWriteLogsNothing) {
    startWithOpenPort();
    line.shortWrite = 2;
    window.texts[Control::LearnInput] = "FA0102ED";
    app.onSendTestClicked();
    EXPECT_EQ(line.written.size(), 1u);
    EXPECT_EQ(window.log, "");
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(SendTestTest, BadHexIsReportedByTheCodecAndNotSent) {
    startWithOpenPort();
    window.texts[Control::LearnInput] = "FA0";
    app.onSendTestClicked();
    EXPECT_TRUE(line.written.empty());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, gbk("十六进制数据长度必须是偶数"));
    EXPECT_EQ(window.messages[0].caption, gbk("错误"));
}

}  // namespace
}  // namespace veltrano::test
