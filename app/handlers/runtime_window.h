#pragma once

#include <cstddef>

#include "app/configurator/user_interface.h"

namespace veltrano::app {

// The main window through the runtime: component properties by number and
// the core library's component methods and commands.
class RuntimeWindow final : public configurator::UserInterface {
public:
    std::string text(configurator::Control control) override;
    void setText(configurator::Control control, std::string_view text) override;
    void setDisabled(configurator::Control control, bool disabled) override;
    void appendLog(std::string_view text) override;
    void moveLogCaretToEnd() override;
    void setProgress(int position) override;
    void setTimerInterval(int milliseconds) override;
    void clearItems(configurator::Control list) override;
    void addItem(configurator::Control list, std::string_view text, int itemData) override;
    int itemCount(configurator::Control list) override;
    std::string itemText(configurator::Control list, int index) override;
    int selectedIndex(configurator::Control list) override;
    void select(configurator::Control list, int index) override;
    void showMessage(std::string_view text, std::optional<std::string_view> caption) override;
    bool confirm(std::string_view text, std::string_view caption) override;
    std::optional<std::string> chooseFile(configurator::FileDialogKind kind,
                                          std::string_view defaultExtension) override;
    void delay(int milliseconds) override;
    void setVisualStyle(int style) override;
    void closeWindow() override;
    std::string programDirectory() override;

private:
    // Bytes appended to the log since its length was last looked at.
    std::size_t loggedSinceCheck_ = 0;
};

}  // namespace veltrano::app
