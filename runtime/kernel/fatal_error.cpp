#include <string>

#include "runtime/kernel/fatal_report_text.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano {

void RuntimeApplication::reportFatalError(std::string_view message, std::int32_t code, std::uint32_t firstId,
                                          std::uint32_t secondId) {
    raiseErrorDepth();
    const std::string location = buildLocationText(registry_, firstId, secondId);

    bool boxSkipped = false;
    if (errorHook_ && !insideErrorHook_) {
        insideErrorHook_ = true;
        std::string hookText;
        hookText.append(message).append(location);
        boxSkipped = errorHook_(code, hookText.c_str()) != 0;
        insideErrorHook_ = false;
    }
    if (!boxSkipped) {
        const std::wstring text = wideFromCodePage936(buildFatalReportText(message, code, location));
        MessageBoxW(nullptr, text.c_str(), wideFromCodePage936("错误").c_str(), MB_OK | MB_ICONERROR);
    }
    if (runMode_ == run_mode::kDebugging && IsDebuggerPresent()) DebugBreak();

    // A fatal exit does not run the exit hooks.
    exitHooks_.clear();
    exitProcess(-1);
}

void RuntimeApplication::reportNumberedError(int number, std::uint32_t firstId, std::uint32_t secondId) {
    reportFatalError(numberedErrorMessage(number), number, firstId, secondId);
}

void RuntimeApplication::reportAllocationFailure(std::size_t byteCount) {
    const std::string message = "分配 " + std::to_string(byteCount) + " 字节内存失败!";
    current().reportFatalError(message, 0, 0, 0);
}

}  // namespace veltrano
