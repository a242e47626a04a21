#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>

#include "tools/veltrano_table/tool_platform.h"

namespace veltrano::tools {
namespace {

constexpr UINT kTableCodePage = 936;

struct LocalFreeDeleter {
    void operator()(LPWSTR* block) const { ::LocalFree(block); }
};

}  // namespace

// The narrow argv follows the system's ANSI code page; the grid wants code
// page 936 whatever the locale, so the wide command line is converted here.
std::optional<std::vector<std::string>> commandArguments(int, char**) {
    int count = 0;
    std::unique_ptr<LPWSTR, LocalFreeDeleter> wide(::CommandLineToArgvW(::GetCommandLineW(), &count));
    if (!wide) {
        return std::nullopt;
    }
    std::vector<std::string> arguments;
    for (int index = 1; index < count; ++index) {
        const wchar_t* argument = wide.get()[index];
        const int length = static_cast<int>(std::wcslen(argument));
        std::string narrow;
        if (length > 0) {
            BOOL substituted = FALSE;
            const int size = ::WideCharToMultiByte(kTableCodePage, WC_NO_BEST_FIT_CHARS, argument, length, nullptr, 0,
                                                   nullptr, &substituted);
            if (size <= 0 || substituted) {
                return std::nullopt;
            }
            narrow.resize(static_cast<std::size_t>(size));
            ::WideCharToMultiByte(kTableCodePage, WC_NO_BEST_FIT_CHARS, argument, length, narrow.data(), size, nullptr,
                                  &substituted);
        }
        arguments.push_back(std::move(narrow));
    }
    return arguments;
}

void useBinaryOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace veltrano::tools
