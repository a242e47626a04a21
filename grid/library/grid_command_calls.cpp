#include "grid/library/grid_command_calls.h"

#include <cstring>
#include <optional>
#include <string>

#include "grid/control/grid_ctrl.h"
#include "grid/file/file_system.h"
#include "grid/file/grid_file.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_text.h"

namespace veltrano::grid_library {
namespace {

using grid::GridValue;

std::int64_t wideWord(const ValueTriple& value) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(value.high) << 32) | value.low);
}

double realOf(const ValueTriple& value) {
    if (value.type == type_code::kFloat) {
        float single = 0;
        std::memcpy(&single, &value.low, sizeof single);
        return static_cast<double>(single);
    }
    const std::uint64_t bits = static_cast<std::uint64_t>(wideWord(value));
    double real = 0;
    std::memcpy(&real, &bits, sizeof real);
    return real;
}

// A coordinate or count argument; numbers of every width are accepted and
// reals are cut toward zero, as the runtime converts them.
std::optional<std::int32_t> integerOf(const ValueTriple& value) {
    switch (value.type) {
        case type_code::kByte: return static_cast<std::int32_t>(value.low & 0xFF);
        case type_code::kShort: return static_cast<std::int32_t>(static_cast<std::int16_t>(value.low & 0xFFFF));
        case type_code::kInteger: return static_cast<std::int32_t>(value.low);
        case type_code::kLong: {
            const std::int64_t wide = wideWord(value);
            if (wide < INT32_MIN || wide > INT32_MAX) return std::nullopt;
            return static_cast<std::int32_t>(wide);
        }
        case type_code::kFloat:
        case type_code::kDouble: {
            const double real = realOf(value);
            if (!(real >= INT32_MIN && real <= INT32_MAX)) return std::nullopt;
            return static_cast<std::int32_t>(real);
        }
        default: return std::nullopt;
    }
}

GridValue gridValueOf(const ValueTriple& value) {
    switch (value.type) {
        case type_code::kText: return GridValue::text(std::string(textView(value.address<const char>())));
        case type_code::kByteSet: {
            const std::span<const std::uint8_t> bytes = byteSetView(value.address<const void>());
            return GridValue::bytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        }
        case type_code::kBool: return GridValue::logical(value.low != 0);
        case type_code::kByte: return GridValue::byte(static_cast<std::uint8_t>(value.low & 0xFF));
        case type_code::kShort: return GridValue::shortInteger(static_cast<std::int16_t>(value.low & 0xFFFF));
        case type_code::kInteger: return GridValue::integer(static_cast<std::int32_t>(value.low));
        case type_code::kLong: return GridValue::longInteger(wideWord(value));
        case type_code::kFloat: return GridValue::single(static_cast<float>(realOf(value)));
        case type_code::kDouble: return GridValue::doubleReal(realOf(value));
        default: return GridValue();
    }
}

void setLogical(ValueTriple* result, bool value) {
    *result = ValueTriple{value ? 1u : 0u, 0, type_code::kBool};
}

void setGridValue(ValueTriple* result, RuntimeHeap& heap, const GridValue& value) {
    switch (value.type()) {
        case GridValue::Type::Text:
            *result = ValueTriple::ofAddress(newText(heap, value.asText()), type_code::kText);
            return;
        case GridValue::Type::Bytes:
            *result = ValueTriple::ofAddress(newByteSet(heap, value.asBytes()), type_code::kByteSet);
            return;
        default: setLogical(result, value.asLogical()); return;
    }
}

class Arguments {
public:
    Arguments(std::uint32_t count, const ValueTriple* values) : count_(count), values_(values) {}

    bool present(std::uint32_t index) const { return index < count_ && values_[index].type != type_code::kNone; }
    const ValueTriple& at(std::uint32_t index) const { return values_[index]; }
    std::optional<std::int32_t> integer(std::uint32_t index) const {
        return present(index) ? integerOf(values_[index]) : std::nullopt;
    }
    // A missing optional coordinate is absent; one of a wrong type makes
    // the command refuse, reported as a coordinate no grid has.
    std::optional<std::int32_t> optionalInteger(std::uint32_t index) const {
        if (!present(index)) return std::nullopt;
        return integerOf(values_[index]).value_or(-1);
    }
    std::optional<std::string> text(std::uint32_t index) const {
        if (!present(index) || values_[index].type != type_code::kText) return std::nullopt;
        return std::string(textView(values_[index].address<const char>()));
    }

private:
    std::uint32_t count_;
    const ValueTriple* values_;
};

struct Rectangle {
    std::int32_t top;
    std::int32_t left;
    std::optional<std::int32_t> bottom;
    std::optional<std::int32_t> right;
};

std::optional<Rectangle> rectangleOf(const Arguments& arguments) {
    const std::optional<std::int32_t> top = arguments.integer(1);
    const std::optional<std::int32_t> left = arguments.integer(2);
    if (!top || !left) return std::nullopt;
    return Rectangle{*top, *left, arguments.optionalInteger(3), arguments.optionalInteger(4)};
}

}  // namespace

void runGridCommand(GridCommand command, grid::CGridCtrl& grid, RuntimeHeap& heap, ValueTriple* result,
                    std::uint32_t count, const ValueTriple* arguments) {
    const Arguments given(count, arguments);
    switch (command) {
        case GridCommand::SaveFile:
        case GridCommand::LoadFile: {
            const std::optional<std::string> path = given.text(1);
            if (!path || path->empty()) return setLogical(result, false);
            const std::unique_ptr<grid::file::FileSystem> files = grid::file::makeSystemFileSystem();
            if (command == GridCommand::SaveFile) {
                return setLogical(result, grid::file::saveGridFile(grid.model(), *path, *files, grid.pictureCodec()));
            }
            const bool loaded = grid::file::loadGridFile(grid.model(), *path, *files, grid.pictureCodec());
            if (loaded) grid.modelReplaced();
            return setLogical(result, loaded);
        }
        case GridCommand::GetCellData: {
            const std::optional<std::int32_t> row = given.integer(1);
            const std::optional<std::int32_t> column = given.integer(2);
            return setGridValue(result, heap, grid.commands().getCellData(row.value_or(-1), column.value_or(-1)));
        }
        case GridCommand::SetCurrentCell: {
            const std::optional<std::int32_t> row = given.integer(1);
            const std::optional<std::int32_t> column = given.integer(2);
            grid.setCurrentCell(row.value_or(-1), column.value_or(-1));
            return;
        }
        case GridCommand::SetColumnWidth: {
            const std::optional<std::int32_t> column = given.integer(1);
            const std::optional<std::int32_t> width = given.integer(2);
            const bool set = column && width && grid.commands().setColumnWidth(*column, *width);
            if (set) {
                grid.updateScrollBars();
                grid.redraw();
            }
            return setLogical(result, set);
        }
        case GridCommand::SetAlignment: {
            const std::optional<Rectangle> area = rectangleOf(given);
            const bool set = area && grid.commands().setAlignment(area->top, area->left, area->bottom, area->right,
                                                                  given.optionalInteger(5));
            if (set) grid.redraw();
            return setLogical(result, set);
        }
        case GridCommand::SetCellData: {
            const std::optional<std::int32_t> row = given.integer(1);
            const std::optional<std::int32_t> column = given.integer(2);
            const std::optional<std::int32_t> kind = given.integer(3);
            if (!row || !column || !kind || !given.present(4)) return setLogical(result, false);
            const bool set = grid.commands().setCellData(*row, *column, *kind, gridValueOf(given.at(4)));
            grid.redrawCell(*row, *column);
            return setLogical(result, set);
        }
        case GridCommand::MergeCells: {
            if (const std::optional<Rectangle> area = rectangleOf(given)) {
                grid.mergeCells(area->top, area->left, area->bottom, area->right);
            }
            return;
        }
        case GridCommand::ClearCells: {
            const std::optional<Rectangle> area = rectangleOf(given);
            const bool cleared = area && grid.commands().clearCells(area->top, area->left, area->bottom, area->right);
            if (cleared) grid.redraw();
            return setLogical(result, cleared);
        }
    }
}

}  // namespace veltrano::grid_library
