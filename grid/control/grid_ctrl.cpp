#include "grid/control/grid_ctrl.h"

#include <algorithm>
#include <utility>

#include "runtime/values/class_ids.h"
#include "components/classdata/colors.h"
#include "grid/control/date_cell_editor.h"
#include "grid/control/grid_cell_editor.h"
#include "grid/control/grid_font.h"
#include "grid/control/grid_painter.h"
#include "grid/control/list_cell_editor.h"
#include "grid/control/picture_cell_editor.h"
#include "grid/control/title_tip.h"
#include "grid/control/win_picture.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano::grid {
namespace {

constexpr int kResizeSlack = 3;

// A memory device context with a bitmap of the client's size selected, so a
// frame is composed off screen and shown in one copy.
class BackBuffer {
public:
    BackBuffer(HDC target, int width, int height)
        : dc_(CreateCompatibleDC(target)),
          bitmap_(CreateCompatibleBitmap(target, std::max(1, width), std::max(1, height))) {
        if (dc_ != nullptr && bitmap_) previous_ = SelectObject(dc_, bitmap_.get());
    }
    ~BackBuffer() {
        if (dc_ == nullptr) return;
        if (previous_ != nullptr) SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    bool ready() const { return dc_ != nullptr && bitmap_ && previous_ != nullptr; }
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    win::UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

bool keyHeld(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

POINT pointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

std::uint32_t word(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}

void registerWindowClass() {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, CGridCtrl::kWindowClassName, &existing)) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = CGridCtrl::kWindowClassName;
    RegisterClassExW(&windowClass);
}

}  // namespace

CGridCtrl::CGridCtrl() : ComponentObject(class_id::kGrid), pictureCodec_(std::make_unique<WinPictureCodec>()) {
    registerWindowClass();
}

CGridCtrl::~CGridCtrl() {
    // The editors report to this object when they lose the focus; they must
    // go while the model is still here.
    editCell_ = kNoCell;
    for (std::size_t at = 0; at < editors_.size(); ++at) {
        if (editorObject(static_cast<EditorKind>(at)) != nullptr) DestroyWindow(editors_[at]);
        editors_[at] = nullptr;
    }
    titleTip_.reset();
}

bool CGridCtrl::create(HWND parent, DWORD style, UINT controlId, int left, int top, int width, int height) {
    const DWORD windowStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL | style;
    HWND window =
        CreateWindowExW(0, kWindowClassName, L"", windowStyle, left, top, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) return false;
    if (!attach(window)) {
        DestroyWindow(window);
        return false;
    }
    applyGridFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    return true;
}

void CGridCtrl::setSortMark(std::int32_t column, bool ascending) {
    sortColumn_ = column >= 0 && column < model_.columnCount() ? column : -1;
    sortAscending_ = ascending;
    redraw();
}

void CGridCtrl::setImageList(UniqueImageList images) {
    images_ = std::move(images);
    redraw();
}

void CGridCtrl::applyGridFont(HFONT font) {
    LOGFONTW description{};
    if (GetObjectW(font, sizeof description, &description) == 0) return;
    gridFont_ = win::UniqueFont(CreateFontIndirectW(&description));
    FontMetrics metrics;
    win::WindowDc dc(handle());
    if (dc.get() != nullptr && gridFont_) {
        win::SelectObjectGuard select(dc.get(), gridFont_.get());
        TEXTMETRICW text{};
        GetTextMetricsW(dc.get(), &text);
        SIZE space{};
        GetTextExtentPoint32W(dc.get(), L" ", 1, &space);
        metrics.externalLeading = text.tmExternalLeading;
        metrics.textHeight = text.tmHeight;
        metrics.averageCharWidth = text.tmAveCharWidth;
        metrics.spaceWidth = space.cx;
    }
    model_.setGridFont(gridLogFont(description), metrics);
}

void CGridCtrl::applyDesign(const classdata::GridDesignData& design) {
    design_ = design;
    if (design_.selectionBackColor == classdata::kSystemHighlightColor) {
        design_.selectionBackColor = GetSysColor(COLOR_HIGHLIGHT);
    }
    // Sizes first, then counts, so new rows and columns take the design's
    // sizes; the fixed counts follow the counts they may not exceed.
    model_.setDefaultRowHeight(std::max(0, design_.rowHeight));
    model_.setDefaultColumnWidth(std::max(0, design_.columnWidth));
    for (int index = 0; index < kGridPropertyCount; ++index) applyProperty(index);
    updateScrollBars();
}

CGridCtrl* gridFromObject(WindowObject* object) {
    return dynamic_cast<CGridCtrl*>(object);
}

COLORREF CGridCtrl::controlBackground() const {
    return design_.backColor == classdata::kSystemDefaultColor ? GetSysColor(COLOR_BTNFACE) : design_.backColor;
}

COLORREF CGridCtrl::selectionBackground() const {
    return design_.selectionBackColor;
}

GridGeometry CGridCtrl::geometry() const {
    RECT client{};
    if (handle() != nullptr) GetClientRect(handle(), &client);
    return GridGeometry(model_, topRow_, leftColumn_, client.right, client.bottom);
}

void CGridCtrl::paint(HDC dc, const RECT& client) const {
    BackBuffer buffer(dc, client.right - client.left, client.bottom - client.top);
    if (!buffer.ready()) {
        paintGrid(*this, dc, client);
        return;
    }
    paintGrid(*this, buffer.dc(), client);
    BitBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top, buffer.dc(), 0, 0,
           SRCCOPY);
}

void CGridCtrl::onPaint() {
    PAINTSTRUCT paintStruct{};
    HDC dc = BeginPaint(handle(), &paintStruct);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(handle(), &client);
    paint(dc, client);
    EndPaint(handle(), &paintStruct);
}

void CGridCtrl::redraw() {
    if (handle() != nullptr) InvalidateRect(handle(), nullptr, FALSE);
}

void CGridCtrl::redrawCell(std::int32_t row, std::int32_t column) {
    if (handle() == nullptr || !model_.isValid(row, column)) return;
    const PixelRect rect = geometry().drawRect(row, column);
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    InvalidateRect(handle(), &area, FALSE);
}

void CGridCtrl::modelReplaced() {
    if (editing()) endEdit(false);
    selection_.reset();
    topRow_ = model_.fixedRowCount();
    leftColumn_ = model_.fixedColumnCount();
    updateScrollBars();
    redraw();
}

std::int32_t CGridCtrl::lastTopRow() const {
    RECT client{};
    if (handle() != nullptr) GetClientRect(handle(), &client);
    const GridGeometry layout = geometry();
    std::int64_t room = static_cast<std::int64_t>(client.bottom) - layout.fixedHeight();
    std::int32_t top = model_.rowCount();
    while (top > model_.fixedRowCount()) {
        room -= std::max(0, model_.rowHeight(top - 1));
        if (room < 0) break;
        --top;
    }
    return std::max(model_.fixedRowCount(), std::min(top, model_.rowCount() - 1));
}

std::int32_t CGridCtrl::lastLeftColumn() const {
    RECT client{};
    if (handle() != nullptr) GetClientRect(handle(), &client);
    const GridGeometry layout = geometry();
    std::int64_t room = static_cast<std::int64_t>(client.right) - layout.fixedWidth();
    std::int32_t left = model_.columnCount();
    while (left > model_.fixedColumnCount()) {
        room -= std::max(0, model_.columnWidth(left - 1));
        if (room < 0) break;
        --left;
    }
    return std::max(model_.fixedColumnCount(), std::min(left, model_.columnCount() - 1));
}

void CGridCtrl::scrollTo(std::int32_t topRow, std::int32_t leftColumn) {
    const std::int32_t top = std::clamp(topRow, model_.fixedRowCount(), lastTopRow());
    const std::int32_t left = std::clamp(leftColumn, model_.fixedColumnCount(), lastLeftColumn());
    if (top == topRow_ && left == leftColumn_) return;
    topRow_ = top;
    leftColumn_ = left;
    if (editing()) endEdit(true);
    updateScrollBars();
    redraw();
}

void CGridCtrl::updateScrollBars() {
    if (handle() == nullptr) return;
    topRow_ = std::clamp(topRow_, model_.fixedRowCount(), lastTopRow());
    leftColumn_ = std::clamp(leftColumn_, model_.fixedColumnCount(), lastLeftColumn());
    const auto setBar = [this](int bar, std::int32_t first, std::int32_t count, std::int32_t last,
                               std::int32_t position) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = first;
        // Without anything to scroll the bar goes away.
        const std::int32_t page = std::max<std::int32_t>(1, count - last + first);
        info.nMax = last > first ? count - 1 : 0;
        info.nPage = last > first ? static_cast<UINT>(page) : 0;
        info.nPos = position;
        SetScrollInfo(handle(), bar, &info, TRUE);
    };
    setBar(SB_VERT, model_.fixedRowCount(), model_.rowCount(), lastTopRow(), topRow_);
    setBar(SB_HORZ, model_.fixedColumnCount(), model_.columnCount(), lastLeftColumn(), leftColumn_);
}

void CGridCtrl::onScroll(int bar, int request) {
    const bool vertical = bar == SB_VERT;
    const std::int32_t position = vertical ? topRow_ : leftColumn_;
    const GridGeometry layout = geometry();
    const std::int32_t page = std::max(1, vertical ? layout.fullyVisibleRows() : layout.fullyVisibleColumns());
    std::int32_t target = position;
    switch (request) {
        case SB_LINEUP: target = position - 1; break;
        case SB_LINEDOWN: target = position + 1; break;
        case SB_PAGEUP: target = position - page; break;
        case SB_PAGEDOWN: target = position + page; break;
        case SB_TOP: target = 0; break;
        case SB_BOTTOM: target = vertical ? model_.rowCount() : model_.columnCount(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(handle(), bar, &info);
            target = info.nTrackPos;
            break;
        }
        default: return;
    }
    if (vertical) {
        scrollTo(target, leftColumn_);
    } else {
        scrollTo(topRow_, target);
    }
}

void CGridCtrl::ensureVisible(std::int32_t row, std::int32_t column) {
    std::int32_t top = topRow_;
    std::int32_t left = leftColumn_;
    RECT client{};
    GetClientRect(handle(), &client);
    if (!model_.isFixedRow(row)) {
        if (row < top) top = row;
        while (top < row &&
               GridGeometry(model_, top, left, client.right, client.bottom).rowTop(row + 1) > client.bottom) {
            ++top;
        }
    }
    if (!model_.isFixedColumn(column)) {
        if (column < left) left = column;
        while (left < column &&
               GridGeometry(model_, top, left, client.right, client.bottom).columnLeft(column + 1) > client.right) {
            ++left;
        }
    }
    scrollTo(top, left);
}

CellAddress CGridCtrl::anchorOf(CellAddress cell) const {
    const Cell* held = model_.cell(cell.row, cell.column);
    if (held == nullptr || (held->state & kStateCovered) == 0) return cell;
    for (const MergeRecord& merge : model_.merges()) {
        if (merge.contains(cell.row, cell.column)) return CellAddress{merge.anchorRow, merge.anchorColumn};
    }
    return cell;
}

void CGridCtrl::setCurrentCell(std::int32_t row, std::int32_t column) {
    const CellAddress previous = model_.focusCell();
    if (editing()) endEdit(true);
    model_.clearSelection();
    selection_.reset();
    redraw();
    if (!model_.isValid(row, column)) return;
    ensureVisible(row, column);
    model_.setFocusCell(CellAddress{row, column});
    if (design_.wholeRowSelection) {
        model_.selectRange(row, 0, row, model_.columnCount() - 1);
        selection_ = SelectedRange{row, 0, row, model_.columnCount() - 1};
    }
    redraw();
    if (model_.focusCell() != previous) fireEvent(grid_event::kFocusChanged);
}

void CGridCtrl::moveFocus(CellAddress target, bool extend) {
    if (!model_.isValid(target)) return;
    target = anchorOf(target);
    const CellAddress previous = model_.focusCell();
    const CellAddress start = extend && selectionStart_.row >= 0 ? selectionStart_ : target;
    model_.clearSelection();
    if (design_.wholeRowSelection) {
        selection_ = SelectedRange{std::min(start.row, target.row), 0, std::max(start.row, target.row),
                                   model_.columnCount() - 1};
    } else {
        selection_ = SelectedRange{std::min(start.row, target.row), std::min(start.column, target.column),
                                   std::max(start.row, target.row), std::max(start.column, target.column)};
    }
    if (model_.settings().selectionAllowed) {
        model_.selectRange(selection_->top, selection_->left, selection_->bottom, selection_->right);
    }
    selectionStart_ = start;
    model_.setFocusCell(target);
    if (target != previous) fireEvent(grid_event::kFocusChanged);
    ensureVisible(target.row, target.column);
    redraw();
}

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
    const CellAddress cell = anchorOf(CellAddress{row, column});
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

bool CGridCtrl::ownsWindow(HWND window) const {
    return window != nullptr && IsChild(handle(), window) != FALSE;
}

bool CGridCtrl::wantsKey(std::uint32_t virtualKey) const {
    if (editing()) return virtualKey == VK_TAB || virtualKey == VK_RETURN || virtualKey == VK_ESCAPE;
    if (virtualKey == VK_TAB) return !design_.wholeRowSelection;
    if (virtualKey == VK_RETURN) return design_.enterMode == 1 || design_.enterMode == 2;
    return false;
}

void CGridCtrl::fireCharacter(wchar_t character) {
    fireEvent(grid_event::kCharacter, {character});
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

std::wstring CGridCtrl::selectionText() const {
    SelectedRange range{};
    if (selection_) {
        range = *selection_;
    } else if (model_.isValid(model_.focusCell())) {
        const CellAddress focus = model_.focusCell();
        range = SelectedRange{focus.row, focus.column, focus.row, focus.column};
    } else {
        return {};
    }
    std::string text;
    for (std::int32_t row = range.top; row <= range.bottom; ++row) {
        if (model_.rowHeight(row) == 0) continue;
        bool first = true;
        for (std::int32_t column = range.left; column <= range.right; ++column) {
            if (model_.columnWidth(column) == 0) continue;
            if (!first) text += '\t';
            first = false;
            const bool wanted = !model_.settings().selectionAllowed || model_.isSelected(row, column) ||
                                model_.focusCell() == CellAddress{row, column};
            if (wanted) text += model_.cell(row, column)->text;
        }
        if (row < range.bottom) text += "\r\n";
    }
    return wideFromCodePage936(text);
}

void CGridCtrl::copySelection() const {
    const std::wstring text = selectionText();
    if (!OpenClipboard(handle())) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(block)) {
            std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(target));
            GlobalUnlock(block);
            if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) GlobalFree(block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}

void CGridCtrl::pasteText(const std::wstring& text) {
    const CellAddress focus = model_.focusCell();
    if (!model_.isValid(focus)) return;
    std::int32_t row = focus.row;
    std::int32_t column = focus.column;
    std::wstring value;
    bool changed = false;
    const auto store = [&]() {
        if (cellEditable(row, column) &&
            commands().setCellData(row, column, static_cast<std::int32_t>(CellDataKind::Text),
                                   GridValue::text(codePage936FromWide(value)))) {
            changed = true;
        }
        value.clear();
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
        const wchar_t character = text[at];
        if (character == L'\t') {
            store();
            ++column;
        } else if (character == L'\r' || character == L'\n') {
            if (character == L'\r' && at + 1 < text.size() && text[at + 1] == L'\n') ++at;
            store();
            ++row;
            column = focus.column;
            // A final line break ends the last row; it starts no new one.
            if (at + 1 >= text.size()) return finishPaste(changed);
        } else {
            value += character;
        }
    }
    store();
    finishPaste(changed);
}

void CGridCtrl::finishPaste(bool changed) {
    if (!changed) return;
    model_.setModified(true);
    userModified_ = true;
    redraw();
    fireEvent(grid_event::kEditEnded);
}

void CGridCtrl::pasteFromClipboard() {
    if (!OpenClipboard(handle())) return;
    std::wstring text;
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* source = static_cast<const wchar_t*>(GlobalLock(block))) {
            const std::size_t limit = GlobalSize(block) / sizeof(wchar_t);
            text.assign(source, std::find(source, source + limit, L'\0'));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    pasteText(text);
}

std::int32_t CGridCtrl::nextColumn(std::int32_t row, std::int32_t column, int step) const {
    (void)row;
    for (std::int32_t next = column + step; next >= model_.fixedColumnCount() && next < model_.columnCount();
         next += step) {
        if (model_.columnWidth(next) > 0) return next;
    }
    return -1;
}

std::int32_t CGridCtrl::nextRow(std::int32_t row, int step) const {
    for (std::int32_t next = row + step; next >= model_.fixedRowCount() && next < model_.rowCount(); next += step) {
        if (model_.rowHeight(next) > 0) return next;
    }
    return -1;
}

// The far edge of the merged range whose anchor is the cell, or the cell.
CellAddress CGridCtrl::farCorner(CellAddress cell) const {
    for (const MergeRecord& merge : model_.merges()) {
        if (merge.anchorRow == cell.row && merge.anchorColumn == cell.column) {
            return CellAddress{merge.bottom, merge.right};
        }
    }
    return cell;
}

void CGridCtrl::onKeyDown(UINT key) {
    const CellAddress focus = model_.focusCell();
    if (!model_.isValid(focus)) return;
    const bool control = keyHeld(VK_CONTROL);
    const bool shift = keyHeld(VK_SHIFT);
    const bool wholeRow = design_.wholeRowSelection;
    const auto firstScrolledColumn = [this]() { return nextColumn(0, model_.fixedColumnCount() - 1, 1); };
    const auto lastColumn = [this]() { return nextColumn(0, model_.columnCount(), -1); };
    const auto go = [this, shift](std::int32_t row, std::int32_t column) {
        if (row >= 0 && column >= 0) moveFocus(CellAddress{row, column}, shift);
    };
    const auto forward = [&]() {
        const std::int32_t column = nextColumn(focus.row, farCorner(focus).column, 1);
        if (column >= 0) return go(focus.row, column);
        go(nextRow(focus.row, 1), firstScrolledColumn());
    };
    switch (key) {
        case 'C':
        case VK_INSERT:
            if (control) copySelection();
            if (key == VK_INSERT && shift) pasteFromClipboard();
            return;
        case 'X':
            if (control) {
                copySelection();
                clearFocusedCells();
            }
            return;
        case 'V':
            if (control) pasteFromClipboard();
            return;
        case 'A':
            if (control && model_.settings().selectionAllowed) {
                model_.selectRange(model_.fixedRowCount(), model_.fixedColumnCount(), model_.rowCount() - 1,
                                   model_.columnCount() - 1);
                selection_ = SelectedRange{model_.fixedRowCount(), model_.fixedColumnCount(), model_.rowCount() - 1,
                                           model_.columnCount() - 1};
                redraw();
            }
            return;
        case VK_TAB:
            if (wholeRow) return;
            if (shift) {
                const std::int32_t column = nextColumn(focus.row, focus.column, -1);
                if (column >= 0) return moveFocus(CellAddress{focus.row, column}, false);
                const std::int32_t row = nextRow(focus.row, -1);
                if (row >= 0) moveFocus(CellAddress{row, lastColumn()}, false);
                return;
            }
            {
                const std::int32_t column = nextColumn(focus.row, farCorner(focus).column, 1);
                if (column >= 0) return moveFocus(CellAddress{focus.row, column}, false);
                const std::int32_t row = nextRow(focus.row, 1);
                if (row >= 0) moveFocus(CellAddress{row, firstScrolledColumn()}, false);
            }
            return;
        case VK_RETURN:
            if (wholeRow) return;
            if (design_.enterMode == 1) return forward();
            if (design_.enterMode == 2) {
                const std::int32_t row = nextRow(farCorner(focus).row, 1);
                if (row >= 0) return go(row, focus.column);
                const std::int32_t column = nextColumn(focus.row, focus.column, 1);
                if (column >= 0) go(nextRow(model_.fixedRowCount() - 1, 1), column);
            }
            return;
        case VK_PRIOR:
        case VK_NEXT: {
            const std::int32_t before = topRow_;
            onScroll(SB_VERT, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN);
            std::int32_t moved = topRow_ - before;
            if (moved == 0) moved = key == VK_PRIOR ? -geometry().fullyVisibleRows() : geometry().fullyVisibleRows();
            const std::int32_t row = std::clamp(focus.row + moved, model_.fixedRowCount(), model_.rowCount() - 1);
            return go(row, focus.column);
        }
        case VK_HOME:
        case VK_END: {
            const std::int32_t column = key == VK_HOME ? firstScrolledColumn() : lastColumn();
            std::int32_t row = focus.row;
            if (control) row = key == VK_HOME ? nextRow(model_.fixedRowCount() - 1, 1) : nextRow(model_.rowCount(), -1);
            return go(row, column);
        }
        case VK_LEFT:
            if (!wholeRow) go(focus.row, nextColumn(focus.row, focus.column, -1));
            return;
        case VK_RIGHT:
            if (!wholeRow) go(focus.row, nextColumn(focus.row, farCorner(focus).column, 1));
            return;
        case VK_UP: go(nextRow(focus.row, -1), focus.column); return;
        case VK_DOWN: go(nextRow(farCorner(focus).row, 1), focus.column); return;
        case VK_DELETE:
            if (!wholeRow) clearFocusedCells();
            return;
        case VK_F2: beginEdit(focus.row, focus.column, 0); return;
        default: return;
    }
}

void CGridCtrl::onChar(wchar_t character) {
    fireCharacter(character);
    if (keyHeld(VK_CONTROL) || mouseSelecting_) return;
    if (character == VK_ESCAPE || character == VK_TAB) return;
    if (character == VK_RETURN && design_.enterMode != 0) return;
    const CellAddress focus = model_.focusCell();
    if (!model_.isValid(focus)) return;
    if (model_.isCheckBoxColumn(focus.column) && character == L' ') return toggleCheck(focus.row, focus.column);
    beginEdit(focus.row, focus.column, character >= L' ' ? character : 0);
}

void CGridCtrl::onLeftButtonDown(POINT point) {
    if (GetFocus() != handle()) SetFocus(handle());
    const GridGeometry layout = geometry();
    if (design_.columnsResizable) {
        const std::int32_t column = layout.columnBorderAt(point.x, point.y, kResizeSlack);
        if (column >= 0) {
            resizingColumn_ = column;
            resizeOrigin_ = point.x;
            resizeStartSize_ = model_.columnWidth(column);
            SetCapture(handle());
            return;
        }
    }
    if (design_.rowsResizable) {
        const std::int32_t row = layout.rowBorderAt(point.x, point.y, kResizeSlack);
        if (row >= 0) {
            resizingRow_ = row;
            resizeOrigin_ = point.y;
            resizeStartSize_ = model_.rowHeight(row);
            SetCapture(handle());
            return;
        }
    }
    const CellAddress cell = layout.cellAt(point.x, point.y);
    if (!model_.isValid(cell)) return;
    const bool fixedRow = model_.isFixedRow(cell.row);
    const bool fixedColumn = model_.isFixedColumn(cell.column);
    if (fixedRow || fixedColumn) {
        if (design_.fixedCellClickSelects && model_.settings().selectionAllowed && !(fixedRow && fixedColumn)) {
            const std::int32_t top = fixedRow ? model_.fixedRowCount() : cell.row;
            const std::int32_t bottom = fixedRow ? model_.rowCount() - 1 : cell.row;
            const std::int32_t left = fixedColumn ? model_.fixedColumnCount() : cell.column;
            const std::int32_t right = fixedColumn ? model_.columnCount() - 1 : cell.column;
            if (model_.isValid(top, left) && model_.isValid(bottom, right)) {
                const CellAddress previous = model_.focusCell();
                model_.clearSelection();
                model_.selectRange(top, left, bottom, right);
                selection_ = SelectedRange{top, left, bottom, right};
                model_.setFocusCell(CellAddress{top, left});
                if (previous != model_.focusCell()) fireEvent(grid_event::kFocusChanged);
                redraw();
            }
        }
        return;
    }
    const CellAddress target = anchorOf(cell);
    if (model_.isCheckBoxColumn(target.column)) {
        moveFocus(target, false);
        toggleCheck(target.row, target.column);
        return;
    }
    if (target == model_.focusCell() && !keyHeld(VK_SHIFT)) {
        beginEdit(target.row, target.column, 0);
        return;
    }
    moveFocus(target, keyHeld(VK_SHIFT));
    mouseSelecting_ = true;
    SetCapture(handle());
}

void CGridCtrl::onMouseMove(POINT point, WPARAM buttons) {
    if (resizingColumn_ >= 0) {
        model_.setColumnWidth(resizingColumn_,
                              std::max(0, resizeStartSize_ + static_cast<int>(point.x) - resizeOrigin_), false);
        updateScrollBars();
        redraw();
        return;
    }
    if (resizingRow_ >= 0) {
        model_.setRowHeight(resizingRow_, std::max(0, resizeStartSize_ + static_cast<int>(point.y) - resizeOrigin_));
        updateScrollBars();
        redraw();
        return;
    }
    const GridGeometry layout = geometry();
    if (mouseSelecting_ && (buttons & MK_LBUTTON) != 0) {
        const CellAddress cell = layout.cellAt(point.x, point.y);
        if (model_.isValid(cell) && !model_.isFixedRow(cell.row) && !model_.isFixedColumn(cell.column) &&
            model_.settings().selectionAllowed && selectionStart_.row >= 0) {
            model_.clearSelection();
            selection_ =
                SelectedRange{std::min(selectionStart_.row, cell.row), std::min(selectionStart_.column, cell.column),
                              std::max(selectionStart_.row, cell.row), std::max(selectionStart_.column, cell.column)};
            model_.selectRange(selection_->top, selection_->left, selection_->bottom, selection_->right);
            model_.setFocusCell(selectionStart_);
            redraw();
        }
        return;
    }
    const bool onColumnBorder = design_.columnsResizable && layout.columnBorderAt(point.x, point.y, kResizeSlack) >= 0;
    const bool onRowBorder = design_.rowsResizable && layout.rowBorderAt(point.x, point.y, kResizeSlack) >= 0;
    if (onColumnBorder || onRowBorder) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(onColumnBorder ? IDC_SIZEWE : IDC_SIZENS)));
        return;
    }
    offerTitleTip(point, layout);
}

void CGridCtrl::offerTitleTip(POINT point, const GridGeometry& layout) {
    // The tip takes the mouse capture; it must not take it from an edit, a
    // drag or another window, nor show while the program is in the back.
    if (editing() || mouseSelecting_ || GetCapture() != nullptr || GetFocus() == nullptr) return;
    const CellAddress cell = anchorOf(layout.cellAt(point.x, point.y));
    const Cell* held = model_.cell(cell.row, cell.column);
    if (held == nullptr || held->picture() || (held->format & DT_WORDBREAK) != 0) return;
    if (model_.isCheckBoxColumn(cell.column) && !model_.isFixedRow(cell.row)) return;
    const std::optional<std::wstring> text = shownText(model_, cell.row, cell.column, *held);
    if (!text || text->empty()) return;

    // A cell with no colours of its own gets the system's tip colours; one
    // with any of its own keeps its whole look, so text and background
    // always come from the same scheme.
    TitleTip::Look look;
    look.font = held->font();
    if (held->textColour == kDefaultColour && held->backgroundColour == kDefaultColour) {
        look.text = GetSysColor(COLOR_INFOTEXT);
        look.background = GetSysColor(COLOR_INFOBK);
    } else {
        const bool fixed = model_.isFixedRow(cell.row) || model_.isFixedColumn(cell.column);
        look.text = held->textColour != kDefaultColour
                        ? held->textColour
                        : (fixed ? GetSysColor(COLOR_WINDOWTEXT) : model_.settings().defaultTextColour);
        look.background = held->backgroundColour != kDefaultColour
                              ? held->backgroundColour
                              : (fixed ? controlBackground() : model_.settings().defaultBackgroundColour);
    }
    const PixelRect rect = layout.drawRect(cell.row, cell.column);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    MapWindowPoints(handle(), nullptr, corners, 2);
    if (!titleTip_) titleTip_ = std::make_unique<TitleTip>(handle());
    titleTip_->show(RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y}, *text, look);
}

void CGridCtrl::onLeftButtonUp(POINT point) {
    if (GetCapture() == handle()) ReleaseCapture();
    mouseSelecting_ = false;
    if (resizingColumn_ >= 0) {
        const std::int32_t column = std::exchange(resizingColumn_, -1);
        fireEvent(grid_event::kColumnResized, {word(column)});
    }
    resizingRow_ = -1;
    if (std::exchange(suppressNextRelease_, false)) return;
    fireEvent(grid_event::kMouseReleased, {word(point.x), word(point.y)});
    const CellAddress cell = geometry().cellAt(point.x, point.y);
    if (model_.isValid(cell) && (model_.isFixedRow(cell.row) || model_.isFixedColumn(cell.column))) {
        fireEvent(grid_event::kFixedCellReleased, {word(cell.row), word(cell.column)});
    }
}

void CGridCtrl::onLeftDoubleClick(POINT point) {
    suppressNextRelease_ = true;
    const CellAddress cell = geometry().cellAt(point.x, point.y);
    if (!model_.isValid(cell)) return;
    if (model_.isFixedRow(cell.row) || model_.isFixedColumn(cell.column)) {
        fireEvent(grid_event::kFixedCellDoubleClicked, {word(cell.row), word(cell.column)});
        return;
    }
    const CellAddress target = anchorOf(cell);
    if (model_.isCheckBoxColumn(target.column)) return toggleCheck(target.row, target.column);
    if (target != model_.focusCell()) moveFocus(target, false);
    beginEdit(target.row, target.column, 0);
}

void CGridCtrl::onMouseWheel(int delta) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int steps = delta / WHEEL_DELTA * static_cast<int>(std::min<UINT>(lines, 100));
    scrollTo(topRow_ - steps, leftColumn_);
}

LRESULT CGridCtrl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Keys come here, not to the tip, which never takes the focus.
    if (titleTip_ && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_MOUSEWHEEL)) {
        titleTip_->hide();
    }
    switch (message) {
        case WM_PAINT: onPaint(); return 0;
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(handle(), &client);
            paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SIZE:
            updateScrollBars();
            redraw();
            break;
        case WM_VSCROLL:
        case WM_HSCROLL:
            if (lParam == 0) {
                onScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
                return 0;
            }
            break;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN: onKeyDown(static_cast<UINT>(wParam)); return 0;
        case WM_CHAR: onChar(static_cast<wchar_t>(wParam)); return 0;
        case WM_LBUTTONDOWN: onLeftButtonDown(pointOf(lParam)); return 0;
        case WM_LBUTTONUP: onLeftButtonUp(pointOf(lParam)); return 0;
        case WM_LBUTTONDBLCLK: onLeftDoubleClick(pointOf(lParam)); return 0;
        case WM_MOUSEMOVE: onMouseMove(pointOf(lParam), wParam); return 0;
        case WM_MOUSEWHEEL: onMouseWheel(static_cast<short>(HIWORD(wParam))); return 0;
        case WM_DESTROY:
            editCell_ = kNoCell;
            titleTip_.reset();
            break;
        case WM_CAPTURECHANGED:
            mouseSelecting_ = false;
            resizingColumn_ = -1;
            resizingRow_ = -1;
            break;
        // Moves between the grid and its editors (or their inner fields and
        // buttons) stay inside the component.
        case WM_SETFOCUS:
            if (!ownsWindow(reinterpret_cast<HWND>(wParam))) fireEvent(grid_event::kGotFocus);
            break;
        case WM_KILLFOCUS:
            if (!ownsWindow(reinterpret_cast<HWND>(wParam))) fireEvent(grid_event::kLostFocus);
            break;
        default: break;
    }
    return ComponentObject::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano::grid
