#include "app/handlers/runtime_grid.h"

#include <array>

#include "app/handlers/main_window_components.h"
#include "app/handlers/runtime_values.h"
#include "grid/library/grid_library.h"
#include "runtime/kernel/property_access.h"

namespace veltrano::app {
namespace {

constexpr std::int32_t kCentred = 2;
constexpr std::int32_t kTextData = 1;

ValueTriple grid() {
    const ComponentAddress where = gridAddress();
    return componentArgument(where.windowId, where.componentId, where.classId);
}

template <std::size_t N>
ValueTriple call(LibraryCommand command, const std::array<ValueTriple, N>& arguments) {
    return callLibraryCommand(command, arguments);
}

}  // namespace

void RuntimeGrid::setRowCount(int rows) {
    const ComponentAddress where = gridAddress();
    writeProperty(where.windowId, where.componentId, property::kGridRowCount, -1, static_cast<std::uint32_t>(rows), 0);
}

void RuntimeGrid::setColumnWidth(int column, int width) {
    call(grid_library::SetColumnWidth, std::array{grid(), integerArgument(column), integerArgument(width)});
}

void RuntimeGrid::centre(int top, int left, int bottom, int right) {
    call(grid_library::SetAlignment,
         std::array{grid(), integerArgument(top), integerArgument(left), integerArgument(bottom),
                    integerArgument(right), integerArgument(kCentred)});
}

void RuntimeGrid::setCellText(int row, int column, std::string_view text) {
    const std::string value(text);
    call(grid_library::SetCellData, std::array{grid(), integerArgument(row), integerArgument(column),
                                               integerArgument(kTextData), textArgument(value)});
}

void RuntimeGrid::merge(int top, int left, int bottom, int right) {
    call(grid_library::MergeCells, std::array{grid(), integerArgument(top), integerArgument(left),
                                              integerArgument(bottom), integerArgument(right)});
}

std::string RuntimeGrid::cellText(int row, int column) {
    return takeTextResult(
        call(grid_library::GetCellData, std::array{grid(), integerArgument(row), integerArgument(column)}));
}

void RuntimeGrid::setCurrentCell(int row, int column) {
    call(grid_library::SetCurrentCell, std::array{grid(), integerArgument(row), integerArgument(column)});
}

void RuntimeGrid::clearCells(int top, int left, int bottom, int right) {
    call(grid_library::ClearCells, std::array{grid(), integerArgument(top), integerArgument(left),
                                              integerArgument(bottom), integerArgument(right)});
}

bool RuntimeGrid::saveFile(std::string_view path) {
    const std::string name(path);
    return call(grid_library::SaveFile, std::array{grid(), textArgument(name)}).low != 0;
}

bool RuntimeGrid::loadFile(std::string_view path) {
    const std::string name(path);
    return call(grid_library::LoadFile, std::array{grid(), textArgument(name)}).low != 0;
}

}  // namespace veltrano::app
