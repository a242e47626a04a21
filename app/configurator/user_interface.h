#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltrano::configurator {

// The main window's components the application talks to.
enum class Control {
    Window,
    PortList,
    BaudList,
    PortButton,
    ClearLogButton,
    ReceiveTimer,
    Display,
    LearnInput,
    TestButton,
    LearnButton,
    SequencerRate,
    ProjectorRate,
    PlayerRate,
    AmplifierRate,
    BindingList,
    SetRatesButton,
    OpenFileButton,
    SaveFileButton,
    SaveFileAsButton,
    ClearModuleButton,
    ReadModuleButton,
    WriteModuleButton,
    Progress,
};

enum class FileDialogKind { Open, Save };

// The window as the application sees it: components by role, texts as code
// page 936 bytes. The program backs it with the runtime's property access
// and library commands; tests back it with a model of the window.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // The caption of the window or a button, the text of an edit box.
    virtual std::string text(Control control) = 0;
    virtual void setText(Control control, std::string_view text) = 0;
    virtual void setDisabled(Control control, bool disabled) = 0;

    // Appends to the log box, scrolling to the end first.
    virtual void appendLog(std::string_view text) = 0;
    // Puts the log's caret after its last character and scrolls it into view.
    virtual void moveLogCaretToEnd() = 0;
    virtual void setProgress(int position) = 0;
    virtual void setTimerInterval(int milliseconds) = 0;

    // Combo boxes.
    virtual void clearItems(Control list) = 0;
    virtual void addItem(Control list, std::string_view text, int itemData) = 0;
    virtual int itemCount(Control list) = 0;
    // The empty text for an index outside the list.
    virtual std::string itemText(Control list, int index) = 0;
    // -1 when nothing is selected.
    virtual int selectedIndex(Control list) = 0;
    virtual void select(Control list, int index) = 0;

    // A message box with only an OK button; no caption means the message
    // box's default one.
    virtual void showMessage(std::string_view text, std::optional<std::string_view> caption) = 0;
    // A message box with OK and Cancel: true only for OK.
    virtual bool confirm(std::string_view text, std::string_view caption) = 0;
    // Shows the common dialog; the chosen full path when the user confirms.
    virtual std::optional<std::string> chooseFile(FileDialogKind kind, std::string_view defaultExtension) = 0;

    // Waits while window messages go on being processed, so handlers
    // (receive ticks, clicks) run inside the wait.
    virtual void delay(int milliseconds) = 0;
    virtual void setVisualStyle(int style) = 0;
    // Closes the window as its close button does, once the running handler
    // has returned.
    virtual void closeWindow() = 0;
    // The program's directory without a trailing backslash.
    virtual std::string programDirectory() = 0;

protected:
    UserInterface() = default;
    UserInterface(const UserInterface&) = default;
    UserInterface& operator=(const UserInterface&) = default;
};

}  // namespace veltrano::configurator
