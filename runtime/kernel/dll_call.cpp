#include "runtime/kernel/dll_call.h"

#include <utility>

namespace veltrano {

#if defined(__GNUC__) && defined(__i386__)

DllCallOutcome callStandardCall(FARPROC function, std::span<const std::uintptr_t> arguments) {
    if (arguments.size() > kMaxDllArguments) return DllCallOutcome{0, false};
    const std::uintptr_t* words = arguments.data();
    const std::uintptr_t count = arguments.size();
    std::uintptr_t value = 0;
    std::uintptr_t drift = 0;
    // edi is kept by every standard-call function, so it carries the stack
    // pointer of before the pushes across the call.
    asm volatile(
        "movl %%esp, %%edi\n\t"
        "movl %[count], %%ecx\n\t"
        "1:\n\t"
        "testl %%ecx, %%ecx\n\t"
        "jz 2f\n\t"
        "pushl -4(%[words],%%ecx,4)\n\t"
        "decl %%ecx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "call *%[function]\n\t"
        "movl %%esp, %%ecx\n\t"
        "subl %%edi, %%ecx\n\t"
        "movl %%edi, %%esp\n\t"
        : "=a"(value), "=&c"(drift)
        : [function] "r"(function), [words] "r"(words), [count] "r"(count)
        : "edi", "edx", "memory", "cc");
    return DllCallOutcome{value, drift == 0};
}

#else

namespace {

using Word = std::uintptr_t;
template <std::size_t>
using WordAt = Word;

template <std::size_t... Index>
Word callWith(FARPROC function, const Word* words, std::index_sequence<Index...>) {
    using Function = Word(WINAPI*)(WordAt<Index>...);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(function))(words[Index]...);
}

template <std::size_t Count>
Word callCounted(FARPROC function, const Word* words) {
    return callWith(function, words, std::make_index_sequence<Count>{});
}

}  // namespace

DllCallOutcome callStandardCall(FARPROC function, std::span<const std::uintptr_t> arguments) {
    const Word* words = arguments.data();
    switch (arguments.size()) {
        case 0: return {callCounted<0>(function, words), true};
        case 1: return {callCounted<1>(function, words), true};
        case 2: return {callCounted<2>(function, words), true};
        case 3: return {callCounted<3>(function, words), true};
        case 4: return {callCounted<4>(function, words), true};
        case 5: return {callCounted<5>(function, words), true};
        case 6: return {callCounted<6>(function, words), true};
        case 7: return {callCounted<7>(function, words), true};
        case 8: return {callCounted<8>(function, words), true};
        default: return {0, false};
    }
}

#endif

}  // namespace veltrano
