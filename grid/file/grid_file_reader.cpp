#include "grid/file/grid_file_reader.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include "grid/file/byte_reader.h"
#include "grid/file/grid_file_format.h"

namespace veltrano::grid::file {
namespace {

struct Counts {
    std::int32_t columnTypes = 0;
    std::int32_t merges = 0;
    std::int32_t cells = 0;
    std::int32_t fonts = 0;
    std::array<std::int32_t, 7> attributeLists{};
    std::int32_t formulaRules = 0;
    std::int32_t totalRules = 0;
};

struct Dimensions {
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::int32_t fixedRows = 0;
    std::int32_t fixedColumns = 0;
    std::int32_t defaultRowHeight = 0;
    std::int32_t defaultColumnWidth = 0;
};

constexpr std::int64_t kMergeAreaBudget = 2 * GridModel::kMaxCellCount;

constexpr std::array<GridFileSection, 7> kAttributeSections{GridFileSection::BackgroundColours,
                                                            GridFileSection::TextColours,
                                                            GridFileSection::Formats,
                                                            GridFileSection::AttributeB,
                                                            GridFileSection::Margins,
                                                            GridFileSection::Masked,
                                                            GridFileSection::States};

class Parser {
public:
    Parser(std::span<const std::uint8_t> bytes, GridModel& grid, PictureCodec& codec)
        : in_(bytes), grid_(grid), codec_(codec) {}

    bool parse();
    std::int32_t version() const { return version_; }
    std::optional<GridFileError> takeError() { return std::move(error_); }

private:
    bool fail(std::size_t offset, std::string reason);
    bool readInt(std::int32_t& value, std::string_view what) {
        if (in_.readInt32(value)) [[likely]] {
            return true;
        }
        return failPastEnd(what);
    }
    // Kept out of line: the reads that call it are the loader's inner loop.
    bool failPastEnd(std::string_view what);
    bool expectRecords(std::int32_t count, std::size_t size, std::string_view what);
    bool readCellAddress(std::int32_t& row, std::int32_t& column);

    bool readHeader();
    bool readSettings(Dimensions& dimensions, Counts& counts);
    bool readSizes(const Dimensions& dimensions);
    bool readColumnTypes(std::int32_t count);
    bool readMerges(std::int32_t count);
    bool readCells(std::int32_t count);
    bool readCountedTextCellQuickly();
    bool readFonts(std::int32_t count);
    bool readAttributeList(std::size_t list, std::int32_t count);
    bool readRules(const Counts& counts);

    ByteReader in_;
    GridModel& grid_;
    PictureCodec& codec_;
    std::int32_t version_ = 0;
    GridFileSection section_ = GridFileSection::FileLength;
    AlternateColouring alternate_;
    std::optional<GridFileError> error_;
};

bool Parser::fail(std::size_t offset, std::string reason) {
    error_ = GridFileError{section_, offset, std::move(reason)};
    return false;
}

bool Parser::failPastEnd(std::string_view what) {
    return fail(in_.position(), std::string(what) + " runs past the end of the file");
}

// Refuses a count the rest of the file cannot hold before anything is
// allocated for it.
bool Parser::expectRecords(std::int32_t count, std::size_t size, std::string_view what) {
    if (!in_.holds(static_cast<std::uint64_t>(count), size)) {
        return fail(in_.position(), std::to_string(count) + " " + std::string(what) + " of at least " +
                                        std::to_string(size) + " bytes need more than the " +
                                        std::to_string(in_.remaining()) + " bytes left");
    }
    return true;
}

bool Parser::readCellAddress(std::int32_t& row, std::int32_t& column) {
    const std::size_t at = in_.position();
    if (!readInt(row, "a row") || !readInt(column, "a column")) {
        return false;
    }
    if (!grid_.isValid(row, column)) {
        return fail(at, "cell (" + std::to_string(row) + ", " + std::to_string(column) + ") lies outside the " +
                            std::to_string(grid_.rowCount()) + " x " + std::to_string(grid_.columnCount()) + " grid");
    }
    return true;
}

bool Parser::parse() {
    section_ = GridFileSection::FileLength;
    if (in_.size() < kMinimumFileLength) {
        return fail(in_.size(), "the file has " + std::to_string(in_.size()) + " bytes, fewer than " +
                                    std::to_string(kMinimumFileLength));
    }
    Dimensions dimensions;
    Counts counts;
    if (!readHeader() || !readSettings(dimensions, counts) || !readSizes(dimensions)) {
        return false;
    }
    if (!readColumnTypes(counts.columnTypes) || !readMerges(counts.merges) || !readCells(counts.cells) ||
        !readFonts(counts.fonts)) {
        return false;
    }
    for (std::size_t list = 0; list < counts.attributeLists.size(); ++list) {
        if (!readAttributeList(list, counts.attributeLists[list])) {
            return false;
        }
    }
    return readRules(counts);
}

bool Parser::readHeader() {
    section_ = GridFileSection::Header;
    std::span<const std::uint8_t> magic;
    if (!in_.readBytes(kMagic.size(), magic) || !std::equal(magic.begin(), magic.end(), kMagic.begin())) {
        return fail(0, "the file does not start with \"QGRD\"");
    }
    std::int32_t reserved = 0;
    if (!readInt(version_, "the version") || !readInt(reserved, "the reserved field")) {
        return false;
    }
    if (version_ < kOldestVersion || version_ > kNewestVersion) {
        return fail(4, "version " + std::to_string(version_) + " is not one of 1 to 6");
    }
    return true;
}

bool Parser::readSettings(Dimensions& dimensions, Counts& counts) {
    section_ = GridFileSection::Settings;
    const std::size_t start = in_.position();
    if (!in_.holds(1, settingsSize(version_))) {
        return fail(start, "the settings block of version " + std::to_string(version_) + " runs past the end");
    }
    std::array<std::int32_t, 6> dimensionValues{};
    for (std::int32_t& value : dimensionValues) {
        in_.readInt32(value);
    }
    dimensions = Dimensions{dimensionValues[0], dimensionValues[1], dimensionValues[2],
                            dimensionValues[3], dimensionValues[4], dimensionValues[5]};
    if (dimensions.rows < 0 || dimensions.columns < 0 || dimensions.rows > GridModel::kMaxDimension ||
        dimensions.columns > GridModel::kMaxDimension ||
        static_cast<std::int64_t>(dimensions.rows) * dimensions.columns > GridModel::kMaxCellCount) {
        return fail(start, "a grid of " + std::to_string(dimensions.rows) + " rows and " +
                               std::to_string(dimensions.columns) + " columns is not possible");
    }
    if (dimensions.fixedRows < 0 || dimensions.fixedRows > dimensions.rows || dimensions.fixedColumns < 0 ||
        dimensions.fixedColumns > dimensions.columns) {
        return fail(start + 8, "fixed counts " + std::to_string(dimensions.fixedRows) + " and " +
                                   std::to_string(dimensions.fixedColumns) + " do not fit the grid");
    }

    std::array<std::int32_t, 15> values{};
    for (std::int32_t& value : values) {
        in_.readInt32(value);
    }
    GridSettings settings = grid_.settings();
    settings.gridLineColour = static_cast<std::uint32_t>(values[0]);
    settings.defaultBackgroundColour = static_cast<std::uint32_t>(values[1]);
    settings.defaultTextColour = static_cast<std::uint32_t>(values[2]);
    settings.focusFrameColour = static_cast<std::uint32_t>(values[3]);
    settings.gridLines = values[4];
    settings.rowsResizable = values[5] != 0;
    settings.columnsResizable = values[6] != 0;
    settings.editable = values[7] != 0;
    settings.printDialog = values[8] != 0;
    settings.selectionAllowed = values[9] != 0;
    settings.storedOption = values[10] != 0;
    alternate_ = AlternateColouring{values[11] != 0, values[12] != 0, static_cast<std::uint32_t>(values[13]),
                                    static_cast<std::uint32_t>(values[14])};
    // Stored only once the grid has its size: the cells' colours come from
    // the background list, not from colouring the new rows.
    settings.alternate.on = false;

    // Counts: column types, merges, cells, fonts, then the attribute lists;
    // the state list and the rules appear in later versions.
    std::array<std::int32_t, 13> countValues{};
    const std::size_t countsStart = start + 84;
    const std::size_t countsPresent = 10 + (version_ >= kStateListVersion ? 1u : 0u) +
                                      (version_ >= kFormulaRulesVersion ? 1u : 0u) +
                                      (version_ >= kTotalRulesVersion ? 1u : 0u);
    for (std::size_t index = 0; index < countsPresent; ++index) {
        in_.readInt32(countValues[index]);
    }
    for (std::size_t index = 0; index < countsPresent; ++index) {
        if (countValues[index] < 0) {
            return fail(countsStart + 4 * index, "record count " + std::to_string(countValues[index]) + " is negative");
        }
    }
    counts.columnTypes = countValues[0];
    counts.merges = countValues[1];
    counts.cells = countValues[2];
    counts.fonts = countValues[3];
    std::copy(countValues.begin() + 4, countValues.begin() + 11, counts.attributeLists.begin());
    counts.formulaRules = countValues[11];
    counts.totalRules = countValues[12];

    if (version_ >= kCarriedSettingsVersion) {
        in_.readFixedText(kTextSettingSize, settings.textSetting);
        in_.readFixedText(kFaceNameSettingSize, settings.faceNameSetting);
        for (std::int32_t& value : settings.intSettings) {
            in_.readInt32(value);
        }
        for (std::int32_t& value : settings.pageLayout) {
            in_.readInt32(value);
        }
    }
    grid_.settings() = settings;
    return true;
}

bool Parser::readSizes(const Dimensions& dimensions) {
    section_ = GridFileSection::RowHeights;
    if (!expectRecords(dimensions.rows, 4, "row heights")) {
        return false;
    }
    section_ = GridFileSection::ColumnWidths;
    if (!in_.holds(static_cast<std::uint64_t>(dimensions.rows) + static_cast<std::uint64_t>(dimensions.columns), 4)) {
        return fail(in_.position() + 4 * static_cast<std::size_t>(dimensions.rows),
                    std::to_string(dimensions.columns) + " column widths run past the end of the file");
    }
    grid_.setRowCount(dimensions.rows);
    grid_.setDefaultRowHeight(dimensions.defaultRowHeight);
    grid_.setColumnCount(dimensions.columns);
    grid_.setDefaultColumnWidth(dimensions.defaultColumnWidth);
    grid_.setFixedRowCount(dimensions.fixedRows);
    grid_.setFixedColumnCount(dimensions.fixedColumns);
    grid_.settings().alternate = alternate_;
    // A negative size is kept out by the grid; the row or column keeps its
    // default size.
    for (std::int32_t row = 0; row < dimensions.rows; ++row) {
        std::int32_t height = 0;
        in_.readInt32(height);
        grid_.setRowHeight(row, height);
    }
    for (std::int32_t column = 0; column < dimensions.columns; ++column) {
        std::int32_t width = 0;
        in_.readInt32(width);
        grid_.setColumnWidth(column, width, false);
    }
    return true;
}

bool Parser::readColumnTypes(std::int32_t count) {
    section_ = GridFileSection::ColumnTypes;
    if (!expectRecords(count, kColumnTypeRecordSize, "column type records")) {
        return false;
    }
    for (std::int32_t index = 0; index < count; ++index) {
        const std::size_t at = in_.position();
        if (!in_.holds(1, kColumnTypeRecordSize)) {
            return fail(at, "a column type record runs past the end of the file");
        }
        ColumnType type;
        std::int32_t kind = 0;
        std::int32_t items = 0;
        in_.readInt32(type.column);
        in_.readInt32(kind);
        type.kind = static_cast<ColumnKind>(kind);
        in_.readFixedText(kUnitTextSize, type.unitText);
        in_.readFixedText(kSecondTextSize, type.secondText);
        in_.readInt32(type.option);
        in_.readInt32(type.decimals);
        in_.readInt32(items);
        if (items < 0) {
            return fail(at + 36, "item count " + std::to_string(items) + " is negative");
        }
        if (!expectRecords(items, kListItemSize, "list items")) {
            return false;
        }
        type.items.resize(static_cast<std::size_t>(items));
        for (std::string& item : type.items) {
            in_.readFixedText(kListItemSize, item);
        }
        grid_.addColumnType(std::move(type));
    }
    return true;
}

bool Parser::readMerges(std::int32_t count) {
    section_ = GridFileSection::Merges;
    if (!expectRecords(count, kMergeRecordSize, "merge records")) {
        return false;
    }
    // Each range costs work in proportion to its cells; ranges piled on each
    // other without end are damage, not a table. All are measured before
    // the first is applied.
    std::vector<MergeRecord> merges(static_cast<std::size_t>(count));
    std::int64_t covered = 0;
    for (MergeRecord& merge : merges) {
        const std::size_t at = in_.position();
        for (std::int32_t* field :
             {&merge.anchorRow, &merge.anchorColumn, &merge.top, &merge.left, &merge.bottom, &merge.right}) {
            in_.readInt32(*field);
        }
        const std::int64_t rows =
            std::int64_t{std::min(merge.bottom, grid_.rowCount() - 1)} - std::max(merge.top, 0) + 1;
        const std::int64_t columns =
            std::int64_t{std::min(merge.right, grid_.columnCount() - 1)} - std::max(merge.left, 0) + 1;
        covered += std::max<std::int64_t>(rows, 0) * std::max<std::int64_t>(columns, 0);
        if (covered > kMergeAreaBudget) {
            return fail(at,
                        "the merged ranges together cover more than " + std::to_string(kMergeAreaBudget) + " cells");
        }
    }
    for (const MergeRecord& merge : merges) {
        grid_.addMerge(merge);
    }
    return true;
}

bool Parser::readCells(std::int32_t count) {
    section_ = GridFileSection::Cells;
    const bool counted = version_ >= kCountedTextVersion;
    if (!expectRecords(count, counted ? kSmallestCountedCellRecord : kSmallestOldCellRecord, "cell records")) {
        return false;
    }
    for (std::int32_t index = 0; index < count; ++index) {
        if (counted && readCountedTextCellQuickly()) {
            continue;
        }
        std::int32_t row = 0;
        std::int32_t column = 0;
        if (!readCellAddress(row, column)) {
            return false;
        }
        // A counted text stays in the file's bytes until the cell takes it.
        std::string_view text;
        std::string oldText;
        if (counted) {
            const std::size_t lengthAt = in_.position();
            std::int32_t length = 0;
            if (!readInt(length, "a text length")) {
                return false;
            }
            std::span<const std::uint8_t> stored;
            if (length < 1 || !in_.readBytes(static_cast<std::size_t>(length), stored)) {
                return fail(lengthAt, "text length " + std::to_string(length) + " does not fit the " +
                                          std::to_string(in_.remaining()) + " bytes left");
            }
            if (stored.back() != 0) {
                return fail(lengthAt, "the text of cell (" + std::to_string(row) + ", " + std::to_string(column) +
                                          ") does not end in a NUL");
            }
            text = std::string_view(reinterpret_cast<const char*>(stored.data()), stored.size() - 1);
        } else if (in_.readFixedText(kOldCellTextSize, oldText)) {
            text = oldText;
        } else {
            return fail(in_.position(), "a cell text runs past the end of the file");
        }
        std::int32_t checkState = 0;
        std::int32_t pictureSize = 0;
        if (!readInt(checkState, "a check state")) {
            return false;
        }
        const std::size_t pictureAt = in_.position();
        if (!readInt(pictureSize, "a picture size")) {
            return false;
        }
        std::span<const std::uint8_t> pictureBytes;
        if (pictureSize < 0 || !in_.readBytes(static_cast<std::size_t>(pictureSize), pictureBytes)) {
            return fail(pictureAt, "picture size " + std::to_string(pictureSize) + " does not fit the " +
                                       std::to_string(in_.remaining()) + " bytes left");
        }
        if (pictureSize > 0) {
            grid_.setPicture(row, column, codec_.fromBytes(pictureBytes));
        }
        grid_.setTextAndCheckState(row, column, text, checkState);
    }
    return true;
}

// Nearly every record of a large table is a sound text without a picture:
// such a record is taken with one look at its bytes. Anything else is left
// unread for the careful path, which tells what is wrong.
bool Parser::readCountedTextCellQuickly() {
    constexpr std::size_t kHeadSize = 12;
    const std::uint8_t* head = in_.peek(kHeadSize);
    if (head == nullptr) {
        return false;
    }
    const auto row = static_cast<std::int32_t>(loadUint32(head));
    const auto column = static_cast<std::int32_t>(loadUint32(head + 4));
    const auto length = static_cast<std::int32_t>(loadUint32(head + 8));
    if (!grid_.isValid(row, column) || length < 1) {
        return false;
    }
    const auto textSize = static_cast<std::size_t>(length);
    const std::uint8_t* record = in_.peek(kHeadSize + textSize + 8);
    if (record == nullptr) {
        return false;
    }
    const std::uint8_t* text = record + kHeadSize;
    const std::uint8_t* tail = text + textSize;
    if (text[textSize - 1] != 0 || loadUint32(tail + 4) != 0) {
        return false;
    }
    in_.skip(kHeadSize + textSize + 8);
    grid_.setTextAndCheckState(row, column, std::string_view(reinterpret_cast<const char*>(text), textSize - 1),
                               static_cast<std::int32_t>(loadUint32(tail)));
    return true;
}

bool Parser::readFonts(std::int32_t count) {
    section_ = GridFileSection::Fonts;
    if (!expectRecords(count, kFontRecordSize, "font records")) {
        return false;
    }
    for (std::int32_t index = 0; index < count; ++index) {
        std::int32_t row = 0;
        std::int32_t column = 0;
        if (!readCellAddress(row, column)) {
            return false;
        }
        std::span<const std::uint8_t> bytes;
        in_.readBytes(LogFont::kSize, bytes);
        grid_.setFont(row, column, *LogFont::fromBytes(bytes));
    }
    return true;
}

bool Parser::readAttributeList(std::size_t list, std::int32_t count) {
    section_ = kAttributeSections[list];
    if (section_ == GridFileSection::States && version_ < kStateListVersion) {
        return true;
    }
    if (!expectRecords(count, kAttributeRecordSize, "attribute records")) {
        return false;
    }
    // The count was checked against what is left: every record is there.
    for (std::int32_t index = 0; index < count; ++index) {
        const std::uint8_t* record = in_.peek(kAttributeRecordSize);
        const auto row = static_cast<std::int32_t>(loadUint32(record));
        const auto column = static_cast<std::int32_t>(loadUint32(record + 4));
        if (!grid_.isValid(row, column)) {
            std::int32_t reportedRow = 0;
            std::int32_t reportedColumn = 0;
            return readCellAddress(reportedRow, reportedColumn);
        }
        in_.skip(kAttributeRecordSize);
        const std::uint32_t bits = loadUint32(record + 8);
        const auto value = static_cast<std::int32_t>(bits);
        switch (section_) {
            case GridFileSection::BackgroundColours: grid_.setBackgroundColour(row, column, bits); break;
            case GridFileSection::TextColours: grid_.setTextColour(row, column, bits); break;
            case GridFileSection::Formats: grid_.setFormat(row, column, bits); break;
            case GridFileSection::AttributeB: grid_.setAttributeB(row, column, value); break;
            case GridFileSection::Margins: grid_.setMargin(row, column, value); break;
            case GridFileSection::Masked: grid_.setMasked(row, column, value); break;
            default: grid_.setState(row, column, bits); break;
        }
    }
    return true;
}

bool Parser::readRules(const Counts& counts) {
    if (version_ >= kFormulaRulesVersion) {
        section_ = GridFileSection::FormulaRules;
        if (!expectRecords(counts.formulaRules, kRuleRecordSize, "formula rules")) {
            return false;
        }
        for (std::int32_t index = 0; index < counts.formulaRules; ++index) {
            FormulaRule rule;
            std::int32_t op = 0;
            in_.readInt32(rule.firstSource);
            in_.readInt32(rule.secondSource);
            in_.readInt32(op);
            in_.readInt32(rule.target);
            rule.op = static_cast<FormulaOperator>(op);
            grid_.addFormulaRule(rule);
        }
    }
    if (version_ >= kTotalRulesVersion) {
        section_ = GridFileSection::TotalRules;
        if (!expectRecords(counts.totalRules, kRuleRecordSize, "total rules")) {
            return false;
        }
        for (std::int32_t index = 0; index < counts.totalRules; ++index) {
            TotalRule rule;
            in_.readInt32(rule.column);
            for (std::int32_t& value : rule.values) {
                in_.readInt32(value);
            }
            grid_.addTotalRule(rule);
        }
    }
    return true;
}

}  // namespace

std::string_view sectionName(GridFileSection section) {
    switch (section) {
        case GridFileSection::FileLength: return "file length";
        case GridFileSection::Header: return "header";
        case GridFileSection::Settings: return "settings";
        case GridFileSection::RowHeights: return "row heights";
        case GridFileSection::ColumnWidths: return "column widths";
        case GridFileSection::ColumnTypes: return "column types";
        case GridFileSection::Merges: return "merges";
        case GridFileSection::Cells: return "cell records";
        case GridFileSection::Fonts: return "font records";
        case GridFileSection::BackgroundColours: return "background colour list";
        case GridFileSection::TextColours: return "text colour list";
        case GridFileSection::Formats: return "format list";
        case GridFileSection::AttributeB: return "attribute B list";
        case GridFileSection::Margins: return "margin list";
        case GridFileSection::Masked: return "masked list";
        case GridFileSection::States: return "state list";
        case GridFileSection::FormulaRules: return "formula rules";
        case GridFileSection::TotalRules: return "total rules";
    }
    return "unknown section";
}

GridFileReadResult readGridFile(std::span<const std::uint8_t> bytes, GridModel& grid, PictureCodec& codec) {
    GridFileReadResult result;
    try {
        GridModel fresh = grid.emptyLike();
        Parser parser(bytes, fresh, codec);
        const bool parsed = parser.parse();
        result.version = parser.version();
        if (!parsed) {
            result.error = parser.takeError();
            return result;
        }
        grid = std::move(fresh);
    } catch (const std::bad_alloc&) {
        result.error = GridFileError{GridFileSection::FileLength, bytes.size(), "not enough memory to load the file"};
    }
    return result;
}

}  // namespace veltrano::grid::file
