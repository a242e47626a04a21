#include "grid_keys_check.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

#include "grid/model/cell_navigation.h"
#include "grid/model/clipboard_text.h"

namespace veltrano::fuzz {
namespace {

using grid::CellAddress;
using grid::CellRange;
using grid::FocusMove;
using grid::GridModel;
using grid::NavigationKey;
using grid::NavigationRequest;
using grid::NavigationRules;

constexpr std::int32_t kMaxSide = 12;
constexpr std::int32_t kMaxMerges = 3;
constexpr std::int32_t kMaxTextLength = 8;
constexpr std::int32_t kMaxKeys = 64;
constexpr std::uint8_t kNoFocus = 0xFF;

// The input, byte by byte; zeros once it runs out.
class ByteFeed {
public:
    explicit ByteFeed(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t next() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }
    std::int32_t below(std::int32_t limit) { return next() % limit; }
    // Two bytes, the first the low one.
    unsigned word() {
        const unsigned low = next();
        return low | (static_cast<unsigned>(next()) << 8);
    }
    std::span<const std::uint8_t> rest() const { return bytes_.subspan(std::min(at_, bytes_.size())); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

struct Scene {
    GridModel grid;
    NavigationRules rules;
    std::optional<CellRange> selection;
};

void buildLayout(ByteFeed& feed, Scene& scene) {
    GridModel& grid = scene.grid;
    const std::int32_t rows = 1 + feed.below(kMaxSide);
    const std::int32_t columns = 1 + feed.below(kMaxSide);
    grid.setRowCount(rows);
    grid.setColumnCount(columns);
    grid.setFixedRowCount(feed.below(rows + 1));
    grid.setFixedColumnCount(feed.below(columns + 1));
    const std::uint8_t flags = feed.next();
    grid.settings().selectionAllowed = (flags & 0x01) != 0;
    scene.rules.wholeRowSelection = (flags & 0x02) != 0;
    scene.rules.enterMode = (flags >> 2) & 0x03;
    const unsigned hiddenRows = feed.word();
    const unsigned hiddenColumns = feed.word();
    for (std::int32_t row = 0; row < rows; ++row) {
        if (((hiddenRows >> row) & 1U) != 0) grid.setRowHeight(row, 0);
    }
    for (std::int32_t column = 0; column < columns; ++column) {
        if (((hiddenColumns >> column) & 1U) != 0) grid.setColumnWidth(column, 0, true);
    }
    const std::int32_t merges = feed.below(kMaxMerges + 1);
    for (std::int32_t merge = 0; merge < merges; ++merge) {
        const std::int32_t top = feed.below(rows);
        const std::int32_t left = feed.below(columns);
        const std::int32_t bottom = std::min(rows - 1, top + feed.below(rows));
        const std::int32_t right = std::min(columns - 1, left + feed.below(columns));
        grid.addMerge(grid::MergeRecord{top, left, top, left, bottom, right});
    }
}

// The control's selection need not be the model's: the block is marked
// selected in the model only when the bytes say so.
void buildSelection(ByteFeed& feed, Scene& scene) {
    GridModel& grid = scene.grid;
    const std::uint8_t focusRow = feed.next();
    const std::uint8_t focusColumn = feed.next();
    const std::uint8_t selection = feed.next();
    if ((selection & 0x01) != 0) {
        const std::int32_t rowA = feed.below(grid.rowCount());
        const std::int32_t columnA = feed.below(grid.columnCount());
        const std::int32_t rowB = feed.below(grid.rowCount());
        const std::int32_t columnB = feed.below(grid.columnCount());
        scene.selection = CellRange{std::min(rowA, rowB), std::min(columnA, columnB), std::max(rowA, rowB),
                                    std::max(columnA, columnB)};
        if ((selection & 0x02) != 0) {
            grid.selectRange(scene.selection->top, scene.selection->left, scene.selection->bottom,
                             scene.selection->right);
        }
    }
    if (focusRow != kNoFocus) {
        grid.setFocusCell(CellAddress{focusRow % grid.rowCount(), focusColumn % grid.columnCount()});
    }
}

void fillTexts(ByteFeed& feed, GridModel& grid) {
    const std::int32_t cells = grid.rowCount() * grid.columnCount();
    const std::int32_t texts = feed.below(cells + 1);
    for (std::int32_t index = 0; index < texts; ++index) {
        std::string text(static_cast<std::size_t>(feed.below(kMaxTextLength + 1)), '\0');
        for (char& character : text) character = static_cast<char>(feed.next());
        grid.setText(index / grid.columnCount(), index % grid.columnCount(), text, false);
    }
}

// The shown scrolled rows or columns, ascending: where focus moves may land.
std::vector<std::int32_t> shownRows(const GridModel& grid) {
    std::vector<std::int32_t> rows;
    for (std::int32_t row = grid.fixedRowCount(); row < grid.rowCount(); ++row) {
        if (grid.rowHeight(row) > 0) rows.push_back(row);
    }
    return rows;
}

std::vector<std::int32_t> shownColumns(const GridModel& grid) {
    std::vector<std::int32_t> columns;
    for (std::int32_t column = grid.fixedColumnCount(); column < grid.columnCount(); ++column) {
        if (grid.columnWidth(column) > 0) columns.push_back(column);
    }
    return columns;
}

// The first shown line after from. A search that starts two or more lines
// inside the fixed ones meets a fixed line first and ends there.
std::optional<std::int32_t> after(const std::vector<std::int32_t>& lines, std::int32_t from, std::int32_t fixed) {
    if (std::int64_t{from} + 1 < fixed) return std::nullopt;
    const auto found = std::upper_bound(lines.begin(), lines.end(), from);
    if (found == lines.end()) return std::nullopt;
    return *found;
}

std::optional<std::int32_t> before(const std::vector<std::int32_t>& lines, std::int32_t from) {
    const auto found = std::lower_bound(lines.begin(), lines.end(), from);
    if (found == lines.begin()) return std::nullopt;
    return *std::prev(found);
}

std::optional<std::int32_t> first(const std::vector<std::int32_t>& lines) {
    if (lines.empty()) return std::nullopt;
    return lines.front();
}

std::optional<std::int32_t> last(const std::vector<std::int32_t>& lines) {
    if (lines.empty()) return std::nullopt;
    return lines.back();
}

std::optional<FocusMove> moveTo(std::optional<std::int32_t> row, std::optional<std::int32_t> column, bool extend) {
    if (!row || !column) return std::nullopt;
    return FocusMove{CellAddress{*row, *column}, extend};
}

// Where a key should move the focus, found by looking the shown lines up
// rather than stepping through the grid.
std::optional<FocusMove> expectedMove(const GridModel& grid, CellAddress focus, const NavigationRequest& request,
                                      const NavigationRules& rules) {
    if (!grid.isValid(focus)) return std::nullopt;
    const std::vector<std::int32_t> rows = shownRows(grid);
    const std::vector<std::int32_t> columns = shownColumns(grid);
    const std::int32_t fixedRows = grid.fixedRowCount();
    const std::int32_t fixedColumns = grid.fixedColumnCount();
    CellAddress corner = focus;
    for (const grid::MergeRecord& merge : grid.merges()) {
        if (merge.anchorRow == focus.row && merge.anchorColumn == focus.column) {
            corner = CellAddress{merge.bottom, merge.right};
            break;
        }
    }
    const bool extend = request.shift;
    const auto across = [&](bool extendSelection) {
        if (const auto column = after(columns, corner.column, fixedColumns)) {
            return moveTo(focus.row, column, extendSelection);
        }
        return moveTo(after(rows, focus.row, fixedRows), first(columns), extendSelection);
    };
    switch (request.key) {
        case NavigationKey::Tab:
            if (rules.wholeRowSelection) return std::nullopt;
            if (!request.shift) return across(false);
            if (const auto column = before(columns, focus.column)) return moveTo(focus.row, column, false);
            return moveTo(before(rows, focus.row), last(columns), false);
        case NavigationKey::Enter:
            if (rules.wholeRowSelection) return std::nullopt;
            if (rules.enterMode == grid::kEnterMovesAcross) return across(extend);
            if (rules.enterMode != grid::kEnterMovesDown) return std::nullopt;
            if (const auto row = after(rows, corner.row, fixedRows)) return moveTo(row, focus.column, extend);
            return moveTo(first(rows), after(columns, focus.column, fixedColumns), extend);
        case NavigationKey::PageUp:
        case NavigationKey::PageDown: {
            std::int64_t row = std::int64_t{focus.row} + request.pagedRows;
            if (row < fixedRows) row = fixedRows;
            if (row > grid.rowCount() - 1) row = grid.rowCount() - 1;
            return moveTo(static_cast<std::int32_t>(row), focus.column, extend);
        }
        case NavigationKey::Home: return moveTo(request.control ? first(rows) : focus.row, first(columns), extend);
        case NavigationKey::End: return moveTo(request.control ? last(rows) : focus.row, last(columns), extend);
        case NavigationKey::Left:
            if (rules.wholeRowSelection) return std::nullopt;
            return moveTo(focus.row, before(columns, focus.column), extend);
        case NavigationKey::Right:
            if (rules.wholeRowSelection) return std::nullopt;
            return moveTo(focus.row, after(columns, corner.column, fixedColumns), extend);
        case NavigationKey::Up: return moveTo(before(rows, focus.row), focus.column, extend);
        case NavigationKey::Down: return moveTo(after(rows, corner.row, fixedRows), focus.column, extend);
    }
    return std::nullopt;
}

std::string describe(const std::optional<FocusMove>& move) {
    if (!move) return "none";
    return "(" + std::to_string(move->target.row) + ", " + std::to_string(move->target.column) + ")" +
           (move->extendSelection ? " extending" : "");
}

std::string walkDifference(ByteFeed& feed, Scene& scene) {
    GridModel& grid = scene.grid;
    const std::int32_t keys = feed.below(kMaxKeys + 1);
    for (std::int32_t step = 0; step < keys; ++step) {
        NavigationRequest request;
        request.key = static_cast<NavigationKey>(feed.below(static_cast<std::int32_t>(NavigationKey::Down) + 1));
        const std::uint8_t modifiers = feed.next();
        request.shift = (modifiers & 0x01) != 0;
        request.control = (modifiers & 0x02) != 0;
        request.pagedRows = static_cast<std::int8_t>(feed.next());
        const CellAddress focus = grid.focusCell();
        const std::optional<FocusMove> move = grid::navigationTarget(grid, focus, request, scene.rules);
        const std::optional<FocusMove> expected = expectedMove(grid, focus, request, scene.rules);
        const bool same =
            move.has_value() == expected.has_value() &&
            (!move || (move->target == expected->target && move->extendSelection == expected->extendSelection));
        if (!same) {
            return "key " + std::to_string(static_cast<int>(request.key)) + " from (" + std::to_string(focus.row) +
                   ", " + std::to_string(focus.column) + ") went to " + describe(move) + ", not " + describe(expected);
        }
        if (move) grid.setFocusCell(grid::anchorOf(grid, move->target));
    }
    return {};
}

std::vector<std::string> split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t found = text.find(separator); found != std::string_view::npos;
         found = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

bool holdsSeparator(std::string_view text) {
    return text.find_first_of("\t\r\n") != std::string_view::npos;
}

// The copied text must split into one line a shown row (and an empty one
// after them when the block's last row is hidden) and one field a shown
// column, each the cell's text when the cell is copied.
std::string copyDifference(const Scene& scene) {
    const GridModel& grid = scene.grid;
    const std::string text = grid::clipboardText(grid, scene.selection);
    const CellAddress focus = grid.focusCell();
    std::optional<CellRange> range = scene.selection;
    if (!range && grid.isValid(focus)) range = CellRange{focus.row, focus.column, focus.row, focus.column};
    if (!range) return text.empty() ? std::string() : "text copied without a block or a focus cell";

    std::vector<std::vector<std::string>> fields;
    for (std::int32_t row = range->top; row <= range->bottom; ++row) {
        if (grid.rowHeight(row) == 0) continue;
        std::vector<std::string>& line = fields.emplace_back();
        for (std::int32_t column = range->left; column <= range->right; ++column) {
            if (grid.columnWidth(column) == 0) continue;
            const bool copied =
                !grid.settings().selectionAllowed || grid.isSelected(row, column) || focus == CellAddress{row, column};
            line.push_back(copied ? grid.cell(row, column)->text : std::string());
            // Texts that hold separators blur the lines and fields.
            if (holdsSeparator(line.back())) return {};
        }
    }
    if (fields.empty()) return text.empty() ? std::string() : "a block of hidden rows copied as text";
    const std::vector<std::string> lines = split(text, "\r\n");
    const bool lastRowShown = grid.rowHeight(range->bottom) != 0;
    if (lines.size() != fields.size() + (lastRowShown ? 0 : 1)) {
        return std::to_string(fields.size()) + " shown rows copied as " + std::to_string(lines.size()) + " lines";
    }
    if (!lastRowShown && !lines.back().empty()) return "text after the last shown row";
    for (std::size_t index = 0; index < fields.size(); ++index) {
        const std::vector<std::string> copied =
            fields[index].empty() ? std::vector<std::string>{""} : split(lines[index], "\t");
        const std::vector<std::string> wanted = fields[index].empty() ? std::vector<std::string>{""} : fields[index];
        if (copied != wanted) return "line " + std::to_string(index) + " does not hold its row's cells";
    }
    return {};
}

// Line breaks of any kind as one, with the final one dropped: the text the
// pasted cells must join back into.
std::wstring joinedForm(std::wstring_view text) {
    std::wstring joined;
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (text[index] == L'\r') {
            if (index + 1 < text.size() && text[index + 1] == L'\n') ++index;
            joined += L'\n';
        } else {
            joined += text[index];
        }
    }
    if (!joined.empty() && joined.back() == L'\n') joined.pop_back();
    return joined;
}

std::string pasteDifference(std::span<const std::uint8_t> bytes, CellAddress first) {
    const std::wstring text(bytes.begin(), bytes.end());
    const std::vector<grid::PastedCell> cells = grid::pastedCells(text, first);
    if (cells.empty()) return "a paste that fills no cell";
    if (cells.front().cell != first) return "a paste that does not start at the first cell";
    std::wstring joined = cells.front().text;
    for (std::size_t index = 1; index < cells.size(); ++index) {
        const CellAddress previous = cells[index - 1].cell;
        const CellAddress cell = cells[index].cell;
        const bool nextColumn = cell.row == previous.row && cell.column == previous.column + 1;
        const bool nextRow = cell.row == previous.row + 1 && cell.column == first.column;
        if (!nextColumn && !nextRow) return "pasted cell " + std::to_string(index) + " is out of place";
        joined += nextColumn ? L'\t' : L'\n';
        joined += cells[index].text;
    }
    for (const grid::PastedCell& cell : cells) {
        if (cell.text.find_first_of(L"\t\r\n") != std::wstring::npos) return "a pasted cell holds a separator";
    }
    if (joined != joinedForm(text)) return "the pasted cells do not join back into the text";
    return {};
}

}  // namespace

std::string checkGridKeys(std::span<const std::uint8_t> bytes) {
    ByteFeed feed(bytes);
    Scene scene;
    buildLayout(feed, scene);
    buildSelection(feed, scene);
    fillTexts(feed, scene.grid);
    if (std::string difference = walkDifference(feed, scene); !difference.empty()) return "moving: " + difference;
    if (std::string difference = copyDifference(scene); !difference.empty()) return "copying: " + difference;
    const CellAddress focus = scene.grid.focusCell();
    const CellAddress first = scene.grid.isValid(focus) ? focus : CellAddress{0, 0};
    if (std::string difference = pasteDifference(feed.rest(), first); !difference.empty()) {
        return "pasting: " + difference;
    }
    return {};
}

}  // namespace veltrano::fuzz
