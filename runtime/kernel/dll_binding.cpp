#include "runtime/kernel/dll_call.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/win32_module_loader.h"

namespace veltrano {
namespace {

constexpr int kDllStackError = 6;
// Numbered errors name the application routine by an id of kind 4.
constexpr std::uint32_t kApplicationRoutineKind = 0x04000000;

}  // namespace

FARPROC RuntimeApplication::resolveDllCommand(std::size_t index) {
    DllCommand& command = dllCommands_[index];
    if (command.address) return command.address;

    Win32ModuleLoader loader;
    const DllSearchPlaces places{runDirectory_, moduleDirectory_};
    const std::optional<DllBinding> binding = bindDllCommand(loader, places, command.fileName, command.exportName);
    if (!binding) {
        const std::string message =
            command.fileName.empty()
                ? "无法找到指定DLL库文件中的输出命令“" + command.exportName + "”"
                : "无法找到指定DLL库文件“" + command.fileName + "”中的输出命令“" + command.exportName + "”";
        reportFatalError(message, 0, 0, 0);
    }
    command.module.reset(reinterpret_cast<HMODULE>(binding->module));
    command.address = reinterpret_cast<FARPROC>(binding->address);
    return command.address;
}

void RuntimeApplication::callExternalPackageSubroutine() {
    // 静态编译的程序不支持调用位于外部Q包中的子程序
    reportFatalError(
        "\xBE\xB2\xCC\xAC\xB1\xE0\xD2\xEB\xB5\xC4\xB3\xCC\xD0\xF2\xB2\xBB\xD6\xA7\xB3\xD6\xB5\xF7\xD3\xC3\xCE\xBB\xD3"
        "\xDA\xCD\xE2\xB2\xBFQ\xB0\xFC\xD6\xD0\xB5\xC4\xD7\xD3\xB3\xCC\xD0\xF2",
        0, 0, 0);
}

std::uintptr_t RuntimeApplication::callDllCommand(std::size_t index, std::span<const std::uintptr_t> arguments) {
    const DllCallOutcome outcome = callStandardCall(resolveDllCommand(index), arguments);
    // Only on 32-bit x86 can a callee take the wrong number of argument bytes
    // off the stack (a standard-call function declared with another count).
    // x86-64 has one calling convention in which the caller cleans up, so
    // there the stack always comes back and error 6 cannot arise.
    if (!outcome.stackIntact) {
        reportNumberedError(kDllStackError, kApplicationRoutineKind | static_cast<std::uint32_t>(index + 1),
                            static_cast<std::uint32_t>(arguments.size()));
    }
    return outcome.value;
}

}  // namespace veltrano
