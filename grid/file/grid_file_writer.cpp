#include "grid/file/grid_file_writer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "grid/file/grid_file_format.h"

namespace veltrano::grid::file {
namespace {

constexpr std::size_t kAttributeListCount = 7;

// The lists of the file that hold a cell, one bit each: its record, its
// font, then the attribute lists in the file's order (background colour,
// text colour, format, attribute B, margin, masked, state). Each cell keeps
// its bits in 16.
using ListBits = std::uint32_t;
constexpr ListBits kInRecords = 1u << 0;
constexpr ListBits kInFonts = 1u << 1;
constexpr unsigned kFirstAttributeBit = 2;
constexpr ListBits kInStates = 1u << (kFirstAttributeBit + kAttributeListCount - 1);
// Not a list: a merged range covers the cell, which its state must tell.
constexpr ListBits kCoveredByMerge = 1u << (kFirstAttributeBit + kAttributeListCount);
static_assert(kCoveredByMerge <= 0xFFFF);

constexpr ListBits attributeBit(std::size_t list) {
    return 1u << (kFirstAttributeBit + list);
}

// Every count goes into the settings block before the first record, so one
// row-major walk marks which lists hold each cell; each list is then written
// from the marks, which cost a byte or two per cell rather than an address
// per entry.
struct CollectedCells {
    std::vector<std::uint16_t> lists;
    // The states of the cells in the state list, in its order: nearly every
    // cell of a table is there, and a second walk over the cells for them
    // would wait on memory for each.
    std::vector<std::uint32_t> states;
    std::int32_t records = 0;
    std::int32_t fonts = 0;
    std::array<std::int32_t, kAttributeListCount> attributes{};
};

bool explicitColourDiffers(std::uint32_t colour, std::uint32_t gridDefault) {
    return colour <= kLargestExplicitColour && colour != gridDefault;
}

// Cells that loading the merged ranges covers, which sets their covered bit.
void markCellsCoveredByMerges(const GridModel& grid, std::vector<std::uint16_t>& lists) {
    const auto columns = static_cast<std::size_t>(grid.columnCount());
    for (const MergeRecord& merge : grid.merges()) {
        const std::int32_t bottom = std::min(merge.bottom, grid.rowCount() - 1);
        const std::int32_t right = std::min(merge.right, grid.columnCount() - 1);
        for (std::int32_t row = std::max(merge.top, 0); row <= bottom; ++row) {
            for (std::int32_t column = std::max(merge.left, 0); column <= right; ++column) {
                if (row != merge.anchorRow || column != merge.anchorColumn) {
                    std::uint16_t& marks =
                        lists[static_cast<std::size_t>(row) * columns + static_cast<std::size_t>(column)];
                    marks = static_cast<std::uint16_t>(marks | kCoveredByMerge);
                }
            }
        }
    }
}

// Which lists the values a cell keeps in its shared extras put it in: a
// picture among the records, then the font, attribute B, margin and masked
// lists.
ListBits extrasLists(const Cell& cell, const LogFont& gridFont) {
    ListBits lists = 0;
    lists |= cell.picture() ? kInRecords : 0;
    lists |= !sameFont(cell.font(), gridFont) ? kInFonts : 0;
    lists |= cell.attributeB() != 0 ? attributeBit(3) : 0;
    lists |= cell.margin() != kDefaultMargin ? attributeBit(4) : 0;
    lists |= cell.masked() != 0 ? attributeBit(5) : 0;
    return lists;
}

// The state list sets states outright, after the merges have covered their
// cells: a covered cell whose state was cleared since must say so, or it
// loads covered again.
ListBits listsOf(const Cell& cell, ListBits extras, const GridSettings& settings) {
    ListBits lists = extras;
    lists |= !cell.text.empty() || cell.checkState != 0 ? kInRecords : 0;
    lists |= explicitColourDiffers(cell.backgroundColour, settings.defaultBackgroundColour) ? attributeBit(0) : 0;
    lists |= explicitColourDiffers(cell.textColour, settings.defaultTextColour) ? attributeBit(1) : 0;
    lists |= cell.format != kDefaultFormat ? attributeBit(2) : 0;
    lists |= cell.state != 0 ? kInStates : 0;
    return lists;
}

CollectedCells collect(const GridModel& grid) {
    CollectedCells collected;
    collected.lists.assign(static_cast<std::size_t>(grid.rowCount()) * static_cast<std::size_t>(grid.columnCount()), 0);
    markCellsCoveredByMerges(grid, collected.lists);
    const GridSettings& settings = grid.settings();
    const Cell& defaultCell = grid.defaultCell();
    // Most cells share the default cell's extras, or are the default cell
    // itself: both are judged once.
    const ListBits defaultExtras = extrasLists(defaultCell, grid.gridFont());
    const ListBits defaultLists = listsOf(defaultCell, defaultExtras, settings);
    // Cells are counted by their lists together; there are few such sets.
    constexpr std::size_t kListBitCount = kFirstAttributeBit + kAttributeListCount;
    std::array<std::int32_t, std::size_t{1} << kListBitCount> cellsBySet{};
    std::size_t index = 0;
    for (std::int32_t row = 0; row < grid.rowCount(); ++row) {
        for (std::int32_t column = 0; column < grid.columnCount(); ++column, ++index) {
            const Cell& cell = *grid.cell(row, column);
            ListBits lists = defaultLists;
            if (&cell != &defaultCell) {
                const ListBits extras =
                    cell.sharesExtrasWith(defaultCell) ? defaultExtras : extrasLists(cell, grid.gridFont());
                lists = listsOf(cell, extras, settings);
            }
            if ((collected.lists[index] & kCoveredByMerge) != 0) {
                lists |= kInStates;
            }
            if ((lists & kInStates) != 0) {
                collected.states.push_back(cell.state);
            }
            collected.lists[index] = static_cast<std::uint16_t>(lists);
            ++cellsBySet[lists];
        }
    }
    std::array<std::int32_t, kListBitCount> counts{};
    for (std::size_t set = 0; set < cellsBySet.size(); ++set) {
        for (std::size_t bit = 0; bit < kListBitCount; ++bit) {
            counts[bit] += (set >> bit) & 1u ? cellsBySet[set] : 0;
        }
    }
    collected.records = counts[0];
    collected.fonts = counts[1];
    std::copy(counts.begin() + kFirstAttributeBit, counts.end(), collected.attributes.begin());
    return collected;
}

// Visits, row by row, the count cells that the list marked by bit holds.
template <typename Visit>
void forEachListed(const GridModel& grid, const CollectedCells& collected, ListBits bit, std::int32_t count,
                   Visit visit) {
    std::size_t index = 0;
    for (std::int32_t row = 0; row < grid.rowCount() && count > 0; ++row) {
        for (std::int32_t column = 0; column < grid.columnCount(); ++column, ++index) {
            if ((collected.lists[index] & bit) != 0) {
                visit(row, column, *grid.cell(row, column));
                --count;
            }
        }
    }
}

std::int32_t countOf(std::size_t size) {
    return static_cast<std::int32_t>(size);
}

std::uint32_t flag(bool value) {
    return value ? 1u : 0u;
}

void writeSettings(const GridModel& grid, const CollectedCells& collected, ByteWriter& out) {
    const GridSettings& settings = grid.settings();
    out.int32(grid.rowCount());
    out.int32(grid.columnCount());
    out.int32(grid.fixedRowCount());
    out.int32(grid.fixedColumnCount());
    out.int32(grid.defaultRowHeight());
    out.int32(grid.defaultColumnWidth());
    out.uint32(settings.gridLineColour);
    out.uint32(settings.defaultBackgroundColour);
    out.uint32(settings.defaultTextColour);
    out.uint32(settings.focusFrameColour);
    out.int32(settings.gridLines);
    out.uint32(flag(settings.rowsResizable));
    out.uint32(flag(settings.columnsResizable));
    out.uint32(flag(settings.editable));
    out.uint32(flag(settings.printDialog));
    out.uint32(flag(settings.selectionAllowed));
    out.uint32(flag(settings.storedOption));
    out.uint32(flag(settings.alternate.on));
    out.uint32(flag(settings.alternate.byRows));
    out.uint32(settings.alternate.oddColour);
    out.uint32(settings.alternate.evenColour);
    out.int32(countOf(grid.columnTypes().size()));
    out.int32(countOf(grid.merges().size()));
    out.int32(collected.records);
    out.int32(collected.fonts);
    for (const std::int32_t count : collected.attributes) {
        out.int32(count);
    }
    out.int32(countOf(grid.formulaRules().size()));
    out.int32(countOf(grid.totalRules().size()));
    out.fixedText(settings.textSetting, kTextSettingSize);
    out.fixedText(settings.faceNameSetting, kFaceNameSettingSize);
    for (const std::int32_t value : settings.intSettings) {
        out.int32(value);
    }
    for (const std::int32_t value : settings.pageLayout) {
        out.int32(value);
    }
}

void writeColumnTypes(const GridModel& grid, ByteWriter& out) {
    for (const ColumnType& type : grid.columnTypes()) {
        out.int32(type.column);
        out.int32(static_cast<std::int32_t>(type.kind));
        out.fixedText(type.unitText, kUnitTextSize);
        out.fixedText(type.secondText, kSecondTextSize);
        out.int32(type.option);
        out.int32(type.decimals);
        out.int32(countOf(type.items.size()));
        for (const std::string& item : type.items) {
            out.fixedText(item, kListItemSize);
        }
    }
}

void writeCellRecord(std::int32_t row, std::int32_t column, const Cell& cell, PictureCodec& codec, ByteWriter& out) {
    const std::size_t textSize = cell.text.size();
    // Nearly every record is a text without a picture, written in one piece.
    if (!cell.picture()) {
        if (std::uint8_t* at = out.room(kSmallestCountedCellRecord + textSize)) {
            storeUint32(at, static_cast<std::uint32_t>(row));
            storeUint32(at + 4, static_cast<std::uint32_t>(column));
            storeUint32(at + 8, static_cast<std::uint32_t>(countOf(textSize + 1)));
            std::memcpy(at + 12, cell.text.data(), textSize);
            at[12 + textSize] = 0;
            storeUint32(at + 13 + textSize, static_cast<std::uint32_t>(cell.checkState));
            storeUint32(at + 17 + textSize, 0);
            return;
        }
    }
    out.int32(row);
    out.int32(column);
    out.int32(countOf(textSize + 1));
    out.fixedText(cell.text, textSize + 1);
    out.int32(cell.checkState);
    const std::vector<std::uint8_t> picture =
        cell.picture() ? codec.toBytes(*cell.picture()) : std::vector<std::uint8_t>{};
    out.int32(countOf(picture.size()));
    out.bytes(picture);
}

void writeAttributeRecord(std::int32_t row, std::int32_t column, std::uint32_t value, ByteWriter& out) {
    if (std::uint8_t* at = out.room(kAttributeRecordSize)) {
        storeUint32(at, static_cast<std::uint32_t>(row));
        storeUint32(at + 4, static_cast<std::uint32_t>(column));
        storeUint32(at + 8, value);
        return;
    }
    out.int32(row);
    out.int32(column);
    out.uint32(value);
}

// The attribute lists before the state list.
std::uint32_t attributeValue(const Cell& cell, std::size_t list) {
    switch (list) {
        case 0: return cell.backgroundColour;
        case 1: return cell.textColour;
        case 2: return cell.format;
        case 3: return static_cast<std::uint32_t>(cell.attributeB());
        case 4: return static_cast<std::uint32_t>(cell.margin());
        default: return 1;
    }
}

// From the marks and the states collected with them, without the cells.
void writeStates(const GridModel& grid, const CollectedCells& collected, ByteWriter& out) {
    std::size_t index = 0;
    std::size_t next = 0;
    for (std::int32_t row = 0; row < grid.rowCount() && next < collected.states.size(); ++row) {
        for (std::int32_t column = 0; column < grid.columnCount(); ++column, ++index) {
            if ((collected.lists[index] & kInStates) != 0) {
                writeAttributeRecord(row, column, collected.states[next++], out);
            }
        }
    }
}

}  // namespace

bool writeGridFile(const GridModel& grid, PictureCodec& codec, ByteSink& sink) {
    const CollectedCells collected = collect(grid);
    ByteWriter out(sink);

    out.bytes(kMagic);
    out.int32(kWrittenVersion);
    out.zeros(4);
    writeSettings(grid, collected, out);
    for (std::int32_t row = 0; row < grid.rowCount(); ++row) {
        out.int32(grid.rowHeight(row));
    }
    for (std::int32_t column = 0; column < grid.columnCount(); ++column) {
        out.int32(grid.columnWidth(column));
    }
    writeColumnTypes(grid, out);
    for (const MergeRecord& merge : grid.merges()) {
        for (const std::int32_t value :
             {merge.anchorRow, merge.anchorColumn, merge.top, merge.left, merge.bottom, merge.right}) {
            out.int32(value);
        }
    }
    forEachListed(grid, collected, kInRecords, collected.records,
                  [&](std::int32_t row, std::int32_t column, const Cell& cell) {
                      writeCellRecord(row, column, cell, codec, out);
                  });
    forEachListed(grid, collected, kInFonts, collected.fonts,
                  [&](std::int32_t row, std::int32_t column, const Cell& cell) {
                      out.int32(row);
                      out.int32(column);
                      out.bytes(cell.font().bytes());
                  });
    for (std::size_t list = 0; list + 1 < kAttributeListCount; ++list) {
        forEachListed(grid, collected, attributeBit(list), collected.attributes[list],
                      [&](std::int32_t row, std::int32_t column, const Cell& cell) {
                          writeAttributeRecord(row, column, attributeValue(cell, list), out);
                      });
    }
    writeStates(grid, collected, out);
    for (const FormulaRule& rule : grid.formulaRules()) {
        out.int32(rule.firstSource);
        out.int32(rule.secondSource);
        out.int32(static_cast<std::int32_t>(rule.op));
        out.int32(rule.target);
    }
    for (const TotalRule& rule : grid.totalRules()) {
        out.int32(rule.column);
        for (const std::int32_t value : rule.values) {
            out.int32(value);
        }
    }
    // Readers refuse files below the minimum length however complete they
    // are, so a small grid is padded to it rather than saved unreadable.
    if (out.written() < kMinimumFileLength) {
        out.zeros(kMinimumFileLength - out.written());
    }
    return out.flush();
}

std::vector<std::uint8_t> gridFileBytes(const GridModel& grid, PictureCodec& codec) {
    VectorSink sink;
    writeGridFile(grid, codec, sink);
    return sink.take();
}

}  // namespace veltrano::grid::file
