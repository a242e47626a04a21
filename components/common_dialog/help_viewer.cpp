#include <string>

#include "components/common_dialog/common_dialog_object.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano {
namespace {

enum HelpCommand : std::int32_t { kFinder, kContext, kContextPopup, kForceFile, kHelpOnHelp, kQuit };

// The program's own help file: its file name with the extension "hlp",
// beside it in the run directory.
std::wstring defaultHelpFile() {
    const char* directory = services::runDirectory();
    const char* program = services::programFileName();
    if (directory == nullptr || program == nullptr) return {};
    std::wstring name = wideFromCodePage936(program);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return wideFromCodePage936(directory) + L"\\" + name + L".hlp";
}

bool fileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

int CommonDialogObject::showHelp() {
    HWND owner = ownerWindow();
    if (data_.HelpCommand == kHelpOnHelp) {
        WinHelpW(owner, nullptr, HELP_HELPONHELP, 0);
        markHelpOpen(true);
        return 1;
    }
    if (data_.HelpCommand == kQuit) {
        WinHelpW(owner, nullptr, HELP_QUIT, 0);
        markHelpOpen(false);
        return 1;
    }
    const std::wstring file = data_.HelpFile.empty() ? defaultHelpFile() : wideFromCodePage936(data_.HelpFile);
    if (file.empty() || !fileExists(file)) return 0;
    const auto topic = static_cast<ULONG_PTR>(static_cast<std::uint32_t>(data_.HelpContext));
    UINT command = HELP_FINDER;
    ULONG_PTR argument = 0;
    if (data_.HelpCommand == kForceFile) {
        command = HELP_FORCEFILE;
    } else if (data_.HelpContext != 0 && (data_.HelpCommand == kContext || data_.HelpCommand == kContextPopup)) {
        command = data_.HelpCommand == kContext ? HELP_CONTEXT : HELP_CONTEXTPOPUP;
        argument = topic;
    }
    // The viewer's own answer is not the program's concern: it reports a
    // file it cannot show in its own window, and a viewer that did start
    // must still be quit with the window.
    markHelpOpen(true);
    WinHelpW(owner, file.c_str(), command, argument);
    return 1;
}

void CommonDialogObject::markHelpOpen(bool open) noexcept {
    if (ComponentObject* window = ComponentObject::componentOf(ownerWindow())) window->setHelpOpen(open);
}

bool CommonDialogObject::helpViewerOpen() const noexcept {
    const ComponentObject* window = ComponentObject::componentOf(ownerWindow());
    return window != nullptr && window->helpOpen();
}

}  // namespace veltrano
