#include "grid_file_check.h"

#include <vector>

#include "grid/file/grid_file.h"
#include "grid/file/grid_file_reader.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"
#include "tests/support/memory_file_system.h"

namespace veltrano::fuzz {
namespace {

using grid::Cell;
using grid::GridModel;
using test::MemoryFileSystem;

const std::string kInputPath = "input.dat";
const std::string kSavedPath = "saved.dat";

// The grid a file is loaded into. Its font and the settings older versions do
// not carry survive a load, so both loads of one check start from it.
GridModel targetGrid() {
    GridModel grid;
    grid.setRowCount(3);
    grid.setColumnCount(2);
    grid.setFixedRowCount(1);
    grid.setText(1, 1, "before", false);
    grid.setBackgroundColour(2, 0, 0x123456);
    grid::LogFont font = grid.gridFont();
    font.setFaceName("Fixed");
    font.setHeight(-13);
    grid.setGridFont(font, grid::FontMetrics{0, 13, 4, 6});
    grid.settings().textSetting = "kept";
    return grid;
}

std::string at(std::int32_t row, std::int32_t column) {
    return " of cell (" + std::to_string(row) + ", " + std::to_string(column) + ")";
}

// Colours above the explicit range, and the grid's own default, both draw
// as the default; the file need not keep them apart.
std::uint32_t drawnColour(std::uint32_t colour, std::uint32_t gridDefault) {
    return colour <= grid::kLargestExplicitColour ? colour : gridDefault;
}

std::string cellDifference(const GridModel& first, const GridModel& second, std::int32_t row, std::int32_t column,
                           grid::PictureCodec& codec) {
    const Cell& a = *first.cell(row, column);
    const Cell& b = *second.cell(row, column);
    if (a.text != b.text) {
        return "text \"" + a.text + "\" became \"" + b.text + "\"" + at(row, column);
    }
    if (a.checkState != b.checkState) {
        return "check state" + at(row, column);
    }
    const std::vector<std::uint8_t> pictureA = a.picture() ? codec.toBytes(*a.picture()) : std::vector<std::uint8_t>{};
    const std::vector<std::uint8_t> pictureB = b.picture() ? codec.toBytes(*b.picture()) : std::vector<std::uint8_t>{};
    if (pictureA != pictureB) {
        return "picture" + at(row, column);
    }
    if (!grid::sameFont(a.font(), b.font())) {
        return "font" + at(row, column);
    }
    const grid::GridSettings& settings = first.settings();
    if (drawnColour(a.backgroundColour, settings.defaultBackgroundColour) !=
        drawnColour(b.backgroundColour, settings.defaultBackgroundColour)) {
        return "background colour" + at(row, column);
    }
    if (drawnColour(a.textColour, settings.defaultTextColour) !=
        drawnColour(b.textColour, settings.defaultTextColour)) {
        return "text colour" + at(row, column);
    }
    if (a.format != b.format || a.attributeB() != b.attributeB() || a.margin() != b.margin()) {
        return "format, attribute B or margin" + at(row, column);
    }
    if ((a.masked() != 0) != (b.masked() != 0)) {
        return "masked flag" + at(row, column);
    }
    // Loading marks the body cells it gives a text, format, margin or the
    // like as modified, whatever state they were saved with.
    if ((a.state & ~grid::kStateModified) != (b.state & ~grid::kStateModified)) {
        return "state " + std::to_string(a.state) + " became " + std::to_string(b.state) + at(row, column);
    }
    if (a.mergeAnchor() != b.mergeAnchor()) {
        return "merge anchor" + at(row, column);
    }
    return {};
}

std::string gridDifference(const GridModel& first, const GridModel& second, grid::PictureCodec& codec) {
    if (first.rowCount() != second.rowCount() || first.columnCount() != second.columnCount() ||
        first.fixedRowCount() != second.fixedRowCount() || first.fixedColumnCount() != second.fixedColumnCount()) {
        return "the grid's dimensions changed";
    }
    if (first.defaultRowHeight() != second.defaultRowHeight() ||
        first.defaultColumnWidth() != second.defaultColumnWidth()) {
        return "the default row height or column width changed";
    }
    for (std::int32_t row = 0; row < first.rowCount(); ++row) {
        if (first.rowHeight(row) != second.rowHeight(row)) {
            return "the height of row " + std::to_string(row) + " changed";
        }
    }
    for (std::int32_t column = 0; column < first.columnCount(); ++column) {
        if (first.columnWidth(column) != second.columnWidth(column)) {
            return "the width of column " + std::to_string(column) + " changed";
        }
    }
    if (!(first.settings() == second.settings())) {
        return "the grid settings changed";
    }
    if (first.columnTypes() != second.columnTypes()) {
        return "the column types changed";
    }
    if (first.merges() != second.merges()) {
        return "the merged ranges changed";
    }
    if (first.formulaRules() != second.formulaRules() || first.totalRules() != second.totalRules()) {
        return "the formula or total rules changed";
    }
    for (std::int32_t row = 0; row < first.rowCount(); ++row) {
        for (std::int32_t column = 0; column < first.columnCount(); ++column) {
            std::string difference = cellDifference(first, second, row, column, codec);
            if (!difference.empty()) {
                return difference;
            }
        }
    }
    return {};
}

// Saves the grid through the file seam and loads the file into target.
std::string saveAndLoad(const GridModel& grid, MemoryFileSystem& files, grid::PictureCodec& codec,
                        std::vector<std::uint8_t>& saved, GridModel& target) {
    if (!grid::file::saveGridFile(grid, kSavedPath, files, codec)) {
        return "a loaded table could not be saved";
    }
    saved = files.files().at(kSavedPath);
    const grid::file::GridFileReadResult result = grid::file::readGridFile(saved, target, codec);
    if (!result.ok()) {
        return "the saved table does not load: " + std::string(grid::file::sectionName(result.error->section)) +
               " at " + std::to_string(result.error->offset) + ": " + result.error->reason;
    }
    return {};
}

}  // namespace

std::string checkGridFile(std::span<const std::uint8_t> bytes) {
    grid::BytePictureCodec codec;
    MemoryFileSystem files;
    files.files()[kInputPath].assign(bytes.begin(), bytes.end());

    GridModel loaded = targetGrid();
    const std::vector<std::uint8_t> untouched = grid::file::gridFileBytes(loaded, codec);
    const bool wasModified = loaded.modified();
    if (!grid::file::loadGridFile(loaded, kInputPath, files, codec)) {
        if (grid::file::gridFileBytes(loaded, codec) != untouched || loaded.modified() != wasModified) {
            return "a refused file changed the grid";
        }
        return {};
    }

    std::vector<std::uint8_t> saved;
    GridModel reloaded = targetGrid();
    if (std::string failure = saveAndLoad(loaded, files, codec, saved, reloaded); !failure.empty()) {
        return failure;
    }
    if (std::string difference = gridDifference(loaded, reloaded, codec); !difference.empty()) {
        return "saved and loaded again: " + difference;
    }
    // One save and load may mark cells modified; from then on a table
    // keeps its bytes.
    std::vector<std::uint8_t> savedAgain;
    GridModel reloadedAgain = targetGrid();
    if (std::string failure = saveAndLoad(reloaded, files, codec, savedAgain, reloadedAgain); !failure.empty()) {
        return "the second time: " + failure;
    }
    if (grid::file::gridFileBytes(reloadedAgain, codec) != savedAgain) {
        return "a table saved and loaded twice does not keep its bytes";
    }
    return {};
}

}  // namespace veltrano::fuzz
