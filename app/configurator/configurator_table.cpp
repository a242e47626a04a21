#include <iterator>
#include <optional>
#include <string>

#include "app/configurator/configurator.h"
#include "app/configurator/configurator_texts.h"
#include "app/protocol/key_table.h"

namespace veltrano::configurator {
namespace {

constexpr int kRowCount = protocol::kLastKeyRow + 1;
constexpr int kDataColumn = 2;
constexpr int kColumnWidths[] = {60, 80, 570};
// The last column index handed to the header's centring is one past the
// grid's; the grid clamps it.
constexpr int kHeaderRightColumn = 3;
constexpr int kVisualStyle = 2;

}  // namespace

Configurator::Configurator(ApplicationState& state, UserInterface& ui, TableGrid& grid, SerialLine& line,
                           PortRegistry& registry)
    : state_(state), ui_(ui), grid_(grid), line_(line), registry_(registry), sink_(ui) {}

void Configurator::MessageBoxSink::showMessage(const std::string& text, const std::string& caption) {
    ui_.showMessage(text, caption);
}

void Configurator::onWindowCreated() {
    ui_.setVisualStyle(kVisualStyle);
    refillPortList();
    fillBaudList();
    fillBindingList();
    buildTable();

    state_.portOpen = false;
    ui_.setText(Control::PortButton, text::kOpenCaption);
    state_.portNumber = -1;
    state_.dataWaiting = false;

    if (ui_.text(Control::Window) == text::kProgramCaption) {
        std::string path = ui_.programDirectory();
        path += text::kDataFileName;
        setCurrentFile(path);
        grid_.loadFile(state_.currentFilePath);
    }
    disableModuleButtons();
}

void Configurator::buildTable() {
    grid_.setRowCount(kRowCount);
    for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column) {
        grid_.setColumnWidth(column, kColumnWidths[column]);
    }
    grid_.centre(0, 0, 0, kHeaderRightColumn);
    grid_.centre(0, 0, protocol::kLastKeyRow, 1);

    grid_.setCellText(0, 0, protocol::kDeviceHeader);
    grid_.setCellText(0, 1, protocol::kFunctionHeader);
    grid_.setCellText(0, kDataColumn, protocol::kDataHeader);
    for (const protocol::KeyGroup& group : protocol::keyGroups()) {
        grid_.merge(group.firstRow, 0, group.lastRow, 0);
        grid_.setCellText(group.firstRow, 0, group.name);
    }
    for (int row = protocol::kFirstKeyRow; row <= protocol::kLastKeyRow; ++row) {
        grid_.setCellText(row, 1, protocol::keyName(row));
    }
}

void Configurator::setCurrentFile(std::string_view path) {
    state_.currentFilePath.assign(path);
    std::string caption(text::kProgramCaption);
    caption += text::kCaptionGap;
    caption += path;
    ui_.setText(Control::Window, caption);
}

void Configurator::onOpenFileClicked() {
    const std::optional<std::string> path = ui_.chooseFile(FileDialogKind::Open, text::kDataExtension);
    // A byte comparison on purpose: "x.DAT" is not taken.
    if (!path || !path->ends_with(text::kDataExtension)) {
        return;
    }
    // A file that does not load leaves the table as it was, so the file
    // that table came from stays the one a save writes to.
    if (!grid_.loadFile(*path)) {
        ui_.showMessage(text::kOpenFileFailed, std::nullopt);
        return;
    }
    setCurrentFile(*path);
}

void Configurator::onSaveFileAsClicked() {
    const std::optional<std::string> path = ui_.chooseFile(FileDialogKind::Save, text::kDataExtension);
    if (!path) {
        return;
    }
    setCurrentFile(*path);
    grid_.saveFile(state_.currentFilePath);
}

void Configurator::onSaveFileClicked() {
    if (grid_.saveFile(state_.currentFilePath)) {
        ui_.showMessage(text::kSaved, std::nullopt);
    } else {
        ui_.showMessage(text::kSaveFailed, std::nullopt);
    }
}

void Configurator::release() {
    std::string().swap(state_.currentFilePath);
}

}  // namespace veltrano::configurator
