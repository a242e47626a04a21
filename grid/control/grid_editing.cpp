// Editing cells in place: the editor each column kind gets, starting and
// ending an edit, and the edits made without an editor (check boxes,
// clearing).
#include <string>
#include <utility>
#include <vector>

#include "grid/control/date_cell_editor.h"
#include "grid/control/grid_cell_editor.h"
#include "grid/control/grid_ctrl.h"
#include "grid/control/grid_font.h"
#include "grid/control/list_cell_editor.h"
#include "grid/control/picture_cell_editor.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/values/address_word.h"

namespace veltrano::grid {

bool CGridCtrl::cellEditable(std::int32_t row, std::int32_t column) const {
    const Cell* cell = model_.cell(row, column);
    return cell != nullptr && model_.settings().editable && (cell->state & kStateReadOnly) == 0 &&
           !model_.isFixedRow(row) && !model_.isFixedColumn(column);
}

bool CGridCtrl::editing() const {
    return model_.isValid(editCell_);
}

HWND CGridCtrl::editorWindow() const {
    return editorObject(editorKind_) != nullptr ? editors_[static_cast<std::size_t>(editorKind_)] : nullptr;
}

WindowObject* CGridCtrl::editorObject(EditorKind kind) const {
    const HWND window = editors_[static_cast<std::size_t>(kind)];
    // A handle outlives its window and may come back for another one.
    if (window == nullptr || handle() == nullptr || !IsWindow(window) || GetParent(window) != handle()) return nullptr;
    return WindowObject::fromHandle(window);
}

CGridCtrl::EditorKind CGridCtrl::editorKindOf(ColumnKind kind) {
    switch (kind) {
        case ColumnKind::Date: return EditorKind::Date;
        case ColumnKind::EditableList: return EditorKind::EditableList;
        case ColumnKind::Picture: return EditorKind::Picture;
        case ColumnKind::DropDownList: return EditorKind::DropDownList;
        default: return EditorKind::Text;
    }
}

HWND CGridCtrl::makeEditor(EditorKind kind) {
    HWND& window = editors_[static_cast<std::size_t>(kind)];
    if (editorObject(kind) != nullptr) return window;
    WindowObject* made = nullptr;
    switch (kind) {
        case EditorKind::EditableList: made = ListCellEditor::create(*this, true); break;
        case EditorKind::DropDownList: made = ListCellEditor::create(*this, false); break;
        case EditorKind::Date: made = DateCellEditor::create(*this); break;
        case EditorKind::Picture: made = PictureCellEditor::create(*this); break;
        default: made = CellEditor::create(*this); break;
    }
    window = made != nullptr ? made->handle() : nullptr;
    return window;
}

bool CGridCtrl::beginEdit(std::int32_t row, std::int32_t column, wchar_t typed) {
    const CellAddress cell = anchorOf(model_, CellAddress{row, column});
    if (editing() || !cellEditable(cell.row, cell.column)) return false;
    const ColumnKind columnKind = model_.columnKind(cell.column);
    if (columnKind == ColumnKind::CheckBox) return false;
    const std::optional<std::uint32_t> answer = fireEvent(grid_event::kEditRequested);
    if (answer && *answer == 0) return false;
    const EditorKind kind = editorKindOf(columnKind);
    if (makeEditor(kind) == nullptr) return false;
    editorKind_ = kind;

    const Cell* held = model_.cell(cell.row, cell.column);
    if (held == nullptr) return false;
    CellEditor::Look look;
    look.text = held->textColour != kDefaultColour ? held->textColour : model_.settings().defaultTextColour;
    look.background =
        held->backgroundColour != kDefaultColour ? held->backgroundColour : model_.settings().defaultBackgroundColour;
    editorFont_ = createFont(held->font());
    look.font = editorFont_ ? editorFont_.get() : gridFont_.get();
    fireEvent(grid_event::kEditBegun);

    // The handler may have changed the table or started an edit itself.
    held = model_.cell(cell.row, cell.column);
    if (held == nullptr || editing()) return false;
    ensureVisible(cell.row, cell.column);
    WindowObject* editor = editorObject(kind);
    if (editor == nullptr) return false;
    const PixelRect rect = geometry().drawRect(cell.row, cell.column);
    editCell_ = cell;
    editOriginal_ = held->text;
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    switch (kind) {
        case EditorKind::EditableList:
        case EditorKind::DropDownList: {
            const ColumnType* type = model_.columnType(cell.column);
            const std::vector<std::string> items = type != nullptr ? type->items : std::vector<std::string>{};
            static_cast<ListCellEditor*>(editor)->start(area, cell, items, editOriginal_, look, typed);
            break;
        }
        case EditorKind::Date: static_cast<DateCellEditor*>(editor)->start(area, editOriginal_, look); break;
        case EditorKind::Picture:
            static_cast<PictureCellEditor*>(editor)->start(area, wideFromCodePage936(editOriginal_), look);
            break;
        default:
            static_cast<CellEditor*>(editor)->start(area, wideFromCodePage936(editOriginal_), look,
                                                    model_.isNumericColumn(cell.column), typed);
            break;
    }
    return true;
}

void CGridCtrl::editorFinished(bool store, UINT key) {
    (void)key;
    endEdit(store);
}

void CGridCtrl::editorPictureChosen(std::shared_ptr<Picture> picture) {
    if (!editing() || picture == nullptr) return;
    const CellAddress cell = editCell_;
    if (!model_.setPicture(cell.row, cell.column, std::move(picture))) return;
    model_.setModified(true);
    userModified_ = true;
    redrawCell(cell.row, cell.column);
    fireEvent(grid_event::kEditEnded);
}

void CGridCtrl::listItemChosen(CellAddress cell, const std::string& item) {
    const EventWord text = item.empty() ? 0 : addressWord(item.c_str());
    fireEvent(grid_event::kListItemChosen, {grid_event::word(cell.row), grid_event::word(cell.column), text});
}

std::optional<std::wstring> CGridCtrl::closeEditor() {
    WindowObject* editor = editorObject(editorKind_);
    if (editor == nullptr) return std::nullopt;
    std::optional<std::wstring> text;
    switch (editorKind_) {
        case EditorKind::EditableList:
        case EditorKind::DropDownList: {
            auto* list = static_cast<ListCellEditor*>(editor);
            text = list->text();
            list->hide();
            break;
        }
        case EditorKind::Date:
        case EditorKind::Picture:
            if (editorKind_ == EditorKind::Date) text = static_cast<DateCellEditor*>(editor)->text();
            DestroyWindow(editor->handle());
            editors_[static_cast<std::size_t>(editorKind_)] = nullptr;
            break;
        default: {
            auto* textEditor = static_cast<CellEditor*>(editor);
            text = textEditor->text();
            textEditor->hide();
            break;
        }
    }
    return text;
}

void CGridCtrl::endEdit(bool store) {
    if (!editing()) return;
    const CellAddress cell = editCell_;
    // Cleared first: putting the editor away moves the focus, which ends
    // the edit once more.
    editCell_ = kNoCell;
    const HWND window = editorWindow();
    const HWND focus = GetFocus();
    const bool hadFocus = window != nullptr && focus != nullptr && (focus == window || IsChild(window, focus));
    // The focus comes back while the editor still exists, so the move reads
    // as one inside the grid and raises no focus events.
    if (hadFocus) SetFocus(handle());
    const std::optional<std::wstring> edited = closeEditor();
    redrawCell(cell.row, cell.column);
    if (!store || !edited) return;
    const std::string text = codePage936FromWide(*edited);
    if (!commands().setCellData(cell.row, cell.column, static_cast<std::int32_t>(CellDataKind::Text),
                                GridValue::text(text))) {
        return;
    }
    model_.setModified(true);
    userModified_ = true;
    redraw();
    fireEvent(grid_event::kEditEnded);
}

void CGridCtrl::toggleCheck(std::int32_t row, std::int32_t column) {
    if (!cellEditable(row, column)) return;
    const std::optional<std::uint32_t> answer = fireEvent(grid_event::kEditRequested);
    if (answer && *answer == 0) return;
    const Cell* cell = model_.cell(row, column);
    model_.setCheckState(row, column, cell->checkState != 0 ? 0 : 1);
    model_.setFormat(row, column, kFormatNoPrefix | kFormatSingleLine | kFormatVerticalCentre | kFormatCentre);
    model_.setModified(true);
    userModified_ = true;
    redrawCell(row, column);
    fireEvent(grid_event::kEditEnded);
}

void CGridCtrl::clearFocusedCells() {
    const CellAddress focus = model_.focusCell();
    const auto clear = [this](std::int32_t row, std::int32_t column) {
        if (!cellEditable(row, column)) return;
        model_.setText(row, column, "", false);
        model_.setPicture(row, column, nullptr);
        model_.setCheckState(row, column, 0);
    };
    clear(focus.row, focus.column);
    if (selection_) {
        for (std::int32_t row = selection_->top; row <= selection_->bottom; ++row) {
            for (std::int32_t column = selection_->left; column <= selection_->right; ++column) {
                if (model_.isSelected(row, column)) clear(row, column);
            }
        }
    }
    for (std::int32_t row = model_.fixedRowCount(); row < model_.rowCount(); ++row) {
        model_.evaluateFormulas(row, focus.column);
    }
    model_.setModified(true);
    userModified_ = true;
    redraw();
}

}  // namespace veltrano::grid
