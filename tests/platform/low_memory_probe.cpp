// veltrano-low-memory-probe: a window program that takes memory the ways a
// program does once it runs, and shows where each piece lies in its caption,
//   process-heap 0x... runtime-heap 0x... new-heap 0x... pages 0x... thread-stack 0x...
// for a test that started it through the driver to read. It reserves
// nothing itself: whatever lies above 4 GB got there by the starter's hand.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "runtime/kernel/unique_handle.h"

namespace {

struct HeapDestroyer {
    void operator()(void* heap) const noexcept { HeapDestroy(heap); }
};

struct PageRelease {
    void operator()(void* pages) const noexcept { VirtualFree(pages, 0, MEM_RELEASE); }
};

std::wstring entry(const wchar_t* name, const void* address) {
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"%ls 0x%016llx ", name,
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(address)));
    return text;
}

}  // namespace

int main() {
    // Kept until the program ends, so that nothing else is given their place.
    void* processHeapBlock = HeapAlloc(GetProcessHeap(), 0, 64);
    const std::unique_ptr<char[]> runtimeHeapBlock = std::make_unique<char[]>(64);
    const std::unique_ptr<void, HeapDestroyer> newHeap(HeapCreate(0, 0, 0));
    void* newHeapBlock = HeapAlloc(newHeap.get(), 0, 64);
    const std::unique_ptr<void, PageRelease> pages(
        VirtualAlloc(nullptr, 1 << 16, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    std::uintptr_t threadStack = 0;
    std::thread([&threadStack] {
        const int onStack = 0;
        threadStack = reinterpret_cast<std::uintptr_t>(&onStack);
    }).join();

    const std::wstring caption = entry(L"process-heap", processHeapBlock) +
                                 entry(L"runtime-heap", runtimeHeapBlock.get()) + entry(L"new-heap", newHeapBlock) +
                                 entry(L"pages", pages.get()) +
                                 entry(L"thread-stack", reinterpret_cast<const void*>(threadStack));

    WNDCLASSW windowClass{};
    // The test ends the probe when it is done with it; the window needs no
    // behaviour of its own.
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VeltranoLowMemoryProbe";
    if (!RegisterClassW(&windowClass)) return 1;
    const veltrano::win::UniqueWindow window(CreateWindowExW(0, windowClass.lpszClassName, caption.c_str(),
                                                             WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr, nullptr,
                                                             windowClass.hInstance, nullptr));
    if (!window) return 1;
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    HeapFree(GetProcessHeap(), 0, processHeapBlock);
    return 0;
}
