#include "grid/library/grid_library.h"

#include "grid/control/grid_ctrl.h"
#include "grid/library/grid_command_calls.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/runtime_services.h"

namespace veltrano::grid_library {
namespace {

// Argument 0 names the grid (window id, component id, class id); a
// component that is not loaded is the runtime's fatal error.
void runOnComponent(GridCommand command, ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    if (result == nullptr || arguments == nullptr || count == 0 || !RuntimeApplication::exists()) return;
    WindowObject* object = services::componentObjectOrFail(arguments[0].low, arguments[0].high);
    grid::CGridCtrl* grid = grid::gridFromObject(object);
    if (grid == nullptr) return;
    runGridCommand(command, *grid, RuntimeApplication::current().heap(), result, count, arguments);
}

}  // namespace

void SaveFile(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    runOnComponent(GridCommand::SaveFile, result, count, arguments);
}
void LoadFile(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    runOnComponent(GridCommand::LoadFile, result, count, arguments);
}
void GetCellData(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    runOnComponent(GridCommand::GetCellData, result, count, arguments);
}
void SetCurrentCell(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    runOnComponent(GridCommand::SetCurrentCell, result, count, arguments);
}
void SetColumnWidth(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    runOnComponent(GridCommand::SetColumnWidth, result, count, arguments);
}
void SetAlignment(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    runOnComponent(GridCommand::SetAlignment, result, count, arguments);
}
void SetCellData(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    runOnComponent(GridCommand::SetCellData, result, count, arguments);
}
void MergeCells(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    runOnComponent(GridCommand::MergeCells, result, count, arguments);
}
void ClearCells(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    runOnComponent(GridCommand::ClearCells, result, count, arguments);
}

const LibraryCommand kGridCommands[kGridCommandCount] = {
    SaveFile, LoadFile, GetCellData, SetCurrentCell, SetColumnWidth, SetAlignment, SetCellData, MergeCells, ClearCells};

}  // namespace veltrano::grid_library
