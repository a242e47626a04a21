#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "grid/control/picture_cell_editor.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/wide_text.h"
#include "tests/grid_control/grid_fixture.h"

namespace veltrano::grid::test {
namespace {

constexpr std::int32_t kListColumn = 1;
constexpr std::int32_t kDateColumn = 2;
constexpr std::int32_t kPictureColumn = 3;

// A grid whose columns are typed by the test, edited through real editor
// windows.
class GridEditorKindsTest : public GridFixture {
protected:
    void typeColumn(std::int32_t column, ColumnKind kind, std::vector<std::string> items = {}) {
        ColumnType type;
        type.column = column;
        type.kind = kind;
        type.items = std::move(items);
        model().addColumnType(type);
    }
    void listColumn(ColumnKind kind) {
        typeColumn(kListColumn, kind, {"Alpha", "Beta", codePage936FromWide(L"\u529f\u653e"), "Bravo"});
    }
    HWND edit(std::int32_t row, std::int32_t column) {
        grid().setCurrentCell(row, column);
        SendMessageW(grid().handle(), WM_KEYDOWN, VK_F2, 0);
        return grid().editorWindow();
    }
    static std::wstring className(HWND window) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        return name;
    }
    static DWORD style(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }
    static std::wstring listItem(HWND list, int index) {
        wchar_t text[64] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    static void key(UINT code) { SendMessageW(GetFocus(), WM_KEYDOWN, code, 0); }
    // The item texts events 6 carried, read where their address points.
    std::vector<std::string> chosenItems() const {
        std::vector<std::string> items;
        for (const FiredEvent& fired : eventsNumbered(grid_event::kListItemChosen)) {
            EXPECT_EQ(fired.arguments.size(), 3u);
            if (fired.arguments.size() != 3) continue;
            EXPECT_EQ(fired.arguments[0], 4u);
            EXPECT_EQ(fired.arguments[1], static_cast<std::uint32_t>(kListColumn));
            const char* text = addressFromWord<const char>(fired.arguments[2]);
            items.emplace_back(text != nullptr ? text : "");
        }
        return items;
    }
    static SYSTEMTIME pickerDate(HWND picker) {
        SYSTEMTIME date{};
        SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
        return date;
    }
};

TEST_F(GridEditorKindsTest, EachColumnKindGetsItsOwnEditorWindow) {
    typeColumn(1, ColumnKind::EditableList, {"a"});
    typeColumn(2, ColumnKind::Date);
    typeColumn(3, ColumnKind::DropDownList, {"b"});
    HWND editable = edit(4, 1);
    EXPECT_EQ(className(editable), L"ComboBox");
    EXPECT_EQ(style(editable) & 3u, static_cast<DWORD>(CBS_DROPDOWN));
    key(VK_ESCAPE);
    HWND date = edit(4, 2);
    EXPECT_EQ(className(date), L"SysDateTimePick32");
    key(VK_ESCAPE);
    HWND dropDown = edit(4, 3);
    EXPECT_EQ(className(dropDown), L"ComboBox");
    EXPECT_EQ(style(dropDown) & 3u, static_cast<DWORD>(CBS_DROPDOWNLIST));
    key(VK_ESCAPE);
    EXPECT_EQ(eventsNumbered(grid_event::kEditRequested).size(), 3u);
    EXPECT_EQ(eventsNumbered(grid_event::kEditBegun).size(), 3u);

    recreate(tableDesign());
    typeColumn(kPictureColumn, ColumnKind::Picture);
    HWND picture = edit(4, kPictureColumn);
    EXPECT_EQ(className(picture), L"Edit");
    EXPECT_NE(style(picture) & static_cast<DWORD>(ES_READONLY), 0u);
    HWND button = FindWindowExW(picture, nullptr, L"Button", nullptr);
    ASSERT_NE(button, nullptr);
    wchar_t caption[8] = {};
    GetWindowTextW(button, caption, 8);
    EXPECT_EQ(std::wstring(caption), L"...");
    EXPECT_TRUE(IsWindowVisible(button));
}

TEST_F(GridEditorKindsTest, ARefusedEditMakesNoListEditor) {
    listColumn(ColumnKind::DropDownList);
    answerEditRequests(false);
    EXPECT_FALSE(grid().beginEdit(4, kListColumn, 0));
    EXPECT_FALSE(grid().editing());
    EXPECT_TRUE(eventsNumbered(grid_event::kEditBegun).empty());
    EXPECT_EQ(FindWindowExW(grid().handle(), nullptr, L"ComboBox", nullptr), nullptr);
}

TEST_F(GridEditorKindsTest, AListOffersTheColumnsItemsAndChoosingByKeyStoresAndAnnouncesTheItem) {
    listColumn(ColumnKind::DropDownList);
    model().setText(4, kListColumn, "Beta", false);
    HWND list = edit(4, kListColumn);
    ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(listItem(list, 2), L"\u529f\u653e");
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 1);
    key(VK_DOWN);
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 2);
    key(VK_RETURN);
    EXPECT_FALSE(grid().editing());
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(cellText(4, kListColumn), codePage936FromWide(L"\u529f\u653e"));
    EXPECT_EQ(chosenItems(), std::vector<std::string>{codePage936FromWide(L"\u529f\u653e")});
    EXPECT_EQ(eventsNumbered(grid_event::kEditEnded).size(), 1u);
    EXPECT_TRUE(grid().userModified());
}

TEST_F(GridEditorKindsTest, TabTakesTheItemHighlightedInTheOpenListOnce) {
    listColumn(ColumnKind::EditableList);
    model().setText(4, kListColumn, "Alpha", false);
    HWND list = edit(4, kListColumn);
    SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
    key(VK_DOWN);
    key(VK_TAB);
    EXPECT_FALSE(grid().editing());
    EXPECT_FALSE(SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(cellText(4, kListColumn), "Beta");
    EXPECT_EQ(chosenItems(), std::vector<std::string>{"Beta"});
}

TEST_F(GridEditorKindsTest, EscapeLeavesTheCellAsItWas) {
    listColumn(ColumnKind::EditableList);
    model().setText(4, kListColumn, "Alpha", false);
    HWND list = edit(4, kListColumn);
    SendMessageW(list, CB_SETCURSEL, 3, 0);
    SendMessageW(grid().handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    key(VK_ESCAPE);
    EXPECT_FALSE(grid().editing());
    EXPECT_EQ(cellText(4, kListColumn), "Alpha");
    EXPECT_EQ(chosenItems(), std::vector<std::string>{"Bravo"});
    EXPECT_TRUE(eventsNumbered(grid_event::kEditEnded).empty());
}

TEST_F(GridEditorKindsTest, TheCharacterStartingAnEditableListBeginsItsText) {
    listColumn(ColumnKind::EditableList);
    model().setText(4, kListColumn, "Alpha", false);
    grid().setCurrentCell(4, kListColumn);
    SendMessageW(grid().handle(), WM_CHAR, L'x', 0);
    ASSERT_TRUE(grid().editing());
    HWND field = GetFocus();
    EXPECT_TRUE(IsChild(grid().editorWindow(), field));
    SendMessageW(field, WM_CHAR, L'y', 0);
    key(VK_TAB);
    EXPECT_EQ(cellText(4, kListColumn), "xy");
    EXPECT_TRUE(eventsNumbered(grid_event::kListItemChosen).empty());
    EXPECT_EQ(eventsNumbered(grid_event::kCharacter).size(), 2u);
}

TEST_F(GridEditorKindsTest, TheCharacterStartingADropDownListChoosesTheFirstItemWithIt) {
    listColumn(ColumnKind::DropDownList);
    grid().setCurrentCell(4, kListColumn);
    SendMessageW(grid().handle(), WM_CHAR, L'b', 0);
    ASSERT_TRUE(grid().editing());
    key(VK_RETURN);
    EXPECT_EQ(cellText(4, kListColumn), "Beta");
    EXPECT_EQ(chosenItems(), std::vector<std::string>{"Beta"});
}

TEST_F(GridEditorKindsTest, ADropDownListLeftWithoutAChoiceKeepsATextThatIsNoItem) {
    listColumn(ColumnKind::DropDownList);
    model().setText(4, kListColumn, "legacy", false);
    HWND list = edit(4, kListColumn);
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), CB_ERR);
    key(VK_RETURN);
    EXPECT_EQ(cellText(4, kListColumn), "legacy");
}

TEST_F(GridEditorKindsTest, FocusLeavingAListEndsTheEditAndStores) {
    listColumn(ColumnKind::EditableList);
    edit(4, kListColumn);
    SendMessageW(GetFocus(), WM_CHAR, L'q', 0);
    SetFocus(grid().handle());
    EXPECT_FALSE(grid().editing());
    EXPECT_EQ(cellText(4, kListColumn), "q");
    EXPECT_EQ(eventsNumbered(grid_event::kEditEnded).size(), 1u);
}

// Focus moving into an editor's inner field and back, or out of an editor
// that is then destroyed, stays inside the component.
TEST_F(GridEditorKindsTest, EditsRaiseNoFocusEventsOfTheGrid) {
    listColumn(ColumnKind::EditableList);
    typeColumn(kDateColumn, ColumnKind::Date);
    SetFocus(grid().handle());
    events_.clear();
    edit(4, kListColumn);
    ASSERT_NE(GetFocus(), grid().editorWindow()) << "the focus sits in the list's own edit field";
    key(VK_RETURN);
    edit(5, kDateColumn);
    key(VK_RETURN);
    EXPECT_FALSE(grid().editing());
    EXPECT_EQ(GetFocus(), grid().handle());
    EXPECT_TRUE(eventsNumbered(grid_event::kGotFocus).empty());
    EXPECT_TRUE(eventsNumbered(grid_event::kLostFocus).empty());
    EXPECT_EQ(eventsNumbered(grid_event::kEditEnded).size(), 2u);
}

TEST_F(GridEditorKindsTest, WhileEditingTheGridKeepsTabEnterAndEscFromItsForm) {
    EXPECT_TRUE(grid().wantsKey(VK_TAB)) << "Tab moves between columns";
    EXPECT_FALSE(grid().wantsKey(VK_ESCAPE));
    EXPECT_FALSE(grid().wantsKey(VK_F1));
    listColumn(ColumnKind::DropDownList);
    edit(4, kListColumn);
    for (UINT key : {VK_TAB, VK_RETURN, VK_ESCAPE}) EXPECT_TRUE(grid().wantsKey(key)) << key;
    EXPECT_FALSE(grid().wantsKey(VK_F1));
}

TEST_F(GridEditorKindsTest, ListEditorsStayForTheNextEditAndDateEditorsGo) {
    listColumn(ColumnKind::DropDownList);
    typeColumn(kDateColumn, ColumnKind::Date);
    HWND first = edit(4, kListColumn);
    key(VK_ESCAPE);
    HWND second = edit(5, kListColumn);
    EXPECT_EQ(first, second);
    EXPECT_TRUE(IsWindowVisible(second));
    key(VK_ESCAPE);
    HWND date = edit(5, kDateColumn);
    ASSERT_NE(date, nullptr);
    key(VK_ESCAPE);
    EXPECT_FALSE(IsWindow(date));
}

TEST_F(GridEditorKindsTest, TheDateEditorStartsAtTheCellsDateAndStoresTheChosenOne) {
    typeColumn(kDateColumn, ColumnKind::Date);
    model().setText(4, kDateColumn, "2024/3/5", false);
    HWND picker = edit(4, kDateColumn);
    const SYSTEMTIME shown = pickerDate(picker);
    EXPECT_EQ(shown.wYear, 2024);
    EXPECT_EQ(shown.wMonth, 3);
    EXPECT_EQ(shown.wDay, 5);
    SYSTEMTIME chosen{};
    chosen.wYear = 2025;
    chosen.wMonth = 12;
    chosen.wDay = 31;
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&chosen));
    key(VK_RETURN);
    EXPECT_EQ(cellText(4, kDateColumn), "2025-12-31");
    EXPECT_EQ(eventsNumbered(grid_event::kEditEnded).size(), 1u);
}

TEST_F(GridEditorKindsTest, ACellThatReadsAsNoDateStartsTheEditorAtToday) {
    typeColumn(kDateColumn, ColumnKind::Date);
    model().setText(4, kDateColumn, "2024-02-30", false);
    HWND picker = edit(4, kDateColumn);
    SYSTEMTIME today{};
    GetLocalTime(&today);
    const SYSTEMTIME shown = pickerDate(picker);
    EXPECT_EQ(shown.wYear, today.wYear);
    EXPECT_EQ(shown.wMonth, today.wMonth);
    EXPECT_EQ(shown.wDay, today.wDay);
    key(VK_ESCAPE);
    EXPECT_EQ(cellText(4, kDateColumn), "2024-02-30");
}

// A picture column's editor with a folder of files to pick from.
class PictureEditorTest : public GridEditorKindsTest {
protected:
    PictureEditorTest() {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        folder_ = std::wstring(base) + L"veltrano-picture-editor-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        typeColumn(kPictureColumn, ColumnKind::Picture);
    }
    ~PictureEditorTest() override {
        for (const std::wstring& file : files_) DeleteFileW(file.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring writeFile(const std::wstring& name, const std::vector<std::uint8_t>& bytes) {
        const std::wstring path = folder_ + L"\\" + name;
        std::ofstream(path.c_str(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        files_.push_back(path);
        return path;
    }
    // A 2 x 1 bitmap file of 24-bit pixels: red, then green.
    static std::vector<std::uint8_t> bitmapFile() {
        return {'B', 'M', 62,  0, 0,   0, 0, 0, 0, 0, 54, 0, 0, 0,                     // file header
                40,  0,   0,   0, 2,   0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,  // size, planes, bits
                0,   0,   0,   0, 0,   0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,  // no compression
                0,   0,   255, 0, 255, 0, 0, 0};                                       // pixels, row padded
    }
    PictureCellEditor* pictureEditor() {
        return dynamic_cast<PictureCellEditor*>(WindowObject::fromHandle(grid().editorWindow()));
    }

    std::wstring folder_;
    std::vector<std::wstring> files_;
};

TEST_F(PictureEditorTest, APickedBitmapGoesIntoTheCell) {
    const std::wstring path = writeFile(L"red.bmp", bitmapFile());
    edit(4, kPictureColumn);
    PictureCellEditor* editor = pictureEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->fileChosen(path));
    ASSERT_NE(model().cell(4, kPictureColumn)->picture(), nullptr);
    EXPECT_EQ(grid().commands().getCellData(4, kPictureColumn).asBytes(), bitmapFile());
    EXPECT_EQ(eventsNumbered(grid_event::kEditEnded).size(), 1u);
    EXPECT_TRUE(grid().userModified());
    EXPECT_TRUE(model().modified());
    key(VK_RETURN);
    EXPECT_FALSE(grid().editing());
    EXPECT_EQ(eventsNumbered(grid_event::kEditEnded).size(), 1u);
}

TEST_F(PictureEditorTest, AFileThatMakesNoPictureChangesNothing) {
    const std::wstring path =
        writeFile(L"notes.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
    edit(4, kPictureColumn);
    PictureCellEditor* editor = pictureEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->fileChosen(path));
    EXPECT_FALSE(editor->fileChosen(folder_ + L"\\missing.bmp"));
    EXPECT_EQ(model().cell(4, kPictureColumn)->picture(), nullptr);
    EXPECT_TRUE(eventsNumbered(grid_event::kEditEnded).empty());
    EXPECT_FALSE(grid().userModified());
    EXPECT_TRUE(grid().editing());
}

}  // namespace
}  // namespace veltrano::grid::test
