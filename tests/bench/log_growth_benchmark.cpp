// The log box's append, in this process: an edit box component made like
// the main window's log box. For each probe the box is first given about
// that many lines in one write, then lines are appended one by one as the
// receive step appends them, and each append is timed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "components/classdata/edit_box_data.h"
#include "components/edit_box/edit_box_class.h"
#include "components/edit_box/edit_box_object.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/window_object.h"
#include "tests/bench/bench_driver.h"

namespace veltrano::bench {
namespace {

constexpr wchar_t kParentClass[] = L"VeltranoBenchLogParent";
constexpr std::uint32_t kWindowId = 0x52010001;
constexpr std::uint32_t kComponentId = 0x06010002;
constexpr std::uint32_t kControlId = 1001;
// Appends timed on either side of each probe; their median is the figure.
constexpr int kProbeWindow = 10;

// Events of the lone component have nowhere to go.
bool dropEvent(SimpleEventRecord*, TypedEventRecord*) {
    return true;
}

HWND createParent() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kParentClass;
    RegisterClassW(&windowClass);
    HWND parent = CreateWindowExW(0, kParentClass, L"log", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    if (parent == nullptr) return nullptr;
    auto* object = new WindowObject();
    if (!object->attach(parent)) {
        delete object;
        DestroyWindow(parent);
        return nullptr;
    }
    return parent;
}

// Made from the main window's log box settings.
EditBoxObject* createLogBox(HWND parent) {
    classdata::EditBoxData data;
    data.BorderStyle = 5;
    data.MultiLine = true;
    data.ScrollBars = 2;
    const std::vector<std::uint8_t> classData = classdata::encode(data);
    const auto create = classRoutine<CreateRoutine>(kEditBoxClass, class_interface::kCreate);
    if (create == nullptr) return nullptr;
    WindowObject* object =
        create(classData.data(), static_cast<std::uint32_t>(classData.size()), WS_VISIBLE | WS_TABSTOP, parent,
               kControlId, nullptr, 165, 0, 571, 110, kWindowId, kComponentId, 0, 0);
    return static_cast<EditBoxObject*>(object);
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A read-back record's line as the receive step logs it.
std::string logLine(int number) {
    char text[64];
    std::snprintf(text, sizeof text, "DADB%04X FA0102030405060708ED\r\n", static_cast<unsigned>(number & 0xFFFF));
    return text;
}

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceFrequency(&frequency_); }
    void start() { QueryPerformanceCounter(&started_); }
    double microseconds() const {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - started_.QuadPart) * 1e6 / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER started_{};
};

// The append's steps one by one, at the size the last probe left: where
// the time of a slow append goes.
// With redraw off the box neither paints nor scrolls until it is switched
// on again after the append, which the last step then includes.
void profileSteps(HWND box, Stopwatch& stopwatch, const char* label, bool redrawOff) {
    constexpr int kRounds = 5;
    double length = 0, select = 0, scroll = 0, replace = 0;
    const std::wstring line = L"DADB0000 FA0102030405060708ED\r\n";
    for (int round = 0; round < kRounds; ++round) {
        if (redrawOff) SendMessageW(box, WM_SETREDRAW, FALSE, 0);
        stopwatch.start();
        const int end = GetWindowTextLengthW(box);
        length += stopwatch.microseconds();
        stopwatch.start();
        SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
        select += stopwatch.microseconds();
        stopwatch.start();
        SendMessageW(box, EM_SCROLLCARET, 0, 0);
        scroll += stopwatch.microseconds();
        stopwatch.start();
        SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
        if (redrawOff) {
            SendMessageW(box, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(box, nullptr, TRUE);
        }
        replace += stopwatch.microseconds();
        pumpMessages();
    }
    std::printf("log-step-us %s length %.2f\n", label, length / kRounds);
    std::printf("log-step-us %s select %.2f\n", label, select / kRounds);
    std::printf("log-step-us %s scroll-caret %.2f\n", label, scroll / kRounds);
    std::printf("log-step-us %s replace %.2f\n", label, replace / kRounds);
}

}  // namespace

int runLogGrowth(const std::vector<int>& probes) {
    services::setEventObserver(&dropEvent);
    HWND parent = createParent();
    EditBoxObject* log = parent != nullptr ? createLogBox(parent) : nullptr;
    if (log == nullptr) {
        std::fprintf(stderr, "the log box could not be created\n");
        services::setEventObserver(nullptr);
        return 1;
    }
    Stopwatch stopwatch;
    for (const int probe : probes) {
        const int first = std::max(1, probe - kProbeWindow);
        const int last = probe + kProbeWindow;
        std::wstring earlier;
        for (int line = 1; line < first; ++line) {
            const std::string text = logLine(line);
            earlier.append(text.begin(), text.end());
        }
        SetWindowTextW(log->handle(), earlier.c_str());
        pumpMessages();
        std::vector<double> times;
        for (int line = first; line <= last; ++line) {
            stopwatch.start();
            log->appendText(logLine(line));
            times.push_back(stopwatch.microseconds());
            pumpMessages();
        }
        std::printf("log-append-us %d %.2f\n", probe, medianOf(times));
        std::printf("log-chars %d %d\n", probe, GetWindowTextLengthW(log->handle()));
    }
    profileSteps(log->handle(), stopwatch, "component", false);
    // The system's own edit box with the same styles and text, without the
    // component around it.
    HWND plain = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                                 165, 120, 571, 110, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (plain != nullptr) {
        const int size = GetWindowTextLengthW(log->handle());
        std::wstring text(static_cast<std::size_t>(size) + 1, L'\0');
        GetWindowTextW(log->handle(), text.data(), size + 1);
        SendMessageW(plain, EM_SETLIMITTEXT, 0, 0);
        SetWindowTextW(plain, text.c_str());
        pumpMessages();
        profileSteps(plain, stopwatch, "system-edit", false);
        profileSteps(plain, stopwatch, "system-edit-no-redraw", true);
    }
    std::printf("log-limit-chars %lld\n",
                static_cast<long long>(static_cast<std::uint32_t>(SendMessageW(log->handle(), EM_GETLIMITTEXT, 0, 0))));
    DestroyWindow(parent);
    pumpMessages();
    services::setEventObserver(nullptr);
    return 0;
}

}  // namespace veltrano::bench
