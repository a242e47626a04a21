#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>

#include "grid/control/grid_ctrl.h"
#include "grid/file/grid_file.h"
#include "grid/model/byte_picture_codec.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/wide_text.h"
#include "tests/app_window/app_window_fixture.h"

namespace veltrano::appwin {
namespace {

const std::wstring kDefaultCaption = L"信息：";

class FileTest : public AppWindowTest {
protected:
    void TearDown() override {
        AppWindowTest::TearDown();
        for (const std::wstring& path : created_) DeleteFileW(path.c_str());
        RemoveDirectoryW(dataFile().c_str());
    }

    std::wstring scratchFile(const std::wstring& name) {
        const std::wstring path = folder() + name;
        DeleteFileW(path.c_str());
        created_.push_back(path);
        return path;
    }

    static std::optional<grid::GridModel> readTable(const std::wstring& path) {
        grid::GridModel model;
        auto files = grid::file::makeSystemFileSystem();
        grid::BytePictureCodec pictures;
        if (!grid::file::loadGridFile(model, codePage936FromWide(path), *files, pictures)) return std::nullopt;
        return model;
    }

    static std::string fileBytes(const std::wstring& path) {
        std::ifstream in(path.c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static void writeBytes(const std::wstring& path, const std::string& bytes) {
        std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    static void writeTable(const std::wstring& path, int rows) {
        grid::GridModel model;
        ASSERT_TRUE(model.setColumnCount(3));
        ASSERT_TRUE(model.setRowCount(rows));
        auto files = grid::file::makeSystemFileSystem();
        grid::BytePictureCodec pictures;
        ASSERT_TRUE(grid::file::saveGridFile(model, codePage936FromWide(path), *files, pictures));
    }

    void expectBuiltDefaults() {
        ASSERT_EQ(table().rowCount(), 79);
        EXPECT_EQ(cellText(0, 0), "设备");
        EXPECT_EQ(cellText(1, 0), "时序器");
        EXPECT_EQ(cellText(1, 1), "通道1开=");
        for (int row = 1; row <= 78; ++row) EXPECT_EQ(cellText(row, 2), "") << "row " << row;
    }

    std::vector<std::wstring> created_;
};

TEST_F(FileTest, OpeningAFileNamedInUpperCaseDatDoesNothing) {
    const std::wstring upper = scratchFile(L"x.DAT");
    writeTable(upper, 20);
    start();
    dialogs_.expect(DialogAnswer::chooseFile(upper));
    click(component::打开文件);
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].fileDialog);
    EXPECT_EQ(textOf(0), L"Veltrano   " + dataFile());
    EXPECT_EQ(table().rowCount(), 79);
}

TEST_F(FileTest, OpeningADatFileLoadsItAndNamesItInTheCaption) {
    const std::wstring other = scratchFile(L"other.dat");
    writeTable(other, 20);
    ASSERT_TRUE(readTable(other).has_value());
    start();
    dialogs_.expect(DialogAnswer::chooseFile(other));
    click(component::打开文件);
    EXPECT_EQ(textOf(0), L"Veltrano   " + other);
    EXPECT_EQ(table().rowCount(), 20);
}

TEST_F(FileTest, AFileThatDoesNotLoadIsReportedAndTheCurrentFileStays) {
    const std::wstring damaged = scratchFile(L"damaged.dat");
    writeTable(damaged, 20);
    std::string bytes = fileBytes(damaged);
    ASSERT_GT(bytes.size(), 8u);
    bytes.resize(bytes.size() - 7);
    writeBytes(damaged, bytes);
    const std::wstring notATable = scratchFile(L"notes.dat");
    writeBytes(notATable, "row,device,key,code\r\n1,,,FA 01 ED\r\n");
    const std::string notATableBytes = fileBytes(notATable);
    start();
    ASSERT_TRUE(table().setText(9, 2, "AB CD ", false));

    for (const std::wstring& path : {damaged, notATable}) {
        dialogs_.expect(DialogAnswer::chooseFile(path));
        dialogs_.expect(DialogAnswer::press(IDOK));
        click(component::打开文件);
        const auto seen = dialogs_.seen();
        ASSERT_GE(seen.size(), 2u);
        EXPECT_EQ(seen.back().text, L"打开失败，请检查文件是否损坏或被占用。");
        EXPECT_EQ(seen.back().caption, kDefaultCaption);
        EXPECT_EQ(textOf(0), L"Veltrano   " + dataFile());
        EXPECT_EQ(cellText(9, 2), "AB CD ");
        EXPECT_EQ(table().rowCount(), 79);
    }

    // The save goes where the table came from and leaves both files alone.
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::保存文件);
    EXPECT_EQ(dialogs_.seen().back().text, L"保存成功！");
    const auto written = readTable(dataFile());
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->cell(9, 2)->text, "AB CD ");
    EXPECT_EQ(fileBytes(damaged), bytes);
    EXPECT_EQ(fileBytes(notATable), notATableBytes);
}

TEST_F(FileTest, SaveAsThenSaveWritesTheNewFile) {
    const std::wstring saved = scratchFile(L"saved_as.dat");
    start();
    dialogs_.expect(DialogAnswer::chooseFile(saved));
    click(component::另存文件);
    EXPECT_EQ(textOf(0), L"Veltrano   " + saved);
    ASSERT_EQ(dialogs_.seenCount(), 1u) << "save-as reports nothing";
    ASSERT_TRUE(readTable(saved).has_value());

    ASSERT_TRUE(table().setText(9, 2, "AB CD ", false));
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::保存文件);
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, L"保存成功！");
    EXPECT_EQ(seen[1].caption, kDefaultCaption);
    const auto written = readTable(saved);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->cell(9, 2)->text, "AB CD ");
    EXPECT_EQ(written->cell(9, 1)->text, "通道5开=");
    EXPECT_EQ(GetFileAttributesW(dataFile().c_str()), INVALID_FILE_ATTRIBUTES) << "data.dat is left alone";
}

// The table as the user fills it: a code typed into column 2 and codes
// pasted from the clipboard land in their cells and in the saved file.
TEST_F(FileTest, TypedAndPastedCodesAreStoredAndSaved) {
    const std::wstring saved = scratchFile(L"typed.dat");
    start();
    grid::CGridCtrl* grid =
        grid::gridFromObject(services::componentObject(main_window::kWindowId, component::高级表格1));
    ASSERT_NE(grid, nullptr);
    const auto centreOf = [grid](int row, int column) {
        const grid::PixelRect rect = grid->geometry().cellRect(row, column);
        return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    };
    const auto clickCell = [&](int row, int column) {
        SendMessageW(grid->handle(), WM_LBUTTONDOWN, MK_LBUTTON, centreOf(row, column));
        SendMessageW(grid->handle(), WM_LBUTTONUP, 0, centreOf(row, column));
    };

    clickCell(9, 2);
    SendMessageW(grid->handle(), WM_CHAR, L'1', 0);
    ASSERT_NE(grid->editorWindow(), nullptr) << "a character typed into the table starts an edit";
    for (wchar_t character : std::wstring(L"2 AB CD")) SendMessageW(grid->editorWindow(), WM_CHAR, character, 0);
    SendMessageW(grid->editorWindow(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(grid->editing());
    EXPECT_EQ(cellText(9, 2), "12 AB CD");

    const std::wstring pasted = L"34 56\r\n9A BC EF\r\n";
    ASSERT_TRUE(OpenClipboard(window()));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    ASSERT_NE(block, nullptr);
    std::copy_n(pasted.c_str(), pasted.size() + 1, static_cast<wchar_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, block), nullptr);
    CloseClipboard();
    clickCell(10, 2);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(grid->handle(), WM_KEYDOWN, 'V', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(cellText(10, 2), "34 56");
    EXPECT_EQ(cellText(11, 2), "9A BC EF");
    EXPECT_EQ(cellText(12, 2), "");
    EXPECT_EQ(cellText(10, 1), "通道5关=") << "key names stay";

    dialogs_.expect(DialogAnswer::chooseFile(saved));
    click(component::另存文件);
    const auto written = readTable(saved);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->cell(9, 2)->text, "12 AB CD");
    EXPECT_EQ(written->cell(10, 2)->text, "34 56");
    EXPECT_EQ(written->cell(11, 2)->text, "9A BC EF");
}

TEST_F(FileTest, FailingSaveIsReported) {
    // A folder where the data file belongs: nothing can be written there.
    ASSERT_TRUE(CreateDirectoryW(dataFile().c_str(), nullptr));
    start();
    expectBuiltDefaults();
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::保存文件);
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"保存失败，请检查路径或文件是否被占用。");
    EXPECT_EQ(seen[0].caption, kDefaultCaption);
}

TEST_F(FileTest, FirstStartWithoutDataFileShowsDefaultsAndSaveCreatesIt) {
    start();
    EXPECT_EQ(textOf(0), L"Veltrano   " + dataFile());
    expectBuiltDefaults();
    dialogs_.expect(DialogAnswer::press(IDOK));
    click(component::保存文件);
    const auto seen = dialogs_.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"保存成功！");
    const auto written = readTable(dataFile());
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->rowCount(), 79);
    EXPECT_EQ(written->columnCount(), 3);
    EXPECT_EQ(written->columnWidth(2), 570);
    EXPECT_EQ(written->merges().size(), 5u);
    EXPECT_EQ(written->cell(0, 2)->text, "自定义数据");
    EXPECT_EQ(written->cell(67, 0)->text, "扩展区");
    EXPECT_EQ(written->cell(78, 1)->text, "自定义12");
}

}  // namespace
}  // namespace veltrano::appwin
