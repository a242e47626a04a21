#include "grid/control/grid_ctrl.h"

#include <algorithm>
#include <utility>

#include "components/classdata/colors.h"
#include "grid/control/back_buffer.h"
#include "grid/control/grid_font.h"
#include "grid/control/title_tip.h"
#include "grid/control/win_picture.h"
#include "runtime/values/class_ids.h"

namespace veltrano::grid {
namespace {

POINT pointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
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

GridPaintInput CGridCtrl::paintInput() const {
    return GridPaintInput{.model = model_,
                          .geometry = geometry(),
                          .controlBackground = controlBackground(),
                          .selectionBackground = selectionBackground(),
                          .selectionText = design_.selectionTextColor,
                          .sortColumn = sortColumn_,
                          .sortAscending = sortAscending_,
                          .images = images_.get(),
                          .checkBoxes = checkBoxPictures_};
}

void CGridCtrl::paint(HDC dc, const RECT& client) const {
    BackBuffer buffer(dc, client.right - client.left, client.bottom - client.top);
    if (!buffer.ready()) {
        paintGrid(paintInput(), dc, client);
        return;
    }
    paintGrid(paintInput(), buffer.dc(), client);
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

// A grid that is not on the screen is drawn whole when it comes up; until
// then invalidating it does nothing but cost the window system a request
// (under Wine), once for each of the many changes a table is built with.
bool CGridCtrl::onScreen() const {
    return handle() != nullptr && IsWindowVisible(handle());
}

void CGridCtrl::redraw() {
    if (onScreen()) InvalidateRect(handle(), nullptr, FALSE);
}

void CGridCtrl::redrawCell(std::int32_t row, std::int32_t column) {
    if (!onScreen() || !model_.isValid(row, column)) return;
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

void CGridCtrl::mergeCells(std::int32_t top, std::int32_t left, std::optional<std::int32_t> bottom,
                           std::optional<std::int32_t> right) {
    if (commands().merge(top, left, bottom, right) == MergeOutcome::OverlapRefused) {
        selection_.reset();
        selectionStart_ = kNoCell;
    }
    redraw();
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
        selection_ = CellRange{row, 0, row, model_.columnCount() - 1};
    }
    redraw();
    if (model_.focusCell() != previous) fireEvent(grid_event::kFocusChanged);
}

void CGridCtrl::moveFocus(CellAddress target, bool extend) {
    if (!model_.isValid(target)) return;
    target = anchorOf(model_, target);
    const CellAddress previous = model_.focusCell();
    const CellAddress start = extend && selectionStart_.row >= 0 ? selectionStart_ : target;
    model_.clearSelection();
    if (design_.wholeRowSelection) {
        selection_ =
            CellRange{std::min(start.row, target.row), 0, std::max(start.row, target.row), model_.columnCount() - 1};
    } else {
        selection_ = CellRange{std::min(start.row, target.row), std::min(start.column, target.column),
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

void CGridCtrl::selectAll() {
    if (!model_.settings().selectionAllowed) return;
    model_.selectRange(model_.fixedRowCount(), model_.fixedColumnCount(), model_.rowCount() - 1,
                       model_.columnCount() - 1);
    selection_ =
        CellRange{model_.fixedRowCount(), model_.fixedColumnCount(), model_.rowCount() - 1, model_.columnCount() - 1};
    redraw();
}

bool CGridCtrl::ownsWindow(HWND window) const {
    return window != nullptr && IsChild(handle(), window) != FALSE;
}

void CGridCtrl::fireCharacter(wchar_t character) {
    fireEvent(grid_event::kCharacter, {character});
}

LRESULT CGridCtrl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The grid answers the input messages itself below, so the common events
    // come first here, where a handler can still keep a message from it.
    if (commonEventSwallows(message, wParam, lParam)) return 0;
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
    return WindowObject::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano::grid
