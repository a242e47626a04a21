// The smallest program that shows one top-level window: what start-up under
// Wine costs before any program of ours does anything. Built a second time
// with VELTRANO_BENCH_SYSTEM_LIBRARIES, it first loads and starts the system
// libraries the real program uses, which tells their share of its start-up.
#include <windows.h>
#ifdef VELTRANO_BENCH_SYSTEM_LIBRARIES
#include <commctrl.h>
#include <ole2.h>

#include <initializer_list>
#endif

namespace {

constexpr wchar_t kClassName[] = L"VeltranoBenchWindow";

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
#ifdef VELTRANO_BENCH_SYSTEM_LIBRARIES
    for (const wchar_t* library : {L"comdlg32.dll", L"shell32.dll", L"uxtheme.dll"}) {
        if (LoadLibraryW(library) == nullptr) return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    if (!InitCommonControlsEx(&controls)) return 1;
    if (FAILED(OleInitialize(nullptr))) return 1;
#endif
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassW(&windowClass) == 0) return 1;
    HWND window = CreateWindowExW(0, kClassName, L"Bench window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  400, 300, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
#ifdef VELTRANO_BENCH_SYSTEM_LIBRARIES
    OleUninitialize();
#endif
    return static_cast<int>(message.wParam);
}
