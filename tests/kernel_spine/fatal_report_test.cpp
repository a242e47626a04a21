#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "runtime/kernel/fatal_report_text.h"

namespace veltrano {
namespace {

class FakeLookup : public LocationLookup {
public:
    std::map<std::uint32_t, std::string> windows;
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::string> components;

    std::optional<std::string> windowEntryName(std::uint32_t windowId) const override {
        auto it = windows.find(windowId);
        if (it == windows.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> componentName(std::uint32_t windowId, std::uint32_t componentId) const override {
        auto it = components.find({windowId, componentId});
        if (it == components.end()) return std::nullopt;
        return it->second;
    }
};

class LocationTextTest : public ::testing::Test {
protected:
    LocationTextTest() {
        lookup.windows[0x52010001] = "";
        lookup.components[{0x52010001, 0}] = "";
        lookup.components[{0x52010001, 0x16010614}] = "编辑框_显示";
    }
    FakeLookup lookup;
};

TEST_F(LocationTextTest, NamesTheWindowEntryAndTheComponentInQuotes) {
    EXPECT_EQ(buildLocationText(lookup, 0x52010001, 0x16010614),
              "\r\n1375797249, 369165844\r\n\"\"\r\n\"编辑框_显示\"\r\n");
}

TEST_F(LocationTextTest, ComponentZeroIsTheWindowsOwnEntry) {
    EXPECT_EQ(buildLocationText(lookup, 0x52010001, 0), "\r\n1375797249, 0\r\n\"\"\r\n\"\"\r\n");
}

TEST_F(LocationTextTest, UnknownComponentAndUnknownWindowAreSaidSo) {
    EXPECT_EQ(buildLocationText(lookup, 0x52010001, 0x16019999),
              "\r\n1375797249, 369203609\r\n\"\"\r\n未找到所指定的窗口组件\r\n");
    EXPECT_EQ(buildLocationText(lookup, 0x52010002, 0), "\r\n1375797250, 0\r\n未找到所指定的窗口\r\n");
}

TEST_F(LocationTextTest, IdsThatAreNotWindowIdsGiveOnlyTheNumbers) {
    // An application routine's id (4 in bits 24-27) and a position inside it.
    EXPECT_EQ(buildLocationText(lookup, 0x04000012, 7), "\r\n67108882, 7\r\n");
    EXPECT_EQ(buildLocationText(lookup, 0, 0), "\r\n0, 0\r\n");
    EXPECT_EQ(buildLocationText(lookup, 0xF2000001, 0), "\r\n-234881023, 0\r\n未找到所指定的窗口\r\n");
}

TEST(FatalReportText, CodeZeroAndEmptyMessageShowOnlyHeadingAndLocation) {
    EXPECT_EQ(buildFatalReportText("", 0, "\r\n0, 0\r\n"), "运行时出错!\r\n\r\n0, 0\r\n");
}

TEST(FatalReportText, CodeAndMessageHaveTheirLines) {
    EXPECT_EQ(buildFatalReportText("调用DLL命令后发现堆栈错误", 6, "\r\n1, 2\r\n"),
              "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n\r\n1, 2\r\n");
    EXPECT_EQ(buildFatalReportText("载入启动窗口失败", 0, "\r\n0, 0\r\n"),
              "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n\r\n0, 0\r\n");
}

TEST(NumberedErrors, MessagesByNumber) {
    EXPECT_EQ(numberedErrorMessage(1), "数组成员引用下标超出定义范围");
    EXPECT_EQ(numberedErrorMessage(4), "数组成员引用下标必须大于等于1");
    EXPECT_EQ(numberedErrorMessage(5), "数据或数组类型不匹配");
    EXPECT_EQ(numberedErrorMessage(6), "调用DLL命令后发现堆栈错误");
    EXPECT_EQ(numberedErrorMessage(11), "所提供参数的数据类型不符合要求");
    EXPECT_TRUE(numberedErrorMessage(0).empty());
    EXPECT_TRUE(numberedErrorMessage(12).empty());
}

}  // namespace
}  // namespace veltrano
