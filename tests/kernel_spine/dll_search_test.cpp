#include <gtest/gtest.h>

#include <string>

#include "runtime/kernel/runtime_application.h"
#include "tests/support/planted_library.h"
#include "tests/support/program_folder.h"

namespace veltrano {
namespace {

const char* const kFiles[] = {"\\DLL\\PCOMM.DLL"};
const char* const kNames[] = {"sio_open"};

ApplicationDescriptor serialDescriptor() {
    return ApplicationDescriptor{3, 0, 1, nullptr, nullptr, 0, nullptr, 0, 0, nullptr, 1, kFiles, kNames};
}

// What the program saw after the user had browsed to a folder of theirs.
struct SeenInAUsersFolder {
    std::wstring folder;
    HMODULE stray = nullptr;
    FARPROC serialOpen = nullptr;
    std::wstring serialLibrary;
};
SeenInAUsersFolder seen;

constexpr wchar_t kStrayName[] = L"veltrano-stray.dll";

std::wstring fullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return std::wstring(full, length < MAX_PATH ? length : 0);
}

std::wstring lowered(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring fileOfModuleHolding(FARPROC address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(address), &module)) {
        return {};
    }
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    return fullPath(std::wstring(path, length));
}

// The start-up the product runs, then what a file dialog does: the user's
// folder becomes the current directory before the first serial command.
int browseThenBind() {
    RuntimeApplication& runtime = RuntimeApplication::current();
    runtime.initialiseRuntime();
    SetCurrentDirectoryW(seen.folder.c_str());
    seen.stray = LoadLibraryW(kStrayName);
    seen.serialOpen = runtime.resolveDllCommand(0);
    // Shutdown releases it again.
    seen.serialLibrary = fileOfModuleHolding(seen.serialOpen);
    return 0;
}

TEST(DllSearchTest, AfterStartUpNoLibraryComesFromTheCurrentFolderButTheProgramsOwnStillDo) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    seen.folder = std::wstring(temp) + L"veltrano-dll-search-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(seen.folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const std::wstring stray = seen.folder + L"\\" + kStrayName;
    ASSERT_TRUE(test::plantCopy(stray));

    const ApplicationDescriptor descriptor = serialDescriptor();
    RuntimeApplication runtime(descriptor, &browseThenBind);
    EXPECT_EQ(runtime.run(), 0);

    EXPECT_EQ(seen.stray, nullptr) << "a library was taken from the current folder";
    EXPECT_FALSE(test::plantedCopyWasLoaded(stray));
    ASSERT_NE(seen.serialOpen, nullptr);
    EXPECT_EQ(lowered(seen.serialLibrary), lowered(fullPath(test::folderOfThisProgram() + L"DLL\\PCOMM.DLL")))
        << "the serial library came from elsewhere than the program's DLL folder";

    // The copy itself is a loadable library that leaves its mark, so the
    // checks above could have seen it.
    HMODULE named = LoadLibraryW(stray.c_str());
    ASSERT_NE(named, nullptr);
    EXPECT_TRUE(test::plantedCopyWasLoaded(stray));
    FreeLibrary(named);
}

}  // namespace
}  // namespace veltrano
