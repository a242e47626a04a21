#include "app/handlers/runtime_window.h"

#include <array>
#include <vector>

#include "app/handlers/main_window_components.h"
#include "app/handlers/runtime_values.h"
#include "app/protocol/log_bound.h"
#include "components/library/component_methods.h"
#include "runtime/core_library/core_library.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/property_access.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/window_object.h"

// The core library's command shares its name with the system's macro.
#undef MessageBox

namespace veltrano::app {
namespace {

using configurator::Control;

// Message box styles and the answer that means OK.
constexpr std::int32_t kOkOnly = 0;
constexpr std::int32_t kOkCancel = 1;
constexpr std::int32_t kAnsweredOk = 0;

constexpr std::int32_t kOpenDialog = 0;
constexpr std::int32_t kSaveDialog = 1;
constexpr std::int32_t kNoArrayIndex = -1;

// Puts the caret after the last character.
constexpr std::int32_t kEndOfText = -1;

void writeInteger(const ComponentAddress& where, std::int32_t index, std::int32_t value) {
    writeProperty(where.windowId, where.componentId, index, kNoArrayIndex, static_cast<std::uint32_t>(value), 0);
}

std::int32_t readInteger(const ComponentAddress& where, std::int32_t index) {
    const std::uint64_t value = readProperty(where.windowId, where.componentId, index, kNoArrayIndex);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFFu));
}

void writeText(const ComponentAddress& where, std::int32_t index, std::string_view text) {
    const std::string copy(text);
    writePropertyAddress(where.windowId, where.componentId, index, kNoArrayIndex, copy.c_str());
}

std::string readText(const ComponentAddress& where, std::int32_t index) {
    const std::uint64_t value = readProperty(where.windowId, where.componentId, index, kNoArrayIndex);
    return takeText(static_cast<AddressWord>(value));
}

ValueTriple componentOf(const ComponentAddress& where) {
    return componentArgument(where.windowId, where.componentId, where.classId);
}

ValueTriple call(LibraryCommand command, std::span<const ValueTriple> arguments) {
    return callLibraryCommand(command, arguments);
}

int messageBox(std::string_view text, std::int32_t style, std::optional<std::string_view> caption) {
    const std::string shown(text);
    std::vector<ValueTriple> arguments{textArgument(shown), integerArgument(style)};
    std::string title;
    if (caption) {
        title.assign(*caption);
        arguments.push_back(textArgument(title));
    }
    return static_cast<std::int32_t>(call(core_library::MessageBox, arguments).low);
}

}  // namespace

std::string RuntimeWindow::text(Control control) {
    const ComponentAddress where = addressOf(control);
    return where.textProperty < 0 ? std::string() : readText(where, where.textProperty);
}

void RuntimeWindow::setText(Control control, std::string_view text) {
    const ComponentAddress where = addressOf(control);
    if (where.textProperty >= 0) {
        writeText(where, where.textProperty, text);
    }
}

void RuntimeWindow::setDisabled(Control control, bool disabled) {
    writeInteger(addressOf(control), property::kDisabled, disabled ? 1 : 0);
}

// The log's length is looked at only after every stretch of the difference
// between the limit and what is kept, so appending stays as cheap at line
// 100,000 as at line 100 and the text never grows far past the limit.
void RuntimeWindow::appendLog(std::string_view text) {
    const std::string line(text);
    const std::array<ValueTriple, 2> arguments{componentOf(addressOf(Control::Display)), textArgument(line)};
    call(core_library::EditAppendText, arguments);
    loggedSinceCheck_ += text.size();
    if (loggedSinceCheck_ < protocol::kLogLimitBytes - protocol::kLogKeptBytes) {
        return;
    }
    loggedSinceCheck_ = 0;
    const std::string log = this->text(Control::Display);
    if (log.size() <= protocol::kLogLimitBytes) {
        return;
    }
    const std::size_t drop = protocol::oldestLinesToDrop(log, protocol::kLogKeptBytes);
    if (drop > 0) {
        setText(Control::Display, std::string_view(log).substr(drop));
        moveLogCaretToEnd();
    }
}

void RuntimeWindow::moveLogCaretToEnd() {
    writeInteger(addressOf(Control::Display), property::kEditSelStart, kEndOfText);
}

void RuntimeWindow::setProgress(int position) {
    writeInteger(addressOf(Control::Progress), property::kProgressPosition, position);
}

void RuntimeWindow::setTimerInterval(int milliseconds) {
    writeInteger(addressOf(Control::ReceiveTimer), property::kTimerInterval, milliseconds);
}

void RuntimeWindow::clearItems(Control list) {
    const std::array<ValueTriple, 1> arguments{componentOf(addressOf(list))};
    call(core_library::ComboClear, arguments);
}

void RuntimeWindow::addItem(Control list, std::string_view text, int itemData) {
    const std::string item(text);
    const std::array<ValueTriple, 3> arguments{componentOf(addressOf(list)), textArgument(item),
                                               integerArgument(itemData)};
    call(core_library::ComboAddItem, arguments);
}

int RuntimeWindow::itemCount(Control list) {
    const std::array<ValueTriple, 1> arguments{componentOf(addressOf(list))};
    return static_cast<std::int32_t>(call(core_library::ComboItemCount, arguments).low);
}

std::string RuntimeWindow::itemText(Control list, int index) {
    const std::array<ValueTriple, 2> arguments{componentOf(addressOf(list)), integerArgument(index)};
    return takeTextResult(call(core_library::ComboItemText, arguments));
}

int RuntimeWindow::selectedIndex(Control list) {
    return readInteger(addressOf(list), property::kComboCurrentSelection);
}

void RuntimeWindow::select(Control list, int index) {
    writeInteger(addressOf(list), property::kComboCurrentSelection, index);
}

void RuntimeWindow::showMessage(std::string_view text, std::optional<std::string_view> caption) {
    messageBox(text, kOkOnly, caption);
}

bool RuntimeWindow::confirm(std::string_view text, std::string_view caption) {
    return messageBox(text, kOkCancel, caption) == kAnsweredOk;
}

std::optional<std::string> RuntimeWindow::chooseFile(configurator::FileDialogKind kind,
                                                     std::string_view defaultExtension) {
    const ComponentAddress dialog = fileDialogAddress();
    writeInteger(dialog, property::kDialogType, kind == configurator::FileDialogKind::Open ? kOpenDialog : kSaveDialog);
    writeText(dialog, property::kDialogDefaultExt, defaultExtension);
    const std::array<ValueTriple, 1> arguments{componentOf(dialog)};
    if (call(core_library::CommonDialogShow, arguments).low == 0) {
        return std::nullopt;
    }
    return readText(dialog, property::kDialogFileName);
}

void RuntimeWindow::delay(int milliseconds) {
    const std::array<ValueTriple, 1> arguments{integerArgument(milliseconds)};
    call(core_library::Delay, arguments);
}

void RuntimeWindow::setVisualStyle(int style) {
    const std::array<ValueTriple, 1> arguments{integerArgument(style)};
    call(core_library::SetVisualStyle, arguments);
}

// Posted, so the window goes through its own close once the handler that
// asks for it has returned, never from under a running one.
void RuntimeWindow::closeWindow() {
    const ComponentAddress where = addressOf(Control::Window);
    if (WindowObject* window = services::componentObject(where.windowId, where.componentId)) {
        PostMessageW(window->handle(), WM_CLOSE, 0, 0);
    }
}

std::string RuntimeWindow::programDirectory() {
    return takeTextResult(call(core_library::ProgramDirectory, std::span<const ValueTriple>()));
}

}  // namespace veltrano::app
