#include <cstring>
#include <fstream>

#include "app/configurator/configurator_texts.h"
#include "app/main/application_constants.h"
#include "grid/file/grid_file.h"
#include "grid/model/byte_picture_codec.h"
#include "runtime/kernel/wide_text.h"
#include "tests/app_window/app_window_fixture.h"

namespace veltrano::appwin {
namespace {

// Column 1 of rows 1..78, as the user reads them.
const char* const kKeyNames[78] = {
    "通道1开=", "通道1关=", "通道2开=", "通道2关=", "通道3开=", "通道3关=",  "通道4开=",  "通道4关=",  "通道5开=",
    "通道5关=", "通道6开=", "通道6关=", "通道7开=", "通道7关=", "通道8开=",  "通道8关=",  "投影机开=", "投影机关=",
    "VGA1=",    "VGA2=",    "HDMI1=",   "HDMI2=",   "HOME=",    "播放器开=", "播放器关=", "上=",       "下=",
    "左=",      "右=",      "OK=",      "返回=",    "主页=",    "菜单=",     "字幕=",     "音轨=",     "音量+=",
    "音量-=",   "静音=",    "快进=",    "快退=",    "上一曲=",  "下一曲=",   "播放=",     "暂停=",     "停止=",
    "功放开=",  "功放关=",  "movie=",   "music=",   "game=",    "TV=",       "computer=", "golf=",     "HDMI1=",
    "HDMI2=",   "上=",      "下=",      "左=",      "右=",      "OK=",       "返回=",     "主页=",     "菜单=",
    "音量+=",   "音量-=",   "静音=",    "自定义1",  "自定义2",  "自定义3",   "自定义4",   "自定义5",   "自定义6",
    "自定义7",  "自定义8",  "自定义9",  "自定义10", "自定义11", "自定义12"};

struct Group {
    int top;
    int bottom;
    const char* name;
};
const Group kGroups[] = {
    {1, 16, "时序器"}, {17, 23, "投影仪"}, {24, 45, "播放器"}, {46, 66, "功放"}, {67, 78, "扩展区"}};

bool centred(const grid::GridModel& model, int row, int column) {
    const grid::Cell* cell = model.cell(row, column);
    return cell != nullptr && (cell->format & grid::kFormatCentre) != 0;
}

// A table file the application never builds itself, so loading it shows.
void writeForeignTable(const std::wstring& path) {
    grid::GridModel model;
    ASSERT_TRUE(model.setColumnCount(3));
    ASSERT_TRUE(model.setRowCount(5));
    ASSERT_TRUE(model.setText(1, 1, "外来键=", false));
    ASSERT_TRUE(model.setText(1, 2, "FA 01 02 ED ", false));
    auto files = grid::file::makeSystemFileSystem();
    grid::BytePictureCodec pictures;
    ASSERT_TRUE(grid::file::saveGridFile(model, codePage936FromWide(path), *files, pictures));
}

std::vector<char> fileBytes(const std::wstring& path) {
    std::ifstream in(codePage936FromWide(path), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::wstring& path, const std::vector<char>& bytes) {
    std::ofstream out(codePage936FromWide(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void expectBuiltTable(const grid::GridModel& model) {
    ASSERT_EQ(model.rowCount(), 79);
    EXPECT_EQ(model.cell(0, 0)->text, "设备");
    EXPECT_EQ(model.cell(0, 1)->text, "功能");
    EXPECT_EQ(model.cell(0, 2)->text, "自定义数据");
    for (int row = 1; row <= 78; ++row) {
        EXPECT_EQ(model.cell(row, 1)->text, kKeyNames[row - 1]) << "row " << row;
    }
}

class StartupTest : public AppWindowTest {};

TEST_F(StartupTest, BuildsTheTableShape) {
    start();
    const grid::GridModel& model = table();
    ASSERT_EQ(model.rowCount(), 79);
    ASSERT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.fixedRowCount(), 1);
    EXPECT_EQ(model.fixedColumnCount(), 2);
    EXPECT_EQ(model.columnWidth(0), 60);
    EXPECT_EQ(model.columnWidth(1), 80);
    EXPECT_EQ(model.columnWidth(2), 570);

    ASSERT_EQ(model.merges().size(), 5u);
    for (std::size_t index = 0; index < 5; ++index) {
        const grid::MergeRecord& merge = model.merges()[index];
        const Group& group = kGroups[index];
        EXPECT_EQ(merge.top, group.top);
        EXPECT_EQ(merge.bottom, group.bottom);
        EXPECT_EQ(merge.left, 0);
        EXPECT_EQ(merge.right, 0);
        EXPECT_EQ(model.cell(group.top, 0)->text, group.name);
    }
}

TEST_F(StartupTest, TheConstantAreaHoldsEveryLiteralTextOfTheProgram) {
    start();
    RuntimeHeap& heap = runtime_->heap();
    const char* const literals[] = {
        app::kConstants.emptyText,
        reinterpret_cast<const char*>(app::kConstants.emptyByteSet),
        configurator::text::kNoPorts.data(),
        configurator::text::kConfirmPortSetting.data(),
        "\xC8\xB7\xB6\xA8",  // 确定
    };
    for (const char* literal : literals) {
        EXPECT_TRUE(heap.isConstant(literal)) << "not in the constant area: " << static_cast<const void*>(literal);
        // A literal taken for a heap block would reach the heap's own free.
        heap.free(const_cast<char*>(literal));
    }
    EXPECT_EQ(std::string(configurator::text::kNoPorts), "\xCE\xDE\xBF\xC9\xD3\xC3\xB6\xCB\xBF\xDA");
    // Reallocating a literal copies it out into a block of the heap.
    auto* copy = static_cast<char*>(heap.reallocate(const_cast<char*>(configurator::text::kNoPorts.data()), 64));
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(heap.isConstant(copy));
    EXPECT_EQ(std::memcmp(copy, configurator::text::kNoPorts.data(), configurator::text::kNoPorts.size()), 0);
    heap.free(copy);
    int onTheStack = 0;
    EXPECT_FALSE(heap.isConstant(&onTheStack));
}

TEST_F(StartupTest, WritesHeadersKeyNamesAndCentresTheFixedColumns) {
    start();
    const grid::GridModel& model = table();
    expectBuiltTable(model);
    for (int column = 0; column <= 2; ++column) EXPECT_TRUE(centred(model, 0, column)) << "header " << column;
    for (int row = 1; row <= 78; ++row) {
        EXPECT_TRUE(centred(model, row, 0)) << "row " << row;
        EXPECT_TRUE(centred(model, row, 1)) << "row " << row;
        EXPECT_FALSE(centred(model, row, 2)) << "row " << row;
        EXPECT_EQ(model.cell(row, 2)->text, "") << "row " << row;
    }
}

TEST_F(StartupTest, CaptionNamesTheDataFileAndOnlyPortFileAndTableControlsRespond) {
    start({L"COM3", L"COM12"});
    EXPECT_EQ(textOf(0), L"Veltrano   " + dataFile());
    EXPECT_EQ(moduleButtonStates(), std::vector<bool>(6, false));
    EXPECT_TRUE(enabled(component::按钮_开关端口));
    EXPECT_TRUE(enabled(component::打开文件));
    EXPECT_TRUE(enabled(component::保存文件));
    EXPECT_TRUE(enabled(component::另存文件));
    EXPECT_TRUE(enabled(component::高级表格1));
    EXPECT_EQ(textOf(component::按钮_开关端口), L"开启");
    EXPECT_EQ(items(component::组合框_串口), (std::vector<std::wstring>{L"COM3", L"COM12"}));
    EXPECT_EQ(selectedIndex(component::组合框_串口), CB_ERR);
    EXPECT_EQ(items(component::组合框_波特率),
              (std::vector<std::wstring>{L"9600", L"19200", L"38400", L"57600", L"115200"}));
    EXPECT_EQ(selectedIndex(component::组合框_波特率), 4);
    EXPECT_EQ(items(component::组合框_绑定端口), (std::vector<std::wstring>{L"时序器", L"投影仪", L"播放器", L"功放"}));
    EXPECT_EQ(selectedIndex(component::组合框_绑定端口), 0);
    EXPECT_EQ(dialogs_.seenCount(), 0u);
    EXPECT_EQ(library_.callCount(), 0u) << "nothing touches the line before the user opens a port";
}

TEST_F(StartupTest, LoadsDataDatWhenItIsThere) {
    writeForeignTable(dataFile());
    start();
    const grid::GridModel& model = table();
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(cellText(1, 1), "外来键=");
    EXPECT_EQ(cellText(1, 2), "FA 01 02 ED ");
    EXPECT_EQ(textOf(0), L"Veltrano   " + dataFile());
    EXPECT_EQ(dialogs_.seenCount(), 0u);
}

TEST_F(StartupTest, DamagedDataDatLeavesTheBuiltTable) {
    writeForeignTable(dataFile());
    std::vector<char> bytes = fileBytes(dataFile());
    ASSERT_GT(bytes.size(), 40u);
    bytes.resize(bytes.size() / 2);
    writeFileBytes(dataFile(), bytes);
    start();
    expectBuiltTable(table());
    EXPECT_EQ(table().merges().size(), 5u);
    EXPECT_EQ(textOf(0), L"Veltrano   " + dataFile());
    EXPECT_EQ(dialogs_.seenCount(), 0u) << "an unreadable data file is not reported";
}

TEST_F(StartupTest, GarbageDataDatLeavesTheBuiltTable) {
    writeFileBytes(dataFile(), std::vector<char>{'n', 'o', 't', ' ', 'a', ' ', 't', 'a', 'b', 'l', 'e'});
    start();
    expectBuiltTable(table());
    EXPECT_EQ(dialogs_.seenCount(), 0u);
}

}  // namespace
}  // namespace veltrano::appwin
