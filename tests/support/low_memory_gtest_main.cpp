// The entry of every test program of the 64-bit Windows tree. Before the test
// programs' own static objects are made, everything below 4 GB is taken, so
// that the code under test is handed nothing but addresses that do not fit
// in 32 bits; the tests then run on a thread made afterwards, whose stack
// lies above 4 GB too. A pointer cut to 32 bits anywhere then faults.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "tests/support/low_address_space.h"
#include "tests/support/low_heap_fill.h"

namespace {

// Logged on the error stream: test discovery reads the list of tests from
// the output stream.
void fillLowHeaps(const char* moment) {
    using namespace veltrano::test;
    const HeapFill processHeap = fillLowProcessHeap();
    const HeapFill runtimeHeap = fillLowRuntimeHeap();
    std::fprintf(
        stderr,
        "below 4 GB, %s: process heap filled with %llu KiB in %zu blocks, C runtime heap with %llu KiB in %zu blocks\n",
        moment, static_cast<unsigned long long>(processHeap.bytes >> 10), processHeap.blocks,
        static_cast<unsigned long long>(runtimeHeap.bytes >> 10), runtimeHeap.blocks);
}

// Priority 101 is the first a program may use: this runs before every
// static object of default priority in the program, among them GoogleTest's
// registration of each test and any static object of the code under test,
// whose blocks would otherwise come from below 4 GB. Only the C runtime's
// own start-up comes earlier.
__attribute__((constructor(101))) void claimLowMemory() {
    const veltrano::test::AddressReservation reserved = veltrano::test::reserveLowAddressSpace();
    std::fprintf(stderr, "below 4 GB: %llu MiB reserved in %zu regions\n",
                 static_cast<unsigned long long>(reserved.bytes >> 20), reserved.regions);
    fillLowHeaps("before static initialisation");
}

// A cut pointer shows as an access fault at an address below 4 GB, often
// outside any test's own frame (in a window procedure, say). Said at once and
// ended there, instead of waiting for a debugger until the test times out.
LONG WINAPI reportCrash(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    std::fprintf(stderr, "crashed: exception 0x%08lx at 0x%016llx", record.ExceptionCode,
                 static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(record.ExceptionAddress)));
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2) {
        std::fprintf(stderr, ", %s 0x%016llx", record.ExceptionInformation[0] == 1 ? "writing" : "reading",
                     static_cast<unsigned long long>(record.ExceptionInformation[1]));
    }
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    // Blocks the C runtime made below 4 GB during its start-up can be given
    // back during static initialisation, and a static object can then be
    // made in their place; what is given back is taken again before any test
    // runs.
    fillLowHeaps("after static initialisation");
    SetUnhandledExceptionFilter(&reportCrash);
    testing::InitGoogleTest(&argc, argv);
    int result = 1;
    // The main thread's stack was made before anything could be reserved; a
    // thread made now gets one above 4 GB. Windows belong to the thread that
    // makes them, so the tests' windows and message loops live on it alike.
    std::thread tests([&result] {
        const int onStack = 0;
        if (!veltrano::test::liesAboveFourGigabytes(&onStack)) {
            std::fprintf(stderr, "the test thread's stack lies below 4 GB: the low address space was not reserved\n");
            return;
        }
        result = RUN_ALL_TESTS();
        // The program ends here, on the thread that owns the tests' windows,
        // as it would have on the main thread: were this thread to end first,
        // its windows would be destroyed with it and their destruction would
        // reach a runtime already taken down by the tests.
        std::exit(result);
    });
    tests.join();
    return result;
}
