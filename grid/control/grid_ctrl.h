#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "components/classdata/grid_design_data.h"
#include "components/support/component_object.h"
#include "grid/control/cell_editor_host.h"
#include "grid/control/grid_geometry.h"
#include "grid/control/grid_painter.h"
#include "grid/control/grid_pictures.h"
#include "grid/model/cell_navigation.h"
#include "grid/model/cell_range.h"
#include "grid/model/grid_commands.h"
#include "grid/model/grid_model.h"
#include "grid/model/picture.h"
#include "runtime/dispatch/property_kind.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano::grid {

class CellEditor;
class TitleTip;

// The grid's own events, and the common events it fires as well.
namespace grid_event {
inline constexpr std::int32_t kFocusChanged = 0;
inline constexpr std::int32_t kEditBegun = 1;
inline constexpr std::int32_t kEditEnded = 2;
inline constexpr std::int32_t kColumnResized = 4;
inline constexpr std::int32_t kMouseReleased = 5;
inline constexpr std::int32_t kListItemChosen = 6;
inline constexpr std::int32_t kEditRequested = 7;
inline constexpr std::int32_t kFixedCellReleased = 8;
inline constexpr std::int32_t kFixedCellDoubleClicked = 9;
inline constexpr std::int32_t kGotFocus = -7;
inline constexpr std::int32_t kLostFocus = -8;
inline constexpr std::int32_t kCharacter = -11;

// Rows, columns and points travel as event words.
inline std::uint32_t word(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}
}  // namespace grid_event

// The grid's own properties, by index (the property number minus 8).
enum class GridProperty : int {
    GridLineColour = 0,
    CellBackgroundColour,
    CellTextColour,
    FocusColour,
    GridLines,
    RowsResizable,
    ColumnsResizable,
    RowHeight,
    ColumnWidth,
    RowCount,
    ColumnCount,
    FixedRowCount,
    FixedColumnCount,
    Editable,
    PrintDialog,
    SelectionAllowed,
    StoredOption,
    BackgroundColour,
    StoredSetting,
    FrameSetting,
    EnterMode,
    FixedCellClickSelects,
    WholeRowSelection,
    SelectionBackgroundColour,
    StoredFlag,
    GridLineWidth,
    SelectionTextColour,
    ShowZeroValues,
    ExtraColour,
    BorderStyle,
};
inline constexpr int kGridPropertyCount = 30;

// The grid component's control: the cell model, its design values, the
// drawing and the in-place editors. Its work is spread over files by kind:
// scrolling, keys, mouse, clipboard, editing and properties.
class CGridCtrl final : public ComponentObject, public CellEditorHost {
public:
    static constexpr const wchar_t* kWindowClassName = L"MYGridCtrl";

    CGridCtrl();
    ~CGridCtrl() override;

    // Makes the control's window under parent; false when the system refuses.
    bool create(HWND parent, DWORD style, UINT controlId, int left, int top, int width, int height);
    // Sets every design value in the order the component is built from them.
    void applyDesign(const classdata::GridDesignData& design);
    const classdata::GridDesignData& design() const { return design_; }
    // The design values with what the grid holds now (counts, settings a
    // loaded file changed), as a read or a saved state gives them.
    classdata::GridDesignData currentDesign() const;

    // Property writes and reads by index; false for an unknown index.
    bool writeProperty(int index, const RawValue& value);
    bool readProperty(int index, RawValue& value) const;

    GridModel& model() { return model_; }
    const GridModel& model() const { return model_; }
    PictureCodec& pictureCodec() override { return *pictureCodec_; }
    GridCommands commands() { return GridCommands(model_, *pictureCodec_); }

    // The merge command; a merge refused for an overlap also drops the
    // selected range this control keeps for copying and extending.
    void mergeCells(std::int32_t top, std::int32_t left, std::optional<std::int32_t> bottom,
                    std::optional<std::int32_t> right);
    // Clears the selection, scrolls the cell into view and focuses it; event
    // 0 when the focus moved.
    void setCurrentCell(std::int32_t row, std::int32_t column);
    // Scroll position: the first scrolled row and column shown.
    std::int32_t topRow() const { return topRow_; }
    std::int32_t leftColumn() const { return leftColumn_; }
    void scrollTo(std::int32_t topRow, std::int32_t leftColumn);
    void updateScrollBars();
    void redraw();
    void redrawCell(std::int32_t row, std::int32_t column);
    // Called after the model changed wholesale (a file was loaded).
    void modelReplaced();

    GridGeometry geometry() const;
    GridPaintInput paintInput() const;
    void paint(HDC dc, const RECT& client) const;

    // In-place editing. typed is the character that started the edit, or 0.
    bool beginEdit(std::int32_t row, std::int32_t column, wchar_t typed);
    void endEdit(bool store);
    bool editing() const override;
    HWND editorWindow() const;
    HWND editorParent() const override { return handle(); }
    void editorFinished(bool store, UINT key) override;
    void editorPictureChosen(std::shared_ptr<Picture> picture) override;
    // Event 6 with the cell and the item's text.
    void listItemChosen(CellAddress cell, const std::string& item) override;
    void fireCharacter(wchar_t character) override;

    bool userModified() const { return userModified_; }

    // The window's keys the grid keeps from its form: Tab, Enter and Esc
    // while a cell is edited; Tab for its columns and Enter when it moves
    // the focus by it.
    bool wantsKey(std::uint32_t virtualKey) const override;

    // The selected range (or the focus cell) as tab-separated rows of text.
    std::wstring selectionText() const;
    // Stores tab-separated rows of text from the focus cell on.
    void pasteText(const std::wstring& text);

    // The header of row 0 in the sort column shows a triangle pointing by
    // the direction; -1 shows none.
    void setSortMark(std::int32_t column, bool ascending);
    std::int32_t sortColumn() const { return sortColumn_; }
    bool sortAscending() const { return sortAscending_; }

    // Pictures cells show by their image index; the grid owns the list.
    void setImageList(UniqueImageList images);
    HIMAGELIST imageList() const { return images_.get(); }
    HBITMAP checkBoxPicture(bool checked) const { return checkBoxPictures_.picture(checked); }

    // Colours after the system defaults were resolved.
    COLORREF controlBackground() const;
    COLORREF selectionBackground() const;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Whether the control is on the screen, its parents shown too.
    bool onScreen() const;
    void onPaint();
    void onScroll(int bar, int request);
    // Scrolls a page up or down; the rows the focus follows by, a page even
    // where the view could not scroll.
    std::int32_t scrollPage(bool up);
    void onKeyDown(UINT key);
    void navigate(NavigationKey key, CellAddress focus, bool shift, bool control);
    void selectAll();
    void onChar(wchar_t character);
    void onLeftButtonDown(POINT point);
    void onLeftButtonUp(POINT point);
    void onLeftDoubleClick(POINT point);
    void onMouseMove(POINT point, WPARAM buttons);
    void onMouseWheel(int delta);
    // The grid's own editors and their parts.
    bool ownsWindow(HWND window) const;
    // Offers the hovered cell's text to the title tip, which shows itself
    // when the cell cuts the text.
    void offerTitleTip(POINT point, const GridGeometry& layout);
    // Moves the focus by a key or a click; a cell outside the grid is
    // ignored.
    void moveFocus(CellAddress target, bool extend);
    void toggleCheck(std::int32_t row, std::int32_t column);
    void clearFocusedCells();
    void copySelection() const;
    void pasteFromClipboard();
    std::int32_t lastTopRow() const;
    std::int32_t lastLeftColumn() const;
    // Makes the design value at index take effect.
    bool applyProperty(int index);
    void ensureVisible(std::int32_t row, std::int32_t column);
    bool cellEditable(std::int32_t row, std::int32_t column) const;
    void applyBorderStyle();
    void applyGridFont(HFONT font);

    GridModel model_;
    std::unique_ptr<PictureCodec> pictureCodec_;
    classdata::GridDesignData design_;
    std::int32_t topRow_ = 0;
    std::int32_t leftColumn_ = 0;
    // The editor a column kind edits with, and the window of each: they are
    // children of ours and go with it, so they are held by window and found
    // again only while it lives. The text and list editors stay between
    // edits; the date and picture editors live for one edit.
    enum class EditorKind : std::size_t { Text, EditableList, DropDownList, Date, Picture, Count };
    static EditorKind editorKindOf(ColumnKind kind);
    HWND makeEditor(EditorKind kind);
    // The editor's object while its window lives as our child, else null.
    WindowObject* editorObject(EditorKind kind) const;
    // The text the edit leaves (none from a picture editor); the editor is
    // hidden or, when made for the edit, destroyed.
    std::optional<std::wstring> closeEditor();
    std::array<HWND, static_cast<std::size_t>(EditorKind::Count)> editors_{};
    EditorKind editorKind_ = EditorKind::Text;
    CellAddress editCell_ = kNoCell;
    std::string editOriginal_;
    bool userModified_ = false;
    bool mouseSelecting_ = false;
    bool suppressNextRelease_ = false;
    CellAddress selectionStart_ = kNoCell;
    std::optional<CellRange> selection_;
    // Column or row border being dragged (-1: none).
    std::int32_t resizingColumn_ = -1;
    std::int32_t resizingRow_ = -1;
    int resizeOrigin_ = 0;
    std::int32_t resizeStartSize_ = 0;
    std::int32_t sortColumn_ = -1;
    bool sortAscending_ = true;
    UniqueImageList images_;
    CheckBoxPictures checkBoxPictures_;
    win::UniqueFont gridFont_;
    win::UniqueFont editorFont_;
    std::unique_ptr<TitleTip> titleTip_;
};

// The grid control behind a component, or null when the object is another
// component's.
CGridCtrl* gridFromObject(WindowObject* object);

}  // namespace veltrano::grid
