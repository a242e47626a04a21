// The grid's scroll position: its limits, the scroll bars, and scrolling
// by bar, page, wheel and to keep a cell in view.
#include <algorithm>

#include "grid/control/grid_ctrl.h"

namespace veltrano::grid {
namespace {

// The furthest first scrolled line (row or column) that still fills the
// room with the lines from it to the last one; sizeOf gives a line's size.
template <typename SizeOf>
std::int32_t lastFirstLine(std::int32_t count, std::int32_t fixed, std::int64_t room, SizeOf sizeOf) {
    std::int32_t first = count;
    while (first > fixed) {
        room -= std::max(0, sizeOf(first - 1));
        if (room < 0) break;
        --first;
    }
    return std::max(fixed, std::min(first, count - 1));
}

}  // namespace

std::int32_t CGridCtrl::lastTopRow() const {
    RECT client{};
    if (handle() != nullptr) GetClientRect(handle(), &client);
    const std::int64_t room = static_cast<std::int64_t>(client.bottom) - geometry().fixedHeight();
    return lastFirstLine(model_.rowCount(), model_.fixedRowCount(), room,
                         [this](std::int32_t row) { return model_.rowHeight(row); });
}

std::int32_t CGridCtrl::lastLeftColumn() const {
    RECT client{};
    if (handle() != nullptr) GetClientRect(handle(), &client);
    const std::int64_t room = static_cast<std::int64_t>(client.right) - geometry().fixedWidth();
    return lastFirstLine(model_.columnCount(), model_.fixedColumnCount(), room,
                         [this](std::int32_t column) { return model_.columnWidth(column); });
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

std::int32_t CGridCtrl::scrollPage(bool up) {
    const std::int32_t before = topRow_;
    onScroll(SB_VERT, up ? SB_PAGEUP : SB_PAGEDOWN);
    const std::int32_t moved = topRow_ - before;
    if (moved != 0) return moved;
    const std::int32_t page = geometry().fullyVisibleRows();
    return up ? -page : page;
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

void CGridCtrl::onMouseWheel(int delta) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int steps = delta / WHEEL_DELTA * static_cast<int>(std::min<UINT>(lines, 100));
    scrollTo(topRow_ - steps, leftColumn_);
}

}  // namespace veltrano::grid
