#include "tools/veltrano_table/table_json.h"

#include <cstdio>
#include <string>
#include <vector>

#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/json_text.h"

namespace veltrano::tools {
namespace {

using grid::Cell;
using grid::GridModel;

std::string hex(std::uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "\"0x%0*X\"", digits, static_cast<unsigned>(value));
    return buffer;
}

std::string colour(std::uint32_t value) {
    return hex(value, 8);
}
std::string flags(std::uint32_t value) {
    return hex(value, 1);
}

std::string hexBytes(std::string_view bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        out += pair;
    }
    return out + "\"";
}

// "name": "text" for a convertible text, "nameBytes": "hex" otherwise.
std::string textField(std::string_view name, std::string_view gbk) {
    if (const std::optional<std::string> utf8 = gbkToUtf8(gbk)) {
        return jsonString(name) + ": " + jsonString(*utf8);
    }
    return jsonString(std::string(name) + "Bytes") + ": " + hexBytes(gbk);
}

std::string boolean(bool value) {
    return value ? "true" : "false";
}

template <typename Range, typename Format>
std::string list(const Range& values, Format format) {
    std::string out = "[";
    bool first = true;
    for (const auto& value : values) {
        out += (first ? "" : ", ") + format(value);
        first = false;
    }
    return out + "]";
}

std::string number(std::int64_t value) {
    return std::to_string(value);
}

std::string fontObject(const grid::LogFont& font) {
    std::string out = "{";
    out += textField("face", font.faceName());
    out += ", \"height\": ";
    out += number(font.height());
    out += ", \"weight\": ";
    out += number(font.weight());
    out += ", \"italic\": ";
    out += number(font.italic());
    out += ", \"underline\": ";
    out += number(font.underline());
    out += ", \"strikeOut\": ";
    out += number(font.strikeOut());
    out += ", \"charSet\": ";
    out += number(font.charSet());
    out += "}";
    return out;
}

// The fields of a cell that differ from a new cell; empty for a cell with
// nothing to show.
std::vector<std::string> cellFields(const GridModel& model, const Cell& cell, grid::PictureCodec& codec) {
    const Cell& blank = model.defaultCell();
    std::vector<std::string> fields;
    if (!cell.text.empty()) {
        fields.push_back(textField("text", cell.text));
    }
    if (cell.checkState != 0) {
        fields.push_back("\"check\": " + number(cell.checkState));
    }
    if (cell.picture()) {
        fields.push_back("\"pictureBytes\": " +
                         number(static_cast<std::int64_t>(codec.toBytes(*cell.picture()).size())));
    }
    if (cell.format != blank.format) {
        fields.push_back("\"format\": " + flags(cell.format));
    }
    if (cell.state != blank.state) {
        fields.push_back("\"state\": " + flags(cell.state));
    }
    if (cell.backgroundColour != blank.backgroundColour) {
        fields.push_back("\"background\": " + colour(cell.backgroundColour));
    }
    if (cell.textColour != blank.textColour) {
        fields.push_back("\"textColour\": " + colour(cell.textColour));
    }
    if (!grid::sameFont(cell.font(), blank.font())) {
        fields.push_back("\"font\": " + fontObject(cell.font()));
    }
    if (cell.margin() != blank.margin()) {
        fields.push_back("\"margin\": " + number(cell.margin()));
    }
    if (cell.masked() != blank.masked()) {
        fields.push_back("\"masked\": " + number(cell.masked()));
    }
    if (cell.attributeB() != blank.attributeB()) {
        fields.push_back("\"attributeB\": " + number(cell.attributeB()));
    }
    if (cell.mergeAnchor() != blank.mergeAnchor()) {
        fields.push_back("\"mergeAnchor\": " + number(cell.mergeAnchor()));
    }
    if (cell.imageIndex() != blank.imageIndex()) {
        fields.push_back("\"imageIndex\": " + number(cell.imageIndex()));
    }
    if (cell.userValue() != blank.userValue()) {
        fields.push_back("\"userValue\": " + number(cell.userValue()));
    }
    return fields;
}

void writeSettings(const grid::GridSettings& settings, std::ostream& out) {
    out << "  \"settings\": {\n"
        << "    \"gridLineColour\": " << colour(settings.gridLineColour) << ",\n"
        << "    \"defaultBackgroundColour\": " << colour(settings.defaultBackgroundColour) << ",\n"
        << "    \"defaultTextColour\": " << colour(settings.defaultTextColour) << ",\n"
        << "    \"focusFrameColour\": " << colour(settings.focusFrameColour) << ",\n"
        << "    \"gridLines\": " << settings.gridLines << ",\n"
        << "    \"rowsResizable\": " << boolean(settings.rowsResizable) << ",\n"
        << "    \"columnsResizable\": " << boolean(settings.columnsResizable) << ",\n"
        << "    \"editable\": " << boolean(settings.editable) << ",\n"
        << "    \"printDialog\": " << boolean(settings.printDialog) << ",\n"
        << "    \"selectionAllowed\": " << boolean(settings.selectionAllowed) << ",\n"
        << "    \"storedOption\": " << boolean(settings.storedOption) << ",\n"
        << "    \"alternateColouring\": {\"on\": " << boolean(settings.alternate.on)
        << ", \"byRows\": " << boolean(settings.alternate.byRows)
        << ", \"oddColour\": " << colour(settings.alternate.oddColour)
        << ", \"evenColour\": " << colour(settings.alternate.evenColour) << "},\n"
        << "    " << textField("textSetting", settings.textSetting) << ",\n"
        << "    " << textField("faceNameSetting", settings.faceNameSetting) << ",\n"
        << "    \"intSettings\": " << list(settings.intSettings, number) << ",\n"
        << "    \"pageLayout\": " << list(settings.pageLayout, number) << "\n"
        << "  },\n";
}

std::string columnTypeObject(const grid::ColumnType& type) {
    return "{\"column\": " + number(type.column) + ", \"kind\": " + number(static_cast<std::int32_t>(type.kind)) +
           ", " + textField("unitText", type.unitText) + ", " + textField("secondText", type.secondText) +
           ", \"option\": " + number(type.option) + ", \"decimals\": " + number(type.decimals) + ", \"items\": " +
           list(type.items,
                [](const std::string& item) {
                    const std::optional<std::string> utf8 = gbkToUtf8(item);
                    return utf8 ? jsonString(*utf8) : hexBytes(item);
                }) +
           "}";
}

std::string mergeObject(const grid::MergeRecord& merge) {
    return "{\"anchor\": [" + number(merge.anchorRow) + ", " + number(merge.anchorColumn) +
           "], \"top\": " + number(merge.top) + ", \"left\": " + number(merge.left) +
           ", \"bottom\": " + number(merge.bottom) + ", \"right\": " + number(merge.right) + "}";
}

std::string formulaObject(const grid::FormulaRule& rule) {
    return "{\"firstSource\": " + number(rule.firstSource) + ", \"secondSource\": " + number(rule.secondSource) +
           ", \"operator\": " + number(static_cast<std::int32_t>(rule.op)) + ", \"target\": " + number(rule.target) +
           "}";
}

std::string totalObject(const grid::TotalRule& rule) {
    return "{\"column\": " + number(rule.column) + ", \"values\": " + list(rule.values, number) + "}";
}

// One item per line, so that a changed item is one changed line.
template <typename Range, typename Format>
void writeBlock(std::string_view name, const Range& items, Format format, bool last, std::ostream& out) {
    out << "  \"" << name << "\": [";
    bool first = true;
    for (const auto& item : items) {
        out << (first ? "\n    " : ",\n    ") << format(item);
        first = false;
    }
    out << (first ? "]" : "\n  ]") << (last ? "\n" : ",\n");
}

}  // namespace

void writeTableJson(const GridModel& grid, std::int32_t version, grid::PictureCodec& codec, std::ostream& out) {
    out << "{\n"
        << "  \"version\": " << version << ",\n"
        << "  \"rows\": " << grid.rowCount() << ",\n"
        << "  \"columns\": " << grid.columnCount() << ",\n"
        << "  \"fixedRows\": " << grid.fixedRowCount() << ",\n"
        << "  \"fixedColumns\": " << grid.fixedColumnCount() << ",\n"
        << "  \"defaultRowHeight\": " << grid.defaultRowHeight() << ",\n"
        << "  \"defaultColumnWidth\": " << grid.defaultColumnWidth() << ",\n";
    writeSettings(grid.settings(), out);
    std::vector<std::int32_t> heights;
    for (std::int32_t row = 0; row < grid.rowCount(); ++row) {
        heights.push_back(grid.rowHeight(row));
    }
    std::vector<std::int32_t> widths;
    for (std::int32_t column = 0; column < grid.columnCount(); ++column) {
        widths.push_back(grid.columnWidth(column));
    }
    out << "  \"rowHeights\": " << list(heights, number) << ",\n"
        << "  \"columnWidths\": " << list(widths, number) << ",\n";
    writeBlock("columnTypes", grid.columnTypes(), columnTypeObject, false, out);
    writeBlock("merges", grid.merges(), mergeObject, false, out);

    std::vector<std::string> cells;
    for (std::int32_t row = 0; row < grid.rowCount(); ++row) {
        for (std::int32_t column = 0; column < grid.columnCount(); ++column) {
            const std::vector<std::string> fields = cellFields(grid, *grid.cell(row, column), codec);
            if (fields.empty()) {
                continue;
            }
            std::string line = "{\"row\": " + number(row) + ", \"column\": " + number(column);
            for (const std::string& field : fields) {
                line += ", " + field;
            }
            cells.push_back(line + "}");
        }
    }
    writeBlock(
        "cells", cells, [](const std::string& line) { return line; }, false, out);
    writeBlock("formulaRules", grid.formulaRules(), formulaObject, false, out);
    writeBlock("totalRules", grid.totalRules(), totalObject, true, out);
    out << "}\n";
}

}  // namespace veltrano::tools
