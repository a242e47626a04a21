#include "runtime/kernel/runtime_application.h"

#include <objbase.h>

#include <algorithm>

#include "runtime/kernel/win32_module_loader.h"
#include "runtime/values/gbk_path.h"

namespace veltrano {
namespace {

RuntimeApplication* currentApplication = nullptr;

constexpr wchar_t kHiddenOwnerClass[] = L"_QL_HideOwner";

}  // namespace

RuntimeApplication::RuntimeApplication(const ApplicationDescriptor& descriptor, MainRoutine mainRoutine) noexcept
    : descriptor_(descriptor), mainRoutine_(mainRoutine) {
    currentApplication = this;
}

RuntimeApplication::~RuntimeApplication() {
    if (currentApplication == this) currentApplication = nullptr;
}

RuntimeApplication& RuntimeApplication::current() noexcept {
    return *currentApplication;
}
bool RuntimeApplication::exists() noexcept {
    return currentApplication != nullptr;
}

int RuntimeApplication::initInstance() {
    excludeCurrentDirectoryFromDllSearch();
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string_view full(path, length);
    moduleDirectory_ = std::string(full.substr(0, positionAfterLastBackslash(full)));
    return mainRoutine_ ? mainRoutine_() : 0;
}

int RuntimeApplication::exitInstance() {
    shutdown(0);
    return 0;
}

int RuntimeApplication::runFrameworkLoop() {
    return runMessageLoop();
}

void RuntimeApplication::initialiseRuntime() {
    heap_.setHeap(GetProcessHeap());
    heap_.setFailureHandler(&RuntimeApplication::reportAllocationFailure);
    runMode_ = descriptor_.runMode;
    reserved1_ = descriptor_.reserved1;
    idCounter_ = descriptor_.lastIdSerial + 1;
    if (!oleInitialised_) {
        oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
    }
    locateProgram();
    createHiddenOwner();
    mainThreadId_ = GetCurrentThreadId();
    if (descriptor_.constSize > 0) heap_.setConstantRange(descriptor_.constStart, descriptor_.constSize);
    if (descriptor_.dllCommandCount > 0) {
        dllCommands_.assign(descriptor_.dllCommandCount, descriptor_.dllFileTable, descriptor_.dllNameTable);
    }
    notifyLibrariesOfStartup();
    if (descriptor_.templateSize > 0) readTemplateSegment();
}

void RuntimeApplication::locateProgram() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const SplitPath split = splitAtLastBackslash(std::string_view(path, length));
    runDirectory_ = std::string(split.directory);
    programFileName_ = std::string(split.fileName);
    if (!runDirectory_.empty()) SetCurrentDirectoryA(runDirectory_.c_str());
}

void RuntimeApplication::createHiddenOwner() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &RuntimeApplication::hiddenOwnerProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kHiddenOwnerClass;
    RegisterClassW(&windowClass);  // already registered by an earlier instance: fine
    hiddenOwner_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kHiddenOwnerClass, L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
}

LRESULT CALLBACK RuntimeApplication::hiddenOwnerProcedure(HWND window, UINT message, WPARAM wParam,
                                                          LPARAM lParam) noexcept {
    if (message == private_message::kShutdownFromThread && exists()) {
        current().exitProcess(static_cast<int>(wParam));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RuntimeApplication::notifyLibrariesOfStartup() {
    libraries_.assign(descriptor_.libraryTable, descriptor_.libraryTable + descriptor_.libraryCount);
    libraryData_.assign(libraries_.size(), 0);
    for (const LibraryDescriptor* library : libraries_) {
        if (library && library->notify) {
            const RuntimeServiceEntry entry = &RuntimeApplication::serviceEntry;
            library->notify(library_notification::kStartup, reinterpret_cast<AddressWord>(entry), 0);
        }
    }
}

const ClassDescriptor* RuntimeApplication::classDescriptor(std::uint32_t classId) const noexcept {
    const std::uint32_t library = classId >> 16;
    const std::uint32_t unit = classId & 0xFFFF;
    if (library == 0 || unit == 0 || library > libraries_.size()) return nullptr;
    const LibraryDescriptor* descriptor = libraries_[library - 1];
    if (descriptor == nullptr || descriptor->classes == nullptr || unit > descriptor->classCount) return nullptr;
    return descriptor->classes[unit - 1];
}

HICON RuntimeApplication::defaultIcon(bool big) {
    HICON& icon = big ? bigIcon_ : smallIcon_;
    if (icon == nullptr) {
        const int size = big ? 32 : 16;
        icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"DEFAULT_ICON", IMAGE_ICON, size, size, 0));
        // A copy of the system's shared icon, so that what the runtime keeps
        // is always its own to destroy at shutdown.
        if (icon == nullptr) icon = CopyIcon(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)));
    }
    return icon;
}

void RuntimeApplication::destroyDefaultIcons() noexcept {
    for (HICON* icon : {&bigIcon_, &smallIcon_}) {
        if (*icon != nullptr) DestroyIcon(*icon);
        *icon = nullptr;
    }
}

void RuntimeApplication::readTemplateSegment() {
    const std::span<const std::uint8_t> segment(descriptor_.templateData, descriptor_.templateSize);
    if (!registry_.readSegment(segment, handlerRelocationBase())) {
        reportFatalError("载入窗口模板数据段出错!", 0, 0, 0);
    }
}

std::uint32_t RuntimeApplication::handlerRelocationBase() const noexcept {
    constexpr std::uint32_t kWideTargetHandlerBase = 0x00010000;
    if constexpr (sizeof(AddressWord) > 4) {
        return kWideTargetHandlerBase;
    } else {
        return static_cast<std::uint32_t>(addressWord(descriptor_.codeBase));
    }
}

void RuntimeApplication::registerExitHook(ExitHook hook) {
    if (std::find(exitHooks_.begin(), exitHooks_.end(), hook) == exitHooks_.end()) exitHooks_.push_back(hook);
}

void RuntimeApplication::registerIdleHandler(HWND window, IdleRoutine routine, AddressWord argument) {
    const bool present = std::any_of(idleHandlers_.begin(), idleHandlers_.end(),
                                     [window](const IdleHandler& h) { return h.window == window; });
    if (!present) idleHandlers_.push_back({window, routine, argument});
}

void RuntimeApplication::removeIdleHandler(HWND window) {
    std::erase_if(idleHandlers_, [window](const IdleHandler& h) { return h.window == window; });
}

void RuntimeApplication::setEventSource(std::uint32_t windowId, std::uint32_t componentId) noexcept {
    eventWindowId_ = windowId;
    eventComponentId_ = componentId;
    eventActive_ = true;
}

bool RuntimeApplication::eventSource(std::uint32_t& windowId, std::uint32_t& componentId) const noexcept {
    if (!eventActive_) return false;
    windowId = eventWindowId_;
    componentId = eventComponentId_;
    return true;
}

}  // namespace veltrano
