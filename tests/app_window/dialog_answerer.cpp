#include "tests/app_window/dialog_answerer.h"

#include <chrono>

#include "tests/driver/program_driver.h"

namespace veltrano::appwin {
namespace {

// The system's file dialogs keep the typed name in one of these controls.
constexpr int kFileNameEdit = 0x480;
constexpr int kFileNameCombo = 0x47C;

struct DialogSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && driver::windowClass(window) == L"#32770") {
        search->found.push_back(window);
    }
    return TRUE;
}

HWND fileNameBox(HWND dialog) {
    if (HWND edit = GetDlgItem(dialog, kFileNameEdit)) return edit;
    if (HWND combo = GetDlgItem(dialog, kFileNameCombo)) {
        // An editable combo box: the typing goes into its edit field.
        if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) return edit;
        return combo;
    }
    return nullptr;
}

std::wstring messageText(HWND dialog) {
    std::wstring text;
    for (HWND child : driver::childWindows(dialog)) {
        if (driver::windowClass(child) == L"Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            std::wstring part = driver::windowText(child);
            if (!part.empty()) text = part;
        }
    }
    return text;
}

}  // namespace

DialogAnswerer::DialogAnswerer() : thread_([this] { run(); }) {}

DialogAnswerer::~DialogAnswerer() {
    stop_ = true;
    thread_.join();
}

void DialogAnswerer::expect(DialogAnswer answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(std::move(answer));
}

std::vector<SeenDialog> DialogAnswerer::seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

std::size_t DialogAnswerer::seenCount() const {
    std::lock_guard lock(mutex_);
    return seen_.size();
}

std::size_t DialogAnswerer::unusedAnswers() const {
    std::lock_guard lock(mutex_);
    return answers_.size();
}

void DialogAnswerer::run() {
    while (!stop_) {
        DialogSearch search{GetCurrentProcessId(), {}};
        EnumWindows(&collectDialog, reinterpret_cast<LPARAM>(&search));
        for (HWND dialog : search.found) {
            if (handled_.insert(dialog).second) answer(dialog);
        }
        // Forget dialogs that are gone: the system may reuse their handles.
        for (auto it = handled_.begin(); it != handled_.end();) {
            it = IsWindow(*it) ? std::next(it) : handled_.erase(it);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void DialogAnswerer::answer(HWND dialog) {
    SeenDialog view;
    view.caption = driver::windowText(dialog);
    HWND nameBox = fileNameBox(dialog);
    view.fileDialog = nameBox != nullptr;
    if (!view.fileDialog) view.text = messageText(dialog);

    DialogAnswer reply;
    {
        std::lock_guard lock(mutex_);
        view.scripted = !answers_.empty();
        if (view.scripted) {
            reply = std::move(answers_.front());
            answers_.pop_front();
        } else {
            reply = DialogAnswer::press(GetDlgItem(dialog, IDCANCEL) ? IDCANCEL : IDOK);
        }
        seen_.push_back(view);
    }
    if (nameBox != nullptr && !reply.fileName.empty()) {
        SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(reply.fileName.c_str()));
    }
    if (!driver::pressDialogButton(dialog, reply.buttonId)) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(reply.buttonId, BN_CLICKED), 0);
    }
}

}  // namespace veltrano::appwin
