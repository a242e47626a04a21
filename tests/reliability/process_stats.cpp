// veltrano-process-stats [PROGRAM]: prints the handle count and the private
// bytes of the running program (veltrano.exe unless named) as
//   handles N private-bytes M
// and exits 1 when no such process runs or it cannot be asked.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "runtime/kernel/unique_handle.h"

namespace {

DWORD findProcess(const std::wstring& name) {
    veltrano::win::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, name.c_str()) == 0) return entry.th32ProcessID;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string given = argc > 1 ? argv[1] : "veltrano.exe";
    const std::wstring name(given.begin(), given.end());
    const DWORD processId = findProcess(name);
    if (processId == 0) {
        std::fwprintf(stderr, L"no process %ls\n", name.c_str());
        return 1;
    }
    veltrano::win::UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) {
        std::fwprintf(stderr, L"cannot open process %lu\n", static_cast<unsigned long>(processId));
        return 1;
    }
    DWORD handles = 0;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (!GetProcessHandleCount(process.get(), &handles) ||
        !GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        std::fwprintf(stderr, L"cannot read the counters of process %lu\n", static_cast<unsigned long>(processId));
        return 1;
    }
    std::printf("handles %lu private-bytes %llu\n", static_cast<unsigned long>(handles),
                static_cast<unsigned long long>(memory.PrivateUsage));
    return 0;
}
