#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace veltrano::test {

// What the helper saw of the box it answered.
struct AnsweredBox {
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    LONG_PTR style = 0;
    bool found = false;
};

// Waits for a message box of this process (with a deadline), reads it and
// presses the button with the given id.
class BoxAnswerer {
public:
    // prepare, when given, runs on the helper thread with the dialog before
    // the button is pressed (to type into it, for instance).
    explicit BoxAnswerer(int buttonId, std::function<void(HWND)> prepare = {})
        : prepare_(std::move(prepare)), thread_([this, buttonId] { answer(buttonId); }) {}
    ~BoxAnswerer() {
        if (thread_.joinable()) thread_.join();
    }
    const AnsweredBox& seen() {
        if (thread_.joinable()) thread_.join();
        return box_;
    }

private:
    static BOOL CALLBACK collectText(HWND child, LPARAM target) {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        if (lstrcmpiW(className, L"Static") == 0 && text[0] != L'\0') *reinterpret_cast<std::wstring*>(target) = text;
        return TRUE;
    }

    static BOOL CALLBACK findBox(HWND window, LPARAM target) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        if (process == GetCurrentProcessId() && lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(target) = window;
            return FALSE;
        }
        return TRUE;
    }

    void answer(int buttonId) {
        const ULONGLONG deadline = GetTickCount64() + 20000;
        HWND box = nullptr;
        while (box == nullptr && GetTickCount64() < deadline) {
            EnumWindows(&findBox, reinterpret_cast<LPARAM>(&box));
            if (box == nullptr) Sleep(20);
        }
        if (box == nullptr) return;
        box_.found = true;
        wchar_t caption[256] = {};
        GetWindowTextW(box, caption, 256);
        box_.caption = caption;
        EnumChildWindows(box, &collectText, reinterpret_cast<LPARAM>(&box_.text));
        box_.owner = GetWindow(box, GW_OWNER);
        box_.style = GetWindowLongPtrW(box, GWL_STYLE);
        if (prepare_) prepare_(box);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
    }

    AnsweredBox box_;
    std::function<void(HWND)> prepare_;
    std::thread thread_;
};

}  // namespace veltrano::test
