#include "grid/file/grid_file_writer.h"

#include <algorithm>
#include <array>

#include "grid/file/grid_file_format.h"

namespace veltrano::grid::file {
namespace {

// The cells each part of the file holds, collected in one row-major walk.
struct CollectedCells {
    std::vector<CellAddress> records;
    std::vector<CellAddress> fonts;
    // Background colour, text colour, format, attribute B, margin, masked,
    // state: the order of the lists in the file.
    std::array<std::vector<CellAddress>, 7> attributes;
};

bool explicitColourDiffers(std::uint32_t colour, std::uint32_t gridDefault) {
    return colour <= kLargestExplicitColour && colour != gridDefault;
}

// Cells that loading the merged ranges covers, which sets their covered bit.
std::vector<bool> cellsCoveredByMerges(const GridModel& grid) {
    const auto columns = static_cast<std::size_t>(grid.columnCount());
    std::vector<bool> covered(static_cast<std::size_t>(grid.rowCount()) * columns, false);
    for (const MergeRecord& merge : grid.merges()) {
        const std::int32_t bottom = std::min(merge.bottom, grid.rowCount() - 1);
        const std::int32_t right = std::min(merge.right, grid.columnCount() - 1);
        for (std::int32_t row = std::max(merge.top, 0); row <= bottom; ++row) {
            for (std::int32_t column = std::max(merge.left, 0); column <= right; ++column) {
                if (row != merge.anchorRow || column != merge.anchorColumn) {
                    covered[static_cast<std::size_t>(row) * columns + static_cast<std::size_t>(column)] = true;
                }
            }
        }
    }
    return covered;
}

// Which lists hold the cell's font, attribute B, margin and masked flag:
// values a cell keeps in its shared extras.
struct ExtrasWritten {
    bool font = false;
    bool attributeB = false;
    bool margin = false;
    bool masked = false;
};

ExtrasWritten extrasWritten(const Cell& cell, const LogFont& gridFont) {
    return ExtrasWritten{!sameFont(cell.font(), gridFont), cell.attributeB() != 0, cell.margin() != kDefaultMargin,
                         cell.masked() != 0};
}

CollectedCells collect(const GridModel& grid) {
    CollectedCells collected;
    const GridSettings& settings = grid.settings();
    const std::vector<bool> coveredByMerges = cellsCoveredByMerges(grid);
    const Cell& defaultCell = grid.defaultCell();
    // Most cells share the default cell's extras, which are then judged once.
    const ExtrasWritten defaultExtras = extrasWritten(defaultCell, grid.gridFont());
    std::size_t index = 0;
    for (std::int32_t row = 0; row < grid.rowCount(); ++row) {
        for (std::int32_t column = 0; column < grid.columnCount(); ++column, ++index) {
            const Cell& cell = *grid.cell(row, column);
            const CellAddress address{row, column};
            if (!cell.text.empty() || cell.checkState != 0 || cell.picture()) {
                collected.records.push_back(address);
            }
            const ExtrasWritten extras =
                cell.sharesExtrasWith(defaultCell) ? defaultExtras : extrasWritten(cell, grid.gridFont());
            if (extras.font) {
                collected.fonts.push_back(address);
            }
            // The state list sets states outright, after the merges have
            // covered their cells: a covered cell whose state was cleared
            // since must say so, or it loads covered again.
            const std::array<bool, 7> written{
                explicitColourDiffers(cell.backgroundColour, settings.defaultBackgroundColour),
                explicitColourDiffers(cell.textColour, settings.defaultTextColour),
                cell.format != kDefaultFormat,
                extras.attributeB,
                extras.margin,
                extras.masked,
                cell.state != 0 || coveredByMerges[index],
            };
            for (std::size_t list = 0; list < written.size(); ++list) {
                if (written[list]) {
                    collected.attributes[list].push_back(address);
                }
            }
        }
    }
    return collected;
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
    out.int32(countOf(collected.records.size()));
    out.int32(countOf(collected.fonts.size()));
    for (const auto& list : collected.attributes) {
        out.int32(countOf(list.size()));
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

void writeCellRecords(const GridModel& grid, const CollectedCells& collected, PictureCodec& codec, ByteWriter& out) {
    for (const CellAddress address : collected.records) {
        const Cell& cell = *grid.cell(address.row, address.column);
        out.int32(address.row);
        out.int32(address.column);
        out.int32(countOf(cell.text.size() + 1));
        out.fixedText(cell.text, cell.text.size() + 1);
        out.int32(cell.checkState);
        const std::vector<std::uint8_t> picture =
            cell.picture() ? codec.toBytes(*cell.picture()) : std::vector<std::uint8_t>{};
        out.int32(countOf(picture.size()));
        out.bytes(picture);
    }
}

std::uint32_t attributeValue(const Cell& cell, std::size_t list) {
    switch (list) {
        case 0: return cell.backgroundColour;
        case 1: return cell.textColour;
        case 2: return cell.format;
        case 3: return static_cast<std::uint32_t>(cell.attributeB());
        case 4: return static_cast<std::uint32_t>(cell.margin());
        case 5: return 1;
        default: return cell.state;
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
    writeCellRecords(grid, collected, codec, out);
    for (const CellAddress address : collected.fonts) {
        out.int32(address.row);
        out.int32(address.column);
        out.bytes(grid.cell(address.row, address.column)->font().bytes());
    }
    for (std::size_t list = 0; list < collected.attributes.size(); ++list) {
        for (const CellAddress address : collected.attributes[list]) {
            out.int32(address.row);
            out.int32(address.column);
            out.uint32(attributeValue(*grid.cell(address.row, address.column), list));
        }
    }
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
