#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/kernel/application_descriptor.h"
#include "runtime/kernel/application_object.h"
#include "runtime/kernel/dll_command_table.h"
#include "runtime/kernel/runtime_heap.h"
#include "runtime/kernel/unique_handle.h"
#include "runtime/kernel/window_object_host.h"
#include "runtime/kernel/window_registry.h"

namespace veltrano {

struct ClassDescriptor;

using MainRoutine = int (*)();
using ExitHook = void (*)(int index);
using IdleRoutine = int (*)(AddressWord argument);
// Observes fatal reports; a non-zero answer skips the report box.
using ErrorHook = int (*)(std::int32_t code, const char* messageAndLocation);

struct IdleHandler {
    HWND window;
    IdleRoutine routine;
    AddressWord argument;
};

namespace private_message {
inline constexpr UINT kObjectOfWindow = 0x8002;
inline constexpr UINT kWindowComplete = 0x8004;
inline constexpr UINT kComponentsCreated = 0x806F;
inline constexpr UINT kWindowShown = 0x8076;
inline constexpr UINT kShutdownFromThread = 0x83E7;
}  // namespace private_message

// The one application object of the process. It owns the runtime's state
// from start-up to shutdown; the product defines exactly one instance,
// tests may make their own (only one exists at a time).
class RuntimeApplication final : public ApplicationObject, public WindowObjectHost {
public:
    RuntimeApplication(const ApplicationDescriptor& descriptor, MainRoutine mainRoutine) noexcept;
    ~RuntimeApplication() override;
    RuntimeApplication(const RuntimeApplication&) = delete;
    RuntimeApplication& operator=(const RuntimeApplication&) = delete;

    static RuntimeApplication& current() noexcept;
    static bool exists() noexcept;

    // What the window objects ask of the runtime (window_object_host.h).
    HCURSOR componentCursor(std::uint32_t windowId, std::uint32_t componentId) override;
    bool runMenuCommand(std::uint32_t windowId, UINT command) override;
    void componentWindowGone(std::uint32_t windowId, std::uint32_t componentId) override;
    void reportFailure(const char* what) noexcept override;

    // Framework hooks.
    int initInstance() override;
    int exitInstance() override;
    int runFrameworkLoop() override;

    // Entries the application's code calls.
    void initialiseRuntime();
    void registerExitHook(ExitHook hook);
    // Loads the program's first window; its failure is fatal. Defined with
    // the loader, which stands on the application's state.
    void loadWindow(std::uint32_t windowId);
    int runMessageLoop();
    [[noreturn]] void exitProcess(int exitCode);

    // Runs the message loop until *modalMarker becomes false; a quit message
    // is left for the outer loop.
    void runNestedLoop(const bool* modalMarker);
    // Takes and dispatches waiting messages; answers whether one remained
    // (a quit message stays in the queue).
    bool processPendingMessages();

    // One idle phase step: runs the idle handlers of live windows (dropping
    // those whose window is gone) and offers the windows idle time; answers
    // whether more idle time is wanted.
    bool runIdle(int idleCount);

    void registerIdleHandler(HWND window, IdleRoutine routine, AddressWord argument);
    void removeIdleHandler(HWND window);

    // Fatal reports: never return.
    [[noreturn]] void reportFatalError(std::string_view message, std::int32_t code, std::uint32_t firstId,
                                       std::uint32_t secondId);
    [[noreturn]] void reportNumberedError(int number, std::uint32_t firstId, std::uint32_t secondId);
    void setErrorHook(ErrorHook hook) noexcept { errorHook_ = hook; }

    // Runs the shutdown sequence with an exit code (does not end the process).
    void shutdown(int exitCode);

    void raiseErrorDepth() noexcept { ++errorDepth_; }
    void lowerErrorDepth() noexcept {
        if (errorDepth_ > 0) --errorDepth_;
    }
    int errorDepth() const noexcept { return errorDepth_; }

    RuntimeHeap& heap() noexcept { return heap_; }
    WindowRegistry& windowRegistry() noexcept { return registry_; }
    DllCommandTable& dllCommands() noexcept { return dllCommands_; }
    // Binds a declared DLL command on its first call; a command that cannot
    // be bound is a fatal error naming its file and export.
    FARPROC resolveDllCommand(std::size_t index);
    // Binds and calls a declared standard-call DLL command with its arguments
    // as machine words; a stack that does not come back is runtime error 6,
    // reported for the command (first id: kind 4 and the command's number,
    // second id: the argument count).
    std::uintptr_t callDllCommand(std::size_t index, std::span<const std::uintptr_t> arguments);
    // The entry for a subroutine that lies in an external code package: a
    // program built as one image cannot reach one, so the call is fatal.
    [[noreturn]] void callExternalPackageSubroutine();

    std::uint32_t runMode() const noexcept { return runMode_; }
    std::uint32_t nextId(std::uint32_t kindBits) noexcept { return kindBits | (idCounter_++ & 0x00FFFFFFu); }
    std::uint32_t idCounter() const noexcept { return idCounter_; }
    const std::string& runDirectory() const noexcept { return runDirectory_; }
    const std::string& programFileName() const noexcept { return programFileName_; }
    const std::string& moduleDirectory() const noexcept { return moduleDirectory_; }
    HWND hiddenOwner() const noexcept { return hiddenOwner_.get(); }
    DWORD mainThreadId() const noexcept { return mainThreadId_; }
    bool loopStarted() const noexcept { return loopStarted_; }
    bool anyWindowAlive() const;
    bool exiting() const noexcept { return exiting_; }
    std::size_t exitHookCount() const noexcept { return exitHooks_.size(); }
    std::size_t idleHandlerCount() const noexcept { return idleHandlers_.size(); }

    // Source of the event being dispatched.
    void setEventSource(std::uint32_t windowId, std::uint32_t componentId) noexcept;
    void clearEventSource() noexcept { eventActive_ = false; }
    bool eventSource(std::uint32_t& windowId, std::uint32_t& componentId) const noexcept;

    static std::int64_t serviceEntry(std::int32_t code, AddressWord argument1, AddressWord argument2);

    // The class descriptor of a class id (library and unit number, both
    // 1-based and range-checked), or null.
    const ClassDescriptor* classDescriptor(std::uint32_t classId) const noexcept;
    // While a component is being re-created its old window's end is not the
    // component's end.
    bool recreating() const noexcept { return recreating_; }
    // The table of event handler entries the template's handler offsets
    // count into.
    const void* codeBase() const noexcept { return descriptor_.codeBase; }
    // What the template's 32-bit handler words are relocated against: the
    // code base itself where its address fits the word, and on a 64-bit
    // target a fixed non-zero base, so that a relocated handler names its
    // entry by number and never carries a cut-off address.
    std::uint32_t handlerRelocationBase() const noexcept;
    // The program's icon, loaded once at 32 (big) or 16 pixels.
    HICON defaultIcon(bool big);
    void destroyDefaultIcons() noexcept;
    void setRecreating(bool on) noexcept { recreating_ = on; }

    // Set while a window being loaded as modal is created, so its class
    // gives it the hidden owner.
    bool creatingModalWindow() const noexcept { return creatingModalWindow_; }
    void setCreatingModalWindow(bool on) noexcept { creatingModalWindow_ = on; }

    // The modal window whose nested loop runs innermost: its window id and
    // the flag that keeps the loop going (cleared when the window unloads).
    struct ModalWindow {
        std::uint32_t windowId = 0;
        bool* running = nullptr;
    };
    ModalWindow currentModalWindow() const noexcept { return currentModal_; }
    void setCurrentModalWindow(ModalWindow modal) noexcept { currentModal_ = modal; }

private:
    void locateProgram();
    void createHiddenOwner();
    void notifyLibrariesOfStartup();
    void readTemplateSegment();
    static void reportAllocationFailure(std::size_t byteCount);
    static LRESULT CALLBACK hiddenOwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    const ApplicationDescriptor& descriptor_;
    bool recreating_ = false;
    bool creatingModalWindow_ = false;
    ModalWindow currentModal_;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    MainRoutine mainRoutine_;

    RuntimeHeap heap_;
    std::uint32_t runMode_ = 0;
    std::uint32_t reserved1_ = 0;
    std::uint32_t idCounter_ = 0;
    std::string runDirectory_;
    std::string programFileName_;
    std::string moduleDirectory_;
    bool oleInitialised_ = false;
    DWORD mainThreadId_ = 0;
    win::UniqueWindow hiddenOwner_;
    WindowRegistry registry_;
    DllCommandTable dllCommands_;
    std::vector<const LibraryDescriptor*> libraries_;
    std::vector<AddressWord> libraryData_;
    int errorDepth_ = 0;
    bool loopStarted_ = false;
    std::vector<ExitHook> exitHooks_;
    std::vector<IdleHandler> idleHandlers_;
    std::uint32_t eventWindowId_ = 0;
    std::uint32_t eventComponentId_ = 0;
    bool eventActive_ = false;
    bool exiting_ = false;
    ErrorHook errorHook_ = nullptr;
    bool insideErrorHook_ = false;
};

}  // namespace veltrano
