#include "grid/control/grid_painter.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <utility>

#include "grid/control/grid_font.h"
#include "grid/control/win_picture.h"
#include "runtime/kernel/unique_handle.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano::grid {
namespace {

constexpr int kCheckBoxSize = 11;
constexpr int kSortMarkSize = 8;
constexpr LONG kHeaderFocusWeight = 600;

RECT toRect(const PixelRect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

void fill(HDC dc, const RECT& rect, COLORREF colour) {
    win::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.get());
}

void frame(HDC dc, const RECT& rect, COLORREF colour) {
    win::UniqueBrush brush(CreateSolidBrush(colour));
    FrameRect(dc, &rect, brush.get());
}

void drawPicture(HDC dc, const WinPicture& picture, const RECT& area, std::int32_t mode) {
    if (picture.bitmap() == nullptr || picture.width() <= 0 || picture.height() <= 0) return;
    win::MemoryDc source(dc);
    if (!source) return;
    win::SelectObjectGuard select(source.get(), picture.bitmap());
    win::SavedDc saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    SetStretchBltMode(dc, HALFTONE);
    switch (mode) {
        case 201: BitBlt(dc, area.left, area.top, width, height, source.get(), 0, 0, SRCCOPY); break;
        case 202:
            StretchBlt(dc, area.left, area.top, width, height, source.get(), 0, 0, picture.width(), picture.height(),
                       SRCCOPY);
            break;
        case 204:
            BitBlt(dc, area.left + (width - picture.width()) / 2, area.top + (height - picture.height()) / 2,
                   picture.width(), picture.height(), source.get(), 0, 0, SRCCOPY);
            break;
        case 205: {
            const double scale =
                std::min(static_cast<double>(width) / picture.width(), static_cast<double>(height) / picture.height());
            const int shownWidth = static_cast<int>(picture.width() * scale);
            const int shownHeight = static_cast<int>(picture.height() * scale);
            StretchBlt(dc, area.left + (width - shownWidth) / 2, area.top + (height - shownHeight) / 2, shownWidth,
                       shownHeight, source.get(), 0, 0, picture.width(), picture.height(), SRCCOPY);
            break;
        }
        default:
            for (int y = area.top; y < area.bottom; y += picture.height()) {
                for (int x = area.left; x < area.right; x += picture.width()) {
                    BitBlt(dc, x, y, picture.width(), picture.height(), source.get(), 0, 0, SRCCOPY);
                }
            }
            break;
    }
}

void drawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    win::MemoryDc source(dc);
    if (!source) return;
    win::SelectObjectGuard select(source.get(), bitmap);
    BitBlt(dc, x, y, width, height, source.get(), 0, 0, SRCCOPY);
}

// The sort mark: a small triangle at the right of a header cell, its lit
// and shaded sides drawn like the raised header around it.
void drawSortMark(HDC dc, const RECT& area, bool ascending) {
    const int size = std::min<int>(kSortMarkSize, std::min(area.right - area.left, area.bottom - area.top) - 2);
    if (size < 4) return;
    const int right = area.right - size / 2;
    const int left = right - size;
    const int middle = (left + right) / 2;
    const int top = (area.top + area.bottom - size / 2) / 2;
    const int bottom = top + size / 2;
    const POINT apex{middle, ascending ? top : bottom};
    const POINT baseLeft{left, ascending ? bottom : top};
    const POINT baseRight{right, ascending ? bottom : top};
    win::UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW)));
    win::UniquePen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHILIGHT)));
    win::SelectObjectGuard selectPen(dc, shadow.get());
    MoveToEx(dc, baseLeft.x, baseLeft.y, nullptr);
    LineTo(dc, apex.x, apex.y);
    if (!ascending) LineTo(dc, baseRight.x, baseRight.y);
    SelectObject(dc, light.get());
    if (ascending) {
        MoveToEx(dc, apex.x, apex.y, nullptr);
        LineTo(dc, baseRight.x, baseRight.y);
        LineTo(dc, baseLeft.x, baseLeft.y);
    } else {
        MoveToEx(dc, baseRight.x, baseRight.y, nullptr);
        LineTo(dc, apex.x, apex.y);
    }
}

}  // namespace

std::optional<std::wstring> shownText(const GridModel& model, std::int32_t row, std::int32_t column, const Cell& cell) {
    if (cell.masked() != 0) return std::wstring(cell.text.size(), L'*');
    if (model.isFixedRow(row) || cell.text.empty()) return wideFromCodePage936(cell.text);
    const ColumnType* type = model.columnType(column);
    if (type != nullptr && type->kind == ColumnKind::UnitNumber && !type->unitText.empty()) {
        return wideFromCodePage936(type->unitText + cell.text);
    }
    if (type != nullptr && type->kind == ColumnKind::Date && !type->secondText.empty()) {
        int year = 0;
        int month = 0;
        int day = 0;
        char separator1 = 0;
        char separator2 = 0;
        if (std::sscanf(cell.text.c_str(), "%d%c%d%c%d", &year, &separator1, &month, &separator2, &day) != 5 ||
            month < 1 || month > 12 || day < 1 || day > 31 || year < 1601 || year > 30827) {
            return std::nullopt;
        }
        SYSTEMTIME date{};
        date.wYear = static_cast<WORD>(year);
        date.wMonth = static_cast<WORD>(month);
        date.wDay = static_cast<WORD>(day);
        const std::wstring format = wideFromCodePage936(type->secondText);
        wchar_t buffer[128] = {};
        if (GetDateFormatW(LOCALE_USER_DEFAULT, 0, &date, format.c_str(), buffer, 128) == 0) return std::nullopt;
        return std::wstring(buffer);
    }
    return wideFromCodePage936(cell.text);
}

namespace {

void drawCellText(HDC dc, const std::wstring& text, RECT area, std::uint32_t format) {
    if (text.empty()) return;
    const UINT flags = format | DT_NOPREFIX;
    if ((flags & DT_WORDBREAK) == 0) {
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, flags);
        return;
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int width = area.right - area.left;
    const std::wstring wrapped =
        width > 2 * static_cast<int>(metrics.tmAveCharWidth) ? wrapText(dc, text, width) : text;
    RECT measured = area;
    const UINT blockFlags = (flags & (DT_CENTER | DT_RIGHT)) | DT_NOPREFIX;
    DrawTextW(dc, wrapped.c_str(), static_cast<int>(wrapped.size()), &measured, blockFlags | DT_CALCRECT);
    const int blockHeight = static_cast<int>(measured.bottom - measured.top);
    RECT placed = area;
    placed.top = area.top + std::max(0, (static_cast<int>(area.bottom - area.top) - blockHeight) / 2);
    DrawTextW(dc, wrapped.c_str(), static_cast<int>(wrapped.size()), &placed, blockFlags);
}

class Painter {
public:
    Painter(const GridPaintInput& input, HDC dc, const RECT& client)
        : input_(input),
          model_(input.model),
          dc_(dc),
          geometry_(input.geometry),
          lineWidth_(std::max(0, model_.settings().gridLineWidth)) {
        (void)client;
    }

    void paint() {
        const RECT all{0, 0, geometry_.clientWidth(), geometry_.clientHeight()};
        fill(dc_, all, input_.controlBackground);
        const RECT body{geometry_.fixedWidth(), geometry_.fixedHeight(), geometry_.usedWidth(), geometry_.usedHeight()};
        if (body.right > body.left && body.bottom > body.top) {
            fill(dc_, body, model_.settings().defaultBackgroundColour);
        }
        SetBkMode(dc_, TRANSPARENT);
        const std::vector<std::int32_t> rows = geometry_.visibleRows();
        const std::vector<std::int32_t> columns = geometry_.visibleColumns();
        std::set<std::pair<std::int32_t, std::int32_t>> painted;
        for (std::int32_t row : rows) {
            for (std::int32_t column : columns) {
                CellAddress target{row, column};
                const Cell* cell = model_.cell(row, column);
                if ((cell->state & kStateCovered) != 0) target = anchorOf(row, column);
                if (!painted.insert({target.row, target.column}).second) continue;
                paintCell(target.row, target.column);
            }
        }
        paintGridLines(rows, columns);
    }

private:
    CellAddress anchorOf(std::int32_t row, std::int32_t column) const {
        for (const MergeRecord& merge : model_.merges()) {
            if (merge.contains(row, column)) return CellAddress{merge.anchorRow, merge.anchorColumn};
        }
        return CellAddress{row, column};
    }

    bool sameMerge(std::int32_t row1, std::int32_t column1, std::int32_t row2, std::int32_t column2) const {
        if (!model_.isValid(row2, column2)) return false;
        for (const MergeRecord& merge : model_.merges()) {
            if (merge.contains(row1, column1)) return merge.contains(row2, column2);
        }
        return false;
    }

    void paintCell(std::int32_t row, std::int32_t column) {
        const Cell* cell = model_.cell(row, column);
        if (cell == nullptr) return;
        const GridSettings& settings = model_.settings();
        const bool fixed = model_.isFixedRow(row) || model_.isFixedColumn(column);
        const PixelRect pane = geometry_.paneOf(row, column);
        win::SavedDc saved(dc_);
        IntersectClipRect(dc_, pane.left, pane.top, pane.right, pane.bottom);

        COLORREF text = cell->textColour != kDefaultColour
                            ? cell->textColour
                            : (fixed ? GetSysColor(COLOR_WINDOWTEXT) : settings.defaultTextColour);
        const COLORREF background = cell->backgroundColour != kDefaultColour
                                        ? cell->backgroundColour
                                        : (fixed ? input_.controlBackground : settings.defaultBackgroundColour);
        RECT rect = toRect(geometry_.drawRect(row, column));
        const int shrink = lineWidth_ / 2 + 1;
        RECT inner{rect.left, rect.top, rect.right - shrink, rect.bottom - shrink};
        if (inner.right <= inner.left || inner.bottom <= inner.top) return;

        if ((cell->state & (kStateFocused | kStateDropHighlighted)) != 0) {
            fill(dc_, inner, background);
            frame(dc_, inner, settings.focusFrameColour);
            text = settings.focusFrameColour;
        } else if ((cell->state & kStateSelected) != 0) {
            fill(dc_, inner, input_.selectionBackground);
            text = input_.selectionText == input_.selectionBackground ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                                      : input_.selectionText;
        } else if (cell->backgroundColour != kDefaultColour) {
            fill(dc_, inner, background);
        }

        LogFont font = cell->font();
        if (fixed && settings.gridLines != 0) {
            RECT edge = inner;
            DrawEdge(dc_, &edge, BDR_RAISEDINNER, BF_RECT);
            const CellAddress focus = model_.focusCell();
            if (focus.row >= 0 && (focus.row == row || focus.column == column)) font.setWeight(kHeaderFocusWeight);
            if (row == 0 && column == input_.sortColumn) {
                drawSortMark(dc_, inner, input_.sortAscending);
                inner.right = std::max(inner.left, inner.right - kSortMarkSize * 2);
            }
        }
        win::UniqueFont cellFont = createFont(font);
        win::SelectObjectGuard selectFont(
            dc_, cellFont ? static_cast<HGDIOBJ>(cellFont.get()) : GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc_, text);

        drawImage(*cell, inner);
        const int marginPixels = cell->margin() * GetDeviceCaps(dc_, LOGPIXELSX) / 254;
        RECT content{inner.left + marginPixels, inner.top + marginPixels, inner.right - marginPixels,
                     inner.bottom - marginPixels};
        if (content.right <= content.left || content.bottom <= content.top) return;

        if (const auto* picture = dynamic_cast<const WinPicture*>(cell->picture().get())) {
            const ColumnType* type = model_.columnType(column);
            drawPicture(dc_, *picture, content, type != nullptr ? type->option : kDefaultPictureMode);
            return;
        }
        if (model_.isCheckBoxColumn(column) && !model_.isFixedRow(row)) {
            if (content.right - content.left > kCheckBoxSize && content.bottom - content.top > kCheckBoxSize) {
                const int x = (content.left + content.right - kCheckBoxSize) / 2;
                const int y = (content.top + content.bottom - kCheckBoxSize) / 2;
                if (HBITMAP box = input_.checkBoxes.picture(cell->checkState != 0)) {
                    drawBitmap(dc_, box, x, y, kCheckBoxSize, kCheckBoxSize);
                }
            }
            return;
        }
        if (const std::optional<std::wstring> shown = shownText(model_, row, column, *cell)) {
            drawCellText(dc_, *shown, content, cell->format);
        }
    }

    // The cell's image sits at its left, the margin (in pixels here) on both
    // sides; the text then starts after it.
    void drawImage(const Cell& cell, RECT& inner) {
        HIMAGELIST images = input_.images;
        if (images == nullptr || cell.imageIndex() < 0 || cell.imageIndex() >= ImageList_GetImageCount(images)) return;
        int width = 0;
        int height = 0;
        if (!ImageList_GetIconSize(images, &width, &height)) return;
        const int margin = std::max(0, cell.margin());
        if (width + 2 * margin > inner.right - inner.left || height > inner.bottom - inner.top) return;
        const int x = inner.left + margin;
        const int y = (inner.top + inner.bottom - height) / 2;
        ImageList_Draw(images, cell.imageIndex(), dc_, x, y, ILD_TRANSPARENT);
        inner.left = x + width;
    }

    void paintGridLines(const std::vector<std::int32_t>& rows, const std::vector<std::int32_t>& columns) {
        const std::int32_t lines = model_.settings().gridLines;
        if (lines == 0) return;
        win::UniquePen pen(CreatePen(PS_SOLID, lineWidth_, model_.settings().gridLineColour));
        win::SelectObjectGuard selectPen(dc_, pen.get());
        const int offset = lineWidth_ / 2 + (lineWidth_ == 0 ? 1 : 0);
        for (std::int32_t row : rows) {
            for (std::int32_t column : columns) {
                const PixelRect cell = geometry_.cellRect(row, column);
                const PixelRect pane = geometry_.paneOf(row, column);
                win::SavedDc saved(dc_);
                IntersectClipRect(dc_, pane.left, pane.top, pane.right, pane.bottom);
                if ((lines & 2) != 0 && !sameMerge(row, column, row, column + 1)) {
                    MoveToEx(dc_, cell.right - offset, cell.top, nullptr);
                    LineTo(dc_, cell.right - offset, cell.bottom);
                }
                if ((lines & 1) != 0 && !sameMerge(row, column, row + 1, column)) {
                    MoveToEx(dc_, cell.left, cell.bottom - offset, nullptr);
                    LineTo(dc_, cell.right, cell.bottom - offset);
                }
            }
        }
    }

    const GridPaintInput& input_;
    const GridModel& model_;
    HDC dc_;
    GridGeometry geometry_;
    int lineWidth_;
};

}  // namespace

void paintGrid(const GridPaintInput& input, HDC dc, const RECT& client) {
    Painter(input, dc, client).paint();
}

std::wstring wrapText(HDC dc, const std::wstring& text, int width) {
    std::wstring wrapped;
    std::wstring line;
    const auto lineWidth = [dc](const std::wstring& candidate) {
        SIZE size{};
        GetTextExtentPoint32W(dc, candidate.c_str(), static_cast<int>(candidate.size()), &size);
        return static_cast<int>(size.cx);
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
        const wchar_t character = text[at];
        if (character == L'\r' || character == L'\n') {
            wrapped += line;
            wrapped += character;
            line.clear();
            continue;
        }
        // A surrogate pair is one character and is never split.
        std::wstring next(1, character);
        if (character >= 0xD800 && character <= 0xDBFF && at + 1 < text.size()) next += text[++at];
        if (!line.empty() && lineWidth(line + next) > width) {
            wrapped += line;
            wrapped += L"\r\n";
            line.clear();
        }
        line += next;
    }
    return wrapped + line;
}

}  // namespace veltrano::grid
