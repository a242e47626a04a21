#include "tests/app_handlers/configurator_fixture.h"

namespace veltrano::test {
namespace {

using configurator::FileDialogKind;

class StartUpTest : public ConfiguratorTest {};

TEST_F(StartUpTest, BuildsTheTableShape) {
    app.onWindowCreated();
    EXPECT_EQ(grid.rowCount, 79);
    EXPECT_EQ(grid.widths, (std::map<int, int>{{0, 60}, {1, 80}, {2, 570}}));
    EXPECT_EQ(grid.centred, (std::vector<ModelGrid::Range>{{0, 0, 0, 3}, {0, 0, 78, 1}}));
    EXPECT_EQ(grid.merges, (std::vector<ModelGrid::Range>{
                               {1, 0, 16, 0}, {17, 0, 23, 0}, {24, 0, 45, 0}, {46, 0, 66, 0}, {67, 0, 78, 0}}));
}

TEST_F(StartUpTest, WritesHeadersGroupsAndKeyNames) {
    app.onWindowCreated();
    EXPECT_EQ(grid.cellText(0, 0), gbk("设备"));
    EXPECT_EQ(grid.cellText(0, 1), gbk("功能"));
    EXPECT_EQ(grid.cellText(0, 2), gbk("自定义数据"));
    EXPECT_EQ(grid.cellText(1, 0), gbk("时序器"));
    EXPECT_EQ(grid.cellText(17, 0), gbk("投影仪"));
    EXPECT_EQ(grid.cellText(24, 0), gbk("播放器"));
    EXPECT_EQ(grid.cellText(46, 0), gbk("功放"));
    EXPECT_EQ(grid.cellText(67, 0), gbk("扩展区"));
    EXPECT_EQ(grid.cellText(1, 1), gbk("通道1开="));
    EXPECT_EQ(grid.cellText(21, 1), "HDMI1=");
    EXPECT_EQ(grid.cellText(66, 1), gbk("静音="));
    EXPECT_EQ(grid.cellText(78, 1), gbk("自定义12"));
    EXPECT_EQ(grid.cellText(2, 0), "");
    EXPECT_EQ(grid.cellText(5, 2), "");
}

TEST_F(StartUpTest, LoadsDataFileBesideTheProgramAndShowsItsPath) {
    grid.files["C:\\prog\\data.dat"] = {{{3, 2}, "FA 01 "}};
    app.onWindowCreated();
    EXPECT_EQ(state.currentFilePath, "C:\\prog\\data.dat");
    EXPECT_EQ(window.texts[Control::Window], "Veltrano   C:\\prog\\data.dat");
    EXPECT_EQ(grid.loads, (std::vector<std::string>{"C:\\prog\\data.dat"}));
    EXPECT_EQ(grid.cellText(3, 2), "FA 01 ");
}

TEST_F(StartUpTest, MissingDataFileKeepsBuiltTableAndExpectedPath) {
    app.onWindowCreated();
    EXPECT_EQ(window.texts[Control::Window], "Veltrano   C:\\prog\\data.dat");
    EXPECT_EQ(grid.cellText(1, 1), gbk("通道1开="));
    EXPECT_TRUE(window.messages.empty());
    app.onSaveFileClicked();
    EXPECT_EQ(grid.files.count("C:\\prog\\data.dat"), 1u);
}

TEST_F(StartUpTest, ChangedCaptionSkipsTheDataFile) {
    window.texts[Control::Window] = "Veltrano ";
    app.onWindowCreated();
    EXPECT_TRUE(state.currentFilePath.empty());
    EXPECT_TRUE(grid.loads.empty());
    EXPECT_EQ(window.texts[Control::Window], "Veltrano ");
}

TEST_F(StartUpTest, FillsTheListsAndSetsThePortControls) {
    registry.names = std::vector<std::string>{"COM3", "com10", "\\Device\\LPT1", "COMx", "COM3"};
    app.onWindowCreated();
    EXPECT_EQ(window.visualStyle, 2);
    EXPECT_EQ(window.combos[Control::PortList].items,
              (std::vector<std::pair<std::string, int>>{{"COM3", 3}, {"COM10", 10}, {"COM0", 0}, {"COM3", 3}}));
    EXPECT_EQ(window.combos[Control::PortList].selected, -1);
    const auto& rates = window.combos[Control::BaudList];
    ASSERT_EQ(rates.items.size(), 5u);
    EXPECT_EQ(rates.items.front().first, "9600");
    EXPECT_EQ(rates.items.back().first, "115200");
    EXPECT_EQ(rates.selected, 4);
    const auto& binding = window.combos[Control::BindingList];
    ASSERT_EQ(binding.items.size(), 4u);
    EXPECT_EQ(binding.items[0].first, gbk("时序器"));
    EXPECT_EQ(binding.items[3].first, gbk("功放"));
    EXPECT_EQ(binding.selected, 0);
    EXPECT_EQ(window.texts[Control::PortButton], gbk("开启"));
    EXPECT_EQ(state.portNumber, -1);
    EXPECT_FALSE(state.portOpen);
    EXPECT_TRUE(moduleButtonsDisabled(true));
    EXPECT_FALSE(window.isDisabled(Control::PortButton));
}

TEST_F(StartUpTest, PortListStaysEmptyWithoutTheRegistryKey) {
    registry.names = std::nullopt;
    app.onWindowCreated();
    EXPECT_TRUE(window.combos[Control::PortList].items.empty());
}

class DataFileTest : public ConfiguratorTest {
protected:
    void SetUp() override { app.onWindowCreated(); }
};

TEST_F(DataFileTest, OpenTakesOnlyLowerCaseDatNames) {
    grid.files["D:\\x.DAT"] = {{{1, 2}, "11 "}};
    window.chosenFile = "D:\\x.DAT";
    app.onOpenFileClicked();
    EXPECT_EQ(state.currentFilePath, "C:\\prog\\data.dat");
    EXPECT_EQ(grid.cellText(1, 2), "");
    ASSERT_EQ(window.dialogs.size(), 1u);
    EXPECT_EQ(window.dialogs[0], std::make_pair(FileDialogKind::Open, std::string(".dat")));

    grid.files["D:\\y.dat"] = {{{1, 2}, "22 "}};
    window.chosenFile = "D:\\y.dat";
    app.onOpenFileClicked();
    EXPECT_EQ(state.currentFilePath, "D:\\y.dat");
    EXPECT_EQ(window.texts[Control::Window], "Veltrano   D:\\y.dat");
    EXPECT_EQ(grid.cellText(1, 2), "22 ");
}

TEST_F(DataFileTest, AFileThatDoesNotLoadIsReportedAndTheCurrentFileStays) {
    grid.setCellText(4, 2, "AB ");
    window.chosenFile = "D:\\damaged.dat";
    app.onOpenFileClicked();
    EXPECT_EQ(grid.loads.back(), "D:\\damaged.dat");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, gbk("打开失败，请检查文件是否损坏或被占用。"));
    EXPECT_FALSE(window.messages[0].caption.has_value());
    EXPECT_EQ(state.currentFilePath, "C:\\prog\\data.dat");
    EXPECT_EQ(window.texts[Control::Window], "Veltrano   C:\\prog\\data.dat");
    EXPECT_EQ(grid.cellText(4, 2), "AB ");

    // The next save goes where the table came from, not over the file
    // that could not be opened.
    app.onSaveFileClicked();
    EXPECT_EQ(grid.files.count("D:\\damaged.dat"), 0u);
    EXPECT_EQ(grid.files["C:\\prog\\data.dat"][std::make_pair(4, 2)], "AB ");
    EXPECT_EQ(window.messages.back().text, gbk("保存成功！"));
}

TEST_F(DataFileTest, CancelledOpenChangesNothing) {
    window.chosenFile = std::nullopt;
    app.onOpenFileClicked();
    EXPECT_EQ(window.texts[Control::Window], "Veltrano   C:\\prog\\data.dat");
    EXPECT_EQ(grid.loads.size(), 1u);
}

TEST_F(DataFileTest, SaveAsThenSaveWritesTheNewFile) {
    grid.setCellText(4, 2, "AB ");
    window.chosenFile = "E:\\new.dat";
    app.onSaveFileAsClicked();
    EXPECT_EQ(window.dialogs.back().first, FileDialogKind::Save);
    EXPECT_EQ(window.texts[Control::Window], "Veltrano   E:\\new.dat");
    EXPECT_TRUE(window.messages.empty());
    grid.setCellText(4, 2, "CD ");
    app.onSaveFileClicked();
    EXPECT_EQ(grid.files["E:\\new.dat"][std::make_pair(4, 2)], "CD ");
    EXPECT_EQ(grid.files.count("C:\\prog\\data.dat"), 0u);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, gbk("保存成功！"));
    EXPECT_FALSE(window.messages[0].caption.has_value());
}

TEST_F(DataFileTest, FailedSaveSaysSo) {
    grid.lockedPaths.push_back("C:\\prog\\data.dat");
    app.onSaveFileClicked();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, gbk("保存失败，请检查路径或文件是否被占用。"));
}

TEST_F(DataFileTest, FailedSaveAsStillShowsTheNewName) {
    grid.lockedPaths.push_back("E:\\locked.dat");
    window.chosenFile = "E:\\locked.dat";
    app.onSaveFileAsClicked();
    EXPECT_EQ(window.texts[Control::Window], "Veltrano   E:\\locked.dat");
    EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace veltrano::test
