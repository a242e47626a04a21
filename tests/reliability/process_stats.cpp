// veltrano-process-stats [PROGRAM]: prints the handle count, the private
// bytes and the working set of the running program (veltrano.exe unless
// named) as
//   handles N private-bytes M working-set W
// and exits 1 when no such process runs or it cannot be asked. Where the
// system does not count private bytes for another process (Wine) M is 0.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

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

struct Counters {
    unsigned long handles = 0;
    unsigned long long privateBytes = 0;
    unsigned long long workingSet = 0;
};

// The system's process list carries the same two figures; Wine answers
// through it where it leaves the per-process queries at zero for another
// process.
bool countersFromProcessList(DWORD processId, Counters& counters) {
    using QueryFunction = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr) return false;
    const auto query =
        reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
    if (query == nullptr) return false;
    std::vector<unsigned char> buffer(1 << 20);
    for (int attempt = 0; attempt < 4; ++attempt) {
        ULONG needed = 0;
        const NTSTATUS status =
            query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status >= 0) break;
        buffer.assign(buffer.size() * 2, 0);
        if (attempt == 3) return false;
    }
    std::size_t offset = 0;
    for (;;) {
        if (offset + sizeof(SYSTEM_PROCESS_INFORMATION) > buffer.size()) return false;
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        if (reinterpret_cast<std::uintptr_t>(entry->UniqueProcessId) == processId) {
            counters.handles = entry->HandleCount;
            counters.privateBytes = entry->PrivatePageCount;
            counters.workingSet = entry->VirtualMemoryCounters.WorkingSetSize;
            return true;
        }
        if (entry->NextEntryOffset == 0) return false;
        offset += entry->NextEntryOffset;
    }
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
    Counters counters{handles, memory.PrivateUsage, memory.WorkingSetSize};
    // A running process always holds handles: zero means the query was not
    // answered.
    if (counters.handles == 0 && !countersFromProcessList(processId, counters)) {
        std::fwprintf(stderr, L"the system gives no counters for process %lu\n", static_cast<unsigned long>(processId));
        return 1;
    }
    std::printf("handles %lu private-bytes %llu working-set %llu\n", counters.handles, counters.privateBytes,
                counters.workingSet);
    return 0;
}
