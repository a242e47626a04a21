#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace veltrano::appwin {

// What the user does with the next dialog that comes up.
struct DialogAnswer {
    int buttonId = IDOK;
    // For a file dialog: typed into its file-name box before the button.
    std::wstring fileName;

    static DialogAnswer press(int id) { return DialogAnswer{id, {}}; }
    static DialogAnswer chooseFile(std::wstring name) { return DialogAnswer{IDOK, std::move(name)}; }
};

// A dialog as the user saw it.
struct SeenDialog {
    std::wstring caption;
    std::wstring text;
    bool fileDialog = false;
    // Whether a scripted answer was there for it; unscripted dialogs are
    // cancelled (or acknowledged when they have no Cancel button).
    bool scripted = false;
};

// Plays the user in front of the program's dialogs from a second thread of
// the same process, while the window's thread sits in the dialog's loop.
class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    void expect(DialogAnswer answer);
    std::vector<SeenDialog> seen() const;
    std::size_t seenCount() const;
    std::size_t unusedAnswers() const;

private:
    void run();
    void answer(HWND dialog);

    mutable std::mutex mutex_;
    std::deque<DialogAnswer> answers_;
    std::vector<SeenDialog> seen_;
    std::set<HWND> handled_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace veltrano::appwin
