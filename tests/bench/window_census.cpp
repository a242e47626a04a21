// Lists every window a started program has once it is idle, one line each,
// so that the start-up reference can be compared with the real program's
// window set: a reference with other windows would time something else.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/bench/bench_driver.h"
#include "tests/driver/program_driver.h"

namespace veltrano::bench {
namespace {

using namespace std::chrono_literals;

struct ProcessWindows {
    DWORD processId = 0;
    std::vector<HWND> topLevel;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM parameter) {
    auto& wanted = *reinterpret_cast<ProcessWindows*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == wanted.processId) wanted.topLevel.push_back(window);
    return TRUE;
}

std::string ascii(const std::wstring& text) {
    std::string out;
    for (const wchar_t character : text) out.push_back(character < 0x80 ? static_cast<char>(character) : '?');
    return out;
}

std::string fontOf(HWND window) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (font == nullptr) return "-";
    LOGFONTW description{};
    if (GetObjectW(font, sizeof description, &description) == 0) return "?";
    char line[96];
    std::snprintf(line, sizeof line, "%s/%ld/%ld", ascii(description.lfFaceName).c_str(), description.lfHeight,
                  description.lfWeight);
    return line;
}

// Position in the parent's client area (the screen for a top-level window).
RECT placement(HWND window) {
    RECT rectangle{};
    GetWindowRect(window, &rectangle);
    const HWND parent = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0 ? GetParent(window) : nullptr;
    if (parent != nullptr) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rectangle), 2);
    return rectangle;
}

void printWindow(HWND window, int depth) {
    const RECT at = placement(window);
    const std::wstring kind = driver::windowClass(window);
    const auto items = kind == L"ComboBox" ? SendMessageW(window, CB_GETCOUNT, 0, 0) : -1;
    std::printf(
        "window %d %s style=%08lx ex=%08lx class-style=%08lx at=%ld,%ld,%ld,%ld font=%s text=%d items=%lld id=%d\n",
        depth, ascii(kind).c_str(), static_cast<unsigned long>(GetWindowLongPtrW(window, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongPtrW(window, GWL_EXSTYLE)),
        static_cast<unsigned long>(GetClassLongPtrW(window, GCL_STYLE)), at.left, at.top, at.right - at.left,
        at.bottom - at.top, fontOf(window).c_str(), GetWindowTextLengthW(window), static_cast<long long>(items),
        GetDlgCtrlID(window));
}

void printTree(HWND window, int depth) {
    printWindow(window, depth);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        printTree(child, depth + 1);
    }
}

}  // namespace

int runWindowCensus(const std::wstring& program, const wchar_t* className) {
    const std::wstring folder = program.substr(0, program.rfind(L'\\'));
    auto running = driver::RunningProgram::start(program, folder);
    if (!running) return 1;
    const HWND main = running->waitForWindow(className, driver::deadlineIn(30s));
    if (main == nullptr) {
        std::fprintf(stderr, "no visible %ls window\n", className);
        return 1;
    }
    ProcessWindows windows{running->processId(), {}};
    EnumWindows(&collectTopLevel, reinterpret_cast<LPARAM>(&windows));
    // Message-only windows are not among the top-level ones.
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        collectTopLevel(window, reinterpret_cast<LPARAM>(&windows));
    }
    int count = 0;
    for (HWND window : windows.topLevel) {
        printTree(window, 0);
        count += 1 + static_cast<int>(driver::childWindows(window).size());
    }
    std::printf("window-count %d\n", count);
    PostMessageW(main, WM_CLOSE, 0, 0);
    running->waitForExit(driver::deadlineIn(20s));
    return 0;
}

}  // namespace veltrano::bench
