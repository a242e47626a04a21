#include "app/protocol/key_table.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "app/protocol/log_lines.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::protocol {
namespace {

using veltrano::test::gbk;

TEST(KeyTableTest, GroupsCoverTheRowsInOrder) {
    const auto groups = keyGroups();
    ASSERT_EQ(groups.size(), 5u);
    const char* names[] = {"时序器", "投影仪", "播放器", "功放", "扩展区"};
    const int firsts[] = {1, 17, 24, 46, 67};
    const int lasts[] = {16, 23, 45, 66, 78};
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(std::string(groups[i].name), gbk(names[i]));
        EXPECT_EQ(groups[i].firstRow, firsts[i]);
        EXPECT_EQ(groups[i].lastRow, lasts[i]);
    }
}

TEST(KeyTableTest, EveryNameSpellsItsKey) {
    const char* expected[] = {
        "通道1开=", "通道1关=", "通道2开=", "通道2关=", "通道3开=", "通道3关=",  "通道4开=",  "通道4关=",  "通道5开=",
        "通道5关=", "通道6开=", "通道6关=", "通道7开=", "通道7关=", "通道8开=",  "通道8关=",  "投影机开=", "投影机关=",
        "VGA1=",    "VGA2=",    "HDMI1=",   "HDMI2=",   "HOME=",    "播放器开=", "播放器关=", "上=",       "下=",
        "左=",      "右=",      "OK=",      "返回=",    "主页=",    "菜单=",     "字幕=",     "音轨=",     "音量+=",
        "音量-=",   "静音=",    "快进=",    "快退=",    "上一曲=",  "下一曲=",   "播放=",     "暂停=",     "停止=",
        "功放开=",  "功放关=",  "movie=",   "music=",   "game=",    "TV=",       "computer=", "golf=",     "HDMI1=",
        "HDMI2=",   "上=",      "下=",      "左=",      "右=",      "OK=",       "返回=",     "主页=",     "菜单=",
        "音量+=",   "音量-=",   "静音=",    "自定义1",  "自定义2",  "自定义3",   "自定义4",   "自定义5",   "自定义6",
        "自定义7",  "自定义8",  "自定义9",  "自定义10", "自定义11", "自定义12"};
    ASSERT_EQ(std::size(expected), static_cast<std::size_t>(kKeyRowCount));
    for (int row = kFirstKeyRow; row <= kLastKeyRow; ++row) {
        EXPECT_EQ(std::string(keyName(row)), gbk(expected[row - 1])) << "row " << row;
    }
}

TEST(KeyTableTest, OnlyTheCustomKeysLackTheEqualsSign) {
    for (int row = kFirstKeyRow; row <= kLastKeyRow; ++row) {
        const auto name = keyName(row);
        ASSERT_FALSE(name.empty()) << "row " << row;
        EXPECT_EQ(name.back() == '=', row < 67) << "row " << row;
    }
    EXPECT_TRUE(keyName(0).empty());
    EXPECT_TRUE(keyName(79).empty());
}

TEST(KeyTableTest, HeaderTextsAreCodePage936) {
    EXPECT_EQ(std::string(kDeviceHeader), gbk("设备"));
    EXPECT_EQ(std::string(kFunctionHeader), gbk("功能"));
    EXPECT_EQ(std::string(kDataHeader), gbk("自定义数据"));
}

TEST(LogLinesTest, EveryLineIsItsCodePage936Text) {
    EXPECT_EQ(std::string(kPortOpenedPrefix), gbk("打开端口: "));
    EXPECT_EQ(std::string(kPortClosedLine), gbk("端口已关闭\r\n"));
    EXPECT_EQ(std::string(kTestSentLine), gbk("请查看设备是否被正确控制\r\n"));
    EXPECT_EQ(std::string(kPortSettingSentLine), gbk("设置信息已发出\r\n"));
    EXPECT_EQ(std::string(kLearningStartedLine), gbk("请按红外遥控器按钮，尽量短按，切勿长按按钮\r\n"));
    EXPECT_EQ(std::string(kClearSentLine), gbk("已发送清空指令\r\n"));
    EXPECT_EQ(std::string(kReadRequestSentLine), gbk("已发送读取指令\r\n"));
    EXPECT_EQ(std::string(kEnterConfigLine), gbk("模块进入配置模式\r\n"));
    EXPECT_EQ(std::string(kExitConfigLine), gbk("模块退出配置模式\r\n"));
    EXPECT_EQ(std::string(kReadBackStartedLine), gbk("开始从模块提取数据\r\n"));
    EXPECT_EQ(std::string(kReadBackCompleteLine), gbk("数据提取完成\r\n"));
    EXPECT_EQ(std::string(kInvalidDataPrefix), gbk("位置在"));
}

}  // namespace
}  // namespace veltrano::protocol
